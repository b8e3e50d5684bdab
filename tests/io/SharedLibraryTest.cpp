// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cstring>

namespace sw {
namespace {

TEST(SharedLibrary, AMissingLibraryOrFunctionIsNamedInTheError) {
    SharedLibrary missing("libstundenwerk-gibt-es-nicht.so.0");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Error().rfind(
                  "Die Bibliothek libstundenwerk-gibt-es-nicht.so.0 ließ sich nicht laden: ", 0),
              0U)
        << missing.Error();
    decltype(&std::strlen) length = &std::strlen;
    missing.Bind(length, "strlen");
    EXPECT_EQ(length, nullptr);

    SharedLibrary c("libc.so.6");
    ASSERT_TRUE(c.Loaded()) << c.Error();
    c.Bind(length, "strlen");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length("Stundenplan"), 11U);
    EXPECT_EQ(c.Error(), "");
    decltype(&std::strlen) none = nullptr;
    c.Bind(none, "stundenwerk_gibt_es_nicht");
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(c.Error(),
              "In der Bibliothek libc.so.6 fehlt die Funktion stundenwerk_gibt_es_nicht.");
}

#define SW_TEST_FUNCTIONS(X) X(strlen) X(strcmp)
SW_LIBRARY_TABLE(TestLibrary, SW_TEST_FUNCTIONS);

TEST(SharedLibrary, ATableHoldsEveryFunctionOrTheReason) {
    const TestLibrary c = TestLibrary::Load("libc.so.6");
    ASSERT_EQ(c.Error, "");
    EXPECT_EQ(c.strlen("Raum"), 4U);
    EXPECT_LT(c.strcmp("A", "B"), 0);
    const TestLibrary missing = TestLibrary::Load("libstundenwerk-gibt-es-nicht.so.0");
    EXPECT_NE(missing.Error, "");
    EXPECT_EQ(missing.strlen, nullptr);
}

} // namespace
} // namespace sw
