#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QString>

#include <cstddef>
#include <optional>

namespace fontlathe {

// One change to the set on the history. A step holds the other side of its change: the state the
// set had before it, while the set holds the state after. Swapping the two undoes the change, and
// swapping again redoes it, so a step needs no separate undo and redo.
//
// A step is made before its change, from the set as it is then, and so it is also what an edit
// in progress keeps until it ends (see EditHistory::Begin).
class EditStep {
public:
    // What a swap touched, and so what the views must show again.
    enum class Scope { Glyph, StoredCount, Header, WholeSet };

    EditStep(QString text, Scope scope, int code)
        : text_(std::move(text)), scope_(scope), code_(code) {}
    virtual ~EditStep() = default;
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    virtual void Swap(Charset& set) = 0;
    // Whether the set is no longer in the state the step holds: an edit that changed nothing
    // becomes no step.
    virtual bool Differs(const Charset& set) const = 0;
    // The bytes the step keeps alive. The history asks once, when it records the step: after a
    // swap the step holds the other side, which may be larger or smaller.
    virtual std::size_t Cost() const = 0;

    // "Paint 'A'": what the Undo and Redo items name.
    const QString& text() const { return text_; }
    Scope scope() const { return scope_; }
    // The character the step changed; the row to select after a swap, -1 for none.
    int code() const { return code_; }
    // For a step that changed the code page with the set (Add Letters), the page on the other
    // side of the step: it swaps with the document's page as the step swaps with the set.
    const std::optional<QString>& otherPage() const { return otherPage_; }
    void SetOtherPage(QString page) { otherPage_ = std::move(page); }

private:
    QString text_;
    Scope scope_;
    int code_;
    std::optional<QString> otherPage_;
};

// The name of a step that changed one character, as the page reads its code: "Paint 'A'", or
// "Paint character 32" for a code whose character can't be read in quotes.
QString StepText(const QString& verb, int code, const CodePage& page);

} // namespace fontlathe
