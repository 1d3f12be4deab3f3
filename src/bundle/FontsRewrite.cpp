#include "FontsRewrite.h"

#include <algorithm>

namespace fontlathe::bundle {

namespace {

// The fonts of the data file that the rewrite reaches, in the order the data file lists them.
std::vector<int> Chosen(const GameBundle& disk, const std::vector<int>& fonts) {
    std::vector<int> numbers;
    for (const BundleFont& font : disk.fonts()) {
        if (fonts.empty() || std::find(fonts.begin(), fonts.end(), font.number) != fonts.end()) {
            numbers.push_back(font.number);
        }
    }
    return numbers;
}

// Applies the change to each of the numbered fonts of current, which becomes the data file as
// they leave it; rewritten gathers what all of them did to it.
Result RewriteDisk(GameBundle& current, const std::vector<int>& numbers, const FontChange& change,
                   RewrittenBundle& rewritten) {
    const BundlePaths& paths = current.paths();
    for (const int number : numbers) {
        const BundleFont font = *current.Font(number);
        const QByteArray before = current.FontBlock(font);
        QByteArray block = before;
        if (Result changed = change(current, font, block); !changed) {
            return changed;
        }
        if (block == before) {
            continue;
        }
        RewrittenBundle replaced;
        Result result = ReplaceFont(current, number, block, replaced);
        GameBundle next;
        if (result) {
            result = GameBundle::FromDecrypted(replaced.index, replaced.data, paths,
                                               current.encrypted(), next);
        }
        if (!result) {
            return result;
        }
        current = std::move(next);
        rewritten.index = std::move(replaced.index);
        rewritten.data = std::move(replaced.data);
        rewritten.indexChanged = rewritten.indexChanged || replaced.indexChanged;
        rewritten.growth += replaced.growth;
        rewritten.spare += replaced.spare;
        rewritten.spareFonts.insert(rewritten.spareFonts.end(), replaced.spareFonts.begin(),
                                    replaced.spareFonts.end());
        rewritten.grownFonts.insert(rewritten.grownFonts.end(), replaced.grownFonts.begin(),
                                    replaced.grownFonts.end());
    }
    return Result::Success();
}

} // namespace

QString FontsRewritten::Said() const {
    return messages.isEmpty()
               ? QStringLiteral("The font is the same as before; nothing was written.")
               : messages.join(u' ');
}

Result RewriteFonts(const QString& game, const std::vector<int>& fonts, const FontChange& change,
                    FontsRewritten& out, BundleFiles& files) {
    std::vector<GameBundle> disks;
    FontsRewritten report;
    if (Result opened = GameBundle::OpenDisks(game, disks, report.remarks); !opened) {
        return opened.At(game);
    }
    for (const int number : fonts) {
        if (std::none_of(disks.begin(), disks.end(),
                         [number](const GameBundle& disk) { return disk.Font(number); })) {
            return GameBundle::MissingFont(game, disks, number);
        }
    }
    // The data files share the index: each is read with the index as those before it left it.
    QByteArray index = disks.front().index();
    std::vector<DiskRewrite> rewrites;
    bool any = false;
    for (const GameBundle& disk : disks) {
        const std::vector<int> numbers = Chosen(disk, fonts);
        any = any || !numbers.empty();
        if (numbers.empty()) {
            continue;
        }
        GameBundle current = disk;
        if (index != disk.index()) {
            Result reread = disk.LoadData();
            if (reread) {
                reread = GameBundle::FromDecrypted(index, disk.data(), disk.paths(),
                                                   disk.encrypted(), current);
            }
            if (!reread) {
                return reread.At(disk.paths().data);
            }
        }
        RewrittenBundle rewritten;
        if (Result changed = RewriteDisk(current, numbers, change, rewritten); !changed) {
            return changed;
        }
        rewritten.dataChanged = !rewritten.data.isEmpty() && rewritten.data != disk.data();
        if (rewritten.dataChanged) {
            index = rewritten.index;
            rewrites.push_back({disk, std::move(rewritten)});
        }
    }
    if (!any) {
        return Result::Failure(disks.front().paths().index,
                               QStringLiteral("the charset directory (DCHR) names no font in the "
                                              "data files at hand"));
    }
    if (!rewrites.empty()) {
        if (Result written = WriteRewrites(rewrites, index, report.messages, files); !written) {
            return written.At(game);
        }
    } else if (!disks.front().pendingWrite().isEmpty()) {
        // A write finishes the one pending; a rewrite that changed nothing leaves it.
        report.remarks << disks.front().pendingWrite();
    }
    out = std::move(report);
    return Result::Success();
}

} // namespace fontlathe::bundle
