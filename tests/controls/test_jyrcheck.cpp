// Cell checkers: the base leaves text alone; the capital checker capitalises sentence starts.
#include "controls/jyrcheck.h"

#include <gtest/gtest.h>

TEST(CapitalCheck, CapitalisesLettersAfterASentenceEndAndOneBlank)
{
    struct { const wchar_t* In; const wchar_t* Out; } cases[] = {
        {L"hello. world", L"Hello. World"},
        {L"what? yes! ok", L"What? Yes! Ok"},
        {L"a.  b", L"A.  b"},            // two blanks: left small
        {L"a.\r\nb", L"A.\r\nb"},        // a line break is no blank
        {L" x", L" x"},                  // a leading blank: left small
        {L"æble. 1 to. øl", L"æble. 1 to. øl"},   // only a to z
        {L"Ja. Nej", L"Ja. Nej"},
        {L"", L""}};
    TCapitalCheck Check(nullptr);
    Check.SetLastResult(7);
    for (auto& c : cases) EXPECT_EQ(Check.Correct(0, 0, c.In), c.Out);
    EXPECT_EQ(Check.GetLastResult(), 7);   // left as it is
}

TEST(CellCheck, BaseKeepsTextAndLetsARangeCheckGoOn)
{
    TQorStringGridCheck Check(nullptr);
    Check.SetLastResult(2);
    EXPECT_EQ(Check.Correct(1, 2, L"abc. def"), L"abc. def");
    EXPECT_EQ(Check.GetLastResult(), 1);
    Check.SetLastResult(2);
    EXPECT_EQ(Check.MarkError(1, 2, L"x"), L"x");
    EXPECT_EQ(Check.GetLastResult(), 1);

    // The grid link is dropped when the grid goes.
    auto* Grid = new TComponent(nullptr);
    Check.SetGrid(Grid);
    EXPECT_EQ(Check.GetGrid(), Grid);
    Grid->Free();
    EXPECT_EQ(Check.GetGrid(), nullptr);
}
