#include "commatext.h"

#include <gtest/gtest.h>

using sorvane::SplitCommaText;

namespace {

struct SplitCase
{
    const char *name;
    QString row;
    QStringList columns;
};

class CommaTextTest : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(CommaTextTest, SplitsIntoColumns)
{
    EXPECT_EQ(SplitCommaText(GetParam().row), GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommaTextTest, ::testing::Values(
    SplitCase{"TwoColumns", QStringLiteral("1,ﾓﾉﾗﾙ"), {QStringLiteral("1"), QStringLiteral("ﾓﾉﾗﾙ")}},
    SplitCase{"Empty", QString(), {}},
    SplitCase{"OnlyBlanks", QStringLiteral(" \t  "), {}},
    SplitCase{"TrailingComma", QStringLiteral("a,b,"), {"a", "b", ""}},
    SplitCase{"TrailingCommaBlank", QStringLiteral("a,b, "), {"a", "b"}},
    SplitCase{"DoubleComma", QStringLiteral("a,,b"), {"a", "", "b"}},
    SplitCase{"BlanksSeparate", QStringLiteral("a b\tc"), {"a", "b", "c"}},
    SplitCase{"BlanksAroundComma", QStringLiteral("  a  ,  b  "), {"a", "b"}},
    SplitCase{"QuotedKeepsCommaAndBlank", QStringLiteral("\"x,y\",z"), {"x,y", "z"}},
    SplitCase{"QuotedWithBlank", QStringLiteral("\"a b\" c"), {"a b", "c"}},
    SplitCase{"DoubledQuoteInside", QStringLiteral("\"say \"\"hi\"\"\",x"), {"say \"hi\"", "x"}},
    SplitCase{"UnclosedQuote", QStringLiteral("\"x"), {"x"}},
    SplitCase{"UnclosedQuoteSwallowsRest", QStringLiteral("\"Voice,MP3,1"), {"Voice,MP3,1"}},
    SplitCase{"QuoteInsideColumn", QStringLiteral("ab\"c,d"), {"ab\"c", "d"}},
    SplitCase{"TextRightAfterQuotedColumn", QStringLiteral("\"a\"b"), {"a", "b"}},
    SplitCase{"LeadingComma", QStringLiteral(",a"), {"", "a"}},
    SplitCase{"FullWidthSpaceIsNoBlank", QStringLiteral("Ｍｙ　Ｖｏｉｃｅ,MP3"), {"Ｍｙ　Ｖｏｉｃｅ", "MP3"}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
