// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Ini.h"

#include "model/Text.h"

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

} // namespace

IniFile::IniFile() : sections_(1) {}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ini.AddParsedLine(line);
        pos = next;
    }
    return ini;
}

void IniFile::AddParsedLine(std::string_view line) {
    if (!line.empty() && line.front() == '[') {
        const auto close = line.find(']');
        if (close != std::string_view::npos) {
            AppendSection(std::string(line.substr(1, close - 1)), std::string(line));
            return;
        }
    }
    Line parsed;
    const auto eq = line.find('=');
    if (!line.empty() && line.front() != '[' && line.front() != ';' && eq != 0 &&
        eq != std::string_view::npos) {
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
        if (line.entry && EqualsNoCase(line.key, key)) return &line;
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
    return std::string(line ? std::string_view(line->value) : fallback);
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    std::size_t s = FindSection(section);
    if (s == kNone) {
        s = sections_.size();
        AppendSection(std::string(section), "[" + std::string(section) + "]");
    }
    std::vector<Line>& lines = sections_[s].lines;
    for (Line& line : lines) {
        if (line.entry && EqualsNoCase(line.key, key)) {
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
