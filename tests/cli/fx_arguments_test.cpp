#include "cli/fx_arguments.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace marvolin::cli {
namespace {

using Strings = std::vector<std::string>;

FxArguments Parse(std::vector<std::string_view> words) {
    return ParseArguments(words);
}

TEST(FxArgumentsTest, TheOldFormAndTheOutputOptionReadTheSame) {
    const FxArguments old = Parse({"in.wav", "out.wav", "Echoes/Classic", "robots/android"});
    ASSERT_EQ(old.action, FxAction::Run) << old.problem;
    EXPECT_EQ(old.inputs, Strings{"in.wav"});
    EXPECT_EQ(old.output, "out.wav");
    EXPECT_EQ(old.effects, (Strings{"Echoes/Classic", "robots/android"}));

    const FxArguments named = Parse({"in.wav", "Echoes/Classic", "-o", "out.wav", "-e",
                                     "Delirium/Under Water", "robots/android"});
    ASSERT_EQ(named.action, FxAction::Run) << named.problem;
    EXPECT_EQ(named.inputs, Strings{"in.wav"});
    EXPECT_EQ(named.output, "out.wav");
    // -e keeps its place among the other effects.
    EXPECT_EQ(named.effects, (Strings{"Echoes/Classic", "Delirium/Under Water", "robots/android"}));
    EXPECT_FALSE(named.readerFilter);  // the content decides
}

TEST(FxArgumentsTest, FilesRunUpToTheFirstEffectName) {
    const FxArguments batch =
        Parse({"-d", "out", "a.wav", "./Echoes/Classic", "-", "Echoes/Classic", "b.wav"});
    // "-" with a folder is refused below; without it the split is this:
    EXPECT_EQ(batch.action, FxAction::UsageError);

    const FxArguments split =
        Parse({"-j2", "--output-dir=out", "a.wav", "./Echoes/Classic", "Echoes/Classic", "x"});
    ASSERT_EQ(split.action, FxAction::Run) << split.problem;
    EXPECT_EQ(split.inputs, (Strings{"a.wav", "./Echoes/Classic"}));
    EXPECT_EQ(split.effects, (Strings{"Echoes/Classic", "x"}));  // x is refused later
    EXPECT_EQ(split.outputFolder, "out");
    EXPECT_EQ(split.jobs, 2u);
}

TEST(FxArgumentsTest, OptionsWithTheirValues) {
    const FxArguments parsed = Parse({"--jobs", "3", "-t", "OGG", "--reader=aiff", "--seed=9", "-n",
                                      "-q", "in", "-oout", "--", "-weird-effect"});
    ASSERT_EQ(parsed.action, FxAction::Run) << parsed.problem;
    EXPECT_EQ(parsed.jobs, 3u);
    EXPECT_EQ(parsed.forcedType, formats::SaveFormat::Vorbis);
    EXPECT_EQ(parsed.readerFilter, 2);
    EXPECT_EQ(parsed.seed, 9u);
    EXPECT_EQ(parsed.existing, ExistingOutput::Keep);
    EXPECT_TRUE(parsed.quiet);
    EXPECT_EQ(parsed.output, "out");
    EXPECT_EQ(parsed.effects, Strings{"-weird-effect"});

    EXPECT_EQ(Parse({"-n", "--force", "a", "b"}).existing, ExistingOutput::Replace);
    EXPECT_EQ(Parse({"--version"}).action, FxAction::Version);
    const FxArguments list = Parse({"--list", "--json"});
    EXPECT_EQ(list.action, FxAction::List);
    EXPECT_TRUE(list.json);
    EXPECT_EQ(Parse({"-", "-"}).action, FxAction::Run);  // standard input to standard output
    // After the one input of -o, a word that is no file is an effect, checked later.
    EXPECT_EQ(Parse({"a.wav", "-o", "b.wav", "Echoes/Clasic"}).effects, Strings{"Echoes/Clasic"});
}

TEST(FxArgumentsTest, BadCommandLinesSayWhatIsWrong) {
    struct Case {
        std::vector<std::string_view> words;
        std::string_view problem;
    };
    const Case cases[] = {
        {{"/", "/", "-o", "out.wav"}, "-o takes one INPUT"},
        {{"a.wav", "-o", "x.wav", "-o", "y.wav"}, "only one -o"},
        {{"a.wav", "-o", "x.wav", "-d", "out"}, "do not go together"},
        {{"-", "-d", "out"}, "standard input"},
        {{"a.wav"}, "no OUTPUT"},
        {{"-o", "x.wav"}, "no INPUT"},
        {{"-t", "aiff", "a", "b"}, "unknown type"},
        {{"-t", ".wav", "a", "b"}, "unknown type"},
        {{"-j", "0", "a", "b"}, "--jobs"},
        {{"-j", "two", "a", "b"}, "--jobs"},
        {{"--jobs=257", "a", "b"}, "--jobs"},
        {{"--json", "a", "b"}, "--json goes with --list"},
        {{"-e"}, "-e needs a value"},
        {{"--reader", "mp3", "a", "b"}, "unknown reader"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const FxArguments parsed = Parse(c.words);
        EXPECT_EQ(parsed.action, FxAction::UsageError);
        EXPECT_NE(parsed.problem.find(c.problem), std::string::npos) << parsed.problem;
    }
}

}  // namespace
}  // namespace marvolin::cli
