// SPDX-License-Identifier: GPL-3.0-or-later
// Cp1252.h: Windows-1252 <-> UTF-8 at the file boundary. Inside the program every text is UTF-8;
// files are 8-bit Windows-1252. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, so every byte string round-trips.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sw {

// Every byte has a character, so decoding never fails.
std::string Cp1252ToUtf8(std::string_view bytes);

// Fails (nullopt) on malformed UTF-8 or on a character the code page cannot carry.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// True when `utf8` is well-formed and every character has a Windows-1252 byte.
bool IsCp1252Representable(std::string_view utf8);

// True when `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// True when the Windows-1252 bytes of `utf8` hold a byte above 0x7F and are well-formed UTF-8
// themselves: "Ã¼" is the pair C3 BC, which DecodeFileBytes would read back as "ü". A file whose
// every such text is of this kind would come back changed (see the file writers).
bool ReadsAsUtf8(std::string_view utf8);

// The text of a file's bytes. Files are Windows-1252; but a file that some editor saved as
// UTF-8 (it starts with the byte-order mark EF BB BF, or it is well-formed UTF-8 and holds bytes
// above 0x7F) is taken as UTF-8, without its mark, so that its umlauts are not garbled.
// Windows-1252 text with umlauts is never well-formed UTF-8 by accident ("ü" is the lone byte
// 0xFC), so the guess is safe for the texts a school writes.
struct FileText {
    std::string Text; // UTF-8
    bool WasUtf8 = false;
};
FileText DecodeFileBytes(std::string_view bytes);

} // namespace sw
