#pragma once

#include "EditScope.h"
#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QString>

#include <cstddef>
#include <optional>

namespace fontlathe {

// An edit that goes on over many events until something else happens: a paint stroke of one
// character from press to release, one header field being typed into, or pixels floating over
// a character from the first move to their drop. Edits with the same ongoing key in a row make
// one step.
struct OngoingEdit {
    enum class Kind { Stroke, HeaderField, FloatingPixels };
    Kind kind;
    // The character stroked or floated over, or the field typed into.
    int which;

    bool operator==(const OngoingEdit&) const = default;
};

// One change to the set: it holds its inputs, changes the set with them, and keeps the other
// side of its change for undo. Once applied, the set holds the state after and the edit the state
// before; swapping the two undoes the change, and swapping again redoes it, so an edit needs no
// separate undo and redo. Each kind of edit derives from one of the keepers (a glyph, the header,
// the whole set), which say what it keeps.
//
// Edits reach the set only through Document::Apply, which keeps, changes and records them.
class Edit {
public:
    // verb names the edit ("Paint"); code is the character it changes, the row to select after
    // a swap, -1 for none.
    Edit(QString verb, Scope applied, Scope swapped, int code);
    virtual ~Edit() = default;
    Edit(const Edit&) = delete;
    Edit& operator=(const Edit&) = delete;

    // Keeps what the change will replace from the set as it is, then changes it.
    void Apply(Charset& set);
    // Changes the set with the inputs alone: an edit that goes on with an ongoing one changes the
    // set without keeping anything, as the ongoing one kept the state before them both.
    virtual void Change(Charset& set) = 0;
    virtual void Swap(Charset& set) = 0;
    // Whether the set is no longer in the state the edit keeps: an edit that changed nothing
    // becomes no step.
    virtual bool Differs(const Charset& set) const = 0;
    // The bytes the edit keeps alive. The history asks once, when it records the edit: after a
    // swap it holds the other side, which may be larger or smaller.
    virtual std::size_t Cost() const = 0;
    // The key of an edit that goes on over many events; nothing for one that is done at once.
    virtual std::optional<OngoingEdit> ongoing() const { return std::nullopt; }

    // The name the Undo and Redo items show, given once the edit is applied: "Paint 'A'".
    const QString& text() const { return text_; }
    // Names the edit as the page reads its code.
    virtual void Name(const CodePage& page);
    // What applying the edit touched, and what a swap touches.
    const Scope& applied() const { return applied_; }
    const Scope& swapped() const { return swapped_; }
    int code() const { return code_; }
    // The page the edit makes current with the set; nothing for one that keeps the page.
    virtual std::optional<QString> page() const { return std::nullopt; }
    // For an edit that makes another page current with the set (Add Letters), the page on the
    // other side: it swaps with the document's page as the edit swaps with the set.
    const std::optional<QString>& otherPage() const { return otherPage_; }
    // The glyph the character at code was made from by this edit (Add Letters' base of a composed
    // letter); nullptr for none.
    virtual const Glyph* MadeFrom(int /*code*/) const { return nullptr; }
    void SetOtherPage(QString page) { otherPage_ = std::move(page); }

protected:
    virtual void Keep(const Charset& set) = 0;
    const QString& verb() const { return verb_; }
    void SetText(QString text) { text_ = std::move(text); }

private:
    QString verb_;
    QString text_;
    Scope applied_;
    Scope swapped_;
    int code_;
    std::optional<QString> otherPage_;
};

// The name of an edit that changed one character, as the page reads its code: "Paint 'A'", or
// "Paint character 32" for a code whose character can't be read in quotes.
QString StepText(const QString& verb, int code, const CodePage& page);

} // namespace fontlathe
