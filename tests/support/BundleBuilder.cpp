#include "BundleBuilder.h"

#include "SampleSets.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace fontlathe::test {

namespace {

void AppendBig32(QByteArray& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>(value >> shift);
    }
}

void AppendLittle16(QByteArray& bytes, int value) {
    bytes += static_cast<char>(value);
    bytes += static_cast<char>(value >> 8);
}

const char* DirectoryOf(const QByteArray& tag) {
    static const std::map<QByteArray, const char*> directories = {
        {"SCRP", "DSCR"}, {"SOUN", "DSOU"}, {"DIGI", "DSOU"}, {"WSOU", "DSOU"},
        {"COST", "DCOS"}, {"AKOS", "DCOS"}, {"CHAR", "DCHR"}};
    return directories.at(tag);
}

// The MAXS block of each version holds a fixed set of counts.
const std::map<int, int> MaxsPayload = {{5, 18}, {6, 30}, {7, 130}, {8, 168}};

struct Entry {
    int room = 0;
    std::int64_t offset = 0;
};

QByteArray Directory(const char* tag, const std::map<int, Entry>& entries) {
    const int count = entries.empty() ? 1 : entries.rbegin()->first + 1;
    QByteArray payload;
    AppendLittle16(payload, count);
    for (int i = 0; i < count; ++i) {
        payload += static_cast<char>(entries.count(i) != 0 ? entries.at(i).room : 0);
    }
    for (int i = 0; i < count; ++i) {
        AppendLittle32(payload, entries.count(i) != 0 ? entries.at(i).offset : 0);
    }
    return MakeBlock(tag, payload);
}

} // namespace

QByteArray MakeBlock(const char* tag, const QByteArray& payload) {
    QByteArray block(tag, 4);
    AppendBig32(block, static_cast<std::uint32_t>(payload.size() + 8));
    return block + payload;
}

BundleBuilder& BundleBuilder::Room(int number, int disk) {
    rooms_.push_back({number, disk, {}});
    return *this;
}

BundleBuilder& BundleBuilder::Placeholder(const char* directory, int number, int room,
                                          std::uint32_t offset) {
    entries_.push_back({directory, number, room, offset});
    return *this;
}

BundleBuilder& BundleBuilder::Add(const char* tag, int number, int payloadSize) {
    QByteArray payload(payloadSize, '\0');
    for (int i = 0; i < payloadSize; ++i) {
        payload[i] = static_cast<char>(number * 31 + i);
    }
    rooms_.back().resources.push_back({MakeBlock(tag, payload), number});
    return *this;
}

BundleBuilder& BundleBuilder::Font(int number, const QByteArray& charBlock) {
    rooms_.back().resources.push_back({charBlock, number});
    return *this;
}

BuiltBundle BundleBuilder::Build() const {
    std::map<QByteArray, std::map<int, Entry>> directories;
    std::map<int, QByteArray> files;
    std::map<int, std::vector<std::pair<int, std::int64_t>>> offsets;
    std::map<int, std::int64_t> loffSizes;
    for (const BuiltRoom& room : rooms_) {
        loffSizes[room.disk] = loffSizes.count(room.disk) != 0 ? loffSizes[room.disk] + 5 : 14;
    }
    for (const BuiltRoom& room : rooms_) {
        QByteArray& rooms = files[room.disk];
        const std::int64_t lflf = 8 + loffSizes[room.disk] + rooms.size();
        QByteArray body = MakeBlock("ROOM", QByteArray(16, char(room.number)));
        for (const Resource& resource : room.resources) {
            directories[DirectoryOf(resource.block.left(4))][resource.number] = {room.number,
                                                                                 body.size()};
            body += resource.block;
        }
        offsets[room.disk].emplace_back(room.number, lflf + 8);
        rooms += MakeBlock("LFLF", body);
    }
    for (const RawEntry& entry : entries_) {
        directories[entry.directory][entry.number] = {entry.room, entry.offset};
    }
    BuiltBundle built;
    for (const auto& [disk, rooms] : files) {
        QByteArray loff(1, static_cast<char>(offsets[disk].size()));
        for (const auto& [number, offset] : offsets[disk]) {
            loff += static_cast<char>(number);
            AppendLittle32(loff, offset);
        }
        (disk == 1 ? built.data : built.disks[disk]) =
            MakeBlock("LECF", MakeBlock("LOFF", loff) + rooms);
    }

    std::map<int, Entry> roomEntries;
    for (const BuiltRoom& room : rooms_) {
        roomEntries[room.number] = {room.disk, 0};
    }
    built.index = MakeBlock("RNAM", QByteArray(1, '\0')) +
                  MakeBlock("MAXS", QByteArray(MaxsPayload.at(version_), '\0')) +
                  Directory("DROO", roomEntries);
    for (const char* tag : {"DSCR", "DSOU", "DCOS", "DCHR"}) {
        built.index += Directory(tag, directories[tag]);
    }
    built.index += MakeBlock("DOBJ", QByteArray(2, '\0'));
    if (version_ == 5 || version_ == 6) {
        std::vector<QByteArray*> all{&built.index, &built.data};
        for (auto& [disk, bytes] : built.disks) {
            all.push_back(&bytes);
        }
        for (QByteArray* bytes : all) {
            for (char& byte : *bytes) {
                byte = static_cast<char>(byte ^ 0x69);
            }
        }
    }
    return built;
}

QByteArray SampleFontBlock(int bitsPerPixel, int glyphCount, std::uint32_t seed) {
    Charset set = VariedSet(bitsPerPixel, seed, glyphCount);
    return Encoded(set);
}

QString WriteBundleFiles(const QString& folder, const QString& stem, int version,
                         const BuiltBundle& bundle, const QString& letters) {
    const QString chosen = !letters.isEmpty() ? letters : version == 7 ? u"LA"_s : QString();
    const auto name = [&](int disk) {
        return QDir(folder).filePath(
            stem + u'.' + chosen +
            QStringLiteral("%1").arg(disk, chosen.isEmpty() ? 3 : 1, 10, QChar(u'0')));
    };
    std::vector<std::pair<QString, QByteArray>> files{{name(0), bundle.index},
                                                      {name(1), bundle.data}};
    for (const auto& [disk, bytes] : bundle.disks) {
        files.emplace_back(name(disk), bytes);
    }
    for (const auto& [path, bytes] : files) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            return QString();
        }
    }
    return name(0);
}

BuiltBundle SampleBundle(const Kind& kind) {
    const bool untidy = kind.tidiness == Tidiness::Untidy;
    const QByteArray font1 = SampleFontBlock(1, 20, 1);
    BundleBuilder builder(kind.version);
    builder.Room(1).Add("SCRP", 1, 40).Font(1, font1).Add(untidy ? "DIGI" : "SOUN", 1, 30);
    builder.Add(kind.version == 7 ? "AKOS" : "COST", 1, 20).Add("SCRP", 2, 12);
    builder.Room(2).Font(2, SampleFontBlock(2, 12, 2)).Add("SCRP", 3, 9);
    builder.Font(4, SampleFontBlock(4, 6, 4)).Room(3, untidy ? 2 : 1).Add("SOUN", 2, 50);
    builder.Font(5, SampleFontBlock(1, 8, 5));
    if (untidy) {
        // Room 0; the room's ROOM block; inside the script before font 1, inside the sound
        // after it; far past the room's end.
        const std::uint32_t afterFont = std::uint32_t(24 + 48 + font1.size() + 4);
        builder.Placeholder("DSCR", 7, 0, 0).Placeholder("DCOS", 9, 2, 0);
        builder.Placeholder("DSOU", 8, 1, 30).Placeholder("DSOU", 10, 1, afterFont);
        builder.Placeholder("DSCR", 11, 1, 0x7fff0);
    }
    BuiltBundle built = builder.Build();
    if (untidy) {
        built.index += QByteArray(3, '\0');
        built.data += QByteArray(10, '\0');
    }
    return built;
}

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.stem << "." << kind.letters << " v" << kind.version
         << (kind.tidiness == Tidiness::Untidy ? " untidy" : "");
}

} // namespace fontlathe::test
