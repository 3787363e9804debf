#pragma once

#include "conversion/ConversionView.h"

#include <QStringList>
#include <vector>

// A window stand-in that records everything it is told: each progress text, each
// processed backdrop, and the image data text after every change.
class RecordingView : public plovan::ConversionView {
public:
    void setProgressText(const QString &text) override { progress << text; }
    void setProcessedBackdrop(const plovan::PictureRef &picture) override { backdrops.push_back(picture); }
    QString imageDataText() const override { return text; }
    void setImageDataText(const QString &newText) override
    {
        text = newText;
        textHistory << text;
    }
    void appendImageDataText(QStringView more) override
    {
        text.append(more);
        textHistory << text;
    }

    bool untouched() const { return progress.isEmpty() && backdrops.empty() && textHistory.isEmpty(); }

    QStringList progress;
    std::vector<plovan::PictureRef> backdrops;
    QString text;
    QStringList textHistory;
};
