#pragma once

#include "platform/FileType.h"
#include "platform/LoadReason.h"
#include "platform/Picture.h"

#include <QString>
#include <optional>

namespace plovan {

// Why a picture could not be loaded: the file as the user named it and the reason. The
// window and plovan-cli each put it into words.
struct LoadError {
    QString file;
    LoadReason reason;

    bool operator==(const LoadError &) const = default;
};

// The window operations that loading a picture needs.
class LoadView {
public:
    virtual ~LoadView() = default;

    // The modal open-file dialog, offering the given file types; nothing when cancelled.
    virtual std::optional<QString> chooseFile(const FileTypeSet &types) = 0;
    // Backdrops of Canvas1 (the loaded picture) and Canvas2 (the processed picture).
    virtual void setSourceBackdrop(const PictureRef &picture) = 0;
    virtual void setProcessedBackdrop(const PictureRef &picture) = 0;
    // dimensions_label
    virtual void setDimensionsText(const QString &text) = 0;
    // A load failed; nothing of the window has changed.
    virtual void showLoadError(const LoadError &error) = 0;
};

} // namespace plovan
