#include "FileType.h"

#include <utility>

namespace fontlathe {

FileType::FileType(QString description, const QString& extensionString)
    : description_(std::move(description)), extensions_(extensionString.split(u';')) {
    path_ = QStringLiteral("new") + extensions_.last();
}

void FileType::SetPath(const QString& name) {
    path_ = WithExtension(name);
}

QString FileType::WithExtension(const QString& name) const {
    return HasExtension(name) ? name : name + extensions_.first();
}

QString FileType::FilePattern() const {
    QString patterns;
    for (const QString& extension : extensions_) {
        patterns += u'*' + extension + u';';
    }
    while (patterns.startsWith(u';')) {
        patterns.remove(0, 1);
    }
    while (patterns.endsWith(u';')) {
        patterns.chop(1);
    }
    return description_ + QStringLiteral(" (") + patterns + QStringLiteral(")|") + patterns;
}

bool FileType::HasExtension(const QString& name) {
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        const QChar c = name.at(i);
        if (c == u'/' || c == u' ') {
            return false;
        }
        if (c == u'.') {
            const bool first = i == 0;
            const bool afterSeparator =
                !first && (name.at(i - 1) == u'/' || name.at(i - 1) == u'\\');
            const bool somethingFollows = i + 1 < name.size();
            return !first && !afterSeparator && somethingFollows;
        }
    }
    return false;
}

} // namespace fontlathe
