// CheckLst: a list box with a check box before every item.
#pragma once

#include "StdCtrls.h"

#include <vector>

class TCheckListBox : public TCustomListBox {
    DECLARE_CLASS(TCheckListBox, TCustomListBox)
public:
    explicit TCheckListBox(TComponent* AOwner);

    bool GetChecked(int Index);
    void SetChecked(int Index, bool Value);
    TCheckBoxState GetState(int Index);
    void SetState(int Index, TCheckBoxState Value);
    bool GetItemEnabled(int Index);
    void SetItemEnabled(int Index, bool Value);
    bool GetAllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    void CheckAll(TCheckBoxState AState, bool AllowGrayed = true, bool AllowDisabled = true);
    // The width kept for the check box at the left of every item.
    int CheckWidth() const;

    void Dispatch(TMessage& Message) override;
    TNotifyEvent OnClickCheck;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void KeyPress(Char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The user changed the mark of an item: fires OnClickCheck.
    virtual void ClickCheck();
    void ToggleClickCheck(int Index);

private:
    struct TItemState {
        TCheckBoxState State = cbUnchecked;
        bool Enabled = true;
    };
    // Per item, in step with the window's list (its add, insert, delete and reset messages).
    TItemState& Item(int Index);
    std::vector<TItemState> FStates;
    std::vector<TItemState> FSavedStates;
    bool FAllowGrayed = false;
};

// Registers the check list box. Runs once.
void RegisterCheckLst();
