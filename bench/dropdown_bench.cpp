// bench/dropdown_bench.cpp: the drop-down framework against plain framework controls, measured in
// the same run on one shown form.
//
//   open selector   opening a drop-down whose popup hosts an item selector of 10,000 items until
//                   it is painted, then closing it, vs filling a TListBox's window with 10,000
//                   items (redrawing off) and painting it
//   redraw          1,000 full redraws of the closed drop-down vs a TEdit
//   money digits    1,000 digits typed (character messages) into an etMoney drop-down (whose
//                   edit is the library's line window) vs a TEdit, with sections against the same
//                   baseline: the regrouped replacements sent straight to a bare line window and
//                   to a bare platform edit window of the drop-down's styles (the window's own
//                   share, also for the other ways of putting the text in: TWay), and the digits
//                   typed into an etString drop-down (no regrouping); and where the window's share
//                   comes from: the same text set into a single-line window with a TEdit's styles,
//                   and lines with no separators or with a letter for separator (the text engine
//                   splits a line into runs at every change between digits and punctuation)
//
// Each figure alternates rounds of ours and of the baseline and keeps the best of each, so that
// load coming and going on a shared machine weighs on both alike.
#include "controls/QorDropDown.h"
#include "framework/Forms.h"
#include "framework/LineEdit.h"
#include "framework/StdCtrls.h"

#include "BenchTiming.h"

#include <algorithm>
#include <cstring>

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

template <class FOurs, class FBase>
void Compare(const char* What, FOurs&& Ours, FBase&& Base, int Rounds = 5)
{
    double O = 1e300, B = 1e300;
    for (int R = 0; R < Rounds; ++R) {
        B = std::min(B, TimeIt(Base, 1));
        O = std::min(O, TimeIt(Ours, 1));
    }
    Report(What, O, B);
}

void Redraws(TWinControl* C, int N = 1000)
{
    for (int I = 0; I < N; ++I)
        RedrawWindow(C->GetHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

wchar_t Digit(int I)
{
    return wchar_t(L'0' + (I % 9) + 1);
}

void TypeDigits(HWND W, int N = 1000)
{
    SetWindowTextW(W, L"");
    for (int I = 0; I < N; ++I) SendMessageW(W, WM_CHAR, WPARAM(Digit(I)), 1);
}

// How a regrouped digit's text reaches the window: the changed part selected and replaced (as the
// drop-down does), the whole text set and the caret put after it, the whole line selected and
// replaced, the pair of the first way with the window's redrawing off around it, or the whole
// text set with no caret message (one layout of the line per digit, the window's floor).
enum class TWay { Replace, SetText, WholeLine, NoRedraw, SetTextOnly };

// The window's own share of typing money digits: each digit's regrouped text put into a bare
// edit window one of the ways above, grouped by Separator (none when it is 0).
void ReplaceRegrouped(HWND W, TWay Way = TWay::Replace, Char Separator = FormatSettings.ThousandSeparator, int N = 1000)
{
    SetWindowTextW(W, L"");
    String Digits, Old;
    for (int I = 0; I < N; ++I) {
        Digits += Digit(I);
        String New;
        for (size_t K = 0; K < Digits.size(); ++K) {
            if (Separator != 0 && K > 0 && (Digits.size() - K) % 3 == 0) New += Separator;
            New += Digits[K];
        }
        switch (Way) {
        case TWay::SetText:
            SendMessageW(W, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(New.c_str()));
            SendMessageW(W, EM_SETSEL, New.size(), New.size());
            break;
        case TWay::SetTextOnly:
            SendMessageW(W, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(New.c_str()));
            break;
        case TWay::WholeLine:
            SendMessageW(W, EM_SETSEL, 0, -1);
            SendMessageW(W, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(New.c_str()));
            break;
        default: {
            size_t P = 0;
            while (P < Old.size() && Old[P] == New[P]) ++P;
            const String Part = New.substr(P);
            if (Way == TWay::NoRedraw) SendMessageW(W, WM_SETREDRAW, FALSE, 0);
            SendMessageW(W, EM_SETSEL, P, Old.size());
            SendMessageW(W, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Part.c_str()));
            if (Way == TWay::NoRedraw) {
                SendMessageW(W, WM_SETREDRAW, TRUE, 0);
                RedrawWindow(W, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
        }
        }
        Old = New;
    }
}

// A bare edit window (of the platform's class unless Class is given) with the styles, font and
// text rectangle of Like's window.
HWND BareEdit(TWinControl* Like, HWND Parent, int Top = 400, const wchar_t* Class = L"EDIT")
{
    const HWND L = Like->GetHandle();
    const HWND W = CreateWindowExW(DWORD(GetWindowLongPtrW(L, GWL_EXSTYLE)), Class, L"",
                                   DWORD(GetWindowLongPtrW(L, GWL_STYLE)) & ~DWORD(WS_CLIPCHILDREN), 10, Top,
                                   Like->GetWidth(), Like->GetHeight(), Parent, nullptr, nullptr, nullptr);
    SendMessageW(W, WM_SETFONT, SendMessageW(L, WM_GETFONT, 0, 0), FALSE);
    RECT R;
    SendMessageW(L, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
    SendMessageW(W, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
    return W;
}

}  // namespace

int main(int Argc, char** Argv)
{
    // "money" as the argument: the money digits' figures only.
    const bool MoneyOnly = Argc > 1 && std::strcmp(Argv[1], "money") == 0;
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

    auto Open = [&] {
        Drop->ShowDropDown();
        RedrawWindow(Drop->GetDropDownForm()->GetHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Drop->HideDropDown(false);
        Pump();
    };
    auto Fill = [&] {
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
    };
    if (!MoneyOnly) {
        Compare("open selector of 10,000 items", Open, Fill);
        Compare("redraw closed drop-down x1000", [&] { Redraws(Drop); }, [&] { Redraws(Edit); });
    }

    auto TypeIntoEdit = [&] { TypeDigits(Edit->GetHandle()); };
    Drop->SetEditType(etMoney);
    Compare("1,000 digits into etMoney", [&] { TypeDigits(Drop->GetHandle()); }, TypeIntoEdit);
    const HWND Line = BareEdit(Drop, Form->GetHandle(), 360, LineEdit::ClassName());
    Compare("  section: line window replacements", [&] { ReplaceRegrouped(Line); }, TypeIntoEdit);
    const HWND Bare = BareEdit(Drop, Form->GetHandle());
    Compare("  section: system window replacements", [&] { ReplaceRegrouped(Bare); }, TypeIntoEdit);
    Compare("    way: text set, caret", [&] { ReplaceRegrouped(Bare, TWay::SetText); }, TypeIntoEdit);
    Compare("    way: whole line replaced", [&] { ReplaceRegrouped(Bare, TWay::WholeLine); }, TypeIntoEdit);
    Compare("    way: text set, no caret", [&] { ReplaceRegrouped(Bare, TWay::SetTextOnly); }, TypeIntoEdit);
    Compare("    way: redrawing off", [&] { ReplaceRegrouped(Bare, TWay::NoRedraw); }, TypeIntoEdit);
    const HWND Single = BareEdit(Edit, Form->GetHandle(), 440);
    Compare("    single-line: text set, no caret", [&] { ReplaceRegrouped(Single, TWay::SetTextOnly); }, TypeIntoEdit);
    Compare("    single-line: whole line", [&] { ReplaceRegrouped(Single, TWay::WholeLine); }, TypeIntoEdit);
    Compare("    single-line: changed part", [&] { ReplaceRegrouped(Single); }, TypeIntoEdit);
    Compare("    line: no separators", [&] { ReplaceRegrouped(Bare, TWay::SetTextOnly, 0); }, TypeIntoEdit);
    Compare("    line: letter separators", [&] { ReplaceRegrouped(Bare, TWay::SetTextOnly, L'x'); }, TypeIntoEdit);
    Drop->SetEditType(etString);
    Compare("  section: digits into etString", [&] { TypeDigits(Drop->GetHandle()); }, TypeIntoEdit);
    return 0;
}
