// QorCalculatorDropDown: a numeric drop-down edit whose popup holds the calculator keypad
// (TCustomButtonPanel). The edit is the calculator's display: the arithmetic lives in
// TQorCalculatorEngine, which reads and writes the value through the edit (the value text without
// prefix and suffix, formatted with Precision and, when ShowThousandSeparator is on, thousand
// separators). Keypad clicks, characters typed into the edit and keys typed in the open popup all
// drive the same engine; the popup previews the keypad's keys (QorPickerKeys.h).
#pragma once

#include "controls/QorDropDown.h"
#include "pickers/QorCalculatorButtons.h"
#include "pickers/QorCalculatorEngine.h"

#include <memory>

class TPropertyTable;

class TQorCalculatorDropdown : public TQorCustomDropDown {
    DECLARE_CLASS(TQorCalculatorDropdown, TQorCustomDropDown)
public:
    // Popup colour white and 230 wide, header and footer hidden, a signed float edit with
    // Precision 2, nothing pending, memory 0.
    explicit TQorCalculatorDropdown(TComponent* AOwner);
    ~TQorCalculatorDropdown() override;
    // The popup colour stays white once the base has applied its component style.
    void AfterConstruction() override;

    // ---- drop-down steps --------------------------------------------------------------------------
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AfterDropDown() override;
    void DoHideDropDown(bool Cancelled) override;
    void OnDropDownFormKeyPress(TObject* Sender, Char& Key) override;
    void OnDropDownFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void SetComponentStyle(QorStyleIF::TJOQStyle AStyle) override;
    void WMKeyDown(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;

    // Called at the start of every keypad click and every key typed in the open popup, before
    // anything changes; nothing here.
    virtual void CalcChange() {}
    // Completes the pending operation as "=" does.
    void CalcResult() { FEngine.CalcResult(); }

    // The displayed value; 0 when it is no number.
    Extended GetValue() { return FEngine.GetValue(); }
    void SetValue(Extended Value) { FEngine.SetValue(Value); }
    TButtonAppearance* GetCalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
    bool GetShowThousandSeparator() const { return FShowThousandSeparator; }
    // Switches the edit between float and money and writes the value again in the new format.
    void SetShowThousandSeparator(bool Value);

    TCustomButtonPanel* GetButtonPanel() const { return FQorButtonPanel; }
    TQorCalculatorEngine& GetEngine() { return FEngine; }
    // The popup has never opened, or is hidden.
    bool PopupHidden() const;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void OnQorButtonClick(TObject* Sender, int Index);

private:
    // The display the engine reads and writes: this edit.
    class TDisplay : public IQorCalculatorDisplay {
    public:
        explicit TDisplay(TQorCalculatorDropdown& Edit) : E(Edit) {}
        String GetText() override { return E.GetText(); }
        // Written values leave the caret at the end of the value, where the next digit goes.
        void SetText(const String& Value) override;
        void SetTextAsTyped(const String& Value) override;
        Extended GetFloat() override { return E.GetFloat(); }
        void SetFloat(Extended Value) override;
        int GetPrecision() override { return E.GetPrecision(); }
        int GetMaxLength() override { return E.GetMaxLength(); }
        void SetModified(bool Value) override { E.SetModified(Value); }

    private:
        TQorCalculatorDropdown& E;
    };

    TDisplay FDisplay{*this};
    TCustomButtonPanel* FQorButtonPanel = nullptr;
    TQorCalculatorEngine FEngine{FDisplay};
    bool FCalcClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    bool FShowThousandSeparator = false;
    // The value text when the popup opened: a cancelled close gives it back (the results written
    // while the popup was open are the edit's last set text).
    String FTextAtOpening;
};

void RegisterQorCalculatorDropDownClasses();
