#pragma once

#include "TiffCodec.h"
#include "charset/Charset.h"

#include <QImage>

class QMimeData;

namespace fontlathe {

inline constexpr char TiffMimeType[] = "image/tiff";

// The clipboard contents for a copied glyph: the raster as TIFF under "image/tiff", and the same
// image as PNG for programs that don't read TIFF.
QMimeData* MakeClipboardData(const QImage& raster);

// The image on the clipboard, at most maxSide a side: TIFF data through libtiff first; where the
// clipboard offers no TIFF (or TIFF that does not decode), any other image type that Qt reads,
// its size checked before it is decoded. Transparency is composited over display colour 0.
DecodedImage ReadClipboardImage(const QMimeData* data, int maxSide);

// Every pixel of the glyph takes the nearest of the set's display colours (by distance in RGB), so
// an image of the set's own colours stays exactly as it is, and a slightly different red or an
// anti-aliased edge from another program still shows. Nothing happens to an absent glyph.
void SnapToDisplayColors(Charset& set, int code);

} // namespace fontlathe
