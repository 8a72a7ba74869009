#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace marvolin::formats {

// Random-access bytes of a sound file: the file itself, or memory (tests, fuzzing).
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Copies up to target.size() bytes from `offset`; returns how many were copied.
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) = 0;
};

class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) override;

  private:
    std::span<const std::uint8_t> bytes_;
};

// A regular file opened for reading. Small reads are served from a read-ahead window, so
// walking many small chunks stays cheap.
class FileByteSource : public ByteSource {
  public:
    // nullptr, with errno saying why, when the path cannot be opened or is not a regular file.
    static std::unique_ptr<FileByteSource> Open(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    std::uint64_t size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> target) override;

  private:
    FileByteSource(int descriptor, std::uint64_t size);
    std::size_t ReadDirect(std::uint64_t offset, std::span<std::uint8_t> target);

    int descriptor_;
    std::uint64_t size_;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowOffset_ = 0;
    std::size_t windowLength_ = 0;
};

}  // namespace marvolin::formats
