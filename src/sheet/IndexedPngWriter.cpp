#include "IndexedPngWriter.h"

#include "SheetFormat.h"

#include <png.h>

namespace fontlathe {

namespace {

// Deflate level 1 keeps the export of the largest set well inside what an interactive command
// may take; a sheet of an ordinary font is still only some kilobytes.
constexpr int PngCompressionLevel = 1;

struct PngWriteJob {
    int width;
    int height;
    png_bytepp rows;
    png_textp text;
    png_const_colorp palette;
    QByteArray* out;
};

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void FlushNothing(png_structp) {}

[[noreturn]] void LeaveOnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

// libpng reports an error by a long jump back into this function, so it holds nothing that
// would need destroying.
bool RunPngWrite(png_structp png, png_infop info, const PngWriteJob& job) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, job.out, AppendPngBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.width),
                 static_cast<png_uint_32>(job.height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, job.palette, SheetPaletteSize);
    png_set_text(png, info, job.text, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, PngCompressionLevel);
    png_write_info(png, info);
    png_write_image(png, job.rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool WriteIndexedPng(std::vector<std::uint8_t>& pixels, QSize size, QByteArray metadata,
                     QByteArray& out) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(size.height()));
    for (int y = 0; y < size.height(); ++y) {
        rows[static_cast<std::size_t>(y)] = pixels.data() + std::size_t(y) * size.width();
    }
    std::array<png_color, SheetPaletteSize> palette{};
    for (int i = 0; i < SheetPaletteSize; ++i) {
        const QRgb color = SheetPalette[static_cast<std::size_t>(i)];
        palette[static_cast<std::size_t>(i)] =
            png_color{static_cast<png_byte>(qRed(color)), static_cast<png_byte>(qGreen(color)),
                      static_cast<png_byte>(qBlue(color))};
    }
    QByteArray key(SheetTextKey);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = key.data();
    text.text = metadata.data();
    text.text_length = static_cast<png_size_t>(metadata.size());

    QByteArray written;
    const PngWriteJob job{size.width(), size.height(),  rows.data(),
                          &text,        palette.data(), &written};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, LeaveOnPngError, IgnorePngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    const bool ok = info != nullptr && RunPngWrite(png, info, job);
    png_destroy_write_struct(&png, &info);
    if (ok) {
        out = std::move(written);
    }
    return ok;
}

} // namespace fontlathe
