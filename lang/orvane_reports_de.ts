<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ExportConfiguration</name>
    <message>
        <location filename="../main/reports/ExportConfiguration.cpp" line="77"/>
        <location filename="../main/reports/ExportConfiguration.cpp" line="115"/>
        <location filename="../main/reports/ExportConfiguration.cpp" line="121"/>
        <source>Log Settings</source>
        <translation>Protokolleinstellungen</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportConfiguration.cpp" line="78"/>
        <source>You don&apos;t have the rights to write to this location.
 Please choose another location.</source>
        <translation>Sie haben keine Schreibrechte für diesen Ort.
 Bitte wählen Sie einen anderen Ort.</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportConfiguration.cpp" line="116"/>
        <source>%1 lines could not be written to the file
%2</source>
        <translation>%1 Zeilen konnten nicht in die Datei geschrieben werden
%2</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportConfiguration.cpp" line="122"/>
        <source>Informations successfully written to the file
%1</source>
        <translation>Informationen erfolgreich in die Datei geschrieben
%1</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportConfiguration.cpp" line="112"/>
        <source>The report in the file
%1
is incomplete: the controller reported more entries than can be listed, or values that cannot be queried.</source>
        <translation>Der Bericht in der Datei
%1
ist unvollständig: Der Controller hat mehr Einträge gemeldet, als aufgelistet werden können, oder Werte, die nicht abgefragt werden können.</translation>
    </message>
</context>
<context>
    <name>ExportSystemInformation</name>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="14"/>
        <source>Export System Information</source>
        <translation>Systeminformationen exportieren</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="23"/>
        <source>The configuration of the Controller is always exported. Choose the event logs to add: by age with the slider, or by hand in the table.</source>
        <translation>Die Konfiguration des Controllers wird immer exportiert. Wählen Sie die Ereignisprotokolle, die dazukommen sollen: nach Alter mit dem Schieberegler oder von Hand in der Tabelle.</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="48"/>
        <source>Event logs of the last &amp;days:</source>
        <translation>Ereignisprotokolle der letzten &amp;Tage:</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="75"/>
        <source>Select &amp;all</source>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="85"/>
        <source>&amp;Clear selection</source>
        <translation>Auswahl auf&amp;heben</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="134"/>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.ui" line="144"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="61"/>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="61"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="61"/>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="178"/>
        <source>%1 Byte</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="349"/>
        <source>estimated size: %1</source>
        <translation>geschätzte Größe: %1</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="372"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="372"/>
        <source>The resulting file is bigger than 10 MB!
Continue?</source>
        <translation>Die entstehende Datei ist größer als 10 MB!
Fortfahren?</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="378"/>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="404"/>
        <source>Writing file &apos;%1&apos; ...</source>
        <translation>Datei &apos;%1&apos; wird geschrieben ...</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="421"/>
        <source>Writing file &apos;%1&apos; ... complete.</source>
        <translation>Datei &apos;%1&apos; wird geschrieben ... fertig.</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="423"/>
        <source>Writing file &apos;%1&apos; ... failed. The file is incomplete.</source>
        <translation>Datei &apos;%1&apos; wird geschrieben ... fehlgeschlagen. Die Datei ist unvollständig.</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="434"/>
        <source>Writing file &apos;%1&apos; ... %2</source>
        <translation>Datei &apos;%1&apos; wird geschrieben ... %2</translation>
    </message>
    <message>
        <location filename="../main/reports/ExportSystemInformation.cpp" line="514"/>
        <source>Writing file &apos;%1&apos; ... done, but the configuration report is incomplete.</source>
        <translation>Datei &apos;%1&apos; wird geschrieben ... fertig, aber der Konfigurationsbericht ist unvollständig.</translation>
    </message>
</context>
</TS>
