#pragma once

#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

namespace fontlathe {

// Which run of equal rows a designer takes a row from to shorten a letter for a mark above it.
enum class ShorteningRule {
    // The longest run of the letter's ink, the topmost of equal runs.
    LongestRun,
    // Where one row block is plainly the letter's bar (the rows of most ink between its first and
    // last, as the bars of E, A, G and S), from the side of the bar with more rows, so that the
    // bar comes to the middle: there the longest run, the one farthest from the bar on ties.
    // Else as LongestRun.
    CentredBar,
    // The topmost run: a small letter's ascender.
    TopRun,
};

// The glyph with rows rows fewer, each taken from a run of equal rows by the rule, its bottom
// where it was; the glyph as it was when no row repeats. A run gives a second row only where no
// stroke leaving a bar (R's leg under its bowl) can give its first row instead.
Glyph ShortenedCapital(const Glyph& body, int rows, const PaletteLookup& palette,
                       ShorteningRule rule = ShorteningRule::LongestRun);

} // namespace fontlathe
