// The grid's filter conditions.
#include "grid/sortfilter/QorFilterData.h"

#include "grid/QorGrid.h"

void TFilterData::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TFilterData*>(Source_);
    if (!Source) return;
    QOR_FILTERDATA_PROPS(QOR_OPTION_COPY)
}

void TFilterData::BuildCondition(const String& s)
{
    String Q = s.find(L' ') != String::npos ? L"\"" + s + L"\"" : s;
    switch (FFilterType) {
    case ftStartsWith: FCondition = Q + L"*"; break;
    case ftEndsWith: FCondition = L"*" + Q; break;
    case ftContains: FCondition = L"*" + Q + L"*"; break;
    case ftNotContains: FCondition = L"!*" + Q + L"*"; break;
    case ftEqual: FCondition = Q; break;
    case ftNotEqual: FCondition = L"!" + Q; break;
    case ftLargerThan: FCondition = L">" + Q; break;
    case ftSmallerThan: FCondition = L"<" + Q; break;
    case ftClear:
    case ftNone: break;
    }
}

void TFilterData::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TFilterData;
    QOR_FILTERDATA_PROPS(QOR_OPTION_REGISTER)
}

TFilter::TFilter(TComponent* AOwner) : TOwnedCollection(AOwner, ItemClass<TFilterData>()), FOwner(AOwner) {}

TFilterData* TFilter::Add()
{
    auto* Item = static_cast<TFilterData*>(TCollection::Add());
    Item->SetOperation(Count() == 1 ? foNONE : foAND);
    return Item;
}

TFilterData* TFilter::Insert(int Index)
{
    return static_cast<TFilterData*>(TCollection::Insert(Index));
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (int i = 0; i < Count(); ++i)
        if (GetItems(i)->GetColumn() == Col) return GetItems(i);
    TFilterData* Item = Add();
    Item->SetColumn(SmallInt(Col));
    return Item;
}

bool TFilter::HasFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItems(i)->GetColumn() == Col) return true;
    return false;
}

bool TFilter::HasOtherFilter(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItems(i)->GetColumn() != Col) return true;
    return false;
}

TFilterType TFilter::HasFilterType(int Col) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItems(i)->GetColumn() == Col) return GetItems(i)->GetFilterType();
    return ftContains;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (GetItems(i)->GetColumn() == Col) Delete(i);
    if (auto* Grid = dynamic_cast<TQorStringGrid*>(FOwner)) Grid->RepaintCell(Col, 0);
}

void TFilter::Update(TCollectionItem* Item)
{
    inherited::Update(Item);
    auto* Grid = dynamic_cast<TQorStringGrid*>(FOwner);
    if (Grid && !Grid->IsDestroying()) Grid->OptionsRepaintRow(0);
}
