// bench/dropdown_bench.cpp: the drop-down framework against plain framework controls, measured in
// the same run on one shown form.
//
//   open selector   opening a drop-down whose popup hosts an item selector of 10,000 items until
//                   it is painted, then closing it, vs filling a TListBox's window with 10,000
//                   items (redrawing off) and painting it
//   redraw          1,000 full redraws of the closed drop-down vs a TEdit
//   money digits    1,000 digits typed (character messages) into an etMoney drop-down vs a TEdit
#include "controls/QorDropDown.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

#include "BenchTiming.h"

namespace {

template <class T>
T* Put(TWinControl* Parent, TComponent* Owner, int L, int T0, int W = 200, int H = 21)
{
    T* C = Create<T>(Owner);
    C->SetBounds(L, T0, W, H);
    C->SetParent(Parent);
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

double TypeDigits(TWinControl* C, int N = 1000)
{
    return TimeIt([&] {
        SetWindowTextW(C->GetHandle(), L"");
        for (int I = 0; I < N; ++I) SendMessageW(C->GetHandle(), WM_CHAR, WPARAM(L'0' + (I % 9) + 1), 1);
    });
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    FormatSettings = TFormatSettings::Danish();
    RegisterQorDropDownClasses();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(50, 50, 600, 500);
    Form->Show();
    Pump();

    auto* Edit = Put<TEdit>(Form, Form, 10, 10);
    auto* Drop = Put<TQorDropDown>(Form, Form, 10, 50);
    auto* Selector = Create<TQorCustomItemSelector>(Drop);
    Selector->SetBounds(0, 0, 200, 300);
    for (int I = 0; I < 10000; ++I) Selector->GetItems()->Add()->SetCaption(L"Punkt " + IntToStr(I));
    Selector->UpdateSelectorPanel();
    Drop->SetControl(Selector);
    auto* List = Put<TListBox>(Form, Form, 250, 10, 200, 300);
    Pump();

    const double Open = TimeIt([&] {
        Drop->ShowDropDown();
        RedrawWindow(Drop->GetDropDownForm()->GetHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Drop->HideDropDown(false);
        Pump();
    });
    const double Fill = TimeIt([&] {
        // The list box window itself, filled with its redrawing off.
        const HWND L = List->GetHandle();
        SendMessageW(L, LB_RESETCONTENT, 0, 0);
        SendMessageW(L, WM_SETREDRAW, FALSE, 0);
        for (int I = 0; I < 10000; ++I) {
            const String S = L"Punkt " + IntToStr(I);
            SendMessageW(L, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
        }
        SendMessageW(L, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(List->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    Report("open selector of 10,000 items", Open, Fill);

    Report("redraw closed drop-down x1000", Redraws(Drop), Redraws(Edit));

    Drop->SetEditType(etMoney);
    Report("1,000 digits into etMoney", TypeDigits(Drop), TypeDigits(Edit));
    return 0;
}
