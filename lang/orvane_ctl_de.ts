<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>orvane3ctl</name>
    <message>
        <source>measurement already running</source>
        <translation>Messung läuft bereits</translation>
    </message>
    <message>
        <source>measurement started</source>
        <translation>Messung gestartet</translation>
    </message>
    <message>
        <source>tracking is not available on this controller</source>
        <translation>Tracking ist auf diesem Controller nicht verfügbar</translation>
    </message>
    <message>
        <source>measurement start unsuccessful!</source>
        <translation>Messungsstart fehlgeschlagen!</translation>
    </message>
    <message>
        <source>measurement not running</source>
        <translation>Messung läuft nicht</translation>
    </message>
    <message>
        <source>measurement stop unsuccessful</source>
        <translation>Messungsstopp fehlgeschlagen</translation>
    </message>
    <message>
        <source>measurement stopped</source>
        <translation>Messung gestoppt</translation>
    </message>
    <message>
        <source>Changes the controller: fails with exit code 5 while another front-end holds access, asks for the password when one is set.</source>
        <translation>Ändert den Controller: scheitert mit Exit-Code 5, solange ein anderes Front-End den Zugriff hält, und fragt nach dem Passwort, wenn eines gesetzt ist.</translation>
    </message>
    <message>
        <source>this controller model cannot be rebooted remotely</source>
        <translation>dieses Controller-Modell kann nicht aus der Ferne neu gestartet werden</translation>
    </message>
    <message>
        <source>Starts or stops measurement as the window&apos;s Start and Stop do. Fails with exit code 5 while another front-end holds access, asks for the password when one is set. A refused start is explained on stderr.</source>
        <translation>Startet oder stoppt die Messung wie Start und Stopp im Fenster. Scheitert mit Exit-Code 5, solange ein anderes Front-End den Zugriff hält, und fragt nach dem Passwort, wenn eines gesetzt ist. Ein abgelehnter Start wird auf stderr erklärt.</translation>
    </message>
    <message>
        <source>what to do</source>
        <translation>was zu tun ist</translation>
    </message>
    <message>
        <source>measure: expected start or stop, not %1</source>
        <translation>measure: start oder stop erwartet, nicht %1</translation>
    </message>
    <message>
        <source>controller shutting down</source>
        <translation>Controller fährt herunter</translation>
    </message>
    <message>
        <source>controller rebooting</source>
        <translation>Controller startet neu</translation>
    </message>
    <message>
        <source>Lists the controllers on the local subnets, or those answering at one subnet&apos;s broadcast address or one controller address. Reads only: takes no access. Exit code 3 when no controller answered.</source>
        <translation>Listet die Controller in den lokalen Subnetzen auf, oder die an der Broadcast-Adresse eines Subnetzes oder an einer Controller-Adresse antworten. Liest nur: nimmt keinen Zugriff. Exit-Code 3, wenn kein Controller geantwortet hat.</translation>
    </message>
    <message>
        <source>Ask only at this broadcast or controller address.</source>
        <translation>Nur an dieser Broadcast- oder Controller-Adresse fragen.</translation>
    </message>
    <message>
        <source>Print the list as JSON.</source>
        <translation>Liste als JSON ausgeben.</translation>
    </message>
    <message>
        <source>not an address: %1</source>
        <translation>keine Adresse: %1</translation>
    </message>
    <message>
        <source>scanning ...</source>
        <translation>Suche läuft ...</translation>
    </message>
    <message>
        <source>no controller answered</source>
        <translation>kein Controller hat geantwortet</translation>
    </message>
    <message>
        <source>no password set</source>
        <translation>kein Passwort gesetzt</translation>
    </message>
    <message>
        <source>password accepted</source>
        <translation>Passwort akzeptiert</translation>
    </message>
    <message>
        <source>password wrong</source>
        <translation>Passwort falsch</translation>
    </message>
    <message>
        <source>password required</source>
        <translation>Passwort erforderlich</translation>
    </message>
    <message>
        <source>wrong password</source>
        <translation>falsches Passwort</translation>
    </message>
    <message>
        <source>a password holds letters, digits and _-+./ only</source>
        <translation>ein Passwort besteht nur aus Buchstaben, Ziffern und _-+./</translation>
    </message>
    <message>
        <source>no answer from the controller</source>
        <translation>keine Antwort vom Controller</translation>
    </message>
    <message>
        <source>Password for %1: </source>
        <translation>Passwort für %1: </translation>
    </message>
    <message>
        <source>New password: </source>
        <translation>Neues Passwort: </translation>
    </message>
    <message>
        <source>Repeat the new password: </source>
        <translation>Neues Passwort wiederholen: </translation>
    </message>
    <message>
        <source>no new password given, or the two differ</source>
        <translation>kein neues Passwort angegeben, oder die beiden unterscheiden sich</translation>
    </message>
    <message>
        <source>password cleared</source>
        <translation>Passwort entfernt</translation>
    </message>
    <message>
        <source>password set</source>
        <translation>Passwort gesetzt</translation>
    </message>
    <message>
        <source>check: says whether a password is set and, if so, reads one and checks it (exit code 6 when wrong); reads only. set, clear: change the front-end password; the current password is read first when one is set, then the new one. Passwords are read from the terminal without echo, or one per line from standard input.</source>
        <translation>check: sagt, ob ein Passwort gesetzt ist, und liest und prüft in dem Fall eines (Exit-Code 6, wenn falsch); liest nur. set, clear: ändern das Front-End-Passwort; zuerst wird das aktuelle Passwort gelesen, wenn eines gesetzt ist, dann das neue. Passwörter werden ohne Echo vom Terminal gelesen, oder zeilenweise von der Standardeingabe.</translation>
    </message>
    <message>
        <source>password: expected check, set or clear, not %1</source>
        <translation>password: check, set oder clear erwartet, nicht %1</translation>
    </message>
    <message>
        <source>report: %1</source>
        <translation>Bericht: %1</translation>
    </message>
    <message>
        <source>the report is incomplete: the controller reported more entries than can be listed, or values that cannot be queried</source>
        <translation>der Bericht ist unvollständig: der Controller meldete mehr Einträge, als aufgelistet werden können, oder Werte, die sich nicht abfragen lassen</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot create a temporary file</source>
        <translation>temporäre Datei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Writes the configuration report, the text the system information export holds as its first block, to stdout or FILE; with --json the text, or the file name, in one object. Reads only: takes no access.</source>
        <translation>Schreibt den Konfigurationsbericht, den Text, den der Systeminformations-Export als ersten Block enthält, auf stdout oder in FILE; mit --json den Text oder den Dateinamen in einem Objekt. Liest nur: nimmt keinen Zugriff.</translation>
    </message>
    <message>
        <source>Write to FILE.</source>
        <translation>In FILE schreiben.</translation>
    </message>
    <message>
        <source>Writes the system information export to FILE: the configuration report, then the event logs of this controller from the last N days in the per-user logs folder. Prints the file and the logs it took. Reads only: takes no access.</source>
        <translation>Schreibt den Systeminformations-Export in FILE: den Konfigurationsbericht, dann die Ereignisprotokolle dieses Controllers der letzten N Tage aus dem Protokollordner des Benutzers. Gibt die Datei und die übernommenen Protokolle aus. Liest nur: nimmt keinen Zugriff.</translation>
    </message>
    <message>
        <source>Event logs of the last N days; default %1.</source>
        <translation>Ereignisprotokolle der letzten N Tage; Vorgabe %1.</translation>
    </message>
    <message>
        <source>export: expected -o FILE and a number of days</source>
        <translation>export: -o FILE und eine Anzahl Tage erwartet</translation>
    </message>
    <message>
        <source>export: %1</source>
        <translation>Export: %1</translation>
    </message>
    <message>
        <source>Sends one command and prints the controller&apos;s answer as received (control characters shown as &apos;?&apos; on a terminal). &apos;orvane2 get ...&apos; only reads; any other command checks access (exit code 5 while another front-end holds it), asks for the password when one is set and takes access. Exit code 7 for an error answer.</source>
        <translation>Sendet einen Befehl und gibt die Antwort des Controllers so aus, wie sie kam (Steuerzeichen auf einem Terminal als &apos;?&apos;). &apos;orvane2 get ...&apos; liest nur; jeder andere Befehl prüft den Zugriff (Exit-Code 5, solange ein anderes Front-End ihn hält), fragt nach dem Passwort, wenn eines gesetzt ist, und nimmt den Zugriff. Exit-Code 7 bei einer Fehlerantwort.</translation>
    </message>
    <message>
        <source>the command, e.g. &quot;orvane2 get system version&quot;</source>
        <translation>der Befehl, z. B. &quot;orvane2 get system version&quot;</translation>
    </message>
    <message>
        <source>send: a command is one line of fewer than %1 bytes</source>
        <translation>send: ein Befehl ist eine Zeile mit weniger als %1 Bytes</translation>
    </message>
    <message>
        <source>Sends the Wake-on-LAN magic packets for MAC and waits until the controller with that MAC answers; prints its name and address. Exit code 4 when it has not answered in time.</source>
        <translation>Sendet die Wake-on-LAN-Pakete für MAC und wartet, bis der Controller mit dieser MAC antwortet; gibt seinen Namen und seine Adresse aus. Exit-Code 4, wenn er nicht rechtzeitig geantwortet hat.</translation>
    </message>
    <message>
        <source>six hexadecimal parts, as 00:11:22:33:44:55</source>
        <translation>sechs hexadezimale Teile, wie 00:11:22:33:44:55</translation>
    </message>
    <message>
        <source>Wake on the subnet with this broadcast address or holding this address; default every local subnet.</source>
        <translation>Im Subnetz mit dieser Broadcast-Adresse oder mit dieser Adresse wecken; Vorgabe alle lokalen Subnetze.</translation>
    </message>
    <message>
        <source>Wait this long for the answer; 0 sends only. Default %1.</source>
        <translation>So lange auf die Antwort warten; 0 sendet nur. Vorgabe %1.</translation>
    </message>
    <message>
        <source>wake: expected a MAC such as 00:11:22:33:44:55, an address and a number of seconds</source>
        <translation>wake: eine MAC wie 00:11:22:33:44:55, eine Adresse und eine Anzahl Sekunden erwartet</translation>
    </message>
    <message>
        <source>cannot send the wake-up packets</source>
        <translation>die Weckpakete können nicht gesendet werden</translation>
    </message>
    <message>
        <source>wake-up sent, waiting up to %1 s for %2</source>
        <translation>Weckpakete gesendet, warte bis zu %1 s auf %2</translation>
    </message>
    <message>
        <source>no controller with MAC %1 answered within %2 s</source>
        <translation>kein Controller mit der MAC %1 hat innerhalb von %2 s geantwortet</translation>
    </message>
    <message>
        <source>still waiting for %1 ...</source>
        <translation>warte noch auf %1 ...</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Exit codes: see orvane3ctl --help.</source>
        <translation>Exit-Codes: siehe orvane3ctl --help.</translation>
    </message>
    <message>
        <source>controller name or address</source>
        <translation>Name oder Adresse des Controllers</translation>
    </message>
    <message>
        <source>Print the result as JSON.</source>
        <translation>Ergebnis als JSON ausgeben.</translation>
    </message>
    <message>
        <source>cannot resolve %1</source>
        <translation>%1 kann nicht aufgelöst werden</translation>
    </message>
    <message>
        <source>cannot open a UDP socket</source>
        <translation>ein UDP-Socket kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 (%2) does not answer and refuses connections: the controller is asleep; wake it with &apos;orvane3ctl wake MAC&apos;</source>
        <translation>%1 (%2) antwortet nicht und lehnt Verbindungen ab: der Controller schläft; wecken Sie ihn mit &apos;orvane3ctl wake MAC&apos;</translation>
    </message>
    <message>
        <source>no answer from %1 (%2)</source>
        <translation>keine Antwort von %1 (%2)</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>access to %1 is held by another front-end: %2; nothing done</source>
        <translation>den Zugriff auf %1 hält ein anderes Front-End: %2; nichts getan</translation>
    </message>
    <message>
        <source>%1 does not say whether it needs a password</source>
        <translation>%1 sagt nicht, ob es ein Passwort braucht</translation>
    </message>
    <message>
        <source>%1 requires a password</source>
        <translation>%1 verlangt ein Passwort</translation>
    </message>
    <message>
        <source>wrong password for %1</source>
        <translation>falsches Passwort für %1</translation>
    </message>
    <message>
        <source>cannot connect to %1 (%2)</source>
        <translation>keine Verbindung zu %1 (%2)</translation>
    </message>
    <message>
        <source>no answer from %1 to &apos;%2&apos;</source>
        <translation>keine Antwort von %1 auf &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1 answered &apos;%2&apos; to &apos;%3&apos;</source>
        <translation>%1 antwortete &apos;%2&apos; auf &apos;%3&apos;</translation>
    </message>
</context>
</TS>
