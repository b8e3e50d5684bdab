// SPDX-License-Identifier: GPL-3.0-or-later
// Text.h: the small text helpers the file readers share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sw {

// Returns the text before the first `sep` in `source`. With `remove`, that text and the separator
// are taken off the front of `source`. Without any `sep` the result is empty and `source` stays.
std::string CutAtSeparator(std::string& source, char sep, bool remove = true);

// Replaces every occurrence of `what` by `with`, searching again from the start after each
// replacement (so "%%%" with "%%" -> " " becomes " %"). An empty `what` changes nothing.
std::string ReplaceAll(std::string text, std::string_view what, std::string_view with);

// A whole decimal integer (optional sign, digits, nothing else) that fits 32 bits.
std::optional<int> ParseInt(std::string_view text);

// The reading rule of the project file for counts: a leading integer is taken, a fraction is cut
// towards zero ("3.7" -> 3), anything that does not start like a number gives `fallback`.
int ParseCount(std::string_view text, int fallback);

// True when `text` is written like a number (as ParseCount reads it) but lies outside 32 bits:
// such a value is an error of its own, never "no number".
bool IsOverflowingNumber(std::string_view text);

// True when every character of `text` is one of the digits 0..9 (and there is at least one).
bool IsAllDigits(std::string_view text);

// `text` for a message: control characters (a NUL byte among them) become visible as "\x00"
// and the text is cut after `limit` characters with "…", so a damaged name can neither cut
// the message short nor flood it.
std::string ForMessage(std::string_view text, std::size_t limit = 60);

// `text` with its first letter in capitals, for a sentence that begins with a composed part
// ("die 2. Einheit …" -> "Die 2. Einheit …"); only ASCII letters change.
std::string Capitalised(std::string text);

// Case-insensitive equality for ASCII letters, as the profile functions compare keys.
bool EqualsNoCase(std::string_view a, std::string_view b);

// A count with its noun, singular for exactly one: Anzahl(1, "Tag", "Tage") is "1 Tag",
// Anzahl(0, "Tag", "Tage") "0 Tage". For the texts the program composes itself.
std::string Anzahl(long long n, std::string_view einzahl, std::string_view mehrzahl);

} // namespace sw
