#pragma once

// Recipe steps that make a letter of part of another and carry it on, as pixel-font designers
// draw them: ι from t's stem, ζ and ξ from ς, α and δ from o, λ from v turned, Ф from O.
#include "LetterMetrics.h"
#include "LetterShapes.h"

#include <optional>

namespace fontlathe {

// The same stem a row above and below a capital's bowl; where the line has fewer than two rows
// above the bowl (the top one is the marks'), the bowl two straight rows shorter between the
// stem's ends instead: O becomes Ф.
std::optional<LetterInk> CapitalStemThrough(const LetterInk& ink, const LetterMetrics& metrics);
// The stem from the x-height down, without the bar, its foot a column shorter: t becomes ι.
std::optional<LetterInk> StemFromXHeight(const LetterInk& ink, const LetterMetrics& metrics);
// Above its left side, a slant rising from there to the middle of a bar at the ascender's top,
// the bowl's top gone: ς becomes ζ.
std::optional<LetterInk> RisingToABar(const LetterInk& ink, const LetterMetrics& metrics);
// Where the slant meets the left side, a bar half the letter's width to the right of the slant's
// foot, and the side starting a row lower, a column in: ζ becomes ξ.
std::optional<LetterInk> MiddleTurn(const LetterInk& ink, const LetterMetrics& metrics);
// A pixel a column right of the bowl in its top two and bottom two rows, the ends of a stem the
// bowl stands against: a narrowed o becomes α.
std::optional<LetterInk> StemEndsAtRight(const LetterInk& ink);
// The bowl's top two rows again at the ascender's top, joined to the bowl by a pixel a column in
// from its left, where that leaves exactly one row between them: o becomes δ.
std::optional<LetterInk> TopRepeatedAbove(const LetterInk& ink, const LetterMetrics& metrics);
// The apex at the top carried up to the ascender's top, stepping left as the left leg steps
// (as many rows a column as the leg's first step below the apex): v turned becomes λ.
std::optional<LetterInk> ApexCarriedUp(const LetterInk& ink, const LetterMetrics& metrics);

} // namespace fontlathe
