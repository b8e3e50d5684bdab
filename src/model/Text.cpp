// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace sw {

std::string CutAtSeparator(std::string& source, char sep, bool remove) {
    const auto pos = source.find(sep);
    if (pos == std::string::npos) return {};
    std::string item = source.substr(0, pos);
    if (remove) source.erase(0, pos + 1);
    return item;
}

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
    if (what.empty()) return text;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what))
        text.replace(pos, what.size(), with);
    return text;
}

std::optional<int> ParseInt(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t start = 0;
    if (text[0] == '+') start = 1; // from_chars accepts '-' but not '+'
    if (start == text.size()) return std::nullopt;
    int value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    if (start == 1 && text.size() > 1 && text[1] == '-') return std::nullopt;
    return value;
}

int ParseCount(std::string_view text, int fallback) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    std::size_t digits = j;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == j) return fallback;
    // Only a fraction may follow the digits; anything else makes the value no number.
    std::size_t k = digits;
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])))
            ++k;
    }
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t'))
        ++k;
    if (k != text.size()) return fallback;
    const std::string whole(text.substr(i, digits - i));
    errno = 0;
    const long long v = std::strtoll(whole.c_str(), nullptr, 10);
    if (errno == ERANGE || v > 2147483647LL || v < -2147483648LL) return fallback;
    return static_cast<int>(v);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace sw
