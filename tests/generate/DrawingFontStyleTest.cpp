#include "generate/DrawingFont.h"
#include "generate/Rasterizer.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

TEST(DrawingFontStyleTest, TheStyleNameChoosesTheFaceAndWithoutOneNothingChanges) {
    const auto drawn = [](const QString& styleName) {
        Charset set;
        set.NewCharset(1);
        EXPECT_TRUE(GenerateCharset(set, MakeDrawingFont({u"DejaVu Sans"_s, 16, 0, styleName}),
                                    GenerationStyle::Normal)
                        .ok());
        return Encoded(set);
    };
    const QByteArray plain = drawn(QString());
    EXPECT_EQ(drawn(u"Book"_s), plain);
    EXPECT_NE(drawn(u"Oblique"_s), plain);
}

} // namespace
} // namespace fontlathe::test
