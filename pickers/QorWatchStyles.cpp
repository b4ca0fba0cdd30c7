// QorTimePickerDropDown: the clock face's twelve look presets.
#include "pickers/QorTimePickerDropDown.h"

#include "framework/Math.h"

#include <optional>

namespace {

constexpr TColor Rgb(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

// A font's look in a preset: what is not given (colour, style) stays as it was; name and size
// were reset with the appearance already.
struct TFontLook {
    std::optional<TColor> Color;
    const wchar_t* Name = nullptr;
    int Size = 0;
    std::optional<TFontStyles> Style;
};

const TFontStyles Regular{};
const TFontStyles Bold{fsBold};
constexpr TColor Keep = clDefault;   // a colour the preset leaves at its initial value

// What a preset sets: the appearance (through its setters) and the face's switches.
struct TPreset {
    TWatchAppearance* A;
    int Side;                  // the smaller side of the face
    bool ShowAMPM = false;
    bool KeepAMPM = false;     // ShowAMPM stays as it was
    bool ShowNumbers = true;
    bool Animate = false;      // animation on with factor 10

    // Sizes of 0 and Keep colours leave the initial value.
    void Hands(TColor Hour, int HourSize, TColor Minute, int MinuteSize)
    {
        if (Hour != Keep) A->SetHourPointer(Hour);
        if (HourSize) A->SetHourPointerSize(Byte(HourSize));
        if (Minute != Keep) A->SetMinutePointer(Minute);
        if (MinuteSize) A->SetMinutePointerSize(Byte(MinuteSize));
    }
    // Size -1 and Keep colours leave the initial value.
    void Center(int Size, TColor Color, TColor Border, TColor Outer)
    {
        if (Size >= 0) A->SetCenterPointSize(Byte(Size));
        if (Color != Keep) A->SetCenterPointColor(Color);
        if (Border != Keep) A->SetCenterPointBorderColor(Border);
        if (Outer != Keep) A->SetCenterPointOuterBorderColor(Outer);
    }
    void HourFont(const TFontLook& Look) { SetFont(true, Look); }
    void AMPMFont(const TFontLook& Look) { SetFont(false, Look); }

private:
    void SetFont(bool Hour, const TFontLook& Look)
    {
        TFont F;
        F.Assign(Hour ? A->GetHourFont() : A->GetAMPMFont());
        if (Look.Color) F.SetColor(*Look.Color);
        if (Look.Name) F.SetName(Look.Name);
        if (Look.Size) F.SetSize(Look.Size);
        if (Look.Style) F.SetStyle(*Look.Style);
        if (Hour) A->SetHourFont(&F);
        else A->SetAMPMFont(&F);
    }
};

// A size computed from the face, kept within what the byte-wide setting holds.
Byte FaceSize(Int64 Value) { return Byte(Min<Int64, Int64>(Max<Int64, Int64>(Value, 0), 255)); }

constexpr const wchar_t* SansSerif = L"MS Sans Serif";

void Classic(TPreset& P)
{
    TWatchAppearance* A = P.A;
    A->SetHourMarkLength(8);
    A->SetMinuteMarkLength(4);
    P.Hands(Keep, 5, Keep, 0);
    P.HourFont({{}, L"Comic Sans MS", 10, Bold});
    P.AMPMFont({{}, SansSerif, 0, Regular});
    P.ShowAMPM = true;
    P.Animate = true;
}

void Tower(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Bg = Rgb(254, 240, 177);
    A->SetShape(wsRect);
    A->SetPointerStyle(psPointer);
    A->SetTickMarks(tmHours);
    A->SetBackgroundColor(Bg);
    A->SetBackgroundColorTo(Rgb(232, 204, 91));
    A->SetBackgroundGradient(wgDiagonalForward);
    A->SetBorderWidth(1);
    P.Center(6, Rgb(213, 43, 0), Keep, Keep);
    P.Hands(Keep, 5, Keep, 0);
    A->SetSecondPointer(Rgb(213, 43, 0));
    P.HourFont({clWindowText, L"Century", 0, Bold});
    P.AMPMFont({{}, SansSerif, 0, Regular});
    A->SetAMPMFrame(apRect);
    A->SetAMPMColor(Bg);
    P.KeepAMPM = true;
    P.ShowNumbers = false;
}

void Fluorescent(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Ink = Rgb(62, 62, 255);
    A->SetShape(wsRoundRect);
    A->SetTickMarks(tmHours);
    A->SetHourMarkStyle(hmsQuartDblLine);
    A->SetBackgroundColor(clBlack);
    A->SetBackgroundColorTo(clBlack);
    A->SetBorderColor(Ink);
    P.Center(20, Ink, clBlack, clBlack);
    A->SetHourColor(Ink);
    A->SetHourMarkLength(10);
    A->SetHourMarkWidth(2);
    A->SetMinuteColor(Ink);
    P.Hands(Ink, 2, Ink, 2);
    P.HourFont({clWindowText, SansSerif, 8, Regular});
    P.AMPMFont({clWindowText, SansSerif, 10, Regular});
    A->SetAMPMFrame(apRoundRect);
    P.ShowNumbers = false;
}

void Emerald(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Bg = Rgb(0, 232, 58), Hand = Rgb(0, 255, 64);
    A->SetShape(wsRect);
    A->SetPointerStyle(psPointer);
    A->SetTickMarks(tmHours);
    A->SetHourMarkStyle(hmsQuartDblLine);
    A->SetBackgroundColor(Bg);
    A->SetBackgroundColorTo(clBlack);
    A->SetBackgroundGradient(wgDiagonalForward);
    A->SetBorderColor(Bg);
    P.Center(16, Rgb(0, 225, 56), Hand, clBlack);
    A->SetHourColor(Bg);
    P.Hands(Hand, 5, Hand, 0);
    A->SetSecondPointer(Rgb(255, 255, 0));
    P.HourFont({Bg, SansSerif, 0, Regular});
    P.AMPMFont({Rgb(0, 0, 160), SansSerif, 0, Regular});
    A->SetAMPMFrame(apRoundRect);
    A->SetAMPMColor(clNone);
    P.ShowNumbers = false;
}

void BlueStar(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Bg = Rgb(213, 213, 255), Navy = Rgb(0, 0, 160);
    A->SetShape(wsRoundRect);
    A->SetPointerStyle(psPointer);
    A->SetBackgroundColor(Bg);
    A->SetBackgroundColorTo(Navy);
    A->SetBackgroundGradient(wgRadial);
    A->SetBorderColor(Bg);
    P.Hands(Navy, 5, Navy, 0);
    P.HourFont({Bg, SansSerif, 8, Regular});
    P.AMPMFont({Navy, SansSerif, 10, Regular});
    A->SetAMPMFrame(apRoundRect);
    A->SetAMPMColor(clNone);
    A->SetAMPMBorderColor(clNone);
    P.ShowAMPM = true;
}

void Fuchsia(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Ink = Rgb(255, 208, 255), Deep = Rgb(221, 104, 221);
    A->SetShape(wsRect);
    A->SetTickMarks(tmQuartHours);
    A->SetHourMarkStyle(hmsQuartDblLine);
    A->SetBackgroundColor(clBlack);
    A->SetBackgroundColorTo(clBlack);
    A->SetBorderColor(Ink);
    P.Center(20, Keep, Deep, clBlack);
    A->SetHourColor(Ink);
    A->SetHourMarkLength(10);
    A->SetHourMarkWidth(2);
    A->SetMinuteColor(Ink);
    P.Hands(Ink, 2, Ink, 2);
    A->SetSecondPointer(Deep);
    P.HourFont({clWindowText, SansSerif, 8, Regular});
    P.AMPMFont({clWindowText, SansSerif, 10, Regular});
    A->SetAMPMFrame(apRoundRect);
    P.ShowNumbers = false;
}

void Black(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Mark = Rgb(88, 88, 88);
    A->SetBackgroundColor(Rgb(32, 32, 32));
    P.Center(-1, clWhite, clWhite, clWhite);
    A->SetHourColor(Mark);
    A->SetMinuteColor(Mark);
    A->SetMinuteMarkLength(4);
    P.Hands(clWhite, 5, clWhite, 0);
    P.HourFont({clWhite, L"Century Gothic", 11, {}});
    P.AMPMFont({{}, SansSerif, 0, Regular});
}

void BlackWhite(TPreset& P)
{
    TWatchAppearance* A = P.A;
    A->SetPointerStyle(psPointer);
    A->SetTickMarks(tmQuartHours);
    A->SetBorderWidth(8);
    P.Center(8, Keep, clBlack, clBlack);
    A->SetHourColor(Rgb(88, 88, 88));
    A->SetMinuteMarkLength(4);
    P.Hands(Keep, 5, Keep, 0);
    A->SetSecondPointer(Rgb(128, 0, 0));
    P.HourFont({clBlack, L"Century Gothic", 14, Bold});
}

void Gray(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Edge = Rgb(69, 69, 69), Hand = Rgb(78, 78, 78);
    A->SetBackgroundColor(Rgb(209, 209, 209));
    A->SetBackgroundColorTo(Rgb(108, 108, 108));
    A->SetBackgroundGradient(wgRadial);
    A->SetBorderColor(Edge);
    P.Center(-1, Keep, Edge, Keep);
    P.Hands(Hand, 1, Hand, 1);
    A->SetHourPointerShadow(clNone);
    A->SetMinutePointerShadow(clNone);
    P.HourFont({{}, L"Comic Sans MS", 8, Regular});
    P.AMPMFont({{}, SansSerif, 10, {}});
    P.ShowAMPM = true;
}

void SuperNova(TPreset& P)
{
    TWatchAppearance* A = P.A;
    A->SetBackgroundColorTo(Rgb(211, 211, 209));
    A->SetBorderColor(clNone);
    P.Center(10, Keep, Keep, clBlack);
    // Sizes of the face's own, kept within a byte on a large face.
    A->SetHourMarkLength(FaceSize(Round(P.Side / 4.5)));
    A->SetMinuteMarkLength(FaceSize(P.Side / 3));
    P.ShowNumbers = false;
}

void Sports(TPreset& P)
{
    TWatchAppearance* A = P.A;
    A->SetTickMarks(tmQuartHours);
    A->SetBackgroundColor(clBlack);
    A->SetBorderWidth(1);
    P.Center(FaceSize(Round(P.Side / 3.6)), Rgb(25, 25, 25), Rgb(0, 0, 255), clBlack);
    A->SetHourColor(Rgb(177, 176, 171));
    A->SetMinuteMarkLength(1);
    P.Hands(Rgb(255, 0, 0), 2, Rgb(255, 255, 0), 2);
    A->SetHourPointerShadow(clNone);
    A->SetMinutePointerShadow(clNone);
    A->SetSecondPointer(Rgb(254, 139, 24));
    P.HourFont({Rgb(121, 121, 121), L"Times New Roman", 9, {}});
}

void Smooth(TPreset& P)
{
    TWatchAppearance* A = P.A;
    const TColor Hand = Rgb(74, 74, 74), Shadow = Rgb(178, 178, 178);
    A->SetTickMarks(tmQuartHours);
    A->SetBackgroundColor(clWhite);
    A->SetBackgroundColorTo(Rgb(177, 176, 171));
    A->SetBorderColor(Rgb(88, 88, 88));
    A->SetBorderWidth(1);
    P.Center(6, clWhite, clBlack, Hand);
    A->SetHourColor(Rgb(177, 176, 171));
    A->SetMinuteMarkLength(1);
    P.Hands(Hand, 2, Hand, 2);
    A->SetHourPointerShadow(Shadow);
    A->SetMinutePointerShadow(Shadow);
    A->SetSecondPointer(Hand);
    P.HourFont({Rgb(121, 121, 121), L"Times New Roman", 9, {}});
}

using TPresetProc = void (*)(TPreset& P);
const TPresetProc Presets[] = {Classic, Tower, Fluorescent, Emerald, BlueStar, Fuchsia,
                               Black, BlackWhite, Gray, SuperNova, Sports, Smooth};

}  // namespace

void TQorWatch::SetStyle(TWatchStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    if (Value == wsCustom) return;
    ApplyStyle(Value);
}

void TQorWatch::ApplyStyle(TWatchStyle Value)
{
    FAppearance->InitializeDefault();
    TPreset P{FAppearance.get(), Min(GetHeight(), GetWidth())};
    Presets[Value](P);
    if (P.Animate) {
        FAnimation = true;
        FAnimationFactor = 10;
    }
    SetShowAMPM(P.KeepAMPM ? FShowAMPM : P.ShowAMPM);
    SetShowNumbers(P.ShowNumbers);
    InvalidateWatch();
}
