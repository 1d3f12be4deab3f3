#pragma once

#include "LetterMarks.h"
#include "charset/PaletteLookup.h"

namespace fontlathe {

// Marks a font lacks, made from the marks it has: the breve from its circumflex's strokes, the
// double acute from two of its acutes, the caron from its circumflex where that is a bar or a dot.

// A breve as wide as width: a cup as tall as the font's circumflex and drawn with the weight of
// its strokes, upright sides over a flat bottom between them.
MarkImage BreveCup(const MarkImage& circumflex, int width, const PaletteLookup& palette);

// Two acutes side by side over a letter baseWidth wide, as far apart as the diaeresis's dots stand
// (its width less its left dot's), never overlapping; over one-pixel dots (not dots two rows tall,
// which designers set touching acutes over), or where they would touch over the letter's whole
// width, a column apart at least; a column apart without a diaeresis; dot is the diaeresis's left
// dot, null where it has none. Where two of the font's acutes would be wider than the letter and
// the acute is wider than three columns, the pair is made of short ones and centred; otherwise
// it stands off the middle as the acute does, but within the letter's sides (anchor, the acute's,
// is updated).
MarkImage DoubledAcute(const MarkImage& acute, const MarkImage& diaeresis, const MarkImage& dot,
                       int baseWidth, const PaletteLookup& palette, MarkAnchor& anchor);

// A caron as a v drawn with the circumflex's strokes, two rows tall, for a font whose circumflex
// reads the same upside down (a flat bar, a dot): there the circumflex turned would be no caron.
MarkImage CaronVee(const MarkImage& circumflex, const PaletteLookup& palette);

} // namespace fontlathe
