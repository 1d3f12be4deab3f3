#include "TextCoverage.h"

#include "CodePoints.h"
#include "TextForms.h"

#include <QStringList>

#include <array>
#include <unordered_map>

namespace fontlathe {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

bool IsLineBreak(char32_t codePoint) {
    return codePoint == '\r' || codePoint == '\n';
}

// The length of the well-formed UTF-8 sequence at bytes (the code point goes to codePoint), or
// 0 when the sequence there is ill-formed or cut short.
int DecodeUtf8(const unsigned char* bytes, qsizetype available, char32_t& codePoint) {
    const unsigned lead = bytes[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    int length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong forms
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (available < length) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned next = bytes[i];
        if (next < low || next > high) {
            return 0;
        }
        low = 0x80;
        high = 0xBF;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return length;
}

// Counts the characters of a text as they come, and which of them the set lacks.
class CoverageCounter {
public:
    CoverageCounter(const Charset& set, const CodePage& page, const CodePage* drawnFor)
        : set_(set), page_(page), drawnFor_(drawnFor) {
        for (char32_t codePoint = 0; codePoint < GlyphSlotCount; ++codePoint) {
            covered_[codePoint] = !MissingReasonOf(set, codePoint, page, drawnFor);
        }
    }

    void Add(char32_t codePoint) {
        if (codePoint < GlyphSlotCount) {
            qint64& count = lowCounts_[codePoint];
            if (count++ == 0 && !IsLineBreak(codePoint)) {
                ++distinct_;
                if (!covered_[codePoint]) {
                    missingOrder_.push_back(codePoint);
                }
            }
            return;
        }
        if (codePoint == lastHigh_) {
            ++*lastHighCount_;
            return;
        }
        const auto [entry, first] = highCounts_.try_emplace(codePoint, 0);
        ++entry->second;
        lastHigh_ = codePoint;
        lastHighCount_ = &entry->second;
        if (first) {
            ++distinct_;
            if (MissingReasonOf(set_, codePoint, page_, drawnFor_)) {
                missingOrder_.push_back(codePoint);
            }
        }
    }

    TextCoverage Finish() const {
        TextCoverage coverage;
        coverage.distinct = distinct_;
        coverage.codePage = page_.name();
        coverage.missing.reserve(missingOrder_.size());
        for (char32_t codePoint : missingOrder_) {
            const qint64 count =
                codePoint < GlyphSlotCount ? lowCounts_[codePoint] : highCounts_.at(codePoint);
            const MissingReason reason = *MissingReasonOf(set_, codePoint, page_, drawnFor_);
            MissingCharacter missing{codePoint, count, reason};
            if (reason == MissingReason::OtherLetter) {
                missing.code = page_.CodeOf(codePoint);
                missing.shows = drawnFor_->CharacterAt(missing.code).value_or(0);
            }
            coverage.missing.push_back(missing);
        }
        return coverage;
    }

private:
    const Charset& set_;
    const CodePage& page_;
    const CodePage* drawnFor_;
    std::array<bool, GlyphSlotCount> covered_{};
    std::array<qint64, GlyphSlotCount> lowCounts_{};
    std::unordered_map<char32_t, qint64> highCounts_;
    // Text in one script repeats the same few code points; this spares most map lookups.
    char32_t lastHigh_ = 0;
    qint64* lastHighCount_ = nullptr;
    std::vector<char32_t> missingOrder_;
    qint64 distinct_ = 0;
};

// The character itself, unless it would show as a gap or not at all: a space is "space", any
// other blank, control or format character, and a combining mark that would sit on the list's
// separator, goes by its code point.
QString ListedName(char32_t codePoint) {
    if (codePoint == U' ') {
        return LetterName(codePoint);
    }
    switch (QChar::category(codePoint)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return CodePointName(codePoint);
    default:
        return QString::fromUcs4(&codePoint, 1);
    }
}

} // namespace

std::optional<MissingReason> MissingReasonOf(const Charset& set, char32_t codePoint,
                                             const CodePage& page, const CodePage* drawnFor) {
    const int code = page.CodeOf(codePoint);
    if (code == CodePage::NotInPage) {
        return MissingReason::NotInCodePage;
    }
    if (!ReservedCodeReason(code).isEmpty()) {
        return MissingReason::ReservedCode;
    }
    if (code >= set.numChars()) {
        return MissingReason::NotStored;
    }
    if (set.GlyphAt(code) == nullptr) {
        return MissingReason::Absent;
    }
    if (drawnFor != nullptr && code >= 32) {
        if (const std::optional<char32_t> shown = drawnFor->CharacterAt(code);
            shown && *shown != codePoint) {
            return MissingReason::OtherLetter;
        }
    }
    return std::nullopt;
}

QString MissingReasonName(MissingReason reason) {
    switch (reason) {
    case MissingReason::NotInCodePage:
        return QStringLiteral("notInCodePage");
    case MissingReason::ReservedCode:
        return QStringLiteral("reservedCode");
    case MissingReason::NotStored:
        return QStringLiteral("notStored");
    case MissingReason::OtherLetter:
        return QStringLiteral("otherLetter");
    case MissingReason::Absent:
        break;
    }
    return QStringLiteral("absent");
}

QString CodePointName(char32_t codePoint) {
    return QStringLiteral("U+%1").arg(static_cast<uint>(codePoint), 4, 16, QChar(u'0')).toUpper();
}

QString MissingCharacterList(const TextCoverage& coverage) {
    QStringList characters;
    for (const MissingCharacter& missing : coverage.missing) {
        characters << ListedName(missing.codePoint);
    }
    return characters.join(u' ');
}

TextCoverage CheckCoverage(const Charset& set, QStringView text, const CodePage& page,
                           const CodePage* drawnFor) {
    CoverageCounter counter(set, page, drawnFor);
    for (qsizetype i = 0; i < text.size();) {
        counter.Add(NextCodePoint(text, i));
    }
    return counter.Finish();
}

TextCoverage CheckCoverageUtf8(const Charset& set, QByteArrayView utf8, const CodePage& page,
                               const CodePage* drawnFor) {
    CoverageCounter counter(set, page, drawnFor);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const qsizetype size = utf8.size();
    for (qsizetype i = 0; i < size;) {
        char32_t codePoint = 0;
        const int length = DecodeUtf8(bytes + i, size - i, codePoint);
        counter.Add(length > 0 ? codePoint : ReplacementCharacter);
        i += length > 0 ? length : 1;
    }
    return counter.Finish();
}

qsizetype FirstInvalidUtf8Byte(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        char32_t codePoint = 0;
        const int length = DecodeUtf8(data + i, size - i, codePoint);
        if (length == 0) {
            return i;
        }
        i += length;
    }
    return -1;
}

} // namespace fontlathe
