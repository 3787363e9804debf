#pragma once

#include "platform/Picture.h"

#include <QString>
#include <QStringView>

namespace plovan {

// The few window operations the conversion and the logo data text need. The main window
// implements them on its widgets; the command-line tool and the tests implement them
// without any window.
class ConversionView {
public:
    virtual ~ConversionView() = default;

    // progress_label
    virtual void setProgressText(const QString &text) = 0;
    // The backdrop of Canvas2, the processed picture.
    virtual void setProcessedBackdrop(const PictureRef &picture) = 0;
    // Replaces the whole text of TextArea1.
    virtual void setImageDataText(const QString &text) = 0;
    // The same as setting the text to its current text followed by `text`, without
    // rebuilding what is already there.
    virtual void appendImageDataText(QStringView text) = 0;
};

} // namespace plovan
