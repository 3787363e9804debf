#pragma once

#include "conversion/ConversionView.h"
#include "conversion/ConversionState.h"
#include "import/LoadView.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace plovan::testsupport {

// The whole window without widgets: what loading, the conversion and Create tell it, in
// order. The canvases, labels and text area are plain fields, and every call is logged,
// so a check can say both what the window shows and what it was told. The tests and the
// fuzz harnesses all use this one stand-in for the window.
class WindowRecorder : public LoadView, public ConversionView {
public:
    // LoadView
    std::optional<QString> chooseFile(const FileTypeSet &types) override;
    void setSourceBackdrop(const PictureRef &picture) override;
    void setProcessedBackdrop(const PictureRef &picture) override; // also ConversionView's
    void setDimensionsText(const QString &text) override;
    void showLoadError(const LoadError &error) override;

    // ConversionView
    void setProgressText(const QString &text) override;
    void setImageDataText(const QString &newText) override;
    void appendImageDataText(QStringView more) override;

    // What the next chooseFile answers; nothing means the user cancels.
    std::optional<QString> nextChoice;

    PictureRef sourceBackdrop;    // Canvas1
    PictureRef processedBackdrop; // Canvas2
    QString dimensionsText;       // dimensions_label
    QString progressText;         // progress_label
    QString text;                 // TextArea1
    QList<LoadError> errors;      // every failure reported, in order
    QStringList calls;            // one entry per call: "setDimensionsText 3x2", ...
    QStringList progressHistory;  // every progress text
    QStringList textHistory;      // TextArea1 after every change
};

// The window and its state as bytes and identities: two snapshots are equal only when no
// field, label, canvas, text or pixel has changed. Pictures are compared by identity
// (the same object is still held) and by the SHA-1 of their pixels.
struct WindowSnapshot {
    const Picture *pix = nullptr;
    const Picture *destPix = nullptr;
    QByteArray pixDigest;
    QByteArray destPixDigest;
    int threshold = 0;
    bool reverse = false;
    const Picture *sourceBackdrop = nullptr;
    const Picture *processedBackdrop = nullptr;
    QString dimensionsText;
    QString progressText;
    QString text;

    static WindowSnapshot take(const ConversionState &state, const WindowRecorder &window);
    // The fields that differ, by name ("pix pixels, text"); empty when none do.
    QString differencesFrom(const WindowSnapshot &other) const;
};

// SHA-1 of the pixels a picture shows, row by row, padding left out.
QByteArray pictureDigest(const Picture &picture);

} // namespace plovan::testsupport
