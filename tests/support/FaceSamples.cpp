#include "FaceSamples.h"

#include <zlib.h>

#include <algorithm>
#include <map>

namespace fontlathe::test {

namespace {

int WidthOf(const SampleGlyph& glyph) {
    return glyph.rows.isEmpty() ? 0 : static_cast<int>(glyph.rows.front().size());
}

// The ink's rectangle within the glyph's rows; a null rectangle for a blank glyph.
QRect InkOf(const SampleGlyph& glyph) {
    QRect ink;
    for (int y = 0; y < glyph.rows.size(); ++y) {
        for (int x = 0; x < WidthOf(glyph); ++x) {
            if (glyph.rows[y][x] == u'#') {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// One row's pixels from column left on, width of them, the leftmost in the highest bit.
QByteArray RowBits(const SampleGlyph& glyph, int row, int left, int width, int stride) {
    QByteArray bits(stride, '\0');
    for (int x = 0; x < width; ++x) {
        if (glyph.rows[row][left + x] == u'#') {
            bits[x / 8] = static_cast<char>(bits[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return bits;
}

class PcfWriter {
public:
    explicit PcfWriter(const PcfLayout& layout) : layout_(layout) {}
    std::uint32_t Format(std::uint32_t base) const {
        int pad = 0;
        while ((1 << pad) < layout_.padBytes) {
            ++pad;
        }
        int unit = 0;
        while ((1 << unit) < layout_.unitBytes) {
            ++unit;
        }
        return base | (layout_.msbBytes ? 4u : 0u) | (layout_.msbBits ? 8u : 0u) |
               static_cast<std::uint32_t>(pad) | static_cast<std::uint32_t>(unit) << 4;
    }
    void Number(QByteArray& out, std::uint32_t value, int size) const {
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (layout_.msbBytes ? size - 1 - i : i);
            out += static_cast<char>(value >> shift & 0xFF);
        }
    }
    // The bitmap data as the layout stores it: bits reversed in each byte for LSB-first bit
    // order, bytes reversed in each scan unit of the whole block where the byte order differs
    // from the bit order.
    QByteArray Stored(QByteArray bits) const {
        for (char& byte : bits) {
            if (!layout_.msbBits) {
                auto value = static_cast<std::uint8_t>(byte), reversed = std::uint8_t(0);
                for (int bit = 0; bit < 8; ++bit) {
                    reversed = static_cast<std::uint8_t>(reversed | ((value >> bit & 1) << (7 - bit)));
                }
                byte = static_cast<char>(reversed);
            }
        }
        if (layout_.msbBits != layout_.msbBytes) {
            bits.append(QByteArray((layout_.unitBytes - bits.size() % layout_.unitBytes) %
                                       layout_.unitBytes,
                                   '\0'));
            for (qsizetype at = 0; at + layout_.unitBytes <= bits.size(); at += layout_.unitBytes) {
                std::reverse(bits.begin() + at, bits.begin() + at + layout_.unitBytes);
            }
        }
        return bits;
    }

private:
    PcfLayout layout_;
};

} // namespace

SampleFace CellFace() {
    SampleFace face;
    face.glyphs = {
        {U'H', 8, {0, -9},
         {"........", "........", ".#....#.", ".#....#.", ".######.", ".#....#.", ".#....#.",
          ".#....#.", ".#....#.", "........", "........", "........"}},
        {U'g', 8, {0, -9},
         {"........", "........", "........", "........", "..####..", ".#...#..", ".#...#..",
          "..####..", ".....#..", ".....#..", ".####...", "........"}},
        {U'É', 8, {0, -9},
         {"....#...", "...#....", "######..", "#.......", "#####...", "#.......", "#.......",
          "#.......", "######..", "........", "........", "........"}},
    };
    return face;
}

QByteArray BdfOf(const SampleFace& face) {
    QByteArray out = "STARTFONT 2.1\nFONT -test-sample\nSIZE 12 75 75\nFONTBOUNDINGBOX 8 12 0 -3\n";
    out += QStringLiteral("STARTPROPERTIES 4\nFONT_ASCENT %1\nFONT_DESCENT %2\n"
                          "CHARSET_REGISTRY \"%3\"\nCHARSET_ENCODING \"%4\"\nENDPROPERTIES\n")
               .arg(face.ascent)
               .arg(face.descent)
               .arg(face.registry, face.encoding)
               .toLatin1();
    out += "CHARS " + QByteArray::number(qsizetype(face.glyphs.size())) + '\n';
    for (const SampleGlyph& glyph : face.glyphs) {
        const int width = WidthOf(glyph), height = static_cast<int>(glyph.rows.size());
        out += QStringLiteral("STARTCHAR g\nENCODING %1\nDWIDTH %2 0\nBBX %3 %4 %5 %6\nBITMAP\n")
                   .arg(glyph.encoding == -2 ? QString::number(uint(glyph.character))
                                             : QStringLiteral("-1 %1").arg(uint(glyph.character)))
                   .arg(glyph.advance)
                   .arg(width)
                   .arg(height)
                   .arg(glyph.topLeft.x())
                   .arg(-glyph.topLeft.y() - height)
                   .toLatin1();
        for (int row = 0; row < height; ++row) {
            out += RowBits(glyph, row, 0, width, (width + 7) / 8).toHex() + '\n';
        }
        out += "ENDCHAR\n";
    }
    return out + "ENDFONT\n";
}

QByteArray PcfOf(const SampleFace& face, const PcfLayout& layout) {
    const PcfWriter write(layout);
    std::map<std::uint32_t, std::pair<std::uint32_t, QByteArray>> tables; // type: format, body
    // Properties: the charset, with the strings after the padded list.
    QByteArray strings, body;
    write.Number(body, 2, 4);
    for (const auto& [name, value] : {std::pair{QByteArray("CHARSET_REGISTRY"), face.registry},
                                      std::pair{QByteArray("CHARSET_ENCODING"), face.encoding}}) {
        write.Number(body, static_cast<std::uint32_t>(strings.size()), 4);
        strings += name + '\0';
        body += '\1';
        write.Number(body, static_cast<std::uint32_t>(strings.size()), 4);
        strings += value.toLatin1() + '\0';
    }
    body += QByteArray(2, '\0');
    write.Number(body, static_cast<std::uint32_t>(strings.size()), 4);
    tables[1] = {write.Format(0), body + strings};
    body.clear();
    body += QByteArray(8, '\0');
    write.Number(body, static_cast<std::uint32_t>(face.ascent), 4);
    write.Number(body, static_cast<std::uint32_t>(face.descent), 4);
    tables[1 << 8] = {write.Format(0), body + QByteArray(4 + 24, '\0')};
    QByteArray metrics, bitmaps, offsets;
    const auto count = static_cast<std::uint32_t>(face.glyphs.size());
    if (layout.compressedMetrics) {
        write.Number(metrics, count, 2);
    } else {
        write.Number(metrics, count, 4);
    }
    write.Number(offsets, count, 4);
    for (const SampleGlyph& glyph : face.glyphs) {
        const QRect ink = InkOf(glyph);
        const int lsb = glyph.topLeft.x() + ink.left(), rsb = glyph.topLeft.x() + ink.right() + 1;
        const int ascent = -(glyph.topLeft.y() + ink.top()), descent = glyph.topLeft.y() + ink.bottom() + 1;
        for (const int value : {lsb, rsb, glyph.advance, ascent, descent}) {
            if (layout.compressedMetrics) {
                metrics += static_cast<char>(value + 0x80);
            } else {
                write.Number(metrics, static_cast<std::uint32_t>(value), 2);
            }
        }
        if (!layout.compressedMetrics) {
            write.Number(metrics, 0, 2);
        }
        write.Number(offsets, static_cast<std::uint32_t>(bitmaps.size()), 4);
        const int stride = (ink.width() + 8 * layout.padBytes - 1) / (8 * layout.padBytes) * layout.padBytes;
        for (int row = ink.top(); row <= ink.bottom(); ++row) {
            bitmaps += RowBits(glyph, row, ink.left(), ink.width(), stride);
        }
    }
    bitmaps = write.Stored(bitmaps);
    for (int pad = 0; pad < 4; ++pad) {
        write.Number(offsets, static_cast<std::uint32_t>(bitmaps.size()), 4);
    }
    tables[1 << 2] = {write.Format(layout.compressedMetrics ? 0x100 : 0), metrics};
    tables[1 << 3] = {write.Format(0), offsets + bitmaps};
    // Encodings: the rows (high bytes) from the lowest character's to the highest's.
    QByteArray encodings;
    int firstRow = 255, lastRow = 0;
    for (const SampleGlyph& glyph : face.glyphs) {
        firstRow = std::min(firstRow, static_cast<int>(glyph.character >> 8));
        lastRow = std::max(lastRow, static_cast<int>(glyph.character >> 8));
    }
    std::vector<std::uint16_t> indices(static_cast<std::size_t>(256 * (lastRow - firstRow + 1)), 0xFFFF);
    for (std::size_t index = 0; index < face.glyphs.size(); ++index) {
        const char32_t character = face.glyphs[index].character;
        indices[((character >> 8) - static_cast<char32_t>(firstRow)) * 256 + (character & 0xFF)] =
            static_cast<std::uint16_t>(index);
    }
    for (const int value : {0, 255, firstRow, lastRow, 0}) {
        write.Number(encodings, static_cast<std::uint32_t>(value), 2);
    }
    for (const std::uint16_t index : indices) {
        write.Number(encodings, index, 2);
    }
    tables[1 << 5] = {write.Format(0), encodings};

    QByteArray out("\1fcp");
    QByteArray toc, data;
    const auto little = [](QByteArray& to, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            to += static_cast<char>(value >> (8 * i) & 0xFF);
        }
    };
    little(out, static_cast<std::uint32_t>(tables.size()));
    const qsizetype start = 8 + 16 * static_cast<qsizetype>(tables.size());
    for (const auto& [type, table] : tables) {
        QByteArray formatted;
        little(formatted, table.first);
        formatted += table.second;
        little(toc, type);
        little(toc, table.first);
        little(toc, static_cast<std::uint32_t>(formatted.size()));
        little(toc, static_cast<std::uint32_t>(start + data.size()));
        data += formatted;
    }
    return out + toc + data;
}

QByteArray PsfOf(const SampleFace& face, int version, bool unicodeTable) {
    const int height = face.ascent + face.descent;
    // PSF1 holds 256 glyphs (or 512); PSF2 as many as it says.
    const int count = unicodeTable && version == 2 ? static_cast<int>(face.glyphs.size()) : 256;
    QByteArray glyphs(count * height, '\0'), table;
    for (std::size_t index = 0; index < face.glyphs.size(); ++index) {
        const SampleGlyph& glyph = face.glyphs[index];
        // Without a table, the glyph stands at its character's cp437 code (É is 0x90).
        const int slot = unicodeTable ? static_cast<int>(index)
                         : glyph.character == U'É' ? 0x90 : static_cast<int>(glyph.character);
        for (int row = 0; row < height; ++row) {
            glyphs[slot * height + row] = RowBits(glyph, row, 0, 8, 1)[0];
        }
        const QString character = QString::fromUcs4(&glyph.character, 1);
        if (version == 1) {
            table += static_cast<char>(glyph.character & 0xFF);
            table += static_cast<char>(glyph.character >> 8);
            table += "\xFF\xFF";
        } else {
            table += character.toUtf8() + '\xFF';
        }
    }
    QByteArray header;
    if (version == 1) {
        header = QByteArray("\x36\x04") + char(unicodeTable ? 2 : 0) + char(height);
    } else {
        header = QByteArray("\x72\xB5\x4A\x86");
        for (const int value : {0, 32, unicodeTable ? 1 : 0, count, height, height, 8}) {
            for (int i = 0; i < 4; ++i) {
                header += static_cast<char>(value >> (8 * i) & 0xFF);
            }
        }
    }
    for (int unlisted = static_cast<int>(face.glyphs.size()); unlisted < count; ++unlisted) {
        table += version == 1 ? QByteArray("\xFF\xFF") : QByteArray("\xFF");
    }
    return header + glyphs + (unicodeTable ? table : QByteArray());
}

QByteArray Gzipped(const QByteArray& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(bytes.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

} // namespace fontlathe::test
