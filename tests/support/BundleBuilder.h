#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace fontlathe::test {

// The two files of a bundle as they lie on disk.
struct BuiltBundle {
    QByteArray index;
    QByteArray data;
};

// Builds small game bundles from the format's facts: an index of RNAM, MAXS (sized as the
// version writes it), DROO, DSCR, DSOU, DCOS, DCHR and DOBJ, and a data file of LECF with LOFF
// and one LFLF per room, each a ROOM block and then the resources in the order they are added.
class BundleBuilder {
public:
    explicit BundleBuilder(int version) : version_(version) {}

    // Starts a room; the resources added next go into it.
    BundleBuilder& Room(int number);
    // Adds a resource to the current room under its directory's entry number: a SCRP, SOUN,
    // COST or AKOS block of payloadSize bytes, or a whole CHAR block as a .char file holds it.
    BundleBuilder& Add(const char* tag, int number, int payloadSize);
    BundleBuilder& Font(int number, const QByteArray& charBlock);
    // XOR-encrypted for versions 5 and 6, as those games' files are.
    BuiltBundle Build() const;

private:
    struct Resource {
        QByteArray block;
        int number;
    };
    struct BuiltRoom {
        int number;
        std::vector<Resource> resources;
    };

    int version_;
    std::vector<BuiltRoom> rooms_;
};

// A block with its 8-byte header.
QByteArray MakeBlock(const char* tag, const QByteArray& payload);

// A CHAR block of a varied set with glyphCount glyphs, as Save writes it.
QByteArray SampleFontBlock(int bitsPerPixel, int glyphCount, std::uint32_t seed);

// Writes the bundle into folder as stem.LA0 and stem.LA1 for version 7, else as stem.000 and
// stem.001; returns the index's path.
QString WriteBundleFiles(const QString& folder, const QString& stem, int version,
                         const BuiltBundle& bundle);

} // namespace fontlathe::test
