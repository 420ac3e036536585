<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>TKxAliasesDialog</name>
    <message>
        <source>local socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database Aliases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alias</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your aliases file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;SQLite File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;PostgreSQL...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your aliases file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQLite Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alias Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the alias:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TKxMainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database A&amp;liases...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bring to &amp;Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to &amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align to &amp;Left Guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Align to &amp;Top Guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;ransparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pr&amp;operties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Dimensions...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Run...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Background...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data&amp;base...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snap to Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compound Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paragraph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Symbol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Label Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compound text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1[*] - KxLab Designer</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n element(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 at %2, %3 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x %1, y %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KxLab Designer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The label &quot;%1&quot; has changes that are not saved. Save them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels (*.kxl);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Label As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels (*.kxl)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG pictures, one per sheet (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SVG pictures, one per sheet (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enhanced metafiles, one per sheet (*.emf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export was cancelled; no file was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Exported %n file(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TKxPostgresDialog</name>
    <message>
        <source>Add PostgreSQL Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty: the local socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty: libpq&apos;s default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>libpq&apos;s own files (PGPASSWORD, ~/.pgpass)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An environment variable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type it now, kept for this session only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alias name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Designs KxLab labels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A label file to open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
