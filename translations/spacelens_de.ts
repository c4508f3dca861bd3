<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>TAdminStream</name>
    <message>
        <source> (install the pkexec package, or name a program in SPACELENS_PKEXEC)</source>
        <extracomment>Added to the system&apos;s reason when pkexec is missing; keep the leading space</extracomment>
        <translation> (installieren Sie das Paket pkexec oder geben Sie in SPACELENS_PKEXEC ein Programm an)</translation>
    </message>
    <message>
        <source>the scan as administrator ended by signal %1</source>
        <translation>Der Scan als Administrator wurde durch Signal %1 beendet</translation>
    </message>
    <message>
        <source>the administrator&apos;s password was not given</source>
        <translation>Das Administratorpasswort wurde nicht eingegeben</translation>
    </message>
    <message>
        <source>the administrator&apos;s password was not given: %1</source>
        <translation>Das Administratorpasswort wurde nicht eingegeben: %1</translation>
    </message>
    <message>
        <source>%1 (a desktop&apos;s authentication agent asks for the password: log in to a desktop session)</source>
        <translation>%1 (das Passwort erfragt der Authentifizierungsagent einer Desktop-Sitzung: Melden Sie sich an einer Desktop-Sitzung an)</translation>
    </message>
    <message>
        <source>the scan as administrator ended well but sent nothing</source>
        <translation>Der Scan als Administrator endete fehlerfrei, lieferte aber nichts</translation>
    </message>
    <message>
        <source>the scan as administrator ended with status %1</source>
        <translation>Der Scan als Administrator endete mit Status %1</translation>
    </message>
</context>
<context>
    <name>TChangeSource</name>
    <message>
        <source>Same</source>
        <extracomment>Treemap key: unchanged since the earlier scan</extracomment>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>Grown</source>
        <translation>Gewachsen</translation>
    </message>
    <message>
        <source>Shrunk</source>
        <translation>Geschrumpft</translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Treemap key: not in the earlier scan</extracomment>
        <translation>Neu</translation>
    </message>
</context>
<context>
    <name>TChartAccessible</name>
    <message>
        <source>%1: %2</source>
        <extracomment>A series of bars and its value, as in &quot;Size: 3 MB&quot;</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
</context>
<context>
    <name>TChartLegend</name>
    <message>
        <source>%1 more</source>
        <extracomment>The legend&apos;s last entry: how many entries did not fit</extracomment>
        <translation>%1 weitere</translation>
    </message>
</context>
<context>
    <name>TChartPane</name>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Wasted Space</source>
        <translation>Verschwendeter Platz</translation>
    </message>
    <message>
        <source>Grown</source>
        <translation>Gewachsen</translation>
    </message>
    <message>
        <source>Shrunk</source>
        <translation>Geschrumpft</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Copy Chart to Clipboard as Bitmap</source>
        <translation>Diagramm als Bitmap in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Print the current chart</source>
        <translation>Aktuelles Diagramm drucken</translation>
    </message>
    <message>
        <source>Save chart to file as PNG, JPEG or bitmap</source>
        <translation>Diagramm als PNG, JPEG oder Bitmap in eine Datei speichern</translation>
    </message>
    <message>
        <source>Change</source>
        <extracomment>Noun: the change since the earlier scan</extracomment>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Show the change since the earlier scan, or the sizes</source>
        <translation>Die Änderung seit dem früheren Scan oder die Größen anzeigen</translation>
    </message>
    <message>
        <source>Show how much each sub-folder grew or shrank since the earlier scan</source>
        <translation>Anzeigen, wie stark jeder Unterordner seit dem früheren Scan gewachsen oder geschrumpft ist</translation>
    </message>
    <message>
        <source>View chart in 3D or 2D</source>
        <translation>Diagramm in 3D oder 2D anzeigen</translation>
    </message>
    <message>
        <source>Show or Hide Legend</source>
        <translation>Legende ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Show or Hide Vertical Grid Lines</source>
        <translation>Vertikale Gitterlinien ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Show or Hide Horizontal Grid Lines</source>
        <translation>Horizontale Gitterlinien ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Switch between patterns and colors</source>
        <translation>Zwischen Mustern und Farben wechseln</translation>
    </message>
    <message>
        <source>Choose color and click on a slice or bar to colorize it</source>
        <translation>Farbe wählen und zum Einfärben auf ein Segment oder einen Balken klicken</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Free Space</source>
        <translation>Freier Speicher</translation>
    </message>
    <message>
        <source>Empty folder</source>
        <translation>Leerer Ordner</translation>
    </message>
    <message>
        <source>Only files: %1 in %2 file</source>
        <translation>Nur Dateien: %1 in %2 Datei</translation>
    </message>
    <message>
        <source>Only files: %1 in %2 files</source>
        <translation>Nur Dateien: %1 in %2 Dateien</translation>
    </message>
    <message>
        <source>%1  (change)</source>
        <translation>%1  (Änderung)</translation>
    </message>
    <message>
        <source>Share counted so far: the scan is still running</source>
        <translation>Bisher gezählter Anteil: Der Scan läuft noch</translation>
    </message>
    <message>
        <source>Growth since the earlier scan; folders that shrank are not shown</source>
        <translation>Zuwachs seit dem früheren Scan; geschrumpfte Ordner werden nicht angezeigt</translation>
    </message>
</context>
<context>
    <name>TChartPrintout</name>
    <message>
        <source> - Chart   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Diagramm   </translation>
    </message>
</context>
<context>
    <name>TChartSeries</name>
    <message>
        <source>Other</source>
        <extracomment>The slice of the small sub-folders together</extracomment>
        <translation>Sonstige</translation>
    </message>
</context>
<context>
    <name>TColorButton</name>
    <message>
        <source>Automatic</source>
        <extracomment>The automatic colour (adjective)</extracomment>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>&amp;Other colors...</source>
        <translation>&amp;Andere Farben ...</translation>
    </message>
</context>
<context>
    <name>TCompareCommands</name>
    <message>
        <source>Compare</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>There is nothing to compare yet: scan a folder, then compare it with an earlier scan of it.</source>
        <translation>Es gibt noch nichts zu vergleichen: Scannen Sie einen Ordner und vergleichen Sie ihn dann mit einem früheren Scan desselben Ordners.</translation>
    </message>
    <message>
        <source>Reading the earlier scan...</source>
        <translation>Der frühere Scan wird gelesen ...</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Vergleichen mit</translation>
    </message>
    <message>
        <source>Cannot compare with %1: %2</source>
        <translation>Vergleich mit %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>Compared with a scan %1</source>
        <translation>Verglichen mit einem Scan %1</translation>
    </message>
    <message>
        <source>since %1, %2: %3</source>
        <extracomment>The status bar: since when, how long ago, and the growth</extracomment>
        <translation>seit %1, %2: %3</translation>
    </message>
</context>
<context>
    <name>TCompareDlg</name>
    <message>
        <source>Compare With</source>
        <translation>Vergleichen mit</translation>
    </message>
    <message>
        <source>Compare %1 with the scan of:</source>
        <translation>%1 mit folgendem Scan vergleichen:</translation>
    </message>
    <message>
        <source>Scanned</source>
        <extracomment>Column header: when the scan was made</extracomment>
        <translation>Gescannt</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Alter</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Note</source>
        <extracomment>Column header: a remark on the scan</extracomment>
        <translation>Bemerkung</translation>
    </message>
    <message>
        <source>on %1</source>
        <extracomment>The scan was made on another computer, named %1</extracomment>
        <translation>auf %1</translation>
    </message>
    <message>
        <source>counted otherwise</source>
        <translation>anders gezählt</translation>
    </message>
    <message>
        <source>No earlier scan of this folder is remembered: choose a file, or scan it again later.</source>
        <translation>Von diesem Ordner ist kein früherer Scan gespeichert: Wählen Sie eine Datei oder scannen Sie ihn später erneut.</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Other File...</source>
        <translation>Andere Datei ...</translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>A button: compare with nothing, ending the comparison</extracomment>
        <translation>Kein Vergleich</translation>
    </message>
    <message>
        <source>End the comparison</source>
        <translation>Vergleich beenden</translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation>%1 Tag</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>%1 hour</source>
        <translation>%1 Stunde</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>%1 minute</source>
        <translation>%1 Minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>Snapshots and exports (*.snap *.json *.csv);;All files (*)</source>
        <extracomment>Keep the patterns in brackets and the ;; between filters</extracomment>
        <translation>Gespeicherte Scans und Exporte (*.snap *.json *.csv);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>TContentsReport</name>
    <message>
        <source> - Folder Contents   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Ordnerinhalt   </translation>
    </message>
    <message>
        <source>%1 on [%2]</source>
        <translation>%1 auf [%2]</translation>
    </message>
</context>
<context>
    <name>TCsvFile</name>
    <message>
        <source>CSV tables (*.csv);;All files (*)</source>
        <translation>CSV-Tabellen (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>The %1 could not be saved to %2: %3</source>
        <extracomment>%1 is what was saved: the duplicates, the files or the types</extracomment>
        <translation>Die %1 konnten nicht in %2 gespeichert werden: %3</translation>
    </message>
</context>
<context>
    <name>TDuplicatesDlg</name>
    <message>
        <source>Opening the files of equal size</source>
        <translation>Öffnen der Dateien gleicher Größe</translation>
    </message>
    <message>
        <source>Reading their first and last 64 KiB</source>
        <translation>Lesen ihrer ersten und letzten 64 KiB</translation>
    </message>
    <message>
        <source>Reading the files alike so far</source>
        <translation>Lesen der bisher gleichen Dateien</translation>
    </message>
    <message>
        <source>Searching</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Duplicates in %1</source>
        <translation>Duplikate in %1</translation>
    </message>
    <message>
        <source>Duplicates in %1 folders</source>
        <translation>Duplikate in %1 Ordnern</translation>
    </message>
    <message>
        <source>Files of at &amp;least</source>
        <translation>Dateien von &amp;mindestens</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Copies</source>
        <extracomment>Column header: a group of copies, then each copy&apos;s path</extracomment>
        <translation>Kopien</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Letzte Änderung</translation>
    </message>
    <message>
        <source>Note</source>
        <extracomment>Column header: a remark on a copy</extracomment>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Keep &amp;Oldest</source>
        <translation>Ä&amp;lteste behalten</translation>
    </message>
    <message>
        <source>Keep &amp;Newest</source>
        <translation>&amp;Neueste behalten</translation>
    </message>
    <message>
        <source>Keep Shortest &amp;Path</source>
        <translation>&amp;Kürzesten Pfad behalten</translation>
    </message>
    <message>
        <source>Tick every copy of each group but the one kept; other names of the file kept stay</source>
        <translation>Jede Kopie jeder Gruppe außer der behaltenen anhaken; andere Namen der behaltenen Datei bleiben</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportieren ...</translation>
    </message>
    <message>
        <source>Save the groups shown as a CSV table</source>
        <translation>Die angezeigten Gruppen als CSV-Tabelle speichern</translation>
    </message>
    <message>
        <source>duplicates</source>
        <extracomment>Fills in &quot;The %1 could not be saved to %2&quot;</extracomment>
        <translation>Duplikate</translation>
    </message>
    <message>
        <source>Export the Duplicates</source>
        <translation>Duplikate exportieren</translation>
    </message>
    <message>
        <source>Move to &amp;Trash</source>
        <translation>In den Papierkorb &amp;verschieben</translation>
    </message>
    <message>
        <source>&amp;Delete Permanently...</source>
        <translation>&amp;Endgültig löschen ...</translation>
    </message>
    <message>
        <source>Delete the ticked copies for good (Shift+Delete): their space comes free at once</source>
        <translation>Die angehakten Kopien endgültig löschen (Shift+Delete): Ihr Platz wird sofort frei</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1: %2 of %3 files, %4 of %5 MB, %6 MB/s</source>
        <translation>%1: %2 von %3 Dateien, %4 von %5 MB, %6 MB/s</translation>
    </message>
    <message>
        <source>%1 copy</source>
        <translation>%1 Kopie</translation>
    </message>
    <message>
        <source>%1 copies</source>
        <translation>%1 Kopien</translation>
    </message>
    <message>
        <source>%1 name</source>
        <translation>%1 Name</translation>
    </message>
    <message>
        <source>%1 names</source>
        <translation>%1 Namen</translation>
    </message>
    <message>
        <source>%1, %2 wasted</source>
        <translation>%1, %2 verschwendet</translation>
    </message>
    <message>
        <source>another name of %1</source>
        <translation>anderer Name von %1</translation>
    </message>
    <message>
        <source>%1, %2, %3 wasted</source>
        <translation>%1, %2, %3 verschwendet</translation>
    </message>
    <message>
        <source>%1 group of copies</source>
        <translation>%1 Gruppe von Kopien</translation>
    </message>
    <message>
        <source>%1 groups of copies</source>
        <translation>%1 Gruppen von Kopien</translation>
    </message>
    <message>
        <source>%1 (stopped)</source>
        <translation>%1 (angehalten)</translation>
    </message>
    <message>
        <source>%1; %2 left out</source>
        <translation>%1; %2 ausgelassen</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>%1 group</source>
        <translation>%1 Gruppe</translation>
    </message>
    <message>
        <source>%1 groups</source>
        <translation>%1 Gruppen</translation>
    </message>
    <message>
        <source>In %1 the oldest copies were changed at the same moment: a tie, broken by keeping the first of them by path.</source>
        <translation>In %1 wurden die ältesten Kopien im selben Moment geändert: Bei diesem Gleichstand wird die erste nach Pfad behalten.</translation>
    </message>
    <message>
        <source>In %1 the newest copies were changed at the same moment: a tie, broken by keeping the first of them by path.</source>
        <translation>In %1 wurden die neuesten Kopien im selben Moment geändert: Bei diesem Gleichstand wird die erste nach Pfad behalten.</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Endgültig löschen</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>%1 and %2 are one name seen by two paths (a folder mounted twice): removing one removes both. Nothing was removed.</source>
        <translation>%1 und %2 sind ein Name, der über zwei Pfade erreichbar ist (ein doppelt eingehängter Ordner): Das Entfernen des einen entfernt beide. Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>The search is still going on: wait for it, or cancel it.</source>
        <translation>Die Suche läuft noch: Warten Sie, bis sie fertig ist, oder brechen Sie sie ab.</translation>
    </message>
    <message>
        <source>Folders were removed from the tree since the search: search again.</source>
        <translation>Seit der Suche wurden Ordner aus dem Baum entfernt: Suchen Sie erneut.</translation>
    </message>
    <message>
        <source>Nothing comes free: another name of each stays.</source>
        <translation>Es wird kein Platz frei: Von jeder bleibt ein anderer Name erhalten.</translation>
    </message>
    <message>
        <source>%1 comes free.</source>
        <translation>%1 werden frei.</translation>
    </message>
    <message>
        <source>%1 comes free once the Trash is emptied.</source>
        <translation>%1 werden frei, sobald der Papierkorb geleert ist.</translation>
    </message>
    <message>
        <source>Delete %1 permanently? %2
Each is read again first, with the copy kept: one that changed since the search stays where it is.</source>
        <translation>%1 endgültig löschen? %2
Jede wird vorher zusammen mit der behaltenen Kopie erneut gelesen: Eine, die sich seit der Suche geändert hat, bleibt, wo sie ist.</translation>
    </message>
    <message>
        <source>Move %1 to the Trash? %2
Each is read again first, with the copy kept: one that changed since the search stays where it is.</source>
        <translation>%1 in den Papierkorb verschieben? %2
Jede wird vorher zusammen mit der behaltenen Kopie erneut gelesen: Eine, die sich seit der Suche geändert hat, bleibt, wo sie ist.</translation>
    </message>
    <message>
        <source>%1 stays: the copy kept, %2, %3</source>
        <translation>%1 bleibt: die behaltene Kopie, %2, %3</translation>
    </message>
    <message>
        <source>%1 stays: %2</source>
        <translation>%1 bleibt: %2</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Moving to the Trash</source>
        <translation>Verschieben in den Papierkorb</translation>
    </message>
    <message>
        <source>These stay where they are:
%1</source>
        <translation>Folgende bleiben, wo sie sind:
%1</translation>
    </message>
</context>
<context>
    <name>TEmptyTrash</name>
    <message>
        <source>
    %1: %2 item</source>
        <extracomment>%1 is a Trash folder, %2 how many items it holds</extracomment>
        <translation>
    %1: %2 Objekt</translation>
    </message>
    <message>
        <source>
    %1: %2 items</source>
        <translation>
    %1: %2 Objekte</translation>
    </message>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source>The Trash is empty.</source>
        <translation>Der Papierkorb ist leer.</translation>
    </message>
    <message>
        <source>Delete the %1 item in the Trash permanently?%2
They cannot be restored.</source>
        <translation>%1 Objekt im Papierkorb endgültig löschen?%2
Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete the %1 items in the Trash permanently?%2
They cannot be restored.</source>
        <translation>Die %1 Objekte im Papierkorb endgültig löschen?%2
Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Emptying the Trash</source>
        <translation>Leeren des Papierkorbs</translation>
    </message>
    <message>
        <source>%1 came free.</source>
        <translation>%1 wurden freigegeben.</translation>
    </message>
    <message>
        <source>

These stay in the Trash:
%1</source>
        <translation>

Diese bleiben im Papierkorb:
%1</translation>
    </message>
</context>
<context>
    <name>TErrorBox</name>
    <message>
        <source>Path %1: %2</source>
        <translation>Pfad %1: %2</translation>
    </message>
    <message>
        <source>Scan again as administrator</source>
        <translation>Erneut als Administrator scannen</translation>
    </message>
    <message>
        <source>

%1 more failures are listed in the details.</source>
        <translation>

%1 weitere Fehler sind in den Details aufgeführt.</translation>
    </message>
</context>
<context>
    <name>TFileClass</name>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Quelltext</translation>
    </message>
    <message>
        <source>Programs and libraries</source>
        <translation>Programme und Bibliotheken</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
    <message>
        <source>Small items</source>
        <translation>Kleine Objekte</translation>
    </message>
</context>
<context>
    <name>TFilesCommands</name>
    <message>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>The files are still being sorted; export them once they are listed.</source>
        <translation>Die Dateien werden noch sortiert; exportieren Sie sie, sobald sie aufgelistet sind.</translation>
    </message>
    <message>
        <source>files</source>
        <extracomment>Fills in &quot;The %1 could not be saved to %2&quot;</extracomment>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Export the Files Listed</source>
        <translation>Aufgelistete Dateien exportieren</translation>
    </message>
    <message>
        <source> - Files   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Dateien   </translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>Column header of a printed report</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>Column header: the space taken on the disk</extracomment>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Links</source>
        <extracomment>Column header: the number of names (hard links) of a file</extracomment>
        <translation>Links</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Last Access</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Letzte Änderung</translation>
    </message>
</context>
<context>
    <name>TFilesFilter</name>
    <message>
        <source>&quot;%1&quot; needs a size after it, as in &gt; 100 MB</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Auf &quot;%1&quot; muss eine Größe folgen, z. B. &gt; 100 MB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no unit of size: write B, KB, MB, GB or TB (or K, M, G, T), as in &gt; 100 MB</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; ist keine Größeneinheit: Schreiben Sie B, KB, MB, GB oder TB (oder K, M, G, T), z. B. &gt; 100 MB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs an age after it, as in %1 1 year (days, weeks, months or years)</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Auf &quot;%1&quot; muss ein Alter folgen, z. B. %1 1 year (days, weeks, months oder years)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; matches nothing: no file is smaller than 0 bytes</source>
        <translation>&quot;%1&quot; trifft auf nichts zu: Keine Datei ist kleiner als 0 Bytes</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no size range, as in 10MB..1GB: %2</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; ist kein Größenbereich wie 10MB..1GB: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no size: the smaller end comes first, as in 10MB..1GB</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; umfasst keine Größe: Die kleinere Grenze steht zuerst, z. B. 10MB..1GB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs &quot;than&quot; and an age, as in %2 than 1 year; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Auf &quot;%1&quot; müssen &quot;than&quot; und ein Alter folgen, z. B. %2 than 1 year; um danach in Namen zu suchen, setzen Sie es in Anführungszeichen: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs before or after and a date, as in %2 before 2024-06; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Auf &quot;%1&quot; müssen before oder after und ein Datum folgen, z. B. %2 before 2024-06; um danach in Namen zu suchen, setzen Sie es in Anführungszeichen: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1 %2&quot; needs a date after it: 2024, 2024-06 or 2024-06-30</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Auf &quot;%1 %2&quot; muss ein Datum folgen: 2024, 2024-06 oder 2024-06-30</translation>
    </message>
    <message>
        <source>&quot;%1&quot; goes after older or newer, as in older than 1 year; sizes go after &gt; or &lt;, as in &gt; 1 GB; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; steht hinter older oder newer, z. B. older than 1 year; Größen stehen hinter &gt; oder &lt;, z. B. &gt; 1 GB; um danach in Namen zu suchen, setzen Sie es in Anführungszeichen: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; goes after changed or accessed, as in changed before 2024-06; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; steht hinter changed oder accessed, z. B. changed before 2024-06; um danach in Namen zu suchen, setzen Sie es in Anführungszeichen: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a unit: a size goes after &gt; or &lt;, as in &gt; 1 GB, or in a range, as in 1MB..1GB; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; ist eine Einheit: Eine Größe steht hinter &gt; oder &lt;, z. B. &gt; 1 GB, oder in einem Bereich, z. B. 1MB..1GB; um danach in Namen zu suchen, setzen Sie es in Anführungszeichen: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>No kind &quot;%1&quot;: the kinds are image, video, audio, archive, document, code, program and other</source>
        <extracomment>The kinds are filter words: they stay in English</extracomment>
        <translation>Keine Art &quot;%1&quot;: Die Arten sind image, video, audio, archive, document, code, program und other</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no count of names: write links&gt;1, links&gt;=3 or links=2; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; ist keine Anzahl von Namen: Schreiben Sie links&gt;1, links&gt;=3 oder links=2; um danach in Namen zu suchen, setzen Sie es in Anführungszeichen: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; counts more names than a file can have</source>
        <translation>&quot;%1&quot; zählt mehr Namen, als eine Datei haben kann</translation>
    </message>
    <message>
        <source>&quot;not&quot; needs a name after it, as in not *.log</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Auf &quot;not&quot; muss ein Name folgen, z. B. not *.log</translation>
    </message>
</context>
<context>
    <name>TFilesList</name>
    <message>
        <source>Names (* and ? as wildcards; a word without them is looked for inside names; quoted, any word is a name), -name or not name to leave names out, &gt; 100 MB, &lt;= 4 KB, 10MB..1GB, older than 1 year, newer than 2 weeks, changed before 2024-01, accessed after 2023, kind:video,audio, ext:tar.gz,zip (ext: alone: none), links&gt;1, links=2. Everything given must hold.</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Namen (* und ? als Platzhalter; ein Wort ohne sie wird innerhalb von Namen gesucht; in Anführungszeichen ist jedes Wort ein Name), -Name oder not Name, um Namen auszuschließen, &gt; 100 MB, &lt;= 4 KB, 10MB..1GB, older than 1 year, newer than 2 weeks, changed before 2024-01, accessed after 2023, kind:video,audio, ext:tar.gz,zip (ext: allein: ohne Endung), links&gt;1, links=2. Alle Angaben müssen zutreffen.</translation>
    </message>
    <message>
        <source>&amp;Largest</source>
        <translation>&amp;Größte</translation>
    </message>
    <message>
        <source>The largest files first, by the space they take in the Allocated and Percent views</source>
        <translation>Die größten Dateien zuerst, nach dem Platz, den sie in den Ansichten Belegt und Prozent einnehmen</translation>
    </message>
    <message>
        <source>&amp;Newest</source>
        <translation>&amp;Neueste</translation>
    </message>
    <message>
        <source>The files changed last first</source>
        <translation>Die zuletzt geänderten Dateien zuerst</translation>
    </message>
    <message>
        <source>&amp;Oldest</source>
        <translation>Ä&amp;lteste</translation>
    </message>
    <message>
        <source>The files changed longest ago first</source>
        <translation>Die am längsten nicht geänderten Dateien zuerst</translation>
    </message>
    <message>
        <source>Filter: *.iso *.mkv  &gt; 100 MB  older than 1 year  kind:video</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Filter: *.iso *.mkv  &gt; 100 MB  older than 1 year  kind:video</translation>
    </message>
    <message>
        <source>Save the files listed as a CSV table</source>
        <translation>Die aufgeführten Dateien als CSV-Tabelle speichern</translation>
    </message>
    <message>
        <source>Not understood: %1

%2</source>
        <translation>Nicht verstanden: %1

%2</translation>
    </message>
    <message>
        <source>Not understood: %1</source>
        <translation>Nicht verstanden: %1</translation>
    </message>
    <message>
        <source>%1  (sorting...)</source>
        <translation>%1  (wird sortiert ...)</translation>
    </message>
    <message>
        <source>Sorting the files...</source>
        <translation>Dateien werden sortiert ...</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 Dateien, %2</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1 von %2 Dateien, %3</translation>
    </message>
</context>
<context>
    <name>TFilesModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Allocated</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Letzte Änderung</translation>
    </message>
    <message>
        <source>Last Access</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Links</source>
        <extracomment>Column header: the number of names (hard links) of a file</extracomment>
        <translation>Links</translation>
    </message>
</context>
<context>
    <name>TFolderRowAccessible</name>
    <message>
        <source>level %1, no folders</source>
        <translation>Ebene %1, keine Ordner</translation>
    </message>
    <message>
        <source>level %1, 1 folder</source>
        <translation>Ebene %1, 1 Ordner</translation>
    </message>
    <message>
        <source>level %1, %2 folders</source>
        <translation>Ebene %1, %2 Ordner</translation>
    </message>
</context>
<context>
    <name>TFolderTreeAccessible</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>TFolderTreeView</name>
    <message>
        <source>No folder scanned yet.

Choose Select Directory to scan a folder, or start Spacelens with folders on its command line.</source>
        <translation>Noch kein Ordner gescannt.

Wählen Sie „Ordner auswählen“, um einen Ordner zu scannen, oder starten Sie Spacelens mit Ordnern auf der Befehlszeile.</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>there is no home folder to keep them in</source>
        <translation>Es gibt keinen persönlichen Ordner, in dem die Scans aufbewahrt werden können</translation>
    </message>
    <message>
        <source>%1 scan of %2 remembered before is dated later than now: the clock was set back since; they count as written before this one</source>
        <translation>%1 zuvor gespeicherter Scan von %2 trägt ein späteres Datum als jetzt: Die Uhr wurde inzwischen zurückgestellt; er gilt als vor diesem gespeichert</translation>
    </message>
    <message>
        <source>%1 scans of %2 remembered before are dated later than now: the clock was set back since; they count as written before this one</source>
        <translation>%1 zuvor gespeicherte Scans von %2 tragen ein späteres Datum als jetzt: Die Uhr wurde inzwischen zurückgestellt; sie gelten als vor diesem gespeichert</translation>
    </message>
</context>
<context>
    <name>TListModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size  </source>
        <extracomment>Column header; keep the two trailing spaces</extracomment>
        <translation>Größe  </translation>
    </message>
    <message>
        <source>Allocated  </source>
        <extracomment>Column header; keep the two trailing spaces</extracomment>
        <translation>Belegt  </translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>Wasted  </source>
        <extracomment>Column header; keep the two trailing spaces</extracomment>
        <translation>Verschwendet  </translation>
    </message>
    <message>
        <source>% of Parent</source>
        <translation>% des übergeordneten Ordners</translation>
    </message>
    <message>
        <source>Last Access</source>
        <translation>Letzter Zugriff</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Letzte Änderung</translation>
    </message>
    <message>
        <source>Change  </source>
        <extracomment>Column header: change since the earlier scan; keep the two trailing spaces</extracomment>
        <translation>Änderung  </translation>
    </message>
    <message>
        <source>Before  </source>
        <extracomment>Column header: value in the earlier scan; keep the two trailing spaces</extracomment>
        <translation>Vorher  </translation>
    </message>
    <message>
        <source>gone</source>
        <extracomment>In the change column: the folder is gone since the earlier scan</extracomment>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>A sparse file: %1 of its %2 take space on disk</source>
        <translation>Dünn besetzte Datei: Nur %1 ihrer %2 belegen Platz auf dem Datenträger</translation>
    </message>
</context>
<context>
    <name>TMRUFileList</name>
    <message>
        <source>Reopen</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
</context>
<context>
    <name>TMainActions</name>
    <message>
        <source>Select &amp;Directory...</source>
        <translation>&amp;Ordner auswählen ...</translation>
    </message>
    <message>
        <source>Open Folder|Select a folder to scan</source>
        <translation>Ordner öffnen|Einen Ordner zum Scannen auswählen</translation>
    </message>
    <message>
        <source>Scan &amp;All Drives</source>
        <translation>Alle &amp;Laufwerke scannen</translation>
    </message>
    <message>
        <source>Scan All Drives|Scan every mounted drive</source>
        <translation>Alle Laufwerke scannen|Jedes eingehängte Laufwerk scannen</translation>
    </message>
    <message>
        <source>&amp;Import Scan...</source>
        <translation>Scan &amp;importieren ...</translation>
    </message>
    <message>
        <source>Import Scan|Show a scan exported by ncdu, gdu or Spacelens</source>
        <translation>Scan importieren|Einen von ncdu, gdu oder Spacelens exportierten Scan anzeigen</translation>
    </message>
    <message>
        <source>Scan &amp;Remote...</source>
        <translation>&amp;Entfernten Ordner scannen ...</translation>
    </message>
    <message>
        <source>Scan Remote|Scan a folder on another machine over SSH</source>
        <translation>Entfernten Ordner scannen|Einen Ordner auf einem anderen Rechner über SSH scannen</translation>
    </message>
    <message>
        <source>Scan as Admi&amp;nistrator...</source>
        <translation>Als &amp;Administrator scannen ...</translation>
    </message>
    <message>
        <source>Scan as Administrator|Scan a folder that only the administrator may read, asking for the password</source>
        <translation>Als Administrator scannen|Einen Ordner scannen, den nur der Administrator lesen darf; fragt nach dem Passwort</translation>
    </message>
    <message>
        <source>&amp;Compare With...</source>
        <translation>&amp;Vergleichen mit ...</translation>
    </message>
    <message>
        <source>Compare|Compare the folder with an earlier scan: what grew, what is new, what is gone</source>
        <translation>Vergleichen|Den Ordner mit einem früheren Scan vergleichen: was gewachsen, was neu, was verschwunden ist</translation>
    </message>
    <message>
        <source>Compare</source>
        <extracomment>A verb: compare with an earlier scan</extracomment>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Find &amp;Duplicates...</source>
        <translation>&amp;Duplikate suchen ...</translation>
    </message>
    <message>
        <source>Find Duplicates|Find the files of equal content below the folder</source>
        <translation>Duplikate suchen|Dateien mit gleichem Inhalt unterhalb des Ordners suchen</translation>
    </message>
    <message>
        <source>Find Duplicates in &amp;All...</source>
        <translation>Duplikate in &amp;allen suchen ...</translation>
    </message>
    <message>
        <source>Find Duplicates in All|Find the files of equal content below every folder shown</source>
        <translation>Duplikate in allen suchen|Dateien mit gleichem Inhalt unterhalb aller angezeigten Ordner suchen</translation>
    </message>
    <message>
        <source>Empty &amp;Trash...</source>
        <translation>&amp;Papierkorb leeren ...</translation>
    </message>
    <message>
        <source>Empty Trash|Delete for good what the Trash of the scanned drives holds: its space comes free</source>
        <translation>Papierkorb leeren|Den Inhalt des Papierkorbs der gescannten Laufwerke endgültig löschen und so Platz freigeben</translation>
    </message>
    <message>
        <source>&amp;Update All</source>
        <translation>Alle a&amp;ktualisieren</translation>
    </message>
    <message>
        <source>Update All|Rescan all displayed folders</source>
        <translation>Alle aktualisieren|Alle angezeigten Ordner erneut scannen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open|Show contents of the folder</source>
        <translation>Öffnen|Inhalt des Ordners anzeigen</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>Er&amp;kunden</translation>
    </message>
    <message>
        <source>Explore|Open the folder that holds it in the file manager</source>
        <translation>Erkunden|Den übergeordneten Ordner im Dateimanager öffnen</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>Properties|Show the properties of the folder</source>
        <translation>Eigenschaften|Eigenschaften des Ordners anzeigen</translation>
    </message>
    <message>
        <source>&amp;Full Expand</source>
        <translation>&amp;Vollständig aufklappen</translation>
    </message>
    <message>
        <source>Full &amp;Expand</source>
        <translation>Vollständig &amp;aufklappen</translation>
    </message>
    <message>
        <source>Full Expand|Recursively expand all subnodes</source>
        <translation>Vollständig aufklappen|Alle Unterknoten rekursiv aufklappen</translation>
    </message>
    <message>
        <source>Full &amp;Collapse</source>
        <translation>Vollständig &amp;zuklappen</translation>
    </message>
    <message>
        <source>Full Collapse|Recursively collapse all subnodes</source>
        <translation>Vollständig zuklappen|Alle Unterknoten rekursiv zuklappen</translation>
    </message>
    <message>
        <source>To Level &amp;1</source>
        <translation>Bis Ebene &amp;1</translation>
    </message>
    <message>
        <source>To Level &amp;2</source>
        <translation>Bis Ebene &amp;2</translation>
    </message>
    <message>
        <source>To Level &amp;3</source>
        <translation>Bis Ebene &amp;3</translation>
    </message>
    <message>
        <source>To Level &amp;4</source>
        <translation>Bis Ebene &amp;4</translation>
    </message>
    <message>
        <source>Expand Folder &amp;over: xxx MB</source>
        <translation>Ordner &amp;aufklappen über: xxx MB</translation>
    </message>
    <message>
        <source>&amp;Remove Folder &lt;xxx MB</source>
        <translation>Ordner &lt;xxx MB &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Set Size</source>
        <translation>&amp;Größe festlegen</translation>
    </message>
    <message>
        <source>Full Co&amp;llapse</source>
        <translation>Vollständig &amp;zuklappen</translation>
    </message>
    <message>
        <source>&amp;Remove from Spacelens</source>
        <translation>Aus Spacelens e&amp;ntfernen</translation>
    </message>
    <message>
        <source>Remove from Spacelens|Remove this folder from the Spacelens window</source>
        <translation>Aus Spacelens entfernen|Diesen Ordner aus dem Spacelens-Fenster entfernen</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>Ak&amp;tualisieren</translation>
    </message>
    <message>
        <source>Update|Rescan Folder</source>
        <translation>Aktualisieren|Ordner erneut scannen</translation>
    </message>
    <message>
        <source>Update &amp;Branch</source>
        <translation>Zweig a&amp;ktualisieren</translation>
    </message>
    <message>
        <source>Update Branch|Update information for this subfolder</source>
        <translation>Zweig aktualisieren|Informationen für diesen Unterordner aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Count Folders</source>
        <translation>&amp;Ordner zählen</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>Size|Show the size of the folders</source>
        <translation>Größe|Größe der Ordner anzeigen</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Bytes &amp;Allocated</source>
        <translation>&amp;Belegter Speicher</translation>
    </message>
    <message>
        <source>Bytes Allocated|Show how many bytes are allocated on disk by the folders</source>
        <translation>Belegter Speicher|Anzeigen, wie viele Bytes die Ordner auf dem Datenträger belegen</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>Short for Bytes Allocated</extracomment>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>&amp;Percent</source>
        <translation>&amp;Prozent</translation>
    </message>
    <message>
        <source>Percent|Show how many percent of the parent folders each folder occupies</source>
        <translation>Prozent|Anzeigen, wie viel Prozent seines übergeordneten Ordners jeder Ordner einnimmt</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>&amp;Wasted Space</source>
        <translation>&amp;Verschwendeter Platz</translation>
    </message>
    <message>
        <source>Wasted Space|Show how much space is wasted  by the folders</source>
        <translation>Verschwendeter Platz|Anzeigen, wie viel Platz die Ordner verschwenden</translation>
    </message>
    <message>
        <source>Wasted</source>
        <extracomment>Short for Wasted Space</extracomment>
        <translation>Verschwendet</translation>
    </message>
    <message>
        <source>Use &amp;CD-Rom Cluster Size</source>
        <translation>&amp;CD-ROM-Clustergröße verwenden</translation>
    </message>
    <message>
        <source>CD-Rom cluster size|Show how much the folders would occupy on a CD-ROM</source>
        <translation>CD-ROM-Clustergröße|Anzeigen, wie viel Platz die Ordner auf einer CD-ROM belegen würden</translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation>CD-ROM</translation>
    </message>
    <message>
        <source>Ob&amp;jects</source>
        <translation>Ob&amp;jekte</translation>
    </message>
    <message>
        <source>Objects|Show how many files and folders each folder holds</source>
        <translation>Objekte|Anzeigen, wie viele Dateien und Ordner jeder Ordner enthält</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>&amp;MB only</source>
        <translation>Nur &amp;MB</translation>
    </message>
    <message>
        <source>MB only|Show values in megabytes</source>
        <translation>Nur MB|Werte in Megabyte anzeigen</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>KB/MB M&amp;ixed</source>
        <translation>KB/MB &amp;gemischt</translation>
    </message>
    <message>
        <source>KB/MB Mixed|Show values in kilobytes, from 100 MB on in megabytes</source>
        <translation>KB/MB gemischt|Werte in Kilobyte anzeigen, ab 100 MB in Megabyte</translation>
    </message>
    <message>
        <source>KB/MB</source>
        <translation>KB/MB</translation>
    </message>
    <message>
        <source>&amp;KB only</source>
        <translation>Nur &amp;KB</translation>
    </message>
    <message>
        <source>KB only|Show values in kilobytes</source>
        <translation>Nur KB|Werte in Kilobyte anzeigen</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;Automatisch</translation>
    </message>
    <message>
        <source>Automatic|Show each value in the largest unit that keeps it at 1 or more</source>
        <translation>Automatisch|Jeden Wert in der größten Einheit anzeigen, in der er mindestens 1 beträgt</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Short for the Automatic unit</extracomment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>P&amp;ie Chart</source>
        <translation>&amp;Kreisdiagramm</translation>
    </message>
    <message>
        <source>Pie Chart|Show Pie chart for the selected folder</source>
        <translation>Kreisdiagramm|Kreisdiagramm für den ausgewählten Ordner anzeigen</translation>
    </message>
    <message>
        <source>Pie</source>
        <extracomment>Short for Pie Chart</extracomment>
        <translation>Kreis</translation>
    </message>
    <message>
        <source>&amp;Bar Chart</source>
        <translation>Ba&amp;lkendiagramm</translation>
    </message>
    <message>
        <source>Bar Chart|Show bar chart for the selected folder</source>
        <translation>Balkendiagramm|Balkendiagramm für den ausgewählten Ordner anzeigen</translation>
    </message>
    <message>
        <source>Bar</source>
        <extracomment>Short for Bar Chart</extracomment>
        <translation>Balken</translation>
    </message>
    <message>
        <source>&amp;Treemap</source>
        <translation>&amp;Treemap</translation>
    </message>
    <message>
        <source>Treemap|Show every file below the selected folder as a tile as large as its size</source>
        <translation>Treemap|Jede Datei unterhalb des ausgewählten Ordners als Kachel in der Größe der Datei anzeigen</translation>
    </message>
    <message>
        <source>Treemap</source>
        <translation>Treemap</translation>
    </message>
    <message>
        <source>&amp;Detailed List</source>
        <translation>&amp;Detailliste</translation>
    </message>
    <message>
        <source>Detailed List|Show the folders and files in a list</source>
        <translation>Detailliste|Die Ordner und Dateien in einer Liste anzeigen</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>&amp;Files</source>
        <translation>D&amp;ateien</translation>
    </message>
    <message>
        <source>Files|List every file below the selected folder, at any depth, largest first</source>
        <translation>Dateien|Alle Dateien unterhalb des ausgewählten Ordners in jeder Tiefe auflisten, die größten zuerst</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>T&amp;ypes</source>
        <translation>T&amp;ypen</translation>
    </message>
    <message>
        <source>Types|Show what kinds of file fill the selected folder, by class and extension</source>
        <translation>Typen|Anzeigen, welche Dateiarten den ausgewählten Ordner füllen, nach Klasse und Endung</translation>
    </message>
    <message>
        <source>Types</source>
        <translation>Typen</translation>
    </message>
    <message>
        <source>Set &amp;Title...</source>
        <translation>&amp;Titel festlegen ...</translation>
    </message>
    <message>
        <source>Set Title|Set Title for printing and exporting</source>
        <translation>Titel festlegen|Titel für Drucken und Exportieren festlegen</translation>
    </message>
    <message>
        <source>&amp;Print Report...</source>
        <translation>Be&amp;richt drucken ...</translation>
    </message>
    <message>
        <source>Print Report|Print report for currently active folder/drive</source>
        <translation>Bericht drucken|Bericht für den aktuellen Ordner bzw. das aktuelle Laufwerk drucken</translation>
    </message>
    <message>
        <source>Print Report for All...</source>
        <translation>Bericht für alle drucken ...</translation>
    </message>
    <message>
        <source>Print Report for All|Print a report for all drives and folders currently listed in the left pane</source>
        <translation>Bericht für alle drucken|Einen Bericht für alle Laufwerke und Ordner drucken, die im linken Bereich aufgeführt sind</translation>
    </message>
    <message>
        <source>Print Something</source>
        <translation>Bereich drucken</translation>
    </message>
    <message>
        <source>Print Pane|Prints the right pane of the window</source>
        <translation>Bereich drucken|Druckt den rechten Bereich des Fensters</translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup ...</source>
        <translation>&amp;Seite einrichten ...</translation>
    </message>
    <message>
        <source>Page Setup|Setup page for printed reports</source>
        <translation>Seite einrichten|Seite für gedruckte Berichte einrichten</translation>
    </message>
    <message>
        <source>Printer &amp;Setup ...</source>
        <translation>Dr&amp;ucker einrichten ...</translation>
    </message>
    <message>
        <source>Printer Setup|Setup Printer</source>
        <translation>Drucker einrichten|Drucker einrichten</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print Report|Print report for selected folder</source>
        <translation>Bericht drucken|Bericht für den ausgewählten Ordner drucken</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen ...</translation>
    </message>
    <message>
        <source>Options|Change how values are shown and what a scan counts</source>
        <translation>Optionen|Ändern, wie Werte angezeigt werden und was ein Scan zählt</translation>
    </message>
    <message>
        <source>By &amp;Name</source>
        <translation>Nach &amp;Name</translation>
    </message>
    <message>
        <source>Sort By Name|Sort By Name</source>
        <translation>Nach Name sortieren|Nach Name sortieren</translation>
    </message>
    <message>
        <source>Sort By Name</source>
        <translation>Nach Name sortieren</translation>
    </message>
    <message>
        <source>By &amp;Size</source>
        <translation>Nach &amp;Größe</translation>
    </message>
    <message>
        <source>Sort By Size|Sort By Size</source>
        <translation>Nach Größe sortieren|Nach Größe sortieren</translation>
    </message>
    <message>
        <source>Sort By Size</source>
        <translation>Nach Größe sortieren</translation>
    </message>
    <message>
        <source>By &amp;Change</source>
        <translation>Nach Än&amp;derung</translation>
    </message>
    <message>
        <source>Sort By Change|Sort by growth since the earlier scan, the most grown first</source>
        <translation>Nach Änderung sortieren|Nach Zuwachs seit dem früheren Scan sortieren, den größten zuerst</translation>
    </message>
    <message>
        <source>Sort By Change</source>
        <translation>Nach Änderung sortieren</translation>
    </message>
    <message>
        <source>N&amp;one</source>
        <translation>&amp;Keine</translation>
    </message>
    <message>
        <source>No Sorting|No Sorting</source>
        <translation>Keine Sortierung|Keine Sortierung</translation>
    </message>
    <message>
        <source>No Sorting</source>
        <translation>Keine Sortierung</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>Contents|Open the manual</source>
        <translation>Inhalt|Das Handbuch öffnen</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Über Spacelens ...</translation>
    </message>
    <message>
        <source>About Spacelens</source>
        <translation>Über Spacelens</translation>
    </message>
    <message>
        <source>&lt;b&gt;Spacelens %1&lt;/b&gt;&lt;p&gt;A fast disk-space analyser: the size, allocated space, share, wasted space and CD-ROM size of every folder.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Spacelens %1&lt;/b&gt;&lt;p&gt;Ein schneller Analysator für Speicherplatz: Größe, belegter Speicher, Anteil, verschwendeter Platz und CD-ROM-Größe jedes Ordners.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scannen</translation>
    </message>
    <message>
        <source>Scan selected drive|Scan drive which is selected in the quick drive access box</source>
        <translation>Ausgewähltes Laufwerk scannen|Das im Laufwerks-Schnellzugriff ausgewählte Laufwerk scannen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop|Stop scanning</source>
        <translation>Stopp|Scan anhalten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove|Remove the selected folder from Spacelens</source>
        <translation>Entfernen|Den ausgewählten Ordner aus Spacelens entfernen</translation>
    </message>
    <message>
        <source>Parent</source>
        <extracomment>The parent folder</extracomment>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Parent Folder|Select parent folder of current folder</source>
        <translation>Übergeordneter Ordner|Den übergeordneten Ordner des aktuellen Ordners auswählen</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Mount a network share|Mount a network share (smb://, sftp://) to scan it as a drive; File, Scan Remote scans another machine over SSH</source>
        <translation>Netzwerkfreigabe einhängen|Eine Netzwerkfreigabe (smb://, sftp://) einhängen, um sie als Laufwerk zu scannen; Datei → Entfernten Ordner scannen durchsucht einen anderen Rechner über SSH</translation>
    </message>
    <message>
        <source>E&amp;xpand</source>
        <translation>&amp;Aufklappen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Spacelens functionality</source>
        <translation>Spacelens-Funktionen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Branch</source>
        <translation>&amp;Zweig</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Show &amp;Values as</source>
        <translation>&amp;Werte anzeigen als</translation>
    </message>
    <message>
        <source>&amp;Sort</source>
        <translation>&amp;Sortieren</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Folders</source>
        <extracomment>Name of a tool bar</extracomment>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>View</source>
        <extracomment>Name of a tool bar</extracomment>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>&amp;Remove Folder &lt;%1 MB</source>
        <translation>Ordner &lt;%1 MB &amp;entfernen</translation>
    </message>
    <message>
        <source>Expand Folder &amp;over: %1 MB</source>
        <translation>Ordner &amp;aufklappen über: %1 MB</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Print &amp;Folder Contents...</source>
        <translation>Ordnerin&amp;halt drucken ...</translation>
    </message>
    <message>
        <source>Print Tree&amp;map...</source>
        <translation>Tree&amp;map drucken ...</translation>
    </message>
    <message>
        <source>Print &amp;Files...</source>
        <translation>Dateien dru&amp;cken ...</translation>
    </message>
    <message>
        <source>Print T&amp;ypes...</source>
        <translation>T&amp;ypen drucken ...</translation>
    </message>
    <message>
        <source>Print C&amp;hart...</source>
        <translation>Dia&amp;gramm drucken ...</translation>
    </message>
</context>
<context>
    <name>TManual</name>
    <message>
        <source>The manual is not installed. It was looked for as:
%1</source>
        <translation>Das Handbuch ist nicht installiert. Gesucht wurde es unter:
%1</translation>
    </message>
    <message>
        <source>No program could show the manual. It is the file %1; open it with a web browser.</source>
        <translation>Kein Programm konnte das Handbuch anzeigen. Es ist die Datei %1; öffnen Sie sie mit einem Webbrowser.</translation>
    </message>
</context>
<context>
    <name>TNetworkDrive</name>
    <message>
        <source>Connect Network Drive</source>
        <translation>Netzlaufwerk verbinden</translation>
    </message>
    <message>
        <source>Address of the share (smb://server/share, sftp://user@host/folder, ...):</source>
        <translation>Adresse der Freigabe (smb://server/freigabe, sftp://benutzer@rechner/ordner, ...):</translation>
    </message>
    <message>
        <source>Connecting a network drive needs the program gio (Debian package libglib2.0-bin), which is not installed.</source>
        <translation>Zum Verbinden eines Netzlaufwerks wird das Programm gio (Debian-Paket libglib2.0-bin) benötigt, das nicht installiert ist.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Verbindung zu %1 wird hergestellt ...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cannot connect to %1: %2</source>
        <translation>Verbindung zu %1 nicht möglich: %2</translation>
    </message>
</context>
<context>
    <name>TOpenWith</name>
    <message>
        <source>Open</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>No program is set to open &quot;%1&quot; (%2). No program on this computer says it can.</source>
        <translation>Für „%1“ (%2) ist kein Programm zum Öffnen festgelegt, und kein Programm auf diesem Computer gibt an, es öffnen zu können.</translation>
    </message>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>No program is set to open &quot;%1&quot; (%2). Open it with:</source>
        <translation>Für „%1“ (%2) ist kein Programm zum Öffnen festgelegt. Öffnen mit:</translation>
    </message>
    <message>
        <source>%1 could not be started.</source>
        <translation>%1 konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>TOptionDlg</name>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>    512 Bytes (NTFS, Floppy)</source>
        <translation>    512 Bytes (NTFS, Diskette)</translation>
    </message>
    <message>
        <source>  1024 Bytes</source>
        <translation>  1024 Bytes</translation>
    </message>
    <message>
        <source>  2048 Bytes (CD-ROM)</source>
        <translation>  2048 Bytes (CD-ROM)</translation>
    </message>
    <message>
        <source>  4096 Bytes (FAT 128-255 MB, FAT32)</source>
        <translation>  4096 Bytes (FAT 128-255 MB, FAT32)</translation>
    </message>
    <message>
        <source>  8192 Bytes (FAT 256-511 MB)</source>
        <translation>  8192 Bytes (FAT 256-511 MB)</translation>
    </message>
    <message>
        <source>16384 Bytes (FAT 512-1023 MB)</source>
        <translation>16384 Bytes (FAT 512-1023 MB)</translation>
    </message>
    <message>
        <source>32768 Bytes (FAT 1024-2047 MB)</source>
        <translation>32768 Bytes (FAT 1024-2047 MB)</translation>
    </message>
    <message>
        <source>Spacelens - Options</source>
        <translation>Spacelens - Optionen</translation>
    </message>
    <message>
        <source>Show &amp;Values as</source>
        <translation>&amp;Werte anzeigen als</translation>
    </message>
    <message>
        <source>MB only</source>
        <translation>Nur MB</translation>
    </message>
    <message>
        <source>KB/MB Mixed</source>
        <translation>KB/MB gemischt</translation>
    </message>
    <message>
        <source>KB only</source>
        <translation>Nur KB</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Show &amp;Files</source>
        <translation>&amp;Dateien anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;Chart Toolbar</source>
        <translation>Dia&amp;gramm-Werkzeugleiste anzeigen</translation>
    </message>
    <message>
        <source>&amp;Decimals</source>
        <translation>&amp;Nachkommastellen</translation>
    </message>
    <message>
        <source>&amp;Bold Factor</source>
        <translation>&amp;Fettdruck-Faktor</translation>
    </message>
    <message>
        <source>Number of Folders in the recently used list</source>
        <translation>Anzahl der Einträge in der Liste der zuletzt verwendeten Ordner</translation>
    </message>
    <message>
        <source>View</source>
        <extracomment>Tab of the options: how values are shown</extracomment>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>&amp;Filter(s):</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Show Error &amp;Messages</source>
        <translation>Fehler&amp;meldungen anzeigen</translation>
    </message>
    <message>
        <source>Follow Mount Points and Symbolic Links</source>
        <translation>Einhängepunkten und symbolischen Links folgen</translation>
    </message>
    <message>
        <source>Count files with several &amp;names once</source>
        <translation>Dateien mit mehreren &amp;Namen einmal zählen</translation>
    </message>
    <message>
        <source>&amp;Exclude (one pattern a line: a name such as .cache or *.o, or a path with &quot;/&quot;):</source>
        <translation>&amp;Ausschließen (ein Muster pro Zeile: ein Name wie .cache oder *.o oder ein Pfad mit „/“):</translation>
    </message>
    <message>
        <source>Rules take effect at the next scan.</source>
        <translation>Die Regeln gelten ab dem nächsten Scan.</translation>
    </message>
    <message>
        <source>User Defined &amp;Cluster Size</source>
        <translation>Benutzerdefinierte &amp;Clustergröße</translation>
    </message>
    <message>
        <source>Scan</source>
        <extracomment>Tab of the options: what a scan counts</extracomment>
        <translation>Scan</translation>
    </message>
    <message>
        <source>&amp;Visible List Columns:</source>
        <translation>Sichtbare &amp;Listenspalten:</translation>
    </message>
    <message>
        <source>Tip: You can change the column order by dragging the header of a column in the Spacelens window to a different position.</source>
        <translation>Tipp: Sie können die Reihenfolge der Spalten ändern, indem Sie den Kopf einer Spalte im Spacelens-Fenster an eine andere Position ziehen.</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Each scan that ends is remembered, so that later scans can tell what changed since.</source>
        <translation>Jeder abgeschlossene Scan wird gespeichert, damit spätere Scans zeigen können, was sich seitdem geändert hat.</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>Scans kept: none</extracomment>
        <translation>keine</translation>
    </message>
    <message>
        <source>Scans &amp;kept of each folder</source>
        <translation>&amp;Gespeicherte Scans je Ordner</translation>
    </message>
    <message>
        <source> MB</source>
        <extracomment>Unit after a number: megabytes</extracomment>
        <translation> MB</translation>
    </message>
    <message>
        <source>&amp;At most, in all</source>
        <translation>&amp;Insgesamt höchstens</translation>
    </message>
    <message>
        <source>&amp;Forget All Scans...</source>
        <translation>Alle Scans &amp;vergessen ...</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Find Duplicates looks at &amp;files of at least</source>
        <translation>„Duplikate suchen“ berücksichtigt &amp;Dateien ab</translation>
    </message>
    <message>
        <source>Duplicates</source>
        <translation>Duplikate</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>&amp;Scannen</translation>
    </message>
    <message>
        <source>Forget the scan remembered? Later scans cannot then tell what changed before them.</source>
        <translation>Den gespeicherten Scan vergessen? Spätere Scans können dann nicht mehr zeigen, was sich vor ihnen geändert hat.</translation>
    </message>
    <message>
        <source>Forget the %1 scans remembered? Later scans cannot then tell what changed before them.</source>
        <translation>Die %1 gespeicherten Scans vergessen? Spätere Scans können dann nicht mehr zeigen, was sich vor ihnen geändert hat.</translation>
    </message>
    <message>
        <source>Forget All Scans</source>
        <translation>Alle Scans vergessen</translation>
    </message>
</context>
<context>
    <name>TPermanentDelete</name>
    <message>
        <source>%1 stays: %2</source>
        <translation>%1 bleibt erhalten: %2</translation>
    </message>
    <message>
        <source>another file system is mounted there</source>
        <translation>Dort ist ein anderes Dateisystem eingehängt</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>it is nested more than %1 levels deep</source>
        <translation>mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>The root folder cannot be deleted.</source>
        <translation>Der Stammordner kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>%1 kann nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>%1 is where another file system is mounted: it is not deleted with it</source>
        <translation>%1 ist Einhängepunkt eines anderen Dateisystems: Er wird nicht mitgelöscht</translation>
    </message>
    <message>
        <source>Cannot delete all of %1: %2, and %3 more</source>
        <translation>%1 kann nicht vollständig gelöscht werden: %2 und %3 weitere</translation>
    </message>
    <message>
        <source>Cannot delete all of %1: %2</source>
        <translation>%1 kann nicht vollständig gelöscht werden: %2</translation>
    </message>
</context>
<context>
    <name>TPictureFile</name>
    <message>
        <source>Save Spacelens Data</source>
        <translation>Spacelens-Daten speichern</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>%1 is read-only; the picture was not saved.</source>
        <translation>%1 ist schreibgeschützt; das Bild wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>The picture could not be saved to %1: %2</source>
        <translation>Das Bild konnte nicht unter %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <extracomment>Keep the pattern in brackets</extracomment>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>JPEG pictures (*.jpg *.jpeg)</source>
        <extracomment>Keep the patterns in brackets</extracomment>
        <translation>JPEG-Bilder (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <extracomment>Keep the pattern in brackets</extracomment>
        <translation>Bitmap-Bilder (*.bmp)</translation>
    </message>
</context>
<context>
    <name>TPrintCommands</name>
    <message>
        <source>Printer Setup</source>
        <translation>Drucker einrichten</translation>
    </message>
    <message>
        <source>Enter Title</source>
        <translation>Titel eingeben</translation>
    </message>
    <message>
        <source>Please enter title for printing and exporting:</source>
        <translation>Bitte geben Sie den Titel für Drucken und Exportieren ein:</translation>
    </message>
    <message>
        <source>Print</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <extracomment>Keep the pattern in brackets</extracomment>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <source>The printer would not start a new page.</source>
        <translation>Der Drucker konnte keine neue Seite beginnen.</translation>
    </message>
    <message>
        <source>Printing failed. %1</source>
        <translation>Drucken fehlgeschlagen. %1</translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation>Wird gedruckt ...</translation>
    </message>
    <message>
        <source>Printing Page 1 ...</source>
        <translation>Seite 1 wird gedruckt ...</translation>
    </message>
</context>
<context>
    <name>TPrinterCanvas</name>
    <message>
        <source>No file was named for the PDF.</source>
        <translation>Für die PDF-Datei wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The printer did not take the document.</source>
        <translation>Der Drucker hat das Dokument nicht angenommen.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>TPropertiesDialog</name>
    <message>
        <source>%1 (group %2)</source>
        <translation>%1 (Gruppe %2)</translation>
    </message>
    <message>
        <source>%1 bytes (%2)</source>
        <translation>%1 Bytes (%2)</translation>
    </message>
    <message>
        <source>Properties of %1</source>
        <translation>Eigenschaften von %1</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Error:</source>
        <translation>Fehler:</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Symbolic link</source>
        <translation>Symbolischer Link</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Size on disk:</source>
        <translation>Größe auf dem Datenträger:</translation>
    </message>
    <message>
        <source>Hard links:</source>
        <translation>Harte Links:</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A row&apos;s label, as &quot;Size:&quot;</extracomment>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Owner:</source>
        <translation>Eigentümer:</translation>
    </message>
    <message>
        <source>Permissions:</source>
        <translation>Berechtigungen:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Letzte Änderung:</translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation>Letzter Zugriff:</translation>
    </message>
    <message>
        <source>Properties of %1 items</source>
        <translation>Eigenschaften von %1 Objekten</translation>
    </message>
    <message>
        <source>%1 items: %2 files, %3 folders</source>
        <translation>%1 Objekte: %2 Dateien, %3 Ordner</translation>
    </message>
    <message>
        <source>Size of the files:</source>
        <translation>Größe der Dateien:</translation>
    </message>
</context>
<context>
    <name>TRemoteAddress</name>
    <message>
        <source>the port &quot;%1&quot; is no number from 1 to 65535</source>
        <translation>der Port „%1“ ist keine Zahl von 1 bis 65535</translation>
    </message>
    <message>
        <source>write a folder on another machine as ssh://[user@]host[:port]/path or [user@]host:/path</source>
        <translation>geben Sie einen Ordner auf einem anderen Rechner als ssh://[user@]host[:port]/path oder [user@]host:/path an</translation>
    </message>
    <message>
        <source>the machine&apos;s name is missing</source>
        <translation>der Name des Rechners fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no machine&apos;s name</source>
        <translation>„%1“ ist kein Rechnername</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no user&apos;s name</source>
        <translation>„%1“ ist kein Benutzername</translation>
    </message>
    <message>
        <source>the path holds a zero byte</source>
        <translation>der Pfad enthält ein Null-Byte</translation>
    </message>
</context>
<context>
    <name>TRemoteStream</name>
    <message>
        <source> (install OpenSSH&apos;s client, or name one in SPACELENS_SSH)</source>
        <extracomment>Added to the system&apos;s reason when ssh is missing; keep the leading space</extracomment>
        <translation> (installieren Sie den OpenSSH-Client oder geben Sie einen in SPACELENS_SSH an)</translation>
    </message>
    <message>
        <source>ssh ended by signal %1</source>
        <translation>ssh wurde durch Signal %1 beendet</translation>
    </message>
    <message>
        <source>the scanner on %1 ended well but sent nothing</source>
        <translation>das Scanprogramm auf %1 wurde ohne Fehler beendet, hat aber nichts gesendet</translation>
    </message>
    <message>
        <source>%1 has none of spacelens, ncdu or gdu; install one of them there</source>
        <translation>%1 hat weder spacelens noch ncdu noch gdu; installieren Sie dort eines davon</translation>
    </message>
    <message>
        <source>the connection to %1 was lost</source>
        <translation>die Verbindung zu %1 wurde unterbrochen</translation>
    </message>
    <message>
        <source>the connection to %1 was lost: %2</source>
        <translation>die Verbindung zu %1 wurde unterbrochen: %2</translation>
    </message>
    <message>
        <source>ssh could not connect to %1 (without a terminal ssh may not ask for a password or whether to trust a new host: run ssh %1 once on a terminal, or log in with a key)</source>
        <translation>ssh konnte keine Verbindung zu %1 herstellen (ohne Terminal kann ssh weder nach einem Passwort fragen noch danach, ob einem neuen Host vertraut werden soll: Führen Sie ssh %1 einmal in einem Terminal aus, oder melden Sie sich mit einem Schlüssel an)</translation>
    </message>
    <message>
        <source>%2 (without a terminal ssh may not ask for a password or whether to trust a new host: run ssh %1 once on a terminal, or log in with a key)</source>
        <translation>%2 (ohne Terminal kann ssh weder nach einem Passwort fragen noch danach, ob einem neuen Host vertraut werden soll: Führen Sie ssh %1 einmal in einem Terminal aus, oder melden Sie sich mit einem Schlüssel an)</translation>
    </message>
    <message>
        <source>ssh could not connect to %1</source>
        <translation>ssh konnte keine Verbindung zu %1 herstellen</translation>
    </message>
    <message>
        <source>the scan on %1 ended with status %2</source>
        <translation>der Scan auf %1 endete mit Status %2</translation>
    </message>
</context>
<context>
    <name>TRemover</name>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Moving to the Trash</source>
        <translation>Verschieben in den Papierkorb</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Endgültig löschen</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1: %2 of %3</source>
        <extracomment>What is being done: how many objects of how many</extracomment>
        <translation>%1: %2 von %3</translation>
    </message>
</context>
<context>
    <name>TReportPage</name>
    <message>
        <source>V %1</source>
        <extracomment>Short for Version</extracomment>
        <translation>V %1</translation>
    </message>
    <message>
        <source>[Remote Scan]    %1    %2</source>
        <extracomment>The scan&apos;s source, then the cluster size</extracomment>
        <translation>[Entfernter Scan]    %1    %2</translation>
    </message>
    <message>
        <source>[Scan as Administrator]    %1    %2</source>
        <translation>[Scan als Administrator]    %1    %2</translation>
    </message>
    <message>
        <source>[Imported Scan]    %1    %2</source>
        <translation>[Importierter Scan]    %1    %2</translation>
    </message>
    <message>
        <source>[Current Drive]    Size: %1    Used: %2    Free: %3    %4</source>
        <extracomment>The last is the cluster size</extracomment>
        <translation>[Aktuelles Laufwerk]    Größe: %1    Belegt: %2    Frei: %3    %4</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Percent of Drive: %3 %    Files: %4    Wasted Space: %5</source>
        <translation>[Aktueller Ordner]  Größe: %1    Belegt: %2    Anteil am Laufwerk: %3 %    Dateien: %4    Verschwendeter Platz: %5</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Percent of Drive: %3 %    Objects: %4    Wasted Space: %5</source>
        <translation>[Aktueller Ordner]  Größe: %1    Belegt: %2    Anteil am Laufwerk: %3 %    Objekte: %4    Verschwendeter Platz: %5</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Files: %3    Wasted Space: %4</source>
        <translation>[Aktueller Ordner]  Größe: %1    Belegt: %2    Dateien: %3    Verschwendeter Platz: %4</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Objects: %3    Wasted Space: %4</source>
        <translation>[Aktueller Ordner]  Größe: %1    Belegt: %2    Objekte: %3    Verschwendeter Platz: %4</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>Printing Page %1 ...</source>
        <translation>Seite %1 wird gedruckt ...</translation>
    </message>
</context>
<context>
    <name>TRightPane</name>
    <message>
        <source>No folder selected.

The folder selected in the tree shows here as a list, a pie or bar chart, or a treemap. To scan a folder, type its path in the box above and press Enter, or choose Select Directory in the File menu.</source>
        <translation>Kein Ordner ausgewählt.

Der im Ordnerbaum ausgewählte Ordner wird hier als Liste, als Kreis- oder Balkendiagramm oder als Treemap angezeigt. Um einen Ordner zu scannen, geben Sie seinen Pfad in das Feld oben ein und drücken Sie die Eingabetaste, oder wählen Sie „Ordner auswählen“ im Menü „Datei“.</translation>
    </message>
</context>
<context>
    <name>TRootCommands</name>
    <message>
        <source>Scan Remote</source>
        <translation>Entfernten Ordner scannen</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is incomplete: %2</source>
        <translation>%1 ist unvollständig: %2</translation>
    </message>
    <message>
        <source>The scan is not remembered: %1</source>
        <translation>Der Scan wurde nicht im Verlauf gespeichert: %1</translation>
    </message>
    <message>
        <source>Scan as Administrator</source>
        <translation>Als Administrator scannen</translation>
    </message>
    <message>
        <source>Import Scan</source>
        <translation>Scan importieren</translation>
    </message>
    <message>
        <source>Scans exported by ncdu, gdu or Spacelens (*.json);;All files (*)</source>
        <extracomment>File types of a file dialog: keep the patterns in brackets and the ;;</extracomment>
        <translation>Von ncdu, gdu oder Spacelens exportierte Scans (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>A folder on another machine, reached over SSH:
ssh://[user@]host[:port]/path or [user@]host:/path

The machine scans it with Spacelens, ncdu or gdu, whichever it has.</source>
        <translation>Ein Ordner auf einem anderen Rechner, erreichbar über SSH:
ssh://[user@]host[:port]/path oder [user@]host:/path

Der Rechner scannt ihn mit Spacelens, ncdu oder gdu, je nachdem, was vorhanden ist.</translation>
    </message>
</context>
<context>
    <name>TScanDriver</name>
    <message>
        <source>Cannot find Folder: %1</source>
        <translation>Ordner nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Path %1: %2</source>
        <translation>Pfad %1: %2</translation>
    </message>
</context>
<context>
    <name>TScanProgress</name>
    <message>
        <source>%1 s</source>
        <extracomment>A time in seconds</extracomment>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 folders, %2 files (%3 left out by the exclude rules)</source>
        <translation>%1 Ordner, %2 Dateien (%3 durch die Ausschlussregeln ausgelassen)</translation>
    </message>
    <message>
        <source>%1 folders, %2 files</source>
        <translation>%1 Ordner, %2 Dateien</translation>
    </message>
    <message>
        <source>Stopped: %1 counted in %2</source>
        <translation>Angehalten: %1 gezählt in %2</translation>
    </message>
    <message>
        <source>Scanned %1 in %2</source>
        <translation>Gescannt: %1 in %2</translation>
    </message>
</context>
<context>
    <name>TShellCommands</name>
    <message>
        <source>Delete Permanently</source>
        <translation>Endgültig löschen</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Spacelens size</source>
        <translation>Größe laut Spacelens</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>A folder&apos;s property: the space its files take on the disk</extracomment>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Wasted</source>
        <extracomment>A folder&apos;s property: the space lost to partly filled clusters</extracomment>
        <translation>Verschwendet</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>Scan as Administrator</source>
        <translation>Als Administrator scannen</translation>
    </message>
    <message>
        <source>This folder was read by the administrator. Spacelens runs as you: it opens these files as you, but does not rename them, move them to the Trash or scan part of them again. Update scans the folder as the administrator again.</source>
        <translation>Dieser Ordner wurde vom Administrator gelesen. Spacelens läuft unter Ihrem Benutzer: Es öffnet diese Dateien mit Ihren Rechten, benennt sie aber nicht um, verschiebt sie nicht in den Papierkorb und scannt keine Teile davon erneut. Aktualisieren scannt den Ordner erneut als Administrator.</translation>
    </message>
    <message>
        <source>Remote Scan</source>
        <translation>Entfernter Scan</translation>
    </message>
    <message>
        <source>These files are on %1; Spacelens acts only on local files. Update reads the folder from there again.</source>
        <translation>Diese Dateien liegen auf %1; Spacelens arbeitet nur mit lokalen Dateien. Aktualisieren liest den Ordner erneut von dort.</translation>
    </message>
    <message>
        <source>Imported Scan</source>
        <translation>Importierter Scan</translation>
    </message>
    <message>
        <source>This scan was imported from %1. Its files are on the computer where it was made, so they cannot be opened, renamed, moved to the Trash or scanned again from here.</source>
        <translation>Dieser Scan wurde aus %1 importiert. Seine Dateien liegen auf dem Computer, auf dem er erstellt wurde, daher können sie von hier aus weder geöffnet, umbenannt, in den Papierkorb verschoben noch erneut gescannt werden.</translation>
    </message>
    <message>
        <source>What went to the Trash still takes its space there, until the Trash is emptied.</source>
        <translation>Was in den Papierkorb verschoben wurde, belegt dort weiterhin Platz, bis der Papierkorb geleert wird.</translation>
    </message>
    <message>
        <source>Some of what was to be deleted stays: it is counted again.</source>
        <translation>Einiges, was gelöscht werden sollte, ist noch vorhanden: Es wird neu gezählt.</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
</context>
<context>
    <name>TShellLauncher</name>
    <message>
        <source>Open</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Opening files and folders needs the program xdg-open (Debian package xdg-utils), which is not installed.</source>
        <translation>Zum Öffnen von Dateien und Ordnern wird das Programm xdg-open (Debian-Paket xdg-utils) benötigt, das nicht installiert ist.</translation>
    </message>
</context>
<context>
    <name>TShellMenu</name>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open Containing &amp;Folder</source>
        <translation>Enthaltenden &amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Copy Path</source>
        <translation>Pfad &amp;kopieren</translation>
    </message>
    <message>
        <source>Re&amp;name...</source>
        <translation>&amp;Umbenennen ...</translation>
    </message>
    <message>
        <source>Move to &amp;Trash</source>
        <translation>In den &amp;Papierkorb verschieben</translation>
    </message>
    <message>
        <source>&amp;Delete Permanently...</source>
        <translation>Endgültig &amp;löschen ...</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
</context>
<context>
    <name>TShellPilot</name>
    <message>
        <source>Cannot Find Folder: %1</source>
        <translation>Ordner nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Error! Cannot find Object &quot;%1&quot; in Folder &quot;%2&quot;</source>
        <translation>Fehler! Objekt „%1“ im Ordner „%2“ nicht gefunden</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a name: a name cannot be empty, &quot;.&quot; or &quot;..&quot;, nor contain &quot;/&quot;.</source>
        <translation>„%1“ kann nicht als Name verwendet werden: Ein Name darf weder leer noch „.“ oder „..“ sein und kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: a file or folder of that name already exists.</source>
        <translation>„%1“ kann nicht in „%2“ umbenannt werden: Eine Datei oder ein Ordner dieses Namens existiert bereits.</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>„%1“ kann nicht in „%2“ umbenannt werden: %3</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to the Trash?
It can be restored from the Trash.</source>
        <translation>„%1“ in den Papierkorb verschieben?
Es kann aus dem Papierkorb wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Move these %1 items to the Trash?
They can be restored from the Trash.</source>
        <translation>Diese %1 Objekte in den Papierkorb verschieben?
Sie können aus dem Papierkorb wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; permanently? At least %2 comes free on the disk.
It cannot be restored.</source>
        <translation>„%1“ endgültig löschen? Mindestens %2 werden auf dem Datenträger frei.
Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; permanently? %2 comes free on the disk.
It cannot be restored.</source>
        <translation>„%1“ endgültig löschen? %2 werden auf dem Datenträger frei.
Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete these %1 items permanently? At least %2 comes free on the disk.
They cannot be restored.</source>
        <translation>Diese %1 Objekte endgültig löschen? Mindestens %2 werden auf dem Datenträger frei.
Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete these %1 items permanently? %2 comes free on the disk.
They cannot be restored.</source>
        <translation>Diese %1 Objekte endgültig löschen? %2 werden auf dem Datenträger frei.
Sie können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Endgültig löschen</translation>
    </message>
</context>
<context>
    <name>TSizeEdit</name>
    <message>
        <source>bytes</source>
        <translation>Bytes</translation>
    </message>
</context>
<context>
    <name>TSnapshotCompare</name>
    <message>
        <source>of another folder, %1</source>
        <extracomment>Fills in &quot;Compared with a scan %1&quot;</extracomment>
        <translation>eines anderen Ordners, %1</translation>
    </message>
    <message>
        <source>counted with other options (%1 then, %2 now)</source>
        <translation>mit anderen Scan-Optionen (damals %1, jetzt %2)</translation>
    </message>
    <message>
        <source>counted with other cluster sizes (%1 then, %2 now)</source>
        <translation>mit anderen Clustergrößen (damals %1, jetzt %2)</translation>
    </message>
</context>
<context>
    <name>TSnapshotFile</name>
    <message>
        <source>its last row does not end: the file is cut short</source>
        <translation>Die letzte Zeile ist nicht abgeschlossen: Die Datei ist abgeschnitten</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
    <message>
        <source>it holds no folder</source>
        <translation>Die Datei enthält keinen Ordner</translation>
    </message>
    <message>
        <source>row %1 has %2 fields, not %3: the file is cut short or damaged</source>
        <translation>Zeile %1 hat %2 Felder statt %3: Die Datei ist abgeschnitten oder beschädigt</translation>
    </message>
    <message>
        <source>row %1 is of &quot;%2&quot;, no folder: the table is not a folder table</source>
        <translation>Zeile %1 ist vom Typ &quot;%2&quot;, kein Ordner: Die Tabelle ist keine Ordnertabelle</translation>
    </message>
    <message>
        <source>it is not a snapshot, an ncdu JSON export or a CSV folder table (a first line naming &quot;path&quot;, &quot;size_bytes&quot; and &quot;allocated_bytes&quot; columns)</source>
        <translation>Die Datei ist weder ein gespeicherter Scan noch ein ncdu-JSON-Export oder eine CSV-Ordnertabelle (deren erste Zeile die Spalten &quot;path&quot;, &quot;size_bytes&quot; und &quot;allocated_bytes&quot; nennt)</translation>
    </message>
    <message>
        <source>row %1 has &quot;%2&quot; where a whole number belongs</source>
        <translation>Zeile %1 enthält &quot;%2&quot;, wo eine ganze Zahl stehen muss</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
    <message>
        <source>row %1 is no CSV: %2</source>
        <translation>Zeile %1 ist kein gültiges CSV: %2</translation>
    </message>
    <message>
        <source>it ends within a quoted field: the file is cut short</source>
        <translation>Die Datei endet innerhalb eines Feldes in Anführungszeichen: Sie ist abgeschnitten</translation>
    </message>
</context>
<context>
    <name>TStatusPanels</name>
    <message>
        <source>All free space of the drive, the blocks kept for the administrator included</source>
        <translation>Gesamter freier Speicher des Laufwerks, einschließlich der für den Administrator reservierten Blöcke</translation>
    </message>
    <message>
        <source>The free space you can use; blocks kept for the administrator are left out</source>
        <translation>Der für Sie nutzbare freie Speicher; für den Administrator reservierte Blöcke sind nicht enthalten</translation>
    </message>
    <message>
        <source>%1 Bytes per Cluster (%2)</source>
        <translation>%1 Bytes pro Cluster (%2)</translation>
    </message>
    <message>
        <source>Free Space: </source>
        <translation>Freier Speicher: </translation>
    </message>
    <message>
        <source>Free Space: %1 (of %2), %3 inodes free</source>
        <translation>Freier Speicher: %1 (von %2), %3 Inodes frei</translation>
    </message>
    <message>
        <source>Free Space: %1 (of %2)</source>
        <translation>Freier Speicher: %1 (von %2)</translation>
    </message>
    <message>
        <source>0 Objects</source>
        <translation>0 Objekte</translation>
    </message>
    <message>
        <source>%1 Objects</source>
        <translation>%1 Objekte</translation>
    </message>
</context>
<context>
    <name>TSubtreeView</name>
    <message>
        <source>&amp;Export...</source>
        <translation>Ex&amp;portieren ...</translation>
    </message>
</context>
<context>
    <name>TTrash</name>
    <message>
        <source>Cannot make the Trash folder %1: %2</source>
        <translation>Der Papierkorbordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot use %1 as a Trash folder: it is not a folder</source>
        <translation>%1 kann nicht als Papierkorbordner verwendet werden: Es ist kein Ordner</translation>
    </message>
    <message>
        <source>Cannot move %1 to the Trash: %2</source>
        <translation>%1 kann nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <source>The root folder cannot be moved to the Trash.</source>
        <translation>Der Wurzelordner kann nicht in den Papierkorb verschoben werden.</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>TTreeCommands</name>
    <message>
        <source>Minimum Expand Size</source>
        <translation>Mindestgröße zum Aufklappen</translation>
    </message>
    <message>
        <source>Specify the minimum size for expanding and removing:</source>
        <translation>Geben Sie die Mindestgröße zum Aufklappen und Entfernen an:</translation>
    </message>
    <message>
        <source>Sorry, this was not a valid size. Give whole megabytes, for example &quot;10 MB&quot; or &quot;2 GB&quot;.</source>
        <extracomment>Keep MB and GB: the size typed is read with these units</extracomment>
        <translation>Das ist leider keine gültige Größe. Geben Sie ganze Megabyte an, zum Beispiel „10 MB“ oder „2 GB“.</translation>
    </message>
    <message>
        <source>Count Folders</source>
        <translation>Ordner zählen</translation>
    </message>
    <message>
        <source>     %1 has %2 Folders.     </source>
        <translation>     %1 enthält %2 Ordner.     </translation>
    </message>
</context>
<context>
    <name>TTreeReport</name>
    <message>
        <source> Report, </source>
        <extracomment>Between the program&apos;s name and the date atop a printed report; keep the spaces</extracomment>
        <translation> Bericht, </translation>
    </message>
    <message>
        <source>Folder</source>
        <extracomment>Column header of a printed report</extracomment>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>TTreemapAccessible</name>
    <message>
        <source>Treemap of %1</source>
        <translation>Treemap von %1</translation>
    </message>
    <message>
        <source>Treemap</source>
        <translation>Treemap</translation>
    </message>
</context>
<context>
    <name>TTreemapLegend</name>
    <message>
        <source>Key</source>
        <extracomment>Noun: the legend of the treemap&apos;s colours</extracomment>
        <translation>Legende</translation>
    </message>
</context>
<context>
    <name>TTreemapPane</name>
    <message>
        <source>Small items in %1</source>
        <translation>Kleine Elemente in %1</translation>
    </message>
    <message>
        <source>%1    %2    Folder</source>
        <translation>%1    %2    Ordner</translation>
    </message>
    <message>
        <source>%1    %2    Folder    %3</source>
        <translation>%1    %2    Ordner    %3</translation>
    </message>
    <message>
        <source>Small items</source>
        <translation>Kleine Elemente</translation>
    </message>
    <message>
        <source>&amp;Copy Picture</source>
        <translation>Bild &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Save Picture As...</source>
        <translation>Bild &amp;speichern unter ...</translation>
    </message>
</context>
<context>
    <name>TTreemapView</name>
    <message>
        <source>Drawing...</source>
        <translation>Wird gezeichnet ...</translation>
    </message>
</context>
<context>
    <name>TTypesCommands</name>
    <message>
        <source>&amp;List Files of %1</source>
        <translation>&amp;Dateien auflisten: %1</translation>
    </message>
    <message>
        <source>&amp;Export Types...</source>
        <translation>Typen &amp;exportieren ...</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>The files are still being counted; export their types once they are shown.</source>
        <translation>Die Dateien werden noch gezählt; exportieren Sie ihre Typen, sobald sie angezeigt werden.</translation>
    </message>
    <message>
        <source>types</source>
        <extracomment>Fills in &quot;The %1 could not be saved to %2&quot;</extracomment>
        <translation>Typen</translation>
    </message>
    <message>
        <source>Export the Types</source>
        <translation>Typen exportieren</translation>
    </message>
    <message>
        <source> - File Types   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Dateitypen   </translation>
    </message>
    <message>
        <source>Type</source>
        <extracomment>Column header of a printed report</extracomment>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>Column header: the space taken on the disk</extracomment>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>% of Folder</source>
        <translation>% des Ordners</translation>
    </message>
</context>
<context>
    <name>TTypesList</name>
    <message>
        <source>Select a type to light its files in the treemap; double-click it to list them.</source>
        <translation>Wählen Sie einen Typ aus, um seine Dateien in der Treemap hervorzuheben; ein Doppelklick listet sie auf.</translation>
    </message>
    <message>
        <source>Tree&amp;map</source>
        <translation>Tree&amp;map</translation>
    </message>
    <message>
        <source>Show the treemap below the types</source>
        <translation>Treemap unter den Typen anzeigen</translation>
    </message>
    <message>
        <source>Save the types as a CSV table</source>
        <translation>Typen als CSV-Tabelle speichern</translation>
    </message>
    <message>
        <source>Counting the files...</source>
        <translation>Dateien werden gezählt ...</translation>
    </message>
    <message>
        <source>%1 types in %2 classes, %3 files</source>
        <translation>%1 Typen in %2 Klassen, %3 Dateien</translation>
    </message>
    <message>
        <source>%1 types in %2 classes, %3 files, %4</source>
        <translation>%1 Typen in %2 Klassen, %3 Dateien, %4</translation>
    </message>
</context>
<context>
    <name>TTypesModel</name>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Allocated</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>% of Folder</source>
        <translation>% des Ordners</translation>
    </message>
    <message>
        <source>Largest File</source>
        <translation>Größte Datei</translation>
    </message>
    <message>
        <source>no extension</source>
        <translation>ohne Endung</translation>
    </message>
</context>
<context>
    <name>TValueDisplay</name>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Bytes Allocated</source>
        <translation>Belegter Speicher</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>Wasted Space</source>
        <translation>Verschwendeter Platz</translation>
    </message>
    <message>
        <source>CD-ROM Cluster Size</source>
        <translation>CD-ROM-Clustergröße</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>%1 allocated</source>
        <translation>%1 belegt</translation>
    </message>
    <message>
        <source>%1 wasted</source>
        <translation>%1 verschwendet</translation>
    </message>
    <message>
        <source>%1 on CD-ROM</source>
        <translation>%1 auf CD-ROM</translation>
    </message>
    <message>
        <source>&lt;Files&gt;</source>
        <extracomment>The entry of a folder&apos;s own files in the tree</extracomment>
        <translation>&lt;Dateien&gt;</translation>
    </message>
    <message>
        <source>%1 (as administrator)</source>
        <translation>%1 (als Administrator)</translation>
    </message>
    <message>
        <source>%1 (imported)</source>
        <translation>%1 (importiert)</translation>
    </message>
    <message>
        <source>%1 [Incomplete]</source>
        <translation>%1 [Unvollständig]</translation>
    </message>
    <message>
        <source>%1 [Stopped]</source>
        <translation>%1 [Angehalten]</translation>
    </message>
    <message>
        <source>%1 [Access Denied!]</source>
        <translation>%1 [Zugriff verweigert!]</translation>
    </message>
    <message>
        <source>%1 [Error!]</source>
        <translation>%1 [Fehler!]</translation>
    </message>
    <message>
        <source>new</source>
        <extracomment>A folder the earlier scan did not have</extracomment>
        <translation>neu</translation>
    </message>
    <message>
        <source>same</source>
        <extracomment>No change since the earlier scan</extracomment>
        <translation>gleich</translation>
    </message>
</context>
</TS>
