// TQorStringGrid: what the option objects ask of sorting and of the filter edit row (sorting
// itself: sortfilter/QorGridSort.cpp; filtering: QorGridFilter.cpp; the filter lists and the
// filter edit row: QorGridFilterList.cpp).
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/sortfilter/QorFilterData.h"

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
