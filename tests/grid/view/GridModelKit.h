// What the data-model tests share: a grid whose cells name their row and column, and short dumps
// of a column's texts.
#pragma once

#include "tests/grid/QorGridKit.h"

#include <gtest/gtest.h>

// A grid of Cols x Rows (one fixed row and column) whose cell (c, r) holds "c.r".
class GridModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        G->SetColCountEx(5);
        G->SetRowCountEx(10);
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 5; ++c) G->SetCellEx(c, r, IntToStr(c) + L"." + IntToStr(r));
    }
    void TearDown() override { G->Free(); }

    // The texts of a real column down the display rows, as "a b c".
    String Column(int RCol = 0)
    {
        String S;
        for (int r = 0; r < G->GetRowCount(); ++r) S += (r ? L" " : L"") + G->GetCellEx(RCol, r);
        return S;
    }
    // The row numbers shown (the part after the dot of column 0), as "0 1 2".
    String Shown()
    {
        String S;
        for (int r = 0; r < G->GetRowCount(); ++r) {
            const String t = G->GetCellEx(0, r);
            S += (r ? L" " : L"") + t.substr(t.find(L'.') + 1);
        }
        return S;
    }

    TTestableQorGrid* G = nullptr;
};
