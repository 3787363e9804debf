#pragma once

#include "conversion/PrepareForPrinter.h"

#include <QString>

namespace plovan {

// The window's message for an Image menu choice the picture cannot be prepared for:
// "Cannot prepare 'logo.png' for paper 384 dots wide: it is 500 dots wide, wider than the
// paper's 384 dots." `pictureName` empty is "the picture"; the choice is the printer width
// asked for (0: the picture's original size) and whether the picture is centred on it.
QString printChoiceFailure(const QString &pictureName, int printerWidth, bool centre, const PrepareError &error);

// A choice about the picture itself that it cannot be prepared with.
enum class PictureChange {
    Turn,     // Rotate Right or Left
    Mirror,   // Mirror, on or off
    Tone,     // Adjust Tone
    Trim,     // trimming the margins: Trim White Margins on, or Reverse Image with it on
    Untrim,   // Trim White Margins off
};

// The window's message for it: "Cannot turn 'logo.png': there is not enough memory for a
// picture of 64x192 dots." `pictureName` empty is "the picture".
QString pictureChoiceFailure(const QString &pictureName, PictureChange change, const PrepareError &error);

} // namespace plovan
