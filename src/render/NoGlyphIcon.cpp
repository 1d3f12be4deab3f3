#include "NoGlyphIcon.h"

namespace fontlathe {

QImage MakeNoGlyphIcon() {
    constexpr int Side = 16;
    QImage icon(Side, Side, QImage::Format_RGB32);
    icon.fill(qRgb(255, 0, 0));
    for (int i = 0; i < Side; ++i) {
        icon.setPixel(i, i, qRgb(255, 255, 255));
        icon.setPixel(Side - 1 - i, i, qRgb(255, 255, 255));
    }
    return icon;
}

} // namespace fontlathe
