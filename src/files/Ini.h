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
//
// A file that people edit by hand (the configuration file) is read leniently instead
// (ReadHandEdited): its bytes may be UTF-8, with or without a byte-order mark, or Windows-1252;
// blanks and tabs before a line, around a section name, a key or a value do not count; a line
// starting with "#" is a comment as one starting with ";" is. Lines are kept as they stand all
// the same, and the file is written back in the code it was read in.
#pragma once

#include <cstddef>
#include <optional>
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

    // A hand-edited file from its bytes, read leniently (see above); never fails.
    static IniFile ReadHandEdited(std::string_view bytes);
    // The bytes to write back: UTF-8 (with its byte-order mark if it had one) when it was read
    // as UTF-8, otherwise Windows-1252, or UTF-8 when a text has no Windows-1252 character.
    std::string HandEditedBytes() const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // The value of `key`, or `fallback` when the section or the key does not exist.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback = {}) const;
    // A yes/no value as people write it: see ParseFlag; `fallback` when the key is missing or
    // its value is none of those words.
    bool GetFlag(std::string_view section, std::string_view key, bool fallback) const;
    // An integer value (blanks around it allowed); `fallback` when missing or not a number.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;
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

    // Splits `text` into lines and adds each.
    void AddLines(std::string_view text);
    void AddParsedLine(std::string_view line);
    // The key or value as a lookup sees it: trimmed when the file is read leniently.
    std::string_view Seen(std::string_view text) const;
    void AppendSection(std::string name, std::string header);
    void RebuildIndex();
    std::size_t FindSection(std::string_view section) const;
    const Line* FindEntry(std::string_view section, std::string_view key) const;

    // sections_[0] holds the lines before the first section header and has no name.
    std::vector<Section> sections_;
    // Lower-case section name -> index of its first occurrence in `sections_`.
    std::unordered_map<std::string, std::size_t> index_;
    // Read by ReadHandEdited: blanks do not count, and how the bytes were coded.
    bool lenient_ = false;
    bool utf8_ = false;
    bool bom_ = false;
};

// "1", "true", "ja", "yes", "on", "wahr" are true; "0", "false", "nein", "no", "off", "falsch"
// are false, in any case and with blanks around them; anything else is nullopt.
std::optional<bool> ParseFlag(std::string_view text);

} // namespace sw
