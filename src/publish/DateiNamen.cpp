// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/DateiNamen.h"

#include <set>

namespace sw {

namespace {

// The ASCII spelling of a Latin-1 letter (U+00C0..U+00FF); empty for a sign that is no letter.
const char* Latin1(unsigned code) {
    switch (code) {
    case 0xC4:
    case 0xE4:
        return "ae";
    case 0xD6:
    case 0xF6:
        return "oe";
    case 0xDC:
    case 0xFC:
        return "ue";
    case 0xDF:
        return "ss";
    case 0xC6:
    case 0xE6:
        return "ae";
    case 0xC0:
    case 0xC1:
    case 0xC2:
    case 0xC3:
    case 0xC5:
    case 0xE0:
    case 0xE1:
    case 0xE2:
    case 0xE3:
    case 0xE5:
        return "a";
    case 0xC7:
    case 0xE7:
        return "c";
    case 0xC8:
    case 0xC9:
    case 0xCA:
    case 0xCB:
    case 0xE8:
    case 0xE9:
    case 0xEA:
    case 0xEB:
        return "e";
    case 0xCC:
    case 0xCD:
    case 0xCE:
    case 0xCF:
    case 0xEC:
    case 0xED:
    case 0xEE:
    case 0xEF:
        return "i";
    case 0xD1:
    case 0xF1:
        return "n";
    case 0xD2:
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0xD8:
    case 0xF2:
    case 0xF3:
    case 0xF4:
    case 0xF5:
    case 0xF8:
        return "o";
    case 0xD9:
    case 0xDA:
    case 0xDB:
    case 0xF9:
    case 0xFA:
    case 0xFB:
        return "u";
    case 0xDD:
    case 0xFD:
    case 0xFF:
        return "y";
    default:
        return "";
    }
}

} // namespace

std::string SichererName(std::string_view utf8) {
    std::string out;
    bool strich = false; // a "-" is owed before the next letter
    auto wort = [&](std::string_view teil) {
        if (teil.empty()) {
            strich = true;
            return;
        }
        if (strich && !out.empty()) out += '-';
        strich = false;
        out += teil;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            ++i;
            if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
                const char s[2] = {static_cast<char>(c), 0};
                wort(s);
            } else if (c >= 'A' && c <= 'Z') {
                const char s[2] = {static_cast<char>(c - 'A' + 'a'), 0};
                wort(s);
            } else {
                wort({});
            }
            continue;
        }
        // A multi-byte sequence: only two-byte Latin-1 letters have a spelling.
        std::size_t laenge = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        if (laenge == 2 && i + 1 < utf8.size()) {
            const unsigned code =
                ((c & 0x1FU) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3FU);
            wort(Latin1(code));
        } else {
            wort({});
        }
        i += laenge;
    }
    return out.empty() ? "x" : out;
}

std::vector<std::string> DateiNamenFuer(std::string_view prefix,
                                        const std::vector<std::string>& namen) {
    std::vector<std::string> out;
    out.reserve(namen.size());
    std::set<std::string> vergeben;
    for (const std::string& name : namen) {
        const std::string basis = std::string(prefix) + "-" + SichererName(name);
        std::string kandidat = basis;
        for (int n = 2; vergeben.count(kandidat) != 0; ++n)
            kandidat = basis + "-" + std::to_string(n);
        vergeben.insert(kandidat);
        out.push_back(kandidat);
    }
    return out;
}

} // namespace sw
