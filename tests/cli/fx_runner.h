#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "support/test_files.h"

extern char** environ;

namespace marvolin::cli::fx_testing {

// The built marvolin-fx, started with its standard streams on files of `folder`.
class FxProcess {
  public:
    struct Options {
        std::string standardInput = "/dev/null";
        bool slowSave = false;                 // every save waits before its rename
        std::vector<std::string> environment;  // NAME=value entries added
    };

    FxProcess(const marvolin::testing::TemporaryFolder& folder,
              const std::vector<std::string>& arguments, const Options& options)
        : outPath_(folder.File("stdout.bin")), errPath_(folder.File("stderr.txt")) {
        const std::string program = std::string(MARVOLIN_BUILD_BIN_DIR) + "/marvolin-fx";
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<std::string> environment;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            environment.emplace_back(*entry);
        }
        if (options.slowSave) {
            environment.emplace_back("MARVOLIN_FX_TEST_SLOW_SAVE=1");
        }
        environment.insert(environment.end(), options.environment.begin(),
                           options.environment.end());
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, options.standardInput.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }

    pid_t pid() const { return pid_; }

    // The raw wait status.
    int Wait() {
        int status = -1;
        if (pid_ > 0) {
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        return status;
    }

    std::string out() const { return marvolin::testing::ReadText(outPath_); }
    std::string err() const { return marvolin::testing::ReadText(errPath_); }

  private:
    std::string outPath_;
    std::string errPath_;
    pid_t pid_ = -1;
};

struct FxRun {
    int exitStatus = -1;  // -1 when it did not exit by itself
    std::string out;
    std::string err;
};

inline FxRun RunFxWith(const marvolin::testing::TemporaryFolder& folder,
                       const std::vector<std::string>& arguments,
                       const FxProcess::Options& options = {}) {
    FxProcess process(folder, arguments, options);
    const int status = process.Wait();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, process.out(), process.err()};
}

}  // namespace marvolin::cli::fx_testing
