// The hidden-row store and the stored form of a hidden row.
#include "grid/view/GridItem.h"

#include <iterator>

namespace {

const String EmptyText;

}  // namespace

const String& TGridItem::GetCell(int RCol) const
{
    return RCol >= 0 && RCol < int(FCells.size()) ? FCells[size_t(RCol)].Text : EmptyText;
}

void TGridItem::SetCell(int RCol, const String& Value)
{
    if (RCol < 0 || (RCol >= int(FCells.size()) && Value.empty())) return;   // stays sparse
    if (RCol >= int(FCells.size())) FCells.resize(size_t(RCol) + 1);
    FCells[size_t(RCol)].Text = Value;
}

TObject* TGridItem::GetObject(int RCol) const
{
    return RCol >= 0 && RCol < int(FCells.size()) ? FCells[size_t(RCol)].Object : nullptr;
}

void TGridItem::SetObject(int RCol, TObject* Value)
{
    if (RCol < 0 || (RCol >= int(FCells.size()) && !Value)) return;
    if (RCol >= int(FCells.size())) FCells.resize(size_t(RCol) + 1);
    FCells[size_t(RCol)].Object = Value;
}

void TGridItems::Insert(int Pos, std::vector<TGridItem>&& Items)
{
    if (Items.empty()) return;
    if (Pos < 0 || Pos > Count()) Pos = Count();
    FItems.insert(FItems.begin() + Pos, std::make_move_iterator(Items.begin()), std::make_move_iterator(Items.end()));
}

void TGridItems::Remove(const std::vector<bool>& Marked)
{
    size_t t = 0;
    for (size_t s = 0; s < FItems.size(); ++s) {
        if (s < Marked.size() && Marked[s]) continue;
        if (t != s) FItems[t] = std::move(FItems[s]);
        ++t;
    }
    FItems.erase(FItems.begin() + std::ptrdiff_t(t), FItems.end());
}
