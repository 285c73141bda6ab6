<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppStatusBar</name>
    <message>
        <location filename="../main/status/AppStatusBar.cpp" line="42"/>
        <source>Configuration &apos;%1&apos; on Controller &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CamStatusBar</name>
    <message>
        <location filename="../main/status/CamStatusBar.cpp" line="12"/>
        <source>Camera Status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CamStatusWidget</name>
    <message>
        <location filename="../main/status/CamStatusWidget.cpp" line="20"/>
        <source>&lt;b&gt;&apos;a/b&apos;&lt;/b&gt;&lt;br&gt;a: number of detected 2DOF markers &lt;br&gt;b: number of used 2DOF markers</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EventDisplay</name>
    <message>
        <location filename="../main/status/EventDisplay.cpp" line="20"/>
        <source>This windows shows all Controller warnings and error messages.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FreqStatusBar</name>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="13"/>
        <source>Sync Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="15"/>
        <source>  sync  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="16"/>
        <location filename="../main/status/FreqStatusBar.cpp" line="22"/>
        <source>Synccard frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="73"/>
        <source>waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/status/FreqStatusBar.cpp" line="86"/>
        <source>%1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RadioStatusBar</name>
    <message>
        <location filename="../main/status/RadioStatusBar.cpp" line="13"/>
        <source>QOR Radio Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/status/RadioStatusBar.cpp" line="16"/>
        <source>Displays whether QOR Radio is available and the channel number</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShortStatusWidget</name>
    <message>
        <location filename="../main/status/ShortStatusWidget.cpp" line="29"/>
        <source>This shows the number of currently tracked 6DOF bodies including all module bodies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/status/ShortStatusWidget.cpp" line="30"/>
        <source>This shows the number of currently tracked 3DOF marker.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextBrowser</name>
    <message>
        <location filename="../main/status/TextBrowser.cpp" line="11"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrackingStatusBar</name>
    <message>
        <location filename="../main/status/TrackingStatusBar.cpp" line="10"/>
        <source>Tracking Status</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
