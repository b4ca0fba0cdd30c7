// The calculator drop-down: the keypad in the popup, the edit as the engine's display, and the
// routes by which clicks and keys reach the engine.
#include "pickers/QorCalculatorDropDown.h"

#include "framework/TypInfo.h"
#include "pickers/QorPickerKeys.h"

namespace {

// The keypad's height in the popup.
constexpr int KeypadHeight = 150;
// The glow of a pressed button under the styles without an own glow colour.
constexpr TColor DefaultGlowDown = TColor(0xD5C244);

}  // namespace

void TQorCalculatorDropdown::TDisplay::SetText(const String& Value)
{
    E.TQorCustomDropDown::SetText(Value);
    E.SetSelStart(int(E.GetPrefix().size() + E.GetText().size()));
}

void TQorCalculatorDropdown::TDisplay::SetFloat(Extended Value)
{
    E.TQorCustomDropDown::SetFloat(Value);
    E.SetSelStart(int(E.GetPrefix().size() + E.GetText().size()));
}

void TQorCalculatorDropdown::TDisplay::SetTextAsTyped(const String& Value)
{
    const int At = int(E.GetPrefix().size() + Value.size());
    E.SetDisplay(E.GetPrefix() + Value + E.GetSuffix(), At);
}

TQorCalculatorDropdown::TQorCalculatorDropdown(TComponent* AOwner)
    : TQorCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
    SetDropDownColor(TColor(0xFFFFFF));
    SetDropDownWidth(230);
    GetDropDownHeader()->SetVisible(false);
    GetDropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    SetPrecision(2);
    SetSigned(true);
}

TQorCalculatorDropdown::~TQorCalculatorDropdown() = default;

void TQorCalculatorDropdown::AfterConstruction()
{
    inherited::AfterConstruction();
    SetDropDownColor(TColor(0xFFFFFF));
}

bool TQorCalculatorDropdown::PopupHidden() const
{
    return FCalcClosed || (GetDropDownForm() && !GetDropDownForm()->GetVisible());
}

void TQorCalculatorDropdown::CreateDropDownForm()
{
    inherited::CreateDropDownForm();
    if (!FQorButtonPanel) {
        FQorButtonPanel = Create<TCustomButtonPanel>(this);
        FQorButtonPanel->SetParent(GetDropDownForm());
        FQorButtonPanel->SetQorDropDown(this);
        FQorButtonPanel->SetHeight(KeypadHeight);
        FQorButtonPanel->Initialize();
    }
    SetControl(FQorButtonPanel);
    FQorButtonPanel->OnButtonClick = [this](TObject* S, int Index) { OnQorButtonClick(S, Index); };
}

void TQorCalculatorDropdown::BeforeDropDown()
{
    inherited::BeforeDropDown();
    if (TDropDownForm* F = GetDropDownForm()) F->SetCancelOnDeActivate(false);
    if (FQorButtonPanel) {
        FQorButtonPanel->GetButtonAppearance()->Assign(FCalcButtonAppearance.get());
        FQorButtonPanel->SetColor(GetDropDownColor());
        FQorButtonPanel->ArrangeButtons();
    }
    SetSigned(false);
    FTextAtOpening = GetText();
    FEngine.DropDownOpened();
    FCalcClosed = false;
}

void TQorCalculatorDropdown::AfterDropDown()
{
    inherited::AfterDropDown();
    PreviewControlKeys(this, FQorButtonPanel);
}

void TQorCalculatorDropdown::DoHideDropDown(bool Cancelled)
{
    const bool WasOpen = !PopupHidden();
    inherited::DoHideDropDown(Cancelled);
    if (Cancelled && WasOpen) TQorCustomDropDown::SetText(FTextAtOpening);
    SetSigned(true);
}

void TQorCalculatorDropdown::OnQorButtonClick(TObject*, int Index)
{
    if (!FQorButtonPanel || Index < 0 || Index >= FQorButtonPanel->GetButtons()->GetCount()) return;
    CalcChange();
    FEngine.ButtonClick(FQorButtonPanel->GetButtons()->GetItem(Index)->GetTag());
}

void TQorCalculatorDropdown::OnDropDownFormKeyPress(TObject* Sender, Char& Key)
{
    inherited::OnDropDownFormKeyPress(Sender, Key);
    CalcChange();
    switch (FEngine.HandleKeyPress(Key, AltDown())) {
    case TCalcKeyResult::CloseAccept: DoHideDropDown(false); break;
    case TCalcKeyResult::CloseCancel: DoHideDropDown(true); break;
    case TCalcKeyResult::None: break;
    }
}

void TQorCalculatorDropdown::OnDropDownFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    inherited::OnDropDownFormKeyDown(Sender, Key, Shift);
    if (Key == VK_TAB || Key == VK_F4) DoHideDropDown(false);
    else if (Key == VK_BACK) FEngine.BackspaceKey();
}

void TQorCalculatorDropdown::WMKeyDown(TMessage& Message)
{
    const Word Key = Word(Message.WParam);
    const String Before = GetText();
    inherited::WMKeyDown(Message);
    if (Key != VK_DELETE) return;
    // Delete on "Error" clears it whole (deleting one of its letters would leave no number).
    if (Before == CalcErrorText) FDisplay.SetText(L"0");
    else FEngine.DeleteKey();
}

void TQorCalculatorDropdown::WMChar(TMessage& Message)
{
    // The calculator's rules come first; what they leave goes on to the edit's typed input.
    if (GetEditorEnabled()) {
        Char Key = Char(Message.WParam);
        FEngine.EditKeyPress(Key, !PopupHidden());
        if (Key == 0) {
            Message.Result = 0;
            return;
        }
        Message.WParam = Key;
    }
    inherited::WMChar(Message);
}

void TQorCalculatorDropdown::CMEnter(TMessage& Message)
{
    if (GetAutoSelect() && (GetKeyState(VK_LBUTTON) & 0x8000) == 0) SelectAll();
    inherited::CMEnter(Message);
}

void TQorCalculatorDropdown::SetShowThousandSeparator(bool Value)
{
    if (Value == FShowThousandSeparator) return;
    FShowThousandSeparator = Value;
    const Extended V = TQorCustomDropDown::GetFloat();
    SetEditType(Value ? etMoney : etFloat);
    TQorCustomDropDown::SetFloat(V);
}

void TQorCalculatorDropdown::SetComponentStyle(QorStyleIF::TJOQStyle AStyle)
{
    inherited::SetComponentStyle(AStyle);
    const TQorButtonAppearance* B = GetButtonAppearance();
    TButtonAppearance* A = FCalcButtonAppearance.get();
    if (!B || !A) return;
    A->SetBorderColor(B->GetBorderColor());
    A->SetBorderColorHot(B->GetBorderColorHot());
    A->SetBorderColorDown(B->GetBorderColorDown());
    A->SetColor(B->GetColor());
    A->SetColorTo(B->GetColorTo());
    A->SetColorDown(B->GetColorDown());
    A->SetColorDownTo(B->GetColorDownTo());
    A->SetColorHot(B->GetColorHot());
    A->SetColorHotTo(B->GetColorHotTo());
    A->SetColorDisabled(B->GetColorDisabled());
    A->SetColorDisabledTo(B->GetColorDisabledTo());
    using namespace QorStyleIF;
    if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
        A->SetGlowColorHot(B->GetColorHot());
        A->SetGlowColorDown(B->GetColorHot());
    } else {
        A->SetGlowColorDown(DefaultGlowDown);
        A->SetGlowColorHot(B->GetColorDownTo());
    }
}

void TQorCalculatorDropdown::RegisterProperties(TPropertyTable& T)
{
    TQorDropDown::RegisterProperties(T);
    using C = TQorCalculatorDropdown;
    T.Add(L"CalcButtonAppearance", &C::GetCalcButtonAppearance, &C::SetCalcButtonAppearance);
    T.Add(L"ShowThousandSeparator", &C::GetShowThousandSeparator, &C::SetShowThousandSeparator, false);
    T.Add(L"Precision", &TQorCustomDropDown::GetPrecision, &TQorCustomDropDown::SetPrecision, SmallInt(2));
}

void RegisterQorCalculatorDropDownClasses()
{
    RegisterQorDropDownClasses();
    RegisterQorCalculatorButtonClasses();
    RegisterClasses<TQorCalculatorDropdown>();
}
