// Grids: the in-place editor and the grid's side of editing (showing, hiding, writing back).
#include "Grids.h"

#include "WinScope.h"

#include <algorithm>

// ---- TInplaceEdit ------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FGrid = dynamic_cast<TCustomGrid*>(AOwner);
    FParentCtl3D = false;
    FCtl3D = false;
    FTabStop = false;
    FBorderStyle = bsNone;
    FAutoSize = false;
    FAutoSelect = false;
    FVisible = false;
    FDoubleBuffered = false;
}

void TInplaceEdit::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    // Multi-line so that the text may wrap inside a tall cell; the grid handles Enter.
    Params.Style |= ES_MULTILINE | WS_CLIPSIBLINGS;
    Params.Style &= ~DWORD(ES_AUTOVSCROLL | WS_BORDER);
    Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

void TInplaceEdit::UpdateContents()
{
    if (!FGrid) return;
    int C = FGrid->GetCol(), R = FGrid->GetRow();
    SetEditMask(FGrid->GetEditMask(C, R));
    SetText(FGrid->GetEditText(C, R));
    SetMaxLength(FGrid->GetEditLimit());
}

void TInplaceEdit::BoundsChanged()
{
    if (!HandleAllocated()) return;
    // A small margin around the text inside the cell.
    RECT R{2, 2, std::max(2, FWidth - 2), std::max(2, FHeight)};
    SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
    SendMessageW(FHandle, EM_SCROLLCARET, 0, 0);
}

void TInplaceEdit::UpdateLoc(const TRect& Loc)
{
    if (Loc.IsEmpty()) {
        // The cell scrolled out of view: the editor waits hidden (still in editor mode).
        if (HandleAllocated() && IsWindowVisible(FHandle)) {
            bool HadFocus = GetFocus() == FHandle;
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOREDRAW);
            if (HadFocus && FGrid && FGrid->HandleAllocated()) ::SetFocus(FGrid->GetHandle());
        }
        return;
    }
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    BoundsChanged();
    if (HandleAllocated() && !IsWindowVisible(FHandle) && FVisible) {
        ShowWindow(FHandle, SW_SHOWNA);
        if (FGrid && FGrid->IsActiveControl()) ::SetFocus(FHandle);
    }
}

void TInplaceEdit::Move(const TRect& Loc)
{
    HandleNeeded();
    FVisible = true;
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    if (Loc.IsEmpty()) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOREDRAW);
        return;
    }
    SetWindowPos(FHandle, HWND_TOP, Loc.Left, Loc.Top, Loc.Width(), Loc.Height(),
                 SWP_SHOWWINDOW | SWP_NOREDRAW);
    BoundsChanged();
    ::InvalidateRect(FHandle, nullptr, TRUE);
    if (FGrid && FGrid->HandleAllocated() && GetFocus() == FGrid->GetHandle()) ::SetFocus(FHandle);
}

bool TInplaceEdit::Visible()
{
    return HandleAllocated() && IsWindowVisible(FHandle);
}

void TInplaceEdit::Hide()
{
    if (!HandleAllocated()) {
        FVisible = false;
        return;
    }
    bool HadFocus = GetFocus() == FHandle;
    FVisible = false;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOREDRAW);
    if (HadFocus && FGrid && FGrid->HandleAllocated()) ::SetFocus(FGrid->GetHandle());
    if (FGrid) FGrid->InvalidateCell(FGrid->GetCol(), FGrid->GetRow());
}

void TInplaceEdit::Invalidate()
{
    if (!HandleAllocated()) return;
    ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TInplaceEdit::SetFocus()
{
    if (HandleAllocated() && IsWindowVisible(FHandle)) ::SetFocus(FHandle);
}

void TInplaceEdit::Deselect()
{
    if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, WPARAM(-1), 0);
}

void TInplaceEdit::SendToParent(Word& Key, TShiftState Shift)
{
    if (FGrid) FGrid->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    bool Always = FGrid && FGrid->GetOptions().Contains(goAlwaysShowEditor);
    auto AtStart = [this] { return GetSelStart() == 0 && GetSelLength() == 0; };
    auto AtEnd = [this] {
        return GetSelLength() == 0 && GetSelStart() >= int(GetText().size());
    };
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: SendToParent(Key, Shift); break;
    case VK_INSERT:
        if (Shift.Bits() == 0) SendToParent(Key, Shift);
        break;
    case VK_LEFT:
    case VK_HOME:
        if (Always && AtStart()) SendToParent(Key, Shift);
        break;
    case VK_RIGHT:
    case VK_END:
        if (Always && AtEnd()) SendToParent(Key, Shift);
        break;
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) SendToParent(Key, Shift);
        break;
    case VK_DELETE:
        if (Shift.Contains(ssCtrl)) SendToParent(Key, Shift);
        break;
    default: break;
    }
    if (Key != 0) inherited::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(Char& Key)
{
    // The grid sees every character first (Enter closes the editor there).
    if (FGrid) FGrid->KeyPress(Key);
    if (Key == 0) return;
    if (Key == 13) {
        // Return toggles between all the text selected and none.
        if (GetSelLength() == int(GetText().size())) SetSelStart(int(GetText().size()));
        else SelectAll();
        Key = 0;
        return;
    }
    if (Key == 27 || Key == 9) {
        Key = 0;
        return;
    }
    if (FGrid && !FGrid->CanEditModify() && Key >= 32) {
        Key = 0;
        return;
    }
    inherited::KeyPress(Key);
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift)
{
    if (FGrid) FGrid->KeyUp(Key, Shift);
}

void TInplaceEdit::WMGetDlgCode(TMessage& Message)
{
    DefaultHandler(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FGrid && FGrid->GetOptions().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::WMKillFocus(TMessage& Message)
{
    TWinControl::WMKillFocus(Message);
    if (!FGrid) return;
    HWND To = reinterpret_cast<HWND>(Message.WParam);
    // Leaving the grid altogether ends editing (the text is kept).
    if (To && FGrid->HandleAllocated() && To == FGrid->GetHandle()) return;
    if (!FGrid->GetOptions().Contains(goAlwaysShowEditor) && FGrid->FEditorMode) FGrid->HideEditor();
}

void TInplaceEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    default: inherited::Dispatch(Message);
    }
}

// ---- The grid's side ---------------------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return Create<TInplaceEdit>(this);
}

bool TCustomGrid::CanEditShow()
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
           (FEditorMode || FOptions.Contains(goAlwaysShowEditor)) && HandleAllocated() && IsActiveControl() &&
           FCurrent.X >= FCols.FixedCount() && FCurrent.X < FCols.Count() && FCurrent.Y >= FRows.FixedCount() &&
           FCurrent.Y < FRows.Count();
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (Value) ShowEditor();
    else HideEditor();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
    // Without a shown editor the grid is not in editor mode.
    if (!FInplaceEdit || !FInplaceEdit->Visible()) FEditorMode = false;
}

void TCustomGrid::ShowEditorChar(Char Ch)
{
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->Visible())
        PostMessageW(FInplaceEdit->GetHandle(), WM_CHAR, WPARAM(Ch), 0);
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::UpdateText()
{
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceRow >= 0)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->GetText());
}

void TCustomGrid::HideEdit()
{
    if (!FInplaceEdit) return;
    // The editor lets go of its cell and hides, also when writing the text back raised.
    auto Done = ScopeExit([this] {
        FInplaceCol = -1;
        FInplaceRow = -1;
        FInplaceEdit->Hide();
    });
    UpdateText();
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow()) return;
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->FGrid = this;
        FInplaceEdit->SetParent(this);
    }
    if (FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y) {
        // A new cell: write the old one back before taking the new one's text.
        if (FInplaceCol >= 0 && FInplaceRow >= 0) UpdateText();
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
        FInplaceEdit->SelectAll();
    } else {
        FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
    }
}
