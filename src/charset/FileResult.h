#pragma once

#include <QString>

#include <utility>

namespace fontlathe {

// The outcome of reading or writing a font file: success, or a failure with a reason that can
// be shown to the user as it stands (it does not name the file; the caller does).
class FileResult {
public:
    static FileResult Success() { return FileResult(true, QString()); }
    static FileResult Failure(QString reason) { return FileResult(false, std::move(reason)); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const QString& reason() const { return reason_; }

private:
    FileResult(bool ok, QString reason) : ok_(ok), reason_(std::move(reason)) {}

    bool ok_;
    QString reason_;
};

} // namespace fontlathe
