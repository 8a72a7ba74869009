#include "platform/qt/file_filters.h"

#include <gtest/gtest.h>

namespace marvolin::platform::qt {
namespace {

const std::vector<FileFilter> kFilters = {
    {"Microsoft .WAV", "*.wav"},
    {"Apple AIFF", "*.aif;*.aiff"},
    {"Sun/NeXT .AU", "*.au;*.snd"},
};

TEST(NameFiltersTest, BuildsNameAndPatternsInOrder) {
    const QStringList names = NameFilters(kFilters);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names[0], QStringLiteral("Microsoft .WAV (*.wav)"));
    EXPECT_EQ(names[1], QStringLiteral("Apple AIFF (*.aif *.aiff)"));
    EXPECT_EQ(names[2], QStringLiteral("Sun/NeXT .AU (*.au *.snd)"));
}

TEST(NameFiltersTest, DropsEmptyAndPaddedPatternParts) {
    EXPECT_EQ(NameFilters({{"Some", " *.a ; ;*.b;"}}),
              QStringList{QStringLiteral("Some (*.a *.b)")});
    EXPECT_TRUE(NameFilters({}).isEmpty());
}

TEST(FilterIndexTest, GivesTheOneBasedPositionOfTheSelectedFilter) {
    const QStringList names = NameFilters(kFilters);
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(FilterIndex(names, names[i]), i + 1) << names[i].toStdString();
    }
}

TEST(FilterIndexTest, MatchesOnTheNameWhenTheDialogReportsOtherPatterns) {
    const QStringList names = NameFilters(kFilters);
    EXPECT_EQ(FilterIndex(names, QStringLiteral("Apple AIFF")), 2);
    EXPECT_EQ(FilterIndex(names, QStringLiteral("Apple AIFF (*.AIF *.AIFF)")), 2);
    EXPECT_EQ(FilterIndex(names, QStringLiteral("Sun/NeXT .AU  ")), 3);
}

TEST(FilterIndexTest, UnknownOrMissingSelectionGivesTheFirstFilter) {
    const QStringList names = NameFilters(kFilters);
    EXPECT_EQ(FilterIndex(names, QString()), 1);
    EXPECT_EQ(FilterIndex(names, QStringLiteral("All files (*)")), 1);
    EXPECT_EQ(FilterIndex({}, QStringLiteral("Apple AIFF (*.aif *.aiff)")), 1);
}

TEST(DefaultSuffixTest, TakesThePlainExtensionOfTheFirstPattern) {
    EXPECT_EQ(DefaultSuffix(kFilters), QStringLiteral("wav"));
    EXPECT_EQ(DefaultSuffix({{"AIFF", "*.aif;*.aiff"}}), QStringLiteral("aif"));
}

TEST(DefaultSuffixTest, IsEmptyWhenThereIsNoPlainExtension) {
    EXPECT_TRUE(DefaultSuffix({}).isEmpty());
    EXPECT_TRUE(DefaultSuffix({{"All", "*.*"}}).isEmpty());
    EXPECT_TRUE(DefaultSuffix({{"All", "*"}}).isEmpty());
    EXPECT_TRUE(DefaultSuffix({{"One", "welcome.wav"}}).isEmpty());
    EXPECT_TRUE(DefaultSuffix({{"Odd", "*.w?v"}}).isEmpty());
    EXPECT_TRUE(DefaultSuffix({{"None", ""}}).isEmpty());
}

}  // namespace
}  // namespace marvolin::platform::qt
