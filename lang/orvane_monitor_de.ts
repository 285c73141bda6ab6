<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MonitorDock</name>
    <message>
        <source>Live Monitor</source>
        <translation>Live-Monitor</translation>
    </message>
    <message>
        <source>Window:</source>
        <translation>Zeitfenster:</translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n Min.</numerusform>
            <numerusform>%n Min.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV exportieren...</translation>
    </message>
    <message>
        <source>Save Picture...</source>
        <translation>Bild speichern...</translation>
    </message>
    <message>
        <source>Output frequency</source>
        <translation>Ausgabefrequenz</translation>
    </message>
    <message>
        <source>Frames lost</source>
        <translation>Verlorene Frames</translation>
    </message>
    <message>
        <source>Markers</source>
        <translation>Marker</translation>
    </message>
    <message>
        <source>Tracked bodies</source>
        <translation>Getrackte Bodies</translation>
    </message>
    <message>
        <source>rays</source>
        <translation>Strahlen</translation>
    </message>
    <message>
        <source>used rays</source>
        <translation>genutzte Strahlen</translation>
    </message>
    <message>
        <source>Rays per camera (click a camera for its trend)</source>
        <translation>Strahlen je Kamera (Kamera anklicken für ihren Verlauf)</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Rays of camera %1</source>
        <translation>Strahlen der Kamera %1</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufzeichnung läuft</translation>
    </message>
    <message>
        <source>Not recording</source>
        <translation>Keine Aufzeichnung</translation>
    </message>
    <message>
        <source>the picture could not be written</source>
        <translation>das Bild konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>Could not save %1: %2</source>
        <translation>%1 konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Export trends</source>
        <translation>Verläufe exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>frames/s</source>
        <translation>Frames/s</translation>
    </message>
    <message>
        <source>count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>cameras 1 to %1</source>
        <translation>Kameras 1 bis %1</translation>
    </message>
</context>
<context>
    <name>MonitorModule</name>
    <message>
        <source>Live Monitor</source>
        <translation>Live-Monitor</translation>
    </message>
</context>
<context>
    <name>TopView</name>
    <message>
        <source>z (mm)</source>
        <translation>z (mm)</translation>
    </message>
    <message>
        <source>x (mm)</source>
        <translation>x (mm)</translation>
    </message>
    <message>
        <source>y (mm)</source>
        <translation>y (mm)</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>time (s)</source>
        <translation>Zeit (s)</translation>
    </message>
    <message>
        <source>time (min)</source>
        <translation>Zeit (min)</translation>
    </message>
</context>
</TS>
