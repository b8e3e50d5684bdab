// SPDX-License-Identifier: GPL-3.0-or-later
// Vertretungstag.h: substitution planning for one calendar date with the journal. The date is
// checked against the plan's week, the term and the holidays; the absences of the journal say
// who is away at which hour; the list holds the lessons to cover and those that fall out because
// their class is away ("entfällt"), with what the journal decided for each; the candidates for a
// lesson come in a fair order; every choice is a decision in the journal. The plan is never
// changed; the caller saves the journal after each change.
#pragma once

#include "plan/Plan.h"
#include "substitute/Journal.h"
#include "substitute/Substitutions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sw {

// Why a date cannot be planned: not a school day of the plan's week, before or after the term,
// in the holidays (the term and holidays only when the school has entered them). nullopt when it
// can.
std::optional<std::string> DatumAblehnung(const CPlan& plan, const Datum& datum);

// Who is away at which hour of one date: one bit per hour (bit h = hour h), per plan teacher and
// per plan class, with the reason of the teacher's absence.
struct TagesLage {
    Datum Tag;
    std::vector<std::uint16_t> Lehrer;
    std::vector<std::uint16_t> Klassen;
    std::vector<std::string> Grund; // per teacher, the reason of his absence that day

    [[nodiscard]] bool LehrerFehlt(int t, int stunde) const { return Bit(Lehrer, t, stunde); }
    [[nodiscard]] bool KlasseFehlt(int k, int stunde) const { return Bit(Klassen, k, stunde); }
    // Whether a lesson's class (every class of a course) is away at that hour.
    [[nodiscard]] bool FaelltAus(const CStunde& h, int stunde) const;

private:
    static bool Bit(const std::vector<std::uint16_t>& v, int i, int stunde) {
        return i >= 0 && i < static_cast<int>(v.size()) && stunde >= 0 && stunde < 16 &&
               ((v[static_cast<std::size_t>(i)] >> stunde) & 1U) != 0;
    }
};

TagesLage LageAm(const CPlan& plan, const Journal& journal, const Datum& datum);

// A present teacher as a candidate for a lesson, with each criterion of the order.
struct Kandidat {
    WahlZeile Wahl;       // name, missed subject, conflict as the chooser shows them
    bool Frei = false;    // no lock, no lesson of his own (one that falls out counts free),
                          // not yet substitute at that hour
    bool Fach = false;    // teaches the missed subject
    bool Klasse = false;  // teaches the class (one of the course's classes)
    bool Luecke = false;  // has lessons before and after that hour: no extra way to school
    int Vertretungen = 0; // substitutions in force this term
    int Woche = 0;        // substitutions in force this week
    int Hoechstzahl = -1; // his weekly maximum, -1 none
    [[nodiscard]] bool AmLimit() const { return Hoechstzahl >= 0 && Woche >= Hoechstzahl; }
};

namespace texte {
inline constexpr std::array<const char*, 7> KandidatKopf = {
    "Lehrer", "Frei", "Fach", "Klasse", "Freistunde", "Vertretungen", "Woche"};
} // namespace texte

// The rows of a day with the journal's decisions; see the file comment.
class Vertretungstag {
public:
    // `datum` must have passed DatumAblehnung.
    Vertretungstag(const CPlan& plan, Journal& journal, const Datum& datum);

    // Rebuilds the list: for each teacher away that day (plan order), each hour he is away, his
    // lesson (the first room row); then the lessons of present teachers whose class is away.
    // A lesson whose class is away shows "entfällt"; the others show the journal's decision.
    // Returns the number of lessons listed.
    int Ermitteln();
    [[nodiscard]] const VertretungsListe& Liste() const { return liste_; }
    [[nodiscard]] const TagesLage& Lage() const { return lage_; }
    [[nodiscard]] const Datum& Tag() const { return lage_.Tag; }
    // The teachers away at some hour of the day, in plan order.
    [[nodiscard]] std::vector<int> Abwesende() const;

    // The candidates for row `zeile`, best first: free, then teaching the subject, then the
    // class, then with a free hour between lessons, then fewest substitutions this term; those
    // at their weekly maximum come last. Empty for a row without a lesson to cover.
    [[nodiscard]] std::vector<Kandidat> Kandidaten(int zeile) const;

    // Makes the candidate substitute of row `zeile` and records it. Refused with a message when
    // the candidate has reached his weekly maximum; asks as the list does when he already
    // substitutes at that hour.
    WahlErgebnis Waehlen(int zeile, const Kandidat& kandidat, Reporter& reporter);
    // Cancels the lesson of row `zeile` / takes its decision back; both recorded. False for a
    // row without a lesson to decide (header, empty, "entfällt").
    bool Ausfall(int zeile);
    bool Loeschen(int zeile);

private:
    bool Entscheidbar(int zeile) const;
    Entscheidung Eintrag(const VertretungsZeile& z, EntscheidungsArt art,
                         std::string vertreter) const;
    void Zeige(VertretungsZeile& z, const Entscheidung& e) const;

    const CPlan& plan_;
    Journal& journal_;
    TagesLage lage_;
    VertretungsListe liste_;
    std::vector<std::vector<bool>> klassenVon_; // per teacher: the classes he teaches
};

// Records an absence the planner entered, after checking it: the name must be a teacher or a
// class of the plan, the end not before the start, the first hour not after the last on a single
// day, the reason storable; a reason the journal does not know yet joins its list. Refusals go
// to the reporter (title "Fehler"); false then and nothing recorded.
bool AbwesenheitEintragen(Journal& journal, const CPlan& plan, Abwesenheit a, Reporter& reporter);

// "Lehrer X hat diese Woche bereits 3 Vertretungen (Höchstzahl 3)."
std::string HoechstzahlErreicht(const std::string& name, int woche, int hoechstzahl);

} // namespace sw
