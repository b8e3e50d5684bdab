// SPDX-License-Identifier: GPL-3.0-or-later
// MasterDataSchool.h: the small school of the lesson tests with lessons in it, for the
// master-data editor: blocks of both classes, units with rooms and fixed times, and a reporter
// that answers from a list.
#pragma once

#include "DefineSchool.h"
#include "define/MasterData.h"

#include <deque>

namespace sw::test {

// DefineSchool plus: MEIER / 5A / M (2 units, the first in R1 at Tuesday 3rd hour), SCHULZ / 5A
// / D (3 units, one in PH1), MEIER / 5B / PH (2 units in PH1, the first fixed at Monday 1st
// hour), and the sports course's second unit in TH at Friday 2nd hour for both teachers.
inline Stammdaten MasterSchool() {
    Stammdaten d = DefineSchool();
    AddBlock(d, "MEIER", "5A", "M", 2);
    AddBlock(d, "SCHULZ", "5A", "D", 3);
    AddBlock(d, "MEIER", "5B", "PH", 2);
    auto& m = d.FachBloecke[0].Block.Einheiten;
    m[0].Raum = "R1";
    m[0].Zeitvorgabe = SlotOf(1, 3);
    d.FachBloecke[1].Block.Einheiten[2].Raum = "PH1";
    auto& ph = d.FachBloecke[2].Block.Einheiten;
    ph[0].Raum = "PH1";
    ph[0].Zeitvorgabe = SlotOf(0, 1);
    ph[1].Raum = "PH1";
    for (auto& l : d.KursBloecke[0].Lehrer) {
        l.Einheiten[1].Zeitvorgabe = SlotOf(4, 2);
        l.Einheiten[1].Raum = "TH";
    }
    return d;
}

// Answers the questions in the order given (Yes/OK when the list runs out) and keeps every
// message and question.
class ScriptedReporter : public Reporter {
public:
    explicit ScriptedReporter(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}
    void Show(const Message& m) override { shown.push_back(m); }
    bool Ask(const Message& m, Question kind) override {
        asked.push_back(m);
        kinds.push_back(kind);
        if (answers_.empty()) return true;
        const bool a = answers_.front();
        answers_.pop_front();
        return a;
    }
    std::vector<Message> shown;
    std::vector<Message> asked;
    std::vector<Question> kinds;

private:
    std::deque<bool> answers_;
};

} // namespace sw::test
