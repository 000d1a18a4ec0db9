<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ctlListView</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Modifié le</translation>
    </message>
    <message>
        <source>Link to</source>
        <translation>Lien vers</translation>
    </message>
    <message>
        <source>Permission</source>
        <translation>Droits</translation>
    </message>
    <message>
        <source>Owner/Group</source>
        <translation>Propriétaire/Groupe</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
</context>
<context>
    <name>ctlListViewItem</name>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
</context>
<context>
    <name>ctlListViewItemFavor</name>
    <message>
        <source>&lt;Separater&gt;</source>
        <translation>&lt;Séparateur&gt;</translation>
    </message>
</context>
<context>
    <name>frmFilename</name>
    <message>
        <source>Create new folder</source>
        <translation>Créer un nouveau dossier</translation>
    </message>
    <message>
        <source>Create new text document</source>
        <translation>Créer un nouveau document texte</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Please input a folder name.</source>
        <translation>Veuillez saisir un nom de dossier.</translation>
    </message>
    <message>
        <source>Please input a file name.</source>
        <translation>Veuillez saisir un nom de fichier.</translation>
    </message>
    <message>
        <source>Please input the folder name after change.</source>
        <translation>Veuillez saisir le nouveau nom du dossier.</translation>
    </message>
    <message>
        <source>Please input the file name after change.</source>
        <translation>Veuillez saisir le nouveau nom du fichier.</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Exécuter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Please wait...</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>%1 objects  selected (total %2KB)</source>
        <translation>%1 objets  sélectionnés (total %2 Ko)</translation>
    </message>
    <message>
        <source>%1 objects (total %2KB)</source>
        <translation>%1 objets (total %2 Ko)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Folder  (Fn+N)</source>
        <translation>&amp;Dossier  (Fn+N)</translation>
    </message>
    <message>
        <source>&amp;Text Document  (Fn+M)</source>
        <translation>Document &amp;texte  (Fn+M)</translation>
    </message>
    <message>
        <source>&amp;Delete  (Del)</source>
        <translation>&amp;Supprimer  (Suppr)</translation>
    </message>
    <message>
        <source>Rena&amp;me  (Fn+B)</source>
        <translation>&amp;Renommer  (Fn+B)</translation>
    </message>
    <message>
        <source>P&amp;roperties  (Fn+P)</source>
        <translation>&amp;Propriétés  (Fn+P)</translation>
    </message>
    <message>
        <source>Open wi&amp;th</source>
        <translation>Ou&amp;vrir avec</translation>
    </message>
    <message>
        <source>&amp;Send To</source>
        <translation>&amp;Envoyer vers</translation>
    </message>
    <message>
        <source>Send Q&amp;Cop (testing!!)</source>
        <translation>Envoyer Q&amp;Cop (essai !!)</translation>
    </message>
    <message>
        <source>Reload &amp;HomeIcon</source>
        <translation>Recharger les icônes de l&apos;&amp;accueil</translation>
    </message>
    <message>
        <source>Reload &amp;TrayIcon</source>
        <translation>Recharger les icônes de la &amp;barre</translation>
    </message>
    <message>
        <source>&amp;Lights Off</source>
        <translation>É&amp;teindre l&apos;écran</translation>
    </message>
    <message>
        <source>&amp;Screen Saver</source>
        <translation>Économiseur d&apos;é&amp;cran</translation>
    </message>
    <message>
        <source>&amp;Quick Restart</source>
        <translation>Redémarrage &amp;rapide</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Cu&amp;t  (Fn+X)</source>
        <translation>Co&amp;uper  (Fn+X)</translation>
    </message>
    <message>
        <source>&amp;Copy  (Fn+C)</source>
        <translation>&amp;Copier  (Fn+C)</translation>
    </message>
    <message>
        <source>&amp;Past  (Fn+V)</source>
        <translation>C&amp;oller  (Fn+V)</translation>
    </message>
    <message>
        <source>Past Sym&amp;link</source>
        <translation>Coller comme &amp;lien symbolique</translation>
    </message>
    <message>
        <source>&amp;MultiSelect ON</source>
        <translation>Sélection &amp;multiple activée</translation>
    </message>
    <message>
        <source>Select &amp;All  (Fn+A)</source>
        <translation>&amp;Tout sélectionner  (Fn+A)</translation>
    </message>
    <message>
        <source>&amp;Invert Selection  (Fn+R)</source>
        <translation>&amp;Inverser la sélection  (Fn+R)</translation>
    </message>
    <message>
        <source>MultiSelect &amp;OFF</source>
        <translation>Sélection multiple dé&amp;sactivée</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>O&amp;ptions...</translation>
    </message>
    <message>
        <source>&amp;Tool Bar</source>
        <translation>Barre d&apos;&amp;outils</translation>
    </message>
    <message>
        <source>Address &amp;Bar</source>
        <translation>Barre d&apos;a&amp;dresse</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barre d&apos;é&amp;tat</translation>
    </message>
    <message>
        <source>&amp;Favorites  (Fn+I)</source>
        <translation>&amp;Favoris  (Fn+I)</translation>
    </message>
    <message>
        <source>&amp;Refresh  (Fn+5)</source>
        <translation>&amp;Actualiser  (Fn+5)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Past</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>&amp;Folder</source>
        <translation>&amp;Dossier</translation>
    </message>
    <message>
        <source>&amp;Text Document</source>
        <translation>Document &amp;texte</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>&amp;Edit Favorites...</source>
        <translation>&amp;Modifier les favoris...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Nouveau dossier</translation>
    </message>
    <message>
        <source>New Text.txt</source>
        <translation>Nouveau texte.txt</translation>
    </message>
    <message>
        <source>Please choose the file or folder to delete.</source>
        <translation>Veuillez choisir le fichier ou le dossier à supprimer.</translation>
    </message>
    <message>
        <source>Confirm SymbolicLink Delete</source>
        <translation>Confirmer la suppression du lien symbolique</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the symbolic link
&apos;%1&apos;?</source>
        <translation>Voulez-vous vraiment supprimer le lien symbolique
&apos;%1&apos; ?</translation>
    </message>
    <message>
        <source>Confirm Folder Delete</source>
        <translation>Confirmer la suppression du dossier</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the folder
&apos;%1&apos; and all its contents?</source>
        <translation>Voulez-vous vraiment supprimer le dossier
&apos;%1&apos; et tout son contenu ?</translation>
    </message>
    <message>
        <source>Confirm File Delete</source>
        <translation>Confirmer la suppression du fichier</translation>
    </message>
    <message>
        <source>Are you sure you want to delete
&apos;%1&apos;?</source>
        <translation>Voulez-vous vraiment supprimer
&apos;%1&apos; ?</translation>
    </message>
    <message>
        <source>Confirm Multiple File Delete</source>
        <translation>Confirmer la suppression de plusieurs éléments</translation>
    </message>
    <message>
        <source>Are you sure you want to delete these %1 items?</source>
        <translation>Voulez-vous vraiment supprimer ces %1 éléments ?</translation>
    </message>
    <message>
        <source>The move was prepared.</source>
        <translation>Le déplacement est prêt.</translation>
    </message>
    <message>
        <source>The copy was prepared.</source>
        <translation>La copie est prête.</translation>
    </message>
    <message>
        <source>The name of
&apos;%1&apos;
is not valid text in this system&apos;s encoding:
it cannot be handled here.</source>
        <translation>Le nom de
&apos;%1&apos;
n&apos;est pas un texte valide dans le codage de ce système :
il ne peut pas être traité ici.</translation>
    </message>
</context>
<context>
    <name>frmOption</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Layered Icon</source>
        <translation>Marques sur les icônes</translation>
    </message>
    <message>
        <source>Symbolic Link</source>
        <translation>Lien symbolique</translation>
    </message>
    <message>
        <source>Read Only</source>
        <translation>Lecture seule</translation>
    </message>
    <message>
        <source>Executable</source>
        <translation>Exécutable</translation>
    </message>
    <message>
        <source>Show hidden objects</source>
        <translation>Afficher les objets cachés</translation>
    </message>
    <message>
        <source>In Linux OS, the hidden objects is a file name starts in &quot;.&quot;</source>
        <translation>Sous Linux, un objet caché est un fichier dont le nom commence par &quot;.&quot;</translation>
    </message>
    <message>
        <source>Open last Folder at the next starting</source>
        <translation>Ouvrir le dernier dossier au prochain démarrage</translation>
    </message>
    <message>
        <source>&amp;Upper</source>
        <translation>M&amp;onter</translation>
    </message>
    <message>
        <source>Do&amp;wn</source>
        <translation>&amp;Descendre</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Dummy</source>
        <translation>Factice</translation>
    </message>
    <message>
        <source>&amp;Add Current Folder</source>
        <translation>&amp;Ajouter le dossier courant</translation>
    </message>
    <message>
        <source>&amp;Separater</source>
        <translation>Sépa&amp;rateur</translation>
    </message>
</context>
<context>
    <name>frmOptionFavorDetail</name>
    <message>
        <source>Edit Favorite Item</source>
        <translation>Modifier le favori</translation>
    </message>
    <message>
        <source>Please input a favorite item title.</source>
        <translation>Veuillez saisir le titre du favori.</translation>
    </message>
    <message>
        <source>Title :</source>
        <translation>Titre :</translation>
    </message>
    <message>
        <source>Path :</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmProperty</name>
    <message>
        <source> Properties</source>
        <translation> - Propriétés</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sécurité</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>MimeType:</source>
        <translation>Type MIME :</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Emplacement :</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille :</translation>
    </message>
    <message>
        <source>LastModified:</source>
        <translation>Modifié le :</translation>
    </message>
    <message>
        <source>read</source>
        <translation>lecture</translation>
    </message>
    <message>
        <source>write</source>
        <translation>écriture</translation>
    </message>
    <message>
        <source>execute</source>
        <translation>exécution</translation>
    </message>
    <message>
        <source>owner:</source>
        <translation>propriétaire :</translation>
    </message>
    <message>
        <source>group:</source>
        <translation>groupe :</translation>
    </message>
    <message>
        <source>other:</source>
        <translation>autres :</translation>
    </message>
</context>
<context>
    <name>kxCommon</name>
    <message>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <source>Documents</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>SD Card</source>
        <translation>Carte SD</translation>
    </message>
    <message>
        <source>CF Card</source>
        <translation>Carte CF</translation>
    </message>
    <message>
        <source>Root</source>
        <translation>Racine</translation>
    </message>
    <message>
        <source>Moving...</source>
        <translation>Déplacement...</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>Copie...</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Confirm Folder Replace</source>
        <translation>Confirmer le remplacement du dossier</translation>
    </message>
    <message>
        <source>This folder already contains a folder named 
&apos;%1&apos;. 

Do you want to move or copy the folder?</source>
        <translation>Ce dossier contient déjà un dossier nommé
&apos;%1&apos;.

Voulez-vous déplacer ou copier le dossier ?</translation>
    </message>
    <message>
        <source>Confirm File Replace</source>
        <translation>Confirmer le remplacement du fichier</translation>
    </message>
</context>
</TS>
