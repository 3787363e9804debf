<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>LoadReason</name>
    <message>
        <source>there is no such file</source>
        <translation>no existe ese archivo</translation>
    </message>
    <message>
        <source>it is a folder, not a picture file</source>
        <translation>es una carpeta, no un archivo de imagen</translation>
    </message>
    <message>
        <source>it is not a regular file but a named pipe, a device or a socket</source>
        <translation>no es un archivo normal sino una tubería con nombre, un dispositivo o un socket</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>no se puede leer el archivo: %1</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>not a PNG or JPEG picture</source>
        <translation>no es una imagen PNG ni JPEG</translation>
    </message>
    <message>
        <source>the file ends early (damaged or incomplete)</source>
        <translation>el archivo termina antes de tiempo (dañado o incompleto)</translation>
    </message>
    <message>
        <source>the %1 header is damaged or incomplete</source>
        <translation>la cabecera %1 está dañada o incompleta</translation>
    </message>
    <message>
        <source>the %1 picture data is damaged or incomplete</source>
        <translation>los datos de imagen %1 están dañados o incompletos</translation>
    </message>
    <message>
        <source>the JPEG has %1 scans, more than the limit of %2 (real encoders write a few, and every scan is another pass over the whole picture)</source>
        <translation>el JPEG tiene %1 barridos, más que el límite de %2 (los codificadores reales escriben unos pocos, y cada barrido es otra pasada por toda la imagen)</translation>
    </message>
    <message>
        <source>the picture is %1x%2 pixels; %3</source>
        <translation>la imagen tiene %1x%2 píxeles; %3</translation>
    </message>
    <message>
        <source>not enough memory to read the file</source>
        <translation>no hay memoria suficiente para leer el archivo</translation>
    </message>
    <message>
        <source>not enough memory for a picture of %1x%2 pixels</source>
        <translation>no hay memoria suficiente para una imagen de %1x%2 píxeles</translation>
    </message>
    <message>
        <source>a picture of %1x%2 pixels needs %3 MiB to decode, more than the limit of %4 MiB</source>
        <translation>una imagen de %1x%2 píxeles necesita %3 MiB para decodificarse, más que el límite de %4 MiB</translation>
    </message>
    <message>
        <source>the picture is %1 dots wide after scaling, wider than the paper&apos;s %2 dots</source>
        <translation>la imagen mide %1 puntos de ancho tras escalarla, más que los %2 puntos del papel</translation>
    </message>
    <message>
        <source>this installation has no %1 decoder (Qt&apos;s image plugin for %1 is missing)</source>
        <translation>esta instalación no tiene decodificador %1 (falta el complemento de imágenes de Qt para %1)</translation>
    </message>
</context>
<context>
    <name>LogoSummary</name>
    <message>
        <source>%1x%2 dots, %3 band, %4 characters, %5x%6 mm at %7 dpi</source>
        <translation>%1x%2 puntos, %3 banda, %4 caracteres, %5x%6 mm a %7 ppp</translation>
    </message>
    <message>
        <source>%1x%2 dots, %3 bands, %4 characters, %5x%6 mm at %7 dpi</source>
        <translation>%1x%2 puntos, %3 bandas, %4 caracteres, %5x%6 mm a %7 ppp</translation>
    </message>
</context>
<context>
    <name>LogoTextFault</name>
    <message>
        <source>a space</source>
        <translation>un espacio</translation>
    </message>
    <message>
        <source>a tab (%1)</source>
        <translation>un tabulador (%1)</translation>
    </message>
    <message>
        <source>a carriage return (%1)</source>
        <translation>un retorno de carro (%1)</translation>
    </message>
    <message>
        <source>a line feed (%1)</source>
        <translation>un salto de línea (%1)</translation>
    </message>
    <message>
        <source>a byte order mark (%1)</source>
        <translation>una marca de orden de bytes (%1)</translation>
    </message>
    <message>
        <source>the text is empty; logo data text starts with &quot;OBM¶&quot;</source>
        <translation>el texto está vacío; el texto de datos de logotipo empieza por «OBM¶»</translation>
    </message>
    <message>
        <source>the text does not start with the opening line &quot;OBM¶&quot;</source>
        <translation>el texto no empieza por la línea de apertura «OBM¶»</translation>
    </message>
    <message>
        <source>a band header &quot;BMD¶&quot; or the closing line &quot;CBM¶&quot; was expected here</source>
        <translation>aquí se esperaba una cabecera de banda «BMD¶» o la línea de cierre «CBM¶»</translation>
    </message>
    <message>
        <source>%1 is not an uppercase hexadecimal digit (0-9, A-F)</source>
        <translation>%1 no es un dígito hexadecimal en mayúscula (0-9, A-F)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a lowercase hexadecimal digit; the digits must be uppercase (A-F)</source>
        <translation>«%1» es un dígito hexadecimal en minúscula; los dígitos deben ir en mayúscula (A-F)</translation>
    </message>
    <message>
        <source>a space, which logo data text never holds</source>
        <translation>un espacio, que el texto de datos de logotipo nunca contiene</translation>
    </message>
    <message>
        <source>a carriage return (a line break added by an editor or a mail program); logo data text ends its lines with &quot;¶&quot; only</source>
        <translation>un retorno de carro (un salto de línea añadido por un editor o un programa de correo); el texto de datos de logotipo termina sus líneas solo con «¶»</translation>
    </message>
    <message>
        <source>a line feed (a line break added by an editor or a mail program); logo data text ends its lines with &quot;¶&quot; only</source>
        <translation>un salto de línea (un cambio de línea añadido por un editor o un programa de correo); el texto de datos de logotipo termina sus líneas solo con «¶»</translation>
    </message>
    <message>
        <source>a byte order mark (U+FEFF), which some editors put at the start of a file; logo data text starts with &quot;OBM¶&quot;</source>
        <translation>una marca de orden de bytes (U+FEFF), que algunos editores ponen al principio de un archivo; el texto de datos de logotipo empieza por «OBM¶»</translation>
    </message>
    <message>
        <source>the band has an odd number of digits (%1); every column takes two</source>
        <translation>la banda tiene un número impar de dígitos (%1); cada columna ocupa dos</translation>
    </message>
    <message>
        <source>the band has no digits; every band has two digits for each column</source>
        <translation>la banda no tiene dígitos; cada banda tiene dos dígitos por columna</translation>
    </message>
    <message>
        <source>the band has %1 digits but the first band has %2; all bands must be equally wide</source>
        <translation>la banda tiene %1 dígitos pero la primera tiene %2; todas las bandas deben tener el mismo ancho</translation>
    </message>
    <message>
        <source>the band has %1 digits, a picture %2 dots wide; at most %3 dots are possible</source>
        <translation>la banda tiene %1 dígitos, una imagen de %2 puntos de ancho; como máximo son posibles %3 puntos</translation>
    </message>
    <message>
        <source>more than %1 bands; a picture has at most %2 rows</source>
        <translation>más de %1 bandas; una imagen tiene como máximo %2 filas</translation>
    </message>
    <message>
        <source>a black dot in row %1, past the %2 rows a picture can have; in band %3 the second digit of every column must be even</source>
        <translation>un punto negro en la fila %1, más allá de las %2 filas que puede tener una imagen; en la banda %3 el segundo dígito de cada columna debe ser par</translation>
    </message>
    <message>
        <source>no band: the opening line must be followed by at least one band header &quot;BMD¶&quot; and its line of digits</source>
        <translation>ninguna banda: la línea de apertura debe ir seguida de al menos una cabecera de banda «BMD¶» y su línea de dígitos</translation>
    </message>
    <message>
        <source>no closing line &quot;CBM¶&quot;: the text ends here</source>
        <translation>no hay línea de cierre «CBM¶»: el texto termina aquí</translation>
    </message>
    <message>
        <source>the text ends inside a band&apos;s digits, without &quot;¶&quot; and the closing line &quot;CBM¶&quot;</source>
        <translation>el texto termina dentro de los dígitos de una banda, sin «¶» ni la línea de cierre «CBM¶»</translation>
    </message>
    <message>
        <source>text after the closing line &quot;CBM¶&quot;, starting with %1</source>
        <translation>texto después de la línea de cierre «CBM¶», empezando por %1</translation>
    </message>
    <message>
        <source>the byte %1 is not UTF-8; the text must be saved as UTF-8, where &quot;¶&quot; is the bytes C2 B6</source>
        <translation>el byte %1 no es UTF-8; el texto debe guardarse en UTF-8, donde «¶» son los bytes C2 B6</translation>
    </message>
    <message>
        <source>the text is UTF-16; save it as UTF-8</source>
        <translation>el texto está en UTF-16; guárdelo en UTF-8</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>línea %1, columna %2: %3</translation>
    </message>
</context>
<context>
    <name>LogoTextReadError</name>
    <message>
        <source>the file is larger than any logo data text</source>
        <translation>el archivo es más grande que cualquier texto de datos de logotipo</translation>
    </message>
    <message>
        <source>it is a folder, not a text file</source>
        <translation>es una carpeta, no un archivo de texto</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>no hay memoria suficiente para leerlo</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>No existe el archivo o el directorio</translation>
    </message>
    <message>
        <source>file to open is a directory</source>
        <translation>el archivo que se va a abrir es un directorio</translation>
    </message>
    <message>
        <source>Cannot open &apos;%1&apos;: %2</source>
        <translation>No se puede abrir «%1»: %2</translation>
    </message>
</context>
<context>
    <name>MemoryWords</name>
    <message>
        <source>There is not enough memory for this picture.</source>
        <translation>No hay memoria suficiente para esta imagen.</translation>
    </message>
</context>
<context>
    <name>PictureFileNames</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>%1 pictures (%2)</source>
        <translation>Imágenes %1 (%2)</translation>
    </message>
</context>
<context>
    <name>PlovanCli</name>
    <message>
        <source>Brightness threshold, 0-255 (default 100), or auto: the one that best separates the picture&apos;s dark and light parts (Otsu&apos;s method). With a halftone, 128 is neutral: every grey is moved by 128 - N before it is spread.</source>
        <translation>Umbral de brillo, 0-255 (por omisión 100), o auto: el que mejor separa las partes oscuras y claras de la imagen (método de Otsu). Con un tramado, 128 es neutro: cada gris se desplaza 128 - N antes de repartirse.</translation>
    </message>
    <message>
        <source>Print the pixels lighter than the threshold instead.</source>
        <translation>Imprimir en su lugar los píxeles más claros que el umbral.</translation>
    </message>
    <message>
        <source>Turn the picture clockwise by 90, 180 or 270 degrees (after the turn its camera recorded, before anything else).</source>
        <translation>Girar la imagen 90, 180 o 270 grados en el sentido de las agujas del reloj (después del giro que registró la cámara, antes que todo lo demás).</translation>
    </message>
    <message>
        <source>Mirror the picture left to right, after --rotate.</source>
        <translation>Reflejar la imagen de izquierda a derecha, después de --rotate.</translation>
    </message>
    <message>
        <source>Lighten (up to 100) or darken (down to -100) every colour, in hundredths of the range; default 0.</source>
        <translation>Aclarar (hasta 100) u oscurecer (hasta -100) cada color, en centésimas del rango; por omisión 0.</translation>
    </message>
    <message>
        <source>Spread the colours apart from the middle grey (up to 100: twice as far) or draw them together (down to -100: all middle grey); default 0.</source>
        <translation>Separar los colores del gris medio (hasta 100: el doble de lejos) o acercarlos (hasta -100: todo gris medio); por omisión 0.</translation>
    </message>
    <message>
        <source>Gamma, 0.10-10.00, at most two decimals (default 1): above 1 lightens the middle greys, below 1 darkens them. Each colour v becomes 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, held within 0-1) ^ (1 / G), rounded.</source>
        <translation>Gamma, 0.10-10.00, con dos decimales como máximo (por omisión 1): por encima de 1 aclara los grises medios, por debajo de 1 los oscurece. Cada color v pasa a ser 255 x ((v / 255 - 0.5) x (1 + C / 100) + 0.5 + B / 100, limitado a 0-1) ^ (1 / G), redondeado.</translation>
    </message>
    <message>
        <source>Remove the margins: the outer rows and columns that are paper all along (a mean of 250 or more; with --reverse, 5 or less), after the tone and before the scaling. A picture that is paper everywhere is kept whole.</source>
        <translation>Quitar los márgenes: las filas y columnas exteriores que son papel de punta a punta (una media de 250 o más; con --reverse, 5 o menos), después del tono y antes del escalado. Una imagen que es papel en todas partes se conserva entera.</translation>
    </message>
    <message>
        <source>Scale the picture to D dots wide, 1-32767, keeping its proportions (each dot the average of the area it covers).</source>
        <translation>Escalar la imagen a D puntos de ancho, 1-32767, conservando sus proporciones (cada punto es la media del área que cubre).</translation>
    </message>
    <message>
        <source>Scale the picture down to D dots wide, 1-32767, only when it is wider; never enlarges.</source>
        <translation>Reducir la imagen a D puntos de ancho, 1-32767, solo si es más ancha; nunca la amplía.</translation>
    </message>
    <message>
        <source>Centre the picture on paper P dots wide, 1-32767, with white on either side; a picture wider than P is an error.</source>
        <translation>Centrar la imagen en un papel de P puntos de ancho, 1-32767, con blanco a cada lado; una imagen más ancha que P es un error.</translation>
    </message>
    <message>
        <source>none (default: the threshold alone, for line-art logos and text); for photos and gradients the error diffusions floyd-steinberg, atkinson (lighter, cleaner highlights), jarvis, stucki and sierra (smoother, wider), or the screens ordered (8x8 Bayer), blue-noise (no pattern) and clustered (dots grown in clusters, about 50 lines per inch at 203 dpi, for heads that lose single dots).</source>
        <translation>none (por omisión: solo el umbral, para logotipos de líneas y texto); para fotos y degradados, las difusiones de errores floyd-steinberg, atkinson (más claro, luces más limpias), jarvis, stucki y sierra (más suaves, más amplias), o las tramas ordered (Bayer 8x8), blue-noise (sin patrón) y clustered (puntos que crecen en grupos, unas 50 líneas por pulgada a 203 ppp, para cabezales que pierden puntos sueltos).</translation>
    </message>
    <message>
        <source>With an error diffusion: run every other row right to left, which breaks up its diagonal worms.</source>
        <translation>Con una difusión de errores: recorrer una fila de cada dos de derecha a izquierda, lo que rompe sus gusanos diagonales.</translation>
    </message>
    <message>
        <source>Write the text to FILE (replaced whole, or left untouched on failure).</source>
        <translation>Escribir el texto en FILE (se sustituye entero, o se deja intacto si algo falla).</translation>
    </message>
    <message>
        <source>Also write the black-and-white picture that is encoded (scaled, centred and halftoned) as a PNG file.</source>
        <translation>Escribir también la imagen en blanco y negro que se codifica (escalada, centrada y tramada) como archivo PNG.</translation>
    </message>
    <message>
        <source>Read back logo data text from TEXTFILE (- for standard input) instead of converting an IMAGE.</source>
        <translation>Volver a leer texto de datos de logotipo de TEXTFILE (- para la entrada estándar) en vez de convertir una IMAGE.</translation>
    </message>
    <message>
        <source>With --check: the printer&apos;s dots per inch, 1-2400 (default 203).</source>
        <translation>Con --check: los puntos por pulgada de la impresora, 1-2400 (por omisión 203).</translation>
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
        <translation>Convierte un logotipo PNG o JPEG en texto de datos de logotipo para una impresora
de tickets: un píxel se imprime cuando la media de su rojo, verde y azul está por
debajo del umbral (por encima con --reverse). El texto va a la salida estándar
salvo que --output indique un archivo.

Para una foto o una imagen grande: --max-width la reduce al ancho de la impresora
(384 puntos en papel de 58 mm, 576 en 80 mm, 832 en 112 mm), --center-on la
rellena hasta el ancho del papel, y --halftone reparte sus grises en puntos negros
en lugar de cortarlos en un umbral. Un logotipo de ticket de 80 mm a partir de una
foto:
  plovan-cli --max-width 576 --halftone floyd-steinberg photo.jpg

Los pasos se ejecutan en este orden: decodificación (con el giro de la cámara),
--rotate, --mirror, --brightness, --contrast y --gamma, --trim, --width o
--max-width, --center-on, y después el umbral o el tramado.

Con --check, vuelve a leer texto de datos de logotipo: si es válido, muestra su
tamaño, como «576x240 puntos, 30 bandas, 34718 caracteres, 72.1x30.0 mm a
203 ppp» (y --preview escribe su imagen); si no, indica en la salida de error
estándar en qué línea y columna y por qué, y termina con el estado 1.</translation>
    </message>
    <message>
        <source>The PNG or JPEG picture, or - for standard input.</source>
        <translation>La imagen PNG o JPEG, o - para la entrada estándar.</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>--check reads a text, not an IMAGE (&apos;%1&apos;)</source>
        <translation>--check lee un texto, no una IMAGE («%1»)</translation>
    </message>
    <message>
        <source>--%1 does not go with --check</source>
        <translation>--%1 no se combina con --check</translation>
    </message>
    <message>
        <source>--check needs a file name</source>
        <translation>--check necesita un nombre de archivo</translation>
    </message>
    <message>
        <source>the dpi must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>los ppp deben ser un número entero de %1 a %2, no «%3»</translation>
    </message>
    <message>
        <source>--dpi goes with --check only</source>
        <translation>--dpi solo se usa con --check</translation>
    </message>
    <message>
        <source>no IMAGE given</source>
        <translation>no se ha indicado ninguna IMAGE</translation>
    </message>
    <message>
        <source>only one IMAGE, not %1</source>
        <translation>solo una IMAGE, no %1</translation>
    </message>
    <message>
        <source>the threshold must be a whole number from 0 to 255 or auto, not &apos;%1&apos;</source>
        <translation>el umbral debe ser un número entero de 0 a 255 o auto, no «%1»</translation>
    </message>
    <message>
        <source>--%1 must be a whole number of dots from 1 to %2, not &apos;%3&apos;</source>
        <translation>--%1 debe ser un número entero de puntos de 1 a %2, no «%3»</translation>
    </message>
    <message>
        <source>--width and --max-width do not go together</source>
        <translation>--width y --max-width no se pueden combinar</translation>
    </message>
    <message>
        <source>the halftone must be %1, not &apos;%2&apos;</source>
        <translation>el tramado debe ser %1, no «%2»</translation>
    </message>
    <message>
        <source>--serpentine goes with an error diffusion (%1), not with the halftone &apos;%2&apos;</source>
        <translation>--serpentine se usa con una difusión de errores (%1), no con el tramado «%2»</translation>
    </message>
    <message>
        <source>--rotate must be 90, 180 or 270 (degrees clockwise), not &apos;%1&apos;</source>
        <translation>--rotate debe ser 90, 180 o 270 (grados en el sentido de las agujas del reloj), no «%1»</translation>
    </message>
    <message>
        <source>--%1 must be a whole number from -100 to 100, not &apos;%2&apos;</source>
        <translation>--%1 debe ser un número entero de -100 a 100, no «%2»</translation>
    </message>
    <message>
        <source>--gamma must be a number from 0.10 to 10.00 with at most two decimals, not &apos;%1&apos;</source>
        <translation>--gamma debe ser un número de 0.10 a 10.00 con dos decimales como máximo, no «%1»</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output necesita un nombre de archivo</translation>
    </message>
    <message>
        <source>cannot load &apos;%1&apos;: %2</source>
        <translation>no se puede cargar «%1»: %2</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>salida estándar</translation>
    </message>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>no se puede escribir «%1»: %2</translation>
    </message>
    <message>
        <source>cannot read &apos;%1&apos;: %2</source>
        <translation>no se puede leer «%1»: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not logo data text: %2</source>
        <translation>«%1» no es texto de datos de logotipo: %2</translation>
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
        <translation>Uso: plovan-cli [--threshold N|auto] [--reverse] [--rotate 90|180|270] [--mirror]
                [--brightness B] [--contrast C] [--gamma G] [--trim]
                [--width D | --max-width D] [--center-on P]
                [--halftone KIND [--serpentine]] [--dot-gain R]
                [--output FILE] [--preview OUT.png] [--simulate OUT.png] IMAGE
     plovan-cli --check TEXTFILE [--preview OUT.png] [--simulate OUT.png
                [--dot-gain R]] [--dpi N]
     plovan-cli --calibration-strip [--width D] [--halftone KIND [--serpentine]]
                [--output FILE] [--preview OUT.png] [--simulate OUT.png [--dot-gain R]]
Pruebe «plovan-cli --help» para más información.
</translation>
    </message>
    <message>
        <source>How large the printer&apos;s dots print: round dots of R x the diagonal of their square cell, 1.00-1.41, at most two decimals (thermal heads lie between about 1.0 and 1.4). The halftones allow for the overlap, so that a grey prints at its own tone: the error diffusions weigh each dot by what it prints, the screens go through a tone curve. Without it the dots are taken to be their square cells. With --check, for --simulate only.</source>
        <translation>Cuánto crecen al imprimirse los puntos de la impresora: puntos redondos de R x la diagonal de su celda cuadrada, 1.00-1.41, con dos decimales como mucho (los cabezales térmicos están entre 1.0 y 1.4 aproximadamente). Los semitonos tienen en cuenta el solapamiento, para que un gris se imprima en su propio tono: las difusiones de error pesan cada punto por lo que imprime, las tramas pasan por una curva de tonos. Sin esta opción los puntos se toman como sus celdas cuadradas. Con --check, solo para --simulate.</translation>
    </message>
    <message>
        <source>Also write the picture as it will print, as a PNG file: 8 x 8 pixels a dot, each black dot a disc of 8 x 1.41 x R pixels across for --dot-gain R (the square cells without it), black on white. At most 4095 dots a side.</source>
        <translation>Escribir además la imagen tal como se imprimirá, como archivo PNG: 8 x 8 píxeles por punto, cada punto negro un disco de 8 x 1.41 x R píxeles de diámetro para --dot-gain R (sin ella, las celdas cuadradas), negro sobre blanco. Como mucho 4095 puntos por lado.</translation>
    </message>
    <message>
        <source>Instead of an IMAGE, make a strip to print once: a row for each dot gain 1.0, 1.1, 1.2, 1.3 and 1.4, labelled, a mid grey patch halftoned for it beside a coarse 50 % checkerboard. The row whose patch looks as dark as its checkerboard is the printer&apos;s --dot-gain. As wide as --width (default 384, at least 128), through --halftone (floyd-steinberg for none), written as logo data text like a picture.</source>
        <translation>En lugar de una IMAGE, crear una tira para imprimir una vez: una fila rotulada para cada ganancia de punto 1.0, 1.1, 1.2, 1.3 y 1.4, un gris medio tramado para ella junto a un tablero de ajedrez grueso al 50 %. La fila cuyo parche parece tan oscuro como su tablero es el --dot-gain de la impresora. Tan ancha como --width (384 por omisión, al menos 128), tramada con --halftone (floyd-steinberg para none), escrita como texto de datos del logotipo igual que una imagen.</translation>
    </message>
    <message>
        <source>--dot-gain must be a number from 1.00 to 1.41 with at most two decimals, not &apos;%1&apos;</source>
        <translation>--dot-gain debe ser un número de 1.00 a 1.41 con dos decimales como mucho, no «%1»</translation>
    </message>
    <message>
        <source>--%1 needs a file name</source>
        <translation>--%1 necesita un nombre de archivo</translation>
    </message>
    <message>
        <source>--dot-gain goes with --check only for --simulate</source>
        <translation>--dot-gain solo va con --check para --simulate</translation>
    </message>
    <message>
        <source>--calibration-strip makes its own picture, not one of an IMAGE (&apos;%1&apos;)</source>
        <translation>--calibration-strip crea su propia imagen, no la de una IMAGE («%1»)</translation>
    </message>
    <message>
        <source>--%1 does not go with --calibration-strip</source>
        <translation>--%1 no va con --calibration-strip</translation>
    </message>
    <message>
        <source>--width must be a whole number of dots from %1 to %2 for the calibration strip, not &apos;%3&apos;</source>
        <translation>para la tira de calibración, --width debe ser un número entero de puntos de %1 a %2, no «%3»</translation>
    </message>
    <message>
        <source>--dot-gain goes with --calibration-strip only for --simulate</source>
        <translation>--dot-gain solo va con --calibration-strip para --simulate</translation>
    </message>
    <message>
        <source>--calibration-strip does not go with --check</source>
        <translation>--calibration-strip no va con --check</translation>
    </message>
    <message>
        <source>cannot make the calibration strip: %1</source>
        <translation>no se puede crear la tira de calibración: %1</translation>
    </message>
</context>
<context>
    <name>PrepareError</name>
    <message>
        <source>the picture</source>
        <translation>la imagen</translation>
    </message>
    <message>
        <source>its original size</source>
        <translation>su tamaño original</translation>
    </message>
    <message>
        <source>paper %1 dots wide</source>
        <translation>un papel de %1 puntos de ancho</translation>
    </message>
    <message>
        <source>a width of %1 dots</source>
        <translation>un ancho de %1 puntos</translation>
    </message>
    <message>
        <source>there is not enough memory for a picture of %1x%2 dots.</source>
        <translation>no hay memoria suficiente para una imagen de %1x%2 puntos.</translation>
    </message>
    <message>
        <source>it is %1 dots wide, wider than the paper&apos;s %2 dots.</source>
        <translation>mide %1 puntos de ancho, más que los %2 puntos del papel.</translation>
    </message>
    <message>
        <source>a picture of %1x%2 dots is outside the range 1-32767.</source>
        <translation>una imagen de %1x%2 puntos está fuera del rango 1-32767.</translation>
    </message>
    <message>
        <source>Cannot prepare %1 for %2: %3</source>
        <translation>No se puede preparar %1 para %2: %3</translation>
    </message>
    <message>
        <source>Cannot turn %1: %2</source>
        <translation>No se puede girar %1: %2</translation>
    </message>
    <message>
        <source>Cannot mirror %1: %2</source>
        <translation>No se puede reflejar %1: %2</translation>
    </message>
    <message>
        <source>Cannot adjust the tone of %1: %2</source>
        <translation>No se puede ajustar el tono de %1: %2</translation>
    </message>
    <message>
        <source>Cannot trim the margins of %1: %2</source>
        <translation>No se pueden recortar los márgenes de %1: %2</translation>
    </message>
    <message>
        <source>Cannot put back the margins of %1: %2</source>
        <translation>No se pueden restaurar los márgenes de %1: %2</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Muestra la ayuda sobre las opciones de la línea de órdenes.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Muestra la ayuda, incluidas las opciones propias de Qt.</translation>
    </message>
</context>
<context>
    <name>RangeWords</name>
    <message>
        <source>Width/Height needs to be in the range 1-32767</source>
        <translation>El ancho y el alto deben estar en el rango 1-32767</translation>
    </message>
</context>
<context>
    <name>SimulationWords</name>
    <message>
        <source>a picture %1 dots wide or high is too large to simulate (at most %2 dots)</source>
        <translation>una imagen de %1 puntos de ancho o alto es demasiado grande para simularla (como mucho %2 puntos)</translation>
    </message>
</context>
<context>
    <name>WriteFailure</name>
    <message>
        <source>it is the input file</source>
        <translation>es el archivo de entrada</translation>
    </message>
</context>
<context>
    <name>plovan::Canvas</name>
    <message>
        <source>%1 dots</source>
        <translation>%1 puntos</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Sin imagen</translation>
    </message>
</context>
<context>
    <name>plovan::ImageMenu</name>
    <message>
        <source>&amp;Image</source>
        <translation>&amp;Imagen</translation>
    </message>
    <message>
        <source>Printer &amp;Width</source>
        <translation>&amp;Ancho de impresora</translation>
    </message>
    <message>
        <source>&amp;Halftone</source>
        <translation>&amp;Tramado</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Tamaño original</translation>
    </message>
    <message>
        <source>384 dots (58 mm paper)</source>
        <translation>384 puntos (papel de 58 mm)</translation>
    </message>
    <message>
        <source>576 dots (80 mm paper)</source>
        <translation>576 puntos (papel de 80 mm)</translation>
    </message>
    <message>
        <source>832 dots (112 mm paper)</source>
        <translation>832 puntos (papel de 112 mm)</translation>
    </message>
    <message>
        <source>Other Width…</source>
        <translation>Otro ancho…</translation>
    </message>
    <message>
        <source>&amp;Centre on Paper</source>
        <translation>&amp;Centrar en el papel</translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation>&amp;Ninguno</translation>
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
        <translation>&amp;Ordenado</translation>
    </message>
    <message>
        <source>&amp;Automatic Threshold</source>
        <translation>Umbral a&amp;utomático</translation>
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
        <translation>&amp;Ruido azul</translation>
    </message>
    <message>
        <source>&amp;Clustered</source>
        <translation>A&amp;grupado</translation>
    </message>
    <message>
        <source>&amp;Serpentine</source>
        <translation>&amp;Serpentina</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Girar a la &amp;derecha</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Girar a la &amp;izquierda</translation>
    </message>
    <message>
        <source>&amp;Mirror</source>
        <translation>&amp;Reflejar</translation>
    </message>
    <message>
        <source>&amp;Trim White Margins</source>
        <translation>Recortar márgenes &amp;blancos</translation>
    </message>
    <message>
        <source>Adjust T&amp;one…</source>
        <translation>Ajustar t&amp;ono…</translation>
    </message>
    <message>
        <source>Printer &amp;Dots</source>
        <translation>&amp;Puntos de impresora</translation>
    </message>
    <message>
        <source>&amp;Square (no model)</source>
        <translation>&amp;Cuadrados (sin modelo)</translation>
    </message>
    <message>
        <source>&amp;Other…</source>
        <translation>&amp;Otro…</translation>
    </message>
    <message>
        <source>Calibration &amp;Strip</source>
        <translation>Tira de ca&amp;libración</translation>
    </message>
</context>
<context>
    <name>plovan::MainMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Load Image…</source>
        <translation>&amp;Cargar imagen…</translation>
    </message>
    <message>
        <source>&amp;Open Logo Data Text…</source>
        <translation>&amp;Abrir texto de datos de logotipo…</translation>
    </message>
    <message>
        <source>&amp;Save Logo Data Text As…</source>
        <translation>&amp;Guardar texto de datos de logotipo como…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Seleccionar todo</translation>
    </message>
    <message>
        <source>Print &amp;Preview</source>
        <translation>&amp;Vista previa de impresión</translation>
    </message>
    <message>
        <source>&amp;About Plovan</source>
        <translation>&amp;Acerca de Plovan</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Acerca de &amp;Qt</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>Barra de menús</translation>
    </message>
</context>
<context>
    <name>plovan::PrintPreview</name>
    <message>
        <source>Print Preview</source>
        <translation>Vista previa de impresión</translation>
    </message>
    <message>
        <source>The picture as large as it will print</source>
        <translation>La imagen al tamaño en que se imprimirá</translation>
    </message>
    <message>
        <source>Picture on paper</source>
        <translation>Imagen sobre el papel</translation>
    </message>
    <message>
        <source>Printer resolution</source>
        <translation>Resolución de la impresora</translation>
    </message>
    <message>
        <source>%1 dpi</source>
        <translation>%1 ppp</translation>
    </message>
    <message>
        <source>Printer &amp;resolution:</source>
        <translation>&amp;Resolución de la impresora:</translation>
    </message>
    <message>
        <source>No picture loaded</source>
        <translation>No hay ninguna imagen cargada</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Ajustar</translation>
    </message>
    <message>
        <source>Printed Size</source>
        <translation>Tamaño impreso</translation>
    </message>
    <message>
        <source>%1 pixels a dot</source>
        <translation>%1 píxeles por punto</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <source>As &amp;Printed</source>
        <translation>Como &amp;impreso</translation>
    </message>
    <message>
        <source>The dots as the printer&apos;s round dots print them</source>
        <translation>Los puntos tal como los imprimen los puntos redondos de la impresora</translation>
    </message>
</context>
<context>
    <name>plovan::RecentMenu</name>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Abrir &amp;reciente</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Borrar la lista</translation>
    </message>
</context>
<context>
    <name>plovan::ToneDialog</name>
    <message>
        <source>Adjust Tone</source>
        <translation>Ajustar tono</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Brillo:</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Co&amp;ntrast:</source>
        <translation>Co&amp;ntraste:</translation>
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
        <translation>&amp;Restablecer</translation>
    </message>
</context>
<context>
    <name>plovan::Window1</name>
    <message>
        <source>This could not be done: %1</source>
        <translation>No se ha podido hacer: %1</translation>
    </message>
    <message>
        <source>Cannot load &apos;%1&apos;: %2</source>
        <translation>No se puede cargar «%1»: %2</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Cargar imagen</translation>
    </message>
    <message>
        <source>Logo data text (*.txt);;All files (*)</source>
        <translation>Texto de datos de logotipo (*.txt);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Open Logo Data Text</source>
        <translation>Abrir texto de datos de logotipo</translation>
    </message>
    <message>
        <source>Save Logo Data Text As</source>
        <translation>Guardar texto de datos de logotipo como</translation>
    </message>
    <message>
        <source>&amp;Save Anyway</source>
        <translation>&amp;Guardar de todos modos</translation>
    </message>
    <message>
        <source>Printer Width</source>
        <translation>Ancho de impresora</translation>
    </message>
    <message>
        <source>The width of the printer&apos;s print head, for a printer not in the menu</source>
        <translation>El ancho del cabezal de impresión, para una impresora que no está en el menú</translation>
    </message>
    <message>
        <source>Width of the print head in dots:</source>
        <translation>Ancho del cabezal de impresión en puntos:</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Turns a JPEG or PNG logo into logo data text for a receipt printer.</source>
        <translation>Convierte un logotipo JPEG o PNG en texto de datos de logotipo para una impresora de tickets.</translation>
    </message>
    <message>
        <source>About Plovan</source>
        <translation>Acerca de Plovan</translation>
    </message>
    <message>
        <source>Imported Image</source>
        <translation>Imagen importada</translation>
    </message>
    <message>
        <source>Load Image....</source>
        <translation>Cargar imagen…</translation>
    </message>
    <message>
        <source>Chooses a JPEG or PNG picture and loads it</source>
        <translation>Elige una imagen JPEG o PNG y la carga</translation>
    </message>
    <message>
        <source>Size of the picture in dots</source>
        <translation>Tamaño de la imagen en puntos</translation>
    </message>
    <message>
        <source>Processed Image</source>
        <translation>Imagen procesada</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Converts the picture again at the threshold</source>
        <translation>Vuelve a convertir la imagen con el umbral</translation>
    </message>
    <message>
        <source>Rows done so far</source>
        <translation>Filas hechas hasta ahora</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Umbral</translation>
    </message>
    <message>
        <source>Dots darker than this print black</source>
        <translation>Los puntos más oscuros se imprimen en negro</translation>
    </message>
    <message>
        <source>Threshold value</source>
        <translation>Valor del umbral</translation>
    </message>
    <message>
        <source>Reverse Image</source>
        <translation>Invertir imagen</translation>
    </message>
    <message>
        <source>Swaps black and white</source>
        <translation>Intercambia el blanco y el negro</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Makes the logo data text of the processed picture</source>
        <translation>Genera el texto de datos de logotipo de la imagen procesada</translation>
    </message>
    <message>
        <source>Image Data</source>
        <translation>Datos de imagen</translation>
    </message>
    <message>
        <source>The logo data text for the printer</source>
        <translation>El texto de datos de logotipo para la impresora</translation>
    </message>
    <message>
        <source>Scroll Image Data</source>
        <translation>Desplazar los datos de imagen</translation>
    </message>
    <message>
        <source>Plovan %1 — logos for receipt printers</source>
        <translation>Plovan %1 — logotipos para impresoras de tickets</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not logo data text: %2</source>
        <translation>«%1» no es texto de datos de logotipo: %2</translation>
    </message>
    <message>
        <source>The text is not logo data text: %1.

Save it anyway?</source>
        <translation>El texto no es texto de datos de logotipo: %1.

¿Guardarlo de todos modos?</translation>
    </message>
    <message>
        <source>Cannot save &apos;%1&apos;: %2</source>
        <translation>No se puede guardar «%1»: %2</translation>
    </message>
    <message>
        <source>Printer Dots</source>
        <translation>Puntos de impresora</translation>
    </message>
    <message>
        <source>How much larger than its cell the printer&apos;s round dot is, as the calibration strip finds it</source>
        <translation>Cuánto mayor que su celda es el punto redondo de la impresora, tal como lo halla la tira de calibración</translation>
    </message>
    <message>
        <source>Dot diameter over the cell&apos;s diagonal (%1 to %2):</source>
        <translation>Diámetro del punto entre la diagonal de la celda (%1 a %2):</translation>
    </message>
    <message>
        <source>The calibration strip needs a printer width of at least %1 dots.</source>
        <translation>La tira de calibración necesita un ancho de impresora de al menos %1 puntos.</translation>
    </message>
    <message>
        <source>Calibration Strip</source>
        <translation>Tira de calibración</translation>
    </message>
</context>
</TS>
