// TQorStringGrid: filtering, and what the option objects ask of sorting (sorting itself:
// sortfilter/QorGridSort.cpp; the filter lists and the filter edit row: QorGridFilterList.cpp).
// Filtering comes here with its area; until then a grid shows every row.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/QorFilterData.h"

bool TQorStringGrid::MatchFilter(int)
{
    // Testing a row against the filter comes with the grid's filtering; with no filter applied
    // every row passes.
    return true;
}

void TQorStringGrid::SetFilterActive(bool Value)
{
    // Applying and removing filter levels comes with the grid's filtering.
    FFilterState.FFilterActive = Value;
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
