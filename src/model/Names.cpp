// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Names.h"

#include "model/Cp1252.h"
#include "model/Text.h"

#include <cstdio>

namespace sw {

namespace {

// One character of a UTF-8 text: its bytes and its code point (-1 for a malformed sequence).
struct Zeichen {
    std::string_view Bytes;
    long CodePoint = -1;
};

Zeichen ZeichenAt(std::string_view text, std::size_t at) {
    const auto b = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    long cp = b;
    if (b >= 0xF0 && b < 0xF8) {
        length = 4;
        cp = b & 0x07;
    } else if (b >= 0xE0 && b < 0xF0) {
        length = 3;
        cp = b & 0x0F;
    } else if (b >= 0xC0 && b < 0xE0) {
        length = 2;
        cp = b & 0x1F;
    } else if (b >= 0x80) {
        return {text.substr(at, 1), -1};
    }
    if (at + length > text.size()) return {text.substr(at), -1};
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xC0) != 0x80) return {text.substr(at, i), -1};
        cp = (cp << 6) | (c & 0x3F);
    }
    return {text.substr(at, length), cp};
}

std::string CodeText(long cp) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "U+%04lX", cp);
    return buffer;
}

std::string Stelle(int position) {
    return "an der " + std::to_string(position) + ". Stelle ";
}

bool IsControl(long cp) {
    return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F);
}

// The token files separate their tokens by white space and write a blank as "%%": a name that
// does not come back from that coding unchanged. "%%" itself stands for a blank; a "%" before a
// blank would join the "%%" of the blank.
std::optional<std::string> PercentFault(std::string_view name) {
    const std::size_t doppelt = name.find("%%");
    const std::size_t vorBlank = name.find("% ");
    if (doppelt == std::string_view::npos && vorBlank == std::string_view::npos)
        return std::nullopt;
    int position = 1;
    const std::size_t at = std::min(doppelt, vorBlank);
    for (std::size_t i = 0; i < at; i += ZeichenAt(name, i).Bytes.size())
        ++position;
    if (at == doppelt)
        return "enthält " + Stelle(position) +
               "\"%%\", das in den Dateien für ein Leerzeichen steht";
    return "enthält " + Stelle(position) +
           "ein \"%\" vor einem Leerzeichen, das in den Dateien mit dessen \"%%\" verschmilzt";
}

} // namespace

std::optional<std::string> NameFault(std::string_view name, bool commaAllowed) {
    if (name == "_") return std::string("ist \"_\", das Zeichen der Dateien für einen leeren Text");
    int position = 0;
    for (std::size_t i = 0; i < name.size();) {
        const Zeichen z = ZeichenAt(name, i);
        i += z.Bytes.size();
        ++position;
        if (z.CodePoint < 0)
            return "enthält " + Stelle(position) + "ein Byte, das kein Zeichen ist";
        if (IsControl(z.CodePoint))
            return "enthält " + Stelle(position) + "ein Steuerzeichen (" + CodeText(z.CodePoint) +
                   ")";
        if (z.CodePoint == 0xA0)
            return "enthält " + Stelle(position) + "ein geschütztes Leerzeichen (U+00A0)";
        if (z.CodePoint == ',' && !commaAllowed) return "enthält " + Stelle(position) + "ein Komma";
        if (!IsCp1252Representable(z.Bytes))
            return "enthält " + Stelle(position) + "das Zeichen \"" + std::string(z.Bytes) +
                   "\" (" + CodeText(z.CodePoint) + "), das es in Windows-1252 nicht gibt";
    }
    return PercentFault(name);
}

std::string NameFaultText(std::string_view what, std::string_view name, std::string_view fault,
                          std::string_view owner) {
    std::string text = std::string(what) + " \"" + ForMessage(name) + "\"";
    if (!owner.empty()) text += " (" + std::string(owner) + ")";
    return text + " " + std::string(fault) + ".";
}

std::optional<std::string> CheckName(std::string_view what, std::string_view name,
                                     std::string_view owner, bool commaAllowed) {
    const auto fault = NameFault(name, commaAllowed);
    if (!fault) return std::nullopt;
    return NameFaultText(what, name, *fault, owner);
}

std::string UpperName(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto& c = reinterpret_cast<unsigned char&>(out[i]);
        if (c >= 'a' && c <= 'z') {
            c = static_cast<unsigned char>(c - 'a' + 'A');
            continue;
        }
        if (i + 1 >= out.size()) break;
        auto& n = reinterpret_cast<unsigned char&>(out[i + 1]);
        if (c == 0xC3 && n >= 0xA0 && n <= 0xBE && n != 0xB7) { // à..þ without ÷
            n = static_cast<unsigned char>(n - 0x20);
        } else if (c == 0xC3 && n == 0xBF) { // ÿ -> Ÿ
            c = 0xC5;
            n = 0xB8;
        } else if (c == 0xC5 && (n == 0xA1 || n == 0x93 || n == 0xBE)) { // š œ ž
            n = static_cast<unsigned char>(n - 1);
        }
        if (c >= 0xC0) ++i;
    }
    return out;
}

} // namespace sw
