<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>qzSettings</name>
    <message>
        <source>Error 01: Preference file exists but is not valid</source>
        <comment>ErrorInvalidPref</comment>
        <translation>Fehler 01: Die Einstellungsdatei ist vorhanden, aber nicht gültig</translation>
    </message>
    <message>
        <source>Error 02: Can&apos;t open preference file (stream failed)</source>
        <comment>ErrorStreamFailed</comment>
        <translation>Fehler 02: Die Einstellungsdatei lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>Error 03: Can&apos;t write preference file</source>
        <comment>ErrorWriteFailed</comment>
        <translation>Fehler 03: Die Einstellungsdatei lässt sich nicht schreiben</translation>
    </message>
</context>
</TS>
