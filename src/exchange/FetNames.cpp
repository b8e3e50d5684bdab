// SPDX-License-Identifier: GPL-3.0-or-later
// FetNames.cpp: the small readers of the FET import (texts, numbers, weights) and the names a
// FET file brings, made storable and unique in their lists.
#include "exchange/FetImport.h"

#include "model/Cp1252.h"
#include "model/Names.h"
#include "model/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace sw::fet {

namespace {

constexpr const char* kErsetzt = "Zeichen ersetzt, die eine Stundenwerk-Datei nicht fassen kann";

// The length in bytes of the UTF-8 character that starts with `b`, or 0 for a byte that starts
// none.
std::size_t SequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b < 0xE0) return 2;
    if (b >= 0xE0 && b < 0xF0) return 3;
    if (b >= 0xF0 && b < 0xF5) return 4;
    return 0;
}

// A "%" that the token files would read as part of a blank ("%%" or "% ") becomes "?".
int FixPercent(std::string& s) {
    int fixed = 0;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == '%' && (s[i + 1] == '%' || s[i + 1] == ' ')) {
            s[i] = '?';
            ++fixed;
        }
    return fixed;
}

} // namespace

std::string Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string ChildText(const pugi::xml_node& node, const char* name) {
    return Trimmed(node.child(name).child_value());
}

int IntOf(const std::string& text, const std::string& where, const char* tag) {
    if (auto n = ParseInt(text)) return *n;
    throw Refusal{"Bei " + where + " steht in " + tag + " „" + ForMessage(text) +
                  "“; das ist keine ganze Zahl."};
}

double WeightOf(const pugi::xml_node& constraint, const std::string& where) {
    const char* tag = "Weight_Percentage";
    std::string text = ChildText(constraint, tag);
    if (text.empty() && constraint.child("Weight")) {
        tag = "Weight";
        text = ChildText(constraint, tag);
    }
    if (text.empty() && !constraint.child(tag)) return 100;
    double weight = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), weight);
    if (ec != std::errc() || end != text.data() + text.size())
        throw Refusal{"Bei " + where + " steht in " + tag + " „" + ForMessage(text) +
                      "“; das ist keine Zahl."};
    return weight;
}

bool IsActive(const pugi::xml_node& node) {
    return ChildText(node, "Active") != "false";
}

Cleaned CleanName(std::string_view raw, bool commaAllowed) {
    Cleaned out;
    for (std::size_t i = 0; i < raw.size();) {
        const auto b = static_cast<unsigned char>(raw[i]);
        std::size_t length = SequenceLength(b);
        bool valid = length != 0 && i + length <= raw.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(raw[i + k]) & 0xC0) == 0x80;
        if (!valid) length = 1;
        const std::string_view zeichen = raw.substr(i, length);
        i += length;
        ++out.total;
        // A broken byte, a control character, one outside Windows-1252: lost.
        const bool keep = valid && IsValidUtf8(zeichen) &&
                          (!NameFault(zeichen, true) || zeichen == "%" || zeichen == "_");
        if (zeichen == "\t" || zeichen == "\n" || zeichen == "\r" || zeichen == "\xC2\xA0") {
            out.text += ' ';
        } else if (zeichen == "," && !commaAllowed) {
            out.text += ';';
        } else if (keep) {
            out.text += zeichen;
        } else {
            out.text += '?';
            ++out.lost;
        }
    }
    out.text = Trimmed(out.text);
    out.lost += FixPercent(out.text);
    if (out.text == "_") {
        out.text.clear();
        out.lost = out.total;
    }
    return out;
}

std::string CutName(const std::string& name, std::size_t chars) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < chars && at < name.size(); ++n) {
        const std::size_t length = SequenceLength(static_cast<unsigned char>(name[at]));
        at += length == 0 ? 1 : length;
    }
    std::string cut = Trimmed(name.substr(0, at));
    FixPercent(cut);
    return cut.empty() || NameFault(cut, true) ? name : cut;
}

NameList::NameList(std::string kind, std::string what, bool commaAllowed)
    : kind_(std::move(kind)), what_(std::move(what)), commaAllowed_(commaAllowed) {}

int NameList::Add(std::string_view raw, ImportReport& report, bool fresh) {
    const std::string key(raw);
    if (auto it = byRaw_.find(key); it != byRaw_.end() && !fresh) return it->second;
    const Cleaned cleaned = CleanName(raw, commaAllowed_);
    std::string name = cleaned.text;
    if (name.empty() || cleaned.lost * 2 > cleaned.total)
        name = kind_ + " " + std::to_string(names_.size() + 1);
    name = Unique(name);
    if (name != raw) {
        const std::string shown = IsValidUtf8(raw) ? ForMessage(raw) : CleanName(raw, true).text;
        report.Add(ImportFate::Angenaehert, what_, kErsetzt, shown + " → " + name);
    }
    const int index = static_cast<int>(names_.size());
    names_.push_back(std::move(name));
    byRaw_.emplace(key, index);
    return index;
}

int NameList::AddOwn(const std::string& name) {
    Cleaned cleaned = CleanName(name, commaAllowed_);
    names_.push_back(Unique(cleaned.text.empty() ? kind_ : cleaned.text));
    return static_cast<int>(names_.size()) - 1;
}

int NameList::Find(std::string_view raw) const {
    const auto it = byRaw_.find(std::string(raw));
    return it == byRaw_.end() ? -1 : it->second;
}

std::string NameList::Unique(const std::string& name) {
    std::string candidate = name;
    for (int n = 2; taken_.count(candidate) != 0; ++n)
        candidate = name + " (" + std::to_string(n) + ")";
    FixPercent(candidate);
    taken_.insert(candidate);
    return candidate;
}

bool ShortNames::Take(const std::string& shortName) {
    return !shortName.empty() && taken_.insert(UpperName(shortName)).second;
}

std::string ShortNames::Add(const std::string& name) {
    // As long as a short form typed into a dialog may be.
    constexpr std::size_t kChars = 5;
    const auto cut = [](const std::string& text, std::size_t chars) {
        const std::string s = CutName(text, chars);
        const auto length = std::count_if(s.begin(), s.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        });
        // CutName keeps a name whole when its beginning could not stand on its own.
        return static_cast<std::size_t>(length) <= chars ? s : std::string();
    };
    if (std::string s = cut(name, kChars); Take(s)) return s;
    // The name without the digits it ends with, which come first as the number.
    std::size_t stem = name.size();
    while (stem > 0 && name.size() - stem < kChars - 1 &&
           std::isdigit(static_cast<unsigned char>(name[stem - 1])) != 0)
        --stem;
    const std::string own = name.substr(stem);
    for (int n = 1;; ++n) {
        const std::string number = n == 1 ? own : std::to_string(n);
        if (number.empty()) continue;
        const std::size_t room = number.size() < kChars ? kChars - number.size() : 0;
        if (std::string candidate = cut(name.substr(0, stem), room) + number; Take(candidate))
            return candidate;
    }
}

std::size_t IntsHash::operator()(const std::vector<int>& v) const noexcept {
    std::size_t h = 1469598103934665603ULL;
    for (int x : v)
        h = (h ^ static_cast<std::size_t>(x)) * 1099511628211ULL;
    return h;
}

} // namespace sw::fet
