// QorTrackBarDropDown: a drop-down edit that picks a whole number in a range. The edit shows the
// number; the popup holds a track bar whose thumb moves it; with the editor off (the default) the
// number also moves with Up and Down and with a horizontal mouse drag across the edit.
//
// Value flow: every change of the track bar (thumb, keys in the popup, SetPosition) writes the
// number into the edit and fires OnTrackChange; writing the edit converts the text back into
// Position, so a number outside Min .. Max is pulled back to the nearest bound.
#pragma once

#include "controls/QorDropDown.h"
#include "framework/ComCtrls.h"

class TPropertyTable;

class TQorTrackBarDropDown : public TQorCustomDropDown {
    DECLARE_CLASS(TQorTrackBarDropDown, TQorCustomDropDown)
public:
    // Range 0 .. 10 at 0, page size 2, frequency 1, the editor off, a numeric edit, no header or
    // footer, the shadow forced.
    explicit TQorTrackBarDropDown(TComponent* AOwner);

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    int GetMinValue() override { return FMin; }
    void WMKeyDown(TMessage& Message) override;
    // Up and Down in the open track bar move its thumb only (passed on to the edit, they would
    // also step the value there: two steps for one key).
    void OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;

    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    // Tick spacing and the key step.
    int GetFrequency() const { return FFrequency; }
    void SetFrequency(int Value);
    // The track bar's page size and the drag divisor (0: a drag does not step).
    int GetPageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    TTrackBar* GetTrackBar() const { return FTrackBar; }
    bool GetMouseDraging() const { return FMouseDraging; }

    TNotifyEvent OnTrackChange;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void OnTrackBarChange(TObject* Sender);
    // The edit's change: an empty text sets Min, a whole number becomes Position, any other text
    // is ignored.
    void Change() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Reads back what the track bar kept of Min, Max and Position.
    void ReadBack();
    bool Dragging() const;

    TTrackBar* FTrackBar = nullptr;
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
};

void RegisterQorTrackBarDropDownClasses();
