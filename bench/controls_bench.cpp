// bench/controls_bench.cpp: the edit controls against the plain framework controls, measured in the
// same run on one shown form.
//
//   redraws      1,000 full redraws (frame, client, children) of the spin edit and the button
//                edit vs a TEdit, the flat combo vs a TComboBox, the metro picker vs a
//                TDateTimePicker
//   date steps   10,000 Up-arrow key messages to a date spin edit vs writing those dates as texts
//                into a TEdit
//   float digits 10,000 digits typed (character messages) into a float spin edit vs a TEdit
#include "controls/JYREdit.h"
#include "controls/JyrCombo.h"
#include "controls/JyrControls.h"
#include "controls/JyrDateTimePicker.h"
#include "controls/jyrspin.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"

#include "BenchTiming.h"

#include <vector>

namespace {

template <class T>
T* Put(TForm* Form, int L, int T0, int W = 150, int H = 24)
{
    T* C = Create<T>(Form);
    C->SetBounds(L, T0, W, H);
    C->SetParent(Form);
    return C;
}

void Pump()
{
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
}

double Redraws(TWinControl* C, int N = 1000)
{
    return TimeIt([&] {
        for (int I = 0; I < N; ++I)
            RedrawWindow(C->GetHandle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
}

}  // namespace

int main()
{
    FormatSettings = TFormatSettings::Danish();
    JyrControls::SetBeepMuted(true);
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->Show();
    Pump();

    auto* Edit = Put<TEdit>(Form, 10, 10);
    auto* Spin = Put<jyrspin::TJyrSpinEdit>(Form, 10, 50);
    auto* Btn = Put<JYREdit::TJyrEditBtn>(Form, 10, 90);
    Btn->SetCaption(L"...");
    auto* Combo = Put<TComboBox>(Form, 200, 10);
    auto* Flat = Put<JyrCombo::TJyrComboBox>(Form, 200, 50);
    for (TCustomComboBox* C : {static_cast<TCustomComboBox*>(Combo), static_cast<TCustomComboBox*>(Flat)}) {
        C->GetItems()->Add(L"Nord");
        C->SetItemIndex(0);
    }
    Flat->SetFlat(true);
    Flat->SetFlatLineColor(clBlue);
    auto* Picker = Put<TDateTimePicker>(Form, 400, 10);
    auto* Metro = Put<JyrDateTimePicker::TJyrDateTimePicker>(Form, 400, 50);
    Metro->SetMetroStyle(true);
    Metro->SetBorderColor(clNavy);
    Metro->ButtonColor = clSilver;
    Metro->ButtonTextColor = clNavy;
    Pump();

    std::printf("1,000 redraws\n");
    const double EditRedraws = Redraws(Edit);
    Report("spin edit vs TEdit", Redraws(Spin), EditRedraws);
    Report("button edit vs TEdit", Redraws(Btn), EditRedraws);
    Report("flat combo vs TComboBox", Redraws(Flat), Redraws(Combo));
    Report("metro picker vs TDateTimePicker", Redraws(Metro), Redraws(Picker));

    // 10,000 date steps: the day under the caret, each step written as the date's text.
    constexpr int Steps = 10000;
    const TDateTime Start = EncodeDate(2000, 1, 1);
    std::vector<String> Dates;
    Dates.reserve(Steps);
    for (int I = 1; I <= Steps; ++I) Dates.push_back(DateToStr(Start + I));
    Spin->SetSpinType(jyrspin::sptDate);
    const double Base = TimeIt([&] {
        for (const String& D : Dates) Edit->SetText(D);
    });
    const double Ours = TimeIt([&] {
        Spin->SetDateValue(Start);
        Spin->SetSelStart(0);
        for (int I = 0; I < Steps; ++I) SendMessageW(Spin->GetHandle(), WM_KEYDOWN, VK_UP, 1);
    });
    std::printf("10,000 date steps (last %ls)\n", Spin->GetText().c_str());
    Report("date spin Up vs TEdit texts", Ours, Base);

    // 10,000 typed float digits, a new number of 20 characters every 20 digits.
    Spin->SetSpinType(jyrspin::sptFloat);
    auto Type = [&](TCustomEdit* E) {
        for (int I = 0; I < Steps; ++I) {
            if (I % 20 == 0) E->SetText(L"");
            const wchar_t C = I % 20 == 5 ? L',' : wchar_t(L'0' + I % 10);
            SendMessageW(E->GetHandle(), WM_CHAR, C, 1);
        }
    };
    const double TypedEdit = TimeIt([&] { Type(Edit); });
    const double TypedSpin = TimeIt([&] { Type(Spin); });
    std::printf("10,000 typed float digits (last %ls)\n", Spin->GetText().c_str());
    Report("float spin typing vs TEdit", TypedSpin, TypedEdit);

    Form->Free();
    return 0;
}
