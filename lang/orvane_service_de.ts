<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDlg2g</name>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="9"/>
        <source>About ORVANE3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="54"/>
        <source>&amp;Modules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="75"/>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="185"/>
        <source>Show &amp;details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="87"/>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="50"/>
        <source>This product uses third-party &lt;a href=&quot;file:///%1/%2&quot;&gt;Open-Source software&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="60"/>
        <source>Module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="60"/>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="148"/>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="92"/>
        <source>ORVANE3 frontend (on this PC):
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="93"/>
        <source>Published by QOR Systems</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="99"/>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="153"/>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="111"/>
        <source>Firmware release (Controller):
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="112"/>
        <source>%1 serial %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="148"/>
        <source>Cascaded System slave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="148"/>
        <source>Serial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="173"/>
        <source>not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="179"/>
        <source>&amp;Cascade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="185"/>
        <source>Hide &amp;details</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DocumentLinks</name>
    <message>
        <location filename="../main/reports/service/DocumentLinks.cpp" line="23"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/DocumentLinks.cpp" line="24"/>
        <source>Failed to open %1 Do you have a PDF reader installed?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServiceDialog</name>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="9"/>
        <source>ORVANE3 Service and Guides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="15"/>
        <source>Identification of this installation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="20"/>
        <source>Service ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="30"/>
        <source>Controller version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="40"/>
        <source>Frontend version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="54"/>
        <source>Technical support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="59"/>
        <source>Please give the service ID when you contact the technical support:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="72"/>
        <source>Copy the identification of this installation to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="73"/>
        <source>&amp;Copy to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="79"/>
        <source>Write the configuration report and the event logs into one file for the technical support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="80"/>
        <source>&amp;Export system information...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="98"/>
        <source>Guides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="129"/>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.cpp" line="34"/>
        <source>&lt;a href=&quot;file:///%1/%2&quot;&gt;QOR Hardware Installation Guide&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.cpp" line="37"/>
        <source>&lt;a href=&quot;file:///%1/%2&quot;&gt;ORVANE3 User&apos;s Guide&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.cpp" line="41"/>
        <source>&lt;a href=&quot;file:///%1/%2&quot;&gt;ORVANE3 Programmer&apos;s Guide&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
