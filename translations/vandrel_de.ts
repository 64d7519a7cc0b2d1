<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../ui/aboutdialog.ui" line="+20"/>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Licence</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>License Information goes here...</source>
        <translation>Hier stehen die Lizenzangaben...</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>About Qt...</source>
        <translation>Über Qt...</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../ui/aboutdialog.cpp" line="+24"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Licensed under the Apache License, Version 2.0.</source>
        <translation>Lizenziert unter der Apache License, Version 2.0.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Built with Qt %1, which is available under its own licence (About Qt).</source>
        <translation>Erstellt mit Qt %1, das unter seiner eigenen Lizenz steht (Über Qt).</translation>
    </message>
</context>
<context>
    <name>AisValidator</name>
    <message>
        <location filename="../ui/aisvalidator.cpp" line="+84"/>
        <source>&quot;%1&quot; dropped: it is not in the AIS character set (capitals, digits, blanks and common signs).</source>
        <translation>&quot;%1&quot; verworfen: nicht im AIS-Zeichensatz (Großbuchstaben, Ziffern, Leerzeichen und übliche Zeichen).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 dropped: they are not in the AIS character set (capitals, digits, blanks and common signs).</source>
        <translation>%1 verworfen: nicht im AIS-Zeichensatz (Großbuchstaben, Ziffern, Leerzeichen und übliche Zeichen).</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&quot;%1&quot; dropped: %2 characters at most.</source>
        <translation>&quot;%1&quot; verworfen: höchstens %2 Zeichen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&quot;%1&quot; dropped: no room left once each of $*,!\^~ is sent as three characters.</source>
        <translation>&quot;%1&quot; verworfen: kein Platz mehr, da jedes der Zeichen $*,!\^~ als drei Zeichen gesendet wird.</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>&quot;%1&quot; dropped: it is sent as three characters, and there is no room for three.</source>
        <translation>&quot;%1&quot; verworfen: es wird als drei Zeichen gesendet, und für drei ist kein Platz mehr.</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <location filename="../app/vandrelsettings.cpp" line="+20"/>
        <source>Orvante</source>
        <translation>Orvante</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quorvel</source>
        <translation>Quorvel</translation>
    </message>
</context>
<context>
    <name>AtoNSentence</name>
    <message>
        <location filename="../sentences/atonsentence.cpp" line="+45"/>
        <source>not a sound %1 answer from the unit</source>
        <translation>keine einwandfreie %1-Antwort des Geräts</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>field %1, %2: %3</source>
        <translation>Feld %1, %2: %3</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+40"/>
        <location line="+28"/>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <location line="-62"/>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ ist keine Zahl</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>field %1, %2</source>
        <translation>Feld %1, %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&quot;%1&quot; is not nine digits</source>
        <translation>„%1“ sind nicht neun Ziffern</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1, while the unit answered the AID query as %2</source>
        <translation>%1, während das Gerät die AID-Abfrage mit %2 beantwortete</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 is another unit than %2, which answered the AID query</source>
        <translation>%1 ist ein anderes Gerät als %2, das die AID-Abfrage beantwortet hat</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;%1&quot;, not R</source>
        <translation>„%1“, nicht R</translation>
    </message>
</context>
<context>
    <name>AtoNSentenceAAR</name>
    <message>
        <location filename="../sentences/atonsentenceaar.cpp" line="+78"/>
        <location line="+6"/>
        <source>message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+10"/>
        <source>instance</source>
        <translation>Instanz</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>%1 is not an AIS message number (1 to %2)</source>
        <translation>%1 ist keine AIS-Nachrichtennummer (1 bis %2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 is outside 1 to %2</source>
        <translation>%1 liegt außerhalb von 1 bis %2</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>two different answers for schedule row %1/%2: %3, then %4</source>
        <translation>zwei verschiedene Antworten für die Sendeplanzeile %1/%2: %3, dann %4</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 slot %2 every %3</source>
        <translation>%1 Slot %2 alle %3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 every %2</source>
        <translation>%1 alle %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>scheme %1, channel 1 %2, channel 2 %3</source>
        <translation>Zugriffsverfahren %1, Kanal 1 %2, Kanal 2 %3</translation>
    </message>
    <message>
        <location line="-96"/>
        <source>no row came for message 21, instance 1 (the AtoN report)</source>
        <translation>für Nachricht 21, Instanz 1 (den AtoN-Bericht) kam keine Zeile</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no row came for message 21, instance 2 (the off-position report)</source>
        <translation>für Nachricht 21, Instanz 2 (die Meldung Positionsabweichung) kam keine Zeile</translation>
    </message>
</context>
<context>
    <name>AtoNSentenceACE</name>
    <message>
        <location filename="../sentences/atonsentenceace.cpp" line="+103"/>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>a continuation without the sentence it continues</source>
        <translation>eine Fortsetzung ohne den Satz, den sie fortsetzt</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&quot;%1&quot; is not two hexadecimal digits</source>
        <translation>„%1“ sind nicht zwei Hexadezimalziffern</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>dimensions</source>
        <translation>Abmessungen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;%1&quot; is not ten digits</source>
        <translation>„%1“ sind nicht zehn Ziffern</translation>
    </message>
</context>
<context>
    <name>AtoNSentenceACF</name>
    <message>
        <location filename="../sentences/atonsentenceacf.cpp" line="+106"/>
        <source>latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&quot;%1&quot; is not an angle up to %2 degrees</source>
        <translation>„%1“ ist kein Winkel bis %2 Grad</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>hemisphere</source>
        <translation>Halbkugel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&quot;%1&quot;, not %2 or %3</source>
        <translation>„%1“, nicht %2 oder %3</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>channel</source>
        <translation>Kanal</translation>
    </message>
</context>
<context>
    <name>AtoNSentenceAID</name>
    <message>
        <location filename="../sentences/atonsentenceaid.cpp" line="+75"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, while the unit answered as %2 before</source>
        <translation>%1, während das Gerät zuvor als %2 geantwortet hat</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>new MMSI</source>
        <translation>neue MMSI</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;%1&quot; is not nine digits</source>
        <translation>„%1“ sind nicht neun Ziffern</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+4"/>
        <source>mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>&quot;%1&quot; is not one of R, V, P, C, 0</source>
        <translation>„%1“ ist keiner von R, V, P, C, 0</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1, an answer that does not name the MMSI the unit holds</source>
        <translation>%1, eine Antwort, die nicht die MMSI nennt, die das Gerät hält</translation>
    </message>
</context>
<context>
    <name>BatchRecord</name>
    <message>
        <location filename="../fleet/batchrecord.cpp" line="+23"/>
        <location line="+34"/>
        <source>NOT DONE</source>
        <translation>NICHT ERLEDIGT</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Fleet commissioning record</source>
        <translation>Protokoll der Flotten-Inbetriebnahme</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Date and time (UTC)</source>
        <translation>Datum und Uhrzeit (UTC)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Engineer</source>
        <translation>Techniker</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>not given</source>
        <translation>nicht angegeben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Template SHA-256</source>
        <translation>SHA-256 der Vorlage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unit table</source>
        <translation>Gerätetabelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Units that pass: %1 of %2</source>
        <translation>Bestandene Geräte: %1 von %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Each unit&apos;s record follows; a row without one ended before its read-back (its traffic log is in the records folder).</source>
        <translation>Das Protokoll jedes Geräts folgt; eine Zeile ohne Protokoll endete vor dem Rücklesen (ihr Verkehrsprotokoll liegt im Protokollordner).</translation>
    </message>
</context>
<context>
    <name>BroadcastName</name>
    <message>
        <location filename="../app/broadcastname.cpp" line="+40"/>
        <source>The unit answered with an empty name, but the name continuation never came; the unit broadcasts the name &quot;%1&quot;.</source>
        <translation>Das Gerät antwortete mit leerem Namen, aber die Fortsetzung des Namens kam nie; das Gerät sendet den Namen „%1“.</translation>
    </message>
</context>
<context>
    <name>ConfigurationCheck</name>
    <message>
        <location filename="../app/configurationcheck.cpp" line="+56"/>
        <source>Type of AtoN</source>
        <translation>Art der AtoN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type of EPFS</source>
        <translation>Art des EPFS</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Position accuracy</source>
        <translation>Positionsgenauigkeit</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>Channel 1</source>
        <translation>Kanal 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Channel 2</source>
        <translation>Kanal 2</translation>
    </message>
    <message>
        <location line="-99"/>
        <source>Off-position threshold</source>
        <translation>Schwelle für Positionsabweichung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ACF field 14</source>
        <translation>ACF-Feld 14</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>AID mode</source>
        <translation>AID-Modus</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ACE field 5</source>
        <translation>ACE-Feld 5</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ACE field 6</source>
        <translation>ACE-Feld 6</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension A</source>
        <translation>Abmessung A</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension B</source>
        <translation>Abmessung B</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension C</source>
        <translation>Abmessung C</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension D</source>
        <translation>Abmessung D</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Lantern minimum voltage (mV)</source>
        <translation>Minimale Laternenspannung (mV)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Lantern maximum voltage (mV)</source>
        <translation>Maximale Laternenspannung (mV)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Lantern maximum on time (ms)</source>
        <translation>Maximale Einschaltzeit der Laterne (ms)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Lantern maximum off time (ms)</source>
        <translation>Maximale Ausschaltzeit der Laterne (ms)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Lantern current</source>
        <translation>Laternenstrom</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Lantern low light threshold</source>
        <translation>Schwelle für schwaches Licht der Laterne</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1: %2 is outside %3 to %4</source>
        <translation>%1: %2 liegt außerhalb von %3 bis %4</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1: %2 is outside %3</source>
        <translation>%1: %2 liegt außerhalb von %3</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>MMSI: &quot;%1&quot; is not valid (nine digits, not all zeros)</source>
        <translation>MMSI: &quot;%1&quot; ist ungültig (neun Ziffern, nicht alle null)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-90 to 90 (91: not available)</source>
        <translation>-90 bis 90 (91: nicht verfügbar)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-180 to 180 (181: not available)</source>
        <translation>-180 bis 180 (181: nicht verfügbar)</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Schedule %1/%2</source>
        <translation>Sendeplan %1/%2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>access scheme</source>
        <translation>Zugriffsverfahren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>channel 1 start slot</source>
        <translation>Startslot Kanal 1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>channel 2 start slot</source>
        <translation>Startslot Kanal 2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>channel 1 interval</source>
        <translation>Intervall Kanal 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>channel 2 interval</source>
        <translation>Intervall Kanal 2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: a start time is not a time of day</source>
        <translation>%1: eine Startzeit ist keine Uhrzeit</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1: the sentence that sets it would have %2 characters, more than the %3 a line may have</source>
        <translation>%1: der Satz, der es setzt, hätte %2 Zeichen, mehr als die %3, die eine Zeile haben darf</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Position and channels</source>
        <translation>Position und Kanäle</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Schedule row %1</source>
        <translation>Sendeplanzeile %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
</context>
<context>
    <name>ConfigurationFields</name>
    <message>
        <location filename="../model/configurationfields.cpp" line="+29"/>
        <source>%1 (unknown code)</source>
        <translation>%1 (unbekannter Code)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 (not a channel)</source>
        <translation>%1 (kein Kanal)</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MMSI held by the unit</source>
        <translation>MMSI im Gerät</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AID mode</source>
        <translation>AID-Modus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AID flag</source>
        <translation>AID-Kennzeichen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type of AtoN</source>
        <translation>Art des AtoN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type of EPFS</source>
        <translation>Art des EPFS</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Position accuracy</source>
        <translation>Positionsgenauigkeit</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Off-position threshold</source>
        <translation>Schwelle für Positionsabweichung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>RACON</source>
        <translation>RACON</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>fitted</source>
        <translation>eingebaut</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>not fitted</source>
        <translation>nicht eingebaut</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Channel 1</source>
        <translation>Kanal 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Channel 2</source>
        <translation>Kanal 2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Dimension A</source>
        <translation>Abmessung A</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension B</source>
        <translation>Abmessung B</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension C</source>
        <translation>Abmessung C</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dimension D</source>
        <translation>Abmessung D</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ACF field 14</source>
        <translation>ACF-Feld 14</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACE field 5</source>
        <translation>ACE-Feld 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACE field 6</source>
        <translation>ACE-Feld 6</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Schedule %1</source>
        <translation>Sendeplan %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>In use</source>
        <translation>In Gebrauch</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Lantern interface support</source>
        <translation>Laternen-Schnittstelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>enabled</source>
        <translation>aktiviert</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>disabled</source>
        <translation>deaktiviert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minimum voltage</source>
        <translation>Minimale Spannung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Maximum voltage</source>
        <translation>Maximale Spannung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Maximum on time</source>
        <translation>Maximale Einschaltzeit</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Maximum off time</source>
        <translation>Maximale Ausschaltzeit</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>On current (steady on)</source>
        <translation>Einschaltstrom (Dauerlicht)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>On/off slew rate</source>
        <translation>Ein/Aus-Anstiegsrate</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Current range</source>
        <translation>Strombereich</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ambient light-on threshold</source>
        <translation>Umgebungslicht-Einschaltschwelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>0 (no low-light error reporting)</source>
        <translation>0 (keine Fehlermeldung bei wenig Licht)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 lux (sensor value %2)</source>
        <translation>%1 Lux (Sensorwert %2)</translation>
    </message>
    <message>
        <location filename="../model/configurationfields.h" line="+61"/>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>CsvTable</name>
    <message>
        <location filename="../fleet/csvtable.cpp" line="+26"/>
        <source>line %1: the text is not UTF-8</source>
        <translation>Zeile %1: der Text ist kein UTF-8</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>line %1: a quoted field is not closed</source>
        <translation>Zeile %1: ein Feld in Anführungszeichen ist nicht geschlossen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>line %1: text after the closing quote of a field</source>
        <translation>Zeile %1: Text nach dem schließenden Anführungszeichen eines Felds</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>line %1: a field is longer than %2 characters</source>
        <translation>Zeile %1: ein Feld ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>%1: could not be opened: %2</source>
        <translation>%1: konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1: could not be read: %2</source>
        <translation>%1: konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1: larger than %2 bytes; not a unit table</source>
        <translation>%1: größer als %2 Byte; keine Gerätetabelle</translation>
    </message>
</context>
<context>
    <name>DocumentController</name>
    <message>
        <location filename="../ui/documentcontroller.cpp" line="+21"/>
        <source>vandrel Files ( *.pad )</source>
        <translation>vandrel-Dateien ( *.pad )</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>The file has been modified.</source>
        <translation>Die Datei wurde geändert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Do you want to save your changes?</source>
        <translation>Möchten Sie Ihre Änderungen speichern?</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+26"/>
        <source>Could not open the file</source>
        <translation>Die Datei konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>Could not open file: </source>
        <translation>Datei konnte nicht geöffnet werden: </translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Could not open: </source>
        <translation>Konnte nicht geöffnet werden: </translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The file has not been saved:</source>
        <translation>Die Datei wurde nicht gespeichert:</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Save into the file directly?</source>
        <translation>Direkt in die Datei speichern?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The file %1 cannot be replaced as a whole.</source>
        <translation>Die Datei %1 kann nicht als Ganzes ersetzt werden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Do you want to write into the file directly?</source>
        <translation>Möchten Sie direkt in die Datei schreiben?</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Could not save the file</source>
        <translation>Die Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Could not save file: </source>
        <translation>Datei konnte nicht gespeichert werden: </translation>
    </message>
    <message>
        <location line="+32"/>
        <source>AtoN configuration</source>
        <translation>AtoN-Konfiguration</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MMSI %1</source>
        <translation>MMSI %1</translation>
    </message>
</context>
<context>
    <name>FieldRanges</name>
    <message>
        <location filename="../model/fieldranges.cpp" line="+33"/>
        <source>type of EPFS</source>
        <translation>EPFS-Typ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>position accuracy</source>
        <translation>Positionsgenauigkeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>type of AtoN</source>
        <translation>AtoN-Typ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACF field 14</source>
        <translation>ACF-Feld 14</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AID mode</source>
        <translation>AID-Modus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>flags</source>
        <translation>Kennbits</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>off-position threshold</source>
        <translation>Off-Position-Schwelle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACE field 5</source>
        <translation>ACE-Feld 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACE field 6</source>
        <translation>ACE-Feld 6</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension A</source>
        <translation>Abmessung A</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension B</source>
        <translation>Abmessung B</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension C</source>
        <translation>Abmessung C</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension D</source>
        <translation>Abmessung D</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>dimension</source>
        <translation>Abmessung</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>instance</source>
        <translation>Instanz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>access scheme</source>
        <translation>Zugriffsverfahren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>start slot</source>
        <translation>Startslot</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>battery voltage</source>
        <translation>Batteriespannung</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>%1 is outside the usual range of %2 to %3</source>
        <translation>%1 liegt außerhalb des üblichen Bereichs von %2 bis %3</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1: %2 is outside %3 to %4</source>
        <translation>%1: %2 liegt außerhalb von %3 bis %4</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1: %2 is not a VHF channel</source>
        <translation>%1: %2 ist kein UKW-Kanal</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>name: %1 characters, at most %2</source>
        <translation>Name: %1 Zeichen, höchstens %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>name: &quot;%1&quot; cannot be sent, the unit keeps Latin-1 only</source>
        <translation>Name: &quot;%1&quot; kann nicht gesendet werden, das Gerät speichert nur Latin-1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>name: %1 characters once $ * , ! \ ^ ~ are escaped, at most %2 fit a sentence</source>
        <translation>Name: %1 Zeichen, wenn $ * , ! \ ^ ~ umschrieben sind; höchstens %2 passen in einen Satz</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <location filename="../model/filesaver.cpp" line="+88"/>
        <source>The folder %1 does not allow new files, so the file cannot be replaced as a whole. The file itself may be written directly, but a failure while writing would then leave it incomplete.</source>
        <translation>Der Ordner %1 erlaubt keine neuen Dateien, daher kann die Datei nicht als Ganzes ersetzt werden. Die Datei selbst kann direkt geschrieben werden, ein Fehler beim Schreiben ließe sie dann aber unvollständig.</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>The file was not changed.</source>
        <translation>Die Datei wurde nicht geändert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The file may now be incomplete.</source>
        <translation>Die Datei ist jetzt möglicherweise unvollständig.</translation>
    </message>
</context>
<context>
    <name>FleetMenu</name>
    <message>
        <location filename="../ui/fleetmenu.cpp" line="+29"/>
        <source>Co&amp;mmission a fleet…</source>
        <translation>Fl&amp;otte in Betrieb nehmen…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save recor&amp;d…</source>
        <translation>&amp;Protokoll speichern…</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+112"/>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <location line="-120"/>
        <source>&amp;Verify</source>
        <translation>P&amp;rüfen</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+87"/>
        <source>Save record</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>Connect to the unit and wait until no transfer runs: this reads what the unit on the dock holds, sending nothing.</source>
        <translation>Verbinden Sie sich mit dem Gerät und warten Sie, bis keine Übertragung läuft: Dies liest, was das angedockte Gerät enthält, und sendet nichts.</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The unit holds every field of the open document.</source>
        <translation>Das Gerät enthält jedes Feld des geöffneten Dokuments.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>The unit differs from the open document in %n field(s) (document -&gt; unit).</source>
        <translation>
            <numerusform>Das Gerät weicht in %n Feld vom geöffneten Dokument ab (Dokument -&gt; Gerät).</numerusform>
            <numerusform>Das Gerät weicht in %n Feldern vom geöffneten Dokument ab (Dokument -&gt; Gerät).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FleetPlan</name>
    <message>
        <location filename="../fleet/fleetplan.cpp" line="+36"/>
        <source>%1 line %2: %3</source>
        <translation>%1 Zeile %2: %3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 line %2, column %3 (%4): %5</source>
        <translation>%1 Zeile %2, Spalte %3 (%4): %5</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>%1: the table is empty</source>
        <translation>%1: die Tabelle ist leer</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1: the message schedule risks clashing time slots (%2); a send refuses it</source>
        <translation>%1: der Sendeplan riskiert sich überschneidende Zeitschlitze (%2); ein Senden lehnt ihn ab</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>not a field of a unit; the columns a table may have are %1</source>
        <translation>kein Feld eines Geräts; eine Tabelle kann diese Spalten haben: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the column is also column %1</source>
        <translation>die Spalte ist auch Spalte %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the column &quot;%1&quot; is missing</source>
        <translation>die Spalte „%1“ fehlt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the table has no unit rows</source>
        <translation>die Tabelle hat keine Gerätezeilen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the table has %1 unit rows, more than the %2 one plan takes</source>
        <translation>die Tabelle hat %1 Gerätezeilen, mehr als die %2, die ein Plan aufnimmt</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 fields where the header has %2</source>
        <translation>%1 Felder, wo die Kopfzeile %2 hat</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1: %2 (the template&apos;s own field)</source>
        <translation>%1: %2 (ein Feld der Vorlage selbst)</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>and %n more problem(s)</source>
        <translation>
            <numerusform>und %n weiteres Problem</numerusform>
            <numerusform>und %n weitere Probleme</numerusform>
        </translation>
    </message>
    <message>
        <location line="+25"/>
        <source>the serial number &quot;%1&quot; holds a control character or a line break</source>
        <translation>die Seriennummer „%1“ enthält ein Steuerzeichen oder einen Zeilenumbruch</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;%1&quot; holds a control character or a line break</source>
        <translation>„%1“ enthält ein Steuerzeichen oder einen Zeilenumbruch</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>empty, but every unit needs it</source>
        <translation>leer, aber jedes Gerät braucht es</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>the %1 %2 is also on line %3; each unit needs its own</source>
        <translation>die %1 %2 steht auch in Zeile %3; jedes Gerät braucht seine eigene</translation>
    </message>
</context>
<context>
    <name>FleetRun</name>
    <message>
        <location filename="../fleet/fleetrun.cpp" line="+71"/>
        <source>%1: the records folder could not be made</source>
        <translation>%1: der Protokollordner konnte nicht angelegt werden</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+158"/>
        <location line="+127"/>
        <source>verified</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <location line="-285"/>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>connecting</source>
        <translation>verbindet</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>unit serial number %1, MMSI %2</source>
        <translation>Gerät mit Seriennummer %1, MMSI %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>row on line %1 is not free for this unit; nothing sent</source>
        <translation>die Zeile %1 ist für dieses Gerät nicht frei; nichts gesendet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no row of the table is left for serial number %1; nothing sent</source>
        <translation>für die Seriennummer %1 ist keine Zeile der Tabelle mehr frei; nichts gesendet</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>MMSI %1 was verified on this unit in an earlier run; reading the unit to see whether it still holds its row and the template</source>
        <translation>MMSI %1 wurde auf diesem Gerät in einem früheren Lauf bestätigt; das Gerät wird gelesen, um zu sehen, ob es seine Zeile und die Vorlage noch hält</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>MMSI %1 was verified on this unit in an earlier run, and the unit still holds its row and the template; nothing sent</source>
        <translation>MMSI %1 wurde auf diesem Gerät in einem früheren Lauf bestätigt, und das Gerät hält seine Zeile und die Vorlage noch; nichts gesendet</translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>the unit no longer holds line %1 of the table (%n field(s) differ, first: %2); sending it again</source>
        <translation>
            <numerusform>das Gerät hält Zeile %1 der Tabelle nicht mehr (%n Feld weicht ab: %2); sie wird erneut gesendet</numerusform>
            <numerusform>das Gerät hält Zeile %1 der Tabelle nicht mehr (%n Felder weichen ab, zuerst: %2); sie wird erneut gesendet</numerusform>
        </translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%1 Nothing was sent; %2</source>
        <translation>%1 Es wurde nichts gesendet; %2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>refused: %1</source>
        <translation>abgelehnt: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>docked on %1</source>
        <translation>angedockt an %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>sending line %1 of the table: MMSI %2, &quot;%3&quot;</source>
        <translation>Zeile %1 der Tabelle wird gesendet: MMSI %2, „%3“</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>sending %1 of %2</source>
        <translation>sende %1 von %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1; nothing was sent</source>
        <translation>%1; nichts wurde gesendet</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 during the send: the unit may hold line %2 of the table (MMSI %3) in part</source>
        <translation>%1 während des Sendens: das Gerät hält Zeile %2 der Tabelle (MMSI %3) womöglich nur zum Teil</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 before anything went out: the unit holds what it held before</source>
        <translation>%1, bevor etwas gesendet wurde: das Gerät hält, was es vorher hielt</translation>
    </message>
    <message>
        <location line="-230"/>
        <location line="+242"/>
        <source>The unit holds every field sent.</source>
        <translation>Das Gerät hält jedes gesendete Feld.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>The unit does not hold %n field(s) sent.</source>
        <translation>
            <numerusform>Das Gerät hält %n gesendetes Feld nicht.</numerusform>
            <numerusform>Das Gerät hält %n gesendete Felder nicht.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+13"/>
        <source>differs: %1</source>
        <translation>weicht ab: %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>verified earlier; not read now</source>
        <translation>früher bestätigt; jetzt nicht gelesen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>serial number %1: %2; nothing was sent</source>
        <translation>Seriennummer %1: %2; nichts wurde gesendet</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+3"/>
        <location line="+14"/>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>The send did not end (%1). The unit may hold line %2 of the table in part; what it holds was not read back.</source>
        <translation>Das Senden endete nicht (%1). Das Gerät hält Zeile %2 der Tabelle womöglich nur zum Teil; was es hält, wurde nicht zurückgelesen.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1.pad: %2</source>
        <translation>%1.pad: %2</translation>
    </message>
    <message>
        <location line="-21"/>
        <location line="+24"/>
        <source>Commissioning record</source>
        <translation>Inbetriebnahmeprotokoll</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>register entry %1</source>
        <translation>Registereintrag %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1: the traffic log could not be copied there: %2</source>
        <translation>%1: das Verkehrsprotokoll konnte nicht dorthin kopiert werden: %2</translation>
    </message>
</context>
<context>
    <name>FleetSummary</name>
    <message>
        <location filename="../fleet/fleetsummary.cpp" line="+50"/>
        <source>%1: not a summary this program wrote (its first line is not &quot;%2&quot;); move it away to start afresh</source>
        <translation>%1: keine Übersicht, die dieses Programm geschrieben hat (ihre erste Zeile ist nicht „%2“); zum Neubeginn woandershin verschieben</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>%1: could not be written: %2</source>
        <translation>%1: konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>FleetView</name>
    <message>
        <location filename="../ui/fleetview.cpp" line="+78"/>
        <location line="+176"/>
        <location line="+33"/>
        <source>Commission a fleet</source>
        <translation>Flotte in Betrieb nehmen</translation>
    </message>
    <message>
        <location line="-205"/>
        <source>the .pad every unit gets</source>
        <translation>die .pad-Datei, die jedes Gerät erhält</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the CSV table, a row per unit</source>
        <translation>die CSV-Tabelle, eine Zeile je Gerät</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>where the records and summary.csv go</source>
        <translation>wohin die Protokolle und summary.csv kommen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the unit&apos;s USB adapters are found; name other ports here, separated by spaces</source>
        <translation>die USB-Adapter der Geräte werden gefunden; andere Schnittstellen hier nennen, durch Leerzeichen getrennt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Template:</source>
        <translation>Vorlage:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unit table:</source>
        <translation>Gerätetabelle:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Records folder:</source>
        <translation>Protokollordner:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Engineer:</source>
        <translation>Techniker:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Other ports:</source>
        <translation>Andere Schnittstellen:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Check each unit&apos;s report on air after sending (up to %1 min)</source>
        <translation>Nach dem Senden die Meldung jedes Geräts über Funk prüfen (bis zu %1 min)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Load and check</source>
        <translation>Laden und prüfen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Find docked units</source>
        <translation>Angedockte Geräte suchen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Commission all</source>
        <translation>Alle in Betrieb nehmen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Commission chosen row on chosen unit</source>
        <translation>Gewählte Zeile auf gewähltem Gerät in Betrieb nehmen</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+290"/>
        <source>Open record</source>
        <translation>Protokoll öffnen</translation>
    </message>
    <message>
        <location line="-277"/>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location line="-2"/>
        <location line="+2"/>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Records folder</source>
        <translation>Protokollordner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message numerus="yes">
        <location line="+8"/>
        <source>%n unit(s) in the table</source>
        <translation>
            <numerusform>%n Gerät in der Tabelle</numerusform>
            <numerusform>%n Geräte in der Tabelle</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The table cannot be used; nothing will be sent.</source>
        <translation>Die Tabelle kann nicht verwendet werden; es wird nichts gesendet.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>to give the unit this MMSI all the same, choose the row and the unit and press &quot;Commission chosen row on chosen unit&quot;.</source>
        <translation>um dem Gerät diese MMSI trotzdem zu geben, Zeile und Gerät wählen und &quot;Gewählte Zeile auf gewähltem Gerät in Betrieb nehmen&quot; drücken.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Every unit holds its row.</source>
        <translation>Jedes Gerät enthält seine Zeile.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A unit does not hold every field; see its row.</source>
        <translation>Ein Gerät enthält nicht jedes Feld; siehe seine Zeile.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A unit failed; see its row.</source>
        <translation>Bei einem Gerät ist ein Fehler aufgetreten; siehe seine Zeile.</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>docked</source>
        <translation>angedockt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>connecting</source>
        <translation>verbindet</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Send line %1 of the table (MMSI %2, &quot;%3&quot;) to the unit with serial number %4 on %5?</source>
        <translation>Zeile %1 der Tabelle (MMSI %2, &quot;%3&quot;) an das Gerät mit Seriennummer %4 an %5 senden?</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>No record has been written for line %1 yet.</source>
        <translation>Für Zeile %1 wurde noch kein Protokoll geschrieben.</translation>
    </message>
</context>
<context>
    <name>GeoPosition</name>
    <message>
        <location filename="../model/geoposition.cpp" line="+142"/>
        <location line="+52"/>
        <location line="+15"/>
        <location line="+14"/>
        <location line="+93"/>
        <location filename="../ui/realatontab.cpp" line="+634"/>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <location line="-174"/>
        <location line="+52"/>
        <location line="+15"/>
        <location line="+14"/>
        <location filename="../ui/realatontab.cpp" line="+0"/>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <location line="-74"/>
        <location line="+52"/>
        <location line="+16"/>
        <location line="+6"/>
        <location filename="../ui/realatontab.cpp" line="+3"/>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <location line="-74"/>
        <location line="+52"/>
        <location line="+16"/>
        <location line="+6"/>
        <location filename="../ui/realatontab.cpp" line="+0"/>
        <source>E</source>
        <translation>O</translation>
    </message>
    <message>
        <location line="-52"/>
        <source>&quot;_&quot; (not available) cannot be mixed with a value.</source>
        <translation>&quot;_&quot; (nicht verfügbar) kann nicht mit einem Wert gemischt werden.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Give either a minus sign or %1 / %2, not both.</source>
        <translation>Entweder ein Minuszeichen oder %1 / %2 angeben, nicht beides.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Out of range: %1 degrees at most.</source>
        <translation>Außerhalb des Bereichs: höchstens %1 Grad.</translation>
    </message>
    <message>
        <location line="+132"/>
        <source>D</source>
        <translation>D</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&apos;</source>
        <translation>&apos;</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>M</source>
        <translation>M</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&quot;</source>
        <translation>&quot;</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>No degrees given.</source>
        <translation>Keine Grad angegeben.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Too many parts, or the units out of order: degrees, minutes, seconds.</source>
        <translation>Zu viele Teile oder Einheiten in falscher Reihenfolge: Grad, Minuten, Sekunden.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>&quot;%1&quot; ist keine Zahl.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Minutes and seconds go up to 60.</source>
        <translation>Minuten und Sekunden gehen bis 60.</translation>
    </message>
</context>
<context>
    <name>KeyboardAccess</name>
    <message>
        <location filename="../ui/keyboardaccess.cpp" line="+111"/>
        <source>&amp;Connect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Disconnect</source>
        <translation>&amp;Trennen</translation>
    </message>
</context>
<context>
    <name>LanternInterfaceTab</name>
    <message>
        <location filename="../ui/lanterninterfacetab.ui" line="+14"/>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Enable Lantern Interface Support</source>
        <translation>Laternen-Schnittstelle aktivieren</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Lantern Timing</source>
        <translation>Laternen-Zeitsteuerung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Steady On</source>
        <translation>Dauerlicht</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Maximum On Time:</source>
        <translation>Maximale Einschaltzeit:</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+29"/>
        <source> Seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Maximum Off Time:</source>
        <translation>Maximale Ausschaltzeit:</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Lantern Voltage</source>
        <translation>Laternenspannung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Minimum:</source>
        <translation>Minimum:</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+29"/>
        <source> Volts</source>
        <translation> Volt</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Maximum:</source>
        <translation>Maximum:</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Lamp-sense</source>
        <translation>Lampenüberwachung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Lantern Current Sense</source>
        <translation>Laternen-Stromüberwachung</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>On/Off slew rate:</source>
        <translation>Ein/Aus-Anstiegsrate:</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../ui/lanterninterfacetab.cpp" line="+216"/>
        <source> A/s</source>
        <translation> A/s</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Current Range</source>
        <translation>Strombereich</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>1 Amp</source>
        <translation>1 Ampere</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>5 Amp</source>
        <translation>5 Ampere</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Lantern Photo Sense</source>
        <translation>Laternen-Lichtsensor</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Report lantern ERROR when inactive and low light</source>
        <translation>Laternen-FEHLER melden, wenn inaktiv bei wenig Licht</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Ambient light-on threshold: </source>
        <translation>Umgebungslicht-Einschaltschwelle: </translation>
    </message>
    <message>
        <location line="+10"/>
        <source> lux</source>
        <translation> Lux</translation>
    </message>
    <message>
        <location filename="../ui/lanterninterfacetab.cpp" line="-6"/>
        <source>On current: </source>
        <translation>Einschaltstrom: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> A</source>
        <translation> A</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>On/Off slew rate: </source>
        <translation>Ein/Aus-Anstiegsrate: </translation>
    </message>
    <message>
        <location line="-104"/>
        <location line="+1"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../ui/mainwindow.ui" line="+43"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>&amp;Unit</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>toolBarPort</source>
        <translation>Werkzeugleiste Anschluss</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>toolBarTransfer</source>
        <translation>Werkzeugleiste Übertragung</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>&amp;New File</source>
        <translation>&amp;Neue Datei</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Create a new file</source>
        <translation>Eine neue Datei anlegen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Open File...</source>
        <translation>Datei ö&amp;ffnen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Open an existing file</source>
        <translation>Eine vorhandene Datei öffnen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Save File</source>
        <translation>Datei &amp;speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save the current file</source>
        <translation>Die aktuelle Datei speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save the current file with a new name</source>
        <translation>Die aktuelle Datei unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Close File</source>
        <translation>Datei sch&amp;ließen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Close the current file</source>
        <translation>Die aktuelle Datei schließen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Replay Log File...</source>
        <translation>Protokolldatei &amp;abspielen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Play a traffic log through the program as if the unit were sending it</source>
        <translation>Ein Verkehrsprotokoll abspielen, als ob das Gerät es senden würde</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Quit the application</source>
        <translation>Die Anwendung beenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>About this application</source>
        <translation>Über diese Anwendung</translation>
    </message>
    <message>
        <location filename="../ui/trafficlog.cpp" line="+20"/>
        <source>Text Log Files ( *.txt *.log )</source>
        <translation>Text-Protokolldateien ( *.txt *.log )</translation>
    </message>
    <message>
        <location filename="../ui/mainwindow.cpp" line="+54"/>
        <source>AtoN</source>
        <translation>AtoN</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Lantern Interface Module</source>
        <translation>Laternen-Schnittstellenmodul</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Serial Data</source>
        <translation>Serielle Daten</translation>
    </message>
    <message>
        <location line="+280"/>
        <source>The document is the configuration of the unit with %1.
The unit on the line is the unit with %2.</source>
        <translation>Das Dokument ist die Konfiguration des Geräts mit %1.
Das Gerät an der Leitung ist das Gerät mit %2.</translation>
    </message>
    <message>
        <location filename="../ui/connectionview.cpp" line="+117"/>
        <location filename="../ui/mainwindow.cpp" line="-232"/>
        <location filename="../ui/trafficlog.cpp" line="+67"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location filename="../ui/mainwindow.cpp" line="+424"/>
        <location line="+19"/>
        <source>Another unit has been docked.</source>
        <translation>Ein anderes Gerät wurde angedockt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The unit with %1 has taken the place of the unit with %2.

The tabs show the document, not what this unit holds.</source>
        <translation>Das Gerät mit %1 hat den Platz des Geräts mit %2 eingenommen.

Die Registerkarten zeigen das Dokument, nicht was dieses Gerät hält.</translation>
    </message>
    <message>
        <location filename="../ui/porttoolbar.cpp" line="+49"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Connect to the chosen port (%1)</source>
        <translation>Mit der gewählten Schnittstelle verbinden (%1)</translation>
    </message>
    <message>
        <location filename="../ui/connectionview.cpp" line="+86"/>
        <source>Could not connect to %1.</source>
        <translation>Keine Verbindung zu %1 möglich.</translation>
    </message>
    <message>
        <location line="-96"/>
        <source>%1 is back: connecting again.</source>
        <translation>%1 ist wieder da: die Verbindung wird wieder aufgebaut.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Connected again to %1 once it came back.</source>
        <translation>Wieder mit %1 verbunden, nachdem die Schnittstelle zurück war.</translation>
    </message>
    <message>
        <location filename="../ui/porttoolbar.cpp" line="+6"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>End the link to the unit (%1)</source>
        <translation>Die Verbindung zum Gerät beenden (%1)</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <location filename="../ui/mainwindow.cpp" line="-46"/>
        <source>The retrieve did not finish; the document is as it was.</source>
        <translation>Das Abrufen wurde nicht abgeschlossen; das Dokument ist unverändert.</translation>
    </message>
    <message>
        <location filename="../ui/connectionview.cpp" line="-116"/>
        <source> UTC 99:99:99 </source>
        <translation> UTC 99:99:99 </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Displays the current UTC time as supplied by the GPS</source>
        <translation>Zeigt die aktuelle UTC-Zeit, wie sie das GPS liefert</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+142"/>
        <source> No GPS </source>
        <translation> Kein GPS </translation>
    </message>
    <message>
        <location filename="../ui/porttoolbar.cpp" line="+62"/>
        <source>Error connecting to the AtoN</source>
        <translation>Fehler beim Verbinden mit dem AtoN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>There is no serial port %1.</source>
        <translation>Es gibt keine serielle Schnittstelle %1.</translation>
    </message>
    <message>
        <location filename="../ui/trafficlog.cpp" line="-40"/>
        <source>Replay Log File</source>
        <translation>Protokolldatei abspielen</translation>
    </message>
    <message>
        <location filename="../ui/mainwindow.cpp" line="-210"/>
        <source>The configuration has not been sent:</source>
        <translation>Die Konfiguration wurde nicht gesendet:</translation>
    </message>
    <message>
        <location filename="../ui/trafficlog.cpp" line="+28"/>
        <source>Replaying the log, lines played: %1</source>
        <translation>Protokoll wird abgespielt, abgespielte Zeilen: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The log replay has ended; lines played: %1</source>
        <translation>Das Abspielen des Protokolls ist beendet; abgespielte Zeilen: %1</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Error writing to the Log File</source>
        <translation>Fehler beim Schreiben der Protokolldatei</translation>
    </message>
    <message>
        <location filename="../ui/connectionview.cpp" line="+6"/>
        <source> UTC </source>
        <translation> UTC </translation>
    </message>
    <message>
        <location line="+4"/>
        <source> UTC **:**:** </source>
        <translation> UTC **:**:** </translation>
    </message>
    <message>
        <location filename="../ui/trafficlog.cpp" line="+19"/>
        <source>Save Log To File</source>
        <translation>Protokoll in Datei speichern</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Error creating Log File</source>
        <translation>Fehler beim Anlegen der Protokolldatei</translation>
    </message>
    <message>
        <location filename="../ui/mainwindow.cpp" line="+347"/>
        <source>Communicating with the AtoN.</source>
        <translation>Die Verbindung mit dem AtoN ist aktiv.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Are you sure you wish to exit?</source>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>MessageSchedule</name>
    <message>
        <location filename="../model/messageschedule.cpp" line="+123"/>
        <source>Schedule row %1: message %2 is not an AIS message number (1 to %3)</source>
        <translation>Sendeplanzeile %1: Nachricht %2 ist keine AIS-Nachrichtennummer (1 bis %3)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Schedule %1/%2: the schedule&apos;s sentence carries at most %3 rows of a message</source>
        <translation>Sendeplan %1/%2: der Satz des Sendeplans trägt höchstens %3 Zeilen einer Nachricht</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <location line="+197"/>
        <source>This send switches off the unit&apos;s off-position report (message 21, row 2): the unit will no longer report when its AtoN drifts off its position.</source>
        <translation>Dieses Senden schaltet die Off-Position-Meldung des Geräts ab (Nachricht 21, Zeile 2): Das Gerät meldet dann nicht mehr, wenn seine AtoN von ihrer Position abtreibt.</translation>
    </message>
    <message>
        <location line="+172"/>
        <source>Row %1 (message %2, index %3): channel 1 start slot %4, channel 2 start slot %5</source>
        <translation>Zeile %1 (Nachricht %2, Index %3): Kanal 1 Start-Slot %4, Kanal 2 Start-Slot %5</translation>
    </message>
</context>
<context>
    <name>MessageScheduleControls</name>
    <message>
        <location filename="../ui/messageschedulecontrols.cpp" line="+93"/>
        <source>The schedule cannot be sent: these rows risk a slot clash
(the tool tip says how to mend it).
</source>
        <translation>Der Sendeplan kann nicht gesendet werden: diese Zeilen könnten Slots doppelt belegen
(der Tooltip sagt, wie es zu beheben ist).
</translation>
    </message>
    <message numerus="yes">
        <location line="+9"/>
        <source> and %n more</source>
        <translation>
            <numerusform> und %n weitere</numerusform>
            <numerusform> und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>As the unit holds them: %1</source>
        <translation>Wie das Gerät sie hält: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A send changes only the rows this document names; it leaves these as the unit holds them:
%1
The schedule&apos;s menu can switch them off.</source>
        <translation>Ein Senden ändert nur die Zeilen, die dieses Dokument nennt; diese lässt es, wie das Gerät sie hält:
%1
Das Menü des Sendeplans kann sie abschalten.</translation>
    </message>
</context>
<context>
    <name>MessageScheduleDelegate</name>
    <message>
        <location filename="../ui/messagescheduledelegate.cpp" line="+91"/>
        <source> slots</source>
        <translation> Slots</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> mins</source>
        <translation> Min.</translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Schedule row %1, %2: %3</source>
        <translation>Sendeplan, Zeile %1, %2: %3</translation>
    </message>
</context>
<context>
    <name>MessageScheduleMenu</name>
    <message>
        <location filename="../ui/messageschedulemenu.cpp" line="+12"/>
        <source>Add Message &amp;6 ( Binary Addressed Message )</source>
        <translation>Nachricht &amp;6 hinzufügen ( adressierte Binärnachricht )</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Message &amp;8 ( Binary Broadcast Message )</source>
        <translation>Nachricht &amp;8 hinzufügen ( binäre Rundsendenachricht )</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Message 1&amp;2</source>
        <translation>Nachricht 1&amp;2 hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Message 1&amp;4</source>
        <translation>Nachricht 1&amp;4 hinzufügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+2"/>
        <source>&amp;%1  Message %2</source>
        <translation>&amp;%1  Nachricht %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Remove Message</source>
        <translation>Nachricht &amp;entfernen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Off-position Report</source>
        <translation>Meldung &amp;Positionsabweichung</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Rows &amp;Left as the Unit Holds Them</source>
        <translation>&amp;Zeilen, wie das Gerät sie hält</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Switch &amp;All Off</source>
        <translation>&amp;Alle abschalten</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Switch %1 Off</source>
        <translation>%1 abschalten</translation>
    </message>
</context>
<context>
    <name>MessageScheduleTableModel</name>
    <message>
        <location filename="../ui/messagescheduletablemodel.cpp" line="+40"/>
        <source> slots</source>
        <translation> Slots</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> minutes</source>
        <translation> Minuten</translation>
    </message>
    <message>
        <location filename="../model/codetexts.cpp" line="+97"/>
        <location filename="../ui/messagescheduletablemodel.cpp" line="+72"/>
        <source>FATDMA</source>
        <translation>FATDMA</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../ui/messagescheduletablemodel.cpp" line="+2"/>
        <source>RATDMA</source>
        <translation>RATDMA</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../ui/messagescheduletablemodel.cpp" line="+2"/>
        <source>CSTDMA</source>
        <translation>CSTDMA</translation>
    </message>
    <message>
        <location filename="../ui/messagescheduletablemodel.cpp" line="-69"/>
        <source>21 ( AtoN Report )</source>
        <translation>21 ( AtoN-Meldung )</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>6 ( Binary Addressed Message )</source>
        <translation>6 ( adressierte Binärnachricht )</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>8 ( Binary Broadcast Message )</source>
        <translation>8 ( binäre Rundsendenachricht )</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>12 ( Binary Broadcast Message )</source>
        <translation>12 ( binäre Rundsendenachricht )</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>14 ( Binary Broadcast Message )</source>
        <translation>14 ( binäre Rundsendenachricht )</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Message %1, row %2 of that message: the unit holds it, and this program has no place for it in its table.
It is kept as the unit gave it and sent back unchanged; Remove switches it off.</source>
        <translation>Nachricht %1, Zeile %2 dieser Nachricht: das Gerät hält sie, und dieses Programm hat in seiner Tabelle keinen Platz dafür.
Sie bleibt, wie das Gerät sie angab, und wird unverändert zurückgesendet; Entfernen schaltet sie ab.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>This document does not say what the unit should hold in this row: a send leaves it as the unit holds it.
The schedule&apos;s menu can switch it off.</source>
        <translation>Dieses Dokument sagt nicht, was das Gerät in dieser Zeile halten soll: ein Senden lässt sie, wie das Gerät sie hält.
Das Menü des Sendeplans kann sie abschalten.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>1 ( Normal Report )</source>
        <translation>1 ( normale Meldung )</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>2 ( Off-position Report )</source>
        <translation>2 ( Meldung Positionsabweichung )</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>As the unit holds it</source>
        <translation>Wie das Gerät sie hält</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Start slots only valid if the Access Scheme is FATDMA</source>
        <translation>Start-Slots gelten nur beim Zugriffsverfahren FATDMA</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Interval is 0 minutes, therefore this channel is deactivated</source>
        <translation>Das Intervall ist 0 Minuten, daher ist dieser Kanal abgeschaltet</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Message
ID</source>
        <translation>Nachrichten-
ID</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Access
Scheme</source>
        <translation>Zugriffs-
verfahren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Channel 1
Start UTC</source>
        <translation>Kanal 1
Start UTC</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Channel 1
Start Slot</source>
        <translation>Kanal 1
Start-Slot</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Channel 1
Interval</source>
        <translation>Kanal 1
Intervall</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Channel 2
Start UTC</source>
        <translation>Kanal 2
Start UTC</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Channel 2
Start Slot</source>
        <translation>Kanal 2
Start-Slot</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Channel 2
Interval</source>
        <translation>Kanal 2
Intervall</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>The two channels of this row risk sending in the same slots: their start slots must be at least three apart, unless one channel is off (slot -1) or both have the same interval of whole minutes and start half an interval apart.</source>
        <translation>Die beiden Kanäle dieser Zeile könnten in denselben Slots senden: ihre Start-Slots müssen mindestens drei auseinander liegen, außer ein Kanal ist aus (Slot -1) oder beide haben dasselbe Intervall aus ganzen Minuten und beginnen ein halbes Intervall versetzt.</translation>
    </message>
    <message>
        <location filename="../model/scheduletable.cpp" line="+46"/>
        <source>%1 slots</source>
        <translation>%1 Slots</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>as the unit holds it</source>
        <translation>wie das Gerät sie hält</translation>
    </message>
</context>
<context>
    <name>MmsiChangeBox</name>
    <message>
        <location filename="../ui/mmsichangebox.cpp" line="+46"/>
        <source>Another unit holds this MMSI.</source>
        <translation>Ein anderes Gerät hat diese MMSI.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The register could not be asked about this MMSI.</source>
        <translation>Das Register konnte zu dieser MMSI nicht befragt werden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The send changes the unit&apos;s MMSI.</source>
        <translation>Das Senden ändert die MMSI des Geräts.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The document was retrieved from another unit.</source>
        <translation>Das Dokument wurde von einem anderen Gerät abgerufen.</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>Send the document to the unit on the line?</source>
        <translation>Das Dokument an das Gerät an der Leitung senden?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send the whole document, AtoN and lantern settings, to the unit on the line?</source>
        <translation>Das ganze Dokument, AtoN- und Laterneneinstellungen, an das Gerät an der Leitung senden?</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Give this unit MMSI %1 all the same (the register keeps this choice)</source>
        <translation>Diesem Gerät trotzdem die MMSI %1 geben (das Register vermerkt diese Wahl)</translation>
    </message>
</context>
<context>
    <name>MmsiGuard</name>
    <message>
        <location filename="../app/mmsiguard.cpp" line="+28"/>
        <source>This gives the unit (serial number %1) the MMSI %2.</source>
        <translation>Dies gibt dem Gerät (Seriennummer %1) die MMSI %2.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>not known</source>
        <translation>nicht bekannt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This changes the unit&apos;s MMSI from %1 to %2.</source>
        <translation>Dies ändert die MMSI des Geräts von %1 auf %2.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Whether another unit holds MMSI %1 could not be checked: %2</source>
        <translation>Ob ein anderes Gerät die MMSI %1 hat, konnte nicht geprüft werden: %2</translation>
    </message>
    <message>
        <location line="+17"/>
        <source> on %1%2</source>
        <translation> an %1%2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> (port %1)</source>
        <translation> (Anschluss %1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The register says MMSI %1 belongs to another unit, serial number %2, last seen %3%4. Two units with one MMSI show as one station on every chart.</source>
        <translation>Laut Register gehört die MMSI %1 einem anderen Gerät, Seriennummer %2, zuletzt gesehen %3%4. Zwei Geräte mit einer MMSI erscheinen auf jeder Seekarte als eine Station.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 Nothing was sent; --reassign-mmsi gives the unit this MMSI all the same.</source>
        <translation>%1 Nichts wurde gesendet; --reassign-mmsi gibt dem Gerät diese MMSI trotzdem.</translation>
    </message>
</context>
<context>
    <name>MmsiPlausibility</name>
    <message>
        <location filename="../model/mmsiplausibility.cpp" line="+37"/>
        <source>a ship&apos;s MMSI</source>
        <translation>die MMSI eines Schiffes</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a coast station&apos;s MMSI</source>
        <translation>die MMSI einer Küstenfunkstelle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a group call&apos;s MMSI</source>
        <translation>die MMSI eines Gruppenrufs</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a search and rescue aircraft&apos;s MMSI</source>
        <translation>die MMSI eines SAR-Luftfahrzeugs</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the MMSI of a craft with a parent ship</source>
        <translation>die MMSI eines Beiboots mit Mutterschiff</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the MMSI of a distress device (SART, man overboard, EPIRB)</source>
        <translation>die MMSI eines Notfunkgeräts (SART, Mann über Bord, EPIRB)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>of no form that ITU allocates</source>
        <translation>von keiner Form, die die ITU vergibt</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>an AtoN&apos;s MMSI is 99, the country&apos;s three digits (MID), 1 for a physical AtoN, 6 for a virtual one or 8 for a mobile one, and three digits: 99MIDaXXX</source>
        <translation>die MMSI eines AtoN ist 99, die drei Ziffern des Landes (MID), 1 für ein physisches AtoN, 6 für ein virtuelles oder 8 für ein mobiles, und drei Ziffern: 99MIDaXXX</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is not an MMSI (nine digits, not all zeros)</source>
        <translation>„%1“ ist keine MMSI (neun Ziffern, nicht alle null)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MMSI %1 has the AtoN form, but its MID %2 belongs to no country</source>
        <translation>MMSI %1 hat die Form eines AtoN, aber ihre MID %2 gehört keinem Land</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MMSI %1 starts as an AtoN&apos;s but its sixth digit %2 is none of 1, 6 and 8; %3</source>
        <translation>MMSI %1 beginnt wie die eines AtoN, aber ihre sechste Ziffer %2 ist weder 1 noch 6 noch 8; %3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MMSI %1 is %2, not an AtoN&apos;s; %3</source>
        <translation>MMSI %1 ist %2, nicht die eines AtoN; %3</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>the name &quot;%1&quot; holds %2, which AIS does not carry as written (names take capitals A to Z, digits, space and !&quot;#$%&amp;&apos;()*+,-./:;&lt;=&gt;?[\]^_)</source>
        <translation>der Name „%1“ enthält %2, was AIS nicht so überträgt (Namen bestehen aus Großbuchstaben A bis Z, Ziffern, Leerzeichen und !&quot;#$%&amp;&apos;()*+,-./:;&lt;=&gt;?[\]^_)</translation>
    </message>
</context>
<context>
    <name>NmeaShellCommand</name>
    <message>
        <location filename="../link/nmeashellcommand.cpp" line="+63"/>
        <source>the answer&apos;s first field is &quot;%1&quot;, not %2</source>
        <translation>das erste Feld der Antwort ist „%1“, nicht %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the answer names no command</source>
        <translation>die Antwort nennt keinen Befehl</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the answer carries no tag</source>
        <translation>die Antwort trägt keine Kennung</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>the answer text is empty</source>
        <translation>der Antworttext ist leer</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ ist keine Zahl</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>„%1“ ist keine ganze Zahl</translation>
    </message>
</context>
<context>
    <name>NumberBox</name>
    <message>
        <location filename="../ui/numberbox.cpp" line="+127"/>
        <source>no number given.</source>
        <translation>keine Zahl angegeben.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>&quot;%1&quot; ist keine Zahl.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;%1&quot; is not a whole number.</source>
        <translation>&quot;%1&quot; ist keine ganze Zahl.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 has too many decimals: %2 at most.</source>
        <translation>%1 hat zu viele Nachkommastellen: höchstens %2.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is outside %2 to %3.</source>
        <translation>%1 liegt außerhalb von %2 bis %3.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>%1 is outside the usual range, %2 to %3; it stays as the file or the unit holds it unless changed here.</source>
        <translation>%1 liegt außerhalb des üblichen Bereichs, %2 bis %3; der Wert bleibt, wie ihn die Datei oder das Gerät hält, solange er hier nicht geändert wird.</translation>
    </message>
</context>
<context>
    <name>OffPositionView</name>
    <message>
        <location filename="../ui/offpositionview.cpp" line="+66"/>
        <source>No position yet</source>
        <translation>Noch keine Position</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>N</source>
        <translation>N</translation>
    </message>
</context>
<context>
    <name>OnAirCheck</name>
    <message>
        <location filename="../app/onaircheck.cpp" line="+22"/>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>the line closed before the unit reported</source>
        <translation>die Leitung wurde geschlossen, bevor das Gerät meldete</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1: sent %2, on air %3</source>
        <translation>%1: gesendet %2, ausgestrahlt %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>type of AtoN</source>
        <translation>AtoN-Typ</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>position</source>
        <translation>Position</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 (%2 m away, beyond %3 m)</source>
        <translation>%1 (%2 m entfernt, mehr als %3 m)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>dimension A (to bow)</source>
        <translation>Abmessung A (zum Bug)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension B (to stern)</source>
        <translation>Abmessung B (zum Heck)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension C (to port)</source>
        <translation>Abmessung C (nach Backbord)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dimension D (to starboard)</source>
        <translation>Abmessung D (nach Steuerbord)</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>On air: the unit&apos;s own report at %1 UTC carries every field sent (MMSI, name, type, position, dimensions).</source>
        <translation>Ausgestrahlt: Die eigene Meldung des Geräts um %1 UTC trägt jedes gesendete Feld (MMSI, Name, Typ, Position, Abmessungen).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>On air: the unit&apos;s own report at %1 UTC differs from what was sent: %2.</source>
        <translation>Ausgestrahlt: Die eigene Meldung des Geräts um %1 UTC weicht vom Gesendeten ab: %2.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>On air: no report of the unit came; %1. Whether it broadcasts what it holds is not known.</source>
        <translation>Ausgestrahlt: Keine Meldung des Geräts kam; %1. Ob es ausstrahlt, was es hält, ist nicht bekannt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>On air: no report of the unit came within %1 min. Whether it broadcasts what it holds is not known.</source>
        <translation>Ausgestrahlt: Innerhalb von %1 min kam keine Meldung des Geräts. Ob es ausstrahlt, was es hält, ist nicht bekannt.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>On air: waiting for the unit&apos;s own report.</source>
        <translation>Ausgestrahlt: Warte auf die eigene Meldung des Geräts.</translation>
    </message>
</context>
<context>
    <name>PadFile</name>
    <message>
        <location filename="../model/padfile.cpp" line="+39"/>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1: %2 is not a position (-%3 to %3, or %4 for not available).</source>
        <translation>%1: %2 ist keine Position (-%3 bis %3, oder %4 für nicht verfügbar).</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The file could not be read (%1).</source>
        <translation>Die Datei konnte nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>The file is too large to be a configuration file.</source>
        <translation>Die Datei ist zu groß für eine Konfigurationsdatei.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The file ends before the configuration is complete.</source>
        <translation>Die Datei endet, bevor die Konfiguration vollständig ist.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file does not hold a valid configuration.</source>
        <translation>Die Datei enthält keine gültige Konfiguration.</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>The file holds %n byte(s) after the end of the configuration.</source>
        <translation>
            <numerusform>Die Datei enthält %n Byte nach dem Ende der Konfiguration.</numerusform>
            <numerusform>Die Datei enthält %n Bytes nach dem Ende der Konfiguration.</numerusform>
        </translation>
    </message>
    <message>
        <location line="-39"/>
        <source>The configuration could not be written (%1).</source>
        <translation>Die Konfiguration konnte nicht geschrieben werden (%1).</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <location filename="../link/portprobe.cpp" line="+99"/>
        <source>Removed the lock file %1 of the serial port %2: the process %3 that made it has ended.</source>
        <translation>Die Sperrdatei %1 der seriellen Schnittstelle %2 wurde entfernt: der Prozess %3, der sie angelegt hat, ist beendet.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>busy</source>
        <translation>belegt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no permission</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>stale lock</source>
        <translation>verwaiste Sperre</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>not present</source>
        <translation>nicht vorhanden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>cannot be opened</source>
        <translation>kann nicht geöffnet werden</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The serial port %1 is busy: another program is using it. Close that program or choose another port.</source>
        <translation>Die serielle Schnittstelle %1 ist belegt: ein anderes Programm verwendet sie. Schließen Sie dieses Programm oder wählen Sie eine andere Schnittstelle.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Permission denied: you may not open the serial port %1. Add your user to the &quot;dialout&quot; group (then log out and in again), or install the device rule that comes with the program.</source>
        <translation>Zugriff verweigert: Sie dürfen die serielle Schnittstelle %1 nicht öffnen. Nehmen Sie Ihren Benutzer in die Gruppe &quot;dialout&quot; auf (danach ab- und wieder anmelden) oder installieren Sie die Geräteregel, die mit dem Programm geliefert wird.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The serial port %1 is not present. Check that the adapter is plugged in, then choose the port again.</source>
        <translation>Die serielle Schnittstelle %1 ist nicht vorhanden. Prüfen Sie, ob der Adapter eingesteckt ist, und wählen Sie die Schnittstelle dann erneut.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The serial port %1 is locked by a program that has ended, and its lock file %2 is not yours to remove. Remove it as root (sudo rm %2), then connect again.</source>
        <translation>Die serielle Schnittstelle %1 ist von einem beendeten Programm gesperrt, und Sie dürfen seine Sperrdatei %2 nicht entfernen. Entfernen Sie sie als root (sudo rm %2) und verbinden Sie sich dann erneut.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>(gone now)</source>
        <translation>(inzwischen entfernt)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The serial port %1 cannot be opened (%2).</source>
        <translation>Die serielle Schnittstelle %1 kann nicht geöffnet werden (%2).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>PositionSurvey</name>
    <message>
        <location filename="../status/positionsurvey.cpp" line="+34"/>
        <source>The unit reported no valid GPS fix within %1 s; a survey needs one.</source>
        <translation>Das Gerät meldete innerhalb von %1 s keine gültige GPS-Position; das Einmessen braucht eine.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The link closed or another unit was docked during the survey.</source>
        <translation>Während des Einmessens wurde die Verbindung geschlossen oder ein anderes Gerät angeschlossen.</translation>
    </message>
    <message numerus="yes">
        <location line="+24"/>
        <source>The survey was stopped; fixes taken: %n.</source>
        <translation>
            <numerusform>Das Einmessen wurde angehalten; %n Position erfasst.</numerusform>
            <numerusform>Das Einmessen wurde angehalten; %n Positionen erfasst.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+12"/>
        <source>The unit lost its GPS fix (fixes taken: %n); survey again once it holds one steadily.</source>
        <translation>
            <numerusform>Das Gerät verlor seine GPS-Position (%n Position erfasst); messen Sie erneut ein, sobald es eine stetig hält.</numerusform>
            <numerusform>Das Gerät verlor seine GPS-Position (%n Positionen erfasst); messen Sie erneut ein, sobald es eine stetig hält.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+34"/>
        <source>Fixes taken: %n; a survey needs at least %1.</source>
        <translation>
            <numerusform>%n Position erfasst; das Einmessen braucht mindestens %1.</numerusform>
            <numerusform>%n Positionen erfasst; das Einmessen braucht mindestens %1.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The fixes spread %1 m, beyond the off-position threshold of %2 m: the unit moves or its fix is poor, and the mean is not offered.</source>
        <translation>Die Positionen streuen %1 m, mehr als die Schwelle für die Positionsabweichung von %2 m: Das Gerät bewegt sich oder seine Position ist ungenau; das Mittel wird nicht angeboten.</translation>
    </message>
    <message>
        <location line="+62"/>
        <source>Waiting for the unit&apos;s next GPS fix</source>
        <translation>Warte auf die nächste GPS-Position des Geräts</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+13"/>
        <source>HDOP not known</source>
        <translation>HDOP nicht bekannt</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+13"/>
        <source>HDOP %1</source>
        <translation>HDOP %1</translation>
    </message>
    <message numerus="yes">
        <location line="-12"/>
        <source>Fixes: %n, spread %1 m, %2, %3 s left</source>
        <translation>
            <numerusform>%n Position, Streuung %1 m, %2, noch %3 s</numerusform>
            <numerusform>%n Positionen, Streuung %1 m, %2, noch %3 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+13"/>
        <source>Mean of the fixes (%n): spread %1 m, %2.</source>
        <translation>
            <numerusform>Mittel aus %n Position: Streuung %1 m, %2.</numerusform>
            <numerusform>Mittel aus %n Positionen: Streuung %1 m, %2.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PositionSurveyButton</name>
    <message>
        <location filename="../ui/positionsurveybutton.cpp" line="+6"/>
        <source>S&amp;urvey...</source>
        <translation>E&amp;inmessen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Average the unit&apos;s own GPS fixes into the nominal position</source>
        <translation>Die eigenen GPS-Positionen des Geräts zur Sollposition mitteln</translation>
    </message>
</context>
<context>
    <name>PositionSurveyDialog</name>
    <message>
        <location filename="../ui/positionsurveydialog.cpp" line="+18"/>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Use as nominal position</source>
        <translation>Als Soll&amp;position übernehmen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Survey the nominal position</source>
        <translation>Sollposition einmessen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The unit&apos;s own GPS fixes are averaged; the mean is offered when every fix was valid and their spread stays within the off-position threshold (%1 m). Nothing is sent to the unit.</source>
        <translation>Die eigenen GPS-Positionen des Geräts werden gemittelt; das Mittel wird angeboten, wenn jede Position gültig war und ihre Streuung innerhalb der Schwelle für die Positionsabweichung (%1 m) bleibt. Nichts wird an das Gerät gesendet.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Duration:</source>
        <translation>&amp;Dauer:</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Press Start when the unit shows a fix.</source>
        <translation>Drücken Sie „Starten“, sobald das Gerät eine Position hat.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Mean: %1, %2</source>
        <translation>Mittel: %1, %2</translation>
    </message>
</context>
<context>
    <name>RealAtoNTab</name>
    <message>
        <location filename="../ui/realatontab.ui" line="+14"/>
        <source>Real AtoN</source>
        <translation>Reales AtoN</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>AtoN Identification</source>
        <translation>AtoN-Kennung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>MMSI:</source>
        <translation>MMSI:</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Enter the AtoN MMSI, 9 digits in length</source>
        <translation>Die MMSI des AtoN eingeben, 9 Ziffern</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Enter the AtoN name, up to 34 characters in length</source>
        <translation>Den Namen des AtoN eingeben, bis zu 34 Zeichen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Characters left; each of $*,!\^~ takes three</source>
        <translation>Verbleibende Zeichen; jedes von $*,!\^~ braucht drei</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Type of AtoN:</source>
        <translation>Art des AtoN:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Select the type of the AtoN</source>
        <translation>Die Art des AtoN wählen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Type of EPFS:</source>
        <translation>Art des EPFS:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Select the type of the Electronic Position Fixing System</source>
        <translation>Die Art des elektronischen Positionsbestimmungssystems wählen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Nominal Position</source>
        <translation>Sollposition</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Latitude:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Enter the nominal latitude</source>
        <translation>Die Soll-Breite eingeben</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Longitude:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Enter the nominal longitude</source>
        <translation>Die Soll-Länge eingeben</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Accuracy:</source>
        <translation>Genauigkeit:</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Select the accuracy for the Nominal position</source>
        <translation>Die Genauigkeit der Sollposition wählen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Threshold:</source>
        <translation>Schwelle:</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Enter the off position threshold in metres (valid range: 10m - 999m)</source>
        <translation>Die Schwelle für Positionsabweichung in Metern eingeben (gültig: 10 m - 999 m)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source> m</source>
        <translation> m</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Warning: An off position threshold of &lt;20m could result in spurious off position reports due to GPS position accuracy</source>
        <translation>Warnung: Eine Schwelle für Positionsabweichung unter 20 m kann wegen der GPS-Genauigkeit zu falschen Abweichungsmeldungen führen</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Radio</source>
        <translation>Funk</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Ch 1:</source>
        <translation>Kan. 1:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Select the VHF Channel for Channel 1</source>
        <translation>Den UKW-Kanal für Kanal 1 wählen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Ch 2:</source>
        <translation>Kan. 2:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Select the VHF Channel for Channel 2</source>
        <translation>Den UKW-Kanal für Kanal 2 wählen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>RACON</source>
        <translation>RACON</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>RACON Fitted</source>
        <translation>RACON eingebaut</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Toggle RACON status to on or off</source>
        <translation>RACON-Status ein- oder ausschalten</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Unit Information</source>
        <translation>Geräteinformationen</translation>
    </message>
    <message>
        <location line="+44"/>
        <location filename="../ui/realatontab.cpp" line="+133"/>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The voltage is read on recalling information from the device.  This value does not change dynamically during the connection.</source>
        <translation>Die Spannung wird beim Abrufen der Daten vom Gerät gelesen.  Der Wert ändert sich während der Verbindung nicht.</translation>
    </message>
    <message>
        <location line="-41"/>
        <source>Application Software Version:</source>
        <translation>Version der Anwendungssoftware:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Product Serial Number:</source>
        <translation>Seriennummer des Produkts:</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Battery Voltage:</source>
        <translation>Batteriespannung:</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>AtoN Dimensions</source>
        <translation>AtoN-Abmessungen</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Enter the AtoN Dimension in metres (0-511)</source>
        <translation>Die AtoN-Abmessung in Metern eingeben (0-511)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Enter the AtoN Dimension in metres (1-511)</source>
        <translation>Die AtoN-Abmessung in Metern eingeben (1-511)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Enter the AtoN Dimension in metres (0-63)</source>
        <translation>Die AtoN-Abmessung in Metern eingeben (0-63)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Enter the AtoN Dimension in metres (1-63)</source>
        <translation>Die AtoN-Abmessung in Metern eingeben (1-63)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Message Schedule</source>
        <translation>Sendeplan</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Add a message to the schedule, or switch the off-position report on or off</source>
        <translation>Eine Nachricht zum Sendeplan hinzufügen oder die Off-Position-Meldung ein- oder ausschalten</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Remove the selected message from the schedule</source>
        <translation>Die gewählte Nachricht aus dem Sendeplan entfernen</translation>
    </message>
    <message>
        <location filename="../model/codetexts.cpp" line="-92"/>
        <source> (0)  Default</source>
        <translation> (0)  Standard</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (1)  Reference Point</source>
        <translation> (1)  Bezugspunkt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (2)  Racon</source>
        <translation> (2)  Racon</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (3)  Fixed Structure - Off Shore</source>
        <translation> (3)  Feste Struktur - vor der Küste</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> (5)  Light Without Sectors</source>
        <translation> (5)  Feuer ohne Sektoren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (6)  Light With Sectors</source>
        <translation> (6)  Feuer mit Sektoren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (7)  Leading Light Front</source>
        <translation> (7)  Leitfeuer Unterfeuer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (8)  Leading Light Rear</source>
        <translation> (8)  Leitfeuer Oberfeuer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (9)  Beacon Cardinal N</source>
        <translation> (9)  Bake Kardinal N</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(10)  Beacon Cardinal E</source>
        <translation>(10)  Bake Kardinal O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(11)  Beacon Cardinal S</source>
        <translation>(11)  Bake Kardinal S</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(12)  Beacon cardinal W</source>
        <translation>(12)  Bake Kardinal W</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(13)  Beacon Port Hand</source>
        <translation>(13)  Bake Backbord</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(14)  Beacon Starboard Hand</source>
        <translation>(14)  Bake Steuerbord</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(15)  Beacon Preferred Channel Port Hand</source>
        <translation>(15)  Bake Abzweigung Backbord</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(16)  Beacon Preferred Channel Starboard Hand</source>
        <translation>(16)  Bake Abzweigung Steuerbord</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(17)  Beacon Isolated Danger</source>
        <translation>(17)  Bake Einzelgefahr</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(18)  Beacon Safe Water</source>
        <translation>(18)  Bake Mitte Fahrwasser</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(19)  Beacon Special Mark</source>
        <translation>(19)  Bake Sonderzeichen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(20)  Cardinal Mark N</source>
        <translation>(20)  Kardinalzeichen N</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(21)  Cardinal Mark E</source>
        <translation>(21)  Kardinalzeichen O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(22)  Cardinal Mark S</source>
        <translation>(22)  Kardinalzeichen S</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(23)  Cardinal Mark W</source>
        <translation>(23)  Kardinalzeichen W</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(24)  Port Hand Mark</source>
        <translation>(24)  Backbordzeichen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(25)  Starboard Hand Mark</source>
        <translation>(25)  Steuerbordzeichen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(26)  Preferred Channel Port Hand</source>
        <translation>(26)  Abzweigung Backbord</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(27)  Preferred Channel Starboard Hand</source>
        <translation>(27)  Abzweigung Steuerbord</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(28)  Isolated Danger</source>
        <translation>(28)  Einzelgefahr</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(29)  Safe Water</source>
        <translation>(29)  Mitte Fahrwasser</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(30)  Special Mark</source>
        <translation>(30)  Sonderzeichen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>(31)  Light Vessel</source>
        <translation>(31)  Feuerschiff</translation>
    </message>
    <message>
        <location filename="../ui/realatontab.cpp" line="-477"/>
        <location line="+13"/>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Dimension A:</source>
        <translation>Abmessung A:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dimension B:</source>
        <translation>Abmessung B:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dimension C:</source>
        <translation>Abmessung C:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dimension D:</source>
        <translation>Abmessung D:</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The nominal position is not available.</source>
        <translation>Die Sollposition ist nicht verfügbar.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The nominal latitude is not available.</source>
        <translation>Die Breite der Sollposition ist nicht verfügbar.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The nominal longitude is not available.</source>
        <translation>Die Länge der Sollposition ist nicht verfügbar.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The unit will be told that it has no nominal position and will report its position as not available. Send it so?</source>
        <translation>Das Gerät erfährt, dass es keine Sollposition hat, und meldet seine Position als nicht verfügbar. So senden?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send as not available</source>
        <translation>Als nicht verfügbar senden</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Use the schedule&apos;s menu to switch the report on, or to leave it as the unit holds it. Send it switched off?</source>
        <translation>Schalten Sie die Meldung im Menü des Sendeplans ein, oder lassen Sie sie, wie das Gerät sie hält. Abgeschaltet senden?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send with the report off</source>
        <translation>Mit abgeschalteter Meldung senden</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1 left</source>
        <translation>noch %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&quot;%1&quot; cannot be sent: a name holds capitals, digits, blanks and the signs of the AIS character set.</source>
        <translation>&quot;%1&quot; kann nicht gesendet werden: ein Name besteht aus Großbuchstaben, Ziffern, Leerzeichen und den Zeichen des AIS-Zeichensatzes.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>too long: %1 characters, %2 at most.</source>
        <translation>zu lang: %1 Zeichen, höchstens %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>too long to send: %1 characters once the reserved characters ($*,!\^~) are sent as three, %2 at most.</source>
        <translation>zu lang zum Senden: %1 Zeichen, wenn die reservierten Zeichen ($*,!\^~) als drei gesendet werden, höchstens %2.</translation>
    </message>
    <message>
        <location filename="../model/codetexts.cpp" line="+11"/>
        <location filename="../ui/realatontab.cpp" line="-225"/>
        <source>Autonomous</source>
        <translation>Autonom</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../ui/realatontab.cpp" line="+1"/>
        <source>Surveyed</source>
        <translation>Vermessen</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../ui/realatontab.cpp" line="+2"/>
        <source>&gt; 10 m</source>
        <translation>&gt; 10 m</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../ui/realatontab.cpp" line="+1"/>
        <source>&lt; 10 m</source>
        <translation>&lt; 10 m</translation>
    </message>
    <message>
        <location filename="../ui/realatontab.cpp" line="+298"/>
        <source>AtoN Dimensions (Fixed)</source>
        <translation>AtoN-Abmessungen (fest)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>AtoN Dimensions (Floating)</source>
        <translation>AtoN-Abmessungen (schwimmend)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Enter the AtoN Dimension in metres (%1-%2)</source>
        <translation>Die AtoN-Abmessung in Metern eingeben (%1-%2)</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>MMSI is not valid</source>
        <translation>MMSI ist ungültig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MID of no country</source>
        <translation>MID keines Landes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not an AtoN MMSI</source>
        <translation>Keine AtoN-MMSI</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>An MMSI is nine digits, not all of them 0.</source>
        <translation>Eine MMSI hat neun Ziffern, nicht alle 0.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>not valid: nine digits, not all of them 0.</source>
        <translation>ungültig: neun Ziffern, nicht alle 0.</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>For example: 50 30 15.5 %1, 50 30.25 %2, -50:30, or _ for not available.</source>
        <translation>Zum Beispiel: 50 30 15.5 %1, 50 30.25 %2, -50:30, oder _ für nicht verfügbar.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>For example: 004 30 15.5 %1, 004 30.25 %2, -4:30, or _ for not available.</source>
        <translation>Zum Beispiel: 004 30 15.5 %1, 004 30.25 %2, -4:30, oder _ für nicht verfügbar.</translation>
    </message>
    <message>
        <location line="+128"/>
        <source> mV</source>
        <translation> mV</translation>
    </message>
</context>
<context>
    <name>RecordDetailsDialog</name>
    <message>
        <location filename="../ui/recorddetailsdialog.cpp" line="+33"/>
        <source>Save record</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Choose file…</source>
        <translation>Datei wählen…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Engineer:</source>
        <translation>&amp;Techniker:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Customer:</source>
        <translation>&amp;Kunde:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Site:</source>
        <translation>&amp;Standort:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The record names who read the unit, for whom and where; customer and site may stay empty.</source>
        <translation>Das Protokoll nennt, wer das Gerät gelesen hat, für wen und wo; Kunde und Standort dürfen leer bleiben.</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>A record names its engineer.</source>
        <translation>Ein Protokoll nennt seinen Techniker.</translation>
    </message>
</context>
<context>
    <name>RecordWriter</name>
    <message>
        <location filename="../fleet/record/recordwriter.cpp" line="+37"/>
        <source>Serial number %1 · MMSI %2 · %3</source>
        <translation>Seriennummer %1 · MMSI %2 · %3</translation>
    </message>
    <message>
        <location line="+50"/>
        <location line="+35"/>
        <source>%1: the record could not be laid out as a PDF</source>
        <translation>%1: das Protokoll konnte nicht als PDF gesetzt werden</translation>
    </message>
    <message>
        <location line="-16"/>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1: could not be written: %2</source>
        <translation>%1: konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Units: %1</source>
        <translation>Geräte: %1</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <location filename="../model/regularfile.cpp" line="+78"/>
        <source>The system reports: %1</source>
        <translation>Das System meldet: %1</translation>
    </message>
    <message>
        <location line="-50"/>
        <location line="+36"/>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>%1 is a pipe (FIFO), not a file.</source>
        <translation>%1 ist eine Pipe (FIFO), keine Datei.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is a device, not a file.</source>
        <translation>%1 ist ein Gerät, keine Datei.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is a socket, not a file.</source>
        <translation>%1 ist ein Socket, keine Datei.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not an ordinary file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 is a symbolic link that another user made in a folder everyone may write to; it is not followed.</source>
        <translation>%1 ist eine symbolische Verknüpfung, die ein anderer Benutzer in einem für alle beschreibbaren Ordner angelegt hat; ihr wird nicht gefolgt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A part of the path %1 is not a folder.</source>
        <translation>Ein Teil des Pfads %1 ist kein Ordner.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>You are not allowed to read %1.</source>
        <translation>Sie dürfen %1 nicht lesen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>You are not allowed to write to %1.</source>
        <translation>Sie dürfen nicht in %1 schreiben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The disk holding %1 can only be read.</source>
        <translation>Der Datenträger mit %1 kann nur gelesen werden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your disk quota is used up.</source>
        <translation>Ihr Speicherkontingent ist aufgebraucht.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The name %1 is too long.</source>
        <translation>Der Name %1 ist zu lang.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The disk reported an error (input/output error).</source>
        <translation>Der Datenträger meldete einen Fehler (Ein-/Ausgabefehler).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The path %1 goes round in symbolic links.</source>
        <translation>Der Pfad %1 führt im Kreis durch symbolische Verknüpfungen.</translation>
    </message>
</context>
<context>
    <name>RequestName</name>
    <message>
        <location filename="../link/requestname.cpp" line="+13"/>
        <source>the unit&apos;s MMSI</source>
        <translation>die MMSI des Geräts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the AtoN settings: type, position, channels</source>
        <translation>die AtoN-Einstellungen: Art, Position, Kanäle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the AtoN&apos;s name</source>
        <translation>der Name des AtoN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the message schedule</source>
        <translation>der Sendeplan</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the unit&apos;s software version</source>
        <translation>die Softwareversion des Geräts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the unit&apos;s serial number</source>
        <translation>die Seriennummer des Geräts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the battery voltage</source>
        <translation>die Batteriespannung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the unit&apos;s restart</source>
        <translation>der Neustart des Geräts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the GPS filter</source>
        <translation>der GPS-Filter</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>lantern interface on or off</source>
        <translation>Laternen-Schnittstelle ein oder aus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lantern&apos;s minimum voltage</source>
        <translation>die minimale Laternenspannung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lantern&apos;s maximum voltage</source>
        <translation>die maximale Laternenspannung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lantern&apos;s maximum on time</source>
        <translation>die maximale Einschaltzeit der Laterne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lantern&apos;s maximum off time</source>
        <translation>die maximale Ausschaltzeit der Laterne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lantern&apos;s on current or slew rate</source>
        <translation>der Einschaltstrom oder die Ein/Aus-Anstiegsrate der Laterne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the lantern&apos;s current range</source>
        <translation>der Strombereich der Laterne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>the ambient light-on threshold</source>
        <translation>die Umgebungslicht-Einschaltschwelle</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the %1 query</source>
        <translation>die Abfrage %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the lantern query %1</source>
        <translation>die Laternenabfrage %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the command %1</source>
        <translation>den Befehl %1</translation>
    </message>
</context>
<context>
    <name>SatelliteBars</name>
    <message>
        <location filename="../ui/satellitebars.cpp" line="+39"/>
        <source>No satellites in view</source>
        <translation>Keine Satelliten sichtbar</translation>
    </message>
</context>
<context>
    <name>SendReport</name>
    <message>
        <location filename="../app/sendreport.cpp" line="+62"/>
        <location line="+11"/>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <location line="-3"/>
        <source>the AtoN settings and message schedule</source>
        <translation>die AtoN-Einstellungen und den Sendeplan</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+50"/>
        <source>the lantern settings</source>
        <translation>die Laterneneinstellungen</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>the AtoN settings</source>
        <translation>die AtoN-Einstellungen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>part of the AtoN settings</source>
        <translation>einen Teil der AtoN-Einstellungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the message schedule</source>
        <translation>den Sendeplan</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of the %2 rows of the message schedule sent</source>
        <translation>%1 von %2 Zeilen des Sendeplans gesendet</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the lantern settings %1</source>
        <translation>die Laterneneinstellungen %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The send ended while %1 were read back: everything went out, but what the unit holds now is not known, as it was not compared.</source>
        <translation>Das Senden endete während des Rücklesens: alles für %1 ging hinaus, aber was das Gerät jetzt hält, ist nicht bekannt, da es nicht verglichen wurde.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The send ended before any of %1 went out: the unit holds what it held before.</source>
        <translation>Das Senden endete, bevor etwas für %1 hinausging: das Gerät hält, was es vorher hielt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The send ended before it was complete: the unit may hold %1 only in part.</source>
        <translation>Das Senden endete vor seinem Abschluss: das Gerät hält %1 möglicherweise nur zum Teil.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The send ended before it was complete.</source>
        <translation>Das Senden endete vor seinem Abschluss.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>All of %1 went out, but was not read back: what the unit holds of it now is not known.</source>
        <translation>Alles für %1 ging hinaus, wurde aber nicht zurückgelesen: was das Gerät davon jetzt hält, ist nicht bekannt.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Nothing of %1 went out: the unit holds that as before.</source>
        <translation>Für %1 ging nichts hinaus: das Gerät hält sie wie zuvor.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Another unit was docked during the send, which stopped at once. The send was meant for the unit with %1; the unit on the line now has %2.</source>
        <translation>Während des Sendens wurde ein anderes Gerät angedockt; das Senden hielt sofort an. Es war für das Gerät mit %1 bestimmt; das Gerät an der Leitung hat jetzt %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The unit meant is not known to hold anything of this send.</source>
        <translation>Vom gemeinten Gerät ist nicht bekannt, dass es etwas von diesem Senden hält.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The unit meant holds %1 as sent (not read back); the rest as before.</source>
        <translation>Das gemeinte Gerät hält %1 wie gesendet (nicht zurückgelesen), den Rest wie zuvor.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Either unit may hold %1: it went out while the units were changed.</source>
        <translation>Jedes der beiden Geräte kann %1 halten: es ging hinaus, während die Geräte gewechselt wurden.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The AtoN sentences are addressed to MMSI %1: the unit now docked takes them only if it holds that MMSI.</source>
        <translation>Die AtoN-Sätze sind an die MMSI %1 gerichtet: das jetzt angedockte Gerät übernimmt sie nur, wenn es diese MMSI hält.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The unit now docked holds nothing else of this send.</source>
        <translation>Das jetzt angedockte Gerät hält sonst nichts von diesem Senden.</translation>
    </message>
</context>
<context>
    <name>SerialController</name>
    <message>
        <location filename="../link/serialcontroller.cpp" line="+275"/>
        <location line="+338"/>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <location line="-221"/>
        <source>The serial device hung up: the unit or its adapter was unplugged</source>
        <translation>Das serielle Gerät hat aufgelegt: das Gerät oder sein Adapter wurde abgezogen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The serial device has gone (%1): the unit or its adapter was unplugged</source>
        <translation>Das serielle Gerät ist weg (%1): das Gerät oder sein Adapter wurde abgezogen</translation>
    </message>
    <message>
        <location line="+195"/>
        <source># vandrel Started log file at </source>
        <translation># vandrel Protokolldatei begonnen um </translation>
    </message>
    <message>
        <location line="+9"/>
        <source># vandrel Stopped log file at </source>
        <translation># vandrel Protokolldatei beendet um </translation>
    </message>
</context>
<context>
    <name>SerialDisplay</name>
    <message>
        <location filename="../ui/serialdisplay.cpp" line="+460"/>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy &amp;All</source>
        <translation>&amp;Alles kopieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Select All</source>
        <translation>Alles aus&amp;wählen</translation>
    </message>
</context>
<context>
    <name>SerialTab</name>
    <message>
        <location filename="../ui/serialtab.ui" line="+14"/>
        <source>Serial Data</source>
        <translation>Serielle Daten</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Enter Commands:</source>
        <translation>Befehle eingeben:</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Enter a NMEA Sentence Command (a missing checksum is appended; a typed one must match)</source>
        <translation>Einen NMEA-Satz als Befehl eingeben (eine fehlende Prüfsumme wird angehängt; eine eingegebene muss stimmen)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Send the command to the AIS  (will automatically add the NMEA Checksum if required)</source>
        <translation>Den Befehl an das AIS senden  (die NMEA-Prüfsumme wird bei Bedarf automatisch angehängt)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>xxVDO</source>
        <translation>xxVDO</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>xxZDA</source>
        <translation>xxZDA</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>GPxxx</source>
        <translation>GPxxx</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>xxTXT</source>
        <translation>xxTXT</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Show the sentences sent to the AIS as well as those received</source>
        <translation>Die an das AIS gesendeten Sätze ebenso wie die empfangenen anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show sent</source>
        <translation>Gesendete zeigen</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Save the data to a Log File</source>
        <translation>Die Daten in einer Protokolldatei speichern</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../ui/serialtab.cpp" line="+73"/>
        <source>Log To File</source>
        <translation>In Datei protokollieren</translation>
    </message>
    <message>
        <location line="+20"/>
        <location filename="../ui/serialtab.cpp" line="+93"/>
        <source>Freezes the data display</source>
        <translation>Hält die Datenanzeige an</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../ui/serialtab.cpp" line="-1"/>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The data send to and received from the AIS</source>
        <translation>Die an das AIS gesendeten und von ihm empfangenen Daten</translation>
    </message>
    <message>
        <location filename="../ui/serialtab.cpp" line="-92"/>
        <source>Stop Log</source>
        <translation>Protokoll beenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Logging to %1</source>
        <translation>Protokoll in %1</translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+11"/>
        <source>The NMEA sentence is invalid.</source>
        <translation>Der NMEA-Satz ist ungültig.</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>The checksum *%1 does not match the sentence (*%2 would).</source>
        <translation>Die Prüfsumme *%1 passt nicht zum Satz (*%2 würde passen).</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>Resume (lines held: %1, more dropped)</source>
        <translation>Fortsetzen (gehaltene Zeilen: %1, weitere verworfen)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Resume (lines held: %1)</source>
        <translation>Fortsetzen (gehaltene Zeilen: %1)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shows the lines held while paused and continues the display</source>
        <translation>Zeigt die während der Pause gehaltenen Zeilen und setzt die Anzeige fort</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>The Command Shell is not
 accessible from Vandrel. 
</source>
        <translation>Die Befehls-Shell ist aus
 Vandrel nicht erreichbar. 
</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>%1 It has not been sent.</source>
        <translation>%1 Er wurde nicht gesendet.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Line %1 of %2: %3 None of the lines has been sent.</source>
        <translation>Zeile %1 von %2: %3 Keine der Zeilen wurde gesendet.</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>------ new link, %1 UTC ------
</source>
        <translation>------ neue Verbindung, %1 UTC ------
</translation>
    </message>
</context>
<context>
    <name>SerialTransport</name>
    <message>
        <location filename="../link/serialtransport.cpp" line="+18"/>
        <source>Reading Log File </source>
        <translation>Lese Protokolldatei </translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source> ...</source>
        <translation> ...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Connected to Serial Port: </source>
        <translation>Verbunden mit serieller Schnittstelle: </translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+23"/>
        <source>A connection is already open</source>
        <translation>Eine Verbindung ist bereits offen</translation>
    </message>
</context>
<context>
    <name>SessionUnitLink</name>
    <message>
        <location filename="../fleet/sessionunitlink.cpp" line="+45"/>
        <source>the unit on %1 did not tell its serial number within %2 s</source>
        <translation>das Gerät an %1 hat seine Seriennummer nicht innerhalb von %2 s genannt</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the line to %1 closed</source>
        <translation>die Leitung zu %1 wurde geschlossen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>the send was cut off: %1</source>
        <translation>das Senden wurde abgebrochen: %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>the configuration could not be read</source>
        <translation>die Konfiguration konnte nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>%1 could not be opened</source>
        <translation>%1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>the send could not start on %1</source>
        <translation>das Senden konnte an %1 nicht beginnen</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>the retrieve could not start on %1</source>
        <translation>das Lesen konnte an %1 nicht beginnen</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>no fix reported</source>
        <translation>keine Position gemeldet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no valid position (the last fix is out of date)</source>
        <translation>keine gültige Position (die letzte ist veraltet)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>no valid position</source>
        <translation>keine gültige Position</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>; satellites not known</source>
        <translation>; Satelliten nicht bekannt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>3D fix</source>
        <translation>3D-Fix</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2D fix</source>
        <translation>2D-Fix</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>no fix</source>
        <translation>kein Fix</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>; %1, %2 of %3 satellites used</source>
        <translation>; %1, %2 von %3 Satelliten genutzt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>; %1, %2 satellites in view, those used not known</source>
        <translation>; %1, %2 Satelliten in Sicht, genutzte nicht bekannt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>; %1, satellites not known</source>
        <translation>; %1, Satelliten nicht bekannt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>; at %1 UTC</source>
        <translation>; um %1 UTC</translation>
    </message>
</context>
<context>
    <name>StateMachine</name>
    <message>
        <location filename="../app/statemachine.cpp" line="+54"/>
        <source>The message schedule set risks clashing timeslots.
The configuration has not been sent.

There must be a difference of at least three slots between the start slots allocated to each channel unless:
- one or both of the channels is disabled (slot = -1), or
- the transmission interval is the same for both channels and is at least (and in multiples of) 2250 slots, and the time offset between the two channels is half of the transmission interval (2250 slots per minute).

This gives a &quot;symmetrical&quot; schedule and avoids the risk of overlapping slots being used by both channels at the same time.</source>
        <translation>Der eingestellte Sendeplan riskiert überlappende Zeitschlitze.
Die Konfiguration wurde nicht gesendet.

Zwischen den Start-Slots der beiden Kanäle muss ein Abstand von mindestens drei Slots liegen, außer:
- einer oder beide Kanäle sind abgeschaltet (Slot = -1), oder
- das Sendeintervall ist für beide Kanäle gleich und beträgt mindestens (und ein Vielfaches von) 2250 Slots, und der Zeitversatz zwischen den beiden Kanälen beträgt die Hälfte des Sendeintervalls (2250 Slots pro Minute).

Das ergibt einen &quot;symmetrischen&quot; Sendeplan und vermeidet, dass sich überlappende Slots gleichzeitig von beiden Kanälen belegt werden.</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>The connection to the AtoN was lost.</source>
        <translation>Die Verbindung zur AtoN ist verloren gegangen.</translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+596"/>
        <source>Error sending to the AtoN</source>
        <translation>Fehler beim Senden an die AtoN</translation>
    </message>
    <message>
        <location line="-594"/>
        <location line="+574"/>
        <source>Error reading from the AtoN</source>
        <translation>Fehler beim Lesen von der AtoN</translation>
    </message>
    <message>
        <location line="-573"/>
        <source>Error communicating with the AtoN</source>
        <translation>Fehler bei der Kommunikation mit der AtoN</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 failed. %2</source>
        <translation>%1 fehlgeschlagen. %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 could not begin. %2</source>
        <translation>%1 konnte nicht beginnen. %2</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Error connecting to the AtoN</source>
        <translation>Fehler beim Verbinden mit dem AtoN</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The line to the unit could not be written.</source>
        <translation>Auf die Leitung zum Gerät konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The line to the unit could not be written: %1</source>
        <translation>Auf die Leitung zum Gerät konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Reading back the AtoN settings</source>
        <translation>Rücklesen der AtoN-Einstellungen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Reading the AtoN settings</source>
        <translation>Lesen der AtoN-Einstellungen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Reading back the message schedule</source>
        <translation>Rücklesen des Sendeplans</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+60"/>
        <source>Reading the message schedule</source>
        <translation>Lesen des Sendeplans</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>Reading the unit&apos;s version</source>
        <translation>Lesen der Geräteversion</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reading the battery voltage</source>
        <translation>Lesen der Batteriespannung</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reading back lantern settings</source>
        <translation>Rücklesen der Laterneneinstellungen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Reading lantern settings</source>
        <translation>Lesen der Laterneneinstellungen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Asking the unit for its serial number</source>
        <translation>Das Gerät wird nach seiner Seriennummer gefragt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Asking the unit for its MMSI</source>
        <translation>Abfrage der MMSI des Geräts</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Sending the AtoN settings</source>
        <translation>Senden der AtoN-Einstellungen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Sending the message schedule</source>
        <translation>Senden des Sendeplans</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sending lantern settings</source>
        <translation>Senden der Laterneneinstellungen</translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+345"/>
        <source>The configuration has not been sent:</source>
        <translation>Die Konfiguration wurde nicht gesendet:</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Another unit was docked during the retrieve: the unit on the line now has %1. Nothing that was read has been taken.</source>
        <translation>Während des Abrufens wurde ein anderes Gerät angedockt: das Gerät an der Leitung hat jetzt %1. Nichts vom Gelesenen wurde übernommen.</translation>
    </message>
    <message>
        <location line="-141"/>
        <source>Clashing row: message 21, normal report (start slots %1 and %2).</source>
        <translation>Kollidierende Zeile: Nachricht 21, normaler Bericht (Startslots %1 und %2).</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>A timeout occurred.</source>
        <translation>Eine Zeitüberschreitung ist aufgetreten.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Error communicating with the device</source>
        <translation>Fehler bei der Kommunikation mit dem Gerät</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A timeout occurred. Has the device been removed from the dock?</source>
        <translation>Eine Zeitüberschreitung ist aufgetreten. Wurde das Gerät aus der Halterung genommen?</translation>
    </message>
    <message>
        <location line="+41"/>
        <location line="+42"/>
        <source>The send was meant for the unit with %1, but the unit on the line answers with %2. Nothing has been sent.</source>
        <translation>Das Senden war für das Gerät mit %1 bestimmt, aber das Gerät an der Leitung antwortet mit %2. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <location filename="../app/transferplan.cpp" line="+77"/>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 von %3</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <location filename="../ui/statustexts.cpp" line="+21"/>
        <location line="+1"/>
        <source>no fix</source>
        <translation>kein Fix</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>2D fix</source>
        <translation>2D-Fix</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3D fix</source>
        <translation>3D-Fix</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+8"/>
        <source>not known yet</source>
        <translation>noch nicht bekannt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>used not known yet, %1 in view</source>
        <translation>genutzte noch nicht bekannt, %1 sichtbar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 used of %2 in view</source>
        <translation>%1 genutzt von %2 sichtbar</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>autonomous</source>
        <translation>autonom</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>differential</source>
        <translation>differenziell</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>estimated</source>
        <translation>geschätzt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>float RTK</source>
        <translation>Float-RTK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>manual</source>
        <translation>manuell</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <source>not valid</source>
        <translation>ungültig</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>precise</source>
        <translation>präzise</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>RTK</source>
        <translation>RTK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>simulated</source>
        <translation>simuliert</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>no RACON fitted</source>
        <translation>kein RACON eingebaut</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>fitted, not monitored</source>
        <translation>eingebaut, nicht überwacht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>operational</source>
        <translation>in Betrieb</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+7"/>
        <source>error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>no light or not monitored</source>
        <translation>kein Licht oder nicht überwacht</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>good</source>
        <translation>gut</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 kn, %2°</source>
        <translation>%1 kn, %2°</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 m at %2°</source>
        <translation>%1 m in %2°</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 UTC</source>
        <translation>%1 UTC</translation>
    </message>
</context>
<context>
    <name>TimeBox</name>
    <message>
        <location filename="../ui/timebox.cpp" line="+50"/>
        <source>no time given.</source>
        <translation>keine Zeit angegeben.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&quot;%1&quot; is not a time as hours and minutes (hh:mm).</source>
        <translation>„%1“ ist keine Zeit in Stunden und Minuten (hh:mm).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is not a time of day (00:00 to 23:59).</source>
        <translation>%1 ist keine Tageszeit (00:00 bis 23:59).</translation>
    </message>
</context>
<context>
    <name>TransferControls</name>
    <message>
        <location filename="../ui/transfercontrols.cpp" line="+28"/>
        <source>&amp;Retrieve from AtoN</source>
        <translation>Vom AtoN &amp;abrufen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Send to AtoN</source>
        <translation>An AtoN &amp;senden</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Retrieve &amp;current tab only</source>
        <translation>&amp;Nur aktuelle Registerkarte abrufen</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Retrieve &amp;all tabs</source>
        <translation>&amp;Alle Registerkarten abrufen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Send &amp;current tab only</source>
        <translation>&amp;Nur aktuelle Registerkarte senden</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Send &amp;all tabs</source>
        <translation>&amp;Alle Registerkarten senden</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Retrieve</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Retrieve configuration from AtoN (%1)</source>
        <translation>Konfiguration vom AtoN abrufen (%1)</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Check the unit&apos;s report &amp;on air after sending</source>
        <translation>Nach dem Senden die ausgestrahlte Meldung des Geräts &amp;prüfen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Send configuration to AtoN (%1)</source>
        <translation>Konfiguration an den AtoN senden (%1)</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>On air: not checked; the window closed before the unit reported.</source>
        <translation>Über Funk: nicht geprüft; das Fenster wurde geschlossen, bevor das Gerät meldete.</translation>
    </message>
    <message numerus="yes">
        <location line="+64"/>
        <source>%1 - about %n s left</source>
        <translation>
            <numerusform>%1 - noch etwa %n s</numerusform>
            <numerusform>%1 - noch etwa %n s</numerusform>
        </translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The AtoN does not hold everything sent to it on the %1 tab.</source>
        <translation>Das AtoN hält nicht alles, was ihm auf der Registerkarte %1 gesendet wurde.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Sent; fields the unit did not take: %1 (see the box).</source>
        <translation>Gesendet; vom Gerät nicht übernommene Felder: %1 (siehe Meldung).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>AtoN settings</source>
        <translation>AtoN-Einstellungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>schedule</source>
        <translation>Sendeplan</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>lantern settings</source>
        <translation>Laterneneinstellungen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sent and verified: %1, %2 s</source>
        <translation>Gesendet und geprüft: %1, %2 s</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>On air: not checked; another send began before the unit reported.</source>
        <translation>Über Funk: nicht geprüft; ein weiteres Senden begann, bevor das Gerät meldete.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>On air: not checked; the window turned to another unit.</source>
        <translation>Über Funk: nicht geprüft; das Fenster wandte sich einem anderen Gerät zu.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Sent; waiting up to %1 min for the unit&apos;s own report on air.</source>
        <translation>Gesendet; warte bis zu %1 min auf die ausgestrahlte Meldung des Geräts.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The unit does not broadcast what was sent to it.</source>
        <translation>Das Gerät strahlt nicht aus, was ihm gesendet wurde.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>No report of the unit came in time.</source>
        <translation>Keine Meldung des Geräts kam rechtzeitig.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The send was refused.</source>
        <translation>Das Senden wurde abgelehnt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The transfer was stopped before it finished.</source>
        <translation>Die Übertragung wurde vor ihrem Ende abgebrochen.</translation>
    </message>
</context>
<context>
    <name>Transport</name>
    <message>
        <location filename="../link/transport.cpp" line="+272"/>
        <source>The answer to %1 was not understood.</source>
        <translation>Die Antwort auf %1 wurde nicht verstanden.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The answer to %1 was refused: %2</source>
        <translation>Die Antwort auf %1 wurde abgelehnt: %2</translation>
    </message>
    <message>
        <location line="+114"/>
        <source>No answer to %1 within %2 s.</source>
        <translation>Keine Antwort auf %1 innerhalb von %2 s.</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>An answer to %1 came after its answers had ended: %2</source>
        <translation>Eine Antwort auf %1 kam nach dem Ende seiner Antworten: %2</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The unit gave two different answers to %1: %2 and then %3</source>
        <translation>Das Gerät gab zwei verschiedene Antworten auf %1: %2 und danach %3</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The answer to %1 came damaged: %2</source>
        <translation>Die Antwort auf %1 kam beschädigt an: %2</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>The answer to %1 came with a wrong checksum: %2</source>
        <translation>Die Antwort auf %1 kam mit falscher Prüfsumme: %2</translation>
    </message>
    <message>
        <location line="-123"/>
        <source>The answers to %1 were not whole: %2.</source>
        <translation>Die Antworten auf %1 waren nicht vollständig: %2.</translation>
    </message>
</context>
<context>
    <name>UnitColumns</name>
    <message>
        <location filename="../fleet/unitcolumns.cpp" line="+29"/>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>„%1“ ist keine ganze Zahl</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>the name is empty</source>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the name &quot;%1&quot; holds a line break (a cell of two lines?)</source>
        <translation>der Name „%1“ enthält einen Zeilenumbruch (eine Zelle mit zwei Zeilen?)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the name &quot;%1&quot; holds the control character %2</source>
        <translation>der Name „%1“ enthält das Steuerzeichen %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>the name &quot;%1&quot; holds %2, which a unit cannot broadcast (names take capitals A to Z, digits, space and !&quot;#$%&amp;&apos;()*+,-./:;&lt;=&gt;?[\]^_)</source>
        <translation>der Name „%1“ enthält %2, das ein Gerät nicht aussenden kann (Namen bestehen aus den Großbuchstaben A bis Z, Ziffern, Leerzeichen und !&quot;#$%&amp;&apos;()*+,-./:;&lt;=&gt;?[\]^_)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the name &quot;%1&quot; has small letters, which a unit cannot broadcast; write it in capitals: &quot;%2&quot;</source>
        <translation>der Name „%1“ hat Kleinbuchstaben, die ein Gerät nicht aussenden kann; in Großbuchstaben schreiben: „%2“</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the name has %1 characters, more than the %2 a unit keeps</source>
        <translation>der Name hat %1 Zeichen, mehr als die %2, die ein Gerät speichert</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>&quot;%1&quot; is neither true nor false</source>
        <translation>„%1“ ist weder true noch false</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&quot;%1&quot; is not a number of degrees</source>
        <translation>„%1“ ist keine Gradzahl</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is outside -%2 to %2 degrees</source>
        <translation>%1 liegt außerhalb von -%2 bis %2 Grad</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>MMSI &quot;%1&quot; is not valid (nine digits, not all zeros)</source>
        <translation>MMSI „%1“ ist ungültig (neun Ziffern, nicht alle null)</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>&quot;%1&quot; is not a field of a unit</source>
        <translation>„%1“ ist kein Feld eines Geräts</translation>
    </message>
</context>
<context>
    <name>UnitHistoryDialog</name>
    <message>
        <location filename="../ui/unithistorydialog.cpp" line="+15"/>
        <source>Unit History</source>
        <translation>Geräteverlauf</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Register entry of %1</source>
        <translation>Registereintrag vom %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, register entry of %2</source>
        <translation>%1, Registereintrag vom %2</translation>
    </message>
</context>
<context>
    <name>UnitHistoryView</name>
    <message>
        <location filename="../ui/unithistoryview.cpp" line="+27"/>
        <source>Retrieve</source>
        <translation>Abrufen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Commission</source>
        <translation>Inbetriebnahme</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Record</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Status read</source>
        <translation>Status gelesen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>done</source>
        <translation>erledigt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>verified</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>cut off</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Open as document</source>
        <translation>Als Dokument ö&amp;ffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Compare with the unit</source>
        <translation>Mit dem Gerät &amp;vergleichen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>No unit is docked, or its serial number is not known yet.</source>
        <translation>Kein Gerät ist angeschlossen, oder seine Seriennummer ist noch nicht bekannt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The register could not be read: %1</source>
        <translation>Das Register konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The register holds nothing of the unit with serial number %1.</source>
        <translation>Das Register enthält nichts über das Gerät mit der Seriennummer %1.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>The unit with serial number %1 in the register, newest first (entries: %n):</source>
        <translation>
            <numerusform>Das Gerät mit Seriennummer %1 im Register, neueste zuerst (%n Eintrag):</numerusform>
            <numerusform>Das Gerät mit Seriennummer %1 im Register, neueste zuerst (%n Einträge):</numerusform>
        </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 on %2</source>
        <translation>%1 an %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The engineer gave this unit an MMSI the register had for another unit.</source>
        <translation>Der Techniker gab diesem Gerät eine MMSI, die das Register für ein anderes Gerät führte.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The entry could not be read from the register: %1</source>
        <translation>Der Eintrag konnte nicht aus dem Register gelesen werden: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The entry&apos;s configuration cannot be read: %1</source>
        <translation>Die Konfiguration des Eintrags kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The unit holds what this entry of %1 holds.</source>
        <translation>Das Gerät enthält, was dieser Eintrag vom %1 enthält.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>The unit differs from this entry of %1 in %n field(s) (entry -&gt; unit):</source>
        <translation>
            <numerusform>Das Gerät weicht in %n Feld von diesem Eintrag vom %1 ab (Eintrag -&gt; Gerät):</numerusform>
            <numerusform>Das Gerät weicht in %n Feldern von diesem Eintrag vom %1 ab (Eintrag -&gt; Gerät):</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UnitIdentity</name>
    <message>
        <location filename="../app/unitidentity.h" line="+36"/>
        <source>not known</source>
        <translation>nicht bekannt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>serial number %1, MMSI %2</source>
        <translation>Seriennummer %1, MMSI %2</translation>
    </message>
</context>
<context>
    <name>UnitLastSeen</name>
    <message>
        <location filename="../ui/unitlastseen.cpp" line="+34"/>
        <source>Last seen: the register could not be asked (%1)</source>
        <translation>Zuletzt gesehen: das Register konnte nicht befragt werden (%1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Last seen: never before; the register has no entry for serial number %1.</source>
        <translation>Zuletzt gesehen: noch nie; das Register hat keinen Eintrag für die Seriennummer %1.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Last seen: %1 by %2 on %3 (%4, %5)</source>
        <translation>Zuletzt gesehen: %1 von %2 an %3 (%4, %5)</translation>
    </message>
</context>
<context>
    <name>UnitRecord</name>
    <message>
        <location filename="../fleet/record/recordwriter.cpp" line="-113"/>
        <location filename="../fleet/unitrecord.cpp" line="+66"/>
        <source>not known</source>
        <translation>nicht bekannt</translation>
    </message>
    <message>
        <location filename="../fleet/unitrecord.cpp" line="-27"/>
        <source>Message schedule</source>
        <translation>Sendeplan</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>not given</source>
        <translation>nicht angegeben</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>not read during this visit</source>
        <translation>bei diesem Besuch nicht gelesen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; (as the unit reported it)</source>
        <translation>„%1“ (wie vom Gerät gemeldet)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 V (%2 mV)</source>
        <translation>%1 V (%2 mV)</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Unit record</source>
        <translation>Geräteprotokoll</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read from the unit; nothing was sent.</source>
        <translation>Vom Gerät gelesen; nichts wurde gesendet.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>PASS</source>
        <translation>BESTANDEN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DIFFERS</source>
        <translation>ABWEICHUNG</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>FAILED</source>
        <translation>FEHLGESCHLAGEN</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>READ</source>
        <translation>GELESEN</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the unit holds every field sent</source>
        <translation>das Gerät hält jedes gesendete Feld</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>the unit does not hold every field sent (%n not held); it is not commissioned as planned</source>
        <translation>
            <numerusform>das Gerät hält nicht jedes gesendete Feld (%n nicht gehalten); es ist nicht wie geplant in Betrieb genommen</numerusform>
            <numerusform>das Gerät hält nicht jedes gesendete Feld (%n nicht gehalten); es ist nicht wie geplant in Betrieb genommen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>read from the unit; nothing was sent or compared</source>
        <translation>vom Gerät gelesen; nichts wurde gesendet oder verglichen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Engineer: not given</source>
        <translation>Techniker: nicht angegeben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MMSI</source>
        <translation>MMSI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Software version</source>
        <translation>Softwareversion</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date and time (UTC)</source>
        <translation>Datum und Uhrzeit (UTC)</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+45"/>
        <source>Engineer</source>
        <translation>Techniker</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Site</source>
        <translation>Standort</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Port</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Source</source>
        <translation>Herkunft</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Template SHA-256</source>
        <translation>SHA-256 der Vorlage</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Unit table</source>
        <translation>Gerätetabelle</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1, line %2</source>
        <translation>%1, Zeile %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Register entry</source>
        <translation>Registereintrag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>none written</source>
        <translation>keiner geschrieben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Battery voltage</source>
        <translation>Batteriespannung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Active alarms</source>
        <translation>Aktive Alarme</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Read-back</source>
        <translation>Rücklesen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>AtoN</source>
        <translation>AtoN</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Lantern interface</source>
        <translation>Laternen-Schnittstelle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The configuration could not be read.</source>
        <translation>Die Konfiguration konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Signatures</source>
        <translation>Unterschriften</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Signature</source>
        <translation>Unterschrift</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Witness</source>
        <translation>Zeuge</translation>
    </message>
</context>
<context>
    <name>UnitRegister</name>
    <message>
        <location filename="../register/unitregister.cpp" line="+75"/>
        <source>A file in the register&apos;s spool holds no entry: %1</source>
        <translation>Eine Datei im Zwischenspeicher des Registers enthält keinen Eintrag: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>1 entry that had waited in %1 was now written to the register %2.</source>
        <translation>1 Eintrag, der in %1 gewartet hatte, wurde jetzt in das Register %2 geschrieben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 entries that had waited in %2 were now written to the register %3.</source>
        <translation>%1 Einträge, die in %2 gewartet hatten, wurden jetzt in das Register %3 geschrieben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 entries still wait in %2: %3</source>
        <translation>%1 Einträge warten noch in %2: %3</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1
The spool %2 could not take the entry either (%3): this transfer is not in the register.</source>
        <translation>%1
Auch der Zwischenspeicher %2 konnte den Eintrag nicht aufnehmen (%3): diese Übertragung steht nicht im Register.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1
The entry waits in %2 and will be written to the register as soon as a Vandrel program reaches it again.</source>
        <translation>%1
Der Eintrag wartet in %2 und wird in das Register geschrieben, sobald ein Vandrel-Programm es wieder erreicht.</translation>
    </message>
</context>
<context>
    <name>UnitStatusSummary</name>
    <message>
        <location filename="../ui/unitstatussummary.cpp" line="+10"/>
        <source>GPS fix, satellites used and active alarms of the unit; click for the unit status</source>
        <translation>GPS-Fix, genutzte Satelliten und aktive Alarme des Geräts; klicken für den Gerätestatus</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No satellite data</source>
        <translation>Keine Satellitendaten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, satellites used: %2</source>
        <translation>%1, genutzte Satelliten: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>active alarms: %1</source>
        <translation>aktive Alarme: %1</translation>
    </message>
</context>
<context>
    <name>UnitStatusTab</name>
    <message>
        <location filename="../ui/unitstatustab.cpp" line="+81"/>
        <source>Unit Status</source>
        <translation>Gerätestatus</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Unit History...</source>
        <translation>Geräteverlauf...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>UTC:</source>
        <translation>UTC:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fix:</source>
        <translation>Fix:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Satellites:</source>
        <translation>Satelliten:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Speed, course:</source>
        <translation>Fahrt, Kurs:</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Own AtoN report (message 21)</source>
        <translation>Eigene AtoN-Meldung (Nachricht 21)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MMSI:</source>
        <translation>MMSI:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reported position:</source>
        <translation>Gemeldete Position:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Off position:</source>
        <translation>Positionsabweichung:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RACON:</source>
        <translation>RACON:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Light:</source>
        <translation>Licht:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Health:</source>
        <translation>Zustand:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Virtual AtoN:</source>
        <translation>Virtueller AtoN:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last report:</source>
        <translation>Letzte Meldung:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Interval:</source>
        <translation>Intervall:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Off position</source>
        <translation>Positionsabweichung</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>GPS fix:</source>
        <translation>GPS-Fix:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reported:</source>
        <translation>Gemeldet:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cross: nominal position the unit holds; dashed circle: off-position threshold; line: GPS fixes; diamonds: reported positions.</source>
        <translation>Kreuz: Sollposition im Gerät; gestrichelter Kreis: Schwelle der Positionsabweichung; Linie: GPS-Positionen; Rauten: gemeldete Positionen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Battery</source>
        <translation>Batterie</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read the battery voltage from the unit</source>
        <translation>Die Batteriespannung vom Gerät lesen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Alarms</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ack.</source>
        <translation>Quitt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First seen (UTC)</source>
        <translation>Zuerst gesehen (UTC)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last seen (UTC)</source>
        <translation>Zuletzt gesehen (UTC)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Acknowledged</source>
        <translation>Quittiert</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Texts</source>
        <translation>Texte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Receiver texts:</source>
        <translation>Texte des Empfängers:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Texts from the unit:</source>
        <translation>Texte des Geräts:</translation>
    </message>
    <message>
        <location line="+102"/>
        <source> (stale)</source>
        <translation> (veraltet)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no position</source>
        <translation>keine Position</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>no GPS data</source>
        <translation>keine GPS-Daten</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>no report received</source>
        <translation>keine Meldung empfangen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>OFF POSITION</source>
        <translation>POSITION VERLASSEN</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>on position</source>
        <translation>auf Position</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The unit&apos;s nominal position is not known: a log holds no settings.</source>
        <translation>Die Sollposition des Geräts ist nicht bekannt: ein Protokoll enthält keine Einstellungen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The unit&apos;s nominal position is not known yet: retrieve its settings to compare its position with it.</source>
        <translation>Die Sollposition des Geräts ist noch nicht bekannt: rufen Sie seine Einstellungen ab, um seine Position damit zu vergleichen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The unit holds no nominal position.</source>
        <translation>Das Gerät hat keine Sollposition.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The unit reports itself off position, but it was %1 m from the nominal position, within the threshold of %2 m.</source>
        <translation>Das Gerät meldet eine Positionsabweichung, war aber %1 m von der Sollposition entfernt, innerhalb der Schwelle von %2 m.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The unit reports itself on position, but it was %1 m from the nominal position, beyond the threshold of %2 m.</source>
        <translation>Das Gerät meldet sich auf Position, war aber %1 m von der Sollposition entfernt, jenseits der Schwelle von %2 m.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>ACTIVE</source>
        <translation>AKTIV</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>cleared</source>
        <translation>aufgehoben</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>not read</source>
        <translation>nicht gelesen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 mV, read at %2</source>
        <translation>%1 mV, gelesen um %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Not linked to a unit.</source>
        <translation>Nicht mit einem Gerät verbunden.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The link is busy; try again when the transfer has finished.</source>
        <translation>Die Verbindung ist belegt; nach Ende der Übertragung erneut versuchen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Reading the battery voltage...</source>
        <translation>Die Batteriespannung wird gelesen...</translation>
    </message>
</context>
<context>
    <name>VandrelApplication</name>
    <message>
        <location filename="../app/vandrelapplication.cpp" line="+38"/>
        <source>%1 Transfers are recorded in %2.</source>
        <translation>%1 Übertragungen werden in %2 festgehalten.</translation>
    </message>
</context>
<context>
    <name>WindowCommandLine</name>
    <message>
        <location filename="../app/windowcommandline.cpp" line="+39"/>
        <source>Only one configuration file can be opened; %1 were given.</source>
        <translation>Es kann nur eine Konfigurationsdatei geöffnet werden; %1 wurden angegeben.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--port needs the path of the serial port.</source>
        <translation>--port braucht den Pfad der seriellen Schnittstelle.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Usage: vandrel [--port PATH] [--debug] [FILE.pad]
Configures an AIS AtoN unit over its serial line.

  FILE.pad     open this configuration file
  --port PATH  connect to the unit on this serial port at start
  --debug      print the program&apos;s diagnostics on standard error
  --help       show this text
  --version    show the version
</source>
        <translation>Aufruf: vandrel [--port PFAD] [--debug] [DATEI.pad]
Konfiguriert eine AIS-AtoN-Einheit über ihre serielle Leitung.

  DATEI.pad    diese Konfigurationsdatei öffnen
  --port PFAD  beim Start mit der Einheit an dieser seriellen Schnittstelle verbinden
  --debug      die Diagnose des Programms auf die Standardfehlerausgabe schreiben
  --help       diesen Text zeigen
  --version    die Version zeigen
</translation>
    </message>
</context>
</TS>
