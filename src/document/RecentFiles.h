#pragma once

#include <QStringList>

namespace fontlathe {

// The files last opened or saved, most recent first, and the folder last used, kept in the
// user's settings so that they outlive the run.
class RecentFiles {
public:
    static constexpr int MaxCount = 8;

    // Reads the list as the last run left it.
    RecentFiles();

    const QStringList& paths() const { return paths_; }
    // The folder of the file last opened or saved; empty before the first.
    const QString& lastFolder() const { return lastFolder_; }

    // Puts the file first, once, and makes its folder the last one used.
    void Add(const QString& path);
    void Remove(const QString& path);
    void Clear();

private:
    void Store() const;

    QStringList paths_;
    QString lastFolder_;
};

} // namespace fontlathe
