#pragma once

#include "platform/PixelBuffer.h"

#include <QImage>

#include <cstdint>

namespace plovan {

// Turns what the decoders hand us into the opaque 32-bit storage format. Transparency is
// laid over white paper (a transparent background prints as paper, not as whatever colour
// the file keeps under it), 16-bit samples are rounded to 8 bits, and grey and palette
// pictures become red, green and blue.
//
// `decoded` is the decoder's image. When `buffer` holds its pixels (the decoder wrote
// into our memory), pictures of 32 or 64 bits per pixel are converted in that memory and
// the buffer is handed to the result; otherwise a new storage image is made and the
// decoded one released as soon as it is read. Throws std::bad_alloc.
QImage toStorageImage(QImage decoded, PixelBuffer buffer);

// The row helpers. Each reads `width` pixels and writes `width` stored pixels (top byte
// 0xFF). "Over white" means c * a + 255 * (255 - a), divided by 255 and rounded to the
// nearest integer (which is never a tie, 255 being odd); 16-bit values are rounded the
// same way.

// Non-premultiplied 0xAARRGGBB in place.
void compositeArgbRowOverWhite(std::uint32_t *row, int width);
// Grey bytes.
void greyRowToStorage(const uchar *grey, std::uint32_t *out, int width);
// Native 16-bit grey samples: round(g / 257).
void grey16RowToStorage(const std::uint16_t *grey, std::uint32_t *out, int width);
// Four native 16-bit samples per pixel, red, green, blue, alpha (alpha ignored when
// `opaque`): round((c * a + 65535 * (65535 - a)) / (65535 * 257)). `out` may be the
// same memory as `in`: a pixel is read before its output is written, and the output
// never runs ahead of the input.
void rgba64RowToStorage(const std::uint16_t *in, std::uint32_t *out, int width, bool opaque);
// Palette indexes through a 256-entry table of stored colours.
void indexedRowToStorage(const uchar *indexes, const std::uint32_t *table, std::uint32_t *out, int width);
// One bit per pixel, most significant bit first, through a 2-entry table.
void monoRowToStorage(const uchar *bits, const std::uint32_t *table, std::uint32_t *out, int width);

// A colour of a palette or of a decoded pixel, 0xAARRGGBB not premultiplied, laid over
// white and stored.
std::uint32_t storedOverWhite(std::uint32_t argb);

} // namespace plovan
