#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace marvolin::platform {

// Writes a file through a temporary file in the same folder, renamed over the target only
// once everything is written and flushed; a failure leaves any existing file untouched.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();  // discards the temporary file unless Commit succeeded
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool ok() const { return ok_; }
    // errno of the first step that failed (create, write, flush, close or rename), 0 if none.
    int systemError() const { return systemError_; }
    void Write(std::span<const std::uint8_t> bytes);
    // Flushes and renames the temporary file over the target; true on success.
    bool Commit();

  private:
    // Keeps errno as the reason once ok_ has turned false.
    void NoteFailure();

    std::string target_;
    std::string temporary_;
    int descriptor_ = -1;
    bool ok_ = false;
    int systemError_ = 0;
    bool committed_ = false;
};

// For a program that is being stopped by a signal: removes every temporary file that has not
// yet been renamed into place, and from then on lets no other temporary file appear and no
// rename happen, so that each target keeps what it held. Not for signal handlers: call it from
// a thread that waits for the signals.
void RemoveUnfinishedFilesForGood();

// Tests make a save slow on purpose, to stop the program in the middle of it: `pause` runs
// after the temporary file is completely written and before it is renamed into place.
void SetPauseBeforeRenameForTests(void (*pause)());

}  // namespace marvolin::platform
