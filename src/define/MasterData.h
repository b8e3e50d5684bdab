// SPDX-License-Identifier: GPL-3.0-or-later
// MasterData.h: the one place that changes the master data proper: subjects, rooms, teachers,
// classes and course blocks, their properties, lock grids and rules. The master-data dialogs only
// call it and show what it returns; they never edit an entity field themselves.
//
// Every operation checks its input first, asks through the Reporter where the user must decide,
// and then changes the master data completely or not at all: a refusal, a No or a Cancel leaves
// every list exactly as it was. An index out of range (no entity selected) does nothing and shows
// nothing. Names refer to entities everywhere, so a rename is carried into every block, unit,
// room, teacher and course that names the entity, and a delete removes every such reference:
// after any operation MasterDataProblems() is empty if it was before.
#pragma once

#include "define/Lessons.h"
#include "model/Names.h"
#include "model/Report.h"
#include "model/Stammdaten.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The most characters a name keeps, and a short form.
inline constexpr std::size_t kNameLaenge = 100;
inline constexpr std::size_t kKurzLaenge = 5;

// What the name input windows hand over: a name and, where asked, a short form, as typed.
struct NamenEingabe {
    std::string Name;
    std::string Kurz;
};

// What the new-course window hands over: name, short form and the text of the hours field.
struct KursEingabe {
    std::string Name;
    std::string Kurz;
    std::string Stunden;
};

// The result of an operation: whether the master data changed, and the index the dialog selects
// afterwards in its list (-1: none, the list is empty). An operation that changed nothing returns
// the index it was called with (a refused new: -1), so the dialog keeps its selection.
struct Aenderung {
    bool Geaendert = false;
    int Auswahl = -1;
    bool operator==(const Aenderung&) const = default;
};

// The two counts a delete question names.
struct Verwendung {
    int Zuordnungen = 0;
    int Definitionen = 0;
    bool operator==(const Verwendung&) const = default;
};

enum class RaumTyp { Universal = 0, Spezial = 1, SpezialReserviert = 2 };

// Whose lock grid a lock or unlock changes.
enum class SperrZiel { Raum, Lehrer, Klasse };

// The input rule of the name windows: cut to `limit` characters (not bytes), blanks at both
// ends removed; a text holding "/", "%" or "," or equal to "_" becomes empty, since the files
// use these characters as separators and as the mark of an empty text (a name with a "," was
// taken here but could then never be saved).
std::string CleanName(std::string_view text, std::size_t limit = kNameLaenge);
// The rule of every file on top of the input rule (model/Names.h): a name that no file could
// hold (a no-break space, a character Windows-1252 lacks, a control character, …) is refused
// with `ungueltig` and the reason, which names the character and its position. `what` names
// the text ("Der Lehrer", "Das Kürzel"). True when refused.
bool RefuseUnstorable(std::string_view name, const char* ungueltig, const char* what,
                      Reporter& rep);
// Names compare without regard to letter case when the dialogs look for duplicates.
bool SameName(std::string_view a, std::string_view b);

// The slots of the rectangle of grid cells between `from` and `to` (any two corners), row by row;
// heading cells and cells outside the week in use are left out.
std::vector<int> SlotsOfRectangle(const AllgemeineAngaben& angaben, GitterZelle from,
                                  GitterZelle to);
// The texts of a lock grid as the dialogs show it: row 0 holds "" and the first two letters of
// each day name, column 0 the hour numbers (from 0 with the 0th hour), a locked cell "X".
std::vector<std::vector<std::string>> LockGridTexts(const AllgemeineAngaben& angaben,
                                                    const LockGrid& sperre);

// Every breach of the rules that keep the master data consistent, one sentence each; empty when
// there is none: names unique (letter case ignored) and non-empty in every list, no reference to
// a subject, room, teacher or class that does not exist (subject blocks, units' rooms, course
// subjects, teachers and classes, rooms' and teachers' subjects and classes), one subject per
// course teacher, the course teachers' unit lists of one shape, subject-block keys that match
// their block, special-separation groups that name an existing class, and hours within the week.
std::vector<std::string> MasterDataProblems(const Stammdaten& data);

// The fixed texts of the master-data dialogs (those built from names and numbers are made where
// they are used).
namespace stammtext {
inline constexpr const char* FachUngueltig = "Ungültige Fachbezeichnung!";
inline constexpr const char* FachVorhanden = "Fach ist bereits vorhanden";
inline constexpr const char* RaumUngueltig = "Ungültige Raumbezeichnung!";
inline constexpr const char* RaumUmbenennenUngueltig = "Ungültige Raum - Bezeichnung!";
inline constexpr const char* RaumKurzUngueltig = "Ungültiges Raum - Kürzel!";
inline constexpr const char* RaumVorhanden = "Raum ist bereits vorhanden";
inline constexpr const char* KurzUngueltig = "Ungültiges Kürzel!";
inline constexpr const char* LehrerUngueltig = "Ungültiger Name!";
inline constexpr const char* LehrerUmbenennenUngueltig = "Ungültige Lehrer - Bezeichnung!";
inline constexpr const char* LehrerVorhanden = "Lehrer ist bereits vorhanden";
inline constexpr const char* KlasseUngueltig = "Ungültige Klassenbezeichnung!";
inline constexpr const char* KlasseVorhanden = "Klasse ist bereits vorhanden";
inline constexpr const char* FachRegistriert = "Fach schon registriert";
inline constexpr const char* FachRegistriertTitel = "Velmorak - Fehler";
inline constexpr const char* KursUngueltig = "Ungültige Kursbezeichnung!";
inline constexpr const char* KursUmbenennenUngueltig = "Ungültige Kurs - Bezeichnung!";
inline constexpr const char* KursKurzUmbenennenUngueltig = "Ungültiges Kurs - Kürzel!";
inline constexpr const char* StundenUngueltig = "Ungültige Stundenzahl!";
inline constexpr const char* KursNameVergeben = "Kurs - Bezeichnung ist bereits vergeben!";
inline constexpr const char* KursKurzVergeben = "Kurs - Kürzel ist bereits vergeben!";
inline constexpr const char* FachGleichKurzel =
    "Der Name eines Faches ist identischmit dem gewählten Kurs - Kürzel!";
inline constexpr const char* FachGleichKursName =
    "Der Name eines Faches ist identischmit dem gewählten Kurs - Namen!";
inline constexpr const char* KursLehrerHinzu =
    "Für dieses Kurs wurden bereits Unterrichts - Definitionen vorgenommen.\nEin Hinzufügen "
    "weiterer Lehrer zu diesem Kurs löscht diese Definitionen.\n Definitionen von Unterrichts - "
    "Einheiten bleiben erhalten.\n\nDen Lehrer trotzdem hinzufügen?";
inline constexpr const char* KursLetzterLehrer =
    "Ein Löschen des letzten Lehrers führt zu einer Löschung der Unterrichtsdefinitionen für "
    "diesen Kurs.\n\nDen Lehrer trotzdem löschen?";

// Captions and prompts of the input windows.
inline constexpr const char* NeuesFach = "Neues Fach";
inline constexpr const char* NeuesFachPrompt = "Neues Fach eingeben";
inline constexpr const char* FachUmbenennen = "Fach umbenennen";
inline constexpr const char* FachUmbenennenPrompt = "Neue Fach - Bezeichnung";
inline constexpr const char* NeuerRaum = "Neuer Raum";
inline constexpr const char* NeuerRaumPrompt = "Neuen Raum eingeben";
inline constexpr const char* RaumUmbenennen = "Raum umbenennen";
inline constexpr const char* RaumUmbenennenPrompt = "Neue Raum - Bezeichnung";
inline constexpr const char* NeuerLehrer = "Neuer Lehrer";
inline constexpr const char* NeuerLehrerPrompt = "Neuen Lehrer eingeben";
inline constexpr const char* LehrerUmbenennen = "Lehrer umbenennen";
inline constexpr const char* LehrerUmbenennenPrompt = "Neue Lehrer - Bezeichnung";
inline constexpr const char* NeueKlasse = "Neue Klasse";
inline constexpr const char* NeueKlassePrompt = "Neues Klassene eingeben";
inline constexpr const char* KlasseUmbenennen = "Klasse umbenennen";
inline constexpr const char* KlasseUmbenennenPrompt = "Neue Klassen - Bezeichnung";
inline constexpr const char* NeuerKurs = "Neuer Kurs";
inline constexpr const char* NeuerKursPrompt = "Neuen Kurs - Namen eingeben";
inline constexpr const char* KursUmbenennen = "Kurs umbenennen";
inline constexpr const char* KursUmbenennenPrompt = "Neue Kurs - Bezeichnung";
} // namespace stammtext

class MasterDataEditor {
public:
    explicit MasterDataEditor(Stammdaten& data) : data_(data) {}

    const Stammdaten& Data() const { return data_; }

    // --- Subjects ---------------------------------------------------------------------------

    // "Neues Fach": the name is cleaned and upper-cased; the new subject is appended and
    // selected.
    Aenderung NewSubject(std::string_view eingabe, Reporter& rep);
    // "Fach umbenennen": carried into rooms, teachers, course blocks and subject blocks (whose
    // keys are rebuilt); the positions in every list stay.
    Aenderung RenameSubject(int fach, std::string_view eingabe, Reporter& rep);
    // The counts the delete question names.
    Verwendung SubjectUsage(int fach) const;
    // "Löschen": asks when a count is non-zero, then removes the subject from rooms (a room left
    // without special subjects becomes "Universal") and teachers, removes the course blocks'
    // classes and teacher entries of that subject, destroys its subject blocks; selects the first.
    Aenderung DeleteSubject(int fach, Reporter& rep);

    // --- Rooms ------------------------------------------------------------------------------

    // "Neuer Raum": name and short form upper-cased, the short form cut to 5 characters; the new
    // room is Universal, "Kein Klassenraum", appended and selected.
    Aenderung NewRoom(const NamenEingabe& eingabe, Reporter& rep);
    // "Raum umbenennen": every unit naming the old room names the new one.
    Aenderung RenameRoom(int raum, const NamenEingabe& eingabe, Reporter& rep);
    // The units (of subject blocks and of course teachers) whose room is `raum`.
    int RoomUnitCount(int raum) const;
    // The page's "Löschen": asks with the count of units; on OK those units lose their room and
    // the room goes; the first room is selected.
    Aenderung DeleteRoom(int raum, Reporter& rep);
    // The navigation bar's delete: asks "Raum … löschen?"; on OK the units naming the room lose
    // it as well, so no unit ever names a room that does not exist.
    Aenderung DeleteRoomFromBar(int raum, Reporter& rep);
    // "Raum - Typ": Universal empties the room's subjects; the special types keep them.
    Aenderung SetRoomType(int raum, RaumTyp typ);
    // The subject check list: checking adds the subject (refused with "Fach schon registriert"
    // when it is there already; nothing for a Universal room or an unknown subject), unchecking
    // removes it.
    Aenderung SetRoomSubject(int raum, std::string_view fach, bool checked, Reporter& rep);
    // "Klassenraum": false = "Kein Klassenraum" (clears the class), true = "Klassenraum
    // reserviert".
    Aenderung SetRoomClassType(int raum, bool reserviert);
    // The class check list: checking asks about every other room that has the class, and only
    // when every answer is OK those rooms lose it and this room takes it; unchecking (or an empty
    // `klasse`) clears the room's class and sets "Kein Klassenraum".
    Aenderung SetRoomClass(int raum, std::string_view klasse, bool checked, Reporter& rep);
    // "Für Klassen - eigene Kurse freigeben".
    Aenderung SetRoomCourseRelease(int raum, bool on);

    // --- Teachers ---------------------------------------------------------------------------

    // "Neuer Lehrer": name and short form upper-cased; a teacher without subjects and class is
    // appended and selected.
    Aenderung NewTeacher(const NamenEingabe& eingabe, Reporter& rep);
    // "Lehrer umbenennen": carried into subject blocks (and their keys) and course blocks.
    Aenderung RenameTeacher(int lehrer, const NamenEingabe& eingabe, Reporter& rep);
    // The counts of the delete question: course blocks with the teacher, and those of them that
    // have classes plus the teacher's subject blocks.
    Verwendung TeacherUsage(int lehrer) const;
    // "Löschen": asks when a count is non-zero; the teacher leaves every course block (a course
    // left without teachers loses its classes), his subject blocks are destroyed; selects the
    // first.
    Aenderung DeleteTeacher(int lehrer, Reporter& rep);
    // The subject check list: checking adds the subject once, unchecking removes it.
    Aenderung SetTeacherSubject(int lehrer, std::string_view fach, bool checked);
    // "Klassenlehrer von": off clears the class as well.
    Aenderung SetClassTeacherFlag(int lehrer, bool on);
    // The class check list: choosing a class another teacher leads asks first; on OK that
    // teacher is no longer class teacher of it. An empty `klasse` clears the teacher's class.
    Aenderung SetTeacherClass(int lehrer, std::string_view klasse, Reporter& rep);
    Aenderung SetTeacherOpti(int lehrer, bool on);
    Aenderung SetTeacherFreeDays(int lehrer, bool on);
    // The page "Regeln": the teacher's rules replaced whole. A rule that could never be met
    // (RegelProblem) is refused with its sentence, titled "Fehler", and nothing changes.
    Aenderung SetTeacherRules(int lehrer, const CLehrerRegeln& regeln, Reporter& rep);

    // --- Classes ----------------------------------------------------------------------------

    // "Neue Klasse": the name as typed (cleaned), appended and selected.
    Aenderung NewClass(std::string_view eingabe, Reporter& rep);
    // "Klasse umbenennen": carried into subject blocks (and their keys), course blocks, rooms
    // and teachers.
    Aenderung RenameClass(int klasse, std::string_view eingabe, Reporter& rep);
    // The counts of the delete question: rooms and teachers naming the class; its subject
    // blocks and the course blocks it takes part in.
    Verwendung ClassUsage(int klasse) const;
    // "Löschen": asks when a count is non-zero; rooms and teachers forget the class, its subject
    // blocks are destroyed, it leaves every course block; special-separation groups follow the
    // class numbers. Selects the first.
    Aenderung DeleteClass(int klasse, Reporter& rep);
    Aenderung SetClassOpti(int klasse, bool on);
    // The page "Regeln" of a class, as for a teacher.
    Aenderung SetClassRules(int klasse, const CTagesRegeln& regeln, Reporter& rep);

    // --- Breaks -----------------------------------------------------------------------------

    // "Pausen": the school-wide breaks replaced by `slots` (any order, duplicates ignored).
    // Refused like a rule when a slot lies outside the week or a fixed unit stands there.
    // Returns whether the breaks changed (Auswahl -1).
    Aenderung SetBreaks(std::vector<int> slots, Reporter& rep);

    // --- Lock grids -------------------------------------------------------------------------

    // "Sperren": refused (message titled "Fehler", nothing locked, not even the other slots)
    // when a fixed unit using the room, teacher or class covers one of `slots`.
    Aenderung Lock(SperrZiel ziel, int index, const std::vector<int>& slots, Reporter& rep);
    // "Freigeben": never asks.
    Aenderung Unlock(SperrZiel ziel, int index, const std::vector<int>& slots);

    // --- Course blocks ----------------------------------------------------------------------

    // "Neuer Kurs": a course block without teachers and classes, `Trennung` 1, appended and
    // selected.
    Aenderung NewCourse(const KursEingabe& eingabe, Reporter& rep);
    // "Kurs umbenennen": in master-data mode the teachers' units are replaced by units of
    // length 1 for the (new) hours; in plan mode (`planModus`) only name and short form change.
    Aenderung RenameCourse(int kurs, const KursEingabe& eingabe, bool planModus, Reporter& rep);
    // "Löschen": asks (with classes, the definitions question); selects the first.
    Aenderung DeleteCourse(int kurs, Reporter& rep);
    // "Hinzufügen": teacher `lehrer` with subject `fach` joins course `kurs`. A course with
    // classes asks first and loses its classes. The first teacher gets units of length 1 for the
    // hours; a later one the first teacher's units without their rooms. Keeps the selection.
    Aenderung AddCourseTeacher(int kurs, std::string_view lehrer, std::string_view fach,
                               Reporter& rep);
    // "Entfernen": the teacher entry at `position` goes with its subject; asks when it is the
    // last one and the course has classes, which it then loses.
    Aenderung RemoveCourseTeacher(int kurs, int position, Reporter& rep);

private:
    Stammdaten& data_;
};

} // namespace sw
