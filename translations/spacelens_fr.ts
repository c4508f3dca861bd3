<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>TAdminStream</name>
    <message>
        <source> (install the pkexec package, or name a program in SPACELENS_PKEXEC)</source>
        <extracomment>Added to the system&apos;s reason when pkexec is missing; keep the leading space</extracomment>
        <translation> (installez le paquet pkexec, ou indiquez un programme dans SPACELENS_PKEXEC)</translation>
    </message>
    <message>
        <source>the scan as administrator ended by signal %1</source>
        <translation>l&apos;analyse en tant qu&apos;administrateur s&apos;est terminée par le signal %1</translation>
    </message>
    <message>
        <source>the administrator&apos;s password was not given</source>
        <translation>le mot de passe administrateur n&apos;a pas été saisi</translation>
    </message>
    <message>
        <source>the administrator&apos;s password was not given: %1</source>
        <translation>le mot de passe administrateur n&apos;a pas été saisi : %1</translation>
    </message>
    <message>
        <source>%1 (a desktop&apos;s authentication agent asks for the password: log in to a desktop session)</source>
        <translation>%1 (c&apos;est l&apos;agent d&apos;authentification d&apos;un environnement de bureau qui demande le mot de passe : ouvrez une session de bureau)</translation>
    </message>
    <message>
        <source>the scan as administrator ended well but sent nothing</source>
        <translation>l&apos;analyse en tant qu&apos;administrateur s&apos;est bien terminée mais n&apos;a rien envoyé</translation>
    </message>
    <message>
        <source>the scan as administrator ended with status %1</source>
        <translation>l&apos;analyse en tant qu&apos;administrateur s&apos;est terminée avec le code %1</translation>
    </message>
</context>
<context>
    <name>TChangeSource</name>
    <message>
        <source>Same</source>
        <extracomment>Treemap key: unchanged since the earlier scan</extracomment>
        <translation>Inchangé</translation>
    </message>
    <message>
        <source>Grown</source>
        <translation>En hausse</translation>
    </message>
    <message>
        <source>Shrunk</source>
        <translation>En baisse</translation>
    </message>
    <message>
        <source>New</source>
        <extracomment>Treemap key: not in the earlier scan</extracomment>
        <translation>Nouveau</translation>
    </message>
</context>
<context>
    <name>TChartAccessible</name>
    <message>
        <source>%1: %2</source>
        <extracomment>A series of bars and its value, as in &quot;Size: 3 MB&quot;</extracomment>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Graphique</translation>
    </message>
</context>
<context>
    <name>TChartLegend</name>
    <message>
        <source>%1 more</source>
        <extracomment>The legend&apos;s last entry: how many entries did not fit</extracomment>
        <translation>%1 autres</translation>
    </message>
</context>
<context>
    <name>TChartPane</name>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Wasted Space</source>
        <translation>Espace perdu</translation>
    </message>
    <message>
        <source>Grown</source>
        <translation>Hausse</translation>
    </message>
    <message>
        <source>Shrunk</source>
        <translation>Baisse</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Graphique</translation>
    </message>
    <message>
        <source>Copy Chart to Clipboard as Bitmap</source>
        <translation>Copier le graphique dans le presse-papiers en tant qu&apos;image bitmap</translation>
    </message>
    <message>
        <source>Print the current chart</source>
        <translation>Imprimer le graphique actuel</translation>
    </message>
    <message>
        <source>Save chart to file as PNG, JPEG or bitmap</source>
        <translation>Enregistrer le graphique dans un fichier PNG, JPEG ou bitmap</translation>
    </message>
    <message>
        <source>Change</source>
        <extracomment>Noun: the change since the earlier scan</extracomment>
        <translation>Variation</translation>
    </message>
    <message>
        <source>Show the change since the earlier scan, or the sizes</source>
        <translation>Afficher la variation depuis l&apos;analyse précédente, ou les tailles</translation>
    </message>
    <message>
        <source>Show how much each sub-folder grew or shrank since the earlier scan</source>
        <translation>Afficher de combien chaque sous-dossier a augmenté ou diminué depuis l&apos;analyse précédente</translation>
    </message>
    <message>
        <source>View chart in 3D or 2D</source>
        <translation>Afficher le graphique en 3D ou en 2D</translation>
    </message>
    <message>
        <source>Show or Hide Legend</source>
        <translation>Afficher ou masquer la légende</translation>
    </message>
    <message>
        <source>Show or Hide Vertical Grid Lines</source>
        <translation>Afficher ou masquer les lignes de grille verticales</translation>
    </message>
    <message>
        <source>Show or Hide Horizontal Grid Lines</source>
        <translation>Afficher ou masquer les lignes de grille horizontales</translation>
    </message>
    <message>
        <source>Switch between patterns and colors</source>
        <translation>Basculer entre motifs et couleurs</translation>
    </message>
    <message>
        <source>Choose color and click on a slice or bar to colorize it</source>
        <translation>Choisir une couleur, puis cliquer sur un secteur ou une barre pour lui appliquer cette couleur</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Free Space</source>
        <translation>Espace libre</translation>
    </message>
    <message>
        <source>Empty folder</source>
        <translation>Dossier vide</translation>
    </message>
    <message>
        <source>Only files: %1 in %2 file</source>
        <translation>Uniquement des fichiers : %1 dans %2 fichier</translation>
    </message>
    <message>
        <source>Only files: %1 in %2 files</source>
        <translation>Uniquement des fichiers : %1 dans %2 fichiers</translation>
    </message>
    <message>
        <source>%1  (change)</source>
        <translation>%1  (variation)</translation>
    </message>
    <message>
        <source>Share counted so far: the scan is still running</source>
        <translation>Part comptée jusqu&apos;ici : l&apos;analyse est toujours en cours</translation>
    </message>
    <message>
        <source>Growth since the earlier scan; folders that shrank are not shown</source>
        <translation>Croissance depuis l&apos;analyse précédente ; les dossiers qui ont diminué ne sont pas affichés</translation>
    </message>
</context>
<context>
    <name>TChartPrintout</name>
    <message>
        <source> - Chart   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Graphique   </translation>
    </message>
</context>
<context>
    <name>TChartSeries</name>
    <message>
        <source>Other</source>
        <extracomment>The slice of the small sub-folders together</extracomment>
        <translation>Autres</translation>
    </message>
</context>
<context>
    <name>TColorButton</name>
    <message>
        <source>Automatic</source>
        <extracomment>The automatic colour (adjective)</extracomment>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>&amp;Other colors...</source>
        <translation>&amp;Autres couleurs...</translation>
    </message>
</context>
<context>
    <name>TCompareCommands</name>
    <message>
        <source>Compare</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>There is nothing to compare yet: scan a folder, then compare it with an earlier scan of it.</source>
        <translation>Il n&apos;y a encore rien à comparer : analysez un dossier, puis comparez-le avec l&apos;une de ses analyses antérieures.</translation>
    </message>
    <message>
        <source>Reading the earlier scan...</source>
        <translation>Lecture de l&apos;analyse antérieure...</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Comparer avec</translation>
    </message>
    <message>
        <source>Cannot compare with %1: %2</source>
        <translation>Impossible de comparer avec %1 : %2</translation>
    </message>
    <message>
        <source>Compared with a scan %1</source>
        <translation>Comparaison avec une analyse %1</translation>
    </message>
    <message>
        <source>since %1, %2: %3</source>
        <extracomment>The status bar: since when, how long ago, and the growth</extracomment>
        <translation>depuis le %1, il y a %2 : %3</translation>
    </message>
</context>
<context>
    <name>TCompareDlg</name>
    <message>
        <source>Compare With</source>
        <translation>Comparer avec</translation>
    </message>
    <message>
        <source>Compare %1 with the scan of:</source>
        <translation>Comparer %1 avec l&apos;analyse du :</translation>
    </message>
    <message>
        <source>Scanned</source>
        <extracomment>Column header: when the scan was made</extracomment>
        <translation>Date d&apos;analyse</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Âge</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Note</source>
        <extracomment>Column header: a remark on the scan</extracomment>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>on %1</source>
        <extracomment>The scan was made on another computer, named %1</extracomment>
        <translation>sur %1</translation>
    </message>
    <message>
        <source>counted otherwise</source>
        <translation>comptée autrement</translation>
    </message>
    <message>
        <source>No earlier scan of this folder is remembered: choose a file, or scan it again later.</source>
        <translation>Aucune analyse antérieure de ce dossier n&apos;a été conservée : choisissez un fichier, ou analysez-le à nouveau plus tard.</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>Other File...</source>
        <translation>Autre fichier...</translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>A button: compare with nothing, ending the comparison</extracomment>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>End the comparison</source>
        <translation>Mettre fin à la comparaison</translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation>%1 jour</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 jours</translation>
    </message>
    <message>
        <source>%1 hour</source>
        <translation>%1 heure</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 heures</translation>
    </message>
    <message>
        <source>%1 minute</source>
        <translation>%1 minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>Snapshots and exports (*.snap *.json *.csv);;All files (*)</source>
        <extracomment>Keep the patterns in brackets and the ;; between filters</extracomment>
        <translation>Analyses enregistrées et exports (*.snap *.json *.csv);;Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>TContentsReport</name>
    <message>
        <source> - Folder Contents   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Contenu du dossier   </translation>
    </message>
    <message>
        <source>%1 on [%2]</source>
        <translation>%1 sur [%2]</translation>
    </message>
</context>
<context>
    <name>TCsvFile</name>
    <message>
        <source>CSV tables (*.csv);;All files (*)</source>
        <translation>Tableaux CSV (*.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>The %1 could not be saved to %2: %3</source>
        <extracomment>%1 is what was saved: the duplicates, the files or the types</extracomment>
        <translation>Les %1 n&apos;ont pas pu être enregistrés dans %2 : %3</translation>
    </message>
</context>
<context>
    <name>TDuplicatesDlg</name>
    <message>
        <source>Opening the files of equal size</source>
        <translation>Ouverture des fichiers de même taille</translation>
    </message>
    <message>
        <source>Reading their first and last 64 KiB</source>
        <translation>Lecture de leurs 64 premiers et 64 derniers KiB</translation>
    </message>
    <message>
        <source>Reading the files alike so far</source>
        <translation>Lecture des fichiers encore identiques</translation>
    </message>
    <message>
        <source>Searching</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Duplicates in %1</source>
        <translation>Doublons dans %1</translation>
    </message>
    <message>
        <source>Duplicates in %1 folders</source>
        <translation>Doublons dans %1 dossiers</translation>
    </message>
    <message>
        <source>Files of at &amp;least</source>
        <translation>Fichiers d&apos;au &amp;moins</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>Copies</source>
        <extracomment>Column header: a group of copies, then each copy&apos;s path</extracomment>
        <translation>Copies</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Dernière modification</translation>
    </message>
    <message>
        <source>Note</source>
        <extracomment>Column header: a remark on a copy</extracomment>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>Keep &amp;Oldest</source>
        <translation>Garder la plus &amp;ancienne</translation>
    </message>
    <message>
        <source>Keep &amp;Newest</source>
        <translation>Garder la plus réce&amp;nte</translation>
    </message>
    <message>
        <source>Keep Shortest &amp;Path</source>
        <translation>Garder le chemin le plus &amp;court</translation>
    </message>
    <message>
        <source>Tick every copy of each group but the one kept; other names of the file kept stay</source>
        <translation>Cocher toutes les copies de chaque groupe, sauf celle qui est conservée ; les autres noms du fichier conservé sont aussi conservés</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>Save the groups shown as a CSV table</source>
        <translation>Enregistrer les groupes affichés sous forme de tableau CSV</translation>
    </message>
    <message>
        <source>duplicates</source>
        <extracomment>Fills in &quot;The %1 could not be saved to %2&quot;</extracomment>
        <translation>doublons</translation>
    </message>
    <message>
        <source>Export the Duplicates</source>
        <translation>Exporter les doublons</translation>
    </message>
    <message>
        <source>Move to &amp;Trash</source>
        <translation>Mettre à la cor&amp;beille</translation>
    </message>
    <message>
        <source>&amp;Delete Permanently...</source>
        <translation>&amp;Supprimer définitivement...</translation>
    </message>
    <message>
        <source>Delete the ticked copies for good (Shift+Delete): their space comes free at once</source>
        <translation>Supprimer définitivement les copies cochées (Shift+Delete) : leur espace est libéré immédiatement</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>%1: %2 of %3 files, %4 of %5 MB, %6 MB/s</source>
        <translation>%1 : %2 fichiers sur %3, %4 MB sur %5, %6 MB/s</translation>
    </message>
    <message>
        <source>%1 copy</source>
        <translation>%1 copie</translation>
    </message>
    <message>
        <source>%1 copies</source>
        <translation>%1 copies</translation>
    </message>
    <message>
        <source>%1 name</source>
        <translation>%1 nom</translation>
    </message>
    <message>
        <source>%1 names</source>
        <translation>%1 noms</translation>
    </message>
    <message>
        <source>%1, %2 wasted</source>
        <translation>%1, %2 perdus</translation>
    </message>
    <message>
        <source>another name of %1</source>
        <translation>autre nom de %1</translation>
    </message>
    <message>
        <source>%1, %2, %3 wasted</source>
        <translation>%1, %2, %3 perdus</translation>
    </message>
    <message>
        <source>%1 group of copies</source>
        <translation>%1 groupe de copies</translation>
    </message>
    <message>
        <source>%1 groups of copies</source>
        <translation>%1 groupes de copies</translation>
    </message>
    <message>
        <source>%1 (stopped)</source>
        <translation>%1 (recherche arrêtée)</translation>
    </message>
    <message>
        <source>%1; %2 left out</source>
        <translation>%1 ; écartés : %2</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 fichier</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 fichiers</translation>
    </message>
    <message>
        <source>%1 group</source>
        <translation>%1 groupe</translation>
    </message>
    <message>
        <source>%1 groups</source>
        <translation>%1 groupes</translation>
    </message>
    <message>
        <source>In %1 the oldest copies were changed at the same moment: a tie, broken by keeping the first of them by path.</source>
        <translation>Dans %1, les copies les plus anciennes ont été modifiées au même instant : égalité, départagée en conservant la première dans l&apos;ordre des chemins.</translation>
    </message>
    <message>
        <source>In %1 the newest copies were changed at the same moment: a tie, broken by keeping the first of them by path.</source>
        <translation>Dans %1, les copies les plus récentes ont été modifiées au même instant : égalité, départagée en conservant la première dans l&apos;ordre des chemins.</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Supprimer définitivement</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>%1 and %2 are one name seen by two paths (a folder mounted twice): removing one removes both. Nothing was removed.</source>
        <translation>%1 et %2 sont un seul et même nom vu par deux chemins (un dossier monté deux fois) : supprimer l&apos;un supprime l&apos;autre. Rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>The search is still going on: wait for it, or cancel it.</source>
        <translation>La recherche est toujours en cours : attendez qu&apos;elle se termine, ou annulez-la.</translation>
    </message>
    <message>
        <source>Folders were removed from the tree since the search: search again.</source>
        <translation>Des dossiers ont été retirés de l&apos;arborescence depuis la recherche : relancez la recherche.</translation>
    </message>
    <message>
        <source>Nothing comes free: another name of each stays.</source>
        <translation>Aucun espace n&apos;est libéré : chacune garde un autre nom.</translation>
    </message>
    <message>
        <source>%1 comes free.</source>
        <translation>Espace libéré : %1.</translation>
    </message>
    <message>
        <source>%1 comes free once the Trash is emptied.</source>
        <translation>Espace libéré une fois la corbeille vidée : %1.</translation>
    </message>
    <message>
        <source>Delete %1 permanently? %2
Each is read again first, with the copy kept: one that changed since the search stays where it is.</source>
        <translation>Supprimer définitivement %1 ? %2
Chacune est d&apos;abord relue, ainsi que la copie conservée : une copie modifiée depuis la recherche reste en place.</translation>
    </message>
    <message>
        <source>Move %1 to the Trash? %2
Each is read again first, with the copy kept: one that changed since the search stays where it is.</source>
        <translation>Mettre %1 à la corbeille ? %2
Chacune est d&apos;abord relue, ainsi que la copie conservée : une copie modifiée depuis la recherche reste en place.</translation>
    </message>
    <message>
        <source>%1 stays: the copy kept, %2, %3</source>
        <translation>%1 reste en place : la copie conservée, %2, %3</translation>
    </message>
    <message>
        <source>%1 stays: %2</source>
        <translation>%1 reste en place : %2</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Suppression</translation>
    </message>
    <message>
        <source>Moving to the Trash</source>
        <translation>Mise à la corbeille</translation>
    </message>
    <message>
        <source>These stay where they are:
%1</source>
        <translation>Ces éléments restent en place :
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
    %1 : %2 élément</translation>
    </message>
    <message>
        <source>
    %1: %2 items</source>
        <translation>
    %1 : %2 éléments</translation>
    </message>
    <message>
        <source>Empty Trash</source>
        <translation>Vider la corbeille</translation>
    </message>
    <message>
        <source>The Trash is empty.</source>
        <translation>La corbeille est vide.</translation>
    </message>
    <message>
        <source>Delete the %1 item in the Trash permanently?%2
They cannot be restored.</source>
        <translation>Supprimer définitivement %1 élément de la corbeille ?%2
Il ne pourra pas être restauré.</translation>
    </message>
    <message>
        <source>Delete the %1 items in the Trash permanently?%2
They cannot be restored.</source>
        <translation>Supprimer définitivement les %1 éléments de la corbeille ?%2
Ils ne pourront pas être restaurés.</translation>
    </message>
    <message>
        <source>Emptying the Trash</source>
        <translation>Vidage de la corbeille</translation>
    </message>
    <message>
        <source>%1 came free.</source>
        <translation>Espace libéré : %1.</translation>
    </message>
    <message>
        <source>

These stay in the Trash:
%1</source>
        <translation>

Ces éléments restent dans la corbeille :
%1</translation>
    </message>
</context>
<context>
    <name>TErrorBox</name>
    <message>
        <source>Path %1: %2</source>
        <translation>Chemin %1 : %2</translation>
    </message>
    <message>
        <source>Scan again as administrator</source>
        <translation>Analyser à nouveau en tant qu&apos;administrateur</translation>
    </message>
    <message>
        <source>

%1 more failures are listed in the details.</source>
        <translation>

%1 autres échecs sont listés dans les détails.</translation>
    </message>
</context>
<context>
    <name>TFileClass</name>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archives</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Programs and libraries</source>
        <translation>Programmes et bibliothèques</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autres</translation>
    </message>
    <message>
        <source>Small items</source>
        <translation>Petits éléments</translation>
    </message>
</context>
<context>
    <name>TFilesCommands</name>
    <message>
        <source>Copy Path</source>
        <translation>Copier le chemin</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>The files are still being sorted; export them once they are listed.</source>
        <translation>Les fichiers sont encore en cours de tri ; exportez-les une fois qu&apos;ils sont listés.</translation>
    </message>
    <message>
        <source>files</source>
        <extracomment>Fills in &quot;The %1 could not be saved to %2&quot;</extracomment>
        <translation>fichiers</translation>
    </message>
    <message>
        <source>Export the Files Listed</source>
        <translation>Exporter les fichiers listés</translation>
    </message>
    <message>
        <source> - Files   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Fichiers   </translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>Column header of a printed report</extracomment>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>Column header: the space taken on the disk</extracomment>
        <translation>Alloué</translation>
    </message>
    <message>
        <source>Links</source>
        <extracomment>Column header: the number of names (hard links) of a file</extracomment>
        <translation>Liens</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Last Access</source>
        <translation>Dernier accès</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Dernière modification</translation>
    </message>
</context>
<context>
    <name>TFilesFilter</name>
    <message>
        <source>&quot;%1&quot; needs a size after it, as in &gt; 100 MB</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; doit être suivi d&apos;une taille, par exemple &gt; 100 MB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no unit of size: write B, KB, MB, GB or TB (or K, M, G, T), as in &gt; 100 MB</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; n&apos;est pas une unité de taille : écrivez B, KB, MB, GB ou TB (ou K, M, G, T), par exemple &gt; 100 MB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs an age after it, as in %1 1 year (days, weeks, months or years)</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; doit être suivi d&apos;une durée, par exemple %1 1 year (days, weeks, months ou years)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; matches nothing: no file is smaller than 0 bytes</source>
        <translation>&quot;%1&quot; ne correspond à rien : aucun fichier ne fait moins de 0 octet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no size range, as in 10MB..1GB: %2</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; n&apos;est pas une plage de tailles valide (comme 10MB..1GB) : %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no size: the smaller end comes first, as in 10MB..1GB</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; ne couvre aucune taille : indiquez d&apos;abord la plus petite, par exemple 10MB..1GB</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs &quot;than&quot; and an age, as in %2 than 1 year; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; doit être suivi de &quot;than&quot; et d&apos;une durée, par exemple %2 than 1 year ; pour le chercher dans les noms, mettez-le entre guillemets : &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; needs before or after and a date, as in %2 before 2024-06; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; doit être suivi de before ou after et d&apos;une date, par exemple %2 before 2024-06 ; pour le chercher dans les noms, mettez-le entre guillemets : &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1 %2&quot; needs a date after it: 2024, 2024-06 or 2024-06-30</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1 %2&quot; doit être suivi d&apos;une date : 2024, 2024-06 ou 2024-06-30</translation>
    </message>
    <message>
        <source>&quot;%1&quot; goes after older or newer, as in older than 1 year; sizes go after &gt; or &lt;, as in &gt; 1 GB; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; se place après older ou newer, par exemple older than 1 year ; les tailles se placent après &gt; ou &lt;, par exemple &gt; 1 GB ; pour le chercher dans les noms, mettez-le entre guillemets : &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; goes after changed or accessed, as in changed before 2024-06; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; se place après changed ou accessed, par exemple changed before 2024-06 ; pour le chercher dans les noms, mettez-le entre guillemets : &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a unit: a size goes after &gt; or &lt;, as in &gt; 1 GB, or in a range, as in 1MB..1GB; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; est une unité : une taille se place après &gt; ou &lt;, par exemple &gt; 1 GB, ou dans une plage, par exemple 1MB..1GB ; pour le chercher dans les noms, mettez-le entre guillemets : &quot;%1&quot;</translation>
    </message>
    <message>
        <source>No kind &quot;%1&quot;: the kinds are image, video, audio, archive, document, code, program and other</source>
        <extracomment>The kinds are filter words: they stay in English</extracomment>
        <translation>Aucun type &quot;%1&quot; : les types sont image, video, audio, archive, document, code, program et other</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no count of names: write links&gt;1, links&gt;=3 or links=2; to look for it in names, quote it: &quot;%1&quot;</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;%1&quot; n&apos;est pas un nombre de noms : écrivez links&gt;1, links&gt;=3 ou links=2 ; pour le chercher dans les noms, mettez-le entre guillemets : &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; counts more names than a file can have</source>
        <translation>&quot;%1&quot; compte plus de noms qu&apos;un fichier ne peut en avoir</translation>
    </message>
    <message>
        <source>&quot;not&quot; needs a name after it, as in not *.log</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>&quot;not&quot; doit être suivi d&apos;un nom, par exemple not *.log</translation>
    </message>
</context>
<context>
    <name>TFilesList</name>
    <message>
        <source>Names (* and ? as wildcards; a word without them is looked for inside names; quoted, any word is a name), -name or not name to leave names out, &gt; 100 MB, &lt;= 4 KB, 10MB..1GB, older than 1 year, newer than 2 weeks, changed before 2024-01, accessed after 2023, kind:video,audio, ext:tar.gz,zip (ext: alone: none), links&gt;1, links=2. Everything given must hold.</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Noms (* et ? comme caractères génériques ; un mot sans eux est cherché à l&apos;intérieur des noms ; entre guillemets, tout mot est un nom), -nom ou not nom pour exclure des noms, &gt; 100 MB, &lt;= 4 KB, 10MB..1GB, older than 1 year, newer than 2 weeks, changed before 2024-01, accessed after 2023, kind:video,audio, ext:tar.gz,zip (ext: seul : sans extension), links&gt;1, links=2. Toutes les conditions données doivent être remplies.</translation>
    </message>
    <message>
        <source>&amp;Largest</source>
        <translation>Les plus &amp;gros</translation>
    </message>
    <message>
        <source>The largest files first, by the space they take in the Allocated and Percent views</source>
        <translation>Les plus gros fichiers d&apos;abord, selon l&apos;espace qu&apos;ils occupent dans les vues Alloué et Pourcentage</translation>
    </message>
    <message>
        <source>&amp;Newest</source>
        <translation>Les plus &amp;récents</translation>
    </message>
    <message>
        <source>The files changed last first</source>
        <translation>Les fichiers modifiés le plus récemment d&apos;abord</translation>
    </message>
    <message>
        <source>&amp;Oldest</source>
        <translation>Les plus a&amp;nciens</translation>
    </message>
    <message>
        <source>The files changed longest ago first</source>
        <translation>Les fichiers modifiés il y a le plus longtemps d&apos;abord</translation>
    </message>
    <message>
        <source>Filter: *.iso *.mkv  &gt; 100 MB  older than 1 year  kind:video</source>
        <extracomment>The filter&apos;s words and examples stay in English</extracomment>
        <translation>Filtre : *.iso *.mkv  &gt; 100 MB  older than 1 year  kind:video</translation>
    </message>
    <message>
        <source>Save the files listed as a CSV table</source>
        <translation>Enregistrer les fichiers listés sous forme de tableau CSV</translation>
    </message>
    <message>
        <source>Not understood: %1

%2</source>
        <translation>Non reconnu : %1

%2</translation>
    </message>
    <message>
        <source>Not understood: %1</source>
        <translation>Non reconnu : %1</translation>
    </message>
    <message>
        <source>%1  (sorting...)</source>
        <translation>%1  (tri en cours...)</translation>
    </message>
    <message>
        <source>Sorting the files...</source>
        <translation>Tri des fichiers...</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 fichiers, %2</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1 fichiers sur %2, %3</translation>
    </message>
</context>
<context>
    <name>TFilesModel</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Allocated</source>
        <translation>Alloué</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Dernière modification</translation>
    </message>
    <message>
        <source>Last Access</source>
        <translation>Dernier accès</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Links</source>
        <extracomment>Column header: the number of names (hard links) of a file</extracomment>
        <translation>Liens</translation>
    </message>
</context>
<context>
    <name>TFolderRowAccessible</name>
    <message>
        <source>level %1, no folders</source>
        <translation>niveau %1, aucun dossier</translation>
    </message>
    <message>
        <source>level %1, 1 folder</source>
        <translation>niveau %1, 1 dossier</translation>
    </message>
    <message>
        <source>level %1, %2 folders</source>
        <translation>niveau %1, %2 dossiers</translation>
    </message>
</context>
<context>
    <name>TFolderTreeAccessible</name>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
</context>
<context>
    <name>TFolderTreeView</name>
    <message>
        <source>No folder scanned yet.

Choose Select Directory to scan a folder, or start Spacelens with folders on its command line.</source>
        <translation>Aucun dossier analysé pour l&apos;instant.

Utilisez la commande Choisir un dossier pour en analyser un, ou lancez Spacelens avec des dossiers sur sa ligne de commande.</translation>
    </message>
</context>
<context>
    <name>THistoryStore</name>
    <message>
        <source>there is no home folder to keep them in</source>
        <translation>il n&apos;y a pas de dossier personnel où les conserver</translation>
    </message>
    <message>
        <source>%1 scan of %2 remembered before is dated later than now: the clock was set back since; they count as written before this one</source>
        <translation>%1 analyse de %2 enregistrée auparavant porte une date postérieure à maintenant : l&apos;horloge a été retardée entre-temps ; elle est considérée comme enregistrée avant celle-ci</translation>
    </message>
    <message>
        <source>%1 scans of %2 remembered before are dated later than now: the clock was set back since; they count as written before this one</source>
        <translation>%1 analyses de %2 enregistrées auparavant portent une date postérieure à maintenant : l&apos;horloge a été retardée entre-temps ; elles sont considérées comme enregistrées avant celle-ci</translation>
    </message>
</context>
<context>
    <name>TListModel</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Size  </source>
        <extracomment>Column header; keep the two trailing spaces</extracomment>
        <translation>Taille  </translation>
    </message>
    <message>
        <source>Allocated  </source>
        <extracomment>Column header; keep the two trailing spaces</extracomment>
        <translation>Alloué  </translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objets</translation>
    </message>
    <message>
        <source>Wasted  </source>
        <extracomment>Column header; keep the two trailing spaces</extracomment>
        <translation>Perdu  </translation>
    </message>
    <message>
        <source>% of Parent</source>
        <translation>% du parent</translation>
    </message>
    <message>
        <source>Last Access</source>
        <translation>Dernier accès</translation>
    </message>
    <message>
        <source>Last Change</source>
        <translation>Dernière modification</translation>
    </message>
    <message>
        <source>Change  </source>
        <extracomment>Column header: change since the earlier scan; keep the two trailing spaces</extracomment>
        <translation>Variation  </translation>
    </message>
    <message>
        <source>Before  </source>
        <extracomment>Column header: value in the earlier scan; keep the two trailing spaces</extracomment>
        <translation>Avant  </translation>
    </message>
    <message>
        <source>gone</source>
        <extracomment>In the change column: the folder is gone since the earlier scan</extracomment>
        <translation>disparu</translation>
    </message>
    <message>
        <source>A sparse file: %1 of its %2 take space on disk</source>
        <translation>Fichier creux : %1 sur %2 occupent de l&apos;espace sur le disque</translation>
    </message>
</context>
<context>
    <name>TMRUFileList</name>
    <message>
        <source>Reopen</source>
        <translation>Rouvrir</translation>
    </message>
</context>
<context>
    <name>TMainActions</name>
    <message>
        <source>Select &amp;Directory...</source>
        <translation>Choisir un &amp;dossier...</translation>
    </message>
    <message>
        <source>Open Folder|Select a folder to scan</source>
        <translation>Ouvrir un dossier|Choisir un dossier à analyser</translation>
    </message>
    <message>
        <source>Scan &amp;All Drives</source>
        <translation>Analyser tous les &amp;lecteurs</translation>
    </message>
    <message>
        <source>Scan All Drives|Scan every mounted drive</source>
        <translation>Analyser tous les lecteurs|Analyser tous les lecteurs montés</translation>
    </message>
    <message>
        <source>&amp;Import Scan...</source>
        <translation>&amp;Importer une analyse...</translation>
    </message>
    <message>
        <source>Import Scan|Show a scan exported by ncdu, gdu or Spacelens</source>
        <translation>Importer une analyse|Afficher une analyse exportée par ncdu, gdu ou Spacelens</translation>
    </message>
    <message>
        <source>Scan &amp;Remote...</source>
        <translation>Analyser un dossier di&amp;stant...</translation>
    </message>
    <message>
        <source>Scan Remote|Scan a folder on another machine over SSH</source>
        <translation>Analyser un dossier distant|Analyser un dossier d&apos;une autre machine via SSH</translation>
    </message>
    <message>
        <source>Scan as Admi&amp;nistrator...</source>
        <translation>Analyser en tant qu&apos;admi&amp;nistrateur...</translation>
    </message>
    <message>
        <source>Scan as Administrator|Scan a folder that only the administrator may read, asking for the password</source>
        <translation>Analyser en tant qu&apos;administrateur|Analyser un dossier que seul l&apos;administrateur peut lire, en demandant le mot de passe</translation>
    </message>
    <message>
        <source>&amp;Compare With...</source>
        <translation>&amp;Comparer avec...</translation>
    </message>
    <message>
        <source>Compare|Compare the folder with an earlier scan: what grew, what is new, what is gone</source>
        <translation>Comparer|Comparer le dossier avec une analyse antérieure : ce qui a grossi, ce qui est nouveau, ce qui a disparu</translation>
    </message>
    <message>
        <source>Compare</source>
        <extracomment>A verb: compare with an earlier scan</extracomment>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>Find &amp;Duplicates...</source>
        <translation>Rechercher les &amp;doublons...</translation>
    </message>
    <message>
        <source>Find Duplicates|Find the files of equal content below the folder</source>
        <translation>Rechercher les doublons|Rechercher les fichiers au contenu identique dans le dossier</translation>
    </message>
    <message>
        <source>Find Duplicates in &amp;All...</source>
        <translation>Rechercher les doublons dans &amp;tous les dossiers...</translation>
    </message>
    <message>
        <source>Find Duplicates in All|Find the files of equal content below every folder shown</source>
        <translation>Rechercher les doublons dans tous les dossiers|Rechercher les fichiers au contenu identique dans tous les dossiers affichés</translation>
    </message>
    <message>
        <source>Empty &amp;Trash...</source>
        <translation>&amp;Vider la corbeille...</translation>
    </message>
    <message>
        <source>Empty Trash|Delete for good what the Trash of the scanned drives holds: its space comes free</source>
        <translation>Vider la corbeille|Supprimer définitivement le contenu de la corbeille des lecteurs analysés : son espace est libéré</translation>
    </message>
    <message>
        <source>&amp;Update All</source>
        <translation>Tout &amp;actualiser</translation>
    </message>
    <message>
        <source>Update All|Rescan all displayed folders</source>
        <translation>Tout actualiser|Analyser à nouveau tous les dossiers affichés</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Open|Show contents of the folder</source>
        <translation>Ouvrir|Afficher le contenu du dossier</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>&amp;Explorer</translation>
    </message>
    <message>
        <source>Explore|Open the folder that holds it in the file manager</source>
        <translation>Explorer|Ouvrir le dossier contenant dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>Properties|Show the properties of the folder</source>
        <translation>Propriétés|Afficher les propriétés du dossier</translation>
    </message>
    <message>
        <source>&amp;Full Expand</source>
        <translation>&amp;Tout développer</translation>
    </message>
    <message>
        <source>Full &amp;Expand</source>
        <translation>&amp;Tout développer</translation>
    </message>
    <message>
        <source>Full Expand|Recursively expand all subnodes</source>
        <translation>Tout développer|Développer récursivement tous les sous-dossiers</translation>
    </message>
    <message>
        <source>Full &amp;Collapse</source>
        <translation>Tout &amp;réduire</translation>
    </message>
    <message>
        <source>Full Collapse|Recursively collapse all subnodes</source>
        <translation>Tout réduire|Réduire récursivement tous les sous-dossiers</translation>
    </message>
    <message>
        <source>To Level &amp;1</source>
        <translation>Jusqu&apos;au niveau &amp;1</translation>
    </message>
    <message>
        <source>To Level &amp;2</source>
        <translation>Jusqu&apos;au niveau &amp;2</translation>
    </message>
    <message>
        <source>To Level &amp;3</source>
        <translation>Jusqu&apos;au niveau &amp;3</translation>
    </message>
    <message>
        <source>To Level &amp;4</source>
        <translation>Jusqu&apos;au niveau &amp;4</translation>
    </message>
    <message>
        <source>Expand Folder &amp;over: xxx MB</source>
        <translation>Développer les dossiers de &amp;plus de : xxx MB</translation>
    </message>
    <message>
        <source>&amp;Remove Folder &lt;xxx MB</source>
        <translation>&amp;Retirer les dossiers &lt;xxx MB</translation>
    </message>
    <message>
        <source>&amp;Set Size</source>
        <translation>&amp;Définir la taille</translation>
    </message>
    <message>
        <source>Full Co&amp;llapse</source>
        <translation>Tout &amp;réduire</translation>
    </message>
    <message>
        <source>&amp;Remove from Spacelens</source>
        <translation>Re&amp;tirer de Spacelens</translation>
    </message>
    <message>
        <source>Remove from Spacelens|Remove this folder from the Spacelens window</source>
        <translation>Retirer de Spacelens|Retirer ce dossier de la fenêtre de Spacelens</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Actualiser</translation>
    </message>
    <message>
        <source>Update|Rescan Folder</source>
        <translation>Actualiser|Analyser à nouveau le dossier</translation>
    </message>
    <message>
        <source>Update &amp;Branch</source>
        <translation>Actualiser la &amp;branche</translation>
    </message>
    <message>
        <source>Update Branch|Update information for this subfolder</source>
        <translation>Actualiser la branche|Actualiser les informations de ce sous-dossier</translation>
    </message>
    <message>
        <source>&amp;Count Folders</source>
        <translation>&amp;Compter les dossiers</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Taille</translation>
    </message>
    <message>
        <source>Size|Show the size of the folders</source>
        <translation>Taille|Afficher la taille des dossiers</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Bytes &amp;Allocated</source>
        <translation>Espace &amp;alloué</translation>
    </message>
    <message>
        <source>Bytes Allocated|Show how many bytes are allocated on disk by the folders</source>
        <translation>Espace alloué|Afficher combien d&apos;octets les dossiers occupent sur le disque</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>Short for Bytes Allocated</extracomment>
        <translation>Alloué</translation>
    </message>
    <message>
        <source>&amp;Percent</source>
        <translation>&amp;Pourcentage</translation>
    </message>
    <message>
        <source>Percent|Show how many percent of the parent folders each folder occupies</source>
        <translation>Pourcentage|Afficher le pourcentage de son dossier parent qu&apos;occupe chaque dossier</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Pourcentage</translation>
    </message>
    <message>
        <source>&amp;Wasted Space</source>
        <translation>&amp;Espace perdu</translation>
    </message>
    <message>
        <source>Wasted Space|Show how much space is wasted  by the folders</source>
        <translation>Espace perdu|Afficher l&apos;espace perdu par les dossiers</translation>
    </message>
    <message>
        <source>Wasted</source>
        <extracomment>Short for Wasted Space</extracomment>
        <translation>Perdu</translation>
    </message>
    <message>
        <source>Use &amp;CD-Rom Cluster Size</source>
        <translation>Utiliser la taille de cluster &amp;CD-ROM</translation>
    </message>
    <message>
        <source>CD-Rom cluster size|Show how much the folders would occupy on a CD-ROM</source>
        <translation>Taille de cluster CD-ROM|Afficher l&apos;espace que les dossiers occuperaient sur un CD-ROM</translation>
    </message>
    <message>
        <source>CD-ROM</source>
        <translation>CD-ROM</translation>
    </message>
    <message>
        <source>Ob&amp;jects</source>
        <translation>Ob&amp;jets</translation>
    </message>
    <message>
        <source>Objects|Show how many files and folders each folder holds</source>
        <translation>Objets|Afficher le nombre de fichiers et de dossiers que contient chaque dossier</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objets</translation>
    </message>
    <message>
        <source>&amp;MB only</source>
        <translation>&amp;MB uniquement</translation>
    </message>
    <message>
        <source>MB only|Show values in megabytes</source>
        <translation>MB uniquement|Afficher les valeurs en mégaoctets</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>KB/MB M&amp;ixed</source>
        <translation>KB/MB m&amp;ixtes</translation>
    </message>
    <message>
        <source>KB/MB Mixed|Show values in kilobytes, from 100 MB on in megabytes</source>
        <translation>KB/MB mixtes|Afficher les valeurs en kilooctets, et en mégaoctets à partir de 100 MB</translation>
    </message>
    <message>
        <source>KB/MB</source>
        <translation>KB/MB</translation>
    </message>
    <message>
        <source>&amp;KB only</source>
        <translation>&amp;KB uniquement</translation>
    </message>
    <message>
        <source>KB only|Show values in kilobytes</source>
        <translation>KB uniquement|Afficher les valeurs en kilooctets</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;Automatique</translation>
    </message>
    <message>
        <source>Automatic|Show each value in the largest unit that keeps it at 1 or more</source>
        <translation>Automatique|Afficher chaque valeur dans la plus grande unité qui la laisse supérieure ou égale à 1</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Short for the Automatic unit</extracomment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>P&amp;ie Chart</source>
        <translation>Graphique en &amp;secteurs</translation>
    </message>
    <message>
        <source>Pie Chart|Show Pie chart for the selected folder</source>
        <translation>Graphique en secteurs|Afficher le graphique en secteurs du dossier sélectionné</translation>
    </message>
    <message>
        <source>Pie</source>
        <extracomment>Short for Pie Chart</extracomment>
        <translation>Secteurs</translation>
    </message>
    <message>
        <source>&amp;Bar Chart</source>
        <translation>Graphique en &amp;barres</translation>
    </message>
    <message>
        <source>Bar Chart|Show bar chart for the selected folder</source>
        <translation>Graphique en barres|Afficher le graphique en barres du dossier sélectionné</translation>
    </message>
    <message>
        <source>Bar</source>
        <extracomment>Short for Bar Chart</extracomment>
        <translation>Barres</translation>
    </message>
    <message>
        <source>&amp;Treemap</source>
        <translation>Tree&amp;map</translation>
    </message>
    <message>
        <source>Treemap|Show every file below the selected folder as a tile as large as its size</source>
        <translation>Treemap|Afficher chaque fichier du dossier sélectionné sous forme d&apos;une tuile aussi grande que sa taille</translation>
    </message>
    <message>
        <source>Treemap</source>
        <translation>Treemap</translation>
    </message>
    <message>
        <source>&amp;Detailed List</source>
        <translation>&amp;Liste détaillée</translation>
    </message>
    <message>
        <source>Detailed List|Show the folders and files in a list</source>
        <translation>Liste détaillée|Afficher les dossiers et les fichiers dans une liste</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>&amp;Files</source>
        <translation>&amp;Fichiers</translation>
    </message>
    <message>
        <source>Files|List every file below the selected folder, at any depth, largest first</source>
        <translation>Fichiers|Lister tous les fichiers du dossier sélectionné, à toute profondeur, les plus gros en premier</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>T&amp;ypes</source>
        <translation>T&amp;ypes</translation>
    </message>
    <message>
        <source>Types|Show what kinds of file fill the selected folder, by class and extension</source>
        <translation>Types|Afficher quels types de fichiers remplissent le dossier sélectionné, par catégorie et par extension</translation>
    </message>
    <message>
        <source>Types</source>
        <translation>Types</translation>
    </message>
    <message>
        <source>Set &amp;Title...</source>
        <translation>Définir le &amp;titre...</translation>
    </message>
    <message>
        <source>Set Title|Set Title for printing and exporting</source>
        <translation>Définir le titre|Définir le titre utilisé pour l&apos;impression et l&apos;export</translation>
    </message>
    <message>
        <source>&amp;Print Report...</source>
        <translation>Imprimer le &amp;rapport...</translation>
    </message>
    <message>
        <source>Print Report|Print report for currently active folder/drive</source>
        <translation>Imprimer le rapport|Imprimer le rapport du dossier ou du lecteur actif</translation>
    </message>
    <message>
        <source>Print Report for All...</source>
        <translation>Imprimer le rapport de toutes les analyses...</translation>
    </message>
    <message>
        <source>Print Report for All|Print a report for all drives and folders currently listed in the left pane</source>
        <translation>Imprimer le rapport de toutes les analyses|Imprimer un rapport pour tous les lecteurs et dossiers listés dans le volet de gauche</translation>
    </message>
    <message>
        <source>Print Something</source>
        <translation>Imprimer quelque chose</translation>
    </message>
    <message>
        <source>Print Pane|Prints the right pane of the window</source>
        <translation>Imprimer le volet|Imprimer le volet de droite de la fenêtre</translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup ...</source>
        <translation>Mise en pa&amp;ge...</translation>
    </message>
    <message>
        <source>Page Setup|Setup page for printed reports</source>
        <translation>Mise en page|Régler la mise en page des rapports imprimés</translation>
    </message>
    <message>
        <source>Printer &amp;Setup ...</source>
        <translation>Configuration de l&apos;im&amp;primante...</translation>
    </message>
    <message>
        <source>Printer Setup|Setup Printer</source>
        <translation>Configuration de l&apos;imprimante|Configurer l&apos;imprimante</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Print Report|Print report for selected folder</source>
        <translation>Imprimer le rapport|Imprimer le rapport du dossier sélectionné</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>Options|Change how values are shown and what a scan counts</source>
        <translation>Options|Modifier la façon dont les valeurs sont affichées et ce que compte une analyse</translation>
    </message>
    <message>
        <source>By &amp;Name</source>
        <translation>Par &amp;nom</translation>
    </message>
    <message>
        <source>Sort By Name|Sort By Name</source>
        <translation>Trier par nom|Trier par nom</translation>
    </message>
    <message>
        <source>Sort By Name</source>
        <translation>Trier par nom</translation>
    </message>
    <message>
        <source>By &amp;Size</source>
        <translation>Par &amp;taille</translation>
    </message>
    <message>
        <source>Sort By Size|Sort By Size</source>
        <translation>Trier par taille|Trier par taille</translation>
    </message>
    <message>
        <source>Sort By Size</source>
        <translation>Trier par taille</translation>
    </message>
    <message>
        <source>By &amp;Change</source>
        <translation>Par &amp;variation</translation>
    </message>
    <message>
        <source>Sort By Change|Sort by growth since the earlier scan, the most grown first</source>
        <translation>Trier par variation|Trier selon la croissance depuis l&apos;analyse antérieure, les dossiers qui ont le plus grossi en premier</translation>
    </message>
    <message>
        <source>Sort By Change</source>
        <translation>Trier par variation</translation>
    </message>
    <message>
        <source>N&amp;one</source>
        <translation>&amp;Aucun</translation>
    </message>
    <message>
        <source>No Sorting|No Sorting</source>
        <translation>Aucun tri|Aucun tri</translation>
    </message>
    <message>
        <source>No Sorting</source>
        <translation>Aucun tri</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>Contents|Open the manual</source>
        <translation>Sommaire|Ouvrir le manuel</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>À propos...</translation>
    </message>
    <message>
        <source>About Spacelens</source>
        <translation>À propos de Spacelens</translation>
    </message>
    <message>
        <source>&lt;b&gt;Spacelens %1&lt;/b&gt;&lt;p&gt;A fast disk-space analyser: the size, allocated space, share, wasted space and CD-ROM size of every folder.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Spacelens %1&lt;/b&gt;&lt;p&gt;Un analyseur rapide de l&apos;espace disque : la taille, l&apos;espace alloué, la part, l&apos;espace perdu et la taille sur CD-ROM de chaque dossier.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Analyser</translation>
    </message>
    <message>
        <source>Scan selected drive|Scan drive which is selected in the quick drive access box</source>
        <translation>Analyser le lecteur sélectionné|Analyser le lecteur sélectionné dans la zone de chemin</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop|Stop scanning</source>
        <translation>Arrêter|Arrêter l&apos;analyse</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Remove|Remove the selected folder from Spacelens</source>
        <translation>Retirer|Retirer le dossier sélectionné de Spacelens</translation>
    </message>
    <message>
        <source>Parent</source>
        <extracomment>The parent folder</extracomment>
        <translation>Dossier parent</translation>
    </message>
    <message>
        <source>Parent Folder|Select parent folder of current folder</source>
        <translation>Dossier parent|Sélectionner le dossier parent du dossier en cours</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Mount a network share|Mount a network share (smb://, sftp://) to scan it as a drive; File, Scan Remote scans another machine over SSH</source>
        <translation>Monter un partage réseau|Monter un partage réseau (smb://, sftp://) pour l&apos;analyser comme un lecteur ; Fichier, Analyser un dossier distant analyse une autre machine via SSH</translation>
    </message>
    <message>
        <source>E&amp;xpand</source>
        <translation>Dé&amp;velopper</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Spacelens functionality</source>
        <translation>Fonctions de Spacelens</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Branch</source>
        <translation>&amp;Branche</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Show &amp;Values as</source>
        <translation>Afficher les &amp;valeurs en</translation>
    </message>
    <message>
        <source>&amp;Sort</source>
        <translation>&amp;Tri</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>Folders</source>
        <extracomment>Name of a tool bar</extracomment>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>View</source>
        <extracomment>Name of a tool bar</extracomment>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>&amp;Remove Folder &lt;%1 MB</source>
        <translation>&amp;Retirer les dossiers &lt;%1 MB</translation>
    </message>
    <message>
        <source>Expand Folder &amp;over: %1 MB</source>
        <translation>Développer les dossiers de &amp;plus de : %1 MB</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Print &amp;Folder Contents...</source>
        <translation>Imprimer le c&amp;ontenu du dossier...</translation>
    </message>
    <message>
        <source>Print Tree&amp;map...</source>
        <translation>Imprimer la tree&amp;map...</translation>
    </message>
    <message>
        <source>Print &amp;Files...</source>
        <translation>Imprimer les &amp;fichiers...</translation>
    </message>
    <message>
        <source>Print T&amp;ypes...</source>
        <translation>Imprimer les t&amp;ypes...</translation>
    </message>
    <message>
        <source>Print C&amp;hart...</source>
        <translation>Imprimer le grap&amp;hique...</translation>
    </message>
</context>
<context>
    <name>TManual</name>
    <message>
        <source>The manual is not installed. It was looked for as:
%1</source>
        <translation>Le manuel n&apos;est pas installé. Il a été cherché aux emplacements suivants :
%1</translation>
    </message>
    <message>
        <source>No program could show the manual. It is the file %1; open it with a web browser.</source>
        <translation>Aucun programme n&apos;a pu afficher le manuel. Il s&apos;agit du fichier %1 ; ouvrez-le avec un navigateur web.</translation>
    </message>
</context>
<context>
    <name>TNetworkDrive</name>
    <message>
        <source>Connect Network Drive</source>
        <translation>Connecter un lecteur réseau</translation>
    </message>
    <message>
        <source>Address of the share (smb://server/share, sftp://user@host/folder, ...):</source>
        <translation>Adresse du partage (smb://server/share, sftp://user@host/folder, ...) :</translation>
    </message>
    <message>
        <source>Connecting a network drive needs the program gio (Debian package libglib2.0-bin), which is not installed.</source>
        <translation>La connexion d&apos;un lecteur réseau nécessite le programme gio (paquet Debian libglib2.0-bin), qui n&apos;est pas installé.</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connexion à %1...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Cannot connect to %1: %2</source>
        <translation>Impossible de se connecter à %1 : %2</translation>
    </message>
</context>
<context>
    <name>TOpenWith</name>
    <message>
        <source>Open</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>No program is set to open &quot;%1&quot; (%2). No program on this computer says it can.</source>
        <translation>Aucun programme n&apos;est défini pour ouvrir &quot;%1&quot; (%2). Aucun programme de cet ordinateur n&apos;indique pouvoir le faire.</translation>
    </message>
    <message>
        <source>Open With</source>
        <translation>Ouvrir avec</translation>
    </message>
    <message>
        <source>No program is set to open &quot;%1&quot; (%2). Open it with:</source>
        <translation>Aucun programme n&apos;est défini pour ouvrir &quot;%1&quot; (%2). L&apos;ouvrir avec :</translation>
    </message>
    <message>
        <source>%1 could not be started.</source>
        <translation>%1 n&apos;a pas pu être lancé.</translation>
    </message>
</context>
<context>
    <name>TOptionDlg</name>
    <message>
        <source>Original</source>
        <translation>D&apos;origine</translation>
    </message>
    <message>
        <source>    512 Bytes (NTFS, Floppy)</source>
        <translation>    512 octets (NTFS, disquette)</translation>
    </message>
    <message>
        <source>  1024 Bytes</source>
        <translation>  1024 octets</translation>
    </message>
    <message>
        <source>  2048 Bytes (CD-ROM)</source>
        <translation>  2048 octets (CD-ROM)</translation>
    </message>
    <message>
        <source>  4096 Bytes (FAT 128-255 MB, FAT32)</source>
        <translation>  4096 octets (FAT 128-255 MB, FAT32)</translation>
    </message>
    <message>
        <source>  8192 Bytes (FAT 256-511 MB)</source>
        <translation>  8192 octets (FAT 256-511 MB)</translation>
    </message>
    <message>
        <source>16384 Bytes (FAT 512-1023 MB)</source>
        <translation>16384 octets (FAT 512-1023 MB)</translation>
    </message>
    <message>
        <source>32768 Bytes (FAT 1024-2047 MB)</source>
        <translation>32768 octets (FAT 1024-2047 MB)</translation>
    </message>
    <message>
        <source>Spacelens - Options</source>
        <translation>Spacelens - Options</translation>
    </message>
    <message>
        <source>Show &amp;Values as</source>
        <translation>Afficher les &amp;valeurs en</translation>
    </message>
    <message>
        <source>MB only</source>
        <translation>MB uniquement</translation>
    </message>
    <message>
        <source>KB/MB Mixed</source>
        <translation>KB/MB mixtes</translation>
    </message>
    <message>
        <source>KB only</source>
        <translation>KB uniquement</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Show &amp;Files</source>
        <translation>Afficher les &amp;fichiers</translation>
    </message>
    <message>
        <source>Show &amp;Chart Toolbar</source>
        <translation>Afficher la &amp;barre d&apos;outils des graphiques</translation>
    </message>
    <message>
        <source>&amp;Decimals</source>
        <translation>&amp;Décimales</translation>
    </message>
    <message>
        <source>&amp;Bold Factor</source>
        <translation>Facteur de mise en &amp;gras</translation>
    </message>
    <message>
        <source>Number of Folders in the recently used list</source>
        <translation>Nombre de dossiers dans la liste des dossiers récents</translation>
    </message>
    <message>
        <source>View</source>
        <extracomment>Tab of the options: how values are shown</extracomment>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>&amp;Filter(s):</source>
        <translation>&amp;Filtre(s) :</translation>
    </message>
    <message>
        <source>Show Error &amp;Messages</source>
        <translation>Afficher les &amp;messages d&apos;erreur</translation>
    </message>
    <message>
        <source>Follow Mount Points and Symbolic Links</source>
        <translation>Suivre les points de montage et les liens symboliques</translation>
    </message>
    <message>
        <source>Count files with several &amp;names once</source>
        <translation>Compter une seule fois les fichiers à &amp;plusieurs noms</translation>
    </message>
    <message>
        <source>&amp;Exclude (one pattern a line: a name such as .cache or *.o, or a path with &quot;/&quot;):</source>
        <translation>&amp;Exclure (un motif par ligne : un nom comme .cache ou *.o, ou un chemin avec &quot;/&quot;) :</translation>
    </message>
    <message>
        <source>Rules take effect at the next scan.</source>
        <translation>Les règles prennent effet à l&apos;analyse suivante.</translation>
    </message>
    <message>
        <source>User Defined &amp;Cluster Size</source>
        <translation>Taille de &amp;cluster personnalisée</translation>
    </message>
    <message>
        <source>Scan</source>
        <extracomment>Tab of the options: what a scan counts</extracomment>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>&amp;Visible List Columns:</source>
        <translation>Colonnes &amp;visibles de la liste :</translation>
    </message>
    <message>
        <source>Tip: You can change the column order by dragging the header of a column in the Spacelens window to a different position.</source>
        <translation>Astuce : vous pouvez modifier l&apos;ordre des colonnes en faisant glisser l&apos;en-tête d&apos;une colonne vers une autre position dans la fenêtre de Spacelens.</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Colonnes</translation>
    </message>
    <message>
        <source>Each scan that ends is remembered, so that later scans can tell what changed since.</source>
        <translation>Chaque analyse terminée est mémorisée, afin que les analyses suivantes puissent indiquer ce qui a changé depuis.</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>Scans kept: none</extracomment>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Scans &amp;kept of each folder</source>
        <translation>Analyses &amp;conservées par dossier</translation>
    </message>
    <message>
        <source> MB</source>
        <extracomment>Unit after a number: megabytes</extracomment>
        <translation> MB</translation>
    </message>
    <message>
        <source>&amp;At most, in all</source>
        <translation>&amp;Taille totale maximale</translation>
    </message>
    <message>
        <source>&amp;Forget All Scans...</source>
        <translation>&amp;Oublier toutes les analyses...</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Find Duplicates looks at &amp;files of at least</source>
        <translation>Rechercher les doublons examine les &amp;fichiers d&apos;au moins</translation>
    </message>
    <message>
        <source>Duplicates</source>
        <translation>Doublons</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>A&amp;nalyser</translation>
    </message>
    <message>
        <source>Forget the scan remembered? Later scans cannot then tell what changed before them.</source>
        <translation>Oublier l&apos;analyse mémorisée ? Les analyses suivantes ne pourront alors plus indiquer ce qui a changé avant elles.</translation>
    </message>
    <message>
        <source>Forget the %1 scans remembered? Later scans cannot then tell what changed before them.</source>
        <translation>Oublier les %1 analyses mémorisées ? Les analyses suivantes ne pourront alors plus indiquer ce qui a changé avant elles.</translation>
    </message>
    <message>
        <source>Forget All Scans</source>
        <translation>Oublier toutes les analyses</translation>
    </message>
</context>
<context>
    <name>TPermanentDelete</name>
    <message>
        <source>%1 stays: %2</source>
        <translation>%1 n&apos;est pas supprimé : %2</translation>
    </message>
    <message>
        <source>another file system is mounted there</source>
        <translation>un autre système de fichiers y est monté</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>suppression interrompue</translation>
    </message>
    <message>
        <source>it is nested more than %1 levels deep</source>
        <translation>il est imbriqué sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>The root folder cannot be deleted.</source>
        <translation>Le dossier racine ne peut pas être supprimé.</translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>Impossible de supprimer %1 : %2</translation>
    </message>
    <message>
        <source>%1 is where another file system is mounted: it is not deleted with it</source>
        <translation>%1 est le point de montage d&apos;un autre système de fichiers : celui-ci n&apos;est pas supprimé avec le dossier</translation>
    </message>
    <message>
        <source>Cannot delete all of %1: %2, and %3 more</source>
        <translation>Impossible de supprimer entièrement %1 : %2, et %3 de plus</translation>
    </message>
    <message>
        <source>Cannot delete all of %1: %2</source>
        <translation>Impossible de supprimer entièrement %1 : %2</translation>
    </message>
</context>
<context>
    <name>TPictureFile</name>
    <message>
        <source>Save Spacelens Data</source>
        <translation>Enregistrer les données de Spacelens</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>%1 is read-only; the picture was not saved.</source>
        <translation>%1 est en lecture seule ; l&apos;image n&apos;a pas été enregistrée.</translation>
    </message>
    <message>
        <source>The picture could not be saved to %1: %2</source>
        <translation>L&apos;image n&apos;a pas pu être enregistrée dans %1 : %2</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <extracomment>Keep the pattern in brackets</extracomment>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source>JPEG pictures (*.jpg *.jpeg)</source>
        <extracomment>Keep the patterns in brackets</extracomment>
        <translation>Images JPEG (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <extracomment>Keep the pattern in brackets</extracomment>
        <translation>Images bitmap (*.bmp)</translation>
    </message>
</context>
<context>
    <name>TPrintCommands</name>
    <message>
        <source>Printer Setup</source>
        <translation>Configuration de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Enter Title</source>
        <translation>Saisir le titre</translation>
    </message>
    <message>
        <source>Please enter title for printing and exporting:</source>
        <translation>Veuillez saisir le titre pour l&apos;impression et l&apos;exportation :</translation>
    </message>
    <message>
        <source>Print</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <extracomment>Keep the pattern in brackets</extracomment>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Print to PDF</source>
        <translation>Imprimer en PDF</translation>
    </message>
    <message>
        <source>The printer would not start a new page.</source>
        <translation>L&apos;imprimante n&apos;a pas pu commencer une nouvelle page.</translation>
    </message>
    <message>
        <source>Printing failed. %1</source>
        <translation>L&apos;impression a échoué. %1</translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation>Impression en cours...</translation>
    </message>
    <message>
        <source>Printing Page 1 ...</source>
        <translation>Impression de la page 1...</translation>
    </message>
</context>
<context>
    <name>TPrinterCanvas</name>
    <message>
        <source>No file was named for the PDF.</source>
        <translation>Aucun nom de fichier n&apos;a été indiqué pour le PDF.</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>L&apos;imprimante n&apos;a pas pu être démarrée.</translation>
    </message>
    <message>
        <source>The printer did not take the document.</source>
        <translation>L&apos;imprimante n&apos;a pas accepté le document.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
</context>
<context>
    <name>TPropertiesDialog</name>
    <message>
        <source>%1 (group %2)</source>
        <translation>%1 (groupe %2)</translation>
    </message>
    <message>
        <source>%1 bytes (%2)</source>
        <translation>%1 bytes (%2)</translation>
    </message>
    <message>
        <source>Properties of %1</source>
        <translation>Propriétés de %1</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Emplacement :</translation>
    </message>
    <message>
        <source>Error:</source>
        <translation>Erreur :</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Symbolic link</source>
        <translation>Lien symbolique</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type :</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille :</translation>
    </message>
    <message>
        <source>Size on disk:</source>
        <translation>Taille sur le disque :</translation>
    </message>
    <message>
        <source>Hard links:</source>
        <translation>Liens physiques :</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A row&apos;s label, as &quot;Size:&quot;</extracomment>
        <translation>%1 :</translation>
    </message>
    <message>
        <source>Owner:</source>
        <translation>Propriétaire :</translation>
    </message>
    <message>
        <source>Permissions:</source>
        <translation>Permissions :</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Dernière modification :</translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation>Dernier accès :</translation>
    </message>
    <message>
        <source>Properties of %1 items</source>
        <translation>Propriétés de %1 éléments</translation>
    </message>
    <message>
        <source>%1 items: %2 files, %3 folders</source>
        <translation>%1 éléments : %2 fichiers, %3 dossiers</translation>
    </message>
    <message>
        <source>Size of the files:</source>
        <translation>Taille des fichiers :</translation>
    </message>
</context>
<context>
    <name>TRemoteAddress</name>
    <message>
        <source>the port &quot;%1&quot; is no number from 1 to 65535</source>
        <translation>le port &quot;%1&quot; n&apos;est pas un nombre de 1 à 65535</translation>
    </message>
    <message>
        <source>write a folder on another machine as ssh://[user@]host[:port]/path or [user@]host:/path</source>
        <translation>indiquez un dossier d&apos;une autre machine sous la forme ssh://[utilisateur@]hôte[:port]/chemin ou [utilisateur@]hôte:/chemin</translation>
    </message>
    <message>
        <source>the machine&apos;s name is missing</source>
        <translation>le nom de la machine manque</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no machine&apos;s name</source>
        <translation>&quot;%1&quot; n&apos;est pas un nom de machine</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no user&apos;s name</source>
        <translation>&quot;%1&quot; n&apos;est pas un nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>the path holds a zero byte</source>
        <translation>le chemin contient un octet nul</translation>
    </message>
</context>
<context>
    <name>TRemoteStream</name>
    <message>
        <source> (install OpenSSH&apos;s client, or name one in SPACELENS_SSH)</source>
        <extracomment>Added to the system&apos;s reason when ssh is missing; keep the leading space</extracomment>
        <translation> (installez le client OpenSSH, ou indiquez-en un dans SPACELENS_SSH)</translation>
    </message>
    <message>
        <source>ssh ended by signal %1</source>
        <translation>ssh s&apos;est terminé par le signal %1</translation>
    </message>
    <message>
        <source>the scanner on %1 ended well but sent nothing</source>
        <translation>l&apos;outil d&apos;analyse sur %1 s&apos;est bien terminé mais n&apos;a rien envoyé</translation>
    </message>
    <message>
        <source>%1 has none of spacelens, ncdu or gdu; install one of them there</source>
        <translation>%1 ne dispose ni de spacelens, ni de ncdu, ni de gdu ; installez l&apos;un d&apos;eux sur cette machine</translation>
    </message>
    <message>
        <source>the connection to %1 was lost</source>
        <translation>la connexion à %1 a été perdue</translation>
    </message>
    <message>
        <source>the connection to %1 was lost: %2</source>
        <translation>la connexion à %1 a été perdue : %2</translation>
    </message>
    <message>
        <source>ssh could not connect to %1 (without a terminal ssh may not ask for a password or whether to trust a new host: run ssh %1 once on a terminal, or log in with a key)</source>
        <translation>ssh n&apos;a pas pu se connecter à %1 (sans terminal, ssh ne peut pas toujours demander un mot de passe ni s&apos;il faut faire confiance à un nouvel hôte : lancez une fois ssh %1 dans un terminal, ou connectez-vous avec une clé)</translation>
    </message>
    <message>
        <source>%2 (without a terminal ssh may not ask for a password or whether to trust a new host: run ssh %1 once on a terminal, or log in with a key)</source>
        <translation>%2 (sans terminal, ssh ne peut pas toujours demander un mot de passe ni s&apos;il faut faire confiance à un nouvel hôte : lancez une fois ssh %1 dans un terminal, ou connectez-vous avec une clé)</translation>
    </message>
    <message>
        <source>ssh could not connect to %1</source>
        <translation>ssh n&apos;a pas pu se connecter à %1</translation>
    </message>
    <message>
        <source>the scan on %1 ended with status %2</source>
        <translation>l&apos;analyse sur %1 s&apos;est terminée avec le code %2</translation>
    </message>
</context>
<context>
    <name>TRemover</name>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>Moving to the Trash</source>
        <translation>Déplacement vers la corbeille</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Supprimer définitivement</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Suppression</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1: %2 of %3</source>
        <extracomment>What is being done: how many objects of how many</extracomment>
        <translation>%1 : %2 sur %3</translation>
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
        <translation>[Analyse distante]    %1    %2</translation>
    </message>
    <message>
        <source>[Scan as Administrator]    %1    %2</source>
        <translation>[Analyse en tant qu&apos;administrateur]    %1    %2</translation>
    </message>
    <message>
        <source>[Imported Scan]    %1    %2</source>
        <translation>[Analyse importée]    %1    %2</translation>
    </message>
    <message>
        <source>[Current Drive]    Size: %1    Used: %2    Free: %3    %4</source>
        <extracomment>The last is the cluster size</extracomment>
        <translation>[Lecteur actuel]    Taille : %1    Utilisé : %2    Libre : %3    %4</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Percent of Drive: %3 %    Files: %4    Wasted Space: %5</source>
        <translation>[Dossier actuel]  Taille : %1    Alloué : %2    Pourcentage du lecteur : %3 %    Fichiers : %4    Espace perdu : %5</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Percent of Drive: %3 %    Objects: %4    Wasted Space: %5</source>
        <translation>[Dossier actuel]  Taille : %1    Alloué : %2    Pourcentage du lecteur : %3 %    Objets : %4    Espace perdu : %5</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Files: %3    Wasted Space: %4</source>
        <translation>[Dossier actuel]  Taille : %1    Alloué : %2    Fichiers : %3    Espace perdu : %4</translation>
    </message>
    <message>
        <source>[Current Folder]  Size: %1    Allocated: %2    Objects: %3    Wasted Space: %4</source>
        <translation>[Dossier actuel]  Taille : %1    Alloué : %2    Objets : %3    Espace perdu : %4</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>Printing Page %1 ...</source>
        <translation>Impression de la page %1 ...</translation>
    </message>
</context>
<context>
    <name>TRightPane</name>
    <message>
        <source>No folder selected.

The folder selected in the tree shows here as a list, a pie or bar chart, or a treemap. To scan a folder, type its path in the box above and press Enter, or choose Select Directory in the File menu.</source>
        <translation>Aucun dossier sélectionné.

Le dossier sélectionné dans l&apos;arborescence s&apos;affiche ici sous forme de liste, de graphique en secteurs ou en barres, ou de treemap. Pour analyser un dossier, saisissez son chemin dans le champ ci-dessus et appuyez sur Entrée, ou utilisez « Choisir un dossier » dans le menu Fichier.</translation>
    </message>
</context>
<context>
    <name>TRootCommands</name>
    <message>
        <source>Scan Remote</source>
        <translation>Analyser un dossier distant</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1 is incomplete: %2</source>
        <translation>%1 est incomplet : %2</translation>
    </message>
    <message>
        <source>The scan is not remembered: %1</source>
        <translation>L&apos;analyse n&apos;est pas mémorisée : %1</translation>
    </message>
    <message>
        <source>Scan as Administrator</source>
        <translation>Analyser en tant qu&apos;administrateur</translation>
    </message>
    <message>
        <source>Import Scan</source>
        <translation>Importer une analyse</translation>
    </message>
    <message>
        <source>Scans exported by ncdu, gdu or Spacelens (*.json);;All files (*)</source>
        <extracomment>File types of a file dialog: keep the patterns in brackets and the ;;</extracomment>
        <translation>Analyses exportées par ncdu, gdu ou Spacelens (*.json);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>A folder on another machine, reached over SSH:
ssh://[user@]host[:port]/path or [user@]host:/path

The machine scans it with Spacelens, ncdu or gdu, whichever it has.</source>
        <translation>Un dossier d&apos;une autre machine, accessible via SSH :
ssh://[utilisateur@]hôte[:port]/chemin ou [utilisateur@]hôte:/chemin

Cette machine l&apos;analyse avec Spacelens, ncdu ou gdu, selon celui dont elle dispose.</translation>
    </message>
</context>
<context>
    <name>TScanDriver</name>
    <message>
        <source>Cannot find Folder: %1</source>
        <translation>Dossier introuvable : %1</translation>
    </message>
    <message>
        <source>Path %1: %2</source>
        <translation>Chemin %1 : %2</translation>
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
        <translation>%1 dossiers, %2 fichiers (%3 écartés par les règles d&apos;exclusion)</translation>
    </message>
    <message>
        <source>%1 folders, %2 files</source>
        <translation>%1 dossiers, %2 fichiers</translation>
    </message>
    <message>
        <source>Stopped: %1 counted in %2</source>
        <translation>Analyse arrêtée : %1 comptés en %2</translation>
    </message>
    <message>
        <source>Scanned %1 in %2</source>
        <translation>Analyse terminée : %1 en %2</translation>
    </message>
</context>
<context>
    <name>TShellCommands</name>
    <message>
        <source>Delete Permanently</source>
        <translation>Supprimer définitivement</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>Spacelens size</source>
        <translation>Taille selon Spacelens</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>A folder&apos;s property: the space its files take on the disk</extracomment>
        <translation>Alloué</translation>
    </message>
    <message>
        <source>Wasted</source>
        <extracomment>A folder&apos;s property: the space lost to partly filled clusters</extracomment>
        <translation>Perdu</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objets</translation>
    </message>
    <message>
        <source>Scan as Administrator</source>
        <translation>Analyser en tant qu&apos;administrateur</translation>
    </message>
    <message>
        <source>This folder was read by the administrator. Spacelens runs as you: it opens these files as you, but does not rename them, move them to the Trash or scan part of them again. Update scans the folder as the administrator again.</source>
        <translation>Ce dossier a été lu par l&apos;administrateur. Spacelens s&apos;exécute sous votre identité : il ouvre ces fichiers en votre nom, mais ne les renomme pas, ne les met pas à la corbeille et n&apos;en analyse pas à nouveau une partie. Actualiser analyse à nouveau le dossier en tant qu&apos;administrateur.</translation>
    </message>
    <message>
        <source>Remote Scan</source>
        <translation>Analyse distante</translation>
    </message>
    <message>
        <source>These files are on %1; Spacelens acts only on local files. Update reads the folder from there again.</source>
        <translation>Ces fichiers se trouvent sur %1 ; Spacelens n&apos;agit que sur des fichiers locaux. Actualiser relit le dossier depuis cette machine.</translation>
    </message>
    <message>
        <source>Imported Scan</source>
        <translation>Analyse importée</translation>
    </message>
    <message>
        <source>This scan was imported from %1. Its files are on the computer where it was made, so they cannot be opened, renamed, moved to the Trash or scanned again from here.</source>
        <translation>Cette analyse a été importée depuis %1. Ses fichiers se trouvent sur l&apos;ordinateur où elle a été faite : ils ne peuvent donc être ni ouverts, ni renommés, ni mis à la corbeille, ni analysés à nouveau depuis ici.</translation>
    </message>
    <message>
        <source>What went to the Trash still takes its space there, until the Trash is emptied.</source>
        <translation>Ce qui a été mis à la corbeille y occupe toujours de l&apos;espace, jusqu&apos;à ce que la corbeille soit vidée.</translation>
    </message>
    <message>
        <source>Some of what was to be deleted stays: it is counted again.</source>
        <translation>Une partie de ce qui devait être supprimé reste en place : elle est comptée à nouveau.</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
</context>
<context>
    <name>TShellLauncher</name>
    <message>
        <source>Open</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Opening files and folders needs the program xdg-open (Debian package xdg-utils), which is not installed.</source>
        <translation>L&apos;ouverture des fichiers et des dossiers nécessite le programme xdg-open (paquet Debian xdg-utils), qui n&apos;est pas installé.</translation>
    </message>
</context>
<context>
    <name>TShellMenu</name>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Open Containing &amp;Folder</source>
        <translation>Ouvrir le &amp;dossier contenant</translation>
    </message>
    <message>
        <source>&amp;Copy Path</source>
        <translation>&amp;Copier le chemin</translation>
    </message>
    <message>
        <source>Re&amp;name...</source>
        <translation>&amp;Renommer...</translation>
    </message>
    <message>
        <source>Move to &amp;Trash</source>
        <translation>&amp;Mettre à la corbeille</translation>
    </message>
    <message>
        <source>&amp;Delete Permanently...</source>
        <translation>&amp;Supprimer définitivement...</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>&amp;Propriétés</translation>
    </message>
</context>
<context>
    <name>TShellPilot</name>
    <message>
        <source>Cannot Find Folder: %1</source>
        <translation>Dossier introuvable : %1</translation>
    </message>
    <message>
        <source>Error! Cannot find Object &quot;%1&quot; in Folder &quot;%2&quot;</source>
        <translation>Erreur ! Objet &quot;%1&quot; introuvable dans le dossier &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>Title of a message box: the verb</extracomment>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a name: a name cannot be empty, &quot;.&quot; or &quot;..&quot;, nor contain &quot;/&quot;.</source>
        <translation>Impossible d&apos;utiliser &quot;%1&quot; comme nom : un nom ne peut pas être vide, ni valoir &quot;.&quot; ou &quot;..&quot;, ni contenir &quot;/&quot;.</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: a file or folder of that name already exists.</source>
        <translation>Impossible de renommer &quot;%1&quot; en &quot;%2&quot; : un fichier ou un dossier de ce nom existe déjà.</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>Impossible de renommer &quot;%1&quot; en &quot;%2&quot; : %3</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to the Trash?
It can be restored from the Trash.</source>
        <translation>Mettre &quot;%1&quot; à la corbeille ?
Il pourra être restauré depuis la corbeille.</translation>
    </message>
    <message>
        <source>Move these %1 items to the Trash?
They can be restored from the Trash.</source>
        <translation>Mettre ces %1 éléments à la corbeille ?
Ils pourront être restaurés depuis la corbeille.</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; permanently? At least %2 comes free on the disk.
It cannot be restored.</source>
        <translation>Supprimer définitivement &quot;%1&quot; ? Au moins %2 seront libérés sur le disque.
Il ne pourra pas être restauré.</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot; permanently? %2 comes free on the disk.
It cannot be restored.</source>
        <translation>Supprimer définitivement &quot;%1&quot; ? %2 seront libérés sur le disque.
Il ne pourra pas être restauré.</translation>
    </message>
    <message>
        <source>Delete these %1 items permanently? At least %2 comes free on the disk.
They cannot be restored.</source>
        <translation>Supprimer définitivement ces %1 éléments ? Au moins %2 seront libérés sur le disque.
Ils ne pourront pas être restaurés.</translation>
    </message>
    <message>
        <source>Delete these %1 items permanently? %2 comes free on the disk.
They cannot be restored.</source>
        <translation>Supprimer définitivement ces %1 éléments ? %2 seront libérés sur le disque.
Ils ne pourront pas être restaurés.</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Supprimer définitivement</translation>
    </message>
</context>
<context>
    <name>TSizeEdit</name>
    <message>
        <source>bytes</source>
        <translation>octets</translation>
    </message>
</context>
<context>
    <name>TSnapshotCompare</name>
    <message>
        <source>of another folder, %1</source>
        <extracomment>Fills in &quot;Compared with a scan %1&quot;</extracomment>
        <translation>d&apos;un autre dossier, %1</translation>
    </message>
    <message>
        <source>counted with other options (%1 then, %2 now)</source>
        <translation>comptée avec d&apos;autres options (alors %1, maintenant %2)</translation>
    </message>
    <message>
        <source>counted with other cluster sizes (%1 then, %2 now)</source>
        <translation>comptée avec d&apos;autres tailles de cluster (alors %1, maintenant %2)</translation>
    </message>
</context>
<context>
    <name>TSnapshotFile</name>
    <message>
        <source>its last row does not end: the file is cut short</source>
        <translation>sa dernière ligne n&apos;est pas terminée : le fichier est tronqué</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>il est vide</translation>
    </message>
    <message>
        <source>it holds no folder</source>
        <translation>il ne contient aucun dossier</translation>
    </message>
    <message>
        <source>row %1 has %2 fields, not %3: the file is cut short or damaged</source>
        <translation>la ligne %1 a %2 champs au lieu de %3 : le fichier est tronqué ou endommagé</translation>
    </message>
    <message>
        <source>row %1 is of &quot;%2&quot;, no folder: the table is not a folder table</source>
        <translation>la ligne %1 est de type &quot;%2&quot; et non un dossier : ce tableau n&apos;est pas un tableau de dossiers</translation>
    </message>
    <message>
        <source>it is not a snapshot, an ncdu JSON export or a CSV folder table (a first line naming &quot;path&quot;, &quot;size_bytes&quot; and &quot;allocated_bytes&quot; columns)</source>
        <translation>ce n&apos;est ni une analyse enregistrée, ni un export JSON de ncdu, ni un tableau de dossiers CSV (une première ligne nommant les colonnes &quot;path&quot;, &quot;size_bytes&quot; et &quot;allocated_bytes&quot;)</translation>
    </message>
    <message>
        <source>row %1 has &quot;%2&quot; where a whole number belongs</source>
        <translation>la ligne %1 contient &quot;%2&quot; là où un nombre entier est attendu</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>row %1 is no CSV: %2</source>
        <translation>la ligne %1 n&apos;est pas du CSV : %2</translation>
    </message>
    <message>
        <source>it ends within a quoted field: the file is cut short</source>
        <translation>il se termine au milieu d&apos;un champ entre guillemets : le fichier est tronqué</translation>
    </message>
</context>
<context>
    <name>TStatusPanels</name>
    <message>
        <source>All free space of the drive, the blocks kept for the administrator included</source>
        <translation>Tout l&apos;espace libre du lecteur, y compris les blocs réservés à l&apos;administrateur</translation>
    </message>
    <message>
        <source>The free space you can use; blocks kept for the administrator are left out</source>
        <translation>L&apos;espace libre utilisable ; les blocs réservés à l&apos;administrateur ne sont pas comptés</translation>
    </message>
    <message>
        <source>%1 Bytes per Cluster (%2)</source>
        <translation>%1 octets par cluster (%2)</translation>
    </message>
    <message>
        <source>Free Space: </source>
        <translation>Espace libre : </translation>
    </message>
    <message>
        <source>Free Space: %1 (of %2), %3 inodes free</source>
        <translation>Espace libre : %1 (sur %2), %3 inodes libres</translation>
    </message>
    <message>
        <source>Free Space: %1 (of %2)</source>
        <translation>Espace libre : %1 (sur %2)</translation>
    </message>
    <message>
        <source>0 Objects</source>
        <translation>0 objet</translation>
    </message>
    <message>
        <source>%1 Objects</source>
        <translation>%1 objets</translation>
    </message>
</context>
<context>
    <name>TSubtreeView</name>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
</context>
<context>
    <name>TTrash</name>
    <message>
        <source>Cannot make the Trash folder %1: %2</source>
        <translation>Impossible de créer le dossier de la corbeille %1 : %2</translation>
    </message>
    <message>
        <source>Cannot use %1 as a Trash folder: it is not a folder</source>
        <translation>Impossible d&apos;utiliser %1 comme dossier de corbeille : ce n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>Cannot move %1 to the Trash: %2</source>
        <translation>Impossible de mettre %1 à la corbeille : %2</translation>
    </message>
    <message>
        <source>The root folder cannot be moved to the Trash.</source>
        <translation>La racine du système de fichiers ne peut pas être mise à la corbeille.</translation>
    </message>
    <message>
        <source>Cannot make the folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
</context>
<context>
    <name>TTreeCommands</name>
    <message>
        <source>Minimum Expand Size</source>
        <translation>Taille minimale pour développer</translation>
    </message>
    <message>
        <source>Specify the minimum size for expanding and removing:</source>
        <translation>Indiquez la taille minimale pour développer et retirer :</translation>
    </message>
    <message>
        <source>Sorry, this was not a valid size. Give whole megabytes, for example &quot;10 MB&quot; or &quot;2 GB&quot;.</source>
        <extracomment>Keep MB and GB: the size typed is read with these units</extracomment>
        <translation>Désolé, cette taille n&apos;est pas valide. Indiquez un nombre entier de mégaoctets, par exemple &quot;10 MB&quot; ou &quot;2 GB&quot;.</translation>
    </message>
    <message>
        <source>Count Folders</source>
        <translation>Compter les dossiers</translation>
    </message>
    <message>
        <source>     %1 has %2 Folders.     </source>
        <translation>     %1 contient %2 dossiers.     </translation>
    </message>
</context>
<context>
    <name>TTreeReport</name>
    <message>
        <source> Report, </source>
        <extracomment>Between the program&apos;s name and the date atop a printed report; keep the spaces</extracomment>
        <translation> - rapport du </translation>
    </message>
    <message>
        <source>Folder</source>
        <extracomment>Column header of a printed report</extracomment>
        <translation>Dossier</translation>
    </message>
</context>
<context>
    <name>TTreemapAccessible</name>
    <message>
        <source>Treemap of %1</source>
        <translation>Treemap de %1</translation>
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
        <translation>Légende</translation>
    </message>
</context>
<context>
    <name>TTreemapPane</name>
    <message>
        <source>Small items in %1</source>
        <translation>Petits éléments dans %1</translation>
    </message>
    <message>
        <source>%1    %2    Folder</source>
        <translation>%1    %2    Dossier</translation>
    </message>
    <message>
        <source>%1    %2    Folder    %3</source>
        <translation>%1    %2    Dossier    %3</translation>
    </message>
    <message>
        <source>Small items</source>
        <translation>Petits éléments</translation>
    </message>
    <message>
        <source>&amp;Copy Picture</source>
        <translation>&amp;Copier l&apos;image</translation>
    </message>
    <message>
        <source>&amp;Save Picture As...</source>
        <translation>&amp;Enregistrer l&apos;image sous...</translation>
    </message>
</context>
<context>
    <name>TTreemapView</name>
    <message>
        <source>Drawing...</source>
        <translation>Dessin en cours...</translation>
    </message>
</context>
<context>
    <name>TTypesCommands</name>
    <message>
        <source>&amp;List Files of %1</source>
        <translation>&amp;Lister les fichiers de type %1</translation>
    </message>
    <message>
        <source>&amp;Export Types...</source>
        <translation>&amp;Exporter les types...</translation>
    </message>
    <message>
        <source>Export</source>
        <extracomment>Title of a message box</extracomment>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>The files are still being counted; export their types once they are shown.</source>
        <translation>Les fichiers sont encore en cours de comptage ; exportez leurs types une fois qu&apos;ils sont affichés.</translation>
    </message>
    <message>
        <source>types</source>
        <extracomment>Fills in &quot;The %1 could not be saved to %2&quot;</extracomment>
        <translation>types</translation>
    </message>
    <message>
        <source>Export the Types</source>
        <translation>Exporter les types</translation>
    </message>
    <message>
        <source> - File Types   </source>
        <extracomment>After the program&apos;s name atop a printed report; keep the spaces</extracomment>
        <translation> - Types de fichiers   </translation>
    </message>
    <message>
        <source>Type</source>
        <extracomment>Column header of a printed report</extracomment>
        <translation>Type</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Allocated</source>
        <extracomment>Column header: the space taken on the disk</extracomment>
        <translation>Alloué</translation>
    </message>
    <message>
        <source>% of Folder</source>
        <translation>% du dossier</translation>
    </message>
</context>
<context>
    <name>TTypesList</name>
    <message>
        <source>Select a type to light its files in the treemap; double-click it to list them.</source>
        <translation>Sélectionnez un type pour faire ressortir ses fichiers dans la treemap ; double-cliquez dessus pour les lister.</translation>
    </message>
    <message>
        <source>Tree&amp;map</source>
        <translation>Tree&amp;map</translation>
    </message>
    <message>
        <source>Show the treemap below the types</source>
        <translation>Afficher la treemap sous les types</translation>
    </message>
    <message>
        <source>Save the types as a CSV table</source>
        <translation>Enregistrer les types sous forme de tableau CSV</translation>
    </message>
    <message>
        <source>Counting the files...</source>
        <translation>Comptage des fichiers...</translation>
    </message>
    <message>
        <source>%1 types in %2 classes, %3 files</source>
        <translation>%1 types dans %2 catégories, %3 fichiers</translation>
    </message>
    <message>
        <source>%1 types in %2 classes, %3 files, %4</source>
        <translation>%1 types dans %2 catégories, %3 fichiers, %4</translation>
    </message>
</context>
<context>
    <name>TTypesModel</name>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Allocated</source>
        <translation>Alloué</translation>
    </message>
    <message>
        <source>% of Folder</source>
        <translation>% du dossier</translation>
    </message>
    <message>
        <source>Largest File</source>
        <translation>Plus gros fichier</translation>
    </message>
    <message>
        <source>no extension</source>
        <translation>sans extension</translation>
    </message>
</context>
<context>
    <name>TValueDisplay</name>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Bytes Allocated</source>
        <translation>Espace alloué</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Pourcentage</translation>
    </message>
    <message>
        <source>Wasted Space</source>
        <translation>Espace perdu</translation>
    </message>
    <message>
        <source>CD-ROM Cluster Size</source>
        <translation>Taille de cluster CD-ROM</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objets</translation>
    </message>
    <message>
        <source>%1 allocated</source>
        <translation>%1 d&apos;espace alloué</translation>
    </message>
    <message>
        <source>%1 wasted</source>
        <translation>%1 d&apos;espace perdu</translation>
    </message>
    <message>
        <source>%1 on CD-ROM</source>
        <translation>%1 sur CD-ROM</translation>
    </message>
    <message>
        <source>&lt;Files&gt;</source>
        <extracomment>The entry of a folder&apos;s own files in the tree</extracomment>
        <translation>&lt;Fichiers&gt;</translation>
    </message>
    <message>
        <source>%1 (as administrator)</source>
        <translation>%1 (en tant qu&apos;administrateur)</translation>
    </message>
    <message>
        <source>%1 (imported)</source>
        <translation>%1 (importé)</translation>
    </message>
    <message>
        <source>%1 [Incomplete]</source>
        <translation>%1 [Incomplet]</translation>
    </message>
    <message>
        <source>%1 [Stopped]</source>
        <translation>%1 [Arrêté]</translation>
    </message>
    <message>
        <source>%1 [Access Denied!]</source>
        <translation>%1 [Accès refusé !]</translation>
    </message>
    <message>
        <source>%1 [Error!]</source>
        <translation>%1 [Erreur !]</translation>
    </message>
    <message>
        <source>new</source>
        <extracomment>A folder the earlier scan did not have</extracomment>
        <translation>nouveau</translation>
    </message>
    <message>
        <source>same</source>
        <extracomment>No change since the earlier scan</extracomment>
        <translation>inchangé</translation>
    </message>
</context>
</TS>
