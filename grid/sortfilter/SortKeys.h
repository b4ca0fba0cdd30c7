// SortKeys: the grid's row sorting engine, window-free.
//
// A sort is a list of levels (a column with its comparison style and direction); rows are ordered
// by the first level, ties by the next, and rows still equal after the last level keep their
// order (every sort here is stable). Each level turns its cells into keys once per row (numbers,
// dates, ordinal texts, the locale's collation keys from LCMapStringW), and the rows are sorted
// on those keys: no locale call per comparison, and every comparison that reaches std::sort is a
// strict total order. Levels below the first build keys only for the rows that tie above them.
// The styles a handler decides (custom, raw) and the natural order compare per pair and go
// through a merge sort of our own that stays in bounds whatever the handler answers.
//
// How cells of different kinds order, per style (ascending; descending reverses all but blanks):
//   - automatic: per cell, by what the cell's own text is: empty texts, then check boxes
//     (unchecked, checked), then numbers by value, then dates and times by value, then texts;
//   - numeric and financial: by value; a text that does not read as a number counts as the
//     number its leading characters make (0 when none), an empty cell as 0;
//   - date and time styles: by value; an unreadable or empty text counts as 0;
//   - alphanumeric: numbers by value, then texts;
//   - check boxes: unchecked (and grayed) before checked;
//   - with IgnoreBlanks, cells whose compared text is empty go first or last (BlankPos) in both
//     directions, and compare among themselves by their style.
#pragma once

#include "grid/QorGridDefs.h"

#include <cstdint>
#include <vector>

namespace QorGridSort {

// What a sort reads from the grid: the texts and widget states of cells, and the handlers of the
// custom and raw styles. Rows and columns are the grid's storage coordinates.
class ISortSource {
public:
    virtual ~ISortSource() = default;
    // The text the comparison sees (as displayed or as stored).
    virtual String CellText(int Col, int Row) = 0;
    virtual bool IsCheckBoxCell(int Col, int Row) = 0;
    virtual bool IsChecked(int Col, int Row) = 0;
    // The cell's picture key (-1 without a picture).
    virtual int ImageKey(int Col, int Row) = 0;
    // Result of the custom handler for two texts, of the raw handler for two rows (0 when none).
    virtual int CustomCompare(const String& S1, const String& S2) = 0;
    virtual int RawCompare(int Col, int Row1, int Row2) = 0;
};

// One level of a sort: a column with its resolved style and settings.
struct TSortLevel {
    int Col = 0;
    TSortStyle Style = ssAutomatic;
    String Prefix;
    String Suffix;
    bool IgnoreCase = false;     // texts of the automatic style compare without a to z case
    bool Descending = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool Ignored = false;        // the column takes no part: every row ties on it
};

// Sorts Rows (row indexes, in their current order) by Levels; ties keep their order. Compares
// grows by the comparisons made.
void SortRows(ISortSource& Src, const std::vector<TSortLevel>& Levels, std::vector<int>& Rows, Int64& Compares);

// Where Row1 goes relative to Row2 by the levels from First on: -1 before, 1 after, 0 tied (then
// their order decides). The order SortRows sorts by.
int CompareRows(ISortSource& Src, const std::vector<TSortLevel>& Levels, size_t First, int Row1, int Row2);

// The readings of texts the key builders use, in reach of tests.
// A text as a number: prefix and suffix deleted once each, for Financial the currency string
// and thousand separators, the decimal separator made '.', then read as far as it goes.
// Failed tells that the whole text was not a number; never NaN.
double NumberValue(String S, const String& Prefix, const String& Suffix, bool Financial, bool& Failed);
// The text after the numeric styles' prefix, suffix and currency removal (what "empty" refers to).
String NumberText(String S, const String& Prefix, const String& Suffix, bool Financial);
// The automatic style's reading of one cell text: ssNumeric, ssDate, ssDateTime, ssTime or the
// text style (ssAlphabetic).
TSortStyle DetectStyle(const String& S);
// Bytes whose bytewise order is the locale's collation (LCMapStringW sort key) with or without
// case; false when the platform cannot make one.
bool LocaleSortKey(const String& S, bool IgnoreCase, std::vector<unsigned char>& Key);

}  // namespace QorGridSort
