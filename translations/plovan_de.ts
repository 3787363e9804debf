<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>LoadReason</name>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>it is a folder, not a picture file</source>
        <translation>das ist ein Ordner, keine Bilddatei</translation>
    </message>
    <message>
        <source>it is not a regular file but a named pipe, a device or a socket</source>
        <translation>das ist keine gewöhnliche Datei, sondern eine benannte Pipe, ein Gerät oder ein Socket</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>not a PNG or JPEG picture</source>
        <translation>kein PNG- oder JPEG-Bild</translation>
    </message>
    <message>
        <source>the file ends early (damaged or incomplete)</source>
        <translation>die Datei endet zu früh (beschädigt oder unvollständig)</translation>
    </message>
    <message>
        <source>the %1 header is damaged or incomplete</source>
        <translation>der %1-Dateikopf ist beschädigt oder unvollständig</translation>
    </message>
    <message>
        <source>the %1 picture data is damaged or incomplete</source>
        <translation>die %1-Bilddaten sind beschädigt oder unvollständig</translation>
    </message>
    <message>
        <source>the JPEG has %1 scans, more than the limit of %2 (real encoders write a few, and every scan is another pass over the whole picture)</source>
        <translation>das JPEG hat %1 Scans, mehr als die Grenze von %2 (echte Encoder schreiben nur wenige, und jeder Scan ist ein weiterer Durchgang über das ganze Bild)</translation>
    </message>
    <message>
        <source>the picture is %1x%2 pixels; %3</source>
        <translation>das Bild hat %1x%2 Pixel; %3</translation>
    </message>
    <message>
        <source>not enough memory to read the file</source>
        <translation>nicht genug Speicher, um die Datei zu lesen</translation>
    </message>
    <message>
        <source>not enough memory for a picture of %1x%2 pixels</source>
        <translation>nicht genug Speicher für ein Bild mit %1x%2 Pixeln</translation>
    </message>
    <message>
        <source>a picture of %1x%2 pixels needs %3 MiB to decode, more than the limit of %4 MiB</source>
        <translation>ein Bild mit %1x%2 Pixeln braucht zum Dekodieren %3 MiB, mehr als die Grenze von %4 MiB</translation>
    </message>
    <message>
        <source>the picture is %1 dots wide after scaling, wider than the paper&apos;s %2 dots</source>
        <translation>das Bild ist nach dem Skalieren %1 Punkte breit, breiter als die %2 Punkte des Papiers</translation>
    </message>
    <message>
        <source>this installation has no %1 decoder (Qt&apos;s image plugin for %1 is missing)</source>
        <translation>diese Installation hat keinen %1-Decoder (Qts Bild-Plugin für %1 fehlt)</translation>
    </message>
</context>
<context>
    <name>LogoSummary</name>
    <message>
        <source>%1x%2 dots, %3 band, %4 characters, %5x%6 mm at %7 dpi</source>
        <translation>%1x%2 Punkte, %3 Streifen, %4 Zeichen, %5x%6 mm bei %7 dpi</translation>
    </message>
    <message>
        <source>%1x%2 dots, %3 bands, %4 characters, %5x%6 mm at %7 dpi</source>
        <translation>%1x%2 Punkte, %3 Streifen, %4 Zeichen, %5x%6 mm bei %7 dpi</translation>
    </message>
</context>
<context>
    <name>LogoTextFault</name>
    <message>
        <source>a space</source>
        <translation>ein Leerzeichen</translation>
    </message>
    <message>
        <source>a tab (%1)</source>
        <translation>ein Tabulator (%1)</translation>
    </message>
    <message>
        <source>a carriage return (%1)</source>
        <translation>ein Wagenrücklauf (%1)</translation>
    </message>
    <message>
        <source>a line feed (%1)</source>
        <translation>ein Zeilenvorschub (%1)</translation>
    </message>
    <message>
        <source>a byte order mark (%1)</source>
        <translation>eine Byte-Order-Markierung (%1)</translation>
    </message>
    <message>
        <source>the text is empty; logo data text starts with &quot;OBM¶&quot;</source>
        <translation>der Text ist leer; Logodatentext beginnt mit „OBM¶“</translation>
    </message>
    <message>
        <source>the text does not start with the opening line &quot;OBM¶&quot;</source>
        <translation>der Text beginnt nicht mit der Anfangszeile „OBM¶“</translation>
    </message>
    <message>
        <source>a band header &quot;BMD¶&quot; or the closing line &quot;CBM¶&quot; was expected here</source>
        <translation>hier wurde ein Streifenkopf „BMD¶“ oder die Schlusszeile „CBM¶“ erwartet</translation>
    </message>
    <message>
        <source>%1 is not an uppercase hexadecimal digit (0-9, A-F)</source>
        <translation>%1 ist keine großgeschriebene Hexadezimalziffer (0-9, A-F)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a lowercase hexadecimal digit; the digits must be uppercase (A-F)</source>
        <translation>„%1“ ist eine kleingeschriebene Hexadezimalziffer; die Ziffern müssen großgeschrieben sein (A-F)</translation>
    </message>
    <message>
        <source>a space, which logo data text never holds</source>
        <translation>ein Leerzeichen, das in Logodatentext nie vorkommt</translation>
    </message>
    <message>
        <source>a carriage return (a line break added by an editor or a mail program); logo data text ends its lines with &quot;¶&quot; only</source>
        <translation>ein Wagenrücklauf (ein Zeilenumbruch, den ein Editor oder ein Mailprogramm eingefügt hat); Logodatentext beendet seine Zeilen nur mit „¶“</translation>
    </message>
    <message>
        <source>a line feed (a line break added by an editor or a mail program); logo data text ends its lines with &quot;¶&quot; only</source>
        <translation>ein Zeilenvorschub (ein Zeilenumbruch, den ein Editor oder ein Mailprogramm eingefügt hat); Logodatentext beendet seine Zeilen nur mit „¶“</translation>
    </message>
    <message>
        <source>a byte order mark (U+FEFF), which some editors put at the start of a file; logo data text starts with &quot;OBM¶&quot;</source>
        <translation>eine Byte-Order-Markierung (U+FEFF), die manche Editoren an den Anfang einer Datei setzen; Logodatentext beginnt mit „OBM¶“</translation>
    </message>
    <message>
        <source>the band has an odd number of digits (%1); every column takes two</source>
        <translation>der Streifen hat eine ungerade Zahl von Ziffern (%1); jede Spalte braucht zwei</translation>
    </message>
    <message>
        <source>the band has no digits; every band has two digits for each column</source>
        <translation>der Streifen hat keine Ziffern; jeder Streifen hat zwei Ziffern pro Spalte</translation>
    </message>
    <message>
        <source>the band has %1 digits but the first band has %2; all bands must be equally wide</source>
        <translation>der Streifen hat %1 Ziffern, der erste aber %2; alle Streifen müssen gleich breit sein</translation>
    </message>
    <message>
        <source>the band has %1 digits, a picture %2 dots wide; at most %3 dots are possible</source>
        <translation>der Streifen hat %1 Ziffern, also ein Bild von %2 Punkten Breite; möglich sind höchstens %3 Punkte</translation>
    </message>
    <message>
        <source>more than %1 bands; a picture has at most %2 rows</source>
        <translation>mehr als %1 Streifen; ein Bild hat höchstens %2 Bildzeilen</translation>
    </message>
    <message>
        <source>a black dot in row %1, past the %2 rows a picture can have; in band %3 the second digit of every column must be even</source>
        <translation>ein schwarzer Punkt in Bildzeile %1, jenseits der %2 Bildzeilen, die ein Bild haben kann; in Streifen %3 muss die zweite Ziffer jeder Spalte gerade sein</translation>
    </message>
    <message>
        <source>no band: the opening line must be followed by at least one band header &quot;BMD¶&quot; and its line of digits</source>
        <translation>kein Streifen: auf die Anfangszeile muss mindestens ein Streifenkopf „BMD¶“ mit seiner Ziffernzeile folgen</translation>
    </message>
    <message>
        <source>no closing line &quot;CBM¶&quot;: the text ends here</source>
        <translation>keine Schlusszeile „CBM¶“: der Text endet hier</translation>
    </message>
    <message>
        <source>the text ends inside a band&apos;s digits, without &quot;¶&quot; and the closing line &quot;CBM¶&quot;</source>
        <translation>der Text endet mitten in den Ziffern eines Streifens, ohne „¶“ und die Schlusszeile „CBM¶“</translation>
    </message>
    <message>
        <source>text after the closing line &quot;CBM¶&quot;, starting with %1</source>
        <translation>Text nach der Schlusszeile „CBM¶“, beginnend mit %1</translation>
    </message>
    <message>
        <source>the byte %1 is not UTF-8; the text must be saved as UTF-8, where &quot;¶&quot; is the bytes C2 B6</source>
        <translation>das Byte %1 ist kein UTF-8; der Text muss als UTF-8 gespeichert sein, wo „¶“ die Bytes C2 B6 sind</translation>
    </message>
    <message>
        <source>the text is UTF-16; save it as UTF-8</source>
        <translation>der Text ist UTF-16; speichern Sie ihn als UTF-8</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>Zeile %1, Spalte %2: %3</translation>
    </message>
</context>
<context>
    <name>LogoTextReadError</name>
    <message>
        <source>the file is larger than any logo data text</source>
        <translation>die Datei ist größer als jeder Logodatentext</translation>
    </message>
    <message>
        <source>it is a folder, not a text file</source>
        <translation>das ist ein Ordner, keine Textdatei</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>nicht genug Speicher, um sie zu lesen</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Datei oder Verzeichnis nicht gefunden</translation>
    </message>
    <message>
        <source>file to open is a directory</source>
        <translation>die zu öffnende Datei ist ein Verzeichnis</translation>
    </message>
    <message>
        <source>Cannot open &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>MemoryWords</name>
    <message>
        <source>There is not enough memory for this picture.</source>
        <translation>Für dieses Bild ist nicht genug Speicher vorhanden.</translation>
    </message>
</context>
<context>
    <name>PictureFileNames</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>%1 pictures (%2)</source>
        <translation>%1-Bilder (%2)</translation>
    </message>
</context>
<context>
    <name>PlovanCli</name>
    <message>
        <source>Brightness threshold, 0-255 (default 100), or auto: the one that best separates the picture&apos;s dark and light parts (Otsu&apos;s method). With a halftone, 128 is neutral: every grey is moved by 128 - N before it is spread.</source>
        <translation>Helligkeitsschwelle, 0-255 (Vorgabe 100), oder auto: die Schwelle, die die dunklen und hellen Teile des Bildes am besten trennt (Otsu-Verfahren). Mit einer Rasterung ist 128 neutral: jeder Grauwert wird vor dem Verteilen um 128 - N verschoben.</translation>
    </message>
    <message>
        <source>Print the pixels lighter than the threshold instead.</source>
        <translation>Stattdessen die Pixel drucken, die heller als die Schwelle sind.</translation>
    </message>
    <message>
        <source>Turn the picture clockwise by 90, 180 or 270 degrees (after the turn its camera recorded, before anything else).</source>
        <translation>Das Bild um 90, 180 oder 270 Grad im Uhrzeigersinn drehen (nach der Drehung, die seine Kamera vermerkt hat, vor allem anderen).</translation>
    </message>
    <message>
        <source>Mirror the picture left to right, after --rotate.</source>
        <translation>Das Bild von links nach rechts spiegeln, nach --rotate.</translation>
    </message>
    <message>
        <source>Lighten (up to 100) or darken (down to -100) every colour, in hundredths of the range; default 0.</source>
        <translation>Jede Farbe aufhellen (bis 100) oder abdunkeln (bis -100), in Hundertsteln des Bereichs; Vorgabe 0.</translation>
    </message>
    <message>
        <source>Spread the colours apart from the middle grey (up to 100: twice as far) or draw them together (down to -100: all middle grey); default 0.</source>
        <translation>Die Farben vom mittleren Grau weg spreizen (bis 100: doppelt so weit) oder zusammenziehen (bis -100: alles mittleres Grau); Vorgabe 0.</translation>
    </message>
    <message>
        <source>Gamma, 0.10-10.00, at most two decimals (default 1): above 1 lightens the middle greys, below 1 darkens them. Each colour v becomes 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, held within 0-1) ^ (1 / G), rounded.</source>
        <translation>Gamma, 0.10-10.00, höchstens zwei Nachkommastellen (Vorgabe 1): über 1 hellt es die mittleren Grautöne auf, unter 1 dunkelt es sie ab. Jede Farbe v wird zu 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, begrenzt auf 0-1) ^ (1 / G), gerundet.</translation>
    </message>
    <message>
        <source>Remove the margins: the outer rows and columns that are paper all along (a mean of 250 or more; with --reverse, 5 or less), after the tone and before the scaling. A picture that is paper everywhere is kept whole.</source>
        <translation>Die Ränder entfernen: die äußeren Zeilen und Spalten, die durchgehend Papier sind (ein Mittelwert von 250 oder mehr; mit --reverse 5 oder weniger), nach dem Ton und vor dem Skalieren. Ein Bild, das überall Papier ist, bleibt ganz.</translation>
    </message>
    <message>
        <source>Scale the picture to D dots wide, 1-32767, keeping its proportions (each dot the average of the area it covers).</source>
        <translation>Das Bild auf D Punkte Breite skalieren, 1-32767, mit gleichbleibenden Proportionen (jeder Punkt ist der Mittelwert der Fläche, die er abdeckt).</translation>
    </message>
    <message>
        <source>Scale the picture down to D dots wide, 1-32767, only when it is wider; never enlarges.</source>
        <translation>Das Bild auf D Punkte Breite verkleinern, 1-32767, nur wenn es breiter ist; vergrößert nie.</translation>
    </message>
    <message>
        <source>Centre the picture on paper P dots wide, 1-32767, with white on either side; a picture wider than P is an error.</source>
        <translation>Das Bild auf Papier von P Punkten Breite zentrieren, 1-32767, mit Weiß zu beiden Seiten; ein Bild, das breiter als P ist, ist ein Fehler.</translation>
    </message>
    <message>
        <source>none (default: the threshold alone, for line-art logos and text); for photos and gradients the error diffusions floyd-steinberg, atkinson (lighter, cleaner highlights), jarvis, stucki and sierra (smoother, wider), or the screens ordered (8x8 Bayer), blue-noise (no pattern) and clustered (dots grown in clusters, about 50 lines per inch at 203 dpi, for heads that lose single dots).</source>
        <translation>none (Vorgabe: nur die Schwelle, für Strichzeichnungs-Logos und Text); für Fotos und Verläufe die Fehlerdiffusionen floyd-steinberg, atkinson (heller, sauberere Lichter), jarvis, stucki und sierra (weicher, weiter reichend) oder die Raster ordered (8x8-Bayer), blue-noise (ohne Muster) und clustered (in Gruppen wachsende Punkte, etwa 50 Linien pro Zoll bei 203 dpi, für Druckköpfe, die einzelne Punkte verlieren).</translation>
    </message>
    <message>
        <source>With an error diffusion: run every other row right to left, which breaks up its diagonal worms.</source>
        <translation>Mit einer Fehlerdiffusion: jede zweite Zeile von rechts nach links durchlaufen, was ihre diagonalen Würmer aufbricht.</translation>
    </message>
    <message>
        <source>Write the text to FILE (replaced whole, or left untouched on failure).</source>
        <translation>Den Text in FILE schreiben (ganz ersetzt oder bei einem Fehler unverändert gelassen).</translation>
    </message>
    <message>
        <source>Also write the black-and-white picture that is encoded (scaled, centred and halftoned) as a PNG file.</source>
        <translation>Zusätzlich das kodierte Schwarzweißbild (skaliert, zentriert und gerastert) als PNG-Datei schreiben.</translation>
    </message>
    <message>
        <source>Read back logo data text from TEXTFILE (- for standard input) instead of converting an IMAGE.</source>
        <translation>Logodatentext aus TEXTFILE zurücklesen (- für die Standardeingabe), statt ein IMAGE umzuwandeln.</translation>
    </message>
    <message>
        <source>With --check: the printer&apos;s dots per inch, 1-2400 (default 203).</source>
        <translation>Mit --check: die Punkte pro Zoll des Druckers, 1-2400 (Vorgabe 203).</translation>
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
        <translation>Wandelt ein PNG- oder JPEG-Logo in Logodatentext für einen Bondrucker um: ein Pixel
wird gedruckt, wenn der Mittelwert seines Rot-, Grün- und Blauanteils unter der
Schwelle liegt (mit --reverse darüber). Der Text geht auf die Standardausgabe, außer
--output nennt eine Datei.

Für ein Foto oder ein großes Bild: --max-width verkleinert es auf die Breite des
Druckers (384 Punkte bei 58-mm-Papier, 576 bei 80 mm, 832 bei 112 mm), --center-on
füllt es bis zur Papierbreite auf, und --halftone verteilt seine Grautöne auf
schwarze Punkte, statt sie an einer Schwelle abzuschneiden. Ein Logo für 80-mm-Bons
aus einem Foto:
  plovan-cli --max-width 576 --halftone floyd-steinberg photo.jpg

Die Schritte laufen in dieser Reihenfolge: Dekodieren (mit der Drehung der Kamera),
--rotate, --mirror, --brightness, --contrast und --gamma, --trim, --width oder
--max-width, --center-on, dann die Schwelle oder die Rasterung.

Mit --check wird stattdessen Logodatentext zurückgelesen: ist er gültig, gibt es
seine Größe aus, etwa „576x240 Punkte, 30 Streifen, 34718 Zeichen, 72.1x30.0 mm bei
203 dpi“ (und --preview schreibt sein Bild); wenn nicht, steht auf der
Standardfehlerausgabe, in welcher Zeile und Spalte und warum, und der Exit-Status
ist 1.</translation>
    </message>
    <message>
        <source>The PNG or JPEG picture, or - for standard input.</source>
        <translation>Das PNG- oder JPEG-Bild, oder - für die Standardeingabe.</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>--check reads a text, not an IMAGE (&apos;%1&apos;)</source>
        <translation>--check liest einen Text, kein IMAGE („%1“)</translation>
    </message>
    <message>
        <source>--%1 does not go with --check</source>
        <translation>--%1 passt nicht zu --check</translation>
    </message>
    <message>
        <source>--check needs a file name</source>
        <translation>--check braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>the dpi must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>die dpi müssen eine ganze Zahl von %1 bis %2 sein, nicht „%3“</translation>
    </message>
    <message>
        <source>--dpi goes with --check only</source>
        <translation>--dpi gibt es nur zusammen mit --check</translation>
    </message>
    <message>
        <source>no IMAGE given</source>
        <translation>kein IMAGE angegeben</translation>
    </message>
    <message>
        <source>only one IMAGE, not %1</source>
        <translation>nur ein IMAGE, nicht %1</translation>
    </message>
    <message>
        <source>the threshold must be a whole number from 0 to 255 or auto, not &apos;%1&apos;</source>
        <translation>die Schwelle muss eine ganze Zahl von 0 bis 255 oder auto sein, nicht „%1“</translation>
    </message>
    <message>
        <source>--%1 must be a whole number of dots from 1 to %2, not &apos;%3&apos;</source>
        <translation>--%1 muss eine ganze Zahl von Punkten von 1 bis %2 sein, nicht „%3“</translation>
    </message>
    <message>
        <source>--width and --max-width do not go together</source>
        <translation>--width und --max-width gehen nicht zusammen</translation>
    </message>
    <message>
        <source>the halftone must be %1, not &apos;%2&apos;</source>
        <translation>die Rasterung muss %1 sein, nicht „%2“</translation>
    </message>
    <message>
        <source>--serpentine goes with an error diffusion (%1), not with the halftone &apos;%2&apos;</source>
        <translation>--serpentine gehört zu einer Fehlerdiffusion (%1), nicht zur Rasterung „%2“</translation>
    </message>
    <message>
        <source>--rotate must be 90, 180 or 270 (degrees clockwise), not &apos;%1&apos;</source>
        <translation>--rotate muss 90, 180 oder 270 sein (Grad im Uhrzeigersinn), nicht „%1“</translation>
    </message>
    <message>
        <source>--%1 must be a whole number from -100 to 100, not &apos;%2&apos;</source>
        <translation>--%1 muss eine ganze Zahl von -100 bis 100 sein, nicht „%2“</translation>
    </message>
    <message>
        <source>--gamma must be a number from 0.10 to 10.00 with at most two decimals, not &apos;%1&apos;</source>
        <translation>--gamma muss eine Zahl von 0.10 bis 10.00 mit höchstens zwei Nachkommastellen sein, nicht „%1“</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>cannot load &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot read &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not logo data text: %2</source>
        <translation>„%1“ ist kein Logodatentext: %2</translation>
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
        <translation>Aufruf: plovan-cli [--threshold N|auto] [--reverse] [--rotate 90|180|270] [--mirror]
                   [--brightness B] [--contrast C] [--gamma G] [--trim]
                   [--width D | --max-width D] [--center-on P]
                   [--halftone KIND [--serpentine]] [--dot-gain R]
                   [--output FILE] [--preview OUT.png] [--simulate OUT.png] IMAGE
        plovan-cli --check TEXTFILE [--preview OUT.png] [--simulate OUT.png
                   [--dot-gain R]] [--dpi N]
        plovan-cli --calibration-strip [--width D] [--halftone KIND [--serpentine]]
                   [--output FILE] [--preview OUT.png] [--simulate OUT.png [--dot-gain R]]
Mehr dazu mit „plovan-cli --help“.
</translation>
    </message>
    <message>
        <source>How large the printer&apos;s dots print: round dots of R x the diagonal of their square cell, 1.00-1.41, at most two decimals (thermal heads lie between about 1.0 and 1.4). The halftones allow for the overlap, so that a grey prints at its own tone: the error diffusions weigh each dot by what it prints, the screens go through a tone curve. Without it the dots are taken to be their square cells. With --check, for --simulate only.</source>
        <translation>Wie groß die Punkte des Druckers drucken: runde Punkte von R x der Diagonale ihrer quadratischen Zelle, 1.00-1.41, höchstens zwei Nachkommastellen (Thermodruckköpfe liegen etwa zwischen 1.0 und 1.4). Die Rasterungen berücksichtigen die Überlappung, sodass ein Grau in seinem eigenen Ton druckt: die Fehlerdiffusionen gewichten jeden Punkt mit dem, was er druckt, die Raster gehen durch eine Tonkurve. Ohne diese Option gelten die Punkte als ihre quadratischen Zellen. Mit --check nur für --simulate.</translation>
    </message>
    <message>
        <source>Also write the picture as it will print, as a PNG file: 8 x 8 pixels a dot, each black dot a disc of 8 x 1.41 x R pixels across for --dot-gain R (the square cells without it), black on white. At most 4095 dots a side.</source>
        <translation>Zusätzlich das Bild so, wie es gedruckt wird, als PNG-Datei schreiben: 8 x 8 Pixel pro Punkt, jeder schwarze Punkt eine Scheibe von 8 x 1.41 x R Pixeln Durchmesser für --dot-gain R (ohne die Option die quadratischen Zellen), schwarz auf weiß. Höchstens 4095 Punkte pro Seite.</translation>
    </message>
    <message>
        <source>Instead of an IMAGE, make a strip to print once: a row for each dot gain 1.0, 1.1, 1.2, 1.3 and 1.4, labelled, a mid grey patch halftoned for it beside a coarse 50 % checkerboard. The row whose patch looks as dark as its checkerboard is the printer&apos;s --dot-gain. As wide as --width (default 384, at least 128), through --halftone (floyd-steinberg for none), written as logo data text like a picture.</source>
        <translation>Statt eines IMAGE einen Streifen zum einmaligen Drucken erzeugen: eine beschriftete Zeile für jeden Punktzuwachs 1.0, 1.1, 1.2, 1.3 und 1.4, ein dafür gerastertes mittleres Grau neben einem groben 50-%-Schachbrett. Die Zeile, deren Feld so dunkel wirkt wie ihr Schachbrett, ist der --dot-gain des Druckers. So breit wie --width (Vorgabe 384, mindestens 128), mit --halftone gerastert (floyd-steinberg bei none), als Logodatentext geschrieben wie ein Bild.</translation>
    </message>
    <message>
        <source>--dot-gain must be a number from 1.00 to 1.41 with at most two decimals, not &apos;%1&apos;</source>
        <translation>--dot-gain muss eine Zahl von 1.00 bis 1.41 mit höchstens zwei Nachkommastellen sein, nicht „%1“</translation>
    </message>
    <message>
        <source>--%1 needs a file name</source>
        <translation>--%1 braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>--dot-gain goes with --check only for --simulate</source>
        <translation>--dot-gain gibt es mit --check nur für --simulate</translation>
    </message>
    <message>
        <source>--calibration-strip makes its own picture, not one of an IMAGE (&apos;%1&apos;)</source>
        <translation>--calibration-strip erzeugt sein eigenes Bild, nicht eines aus einem IMAGE („%1“)</translation>
    </message>
    <message>
        <source>--%1 does not go with --calibration-strip</source>
        <translation>--%1 passt nicht zu --calibration-strip</translation>
    </message>
    <message>
        <source>--width must be a whole number of dots from %1 to %2 for the calibration strip, not &apos;%3&apos;</source>
        <translation>--width muss für den Kalibrierstreifen eine ganze Zahl von Punkten von %1 bis %2 sein, nicht „%3“</translation>
    </message>
    <message>
        <source>--dot-gain goes with --calibration-strip only for --simulate</source>
        <translation>--dot-gain gibt es mit --calibration-strip nur für --simulate</translation>
    </message>
    <message>
        <source>--calibration-strip does not go with --check</source>
        <translation>--calibration-strip passt nicht zu --check</translation>
    </message>
    <message>
        <source>cannot make the calibration strip: %1</source>
        <translation>der Kalibrierstreifen kann nicht erzeugt werden: %1</translation>
    </message>
</context>
<context>
    <name>PrepareError</name>
    <message>
        <source>the picture</source>
        <translation>das Bild</translation>
    </message>
    <message>
        <source>its original size</source>
        <translation>seine Originalgröße</translation>
    </message>
    <message>
        <source>paper %1 dots wide</source>
        <translation>Papier von %1 Punkten Breite</translation>
    </message>
    <message>
        <source>a width of %1 dots</source>
        <translation>eine Breite von %1 Punkten</translation>
    </message>
    <message>
        <source>there is not enough memory for a picture of %1x%2 dots.</source>
        <translation>für ein Bild mit %1x%2 Punkten ist nicht genug Speicher vorhanden.</translation>
    </message>
    <message>
        <source>it is %1 dots wide, wider than the paper&apos;s %2 dots.</source>
        <translation>es ist %1 Punkte breit, breiter als die %2 Punkte des Papiers.</translation>
    </message>
    <message>
        <source>a picture of %1x%2 dots is outside the range 1-32767.</source>
        <translation>ein Bild mit %1x%2 Punkten liegt außerhalb des Bereichs 1-32767.</translation>
    </message>
    <message>
        <source>Cannot prepare %1 for %2: %3</source>
        <translation>Kann %1 nicht für %2 vorbereiten: %3</translation>
    </message>
    <message>
        <source>Cannot turn %1: %2</source>
        <translation>Kann %1 nicht drehen: %2</translation>
    </message>
    <message>
        <source>Cannot mirror %1: %2</source>
        <translation>Kann %1 nicht spiegeln: %2</translation>
    </message>
    <message>
        <source>Cannot adjust the tone of %1: %2</source>
        <translation>Kann den Ton für %1 nicht anpassen: %2</translation>
    </message>
    <message>
        <source>Cannot trim the margins of %1: %2</source>
        <translation>Kann %1 nicht zuschneiden: %2</translation>
    </message>
    <message>
        <source>Cannot put back the margins of %1: %2</source>
        <translation>Kann die Ränder für %1 nicht wiederherstellen: %2</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt Hilfe zu den Kommandozeilenoptionen an.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Zeigt Hilfe einschließlich Qt-spezifischer Optionen an.</translation>
    </message>
</context>
<context>
    <name>RangeWords</name>
    <message>
        <source>Width/Height needs to be in the range 1-32767</source>
        <translation>Breite und Höhe müssen im Bereich 1-32767 liegen</translation>
    </message>
</context>
<context>
    <name>SimulationWords</name>
    <message>
        <source>a picture %1 dots wide or high is too large to simulate (at most %2 dots)</source>
        <translation>ein Bild von %1 Punkten Breite oder Höhe ist zu groß für die Simulation (höchstens %2 Punkte)</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>it is the input file</source>
        <translation>das ist die Eingabedatei</translation>
    </message>
</context>
<context>
    <name>plovan::Canvas</name>
    <message>
        <source>%1 dots</source>
        <translation>%1 Punkte</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Kein Bild</translation>
    </message>
</context>
<context>
    <name>plovan::ImageMenu</name>
    <message>
        <source>&amp;Image</source>
        <translation>B&amp;ild</translation>
    </message>
    <message>
        <source>Printer &amp;Width</source>
        <translation>&amp;Druckerbreite</translation>
    </message>
    <message>
        <source>&amp;Halftone</source>
        <translation>R&amp;asterung</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>384 dots (58 mm paper)</source>
        <translation>384 Punkte (58-mm-Papier)</translation>
    </message>
    <message>
        <source>576 dots (80 mm paper)</source>
        <translation>576 Punkte (80-mm-Papier)</translation>
    </message>
    <message>
        <source>832 dots (112 mm paper)</source>
        <translation>832 Punkte (112-mm-Papier)</translation>
    </message>
    <message>
        <source>Other Width…</source>
        <translation>Andere Breite …</translation>
    </message>
    <message>
        <source>&amp;Centre on Paper</source>
        <translation>Auf Papier &amp;zentrieren</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Keine</translation>
    </message>
    <message>
        <source>&amp;Floyd–Steinberg</source>
        <translation>&amp;Floyd–Steinberg</translation>
    </message>
    <message>
        <source>&amp;Atkinson</source>
        <translation>&amp;Atkinson</translation>
    </message>
    <message>
        <source>&amp;Ordered</source>
        <translation>&amp;Geordnet</translation>
    </message>
    <message>
        <source>&amp;Automatic Threshold</source>
        <translation>Automatischer &amp;Schwellwert</translation>
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
        <translation>&amp;Blaues Rauschen</translation>
    </message>
    <message>
        <source>&amp;Clustered</source>
        <translation>&amp;Punktgruppen</translation>
    </message>
    <message>
        <source>&amp;Serpentine</source>
        <translation>&amp;Serpentinen</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Nach &amp;rechts drehen</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Nach &amp;links drehen</translation>
    </message>
    <message>
        <source>&amp;Mirror</source>
        <translation>S&amp;piegeln</translation>
    </message>
    <message>
        <source>&amp;Trim White Margins</source>
        <translation>Weiße Ränder a&amp;bschneiden</translation>
    </message>
    <message>
        <source>Adjust T&amp;one…</source>
        <translation>&amp;Ton anpassen …</translation>
    </message>
    <message>
        <source>Printer &amp;Dots</source>
        <translation>Dr&amp;uckerpunkte</translation>
    </message>
    <message>
        <source>&amp;Square (no model)</source>
        <translation>&amp;Quadratisch (ohne Modell)</translation>
    </message>
    <message>
        <source>&amp;Other…</source>
        <translation>&amp;Andere …</translation>
    </message>
    <message>
        <source>Calibration &amp;Strip</source>
        <translation>&amp;Kalibrierstreifen</translation>
    </message>
</context>
<context>
    <name>plovan::MainMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Load Image…</source>
        <translation>Bild &amp;laden …</translation>
    </message>
    <message>
        <source>&amp;Open Logo Data Text…</source>
        <translation>Logodatentext ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>&amp;Save Logo Data Text As…</source>
        <translation>Logodatentext &amp;speichern unter …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Print &amp;Preview</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>&amp;About Plovan</source>
        <translation>Über &amp;Plovan</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Menüleiste</translation>
    </message>
</context>
<context>
    <name>plovan::PrintPreview</name>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>The picture as large as it will print</source>
        <translation>Das Bild so groß, wie es gedruckt wird</translation>
    </message>
    <message>
        <source>Picture on paper</source>
        <translation>Bild auf Papier</translation>
    </message>
    <message>
        <source>Printer resolution</source>
        <translation>Druckerauflösung</translation>
    </message>
    <message>
        <source>%1 dpi</source>
        <translation>%1 dpi</translation>
    </message>
    <message>
        <source>Printer &amp;resolution:</source>
        <translation>Drucker&amp;auflösung:</translation>
    </message>
    <message>
        <source>No picture loaded</source>
        <translation>Kein Bild geladen</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Printed Size</source>
        <translation>Druckgröße</translation>
    </message>
    <message>
        <source>%1 pixels a dot</source>
        <translation>%1 Pixel je Punkt</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <source>As &amp;Printed</source>
        <translation>Wie &amp;gedruckt</translation>
    </message>
    <message>
        <source>The dots as the printer&apos;s round dots print them</source>
        <translation>Die Punkte so, wie die runden Punkte des Druckers sie drucken</translation>
    </message>
</context>
<context>
    <name>plovan::RecentMenu</name>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
</context>
<context>
    <name>plovan::ToneDialog</name>
    <message>
        <source>Adjust Tone</source>
        <translation>Ton anpassen</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Helligkeit:</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Co&amp;ntrast:</source>
        <translation>&amp;Kontrast:</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>&amp;Gamma:</source>
        <translation>&amp;Gamma:</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>plovan::Window1</name>
    <message>
        <source>This could not be done: %1</source>
        <translation>Das war nicht möglich: %1</translation>
    </message>
    <message>
        <source>Cannot load &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geladen werden: %2</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Bild laden</translation>
    </message>
    <message>
        <source>Logo data text (*.txt);;All files (*)</source>
        <translation>Logodatentext (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open Logo Data Text</source>
        <translation>Logodatentext öffnen</translation>
    </message>
    <message>
        <source>Save Logo Data Text As</source>
        <translation>Logodatentext speichern unter</translation>
    </message>
    <message>
        <source>&amp;Save Anyway</source>
        <translation>&amp;Trotzdem speichern</translation>
    </message>
    <message>
        <source>Printer Width</source>
        <translation>Druckerbreite</translation>
    </message>
    <message>
        <source>The width of the printer&apos;s print head, for a printer not in the menu</source>
        <translation>Die Breite des Druckkopfs, für einen Drucker, der nicht im Menü steht</translation>
    </message>
    <message>
        <source>Width of the print head in dots:</source>
        <translation>Breite des Druckkopfs in Punkten:</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Turns a JPEG or PNG logo into logo data text for a receipt printer.</source>
        <translation>Wandelt ein JPEG- oder PNG-Logo in Logodatentext für einen Bondrucker um.</translation>
    </message>
    <message>
        <source>About Plovan</source>
        <translation>Über Plovan</translation>
    </message>
    <message>
        <source>Imported Image</source>
        <translation>Importiertes Bild</translation>
    </message>
    <message>
        <source>Load Image....</source>
        <translation>Bild laden …</translation>
    </message>
    <message>
        <source>Chooses a JPEG or PNG picture and loads it</source>
        <translation>Wählt ein JPEG- oder PNG-Bild und lädt es</translation>
    </message>
    <message>
        <source>Size of the picture in dots</source>
        <translation>Größe des Bildes in Punkten</translation>
    </message>
    <message>
        <source>Processed Image</source>
        <translation>Bearbeitetes Bild</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Converts the picture again at the threshold</source>
        <translation>Wandelt das Bild mit dem Schwellwert neu um</translation>
    </message>
    <message>
        <source>Rows done so far</source>
        <translation>Bisher fertige Bildzeilen</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Schwellwert</translation>
    </message>
    <message>
        <source>Dots darker than this print black</source>
        <translation>Dunklere Punkte werden schwarz gedruckt</translation>
    </message>
    <message>
        <source>Threshold value</source>
        <translation>Aktueller Schwellwert</translation>
    </message>
    <message>
        <source>Reverse Image</source>
        <translation>Bild umkehren</translation>
    </message>
    <message>
        <source>Swaps black and white</source>
        <translation>Vertauscht Schwarz und Weiß</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erzeugen</translation>
    </message>
    <message>
        <source>Makes the logo data text of the processed picture</source>
        <translation>Erzeugt den Logodatentext des bearbeiteten Bildes</translation>
    </message>
    <message>
        <source>Image Data</source>
        <translation>Bilddaten</translation>
    </message>
    <message>
        <source>The logo data text for the printer</source>
        <translation>Der Logodatentext für den Drucker</translation>
    </message>
    <message>
        <source>Scroll Image Data</source>
        <translation>Bilddaten rollen</translation>
    </message>
    <message>
        <source>Plovan %1 — logos for receipt printers</source>
        <translation>Plovan %1 — Logos für Bondrucker</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not logo data text: %2</source>
        <translation>„%1“ ist kein Logodatentext: %2</translation>
    </message>
    <message>
        <source>The text is not logo data text: %1.

Save it anyway?</source>
        <translation>Der Text ist kein Logodatentext: %1.

Trotzdem speichern?</translation>
    </message>
    <message>
        <source>Cannot save &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Printer Dots</source>
        <translation>Druckerpunkte</translation>
    </message>
    <message>
        <source>How much larger than its cell the printer&apos;s round dot is, as the calibration strip finds it</source>
        <translation>Wie viel größer als seine Zelle der runde Punkt des Druckers ist, wie der Kalibrierstreifen es ermittelt</translation>
    </message>
    <message>
        <source>Dot diameter over the cell&apos;s diagonal (%1 to %2):</source>
        <translation>Punktdurchmesser durch die Diagonale der Zelle (%1 bis %2):</translation>
    </message>
    <message>
        <source>The calibration strip needs a printer width of at least %1 dots.</source>
        <translation>Der Kalibrierstreifen braucht eine Druckerbreite von mindestens %1 Punkten.</translation>
    </message>
    <message>
        <source>Calibration Strip</source>
        <translation>Kalibrierstreifen</translation>
    </message>
</context>
</TS>
