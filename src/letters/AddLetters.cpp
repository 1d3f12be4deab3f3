#include "AddLetters.h"

#include "DrawnLetters.h"
#include "GlyphInk.h"
#include "LetterMarks.h"
#include "LetterRecipes.h"
#include "LetterStrokes.h"
#include "LetterTables.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "text/CodePoints.h"

#include <QChar>
#include <QStringList>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <utility>

namespace fontlathe {

namespace {

constexpr int FirstLetterCode = 32;

QString LetterName(char32_t letter) {
    return letter == U' ' ? QStringLiteral("space") : QString::fromUcs4(&letter, 1);
}

QString CodeText(int code) {
    return QStringLiteral("0x%1").arg(code, 2, 16, QChar(u'0')).toUpper().replace(u'X', u'x');
}

bool WritesGlyph(LetterSource source) {
    return source == LetterSource::Moved || source == LetterSource::Composed ||
           source == LetterSource::Borrowed || source == LetterSource::Drawn;
}

// The canonical decomposition, or the letter alone when it has none.
std::u32string Decomposed(char32_t letter) {
    const QList<uint> points =
        QString::fromUcs4(&letter, 1).normalized(QString::NormalizationForm_D).toUcs4();
    return std::u32string(points.begin(), points.end());
}

// Works out one font's rows; it reads the font as it was, so a glyph that a row replaces can
// still be moved or built on by another.
class Planner {
public:
    Planner(const Charset& font, const AddLettersRequest& request)
        : font_(font), request_(request), palette_(font.ColorCount()),
          recipes_(
              font, request.fromPage, [this](char32_t part) { return PartFor(part); },
              [this](char32_t part) { return Drawn(part); }) {}

    LetterRow Plan(char32_t letter);

private:
    struct Found {
        const Glyph* glyph;
        char32_t shows;
    };
    struct FoundMark {
        MarkImage image;
        QString name;
    };

    const Glyph* GlyphShowing(char32_t letter) const {
        return font_.GlyphAt(request_.fromPage.CodeOf(letter));
    }
    std::optional<Found> BaseOf(char32_t letter);
    std::optional<Glyph> PartFor(char32_t letter);
    std::optional<Glyph> Drawn(char32_t letter);
    bool Compose(LetterRow& row);
    FoundMark MarkFor(const MarkInfo& mark, char32_t base, const Glyph& baseGlyph);
    int CapitalHeight() const;
    void Draw(LetterRow& row);

    const Charset& font_;
    const AddLettersRequest& request_;
    PaletteLookup palette_;
    std::map<std::pair<MarkKind, bool>, MarkImage> cutMarks_;
    std::unique_ptr<LetterDrawer> drawer_;
    RecipeBook recipes_;
};

std::optional<Planner::Found> Planner::BaseOf(char32_t letter) {
    if (const Glyph* own = GlyphShowing(letter)) {
        return Found{own, letter};
    }
    if (const auto twin = LatinTwinOf(letter); twin && GlyphShowing(*twin) != nullptr) {
        return Found{GlyphShowing(*twin), *twin};
    }
    if (const Glyph* built = recipes_.LetterOrDrawn(letter)) {
        return Found{built, letter};
    }
    return std::nullopt;
}

// A letter for recipes to build on: the font's own, borrowed or composed.
std::optional<Glyph> Planner::PartFor(char32_t letter) {
    const auto twin = LatinTwinOf(letter);
    if (const Glyph* own = GlyphShowing(twin && !GlyphShowing(letter) ? *twin : letter)) {
        return *own;
    }
    LetterRow row;
    row.letter = letter;
    return Compose(row) && row.source == LetterSource::Composed ? std::optional(row.glyph)
                                                                : std::nullopt;
}

std::optional<Glyph> Planner::Drawn(char32_t letter) {
    LetterRow row;
    row.letter = letter;
    Draw(row);
    return row.source == LetterSource::Drawn ? std::optional(row.glyph) : std::nullopt;
}

int Planner::CapitalHeight() const {
    const Glyph* h = GlyphShowing(U'H');
    const QRect ink = h == nullptr ? QRect() : InkRectOf(h->raster, palette_);
    return ink.isNull() ? font_.fontHeight : ink.height();
}

Planner::FoundMark Planner::MarkFor(const MarkInfo& mark, char32_t base, const Glyph& baseGlyph) {
    // A mark cut from a letter of the same case first: capitals often carry flatter marks.
    const bool lower = QChar::isLower(base);
    for (const bool sameCase : {true, false}) {
        const auto key = std::make_pair(mark.kind, sameCase ? lower : !lower);
        auto cached = cutMarks_.find(key);
        if (cached == cutMarks_.end()) {
            MarkImage cut;
            for (int code = FirstLetterCode; code < GlyphSlotCount && cut.isNull(); ++code) {
                const auto shown = request_.fromPage.CharacterAt(code);
                const Glyph* accented = font_.GlyphAt(code);
                const std::u32string parts = shown ? Decomposed(*shown) : std::u32string();
                if (accented == nullptr || parts.size() != 2 || parts[1] != mark.combining ||
                    QChar::isLower(parts[0]) != key.second) {
                    continue;
                }
                if (const Glyph* plain = GlyphShowing(parts[0])) {
                    cut = CutMark(*accented, *plain, mark.place, palette_);
                }
            }
            cached = cutMarks_.emplace(key, cut).first;
        }
        if (!cached->second.isNull()) {
            return {cached->second, QStringLiteral("the font's %1").arg(mark.name)};
        }
    }
    if (const Glyph* spacing = GlyphShowing(mark.spacing)) {
        if (MarkImage image = MarkOfSpacingGlyph(*spacing, palette_); !image.isNull()) {
            return {image, QStringLiteral("the font's %1").arg(LetterName(mark.spacing))};
        }
    }
    InkCounts counts{};
    CountInk(baseGlyph.raster, palette_, counts);
    return {
        BuiltInMark(mark.kind, CapitalHeight(), DisplayColorOf(std::max(1, MostUsedInk(counts)))),
        QStringLiteral("a built-in %1").arg(mark.name)};
}

bool Planner::Compose(LetterRow& row) {
    const std::u32string parts = Decomposed(row.letter);
    const auto stroked = StrokedLetterOf(row.letter);
    const bool marked =
        parts.size() > 1 && std::all_of(parts.begin() + 1, parts.end(), [](char32_t part) {
            return MarkOfCombining(part).has_value();
        });
    const std::optional<Found> base = stroked  ? BaseOf(stroked->base)
                                      : marked ? BaseOf(parts[0])
                                               : std::nullopt;
    if (!base) {
        return false;
    }
    std::optional<Glyph> built = *base->glyph;
    QString detail = QStringLiteral("composed from ") + LetterName(base->shows);
    if (stroked) {
        built = DrawStroke(*built, stroked->stroke, palette_);
        detail += QStringLiteral(" + a stroke");
    }
    bool dotRemoved = false;
    for (auto part = parts.begin() + 1; marked && built && part != parts.end(); ++part) {
        const MarkInfo mark = *MarkOfCombining(*part);
        const FoundMark found = MarkFor(mark, parts[0], *built);
        if (mark.place == MarkPlace::Above && !dotRemoved && HasDotAbove(parts[0])) {
            built = WithoutDot(*built, palette_);
            dotRemoved = true;
        }
        built = PlaceMark(*built, found.image, mark.place, palette_);
        detail += QStringLiteral(" + ") + found.name;
    }
    if (!built) {
        row.detail = QStringLiteral("missing: built from %1 it would not fit a font file (at most "
                                    "127 x 127 pixels, offsets -128 to 127)")
                         .arg(LetterName(base->shows));
        return true;
    }
    row.source = LetterSource::Composed;
    row.detail = detail;
    row.glyph = std::move(*built);
    return true;
}

void Planner::Draw(LetterRow& row) {
    if (!request_.drawWith) {
        row.detail = QStringLiteral("missing: the font has nothing to build it from; name an "
                                    "installed font to draw it with");
        return;
    }
    if (!drawer_) {
        drawer_ = std::make_unique<LetterDrawer>(font_, request_.fromPage, *request_.drawWith,
                                                 request_.style);
    }
    if (!drawer_->problem().isEmpty()) {
        row.detail = QStringLiteral("missing: nothing to build it from, and ") + drawer_->problem();
    } else if (std::optional<Glyph> drawn = drawer_->Draw(row.letter)) {
        row.source = LetterSource::Drawn;
        row.detail = QStringLiteral("drawn with ") + drawer_->Description();
        row.glyph = std::move(*drawn);
    } else {
        row.detail = QStringLiteral("missing: %1 draws nothing for it that fits a font file")
                         .arg(request_.drawWith->Family());
    }
}

LetterRow Planner::Plan(char32_t letter) {
    LetterRow row;
    row.letter = letter;
    row.code = request_.toPage.CodeOf(letter);
    if (row.code < FirstLetterCode) {
        row.code = CodePage::NotInPage;
        row.detail = QStringLiteral("missing: %1 has no code for it").arg(request_.toPage.name());
        return row;
    }
    if (const QString reserved = ReservedCodeReason(row.code, request_.gameVersion);
        !reserved.isEmpty()) {
        row.source = LetterSource::Reserved;
        row.detail = QStringLiteral("reserved: ") + reserved;
        return row;
    }
    if (request_.fromPage.CharacterAt(row.code) == letter && font_.GlyphAt(row.code) != nullptr) {
        row.source = LetterSource::Kept;
        row.detail = QStringLiteral("kept");
        return row;
    }
    if (const int from = request_.fromPage.CodeOf(letter); font_.GlyphAt(from) != nullptr) {
        row.source = LetterSource::Moved;
        row.detail = QStringLiteral("moved from ") + CodeText(from);
        row.glyph = *font_.GlyphAt(from);
        return row;
    }
    if (Compose(row)) {
        return row;
    }
    if (const auto twin = LatinTwinOf(letter); twin && GlyphShowing(*twin) != nullptr) {
        row.source = LetterSource::Borrowed;
        row.detail = QStringLiteral("borrowed from ") + LetterName(*twin);
        row.glyph = *GlyphShowing(*twin);
        return row;
    }
    if (std::optional<RecipeLetter> built = recipes_.Build(row.letter)) {
        row.source = LetterSource::Composed;
        row.detail = built->detail;
        row.glyph = std::move(built->glyph);
        return row;
    }
    Draw(row);
    return row;
}

// Whether the letter shows at its place in the target page once the plan is applied.
bool ShownAfter(char32_t letter, const Charset& font, const AddLettersRequest& request,
                const std::map<int, const LetterRow*>& byCode) {
    const int code = request.toPage.CodeOf(letter);
    if (code == CodePage::NotInPage) {
        return false;
    }
    if (const auto row = byCode.find(code); row != byCode.end()) {
        return row->second->source == LetterSource::Kept || WritesGlyph(row->second->source);
    }
    return request.fromPage.CharacterAt(code) == letter && font.GlyphAt(code) != nullptr;
}

} // namespace

QString LetterSourceName(LetterSource source) {
    static constexpr std::array<std::pair<LetterSource, const char*>, 7> names = {{
        {LetterSource::Kept, "kept"},
        {LetterSource::Moved, "moved"},
        {LetterSource::Composed, "composed"},
        {LetterSource::Borrowed, "borrowed"},
        {LetterSource::Drawn, "drawn"},
        {LetterSource::Reserved, "reserved"},
        {LetterSource::Missing, "missing"},
    }};
    const auto found =
        std::ranges::find(names, source, &std::pair<LetterSource, const char*>::first);
    return QString::fromLatin1(found == names.end() ? "missing" : found->second);
}

int AddLettersPlan::Count(LetterSource source) const {
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [source](const LetterRow& row) { return row.source == source; }));
}

QString AddLettersPlan::TotalsText() const {
    QStringList totals;
    for (const LetterSource source : LetterSources) {
        totals << QStringLiteral("%1 %2").arg(LetterSourceName(source)).arg(Count(source));
    }
    return totals.join(QStringLiteral(", "));
}

std::vector<char32_t> EveryLetterOf(const CodePage& page) {
    std::vector<char32_t> letters;
    for (int code = FirstLetterCode; code < GlyphSlotCount; ++code) {
        if (const auto character = page.CharacterAt(code)) {
            letters.push_back(*character);
        }
    }
    return letters;
}

std::vector<char32_t> LettersOfText(QStringView text) {
    std::vector<char32_t> letters;
    std::set<char32_t> seen;
    for (qsizetype i = 0; i < text.size();) {
        const char32_t letter = NextCodePoint(text, i);
        if (letter >= U' ' && seen.insert(letter).second) {
            letters.push_back(letter);
        }
    }
    return letters;
}

AddLettersPlan PlanAddLetters(const Charset& font, const AddLettersRequest& request) {
    AddLettersPlan plan;
    plan.toPageName = request.toPage.name();
    plan.numChars = font.numChars;
    Planner planner(font, request);
    std::set<char32_t> seen;
    std::map<int, const LetterRow*> byCode;
    plan.rows.reserve(request.letters.size());
    for (const char32_t letter : request.letters) {
        if (seen.insert(letter).second) {
            plan.rows.push_back(planner.Plan(letter));
        }
    }
    for (const LetterRow& row : plan.rows) {
        if (row.code != CodePage::NotInPage) {
            byCode.emplace(row.code, &row);
        }
    }
    for (const LetterRow& row : plan.rows) {
        if (!WritesGlyph(row.source) && row.source != LetterSource::Kept) {
            continue;
        }
        plan.numChars = std::max(plan.numChars, row.code + 1);
        const auto replaced = request.fromPage.CharacterAt(row.code);
        if (WritesGlyph(row.source) && replaced && font.GlyphAt(row.code) != nullptr &&
            QChar::category(*replaced) != QChar::Other_Control &&
            !ShownAfter(*replaced, font, request, byCode)) {
            plan.lost.push_back(*replaced);
        }
    }
    return plan;
}

void ApplyAddLetters(const AddLettersPlan& plan, Charset& font) {
    for (const LetterRow& row : plan.rows) {
        if (WritesGlyph(row.source)) {
            font.glyphs[static_cast<std::size_t>(row.code)] = row.glyph;
        }
    }
    font.numChars = static_cast<std::int16_t>(std::max<int>(font.numChars, plan.numChars));
}

} // namespace fontlathe
