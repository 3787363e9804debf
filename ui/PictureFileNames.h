#pragma once

#include "platform/FileType.h"

#include <QString>
#include <optional>

class QMimeData;

namespace plovan {

// The open dialog's name filter for the given file types, for example
// "JPEG or PNG pictures (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)". Qt's own dialog matches
// names without regard to case; the upper-case patterns are for native dialogs that don't.
QString pictureNameFilter(const FileTypeSet &types);

// Whether a file name ends in one of the types' extensions, in any case ("LOGO.Png").
bool hasPictureExtension(const QString &fileName, const FileTypeSet &types);

// The file a drag carries when it is exactly one local file of the given types; nothing for
// several files, a remote address, another kind of file or no file at all.
std::optional<QString> droppedPictureFile(const QMimeData *data,
                                          const FileTypeSet &types = filetypes::pictures());

} // namespace plovan
