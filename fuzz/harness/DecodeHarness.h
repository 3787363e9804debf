#pragma once

#include "platform/LoadReason.h"
#include "platform/Picture.h"

#include <QByteArrayView>
#include <QString>

namespace plovan::fuzz {

// The pixel cap of the fuzz targets and of the replay of their reproducers: about
// 512 x 512, which still decodes, converts and checks well under a second with the
// sanitizers on.
inline constexpr qint64 kFuzzPixelCap = qint64(1) << 18;

// What one input did on the window's loading path.
struct DecodeOutcome {
    bool skipped = false; // over the pixel cap: not attempted
    bool loaded = false;
    LoadReason reason;    // the refusal's reason, when refused
    PictureRef pix;       // the loaded picture, when loaded
    QString failure;      // what a check found wrong; empty when everything held
};

// The input as a file given to the window's load step (content check, header size check,
// decode, working picture) in a window that already shows a picture, a converted picture
// and text. A refusal must be reported once, name the file, give a reason and leave the
// whole window byte for byte as it was; a load must replace both pictures and the size
// text and nothing else, and then redraw and Create must match the naive reference. The
// same bytes read as a stream must give the same picture or also be refused.
//
// maxPixels > 0 skips inputs whose header declares an in-range size of more pixels than
// that, before anything is decoded: under a fuzzer a 32767 x 32767 header is a 4 GiB
// allocation, not a finding.
// `fileName` names the scratch file: the content must decide, whatever the name says.
DecodeOutcome runDecodePath(QByteArrayView input, qint64 maxPixels = 0,
                            const QString &fileName = QStringLiteral("input.png"));

// The window part of runDecodePath for a path that already exists, or not: a file, a
// folder, a missing file. Every check but the comparison with a stream.
DecodeOutcome runWindowLoad(const QString &path);

} // namespace plovan::fuzz
