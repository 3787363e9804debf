#include "JpegFiles.h"

#include <QtGlobal>

namespace plovan::testsupport {

QByteArray jpegDeclaring(QByteArray jpeg, int width, int height)
{
    // After the start of image, marker segments each with their length, up to the frame
    // header: a marker from C0 to CF but DHT (C4), JPG (C8) and DAC (CC).
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            break;
        at += 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]));
    }
    Q_ASSERT(at + 9 <= jpeg.size());
    // Marker, length, precision, then height and width, big-endian.
    jpeg[at + 5] = char(height >> 8);
    jpeg[at + 6] = char(height & 0xFF);
    jpeg[at + 7] = char(width >> 8);
    jpeg[at + 8] = char(width & 0xFF);
    return jpeg;
}

} // namespace plovan::testsupport
