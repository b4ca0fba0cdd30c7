// GridItem: the hidden-row store (FGridItems) and its items. A TGridItem is the stored form of a
// hidden row: the row's index when it was hidden, its cells' texts with their cell objects over
// all columns, its height and the filter level at which it was hidden. The cells are the string
// grid's own stored row, taken out whole when the row is hidden and put back whole when it is
// shown (view/QorGridHidden.cpp): no cell is copied and nothing is allocated per row. The store
// is a vector of these plain records, in the order the rows were hidden. Idx is always a real row.
#pragma once

#include "framework/Grids.h"

#include <vector>

class TGridItem {
public:
    using TCells = TStringGrid::TStoredRow;

    int GetIdx() const { return FIdx; }
    void SetIdx(int Value) { FIdx = Value; }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int GetLevel() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    // Hidden by range (nodes, HideRows), not by a filter level: popping a filter level keeps it.
    bool GetByRange() const { return FByRange; }
    void SetByRange(bool Value) { FByRange = Value; }

    // The cells by real column: the texts with their cell objects (the objects stay the grid's).
    // The row is stored sparsely, as the string grid stores it: a column beyond the stored ones
    // reads as empty, and writing a text or object there grows the row.
    int CellCount() const { return int(FCells.size()); }
    const String& GetCell(int RCol) const;
    void SetCell(int RCol, const String& Value);
    TObject* GetObject(int RCol) const;
    void SetObject(int RCol, TObject* Value);
    // The stored row itself, for moving it whole and for per-column work over every hidden row.
    TCells& Cells() { return FCells; }
    const TCells& Cells() const { return FCells; }

private:
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = 0;
    bool FByRange = false;
    TCells FCells;
};

// The hidden-row store: the items in the order they were hidden (HideRows keeps ascending Idx
// among its own; HideRowsEx and HideRowList append). Positions are slots: they stay valid until
// the store changes.
class TGridItems {
public:
    int Count() const { return int(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    TGridItem& operator[](int Slot) { return FItems[size_t(Slot)]; }
    const TGridItem& operator[](int Slot) const { return FItems[size_t(Slot)]; }
    auto begin() { return FItems.begin(); }
    auto end() { return FItems.end(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

    void Add(TGridItem&& Item) { FItems.push_back(std::move(Item)); }
    // New items at Pos (the end when Pos is out of range), in their order.
    void Insert(int Pos, std::vector<TGridItem>&& Items);
    // Takes out the items whose slot is marked, keeping the order of the others.
    void Remove(const std::vector<bool>& Marked);
    void Clear() { FItems.clear(); }
    void Reserve(int Count) { FItems.reserve(size_t(Count)); }

private:
    std::vector<TGridItem> FItems;
};
