<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>TKxAliasesDialog</name>
    <message>
        <source>local socket</source>
        <translation>socket local</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>Database Aliases</source>
        <translation>Alias de bases de datos</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Driver</source>
        <translation>Controlador</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>Kept in</source>
        <translation>Guardado en</translation>
    </message>
    <message>
        <source>Your aliases file: %1</source>
        <translation>Su archivo de alias: %1</translation>
    </message>
    <message>
        <source>Add &amp;SQLite File...</source>
        <translation>Añadir archivo &amp;SQLite...</translation>
    </message>
    <message>
        <source>Add &amp;PostgreSQL...</source>
        <translation>Añadir &amp;PostgreSQL...</translation>
    </message>
    <message>
        <source>your aliases file</source>
        <translation>su archivo de alias</translation>
    </message>
    <message>
        <source>this session</source>
        <translation>esta sesión</translation>
    </message>
    <message>
        <source>SQLite Database</source>
        <translation>Base de datos SQLite</translation>
    </message>
    <message>
        <source>SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)</source>
        <translation>Bases de datos SQLite (*.db *.sqlite *.sqlite3);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Alias Name</source>
        <translation>Nombre del alias</translation>
    </message>
    <message>
        <source>Name of the alias:</source>
        <translation>Nombre del alias:</translation>
    </message>
</context>
<context>
    <name>KxCalibrationDialog</name>
    <message>
        <source>Printer calibration</source>
        <translation>Calibración de la impresora</translation>
    </message>
    <message>
        <source>&amp;Printer:</source>
        <translation>&amp;Impresora:</translation>
    </message>
    <message>
        <source>Correction applied when printing on this printer</source>
        <translation>Corrección aplicada al imprimir en esta impresora</translation>
    </message>
    <message>
        <source>Across (X)</source>
        <translation>Horizontal (X)</translation>
    </message>
    <message>
        <source>Down (Y)</source>
        <translation>Vertical (Y)</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Desplazamiento</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Escala</translation>
    </message>
    <message>
        <source>Measured on the calibration sheet</source>
        <translation>Medido en la hoja de calibración</translation>
    </message>
    <message>
        <source>Print the calibration sheet, then measure from the paper&apos;s top-left corner where the centres of crosshairs A and B came out.</source>
        <translation>Imprima la hoja de calibración y mida, desde la esquina superior izquierda del papel, dónde han quedado los centros de las cruces A y B.</translation>
    </message>
    <message>
        <source>From the left edge</source>
        <translation>Desde el borde izquierdo</translation>
    </message>
    <message>
        <source>From the top edge</source>
        <translation>Desde el borde superior</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet</source>
        <translation>Imprimir hoja de &amp;calibración</translation>
    </message>
    <message>
        <source>Co&amp;rrect from the measures</source>
        <translation>Co&amp;rregir según las medidas</translation>
    </message>
</context>
<context>
    <name>TKxCalibrationDialog</name>
    <message>
        <source>%1 (belongs at %2, %3 mm)</source>
        <translation>%1 (debe estar en %2, %3 mm)</translation>
    </message>
    <message>
        <source>The calibration sheet went to %1. Measure where A and B came out.</source>
        <translation>La hoja de calibración se ha enviado a %1. Mida dónde han quedado A y B.</translation>
    </message>
    <message>
        <source>These measures cannot be right: %1. B must lie right of and below A.</source>
        <translation>Estas medidas no pueden ser correctas: %1. B debe quedar a la derecha y debajo de A.</translation>
    </message>
    <message>
        <source>Corrected from the measures: save to keep it, then print the sheet again to check.</source>
        <translation>Corregido según las medidas: guarde para conservarlo e imprima de nuevo la hoja para comprobarlo.</translation>
    </message>
    <message>
        <source>Choose or name a printer first.</source>
        <translation>Elija o escriba primero una impresora.</translation>
    </message>
    <message>
        <source>Saved for %1: its jobs are corrected from now on.</source>
        <translation>Guardado para %1: sus trabajos se corrigen a partir de ahora.</translation>
    </message>
</context>
<context>
    <name>TKxDesignSurface</name>
    <message>
        <source>text</source>
        <translation>texto</translation>
    </message>
    <message>
        <source>My Label</source>
        <translation>Mi etiqueta</translation>
    </message>
</context>
<context>
    <name>TKxElementsDock</name>
    <message>
        <source>Elements</source>
        <translation>Elementos</translation>
    </message>
    <message>
        <source>Element</source>
        <translation>Elemento</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Bloqueado</translation>
    </message>
    <message>
        <source>Printable</source>
        <translation>Imprimible</translation>
    </message>
</context>
<context>
    <name>TKxMainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>New from s&amp;tock...</source>
        <translation>Nuevo desde &amp;hoja de etiquetas...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportar...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>&amp;Vista preliminar</translation>
    </message>
    <message>
        <source>Database A&amp;liases...</source>
        <translation>A&amp;lias de bases de datos...</translation>
    </message>
    <message>
        <source>Printer &amp;calibration...</source>
        <translation>&amp;Calibración de la impresora...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Deshacer %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rehacer %1</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>Bring to &amp;Front</source>
        <translation>Traer al &amp;frente</translation>
    </message>
    <message>
        <source>Send to &amp;Back</source>
        <translation>Enviar al fo&amp;ndo</translation>
    </message>
    <message>
        <source>Align to Left &amp;Guide</source>
        <translation>Alinear a la guía &amp;izquierda</translation>
    </message>
    <message>
        <source>Align to Top Gu&amp;ide</source>
        <translation>Alinear a la guía &amp;superior</translation>
    </message>
    <message>
        <source>Tr&amp;ansparent</source>
        <translation>Tr&amp;ansparente</translation>
    </message>
    <message>
        <source>Pr&amp;operties...</source>
        <translation>Pr&amp;opiedades...</translation>
    </message>
    <message>
        <source>&amp;Dimensions...</source>
        <translation>&amp;Dimensiones...</translation>
    </message>
    <message>
        <source>&amp;Print Run...</source>
        <translation>&amp;Impresión...</translation>
    </message>
    <message>
        <source>&amp;Background...</source>
        <translation>&amp;Fondo...</translation>
    </message>
    <message>
        <source>D&amp;atabase...</source>
        <translation>&amp;Base de datos...</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>in</source>
        <translation>pulg</translation>
    </message>
    <message>
        <source>Snap to Grid</source>
        <translation>Ajustar a la rejilla</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>Mostrar rejilla</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleccionar</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Compound Text</source>
        <translation>Texto compuesto</translation>
    </message>
    <message>
        <source>Paragraph</source>
        <translation>Párrafo</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Código de barras</translation>
    </message>
    <message>
        <source>Symbol</source>
        <translation>Símbolo</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectángulo</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Abrir &amp;reciente</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edición</translation>
    </message>
    <message>
        <source>&amp;Label Properties</source>
        <translation>Propiedades de la eti&amp;queta</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Herramientas</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Compound text</source>
        <translation>Texto compuesto</translation>
    </message>
    <message>
        <source>Element</source>
        <translation>Elemento</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>%1[*] - KxLab Designer</source>
        <translation>%1[*] - Diseñador KxLab</translation>
    </message>
    <message numerus="yes">
        <source>%n element(s)</source>
        <translation>
            <numerusform>%n elemento</numerusform>
            <numerusform>%n elementos</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 at %2, %3 %4</source>
        <translation>%1 en %2, %3 %4</translation>
    </message>
    <message>
        <source>x %1, y %2 %3</source>
        <translation>x %1, y %2 %3</translation>
    </message>
    <message>
        <source>KxLab Designer</source>
        <translation>Diseñador KxLab</translation>
    </message>
    <message>
        <source>The label &quot;%1&quot; has changes that are not saved. Save them?</source>
        <translation>La etiqueta «%1» tiene cambios sin guardar. ¿Guardarlos?</translation>
    </message>
    <message>
        <source>Open Label</source>
        <translation>Abrir etiqueta</translation>
    </message>
    <message>
        <source>Labels (*.kxl);;All files (*)</source>
        <translation>Etiquetas (*.kxl);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Save Label As</source>
        <translation>Guardar etiqueta como</translation>
    </message>
    <message>
        <source>Labels (*.kxl)</source>
        <translation>Etiquetas (*.kxl)</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Guardado %1</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG pictures, one per sheet (*.png)</source>
        <translation>Imágenes PNG, una por hoja (*.png)</translation>
    </message>
    <message>
        <source>SVG pictures, one per sheet (*.svg)</source>
        <translation>Imágenes SVG, una por hoja (*.svg)</translation>
    </message>
    <message>
        <source>Enhanced metafiles, one per sheet (*.emf)</source>
        <translation>Metarchivos mejorados, uno por hoja (*.emf)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Exporting %1...</source>
        <translation>Exportando %1...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The export was cancelled; no file was written.</source>
        <translation>Se canceló la exportación; no se escribió ningún archivo.</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n file(s)</source>
        <translation>
            <numerusform>Exportado %n archivo</numerusform>
            <numerusform>Exportados %n archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguno)</translation>
    </message>
    <message>
        <source>Align &amp;Left</source>
        <translation>Alinear a la &amp;izquierda</translation>
    </message>
    <message>
        <source>Align &amp;Centre</source>
        <translation>Alinear al &amp;centro</translation>
    </message>
    <message>
        <source>Align &amp;Right</source>
        <translation>Alinear a la &amp;derecha</translation>
    </message>
    <message>
        <source>Align &amp;Top</source>
        <translation>Alinear &amp;arriba</translation>
    </message>
    <message>
        <source>Align &amp;Middle</source>
        <translation>Alinear al &amp;medio</translation>
    </message>
    <message>
        <source>Align &amp;Bottom</source>
        <translation>Alinear aba&amp;jo</translation>
    </message>
    <message>
        <source>Distribute &amp;Horizontally</source>
        <translation>Distribuir &amp;horizontalmente</translation>
    </message>
    <message>
        <source>Distribute &amp;Vertically</source>
        <translation>Distribuir &amp;verticalmente</translation>
    </message>
    <message>
        <source>Same &amp;Width</source>
        <translation>Mismo anch&amp;o</translation>
    </message>
    <message>
        <source>Same H&amp;eight</source>
        <translation>Mismo a&amp;lto</translation>
    </message>
    <message>
        <source>Ce&amp;ntre on Label</source>
        <translation>Ce&amp;ntrar en la etiqueta</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Seleccionar &amp;todo</translation>
    </message>
    <message>
        <source>Loc&amp;k</source>
        <translation>&amp;Bloquear</translation>
    </message>
    <message>
        <source>&amp;Arrange</source>
        <translation>&amp;Organizar</translation>
    </message>
    <message>
        <source>Arrange</source>
        <translation>Organizar</translation>
    </message>
    <message numerus="yes">
        <source>%n elements selected</source>
        <translation>
            <numerusform>%n elemento seleccionado</numerusform>
            <numerusform>%n elementos seleccionados</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Acercar</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>A&amp;lejar</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Tamaño real</translation>
    </message>
    <message>
        <source>Filter: %1</source>
        <translation>Filtro: %1</translation>
    </message>
</context>
<context>
    <name>TKxPostgresDialog</name>
    <message>
        <source>Add PostgreSQL Connection</source>
        <translation>Añadir conexión PostgreSQL</translation>
    </message>
    <message>
        <source>empty: the local socket</source>
        <translation>vacío: el socket local</translation>
    </message>
    <message>
        <source>empty: libpq&apos;s default</source>
        <translation>vacío: el de libpq</translation>
    </message>
    <message>
        <source>libpq&apos;s own files (PGPASSWORD, ~/.pgpass)</source>
        <translation>Los archivos de libpq (PGPASSWORD, ~/.pgpass)</translation>
    </message>
    <message>
        <source>An environment variable</source>
        <translation>Una variable de entorno</translation>
    </message>
    <message>
        <source>Type it now, kept for this session only</source>
        <translation>Escribirla ahora, solo para esta sesión</translation>
    </message>
    <message>
        <source>Alias name:</source>
        <translation>Nombre del alias:</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Servidor:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Base de datos:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Usuario:</translation>
    </message>
    <message>
        <source>Password from:</source>
        <translation>Contraseña desde:</translation>
    </message>
    <message>
        <source>Variable:</source>
        <translation>Variable:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>&amp;Test Connection</source>
        <translation>&amp;Probar conexión</translation>
    </message>
    <message>
        <source>new connection</source>
        <translation>conexión nueva</translation>
    </message>
    <message>
        <source>Connected: %1 tables.</source>
        <translation>Conexión correcta: %1 tablas.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Designs KxLab labels.</source>
        <translation>Diseña etiquetas KxLab.</translation>
    </message>
    <message>
        <source>A label file to open.</source>
        <translation>Un archivo de etiqueta que abrir.</translation>
    </message>
</context>
</TS>
