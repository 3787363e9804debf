#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <cstdint>
#include <functional>

namespace plovan::testsupport {

// What a PNG holds: its header fields and, for each pixel, its samples in file order
// (grey; grey, alpha; red, green, blue; red, green, blue, alpha; or a palette index),
// each at most 2^bitDepth - 1.
struct PngFixture {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = 2; // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    bool interlaced = false;
    QByteArray plte; // PLTE data, for colour type 3
    QByteArray trns; // tRNS data, when not empty
    std::function<QList<int>(int x, int y)> samples;
};

// PNG files put together chunk by chunk, so that a test or a fuzz input can say exactly
// which header fields, chunks, rows and damage a file has.
namespace png {

QByteArray signature();
std::uint32_t crc32(QByteArrayView bytes);
// Length, type, data and a correct CRC.
QByteArray chunk(QByteArrayView type, QByteArrayView data);
QByteArray ihdrData(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType,
                    int interlace = 0, int compression = 0, int filter = 0);
// A zlib stream of the bytes, as IDAT, zTXt and iCCP carry them.
QByteArray zlib(QByteArrayView raw, int level = -1);

// Samples per pixel of a colour type; 1 for a type PNG does not have.
int channelsOf(int colourType);

// One pass over the picture: first column and row, column and row step. Adam7 has seven;
// a picture that is not interlaced has one, {0, 0, 1, 1}.
struct Pass {
    int x0, y0, dx, dy;
};
QList<Pass> passes(bool interlaced);
// The scan lines of one pass, without their filter bytes: samples packed from the most
// significant bit and each line padded to whole bytes; 16-bit samples big-endian.
QList<QByteArray> scanLines(const PngFixture &picture, const Pass &pass);
// A scan line filtered with `type` (0 ... 4) against the previous line of its pass (all
// zeros for the first); any other type leaves the bytes as they are.
QByteArray filtered(const QByteArray &line, const QByteArray &previous, int type, int bytesPerPixel);

// The whole file: signature, IHDR, PLTE and tRNS when given, one IDAT of lines with
// filter type 0, IEND.
QByteArray file(const PngFixture &picture);
// An 8-bit RGB (colour type 2) or RGBA (6) PNG of the image's pixels, through this writer
// rather than Qt's, so that no encoder choice is involved.
QByteArray fromImage(const QImage &image, int colourType = 2);

// Signature and IHDR and nothing else: a file that only claims a size.
QByteArray headerOnly(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType);
// A header declaring any size at all, then a little image data that does not match it:
// for the checks that must refuse before decoding.
QByteArray declaring(std::uint32_t width, std::uint32_t height, int bitDepth = 8, int colourType = 2);
// The header and one row of image data: a decoder may start, then runs out.
QByteArray withOneRow(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType);

} // namespace png
} // namespace plovan::testsupport
