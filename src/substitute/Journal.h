// SPDX-License-Identifier: GPL-3.0-or-later
// Journal.h: the school's record of substitutions over the year, kept in a file of its own
// beside the project file (SCHULE.vtr). It holds the absences (a teacher or a class away from a
// date to a date, whole days or from/to an hour), every decision on a lesson (a substitute, a
// cancellation, a taking back) in the order it was made, and the settings: the reasons of
// absence the school uses and each teacher's maximum of substitutions a week. Decisions are
// never removed: taking one back is a decision too, so the record shows what happened. The plan
// is never touched.
#pragma once

#include "model/Datum.h"
#include "model/Report.h"

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace sw {

namespace texte {
inline constexpr const char* Entfaellt = "entfällt";
} // namespace texte

// The reasons every journal starts with; a school may add its own.
std::vector<std::string> StandardGruende();

enum class AbwesenheitsArt { Lehrer, Klasse };

// A teacher or a class away from Von to Bis (both included). AbStunde: the first hour away on
// the first day (-1 the whole day); BisStunde: the last hour away on the last day (-1 the whole
// day). The days between are whole days.
struct Abwesenheit {
    AbwesenheitsArt Art = AbwesenheitsArt::Lehrer;
    std::string Name;
    Datum Von;
    Datum Bis;
    int AbStunde = -1;
    int BisStunde = -1;
    std::string Grund;

    // Whether the absence covers hour `stunde` of date `tag`.
    [[nodiscard]] bool Betrifft(const Datum& tag, int stunde) const;
    // Whether it covers any hour of date `tag`.
    [[nodiscard]] bool BetrifftTag(const Datum& tag) const { return Von <= tag && tag <= Bis; }
    bool operator==(const Abwesenheit&) const = default;
};

enum class EntscheidungsArt { Vertretung, Ausfall, Zuruecknahme };

// One decision on the lesson that teacher Lehrer would teach in hour Stunde of date Tag.
// Klassen and Fach describe the lesson for the statistics; Grund is the absence's reason.
struct Entscheidung {
    Datum Tag;
    int Stunde = 0;
    std::string Lehrer;
    EntscheidungsArt Art = EntscheidungsArt::Vertretung;
    std::string Vertreter; // the substitute of a Vertretung, else empty
    std::string Grund;
    std::string Fach;
    std::vector<std::string> Klassen;
    bool operator==(const Entscheidung&) const = default;
};

class Journal {
public:
    Journal();

    std::vector<std::string> Gruende;
    // The most substitutions a teacher (by name) takes in one week; absent: no limit.
    std::map<std::string, int> Hoechstzahl;

    const std::vector<Abwesenheit>& Abwesenheiten() const { return abwesenheiten_; }
    const std::vector<Entscheidung>& Entscheidungen() const { return entscheidungen_; }

    void Eintragen(Abwesenheit a);
    // Removes absence `index`; false when there is none.
    bool Entfernen(int index);
    // Removes the whole-day absences of `name` on exactly date `tag` (those a tick recorded);
    // longer ones stay. Returns how many went.
    int TagAustragen(AbwesenheitsArt art, const std::string& name, const Datum& tag);
    // Appends a decision; it rules its lesson from now on.
    void Entscheiden(Entscheidung e);
    // The decision in force for a lesson: the last one made, or nullptr when there is none or
    // the last one took the lesson back.
    [[nodiscard]] const Entscheidung* Stand(const Datum& tag, int stunde,
                                            const std::string& lehrer) const;
    // The substitutions in force per substitute between two dates (both included).
    [[nodiscard]] std::unordered_map<std::string, int> Vertretungen(const Datum& von,
                                                                    const Datum& bis) const;
    // Every decision in force, in the order their lessons were first decided.
    [[nodiscard]] std::vector<const Entscheidung*> InKraft() const;

    bool operator==(const Journal& o) const {
        return Gruende == o.Gruende && Hoechstzahl == o.Hoechstzahl &&
               abwesenheiten_ == o.abwesenheiten_ && entscheidungen_ == o.entscheidungen_;
    }

private:
    using Schluessel = std::tuple<long, int, std::string>;
    std::vector<Abwesenheit> abwesenheiten_;
    std::vector<Entscheidung> entscheidungen_;
    // The last decision of each lesson, by (day number, hour, teacher).
    std::map<Schluessel, std::size_t> letzte_;
};

// --- the file -----------------------------------------------------------------------------------

// The journal beside a project file: "SCHULE.sch" gives "SCHULE.vtr".
std::string JournalPfad(const std::string& projektDatei);

// The journal as the file stores it: Windows-1252 text, INI style, CR LF.
std::string JournalText(const Journal& journal);
// How reading a journal's text ended: the journal, or the line that is damaged and why.
struct JournalLesen {
    std::optional<Journal> Daten;
    int Zeile = 0; // 1-based line of the damage
    std::string Grund;
};
JournalLesen LiesJournal(std::string_view bytes);
// Why a name or reason cannot be kept in the journal ("," separates fields; letters beyond
// Windows-1252 cannot be stored); empty when it can.
std::string JournalTextFehler(const std::string& text);

} // namespace sw
