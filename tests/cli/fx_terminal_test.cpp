#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/wav.h"
#include "support/test_files.h"

namespace marvolin::cli {
namespace {

using marvolin::testing::TemporaryFolder;

// Runs marvolin-fx on a terminal of its own and gives everything it showed there.
std::string RunOnATerminal(const std::vector<std::string>& arguments, int& exitStatus) {
    const std::string program = std::string(MARVOLIN_BUILD_BIN_DIR) + "/marvolin-fx";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    std::string shown;
    char buffer[4096];
    for (ssize_t got; (got = read(terminal, buffer, sizeof(buffer))) != 0;) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            break;  // EIO once the program has closed its side
        }
        shown.append(buffer, static_cast<std::size_t>(got));
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return shown;
}

void WriteSound(const std::string& path) {
    formats::SoundBuffer sound;
    sound.Install(std::vector<std::int16_t>(20000, 1000));
    sound.sampleRate = 8000;
    ASSERT_EQ(formats::SaveWav(sound, path).status, formats::FileStatus::Ok);
}

TEST(FxTerminalTest, ABatchShowsOneProgressLineThatIsClearedAtTheEnd) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.File("out"));
    std::vector<std::string> arguments = {"-d", folder.File("out")};
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        WriteSound(folder.File(name));
        arguments.push_back(folder.File(name));
    }
    arguments.emplace_back("Echoes/Classic");
    int exitStatus = -1;
    const std::string shown = RunOnATerminal(arguments, exitStatus);
    EXPECT_EQ(exitStatus, 0) << shown;
    EXPECT_NE(shown.find("\r\033[K["), std::string::npos) << shown;
    EXPECT_NE(shown.find("/3] " + folder.File("")), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\n'), std::string::npos) << shown;  // one line, redrawn
    EXPECT_TRUE(shown.ends_with("\r\033[K")) << shown;

    // -q keeps the terminal quiet.
    EXPECT_EQ(
        RunOnATerminal({"-q", "-d", folder.File("out"), folder.File("a.wav"), folder.File("b.wav")},
                       exitStatus),
        "");
}

TEST(FxTerminalTest, ASingleFileShowsABarPerEffect) {
    TemporaryFolder folder;
    WriteSound(folder.File("in.wav"));
    int exitStatus = -1;
    const std::string shown = RunOnATerminal(
        {folder.File("in.wav"), "-o", folder.File("out.wav"), "Robots/Android"}, exitStatus);
    EXPECT_EQ(exitStatus, 0) << shown;
    EXPECT_NE(shown.find("Robots/Android ["), std::string::npos) << shown;
    EXPECT_NE(shown.find("] 100%"), std::string::npos) << shown;
}

}  // namespace
}  // namespace marvolin::cli
