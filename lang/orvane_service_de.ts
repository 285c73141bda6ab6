<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDlg2g</name>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="9"/>
        <source>About ORVANE3</source>
        <translation>Über ORVANE3</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="54"/>
        <source>&amp;Modules</source>
        <translation>&amp;Module</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="75"/>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="203"/>
        <source>Show &amp;details</source>
        <translation>&amp;Details anzeigen</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.ui" line="87"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="59"/>
        <source>This product uses third-party &lt;a href=&quot;file:///%1/%2&quot;&gt;Open-Source software&lt;/a&gt;</source>
        <translation>Dieses Produkt verwendet &lt;a href=&quot;file:///%1/%2&quot;&gt;Open-Source-Software&lt;/a&gt; von Drittanbietern</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="69"/>
        <source>Module</source>
        <translation>Modul</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="69"/>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="166"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="110"/>
        <source>ORVANE3 frontend (on this PC):
</source>
        <translation>ORVANE3-Frontend (auf diesem PC):
</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="111"/>
        <source>Published by QOR Systems</source>
        <translation>Herausgegeben von QOR Systems</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="117"/>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="171"/>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="129"/>
        <source>Firmware release (Controller):
</source>
        <translation>Firmware-Version (Controller):
</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="130"/>
        <source>%1 serial %2
</source>
        <translation>%1 Seriennummer %2
</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="166"/>
        <source>Cascaded System slave</source>
        <translation>Slave des kaskadierten Systems</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="166"/>
        <source>Serial</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="191"/>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="197"/>
        <source>&amp;Cascade</source>
        <translation>&amp;Kaskade</translation>
    </message>
    <message>
        <location filename="../main/reports/service/AboutDlg2g.cpp" line="203"/>
        <source>Hide &amp;details</source>
        <translation>&amp;Details ausblenden</translation>
    </message>
</context>
<context>
    <name>DocumentLinks</name>
    <message>
        <location filename="../main/reports/service/DocumentLinks.cpp" line="23"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location filename="../main/reports/service/DocumentLinks.cpp" line="24"/>
        <source>Failed to open %1 Do you have a PDF reader installed?</source>
        <translation>%1 konnte nicht geöffnet werden. Ist ein PDF-Betrachter installiert?</translation>
    </message>
</context>
<context>
    <name>HelpMenuEntries</name>
    <message>
        <location filename="../main/reports/service/HelpMenuEntries.cpp" line="11"/>
        <source>&amp;Service and Guides</source>
        <translation>&amp;Service und Handbücher</translation>
    </message>
    <message>
        <location filename="../main/reports/service/HelpMenuEntries.cpp" line="12"/>
        <source>Get service from Q.O.R. or view ORVANE3 guides</source>
        <translation>Service von Q.O.R. erhalten oder die ORVANE3-Handbücher ansehen</translation>
    </message>
    <message>
        <location filename="../main/reports/service/HelpMenuEntries.cpp" line="19"/>
        <source>&amp;ORVANE3</source>
        <translation>&amp;ORVANE3</translation>
    </message>
    <message>
        <location filename="../main/reports/service/HelpMenuEntries.cpp" line="21"/>
        <source>Show the detailed information of ORVANE3</source>
        <translation>Ausführliche Informationen über ORVANE3 anzeigen</translation>
    </message>
</context>
<context>
    <name>ServiceDialog</name>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="9"/>
        <source>ORVANE3 Service and Guides</source>
        <translation>ORVANE3 Service und Handbücher</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="15"/>
        <source>Identification of this installation</source>
        <translation>Kennung dieser Installation</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="20"/>
        <source>Service ID</source>
        <translation>Service-ID</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="30"/>
        <source>Controller version</source>
        <translation>Controller-Version</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="40"/>
        <source>Frontend version</source>
        <translation>Frontend-Version</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="54"/>
        <source>Technical support</source>
        <translation>Technischer Support</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="59"/>
        <source>Please give the service ID when you contact the technical support:</source>
        <translation>Bitte nennen Sie die Service-ID, wenn Sie sich an den technischen Support wenden:</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="72"/>
        <source>Copy the identification of this installation to the clipboard</source>
        <translation>Die Kennung dieser Installation in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="73"/>
        <source>&amp;Copy to clipboard</source>
        <translation>In die Zwischenablage &amp;kopieren</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="79"/>
        <source>Write the configuration report and the event logs into one file for the technical support</source>
        <translation>Den Konfigurationsbericht und die Ereignisprotokolle für den technischen Support in eine Datei schreiben</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="80"/>
        <source>&amp;Export system information...</source>
        <translation>System&amp;informationen exportieren...</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="98"/>
        <source>Guides</source>
        <translation>Handbücher</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.ui" line="129"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.cpp" line="44"/>
        <source>&lt;a href=&quot;file:///%1/%2&quot;&gt;QOR Hardware Installation Guide&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;file:///%1/%2&quot;&gt;QOR Hardware-Installationshandbuch&lt;/a&gt;</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.cpp" line="47"/>
        <source>&lt;a href=&quot;file:///%1/%2&quot;&gt;ORVANE3 User&apos;s Guide&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;file:///%1/%2&quot;&gt;ORVANE3 Benutzerhandbuch&lt;/a&gt;</translation>
    </message>
    <message>
        <location filename="../main/reports/service/ServiceDialog.cpp" line="51"/>
        <source>&lt;a href=&quot;file:///%1/%2&quot;&gt;ORVANE3 Programmer&apos;s Guide&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;file:///%1/%2&quot;&gt;ORVANE3 Programmierhandbuch&lt;/a&gt;</translation>
    </message>
</context>
</TS>
