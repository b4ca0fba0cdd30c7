// The grid's filter conditions.
#include "grid/sortfilter/QorFilterData.h"

#include "grid/QorGrid.h"

void TFilterData::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TFilterData*>(Source_);
    if (!Source) return;
    QOR_FILTERDATA_PROPS(QOR_OPTION_COPY)
}

bool BuildFilterCondition(TFilterType FilterType, const String& s, String& Condition)
{
    const String Q = s.find(L' ') != String::npos ? L"\"" + s + L"\"" : s;
    switch (FilterType) {
    case ftStartsWith: Condition = Q + L"*"; return true;
    case ftEndsWith: Condition = L"*" + Q; return true;
    case ftContains: Condition = L"*" + Q + L"*"; return true;
    case ftNotContains: Condition = L"!*" + Q + L"*"; return true;
    case ftEqual: Condition = Q; return true;
    case ftNotEqual: Condition = L"!" + Q; return true;
    case ftLargerThan: Condition = L">" + Q; return true;
    case ftSmallerThan: Condition = L"<" + Q; return true;
    case ftClear:
    case ftNone: break;
    }
    return false;
}

void TFilterData::BuildCondition(const String& s)
{
    BuildFilterCondition(FFilterType, s, FCondition);
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
