// Side lists following inserted, removed and moved lines.
#include "grid/detail/ListShift.h"

#include "grid/store/QorObj.h"

#include <algorithm>

namespace QorGridDetail {

void InsertEntries(TList* L, int At, int Count, void* Fill)
{
    const int N = L->Count();
    if (At < 0 || At > N || Count < 1) return;
    L->SetCount(N + Count);
    for (int i = N - 1; i >= At; --i) L->Put(i + Count, L->Get(i));
    for (int i = At; i < At + Count; ++i) L->Put(i, Fill);
}

void RemoveEntries(TList* L, const std::vector<int>& Removed)
{
    const int N = L->Count();
    if (Removed.empty() || Removed.front() >= N) return;
    // The entries before the first removed one stay.
    int t = Removed.front();
    size_t k = 0;
    for (int i = Removed.front(); i < N; ++i) {
        while (k < Removed.size() && Removed[k] < i) ++k;
        if (k < Removed.size() && Removed[k] == i) continue;
        if (t != i) L->Put(t, L->Get(i));
        ++t;
    }
    L->SetCount(t);
}

int IndexAfterMove(int Index, int From, int Count, int Dest)
{
    if (Index >= From && Index < From + Count) return Dest + (Index - From);
    if (Dest > From) return Index >= From + Count && Index < Dest + Count ? Index - Count : Index;
    return Index >= Dest && Index < From ? Index + Count : Index;
}

void MoveEntries(TList* L, int From, int Count, int Dest)
{
    if (Count < 1 || From == Dest) return;
    const int Lo = std::min(From, Dest), Hi = std::max(From, Dest) + Count;
    if (L->Count() <= Lo) return;
    if (L->Count() < Hi) L->SetCount(Hi);
    std::vector<void*> Old(size_t(Hi - Lo));
    for (int i = Lo; i < Hi; ++i) Old[size_t(i - Lo)] = L->Get(i);
    for (int i = Lo; i < Hi; ++i) L->Put(IndexAfterMove(i, From, Count, Dest), Old[size_t(i - Lo)]);
}

void ShiftValuesInserted(TIntList* L, int At, int Count)
{
    for (int i = 0; i < L->Count(); ++i)
        if (L->GetInteger(i) >= At) L->SetInteger(i, L->GetInteger(i) + Count);
}

void ShiftValuesRemoved(TIntList* L, const std::vector<int>& Removed)
{
    int t = 0;
    for (int i = 0; i < L->Count(); ++i) {
        const int v = L->GetInteger(i);
        const auto It = std::lower_bound(Removed.begin(), Removed.end(), v);
        if (It != Removed.end() && *It == v) continue;
        L->SetInteger(t++, v - int(It - Removed.begin()));
    }
    L->SetCount(t);
}

void ShiftValuesMoved(TIntList* L, int From, int Count, int Dest)
{
    for (int i = 0; i < L->Count(); ++i)
        L->SetInteger(i, IndexAfterMove(L->GetInteger(i), From, Count, Dest));
}

}  // namespace QorGridDetail
