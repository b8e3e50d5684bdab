// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Text.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

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

namespace {

// The digits of a number as ParseCount reads it: [begin, end) of the integer part with its sign,
// or an empty range when `text` is not written like a number.
std::pair<std::size_t, std::size_t> CountDigits(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    std::size_t digits = j;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == j) return {0, 0};
    // Only a fraction may follow the digits; anything else makes the value no number.
    std::size_t k = digits;
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])))
            ++k;
    }
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t'))
        ++k;
    if (k != text.size()) return {0, 0};
    return {i, digits};
}

std::optional<long long> WholePart(std::string_view text) {
    const auto [begin, end] = CountDigits(text);
    if (begin == end) return std::nullopt;
    const std::string whole(text.substr(begin, end - begin));
    errno = 0;
    const long long v = std::strtoll(whole.c_str(), nullptr, 10);
    if (errno == ERANGE) return whole[0] == '-' ? LLONG_MIN : LLONG_MAX;
    return v;
}

} // namespace

bool IsOverflowingNumber(std::string_view text) {
    const auto v = WholePart(text);
    return v && (*v > 2147483647LL || *v < -2147483648LL);
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string ForMessage(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        // A new character starts at every byte that is not a UTF-8 continuation byte.
        if ((b & 0xC0) != 0x80 && chars++ == limit) {
            out += "…";
            break;
        }
        const bool c1 = b == 0xC2 && i + 1 < text.size() &&
                        (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
        if (b < 0x20 || b == 0x7F || c1) {
            const unsigned code = c1 ? static_cast<unsigned char>(text[++i]) : b;
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[code >> 4];
            out += kHex[code & 15];
            continue;
        }
        out += text[i];
    }
    return out;
}

int ParseCount(std::string_view text, int fallback) {
    const auto v = WholePart(text);
    if (!v || *v > 2147483647LL || *v < -2147483648LL) return fallback;
    return static_cast<int>(*v);
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

std::string Anzahl(long long n, std::string_view einzahl, std::string_view mehrzahl) {
    return std::to_string(n) + " " + std::string(n == 1 ? einzahl : mehrzahl);
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

} // namespace sw
