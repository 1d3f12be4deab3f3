#pragma once

#include <QString>

#include <utility>

namespace fontlathe {

// The outcome of reading or writing a game's resource bundle: success, or the file at fault and
// a reason that names the offset of what is wrong, ready to be shown as it stands.
class BundleResult {
public:
    static BundleResult Success() { return BundleResult(true, QString(), QString()); }
    static BundleResult Failure(QString path, QString reason) {
        return BundleResult(false, std::move(path), std::move(reason));
    }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok(); }
    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }

private:
    BundleResult(bool ok, QString path, QString reason)
        : ok_(ok), path_(std::move(path)), reason_(std::move(reason)) {}

    bool ok_;
    QString path_;
    QString reason_;
};

} // namespace fontlathe
