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

}  // namespace marvolin::platform
