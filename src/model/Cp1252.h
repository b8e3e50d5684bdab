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

} // namespace sw
