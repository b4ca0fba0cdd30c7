// The stored form of a hidden row.
#include "grid/view/GridItem.h"

TGridItem::TGridItem(TCollection* ACollection) : TCollectionItem(ACollection), FItems(Create<TStringList>()) {}

TGridItem::~TGridItem() = default;

void TGridItem::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TGridItem*>(Source_);
    if (!Source) return;
    FIdx = Source->FIdx;
    FItems->Assign(Source->FItems.get());
    FHeight = Source->FHeight;
    FLevel = Source->FLevel;
    FByRange = Source->FByRange;
}
