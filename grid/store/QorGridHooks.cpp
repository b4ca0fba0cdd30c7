// TQorStringGrid: the per-cell query hooks (each computes the grid's default answer, then fires its
// event), the Do... event dispatchers, and the per-cell text transforms of saving, loading,
// calculating and exporting.
#include "grid/QorGrid.h"

#include "grid/QorGridSatellites.h"
#include "grid/input/EditControlEditors.h"
#include "grid/paint/CellGraphic.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"

#include "framework/Forms.h"

// ---- Look of a cell -----------------------------------------------------------------------------------

void TQorStringGrid::GetCellColor(int RCol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (FLookState.FActiveCellShow) {
        const int DCol = DisplColIndex(RCol);
        const bool RowHeader = ARow == GetRow() && GetFixedCols() > 0 && DCol == GetFixedCols() - 1;
        const bool ColHeader = DCol == GetCol() && GetFixedRows() > 0 && ARow == GetFixedRows() - 1;
        if (RowHeader || ColHeader) {
            AFont->Assign(FOpt.FActiveCellFont.get());
            ABrush->SetColor(FLookState.FActiveCellColor);
        }
    }
    if (HasCellProperties(RCol, ARow)) {
        TCellProperties* P = GetCellProperties(RCol, ARow);
        switch (GetCellType(RCol, ARow)) {
        case ctIcon: case ctNone: case ctImageList: case ctCheckBox: case ctEmpty: case ctImages: case ctComment:
        case ctRadioButton:
            if (P->GetBrushColor() != clNone) ABrush->SetColor(P->GetBrushColor());
            break;
        default: break;
        }
        if (P->GetFontColor() != clNone) AFont->SetColor(P->GetFontColor());
        if (!P->GetFontStyle().Empty()) AFont->SetStyle(P->GetFontStyle());
        if (P->GetFontHeight() != 0) AFont->SetHeight(P->GetFontHeight());
        if (!P->GetFontName().empty()) AFont->SetName(P->GetFontName());
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, RCol, AState, ABrush, AFont);
}

void TQorStringGrid::GetCellPrintColor(int RCol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, RCol, AState, ABrush, AFont);
}

void TQorStringGrid::GetCellBorder(int RCol, int ARow, TPen* APen, TCellBorders& Borders)
{
    TGrouping* G = FOpt.FGrouping.get();
    if (G->GetHeaderUnderline() && IsNode(ARow) && RCol > 0) {
        Borders = TCellBorders{cbBottom};
        APen->SetColor(G->GetHeaderLineColor());
        APen->SetWidth(G->GetHeaderLineWidth());
    }
    if (G->GetSummaryLine() && IsSummary(ARow) && RCol > 0) {
        Borders = TCellBorders{cbTop};
        APen->SetColor(G->GetSummaryLineColor());
        APen->SetWidth(G->GetSummaryLineWidth());
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, RCol, APen, Borders);
}

void TQorStringGrid::GetCellPrintBorder(int RCol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, RCol, APen, Borders);
}

void TQorStringGrid::GetCellAlign(int RCol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect()) HAlign = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, RCol, HAlign, VAlign);
}

void TQorStringGrid::GetCellWordWrap(int RCol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap) OnGetWordWrap(this, RCol, ARow, WordWrap);
}

TFont* TQorStringGrid::GetCellFont(int RCol, int ARow)
{
    if (!HasCellProperties(RCol, ARow)) return GetFont();
    TCellProperties* P = GetCellProperties(RCol, ARow);
    TFont* F = FOpt.cf.get();
    F->SetName(P->GetFontName());
    F->SetHeight(P->GetFontHeight());
    F->SetStyle(P->GetFontStyle());
    F->SetColor(P->GetFontColor());
    return F;
}

TAlignment TQorStringGrid::GetDefaultAlignment()
{
    return FText.FDefaultAlignment;
}

void TQorStringGrid::GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD)
{
    GD = GradientVertical;
    TGridDrawState State;
    {
        TValueScope<bool> NoDisabledFont(FLookState.FUseDisabledFont, false);
        GetVisualProperties(ACol, ARow, State, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo,
                            AFont, HA, VA, WW, GD);
    }
    // New properties never freeze a colour that comes from the fixed state, bands, a gradient
    // background or the selection.
    const TBackGroundDisplay D = FOpt.FBackGround->GetDisplay();
    if (IsFixed(DisplColIndex(ACol), ARow) || FOpt.FBands->GetActive() || D == bdGradientHorz ||
        D == bdGradientVert || State.Contains(gdSelected)) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

// ---- Content and format ---------------------------------------------------------------------------------

void TQorStringGrid::GetColFormat(int RCol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)
{
    if (OnGetFormat) OnGetFormat(this, RCol, AStyle, aPrefix, aSuffix);
}

String TQorStringGrid::GetCheckTrue(int RCol, int ARow)
{
    String Value = FText.FCheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, RCol, ARow, Value);
    return Value;
}

String TQorStringGrid::GetCheckFalse(int RCol, int ARow)
{
    String Value = FText.FCheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, RCol, ARow, Value);
    return Value;
}

String TQorStringGrid::GetColumnCheckTrue(int)
{
    return FText.FCheckTrue;
}

String TQorStringGrid::GetColumnCheckFalse(int)
{
    return FText.FCheckFalse;
}

String TQorStringGrid::GetCellFloatFormat(int RCol, int ARow)
{
    String Format = FText.FFloatFormat;
    if (OnGetFloatFormat) {
        bool IsFloat = true;
        OnGetFloatFormat(this, RCol, ARow, IsFloat, Format);
    }
    return Format;
}

void TQorStringGrid::GetCellHint(int ACol, int ARow, String& AHint, WideString& AWideHint)
{
    if (OnGridHint) {
        OnGridHint(this, ARow, ACol, AHint);
        FOpt.FOfficeHint->GetNotes()->SetText(AHint);
    }
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, AWideHint);
        if (!AWideHint.empty()) AHint = QorUtil::EncodeWideStr(AWideHint);
    }
    if (OnOfficeHint) OnOfficeHint(this, ACol, ARow, FOpt.FOfficeHint.get());
}

// ---- Editing ---------------------------------------------------------------------------------------------

void TQorStringGrid::GetStaticCellEditor(int RCol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, RCol, ARow, AEditor);
}

void TQorStringGrid::GetCellEditor(int RCol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, RCol, ARow, AEditor);
}

bool TQorStringGrid::GetEditorNone(int RCol, int ARow)
{
    if (!OnGetEditorType) return false;
    TEditorType Editor = edNormal;
    OnGetEditorType(this, RCol, ARow, Editor);
    return Editor == edNone;
}

namespace {

// HasCombo, HasEditBtn and HasSpinEdit: the event decides when it is set (starting false);
// otherwise, while the look shows the button always, the cell's editor kind (AEditor, or the
// default editor through the editor hook when AEditor is edNone) is tested.
template <class TIsKind, class TEditorOf>
bool HasButtonEditor(TObject* Grid, const THasEditorEvent& Event, bool AlwaysVisible, int RCol, int ARow,
                     TEditorType AEditor, TEditorType DefaultEditor, TEditorOf EditorOf, TIsKind IsKind)
{
    if (Event) {
        bool Has = false;
        Event(Grid, RCol, ARow, Has);
        return Has;
    }
    if (!AlwaysVisible) return false;
    TEditorType Editor = AEditor;
    if (Editor == edNone) {
        Editor = DefaultEditor;
        EditorOf(Editor);
    }
    return IsKind(Editor);
}

} // namespace

bool TQorStringGrid::HasCombo(int RCol, int ARow, TEditorType AEditor)
{
    return HasButtonEditor(
        this, OnHasComboBox, FOpt.FControlLook->GetDropDownAlwaysVisible(), RCol, ARow, AEditor, FEdit.FDefaultEditor,
        [&](TEditorType& E) { GetCellEditor(RCol, ARow, E); },
        [](TEditorType E) {
            return E == edComboEdit || E == edComboList || E == edDetailDropDown || E == edGridDropDown ||
                   E == edQorGridDropDown;
        });
}

bool TQorStringGrid::HasEditBtn(int RCol, int ARow, TEditorType AEditor)
{
    return HasButtonEditor(
        this, OnHasEditBtn, FOpt.FControlLook->GetDropDownAlwaysVisible(), RCol, ARow, AEditor, FEdit.FDefaultEditor,
        [&](TEditorType& E) { GetCellEditor(RCol, ARow, E); }, [](TEditorType E) { return E == edEditBtn; });
}

bool TQorStringGrid::HasSpinEdit(int RCol, int ARow, TEditorType AEditor)
{
    if (DisplColIndex(RCol) < GetFixedCols() || ARow < GetFixedRows()) return false;
    return HasButtonEditor(
        this, OnHasSpinEdit, FOpt.FControlLook->GetSpinButtonsAlwaysVisible(), RCol, ARow, AEditor,
        FEdit.FDefaultEditor, [&](TEditorType& E) { GetStaticCellEditor(RCol, ARow, E); },
        [](TEditorType E) {
            return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
        });
}

bool TQorStringGrid::HasFilterEdit(int ACol, int ARow)
{
    TFilterEdit* F = FOpt.FFilterEdit.get();
    bool Has = F->GetEnabled() && ARow == F->GetRow();
    if (Has && F->GetColumns() == fdNormal)
        Has = ACol >= GetFixedCols() && ACol < GetColCount() + FDims.FNumHidden - FDims.FFixedRightCols;
    if (Has && OnHasFilterEdit) OnHasFilterEdit(this, ACol, Has);
    return Has;
}

void TQorStringGrid::FilterEditUpdate(int ACol, const String& Condition, TFilterType FilterType)
{
    if (OnFilterEditUpdate) OnFilterEditUpdate(this, ACol, Condition, FilterType);
}

void TQorStringGrid::GetCellFixed(int ACol, int ARow, bool& IsFixed)
{
    if (!IsFixed)
        IsFixed = ACol < GetFixedCols() || ARow < GetFixedRows() ||
                  (FDims.FFixedRowAlways && GetRowCount() == FDims.FFixedRowsMin && ARow < FDims.FFixedRowsMin) ||
                  (FDims.FFixedColAlways && GetColCount() == FDims.FFixedColsMin && ACol < FDims.FFixedColsMin);
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TQorStringGrid::GetCellReadOnly(int RCol, int ARow, bool& CanEdit)
{
    const TPoint B = BaseCell(RCol, ARow);
    // A cell outside the grid's real columns (or rows) is never editable: a denial is never turned
    // into a permission there.
    if (B.X < 0 || B.X >= TotalColCount() || B.Y < 0 || B.Y >= GetRowCount()) {
        CanEdit = false;
        return;
    }
    if (CanEdit && HasCellProperties(B.X, B.Y)) CanEdit = !GetCellProperties(B.X, B.Y)->GetReadOnly();
    // Without goEditing nothing is edited, whether the cell has properties or not, unless the
    // grid edits by other means.
    if (CanEdit && !GetOptions().Contains(goEditing) && !FEdit.FEditDisable &&
        !FOpt.FMouseActions->GetRangeSelectAndEdit())
        CanEdit = false;
    DoCanEditCell(B.X, B.Y, CanEdit);
}

void TQorStringGrid::DoCanEditCell(int RCol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, RCol, CanEdit);
}

void TQorStringGrid::GetCellPassword(int RCol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, RCol, IsPassword);
}

void TQorStringGrid::DoFixedCellEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)
{
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

TCustomImageList* TQorStringGrid::GetCellImageList(int, int)
{
    return FOpt.FGridImages;
}

// ---- Actions and notifications ---------------------------------------------------------------------------

void TQorStringGrid::DoClickSort(int ACol)
{
    if (OnClickSort) OnClickSort(this, ACol);
}

void TQorStringGrid::DoClickCell(int ARow, int ACol)
{
    if (OnClickCell) OnClickCell(this, ARow, ACol);
}

void TQorStringGrid::DoSetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor) return;
    TCursor C = Screen->GetCursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, C);
    if (C != GetCursor()) ::SetCursor(CursorHandle(C));
}

String TQorStringGrid::DoSearchFooterSearch(const String& AValue)
{
    String Value = AValue;
    if (OnSearchFooterSearch) OnSearchFooterSearch(this, Value);
    return Value;
}

void TQorStringGrid::DoSearchFooterAction(const String& AValue, int ACol, int ARow, TSearchAction ASearchAction)
{
    if (OnSearchFooterAction) OnSearchFooterAction(this, AValue, ACol, ARow, ASearchAction);
}

void TQorStringGrid::DoSearchFooterSearchEnd(bool& ContinueFromStart)
{
    if (OnSearchFooterSearchEnd) OnSearchFooterSearchEnd(this, ContinueFromStart);
}

void TQorStringGrid::HandleButtonClick(TObject*)
{
    if (OnButtonClick) OnButtonClick(this, GetCol(), GetRow());
}

void TQorStringGrid::DoButtonClick(int ACol, int ARow)
{
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TQorStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
    // The row then takes the expanded or collapsed height of the cell's expand widget
    // (GetExpandHeight), which comes with the grid's cell widgets.
}

void TQorStringGrid::DoComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TQorStringGrid::DoComboDropDown(int ARow, int ACol)
{
    if (FWin.EditCombo && FWin.EditCombo->HandleAllocated()) {
        const TRect R = CellRect(DisplColIndex(ACol), ARow);
        SendMessageW(FWin.EditCombo->GetHandle(), CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(R.Height() - 6));
    }
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TQorStringGrid::DoCanSort(int ACol, bool& CanSort)
{
    if (OnCanSort) OnCanSort(this, ACol, CanSort);
}

void TQorStringGrid::QueryAddRow(bool& AllowAdd)
{
    if (OnCanAddRow) OnCanAddRow(this, AllowAdd);
}

void TQorStringGrid::QueryAddCol(bool& AllowAdd)
{
    if (OnCanAddCol) OnCanAddCol(this, AllowAdd);
}

void TQorStringGrid::QueryInsertRow(int ARow, bool& AllowInsert)
{
    if (OnCanInsertRow) OnCanInsertRow(this, ARow, AllowInsert);
}

void TQorStringGrid::DoAppendRow()
{
    SetRowCountEx(GetRowCount() + 1);
}

void TQorStringGrid::DoInsertRow(int ARow)
{
    if (!HasNodes()) {
        InsertRows(ARow, 1, true);
        return;
    }
    // Inside a node the row goes in as the node's child; elsewhere as a normal row.
    if (GetParentRow(DisplRowIndex(ARow)) == -1) InsertNormalRow(ARow);
    else InsertChildRow(ARow, 0);
}

void TQorStringGrid::DoDeleteRow(int ARow)
{
    if (HasNodes()) {
        // The node parent is asked for the display row of the real row ARow (GetParentRow takes
        // display rows).
        const int d = DisplRowIndex(ARow);
        if (GetParentRow(d) == -1) RemoveNormalRow(d);
        else RemoveChildRow(ARow);
    } else if (GetRowCount() - GetFixedRows() - FDims.FFixedFooters != 1 || FDims.FFixedRowAlways) {
        RemoveRowsInternal(ARow, 1);
    } else {
        // The last normal row is only emptied.
        ClearRows(ARow, 1);
    }
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TQorStringGrid::DoHoverButtonsShow(int X, int Y, bool& Allow)
{
    if (OnHoverButtonsShow) OnHoverButtonsShow(this, X, Y, Allow);
}

void TQorStringGrid::DoIntelliZoom()
{
    if (OnIntelliZoom) OnIntelliZoom(this);
}

bool TQorStringGrid::CanShowSelection()
{
    return FSel.FShowSelection;
}

void TQorStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    const TGridLook L = FLookState.FLook;
    if (L == glVista || L == glWin7 || L == glOffice2007) InvalidateRect(GetSelection());
    FSel.FSelChange = true;
    FSel.FDisSelection = GetSelection();
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TQorStringGrid::DoClipboardPasteDone(TGridRect CellRect)
{
    if (OnClipboardPasteDone) OnClipboardPasteDone(this, CellRect);
}

void TQorStringGrid::DoGetPrintPageNum(int PageNum, int PageNumCol, String& Value)
{
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageNumCol, Value);
}

void TQorStringGrid::DoGetEditorProp(int RCol, int ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp) OnGetEditorProp(this, RCol, ARow, AEditLink);
}

void TQorStringGrid::DoCheckBoxClick(int RCol, int ARow, bool AState)
{
    if (OnCheckBoxClick) OnCheckBoxClick(this, RCol, ARow, AState);
}

void TQorStringGrid::DoFilterDone()
{
    if (OnFilterDone) OnFilterDone(this);
}

void TQorStringGrid::DoFilterShow(int ACol, bool& Allow)
{
    if (OnFilterShow) OnFilterShow(this, ACol, Allow);
}

void TQorStringGrid::DoFilterClose(int ACol)
{
    if (OnFilterClose) OnFilterClose(this, ACol);
}

void TQorStringGrid::DoBeforeFilter()
{
    if (OnBeforeFilter) OnBeforeFilter(this);
}

void TQorStringGrid::UpdateColSize(int ACol, int& NewWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, NewWidth);
}

void TQorStringGrid::UpdateAutoColSize(int ACol, int& NewWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, NewWidth);
}

String TQorStringGrid::EllipsClick(const String& Value)
{
    String S = Value;
    if (OnEllipsClick) OnEllipsClick(this, RealColIndex(GetCol()), GetRow(), S);
    return S;
}

void TQorStringGrid::DoCheckBoxChange(int RCol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, RCol, ARow, State);
}

bool TQorStringGrid::DoRatingChange(int RCol, int ARow, int NewRate)
{
    bool Allow = true;
    if (OnRatingChange) OnRatingChange(this, RCol, ARow, NewRate, Allow);
    return Allow;
}

void TQorStringGrid::DoColorSelect(TObject* Sender)
{
    // The picker editors live in a layer above the grid: they report through the choice
    // interfaces; any other sender reports nothing.
    auto* Choice = dynamic_cast<IGridColorChoice*>(Sender);
    if (Choice && OnColorSelect)
        OnColorSelect(this, GetCol(), GetRow(), Choice->ChosenColor(), Choice->ChosenColorText());
}

void TQorStringGrid::DoImageSelect(TObject* Sender)
{
    auto* Choice = dynamic_cast<IGridImageChoice*>(Sender);
    if (Choice && OnImageSelect) OnImageSelect(this, GetCol(), GetRow(), Choice->ChosenImageIndex());
}

void TQorStringGrid::DoCellScroll(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)
{
    if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

bool TQorStringGrid::CanShowFixedDropDown(int ACol)
{
    bool CanShow = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, CanShow);
    return CanShow;
}

// ---- Per-cell texts ---------------------------------------------------------------------------------------

String TQorStringGrid::CalcCell(int RCol, int ARow)
{
    return GetCellEx(RCol, ARow);
}

String TQorStringGrid::ExportCell(int RCol, int ARow)
{
    return GetCellEx(RCol, ARow);
}

void TQorStringGrid::LoadCell(int RCol, int ARow, const String& Value)
{
    String Text = Value;
    if (OnLoadCell) OnLoadCell(this, RCol, ARow, Text);
    SetGridCell(RCol, ARow, Text);
}

String TQorStringGrid::SaveCell(int RCol, int ARow)
{
    String Text = FText.FSaveVirtCells ? GetFormattedCell(RCol, ARow) : GetGridCell(RCol, ARow);
    if (!FText.FSaveMergedCells && !IsBaseCell(RCol, ARow)) Text.clear();
    if (Text.empty()) {
        const TCellType T = GetCellType(RCol, ARow);
        if (T == ctCheckBox || T == ctTriStateCheckBox) {
            bool State = false;
            GetCheckBoxState(RCol, RealRowIndex(ARow), State);
            Text = State ? GetCheckTrue(RCol, ARow) : GetCheckFalse(RCol, ARow);
        }
    }
    switch (QorUtil::TextType(Text, true)) {
    case QorUtil::ttHTML:
        if (!FText.FSaveWithHTML) Text = JyrHTMLE::HTMLStrip(Text);
        break;
    case QorUtil::ttRTF:
        if (FText.FSaveWithRTF) {
            String Kept;
            for (Char Ch : Text)
                if (Ch != L'\r' && Ch != L'\n') Kept += Ch;
            Text = Kept;
        }
        // Plain text from rich text (through the grid's rich edit, CellToRich) comes with the
        // grid's rich cells.
        break;
    default: break;
    }
    if (OnSaveCell) OnSaveCell(this, RCol, ARow, Text);
    return Text;
}

// ---- Listeners -----------------------------------------------------------------------------------------

void TQorStringGrid::RegisterSelListener(ITQorStringGridSelect* AListener)
{
    FSel.FISelect = AListener;
}

void TQorStringGrid::UnRegisterSelListener(ITQorStringGridSelect*)
{
    FSel.FISelect = nullptr;
}

void TQorStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (ANotifier && FLists.FNotifierList->IndexOf(ANotifier) < 0) FLists.FNotifierList->Add(ANotifier);
}

void TQorStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    const int I = FLists.FNotifierList->IndexOf(ANotifier);
    if (I >= 0) FLists.FNotifierList->Delete(I);
}
