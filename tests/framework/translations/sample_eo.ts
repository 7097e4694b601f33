<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="eo">
<context>
    <name>Sample</name>
    <message>
        <source>Hello</source>
        <comment>Greeting</comment>
        <translation>Saluton</translation>
    </message>
    <message>
        <source>Hello</source>
        <comment>Other</comment>
        <translation>Bonan tagon</translation>
    </message>
    <message>
        <source>Size (MB):</source>
        <comment>LocSize</comment>
        <translation>Grandeco (MB) — ĉu?</translation>
    </message>
</context>
</TS>
