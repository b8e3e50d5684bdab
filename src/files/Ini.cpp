// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Ini.h"

#include "model/Cp1252.h"
#include "model/Text.h"

#include <array>
#include <cctype>

namespace sw {
namespace {

// The folding EqualsNoCase uses, so that the index and the key search agree.
std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

} // namespace

IniFile::IniFile() : sections_(1) {}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    ini.AddLines(text);
    return ini;
}

void IniFile::AddLines(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        AddParsedLine(line);
        pos = next;
    }
}

IniFile IniFile::ReadHandEdited(std::string_view bytes) {
    const FileText text = DecodeFileBytes(bytes);
    std::string_view body = text.Text;
    if (body.substr(0, kBom.size()) == kBom) body.remove_prefix(kBom.size());
    IniFile ini;
    ini.lenient_ = true;
    ini.utf8_ = text.WasUtf8;
    ini.bom_ = text.WasUtf8 && bytes.substr(0, kBom.size()) == kBom;
    ini.AddLines(body);
    return ini;
}

std::string IniFile::HandEditedBytes() const {
    const std::string text = Serialise();
    if (!utf8_) {
        if (auto cp = Utf8ToCp1252(text)) return *cp;
    }
    return (bom_ ? std::string(kBom) : std::string()) + text;
}

std::string_view IniFile::Seen(std::string_view text) const {
    return lenient_ ? Trimmed(text) : text;
}

void IniFile::AddParsedLine(std::string_view line) {
    // Read leniently, blanks before the line do not count; the line is kept as it stands.
    const std::string_view look = lenient_ ? Trimmed(line) : line;
    if (!look.empty() && look.front() == '[') {
        const auto close = look.find(']');
        if (close != std::string_view::npos) {
            AppendSection(std::string(Seen(look.substr(1, close - 1))), std::string(line));
            return;
        }
    }
    Line parsed;
    const auto eq = line.find('=');
    const bool comment =
        !look.empty() && (look.front() == ';' || (lenient_ && look.front() == '#'));
    if (!look.empty() && look.front() != '[' && !comment && eq != std::string_view::npos &&
        !Seen(line.substr(0, eq)).empty()) {
        parsed.entry = true;
        parsed.key = std::string(line.substr(0, eq));
        parsed.value = std::string(line.substr(eq + 1));
    } else {
        parsed.value = std::string(line);
    }
    sections_.back().lines.push_back(std::move(parsed));
}

void IniFile::AppendSection(std::string name, std::string header) {
    index_.emplace(Lower(name), sections_.size()); // keeps an earlier section of the same name
    sections_.push_back({std::move(name), std::move(header), {}});
}

void IniFile::RebuildIndex() {
    index_.clear();
    for (std::size_t i = 1; i < sections_.size(); ++i)
        index_.emplace(Lower(sections_[i].name), i);
}

std::string IniFile::Serialise() const {
    std::string out;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        if (i > 0) out.append(section.header).append("\r\n");
        for (const Line& line : section.lines) {
            if (line.entry) out.append(line.key).append("=");
            out.append(line.value).append("\r\n");
        }
    }
    return out;
}

std::size_t IniFile::FindSection(std::string_view section) const {
    const auto it = index_.find(Lower(section));
    return it == index_.end() ? kNone : it->second;
}

const IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) const {
    const std::size_t s = FindSection(section);
    if (s == kNone) return nullptr;
    for (const Line& line : sections_[s].lines)
        if (line.entry && EqualsNoCase(Seen(line.key), key)) return &line;
    return nullptr;
}

bool IniFile::HasSection(std::string_view section) const {
    return FindSection(section) != kNone;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    const Line* line = FindEntry(section, key);
    return std::string(line ? Seen(line->value) : fallback);
}

bool IniFile::GetFlag(std::string_view section, std::string_view key, bool fallback) const {
    const Line* line = FindEntry(section, key);
    if (!line) return fallback;
    return ParseFlag(line->value).value_or(fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const Line* line = FindEntry(section, key);
    if (!line) return fallback;
    return ParseInt(Trimmed(line->value)).value_or(fallback);
}

std::optional<bool> ParseFlag(std::string_view text) {
    const std::string_view word = Trimmed(text);
    static constexpr std::array<std::string_view, 6> kTrue = {"1",   "true", "ja",
                                                              "yes", "on",   "wahr"};
    static constexpr std::array<std::string_view, 6> kFalse = {"0",  "false", "nein",
                                                               "no", "off",   "falsch"};
    for (std::string_view w : kTrue)
        if (EqualsNoCase(word, w)) return true;
    for (std::string_view w : kFalse)
        if (EqualsNoCase(word, w)) return false;
    return std::nullopt;
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::size_t s = FindSection(section);
    if (s == kNone) {
        s = sections_.size();
        AppendSection(std::string(section), "[" + std::string(section) + "]");
    }
    std::vector<Line>& lines = sections_[s].lines;
    for (Line& line : lines) {
        if (line.entry && EqualsNoCase(Seen(line.key), key)) {
            line.value = std::string(value);
            return;
        }
    }
    // Blank lines at the end of a section separate it from the next one; they stay last.
    std::size_t at = lines.size();
    while (at > 0 && !lines[at - 1].entry && IsBlank(lines[at - 1].value))
        --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                 Line{true, std::string(key), std::string(value)});
}

void IniFile::EraseSection(std::string_view section) {
    std::size_t kept = 1;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (EqualsNoCase(sections_[i].name, section)) continue;
        if (kept != i) sections_[kept] = std::move(sections_[i]);
        ++kept;
    }
    if (kept == sections_.size()) return;
    sections_.resize(kept);
    RebuildIndex();
}

} // namespace sw
