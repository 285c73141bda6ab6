<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>EndlessProgressDlg</name>
    <message>
        <source>wake on LAN:</source>
        <translation>Wake-on-LAN:</translation>
    </message>
    <message>
        <source>waking up can take 1-2 minutes</source>
        <translation>Das Aufwecken kann 1-2 Minuten dauern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>wake on LAN: %1</source>
        <translation>Wake-on-LAN: %1</translation>
    </message>
    <message>
        <source>waking up can take 2-5 minutes</source>
        <translation>Das Aufwecken kann 2-5 Minuten dauern</translation>
    </message>
    <message>
        <source>Wake On LAN</source>
        <translation>Wake-on-LAN</translation>
    </message>
    <message>
        <source>Cannot do wake on LAN for %1.</source>
        <translation>Wake-on-LAN für %1 ist nicht möglich.</translation>
    </message>
</context>
<context>
    <name>IpDialog</name>
    <message>
        <source>Connect Controller</source>
        <translation>Controller verbinden</translation>
    </message>
    <message>
        <source>Optical Motion Tracking</source>
        <translation>Optisches Motion-Tracking</translation>
    </message>
    <message>
        <source>Open-source components are listed in the notice document. Use only in installations released for operation.</source>
        <translation>Die verwendeten Open-Source-Komponenten sind im Hinweisdokument aufgeführt. Nur in für den Betrieb freigegebenen Installationen verwenden.</translation>
    </message>
    <message>
        <source>&amp;Wake On LAN</source>
        <translation>&amp;Wake-on-LAN</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>&amp;Other Controller</source>
        <translation>&amp;Anderer Controller</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>udp send error, err %1 %2</source>
        <translation>UDP-Sendefehler, Fehler %1 %2</translation>
    </message>
    <message>
        <source>testing '%1'... </source>
        <translation>teste '%1'... </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>unsuccessful</source>
        <translation>erfolglos</translation>
    </message>
    <message>
        <source>resolving '%1'... </source>
        <translation>löse '%1' auf... </translation>
    </message>
    <message>
        <source>resolved '%1', testing... </source>
        <translation>aufgelöst zu '%1', teste... </translation>
    </message>
    <message>
        <source>
no default Controller found</source>
        <translation>
kein Standard-Controller gefunden</translation>
    </message>
    <message>
        <source>
Controller has changed</source>
        <translation>
Controller hat sich geändert</translation>
    </message>
    <message>
        <source>
expected: '%1'</source>
        <translation>
erwartet: '%1'</translation>
    </message>
    <message>
        <source>
found: '%1'</source>
        <translation>
gefunden: '%1'</translation>
    </message>
    <message>
        <source>
no connection to</source>
        <translation>
keine Verbindung zu</translation>
    </message>
    <message>
        <source>Controller '%1'</source>
        <translation>Controller '%1'</translation>
    </message>
    <message>
        <source>accessed by %1</source>
        <translation>Zugriff durch %1</translation>
    </message>
    <message>
        <source>Controller</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>cannot start udp socket, error %1</source>
        <translation>UDP-Socket kann nicht gestartet werden, Fehler %1</translation>
    </message>
    <message>
        <source>resolving '%1'</source>
        <translation>löse '%1' auf</translation>
    </message>
    <message>
        <source>

Controller: '%1'</source>
        <translation>

Controller: '%1'</translation>
    </message>
    <message>
        <source>
Serial %1 Version %2 </source>
        <translation>
Seriennummer %1 Version %2 </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Unable to connect Controller %1
Controller is accessed by %2</source>
        <translation>Verbindung zu Controller %1 nicht möglich
Zugriff auf den Controller hat %2</translation>
    </message>
    <message>
        <source>Unable to connect Controller %1</source>
        <translation>Verbindung zu Controller %1 nicht möglich</translation>
    </message>
    <message>
        <source>Failed to obtain authentication requirements.
No connection to Controller?</source>
        <translation>Die Anforderungen an die Anmeldung konnten nicht ermittelt werden.
Keine Verbindung zum Controller?</translation>
    </message>
    <message>
        <source>Authorize with valid password</source>
        <translation>Mit gültigem Passwort anmelden</translation>
    </message>
    <message>
        <source>Press 2, 4, 6 or 8 to move the window</source>
        <translation>Mit 2, 4, 6 oder 8 das Fenster verschieben</translation>
    </message>
</context>
<context>
    <name>TrackboxSelection</name>
    <message>
        <source>Controller Selection</source>
        <translation>Controller-Auswahl</translation>
    </message>
    <message>
        <source>Sp&amp;ecific Controller</source>
        <translation>B&amp;estimmter Controller</translation>
    </message>
    <message>
        <source>&amp;hostname or IP address</source>
        <translation>&amp;Hostname oder IP-Adresse</translation>
    </message>
    <message>
        <source>Sca&amp;n</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;subnet address</source>
        <translation>S&amp;ubnetzadresse</translation>
    </message>
    <message>
        <source>&amp;Update list</source>
        <translation>&amp;Liste aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>IP numerical</source>
        <translation>IP numerisch</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Cascaded System</source>
        <translation>Kaskadiertes System</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Invalid empty hostname.</source>
        <translation>Ungültiger leerer Hostname.</translation>
    </message>
    <message>
        <source>Invalid last octet (1..254).</source>
        <translation>Ungültiges letztes Oktett (1..254).</translation>
    </message>
    <message>
        <source>Invalid numbers-only hostname.</source>
        <translation>Ungültiger Hostname nur aus Ziffern.</translation>
    </message>
    <message>
        <source>Unable to resolve hostname.</source>
        <translation>Hostname kann nicht aufgelöst werden.</translation>
    </message>
    <message>
        <source>cannot resolve hostname / IP address</source>
        <translation>Hostname / IP-Adresse kann nicht aufgelöst werden</translation>
    </message>
    <message>
        <source>cannot start udp socket</source>
        <translation>UDP-Socket kann nicht gestartet werden</translation>
    </message>
    <message>
        <source>no connection to Controller</source>
        <translation>keine Verbindung zum Controller</translation>
    </message>
    <message>
        <source>no Controller found</source>
        <translation>kein Controller gefunden</translation>
    </message>
    <message>
        <source>possibly blocked by the firewall</source>
        <translation>möglicherweise durch die Firewall blockiert</translation>
    </message>
    <message>
        <source>or no Controller in subnet</source>
        <translation>oder kein Controller im Subnetz</translation>
    </message>
    <message>
        <source>slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Authorize with valid password</source>
        <translation>Mit gültigem Passwort anmelden</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to obtain authentication requirements.
No connection to Controller?</source>
        <translation>Die Anforderungen an die Anmeldung konnten nicht ermittelt werden.
Keine Verbindung zum Controller?</translation>
    </message>
</context>
</TS>