#pragma once

#include <QByteArray>

namespace plovan::testsupport {

// The JPEG with its frame header (the first SOFn: baseline, progressive or any other)
// declaring width x height; its data stays that of the real size. The header must be there.
QByteArray jpegDeclaring(QByteArray jpeg, int width, int height);

} // namespace plovan::testsupport
