// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Cp1252.h"

#include <array>
#include <cstdint>

namespace sw {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::optional<unsigned char> ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// Decodes one UTF-8 sequence at `i`; rejects overlong forms, surrogates and values past U+10FFFF.
std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + len > s.size()) return std::nullopt;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    i += len;
    return cp;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out.push_back(c);
        else if (b < 0xA0)
            AppendUtf8(out, kHighTable[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto cp = NextCodePoint(utf8, i);
        if (!cp) return std::nullopt;
        const auto byte = ByteOf(*cp);
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

bool IsCp1252Representable(std::string_view utf8) {
    return Utf8ToCp1252(utf8).has_value();
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size())
        if (!NextCodePoint(bytes, i)) return false;
    return true;
}

bool ReadsAsUtf8(std::string_view utf8) {
    const auto bytes = Utf8ToCp1252(utf8);
    if (!bytes) return false;
    bool high = false;
    for (char c : *bytes)
        high = high || static_cast<unsigned char>(c) >= 0x80;
    return high && IsValidUtf8(*bytes);
}

FileText DecodeFileBytes(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    const std::string_view body = bom ? bytes.substr(kBom.size()) : bytes;
    bool high = false;
    for (char c : body)
        high = high || static_cast<unsigned char>(c) >= 0x80;
    if ((bom || high) && IsValidUtf8(body)) return {std::string(body), true};
    return {Cp1252ToUtf8(bytes), false};
}

} // namespace sw
