// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/DateiNamen.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(DateiNamen, SpellsEveryNameAsAPlainWord) {
    const std::pair<const char*, const char*> faelle[] = {
        {"Müller", "mueller"},
        {"Weiß, Jörg", "weiss-joerg"},
        {"5 a", "5-a"},
        {"R 1.01 (Chemie)", "r-1-01-chemie"},
        {"../../etc", "etc"},
        {"Élodie Ñ", "elodie-n"},
        {"<script>", "script"},
        {"日本", "x"},
        {"", "x"},
    };
    for (const auto& [name, wort] : faelle)
        EXPECT_EQ(SichererName(name), wort) << name;
}

TEST(DateiNamen, NamesThatComeOutAlikeAreNumberedInListOrder) {
    EXPECT_EQ(DateiNamenFuer("lehrer", {"Müller", "Mueller", "MÜLLER", "Meier"}),
              (std::vector<std::string>{"lehrer-mueller", "lehrer-mueller-2", "lehrer-mueller-3",
                                        "lehrer-meier"}));
    // A numbered name never takes the plain name of a later entry.
    EXPECT_EQ(DateiNamenFuer("klasse", {"5a", "5 a", "5-a"}),
              (std::vector<std::string>{"klasse-5a", "klasse-5-a", "klasse-5-a-2"}));
}

} // namespace
} // namespace sw
