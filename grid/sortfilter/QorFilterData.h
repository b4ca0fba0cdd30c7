// QorFilterData: the grid's filter conditions. TFilter (the grid's Filter property) is a collection
// of TFilterData items; each names a column, a condition (in the filter-expression language, or a
// literal list), which text of the cell is tested and how its result joins the items before it.
// Applying the conditions to rows, the filter levels and the filter file come with the grid's
// filtering (sortfilter/QorGridSortFilter.cpp).
#pragma once

#include "framework/TypInfo.h"
#include "grid/QorGridDefs.h"
#include "grid/store/QorOptionProps.h"

class TFilter;

#define QOR_FILTERDATA_PROPS(X)                                         \
    X(Field, Add, Copy, SmallInt, Column, 0)                            \
    X(Field, Add, Copy, String, Condition, L"")                         \
    X(Field, Add, Copy, bool, CaseSensitive, true)                      \
    X(Field, Add, Copy, String, Suffix, L"")                            \
    X(Field, Add, Copy, String, Prefix, L"")                             \
    X(Field, Public, Keep, String, FriendlyName, L"")                   \
    X(Field, Add, Copy, TFilterOperation, Operation, foSHORT)           \
    X(Field, Add, Copy, TFilterCells, Data, fcVirtual)                  \
    X(Field, Add, Keep, TFilterMethod, Method, fmExpression)            \
    X(Field, Public, Keep, TFilterType, FilterType, ftStartsWith)       \
    X(Field, Add, Keep, bool, Enabled, true)                            \
    X(Field, Add, Copy, bool, RemoveAccented, false)

// The condition for a plain text by filter type, the text quoted when it holds a blank; false
// (Condition untouched) for ftClear and ftNone, which build none.
bool BuildFilterCondition(TFilterType FilterType, const String& s, String& Condition);

class TFilterData : public TCollectionItem {
    DECLARE_CLASS(TFilterData, TCollectionItem)
public:
    explicit TFilterData(TCollection* ACollection) : TCollectionItem(ACollection) {}

    // From another TFilterData: Column, Condition, CaseSensitive, Data, Prefix, Suffix, Operation
    // and RemoveAccented (not Method, FilterType, Enabled or FriendlyName). Other sources ignored.
    void Assign(TPersistent* Source) override;

    // Condition from a plain text by FilterType; a text holding a blank is quoted first.
    void BuildCondition(const String& s);

    static void RegisterProperties(TPropertyTable& Table);

    QOR_FILTERDATA_PROPS(QOR_OPTION_DECLARE)
};

class TFilter : public TOwnedCollection {
    DECLARE_CLASS(TFilter, TOwnedCollection)
public:
    // AOwner: the grid (repainted when the items change).
    explicit TFilter(TComponent* AOwner);

    // A new item: foNONE when it is the only one, else foAND.
    TFilterData* Add();
    // A new item at Index; its operation stays foSHORT.
    TFilterData* Insert(int Index);
    TFilterData* GetItems(int Index) const { return static_cast<TFilterData*>(GetItem(Index)); }
    // Assigns Value into the existing item.
    void SetItems(int Index, TFilterData* Value) { SetItem(Index, Value); }
    // The first item for Col; a new one (through Add) when there is none.
    TFilterData* GetColFilter(int Col);
    bool HasFilter(int Col) const;
    bool HasOtherFilter(int Col) const;
    // The filter type of the first item for Col; ftContains when there is none.
    TFilterType HasFilterType(int Col) const;
    // Deletes every item for Col and repaints the column's header cell.
    void RemoveColumnFilter(int Col);
    TComponent* GetOwnerGrid() const { return FOwner; }

protected:
    // After the inherited step repaints row 0 of the grid (unless it is being destroyed).
    void Update(TCollectionItem* Item) override;

private:
    TComponent* FOwner;
};
