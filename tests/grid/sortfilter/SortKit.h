// What the sorting tests share: a grid with one fixed row and column whose column 0 names each
// row ("r1", "r2", ...) and whose column 1 (and further columns) hold the texts to sort.
#pragma once

#include "tests/grid/QorGridKit.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class SortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G = Create<TTestableQorGrid>(nullptr);
        SS = G->GetSortSettings();
    }
    void TearDown() override { G->Free(); }

    // Rows 1 .. n get the texts of each column (column 1 first); column 0 names the rows.
    void Fill(std::initializer_list<std::vector<String>> Cols)
    {
        const int n = int(Cols.begin()->size());
        G->SetColCountEx(int(Cols.size()) + 1);
        G->SetRowCountEx(n + 1);
        for (int r = 1; r <= n; ++r) G->SetCellEx(0, r, L"r" + IntToStr(r));
        int c = 1;
        for (const auto& Col : Cols) {
            for (int r = 1; r <= n; ++r) G->SetCellEx(c, r, Col[size_t(r - 1)]);
            ++c;
        }
    }
    // The texts of a real column over the normal rows, "|"-separated.
    String Col(int RCol = 1)
    {
        String S;
        for (int r = G->GetFixedRows(); r < G->GetRowCount() - G->GetFixedFooters(); ++r)
            S += (r > G->GetFixedRows() ? L"|" : L"") + G->GetGridCell(RCol, r);
        return S;
    }
    // Sorts by column 1 in Dir.
    void SortCol(TSortDirection Dir = sdAscending, int RCol = 1)
    {
        G->Sort(RCol, Dir);
    }

    TTestableQorGrid* G = nullptr;
    TSortSettings* SS = nullptr;
};
