<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>CtlDiagnose</name>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="99" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="422" />
        <source>name resolution</source>
        <translation>Namensauflösung</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="103" />
        <source>%1 does not resolve</source>
        <translation>%1 lässt sich nicht auflösen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="104" />
        <source>check the spelling, the name server or /etc/hosts, or give the address</source>
        <translation>Schreibweise, Namensserver oder /etc/hosts prüfen oder die Adresse angeben</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="108" />
        <source>%1 is an address</source>
        <translation>%1 ist eine Adresse</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="110" />
        <source>%1 is %2</source>
        <translation>%1 ist %2</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="130" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="422" />
        <source>local route</source>
        <translation>lokale Route</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="140" />
        <source>interface %1, subnet %2/%3</source>
        <translation>Schnittstelle %1, Subnetz %2/%3</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="146" />
        <source>, no broadcast: a wake-up goes to the address itself</source>
        <translation>, kein Broadcast: ein Weckruf geht an die Adresse selbst</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="149" />
        <source>, wake-up broadcast %1</source>
        <translation>, Weck-Broadcast %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="157" />
        <source>not on a local subnet; reached through the default route on %1</source>
        <translation>nicht in einem lokalen Subnetz; erreichbar über die Standardroute auf %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="158" />
        <source>wake-up broadcasts do not cross routers; wake it from its own subnet</source>
        <translation>Weck-Broadcasts passieren keine Router; aus dem eigenen Subnetz wecken</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="162" />
        <source>no local interface or route reaches %1</source>
        <translation>keine lokale Schnittstelle und keine Route erreicht %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="163" />
        <source>connect this PC to the controller's network or add a route</source>
        <translation>diesen PC mit dem Netz des Controllers verbinden oder eine Route anlegen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="171" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="193" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="422" />
        <source>UDP answer</source>
        <translation>UDP-Antwort</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="172" />
        <source>no UDP socket on this PC</source>
        <translation>kein UDP-Socket auf diesem PC</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="186" />
        <source>answered on port %1 in %2 ms</source>
        <translation>antwortet auf Port %1 in %2 ms</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="196" />
        <source>no answer on port %1 (%2 tries)</source>
        <translation>keine Antwort auf Port %1 (%2 Versuche)</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="202" />
        <source>, and TCP connections are refused</source>
        <translation>, und TCP-Verbindungen werden abgewiesen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="203" />
        <source>the controller is asleep or its software is not running: wake it (orvane3ctl wake MAC) or switch it on</source>
        <translation>der Controller schläft oder seine Software läuft nicht: wecken (orvane3ctl wake MAC) oder einschalten</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="208" />
        <source>, although TCP connections are accepted</source>
        <translation>, obwohl TCP-Verbindungen angenommen werden</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="209" />
        <source>the controller software hangs, or a firewall drops UDP: restart the controller, check the firewall</source>
        <translation>die Controller-Software hängt oder eine Firewall verwirft UDP: Controller neu starten, Firewall prüfen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="215" />
        <source>the controller is off, asleep or behind a firewall: check its power and cable, wake it, or allow UDP port %1</source>
        <translation>der Controller ist aus, schläft oder steht hinter einer Firewall: Stromversorgung und Kabel prüfen, wecken oder UDP-Port %1 freigeben</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="223" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="423" />
        <source>TCP connect</source>
        <translation>TCP-Verbindung</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="229" />
        <source>port %1 accepts connections (%2 ms)</source>
        <translation>Port %1 nimmt Verbindungen an (%2 ms)</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="233" />
        <source>connection refused</source>
        <translation>Verbindung abgewiesen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="234" />
        <source>a firewall rejects TCP port %1: allow it</source>
        <translation>eine Firewall weist TCP-Port %1 ab: freigeben</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="235" />
        <source>nothing listens on port %1</source>
        <translation>auf Port %1 lauscht nichts</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="238" />
        <source>network unreachable</source>
        <translation>Netz nicht erreichbar</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="239" />
        <source>check the cable and the route</source>
        <translation>Kabel und Route prüfen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="243" />
        <source>no answer within %1 ms</source>
        <translation>keine Antwort innerhalb von %1 ms</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="244" />
        <source>a firewall drops TCP port %1, or the controller is off</source>
        <translation>eine Firewall verwirft TCP-Port %1, oder der Controller ist aus</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="260" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="423" />
        <source>protocol version</source>
        <translation>Protokollversion</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="265" />
        <source>system %1, protocol version not readable</source>
        <translation>System %1, Protokollversion nicht lesbar</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="267" />
        <source>a controller this old offers few features; update its software</source>
        <translation>ein so alter Controller bietet wenige Funktionen; seine Software aktualisieren</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="268" />
        <source>protocol %1, system %2</source>
        <translation>Protokoll %1, System %2</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="271" />
        <source>, model %1</source>
        <translation>, Modell %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="273" />
        <source>; every feature on</source>
        <translation>; alle Funktionen an</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="273" />
        <source>; off: %1</source>
        <translation>; aus: %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="279" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="423" />
        <source>access holder</source>
        <translation>Zugriffsinhaber</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="283" />
        <source>access state not readable</source>
        <translation>Zugriffsstatus nicht lesbar</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="286" />
        <source>this PC would get full access</source>
        <translation>dieser PC bekäme vollen Zugriff</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="292" />
        <source>another front-end or the cascade master</source>
        <translation>ein anderes Front-End oder der Kaskaden-Master</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="293" />
        <source>held by %1</source>
        <translation>gehalten von %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="294" />
        <source>close the front-end there, or ask its user to</source>
        <translation>das Front-End dort schließen oder dessen Benutzer darum bitten</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="299" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="424" />
        <source>password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="304" />
        <source>the controller did not tell</source>
        <translation>der Controller gab keine Auskunft</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="306" />
        <source>a front-end password is set</source>
        <translation>ein Front-End-Passwort ist gesetzt</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="307" />
        <source>have it ready; orvane3ctl password check tests it</source>
        <translation>bereithalten; orvane3ctl password check prüft es</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="309" />
        <source>this protocol version has no password</source>
        <translation>diese Protokollversion kennt kein Passwort</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="310" />
        <source>no password set</source>
        <translation>kein Passwort gesetzt</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="317" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="424" />
        <source>data path</source>
        <translation>Datenpfad</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="321" />
        <source>not checked: the controller does not measure (state %1)</source>
        <translation>nicht geprüft: der Controller misst nicht (Zustand %1)</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="323" />
        <source>start measurement and run diagnose again</source>
        <translation>Messung starten und diagnose erneut ausführen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="326" />
        <source>not checked: the front-end holding access receives the data</source>
        <translation>nicht geprüft: das Front-End mit dem Zugriff empfängt die Daten</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="336" />
        <source>not checked: no data socket, or the monitoring route could not be put back</source>
        <translation>nicht geprüft: kein Daten-Socket, oder die Monitoring-Route ließe sich nicht wiederherstellen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="339" />
        <source>not checked: the controller refused the route</source>
        <translation>nicht geprüft: der Controller lehnte die Umleitung ab</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="359" />
        <source>a monitoring datagram reached this PC after %1 ms</source>
        <translation>ein Monitoring-Datagramm erreichte diesen PC nach %1 ms</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="362" />
        <source>no monitoring datagram within %1 ms while the controller measures</source>
        <translation>kein Monitoring-Datagramm innerhalb von %1 ms, obwohl der Controller misst</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="364" />
        <source>a firewall on this PC or between drops UDP from the controller: allow UDP from %1</source>
        <translation>eine Firewall auf diesem PC oder dazwischen verwirft UDP vom Controller: UDP von %1 freigeben</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="372" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="424" />
        <source>wake-on-LAN</source>
        <translation>Wake-on-LAN</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="375" />
        <source>this protocol version does not tell its MAC</source>
        <translation>diese Protokollversion nennt ihre MAC nicht</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="376" />
        <location filename="../main/ctl/CmdDiagnose.cpp" line="381" />
        <source>note the MAC from the controller's label for wake-ups</source>
        <translation>die MAC zum Wecken vom Typenschild des Controllers notieren</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="380" />
        <source>MAC not readable</source>
        <translation>MAC nicht lesbar</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="383" />
        <source>MAC %1 known: orvane3ctl wake %1 can wake it</source>
        <translation>MAC %1 bekannt: orvane3ctl wake %1 kann ihn wecken</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="427" />
        <source>not checked after the failure above</source>
        <translation>nach dem Fehler oben nicht geprüft</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="436" />
        <source>Walks the path a connection takes and prints one verdict per step (ok, warning,
failed, skipped): name, local route and wake-up broadcast, UDP answer and round
trip, TCP connect, protocol version and features, access holder, password, data
path, MAC for wake-on-LAN. Exits with the code of the first failed step.
Never initialises the controller or takes access; while nobody holds access and
the controller measures, it routes the monitoring output here for a moment and
then restores it.</source>
        <translation>Geht den Weg einer Verbindung ab und gibt je Schritt ein Urteil aus (ok, warning,
failed, skipped): Name, lokale Route und Weck-Broadcast, UDP-Antwort und Umlaufzeit,
TCP-Verbindung, Protokollversion und Funktionen, Zugriffsinhaber, Passwort, Datenpfad,
MAC für Wake-on-LAN. Endet mit dem Code des ersten fehlgeschlagenen Schritts.
Initialisiert den Controller nie und übernimmt keinen Zugriff; solange niemand Zugriff hat
und der Controller misst, leitet es die Monitoring-Ausgabe kurz hierher um und stellt
sie danach wieder her.</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="443" />
        <source>controller name or address</source>
        <translation>Name oder Adresse des Controllers</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="449" />
        <source>diagnose needs exactly one HOST</source>
        <translation>diagnose braucht genau einen HOST</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="467" />
        <source>summary: %1 ok, %2 warnings: the path to the controller is open</source>
        <translation>Zusammenfassung: %1 ok, %2 Warnungen: der Weg zum Controller ist frei</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdDiagnose.cpp" line="470" />
        <source>summary: %1 ok, %2 warnings, %3 failed; first failure: %4 (exit code %5)</source>
        <translation>Zusammenfassung: %1 ok, %2 Warnungen, %3 fehlgeschlagen; erster Fehler: %4 (Exit-Code %5)</translation>
    </message>
</context>
<context>
    <name>CtlMetrics</name>
    <message>
        <location filename="../main/ctl/CmdMetrics.cpp" line="209" />
        <source>Prints the Prometheus text format for every controller named, for node_exporter's
textfile collector. A controller that does not answer gives orvane3_up 0; the run
still succeeds. Controllers are read in parallel.</source>
        <translation>Gibt für jeden genannten Controller das Prometheus-Textformat aus, für den
Textfile-Collector des node_exporter. Ein Controller, der nicht antwortet, ergibt
orvane3_up 0; der Lauf gelingt trotzdem. Die Controller werden parallel gelesen.</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdMetrics.cpp" line="214" />
        <source>controller names or addresses</source>
        <translation>Namen oder Adressen der Controller</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdMetrics.cpp" line="224" />
        <source>metrics needs from 1 to %1 HOST names</source>
        <translation>metrics braucht 1 bis %1 HOST-Namen</translation>
    </message>
</context>
<context>
    <name>CtlStatus</name>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="38" />
        <source>held by %1</source>
        <translation>gehalten von %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="40" />
        <source>another front-end</source>
        <translation>ein anderes Front-End</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="43" />
        <source>held by %1 (this PC)</source>
        <translation>gehalten von %1 (dieser PC)</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="44" />
        <source>free</source>
        <translation>frei</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="51" />
        <source> (the controller claims more; cut)</source>
        <translation> (der Controller meldet mehr; gekürzt)</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="65" />
        <source>channel %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="66" />
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="72" />
        <source>Controller</source>
        <translation>Controller</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="73" />
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="74" />
        <source>System version</source>
        <translation>Systemversion</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="75" />
        <source>Protocol version</source>
        <translation>Protokollversion</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="76" />
        <source>Controller version</source>
        <translation>Controller-Version</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="77" />
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="78" />
        <source>Measurement</source>
        <translation>Messung</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="79" />
        <source>Cameras (rays/used)</source>
        <translation>Kameras (Strahlen/genutzt)</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="80" />
        <source>Bodies</source>
        <translation>Körper</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="81" />
        <source>Markers</source>
        <translation>Marker</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="82" />
        <source>Sync frequency</source>
        <translation>Sync-Frequenz</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="83" />
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="85" />
        <source>Frames lost</source>
        <translation>Verlorene Frames</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="86" />
        <source>Radio</source>
        <translation>Funk</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="87" />
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="103" />
        <source>cannot resolve the name %1</source>
        <translation>der Name %1 lässt sich nicht auflösen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="119" />
        <source>%1 does not answer and refuses connections: asleep, or its software is not running</source>
        <translation>%1 antwortet nicht und weist Verbindungen ab: schläft, oder seine Software läuft nicht</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="123" />
        <source>no UDP socket on this PC</source>
        <translation>kein UDP-Socket auf diesem PC</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="125" />
        <source>%1 does not answer on port %2</source>
        <translation>%1 antwortet nicht auf Port %2</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="134" />
        <source>Shows a controller's versions, access holder, measurement state, cameras, bodies,
markers, sync frequency, frames lost, radio and configuration. Reads only: it never
initialises the controller or takes access.
With --watch it repeats every SECONDS until interrupted; with --json as well, each
round is one JSON document on one line.</source>
        <translation>Zeigt Versionen, Zugriffsinhaber, Messzustand, Kameras, Körper, Marker,
Sync-Frequenz, verlorene Frames, Funk und Konfiguration eines Controllers. Liest nur:
es initialisiert den Controller nie und übernimmt keinen Zugriff.
Mit --watch wiederholt es alle SECONDS Sekunden bis zum Abbruch; zusammen mit --json ist
jede Runde ein JSON-Dokument in einer Zeile.</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="140" />
        <source>controller name or address</source>
        <translation>Name oder Adresse des Controllers</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="141" />
        <source>repeat every SECONDS</source>
        <translation>alle SECONDS Sekunden wiederholen</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="149" />
        <source>status needs exactly one HOST</source>
        <translation>status braucht genau einen HOST</translation>
    </message>
    <message>
        <location filename="../main/ctl/CmdStatus.cpp" line="158" />
        <source>--watch needs whole seconds from 1 to %1</source>
        <translation>--watch braucht ganze Sekunden von 1 bis %1</translation>
    </message>
</context>
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
