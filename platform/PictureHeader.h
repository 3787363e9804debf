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

// The width and height a file's header declares, read with our own few lines before any
// decoder runs: the PNG IHDR chunk, or a JPEG frame header (SOFn) found by walking the
// marker segments in front of it. Widths and heights beyond the int range come back
// clamped to INT_MAX so that they still fail the range check. Nothing when the header
// is missing, cut short or malformed. Reads from a random-access device and puts its
// position back at the start.
std::optional<QSize> readDeclaredSize(QIODevice *device, PictureKind kind);

} // namespace plovan
