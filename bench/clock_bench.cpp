// bench/clock_bench.cpp: the clock face's two paths against a plain BitBlt of a 180 x 180 bitmap
// onto the face's window, measured in the same run: a frame (RepaintTime: the face cache copied,
// the hands drawn, the frame copied onto the window), as every clock tick and animation step draws
// it, and a dial rebuild (UpdateCache: background, marks, numbers and AM/PM box drawn again, then a
// frame), as a paint or an AM/PM change draws it. Each for the default look and for the radial
// preset with pointer hands.
#include "pickers/QorTimePickerDropDown.h"

#include "framework/Forms.h"
#include "framework/SysUtils.h"

#include "BenchTiming.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int Frames = 400;

// Every frame reaches the screen before the clock stops.
template <class F>
double PerFrame(F&& Draw)
{
    return TimeIt(
               [&] {
                   for (int I = 0; I < Frames; ++I) Draw(I);
                   GdiFlush();
               },
               5) /
           Frames;
}

}  // namespace

int main()
{
    Application->Initialize();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(100, 100, 240, 240);
    auto* Watch = Create<TQorWatch>(Form);
    Watch->SetParent(Form);
    Watch->SetAnimation(false);
    Form->Show();
    Application->ProcessMessages();

    TBitmap Plain(180, 180);
    Plain.GetCanvas()->GetBrush()->SetColor(clWhite);
    Plain.GetCanvas()->FillRect(TRect(0, 0, 180, 180));
    HDC Source = Plain.GetCanvas()->GetHandle();
    HWND Wnd = Watch->GetHandle();

    std::printf("clock face 180 x 180, per frame, %d frames a run, best of 5\n", Frames);
    for (TWatchStyle Style : {wsClassic, wsBlueStar}) {
        Watch->SetStyle(Style);
        Watch->Repaint();
        const double Base = PerFrame([&](int) {
            HDC DC = GetDC(Wnd);
            BitBlt(DC, 0, 0, 180, 180, Source, 0, 0, SRCCOPY);
            ReleaseDC(Wnd, DC);
        });
        // Each frame shows another minute, as a running animation does.
        const double Frame = PerFrame([&](int I) {
            Watch->SetTime(EncodeTime(Word(10), Word(I % 60), 0, 0));
        });
        const double Rebuild = PerFrame([&](int) { Watch->UpdateCache(); });
        const char* Name = Style == wsClassic ? "classic" : "blue star";
        std::printf("%-10s BitBlt baseline %7.3f ms\n", Name, Base);
        std::printf("%-10s frame (RepaintTime) %7.3f ms  %5.2fx the BitBlt\n", Name, Frame, Frame / Base);
        std::printf("%-10s dial rebuild (UpdateCache) %7.3f ms  %5.2fx the BitBlt\n", Name, Rebuild, Rebuild / Base);
    }
    Form->Free();
    return 0;
}
