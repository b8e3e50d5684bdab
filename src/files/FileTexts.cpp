// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileTexts.h"

#include "model/Text.h"

#include <new>

namespace sw {

std::string Utf8Hinweis(const std::string& path) {
    return "Die Datei " + path +
           "\nist in UTF-8 geschrieben, nicht in Windows-1252. Sie wurde umgewandelt gelesen; "
           "beim nächsten Speichern wird sie in Windows-1252 geschrieben.";
}

std::string UnerwarteterLesefehler(const std::string& path, const std::exception& error) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    return "Fehler beim Lesen der Datei " + path + ":\n" +
           (memory ? std::string("Der Speicher reicht nicht aus.")
                   : "Unerwarteter Fehler: " + ForMessage(error.what(), 200));
}

} // namespace sw
