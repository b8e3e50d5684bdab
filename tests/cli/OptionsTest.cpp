// SPDX-License-Identifier: GPL-3.0-or-later
// A refused option names the option, the value and what is allowed in one line before the usage
// text; the commands share this through their option tables.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Options, ARefusedValueIsNamedWithItsRange) {
    const struct {
        std::string args, line;
    } cases[] = {
        {"plan s.sch --jobs 257", "Ungültiger Wert für --jobs: 257 (erlaubt: 1 bis 256)."},
        {"plan s.sch --tries 0", "Ungültiger Wert für --tries: 0 (erlaubt: eine ganze Zahl ab 1)."},
        {"plan s.sch --stage-seconds x",
         "Ungültiger Wert für --stage-seconds: x (erlaubt: eine ganze Zahl ab 1)."},
        {"plan s.sch --seed=99999999999",
         "Ungültiger Wert für --seed: 99999999999 (erlaubt: 0 bis 4294967295)."},
        {"plan s.sch --stages 2,7",
         "Ungültiger Wert für --stages: 2,7 (erlaubt: die Stufen 2 bis 6, durch Kommas getrennt, "
         "z. B. 2,4,5, oder nichts)."},
        {"plan s.sch --tries", "Die Option --tries braucht einen Wert."},
        {"plan s.sch --json=1", "Die Option --json nimmt keinen Wert."},
        {"plan s.sch --fast", "Unbekannte Option: --fast"},
        {"export p.pdt -o x.docx --classes all --layout 40",
         "Ungültiger Wert für --layout: 40 (erlaubt: 0 bis 39)."},
        {"experiment S1 p.pdt -o d --iterations -5",
         "Ungültiger Wert für --iterations: -5 (erlaubt: eine ganze Zahl ab 1)."},
        {"substitutions p.pdt --day=",
         "Ungültiger Wert für --day: \"\" (erlaubt: die Nummer oder der Name eines Schultags)."},
    };
    for (const auto& c : cases) {
        const test::ToolRun r = test::RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        const std::string command = c.args.substr(0, c.args.find(' '));
        EXPECT_EQ(r.out.rfind(c.line + "\nAufruf: stundenwerk " + command, 0), 0u) << c.args << "\n"
                                                                                   << r.out;
    }
}

TEST(Options, AMarginIsRefusedWhereTheRuleHasNone) {
    const test::ToolRun r = test::RunTool("experiment S1 p.pdt -o d --margin 5");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "--margin gilt nur für die Experimente mit Rekord und Marge (S2, S2-Klassen); "
                     "S1 hat keine Marge.\n");
}

} // namespace
} // namespace sw
