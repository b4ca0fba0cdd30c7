// bench/memo_bench.cpp: a keystroke in the open memo drop-down holding 10,000 lines (the memo's
// change copies the text into MemoText and rewrites the edit's summary) against the same keystroke
// in a plain memo with the same lines, measured in the same run. A keystroke is a typed character
// followed by a Backspace, so the text stays the same size.
#include "pickers/QorMemoDropDown.h"

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"

#include "BenchTiming.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int Lines = 10000;
constexpr int Keystrokes = 50;

String ManyLines()
{
    String S;
    for (int I = 0; I < Lines; ++I) S += L"Linje " + IntToStr(I) + L" med lidt tekst om spillet\r\n";
    return S;
}

double PerKeystroke(HWND Wnd)
{
    return TimeIt(
               [&] {
                   for (int I = 0; I < Keystrokes; ++I) {
                       SendMessageW(Wnd, WM_CHAR, L'x', 1);
                       SendMessageW(Wnd, WM_CHAR, VK_BACK, 1);
                   }
               },
               5) /
           Keystrokes;
}

}  // namespace

int main()
{
    RegisterQorMemoDropDownClasses();
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(100, 100, 420, 320);
    const String Text = ManyLines();

    auto* Plain = Create<TMemo>(Form);
    Plain->SetParent(Form);
    Plain->SetBounds(220, 10, 180, 100);
    Plain->GetLines()->SetText(Text);

    auto* Drop = Create<TQorMemoDropDown>(Form);
    Drop->SetParent(Form);
    Drop->SetBounds(10, 10, 180, 21);
    Form->Show();
    Application->ProcessMessages();
    TStringList Source;
    Source.SetText(Text);
    Drop->SetMemoText(&Source);
    Drop->ShowDropDown();
    Application->ProcessMessages();

    std::printf("memo of %d lines, per keystroke (a character and a Backspace), best of 5\n", Lines);
    const double Base = PerKeystroke(Plain->GetHandle());
    const double Ours = PerKeystroke(Drop->GetMemo()->GetHandle());
    Report("keystroke in the open memo drop-down", Ours, Base);
    Drop->HideDropDown(false);
    Form->Free();
    return 0;
}
