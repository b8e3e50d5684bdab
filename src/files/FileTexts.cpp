// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileTexts.h"

#include "model/Cp1252.h"
#include "model/Text.h"

#include <array>
#include <new>

namespace sw {

std::string Utf8Hinweis(const std::string& path) {
    return "Die Datei " + path +
           "\nist in UTF-8 geschrieben, nicht in Windows-1252. Sie wurde umgewandelt gelesen; "
           "beim nächsten Speichern wird sie in Windows-1252 geschrieben.";
}

namespace {

// Calls `visit` with every text a file of the master data holds.
template <typename Visit> void VisitTexts(const Stammdaten& d, bool withDayNames, Visit visit) {
    const auto all = [&](const std::vector<std::string>& texts) {
        for (const auto& t : texts)
            visit(t);
    };
    const auto units = [&](const std::vector<CEinheit>& list) {
        for (const auto& e : list)
            visit(e.Raum);
    };
    if (withDayNames) all(d.Angaben.TagNamen);
    all(d.Faecher);
    for (const auto& r : d.Raeume) {
        visit(r.Name), visit(r.Kurz), visit(r.Klasse);
        all(r.Faecher);
    }
    for (const auto& l : d.Lehrer) {
        visit(l.Name), visit(l.Kurz), visit(l.Klasse);
        all(l.Faecher);
    }
    for (const auto& k : d.Klassen)
        visit(k.Name);
    for (const auto& u : d.FachBloecke) {
        visit(u.Key), visit(u.Block.Lehrer), visit(u.Block.Klasse), visit(u.Block.Fach);
        units(u.Block.Einheiten);
    }
    for (const auto& k : d.KursBloecke) {
        visit(k.Name), visit(k.Kurz);
        all(k.Faecher);
        all(k.Klassen);
        for (const auto& l : k.Lehrer) {
            visit(l.Name);
            units(l.Einheiten);
        }
    }
}

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

std::optional<std::string> TextThatMakesTheFileReadAsUtf8(const Stammdaten& data,
                                                          bool withDayNames) {
    std::optional<std::string> first;
    bool everyOneReadsAsUtf8 = true;
    VisitTexts(data, withDayNames, [&](const std::string& text) {
        if (!everyOneReadsAsUtf8 || IsAscii(text)) return;
        if (!ReadsAsUtf8(text)) {
            everyOneReadsAsUtf8 = false;
            return;
        }
        if (!first) first = text;
    });
    return everyOneReadsAsUtf8 ? first : std::nullopt;
}

std::string Utf8Doppelgaenger(const std::string& text) {
    return "Der Text \"" + ForMessage(text) +
           "\" bestünde in der Datei aus Zeichen, die zusammen wie UTF-8 aussehen (etwa \"Ã¼\" "
           "für \"ü\"); da die Datei keine anderen Sonderzeichen enthielte, käme er beim Öffnen "
           "verändert zurück. Bitte ändern Sie diesen Text.";
}

std::string UnerwarteterLesefehler(const std::string& path, const std::exception& error) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
    return "Fehler beim Lesen der Datei " + path + ":\n" +
           (memory ? std::string("Der Speicher reicht nicht aus.")
                   : "Unerwarteter Fehler: " + ForMessage(error.what(), 200));
}

namespace {
constexpr std::array<const char*, 4> kArtWoerter = {"Gleichzeitig", "NieGleichzeitig",
                                                    "GleicherTag", "Direktfolge"};
} // namespace

const char* const kUnbekannteArt = " ist keine bekannte Art einer Beziehung (Gleichzeitig, "
                                   "NieGleichzeitig, GleicherTag oder Direktfolge).";

const char* BeziehungsArtWort(BeziehungsArt art) {
    const char* const word = kArtWoerter[static_cast<std::size_t>(art)];
    return word;
}

std::optional<BeziehungsArt> BeziehungsArtAus(std::string_view word) {
    for (std::size_t i = 0; i < kArtWoerter.size(); ++i)
        if (word == kArtWoerter[i]) return static_cast<BeziehungsArt>(i);
    return std::nullopt;
}

} // namespace sw
