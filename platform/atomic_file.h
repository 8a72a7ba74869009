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
    void Write(std::span<const std::uint8_t> bytes);
    // Flushes and renames the temporary file over the target; true on success.
    bool Commit();

  private:
    std::string target_;
    std::string temporary_;
    int descriptor_ = -1;
    bool ok_ = false;
    bool committed_ = false;
};

}  // namespace marvolin::platform
