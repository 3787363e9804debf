#include "platform/FileType.h"

namespace plovan {

QStringList FileType::extensionList() const
{
    return Extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

QString FileTypeSet::filterString() const
{
    QStringList names;
    for (const FileType &type : types_) {
        for (const QString &name : type.Name.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            names << name;
    }
    return names.join(QLatin1Char(';'));
}

QStringList FileTypeSet::extensions() const
{
    QStringList all;
    for (const FileType &type : types_)
        all << type.extensionList();
    return all;
}

FileTypeSet FileTypeSet::operator+(const FileType &more) const
{
    FileTypeSet result = *this;
    result.types_.append(more);
    return result;
}

FileTypeSet operator+(const FileType &first, const FileType &second)
{
    return FileTypeSet({first, second});
}

namespace filetypes {

FileType jpeg()
{
    return {QStringLiteral("image/jpeg"), QStringLiteral("JPEG"), QStringLiteral("jpg;jpeg")};
}

FileType png()
{
    return {QStringLiteral("image/png"), QStringLiteral("PNG "), QStringLiteral("png")};
}

FileTypeSet pictures()
{
    return jpeg() + png();
}

} // namespace filetypes
} // namespace plovan
