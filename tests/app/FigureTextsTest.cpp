// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FigureTexts.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(DistributionText, TruncatedPercentages) {
    EXPECT_EQ(DistributionText(4321, 4500), "4321 (96 %)  4500");
    EXPECT_EQ(DistributionText(4383, 4500), "4383 (97,4 %)  4500");
    EXPECT_EQ(DistributionText(4383, 4500, '.'), "4383 (97.4 %)  4500");
    EXPECT_EQ(DistributionText(1, 3), "1 (33,3 %)  3");
    EXPECT_EQ(DistributionText(0, 0), "0 (- %)  0");
    EXPECT_EQ(DistributionText(5, 0), "5 (- %)  0");
}

TEST(FigureTexts, EachLabelShowsItsOwnFigure) {
    PlanTotals t;
    t.KLSSumme = 1, t.TFSumme = 2, t.TFMax = 3, t.STFSumme = 4, t.STFMax = 5, t.LLSSumme = 6;
    t.LLSMax = 7, t.LLSLimit = 8, t.KProd = 32, t.KProdOpt = 32, t.LProd = 1, t.LProdOpt = 3;
    const FigureTexts f = FigureTextsOf(t, '.');
    const std::vector<std::string> got = {f.KLSSumme, f.TFSumme, f.TFMax,    f.STFSumme, f.STFMax,
                                          f.LLSSumme, f.LLSMax,  f.LLSLimit, f.KProd,    f.LProd};
    const std::vector<std::string> want = {
        "1", "2", "3", "4", "5", "6", "7", "8", "32 (100 %)  32", "1 (33.3 %)  3"};
    EXPECT_EQ(got, want);
}

} // namespace
} // namespace sw
