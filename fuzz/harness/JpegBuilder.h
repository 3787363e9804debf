#pragma once

#include <QByteArray>
#include <QList>

namespace plovan::fuzz::jpeg {

// A progressive grey JPEG written by hand, every pixel 128: one DC scan, then `acScans`
// AC scans that each cover every block with end-of-band runs, a few bytes apiece however
// big the picture. This is the shape of the "many scans" attack: the decoder walks every
// block once per scan, so the work grows with scans x blocks while the file stays small.
QByteArray progressiveGrey(int width, int height, int acScans);

// The marker segments and scans of a JPEG, each with its marker: {FFD8}, {FFE0 ...}, ...,
// a scan as its SOS segment followed by its entropy-coded data, {FFD9}.
QList<QByteArray> segments(const QByteArray &jpeg);

} // namespace plovan::fuzz::jpeg
