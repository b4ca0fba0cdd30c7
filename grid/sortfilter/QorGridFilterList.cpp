// TQorStringGrid: the filter drop-down lists of the header (their value lists, a single choice, a
// check list's choices) and the filter edit row. A value taken from the cells is offered as an
// entry whose condition matches exactly that text (FilterLiteral.h), so values holding operator
// characters never turn into expressions.
#include "grid/QorGrid.h"

#include "graphics/QorUtilText.h"
#include "grid/QorGridSatellites.h"
#include "grid/QorGridUnit.h"
#include "grid/sortfilter/FilterLiteral.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/view/GridItem.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

using QorGridFilterLiteral::LiteralCondition;

namespace {

constexpr wchar_t Tab = L'\t';

// The part of a filter-list entry the lists show: up to the first Tab.
String DisplayPart(const String& Entry)
{
    const size_t p = Entry.find(Tab);
    return p == String::npos ? Entry : Entry.substr(0, p);
}

// The condition part of an entry: after the first Tab, or the whole entry.
String ConditionPart(const String& Entry)
{
    const size_t p = Entry.find(Tab);
    return p == String::npos ? Entry : Entry.substr(p + 1);
}

// The entry of a cell value: the value itself when it is its own literal condition, else the
// value, a Tab and the literal condition (for the empty value: two double quotes).
String ValueEntry(const String& Value, TFilterMethod Method)
{
    const String Cond = LiteralCondition(Value, Method);
    return Cond == Value ? Value : Value + Tab + Cond;
}

// Whether Entry is a cell value's entry (as ValueEntry builds it); Value receives the value.
// Entries of another shape (an OnGetColumnFilter handler's display text and condition) are not.
bool EntryValue(const String& Entry, TFilterMethod Method, String& Value)
{
    const size_t p = Entry.find(Tab);
    if (p == String::npos) {
        Value = Entry;
        return true;
    }
    Value = Entry.substr(0, p);
    return Entry.compare(p + 1, String::npos, LiteralCondition(Value, Method)) == 0;
}

// "a|b" joining of friendly names: empty parts before the first non-empty one add nothing.
void JoinPart(String& Joined, const String& Part)
{
    if (Joined.empty()) Joined = Part;
    else Joined += L'|' + Part;
}

// Sort key of a value-list entry: its shown text, and its number when the whole text is one.
struct TLogicalKey {
    String Text;
    bool IsNumber = false;
    double Number = 0;
};

TLogicalKey LogicalKey(const String& Entry)
{
    static const TFormatSettings Dot = [] {
        TFormatSettings FS = FormatSettings;
        FS.DecimalSeparator = L'.';
        FS.ThousandSeparator = L'\0';
        return FS;
    }();
    TLogicalKey K;
    K.Text = DisplayPart(Entry);
    K.IsNumber = !K.Text.empty() && TryStrToFloat(K.Text, K.Number, Dot) && std::isfinite(K.Number);
    return K;
}

int CompareLogical(const TLogicalKey& A, const TLogicalKey& B)
{
    if (A.IsNumber && B.IsNumber) return A.Number < B.Number ? -1 : A.Number > B.Number ? 1 : 0;
    return QorGridUnit::StrCmpLogical(A.Text, B.Text);
}

// Distinct entries in the order first met, compared with the list's letter case.
class TEntryCollector {
public:
    TEntryCollector(bool CaseSensitive, TFilterMethod Method) : FCase(CaseSensitive), FMethod(Method) {}
    void AddValue(const String& Value)
    {
        if (FSeen.insert(FCase ? Value : AnsiUpperCase(Value)).second) FEntries.push_back(ValueEntry(Value, FMethod));
    }
    std::vector<String>& Entries() { return FEntries; }

private:
    bool FCase;
    TFilterMethod FMethod;
    std::unordered_set<String> FSeen;
    std::vector<String> FEntries;
};

}  // namespace

int TQorStringGrid::StringListCompareLogical(TStringList* List, int Index1, int Index2)
{
    return CompareLogical(LogicalKey(List->Get(Index1)), LogicalKey(List->Get(Index2)));
}

bool TQorStringGrid::GetFilter(int ACol, bool Disp, bool AllRows)
{
    if (FFilterState.FBlockFilterUpdate) return true;
    TStringList* List = FLists.FFilterList.get();
    TFilterDropDown* FD = FOpt.FFilterDropDown.get();
    List->Clear();
    List->SetSorted(false);
    List->SetCaseSensitive(FD->GetCaseSensitive());

    std::vector<String> Entries;
    if (FFilterState.FFilterDropDownAuto && ACol >= 0 && ACol < GetAllColCount() &&
        (ACol >= GetFixedCols() || FFilterState.FFilterDropDownColumns == fdAll)) {
        TEntryCollector Values(FD->GetCaseSensitive(), FD->GetMethod());
        const bool CheckPair =
            IsDataCheckCol(ACol) && !FD->GetTextChecked().empty() && !FD->GetTextUnChecked().empty();
        auto Done = [&] { return Disp && !Values.Entries().empty(); };
        if (CheckPair) {
            Values.AddValue(FD->GetTextChecked());
            Values.AddValue(FD->GetTextUnChecked());
        } else {
            const int Last = GetRowCount() - 1 - FDims.FFixedFooters;
            for (int r = GetFixedRows(); r <= Last && !Done(); ++r) {
                if (IsNode(r)) continue;
                Values.AddValue(Trim(FD->GetIgnoreHTML() ? GetStrippedCell(ACol, r) : GetCellEx(ACol, r)));
            }
        }
        // The values of hidden rows, so that a column filtered by others still offers them.
        const bool Hidden =
            AllRows || (!FFilterState.FFilterIncremental && !CheckPair &&
                        (!FFilterState.FFilterDropDownMultiCol || FOpt.FFilter->HasFilter(ACol) || NumHiddenRows() > 0));
        if (Hidden && ACol >= 0 && ACol < AllCols()) {
            const TGridItems& Store = FLists.FGridItems;
            for (int i = 0; i < Store.Count() && !Done(); ++i) {
                const TGridItem& Item = Store[i];
                String s = Trim(Item.GetCell(ACol));
                if (OnGetDisplText) OnGetDisplText(this, ACol, Item.GetIdx(), s);
                if (CheckPair && (s == GetCheckTrueText() || s == GetCheckFalseText())) continue;
                Values.AddValue(s);
            }
        }
        Entries = std::move(Values.Entries());
        // The first entry that clears the column (or checks all): only over values to choose.
        const bool Check = FFilterState.FFilterDropDownCheck;
        const String& First =
            Check ? FFilterState.FFilterDropDownCheckUnCheckAll : FFilterState.FFilterDropDownClear;
        if (!Entries.empty() && !First.empty()) Entries.insert(Entries.begin(), First);
    }

    if (FD->GetSorted() && Entries.size() > 1) {
        std::vector<std::pair<TLogicalKey, String>> Keyed;
        Keyed.reserve(Entries.size());
        for (String& E : Entries) Keyed.emplace_back(LogicalKey(E), std::move(E));
        std::stable_sort(Keyed.begin(), Keyed.end(),
                         [](const auto& A, const auto& B) { return CompareLogical(A.first, B.first) < 0; });
        for (size_t i = 0; i < Keyed.size(); ++i) Entries[i] = std::move(Keyed[i].second);
    }
    List->BeginUpdate();
    List->SetCapacity(int(Entries.size()));
    for (const String& E : Entries) List->Add(E);
    List->EndUpdate();

    if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, List);
    return List->Count() > 0;
}

void TQorStringGrid::FilterSelect(TObject*, int ItemIndex)
{
    if (CanFocus()) SetFocus();
    auto Forget = ScopeExit([this] { FFilterState.FFilterCol = -1; });
    const int Col = FFilterState.FFilterCol;
    if (Col < 0 || Col >= GetAllColCount() || ItemIndex < 0 || ItemIndex >= FWin.FDropList->GetItems()->Count())
        return;
    GetFilter(Col, false, false);
    TStringList* List = FLists.FFilterList.get();
    if (ItemIndex >= List->Count()) return;   // the cells changed since the list opened

    TFilterDropDown* FD = FOpt.FFilterDropDown.get();
    TFilter* Filter = FOpt.FFilter.get();
    String F = List->Get(ItemIndex);
    const String FN = DisplayPart(F);
    if (IsDataCheckCol(Col)) {
        if (F == FD->GetTextChecked()) F = GetColumnCheckTrue(Col);
        else if (F == FD->GetTextUnChecked()) F = GetColumnCheckFalse(Col);
    }
    if (FFilterState.FAutoFilterUpdate) SetFilterActive(false);

    // A cell value is offered to OnFilterSelect as its text (the empty value as two double
    // quotes); left unchanged, it becomes the exact condition for the item's method.
    String Value;
    bool Literal = EntryValue(F, FD->GetMethod(), Value);
    String Cond = ConditionPart(F);
    if (Cond == FFilterState.FFilterDropDownClear) {
        Cond.clear();
        Literal = false;
    } else if (Literal)
        Cond = Value.empty() ? LiteralCondition(Value, fmExpression) : Value;
    else
        Cond = QorUtil::GetUnquotedStr(Cond);
    const String Offered = Cond;
    if (OnFilterSelect) OnFilterSelect(this, Col, ItemIndex, FN, Cond);
    Literal = Literal && Cond == Offered;
    if (!Literal && FD->GetMethod() == fmExpression && Cond.find_first_of(L"<>=!") == String::npos &&
        Cond.find_first_of(L"& ") != String::npos && (Cond.empty() || Cond.front() != L'"'))
        Cond = L"\"" + Cond + L"\"";

    if (!FFilterState.FFilterDropDownMultiCol) Filter->Clear();
    if (Cond.empty())
        Filter->RemoveColumnFilter(Col);
    else {
        TFilterData* Item = Filter->GetColFilter(Col);
        Item->SetCondition(Literal ? LiteralCondition(Value, Item->GetMethod()) : Cond);
        Item->SetFriendlyName(FN);
    }

    if (FFilterState.FAutoFilterUpdate) {
        DoBeforeFilter();
        FDims.FFixedRowAlways = true;
        SetFilterActive(true);
        if (GetRowCount() > GetFixedRows() && GetRowCount() > 1) SetRow(GetFixedRows());
        DoFilterDone();
    }
}

void TQorStringGrid::FilterClose(TObject*)
{
    if (CanFocus()) SetFocus();
    // The list closed without a choice: no list is open any more.
    if (FFilterState.FFilterCol >= 0) DoFilterClose(FFilterState.FFilterCol);
    FFilterState.FFilterCol = -1;
}

void TQorStringGrid::FilterCheck(TObject*, int ItemIndex)
{
    TDropCheckList* CL = FWin.FDropCheckList;
    TStrings* Items = CL->GetItems();
    const int Col = FFilterState.FFilterCol;
    if (ItemIndex < 0 || ItemIndex >= Items->Count() || Col < 0 || Col >= GetAllColCount()) return;

    if (OnFilterCheckMouseDown) OnFilterCheckMouseDown(this, Col, ItemIndex, CL->GetChecked(ItemIndex), Items);
    GetFilter(Col, false, false);
    if (FFilterState.FAutoFilterUpdate) SetFilterActive(false);
    TFilter* Filter = FOpt.FFilter.get();
    if (FFilterState.FFilterDropDownMultiCol) Filter->RemoveColumnFilter(Col);
    else Filter->Clear();

    // The all entry: the first one when its text is set. Checking or unchecking it carries its
    // state to every other entry; unchecking another entry unchecks it.
    const String& AllText = FFilterState.FFilterDropDownCheckUnCheckAll;
    const bool Auto = FFilterState.FFilterDropDownAuto;
    const int FirstValue = Auto && !AllText.empty() ? 1 : 0;
    if (FirstValue == 1 && ItemIndex > 0 && !CL->GetChecked(ItemIndex)) CL->SetChecked(0, false);
    if (ItemIndex == 0 && !AllText.empty() && Items->Get(0) == AllText)
        for (int i = 1; i < Items->Count(); ++i) CL->SetChecked(i, CL->GetChecked(0));
    if (OnFilterCheckClick) OnFilterCheckClick(this, Col, ItemIndex, CL->GetChecked(ItemIndex), Items);

    // Every entry checked, after the all entry has passed its state on: no condition.
    bool AllChecked = Auto && Items->Count() > FirstValue;
    for (int i = FirstValue; AllChecked && i < Items->Count(); ++i) AllChecked = CL->GetChecked(i);

    TFilterDropDown* FD = FOpt.FFilterDropDown.get();
    TStringList* List = FLists.FFilterList.get();
    // The entry behind each shown item, found by its shown text: once rows are filtered, hidden
    // rows' values come after the others in an unsorted list, so positions may have moved.
    std::unordered_map<String, int> EntryOf;
    for (int i = List->Count() - 1; i >= 0; --i) EntryOf[DisplayPart(List->Get(i))] = i;
    auto EntryText = [&](int i) {
        if (FFilterState.FFilterIncremental) return Items->Get(i);
        const auto It = EntryOf.find(Items->Get(i));
        return It != EntryOf.end() ? List->Get(It->second) : i < List->Count() ? List->Get(i) : String();
    };
    const int Count = Items->Count();
    if (!AllChecked) {
        // Markup in a chosen text makes the item literal, as it would be read as comparisons.
        TFilterMethod Method = FD->GetMethod();
        for (int i = 0; i < Count && Method == fmExpression; ++i)
            if (CL->GetChecked(i) && EntryText(i).find(L"</") != String::npos) Method = fmLiteral;
        QorGridFilterLiteral::TAlternatives Conditions(Method);
        String Names;
        for (int i = 0; i < Count; ++i) {
            if (!CL->GetChecked(i)) continue;
            if (!FFilterState.FFilterIncremental && !EntryOf.count(Items->Get(i)) && i >= List->Count())
                continue;   // an entry beyond the list
            String T = EntryText(i);
            if (IsDataCheckCol(Col)) {
                if (T == FD->GetTextChecked()) T = GetColumnCheckTrue(Col);
                else if (T == FD->GetTextUnChecked()) T = GetColumnCheckFalse(Col);
            }
            const String FN = DisplayPart(T);
            String Value, Cond;
            bool Literal = false;
            if (T == FFilterState.FFilterDropDownClear || T == AllText)
                ;   // the clearing and the all entry stand for no value
            else if (FFilterState.FFilterIncremental || EntryValue(T, FD->GetMethod(), Value)) {
                if (FFilterState.FFilterIncremental) Value = T == L" " ? String() : T;
                Cond = LiteralCondition(Value, Method);
                Literal = true;
            } else
                Cond = ConditionPart(T);
            const String Offered = Cond;
            if (OnFilterCheck) OnFilterCheck(this, Col, i, FN, Cond, Items);
            Conditions.Add(Cond, Literal && Cond == Offered);
            if (!Names.empty() || !FN.empty()) JoinPart(Names, FN);
        }
        const String Joined = Conditions.Text();
        if (!Joined.empty()) {
            TFilterData* Item = Filter->Add();
            Item->SetCondition(Joined);
            Item->SetFriendlyName(Names);
            Item->SetColumn(SmallInt(Col));
            Item->SetCaseSensitive(FD->GetCaseSensitive());
            Item->SetMethod(Method == fmLiteral || Joined.find(L"</") != String::npos ? fmLiteral : fmExpression);
        }
    }

    if (Filter->Count() > 0) DoBeforeFilter();
    SetFilterActive(Filter->Count() > 0);
    DoFilterDone();
    CL->Invalidate();
}

void TQorStringGrid::FilterDropDownChanged(TObject*)
{
    Invalidate();
}

void TQorStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value >= GetFixedRows()) return;
    FFilterState.FFilterDropDownRow = Value;
    Invalidate();
}

void TQorStringGrid::SetFilterDropDownAuto(bool Value)
{
    if (Value == FFilterState.FFilterDropDownAuto) return;
    FFilterState.FFilterDropDownAuto = Value;
    if (Value) FDims.FFixedRowAlways = true;
    else FLists.FFilterList->Clear();
    Invalidate();
}

// ---- Showing the lists --------------------------------------------------------------------------

void TQorStringGrid::ShowFilterDropDown(int ACol)
{
    FFilterState.FFilterCol = RealColIndex(ACol);
    GetFilter(FFilterState.FFilterCol, false, false);
    ShowFilterDropDownInt(ACol, FFilterState.FFilterDropDownRow);
}

void TQorStringGrid::ShowFilterDropDownInt(int ACol, int ARow)
{
    const TRect R = CellRect(ACol, ARow);
    TFilterDropDown* FD = FOpt.FFilterDropDown.get();
    const bool Check = FFilterState.FFilterDropDownCheck;
    TCustomListBox* List = Check ? static_cast<TCustomListBox*>(FWin.FDropCheckList) : FWin.FDropList;
    List->SetColor(FD->GetColor());
    List->GetFont()->Assign(FD->GetFont());
    TStrings* Items = List->GetItems();
    Items->BeginUpdate();
    Items->Clear();

    // The check list opens with the values of the column's filter checked (its friendly names).
    std::unordered_set<String> Chosen;
    if (Check)
        for (int i = 0; i < FOpt.FFilter->Count(); ++i) {
            TFilterData* D = FOpt.FFilter->GetItems(i);
            if (D->GetColumn() != FFilterState.FFilterCol) continue;
            String Names = D->GetFriendlyName();
            for (size_t p = 0;;) {
                const size_t q = Names.find(L'|', p);
                Chosen.insert(Names.substr(p, q == String::npos ? String::npos : q - p));
                if (q == String::npos) break;
                p = q + 1;
            }
        }
    TCanvas* Cv = GetCanvas();
    TFont Saved;
    Saved.Assign(Cv->GetFont());
    Cv->GetFont()->Assign(FD->GetFont());
    int Widest = 0;
    TStringList* Values = FLists.FFilterList.get();
    for (int i = 0; i < Values->Count(); ++i) {
        const String Text = DisplayPart(Values->Get(i));
        Items->Add(Text);
        Widest = std::max(Widest, Cv->TextWidth(Text) + (Check ? 24 : 8));
        if (!Check) continue;
        String Compare = Text;
        if (Compare == FD->GetTextChecked()) Compare = GetCheckTrueText();
        else if (Compare == FD->GetTextUnChecked()) Compare = GetCheckFalseText();
        FWin.FDropCheckList->SetChecked(i, Chosen.count(Compare) > 0);
    }
    Cv->GetFont()->Assign(&Saved);
    Items->EndUpdate();
    if (!Check && Items->Count() > 0) FWin.FDropList->SetItemIndex(0);

    int Width = FD->GetWidth(), Height = FD->GetHeight();
    if (FD->GetAutoSize()) {
        int Room = GetHeight() - GetRowHeights(0);
        if (GetVisibleColCount() + GetFixedCols() < GetColCount()) Room -= GetSystemMetrics(SM_CYHSCROLL);
        const int Needed = 2 * GetSystemMetrics(SM_CYEDGE) + Items->Count() * List->GetItemHeight();
        Height = std::min(Room, Needed);
        if (Needed > Room) Widest += GetSystemMetrics(SM_CXVSCROLL);
        Width = 2 * GetSystemMetrics(SM_CXEDGE) + Widest;
    }
    int Left = R.Right - 16;
    const int Top = R.Top + 16;
    if (FD->GetColumnWidth()) {
        Width = R.Right - R.Left;
        Left = R.Left;
    }

    bool Allow = true;
    DoFilterShow(ACol, Allow);
    if (!Allow) return;
    if (Left + Width > GetClientWidth()) Left = std::max(0, CellRect(ACol, 0).Right - Width);
    List->SetParent(this);
    List->SetBounds(Left, Top, Width, Height);
    List->SetVisible(true);
    if (List->CanFocus()) List->SetFocus();
}

void TQorStringGrid::HideFilterDropDown()
{
    for (TCustomListBox* List : {static_cast<TCustomListBox*>(FWin.FDropList),
                                 static_cast<TCustomListBox*>(FWin.FDropCheckList)}) {
        if (!List || !List->GetVisible()) continue;
        List->SetVisible(false);
        DoFilterClose(FFilterState.FFilterCol);
    }
    FFilterState.FFilterCol = -1;
}

// ---- The mouse on the filter buttons ------------------------------------------------------------

void TQorStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FFilterListState.FFltrPopPressCol = -1;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (Button == mbLeft && ACol >= 0 && ARow >= 0 && HasFilterEdit(ACol, ARow)) {
        const TRect R = CellRect(ACol, ARow);
        if (X > R.Left && X < R.Left + 16 && Y < R.Top + 16) FFilterListState.FFltrPopPressCol = ACol;
    }
    inherited::MouseDown(Button, Shift, X, Y);
}

void TQorStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool ColSizing = FGridState == gsColSizing;
    if (ACol >= 0 && ARow >= 0 && !ColSizing) {
        const TRect R = CellRect(ACol, ARow);
        const int RCol = RealColIndex(ACol);
        // The filter-type glyph of the filter edit row: the popup menu of condition kinds.
        if (HasFilterEdit(ACol, ARow) && FFilterListState.FFltrPopPressCol == ACol && X > R.Left &&
            X < R.Left + 16 && Y < R.Top + 16) {
            FFilterListState.FFltrPopPressCol = -1;
            TPopupMenu* Menu = FWin.FFltrPopup;
            Menu->SetTag(RCol);
            TStringList* Names = FOpt.FFilterEdit->GetTypeNames();
            for (int i = 0; i < Menu->GetItems()->Count() && i < Names->Count(); ++i) {
                TMenuItem* Item = Menu->GetItems()->Items(i);
                Item->SetCaption(Names->Get(i));
                bool DoShow = true;
                if (OnShowFilterEdit) OnShowFilterEdit(this, ACol, i, DoShow);
                Item->SetVisible(DoShow);
            }
            const TPoint P = ClientToScreen(TPoint(R.Left, R.Bottom));
            FGridState = gsNormal;
            Menu->Popup(P.X, P.Y);
            return;
        }
        // The filter button of the filter drop-down row: a second press closes the list.
        if (ARow == FFilterState.FFilterDropDownRow && FFilterState.FFilterCol != RCol && X > R.Right - 16 &&
            X < R.Right - 3 && Y < R.Top + 19 && GetFilter(RCol, false, false)) {
            HideFilterDropDown();
            ShowFilterDropDown(ACol);
        } else
            HideFilterDropDown();
    }
    inherited::MouseUp(Button, Shift, X, Y);
}

// ---- The filter edit row ------------------------------------------------------------------------

void TQorStringGrid::DoFilterEditDone(int ACol, TFilterType ft)
{
    SetFilterActive(false);
    TFilterEdit* FE = FOpt.FFilterEdit.get();
    TFilter* Filter = FOpt.FFilter.get();
    if (ft == ftClear) {
        SetCellEx(ACol, FE->GetRow(), L"");
        ft = ftContains;
    }
    const bool Had = Filter->HasFilter(ACol);
    TFilterData* Item = Filter->GetColFilter(ACol);
    if (!Had) Item->SetFilterType(ftContains);
    Item->SetCaseSensitive(FE->GetCaseSensitive());
    Item->SetColumn(SmallInt(ACol));
    if (ft != ftNone) Item->SetFilterType(ft);
    const String Text = GetCellEx(ACol, FE->GetRow());
    Item->BuildCondition(Text);
    Item->SetEnabled(!Text.empty());

    FFilterListState.FDoAutoEditFilter = true;
    FilterEditUpdate(ACol, Text, Item->GetFilterType());
    if (FFilterListState.FDoAutoEditFilter) {
        DoBeforeFilter();
        SetFilterActive(true);
        RepaintRow(0);
        DoFilterDone();
        return;
    }
    // A handler applies the filter itself: report the edit once the message loop comes round.
    FFilterState.FEditFilterColumn = ACol;
    FFilterState.FEditFilterCondition = Text;
    FFilterState.FEditFilterType = Item->GetFilterType();
    if (HandleAllocated()) PostMessage(GetHandle(), WM_FILTEREDITUPDATE, 0, 0);
}

void TQorStringGrid::DoFilterType(TObject* Sender)
{
    if (auto* Item = dynamic_cast<TMenuItem*>(Sender))
        DoFilterEditDone(int(FWin.FFltrPopup->GetTag()), TFilterType(Item->GetTag()));
}
