// test-needs: desktop
// The flat date-time picker: with its defaults it paints as the framework's picker; without Ctl3D
// its frame is drawn in the non-client area; in the metro style its frame and flat drop button are
// drawn over the window. Frames are read from the screen (they are missed by WM_PRINT).
#include "controls/JyrDateTimePicker.h"
#include "graphics/QorStyleIF.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>

using namespace JyrDateTimePicker;

namespace {

class FlatPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterJyrDateTimePicker();
        Form = ui::NewForm(400, 300);
        Form->SetColor(clBtnFace);
        Guard = std::make_unique<ui::FormGuard>(Form);
        Other = Create<TEdit>(Form);
        Other->SetBounds(10, 250, 100, 21);
        Other->SetParent(Form);
        ui::ShowAndActivate(Form);
        Other->SetFocus();
        ui::Pump();
    }
    void TearDown() override
    {
        QorStyleIF::DetectionOverrides() = {};
        JyrControls::EnvironmentOverrides() = {};
    }
    template <class T>
    T* Make(int L, int T0)
    {
        auto* P = Create<T>(Form);
        P->SetBounds(L, T0, 150, 24);
        P->SetParent(Form);
        P->SetFormat(L"dd-MM-yyyy");
        P->SetDateTime(EncodeDate(2024, 3, 12));
        return P;
    }

    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    TEdit* Other = nullptr;
};

}  // namespace

TEST_F(FlatPicker, WithItsDefaultsItPaintsAsTheFrameworksPicker)
{
    auto* Own = Make<TJyrDateTimePicker>(10, 10);
    auto* Plain = Make<TDateTimePicker>(10, 60);
    EXPECT_EQ(Own->GetBorderStyle(), bsNone);
    EXPECT_TRUE(Own->GetCtl3D());
    EXPECT_TRUE(Own->GetDoubleBuffered());
    auto A = CaptureWindowAsShown(Own->GetHandle()), B = CaptureWindowAsShown(Plain->GetHandle());
    EXPECT_EQ(A->DiffCount(*B), 0);
}

TEST_F(FlatPicker, WithoutCtl3DTheFrameIsDrawnInTheBorderOrTheParentsColour)
{
    auto* P = Make<TJyrDateTimePicker>(10, 10);
    P->SetCtl3D(false);
    P->SetBorderStyle(bsSingle);
    P->SetBorderColor(clRed);
    auto S = CaptureWindowAsShown(P->GetHandle());
    const int W = P->GetWidth(), H = P->GetHeight();
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, clRed));
    EXPECT_TRUE(S->AllColor(TRect{0, 0, 1, H}, clRed));
    EXPECT_TRUE(S->AllColor(TRect{W - 1, 0, W, H}, clRed));
    EXPECT_TRUE(S->AllColor(TRect{0, H - 1, W, H}, clRed));
    S->SavePng(SnapshotPath(L"jyrdtp_ctl3d_off.png"));

    // Without a border the frame takes the parent's colour.
    P->SetBorderStyle(bsNone);
    S = CaptureWindowAsShown(P->GetHandle());
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, ColorToRGB(clBtnFace)));

    // A picker of version 6 common controls frames in the themed colour.
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    auto* Themed = Make<TJyrDateTimePicker>(10, 60);
    ASSERT_TRUE(Themed->IsThemed);
    Themed->SetCtl3D(false);
    Themed->SetBorderStyle(bsSingle);
    Themed->SetBorderColor(clRed);
    S = CaptureWindowAsShown(Themed->GetHandle());
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, JyrFlatLook::DisabledThemedFrame));
}

TEST_F(FlatPicker, TheMetroStyleDrawsItsFrameAndAFlatDropButton)
{
    auto* P = Make<TJyrDateTimePicker>(10, 10);
    P->SetMetroStyle(true);
    EXPECT_TRUE(P->GetMetroStyleShowing());
    P->SetBorderColor(clBlue);
    P->ButtonColor = clYellow;
    P->ButtonTextColor = clRed;
    P->ButtonBorderColor = clGreen;
    auto S = CaptureWindowAsShown(P->GetHandle());
    const int W = P->GetWidth(), H = P->GetHeight(), BW = P->ButtonWidth;
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, clBlue));
    EXPECT_TRUE(S->AllColor(TRect{0, H - 1, W, H}, clBlue));
    const TRect Button{W - BW + 2, 1, W - 1, H - 1};
    EXPECT_GT(S->CountColor(Button, clYellow), 20);
    EXPECT_GT(S->CountColor(Button, clRed), 6);   // the arrow
    S->SavePng(SnapshotPath(L"jyrdtp_metro.png"));

    // A time picker gets no strip and no drop button, but the same frame.
    auto* T = Make<TJyrDateTimePicker>(10, 60);
    T->SetKind(dtkTime);
    T->SetMetroStyle(true);
    T->SetBorderColor(clBlue);
    T->ButtonColor = clYellow;
    S = CaptureWindowAsShown(T->GetHandle());
    EXPECT_EQ(S->CountColor(S->Bounds(), clYellow), 0);
    EXPECT_TRUE(S->AllColor(TRect{0, 0, W, 1}, clBlue));
}

TEST_F(FlatPicker, HoverAndVersion)
{
    auto* P = Make<TJyrDateTimePicker>(10, 10);
    ui::MouseMove(P, P->GetWidth() - 4, 5);
    EXPECT_TRUE(P->GetButtonHover());
    ui::MouseMove(P, 4, 5);
    EXPECT_FALSE(P->GetButtonHover());
    EXPECT_EQ(P->GetVersion(), L"1.0.0.0");
    P->SetVersion(L"9.9.9.9");
    EXPECT_EQ(P->GetVersion(), L"1.0.0.0");
    EXPECT_EQ(P->GetVersionNr(), 0x01000000);
    EXPECT_EQ(GetFileVersion(L"kernel32.dll") >> 16 > 0, true);
    EXPECT_EQ(GetFileVersion(L"no-such-file.dll"), -1);
    EXPECT_EQ(IsComCtl6(), QorStyleIF::IsThemedApp());
    EXPECT_FALSE(IsMouseButtonDown());   // nothing held in the test

    // The Windows version is noted at construction.
    SetWin32VersionForTesting(2, 5, 0);
    auto* Old = Make<TJyrDateTimePicker>(10, 60);
    ClearWin32VersionForTesting();
    EXPECT_FALSE(Old->IsWinXP);
    EXPECT_TRUE(P->IsWinXP);
}
