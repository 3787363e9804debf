#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace plovan {

// A kind of picture file the open dialog offers: its MIME name, the platform's
// four-character type code and its file name extensions ("jpg;jpeg", no dots).
struct FileType {
    QString Name;
    QString MacType;
    QString Extensions;

    QStringList extensionList() const;
};

// The union of file types that "+" builds for the open dialog, in the order added.
class FileTypeSet {
public:
    FileTypeSet() = default;
    explicit FileTypeSet(QList<FileType> types) : types_(std::move(types)) {}

    const QList<FileType> &types() const { return types_; }
    // The Names joined by ";" with empty entries dropped: "image/jpeg;image/png".
    QString filterString() const;
    // Every extension of every type, in order: {"jpg", "jpeg", "png"}.
    QStringList extensions() const;

    FileTypeSet operator+(const FileType &more) const;

private:
    QList<FileType> types_;
};

FileTypeSet operator+(const FileType &first, const FileType &second);

namespace filetypes {
FileType jpeg();
FileType png();
// JPEG first, then PNG: what "Load Image...." offers.
FileTypeSet pictures();
} // namespace filetypes

} // namespace plovan

Q_DECLARE_METATYPE(plovan::FileTypeSet)
