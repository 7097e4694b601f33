<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>WndMain</name>
    <message>
        <source>Size of RAM disk:</source>
        <comment>LocSize</comment>
        <translation>Größe der RAM-Disk in Megabyte:</translation>
    </message>
    <message>
        <source>Name of disk:</source>
        <comment>LocName</comment>
        <translation>Name des neuen Laufwerks:</translation>
    </message>
    <message>
        <source>Create disk</source>
        <comment>LocCreate</comment>
        <translation>Laufwerk jetzt anlegen und einhängen</translation>
    </message>
</context>
</TS>
