#include "platform/profile_file.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

namespace marvolin::platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    return EqualIgnoringAsciiCase(a, b);
}

// The name of a section header line "[name]", or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.find(']');
    std::string_view name =
        line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1);
    return Trim(name);
}

// Splits "key = value"; a line without '=' is a key with no value.
std::pair<std::string_view, std::string_view> KeyAndValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {Trim(line), {}};
    }
    return {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 99;
}

}  // namespace

std::int32_t ParseProfileInteger(std::string_view value) {
    value = value.substr(0, std::min<std::size_t>(value.size(), 29));
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        const char marker = value[i + 1];
        if (marker == 'x' || marker == 'X') {
            base = 16;
        } else if (marker == 'o' || marker == 'O') {
            base = 8;
        } else if (marker == 'b' || marker == 'B') {
            base = 2;
        }
        if (base != 10) {
            i += 2;
        }
    }
    std::uint32_t result = 0;
    for (; i < value.size(); ++i) {
        const int digit = DigitValue(value[i]);
        if (digit >= static_cast<int>(base)) {
            break;
        }
        result = result * base + static_cast<std::uint32_t>(digit);
    }
    if (negative) {
        result = 0u - result;
    }
    return static_cast<std::int32_t>(result);
}

ProfileFile ProfileFile::Load(const std::string& path) {
    // A folder (or a device) of that name opens, but reading it throws or never ends.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return ProfileFile{};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return ProfileFile{};
    }
    try {
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        return FromText(text);
    } catch (const std::ios_base::failure&) {
        return ProfileFile{};
    }
}

ProfileFile ProfileFile::FromText(std::string_view text) {
    ProfileFile profile;
    if (text.find("\r\n") != std::string_view::npos) {
        profile.newline_ = "\r\n";
    }
    profile.endsWithNewline_ = text.empty() || text.back() == '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        profile.lines_.push_back({std::string(line)});
        start = end + 1;
    }
    return profile;
}

std::optional<std::size_t> ProfileFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        if (name && SameName(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t ProfileFile::SectionEnd(std::size_t sectionLine) const {
    std::size_t i = sectionLine + 1;
    while (i < lines_.size() && !SectionName(lines_[i].text)) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t sectionLine,
                                                std::string_view key) const {
    const std::size_t end = SectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        const std::string_view text = Trim(lines_[i].text);
        if (text.empty()) {
            continue;
        }
        if (SameName(KeyAndValue(text).first, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::GetString(std::string_view section,
                                                  std::string_view key) const {
    const auto sectionLine = FindSection(section);
    if (!sectionLine) {
        return std::nullopt;
    }
    const auto keyLine = FindKey(*sectionLine, key);
    if (!keyLine) {
        return std::nullopt;
    }
    return Unquote(KeyAndValue(lines_[*keyLine].text).second);
}

std::int32_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
    const auto value = GetString(section, key);
    if (!value || value->empty()) {
        return fallback;
    }
    return ParseProfileInteger(*value);
}

void ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    // One line holds one value: a line break in it would add lines of its own to the file.
    value = value.substr(0, value.find_first_of("\r\n"));
    const std::string line = std::string(Trim(key)) + "=" + std::string(value);
    auto sectionLine = FindSection(section);
    if (!sectionLine) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) {
            lines_.push_back({""});
        }
        lines_.push_back({"[" + std::string(Trim(section)) + "]"});
        lines_.push_back({line});
        endsWithNewline_ = true;
        return;
    }
    if (const auto keyLine = FindKey(*sectionLine, key)) {
        lines_[*keyLine].text = line;
        return;
    }
    // After the section's last non-blank line, so blank lines before the next section stay.
    std::size_t insertAt = SectionEnd(*sectionLine);
    while (insertAt > *sectionLine + 1 && Trim(lines_[insertAt - 1].text).empty()) {
        --insertAt;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), {line});
    if (insertAt == lines_.size() - 1) {
        endsWithNewline_ = true;
    }
}

std::string ProfileFile::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i].text;
        if (i + 1 < lines_.size() || endsWithNewline_) {
            text += newline_;
        }
    }
    return text;
}

bool ProfileFile::Save(const std::string& path) const {
    const std::string text = Text();
    AtomicFileWriter file(path);
    file.Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return file.Commit();
}

}  // namespace marvolin::platform
