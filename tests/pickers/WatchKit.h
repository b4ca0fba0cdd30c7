// What the clock face's tests share: a shown form with a 180 x 180 face on it, input by real
// messages sent straight to the face's window (no pumping, so the timers tick only when a test
// sends WM_TIMER to their windows), an injected clock and AM/PM slide wait, time helpers and
// painting the face into memory.
#pragma once

#include "pickers/QorTimePickerDropDown.h"

#include "support/Pixels.h"
#include "support/UiHarness.h"

#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace watchkit {

inline TDateTime HMS(int H, int M, int S = 0) { return EncodeTime(Word(H), Word(M), Word(S), 0); }

// The time of a "hh:mm:ss" text.
inline TDateTime At(const char* Text)
{
    unsigned H = 0, M = 0, S = 0;
    std::sscanf(Text, "%u:%u:%u", &H, &M, &S);
    return HMS(int(H), int(M), int(S));
}

// "hh:mm:ss" of a time's time of day.
inline std::string Clock(TDateTime T)
{
    Word H, M, S, MS;
    DecodeTime(T, H, M, S, MS);
    char B[16];
    std::snprintf(B, sizeof B, "%02u:%02u:%02u", unsigned(H), unsigned(M), unsigned(S));
    return B;
}

// Now answers Value while the scope lasts.
class NowScope {
public:
    explicit NowScope(TDateTime Value) : FValue(std::make_shared<TDateTime>(Value))
    {
        auto V = FValue;
        SetNowProvider([V] { return *V; });
    }
    ~NowScope() { SetNowProvider(nullptr); }
    void Set(TDateTime Value) { *FValue = Value; }

private:
    std::shared_ptr<TDateTime> FValue;
};

// The AM/PM slide's waits are recorded instead of slept; OnWait runs at each.
class SleepScope {
public:
    SleepScope()
    {
        TQorWatch::SleepProc = [this](unsigned Ms) {
            Waits.push_back(Ms);
            if (OnWait) OnWait();
        };
    }
    ~SleepScope() { TQorWatch::SleepProc = nullptr; }
    std::vector<unsigned> Waits;
    std::function<void()> OnWait;
};

// Faces side by side at their own size, in rows of Columns, written as the snapshot Name.
class FaceSheet {
public:
    explicit FaceSheet(int Columns) : FColumns(Columns) {}
    void Add(const TDibSurface& Face) { FFaces.push_back(&Face); }
    void Add(std::unique_ptr<TDibSurface> Face)
    {
        FOwned.push_back(std::move(Face));
        FFaces.push_back(FOwned.back().get());
    }
    bool Save(const String& Name) const
    {
        if (FFaces.empty()) return false;
        const int Gap = 6;
        int W = 0, H = 0;
        for (const TDibSurface* F : FFaces) {
            W = std::max(W, F->Width());
            H = std::max(H, F->Height());
        }
        const int Columns = std::min<int>(FColumns, int(FFaces.size()));
        const int Rows = int((FFaces.size() + Columns - 1) / Columns);
        TDibSurface Sheet(Columns * (W + Gap) + Gap, Rows * (H + Gap) + Gap, TColor(0x707070));
        for (size_t I = 0; I < FFaces.size(); ++I) {
            const int X = Gap + int(I % Columns) * (W + Gap), Y = Gap + int(I / Columns) * (H + Gap);
            BitBlt(Sheet.DC(), X, Y, FFaces[I]->Width(), FFaces[I]->Height(), FFaces[I]->DC(), 0, 0, SRCCOPY);
        }
        return Sheet.SavePng(SnapshotPath(Name));
    }

private:
    int FColumns;
    std::vector<const TDibSurface*> FFaces;
    std::vector<std::unique_ptr<TDibSurface>> FOwned;
};

class WatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorTimePickerDropDownClasses();
        Form = ui::NewForm(300, 240);
        Form->SetColor(clWhite);
        Watch = Create<TQorWatch>(Form);
        Watch->SetParent(Form);
        Watch->SetLeft(10);
        Watch->SetTop(10);
        Watch->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        ui::Pump();
    }
    void TearDown() override
    {
        Form->Free();
        ui::Pump();
    }

    // A left click at a point of the face: button down and up as the platform sends them.
    void Click(int X, int Y)
    {
        HWND W = Watch->GetHandle();
        ui::SetKeyState({ssLeft});
        SendMessageW(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
        ui::SetKeyState({});
        SendMessageW(W, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    }
    // One tick of a timer, as its window receives it.
    static void Tick(TTimer* Timer)
    {
        ASSERT_NE(Timer->GetHandle(), nullptr);
        SendMessageW(Timer->GetHandle(), WM_TIMER, TTimer::TimerId, 0);
    }
    // Ticks the animation timer until it stops; answers the number of ticks (-1: it never stopped).
    int RunAnimation(int Limit = 500)
    {
        for (int N = 0; N < Limit; ++N) {
            if (!Watch->Animating()) return N;
            Tick(Watch->GetAnimationTimer());
        }
        return Watch->Animating() ? -1 : Limit;
    }
    // The face's client area as it paints itself.
    std::unique_ptr<TDibSurface> Paint(TColor Back = clWhite)
    {
        auto S = std::make_unique<TDibSurface>(Watch->GetWidth(), Watch->GetHeight(), Back);
        PaintWindowInto(Watch->GetHandle(), *S, true);
        return S;
    }
    // What the face's window shows now (its surface read back, without repainting it).
    std::unique_ptr<TDibSurface> Shown()
    {
        auto S = std::make_unique<TDibSurface>(Watch->GetWidth(), Watch->GetHeight(), clBlack);
        HDC DC = GetDC(Watch->GetHandle());
        BitBlt(S->DC(), 0, 0, S->Width(), S->Height(), DC, 0, 0, SRCCOPY);
        ReleaseDC(Watch->GetHandle(), DC);
        return S;
    }

    TForm* Form = nullptr;
    TQorWatch* Watch = nullptr;
    int Changes = 0;
};

}  // namespace watchkit
