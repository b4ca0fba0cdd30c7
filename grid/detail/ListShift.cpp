// Side lists following inserted, removed and moved lines.
#include "grid/detail/ListShift.h"

#include "grid/store/QorObj.h"

#include <algorithm>
#include <cstdint>

namespace QorGridDetail {

void InsertEntries(TList* L, int At, int Count, void* Fill)
{
    if (Count < 1) return;
    InsertEntriesAt(L, std::vector<int>(size_t(Count), At), Fill);
}

void InsertEntriesAt(TList* L, const std::vector<int>& At, void* Fill)
{
    const int N = L->Count();
    // Indexes beyond the end add nothing.
    const size_t k = size_t(std::upper_bound(At.begin(), At.end(), N) - At.begin());
    if (k == 0 || At.front() < 0) return;
    L->SetCount(N + int(k));
    // From the back: every entry moves down by the insertions at or before it.
    size_t j = k;
    for (int i = N - 1 + int(k); j > 0; --i) {
        const int s = i - int(j);
        if (At[j - 1] > s) {
            L->Put(i, Fill);
            --j;
        } else {
            L->Put(i, L->Get(s));
        }
    }
}

void InsertValuesAt(TIntList* L, const std::vector<int>& At, int Value)
{
    // A TIntList keeps its values as pointer-sized items.
    InsertEntriesAt(L, At, reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)));
}

int LinesInsertedUpTo(const std::vector<int>& At, int Index)
{
    return int(std::upper_bound(At.begin(), At.end(), Index) - At.begin());
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

void ShiftValuesInsertedAt(TIntList* L, const std::vector<int>& At)
{
    for (int i = 0; i < L->Count(); ++i)
        if (const int d = LinesInsertedUpTo(At, L->GetInteger(i))) L->SetInteger(i, L->GetInteger(i) + d);
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
