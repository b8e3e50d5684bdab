// SPDX-License-Identifier: GPL-3.0-or-later
// Regeln.h: the rules a school states beyond locks and presets, as texts and as a whole. The
// rules themselves live with their owners (Entities.h: a teacher's and a class's days, a block's
// units, the relations between blocks; Stammdaten.h: the breaks). Here they are named for the
// user ("höchstens 6 Stunden am Tag"), and the master data is checked for a rule that can never
// be met, which the files and the dialogs refuse.
#pragma once

#include "model/Stammdaten.h"

#include <optional>
#include <string>
#include <vector>

namespace sw {

// The kinds of rule, each with its own text. The order is the order the lists show them in.
enum class RegelArt : std::uint8_t {
    MaxStundenProTag,
    MinStundenProTag,
    MaxLueckenProTag,
    MaxLueckenProWoche,
    MaxInFolge,
    MaxTage,
    MinTage,
    Zeitfenster,
    Pause,
    ErlaubteZeiten,
    MinTageAbstand,
    Tagesende,
    Gleichzeitig,
    NieGleichzeitig,
    GleicherTag,
    Direktfolge,
};

// The short name of a kind of rule, as check and the conflict display name it
// ("höchstens Stunden am Tag").
const char* RegelName(RegelArt art);

// "Mo 3": the short name of a slot's day and its hour.
std::string SlotKurz(const AllgemeineAngaben& a, int slot);

// The rules of a teacher or a class as sentences, in the order of RegelArt: "höchstens 6 Stunden
// am Tag", "an höchstens 2 Tagen Unterricht in den Stunden 7 bis 9". Empty when none is set.
std::vector<std::string> RegelTexte(const CTagesRegeln& r);
std::vector<std::string> RegelTexte(const CLehrerRegeln& r);
// The rules of a block: "beginnt nur Mo 1, Di 1", "Einheiten mindestens 2 Tage auseinander",
// "beendet den Tag der Klasse".
std::vector<std::string> RegelTexte(const AllgemeineAngaben& a, const CBlockRegeln& r);
// A relation: "beginnen gleichzeitig: Mü / 5a / De, Kurs Reli 5".
std::string RegelText(const CBeziehung& b);
// The name of a block a relation names: the subject block's key, or "Kurs " + the name.
std::string BezugText(const CBlockBezug& b);
// The school-wide breaks: "Pausen: Mo 5, Di 5"; empty when there is none.
std::string PausenText(const AllgemeineAngaben& a);

// Every rule of the school, one line each: "Lehrer Mü: höchstens 6 Stunden am Tag", "Klasse 5a:
// …", "Unterricht Mü / 5a / De: …", "Kurs Reli 5: …", "Pausen: Mo 5, Di 5", "Beziehung: …".
std::vector<std::string> RegelListe(const Stammdaten& data);

// Whether the master data states any rule at all.
bool HatRegeln(const Stammdaten& data);

// The units of the block a relation names (the first teacher's for a course block), nullptr when
// there is no such block.
const std::vector<CEinheit>* EinheitenVon(const Stammdaten& data, const CBlockBezug& b);

// The first rule that can never be met, as a sentence naming the rule and its owner: a value out
// of range, a maximum below a minimum, a day's maximum below a unit's length, a break at a unit's
// fixed time or outside the week, allowed times that exclude a unit's fixed time, more units than
// days allow apart, a relation naming a block that does not exist or blocks whose units do not
// pair, or relations that contradict each other. Nothing when every rule can be met.
std::optional<std::string> RegelProblem(const Stammdaten& data);

} // namespace sw
