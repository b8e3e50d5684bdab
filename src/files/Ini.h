// SPDX-License-Identifier: GPL-3.0-or-later
// Ini.h: an INI text in memory, kept line by line, so that writing it back changes only what was
// set. The project file and the configuration file are read and written through it. Texts are
// UTF-8 here; the caller converts the code page at the file boundary.
//
// Reading. A line ends with LF or CR LF (only the line end is removed; nothing is trimmed).
//   - "[name]": a line starting with "[" that holds a "]" opens the section `name` (the text
//     between "[" and the first "]"; anything after the "]" is kept but never read).
//   - "key=value": a line that does not start with "[" or ";" and has a "=" after at least one
//     character; the key is the text before the first "=", the value all the rest.
//   - Every other line (blank lines, ";" comments, text without "=") is kept as it stands and
//     written back unchanged, but is never read as an entry. So are entries before the first
//     section: they belong to no section and cannot be looked up.
// Section names and keys compare case-insensitively (ASCII letters), as the profile functions of
// the desktop system do; when a name occurs twice, the first occurrence wins.
//
// Writing. Every line ends with CR LF. Setting a key that exists replaces its value in place; a
// new key goes to the end of its section (before any blank lines that close it), a new section
// to the end of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sw {

class IniFile {
public:
    IniFile();

    // Splits `text` into lines; never fails.
    static IniFile Parse(std::string_view text);
    // The whole text, every line closed by CR LF.
    std::string Serialise() const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // The value of `key`, or `fallback` when the section or the key does not exist.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback = {}) const;
    // Creates the section and the key as needed. `value` must hold no CR or LF: the line would
    // split when read again (callers check their texts before writing).
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines; nothing happens when there is none.
    void EraseSection(std::string_view section);

    // Number of sections (not counting the lines before the first one).
    std::size_t SectionCount() const { return sections_.size() - 1; }

private:
    struct Line {
        bool entry = false; // a key=value line; otherwise `value` holds the raw line
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::string header; // the raw "[name]" line as read or written
        std::vector<Line> lines;
    };

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void AddParsedLine(std::string_view line);
    void AppendSection(std::string name, std::string header);
    void RebuildIndex();
    std::size_t FindSection(std::string_view section) const;
    const Line* FindEntry(std::string_view section, std::string_view key) const;

    // sections_[0] holds the lines before the first section header and has no name.
    std::vector<Section> sections_;
    // Lower-case section name -> index of its first occurrence in `sections_`.
    std::unordered_map<std::string, std::size_t> index_;
};

} // namespace sw
