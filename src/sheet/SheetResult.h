#pragma once

#include <QPoint>
#include <QString>

#include <optional>
#include <utility>

namespace fontlathe {

// Why a glyph sheet was not written or not read.
enum class SheetProblem {
    None,
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
};

// The outcome of writing or reading a glyph sheet. A failure names, where it concerns one, the
// character code and the sheet pixel at fault; reason() then names both, so that it can be shown
// as it stands after the file name.
class SheetResult {
public:
    static SheetResult Success() { return SheetResult(SheetProblem::None, QString(), -1, {}); }
    static SheetResult Failure(SheetProblem problem, QString reason, int code = -1,
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
        return SheetResult(problem, std::move(reason), code, pixel);
    }

    bool ok() const { return problem_ == SheetProblem::None; }
    explicit operator bool() const { return ok(); }
    SheetProblem problem() const { return problem_; }
    const QString& reason() const { return reason_; }
    // The character the failure concerns; -1 when it concerns none.
    int code() const { return code_; }
    std::optional<QPoint> pixel() const { return pixel_; }

private:
    SheetResult(SheetProblem problem, QString reason, int code, std::optional<QPoint> pixel)
        : problem_(problem), reason_(std::move(reason)), code_(code), pixel_(pixel) {}

    SheetProblem problem_;
    QString reason_;
    int code_;
    std::optional<QPoint> pixel_;
};

} // namespace fontlathe
