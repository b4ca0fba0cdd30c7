// SortKeys: keys per cell, sorting on them, and the pairwise styles' merge sort (see SortKeys.h).
#include "grid/sortfilter/SortKeys.h"

#include "grid/QorGridUnit.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"

#include "framework/SysUtils.h"
#include "framework/Variants.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace QorGridSort {

namespace {

// One cell's key. Rank places blanks and is never reversed; Class, Num and the bytes are compared
// in that order and reversed for a descending level; the key's index (the row's place before the
// level was sorted) breaks every remaining tie, so that the order is total and the sort stable.
struct TKey {
    double Num = 0;
    std::uint32_t Off = 0;      // the bytes in the table's arena
    std::uint32_t Len = 0;
    std::uint8_t Rank = 1;      // 0 blank first, 1 not blank, 2 blank last
    std::uint8_t Class = 0;
};

// What is sorted: a word that orders as the keys do wherever two words differ (the rank, class and
// leading bits of the number or the bytes, turned for the direction), and the key's index.
struct TItem {
    std::uint64_t Word;
    std::uint32_t Key;
};

// The keys of one level for a run of rows.
struct TKeyTable {
    std::vector<TKey> Keys;
    std::vector<TItem> Items;   // Word holds the key's leading 64 bits until the level packs it
    std::vector<unsigned char> Bytes;
    std::vector<String> Texts;   // pairwise styles: the texts their handler compares
    void Clear()
    {
        Keys.clear();
        Items.clear();
        Bytes.clear();
        Texts.clear();
    }
};

// Kept from one sort to the next: large fresh memory is slow to touch, and a grid is sorted again
// and again.
thread_local TKeyTable Scratch;
thread_local bool ScratchBusy = false;

enum class TKind { Keys, Pairwise, Ignored };

TKind KindOf(const TSortLevel& L)
{
    if (L.Ignored) return TKind::Ignored;
    return L.Style == ssCustom || L.Style == ssRaw || L.Style == ssNatural ? TKind::Pairwise : TKind::Keys;
}

// Classes of the automatic style, in their order.
enum : std::uint8_t { acBlank, acCheckBox, acNumber, acDateTime, acText };

bool IsNumberType(const String& S)
{
    const QorUtil::TAutoType T = QorUtil::IsType(S);
    return T == QorUtil::atNumeric || T == QorUtil::atFloat || T == QorUtil::atScientific;
}

void DeleteFirst(String& S, const String& Part)
{
    if (Part.empty()) return;
    const size_t p = S.find(Part);
    if (p != String::npos) S.erase(p, Part.size());
}

// Never NaN or infinite, and no negative zero (it would pack apart from zero).
double Finite(double v) { return std::isfinite(v) && v != 0 ? v : 0.0; }

// A double's bits as an unsigned number in the double's order.
std::uint64_t OrderedBits(double d)
{
    std::uint64_t u = 0;
    std::memcpy(&u, &d, sizeof u);
    return (u >> 63) ? ~u : u | (std::uint64_t(1) << 63);
}

double ReadDate(TSortStyle Style, const String& S, const String& Prefix, const String& Suffix)
{
    TDateTime v = 0;
    switch (Style) {
    case ssDate: {
        String T = S;
        DeleteFirst(T, Prefix);
        DeleteFirst(T, Suffix);
        if (T.empty() || !TryStrToDateTime(T, v)) v = 0;
        break;
    }
    case ssDateTime:
        if (S.empty() || !TryStrToDateTime(S, v)) v = 0;
        break;
    case ssTime:
        if (!TryStrToTime(S, v)) v = 0;
        break;
    case ssShortDateEU: v = QorUtil::StrToShortDateEU(S); break;
    case ssShortDateUS: v = QorUtil::StrToShortdateUS(S); break;
    case ssVarDate:
        if (!TryVarDateFromStr(S, 0x0409, v)) v = 0;
        break;
    default: break;
    }
    return Finite(double(v));
}

// A text as a date or time of the style; an unreadable one (a reader that raises included) is 0.
double DateValue(TSortStyle Style, const String& S, const String& Prefix, const String& Suffix)
{
    try {
        return ReadDate(Style, S, Prefix, Suffix);
    } catch (const Exception&) {
        return 0;
    }
}

class TKeyBuilder {
public:
    TKeyBuilder(ISortSource& Src, const TSortLevel& L, TKeyTable& T) : FSrc(Src), FL(L), FT(T) {}

    void Add(int Row)
    {
        const String S = FSrc.CellText(FL.Col, Row);
        FK = TKey{};
        FK.Off = std::uint32_t(FT.Bytes.size());
        FBytes = false;
        bool Blank = S.empty();
        switch (FL.Style) {
        case ssAutomatic: Automatic(Row, S); break;
        case ssNumeric:
        case ssFinancial: {
            const String T = NumberText(S, FL.Prefix, FL.Suffix, FL.Style == ssFinancial);
            Blank = T.empty();
            FK.Num = ReadNumber(T);
            break;
        }
        case ssDate: {
            String T = S;
            DeleteFirst(T, FL.Prefix);
            DeleteFirst(T, FL.Suffix);
            Blank = T.empty();
            FK.Num = DateValue(ssDate, S, FL.Prefix, FL.Suffix);
            break;
        }
        case ssDateTime:
        case ssTime:
        case ssShortDateEU:
        case ssShortDateUS:
        case ssVarDate: FK.Num = DateValue(FL.Style, S, FL.Prefix, FL.Suffix); break;
        case ssAlphaNoCase: Ordinal(S, true); break;
        case ssHTML: {
            const String T = JyrHTMLE::HTMLStrip(S);
            Blank = T.empty();
            Ordinal(T, false);
            break;
        }
        case ssAnsiAlphaCase:
        case ssAnsiAlphaNoCase: Locale(S, FL.Style == ssAnsiAlphaNoCase); break;
        case ssImages: FK.Num = FSrc.ImageKey(FL.Col, Row); break;
        case ssCheckBox: FK.Num = FSrc.IsChecked(FL.Col, Row) ? 1 : 0; break;
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
            if (IsNumberType(S)) {
                FK.Num = ReadNumber(NumberText(S, FL.Prefix, FL.Suffix, false));
            } else {
                FK.Class = 1;
                Ordinal(S, FL.Style == ssAlphaNumericNoCase);
            }
            break;
        case ssCustom:
        case ssRaw:
        case ssNatural: FT.Texts.push_back(S); break;
        default: Ordinal(S, false); break;   // ssAlphabetic, ssAlphaCase
        }
        if (Blank && FL.IgnoreBlanks) FK.Rank = FL.BlankPos == blFirst ? 0 : 2;
        FK.Len = std::uint32_t(FT.Bytes.size()) - FK.Off;
        // A class holds numbers or bytes, never both: the leading 64 bits of the one it uses.
        std::uint64_t Lead = 0;
        if (FBytes) {
            const unsigned char* B = FT.Bytes.data() + FK.Off;
            for (std::uint32_t i = 0; i < 8; ++i) Lead = (Lead << 8) | (i < FK.Len ? B[i] : 0);
        } else {
            Lead = OrderedBits(FK.Num);
        }
        FT.Items.push_back({Lead, std::uint32_t(FT.Keys.size())});
        FT.Keys.push_back(FK);
    }

private:
    static double ReadNumber(String T)
    {
        const Char DS = FormatSettings.DecimalSeparator;
        if (DS != L'.') {
            const size_t p = T.find(DS);
            if (p != String::npos) T[p] = L'.';
        }
        int Code = 0;
        return Finite(ValFloat(T, Code, L'.'));
    }

    void Automatic(int Row, const String& S)
    {
        if (FSrc.IsCheckBoxCell(FL.Col, Row)) {
            FK.Class = acCheckBox;
            FK.Num = FSrc.IsChecked(FL.Col, Row) ? 1 : 0;
            return;
        }
        if (S.empty()) {
            FK.Class = acBlank;
            return;
        }
        const TSortStyle St = DetectStyle(S);
        if (St == ssNumeric) {
            FK.Class = acNumber;
            FK.Num = ReadNumber(NumberText(S, FL.Prefix, FL.Suffix, false));
        } else if (St == ssDate || St == ssDateTime || St == ssTime) {
            FK.Class = acDateTime;
            FK.Num = DateValue(St, S, FL.Prefix, FL.Suffix);
        } else {
            FK.Class = acText;
            Ordinal(S, FL.IgnoreCase);
        }
    }

    // UTF-16 code units in an encoding whose bytewise order is code-unit order: a unit below
    // 0x7F as one byte (unit + 1), any other as three (0x80 + its top 2 bits, then 7 and 7 bits).
    // Short texts of plain letters keep eight of their characters in the leading 64 bits.
    void Ordinal(const String& S, bool NoCase)
    {
        FBytes = true;
        std::vector<unsigned char>& B = FT.Bytes;
        const size_t At = B.size();
        B.resize(At + 3 * S.size());
        unsigned char* p = B.data() + At;
        for (Char c : S) {
            const unsigned u = NoCase ? unsigned(UpCase(c)) : unsigned(c);
            if (u < 0x7F) {
                *p++ = static_cast<unsigned char>(u + 1);
            } else {
                *p++ = static_cast<unsigned char>(0x80 | (u >> 14));
                *p++ = static_cast<unsigned char>((u >> 7) & 0x7F);
                *p++ = static_cast<unsigned char>(u & 0x7F);
            }
        }
        B.resize(size_t(p - B.data()));
    }

    void Locale(const String& S, bool IgnoreCase)
    {
        // A text the platform makes no key for (the comparison falls back to code units there
        // too) sorts after every keyed text, by code units.
        FBytes = true;
        if (!LocaleSortKey(S, IgnoreCase, FT.Bytes)) {
            FK.Class = 1;
            Ordinal(S, false);
        }
    }

    ISortSource& FSrc;
    const TSortLevel& FL;
    TKeyTable& FT;
    TKey FK;
    bool FBytes = false;   // the key's class orders by its bytes (else by its number)
};

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Key order before direction and position; 0 for keys that tie on the level.
inline int CompareKeys(const TKey& a, const TKey& b, const unsigned char* Bytes, bool Desc)
{
    if (a.Rank != b.Rank) return a.Rank < b.Rank ? -1 : 1;
    int c = 0;
    if (a.Class != b.Class) c = a.Class < b.Class ? -1 : 1;
    else if (a.Num != b.Num) c = a.Num < b.Num ? -1 : 1;
    else {
        c = Sign(std::memcmp(Bytes + a.Off, Bytes + b.Off, std::min(a.Len, b.Len)));
        if (c == 0 && a.Len != b.Len) c = a.Len < b.Len ? -1 : 1;
    }
    return Desc ? -c : c;
}

// The sort words of a level: the leading bits alone when every key has the same rank and class
// (the common case), else rank, class and the leading bits' top 59; turned for a descending level
// below the rank.
void PackWords(TKeyTable& T, bool Desc)
{
    bool Uniform = true;
    for (size_t i = 1; Uniform && i < T.Keys.size(); ++i)
        Uniform = T.Keys[i].Rank == T.Keys[0].Rank && T.Keys[i].Class == T.Keys[0].Class;
    constexpr std::uint64_t Low62 = (std::uint64_t(1) << 62) - 1;
    for (TItem& It : T.Items) {
        if (Uniform) {
            It.Word = Desc ? ~It.Word : It.Word;
            continue;
        }
        const TKey& K = T.Keys[It.Key];
        const std::uint64_t M = (std::uint64_t(K.Class) << 59) | (It.Word >> 5);
        It.Word = (std::uint64_t(K.Rank) << 62) | (Desc ? ~M & Low62 : M);
    }
}

// The pairwise styles' order of the keys a and b of T (rows Row1 and Row2): blanks by their rank,
// then the handler's answer, reversed for a descending level.
int ComparePair(ISortSource& Src, const TSortLevel& L, const TKeyTable& T, int Row1, int Row2, std::uint32_t a,
                std::uint32_t b)
{
    const TKey& ka = T.Keys[a];
    const TKey& kb = T.Keys[b];
    if (ka.Rank != kb.Rank) return ka.Rank < kb.Rank ? -1 : 1;
    int c = 0;
    if (L.Style == ssRaw) c = Src.RawCompare(L.Col, Row1, Row2);
    else if (L.Style == ssCustom) c = Src.CustomCompare(T.Texts[a], T.Texts[b]);
    else c = QorGridUnit::StrCmpLogical(T.Texts[a], T.Texts[b]);
    return L.Descending ? -Sign(c) : Sign(c);
}

// A stable merge sort that stays within its arrays whatever Less answers (an inconsistent
// handler only gives an odd order).
template <class L>
void SafeMergeSort(std::vector<std::uint32_t>& A, L Less)
{
    const size_t n = A.size();
    constexpr size_t Run = 16;
    for (size_t Start = 0; Start < n; Start += Run) {
        const size_t End = std::min(Start + Run, n);
        for (size_t i = Start + 1; i < End; ++i) {
            const std::uint32_t x = A[i];
            size_t j = i;
            while (j > Start && Less(x, A[j - 1])) {
                A[j] = A[j - 1];
                --j;
            }
            A[j] = x;
        }
    }
    std::vector<std::uint32_t> T(n);
    for (size_t W = Run; W < n; W *= 2) {
        for (size_t Lo = 0; Lo < n; Lo += 2 * W) {
            const size_t Mid = std::min(Lo + W, n), Hi = std::min(Lo + 2 * W, n);
            size_t i = Lo, j = Mid, k = Lo;
            while (i < Mid && j < Hi) T[k++] = Less(A[j], A[i]) ? A[j++] : A[i++];
            while (i < Mid) T[k++] = A[i++];
            while (j < Hi) T[k++] = A[j++];
        }
        A.swap(T);
    }
}

class TSorter {
public:
    TSorter(ISortSource& Src, const std::vector<TSortLevel>& Levels, std::vector<int>& Rows, Int64& Compares)
        : FSrc(Src), FLevels(Levels), FRows(Rows), FCompares(Compares)
    {
    }

    void Sort(size_t Level, std::uint32_t Lo, std::uint32_t Hi)
    {
        while (Level < FLevels.size() && KindOf(FLevels[Level]) == TKind::Ignored) ++Level;
        if (Level >= FLevels.size() || Hi - Lo < 2) return;
        const TSortLevel& L = FLevels[Level];
        // Runs of rows that tie on this level, sorted by the next one after this level's keys
        // are done with.
        TTies Ties;
        if (KindOf(L) == TKind::Keys) SortByKeys(L, Lo, Hi, Ties);
        else SortPairwise(L, Lo, Hi, Ties);
        for (const auto& [a, b] : Ties) Sort(Level + 1, a, b);
    }

private:
    using TTies = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

    void Build(const TSortLevel& L, std::uint32_t Lo, std::uint32_t Hi, TKeyTable& T)
    {
        T.Clear();
        T.Keys.reserve(Hi - Lo);
        T.Items.reserve(Hi - Lo);
        TKeyBuilder B(FSrc, L, T);
        for (std::uint32_t p = Lo; p < Hi; ++p) B.Add(FRows[p]);
    }

    void SortByKeys(const TSortLevel& L, std::uint32_t Lo, std::uint32_t Hi, TTies& Ties)
    {
        // A sort started from inside a cell hook of this one gets a table of its own.
        TKeyTable Own;
        TKeyTable& T = ScratchBusy ? Own : Scratch;
        const bool Outer = !ScratchBusy;
        ScratchBusy = true;
        struct TRelease {
            bool Outer;
            ~TRelease()
            {
                if (Outer) ScratchBusy = false;
            }
        } Release{Outer};
        Build(L, Lo, Hi, T);
        const bool Desc = L.Descending;
        PackWords(T, Desc);
        const unsigned char* Bytes = T.Bytes.data();
        Int64 n = 0;
        std::sort(T.Items.begin(), T.Items.end(), [&](const TItem& a, const TItem& b) {
            ++n;
            if (a.Word != b.Word) return a.Word < b.Word;
            const int c = CompareKeys(T.Keys[a.Key], T.Keys[b.Key], Bytes, Desc);
            return c != 0 ? c < 0 : a.Key < b.Key;
        });
        FCompares += n;
        Reorder(Lo, [&](size_t i) { return Lo + T.Items[i].Key; }, Hi - Lo);
        std::uint32_t Start = 0;
        const size_t N = T.Items.size();
        for (std::uint32_t i = 1; i <= N; ++i)
            if (i == N || T.Items[i - 1].Word != T.Items[i].Word ||
                CompareKeys(T.Keys[T.Items[i - 1].Key], T.Keys[T.Items[i].Key], Bytes, Desc) != 0) {
                if (i - Start > 1) Ties.emplace_back(Lo + Start, Lo + i);
                Start = i;
            }
    }

    void SortPairwise(const TSortLevel& L, std::uint32_t Lo, std::uint32_t Hi, TTies& Ties)
    {
        TKeyTable T;
        Build(L, Lo, Hi, T);
        auto Cmp = [&](std::uint32_t a, std::uint32_t b) {
            ++FCompares;
            return ComparePair(FSrc, L, T, FRows[Lo + a], FRows[Lo + b], a, b);
        };
        std::vector<std::uint32_t> Idx(Hi - Lo);
        for (std::uint32_t i = 0; i < Idx.size(); ++i) Idx[i] = i;
        SafeMergeSort(Idx, [&](std::uint32_t a, std::uint32_t b) { return Cmp(a, b) < 0; });
        Reorder(Lo, [&](size_t i) { return Lo + Idx[i]; }, Hi - Lo);
        std::uint32_t Start = 0;
        for (std::uint32_t i = 1; i <= Idx.size(); ++i)
            if (i == Idx.size() || Cmp(Idx[i - 1], Idx[i]) != 0) {
                if (i - Start > 1) Ties.emplace_back(Lo + Start, Lo + i);
                Start = i;
            }
    }

    // Rows[Lo + i] := the row that stood at PosOf(i) before.
    template <class F>
    void Reorder(std::uint32_t Lo, F PosOf, size_t n)
    {
        FNew.resize(n);
        for (size_t i = 0; i < n; ++i) FNew[i] = FRows[PosOf(i)];
        std::copy(FNew.begin(), FNew.end(), FRows.begin() + Lo);
    }

    ISortSource& FSrc;
    const std::vector<TSortLevel>& FLevels;
    std::vector<int>& FRows;
    Int64& FCompares;
    std::vector<int> FNew;
};

}  // namespace

String NumberText(String S, const String& Prefix, const String& Suffix, bool Financial)
{
    DeleteFirst(S, Prefix);
    DeleteFirst(S, Suffix);
    if (Financial) {
        // An empty currency string is never "contained": nothing to delete.
        const String& Cur = FormatSettings.CurrencyString;
        if (!Cur.empty())
            for (size_t p = S.find(Cur); p != String::npos; p = S.find(Cur)) {
                S.erase(p, Cur.size());
                S = Trim(S);
            }
        const Char TS = FormatSettings.ThousandSeparator;
        if (TS) S.erase(std::remove(S.begin(), S.end(), TS), S.end());
    }
    return S;
}

double NumberValue(String S, const String& Prefix, const String& Suffix, bool Financial, bool& Failed)
{
    S = NumberText(std::move(S), Prefix, Suffix, Financial);
    const Char DS = FormatSettings.DecimalSeparator;
    if (DS != L'.') {
        const size_t p = S.find(DS);
        if (p != String::npos) S[p] = L'.';
    }
    int Code = 0;
    const double v = ValFloat(S, Code, L'.');
    Failed = Code != 0 || !std::isfinite(v);
    return Finite(v);
}

TSortStyle DetectStyle(const String& S)
{
    if (IsNumberType(S)) return ssNumeric;
    // A separator counts where it stands at the 2nd or 3rd character, not last, between digits.
    auto At = [&](Char Sep, bool& Between) {
        const size_t p = S.find(Sep);
        const bool Place = p != String::npos && p >= 1 && p <= 2 && p + 1 < S.size();
        Between = Place && QorUtil::CheckNum(S[p - 1]) && QorUtil::CheckNum(S[p + 1]);
        return Place;
    };
    bool Digits = false;
    if (At(FormatSettings.DateSeparator, Digits)) {
        if (!Digits) return ssAlphabetic;
        return S.find(FormatSettings.TimeSeparator) != String::npos ? ssDateTime : ssDate;
    }
    if (At(FormatSettings.TimeSeparator, Digits) && Digits) return ssTime;
    return ssAlphabetic;
}

bool LocaleSortKey(const String& S, bool IgnoreCase, std::vector<unsigned char>& Key)
{
    if (S.empty()) return true;
    const DWORD Flags = LCMAP_SORTKEY | (IgnoreCase ? NORM_IGNORECASE : 0);
    const size_t At = Key.size();
    // Keys run to a few bytes per character: one call with room enough, a second when not.
    int Room = int(std::min<size_t>(S.size() * 8 + 32, 0x7FFFFFF0));
    Key.resize(At + size_t(Room));
    int n = LCMapStringW(LOCALE_USER_DEFAULT, Flags, S.data(), int(S.size()),
                         reinterpret_cast<LPWSTR>(Key.data() + At), Room);
    if (n <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        Room = LCMapStringW(LOCALE_USER_DEFAULT, Flags, S.data(), int(S.size()), nullptr, 0);
        if (Room > 0) {
            Key.resize(At + size_t(Room));
            n = LCMapStringW(LOCALE_USER_DEFAULT, Flags, S.data(), int(S.size()),
                             reinterpret_cast<LPWSTR>(Key.data() + At), Room);
        }
    }
    if (n <= 0) {
        Key.resize(At);
        return false;
    }
    Key.resize(At + size_t(n) - 1);   // without the terminating zero
    return true;
}

void SortRows(ISortSource& Src, const std::vector<TSortLevel>& Levels, std::vector<int>& Rows, Int64& Compares)
{
    if (Rows.size() > 0xFFFFFFF0u) return;
    TSorter(Src, Levels, Rows, Compares).Sort(0, 0, std::uint32_t(Rows.size()));
}

int CompareRows(ISortSource& Src, const std::vector<TSortLevel>& Levels, size_t First, int Row1, int Row2)
{
    for (size_t l = First; l < Levels.size(); ++l) {
        const TSortLevel& L = Levels[l];
        if (KindOf(L) == TKind::Ignored) continue;
        TKeyTable T;
        TKeyBuilder B(Src, L, T);
        B.Add(Row1);
        B.Add(Row2);
        const int c = KindOf(L) == TKind::Keys ? CompareKeys(T.Keys[0], T.Keys[1], T.Bytes.data(), L.Descending)
                                               : ComparePair(Src, L, T, Row1, Row2, 0, 1);
        if (c != 0) return c;
    }
    return 0;
}

}  // namespace QorGridSort
