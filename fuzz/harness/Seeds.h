#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace plovan::fuzz {

// Starting inputs for the fuzz targets, made on the spot; the test suite runs every one
// of them through its harness too.
struct Seed {
    QString name; // what the seed is, fit for a file name: "progressive-jpeg-33x17"
    QByteArray bytes;
};

// Small PNG and JPEG files of every kind the window must take: colour, transparency,
// grey, palette, 16-bit, interlaced; baseline, progressive, grey, EXIF-turned JPEG.
QList<Seed> decodeSeeds();
// Descriptions of pictures and settings for checkConversion.
QList<Seed> conversionSeeds();
// Descriptions for buildStructuredPng: every depth and colour type, interlaced or not,
// with transparency, and the header liars.
QList<Seed> structuredPngSeeds();
// Logo data text files for checkLogoTextInput, each named for what it is: "valid-..." or
// the fault it shows first ("NotHexDigit-letter-past-F"); every fault is there, and the
// text saved as UTF-16 and with line breaks added.
QList<Seed> logoTextSeeds();

} // namespace plovan::fuzz
