<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>KxStrings</name>
    <message>
        <source>Line Properties</source>
        <comment>KxLinePro</comment>
        <translation>Propiedades de línea</translation>
    </message>
    <message>
        <source>BarCode Properties</source>
        <comment>KxBarCodePro</comment>
        <translation>Propiedades de código de barras</translation>
    </message>
    <message>
        <source>Text Properties</source>
        <comment>KxTextPro</comment>
        <translation>Propiedades de texto</translation>
    </message>
    <message>
        <source>Compound Text Properties</source>
        <comment>KxAddTextPro</comment>
        <translation>Propiedades de texto compuesto</translation>
    </message>
    <message>
        <source>Symbol Properties</source>
        <comment>KxSymbolPro</comment>
        <translation>Propiedades de símbolo</translation>
    </message>
    <message>
        <source>Paragraph Properties</source>
        <comment>KxParaPro</comment>
        <translation>Propiedades de párrafo</translation>
    </message>
    <message>
        <source>Rectangle Properties</source>
        <comment>KxRecPro</comment>
        <translation>Propiedades de rectángulo</translation>
    </message>
    <message>
        <source>Image Properties</source>
        <comment>KxImaPro</comment>
        <translation>Propiedades de imagen</translation>
    </message>
    <message>
        <source>Label Properties</source>
        <comment>KxLabPro</comment>
        <translation>Propiedades de etiqueta</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <comment>KxPrintPr</comment>
        <translation>Vista preliminar</translation>
    </message>
    <message>
        <source>Color</source>
        <comment>KxColor</comment>
        <translation>Color</translation>
    </message>
    <message>
        <source>Back</source>
        <comment>KxBack1</comment>
        <translation>Fondo</translation>
    </message>
    <message>
        <source>Back</source>
        <comment>KxBack</comment>
        <translation>Color de fondo</translation>
    </message>
    <message>
        <source>Transparent</source>
        <comment>KxTransparent</comment>
        <translation>Transparente</translation>
    </message>
    <message>
        <source>Font</source>
        <comment>KxFont</comment>
        <translation>Fuente</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>KxName</comment>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Bold</source>
        <comment>KxBold</comment>
        <translation>Negrita</translation>
    </message>
    <message>
        <source>Height</source>
        <comment>KxHeight</comment>
        <translation>Altura</translation>
    </message>
    <message>
        <source>Style</source>
        <comment>KxStyle</comment>
        <translation>Estilo</translation>
    </message>
    <message>
        <source>Italic</source>
        <comment>KxItalic</comment>
        <translation>Cursiva</translation>
    </message>
    <message>
        <source>Underline</source>
        <comment>KxUnderline</comment>
        <translation>Subrayado</translation>
    </message>
    <message>
        <source>Text</source>
        <comment>KxText</comment>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Angle</source>
        <comment>KxAngle</comment>
        <translation>Ángulo</translation>
    </message>
    <message>
        <source>Caracter distance</source>
        <comment>KxCaracDist</comment>
        <translation>Distancia entre caracteres</translation>
    </message>
    <message>
        <source>Position</source>
        <comment>KxInsert</comment>
        <translation>Posición</translation>
    </message>
    <message>
        <source>DataBase</source>
        <comment>KxDataBase</comment>
        <translation>Base de datos</translation>
    </message>
    <message>
        <source>Field</source>
        <comment>KxField</comment>
        <translation>Campo</translation>
    </message>
    <message>
        <source>Extract</source>
        <comment>KxExtract</comment>
        <translation>Extraer</translation>
    </message>
    <message>
        <source>First Point</source>
        <comment>KxFirstP</comment>
        <translation>Primer punto</translation>
    </message>
    <message>
        <source>Second Point</source>
        <comment>KxSecondP</comment>
        <translation>Segundo punto</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <comment>KxPenWidth</comment>
        <translation>Grosor de línea</translation>
    </message>
    <message>
        <source>Border</source>
        <comment>KxBorder</comment>
        <translation>Borde</translation>
    </message>
    <message>
        <source>Show</source>
        <comment>KxShow</comment>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Circle</source>
        <comment>KxCircle</comment>
        <translation>Círculo</translation>
    </message>
    <message>
        <source>Image</source>
        <comment>KxImage</comment>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Before</source>
        <comment>KxBefore</comment>
        <translation>Antes</translation>
    </message>
    <message>
        <source>After</source>
        <comment>KxAfter</comment>
        <translation>Después</translation>
    </message>
    <message>
        <source>BarCode</source>
        <comment>KxBarCode</comment>
        <translation>Código de barras</translation>
    </message>
    <message>
        <source>Kind</source>
        <comment>KxBarType</comment>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Properties</source>
        <comment>KxProperties</comment>
        <translation>Propiedades</translation>
    </message>
    <message>
        <source>Show Number</source>
        <comment>KxShowNumber</comment>
        <translation>Mostrar número</translation>
    </message>
    <message>
        <source>Bar Width</source>
        <comment>KxBarWidth</comment>
        <translation>Ancho de barra</translation>
    </message>
    <message>
        <source>L. Margin</source>
        <comment>KxLeftMargin</comment>
        <translation>Margen izq.</translation>
    </message>
    <message>
        <source>T. Margin</source>
        <comment>KxTopMargin</comment>
        <translation>Margen sup.</translation>
    </message>
    <message>
        <source>Number H.</source>
        <comment>KxNumberHeight</comment>
        <translation>Altura núm.</translation>
    </message>
    <message>
        <source>Dimensions</source>
        <comment>KxDim</comment>
        <translation>Dimensiones</translation>
    </message>
    <message>
        <source>Width</source>
        <comment>KxWidth</comment>
        <translation>Ancho</translation>
    </message>
    <message>
        <source>Separation</source>
        <comment>KxSep</comment>
        <translation>Separación</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <comment>KxHor</comment>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <comment>KxVer</comment>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Label Type</source>
        <comment>KxSize</comment>
        <translation>Tipo de etiqueta</translation>
    </message>
    <message>
        <source>Label Type</source>
        <comment>KxLabelType</comment>
        <translation>Forma de etiqueta</translation>
    </message>
    <message>
        <source>Print</source>
        <comment>KxPrint</comment>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Grid</source>
        <comment>KxGrid</comment>
        <translation>Rejilla</translation>
    </message>
    <message>
        <source>Rows</source>
        <comment>KxRow</comment>
        <translation>Filas</translation>
    </message>
    <message>
        <source>Columns</source>
        <comment>KxCol</comment>
        <translation>Columnas</translation>
    </message>
    <message>
        <source>Paper</source>
        <comment>KxPaper</comment>
        <translation>Papel</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <comment>KxRect</comment>
        <translation>Rectángulo</translation>
    </message>
    <message>
        <source>Inner Radio</source>
        <comment>KxInnerRadio</comment>
        <translation>Radio interior</translation>
    </message>
    <message>
        <source>Portrait</source>
        <comment>KxPortrait</comment>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Landscape</source>
        <comment>KxLandscape</comment>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical distance</source>
        <comment>KxGridY</comment>
        <translation>Distancia vertical</translation>
    </message>
    <message>
        <source>Horizontal distance</source>
        <comment>KxGridX</comment>
        <translation>Distancia horizontal</translation>
    </message>
    <message>
        <source>Frame</source>
        <comment>KxFrame</comment>
        <translation>Marco</translation>
    </message>
    <message>
        <source>Frame 1 Distance</source>
        <comment>KxD1Frame</comment>
        <translation>Distancia del marco 1</translation>
    </message>
    <message>
        <source>Frame 2 Distance</source>
        <comment>KxD2Frame</comment>
        <translation>Distancia del marco 2</translation>
    </message>
    <message>
        <source>Snap to Grid</source>
        <comment>KxSnapGrid</comment>
        <translation>Ajustar a la rejilla</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <comment>KxShowGrid</comment>
        <translation>Mostrar rejilla</translation>
    </message>
    <message>
        <source>Show Margins</source>
        <comment>KxShowMar</comment>
        <translation>Mostrar márgenes</translation>
    </message>
    <message>
        <source>Repetitions</source>
        <comment>KxRepe</comment>
        <translation>Repeticiones</translation>
    </message>
    <message>
        <source>Align Objects</source>
        <comment>KxAlignOb</comment>
        <translation>Alinear objetos</translation>
    </message>
    <message>
        <source>Left</source>
        <comment>KxAlignLeft</comment>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Top</source>
        <comment>KxAlignTop</comment>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Number of labels</source>
        <comment>KxNuLabs</comment>
        <translation>Número de etiquetas</translation>
    </message>
    <message>
        <source>First Column</source>
        <comment>KxFirstCol</comment>
        <translation>Primera columna</translation>
    </message>
    <message>
        <source>First Row</source>
        <comment>KxFirstRow</comment>
        <translation>Primera fila</translation>
    </message>
    <message>
        <source>Print From</source>
        <comment>KxPrintFrom</comment>
        <translation>Imprimir desde</translation>
    </message>
    <message>
        <source>To</source>
        <comment>KxTo</comment>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>Margins</source>
        <comment>KxPrMarg</comment>
        <translation>Márgenes</translation>
    </message>
    <message>
        <source>Distribution</source>
        <comment>KxDis</comment>
        <translation>Distribución</translation>
    </message>
    <message>
        <source>Show Lines</source>
        <comment>KxShowLines</comment>
        <translation>Mostrar líneas</translation>
    </message>
    <message>
        <source>Left: </source>
        <comment>KxLeft</comment>
        <translation>Izquierda: </translation>
    </message>
    <message>
        <source>Top: </source>
        <comment>KxTop</comment>
        <translation>Arriba: </translation>
    </message>
    <message>
        <source>Table</source>
        <comment>KxTable</comment>
        <translation>Tabla</translation>
    </message>
    <message>
        <source>Selection Color</source>
        <comment>KxColSelect</comment>
        <translation>Color de selección</translation>
    </message>
    <message>
        <source>Print Back</source>
        <comment>KxPrintBack</comment>
        <translation>Imprimir fondo</translation>
    </message>
    <message>
        <source>Gradient From</source>
        <comment>KxGradientFrom</comment>
        <translation>Degradado desde</translation>
    </message>
    <message>
        <source>Gradient To</source>
        <comment>KxGradientTo</comment>
        <translation>Degradado hasta</translation>
    </message>
    <message>
        <source>Back Style:</source>
        <comment>KxBackStyle</comment>
        <translation>Estilo de fondo:</translation>
    </message>
    <message>
        <source>User</source>
        <comment>KxUser</comment>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>KxClose</comment>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Envelope DL</source>
        <comment>KxEnDL</comment>
        <translation>Sobre DL</translation>
    </message>
    <message>
        <source>Envelope C5</source>
        <comment>KxEnC5</comment>
        <translation>Sobre C5</translation>
    </message>
    <message>
        <source>Envelope C3</source>
        <comment>KxEnC3</comment>
        <translation>Sobre C3</translation>
    </message>
    <message>
        <source>Envelope C4</source>
        <comment>KxEnC4</comment>
        <translation>Sobre C4</translation>
    </message>
    <message>
        <source>Envelope C6</source>
        <comment>KxEnC6</comment>
        <translation>Sobre C6</translation>
    </message>
    <message>
        <source>Envelope C65</source>
        <comment>KxEnC65</comment>
        <translation>Sobre C65</translation>
    </message>
    <message>
        <source>Envelope B5</source>
        <comment>KxEnB5</comment>
        <translation>Sobre B5</translation>
    </message>
    <message>
        <source>Envelope B4</source>
        <comment>KxEnB4</comment>
        <translation>Sobre B4</translation>
    </message>
    <message>
        <source>Envelope B6</source>
        <comment>KxEnB6</comment>
        <translation>Sobre B6</translation>
    </message>
    <message>
        <source>Envelope Invite</source>
        <comment>KxEnInv</comment>
        <translation>Sobre de invitación</translation>
    </message>
    <message>
        <source>Invalid filename: </source>
        <comment>KxInvalidFile</comment>
        <translation>Nombre de archivo no válido: </translation>
    </message>
    <message>
        <source>Invalid Field Name </source>
        <comment>KxInvalidImageField</comment>
        <translation>Nombre de campo no válido </translation>
    </message>
</context>
<context>
    <name>TKxPropDialog</name>
    <message>
        <source>'%1' is not a valid angle: type a whole number of degrees.</source>
        <translation>«%1» no es un ángulo válido: escriba un número entero de grados.</translation>
    </message>
</context>
<context>
    <name>TPropPara</name>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrado</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Justificado</translation>
    </message>
</context>
<context>
    <name>TPropSym</name>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
</context>
<context>
    <name>TProIma</name>
    <message>
        <source>AspectRatio</source>
        <translation>Proporción</translation>
    </message>
    <message>
        <source>AutoSize</source>
        <translation>Tamaño real</translation>
    </message>
</context>
<context>
    <name>TProRect</name>
    <message>
        <source>Radio: </source>
        <translation>Radio: </translation>
    </message>
</context>
<context>
    <name>TKxPrw</name>
    <message>
        <source>First page (Home)</source>
        <translation>Primera página (Inicio)</translation>
    </message>
    <message>
        <source>Previous page (Page Up)</source>
        <translation>Página anterior (Re Pág)</translation>
    </message>
    <message>
        <source>Next page (Page Down)</source>
        <translation>Página siguiente (Av Pág)</translation>
    </message>
    <message>
        <source>Last page (End)</source>
        <translation>Última página (Fin)</translation>
    </message>
    <message>
        <source>Whole page</source>
        <translation>Página completa</translation>
    </message>
    <message>
        <source>Page width</source>
        <translation>Ancho de página</translation>
    </message>
    <message>
        <source>Zoom out (Ctrl+-)</source>
        <translation>Alejar (Ctrl+-)</translation>
    </message>
    <message>
        <source>Zoom in (Ctrl++)</source>
        <translation>Acercar (Ctrl++)</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Save the page</source>
        <translation>Guardar la página</translation>
    </message>
    <message>
        <source>Enhanced metafile (*.emf)</source>
        <translation>Metarchivo mejorado (*.emf)</translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)</source>
        <translation>Mapa de bits (*.bmp)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>Imagen PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation>Dibujo SVG (*.svg)</translation>
    </message>
    <message>
        <source>%1: a page is saved as .emf, .bmp, .pdf, .png or .svg; nothing was written.</source>
        <translation>%1: una página se guarda como .emf, .bmp, .pdf, .png o .svg; no se ha escrito nada.</translation>
    </message>
</context>
<context>
    <name>TPropLab</name>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>GradientH</source>
        <translation>Degradado H</translation>
    </message>
    <message>
        <source>GradientV</source>
        <translation>Degradado V</translation>
    </message>
    <message>
        <source>GradientCircle</source>
        <translation>Degradado circular</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>One </source>
        <translation>Uno </translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Dos</translation>
    </message>
    <message>
        <source>Radio :</source>
        <translation>Radio :</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Ejecutar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Stock...</source>
        <translation>Hoja de etiquetas...</translation>
    </message>
    <message>
        <source>Lay the sheet out as a label stock, by maker and part number</source>
        <translation>Distribuir la hoja como una hoja de etiquetas, por fabricante y referencia</translation>
    </message>
    <message>
        <source>Roll: one label per page</source>
        <translation>Rollo: una etiqueta por página</translation>
    </message>
    <message>
        <source>For a roll (thermal) printer: one label per page, the page the label plus its gaps</source>
        <translation>Para una impresora de rollo (térmica): una etiqueta por página, la página es la etiqueta más sus separaciones</translation>
    </message>
    <message>
        <source>Stock: %1</source>
        <translation>Hoja: %1</translation>
    </message>
    <message>
        <source>Stock: %1 (changed since)</source>
        <translation>Hoja: %1 (cambiada después)</translation>
    </message>
    <message>
        <source>Quantity field</source>
        <translation>Campo de cantidad</translation>
    </message>
    <message>
        <source>Each record prints as many labels as this field says, times the repetitions</source>
        <translation>Cada registro imprime tantas etiquetas como indica este campo, por las repeticiones</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguno)</translation>
    </message>
    <message>
        <source>Labels to print: %1</source>
        <translation>Etiquetas a imprimir: %1</translation>
    </message>
    <message>
        <source>Filter: %1</source>
        <translation>Filtro: %1</translation>
    </message>
</context>
<context>
    <name>TKxNavigator</name>
    <message>
        <source>First record</source>
        <translation>Primer registro</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Registro anterior</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Registro siguiente</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Último registro</translation>
    </message>
</context>
<context>
    <name>TKxStock</name>
    <message>
        <source>%1 x %2 mm</source>
        <translation>%1 x %2 mm</translation>
    </message>
    <message>
        <source>%1 mm round, hole %2 mm</source>
        <translation>%1 mm redonda, agujero de %2 mm</translation>
    </message>
    <message>
        <source>%1 mm round</source>
        <translation>%1 mm redonda</translation>
    </message>
    <message>
        <source>%1 x %2, %3</source>
        <translation>%1 x %2, %3</translation>
    </message>
    <message>
        <source>elliptic labels cannot be drawn</source>
        <translation>las etiquetas elípticas no se pueden dibujar</translation>
    </message>
    <message>
        <source>discs cut straight on two sides cannot be drawn</source>
        <translation>los discos cortados en recto por dos lados no se pueden dibujar</translation>
    </message>
    <message>
        <source>the shape &quot;%1&quot; cannot be drawn</source>
        <translation>la forma &quot;%1&quot; no se puede dibujar</translation>
    </message>
    <message>
        <source>%1 layouts on one sheet</source>
        <translation>%1 distribuciones en una hoja</translation>
    </message>
    <message>
        <source>smaller than the smallest label, 10 x 5 mm</source>
        <translation>más pequeña que la etiqueta mínima, 10 x 5 mm</translation>
    </message>
    <message>
        <source>neighbouring labels overlap</source>
        <translation>las etiquetas vecinas se solapan</translation>
    </message>
    <message>
        <source>the paper &quot;%1&quot; is not known</source>
        <translation>el papel &quot;%1&quot; no se conoce</translation>
    </message>
    <message>
        <source>the original &quot;%1&quot; is not in the catalogue</source>
        <translation>el original &quot;%1&quot; no está en el catálogo</translation>
    </message>
</context>
<context>
    <name>TKxStockDialog</name>
    <message>
        <source>Label Stock</source>
        <translation>Hojas de etiquetas</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Buscar:</translation>
    </message>
    <message>
        <source>Maker or part number, e.g. L7160</source>
        <translation>Fabricante o referencia, p. ej. L7160</translation>
    </message>
    <message>
        <source>Maker</source>
        <translation>Fabricante</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Referencia</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Distribución</translation>
    </message>
    <message>
        <source>Catalogue files skipped because they could not be read: %1.</source>
        <translation>Archivos del catálogo omitidos porque no se pudieron leer: %1.</translation>
    </message>
    <message>
        <source>Built-in stocks only: no stock catalogue is installed.</source>
        <translation>Solo las hojas incorporadas: no hay ningún catálogo de hojas instalado.</translation>
    </message>
    <message>
        <source>Built-in stocks and those of the installed catalogue (files read: %1).</source>
        <translation>Hojas incorporadas y las del catálogo instalado (archivos leídos: %1).</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>First label at %1, %2 mm; the next %3 mm across and %4 mm down</source>
        <translation>Primera etiqueta en %1, %2 mm; la siguiente, %3 mm a la derecha y %4 mm más abajo</translation>
    </message>
    <message>
        <source>Built in</source>
        <translation>Incorporada</translation>
    </message>
    <message>
        <source>Laid out in tenths of a millimetre, the labels are within %1 mm of the stock's.</source>
        <translation>Distribuidas en décimas de milímetro, las etiquetas quedan a no más de %1 mm de las de la hoja.</translation>
    </message>
    <message>
        <source>Cannot be used: %1.</source>
        <translation>No se puede usar: %1.</translation>
    </message>
</context>
<context>
    <name>KxSteps</name>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Mover</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Cambiar tamaño</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Modificar</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Ordenar</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Alinear</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparencia</translation>
    </message>
    <message>
        <source>Label Settings</source>
        <translation>Ajustes de etiqueta</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Base de datos</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insertar</translation>
    </message>
    <message>
        <source>Label Stock</source>
        <translation>Hoja de etiquetas</translation>
    </message>
    <message>
        <source>Roll Layout</source>
        <translation>Disposición en rollo</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Alinear a la izquierda</translation>
    </message>
    <message>
        <source>Align Centre</source>
        <translation>Alinear al centro</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Alinear a la derecha</translation>
    </message>
    <message>
        <source>Align Top</source>
        <translation>Alinear arriba</translation>
    </message>
    <message>
        <source>Align Middle</source>
        <translation>Alinear al medio</translation>
    </message>
    <message>
        <source>Align Bottom</source>
        <translation>Alinear abajo</translation>
    </message>
    <message>
        <source>Distribute Horizontally</source>
        <translation>Distribuir horizontalmente</translation>
    </message>
    <message>
        <source>Distribute Vertically</source>
        <translation>Distribuir verticalmente</translation>
    </message>
    <message>
        <source>Same Width</source>
        <translation>Mismo ancho</translation>
    </message>
    <message>
        <source>Same Height</source>
        <translation>Mismo alto</translation>
    </message>
    <message>
        <source>Centre on Label</source>
        <translation>Centrar en la etiqueta</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Bloquear</translation>
    </message>
    <message>
        <source>Unlock</source>
        <translation>Desbloquear</translation>
    </message>
</context>
<context>
    <name>KxBarcode</name>
    <message>
        <source>Wrong check digit: the code ends in %1, but its check digit is %2</source>
        <translation>Dígito de control erróneo: el código termina en %1, pero su dígito de control es %2</translation>
    </message>
    <message>
        <source>%1 takes %2 digits, or %3 with its check digit</source>
        <translation>%1 lleva %2 dígitos, o %3 con su dígito de control</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria agotada</translation>
    </message>
    <message>
        <source>The data is too long for a QR code at level %1</source>
        <translation>Los datos son demasiado largos para un código QR de nivel %1</translation>
    </message>
    <message>
        <source>The data is too long for %1</source>
        <translation>Los datos son demasiado largos para %1</translation>
    </message>
    <message>
        <source>%1 cannot encode this data: %2</source>
        <translation>%1 no puede codificar estos datos: %2</translation>
    </message>
    <message>
        <source>%1 cannot encode this data</source>
        <translation>%1 no puede codificar estos datos</translation>
    </message>
    <message>
        <source>The add-on takes 2 or 5 digits after a '+', as in %1</source>
        <translation>El complemento lleva 2 o 5 dígitos tras un '+', como en %1</translation>
    </message>
    <message>
        <source>%1 takes 7 digits starting with 0 or 1, or 8 with its check digit</source>
        <translation>%1 lleva 7 dígitos que empiezan por 0 o 1, u 8 con su dígito de control</translation>
    </message>
    <message>
        <source>This kind has no encoder of its own</source>
        <translation>Este tipo no tiene codificador propio</translation>
    </message>
    <message>
        <source>The data holds a character that is not valid Unicode</source>
        <translation>Los datos contienen un carácter que no es Unicode válido</translation>
    </message>
    <message>
        <source>There is no data to encode</source>
        <translation>No hay datos que codificar</translation>
    </message>
    <message>
        <source>A GS1 Digital Link is a web address whose path names a GTIN with its check digit, as in %1</source>
        <translation>Un GS1 Digital Link es una dirección web cuya ruta nombra un GTIN con su dígito de control, como en %1</translation>
    </message>
    <message>
        <source>%1 cannot encode “%2”: it takes digits, capital letters, space and - . $ / + %</source>
        <translation>%1 no puede codificar “%2”: admite dígitos, letras mayúsculas, espacio y - . $ / + %</translation>
    </message>
</context>
<context>
    <name>TPropCoBar</name>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Error correction</source>
        <translation>Corrección de errores</translation>
    </message>
    <message>
        <source>L (7 %)</source>
        <translation>L (7 %)</translation>
    </message>
    <message>
        <source>M (15 %)</source>
        <translation>M (15 %)</translation>
    </message>
    <message>
        <source>Q (25 %)</source>
        <translation>Q (25 %)</translation>
    </message>
    <message>
        <source>H (30 %)</source>
        <translation>H (30 %)</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Datos</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>GS1 element strings</source>
        <translation>Cadenas de elementos GS1</translation>
    </message>
    <message>
        <source>GS1 Digital Link</source>
        <translation>GS1 Digital Link</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Forma</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Cuadrada</translation>
    </message>
    <message>
        <source>Rectangular</source>
        <translation>Rectangular</translation>
    </message>
    <message>
        <source>Check character (modulo 43)</source>
        <translation>Carácter de control (módulo 43)</translation>
    </message>
</context>
<context>
    <name>KxLabelFile</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>No se puede abrir &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Cannot create &quot;%1&quot;: %2</source>
        <translation>No se puede crear &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: %2</source>
        <translation>No se puede guardar &quot;%1&quot;: %2</translation>
    </message>
</context>
</TS>
