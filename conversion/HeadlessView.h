#pragma once

#include "conversion/ConversionView.h"

namespace plovan {

// A window that is only memory: it keeps the last progress text, the processed picture
// and the image data text, so the command-line tool gets exactly the window's results.
class HeadlessView : public ConversionView {
public:
    void setProgressText(const QString &text) override { progress_ = text; }
    void setProcessedBackdrop(const PictureRef &picture) override { processed_ = picture; }
    void setImageDataText(const QString &text) override;
    void appendImageDataText(QStringView text) override { text_.append(text); }

    const QString &progressText() const { return progress_; }
    const PictureRef &processedBackdrop() const { return processed_; }
    const QString &text() const { return text_; }
    // Hands the text over without a copy; the view is empty afterwards.
    QString takeText();

private:
    QString progress_;
    PictureRef processed_;
    QString text_;
};

} // namespace plovan
