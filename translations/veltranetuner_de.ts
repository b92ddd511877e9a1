<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AdvancedPage</name>
    <message>
        <source>Versions</source>
        <translation>Versionen</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>Servo drive firmware:</source>
        <translation>Firmware des Servoantriebs:</translation>
    </message>
    <message>
        <source>Tunemark version:</source>
        <translation>Tunemark-Version:</translation>
    </message>
    <message>
        <source>Release:</source>
        <translation>Release:</translation>
    </message>
    <message>
        <source>Device state</source>
        <translation>Gerätezustand</translation>
    </message>
    <message>
        <source>Firmware status bits:</source>
        <translation>Firmware-Statusbits:</translation>
    </message>
    <message>
        <source>Created FFB effects:</source>
        <translation>Angelegte FFB-Effekte:</translation>
    </message>
    <message>
        <source>(Effect memory is empty)</source>
        <translation>(Effektspeicher ist leer)</translation>
    </message>
    <message>
        <source>Debug Information</source>
        <translation>Debug-Informationen</translation>
    </message>
    <message>
        <source>Debug value:</source>
        <translation>Debug-Wert:</translation>
    </message>
    <message>
        <source>Device actions</source>
        <translation>Geräteaktionen</translation>
    </message>
    <message>
        <source>Reset FFB device state</source>
        <translation>FFB-Gerätezustand zurücksetzen</translation>
    </message>
    <message>
        <source>Reload settings from Veltrane</source>
        <translation>Einstellungen von der Veltrane neu laden</translation>
    </message>
    <message>
        <source>Start everything from scratch</source>
        <translation>Alles von vorn beginnen</translation>
    </message>
    <message>
        <source>Debug event log</source>
        <translation>Debug-Ereignisprotokoll</translation>
    </message>
    <message>
        <source>Download debug event log</source>
        <translation>Debug-Ereignisprotokoll herunterladen</translation>
    </message>
    <message>
        <source>Normal events and state changes</source>
        <translation>Normale Ereignisse und Zustandswechsel</translation>
    </message>
    <message>
        <source>FFB effect creation, deletion and activation</source>
        <translation>Anlegen, Löschen und Aktivieren von FFB-Effekten</translation>
    </message>
    <message>
        <source>FFB effect value data (warning: fills log very fast)</source>
        <translation>Wertdaten der FFB-Effekte (Achtung: füllt das Protokoll sehr schnell)</translation>
    </message>
    <message>
        <source>Set this log verbosity level</source>
        <translation>Diese Protokollstufe einstellen</translation>
    </message>
    <message>
        <source>Telemetry Settings</source>
        <translation>Telemetrie-Einstellungen</translation>
    </message>
    <message>
        <source>Consent:</source>
        <translation>Einwilligung:</translation>
    </message>
    <message>
        <source>Consent...</source>
        <translation>Einwilligung...</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Upload Telemetry Now</source>
        <translation>Telemetrie jetzt hochladen</translation>
    </message>
    <message>
        <source>Tool language</source>
        <translation>Sprache des Programms</translation>
    </message>
    <message>
        <source>Set this language (requires restart)</source>
        <translation>Diese Sprache einstellen (erfordert Neustart)</translation>
    </message>
    <message>
        <source>Prevent mouse wheel from changing profile settings</source>
        <translation>Mausrad ändert keine Profileinstellungen</translation>
    </message>
    <message>
        <source>%1 Click here for updates %2</source>
        <translation>%1 Hier klicken für Updates %2</translation>
    </message>
</context>
<context>
    <name>AlarmBand</name>
    <message>
        <source>Disconnected - no force feedback</source>
        <translation>Getrennt – kein Force Feedback</translation>
    </message>
    <message>
        <source>E-Stop pressed</source>
        <translation>Not-Aus gedrückt</translation>
    </message>
    <message>
        <source>Drive faults - cycle the E-Stop to clear them</source>
        <translation>Antriebsfehler – Not-Aus drücken und lösen, um sie zu löschen</translation>
    </message>
    <message>
        <source>Torque off: %1</source>
        <translation>Drehmoment aus: %1</translation>
    </message>
</context>
<context>
    <name>AnalogConfigDialog</name>
    <message>
        <source>Analog axis configuration</source>
        <translation>Konfiguration der Analogachsen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Input select</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <source>Raw value</source>
        <translation>Rohwert</translation>
    </message>
    <message>
        <source>Deadzone low</source>
        <translation>Totzone unten</translation>
    </message>
    <message>
        <source>Deadzone high</source>
        <translation>Totzone oben</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Umkehren</translation>
    </message>
    <message>
        <source>Calibrated value</source>
        <translation>Kalibrierter Wert</translation>
    </message>
    <message>
        <source>Position indicator</source>
        <translation>Positionsanzeige</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Y axis</source>
        <translation>Y-Achse</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Z axis</source>
        <translation>Z-Achse</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Bremse</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>Clutch</source>
        <translation>Kupplung</translation>
    </message>
    <message>
        <source>Rudder</source>
        <translation>Seitenruder</translation>
    </message>
    <message>
        <source>Hat</source>
        <translation>Coolie-Hat</translation>
    </message>
    <message>
        <source>High and low deadzone values are used to calculate output from raw analog to digital converter value. You can manually set deadzones. Default deadzone is 100 at both ends. Axis ranges are 0-65535.</source>
        <translation>Aus den oberen und unteren Totzonen wird die Ausgabe aus dem Rohwert des Analog-Digital-Wandlers berechnet. Die Totzonen lassen sich von Hand einstellen. Voreingestellt ist an beiden Enden eine Totzone von 100. Der Achsbereich ist 0–65535.</translation>
    </message>
    <message>
        <source>Note 1:</source>
        <translation>Hinweis 1:</translation>
    </message>
    <message>
        <source>While this dialog is open, games will see raw, uncalibrated values.</source>
        <translation>Solange dieses Fenster offen ist, sehen Spiele rohe, unkalibrierte Werte.</translation>
    </message>
    <message>
        <source>Note 2:</source>
        <translation>Hinweis 2:</translation>
    </message>
    <message>
        <source>Unconnected inputs are floating, and might be acting in strange ways. Be sure to double check against the pins that you have connected to.</source>
        <translation>Nicht angeschlossene Eingänge sind offen und können sich seltsam verhalten. Prüfe genau, an welche Pins du angeschlossen hast.</translation>
    </message>
    <message>
        <source>Note 3:</source>
        <translation>Hinweis 3:</translation>
    </message>
    <message>
        <source>Not configured Y axis will idle at 50% position, so that joystick will show at middle position for games.</source>
        <translation>Eine nicht konfigurierte Y-Achse steht auf 50 %, damit Spiele den Joystick in der Mittelstellung sehen.</translation>
    </message>
    <message>
        <source>Settings management</source>
        <translation>Einstellungen verwalten</translation>
    </message>
    <message>
        <source>Export to ini file</source>
        <translation>In INI-Datei exportieren</translation>
    </message>
    <message>
        <source>Import from ini file</source>
        <translation>Aus INI-Datei importieren</translation>
    </message>
    <message>
        <source>Accept settings and close. Cancel reverts to the previous settings.</source>
        <translation>Einstellungen übernehmen und schließen. Abbrechen stellt die vorherigen Einstellungen wieder her.</translation>
    </message>
    <message>
        <source>Not Configured</source>
        <translation>Nicht konfiguriert</translation>
    </message>
    <message>
        <source>DB15 Clutch pin (Pin 7)</source>
        <translation>DB15 Kupplungs-Pin (Pin 7)</translation>
    </message>
    <message>
        <source>DB15 Handbrake pin (Pin 14)</source>
        <translation>DB15 Handbremsen-Pin (Pin 14)</translation>
    </message>
    <message>
        <source>DB15 Gas pin (Pin 6)</source>
        <translation>DB15 Gas-Pin (Pin 6)</translation>
    </message>
    <message>
        <source>DB15 Brake pin (Pin 13)</source>
        <translation>DB15 Brems-Pin (Pin 13)</translation>
    </message>
    <message>
        <source>Save Analog configuration to INI file</source>
        <translation>Analogkonfiguration in INI-Datei speichern</translation>
    </message>
    <message>
        <source>Ini file (*.ini)</source>
        <translation>INI-Datei (*.ini)</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportiert nach %1</translation>
    </message>
    <message>
        <source>Failed to save %1</source>
        <translation>%1 konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Load analog configuration INI file</source>
        <translation>INI-Datei mit Analogkonfiguration laden</translation>
    </message>
    <message>
        <source>Failed to load %1</source>
        <translation>%1 konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>Loaded from %1</source>
        <translation>Geladen aus %1</translation>
    </message>
</context>
<context>
    <name>AskDriveParametersDialog</name>
    <message>
        <source>Get Drive Parameters</source>
        <translation>Antriebsparameter abfragen</translation>
    </message>
    <message>
        <source>Paste a string from Support here:</source>
        <translation>Zeichenfolge vom Support hier einfügen:</translation>
    </message>
    <message>
        <source>Reply from servo drive here:</source>
        <translation>Antwort des Servoantriebs:</translation>
    </message>
    <message>
        <source>Copy reply to clipboard</source>
        <translation>Antwort in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>The base is busy (saving settings). Nothing was asked; try again in a few seconds.</source>
        <translation>Die Basis ist beschäftigt (speichert Einstellungen). Es wurde nichts abgefragt; versuche es in ein paar Sekunden noch einmal.</translation>
    </message>
</context>
<context>
    <name>ChangelogDialog</name>
    <message>
        <source>What&apos;s new</source>
        <translation>Neuigkeiten</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>Compare profiles</source>
        <translation>Profile vergleichen</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Add profiles from INI file...</source>
        <translation>Profile aus INI-Datei hinzufügen...</translation>
    </message>
    <message>
        <source>Add profiles from automatic backup</source>
        <translation>Profile aus der automatischen Sicherung hinzufügen</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Copy value to right</source>
        <translation>Wert nach rechts kopieren</translation>
    </message>
    <message>
        <source>Copy all differing to right</source>
        <translation>Alle Unterschiede nach rechts kopieren</translation>
    </message>
    <message>
        <source>Copy value to left</source>
        <translation>Wert nach links kopieren</translation>
    </message>
    <message>
        <source>Copy all differing to left</source>
        <translation>Alle Unterschiede nach links kopieren</translation>
    </message>
    <message>
        <source>Base %1: %2</source>
        <translation>Basis %1: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Choose a profile on each side.</source>
        <translation>Wähle auf jeder Seite ein Profil.</translation>
    </message>
    <message>
        <source>The two profiles are the same.</source>
        <translation>Die beiden Profile sind gleich.</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) differ.</source>
        <translation>
            <numerusform>%n Wert unterscheidet sich.</numerusform>
            <numerusform>%n Werte unterscheiden sich.</numerusform>
        </translation>
    </message>
    <message>
        <source>The base&apos;s safe profile cannot be edited.</source>
        <translation>Das sichere Profil der Basis kann nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>Profiles from a file are not edited here: import the file to change them.</source>
        <translation>Profile aus einer Datei werden hier nicht bearbeitet: importiere die Datei, um sie zu ändern.</translation>
    </message>
    <message>
        <source>No profiles could be read from %1.</source>
        <translation>Aus %1 konnten keine Profile gelesen werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n profile(s) read from %1.</source>
        <translation>
            <numerusform>%n Profil aus %1 gelesen.</numerusform>
            <numerusform>%n Profile aus %1 gelesen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Open profiles INI file</source>
        <translation>INI-Datei mit Profilen öffnen</translation>
    </message>
    <message>
        <source>Ini file (*.ini)</source>
        <translation>INI-Datei (*.ini)</translation>
    </message>
    <message>
        <source>There is no automatic backup yet: it is written before each save to the base.</source>
        <translation>Es gibt noch keine automatische Sicherung: Sie wird vor jedem Speichern auf der Basis geschrieben.</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>the name does not fit a profile</source>
        <translation>der Name passt nicht in ein Profil</translation>
    </message>
    <message>
        <source>the steering range changes only with the wheel within 30° of centre</source>
        <translation>der Lenkwinkel ändert sich nur, wenn das Lenkrad höchstens 30° von der Mitte entfernt steht</translation>
    </message>
    <message>
        <source>Copied; it reaches the base with the next automatic apply.</source>
        <translation>Kopiert; der Wert erreicht die Basis mit dem nächsten automatischen Übernehmen.</translation>
    </message>
    <message>
        <source>Both sides already hold that value.</source>
        <translation>Beide Seiten haben diesen Wert bereits.</translation>
    </message>
    <message>
        <source>Not copied: %1.</source>
        <translation>Nicht kopiert: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) copied.</source>
        <translation>
            <numerusform>%n Wert kopiert.</numerusform>
            <numerusform>%n Werte kopiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 not copied: %2.</source>
        <translation>%1 nicht kopiert: %2.</translation>
    </message>
</context>
<context>
    <name>ConfirmBackToSimpleProfileDialog</name>
    <message>
        <source>Go back to simple mode</source>
        <translation>Zurück zum einfachen Modus</translation>
    </message>
    <message>
        <source>Going back to simple mode replaces the advanced settings of this profile with values derived from its simple settings. Changes made in advanced mode will be lost.

Do you want to continue?</source>
        <translation>Beim Wechsel zurück in den einfachen Modus werden die erweiterten Einstellungen dieses Profils durch Werte ersetzt, die aus den einfachen Einstellungen abgeleitet sind. Änderungen im erweiterten Modus gehen verloren.

Möchtest du fortfahren?</translation>
    </message>
</context>
<context>
    <name>ConnectionAdvicePanel</name>
    <message>
        <source>Fix it (asks for the administrator password)</source>
        <translation>Beheben (fragt nach dem Administratorpasswort)</translation>
    </message>
    <message>
        <source>Runs the command shown above as administrator through pkexec.</source>
        <translation>Führt den oben gezeigten Befehl über pkexec als Administrator aus.</translation>
    </message>
    <message>
        <source>Update firmware</source>
        <translation>Firmware aktualisieren</translation>
    </message>
    <message>
        <source>Flashes the firmware that ships with this tool into the waiting base.</source>
        <translation>Spielt die mitgelieferte Firmware auf die wartende Basis.</translation>
    </message>
</context>
<context>
    <name>ConsentDialog</name>
    <message>
        <source>Telemetry consent</source>
        <translation>Einwilligung zur Telemetrie</translation>
    </message>
    <message>
        <source>You may now participate the development of your Veltrane by allowing Tunemark to send &lt;b&gt;anonymous&lt;/b&gt; Veltrane electrical performance, health and settings data to the Veltrane developer team. The data will be used only for product improvements and optimizations. Click Yes to allow the anonymous data collection, or click No to decline this request.</source>
        <translation>Du kannst jetzt an der Weiterentwicklung deiner Veltrane mitwirken, indem du Tunemark erlaubst, &lt;b&gt;anonyme&lt;/b&gt; Daten zu elektrischer Leistung, Zustand und Einstellungen deiner Veltrane an das Veltrane-Entwicklerteam zu senden. Die Daten werden nur zur Verbesserung und Optimierung des Produkts verwendet. Klicke auf Ja, um die anonyme Datenerfassung zu erlauben, oder auf Nein, um sie abzulehnen.</translation>
    </message>
    <message>
        <source> 
You may change your preference any time from the Settings tab.</source>
        <translation> 
Du kannst deine Wahl jederzeit im Tab Einstellungen ändern.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>EncoderRecalibrationDialog</name>
    <message>
        <source>Encoder recalibration</source>
        <translation>Encoder neu kalibrieren</translation>
    </message>
    <message>
        <source>This tool will perform encoder recalibration, which is required for Veltrarne 2 devices if the encoder has been replaced or re-tighthened, or the electronics have been replaced.</source>
        <translation>Dieses Werkzeug kalibriert den Encoder neu. Das ist bei Veltrane-2-Geräten nötig, wenn der Encoder getauscht oder nachgezogen oder die Elektronik ersetzt wurde.</translation>
    </message>
    <message>
        <source>Please remove any wheel that is attached to the motor shaft. The motor will beep and the shaft will rotate when the procedure is done.</source>
        <translation>Bitte nimm jedes Lenkrad von der Motorwelle ab. Der Motor piept und die Welle dreht sich, wenn der Vorgang ausgeführt wird.</translation>
    </message>
    <message>
        <source>Please ensure that the Safe Torque Off button is not pressed and that the device has initialized into Operating state.</source>
        <translation>Stelle sicher, dass der Safe-Torque-Off-Taster nicht gedrückt ist und das Gerät in den Betriebszustand hochgefahren ist.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Results:</source>
        <translation>Ergebnisse:</translation>
    </message>
    <message>
        <source>Copy result to clipboard</source>
        <translation>Ergebnis in die Zwischenablage kopieren</translation>
    </message>
</context>
<context>
    <name>EventLogDialog</name>
    <message>
        <source>Event Log</source>
        <translation>Ereignisprotokoll</translation>
    </message>
    <message>
        <source>Save to file...</source>
        <translation>In Datei speichern...</translation>
    </message>
    <message>
        <source>Save the event log as a text file, for example to attach it to a support request.</source>
        <translation>Das Ereignisprotokoll als Textdatei speichern, etwa um es einer Support-Anfrage beizufügen.</translation>
    </message>
    <message>
        <source>Save event log</source>
        <translation>Ereignisprotokoll speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Event log saved to %1</source>
        <translation>Ereignisprotokoll gespeichert unter %1</translation>
    </message>
    <message>
        <source>Could not save the event log: %1</source>
        <translation>Das Ereignisprotokoll konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>FramelessWindow</name>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
</context>
<context>
    <name>GamesPanel</name>
    <message>
        <source>Automatic profile per game</source>
        <translation>Automatisches Profil pro Spiel</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>The game whose start switches the profile: the program name as the system lists it, or for a Windows game run through Wine or Proton the name of its .exe. Type it, or pick it from the running programs.</source>
        <translation>Das Spiel, dessen Start das Profil wechselt: der Programmname, wie das System ihn auflistet, oder bei einem Windows-Spiel unter Wine oder Proton der Name seiner .exe. Tippe ihn ein oder wähle ihn aus den laufenden Programmen.</translation>
    </message>
    <message>
        <source>A program name, or the .exe of a game run through Wine or Proton (for example acc.exe)</source>
        <translation>Ein Programmname oder die .exe eines Spiels unter Wine oder Proton (zum Beispiel acc.exe)</translation>
    </message>
    <message>
        <source>Running programs</source>
        <translation>Laufende Programme</translation>
    </message>
    <message>
        <source>Offers the programs running now to choose from</source>
        <translation>Bietet die gerade laufenden Programme zur Auswahl an</translation>
    </message>
    <message>
        <source>The base profile the game gets while it runs</source>
        <translation>Das Profil der Basis, das das Spiel bekommt, solange es läuft</translation>
    </message>
    <message>
        <source>The profile is kept by its name, so rearranging the list does not break the mapping; a profile renamed or deleted shows as missing and the game then switches nothing.</source>
        <translation>Das Profil wird über seinen Namen gefunden, daher bleibt die Zuordnung beim Umsortieren der Liste erhalten; ein umbenanntes oder gelöschtes Profil wird als fehlend angezeigt, und das Spiel wechselt dann nichts.</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>An icon in the system tray with the active profile in its tool tip; a click on it brings the window back.</source>
        <translation>Ein Symbol im Systembereich mit dem aktiven Profil im Tooltip; ein Klick darauf holt das Fenster zurück.</translation>
    </message>
    <message>
        <source>Icon in the system tray</source>
        <translation>Symbol im Systembereich</translation>
    </message>
    <message>
        <source>The tool starts with its window hidden, only the tray icon shown, and switches profiles for your games from there.</source>
        <translation>Das Programm startet mit verborgenem Fenster, zeigt nur das Symbol im Systembereich und wechselt von dort die Profile für deine Spiele.</translation>
    </message>
    <message>
        <source>Start minimised to the tray</source>
        <translation>Minimiert im Systembereich starten</translation>
    </message>
    <message>
        <source>Starts Tunemark when you log in (an entry in your autostart folder)</source>
        <translation>Startet Tunemark bei der Anmeldung (ein Eintrag in deinem Autostart-Ordner)</translation>
    </message>
    <message>
        <source>Writes an autostart entry for Tunemark into the autostart folder of your configuration folder; clearing it removes the entry again.</source>
        <translation>Schreibt einen Autostart-Eintrag für Tunemark in den Autostart-Ordner deines Konfigurationsordners; ohne Haken wird der Eintrag wieder entfernt.</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
</context>
<context>
    <name>HardwarePage</name>
    <message>
        <source>Bumpstop Effect</source>
        <translation>Endanschlag-Effekt</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>10°</source>
        <translation>10°</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>Desktop Centering Spring</source>
        <translation>Zentrierfeder am Desktop</translation>
    </message>
    <message>
        <source>Safety features</source>
        <translation>Sicherheitsfunktionen</translation>
    </message>
    <message>
        <source>Hands-off detection</source>
        <translation>Hands-off-Erkennung</translation>
    </message>
    <message>
        <source>Torque clipping</source>
        <translation>Drehmoment-Clipping</translation>
    </message>
    <message>
        <source>Resonance reduction</source>
        <translation>Resonanzdämpfung</translation>
    </message>
    <message>
        <source>Audible notification beeps</source>
        <translation>Hörbare Signaltöne</translation>
    </message>
    <message>
        <source>Beep on notifications</source>
        <translation>Bei Meldungen piepen</translation>
    </message>
    <message>
        <source>USB Settings</source>
        <translation>USB-Einstellungen</translation>
    </message>
    <message>
        <source>Recover a stuck USB connection automatically</source>
        <translation>Hängende USB-Verbindung automatisch wiederherstellen</translation>
    </message>
    <message>
        <source>Allow USB suspend</source>
        <translation>USB-Energiesparmodus erlauben</translation>
    </message>
    <message>
        <source>General information</source>
        <translation>Allgemeine Informationen</translation>
    </message>
    <message>
        <source>Encoder counts per revolution:</source>
        <translation>Encoder-Schritte pro Umdrehung:</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Motor peak current:</source>
        <translation>Spitzenstrom des Motors:</translation>
    </message>
    <message>
        <source>Configure Analog Inputs</source>
        <translation>Analogeingänge konfigurieren</translation>
    </message>
</context>
<context>
    <name>MW2</name>
    <message>
        <source>HIGH TORQUE MODE:</source>
        <translation>HIGH-TORQUE-MODUS:</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>   Enable High Torque Mode   </source>
        <translation>   High-Torque-Modus einschalten   </translation>
    </message>
    <message>
        <source>ACTIVE PROFILE:</source>
        <translation>AKTIVES PROFIL:</translation>
    </message>
    <message>
        <source>E-STOP &amp; MOTOR STATUS:</source>
        <translation>NOT-AUS &amp; MOTORSTATUS:</translation>
    </message>
    <message>
        <source>Toggle E-stop to clear faults (if any).</source>
        <translation>Not-Aus drücken und lösen, um Fehler (falls vorhanden) zu löschen.</translation>
    </message>
    <message>
        <source>OPERATING MODE:</source>
        <translation>BETRIEBSMODUS:</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Re-enable Torque</source>
        <translation>Drehmoment wieder einschalten</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Veltrane Wireless Wheels</source>
        <translation>Veltrane-Funklenkräder</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Hardware Settings</source>
        <translation>Hardware-Einstellungen</translation>
    </message>
    <message>
        <source>Advanced information</source>
        <translation>Erweiterte Informationen</translation>
    </message>
    <message>
        <source>Save settings to Veltrane</source>
        <translation>Einstellungen auf der Veltrane speichern</translation>
    </message>
    <message>
        <source>Operational</source>
        <translation>Betriebsbereit</translation>
    </message>
    <message>
        <source>Correct firmware is installed!</source>
        <translation>Die richtige Firmware ist installiert!</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>lock-to-lock</source>
        <translation>Anschlag zu Anschlag</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Settings up to date in permanent memory</source>
        <translation>Einstellungen im Dauerspeicher sind aktuell</translation>
    </message>
    <message>
        <source>Settings applied automatically - save to make them permanent</source>
        <translation>Einstellungen automatisch übernommen – speichern, um sie dauerhaft zu machen</translation>
    </message>
    <message>
        <source>Unsafe to apply or save settings - would cause immediate torque!</source>
        <translation>Einstellungen übernehmen oder speichern ist unsicher – es gäbe sofort Drehmoment!</translation>
    </message>
    <message>
        <source>Done. Unplug the base and plug it in again if it does not connect within a few seconds.</source>
        <translation>Erledigt. Zieh den Stecker der Basis und steck ihn wieder ein, falls sie sich nicht innerhalb weniger Sekunden verbindet.</translation>
    </message>
    <message>
        <source>pkexec is not installed here. Run the command above in a terminal.</source>
        <translation>pkexec ist hier nicht installiert. Führe den Befehl oben in einem Terminal aus.</translation>
    </message>
    <message>
        <source>Nothing was changed: the administrator password was not given.</source>
        <translation>Nichts wurde geändert: Das Administratorpasswort wurde nicht eingegeben.</translation>
    </message>
    <message>
        <source>The command failed (exit code %1). Run it in a terminal to see why.</source>
        <translation>Der Befehl ist fehlgeschlagen (Exit-Code %1). Führe ihn in einem Terminal aus, um den Grund zu sehen.</translation>
    </message>
    <message>
        <source>Saving failed: %1</source>
        <translation>Speichern fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>- °</source>
        <translation>- °</translation>
    </message>
    <message>
        <source>disabled</source>
        <translation>deaktiviert</translation>
    </message>
    <message>
        <source>Constantforce</source>
        <translation>Konstante Kraft</translation>
    </message>
    <message>
        <source>PeriodicSineOffset</source>
        <translation>Sinus mit Offset</translation>
    </message>
    <message>
        <source>PeriodicSine</source>
        <translation>Sinus</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>Inertia</source>
        <translation>Trägheit</translation>
    </message>
    <message>
        <source>Friction</source>
        <translation>Reibung</translation>
    </message>
    <message>
        <source>Ramp</source>
        <translation>Rampe</translation>
    </message>
    <message>
        <source>Squarewave</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Trianglewave</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>SawtoothDn</source>
        <translation>Sägezahn ab</translation>
    </message>
    <message>
        <source>SawtoothUp</source>
        <translation>Sägezahn auf</translation>
    </message>
    <message>
        <source>Spring</source>
        <translation>Feder</translation>
    </message>
    <message>
        <source>CustomEffect</source>
        <translation>Eigener Effekt</translation>
    </message>
    <message>
        <source>(Effect memory is empty)</source>
        <translation>(Effektspeicher ist leer)</translation>
    </message>
    <message>
        <source> &lt;b&gt;Friction</source>
        <translation> &lt;b&gt;Reibung</translation>
    </message>
    <message>
        <source>Unknown operating mode!</source>
        <translation>Unbekannter Betriebsmodus!</translation>
    </message>
    <message>
        <source>Booting</source>
        <translation>Startet</translation>
    </message>
    <message>
        <source>Trying to initialize drive</source>
        <translation>Antrieb wird initialisiert</translation>
    </message>
    <message>
        <source>Successfully initialized drive.</source>
        <translation>Antrieb erfolgreich initialisiert.</translation>
    </message>
    <message>
        <source>Turn the wheel to find index point</source>
        <translation>Lenkrad drehen, um den Indexpunkt zu finden</translation>
    </message>
    <message>
        <source>Couldn&apos;t connect to Servo Drive, reconnecting..</source>
        <translation>Keine Verbindung zum Servoantrieb, neuer Versuch..</translation>
    </message>
    <message>
        <source>Waiting for faults to clear. Release E-stop?</source>
        <translation>Warte, bis die Fehler gelöscht sind. Not-Aus lösen?</translation>
    </message>
    <message>
        <source>Waiting for drive to get ready</source>
        <translation>Warte, bis der Antrieb bereit ist</translation>
    </message>
    <message>
        <source>Autoupdating Servo Drive Firmware. %1 %</source>
        <translation>Firmware des Servoantriebs wird automatisch aktualisiert. %1 %</translation>
    </message>
    <message>
        <source>Hardware settings not yet configured.</source>
        <translation>Hardware-Einstellungen noch nicht konfiguriert.</translation>
    </message>
    <message>
        <source>Initializing parameters</source>
        <translation>Parameter werden initialisiert</translation>
    </message>
    <message>
        <source>Saving settings to Veltrane flash memory</source>
        <translation>Einstellungen werden im Flash-Speicher der Veltrane gespeichert</translation>
    </message>
    <message>
        <source>Resetting all settings to default.</source>
        <translation>Alle Einstellungen werden auf Standard zurückgesetzt.</translation>
    </message>
    <message>
        <source>Flash Memory Fault</source>
        <translation>Fehler im Flash-Speicher</translation>
    </message>
    <message>
        <source>Applying DRC settings to drive</source>
        <translation>DRC-Einstellungen werden auf den Antrieb übertragen</translation>
    </message>
    <message>
        <source>Error applying DRC settings to drive</source>
        <translation>Fehler beim Übertragen der DRC-Einstellungen auf den Antrieb</translation>
    </message>
    <message>
        <source>Drive firmware update error. Turn system off and on again.</source>
        <translation>Fehler beim Firmware-Update des Antriebs. System aus- und wieder einschalten.</translation>
    </message>
    <message>
        <source>Paused after drive init. Waiting for wizard.</source>
        <translation>Pause nach der Antriebsinitialisierung. Warte auf den Assistenten.</translation>
    </message>
    <message>
        <source>Operational - Torque Off due to:</source>
        <translation>Betriebsbereit – Drehmoment aus wegen:</translation>
    </message>
    <message>
        <source>Wheel Disconnection</source>
        <translation>Lenkrad getrennt</translation>
    </message>
    <message>
        <source>Wheel Torque Off button</source>
        <translation>Torque-Off-Taste am Lenkrad</translation>
    </message>
    <message>
        <source>Standby Mode</source>
        <translation>Standby-Modus</translation>
    </message>
    <message>
        <source>Tracking Error!</source>
        <translation>Schleppfehler!</translation>
    </message>
    <message>
        <source>Over Current!</source>
        <translation>Überstrom!</translation>
    </message>
    <message>
        <source>Communication Fault</source>
        <translation>Kommunikationsfehler</translation>
    </message>
    <message>
        <source>Encoder Fault</source>
        <translation>Encoderfehler</translation>
    </message>
    <message>
        <source>Over Temperature</source>
        <translation>Übertemperatur</translation>
    </message>
    <message>
        <source>Program Fault</source>
        <translation>Programmfehler</translation>
    </message>
    <message>
        <source>Hardware Fault</source>
        <translation>Hardwarefehler</translation>
    </message>
    <message>
        <source>Overvelocity</source>
        <translation>Überdrehzahl</translation>
    </message>
    <message>
        <source>Initialization Fault</source>
        <translation>Initialisierungsfehler</translation>
    </message>
    <message>
        <source>Motion Fault</source>
        <translation>Bewegungsfehler</translation>
    </message>
    <message>
        <source>Motion Range Fault</source>
        <translation>Bewegungsbereichsfehler</translation>
    </message>
    <message>
        <source>Power Stage Forced Off</source>
        <translation>Endstufe zwangsabgeschaltet</translation>
    </message>
    <message>
        <source>Error with Host Communication</source>
        <translation>Fehler in der Kommunikation mit dem Host</translation>
    </message>
    <message>
        <source>Fault Location ID: </source>
        <translation>Fehlerort-ID: </translation>
    </message>
    <message>
        <source>Motor Faults (cycle E-stop to clear):</source>
        <translation>Motorfehler (Not-Aus drücken und lösen zum Löschen):</translation>
    </message>
    <message>
        <source>Undervoltage</source>
        <translation>Unterspannung</translation>
    </message>
    <message>
        <source>Overvoltage</source>
        <translation>Überspannung</translation>
    </message>
    <message>
        <source>Overvoltage threshold [FOV] must be &gt; 102% of HV BUS voltage</source>
        <translation>Überspannungsschwelle [FOV] muss &gt; 102 % der HV-Busspannung sein</translation>
    </message>
    <message>
        <source>E-Stop is PRESSED. </source>
        <translation>Not-Aus ist GEDRÜCKT. </translation>
    </message>
    <message>
        <source>E-Stop is released. </source>
        <translation>Not-Aus ist gelöst. </translation>
    </message>
    <message>
        <source>Veltrane 2 Ardex</source>
        <translation>Veltrane 2 Ardex</translation>
    </message>
    <message>
        <source>Veltrane 2 Brivo</source>
        <translation>Veltrane 2 Brivo</translation>
    </message>
    <message>
        <source>Veltrane 2 Cendra</source>
        <translation>Veltrane 2 Cendra</translation>
    </message>
    <message>
        <source>ENABLED</source>
        <translation>EINGESCHALTET</translation>
    </message>
    <message>
        <source>Disable High Torque Mode</source>
        <translation>High-Torque-Modus ausschalten</translation>
    </message>
    <message>
        <source>DISABLED</source>
        <translation>AUSGESCHALTET</translation>
    </message>
    <message>
        <source>Angle set by game</source>
        <translation>Winkel vom Spiel gesetzt</translation>
    </message>
    <message>
        <source>Steering angle is set by game.</source>
        <translation>Der Lenkwinkel wird vom Spiel gesetzt.</translation>
    </message>
    <message>
        <source>Debugvalue: %1</source>
        <translation>Debug-Wert: %1</translation>
    </message>
    <message>
        <source>Limited to 4.4 Nm in safe torque mode</source>
        <translation>Im sicheren Drehmomentmodus auf 4.4 Nm begrenzt</translation>
    </message>
    <message>
        <source>Showing user-mapped image %1 for this wheel.</source>
        <translation>Für dieses Lenkrad wird das zugeordnete Bild %1 angezeigt.</translation>
    </message>
    <message>
        <source>Showing: wheels/%1.png (or internal file)</source>
        <translation>Angezeigt: wheels/%1.png (oder interne Datei)</translation>
    </message>
    <message>
        <source>Showing: %1 (or internal file)</source>
        <translation>Angezeigt: %1 (oder interne Datei)</translation>
    </message>
    <message>
        <source>Right click to map wireless wheel image file.</source>
        <translation>Rechtsklick, um eine Bilddatei für das Funklenkrad zuzuordnen.</translation>
    </message>
    <message>
        <source>Connected: </source>
        <translation>Verbunden: </translation>
    </message>
    <message>
        <source>Battery: %1 V</source>
        <translation>Akku: %1 V</translation>
    </message>
    <message>
        <source>Connection: %1%</source>
        <translation>Verbindung: %1%</translation>
    </message>
    <message>
        <source>The base is writing its flash; reloading is possible once it is done.</source>
        <translation>Die Basis schreibt ihren Flash-Speicher; neu laden ist möglich, sobald sie fertig ist.</translation>
    </message>
    <message>
        <source>The base is writing or reloading its flash; reloading is possible once it is done.</source>
        <translation>Die Basis schreibt oder lädt ihren Flash-Speicher; neu laden ist möglich, sobald sie fertig ist.</translation>
    </message>
    <message>
        <source>Not started: the base is writing or reloading its flash. Try again once it is done.</source>
        <translation>Nicht gestartet: Die Basis schreibt oder lädt ihren Flash-Speicher. Versuch es erneut, sobald sie fertig ist.</translation>
    </message>
    <message>
        <source>Not started: the base is busy with another operation. Try again once it is done.</source>
        <translation>Nicht gestartet: Die Basis ist mit einem anderen Vorgang beschäftigt. Versuch es erneut, sobald er beendet ist.</translation>
    </message>
    <message>
        <source>The base is busy with another operation; reloading is possible once it is done.</source>
        <translation>Die Basis ist mit einem anderen Vorgang beschäftigt; neu laden ist möglich, sobald er beendet ist.</translation>
    </message>
    <message>
        <source>The base is reloading its flash.</source>
        <translation>Die Basis lädt ihren Flash-Speicher neu.</translation>
    </message>
    <message>
        <source>Live plots</source>
        <translation>Live-Diagramme</translation>
    </message>
    <message>
        <source>Show the last ten seconds of wheel angle, wheel speed, pedals and playing effects.</source>
        <translation>Zeigt die letzten zehn Sekunden von Lenkwinkel, Lenkgeschwindigkeit, Pedalen und laufenden Effekten.</translation>
    </message>
</context>
<context>
    <name>OverviewPage</name>
    <message>
        <source>Wheel position</source>
        <translation>Lenkradposition</translation>
    </message>
    <message>
        <source>???.?? °</source>
        <translation>???.?? °</translation>
    </message>
    <message>
        <source>Reset center</source>
        <translation>Mitte zurücksetzen</translation>
    </message>
    <message>
        <source>Analog inputs</source>
        <translation>Analogeingänge</translation>
    </message>
    <message>
        <source>Y axis</source>
        <translation>Y-Achse</translation>
    </message>
    <message>
        <source>00000</source>
        <translation>00000</translation>
    </message>
    <message>
        <source>Z axis</source>
        <translation>Z-Achse</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Bremse</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>Clutch</source>
        <translation>Kupplung</translation>
    </message>
    <message>
        <source>Rudder</source>
        <translation>Seitenruder</translation>
    </message>
    <message>
        <source>Hat</source>
        <translation>Coolie-Hat</translation>
    </message>
    <message>
        <source>Buttons 1-128</source>
        <translation>Tasten 1–128</translation>
    </message>
    <message>
        <source>1-32</source>
        <translation>1-32</translation>
    </message>
    <message>
        <source>○○○○○○○○○○○○○○○○○○○○○○○○○○○○○○○○</source>
        <translation>○○○○○○○○○○○○○○○○○○○○○○○○○○○○○○○○</translation>
    </message>
    <message>
        <source>33-64</source>
        <translation>33-64</translation>
    </message>
    <message>
        <source>65-96</source>
        <translation>65-96</translation>
    </message>
    <message>
        <source>97-128</source>
        <translation>97-128</translation>
    </message>
</context>
<context>
    <name>ParameterTips</name>
    <message>
        <source>Name of this profile as the base stores it.</source>
        <translation>Name dieses Profils, wie ihn die Basis speichert.</translation>
    </message>
    <message>
        <source>Overall strength of all forces, in percent. Further right is stronger.</source>
        <translation>Gesamtstärke aller Kräfte in Prozent. Weiter rechts ist stärker.</translation>
    </message>
    <message>
        <source>Scales every force the game asks for. The simple view also scales its damping with it, so the wheel feels alike at any strength.</source>
        <translation>Skaliert jede Kraft, die das Spiel anfordert. Die einfache Ansicht skaliert auch ihre Dämpfung mit, damit sich das Lenkrad bei jeder Stärke gleich anfühlt.</translation>
    </message>
    <message>
        <source>Total steering angle, lock to lock, in degrees. Set it to the car&apos;s own.</source>
        <translation>Gesamter Lenkwinkel von Anschlag zu Anschlag in Grad. Stell ihn auf den des Fahrzeugs ein.</translation>
    </message>
    <message>
        <source>Choose between 360 and 1440 degrees. A range change is applied only with the wheel near the centre, since the base would otherwise pull it hard towards the new end stop.</source>
        <translation>Wähle zwischen 360 und 1440 Grad. Eine Änderung des Lenkwinkels wird nur übernommen, wenn das Lenkrad nahe der Mitte steht, da die Basis es sonst kräftig zum neuen Endanschlag ziehen würde.</translation>
    </message>
    <message>
        <source>How much the base smooths the game&apos;s forces. Further right is smoother, further left more detailed.</source>
        <translation>Wie stark die Basis die Kräfte des Spiels glättet. Weiter rechts ist glatter, weiter links detailreicher.</translation>
    </message>
    <message>
        <source>Sets the drive&apos;s reconstruction filter and slew-rate limit together, from &quot;Raw&quot; to &quot;Very smooth&quot;.</source>
        <translation>Stellt Rekonstruktionsfilter und Anstiegsbegrenzung des Antriebs gemeinsam ein, von „Roh“ bis „Sehr glatt“.</translation>
    </message>
    <message>
        <source>Damping, friction and inertia of the drive. Further right is heavier and calmer, further left lighter and livelier.</source>
        <translation>Dämpfung, Reibung und Trägheit des Antriebs. Weiter rechts ist schwerer und ruhiger, weiter links leichter und lebendiger.</translation>
    </message>
    <message>
        <source>Adds resistance that the base makes itself, whatever the game sends, from &quot;Raw&quot; to &quot;Very dampened&quot;.</source>
        <translation>Fügt Widerstand hinzu, den die Basis selbst erzeugt, unabhängig davon, was das Spiel sendet, von „Roh“ bis „Sehr stark gedämpft“.</translation>
    </message>
    <message>
        <source>Overall strength of all forces, in percent (10 to 100). Further right is stronger.</source>
        <translation>Gesamtstärke aller Kräfte in Prozent (10 bis 100). Weiter rechts ist stärker.</translation>
    </message>
    <message>
        <source>Scales every force of this profile. The lines below show the torque it gives on this base.</source>
        <translation>Skaliert jede Kraft dieses Profils. Die Zeilen darunter zeigen das Drehmoment, das sich damit auf dieser Basis ergibt.</translation>
    </message>
    <message>
        <source>Total steering angle in degrees (40 to 2160, steps of 10); Enter applies it. Centre the wheel first.</source>
        <translation>Gesamter Lenkwinkel in Grad (40 bis 2160, in Schritten von 10); Enter übernimmt ihn. Stell das Lenkrad vorher in die Mitte.</translation>
    </message>
    <message>
        <source>Lock-to-lock angle of the wheel. A change is refused while the wheel is far from the centre, because the base would pull it at once towards the new end stop.</source>
        <translation>Lenkwinkel von Anschlag zu Anschlag. Eine Änderung wird abgelehnt, solange das Lenkrad weit von der Mitte entfernt ist, weil die Basis es sonst sofort zum neuen Endanschlag ziehen würde.</translation>
    </message>
    <message>
        <source>Degrees taken off each end of the steering range by the bump stop. Further right leaves less lock to lock.</source>
        <translation>Grad, die der Endanschlag an jedem Ende vom Lenkbereich abzieht. Weiter rechts bleibt weniger von Anschlag zu Anschlag.</translation>
    </message>
    <message>
        <source>Moves the bump stop inwards from both ends; the label shows the lock-to-lock angle that remains.</source>
        <translation>Verschiebt den Endanschlag von beiden Enden nach innen; die Beschriftung zeigt den verbleibenden Winkel von Anschlag zu Anschlag.</translation>
    </message>
    <message>
        <source>Reconstruction filter of the drive. Higher levels are smoother, lower levels more detailed and quicker.</source>
        <translation>Rekonstruktionsfilter des Antriebs. Höhere Stufen sind glatter, niedrigere detailreicher und schneller.</translation>
    </message>
    <message>
        <source>Smooths the steps between the force updates a game sends. Too high a level blurs small details and adds a little delay.</source>
        <translation>Glättet die Sprünge zwischen den Kraftwerten, die ein Spiel sendet. Eine zu hohe Stufe verwischt feine Details und fügt etwas Verzögerung hinzu.</translation>
    </message>
    <message>
        <source>Torque bandwidth limit of the drive. A lower limit is smoother, a higher one passes quicker detail.</source>
        <translation>Drehmoment-Bandbreitenbegrenzung des Antriebs. Eine niedrigere Grenze ist glatter, eine höhere lässt schnellere Details durch.</translation>
    </message>
    <message>
        <source>Filters out force changes faster than the chosen limit, such as harsh vibrations.</source>
        <translation>Filtert Kraftänderungen heraus, die schneller als die gewählte Grenze sind, etwa harte Vibrationen.</translation>
    </message>
    <message>
        <source>Damping the drive adds on its own, in percent. Further right resists fast wheel movement more.</source>
        <translation>Dämpfung, die der Antrieb selbst hinzufügt, in Prozent. Weiter rechts bremst schnelle Lenkbewegungen stärker.</translation>
    </message>
    <message>
        <source>Friction the drive adds on its own, in percent. Further right makes the wheel feel stiffer.</source>
        <translation>Reibung, die der Antrieb selbst hinzufügt, in Prozent. Weiter rechts fühlt sich das Lenkrad schwergängiger an.</translation>
    </message>
    <message>
        <source>Inertia the drive adds on its own, in percent. Further right makes the wheel feel heavier to start and stop.</source>
        <translation>Trägheit, die der Antrieb selbst hinzufügt, in Prozent. Weiter rechts fühlt sich das Lenkrad beim Anlaufen und Anhalten schwerer an.</translation>
    </message>
    <message>
        <source>Fastest allowed change of torque, in Nm per millisecond. Further left is smoother; at the far right it is off.</source>
        <translation>Schnellste erlaubte Drehmomentänderung in Nm pro Millisekunde. Weiter links ist glatter; ganz rechts ist sie aus.</translation>
    </message>
    <message>
        <source>Limits how fast the force may rise or fall, taking the edge off sudden knocks.</source>
        <translation>Begrenzt, wie schnell die Kraft steigen oder fallen darf, und nimmt plötzlichen Schlägen die Härte.</translation>
    </message>
    <message>
        <source>Centre frequency of the drive&apos;s notch filter, in Hz. Below 1.1 Hz the filter is off.</source>
        <translation>Mittenfrequenz des Kerbfilters des Antriebs in Hz. Unter 1.1 Hz ist der Filter aus.</translation>
    </message>
    <message>
        <source>Damps forces around one frequency, for example a vibration of the rig.</source>
        <translation>Dämpft Kräfte um eine Frequenz herum, etwa eine Schwingung des Rigs.</translation>
    </message>
    <message>
        <source>Q factor of the notch filter. Higher is a narrower notch around the centre frequency.</source>
        <translation>Gütefaktor (Q) des Kerbfilters. Höher ergibt eine schmalere Kerbe um die Mittenfrequenz.</translation>
    </message>
    <message>
        <source>Attenuation of the notch filter, in dB. More negative takes more away at the centre frequency.</source>
        <translation>Dämpfung des Kerbfilters in dB. Negativere Werte nehmen bei der Mittenfrequenz mehr weg.</translation>
    </message>
    <message>
        <source>How much of a force that holds steady is taken away, in percent. Further right reduces it more.</source>
        <translation>Wie viel einer gleichbleibenden Kraft weggenommen wird, in Prozent. Weiter rechts reduziert stärker.</translation>
    </message>
    <message>
        <source>Eases long steady forces, for example in a long corner, while changes still come through in full.</source>
        <translation>Mildert lang anhaltende Kräfte, etwa in einer langen Kurve, während Änderungen weiterhin voll durchkommen.</translation>
    </message>
    <message>
        <source>Time the static force reduction takes to act, in seconds.</source>
        <translation>Zeit in Sekunden, bis die Reduzierung statischer Kräfte wirkt.</translation>
    </message>
    <message>
        <source>Force response curve. 1.00 is linear; other values favour weak or strong forces.</source>
        <translation>Kraftkennlinie. 1.00 ist linear; andere Werte betonen schwache oder starke Kräfte.</translation>
    </message>
    <message>
        <source>Bends the curve between the force the game asks for and the torque the base gives.</source>
        <translation>Biegt die Kurve zwischen der vom Spiel angeforderten Kraft und dem Drehmoment der Basis.</translation>
    </message>
    <message>
        <source>Extra damping near the centre, in percent. Further right calms the wheel more around straight ahead.</source>
        <translation>Zusätzliche Dämpfung nahe der Mitte in Prozent. Weiter rechts beruhigt das Lenkrad um die Geradeausstellung stärker.</translation>
    </message>
    <message>
        <source>Angle on each side of the centre where the centre damping acts, in degrees; 0 is off.</source>
        <translation>Winkel zu beiden Seiten der Mitte, in dem die Mittendämpfung wirkt, in Grad; 0 ist aus.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s sine effects (vibrations, engine), in percent; 100 is as sent.</source>
        <translation>Verstärkung der Sinus-Effekte des Spiels (Vibrationen, Motor) in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s square-wave effects, in percent; 100 is as sent.</source>
        <translation>Verstärkung der Rechteck-Effekte des Spiels in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s triangle-wave effects, in percent; 100 is as sent.</source>
        <translation>Verstärkung der Dreieck-Effekte des Spiels in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s sawtooth effects, in percent; 100 is as sent.</source>
        <translation>Verstärkung der Sägezahn-Effekte des Spiels in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s spring effects (centring), in percent; 100 is as sent.</source>
        <translation>Verstärkung der Federeffekte des Spiels (Zentrierung) in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s friction effects, in percent; 100 is as sent.</source>
        <translation>Verstärkung der Reibungseffekte des Spiels in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Gain of the game&apos;s damper effects, in percent; 100 is as sent.</source>
        <translation>Verstärkung der Dämpfereffekte des Spiels in Prozent; 100 ist wie gesendet.</translation>
    </message>
    <message>
        <source>Ultra-low-latency level; 0 is off. Higher answers the game sooner but can feel rougher.</source>
        <translation>Stufe der Ultra-Low-Latency; 0 ist aus. Höher reagiert schneller auf das Spiel, kann sich aber rauer anfühlen.</translation>
    </message>
    <message>
        <source>Strength of the bump stop at the ends of the steering range, in percent; far left is off.</source>
        <translation>Stärke des Endanschlags an den Enden des Lenkbereichs in Prozent; ganz links ist aus.</translation>
    </message>
    <message>
        <source>The force that holds the wheel at the end of its range. With the bump stop off its damping and ramp cannot be set.</source>
        <translation>Die Kraft, die das Lenkrad am Ende seines Bereichs hält. Ist der Endanschlag aus, lassen sich seine Dämpfung und sein Bereich nicht einstellen.</translation>
    </message>
    <message>
        <source>Angle over which the bump stop builds up to full strength, in degrees. Further right is a softer stop.</source>
        <translation>Winkel in Grad, über den der Endanschlag bis zur vollen Stärke ansteigt. Weiter rechts ist ein weicherer Anschlag.</translation>
    </message>
    <message>
        <source>Damping inside the bump stop, in percent. Further right stops the wheel more calmly.</source>
        <translation>Dämpfung innerhalb des Endanschlags in Prozent. Weiter rechts hält das Lenkrad ruhiger an.</translation>
    </message>
    <message>
        <source>Spring that centres the wheel while no game sends forces, in percent; far left is off.</source>
        <translation>Feder, die das Lenkrad zentriert, solange kein Spiel Kräfte sendet, in Prozent; ganz links ist aus.</translation>
    </message>
    <message>
        <source>Hands-off detection: how readily the base notices a released wheel and calms it. Off, Low, Medium or High.</source>
        <translation>Hands-off-Erkennung: wie schnell die Basis ein losgelassenes Lenkrad bemerkt und beruhigt. Aus, Niedrig, Mittel oder Hoch.</translation>
    </message>
    <message>
        <source>Torque clipping: forces beyond the base&apos;s limit are cut off at the limit.</source>
        <translation>Drehmoment-Clipping: Kräfte über der Grenze der Basis werden an der Grenze abgeschnitten.</translation>
    </message>
    <message>
        <source>Damps the resonance of the wheel and rig, so the rim oscillates less when released.</source>
        <translation>Dämpft die Resonanz von Lenkrad und Rig, damit der Kranz beim Loslassen weniger pendelt.</translation>
    </message>
    <message>
        <source>The base beeps to signal events such as start-up and faults.</source>
        <translation>Die Basis piept bei Ereignissen wie dem Start und bei Fehlern.</translation>
    </message>
    <message>
        <source>Lets the base recover its USB connection by itself after a communication problem.</source>
        <translation>Lässt die Basis ihre USB-Verbindung nach einem Kommunikationsproblem selbst wiederherstellen.</translation>
    </message>
    <message>
        <source>Lets the base take part in the computer&apos;s USB power saving (suspend).</source>
        <translation>Lässt die Basis am USB-Energiesparen des Computers (Suspend) teilnehmen.</translation>
    </message>
</context>
<context>
    <name>PlotsPanel</name>
    <message>
        <source>Last 10 seconds</source>
        <translation>Letzte 10 Sekunden</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Freeze the plots; recording goes on, and resuming shows the live window again.</source>
        <translation>Hält die Diagramme an; die Aufzeichnung läuft weiter, und Fortsetzen zeigt wieder die aktuellen Werte.</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSV exportieren...</translation>
    </message>
    <message>
        <source>Save the shown ten seconds as a CSV file, one row per sample.</source>
        <translation>Speichert die gezeigten zehn Sekunden als CSV-Datei, eine Zeile je Messwert.</translation>
    </message>
    <message>
        <source>Export PNG...</source>
        <translation>PNG exportieren...</translation>
    </message>
    <message>
        <source>Save the shown plots as a PNG picture.</source>
        <translation>Speichert die gezeigten Diagramme als PNG-Bild.</translation>
    </message>
</context>
<context>
    <name>ProfileManagementGroup</name>
    <message>
        <source>Management</source>
        <translation>Verwaltung</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Als Standard</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Rearrange</source>
        <translation>Umsortieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>This is the default profile.</source>
        <translation>Dies ist das Standardprofil.</translation>
    </message>
    <message>
        <source>The profile list changed meanwhile; nothing was rearranged.</source>
        <translation>Die Profilliste hat sich inzwischen geändert; es wurde nichts umsortiert.</translation>
    </message>
    <message>
        <source>Not done: that profile&apos;s steering range would act on the wheel where it stands. Turn the wheel to the centre first.</source>
        <translation>Nicht ausgeführt: Der Lenkwinkel dieses Profils würde sofort auf das Lenkrad in seiner jetzigen Stellung wirken. Dreh das Lenkrad zuerst in die Mitte.</translation>
    </message>
    <message>
        <source>The base holds at most %1 profiles; delete one to make room.</source>
        <translation>Die Basis speichert höchstens %1 Profile; lösche eines, um Platz zu schaffen.</translation>
    </message>
    <message>
        <source>Ini file (*.ini)</source>
        <translation>INI-Datei (*.ini)</translation>
    </message>
    <message>
        <source>Save profiles to INI file</source>
        <translation>Profile in INI-Datei speichern</translation>
    </message>
    <message>
        <source>Profiles exported.</source>
        <translation>Profile exportiert.</translation>
    </message>
    <message>
        <source>Open profiles INI file</source>
        <translation>INI-Datei mit Profilen öffnen</translation>
    </message>
    <message>
        <source>File is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>Profiles imported.</source>
        <translation>Profile importiert.</translation>
    </message>
    <message numerus="yes">
        <source>%n profile(s) imported; the base holds at most %1 profiles, %2 were left out.</source>
        <translation>
            <numerusform>%n Profil importiert; die Basis speichert höchstens %1 Profile, %2 wurden ausgelassen.</numerusform>
            <numerusform>%n Profile importiert; die Basis speichert höchstens %1 Profile, %2 wurden ausgelassen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The base went away during the import: %1</source>
        <translation>Die Basis ging während des Imports verloren: %1</translation>
    </message>
    <message>
        <source>Compare...</source>
        <translation>Vergleichen...</translation>
    </message>
    <message>
        <source>Two profiles side by side, from the base, an INI file or the automatic backup</source>
        <translation>Zwei Profile nebeneinander, von der Basis, aus einer INI-Datei oder aus der automatischen Sicherung</translation>
    </message>
    <message>
        <source>The connection was lost while the profile list was written; nothing was lost, but a profile may show twice. Saving stays off until the base is back and the change is completed or undone.</source>
        <translation>Die Verbindung ging verloren, während die Profilliste geschrieben wurde; nichts ist verloren, aber ein Profil kann doppelt erscheinen. Speichern bleibt aus, bis die Basis wieder da ist und die Änderung abgeschlossen oder rückgängig gemacht ist.</translation>
    </message>
    <message>
        <source>The profile change cut off by the lost connection has been completed.</source>
        <translation>Die durch den Verbindungsverlust unterbrochene Profiländerung wurde abgeschlossen.</translation>
    </message>
    <message>
        <source>The profile change cut off by the lost connection could not be completed; the profile list was restored from the automatic backup.</source>
        <translation>Die durch den Verbindungsverlust unterbrochene Profiländerung konnte nicht abgeschlossen werden; die Profilliste wurde aus der automatischen Sicherung wiederhergestellt.</translation>
    </message>
    <message>
        <source>The automatic backup could not be written: %1</source>
        <translation>Die automatische Sicherung konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Profiles could not be exported: %1</source>
        <translation>Profile konnten nicht exportiert werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n value(s) outside the range the editors allow changed to the nearest allowed value.</source>
        <translation>
            <numerusform>%n Wert außerhalb des von den Reglern erlaubten Bereichs wurde auf den nächsten erlaubten Wert gesetzt.</numerusform>
            <numerusform>%n Werte außerhalb des von den Reglern erlaubten Bereichs wurden auf den nächsten erlaubten Wert gesetzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not switched: the base is writing or reloading its flash. Choose the profile again once it is done.</source>
        <translation>Nicht gewechselt: Die Basis schreibt oder lädt ihren Flash-Speicher. Wähl das Profil erneut, sobald sie fertig ist.</translation>
    </message>
    <message>
        <source>Not switched: the base is busy with another operation. Choose the profile again once it is done.</source>
        <translation>Nicht gewechselt: Die Basis ist mit einem anderen Vorgang beschäftigt. Wähl das Profil erneut, sobald er beendet ist.</translation>
    </message>
    <message>
        <source>Not done: the base is writing or reloading its flash. Try again once it is done.</source>
        <translation>Nicht ausgeführt: Die Basis schreibt oder lädt ihren Flash-Speicher. Versuch es erneut, sobald sie fertig ist.</translation>
    </message>
    <message>
        <source>Not done: the base is busy with another operation. Try again once it is done.</source>
        <translation>Nicht ausgeführt: Die Basis ist mit einem anderen Vorgang beschäftigt. Versuch es erneut, sobald er beendet ist.</translation>
    </message>
</context>
<context>
    <name>ProfilesPage</name>
    <message>
        <source>Simple mode</source>
        <translation>Einfacher Modus</translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>Only space, A-Z, a-z, 0-9, -_()/° are accepted. Maximum length of profile name is 24 characters.</source>
        <translation>Erlaubt sind nur Leerzeichen, A–Z, a–z, 0–9 und -_()/°. Der Profilname darf höchstens 24 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>Overall strength</source>
        <translation>Gesamtstärke</translation>
    </message>
    <message>
        <source>Steering range</source>
        <translation>Lenkwinkel</translation>
    </message>
    <message>
        <source>900°</source>
        <translation>900°</translation>
    </message>
    <message>
        <source>Unset temporary steering angle</source>
        <translation>Vorübergehenden Lenkwinkel aufheben</translation>
    </message>
    <message>
        <source>Smoothness</source>
        <translation>Glättung</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>Neutral</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>Dämpfung</translation>
    </message>
    <message>
        <source>Go to advanced mode</source>
        <translation>Zum erweiterten Modus</translation>
    </message>
    <message>
        <source>Advanced mode</source>
        <translation>Erweiterter Modus</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>60%</source>
        <translation>60%</translation>
    </message>
    <message>
        <source>End stop angle</source>
        <translation>Endanschlagswinkel</translation>
    </message>
    <message>
        <source>900° (lock-to-lock)</source>
        <translation>900° (Anschlag zu Anschlag)</translation>
    </message>
    <message>
        <source>Go to simple mode</source>
        <translation>Zum einfachen Modus</translation>
    </message>
    <message>
        <source>Constantly Operating Filters</source>
        <translation>Dauerhaft wirkende Filter</translation>
    </message>
    <message>
        <source>Reconstruction filter</source>
        <translation>Rekonstruktionsfilter</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>1 Minimum, &quot;fast&quot;</source>
        <translation>1 Minimum, „schnell“</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10 Maximum, &quot;slow&quot;</source>
        <translation>10 Maximum, „langsam“</translation>
    </message>
    <message>
        <source>Torque bandwidth limit</source>
        <translation>Drehmoment-Bandbreitenbegrenzung</translation>
    </message>
    <message>
        <source>100 Hz</source>
        <translation>100 Hz</translation>
    </message>
    <message>
        <source>150 Hz</source>
        <translation>150 Hz</translation>
    </message>
    <message>
        <source>220 Hz</source>
        <translation>220 Hz</translation>
    </message>
    <message>
        <source>330 Hz</source>
        <translation>330 Hz</translation>
    </message>
    <message>
        <source>470 Hz</source>
        <translation>470 Hz</translation>
    </message>
    <message>
        <source>680 Hz</source>
        <translation>680 Hz</translation>
    </message>
    <message>
        <source>1000 Hz</source>
        <translation>1000 Hz</translation>
    </message>
    <message>
        <source>1500 Hz</source>
        <translation>1500 Hz</translation>
    </message>
    <message>
        <source>2200 Hz</source>
        <translation>2200 Hz</translation>
    </message>
    <message>
        <source>3300 Hz</source>
        <translation>3300 Hz</translation>
    </message>
    <message>
        <source>4700 Hz</source>
        <translation>4700 Hz</translation>
    </message>
    <message>
        <source>Unlimited</source>
        <translation>Unbegrenzt</translation>
    </message>
    <message>
        <source>Friction</source>
        <translation>Reibung</translation>
    </message>
    <message>
        <source>Inertia</source>
        <translation>Trägheit</translation>
    </message>
    <message>
        <source>Slew rate limit</source>
        <translation>Anstiegsbegrenzung</translation>
    </message>
    <message>
        <source>Notch filter frequency</source>
        <translation>Frequenz des Kerbfilters</translation>
    </message>
    <message>
        <source>Notch filter Q factor</source>
        <translation>Gütefaktor des Kerbfilters</translation>
    </message>
    <message>
        <source>Notch filter attenuation</source>
        <translation>Dämpfung des Kerbfilters</translation>
    </message>
    <message>
        <source>Other Filters</source>
        <translation>Weitere Filter</translation>
    </message>
    <message>
        <source>Static force reduction</source>
        <translation>Reduzierung statischer Kräfte</translation>
    </message>
    <message>
        <source>Static force reduction speed</source>
        <translation>Geschwindigkeit der Reduzierung statischer Kräfte</translation>
    </message>
    <message>
        <source>1.00 s</source>
        <translation>1.00 s</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>1.00</source>
        <translation>1.00</translation>
    </message>
    <message>
        <source>Center damping</source>
        <translation>Mittendämpfung</translation>
    </message>
    <message>
        <source>Center damping angle span</source>
        <translation>Winkelbereich der Mittendämpfung</translation>
    </message>
    <message>
        <source>DirectInput Effect Fine Tuning</source>
        <translation>Feinabstimmung der DirectInput-Effekte</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>Sinus</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>- : not created by the game, ○ : created, ● : playing</source>
        <translation>- : vom Spiel nicht angelegt, ○ : angelegt, ● : läuft</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>Sawtooth</source>
        <translation>Sägezahn</translation>
    </message>
    <message>
        <source>Spring</source>
        <translation>Feder</translation>
    </message>
    <message>
        <source>15%</source>
        <translation>15%</translation>
    </message>
    <message>
        <source>Veltrane 2 Cendra and early access filters</source>
        <translation>Filter für Veltrane 2 Cendra und Early Access</translation>
    </message>
    <message>
        <source>Ultra low latency</source>
        <translation>Ultra-Low-Latency</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Saving to permanent memory - please wait</source>
        <translation>Speichern im Dauerspeicher – bitte warten</translation>
    </message>
    <message>
        <source>Reloading settings from permanent memory - please wait</source>
        <translation>Einstellungen werden aus dem Dauerspeicher neu geladen – bitte warten</translation>
    </message>
    <message>
        <source>Edit waiting - not applied to the base yet</source>
        <translation>Änderung wartet – noch nicht auf die Basis übertragen</translation>
    </message>
    <message>
        <source>Turn the wheel towards the centre to apply it.</source>
        <translation>Dreh das Lenkrad zur Mitte, um sie zu übernehmen.</translation>
    </message>
</context>
<context>
    <name>SimpleSettings</name>
    <message>
        <source>Raw</source>
        <translation>Roh</translation>
    </message>
    <message>
        <source>Minimal</source>
        <translation>Minimal</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>Neutral</translation>
    </message>
    <message>
        <source>Smoother</source>
        <translation>Glatter</translation>
    </message>
    <message>
        <source>Very smooth</source>
        <translation>Sehr glatt</translation>
    </message>
    <message>
        <source>Minimal damping</source>
        <translation>Minimale Dämpfung</translation>
    </message>
    <message>
        <source>More dampened</source>
        <translation>Stärker gedämpft</translation>
    </message>
    <message>
        <source>Very dampened</source>
        <translation>Sehr stark gedämpft</translation>
    </message>
</context>
<context>
    <name>TelemetryConsent</name>
    <message>
        <source>Telemetry allowed</source>
        <translation>Telemetrie erlaubt</translation>
    </message>
    <message>
        <source>Telemetry denied</source>
        <translation>Telemetrie abgelehnt</translation>
    </message>
    <message>
        <source>Unset setting</source>
        <translation>Nicht festgelegt</translation>
    </message>
</context>
<context>
    <name>TelemetryController</name>
    <message>
        <source>Pending...</source>
        <translation>Ausstehend...</translation>
    </message>
    <message>
        <source>Last uploaded: Never</source>
        <translation>Zuletzt hochgeladen: nie</translation>
    </message>
    <message>
        <source>Last uploaded: </source>
        <translation>Zuletzt hochgeladen: </translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Herunterladen...</translation>
    </message>
    <message>
        <source>Uploading...</source>
        <translation>Hochladen...</translation>
    </message>
    <message>
        <source>Broken</source>
        <translation>Defekt</translation>
    </message>
</context>
<context>
    <name>WirelessPage</name>
    <message>
        <source>Wireless wheel</source>
        <translation>Funklenkrad</translation>
    </message>
</context>
<context>
    <name>WirelessWheelImageDialog</name>
    <message>
        <source>Wireless wheel image file</source>
        <translation>Bilddatei des Funklenkrads</translation>
    </message>
    <message>
        <source>Currently connected wireless wheel:</source>
        <translation>Derzeit verbundenes Funklenkrad:</translation>
    </message>
    <message>
        <source>(no wireless wheel connected)</source>
        <translation>(kein Funklenkrad verbunden)</translation>
    </message>
    <message>
        <source>Mapped file for this wheel:</source>
        <translation>Zugeordnete Datei für dieses Lenkrad:</translation>
    </message>
    <message>
        <source>Showing wheels/wheelimage.png if it exists.</source>
        <translation>Zeigt wheels/wheelimage.png, falls vorhanden.</translation>
    </message>
    <message>
        <source>Select new file for this wheel</source>
        <translation>Neue Datei für dieses Lenkrad wählen</translation>
    </message>
    <message>
        <source>Remove existing mapping</source>
        <translation>Bestehende Zuordnung entfernen</translation>
    </message>
    <message>
        <source>No wireless wheel connected.</source>
        <translation>Kein Funklenkrad verbunden.</translation>
    </message>
    <message>
        <source>Connected: </source>
        <translation>Verbunden: </translation>
    </message>
    <message>
        <source>Showing wheels/</source>
        <translation>Zeigt wheels/</translation>
    </message>
    <message>
        <source>if it exists</source>
        <translation>falls vorhanden</translation>
    </message>
    <message>
        <source>Open Wheel Image</source>
        <translation>Lenkradbild öffnen</translation>
    </message>
    <message>
        <source>Image Files (*.png)</source>
        <translation>Bilddateien (*.png)</translation>
    </message>
    <message>
        <source> if it exists</source>
        <translation>, falls vorhanden</translation>
    </message>
</context>
<context>
    <name>activatehightorque</name>
    <message>
        <source>Activate High Torque Mode</source>
        <translation>High-Torque-Modus aktivieren</translation>
    </message>
    <message>
        <source>By activating the High Torque Mode, you agree and confirm that:</source>
        <translation>Mit dem Aktivieren des High-Torque-Modus stimmst du zu und bestätigst, dass:</translation>
    </message>
    <message>
        <source>- You understand that the wheel attached to the device and the Veltrane Quick Release itself can produce high torque which might cause injury</source>
        <translation>- dir bewusst ist, dass das am Gerät befestigte Lenkrad und die Veltrane-Schnellkupplung selbst ein hohes Drehmoment erzeugen können, das Verletzungen verursachen kann</translation>
    </message>
    <message>
        <source>- You understand that you are responsible for turning off the high torque mode when you leave the simulator</source>
        <translation>- dir bewusst ist, dass du dafür verantwortlich bist, den High-Torque-Modus auszuschalten, wenn du den Simulator verlässt</translation>
    </message>
    <message>
        <source>- You understand that you are responsible to making sure that children, pets and uninformed people are not able to approach the simulator while the High Torque Mode is activated</source>
        <translation>- dir bewusst ist, dass du dafür verantwortlich bist, dass sich Kinder, Haustiere und nicht unterwiesene Personen dem Simulator nicht nähern können, solange der High-Torque-Modus aktiv ist</translation>
    </message>
    <message>
        <source>- You take full responsibility of safe operation of the simulator.</source>
        <translation>- du die volle Verantwortung für den sicheren Betrieb des Simulators übernimmst.</translation>
    </message>
    <message>
        <source>Drag the scrollbar to the right to confirm that you agree to the above clauses and you want to activate the high torque mode.</source>
        <translation>Zieh den Schieberegler nach rechts, um zu bestätigen, dass du den obigen Punkten zustimmst und den High-Torque-Modus aktivieren möchtest.</translation>
    </message>
    <message>
        <source>Activate high torque mode</source>
        <translation>High-Torque-Modus aktivieren</translation>
    </message>
</context>
<context>
    <name>compare</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>1 Minimum, &quot;fast&quot;</source>
        <translation>1 Minimum, „schnell“</translation>
    </message>
    <message>
        <source>10 Maximum, &quot;slow&quot;</source>
        <translation>10 Maximum, „langsam“</translation>
    </message>
    <message>
        <source>Off (%1 Hz)</source>
        <translation>Aus (%1 Hz)</translation>
    </message>
    <message>
        <source>%1 Hz, Q %2, %3 dB</source>
        <translation>%1 Hz, Q %2, %3 dB</translation>
    </message>
    <message>
        <source>%1, %2, %3, %4</source>
        <translation>%1, %2, %3, %4</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Simple</source>
        <translation>Einfach</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
</context>
<context>
    <name>doctor</name>
    <message>
        <source>A Veltrane 2 base is connected (%1), but this user may not read and write it. The rule that grants access is installed but has not reached the device yet: reload the rules with the command below, or unplug the base and plug it in again. Access goes to the user logged in at this computer&apos;s screen.</source>
        <translation>Eine Veltrane-2-Basis ist angeschlossen (%1), aber dieser Benutzer darf sie nicht lesen und beschreiben. Die Regel, die den Zugriff erlaubt, ist installiert, wirkt aber noch nicht auf das Gerät: Lade die Regeln mit dem Befehl unten neu oder zieh den Stecker der Basis und steck ihn wieder ein. Zugriff erhält der Benutzer, der an diesem Computer am Bildschirm angemeldet ist.</translation>
    </message>
    <message>
        <source>A Veltrane 2 base is connected (%1), but this user may not read and write it: the udev rule that gives the logged-in user access is not installed. Install it with the command below; no group membership is needed.</source>
        <translation>Eine Veltrane-2-Basis ist angeschlossen (%1), aber dieser Benutzer darf sie nicht lesen und beschreiben: Die udev-Regel, die dem angemeldeten Benutzer Zugriff gibt, ist nicht installiert. Installiere sie mit dem Befehl unten; eine Gruppenmitgliedschaft ist nicht nötig.</translation>
    </message>
    <message>
        <source>No Veltrane 2 base is connected to USB. Switch the base on, plug its USB cable into this computer (straight, not through an unpowered hub) and wait a few seconds.</source>
        <translation>Es ist keine Veltrane-2-Basis per USB angeschlossen. Schalte die Basis ein, steck ihr USB-Kabel in diesen Computer (direkt, nicht über einen Hub ohne eigene Stromversorgung) und warte ein paar Sekunden.</translation>
    </message>
    <message>
        <source>The base was seen on USB, but its device node %1 went away. Plug it in again.</source>
        <translation>Die Basis war am USB zu sehen, aber ihr Geräteknoten %1 ist verschwunden. Steck sie erneut ein.</translation>
    </message>
    <message>
        <source>Another program holds the base (%1): %2. Close it; Tunemark connects by itself once the base is free.</source>
        <translation>Ein anderes Programm belegt die Basis (%1): %2. Schließe es; Tunemark verbindet sich von selbst, sobald die Basis frei ist.</translation>
    </message>
    <message>
        <source>The base waits in its bootloader for a firmware update. Run the firmware update to bring it back.</source>
        <translation>Die Basis wartet in ihrem Bootloader auf ein Firmware-Update. Führe das Firmware-Update aus, um sie zurückzuholen.</translation>
    </message>
    <message>
        <source>A Veltrane 2 base is connected (%1) and this user may use it, but it did not answer. Unplug it, wait five seconds and plug it in again.</source>
        <translation>Eine Veltrane-2-Basis ist angeschlossen (%1) und dieser Benutzer darf sie verwenden, aber sie hat nicht geantwortet. Zieh den Stecker, warte fünf Sekunden und steck sie wieder ein.</translation>
    </message>
</context>
<context>
    <name>driveDebugDialog</name>
    <message>
        <source>Drive parameter access</source>
        <translation>Zugriff auf Antriebsparameter</translation>
    </message>
    <message>
        <source>Addr</source>
        <translation>Adr.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Invalid addresses (text data, negative addresses) will be converted to 0. On read and write, first 0 address will stop processing further rows.</source>
        <translation>Ungültige Adressen (Text, negative Adressen) werden zu 0. Beim Lesen und Schreiben beendet die erste Adresse 0 die Bearbeitung weiterer Zeilen.</translation>
    </message>
    <message>
        <source>Read above addresses</source>
        <translation>Obige Adressen lesen</translation>
    </message>
    <message>
        <source>Write above parameters</source>
        <translation>Obige Parameter schreiben</translation>
    </message>
    <message>
        <source>Restart Drive</source>
        <translation>Antrieb neu starten</translation>
    </message>
    <message>
        <source>Save settings to Drive</source>
        <translation>Einstellungen im Antrieb speichern</translation>
    </message>
    <message>
        <source>The base is busy (saving settings or running a service procedure). Nothing was sent; try again in a few seconds.</source>
        <translation>Die Basis ist beschäftigt (speichert Einstellungen oder führt eine Serviceprozedur aus). Es wurde nichts gesendet; versuche es in ein paar Sekunden noch einmal.</translation>
    </message>
    <message>
        <source>row %1 (address %2)</source>
        <translation>Zeile %1 (Adresse %2)</translation>
    </message>
    <message>
        <source>Not written, the value is not a whole number: %1.</source>
        <translation>Nicht geschrieben, der Wert ist keine ganze Zahl: %1.</translation>
    </message>
</context>
<context>
    <name>fwupdatewizard_intropage</name>
    <message>
        <source>Firmware update Wizard</source>
        <translation>Assistent für das Firmware-Update</translation>
    </message>
    <message>
        <source>Firmware must be updated!</source>
        <translation>Die Firmware muss aktualisiert werden!</translation>
    </message>
    <message>
        <source>Unable to open Veltrane flash file.</source>
        <translation>Die Veltrane-Flash-Datei lässt sich nicht öffnen.</translation>
    </message>
    <message>
        <source>%1This wizard will update or reflash the firmware on the Veltrane 2.%2</source>
        <translation>%1Dieser Assistent aktualisiert die Firmware der Veltrane 2 oder spielt sie neu auf.%2</translation>
    </message>
    <message>
        <source>If you do not want to install or update the firmware please exit by clicking %1 Cancel. %2 The Veltrane Tunemark software will close upon exiting.</source>
        <translation>Wenn du die Firmware nicht installieren oder aktualisieren möchtest, beende mit %1 Abbrechen. %2 Veltrane Tunemark wird dabei geschlossen.</translation>
    </message>
    <message>
        <source>By clicking %1 Next %2 the Veltrane 2 will enter firmware upgrade mode.  To use Veltrane after entering firmware mode you will need to either finish the update process or power cycle the Veltrane.&lt;br&gt;&lt;br&gt;%1 Please note, that the Torque off button must not be pressed in a factory-new Veltrane 2 device (as of September 2019) in order to make the Veltrane 2 device to go to the Firmware Upgrade Mode.%2</source>
        <translation>Mit %1 Weiter %2 wechselt die Veltrane 2 in den Firmware-Update-Modus. Um die Veltrane danach wieder zu nutzen, musst du das Update abschließen oder die Veltrane aus- und wieder einschalten.&lt;br&gt;&lt;br&gt;%1 Bitte beachte: Bei einer fabrikneuen Veltrane 2 (Stand September 2019) darf die Torque-Off-Taste nicht gedrückt sein, damit das Gerät in den Firmware-Update-Modus wechselt.%2</translation>
    </message>
    <message>
        <source>%1 Veltrane 2 has been detected in Firmware Update Mode. %2</source>
        <translation>%1 Die Veltrane 2 wurde im Firmware-Update-Modus erkannt. %2</translation>
    </message>
    <message>
        <source>Firmware must be updated. Reason: %1Too old version%2 for the firmware was detected for this version of the Tunemark.</source>
        <translation>Die Firmware muss aktualisiert werden. Grund: Für diese Tunemark-Version wurde eine %1zu alte Firmware-Version%2 erkannt.</translation>
    </message>
    <message>
        <source>Firmware update forced via command line. Veltrane-2-firmware.bootloadable file will be installed.</source>
        <translation>Firmware-Update per Befehlszeile erzwungen. Die Datei Veltrane-2-firmware.bootloadable wird installiert.</translation>
    </message>
    <message>
        <source>Firmware update forced via command line. Firmware installed inside the Tunemark.exe will be installed..</source>
        <translation>Firmware-Update per Befehlszeile erzwungen. Die in Tunemark.exe enthaltene Firmware wird installiert..</translation>
    </message>
</context>
<context>
    <name>fwupdatewizard_successpage</name>
    <message>
        <source>Firmware update complete</source>
        <translation>Firmware-Update abgeschlossen</translation>
    </message>
    <message>
        <source>Veltrane firmware update is now successfully complete. Veltrane should be booting up the new firmware. When you click %1 Finish %2 the Veltrane Tunemark will close.</source>
        <translation>Das Firmware-Update der Veltrane wurde erfolgreich abgeschlossen. Die Veltrane sollte jetzt mit der neuen Firmware starten. Mit %1 Fertigstellen %2 wird Veltrane Tunemark geschlossen.</translation>
    </message>
</context>
<context>
    <name>fwupdatewizard_updateconfirm</name>
    <message>
        <source>Firmware update failed.</source>
        <translation>Das Firmware-Update ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Unlocking and erasing program flash memory %1</source>
        <translation>Programm-Flash wird entsperrt und gelöscht %1</translation>
    </message>
    <message>
        <source> bytes sent.</source>
        <translation> Bytes gesendet.</translation>
    </message>
    <message>
        <source>Unable to send Veltrane flash file to the board. Troubleshooting instructions: If you are using a USB hub, retry firmware update when Veltrane is connected directly to the PC. Also try with shorter USB cable or without an extension cable if you are using one.</source>
        <translation>Die Veltrane-Flash-Datei konnte nicht an die Platine gesendet werden. Abhilfe: Wenn du einen USB-Hub verwendest, wiederhole das Firmware-Update mit der Veltrane direkt am PC. Versuche es auch mit einem kürzeren USB-Kabel oder ohne Verlängerungskabel, falls du eines verwendest.</translation>
    </message>
    <message>
        <source>Unable to open Veltrane flash file.</source>
        <translation>Die Veltrane-Flash-Datei lässt sich nicht öffnen.</translation>
    </message>
    <message>
        <source>Updating firmware</source>
        <translation>Firmware wird aktualisiert</translation>
    </message>
    <message>
        <source>Unlocking and erasing program flash memory.</source>
        <translation>Programm-Flash wird entsperrt und gelöscht.</translation>
    </message>
    <message>
        <source>Sending command failed</source>
        <translation>Senden des Befehls fehlgeschlagen</translation>
    </message>
    <message>
        <source>Firmware upload progress</source>
        <translation>Fortschritt der Firmware-Übertragung</translation>
    </message>
    <message>
        <source>Verifying... this should take around 5 seconds.</source>
        <translation>Überprüfen... das dauert etwa 5 Sekunden.</translation>
    </message>
    <message>
        <source>Veltrane returned wrong checksum from received data, causing the firmware update to fail.</source>
        <translation>Die Veltrane meldete eine falsche Prüfsumme der empfangenen Daten; das Firmware-Update ist deshalb fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Update firmware?</source>
        <translation>Firmware aktualisieren?</translation>
    </message>
    <message>
        <source>Press %1 Next %2 to start the update process.</source>
        <translation>Drücke %1 Weiter %2, um das Update zu starten.</translation>
    </message>
    <message>
        <source>Processing %1</source>
        <translation>Verarbeite %1</translation>
    </message>
    <message>
        <source>Updating OSKA Firmware:</source>
        <translation>OSKA-Firmware wird aktualisiert:</translation>
    </message>
</context>
<context>
    <name>fwupdatewizard_waitforupdatemode</name>
    <message>
        <source>Searching for Veltrane</source>
        <translation>Suche nach der Veltrane</translation>
    </message>
    <message>
        <source>Searching for Veltrane in Firmware Upgrade Mode. This should take up to 30 seconds.</source>
        <translation>Suche nach der Veltrane im Firmware-Update-Modus. Das dauert bis zu 30 Sekunden.</translation>
    </message>
    <message>
        <source>Searching for Veltrane in Firmware Upgrade Mode.</source>
        <translation>Suche nach der Veltrane im Firmware-Update-Modus.</translation>
    </message>
    <message>
        <source>Error: Veltrane did not boot in Firmware Upgrade Mode in 30 seconds. Cause might be Windows driver install that takes long time. Please see if there is a Veltrane in Firmware Upgrade mode -device visible in Device manager. If there is, you can retry. In case there is no device visible, unplugging and replugging Veltrane might help to force Windows to enumerate the device. Power cycling the Veltrane and trying update again can also be succesful as Windows will already know the device on the 2nd try.</source>
        <translation>Fehler: Die Veltrane ist nicht innerhalb von 30 Sekunden im Firmware-Update-Modus gestartet. Ursache kann eine lange dauernde Treiberinstallation unter Windows sein. Sieh nach, ob im Geräte-Manager ein Gerät „Veltrane im Firmware-Update-Modus“ sichtbar ist. Wenn ja, kannst du es erneut versuchen. Ist kein Gerät sichtbar, hilft es vielleicht, die Veltrane aus- und wieder einzustecken, damit Windows das Gerät erkennt. Auch die Veltrane aus- und wieder einzuschalten und das Update erneut zu versuchen, kann helfen, da Windows das Gerät beim zweiten Versuch bereits kennt.</translation>
    </message>
    <message>
        <source>Found Veltrane in Firmware Upgrade Mode. Press %1 Next %2 to continue.</source>
        <translation>Veltrane im Firmware-Update-Modus gefunden. Drücke %1 Weiter %2, um fortzufahren.</translation>
    </message>
</context>
<context>
    <name>games::GameSwitcher</name>
    <message>
        <source>a firmware update runs</source>
        <translation>ein Firmware-Update läuft</translation>
    </message>
    <message>
        <source>no base is connected</source>
        <translation>keine Basis ist verbunden</translation>
    </message>
    <message>
        <source>the base is writing or reloading its flash</source>
        <translation>die Basis schreibt oder lädt ihren Flash-Speicher</translation>
    </message>
    <message>
        <source>the base is busy with another operation</source>
        <translation>die Basis ist mit einem anderen Vorgang beschäftigt</translation>
    </message>
    <message>
        <source>an edit is held back until the wheel is turned inward</source>
        <translation>eine Änderung wird zurückgehalten, bis das Lenkrad nach innen gedreht wird</translation>
    </message>
    <message>
        <source>an edit is waiting to be applied</source>
        <translation>eine Änderung wartet darauf, übernommen zu werden</translation>
    </message>
    <message>
        <source>Waiting to switch to &apos;%1&apos; for %2: %3</source>
        <translation>Warte darauf, für %2 zu &apos;%1&apos; zu wechseln: %3</translation>
    </message>
    <message>
        <source>Not switched to &apos;%1&apos; for %2: the wheel stands where that profile&apos;s range or end stop would push it; turn it towards the centre</source>
        <translation>Nicht zu &apos;%1&apos; für %2 gewechselt: Das Lenkrad steht dort, wo der Lenkwinkel oder Endanschlag dieses Profils es wegdrücken würde; dreh es zur Mitte</translation>
    </message>
    <message>
        <source>Switching to &apos;%1&apos; for %2 failed: %3</source>
        <translation>Wechsel zu &apos;%1&apos; für %2 fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>Switched to &apos;%1&apos; for %2</source>
        <translation>Zu &apos;%1&apos; für %2 gewechselt</translation>
    </message>
    <message>
        <source>%1 ended; &apos;%2&apos; stays active: no profile is named &apos;%3&apos; any more</source>
        <translation>%1 beendet; &apos;%2&apos; bleibt aktiv: Es gibt kein Profil namens &apos;%3&apos; mehr</translation>
    </message>
    <message>
        <source>Waiting to switch back to &apos;%1&apos; after %2 ended: %3</source>
        <translation>Warte darauf, nach dem Ende von %2 zu &apos;%1&apos; zurückzuwechseln: %3</translation>
    </message>
    <message>
        <source>Not switched back to &apos;%1&apos; after %2 ended: %3</source>
        <translation>Nach dem Ende von %2 nicht zu &apos;%1&apos; zurückgewechselt: %3</translation>
    </message>
    <message>
        <source>the wheel stands where that profile&apos;s range or end stop would push it</source>
        <translation>das Lenkrad steht dort, wo der Lenkwinkel oder Endanschlag dieses Profils es wegdrücken würde</translation>
    </message>
    <message>
        <source>Switched back to &apos;%1&apos; after %2 ended</source>
        <translation>Nach dem Ende von %2 zu &apos;%1&apos; zurückgewechselt</translation>
    </message>
</context>
<context>
    <name>games::GameTray</name>
    <message>
        <source>Show window</source>
        <translation>Fenster anzeigen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Veltrane 2 Tunemark: no base connected</source>
        <translation>Veltrane 2 Tunemark: keine Basis verbunden</translation>
    </message>
    <message>
        <source>Veltrane 2 Tunemark: profile &apos;%1&apos;</source>
        <translation>Veltrane 2 Tunemark: Profil &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>games::GamesPanel</name>
    <message>
        <source>No system tray is available on this desktop.</source>
        <translation>Auf diesem Desktop gibt es keinen Systembereich.</translation>
    </message>
    <message>
        <source>Shows an icon with the active profile in the system tray</source>
        <translation>Zeigt ein Symbol mit dem aktiven Profil im Systembereich</translation>
    </message>
    <message>
        <source>Starts with only the tray icon shown</source>
        <translation>Startet nur mit dem Symbol im Systembereich</translation>
    </message>
    <message>
        <source>Profiles are chosen from a connected base.</source>
        <translation>Profile werden aus einer verbundenen Basis gewählt.</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1 (fehlt)</translation>
    </message>
    <message>
        <source>Name a game and choose a profile.</source>
        <translation>Gib ein Spiel an und wähle ein Profil.</translation>
    </message>
    <message>
        <source>%1 gets &apos;%2&apos; while it runs.</source>
        <translation>%1 bekommt &apos;%2&apos;, solange es läuft.</translation>
    </message>
    <message>
        <source>Start at login not changed: %1</source>
        <translation>Start bei der Anmeldung nicht geändert: %1</translation>
    </message>
    <message>
        <source>Tunemark starts when you log in.</source>
        <translation>Tunemark startet bei deiner Anmeldung.</translation>
    </message>
</context>
<context>
    <name>plots</name>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>plots::PlotView</name>
    <message>
        <source>Wheel angle</source>
        <translation>Lenkwinkel</translation>
    </message>
    <message>
        <source>Wheel speed</source>
        <translation>Lenkgeschw.</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>Bremse</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>Gas</translation>
    </message>
    <message>
        <source>Clutch</source>
        <translation>Kupplung</translation>
    </message>
</context>
<context>
    <name>plots::PlotsPanel</name>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Export plots as CSV</source>
        <translation>Diagramme als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>Export plots as PNG</source>
        <translation>Diagramme als PNG exportieren</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>the picture could not be encoded</source>
        <translation>das Bild konnte nicht erzeugt werden</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>profileDebugDialog</name>
    <message>
        <source>Current profile parameter access</source>
        <translation>Zugriff auf Parameter des aktuellen Profils</translation>
    </message>
    <message>
        <source>Profle Addr</source>
        <translation>Profil-Adr.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Writing and reading parameter values do not change the values shown in the main UI. This dialog is only to be used for debugging and new feature development.</source>
        <translation>Das Schreiben und Lesen von Parameterwerten ändert die im Hauptfenster angezeigten Werte nicht. Dieses Fenster ist nur für die Fehlersuche und die Entwicklung neuer Funktionen gedacht.</translation>
    </message>
    <message>
        <source>Values are not updated live when profile is changed in main UI!!!!!!</source>
        <translation>Die Werte werden nicht live aktualisiert, wenn das Profil im Hauptfenster gewechselt wird!!!!!!</translation>
    </message>
    <message>
        <source>Read above addresses</source>
        <translation>Obige Adressen lesen</translation>
    </message>
    <message>
        <source>Write above parameters</source>
        <translation>Obige Parameter schreiben</translation>
    </message>
    <message>
        <source>The base is busy (saving settings or running a service procedure). Nothing was sent; try again in a few seconds.</source>
        <translation>Die Basis ist beschäftigt (speichert Einstellungen oder führt eine Serviceprozedur aus). Es wurde nichts gesendet; versuche es in ein paar Sekunden noch einmal.</translation>
    </message>
    <message>
        <source>The active profile %1 is not in the tool&apos;s profile list (no base connected, or its profiles are not read yet). Nothing was done.</source>
        <translation>Das aktive Profil %1 steht nicht in der Profilliste des Programms (keine Basis verbunden oder ihre Profile sind noch nicht gelesen). Es wurde nichts ausgeführt.</translation>
    </message>
    <message>
        <source>row %1 (no parameter %2)</source>
        <translation>Zeile %1 (kein Parameter %2)</translation>
    </message>
    <message>
        <source>row %1 (value is not a whole number)</source>
        <translation>Zeile %1 (Wert ist keine ganze Zahl)</translation>
    </message>
    <message>
        <source>Not written: %1.</source>
        <translation>Nicht geschrieben: %1.</translation>
    </message>
</context>
<context>
    <name>profileReorderDialog</name>
    <message>
        <source>Reorder profiles</source>
        <translation>Profile umsortieren</translation>
    </message>
    <message>
        <source>Reorder by dragging and dropping. Accept by OK button.</source>
        <translation>Per Ziehen und Ablegen umsortieren. Mit OK übernehmen.</translation>
    </message>
    <message>
        <source>Processing...</source>
        <translation>Wird verarbeitet...</translation>
    </message>
</context>
<context>
    <name>profiledeleteconfirmdialog</name>
    <message>
        <source>Confirm profile deletion</source>
        <translation>Löschen des Profils bestätigen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the profile?</source>
        <translation>Möchtest du das Profil wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>profiletemplateDialog</name>
    <message>
        <source>Add profile</source>
        <translation>Profil hinzufügen</translation>
    </message>
    <message>
        <source>Start the new profile from this template:</source>
        <translation>Das neue Profil mit dieser Vorlage beginnen:</translation>
    </message>
</context>
<context>
    <name>resetcenterdialog</name>
    <message>
        <source>Reset wheel center</source>
        <translation>Lenkradmitte zurücksetzen</translation>
    </message>
    <message>
        <source>Just set wheel center here for now</source>
        <translation>Lenkradmitte nur vorübergehend hier setzen</translation>
    </message>
    <message>
        <source>This will not change your automatic center offset preferences. Pressing the above button only effects this session, and permanent setting (via the button below) will be restored at next device startup.</source>
        <translation>Deine Einstellungen zum automatischen Mittenversatz bleiben unverändert. Die Taste oben wirkt nur in dieser Sitzung; die dauerhafte Einstellung (über die Taste unten) wird beim nächsten Gerätestart wiederhergestellt.</translation>
    </message>
    <message>
        <source>Set permanent wheel center</source>
        <translation>Lenkradmitte dauerhaft setzen</translation>
    </message>
    <message>
        <source>This sets the permanent steering center position.</source>
        <translation>Dies setzt die dauerhafte Mittelstellung der Lenkung.</translation>
    </message>
    <message>
        <source>Note: All changes to profiles and other settings will also be saved to Veltrane.</source>
        <translation>Hinweis: Alle Änderungen an Profilen und anderen Einstellungen werden ebenfalls auf der Veltrane gespeichert.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The base is busy saving settings. Nothing was sent; try again in a few seconds.</source>
        <translation>Die Basis speichert gerade Einstellungen. Es wurde nichts gesendet; versuche es in ein paar Sekunden noch einmal.</translation>
    </message>
</context>
<context>
    <name>steeringangle_changewarning_dialog</name>
    <message>
        <source>Steering is not centered</source>
        <translation>Die Lenkung steht nicht in der Mitte</translation>
    </message>
    <message>
        <source>Steering angle can only be changed when steering is at center.

This is to ensure that no immediate torque is set to the wheel upon change of value.

This dialog will automatically close when you have centered the wheel.</source>
        <translation>Der Lenkwinkel kann nur geändert werden, wenn die Lenkung in der Mitte steht.

So wirkt beim Ändern des Werts kein plötzliches Drehmoment auf das Lenkrad.

Dieses Fenster schließt sich automatisch, sobald du das Lenkrad in die Mitte gedreht hast.</translation>
    </message>
</context>
<context>
    <name>toonewfirmwareprompt</name>
    <message>
        <source>Too new firmware detected</source>
        <translation>Zu neue Firmware erkannt</translation>
    </message>
    <message>
        <source>The firmware detected on your VeltRANE is too new for this Configuration Tool version to handle. Please use the tool that was supplied with the new firmware version.</source>
        <translation>Die Firmware deiner Veltrane ist zu neu für diese Version des Konfigurationsprogramms. Bitte verwende das Programm, das mit der neuen Firmware-Version geliefert wurde.</translation>
    </message>
</context>
<context>
    <name>wbpconfigurationdialog</name>
    <message>
        <source>Manage Wireless Devices</source>
        <translation>Funkgeräte verwalten</translation>
    </message>
    <message>
        <source>Stop scan</source>
        <translation>Suche beenden</translation>
    </message>
    <message>
        <source>Scan for new devices</source>
        <translation>Nach neuen Geräten suchen</translation>
    </message>
    <message>
        <source>Note: Only devices that are announcing can be found when scanning. Hold both shifter paddles pressed for 1 second to start announcing. Wireless wheel announces for 30 seconds after power-on or after pressing paddles to start the announcing mode.</source>
        <translation>Hinweis: Bei der Suche werden nur Geräte gefunden, die sich gerade ankündigen. Halte beide Schaltwippen 1 Sekunde lang gedrückt, um die Ankündigung zu starten. Das Funklenkrad kündigt sich nach dem Einschalten oder nach dem Drücken der Wippen 30 Sekunden lang an.</translation>
    </message>
    <message>
        <source>Scan indicator</source>
        <translation>Suchanzeige</translation>
    </message>
    <message>
        <source>Double-click the device to connect. Only devices that are still announcing can be connected to.</source>
        <translation>Doppelklicke auf das Gerät, um es zu verbinden. Verbinden lassen sich nur Geräte, die sich noch ankündigen.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Mac</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Signal Strength</source>
        <translation>Signalstärke</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Connect selected device</source>
        <translation>Ausgewähltes Gerät verbinden</translation>
    </message>
    <message>
        <source>Disconnect current device</source>
        <translation>Aktuelles Gerät trennen</translation>
    </message>
    <message>
        <source>Disconnect and forget current device</source>
        <translation>Aktuelles Gerät trennen und vergessen</translation>
    </message>
    <message>
        <source>Connect automatically to paired devices</source>
        <translation>Automatisch mit gekoppelten Geräten verbinden</translation>
    </message>
    <message>
        <source>Veltrane Wireless Wheel receiver not detected.</source>
        <translation>Empfänger für Veltrane-Funklenkräder nicht gefunden.</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
</context>
<context>
    <name>wheelTooNearEndstopDialog</name>
    <message>
        <source>Forces disabled</source>
        <translation>Kräfte deaktiviert</translation>
    </message>
    <message>
        <source>The wheel is too close to an end stop, so forces are disabled for your safety. Turn the wheel back near the centre to enable forces again.</source>
        <translation>Das Lenkrad steht zu nah an einem Endanschlag, deshalb sind die Kräfte zu deiner Sicherheit abgeschaltet. Dreh das Lenkrad zurück in die Nähe der Mitte, um die Kräfte wieder einzuschalten.</translation>
    </message>
</context>
</TS>
