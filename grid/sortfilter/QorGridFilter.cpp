// TQorStringGrid: filtering (index systems: view/HiddenRowMap.h).
//
// A filter pass parses every condition of Filter once (TCompiledFilter: one TFilterMatcher per
// item, the literal alternatives split, the whole-row text folded), then tests each normal row in
// view against it, so that a pass over many rows costs only the matching. The failing rows leave
// the view in one bulk move (HideRowList) as a new filter level, or get height 0 with ftSuppress.
// Popping a level brings back only that level's rows; a row that comes back inside a node that
// was contracted after it was filtered goes back under its node (hidden by range), so a contracted
// node never shows children.
#include "grid/QorGrid.h"

#include "framework/IniFiles.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorFilter.h"
#include "graphics/QorUtilText.h"
#include "grid/paint/CellGraphic.h"
#include "grid/sortfilter/FilterLiteral.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/store/QorObj.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>
#include <vector>

using namespace QorGridConsts;

namespace QorGridDetail {

// Filter's items as a pass reads them: conditions parsed once.
struct TCompiledFilter {
    struct TItem {
        bool Enabled = true;
        TFilterCells Data = fcVirtual;
        int Column = 0;
        TFilterOperation Operation = foSHORT;
        TFilterMethod Method = fmExpression;
        bool RemoveAccented = false;
        bool Broken = false;                 // the condition could not be parsed: the item fails
        String Condition;                    // accents removed with RemoveAccented
        String Prefix, Suffix;
        QorUtil::TFilterMatcher Matcher;     // fmExpression
        std::vector<String> Alternatives;    // fmLiteral: the alternatives, quotes resolved
        String RowCondition;                 // fcRow: ASCII letters upper-cased
        bool PlainCells = false;             // fcVirtual: cells without properties read as stored
    };
    std::vector<TItem> Items;

    explicit TCompiledFilter(TFilter* Filter)
    {
        Items.resize(size_t(Filter->Count()));
        for (int i = 0; i < Filter->Count(); ++i) {
            const TFilterData* D = Filter->GetItems(i);
            TItem& It = Items[size_t(i)];
            It.Enabled = D->GetEnabled();
            It.Data = D->GetData();
            It.Column = D->GetColumn();
            It.Operation = D->GetOperation();
            It.Method = D->GetMethod();
            It.RemoveAccented = D->GetRemoveAccented();
            It.Prefix = D->GetPrefix();
            It.Suffix = D->GetSuffix();
            It.Condition = It.RemoveAccented ? QorUtil::RemoveAccentedStr(D->GetCondition()) : D->GetCondition();
            if (!It.Enabled) continue;
            try {
                if (It.Data == fcRow) {
                    It.RowCondition = UpperCase(It.Condition);
                } else if (It.Method == fmLiteral) {
                    It.Alternatives = QorGridFilterLiteral::LiteralAlternatives(It.Condition);
                } else if (!It.Condition.empty()) {
                    It.Matcher.Parse(It.Condition, D->GetCaseSensitive());
                }
            } catch (const Exception&) {
                It.Broken = true;
            }
        }
    }
};

}  // namespace QorGridDetail

using QorGridDetail::TCompiledFilter;

namespace {

// The literal method: the text must be one of the "|" alternatives (sortfilter/FilterLiteral.h:
// two double quotes stand for the empty text, a quoted alternative for the text inside).
bool LiteralMatch(const TCompiledFilter::TItem& It, const String& s)
{
    return std::find(It.Alternatives.begin(), It.Alternatives.end(), s) != It.Alternatives.end();
}

// The whole-row test: a substring of the row's text (ASCII letters folded), or with FromStart
// the start of the text or of a cell (after Sep).
bool RowMatch(const String& Cond, String s, bool FromStart, Char Sep)
{
    if (Cond.empty()) return true;
    for (Char& ch : s) ch = UpCase(ch);
    if (!FromStart) return s.find(Cond) != String::npos;
    if (s.compare(0, Cond.size(), Cond) == 0) return true;
    for (size_t p = s.find(Sep); p != String::npos; p = s.find(Sep, p + 1))
        if (s.compare(p + 1, Cond.size(), Cond) == 0) return true;
    return false;
}

bool IsBlank(Char ch)
{
    return ch <= L' ';
}

bool NeedsTrim(const String& s)
{
    return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back()));
}

// The text a condition tests: the cell's stored text where nothing changes it (read in place,
// without a copy), else a text of its own.
class TTestedText {
public:
    const String& Get() const { return *FText; }
    void Refer(const String& Stored) { FText = &Stored; }
    void Set(String Value)
    {
        FOwn = std::move(Value);
        FText = &FOwn;
    }
    // The text of its own, to change in place.
    String& Own()
    {
        if (FText != &FOwn) Set(*FText);
        return FOwn;
    }

private:
    String FOwn;
    const String* FText = &FOwn;
};

}  // namespace

// ---- Testing rows ---------------------------------------------------------------------------------------

bool TQorStringGrid::PlainDisplayText(int RCol)
{
    // A descendant may change the shown text of every cell; so may the events and the settings
    // that GetDisplText applies.
    return typeid(*this) == typeid(TQorStringGrid) && !OnGetDisplText && !OnGetDisplWideText &&
           !FHints.FURLShowInText && !(RCol == 1 && FOpt.FGrouping->GetShowGroupCount());
}

std::unique_ptr<TCompiledFilter> TQorStringGrid::CompileFilter()
{
    auto F = std::make_unique<TCompiledFilter>(FOpt.FFilter.get());
    for (TCompiledFilter::TItem& It : F->Items) It.PlainCells = It.Data == fcVirtual && PlainDisplayText(It.Column);
    return F;
}

bool TQorStringGrid::MatchCompiledFilter(const TCompiledFilter& F, int ARow)
{
    bool Result = true;
    for (const TCompiledFilter::TItem& It : F.Items) {
        if (!It.Enabled) continue;
        bool m = false;
        if (!It.Broken) try {
            TTestedText t;
            const String* Prefix = &It.Prefix;
            const String* Suffix = &It.Suffix;
            String FmtPrefix, FmtSuffix;
            Char Sep = L'\n';
            switch (It.Data) {
            case fcVirtual:
                // A cell without properties is no merged cell: its shown text is its stored one.
                if (It.PlainCells && It.Column >= 0 && ARow >= 0 && !GetObjects(It.Column, ARow))
                    t.Refer(StoredText(It.Column, ARow));
                else
                    t.Set(GetCellEx(It.Column, ARow));
                if (t.Get().find(L"</") != String::npos) t.Set(JyrHTMLE::HTMLStrip(t.Get()));
                if (t.Get().empty()) {
                    TSortStyle Style = ssAutomatic;
                    GetColFormat(It.Column, Style, FmtPrefix, FmtSuffix);
                    if (Style == ssImages) {
                        int Idx = -1;
                        t.Set(IntToStr(GetImageIdx(It.Column, ARow, Idx) ? Idx : -1));
                        Prefix = &FmtPrefix;
                        Suffix = &FmtSuffix;
                    }
                }
                break;
            case fcNormal:
                if (It.Column >= 0 && ARow >= 0) t.Refer(StoredText(It.Column, ARow));
                break;
            case fcStripHTML: t.Set(GetStrippedCell(It.Column, ARow)); break;
            case fcCalculated: t.Set(CalcCell(It.Column, ARow)); break;
            case fcRow: {
                String& s = t.Own();
                if (FLists.FIgnoreColumns->Count() == 0) {
                    for (int c = 0; c < AllCols(); ++c) s += GetGridCell(c, ARow) + L"\r\n";
                } else {
                    Sep = L',';
                    for (int c = 0; c < GetColCount(); ++c)
                        if (!IsIgnoredColumn(c)) s += L"," + GetGridCell(RealColIndex(c), ARow);
                }
                break;
            }
            }
            if (NeedsTrim(t.Get())) t.Set(Trim(t.Get()));
            if (It.RemoveAccented) t.Set(QorUtil::RemoveAccentedStr(t.Get()));
            if (t.Get().find(L"|\\") != String::npos) t.Set(QorUtil::DecodeWideStr(t.Get()));
            if (It.Data == fcRow) {
                m = RowMatch(It.RowCondition, std::move(t.Own()), FFilterState.FNarrowDownFromStart, Sep);
            } else {
                const String& s = t.Get();
                if (!Prefix->empty() && s.compare(0, Prefix->size(), *Prefix) == 0) t.Own().erase(0, Prefix->size());
                if (!Suffix->empty()) {
                    const String& v = t.Get();
                    const size_t p = v.find(*Suffix);
                    if (p != String::npos && p + Suffix->size() == v.size()) t.Own().erase(p);
                }
                if (It.Condition.empty()) m = true;
                else if (It.Method == fmExpression) m = It.Matcher.Match(t.Get());
                else m = LiteralMatch(It, t.Get());
            }
        } catch (const Exception&) {
            // A condition that cannot be evaluated fails its item; the pass goes on.
            m = false;
        }
        if (It.Operation == foSHORT) {
            // A failing short-circuit item ends the test.
            Result = m;
            if (!m) break;
        } else if (It.Operation == foNONE) {
            Result = m;
        } else if (It.Operation == foAND) {
            Result = Result && m;
        } else if (It.Operation == foXOR) {
            Result = Result != m;
        } else {
            Result = Result || m;
        }
    }
    if (OnCustomFilter) OnCustomFilter(this, ARow, Result);
    return Result;
}

bool TQorStringGrid::MatchFilter(int ARow)
{
    if (FFilterState.FRun) return MatchCompiledFilter(*FFilterState.FRun, ARow);
    return MatchCompiledFilter(*CompileFilter(), ARow);
}

void TQorStringGrid::FilterRow(int ARow)
{
    if (MatchFilter(ARow)) return;
    if (FFilterState.FFilterType == ftSuppress) SuppressRow(ARow);
    else HideRow(RemapRowInv(ARow));
}

// ---- Filter passes and levels -------------------------------------------------------------------------

void TQorStringGrid::ApplyFilter()
{
    FFilterState.FFilterFixedRows = FDims.FFixedRowsMin;
    const int First = GetFixedRows();
    const int Last = GetRowCount() - GetFixedFooters() - 1;
    const int Total = GetRowCount() - GetFixedFooters() - FFilterState.FFilterFixedRows;
    if (Total <= 0) return;
    const std::unique_ptr<TCompiledFilter> F = CompileFilter();
    TValueScope<const TCompiledFilter*> Run(FFilterState.FRun, F.get());
    auto Failing = TFreePtr<TIntList>(Create<TIntList>(-1, -1));
    const bool SkipNodes = FFilterState.FFilterNormalCellsOnly;
    const bool Nodes = SkipNodes && HasNodes();
    auto Progress = [&](int Examined) {
        if (OnFilterProgress) OnFilterProgress(this, int(std::lround(100.0 * Examined / Total)));
    };
    int Examined = 0;
    for (int r = First; r <= Last; ++r) {
        const bool Skip = SkipNodes && ((Nodes && IsNode(r)) || IsSummary(r));
        if (!Skip) {
            if (!MatchFilter(r)) Failing->Add(r);
            Progress(++Examined);
        }
    }
    // Every pass is a level, also one that takes no row away: popping it must not pop the
    // level below.
    if (FFilterState.FFilterType == ftSuppress) {
        HideRowList(Failing.get());
        ++FFilterState.FFilterLevel;
    } else if (Failing->Count() == 0) {
        ++FFilterState.FFilterLevel;
    } else {
        HideRowList(Failing.get());
    }
    Progress(Examined);
}

void TQorStringGrid::KeepContractedChildrenHidden()
{
    if (!HasNodes() || FFilterState.FFilterType == ftSuppress) return;
    // The children of each contracted node in view, as real rows (as ContractNode finds them);
    // any of them in view came back with a filter level.
    std::vector<std::pair<int, int>> Ranges;
    for (int d = 0; d < GetRowCount(); ++d) {
        TCellGraphic* N = NodeAt(d);
        if (!N || !N->FCellBoolean) continue;
        const int Real = RemapRowInv(d);
        int LastChild;
        if (N->FCellIndex > 0) {
            LastChild = std::min(Real + N->FCellIndex - 1, TotalRowCount() - 1);
        } else {
            int e = d + 1;
            while (e < GetRowCount() && !NodeAt(e)) ++e;
            LastChild = RemapRowInv(e) - 1;
        }
        if (d + 1 < GetRowCount() && RemapRowInv(d + 1) <= LastChild) Ranges.emplace_back(Real + 1, LastChild);
    }
    for (auto It = Ranges.rbegin(); It != Ranges.rend(); ++It) HideRows(It->first, It->second);
}

void TQorStringGrid::EndFilterLevel()
{
    // Rows under contracted nodes stay out of view in both modes.
    if (FFilterState.FFilterType == ftSuppress) {
        UnSuppressAllOpenRows();
    } else {
        UnHideRowList();
        KeepContractedChildrenHidden();
    }
    const int Fixed = FFilterState.FFilterFixedRows;
    if (Fixed >= 0 && Fixed != GetFixedRows() && Fixed < GetRowCount()) SetFixedRowsEx(Fixed);
    if (IsSelectionHidden()) UnHideSelection();
}

void TQorStringGrid::SetFilterActive(bool Value)
{
    if (IsLoading()) return;
    if (Value != FFilterState.FFilterActive) {
        FFilterState.FFilterActive = Value;
        if (Value) {
            if (GetCol() >= GetColCount() || GetRow() >= GetRowCount()) FocusCell(GetFixedCols(), GetFixedRows());
            BeginUpdate();
            auto End = ScopeExit([&] { EndUpdate(); });
            ApplyFilter();
            FModel.FSelHidden = false;
        } else {
            // The rows of the top level come back; the level count stays.
            EndFilterLevel();
        }
        SetTopRowEx(GetFixedRows());
    }
    CalcFooter(-1);
}

bool TQorStringGrid::RemoveLastFilter()
{
    FFilterState.FIsNarrowDown = false;
    if (FFilterState.FFilterLevel < 1) return false;
    EndFilterLevel();
    CalcFooter(-1);
    --FFilterState.FFilterLevel;
    // With no level left nothing is filtered: switching filtering on applies Filter again.
    if (FFilterState.FFilterLevel == 0) FFilterState.FFilterActive = false;
    TFilter* Filter = FOpt.FFilter.get();
    if (Filter->Count() > 0) Filter->Delete(Filter->Count() - 1);
    return FFilterState.FFilterLevel > 1;
}

void TQorStringGrid::RemoveAllFilters()
{
    if (FFilterState.FFilterLevel > 0) {
        while (FFilterState.FFilterLevel > 0) RemoveLastFilter();
    } else {
        FOpt.FFilter->Clear();
    }
    FFilterState.FIsNarrowDown = false;
}

// ---- Narrow-down ----------------------------------------------------------------------------------------

void TQorStringGrid::NarrowDown(const String& ACondition, int AColumn)
{
    NarrowDown(ACondition, TNarrowDownOptions{}, AColumn);
}

void TQorStringGrid::NarrowDown(const String& ACondition, bool DoRemoveAccented, int AColumn)
{
    NarrowDown(ACondition, DoRemoveAccented ? TNarrowDownOptions{ndRemoveAccented} : TNarrowDownOptions{}, AColumn);
}

void TQorStringGrid::NarrowDown(const String& ACondition, TNarrowDownOptions AOptions, int AColumn)
{
    if (GetFixedRows() > 0) FDims.FFixedRowAlways = true;
    const String Last = FFilterState.FLastFilter;
    const bool Suppress = FFilterState.FFilterType == ftSuppress;
    auto Apply = [&] {
        TFilter* Filter = FOpt.FFilter.get();
        Filter->Clear();
        TFilterData* D = Filter->Add();
        D->SetColumn(SmallInt(AColumn));
        D->SetCaseSensitive(AOptions.Contains(ndCaseSensitive));
        D->SetRemoveAccented(AOptions.Contains(ndRemoveAccented));
        if (AColumn == -1) {
            D->SetData(fcRow);
            D->SetCondition(ACondition);
        } else {
            D->SetData(fcNormal);
            const String Q = ACondition.find(L' ') != String::npos ? L"\"" + ACondition + L"\"" : ACondition;
            D->SetCondition(FFilterState.FNarrowDownFromStart ? L"=" + Q + L"*" : L"*" + Q + L"*");
        }
        ApplyFilter();
    };
    const bool OneMore = !Last.empty() && ACondition.size() == Last.size() + 1 && ACondition.compare(0, Last.size(), Last) == 0;
    const bool OneLess = !Last.empty() && !ACondition.empty() && ACondition.size() + 1 == Last.size() &&
                         Last.compare(0, ACondition.size(), ACondition) == 0;
    if (ACondition.empty()) {
        if (Suppress) UnSuppressAllOpenRows();
        else RemoveLastFilter();
        // Every level goes; rows hidden by hand or under contracted nodes stay in the store.
        RemoveAllFilters();
    } else if (OneMore) {
        Apply();
    } else if (OneLess && !Suppress) {
        RemoveLastFilter();
    } else {
        if (OneLess) UnSuppressAllOpenRows();
        RemoveAllFilters();
        Apply();
    }
    FFilterState.FLastFilter = ACondition;
    FFilterState.FIsNarrowDown = !ACondition.empty();
}

// ---- The filter file ------------------------------------------------------------------------------------

namespace {

const wchar_t* const SecFilter = L"FILTER";
const wchar_t* const KeyCount = L"COUNT";
const wchar_t* const SecItem = L"ITEM";

String ItemSection(int i)
{
    return SecItem + IntToStr(i);
}

// Strict reads of a loaded file: a missing key gives its default, a value of the wrong form
// raises naming the file, the section and the key.
class TFilterFileReader {
public:
    explicit TFilterFileReader(const String& FileName) : FName(FileName), FIni(FileName) {}

    TMemIniFile& Ini() { return FIni; }

    [[noreturn]] void Fail(const String& Why) const
    {
        throw EQorGridError(SFilterFileInvalid, {FName, Why});
    }
    void NeedSection(const String& Sec)
    {
        if (!FIni.SectionExists(Sec)) Fail(Format(SFilterFileNoSection, {Sec}));
    }
    int Int(const String& Sec, const String& Key, int Default, int Min, int Max)
    {
        if (!FIni.ValueExists(Sec, Key)) return Default;
        const String v = FIni.ReadString(Sec, Key, L"");
        int n = 0;
        if (!TryStrToInt(v, n) || n < Min || n > Max) Fail(Format(SFilterFileBadValue, {Sec, Key, v}));
        return n;
    }
    bool Bool(const String& Sec, const String& Key, bool Default)
    {
        return Int(Sec, Key, Default ? 1 : 0, 0, 1) != 0;
    }
    String Str(const String& Sec, const String& Key)
    {
        return FIni.ReadString(Sec, Key, L"");
    }

private:
    String FName;
    TMemIniFile FIni;
};

// One item as the file holds it.
struct TStoredItem {
    String Condition, Prefix, Suffix, FriendlyName;
    int Column = 0;
    TFilterOperation Operation = foSHORT;
    TFilterMethod Method = fmExpression;
    bool CaseSensitive = false, Enabled = true, RemoveAccented = false;
};

}  // namespace

void TQorStringGrid::SaveFilter(const String& FileName)
{
    // Built in memory and written in one piece: a failure raises and claims nothing saved.
    TMemIniFile Ini(FileName);
    TFilter* Filter = FOpt.FFilter.get();
    const int n = Filter->Count();
    {
        // Items of an earlier, longer save would be read back by a reader that ignores COUNT.
        auto Sections = TFreePtr<TStringList>(Create<TStringList>());
        Ini.ReadSections(Sections.get());
        for (int i = 0; i < Sections->Count(); ++i) {
            const String Sec = Sections->Get(i);
            int k = 0;
            if (SameText(Sec.substr(0, 4), SecItem) && TryStrToInt(Sec.substr(4), k) && k >= n) Ini.EraseSection(Sec);
        }
    }
    Ini.WriteInteger(SecFilter, KeyCount, n);
    for (int i = 0; i < n; ++i) {
        const TFilterData* D = Filter->GetItems(i);
        const String Sec = ItemSection(i);
        Ini.WriteString(Sec, L"CONDITION", D->GetCondition());
        Ini.WriteInteger(Sec, L"COLUMN", D->GetColumn());
        Ini.WriteInteger(Sec, L"OPERATION", int(D->GetOperation()));
        Ini.WriteInteger(Sec, L"METHOD", int(D->GetMethod()));
        Ini.WriteBool(Sec, L"CASE", D->GetCaseSensitive());
        Ini.WriteBool(Sec, L"ENABLED", D->GetEnabled());
        Ini.WriteBool(Sec, L"REMOVEACCENTED", D->GetRemoveAccented());
        Ini.WriteString(Sec, L"PREFIX", D->GetPrefix());
        Ini.WriteString(Sec, L"SUFFIX", D->GetSuffix());
        Ini.WriteString(Sec, L"FRIENDLYNAME", D->GetFriendlyName());
    }
    Ini.UpdateFile();
}

void TQorStringGrid::LoadFilter(const String& FileName)
{
    if (!FileExists(FileName)) throw EQorGridError(SFilterFileInvalid, {FileName, String(SFilterFileNotFound)});
    TFilterFileReader R(FileName);
    if (!R.Ini().ValueExists(SecFilter, KeyCount)) return;
    // Everything is read and checked before Filter changes: a bad file leaves it as it was. The
    // sections are looked up one by one, so a huge COUNT fails at the first missing section.
    const int Count = R.Int(SecFilter, KeyCount, 0, 0, std::numeric_limits<int>::max());
    std::vector<TStoredItem> Stored;
    for (int i = 0; i < Count; ++i) {
        const String Sec = ItemSection(i);
        R.NeedSection(Sec);
        TStoredItem S;
        S.Condition = R.Str(Sec, L"CONDITION");
        S.Column = R.Int(Sec, L"COLUMN", 0, -32768, 32767);
        S.Operation = TFilterOperation(R.Int(Sec, L"OPERATION", 0, foSHORT, foOR));
        S.Method = TFilterMethod(R.Int(Sec, L"METHOD", 0, fmExpression, fmLiteral));
        S.CaseSensitive = R.Bool(Sec, L"CASE", false);
        S.Enabled = R.Bool(Sec, L"ENABLED", true);
        S.RemoveAccented = R.Bool(Sec, L"REMOVEACCENTED", false);
        S.Prefix = R.Str(Sec, L"PREFIX");
        S.Suffix = R.Str(Sec, L"SUFFIX");
        S.FriendlyName = R.Str(Sec, L"FRIENDLYNAME");
        Stored.push_back(std::move(S));
    }
    TFilter* Filter = FOpt.FFilter.get();
    Filter->BeginUpdate();
    auto End = ScopeExit([&] { Filter->EndUpdate(); });
    Filter->Clear();
    for (const TStoredItem& S : Stored) {
        TFilterData* D = Filter->Add();
        D->SetCondition(S.Condition);
        D->SetColumn(SmallInt(S.Column));
        D->SetOperation(S.Operation);
        D->SetMethod(S.Method);
        D->SetCaseSensitive(S.CaseSensitive);
        D->SetEnabled(S.Enabled);
        D->SetRemoveAccented(S.RemoveAccented);
        D->SetPrefix(S.Prefix);
        D->SetSuffix(S.Suffix);
        D->SetFriendlyName(S.FriendlyName);
    }
}
