// ListShift: the per-row and per-column side lists of the grid (flags, marks, stored sizes,
// index lists) follow inserted, removed and moved lines, each in one pass over the list.
#pragma once

#include "framework/Classes.h"

#include <vector>

class TIntList;

namespace QorGridDetail {

// Count entries Fill go in before At; nothing when the list ends before At.
void InsertEntries(TList* L, int At, int Count, void* Fill);
// One entry Fill goes in before each index of At (ascending; a repeated index takes several), in
// one pass; indexes beyond the list's end add nothing.
void InsertEntriesAt(TList* L, const std::vector<int>& At, void* Fill);
// The same for a list of integers, each new entry Value.
void InsertValuesAt(TIntList* L, const std::vector<int>& At, int Value);
// How many indexes of At (ascending) are at or below Index: how far a line at Index moves down
// when lines go in before each of them.
int LinesInsertedUpTo(const std::vector<int>& At, int Index);
// The entries at Removed (ascending, each once) leave; the rest close up.
void RemoveEntries(TList* L, const std::vector<int>& Removed);
// The Count entries from From move so that they start at Dest (an index after their move); the
// list grows with empty entries to reach them.
void MoveEntries(TList* L, int From, int Count, int Dest);
// Where a line index goes when Count lines from From move to start at Dest.
int IndexAfterMove(int Index, int From, int Count, int Dest);
// A list whose values are line indexes: values at or after At rise by Count.
void ShiftValuesInserted(TIntList* L, int At, int Count);
// Values follow lines inserted before each index of At (ascending).
void ShiftValuesInsertedAt(TIntList* L, const std::vector<int>& At);
// Values among Removed (ascending) leave; the others drop by the removed lines below them.
void ShiftValuesRemoved(TIntList* L, const std::vector<int>& Removed);
// Values follow a block move.
void ShiftValuesMoved(TIntList* L, int From, int Count, int Dest);

}  // namespace QorGridDetail
