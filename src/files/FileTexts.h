// SPDX-License-Identifier: GPL-3.0-or-later
// FileTexts.h: the messages every file reader shares.
#pragma once

#include <exception>
#include <string>

namespace sw {

// Said after a file was read that some editor had saved in UTF-8 (title "Hinweis").
std::string Utf8Hinweis(const std::string& path);

// The refusal when reading failed in a way no check foresaw (no memory left, an error of the
// library); "Fehler beim Lesen der Datei " + path + ":\n" + what happened.
std::string UnerwarteterLesefehler(const std::string& path, const std::exception& error);

} // namespace sw
