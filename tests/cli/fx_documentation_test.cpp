#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "cli/fx_arguments.h"
#include "support/test_files.h"

namespace marvolin::cli {
namespace {

// Every option the help names: the words of its option lines that start with a dash.
std::set<std::string> OptionsInTheHelp() {
    std::set<std::string> options;
    std::istringstream help{std::string(HelpText())};
    for (std::string line; std::getline(help, line);) {
        if (!line.starts_with("  -")) {
            continue;
        }
        std::istringstream words(line);
        for (std::string word; words >> word && word.starts_with('-');) {
            if (word.ends_with(',')) {
                word.pop_back();
            }
            options.insert(word);
        }
    }
    return options;
}

std::string SourceFile(const std::string& path) {
    return marvolin::testing::ReadText(std::string(MARVOLIN_SOURCE_DIR) + "/" + path);
}

// roff spells a dash \-.
std::string WithoutRoffDashes(std::string text) {
    for (std::size_t at = 0; (at = text.find("\\-", at)) != std::string::npos;) {
        text.erase(at, 1);
    }
    return text;
}

TEST(FxDocumentationTest, TheManPageAndTheCompletionsKnowEveryOption) {
    const std::set<std::string> options = OptionsInTheHelp();
    ASSERT_GE(options.size(), 20u);
    ASSERT_TRUE(options.contains("--output-dir"));
    ASSERT_TRUE(options.contains("-j"));
    const std::string manPage = WithoutRoffDashes(SourceFile("docs/marvolin-fx.1"));
    const std::string bash = SourceFile("packaging/completions/marvolin-fx.bash");
    const std::string zsh = SourceFile("packaging/completions/_marvolin-fx");
    const std::string fish = SourceFile("packaging/completions/marvolin-fx.fish");
    for (const std::string& option : options) {
        SCOPED_TRACE(option);
        EXPECT_NE(manPage.find(option), std::string::npos);
        EXPECT_NE(bash.find(option), std::string::npos);
        EXPECT_NE(zsh.find(option), std::string::npos);
        // fish names options without their dashes: -s o, -l output
        const bool isLong = option.starts_with("--");
        const std::string fishOption = (isLong ? "-l " : "-s ") + option.substr(isLong ? 2 : 1);
        EXPECT_NE(fish.find(fishOption), std::string::npos);
    }
    // The exit statuses the help gives are the man page's.
    for (const char* status : {".B 0", ".B 1", ".B 2", ".B 128+N"}) {
        EXPECT_NE(manPage.find(status), std::string::npos) << status;
    }
}

}  // namespace
}  // namespace marvolin::cli
