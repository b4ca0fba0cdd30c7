// QorTimePickerDropDown: the clock face's appearance and settings objects, the clock colours of
// the component styles, and the unit's registration by name.
#include "pickers/QorTimePickerDropDown.h"

#include "framework/TypInfo.h"

using namespace QorStyleIF;

namespace {

constexpr const wchar_t* DefaultFontName = L"Tahoma";
constexpr int DefaultHourFontSize = 8;
constexpr int DefaultAMPMFontSize = 10;

// (red, green, blue) as a colour value.
constexpr TColor Rgb(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }

// The clock colours of one component style. Ink colours the marks and both hands; the shadows go
// to both hand shadows; the background to both gradient ends unless BackgroundTo is given.
struct TWatchScheme {
    TJOQStyle Style;
    TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterBorder, Center, Ink, Shadows, Second;
};

constexpr TColor Same = clDefault;   // BackgroundTo: the background colour again

const TWatchScheme WatchSchemes[] = {
    {tsOffice2003Blue, Rgb(0, 45, 150), Rgb(89, 135, 214), Rgb(175, 210, 255), Same, Rgb(89, 135, 214),
     Rgb(89, 135, 214), Rgb(89, 135, 214), Rgb(89, 135, 214), Rgb(255, 255, 255), Rgb(255, 255, 255)},
    {tsOffice2003Silver, Rgb(0, 45, 150), Rgb(165, 164, 189), Rgb(216, 216, 230), Same, Rgb(165, 164, 189),
     Rgb(165, 164, 189), Rgb(165, 164, 189), Rgb(165, 164, 189), Rgb(255, 255, 255), Rgb(255, 255, 255)},
    {tsOffice2003Olive, Rgb(0, 45, 150), Rgb(175, 192, 130), Rgb(225, 234, 185), Same, Rgb(175, 192, 130),
     Rgb(175, 192, 130), Rgb(175, 192, 130), Rgb(175, 192, 130), Rgb(255, 255, 255), Rgb(255, 255, 255)},
    {tsOffice2003Classic, Rgb(0, 45, 150), Rgb(128, 128, 128), Rgb(242, 242, 242), Same, Rgb(128, 128, 128),
     Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(255, 255, 255), Rgb(128, 128, 128)},
    {tsOffice2007Luna, Rgb(208, 222, 240), Rgb(208, 222, 240), Rgb(227, 239, 255), Same, Rgb(208, 222, 240),
     Rgb(227, 239, 255), Rgb(227, 239, 255), Rgb(8, 55, 114), Rgb(255, 255, 255), Rgb(8, 55, 114)},
    {tsOffice2007Obsidian, Rgb(240, 241, 242), Rgb(76, 83, 92), Rgb(76, 83, 92), Same, Rgb(240, 241, 242),
     Rgb(227, 239, 255), Rgb(227, 239, 255), Rgb(240, 241, 242), Rgb(255, 255, 255), Rgb(240, 241, 242)},
    {tsWindowsXP, Rgb(0, 0, 0), clBtnFace, clBtnFace, Same, Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0),
     Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(0, 0, 0)},
    {tsWhidbey, Rgb(152, 152, 126), Rgb(250, 249, 245), Rgb(250, 249, 245), Same, Rgb(152, 152, 126),
     Rgb(152, 152, 126), Rgb(152, 152, 126), Rgb(152, 152, 126), Rgb(255, 255, 255), Rgb(152, 152, 126)},
    {tsOffice2007Silver, Rgb(219, 224, 232), Rgb(241, 244, 248), Rgb(241, 244, 248), Same, Rgb(219, 224, 232),
     Rgb(219, 224, 232), Rgb(111, 112, 116), Rgb(111, 112, 116), Rgb(255, 255, 255), Rgb(111, 112, 116)},
    {tsWindowsVista, Rgb(154, 223, 254), Rgb(249, 253, 255), Rgb(249, 253, 255), Rgb(240, 250, 255),
     Rgb(154, 223, 254), Rgb(154, 223, 254), Rgb(154, 223, 254), Rgb(154, 223, 254), Rgb(255, 255, 255),
     Rgb(154, 223, 254)},
    {tsWindows7, Rgb(184, 214, 251), Rgb(250, 251, 253), Rgb(250, 251, 253), Rgb(235, 243, 253),
     Rgb(184, 214, 251), Rgb(184, 214, 251), Rgb(184, 214, 251), Rgb(184, 214, 251), Rgb(255, 255, 255),
     Rgb(184, 214, 251)},
    {tsTerminal, Rgb(128, 128, 128), clBtnFace, clBtnFace, Same, Rgb(128, 128, 128), Rgb(128, 128, 128),
     Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(255, 255, 255), Rgb(128, 128, 128)},
    {tsOffice2010Blue, Rgb(159, 178, 199), Rgb(199, 218, 240), Rgb(239, 246, 253), Same, Rgb(159, 178, 199),
     Rgb(159, 178, 199), Rgb(159, 178, 199), Rgb(159, 178, 199), Rgb(255, 255, 255), Rgb(159, 178, 199)},
    {tsOffice2010Silver, Rgb(200, 205, 210), Rgb(224, 229, 237), Rgb(255, 255, 255), Same, Rgb(200, 205, 210),
     Rgb(200, 205, 210), Rgb(200, 205, 210), Rgb(200, 205, 210), Rgb(192, 192, 192), Rgb(200, 205, 210)},
    {tsOffice2010Black, Rgb(109, 109, 109), Rgb(145, 145, 145), Rgb(191, 191, 191), Same, Rgb(109, 109, 109),
     Rgb(109, 109, 109), Rgb(109, 109, 109), Rgb(109, 109, 109), Rgb(255, 255, 255), Rgb(109, 109, 109)},
};

}  // namespace

// ---- TWatchAppearance ---------------------------------------------------------------------------

TWatchAppearance::TWatchAppearance() { InitializeDefault(); }

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::InitializeDefault()
{
    QOR_WATCHAPPEARANCE_PROPS(QOR_OPTION_RESET)
    if (!FHourFont) FHourFont = std::make_unique<TFont>();
    FHourFont->SetName(DefaultFontName);
    FHourFont->SetSize(DefaultHourFontSize);
    if (!FAMPMFont) FAMPMFont = std::make_unique<TFont>();
    FAMPMFont->SetName(DefaultFontName);
    FAMPMFont->SetSize(DefaultAMPMFontSize);
    if (!FPicture) {
        FPicture = std::make_unique<TPicture>();
        FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    }
}

void TWatchAppearance::Changed()
{
    ++FChangeCount;
    if (OnChange) OnChange(this);
}

void TWatchAppearance::PictureChanged(TObject*) { Changed(); }

void TWatchAppearance::SetAMPMFont(TFont* Value)
{
    FAMPMFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetHourFont(TFont* Value)
{
    FHourFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetPicture(TPicture* Value)
{
    FPicture->Assign(Value);
    Changed();
}

void TWatchAppearance::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TWatchAppearance*>(Source_);
    if (!Source) {
        inherited::Assign(Source_);
        return;
    }
    QOR_WATCHAPPEARANCE_PROPS(QOR_OPTION_COPY)
    const int Before = FChangeCount;
    FHourFont->Assign(Source->FHourFont.get());
    FAMPMFont->Assign(Source->FAMPMFont.get());
    FPicture->Assign(Source->FPicture.get());
    // Copying the picture reports a change; copying one empty picture into another tells nothing,
    // and the receiver must still hear that its look was replaced.
    if (FChangeCount == Before) Changed();
    SetCenterPointOuterBorderColor(Source->FCenterPointOuterBorderColor);
    SetTickMarks(Source->FTickMarks);
    SetHourMarkStyle(Source->FHourMarkStyle);
}

void TWatchAppearance::ApplyComponentStyle(TJOQStyle AStyle)
{
    SetCenterPointOuterBorderColor(clBlack);
    FHourFont->SetColor(clBlack);
    FAMPMFont->SetColor(clBlack);
    for (const TWatchScheme& S : WatchSchemes) {
        if (S.Style != AStyle) continue;
        FAMPMBorderColor = S.AMPMBorder;
        FAMPMColor = S.AMPM;
        SetBackgroundColor(S.Background);
        SetBackgroundColorTo(S.BackgroundTo == Same ? S.Background : S.BackgroundTo);
        SetBorderColor(S.Border);
        SetCenterPointBorderColor(S.CenterBorder);
        SetCenterPointColor(S.Center);
        SetHourColor(S.Ink);
        SetMinuteColor(S.Ink);
        SetHourPointer(S.Ink);
        SetMinutePointer(S.Ink);
        SetHourPointerShadow(S.Shadows);
        SetMinutePointerShadow(S.Shadows);
        SetSecondPointer(S.Second);
        if (AStyle == tsOffice2007Obsidian) {
            FAMPMFont->SetColor(Rgb(240, 241, 242));
            FHourFont->SetColor(Rgb(240, 241, 242));
        }
        return;
    }
}

// ---- TWatchSettings -----------------------------------------------------------------------------

void TWatchSettings::Changed()
{
    if (OnChange) OnChange(this);
}

void TWatchSettings::SetAuto(bool Value)
{
    if (FAuto == Value) return;
    FAuto = Value;
    Changed();
}

void TWatchSettings::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TWatchSettings*>(Source_);
    if (!Source) {
        inherited::Assign(Source_);
        return;
    }
    QOR_WATCHSETTINGS_PROPS(QOR_OPTION_COPY)
    SetAuto(Source->FAuto);
}

// ---- registration -------------------------------------------------------------------------------

void TWatchAppearance::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TWatchAppearance;
    Table.Add(L"AMPMFont", &TSelf::GetAMPMFont, &TSelf::SetAMPMFont);
    Table.Add(L"HourFont", &TSelf::GetHourFont, &TSelf::SetHourFont);
    Table.Add(L"Picture", &TSelf::GetPicture, &TSelf::SetPicture);
    QOR_WATCHAPPEARANCE_PROPS(QOR_OPTION_REGISTER)
}

void TWatchSettings::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TWatchSettings;
    QOR_WATCHSETTINGS_PROPS(QOR_OPTION_REGISTER)
}

#define QOR_IDENT(Value) {Value, L## #Value}

void RegisterQorTimePickerDropDownClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterGraphicsClasses();
    RegisterEnumIdents<TAMPMFrame>(L"TAMPMFrame", {QOR_IDENT(apRect), QOR_IDENT(apRoundRect)});
    RegisterEnumIdents<TWatchGradient>(L"TWatchGradient", {QOR_IDENT(wgRadial), QOR_IDENT(wgVertical),
                                                           QOR_IDENT(wgDiagonalForward),
                                                           QOR_IDENT(wgDiagonalBackward)});
    RegisterEnumIdents<THourMarkStyle>(L"THourMarkStyle", {QOR_IDENT(hmsLine), QOR_IDENT(hmsQuartDblLine)});
    RegisterEnumIdents<TPointerStyle>(L"TPointerStyle", {QOR_IDENT(psLine), QOR_IDENT(psShortLine),
                                                         QOR_IDENT(psPointer), QOR_IDENT(psLineArrow)});
    RegisterEnumIdents<TWatchShape>(L"TWatchShape", {QOR_IDENT(wsCircle), QOR_IDENT(wsRect), QOR_IDENT(wsRoundRect)});
    RegisterEnumIdents<TTickMarks>(L"TTickMarks", {QOR_IDENT(tmAll), QOR_IDENT(tmHours), QOR_IDENT(tmQuartHours),
                                                   QOR_IDENT(tmNone)});
    RegisterEnumIdents<TWatchStyle>(
        L"TWatchStyle", {QOR_IDENT(wsClassic), QOR_IDENT(wsTower), QOR_IDENT(wsFluorescent), QOR_IDENT(wsEmerald),
                         QOR_IDENT(wsBlueStar), QOR_IDENT(wsFuchsia), QOR_IDENT(wsBlack), QOR_IDENT(wsBlackWhite),
                         QOR_IDENT(wsGray), QOR_IDENT(wsSuperNova), QOR_IDENT(wsSports), QOR_IDENT(wsSmooth),
                         QOR_IDENT(wsCustom)});
    RegisterQorDropDownClasses();
    RegisterClasses<TWatchAppearance, TWatchSettings, TQorWatch, TQorTimePickerDropDown>();
}
