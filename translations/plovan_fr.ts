<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>LoadReason</name>
    <message>
        <source>there is no such file</source>
        <translation>ce fichier n&apos;existe pas</translation>
    </message>
    <message>
        <source>it is a folder, not a picture file</source>
        <translation>c&apos;est un dossier, pas un fichier image</translation>
    </message>
    <message>
        <source>it is not a regular file but a named pipe, a device or a socket</source>
        <translation>ce n&apos;est pas un fichier ordinaire mais un tube nommé, un périphérique ou un socket</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>le fichier ne peut pas être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>not a PNG or JPEG picture</source>
        <translation>ce n&apos;est pas une image PNG ou JPEG</translation>
    </message>
    <message>
        <source>the file ends early (damaged or incomplete)</source>
        <translation>le fichier s&apos;arrête trop tôt (endommagé ou incomplet)</translation>
    </message>
    <message>
        <source>the %1 header is damaged or incomplete</source>
        <translation>l&apos;en-tête %1 est endommagé ou incomplet</translation>
    </message>
    <message>
        <source>the %1 picture data is damaged or incomplete</source>
        <translation>les données d&apos;image %1 sont endommagées ou incomplètes</translation>
    </message>
    <message>
        <source>the JPEG has %1 scans, more than the limit of %2 (real encoders write a few, and every scan is another pass over the whole picture)</source>
        <translation>le JPEG contient %1 passes, plus que la limite de %2 (les vrais encodeurs n&apos;en écrivent que quelques-unes, et chaque passe reparcourt toute l&apos;image)</translation>
    </message>
    <message>
        <source>the picture is %1x%2 pixels; %3</source>
        <translation>l&apos;image fait %1x%2 pixels&#xa0;; %3</translation>
    </message>
    <message>
        <source>not enough memory to read the file</source>
        <translation>pas assez de mémoire pour lire le fichier</translation>
    </message>
    <message>
        <source>not enough memory for a picture of %1x%2 pixels</source>
        <translation>pas assez de mémoire pour une image de %1x%2 pixels</translation>
    </message>
    <message>
        <source>a picture of %1x%2 pixels needs %3 MiB to decode, more than the limit of %4 MiB</source>
        <translation>une image de %1x%2 pixels demande %3 Mio pour être décodée, plus que la limite de %4 Mio</translation>
    </message>
    <message>
        <source>the picture is %1 dots wide after scaling, wider than the paper&apos;s %2 dots</source>
        <translation>l&apos;image fait %1 points de large après mise à l&apos;échelle, plus que les %2 points du papier</translation>
    </message>
    <message>
        <source>this installation has no %1 decoder (Qt&apos;s image plugin for %1 is missing)</source>
        <translation>cette installation n&apos;a pas de décodeur %1 (le module d&apos;images de Qt pour %1 manque)</translation>
    </message>
</context>
<context>
    <name>LogoSummary</name>
    <message>
        <source>%1x%2 dots, %3 band, %4 characters, %5x%6 mm at %7 dpi</source>
        <translation>%1x%2 points, %3 bande, %4 caractères, %5x%6 mm à %7 ppp</translation>
    </message>
    <message>
        <source>%1x%2 dots, %3 bands, %4 characters, %5x%6 mm at %7 dpi</source>
        <translation>%1x%2 points, %3 bandes, %4 caractères, %5x%6 mm à %7 ppp</translation>
    </message>
</context>
<context>
    <name>LogoTextFault</name>
    <message>
        <source>a space</source>
        <translation>un espace</translation>
    </message>
    <message>
        <source>a tab (%1)</source>
        <translation>une tabulation (%1)</translation>
    </message>
    <message>
        <source>a carriage return (%1)</source>
        <translation>un retour chariot (%1)</translation>
    </message>
    <message>
        <source>a line feed (%1)</source>
        <translation>un saut de ligne (%1)</translation>
    </message>
    <message>
        <source>a byte order mark (%1)</source>
        <translation>une marque d&apos;ordre des octets (%1)</translation>
    </message>
    <message>
        <source>the text is empty; logo data text starts with &quot;OBM¶&quot;</source>
        <translation>le texte est vide&#xa0;; un texte de données de logo commence par «&#xa0;OBM¶&#xa0;»</translation>
    </message>
    <message>
        <source>the text does not start with the opening line &quot;OBM¶&quot;</source>
        <translation>le texte ne commence pas par la ligne d&apos;ouverture «&#xa0;OBM¶&#xa0;»</translation>
    </message>
    <message>
        <source>a band header &quot;BMD¶&quot; or the closing line &quot;CBM¶&quot; was expected here</source>
        <translation>un en-tête de bande «&#xa0;BMD¶&#xa0;» ou la ligne de fermeture «&#xa0;CBM¶&#xa0;» était attendu ici</translation>
    </message>
    <message>
        <source>%1 is not an uppercase hexadecimal digit (0-9, A-F)</source>
        <translation>%1 n&apos;est pas un chiffre hexadécimal en majuscule (0-9, A-F)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a lowercase hexadecimal digit; the digits must be uppercase (A-F)</source>
        <translation>«&#xa0;%1&#xa0;» est un chiffre hexadécimal en minuscule&#xa0;; les chiffres doivent être en majuscules (A-F)</translation>
    </message>
    <message>
        <source>a space, which logo data text never holds</source>
        <translation>un espace, ce qu&apos;un texte de données de logo ne contient jamais</translation>
    </message>
    <message>
        <source>a carriage return (a line break added by an editor or a mail program); logo data text ends its lines with &quot;¶&quot; only</source>
        <translation>un retour chariot (un retour à la ligne ajouté par un éditeur ou un logiciel de messagerie)&#xa0;; un texte de données de logo ne termine ses lignes que par «&#xa0;¶&#xa0;»</translation>
    </message>
    <message>
        <source>a line feed (a line break added by an editor or a mail program); logo data text ends its lines with &quot;¶&quot; only</source>
        <translation>un saut de ligne (un retour à la ligne ajouté par un éditeur ou un logiciel de messagerie)&#xa0;; un texte de données de logo ne termine ses lignes que par «&#xa0;¶&#xa0;»</translation>
    </message>
    <message>
        <source>a byte order mark (U+FEFF), which some editors put at the start of a file; logo data text starts with &quot;OBM¶&quot;</source>
        <translation>une marque d&apos;ordre des octets (U+FEFF), que certains éditeurs placent au début d&apos;un fichier&#xa0;; un texte de données de logo commence par «&#xa0;OBM¶&#xa0;»</translation>
    </message>
    <message>
        <source>the band has an odd number of digits (%1); every column takes two</source>
        <translation>la bande a un nombre impair de chiffres (%1)&#xa0;; chaque colonne en prend deux</translation>
    </message>
    <message>
        <source>the band has no digits; every band has two digits for each column</source>
        <translation>la bande n&apos;a aucun chiffre&#xa0;; chaque bande a deux chiffres par colonne</translation>
    </message>
    <message>
        <source>the band has %1 digits but the first band has %2; all bands must be equally wide</source>
        <translation>la bande a %1 chiffres mais la première en a %2&#xa0;; toutes les bandes doivent avoir la même largeur</translation>
    </message>
    <message>
        <source>the band has %1 digits, a picture %2 dots wide; at most %3 dots are possible</source>
        <translation>la bande a %1 chiffres, soit une image de %2 points de large&#xa0;; %3 points au plus sont possibles</translation>
    </message>
    <message>
        <source>more than %1 bands; a picture has at most %2 rows</source>
        <translation>plus de %1 bandes&#xa0;; une image a au plus %2 lignes</translation>
    </message>
    <message>
        <source>a black dot in row %1, past the %2 rows a picture can have; in band %3 the second digit of every column must be even</source>
        <translation>un point noir à la ligne %1, au-delà des %2 lignes qu&apos;une image peut avoir&#xa0;; dans la bande %3, le second chiffre de chaque colonne doit être pair</translation>
    </message>
    <message>
        <source>no band: the opening line must be followed by at least one band header &quot;BMD¶&quot; and its line of digits</source>
        <translation>aucune bande&#xa0;: la ligne d&apos;ouverture doit être suivie d&apos;au moins un en-tête de bande «&#xa0;BMD¶&#xa0;» et de sa ligne de chiffres</translation>
    </message>
    <message>
        <source>no closing line &quot;CBM¶&quot;: the text ends here</source>
        <translation>pas de ligne de fermeture «&#xa0;CBM¶&#xa0;»&#xa0;: le texte s&apos;arrête ici</translation>
    </message>
    <message>
        <source>the text ends inside a band&apos;s digits, without &quot;¶&quot; and the closing line &quot;CBM¶&quot;</source>
        <translation>le texte s&apos;arrête au milieu des chiffres d&apos;une bande, sans «&#xa0;¶&#xa0;» ni la ligne de fermeture «&#xa0;CBM¶&#xa0;»</translation>
    </message>
    <message>
        <source>text after the closing line &quot;CBM¶&quot;, starting with %1</source>
        <translation>du texte après la ligne de fermeture «&#xa0;CBM¶&#xa0;», commençant par %1</translation>
    </message>
    <message>
        <source>the byte %1 is not UTF-8; the text must be saved as UTF-8, where &quot;¶&quot; is the bytes C2 B6</source>
        <translation>l&apos;octet %1 n&apos;est pas de l&apos;UTF-8&#xa0;; le texte doit être enregistré en UTF-8, où «&#xa0;¶&#xa0;» s&apos;écrit avec les octets C2 B6</translation>
    </message>
    <message>
        <source>the text is UTF-16; save it as UTF-8</source>
        <translation>le texte est en UTF-16&#xa0;; enregistrez-le en UTF-8</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>ligne %1, colonne %2&#xa0;: %3</translation>
    </message>
</context>
<context>
    <name>LogoTextReadError</name>
    <message>
        <source>the file is larger than any logo data text</source>
        <translation>le fichier est plus grand que n&apos;importe quel texte de données de logo</translation>
    </message>
    <message>
        <source>it is a folder, not a text file</source>
        <translation>c&apos;est un dossier, pas un fichier texte</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>pas assez de mémoire pour le lire</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Aucun fichier ou dossier de ce type</translation>
    </message>
    <message>
        <source>file to open is a directory</source>
        <translation>le fichier à ouvrir est un dossier</translation>
    </message>
    <message>
        <source>Cannot open &apos;%1&apos;: %2</source>
        <translation>Impossible d&apos;ouvrir «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>MemoryWords</name>
    <message>
        <source>There is not enough memory for this picture.</source>
        <translation>Il n&apos;y a pas assez de mémoire pour cette image.</translation>
    </message>
</context>
<context>
    <name>PictureFileNames</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>%1 pictures (%2)</source>
        <translation>Images %1 (%2)</translation>
    </message>
</context>
<context>
    <name>PlovanCli</name>
    <message>
        <source>Brightness threshold, 0-255 (default 100), or auto: the one that best separates the picture&apos;s dark and light parts (Otsu&apos;s method). With a halftone, 128 is neutral: every grey is moved by 128 - N before it is spread.</source>
        <translation>Seuil de luminosité, 0-255 (100 par défaut), ou auto&#xa0;: celui qui sépare le mieux les parties sombres et claires de l&apos;image (méthode d&apos;Otsu). Avec un tramage, 128 est neutre&#xa0;: chaque gris est décalé de 128 - N avant d&apos;être diffusé.</translation>
    </message>
    <message>
        <source>Print the pixels lighter than the threshold instead.</source>
        <translation>Imprimer plutôt les pixels plus clairs que le seuil.</translation>
    </message>
    <message>
        <source>Turn the picture clockwise by 90, 180 or 270 degrees (after the turn its camera recorded, before anything else).</source>
        <translation>Faire pivoter l&apos;image de 90, 180 ou 270 degrés dans le sens horaire (après la rotation enregistrée par l&apos;appareil photo, avant tout le reste).</translation>
    </message>
    <message>
        <source>Mirror the picture left to right, after --rotate.</source>
        <translation>Retourner l&apos;image de gauche à droite, après --rotate.</translation>
    </message>
    <message>
        <source>Lighten (up to 100) or darken (down to -100) every colour, in hundredths of the range; default 0.</source>
        <translation>Éclaircir (jusqu&apos;à 100) ou assombrir (jusqu&apos;à -100) chaque couleur, en centièmes de la plage&#xa0;; 0 par défaut.</translation>
    </message>
    <message>
        <source>Spread the colours apart from the middle grey (up to 100: twice as far) or draw them together (down to -100: all middle grey); default 0.</source>
        <translation>Écarter les couleurs du gris moyen (jusqu&apos;à 100&#xa0;: deux fois plus loin) ou les rapprocher (jusqu&apos;à -100&#xa0;: tout en gris moyen)&#xa0;; 0 par défaut.</translation>
    </message>
    <message>
        <source>Gamma, 0.10-10.00, at most two decimals (default 1): above 1 lightens the middle greys, below 1 darkens them. Each colour v becomes 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, held within 0-1) ^ (1 / G), rounded.</source>
        <translation>Gamma, 0.10-10.00, deux décimales au plus (1 par défaut)&#xa0;: au-dessus de 1, il éclaircit les gris moyens, en dessous de 1, il les assombrit. Chaque couleur v devient 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, borné à 0-1) ^ (1 / G), arrondi.</translation>
    </message>
    <message>
        <source>Remove the margins: the outer rows and columns that are paper all along (a mean of 250 or more; with --reverse, 5 or less), after the tone and before the scaling. A picture that is paper everywhere is kept whole.</source>
        <translation>Supprimer les marges&#xa0;: les lignes et colonnes extérieures qui ne sont que du papier (une moyenne de 250 ou plus&#xa0;; avec --reverse, 5 ou moins), après la tonalité et avant la mise à l&apos;échelle. Une image qui n&apos;est que du papier est gardée entière.</translation>
    </message>
    <message>
        <source>Scale the picture to D dots wide, 1-32767, keeping its proportions (each dot the average of the area it covers).</source>
        <translation>Mettre l&apos;image à l&apos;échelle sur D points de large, 1-32767, en gardant ses proportions (chaque point est la moyenne de la zone qu&apos;il couvre).</translation>
    </message>
    <message>
        <source>Scale the picture down to D dots wide, 1-32767, only when it is wider; never enlarges.</source>
        <translation>Réduire l&apos;image à D points de large, 1-32767, seulement si elle est plus large&#xa0;; n&apos;agrandit jamais.</translation>
    </message>
    <message>
        <source>Centre the picture on paper P dots wide, 1-32767, with white on either side; a picture wider than P is an error.</source>
        <translation>Centrer l&apos;image sur un papier de P points de large, 1-32767, avec du blanc de chaque côté&#xa0;; une image plus large que P est une erreur.</translation>
    </message>
    <message>
        <source>none (default: the threshold alone, for line-art logos and text); for photos and gradients the error diffusions floyd-steinberg, atkinson (lighter, cleaner highlights), jarvis, stucki and sierra (smoother, wider), or the screens ordered (8x8 Bayer), blue-noise (no pattern) and clustered (dots grown in clusters, about 50 lines per inch at 203 dpi, for heads that lose single dots).</source>
        <translation>none (par défaut&#xa0;: le seuil seul, pour les logos au trait et le texte)&#xa0;; pour les photos et les dégradés, les diffusions d&apos;erreur floyd-steinberg, atkinson (plus clair, hautes lumières plus nettes), jarvis, stucki et sierra (plus doux, plus étendus), ou les trames ordered (Bayer 8x8), blue-noise (sans motif) et clustered (points groupés en amas, environ 50 lignes par pouce à 203 ppp, pour les têtes qui perdent les points isolés).</translation>
    </message>
    <message>
        <source>With an error diffusion: run every other row right to left, which breaks up its diagonal worms.</source>
        <translation>Avec une diffusion d&apos;erreur&#xa0;: parcourir une ligne sur deux de droite à gauche, ce qui casse ses vers en diagonale.</translation>
    </message>
    <message>
        <source>Write the text to FILE (replaced whole, or left untouched on failure).</source>
        <translation>Écrire le texte dans FILE (remplacé en entier, ou laissé intact en cas d&apos;échec).</translation>
    </message>
    <message>
        <source>Also write the black-and-white picture that is encoded (scaled, centred and halftoned) as a PNG file.</source>
        <translation>Écrire aussi l&apos;image en noir et blanc qui est encodée (mise à l&apos;échelle, centrée et tramée) dans un fichier PNG.</translation>
    </message>
    <message>
        <source>Read back logo data text from TEXTFILE (- for standard input) instead of converting an IMAGE.</source>
        <translation>Relire un texte de données de logo depuis TEXTFILE (- pour l&apos;entrée standard) au lieu de convertir une IMAGE.</translation>
    </message>
    <message>
        <source>With --check: the printer&apos;s dots per inch, 1-2400 (default 203).</source>
        <translation>Avec --check&#xa0;: les points par pouce de l&apos;imprimante, 1-2400 (203 par défaut).</translation>
    </message>
    <message>
        <source>Turns a PNG or JPEG logo into logo data text for a receipt printer: a pixel prints
when the mean of its red, green and blue is below the threshold (above it with
--reverse). The text goes to standard output unless --output names a file.

For a photo or a big picture: --max-width scales it down to the printer&apos;s width
(384 dots on 58 mm paper, 576 on 80 mm, 832 on 112 mm), --center-on pads it to the
paper, and --halftone spreads its greys over black dots instead of cutting them at
one threshold. An 80 mm receipt logo from a photo:
  plovan-cli --max-width 576 --halftone floyd-steinberg photo.jpg

The steps run in the order: decode (with the camera&apos;s turn), --rotate, --mirror,
--brightness, --contrast and --gamma, --trim, --width or --max-width, --center-on,
then the threshold or halftone.

With --check, reads logo data text back instead: when it is valid, prints its size
as &quot;576x240 dots, 30 bands, 34718 characters, 72.1x30.0 mm at 203 dpi&quot; (and
--preview writes its picture); when not, says on standard error at which line and
column and why, and exits with status 1.</source>
        <translation>Transforme un logo PNG ou JPEG en texte de données de logo pour une imprimante de
tickets&#xa0;: un pixel est imprimé quand la moyenne de son rouge, de son vert et de son
bleu est sous le seuil (au-dessus avec --reverse). Le texte va sur la sortie
standard, sauf si --output nomme un fichier.

Pour une photo ou une grande image&#xa0;: --max-width la réduit à la largeur de
l&apos;imprimante (384 points sur du papier de 58 mm, 576 sur 80 mm, 832 sur 112 mm),
--center-on la complète jusqu&apos;à la largeur du papier, et --halftone répartit ses
gris en points noirs au lieu de les couper à un seuil. Un logo de ticket de 80 mm à
partir d&apos;une photo&#xa0;:
  plovan-cli --max-width 576 --halftone floyd-steinberg photo.jpg

Les étapes s&apos;enchaînent dans cet ordre&#xa0;: décodage (avec la rotation de l&apos;appareil
photo), --rotate, --mirror, --brightness, --contrast et --gamma, --trim, --width ou
--max-width, --center-on, puis le seuil ou le tramage.

Avec --check, relit au contraire un texte de données de logo&#xa0;: s&apos;il est valide,
affiche sa taille, par exemple «&#xa0;576x240 points, 30 bandes, 34718 caractères,
72.1x30.0 mm à 203 ppp&#xa0;» (et --preview écrit son image)&#xa0;; sinon, indique sur
la sortie d&apos;erreur standard à quelle ligne et quelle colonne et pourquoi, et se
termine avec le code de sortie 1.</translation>
    </message>
    <message>
        <source>The PNG or JPEG picture, or - for standard input.</source>
        <translation>L&apos;image PNG ou JPEG, ou - pour l&apos;entrée standard.</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>--check reads a text, not an IMAGE (&apos;%1&apos;)</source>
        <translation>--check lit un texte, pas une IMAGE («&#xa0;%1&#xa0;»)</translation>
    </message>
    <message>
        <source>--%1 does not go with --check</source>
        <translation>--%1 ne va pas avec --check</translation>
    </message>
    <message>
        <source>--check needs a file name</source>
        <translation>--check demande un nom de fichier</translation>
    </message>
    <message>
        <source>the dpi must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>la résolution en ppp doit être un nombre entier de %1 à %2, pas «&#xa0;%3&#xa0;»</translation>
    </message>
    <message>
        <source>--dpi goes with --check only</source>
        <translation>--dpi ne va qu&apos;avec --check</translation>
    </message>
    <message>
        <source>no IMAGE given</source>
        <translation>aucune IMAGE indiquée</translation>
    </message>
    <message>
        <source>only one IMAGE, not %1</source>
        <translation>une seule IMAGE, pas %1</translation>
    </message>
    <message>
        <source>the threshold must be a whole number from 0 to 255 or auto, not &apos;%1&apos;</source>
        <translation>le seuil doit être un nombre entier de 0 à 255 ou auto, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--%1 must be a whole number of dots from 1 to %2, not &apos;%3&apos;</source>
        <translation>--%1 doit être un nombre entier de points de 1 à %2, pas «&#xa0;%3&#xa0;»</translation>
    </message>
    <message>
        <source>--width and --max-width do not go together</source>
        <translation>--width et --max-width ne vont pas ensemble</translation>
    </message>
    <message>
        <source>the halftone must be %1, not &apos;%2&apos;</source>
        <translation>le tramage doit être %1, pas «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>--serpentine goes with an error diffusion (%1), not with the halftone &apos;%2&apos;</source>
        <translation>--serpentine va avec une diffusion d&apos;erreur (%1), pas avec le tramage «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>--rotate must be 90, 180 or 270 (degrees clockwise), not &apos;%1&apos;</source>
        <translation>--rotate doit valoir 90, 180 ou 270 (degrés dans le sens horaire), pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--%1 must be a whole number from -100 to 100, not &apos;%2&apos;</source>
        <translation>--%1 doit être un nombre entier de -100 à 100, pas «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>--gamma must be a number from 0.10 to 10.00 with at most two decimals, not &apos;%1&apos;</source>
        <translation>--gamma doit être un nombre de 0.10 à 10.00 avec au plus deux décimales, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output demande un nom de fichier</translation>
    </message>
    <message>
        <source>cannot load &apos;%1&apos;: %2</source>
        <translation>impossible de charger «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>sortie standard</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>impossible d&apos;écrire «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot read &apos;%1&apos;: %2</source>
        <translation>impossible de lire «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not logo data text: %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un texte de données de logo&#xa0;: %2</translation>
    </message>
    <message>
        <source>Usage: plovan-cli [--threshold N|auto] [--reverse] [--rotate 90|180|270] [--mirror]
                  [--brightness B] [--contrast C] [--gamma G] [--trim]
                  [--width D | --max-width D] [--center-on P]
                  [--halftone KIND [--serpentine]] [--dot-gain R]
                  [--output FILE] [--preview OUT.png] [--simulate OUT.png] IMAGE
       plovan-cli --check TEXTFILE [--preview OUT.png] [--simulate OUT.png
                  [--dot-gain R]] [--dpi N]
       plovan-cli --calibration-strip [--width D] [--halftone KIND [--serpentine]]
                  [--output FILE] [--preview OUT.png] [--simulate OUT.png [--dot-gain R]]
Try &apos;plovan-cli --help&apos; for more information.
</source>
        <translation>Utilisation&#xa0;: plovan-cli [--threshold N|auto] [--reverse] [--rotate 90|180|270] [--mirror]
                         [--brightness B] [--contrast C] [--gamma G] [--trim]
                         [--width D | --max-width D] [--center-on P]
                         [--halftone KIND [--serpentine]] [--dot-gain R]
                         [--output FILE] [--preview OUT.png] [--simulate OUT.png] IMAGE
              plovan-cli --check TEXTFILE [--preview OUT.png] [--simulate OUT.png
                         [--dot-gain R]] [--dpi N]
              plovan-cli --calibration-strip [--width D] [--halftone KIND [--serpentine]]
                         [--output FILE] [--preview OUT.png] [--simulate OUT.png [--dot-gain R]]
Essayez «&#xa0;plovan-cli --help&#xa0;» pour en savoir plus.
</translation>
    </message>
    <message>
        <source>How large the printer&apos;s dots print: round dots of R x the diagonal of their square cell, 1.00-1.41, at most two decimals (thermal heads lie between about 1.0 and 1.4). The halftones allow for the overlap, so that a grey prints at its own tone: the error diffusions weigh each dot by what it prints, the screens go through a tone curve. Without it the dots are taken to be their square cells. With --check, for --simulate only.</source>
        <translation>La taille à laquelle s’impriment les points de l’imprimante : des points ronds de R x la diagonale de leur cellule carrée, 1.00-1.41, au plus deux décimales (les têtes thermiques se situent entre 1.0 et 1.4 environ). Les tramages tiennent compte du chevauchement, pour qu’un gris s’imprime à son propre ton : les diffusions d’erreur pèsent chaque point par ce qu’il imprime, les trames passent par une courbe de tons. Sans elle, les points sont pris pour leurs cellules carrées. Avec --check, seulement pour --simulate.</translation>
    </message>
    <message>
        <source>Also write the picture as it will print, as a PNG file: 8 x 8 pixels a dot, each black dot a disc of 8 x 1.41 x R pixels across for --dot-gain R (the square cells without it), black on white. At most 4095 dots a side.</source>
        <translation>Écrire aussi l’image telle qu’elle s’imprimera, en fichier PNG : 8 x 8 pixels par point, chaque point noir un disque de 8 x 1.41 x R pixels de diamètre pour --dot-gain R (les cellules carrées sans cette option), noir sur blanc. Au plus 4095 points de côté.</translation>
    </message>
    <message>
        <source>Instead of an IMAGE, make a strip to print once: a row for each dot gain 1.0, 1.1, 1.2, 1.3 and 1.4, labelled, a mid grey patch halftoned for it beside a coarse 50 % checkerboard. The row whose patch looks as dark as its checkerboard is the printer&apos;s --dot-gain. As wide as --width (default 384, at least 128), through --halftone (floyd-steinberg for none), written as logo data text like a picture.</source>
        <translation>Au lieu d’une IMAGE, créer une bande à imprimer une fois : une rangée étiquetée pour chaque engraissement 1.0, 1.1, 1.2, 1.3 et 1.4, un gris moyen tramé pour lui à côté d’un damier grossier à 50 %. La rangée dont le carré paraît aussi sombre que son damier donne le --dot-gain de l’imprimante. Aussi large que --width (384 par défaut, au moins 128), tramée par --halftone (floyd-steinberg pour none), écrite en texte de données de logo comme une image.</translation>
    </message>
    <message>
        <source>--dot-gain must be a number from 1.00 to 1.41 with at most two decimals, not &apos;%1&apos;</source>
        <translation>--dot-gain doit être un nombre de 1.00 à 1.41 avec au plus deux décimales, et non «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--%1 needs a file name</source>
        <translation>--%1 demande un nom de fichier</translation>
    </message>
    <message>
        <source>--dot-gain goes with --check only for --simulate</source>
        <translation>--dot-gain ne va avec --check que pour --simulate</translation>
    </message>
    <message>
        <source>--calibration-strip makes its own picture, not one of an IMAGE (&apos;%1&apos;)</source>
        <translation>--calibration-strip crée sa propre image, pas celle d’une IMAGE («&#xa0;%1&#xa0;»)</translation>
    </message>
    <message>
        <source>--%1 does not go with --calibration-strip</source>
        <translation>--%1 ne va pas avec --calibration-strip</translation>
    </message>
    <message>
        <source>--width must be a whole number of dots from %1 to %2 for the calibration strip, not &apos;%3&apos;</source>
        <translation>pour la bande d’étalonnage, --width doit être un nombre entier de points de %1 à %2, et non «&#xa0;%3&#xa0;»</translation>
    </message>
    <message>
        <source>--dot-gain goes with --calibration-strip only for --simulate</source>
        <translation>--dot-gain ne va avec --calibration-strip que pour --simulate</translation>
    </message>
    <message>
        <source>--calibration-strip does not go with --check</source>
        <translation>--calibration-strip ne va pas avec --check</translation>
    </message>
    <message>
        <source>cannot make the calibration strip: %1</source>
        <translation>impossible de créer la bande d’étalonnage : %1</translation>
    </message>
</context>
<context>
    <name>PrepareError</name>
    <message>
        <source>the picture</source>
        <translation>l&apos;image</translation>
    </message>
    <message>
        <source>its original size</source>
        <translation>sa taille d&apos;origine</translation>
    </message>
    <message>
        <source>paper %1 dots wide</source>
        <translation>un papier de %1 points de large</translation>
    </message>
    <message>
        <source>a width of %1 dots</source>
        <translation>une largeur de %1 points</translation>
    </message>
    <message>
        <source>there is not enough memory for a picture of %1x%2 dots.</source>
        <translation>il n&apos;y a pas assez de mémoire pour une image de %1x%2 points.</translation>
    </message>
    <message>
        <source>it is %1 dots wide, wider than the paper&apos;s %2 dots.</source>
        <translation>elle fait %1 points de large, plus que les %2 points du papier.</translation>
    </message>
    <message>
        <source>a picture of %1x%2 dots is outside the range 1-32767.</source>
        <translation>une image de %1x%2 points sort de la plage 1-32767.</translation>
    </message>
    <message>
        <source>Cannot prepare %1 for %2: %3</source>
        <translation>Impossible de préparer %1 pour %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Cannot turn %1: %2</source>
        <translation>Impossible de faire pivoter %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot mirror %1: %2</source>
        <translation>Impossible de retourner %1 en miroir&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot adjust the tone of %1: %2</source>
        <translation>Impossible d&apos;ajuster la tonalité de %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot trim the margins of %1: %2</source>
        <translation>Impossible de rogner les marges de %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot put back the margins of %1: %2</source>
        <translation>Impossible de rétablir les marges de %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Afficher l&apos;aide sur les options de la ligne de commande.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Afficher l&apos;aide, y compris les options propres à Qt.</translation>
    </message>
</context>
<context>
    <name>RangeWords</name>
    <message>
        <source>Width/Height needs to be in the range 1-32767</source>
        <translation>La largeur et la hauteur doivent être comprises entre 1 et 32767</translation>
    </message>
</context>
<context>
    <name>SimulationWords</name>
    <message>
        <source>a picture %1 dots wide or high is too large to simulate (at most %2 dots)</source>
        <translation>une image de %1 points de large ou de haut est trop grande pour être simulée (au plus %2 points)</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>it is the input file</source>
        <translation>c&apos;est le fichier d&apos;entrée</translation>
    </message>
</context>
<context>
    <name>plovan::Canvas</name>
    <message>
        <source>%1 dots</source>
        <translation>%1 points</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Aucune image</translation>
    </message>
</context>
<context>
    <name>plovan::ImageMenu</name>
    <message>
        <source>&amp;Image</source>
        <translation>&amp;Image</translation>
    </message>
    <message>
        <source>Printer &amp;Width</source>
        <translation>&amp;Largeur d&apos;impression</translation>
    </message>
    <message>
        <source>&amp;Halftone</source>
        <translation>&amp;Tramage</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Taille d&apos;origine</translation>
    </message>
    <message>
        <source>384 dots (58 mm paper)</source>
        <translation>384 points (papier de 58 mm)</translation>
    </message>
    <message>
        <source>576 dots (80 mm paper)</source>
        <translation>576 points (papier de 80 mm)</translation>
    </message>
    <message>
        <source>832 dots (112 mm paper)</source>
        <translation>832 points (papier de 112 mm)</translation>
    </message>
    <message>
        <source>Other Width…</source>
        <translation>Autre largeur…</translation>
    </message>
    <message>
        <source>&amp;Centre on Paper</source>
        <translation>&amp;Centrer sur le papier</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Aucun</translation>
    </message>
    <message>
        <source>&amp;Floyd–Steinberg</source>
        <translation>&amp;Floyd–Steinberg</translation>
    </message>
    <message>
        <source>&amp;Atkinson</source>
        <translation>At&amp;kinson</translation>
    </message>
    <message>
        <source>&amp;Ordered</source>
        <translation>&amp;Ordonné</translation>
    </message>
    <message>
        <source>&amp;Automatic Threshold</source>
        <translation>Seuil &amp;automatique</translation>
    </message>
    <message>
        <source>&amp;Jarvis–Judice–Ninke</source>
        <translation>&amp;Jarvis–Judice–Ninke</translation>
    </message>
    <message>
        <source>S&amp;tucki</source>
        <translation>S&amp;tucki</translation>
    </message>
    <message>
        <source>S&amp;ierra</source>
        <translation>S&amp;ierra</translation>
    </message>
    <message>
        <source>&amp;Blue Noise</source>
        <translation>&amp;Bruit bleu</translation>
    </message>
    <message>
        <source>&amp;Clustered</source>
        <translation>Points &amp;groupés</translation>
    </message>
    <message>
        <source>&amp;Serpentine</source>
        <translation>&amp;Serpentin</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Faire pivoter à &amp;droite</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Faire pivoter à &amp;gauche</translation>
    </message>
    <message>
        <source>&amp;Mirror</source>
        <translation>&amp;Miroir</translation>
    </message>
    <message>
        <source>&amp;Trim White Margins</source>
        <translation>&amp;Rogner les marges blanches</translation>
    </message>
    <message>
        <source>Adjust T&amp;one…</source>
        <translation>Ajuster la t&amp;onalité…</translation>
    </message>
    <message>
        <source>Printer &amp;Dots</source>
        <translation>Points d&apos;&amp;impression</translation>
    </message>
    <message>
        <source>&amp;Square (no model)</source>
        <translation>&amp;Carrés (sans modèle)</translation>
    </message>
    <message>
        <source>&amp;Other…</source>
        <translation>&amp;Autre…</translation>
    </message>
    <message>
        <source>Calibration &amp;Strip</source>
        <translation>&amp;Bande d&apos;étalonnage</translation>
    </message>
</context>
<context>
    <name>plovan::MainMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Load Image…</source>
        <translation>&amp;Charger une image…</translation>
    </message>
    <message>
        <source>&amp;Open Logo Data Text…</source>
        <translation>&amp;Ouvrir un texte de données de logo…</translation>
    </message>
    <message>
        <source>&amp;Save Logo Data Text As…</source>
        <translation>&amp;Enregistrer le texte de données de logo sous…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
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
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <source>Print &amp;Preview</source>
        <translation>A&amp;perçu avant impression</translation>
    </message>
    <message>
        <source>&amp;About Plovan</source>
        <translation>À &amp;propos de Plovan</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>À propos de &amp;Qt</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Barre de menus</translation>
    </message>
</context>
<context>
    <name>plovan::PrintPreview</name>
    <message>
        <source>Print Preview</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>The picture as large as it will print</source>
        <translation>L&apos;image à la taille où elle sera imprimée</translation>
    </message>
    <message>
        <source>Picture on paper</source>
        <translation>Image sur le papier</translation>
    </message>
    <message>
        <source>Printer resolution</source>
        <translation>Résolution de l&apos;imprimante</translation>
    </message>
    <message>
        <source>%1 dpi</source>
        <translation>%1 ppp</translation>
    </message>
    <message>
        <source>Printer &amp;resolution:</source>
        <translation>&amp;Résolution de l&apos;imprimante&#xa0;:</translation>
    </message>
    <message>
        <source>No picture loaded</source>
        <translation>Aucune image chargée</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Ajuster</translation>
    </message>
    <message>
        <source>Printed Size</source>
        <translation>Taille imprimée</translation>
    </message>
    <message>
        <source>%1 pixels a dot</source>
        <translation>%1 pixels par point</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom&#xa0;:</translation>
    </message>
    <message>
        <source>As &amp;Printed</source>
        <translation>Comme &amp;imprimé</translation>
    </message>
    <message>
        <source>The dots as the printer&apos;s round dots print them</source>
        <translation>Les points tels que les points ronds de l&apos;imprimante les impriment</translation>
    </message>
</context>
<context>
    <name>plovan::RecentMenu</name>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Fichiers &amp;récents</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Effacer la liste</translation>
    </message>
</context>
<context>
    <name>plovan::ToneDialog</name>
    <message>
        <source>Adjust Tone</source>
        <translation>Ajuster la tonalité</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Luminosité&#xa0;:</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Co&amp;ntrast:</source>
        <translation>&amp;Contraste&#xa0;:</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>&amp;Gamma:</source>
        <translation>&amp;Gamma&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Réinitialiser</translation>
    </message>
</context>
<context>
    <name>plovan::Window1</name>
    <message>
        <source>This could not be done: %1</source>
        <translation>Impossible de le faire&#xa0;: %1</translation>
    </message>
    <message>
        <source>Cannot load &apos;%1&apos;: %2</source>
        <translation>Impossible de charger «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Charger une image</translation>
    </message>
    <message>
        <source>Logo data text (*.txt);;All files (*)</source>
        <translation>Texte de données de logo (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open Logo Data Text</source>
        <translation>Ouvrir un texte de données de logo</translation>
    </message>
    <message>
        <source>Save Logo Data Text As</source>
        <translation>Enregistrer le texte de données de logo sous</translation>
    </message>
    <message>
        <source>&amp;Save Anyway</source>
        <translation>&amp;Enregistrer quand même</translation>
    </message>
    <message>
        <source>Printer Width</source>
        <translation>Largeur d&apos;impression</translation>
    </message>
    <message>
        <source>The width of the printer&apos;s print head, for a printer not in the menu</source>
        <translation>La largeur de la tête d&apos;impression, pour une imprimante absente du menu</translation>
    </message>
    <message>
        <source>Width of the print head in dots:</source>
        <translation>Largeur de la tête d&apos;impression en points&#xa0;:</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Turns a JPEG or PNG logo into logo data text for a receipt printer.</source>
        <translation>Transforme un logo JPEG ou PNG en texte de données de logo pour une imprimante de tickets.</translation>
    </message>
    <message>
        <source>About Plovan</source>
        <translation>À propos de Plovan</translation>
    </message>
    <message>
        <source>Imported Image</source>
        <translation>Image importée</translation>
    </message>
    <message>
        <source>Load Image....</source>
        <translation>Charger l&apos;image…</translation>
    </message>
    <message>
        <source>Chooses a JPEG or PNG picture and loads it</source>
        <translation>Choisit une image JPEG ou PNG et la charge</translation>
    </message>
    <message>
        <source>Size of the picture in dots</source>
        <translation>Taille de l&apos;image en points</translation>
    </message>
    <message>
        <source>Processed Image</source>
        <translation>Image traitée</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Converts the picture again at the threshold</source>
        <translation>Convertit à nouveau l&apos;image avec le seuil</translation>
    </message>
    <message>
        <source>Rows done so far</source>
        <translation>Lignes traitées jusqu&apos;ici</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Seuil</translation>
    </message>
    <message>
        <source>Dots darker than this print black</source>
        <translation>Les points plus sombres s&apos;impriment en noir</translation>
    </message>
    <message>
        <source>Threshold value</source>
        <translation>Valeur du seuil</translation>
    </message>
    <message>
        <source>Reverse Image</source>
        <translation>Inverser l&apos;image</translation>
    </message>
    <message>
        <source>Swaps black and white</source>
        <translation>Échange le noir et le blanc</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <source>Makes the logo data text of the processed picture</source>
        <translation>Produit le texte de données de logo de l&apos;image traitée</translation>
    </message>
    <message>
        <source>Image Data</source>
        <translation>Données d&apos;image</translation>
    </message>
    <message>
        <source>The logo data text for the printer</source>
        <translation>Le texte de données de logo pour l&apos;imprimante</translation>
    </message>
    <message>
        <source>Scroll Image Data</source>
        <translation>Faire défiler les données d&apos;image</translation>
    </message>
    <message>
        <source>Plovan %1 — logos for receipt printers</source>
        <translation>Plovan %1 — des logos pour imprimantes de tickets</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not logo data text: %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un texte de données de logo&#xa0;: %2</translation>
    </message>
    <message>
        <source>The text is not logo data text: %1.

Save it anyway?</source>
        <translation>Le texte n&apos;est pas un texte de données de logo&#xa0;: %1.

L&apos;enregistrer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Cannot save &apos;%1&apos;: %2</source>
        <translation>Impossible d&apos;enregistrer «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>Printer Dots</source>
        <translation>Points d&apos;impression</translation>
    </message>
    <message>
        <source>How much larger than its cell the printer&apos;s round dot is, as the calibration strip finds it</source>
        <translation>De combien le point rond de l&apos;imprimante dépasse sa cellule, tel que la bande d&apos;étalonnage le trouve</translation>
    </message>
    <message>
        <source>Dot diameter over the cell&apos;s diagonal (%1 to %2):</source>
        <translation>Diamètre du point sur la diagonale de la cellule (%1 à %2)&#xa0;:</translation>
    </message>
    <message>
        <source>The calibration strip needs a printer width of at least %1 dots.</source>
        <translation>La bande d&apos;étalonnage demande une largeur d&apos;impression d&apos;au moins %1 points.</translation>
    </message>
    <message>
        <source>Calibration Strip</source>
        <translation>Bande d&apos;étalonnage</translation>
    </message>
</context>
</TS>
