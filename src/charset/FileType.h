#pragma once

#include <QString>
#include <QStringList>

namespace fontlathe {

// The one kind of file the program works on, and the current path: the file that Reopen reads
// and Save writes, whether or not it exists yet.
class FileType {
public:
    FileType(QString description, const QString& extensionString);

    const QString& description() const { return description_; }
    const QStringList& extensions() const { return extensions_; }
    const QString& path() const { return path_; }

    // Makes name the current path, adding the first extension when the name has none.
    void SetPath(const QString& name);
    // Makes path, a name already extended, the current path as it stands: the file that was read
    // or written.
    void SetExactPath(const QString& path) { path_ = path; }
    // The name with the first extension added when it has none.
    QString WithExtension(const QString& name) const;
    // "Label (*.a;*.b)|*.a;*.b": the requester filter in the program's own notation.
    QString FilePattern() const;

    // Searching back from the end, the first dot, "/" or space is a dot that is neither the
    // first character nor right after "/" or "\", and something follows it.
    static bool HasExtension(const QString& name);

private:
    QString description_;
    QStringList extensions_;
    QString path_;
};

} // namespace fontlathe
