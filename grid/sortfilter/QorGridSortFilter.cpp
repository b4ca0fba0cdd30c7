// TQorStringGrid: the filter lists and the filter-edit row, and what the option objects ask of
// sorting (sorting itself: sortfilter/QorGridSort.cpp; filtering: sortfilter/QorGridFilter.cpp).
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/QorFilterData.h"

void TQorStringGrid::SetFilterDropDownRow(int Value)
{
    FFilterState.FFilterDropDownRow = Value;
    Invalidate();
}

// The filter value lists and their handlers come with the grid's filter drop-down lists.
void TQorStringGrid::GetFilter(int, bool, bool) {}
void TQorStringGrid::FilterSelect(TObject*, int) {}
void TQorStringGrid::FilterClose(TObject*) {}
void TQorStringGrid::FilterCheck(TObject*, int) {}
void TQorStringGrid::DoFilterType(TObject*) {}
void TQorStringGrid::FilterDropDownChanged(TObject*)
{
    Invalidate();
}

void TQorStringGrid::OptionsQSort()
{
    QSort();
}

void TQorStringGrid::OptionsQSortIndexed()
{
    QSortIndexed();
}

TSortIndexList* TQorStringGrid::OptionsSortIndexList()
{
    return FLists.FSortIndexes.get();
}

void TQorStringGrid::OptionsResetFilterEdit(int ARow)
{
    SetFilterActive(false);
    FOpt.FFilter->Clear();
    ClearRect(0, ARow, TotalColCount() - 1, ARow);
}
