// The hidden-row lookup on its own: both mappings against a walk over the rows, and the real
// index after removals; slots in the store and the batch mapping.
#include "grid/view/HiddenRowMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(HiddenRowMap, MapsLikeAWalkOverTheRows)
{
    THiddenRowMap M;
    EXPECT_EQ(M.ToReal(-3), -3);   // nothing hidden: the identity, negative rows included
    EXPECT_EQ(M.ToDisplay(7), 7);
    M.Assign({5, 3, 4, 9});
    // Rows 0..11 with 3, 4, 5, 9 hidden: shown 0 1 2 6 7 8 10 11.
    const int Shown[] = {0, 1, 2, 6, 7, 8, 10, 11};
    for (int d = 0; d < 8; ++d) {
        EXPECT_EQ(M.ToReal(d), Shown[d]) << d;
        EXPECT_EQ(M.ToDisplay(Shown[d]), d) << d;
    }
    EXPECT_EQ(M.ToDisplay(4), 3);    // a hidden row maps to the next shown row
    EXPECT_EQ(M.ToReal(-1), -1);
    EXPECT_EQ(M.ToReal(8), 12);      // beyond the end: itself plus the hidden rows
    EXPECT_TRUE(M.IsHidden(9));
    EXPECT_FALSE(M.IsHidden(10));
    EXPECT_EQ(RealIndexAfterRemoval(9, {2, 6, 7}), 6);
    EXPECT_EQ(RealIndexAfterRemoval(2, {2, 6, 7}), 2);
}

TEST(HiddenRowMap, RandomSetsAgreeWithTheWalk)
{
    std::mt19937 Rng(7);
    for (int Round = 0; Round < 50; ++Round) {
        const int N = 1 + int(Rng() % 200);
        std::vector<int> Hidden;
        std::vector<int> Shown;
        for (int r = 0; r < N; ++r) (Rng() % 3 == 0 ? Hidden : Shown).push_back(r);
        THiddenRowMap M;
        M.Assign(Hidden);
        for (int d = 0; d < int(Shown.size()); ++d) {
            ASSERT_EQ(M.ToReal(d), Shown[size_t(d)]);
            ASSERT_EQ(M.ToDisplay(Shown[size_t(d)]), d);
        }
    }
}

TEST(HiddenRowMap, SlotsAndBatchMappingOverStoresOfSeveralRuns)
{
    // A store lists its rows in the order they were hidden: a few ascending runs, or many.
    std::mt19937 Rng(11);
    for (int Runs : {1, 2, 5, 200}) {
        const int N = 600;
        std::vector<int> Rows;
        for (int r = 0; r < N; ++r)
            if (Rng() % 2) Rows.push_back(r);
        std::vector<std::vector<int>> Parts(static_cast<size_t>(Runs));
        for (int r : Rows) Parts[Rng() % unsigned(Runs)].push_back(r);
        std::vector<int> Store;
        for (const auto& P : Parts) Store.insert(Store.end(), P.begin(), P.end());
        THiddenRowMap M;
        M.Assign(Store);
        ASSERT_EQ(M.Rows(), Rows) << Runs;
        for (int r = 0; r < N; ++r) {
            const auto It = std::find(Store.begin(), Store.end(), r);
            ASSERT_EQ(M.SlotOf(r), It == Store.end() ? -1 : int(It - Store.begin())) << Runs << " row " << r;
        }
        std::vector<int> Displ;
        for (int d = -2; d < N - int(Rows.size()) + 5; d += 1 + int(Rng() % 3)) Displ.push_back(d);
        std::vector<int> Real = Displ;
        M.ToRealAscending(Real);
        for (size_t i = 0; i < Displ.size(); ++i) ASSERT_EQ(Real[i], M.ToReal(Displ[i])) << Displ[i];
    }
}
