// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Names.h"
#include "model/Stammdaten.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

// A name the project file took (a no-break space, "%%", "_") made the plan file fail at the very
// end of a run. One rule now says for every file whether a name can stand in it, and why not,
// with the character at fault visible.
TEST(Names, WhatEveryFileCanHoldAndWhy) {
    struct Row {
        const char* name;
        bool commaAllowed;
        const char* fault; // nullptr: the name can be stored
    };
    const Row rows[] = {
        {"Müller", false, nullptr},
        {"R 12 Größe €", false, nullptr},
        {"a %b", false, nullptr},
        {"", false, nullptr},
        {"Reli, kath.", true, nullptr},
        {"Anna\u00A0Müller", false,
         "enthält an der 5. Stelle ein geschütztes Leerzeichen (U+00A0)"},
        {"A%%B", false,
         "enthält an der 2. Stelle \"%%\", das in den Dateien für ein Leerzeichen "
         "steht"},
        {"a% b", false,
         "enthält an der 2. Stelle ein \"%\" vor einem Leerzeichen, das in den "
         "Dateien mit dessen \"%%\" verschmilzt"},
        {"_", false, "ist \"_\", das Zeichen der Dateien für einen leeren Text"},
        {"Reli, kath.", false, "enthält an der 5. Stelle ein Komma"},
        {"Tab\tx", false, "enthält an der 4. Stelle ein Steuerzeichen (U+0009)"},
        {"ÄÖ\u0085", false, "enthält an der 3. Stelle ein Steuerzeichen (U+0085)"},
        {"Łódź", false,
         "enthält an der 1. Stelle das Zeichen \"Ł\" (U+0141), das es in "
         "Windows-1252 nicht gibt"},
        {"x\xC3", false, "enthält an der 2. Stelle ein Byte, das kein Zeichen ist"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto fault = NameFault(row.name, row.commaAllowed);
        if (row.fault == nullptr)
            EXPECT_FALSE(fault) << *fault;
        else
            EXPECT_EQ(fault.value_or("<none>"), row.fault);
    }
    EXPECT_EQ(CheckName("Der Lehrer", "A\u00A0B", "Kurs \"Sport\""),
              "Der Lehrer \"A\u00A0B\" (Kurs \"Sport\") enthält an der 2. Stelle ein geschütztes "
              "Leerzeichen (U+00A0).");
}

// Days 6 and 7 had no name anywhere; older master-data files keep them empty.
TEST(DayNames, EveryDayHasANameAndAnEmptyOneShowsTheDefault) {
    AllgemeineAngaben a{7, 8, false, {"Mo", "", "Mi", "Do", "Fr", "", ""}};
    EXPECT_EQ(TagNamenDerWoche(a),
              (std::vector<std::string>{"Mo", "Dienstag", "Mi", "Do", "Fr", "Samstag", "Sonntag"}));
    a.TagNamen.resize(5); // fewer names than days
    EXPECT_EQ(TagName(a, 6), "Sonntag");
    EXPECT_EQ(AllgemeineAngaben::DefaultDayNames(7).back(), "Sonntag");
}

} // namespace
} // namespace sw
