<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>WindowLayout</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Unsuccessful to open %1
%2</source>
        <translation>%1 konnte nicht geöffnet werden
%2</translation>
    </message>
    <message>
        <source>Error writing to %1
%2</source>
        <translation>Fehler beim Schreiben von %1
%2</translation>
    </message>
</context>
</TS>
