// GridItem: the stored form of a hidden row in the grid's hidden-row collection (FGridItems): the
// row's index when it was hidden, its cells' texts with their cell objects over all columns, its
// height and the filter level at which it was hidden. Hiding rows into the store and showing
// them again: view/QorGridHidden.cpp. Idx is always a real row.
#pragma once

#include "framework/Classes.h"

class TGridItem : public TCollectionItem {
    DECLARE_CLASS(TGridItem, TCollectionItem)
public:
    explicit TGridItem(TCollection* ACollection);
    ~TGridItem() override;

    // From another TGridItem: index, texts with their object references, height and level.
    void Assign(TPersistent* Source) override;

    int GetIdx() const { return FIdx; }
    void SetIdx(int Value) { FIdx = Value; }
    // The cells' texts with their cell objects (the objects stay the grid's).
    TStringList* GetItems() const { return FItems.get(); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int GetLevel() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    // Hidden by range (nodes, HideRows), not by a filter level: popping a filter level keeps it.
    bool GetByRange() const { return FByRange; }
    void SetByRange(bool Value) { FByRange = Value; }

private:
    int FIdx = 0;
    TFreePtr<TStringList> FItems;
    int FHeight = 0;
    int FLevel = 0;
    bool FByRange = false;
};
