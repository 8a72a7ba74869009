#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace marvolin::testing {

// A fresh, empty folder under the system's temporary folder, removed by the destructor.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Makes `folder` a data folder of the program as the build made it: the background picture
// and waves/welcome.wav.
void CopyProgramData(const std::string& folder);

// Little-endian and big-endian byte builders for hand-made test files.
class Bytes {
  public:
    Bytes& Tag(const std::string& tag);
    Bytes& U8(std::uint8_t value);
    Bytes& U16LE(std::uint16_t value);
    Bytes& U32LE(std::uint32_t value);
    Bytes& U16BE(std::uint16_t value);
    Bytes& U32BE(std::uint32_t value);
    Bytes& Append(const std::vector<std::uint8_t>& more);
    Bytes& Zeros(std::size_t count);
    std::vector<std::uint8_t> data;
};

}  // namespace marvolin::testing
