// Small controls for the window tests: a focusable box that paints a fill and records its events,
// a panel that holds children, a windowless swatch, a push button with Default and Cancel, and
// an edit built on the system's EDIT class.
#pragma once

#include "framework/Forms.h"
#include "support/UiHarness.h"

#include <vector>

// A focusable control that paints itself in its colour and counts what reaches it.
class TTestBox : public TCustomControl {
    DECLARE_CLASS(TTestBox, TCustomControl)
public:
    explicit TTestBox(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetTabStop(true);
        SetBounds(0, 0, 60, 24);
        SetParentColor(false);
        SetColor(clWhite);
    }
    std::vector<Word> KeysDown;
    std::vector<Char> Chars;
    int Enters = 0, Exits = 0, CancelModes = 0, PaintCount = 0;
    TControl* CancelSender = nullptr;
    // Special keys the control asks to keep (CM_WANTSPECIALKEY) and its WM_GETDLGCODE answer.
    std::vector<Word> WantKeys;
    LRESULT DlgCode = 0;
    bool CancelHint = false;
    String HintOverride;

    void Dispatch(TMessage& M) override
    {
        switch (M.Msg) {
        case CM_WANTSPECIALKEY: CMWantSpecialKey(M); break;
        case WM_GETDLGCODE: M.Result = DlgCode; break;
        case CM_CANCELMODE:
            ++CancelModes;
            CancelSender = reinterpret_cast<TControl*>(M.LParam);
            break;
        case CM_HINTSHOW: CMHintShow(M); break;
        default: inherited::Dispatch(M);
        }
    }

protected:
    void CMWantSpecialKey(TMessage& M)
    {
        for (Word K : WantKeys)
            if (K == Word(M.WParam)) M.Result = 1;
    }
    void CMHintShow(TMessage& M)
    {
        auto* Info = reinterpret_cast<THintInfo*>(M.LParam);
        if (!HintOverride.empty()) Info->HintStr = HintOverride;
        M.Result = CancelHint ? 1 : 0;
    }
    void KeyDown(Word& Key, TShiftState Shift) override
    {
        KeysDown.push_back(Key);
        inherited::KeyDown(Key, Shift);
    }
    void KeyPress(Char& Key) override
    {
        Chars.push_back(Key);
        inherited::KeyPress(Key);
    }
    void DoEnter() override { ++Enters; inherited::DoEnter(); }
    void DoExit() override { ++Exits; inherited::DoExit(); }
    void Paint() override
    {
        ++PaintCount;
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(GetClientRect());
    }
};

// A container for other controls.
class TTestPanel : public TCustomControl {
    DECLARE_CLASS(TTestPanel, TCustomControl)
public:
    explicit TTestPanel(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls});
        SetBounds(0, 0, 200, 100);
    }

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(GetClientRect());
    }
};

// A windowless control painted by its parent.
class TTestSwatch : public TGraphicControl {
    DECLARE_CLASS(TTestSwatch, TGraphicControl)
public:
    explicit TTestSwatch(TComponent* AOwner) : TGraphicControl(AOwner)
    {
        SetBounds(0, 0, 20, 20);
        SetParentColor(false);
        SetColor(clRed);
    }
    int Enters = 0, Leaves = 0;

    void Dispatch(TMessage& M) override
    {
        switch (M.Msg) {
        case CM_MOUSEENTER: ++Enters; inherited::Dispatch(M); break;
        case CM_MOUSELEAVE: ++Leaves; inherited::Dispatch(M); break;
        default: inherited::Dispatch(M);
        }
    }

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(GetClientRect());
    }
};

// A push button: a click sets its form's modal result; Enter and Esc reach the default and the
// cancel button as dialog keys.
class TTestButton : public TTestBox {
    DECLARE_CLASS(TTestButton, TTestBox)
public:
    explicit TTestButton(TComponent* AOwner) : TTestBox(AOwner) {}
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    int Clicks = 0;

    void Click() override
    {
        ++Clicks;
        if (TCustomForm* F = GetParentForm(this); F && ModalResult != mrNone) F->SetModalResult(ModalResult);
        inherited::Click();
    }
    void Dispatch(TMessage& M) override
    {
        if (M.Msg == CM_DIALOGKEY && ((M.WParam == VK_RETURN && Default) || (M.WParam == VK_ESCAPE && Cancel))) {
            Click();
            M.Result = 1;
            return;
        }
        inherited::Dispatch(M);
    }
};

// A control built on the system's EDIT window class.
class TTestEdit : public TWinControl {
    DECLARE_CLASS(TTestEdit, TWinControl)
public:
    explicit TTestEdit(TComponent* AOwner) : TWinControl(AOwner)
    {
        SetTabStop(true);
        SetBounds(0, 0, 120, 22);
    }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        inherited::CreateParams(Params);
        CreateSubClass(Params, L"EDIT");
        Params.Style |= ES_AUTOHSCROLL | WS_BORDER;
    }
};

template <class T>
T* AddControl(TWinControl* Parent, int L, int T_, int W, int H, const wchar_t* Name = nullptr)
{
    TCustomForm* Form = GetParentForm(Parent);
    T* C = Create<T>(Form ? static_cast<TComponent*>(Form) : Parent);
    if (Name) C->SetName(Name);
    C->SetBounds(L, T_, W, H);
    C->SetParent(Parent);
    return C;
}
