<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>SearchHardwareDlg</name>
    <message>
        <source>Search for new hardware</source>
        <translation>Nach neuer Hardware suchen</translation>
    </message>
    <message>
        <source>This may take up to 15 seconds!</source>
        <translation>Dies kann bis zu 15 Sekunden dauern!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>This may take up to %1 seconds!</source>
        <translation>Dies kann bis zu %1 Sekunden dauern!</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>Search for new hardware...done</source>
        <translation>Suche nach neuer Hardware...abgeschlossen</translation>
    </message>
    <message>
        <source>Error: Unable search for new hardware</source>
        <translation>Fehler: Suche nach neuer Hardware nicht möglich</translation>
    </message>
</context>
</TS>
