#pragma once

#include <QPoint>
#include <QString>

#include <optional>
#include <utility>

namespace fontlathe {

// What went wrong, where a caller tells one failure from another: a glyph sheet's problems have
// kinds of their own, and so has an output that would replace the input; every other failure is
// Failed.
enum class ResultKind {
    None,          // no failure
    Failed,        // a file can't be read, written or understood; the reason says why
    Unreadable,    // the file can't be read, or holds no PNG image that decodes
    NotAGrid,      // the image size is no grid of 16 x 16 cells
    UnknownColor,  // a cell pixel whose colour is none of the sheet's 18
    NotARectangle, // ink that is not one rectangle at the top-left of its cell
    TooManyColors, // a palette index that the set's bits per pixel can't hold
    BadMetadata,   // the fontlathe chunk is not JSON of the expected shape
    LaterFormat,   // the fontlathe chunk is of a format this program does not know
    CellTooSmall,  // a glyph does not fit the chosen cell size
    NotExportable, // the set holds something a sheet can't carry
    Unwritable,    // the file can't be written
    SameFile,      // the output named is the input file itself, which is left as it is
    NoSuchFont,    // the game has no font of the number asked for
};

// The outcome of reading or writing a font, a sheet, a game's bundle or a mapping file, in every
// layer: success, or a failure with its kind, the reason (ready to be shown as it stands after
// the file's name), the file at fault where it is not the one the caller named, and where known
// the character code and the pixel.
class Result {
public:
    static Result Success() { return Result(ResultKind::None, {}, {}, -1, std::nullopt); }
    // A failure of the file the caller names.
    static Result Failure(QString reason) {
        return Result(ResultKind::Failed, {}, std::move(reason), -1, std::nullopt);
    }
    // A failure of the file at path, which may be another than the one the caller named.
    static Result Failure(QString path, QString reason) {
        return Result(ResultKind::Failed, std::move(path), std::move(reason), -1, std::nullopt);
    }
    // A failure of a kind of its own; the reason then starts with the character and the pixel
    // it concerns, where it concerns one.
    static Result Failure(ResultKind kind, QString reason, int code = -1,
                          std::optional<QPoint> pixel = std::nullopt) {
        QString where;
        if (code >= 0) {
            where = QStringLiteral("character %1").arg(code);
        }
        if (pixel) {
            where += QStringLiteral("%1pixel (%2, %3)")
                         .arg(where.isEmpty() ? QString() : QStringLiteral(", "))
                         .arg(pixel->x())
                         .arg(pixel->y());
        }
        if (!where.isEmpty()) {
            reason = where + QStringLiteral(": ") + reason;
        }
        return Result(kind, {}, std::move(reason), code, pixel);
    }

    // The same failure, naming path as the file at fault where it names none: how a caller that
    // named the file passes the failure on to one that did not. A success stays as it is.
    Result At(const QString& path) const {
        return ok() || !path_.isEmpty() ? *this : Result(kind_, path, reason_, code_, pixel_);
    }

    bool ok() const { return kind_ == ResultKind::None; }
    explicit operator bool() const { return ok(); }
    ResultKind kind() const { return kind_; }
    ResultKind problem() const { return kind_; }
    const QString& reason() const { return reason_; }
    // The file at fault; empty when it is the one the caller named.
    const QString& path() const { return path_; }
    // The character the failure concerns; -1 when it concerns none.
    int code() const { return code_; }
    std::optional<QPoint> pixel() const { return pixel_; }

private:
    Result(ResultKind kind, QString path, QString reason, int code, std::optional<QPoint> pixel)
        : kind_(kind), path_(std::move(path)), reason_(std::move(reason)), code_(code),
          pixel_(pixel) {}

    ResultKind kind_;
    QString path_;
    QString reason_;
    int code_;
    std::optional<QPoint> pixel_;
};

} // namespace fontlathe
