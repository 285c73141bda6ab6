<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>AccessControlDialog</name>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="14" />
        <source>Access Control</source>
        <translation>Zugriffsschutz</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="23" />
        <source>Please notice that these settings are not part of your personal configuration. Changes in this menu will affect all users of your Controller.</source>
        <translation>Bitte beachten Sie, dass diese Einstellungen nicht zu Ihrer persönlichen Konfiguration gehören. Änderungen in diesem Menü betreffen alle Benutzer Ihres Controllers.</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="33" />
        <source>&lt;html&gt;&lt;p&gt;With password protection on, every front-end has to present the password before it can work with this Controller.&lt;/p&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;p&gt;Mit eingeschaltetem Passwortschutz muss jedes Frontend das Passwort angeben, bevor es mit diesem Controller arbeiten kann.&lt;/p&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="36" />
        <source>&amp;Enable password protection</source>
        <translation>Passwortschutz &amp;einschalten</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="45" />
        <source>&amp;New password:</source>
        <translation>&amp;Neues Passwort:</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="55" />
        <source>&lt;html&gt;&lt;p&gt;The password may contain letters (a-z,A-Z), numbers (0-9) and the characters - (minus), _ (underscore), . (dot), / (slash) and + (plus).</source>
        <translation>&lt;html&gt;&lt;p&gt;Das Passwort darf Buchstaben (a-z,A-Z), Ziffern (0-9) und die Zeichen - (Minus), _ (Unterstrich), . (Punkt), / (Schrägstrich) und + (Plus) enthalten.</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="64" />
        <source>New password</source>
        <translation>Neues Passwort</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="71" />
        <source>&amp;Repeat password:</source>
        <translation>Passwort &amp;wiederholen:</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="87" />
        <source>Repeat new password</source>
        <translation>Neues Passwort wiederholen</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="118" />
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.ui" line="125" />
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="65" />
        <location filename="../main/access/AccessControlDialog.cpp" line="73" />
        <location filename="../main/access/AccessControlDialog.cpp" line="183" />
        <location filename="../main/access/AccessControlDialog.cpp" line="198" />
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="65" />
        <source>Controller unreachable.</source>
        <translation>Controller nicht erreichbar.</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="74" />
        <location filename="../main/access/AccessControlDialog.cpp" line="184" />
        <source>Failed to obtain authentication requirements.
No connection to Controller?</source>
        <translation>Die Anmeldebedingungen konnten nicht abgefragt werden.
Keine Verbindung zum Controller?</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="133" />
        <source>Invalid password!</source>
        <translation>Ungültiges Passwort!</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="141" />
        <source>Matching.</source>
        <translation>Stimmt überein.</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="145" />
        <source>Not matching.</source>
        <translation>Stimmt nicht überein.</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="153" />
        <source>Password Settings</source>
        <translation>Passworteinstellungen</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="154" />
        <source>Changing the Controller's password will not only affect your profile but global Controller settings.

Continue?</source>
        <translation>Eine Änderung des Controller-Passworts betrifft nicht nur Ihr Profil, sondern die globalen Einstellungen des Controllers.

Fortfahren?</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="174" />
        <source>Authorize with current password</source>
        <translation>Mit dem aktuellen Passwort anmelden</translation>
    </message>
    <message>
        <location filename="../main/access/AccessControlDialog.cpp" line="199" />
        <source>Failed to update password settings on controller.</source>
        <translation>Die Passworteinstellungen konnten auf dem Controller nicht geändert werden.</translation>
    </message>
</context>
<context>
    <name>PasswordInputDialog</name>
    <message>
        <location filename="../main/access/PasswordInputDialog.ui" line="14" />
        <source>Access Control</source>
        <translation>Zugriffsschutz</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.ui" line="35" />
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.ui" line="72" />
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.ui" line="82" />
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.cpp" line="32" />
        <location filename="../main/access/PasswordInputDialog.cpp" line="57" />
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.cpp" line="33" />
        <source>Please enter the password for this controller.</source>
        <translation>Bitte geben Sie das Passwort für diesen Controller ein.</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.cpp" line="44" />
        <source>The password is incorrect.</source>
        <translation>Das Passwort ist falsch.</translation>
    </message>
    <message>
        <location filename="../main/access/PasswordInputDialog.cpp" line="45" />
        <source>Failed to verify password.</source>
        <translation>Das Passwort konnte nicht geprüft werden.</translation>
    </message>
</context>
</TS>