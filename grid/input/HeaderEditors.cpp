// The header-cell editors.
#include "grid/input/HeaderEditors.h"

#include "framework/TypInfo.h"
#include "grid/QorGrid.h"
#include "grid/detail/QorGridOwner.h"
#include "grid/sortfilter/QorFilterData.h"
#include "grid/store/QorGridOptions.h"

#include <commctrl.h>

namespace {

// Both header editors publish the cell they edit.
template <class C>
void AddRowCol(TPropertyTable& Table)
{
    Table.Add(L"Row", &C::GetRow, &C::SetRow);
    Table.Add(L"Col", &C::GetCol, &C::SetCol);
}

} // namespace

// ---- TGridTransEdit -------------------------------------------------------------------------------

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TCustomEdit(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
    SetVisible(false);
}

bool TGridTransEdit::StopEdit()
{
    if (!FGrid || !GetVisible()) return true;
    if (!FGrid->FixedEditDone(this, HandleAllocated() ? GetHandle() : nullptr, true, FCol, FRow, GetText(),
                              FFilterEdit, true))
        return false;
    SetVisible(false);
    return true;
}

void TGridTransEdit::DoExit()
{
    inherited::DoExit();
    StopEdit();
}

void TGridTransEdit::KeyPress(Char& Key)
{
    if (Key == VK_RETURN) {
        Key = 0;
        StopEdit();
    }
    inherited::KeyPress(Key);
}

void TGridTransEdit::RegisterProperties(TPropertyTable& Table)
{
    AddRowCol<TGridTransEdit>(Table);
}

// ---- TGridTransCombo ------------------------------------------------------------------------------

TGridTransCombo::TGridTransCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
    SetVisible(false);
}

int TGridTransCombo::GetDropWidth()
{
    if (!HandleAllocated()) return 0;
    return int(SendMessageW(FHandle, CB_GETDROPPEDWIDTH, 0, 0));
}

void TGridTransCombo::SetDropWidth(int Value)
{
    if (HandleAllocated()) SendMessageW(FHandle, CB_SETDROPPEDWIDTH, WPARAM(Value), 0);
}

void TGridTransCombo::SizeDropDownWidth()
{
    if (!FGrid || !HandleAllocated()) return;
    TCanvas* Cv = FGrid->GetCanvas();
    Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    const bool Scrolls = GetItems()->Count() > GetDropDownCount();
    int W = GetWidth();
    for (int i = 0; i < GetItems()->Count(); ++i) {
        const String T = GetItems()->Get(i);
        SIZE S{};
        GetTextExtentPoint32W(Cv->GetHandle(), T.c_str(), int(T.size()), &S);
        if (Scrolls && W - 25 < S.cx) W = S.cx + 25;
        else if (!Scrolls && W - 5 < S.cx) W = S.cx + 8;
    }
    SetDropWidth(W);
}

bool TGridTransCombo::StopEdit()
{
    if (!FGrid) {
        SetVisible(false);
        return true;
    }
    // The balloon goes on the combo's edit window; a drop-down list has none to show a title on.
    HWND Tip = nullptr;
    if (HandleAllocated()) {
        COMBOBOXINFO Info{};
        Info.cbSize = sizeof(Info);
        if (GetComboBoxInfo(GetHandle(), &Info)) Tip = Info.hwndItem;
    }
    if (!FGrid->FixedEditDone(this, Tip, GetStyle() != csDropDownList || !FGrid->GetInvalidEntryText().empty(), FCol,
                              FRow, GetText(), false, false))
        return false;
    SetVisible(false);
    return true;
}

void TGridTransCombo::DoExit()
{
    inherited::DoExit();
    StopEdit();
}

void TGridTransCombo::KeyPress(Char& Key)
{
    if (Key == VK_RETURN) Key = 0;
    inherited::KeyPress(Key);
}

void TGridTransCombo::RegisterProperties(TPropertyTable& Table)
{
    AddRowCol<TGridTransCombo>(Table);
}

// ---- The grid's header editing ----------------------------------------------------------------------

bool TQorStringGrid::FixedEditDone(TWinControl* Editor, HWND TipWnd, bool TipAllowed, int Col, int Row, String Text,
                                   bool FilterEdit, bool NotifyDone)
{
    bool Valid = true;
    if (OnCellValidate) OnCellValidate(this, Col, Row, Text, Valid);
    if (!Valid) {
        const String Title = GetInvalidEntryTitle(), Tip = GetInvalidEntryText();
        if ((!Tip.empty() || !Title.empty()) && TipAllowed && TipWnd) {
            EDITBALLOONTIP B{};
            B.cbStruct = sizeof(B);
            B.pszTitle = Title.c_str();
            B.pszText = Tip.c_str();
            B.ttiIcon = int(GetInvalidEntryIcon());
            SendMessageW(TipWnd, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&B));
        }
        FocusCell(Col, Row);
        return false;
    }
    if (OnEditingDone) OnEditingDone(this);
    SetCellEx(Col, Row, Text);
    if (!NotifyDone) return true;
    if (FilterEdit) {
        Editor->SetVisible(false);
        DoFilterEditDone(Col, FOpt.FFilter ? FOpt.FFilter->HasFilterType(Col) : ftNone);
    } else if (OnEditCellDone) {
        OnEditCellDone(Editor, Col, Row);
    }
    return true;
}

void TQorStringGrid::StartFixedEdit(int x, int y, bool FilterEdit)
{
    // 1. An open header edit ends first; a refused value keeps it (and cancels this one).
    if (FWin.EditTrans->GetVisible() && !FWin.EditTrans->StopEdit()) return;
    if (FWin.ComboTrans->GetVisible() && !FWin.ComboTrans->StopEdit()) return;
    // 2, 3.
    TMouseActions* MA = FOpt.FMouseActions.get();
    if (MA->GetHotmailRowSelect() && x == 0) return;
    bool CanEdit = true;
    if (OnCanEditCell) OnCanEditCell(this, y, x, CanEdit);
    if (!CanEdit) return;
    // 4.
    FFixedEdit.Col = x;
    FFixedEdit.Row = y;
    TGridFixedCellEditor Kind = x == 0 ? MA->GetFixedColsEditor() : MA->GetFixedRowsEditor();
    TStrings* Items = FWin.ComboTrans->GetItems();
    Items->Assign(MA->GetFixedComboValues());
    DoFixedCellEdit(x, y, Kind, Items);
    // 5. The cell less a pixel a side, 2 more at the top; the filter row leaves its button room.
    TRect R = CellRect(x, y);
    R = TRect(R.Left + 1, R.Top + 3, R.Right - 1, R.Bottom - 1);
    if (FilterEdit) {
        R.Left += 19;
        Kind = fceEdit;
    }
    const int RCol = RealColIndex(x);
    const String Text = GetCellEx(RCol, y);
    if (Kind != fceEdit) {
        // 6.
        TGridTransCombo* Cb = FWin.ComboTrans;
        Cb->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
        Cb->SetStyle(Kind == fceComboEdit ? csDropDown : csDropDownList);
        Cb->SetDropDownCount(FOpt.FControlLook->GetDropDownCount());
        Cb->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
        Cb->OnSelect = [this](TObject* Sender) { FixedComboSelect(Sender); };
        if (Kind == fceComboList)
            Cb->SetItemIndex(Cb->GetItems()->IndexOf(Text));
        else
            Cb->SetText(Text);
        if (FOpt.FNavigation->GetAutoComboDropSize()) Cb->SizeDropDownWidth();
        Cb->SetCol(RCol);
        Cb->SetRow(y);
        Cb->SetVisible(true);
        if (Cb->CanFocus()) Cb->SetFocus();
        return;
    }
    // 7.
    TGridTransEdit* Ed = FWin.EditTrans;
    Ed->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    Ed->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
    Ed->SetText(Text);
    Ed->SetCol(RCol);
    Ed->SetRow(y);
    Ed->SetFilterEdit(FilterEdit);
    Ed->SetVisible(true);
    if (Ed->CanFocus()) Ed->SetFocus();
}

void TQorStringGrid::ShowFixedInplaceEdit(int Col, int Row)
{
    if (!IsFixed(Col, Row)) throw Exception(QorGridConsts::SCannotStartFixedEdit);
    StartFixedEdit(Col, Row, false);
}

void TQorStringGrid::HideFixedInplaceEdit()
{
    // The focus back to the grid ends the edit (the editor's exit); an editor that keeps a visible
    // window without the focus is ended here, so that its text is not lost.
    if (CanFocus()) SetFocus();
    if (FWin.EditTrans->GetVisible()) FWin.EditTrans->StopEdit();
    if (FWin.ComboTrans->GetVisible()) FWin.ComboTrans->StopEdit();
}

void TQorStringGrid::FixedEditChange(TObject* Sender)
{
    if (!OnEditChange) return;
    String Text = FWin.ComboTrans->GetVisible() && Sender == FWin.ComboTrans ? FWin.ComboTrans->GetText()
                                                                             : FWin.EditTrans->GetText();
    OnEditChange(Sender, FFixedEdit.Col, FFixedEdit.Row, Text);
}

void TQorStringGrid::FixedComboSelect(TObject* Sender)
{
    TGridTransCombo* Cb = FWin.ComboTrans;
    const int Idx = Cb->GetItemIndex();
    const String Text = Idx >= 0 && Idx < Cb->GetItems()->Count() ? Cb->GetItems()->Get(Idx) : String();
    if (OnComboChange) OnComboChange(Sender, FFixedEdit.Col, FFixedEdit.Row, Idx, Text);
}
