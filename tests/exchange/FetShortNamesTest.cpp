// SPDX-License-Identifier: GPL-3.0-or-later
// The short forms the FET import gives teachers, rooms and courses.
#include "exchange/FetImport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace sw::fet {
namespace {

// Each list is added in order to one set of short forms: every short form is unique with letter
// case ignored and at most five characters long, as the dialogs take them.
TEST(FetShortNames, UniqueAndShortEnoughForTheDialogs) {
    using Row = std::vector<std::pair<std::string, std::string>>;
    const std::vector<Row> lists = {
        {{"Lehrer 1", "Lehre"},
         {"Lehrer 2", "Lehr2"},
         {"Lehrer 12", "Leh12"},
         {"Lehrer 3", "Lehr3"}},
        {{"Zusatzraum 1", "Zusat"}, {"Zusatzraum 2", "Zusa2"}, {"Zusatzraum 10", "Zus10"}},
        {{"Müller Anna", "Mülle"}, {"MÜLLER Hans", "MÜLL2"}, {"Müller Otto", "Müll3"}},
        {{"Ed", "Ed"}, {"ed", "ed2"}, {"Ed 2", "Ed 2"}, {"Ed2", "Ed3"}},
        {{"Raum 7", "Raum"}, {"Raum 7", "Raum7"}, {"Raum 7", "Raum2"}},
    };
    for (const Row& list : lists) {
        ShortNames names;
        for (const auto& [name, expected] : list)
            EXPECT_EQ(names.Add(name), expected) << name;
    }
}

} // namespace
} // namespace sw::fet
