#pragma once

#include <QByteArrayView>
#include <QSize>

#include <optional>

class QIODevice;

namespace plovan {

// The two kinds of picture file we open. Anything else is refused before any decoder
// sees it, so no other image library becomes something a hostile file can reach.
enum class PictureKind { Unknown, Png, Jpeg };

// Decides the kind from the first bytes of the content alone (8 are enough), never from
// the file name: the PNG signature, or a JPEG start-of-image marker followed by a marker.
PictureKind sniffPictureKind(QByteArrayView head);

// What a file's header declares, read with our own few lines before any decoder runs.
struct DeclaredHeader {
    QSize size;
    // The fewest bytes a complete file with this header can have (0: no bound known).
    // A JPEG decoder does not stop at the end of the data: it makes up the missing rows
    // and hands back a grey picture of the declared size, so a few hundred bytes that
    // declare 20000 x 20000 cost gigabytes and half a minute. Every 8 x 8 block of a
    // Huffman-coded JPEG (baseline or progressive) takes at least one bit, which bounds
    // the file from below; arithmetic coding has no such bound.
    qint64 minimumFileBytes = 0;
};

// The PNG IHDR chunk, or a JPEG frame header (SOFn) found by walking the marker segments
// in front of it. Widths and heights beyond the int range come back clamped to INT_MAX
// so that they still fail the range check. Nothing when the header is missing, cut
// short or malformed. Reads from a random-access device and puts its position back.
std::optional<DeclaredHeader> readDeclaredHeader(QIODevice *device, PictureKind kind);
// Just the size of the above.
std::optional<QSize> readDeclaredSize(QIODevice *device, PictureKind kind);

} // namespace plovan
