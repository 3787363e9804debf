#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QRgb>
#include <QString>
#include <cstdint>

namespace plovan::fuzz {

// A PNG described by a fuzz input, and what a correct decoder must make of it.
struct StructuredPng {
    QByteArray file;
    std::uint32_t width = 0;  // as IHDR declares them
    std::uint32_t height = 0;
    // Signature and IHDR are intact and IHDR is valid PNG (sides 1 ... 2^31 - 1, a
    // permitted depth and colour type, methods 0, interlace 0 or 1).
    bool headerValid = false;
    // A complete file with nothing damaged or out of order: it must load as `expected`.
    bool clean = false;
    // It carries an eXIf chunk, which may turn the picture a quarter.
    bool orientationTag = false;
    // When clean: width * height colours, row by row, transparency laid over white.
    QList<QRgb> expected;
    // Largest difference per channel a correct decoder may show: 16-bit samples and
    // blending over white each round once.
    int tolerance = 0;
    // What was built, for a reproducer's report: "RGBA 16-bit 3x7 interlaced, ...".
    QString plan;
};

// Reads the header fields, the chunks to add, the damage to do and the pixel rows from
// the input, in that order, and writes the file.
StructuredPng buildStructuredPng(QByteArrayView input);

} // namespace plovan::fuzz
