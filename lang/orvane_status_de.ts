<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>AppStatusBar</name>
    <message>
        <location filename="../main/status/AppStatusBar.cpp" line="42" />
        <source>Configuration '%1' on Controller '%2'</source>
        <translation>Konfiguration '%1' auf Controller '%2'</translation>
    </message>
</context>
<context>
    <name>CamStatusBar</name>
    <message>
        <location filename="../main/status/CamStatusBar.cpp" line="14" />
        <source>Camera Status</source>
        <translation>Kamerastatus</translation>
    </message>
</context>
<context>
    <name>CamStatusWidget</name>
    <message>
        <location filename="../main/status/CamStatusWidget.cpp" line="20" />
        <source>&lt;b&gt;'a/b'&lt;/b&gt;&lt;br&gt;a: number of detected 2DOF markers &lt;br&gt;b: number of used 2DOF markers</source>
        <translation>&lt;b&gt;'a/b'&lt;/b&gt;&lt;br&gt;a: Anzahl der erkannten 2DOF-Marker &lt;br&gt;b: Anzahl der verwendeten 2DOF-Marker</translation>
    </message>
</context>
<context>
    <name>EventDisplay</name>
    <message>
        <location filename="../main/status/EventDisplay.cpp" line="20" />
        <source>This windows shows all Controller warnings and error messages.</source>
        <translation>Dieses Fenster zeigt alle Warnungen und Fehlermeldungen des Controllers.</translation>
    </message>
    <message>
        <location filename="../main/status/EventDisplay.cpp" line="129" />
        <source>The event log of this day has reached %1 MB. Further events are shown but not logged.</source>
        <translation>Das Ereignisprotokoll dieses Tages hat %1 MB erreicht. Weitere Ereignisse werden angezeigt, aber nicht protokolliert.</translation>
    </message>
</context>
<context>
    <name>FreqStatusBar</name>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="13" />
        <source>Sync Status</source>
        <translation>Sync-Status</translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="15" />
        <source>  sync  </source>
        <translation>  Sync  </translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="16" />
        <location filename="../main/status/FreqStatusBar.cpp" line="22" />
        <source>Synccard frequency</source>
        <translation>Frequenz der Sync-Karte</translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="78" />
        <source>waiting...</source>
        <translation>warte...</translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="91" />
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
</context>
<context>
    <name>RadioStatusBar</name>
    <message>
        <location filename="../main/status/RadioStatusBar.cpp" line="13" />
        <source>QOR Radio Status</source>
        <translation>QOR-Funkstatus</translation>
    </message>
    <message>
        <location filename="../main/status/RadioStatusBar.cpp" line="16" />
        <source>Displays whether QOR Radio is available and the channel number</source>
        <translation>Zeigt, ob QOR-Funk verfügbar ist, und die Kanalnummer</translation>
    </message>
</context>
<context>
    <name>ShortStatusWidget</name>
    <message>
        <location filename="../main/status/ShortStatusWidget.cpp" line="29" />
        <source>This shows the number of currently tracked 6DOF bodies including all module bodies.</source>
        <translation>Zeigt die Anzahl der aktuell verfolgten 6DOF-Körper einschließlich aller Modulkörper.</translation>
    </message>
    <message>
        <location filename="../main/status/ShortStatusWidget.cpp" line="30" />
        <source>This shows the number of currently tracked 3DOF marker.</source>
        <translation>Zeigt die Anzahl der aktuell verfolgten 3DOF-Marker.</translation>
    </message>
</context>
<context>
    <name>TextBrowser</name>
    <message>
        <location filename="../main/status/TextBrowser.cpp" line="11" />
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
</context>
<context>
    <name>TrackingStatusBar</name>
    <message>
        <location filename="../main/status/TrackingStatusBar.cpp" line="10" />
        <source>Tracking Status</source>
        <translation>Tracking-Status</translation>
    </message>
</context>
</TS>