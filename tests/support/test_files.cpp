#include "support/test_files.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace marvolin::testing {

TemporaryFolder::TemporaryFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "marvolin-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

Bytes& Bytes::Tag(const std::string& tag) {
    data.insert(data.end(), tag.begin(), tag.end());
    return *this;
}

Bytes& Bytes::U8(std::uint8_t value) {
    data.push_back(value);
    return *this;
}

Bytes& Bytes::U16LE(std::uint16_t value) {
    return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8));
}

Bytes& Bytes::U32LE(std::uint32_t value) {
    return U16LE(static_cast<std::uint16_t>(value)).U16LE(static_cast<std::uint16_t>(value >> 16));
}

Bytes& Bytes::U16BE(std::uint16_t value) {
    return U8(static_cast<std::uint8_t>(value >> 8)).U8(static_cast<std::uint8_t>(value));
}

Bytes& Bytes::U32BE(std::uint32_t value) {
    return U16BE(static_cast<std::uint16_t>(value >> 16)).U16BE(static_cast<std::uint16_t>(value));
}

Bytes& Bytes::Append(const std::vector<std::uint8_t>& more) {
    data.insert(data.end(), more.begin(), more.end());
    return *this;
}

Bytes& Bytes::Zeros(std::size_t count) {
    data.insert(data.end(), count, 0);
    return *this;
}

void CopyProgramData(const std::string& folder) {
    const std::string built = MARVOLIN_BUILD_BIN_DIR;
    std::filesystem::create_directories(folder + "/waves");
    std::filesystem::copy_file(built + "/waves/welcome.wav", folder + "/waves/welcome.wav");
    std::filesystem::copy_file(built + "/marvolin.bmp", folder + "/marvolin.bmp");
}

}  // namespace marvolin::testing
