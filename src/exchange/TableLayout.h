// SPDX-License-Identifier: GPL-3.0-or-later
// TableLayout.h: the files of a folder of tables and their column headings, for the writer and
// the reader alike. Headings are compared without regard to case, blanks, hyphens and the
// spelling of umlauts ("Kuerzel" is "Kürzel").
#pragma once

namespace sw::tabellen {

namespace datei {
inline constexpr const char* Allgemein = "Allgemein.csv";
inline constexpr const char* Faecher = "Faecher.csv";
inline constexpr const char* Raeume = "Raeume.csv";
inline constexpr const char* Lehrer = "Lehrer.csv";
inline constexpr const char* Klassen = "Klassen.csv";
inline constexpr const char* Unterricht = "Unterricht.csv";
inline constexpr const char* Kurse = "Kurse.csv";
inline constexpr const char* Kurslehrer = "Kurslehrer.csv";
inline constexpr const char* Sperren = "Sperren.csv";
} // namespace datei

namespace spalte {
inline constexpr const char* Tage = "Tage";
inline constexpr const char* Stunden = "Stunden";
inline constexpr const char* Nullte = "Nullte Stunde";
inline constexpr const char* Tagesnamen = "Tagesnamen";
inline constexpr const char* Name = "Name";
inline constexpr const char* Kuerzel = "Kürzel";
inline constexpr const char* Typ = "Typ";
inline constexpr const char* Faecher = "Fächer";
inline constexpr const char* Klassenraum = "Klassenraum";
inline constexpr const char* KlassenraumVon = "Klassenraum von";
inline constexpr const char* KurseFreigeben = "Eigene Kurse freigeben";
inline constexpr const char* Klassenlehrer = "Klassenlehrer";
inline constexpr const char* KlassenlehrerVon = "Klassenlehrer von";
inline constexpr const char* Optimieren = "Optimieren";
inline constexpr const char* FreieTage = "Freie Tage";
inline constexpr const char* NichtVerfuegbar = "Nicht verfügbar";
inline constexpr const char* Lehrer = "Lehrer";
inline constexpr const char* Klasse = "Klasse";
inline constexpr const char* Klassen = "Klassen";
inline constexpr const char* Fach = "Fach";
inline constexpr const char* Wochenstunden = "Wochenstunden";
inline constexpr const char* Einheiten = "Einheiten";
inline constexpr const char* Trennung = "Trennung";
inline constexpr const char* Zeitvorgaben = "Zeitvorgaben";
inline constexpr const char* Raeume = "Räume";
inline constexpr const char* SpezialTrennung = "Spezial-Trennung";
inline constexpr const char* Kurs = "Kurs";
inline constexpr const char* Art = "Art";
inline constexpr const char* Tag = "Tag";
} // namespace spalte

// The room types and class-room kinds, in the order of their flags.
inline constexpr const char* kFachTypen[3] = {"Universal", "Spezial", "Spezial reserviert"};
inline constexpr const char* kKlassenTypen[3] = {"kein Klassenraum", "Klassenraum",
                                                 "Klassenraum reserviert"};
// The owners of a lock grid in the column "Art".
inline constexpr const char* kArtLehrer = "Lehrer";
inline constexpr const char* kArtKlasse = "Klasse";
inline constexpr const char* kArtRaum = "Raum";
// What a list of rooms writes for a unit without a room (unless a room has this name).
inline constexpr const char* kKeinRaum = "-";

} // namespace sw::tabellen
