// test-needs: desktop
// The panel (bevels, client area, caption), the timer (its messages, restarts only on change)
// and the image (where a picture is drawn).
#include "framework/ExtCtrls.h"
#include "framework/TypInfo.h"
#include "support/UiHarness.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ExtCtrls, PanelKeepsItsBevelsOutOfTheClientAreaAndPaintsThem)
{
    TForm* Form = ui::NewForm(300, 200);
    ui::FormGuard Guard(Form);
    auto* P = Create<TPanel>(Form);
    P->SetBounds(10, 10, 200, 100);
    P->SetParent(Form);
    P->SetColor(clWhite);
    P->SetBevelInner(bvLowered);
    P->SetBevelWidth(2);
    auto* Child = Create<TPanel>(Form);
    Child->SetAlign(alClient);
    Child->SetParent(P);
    EXPECT_EQ(Child->GetBoundsRect(), (TRect{4, 4, 196, 96}));
    P->SetBorderWidth(3);
    EXPECT_EQ(Child->GetBoundsRect(), (TRect{7, 7, 193, 93}));

    Child->SetVisible(false);
    P->SetBorderWidth(0);
    P->SetCaption(L"Panel caption");
    ui::ShowAndActivate(Form);
    TDibSurface S(200, 100, clFuchsia);
    P->PaintTo(S.DC(), 0, 0);
    EXPECT_EQ(S.Pixel(0, 0), ColorToRGB(clBtnHighlight));      // raised outer bevel
    EXPECT_EQ(S.Pixel(199, 99), ColorToRGB(clBtnShadow));
    EXPECT_EQ(S.Pixel(2, 2), ColorToRGB(clBtnShadow));         // lowered inner bevel
    EXPECT_EQ(S.Pixel(10, 10), ColorToRGB(clWhite));
    EXPECT_GT(S.InkCount(TRect{40, 40, 160, 60}, clWhite), 0);   // the centred caption
    EXPECT_EQ(S.InkCount(TRect{6, 6, 30, 30}, clWhite), 0);
}

TEST(ExtCtrls, TimerFiresWhileEnabledAndRestartsOnlyOnChange)
{
    auto* T = Create<TTimer>(nullptr);
    std::unique_ptr<TTimer> Owned(T);
    int Ticks = 0;
    T->OnTimer = [&](TObject*) { ++Ticks; };
    T->SetInterval(20);
    EXPECT_TRUE(ui::PumpUntil([&] { return Ticks >= 2; }, 2000));
    T->SetEnabled(false);
    ui::Pump(10);
    int Seen = Ticks;
    ui::Pump(100);
    EXPECT_EQ(Ticks, Seen);

    // A long interval set again to the same value keeps its running start.
    T->SetInterval(300);
    T->SetEnabled(true);
    ui::Pump(200);
    T->SetInterval(300);
    EXPECT_TRUE(ui::PumpUntil([&] { return Ticks > Seen; }, 250));
    // Interval 0 stops it.
    T->SetInterval(0);
    Seen = Ticks;
    ui::Pump(100);
    EXPECT_EQ(Ticks, Seen);
}

struct DestCase {
    bool Stretch, Proportional, Center;
    int PicW, PicH;
    TRect Expected;
};

TEST(ExtCtrls, ImagePlacesItsPicture)
{
    const DestCase Cases[] = {
        {false, false, false, 40, 20, {0, 0, 40, 20}},
        {false, false, true, 40, 20, {30, 40, 70, 60}},
        {true, false, false, 40, 20, {0, 0, 100, 100}},
        {true, true, false, 40, 20, {0, 0, 100, 50}},
        {true, true, true, 20, 40, {25, 0, 75, 100}},
        {false, true, false, 400, 100, {0, 0, 100, 25}},   // shrunk to fit, never enlarged
        {false, true, false, 40, 20, {0, 0, 40, 20}},
    };
    for (const DestCase& C : Cases) {
        std::unique_ptr<TImage> Img(Create<TImage>(nullptr));
        Img->SetBounds(0, 0, 100, 100);
        std::unique_ptr<TBitmap> B(new TBitmap());
        B->SetSize(C.PicW, C.PicH);
        Img->GetPicture()->SetBitmap(B.get());
        Img->SetStretch(C.Stretch);
        Img->SetProportional(C.Proportional);
        Img->SetCenter(C.Center);
        EXPECT_EQ(Img->DestRect(), C.Expected) << C.Stretch << C.Proportional << C.Center << " " << C.PicW;
    }
}

TEST(ExtCtrls, ImagePaintsItsPictureInItsParentAndSizesToIt)
{
    TForm* Form = ui::NewForm(200, 200);
    ui::FormGuard Guard(Form);
    auto* Img = Create<TImage>(Form);
    Img->SetBounds(10, 10, 50, 50);
    Img->SetParent(Form);
    std::unique_ptr<TBitmap> B(new TBitmap());
    B->SetSize(30, 20);
    B->GetCanvas()->GetBrush()->SetColor(clRed);
    B->GetCanvas()->FillRect(TRect{0, 0, 30, 20});
    Img->SetAutoSize(true);
    Img->GetPicture()->SetBitmap(B.get());
    EXPECT_EQ(Img->GetWidth(), 30);
    EXPECT_EQ(Img->GetHeight(), 20);
    TDibSurface S(100, 100);
    Form->PaintControls(S.DC(), nullptr);
    EXPECT_TRUE(S.AllColor(TRect{10, 10, 40, 30}, clRed));
    EXPECT_EQ(S.CountColor(TRect{0, 0, 100, 100}, clRed), 600);

    RegisterExtCtrls();
    for (const wchar_t* Name : {L"TPanel", L"TTimer", L"TImage"}) EXPECT_NE(GetClass(Name), nullptr) << Name;
    EXPECT_EQ(GetPropValue(Img, L"Stretch"), L"False");
}

}  // namespace
