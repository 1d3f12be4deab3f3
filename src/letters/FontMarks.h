#pragma once

#include "CapitalShortening.h"
#include "LetterMarks.h"
#include "charset/Charset.h"
#include "charset/PaletteLookup.h"
#include "text/CodePage.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace fontlathe {

// The marks a font's own accented letters carry, and where its designer put them, read from the
// letters' bodies (no shadow or outline): the mark of an accented letter is the ink above the
// first blank row from its top (below the base's ink for a cedilla), the base the ink beneath.
class FontMarks {
public:
    FontMarks(const Charset& bodies, const CodePage& page, const PaletteLookup& palette);

    // A mark to stamp on a base: its ink and its top-left in the base's raster.
    struct Placement {
        QImage mark;
        QPoint at;
        QString name; // "the font's acute", "the font's circumflex turned"
    };

    // The mark of that kind placed on the base letter body: as the designer placed it on the
    // font's own letter of the same case with the base nearest in width (the same width: the
    // same place). Marks the font lacks come from its own: the caron is its circumflex turned
    // upside down, the breve a cup as wide as its flat macron (else its a's counter) drawn with
    // the circumflex's strokes (see BreveCup in MadeMarks.h), the dot above one dot of its
    // diaeresis (else its i's dot), the double acute two of its acutes; nothing when the font gives
    // nothing to make the mark from. Half a pixel off the centre goes towards a stem standing alone
    // at the base's top (t's), a made caron's the way the base's top row leans (over n's arch,
    // left), else to the right, as the designers' marks mostly lean (a grave's to the left). A base
    // with an open top (U, N) takes the place the mark has on the font's own letters with an open
    // top, where it has some. Then the base's shape has its say: an acute over a lone stem at the
    // top stands over the stem (on a capital's stem, even under a serif, with its foot on it); a
    // cedilla under a lone stem (Ţ) has its top right of the stem; the Greek tonos stands before a
    // capital, its foot on the capital's top row.
    std::optional<Placement> Place(MarkKind kind, char32_t base, const QImage& body) const;

    // The height of the font's mark of that kind on a letter of that case (of the other case
    // where it has none); 0 when the font has no such mark.
    int MarkHeight(MarkKind kind, bool capital) const;

    // How many rows the designer takes off a capital before a mark goes on above it: what most
    // of the font's accented capitals lost against their bases; 0 when they lost nothing.
    int CapitalShortening() const { return capitalShortening_; }
    // How many rows the capital body loses before that mark goes on: for an open top (U, N),
    // what the font's own open-topped capital with that mark lost (a designer may set an acute
    // straight on U's stems and shorten O); else CapitalShortening.
    int CapitalShortening(MarkKind kind, const QImage& body) const;
    // The capital body shortened by that many rows as the designer shortened it on the font's
    // own letter with that base and a mark above (Ñ's N for Ń), preferring the letter whose mark
    // is of that kind or the one it is made from (the circumflex for a caron, the acute for a
    // double acute); nothing when no such letter lost that many rows.
    std::optional<Glyph> ShortenedAsDrawn(char32_t base, MarkKind kind, int rows,
                                          const Glyph& body) const;
    // Which rows the designer takes off: the rule the font's own accented capitals follow.
    ShorteningRule CapitalShorteningRule() const { return shorteningRule_; }
    // Whether one of the font's capitals keeps its full height under a mark that touches it at a
    // corner.
    bool MarksTouchCorners() const { return marksTouchCorners_; }
    // The highest line row the marks of the font's own capitals reach; nothing when it has none.
    std::optional<int> CapitalMarkTop() const { return capitalMarkTop_; }
    // The font's comma (else its apostrophe) as the caron of ď ť ľ Ľ: its top on the stem's, two
    // blank columns past it (a place no letter of the font shows, so not read from it); nothing
    // where the font has neither.
    std::optional<Placement> PlaceBeside(const QRect& stem) const;

    // Whether a capital goes without a mark of that kind above it, as most of the font's own
    // capitals with that mark do where the line has no room for it (a 7-pixel face whose É is
    // E); for a kind the font's letters do not show, as most of its marked capitals do.
    bool LeavesCapitalUnmarked(MarkKind kind) const;

private:
    struct Sample {
        MarkKind kind;
        bool capital;
        QImage mark;
        int baseWidth;
        bool openTop;
        int shortened; // how many rows a capital base lost
        MarkAnchor anchor;
    };

    // The sample of that kind and case (of the other case where it has none) whose base is the
    // nearest in width, an open top first matched; of those, the one placed as most of them are.
    // Only samples carrying that mark, where one is given.
    const Sample* Nearest(MarkKind kind, bool capital, int baseWidth, bool openTop = false,
                          const QImage* mark = nullptr) const;
    // The sample whose mark the font's letters of that case carry most often, the nearest in
    // base width among those; as Nearest where the case has none.
    const Sample* MostCommon(MarkKind kind, bool capital, int baseWidth) const;
    // The mark of that kind set on the base by its anchor alone (see Place).
    std::optional<Placement> Anchored(MarkKind kind, char32_t base, const QImage& body) const;
    // A mark and the anchor it is set by: one of the font's own, or one made from them.
    struct SuppliedMark {
        QImage mark;
        MarkAnchor anchor;
        QString name;
    };
    // The mark of that kind made from the font's own where it has none: the circumflex turned
    // (or a v of its strokes) for a caron, a cup for a breve, a dot of the diaeresis or i's for a
    // dot above, two acutes for a double acute; each with the anchor of the mark it is made from.
    std::optional<SuppliedMark> MadeMark(MarkKind kind, bool capital, int baseWidth) const;
    // The mark set on the base ink by its anchor.
    Placement Aligned(const SuppliedMark& supplied, const QRect& baseInk, MarkKind kind,
                      MarkPlace place, bool leanLeft) const;

    struct DrawnBase {
        char32_t base;
        MarkKind kind;
        int shortened;
        QImage ink; // the shortened base's ink, cropped
    };

    std::vector<Sample> samples_; // the font's marks and their anchors, one per accented letter
    std::vector<DrawnBase> drawnBases_;
    std::optional<SuppliedMark> apostrophe_; // the caron set beside a stem
    QImage dot_;
    int breveWidth_ = 0; // the flat macron's ink width, else a's less its two sides
    int capitalShortening_ = 0;
    bool marksTouchCorners_ = false;
    std::optional<int> capitalMarkTop_; // the highest line row a capital's mark reaches
    // Of the font's capitals with a mark above, by the mark's kind: how many are drawn without
    // it, and how many with it.
    std::map<MarkKind, std::pair<int, int>> unmarkedCapitals_;
    ShorteningRule shorteningRule_ = ShorteningRule::CentredBar;
    PaletteLookup palette_;
};

} // namespace fontlathe
