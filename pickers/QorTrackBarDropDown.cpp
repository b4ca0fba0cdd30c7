// The track-bar drop-down: the popup's track bar, the value's round trip through the edit, and
// the key and drag steps on the edit.
#include "pickers/QorTrackBarDropDown.h"

#include "framework/SysUtils.h"
#include "framework/TypInfo.h"

#include <algorithm>
#include <climits>

namespace {
// The track bar's height in the popup.
constexpr int TrackBarHeight = 40;
}  // namespace

TQorTrackBarDropDown::TQorTrackBarDropDown(TComponent* AOwner) : TQorCustomDropDown(AOwner)
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    GetDropDownHeader()->SetVisible(false);
    GetDropDownFooter()->SetVisible(false);
    SetForceShadow(true);
}

void TQorTrackBarDropDown::CreateDropDownForm()
{
    inherited::CreateDropDownForm();
    if (!FTrackBar) {
        FTrackBar = Create<TTrackBar>(this);
        FTrackBar->SetParent(GetDropDownForm());
        FTrackBar->SetBounds(0, 0, FTrackBar->GetWidth(), TrackBarHeight);
    }
    FTrackBar->OnChange = [this](TObject* S) { OnTrackBarChange(S); };
}

void TQorTrackBarDropDown::BeforeDropDown()
{
    inherited::BeforeDropDown();
    if (TDropDownForm* F = GetDropDownForm()) F->SetCancelOnDeActivate(false);
    if (!FTrackBar) return;
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetWidth(GetWidth());
    SetControl(FTrackBar);
}

void TQorTrackBarDropDown::ReadBack()
{
    FMin = FTrackBar->GetMin();
    FMax = FTrackBar->GetMax();
    FPosition = FTrackBar->GetPosition();
}

void TQorTrackBarDropDown::SetMin(int Value)
{
    FMin = Value;
    if (!FTrackBar) return;
    FTrackBar->SetMin(Value);
    ReadBack();
}

void TQorTrackBarDropDown::SetMax(int Value)
{
    FMax = Value;
    if (!FTrackBar) return;
    FTrackBar->SetMax(Value);
    ReadBack();
}

void TQorTrackBarDropDown::SetFrequency(int Value)
{
    FFrequency = Value;
    if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TQorTrackBarDropDown::SetPageSize(int Value)
{
    FPageSize = Value;
    if (FTrackBar) FTrackBar->SetPageSize(Value);
}

void TQorTrackBarDropDown::SetPosition(int Value)
{
    FPosition = Value;
    if (!FTrackBar) return;
    FTrackBar->SetPosition(Value);
    FPosition = FTrackBar->GetPosition();
}

void TQorTrackBarDropDown::OnTrackBarChange(TObject*)
{
    FPosition = FTrackBar->GetPosition();
    SetTextDirect(IntToStr(FPosition));
    if (OnTrackChange) OnTrackChange(this);
}

void TQorTrackBarDropDown::Change()
{
    inherited::Change();
    const String T = GetText();
    int V = 0;
    if (T.empty()) SetPosition(FMin);
    else if (TryStrToInt(T, V)) {
        SetPosition(V);
        // A number the track bar did not keep shows as the bound it kept instead.
        if (FTrackBar && FPosition != V) SetTextDirect(IntToStr(FPosition));
    }
}

void TQorTrackBarDropDown::WMKeyDown(TMessage& Message)
{
    const Word Key = Word(Message.WParam);
    inherited::WMKeyDown(Message);
    if (GetEditorEnabled() || AltDown()) return;
    // 64-bit sums: a step near the ends of the integer range neither wraps nor passes a bound.
    long long To = FPosition;
    if (Key == VK_UP) To -= FFrequency;
    else if (Key == VK_DOWN) To += FFrequency;
    else return;
    if (To != FPosition && To >= FMin && To <= FMax) SetPosition(int(To));
}

void TQorTrackBarDropDown::OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if ((Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt) && !AltDown()) return;
    inherited::OnDropDownControlKeyDown(Sender, Key, Shift);
}

bool TQorTrackBarDropDown::Dragging() const
{
    return GetDropDownEnabled() && !GetEditorEnabled();
}

void TQorTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    if (!Dragging()) return;
    FMouseX = X;
    FMouseDraging = true;
}

void TQorTrackBarDropDown::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    if (!FMouseDraging || !Dragging()) return;
    // A page size of 0 would divide by zero: the drag then does not step.
    if (FPageSize != 0) {
        const long long Step = (long long)(X - FMouseX) / FPageSize;
        if (Step != 0) SetPosition(int(std::clamp<long long>(FPosition + Step, INT_MIN, INT_MAX)));
    }
    FMouseX = X;
}

void TQorTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    FMouseDraging = false;
}

void TQorTrackBarDropDown::RegisterProperties(TPropertyTable& T)
{
    TQorDropDown::RegisterProperties(T);
    using C = TQorTrackBarDropDown;
    T.Add(L"Min", &C::GetMin, &C::SetMin, 0);
    T.Add(L"Frequency", &C::GetFrequency, &C::SetFrequency, 1);
    T.Add(L"PageSize", &C::GetPageSize, &C::SetPageSize, 2);
    T.Add(L"Max", &C::GetMax, &C::SetMax, 10);
    T.Add(L"Position", &C::GetPosition, &C::SetPosition, 0);
    T.AddEvent(L"OnTrackChange", &C::OnTrackChange);
}

void RegisterQorTrackBarDropDownClasses()
{
    RegisterQorDropDownClasses();
    RegisterClasses<TQorTrackBarDropDown>();
}
