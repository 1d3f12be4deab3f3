#pragma once

#include <QString>

#include <utility>

namespace fontlathe {

// The outcome of reading or writing a game's resource bundle: success, or the file at fault and
// a reason that names the offset of what is wrong, ready to be shown as it stands.
class BundleResult {
public:
    static BundleResult Success() { return BundleResult(QString(), QString()); }
    static BundleResult Failure(QString path, QString reason) {
        return BundleResult(std::move(path), std::move(reason));
    }

    bool ok() const { return reason_.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }

private:
    BundleResult(QString path, QString reason)
        : path_(std::move(path)), reason_(std::move(reason)) {}

    QString path_;
    QString reason_;
};

} // namespace fontlathe
