#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marvolin::platform {

// An INI ("profile") file with the classic private-profile rules: section and key names
// compare without regard to case and surrounding blanks; the first matching section and
// key win; a value is trimmed and loses one pair of matching surrounding quotes. Writing
// changes only the lines of the keys written and keeps every other line as it was.
class ProfileFile {
  public:
    // An empty profile when the file does not exist or cannot be read.
    static ProfileFile Load(const std::string& path);
    static ProfileFile FromText(std::string_view text);

    // The value, or nullopt when the section or key is missing.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    // The value read as an integer (see ParseProfileInteger); `fallback` when the key is
    // missing or its value empty.
    std::int32_t GetInt(std::string_view section, std::string_view key,
                        std::int32_t fallback) const;

    // Replaces the key's line, or adds the key at the end of its section (and the section at
    // the end of the file). A value ends at its first line break.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;
    // Writes the text through a temporary file and a rename; false when that fails.
    bool Save(const std::string& path) const;

  private:
    struct Line {
        std::string text;  // without the line ending
    };
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index of the key's line inside the section starting at `sectionLine`.
    std::optional<std::size_t> FindKey(std::size_t sectionLine, std::string_view key) const;
    std::size_t SectionEnd(std::size_t sectionLine) const;

    std::vector<Line> lines_;
    std::string newline_ = "\n";
    bool endsWithNewline_ = true;
};

// Integers as the private-profile functions read them: the first 29 characters of the
// value; leading blanks skipped; an optional sign; then "0x" hexadecimal, "0o" octal, "0b"
// binary or decimal digits up to the first other character; no digits give 0. Arithmetic
// wraps modulo 2^32.
std::int32_t ParseProfileInteger(std::string_view value);

}  // namespace marvolin::platform
