// QorDropDown: header and footer appearances of the popup and their buttons.
#include "controls/QorDropDown.h"

#include "framework/Math.h"
#include "framework/TypInfo.h"

#include <algorithm>

namespace {
// The header band's caption face.
constexpr const wchar_t* HeaderFontName = L"Tahoma";
} // namespace

// ---- colours -----------------------------------------------------------------------------------

TColor BrightnessColor(TColor Col, int BR, int BG, int BB)
{
    const TColor C = ColorToRGB(Col);
    auto Channel = [](int Value, int Percent) {
        if (Value == 0) return std::max(Percent, 0) & 0xFF;
        return int(Round(std::min(Percent + 100, 100) * Value / 100.0)) & 0xFF;
    };
    return TColor(RGB(Channel(GetRValue(C), BR), Channel(GetGValue(C), BG), Channel(GetBValue(C), BB)));
}

// ---- band buttons -------------------------------------------------------------------------------

void TQorBandButton::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TQorBandButton::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed(false);
}

void TQorBandButton::SetWidth(int Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(false);
}

void TQorBandButton::CopyBandButton(const TQorBandButton& Source)
{
    FCaption = Source.FCaption;
    FImageIndex = Source.FImageIndex;
    FEnabled = Source.FEnabled;
    FWidth = Source.FWidth;
    FHeight = Source.FHeight;
}

void THeaderButton::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<THeaderButton*>(Source)) CopyBandButton(*S);
    else inherited::Assign(Source);
}

void TFooterButton::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TFooterButton*>(Source)) {
        CopyBandButton(*S);
        FModalResult = S->FModalResult;
    } else {
        inherited::Assign(Source);
    }
}

void TQorBandButtons::Change()
{
    if (OnChange) OnChange(this);
}

void TQorBandButtons::Update(TCollectionItem* Item)
{
    if (Item) Change();
}

THeaderButtons::THeaderButtons(TPersistent* AOwner)
    : TQorBandButtons(AOwner, TCollection::ItemClass<THeaderButton>())
{
}

TFooterButtons::TFooterButtons(TPersistent* AOwner)
    : TQorBandButtons(AOwner, TCollection::ItemClass<TFooterButton>())
{
}

// ---- band appearances ---------------------------------------------------------------------------

TQorBandAppearance::TQorBandAppearance(TComponent* AOwner) : FOwner(AOwner), FFont(Create<TFont>()) {}

TQorBandAppearance::~TQorBandAppearance()
{
    FFont->Free();
}

void TQorBandAppearance::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    Changed();
}

void TQorBandAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

void TQorBandAppearance::ButtonsChanged(TObject*)
{
    if (OnButtonsChanged) OnButtonsChanged(this);
}

void TQorBandAppearance::CopyColors(const TQorBandAppearance& Source)
{
    FColor = Source.FColor;
    FColorTo = Source.FColorTo;
    FBorderColor = Source.FBorderColor;
    FGradientDirection = Source.FGradientDirection;
    FFont->Assign(Source.FFont);
}

void TQorBandAppearance::CopyBand(const TQorBandAppearance& Source)
{
    CopyColors(Source);
    FCaption = Source.FCaption;
    FImageIndex = Source.FImageIndex;
    FBorderWidth = Source.FBorderWidth;
    FHeight = Source.FHeight;
    FButtonAlignment = Source.FButtonAlignment;
}

THeaderAppearance::THeaderAppearance(TComponent* AOwner)
    : TQorBandAppearance(AOwner), FButtons(Create<THeaderButtons>(AOwner))
{
    GetFont()->SetName(HeaderFontName);
    FButtons->OnChange = [this](TObject* Sender) { ButtonsChanged(Sender); };
}

THeaderAppearance::~THeaderAppearance()
{
    FButtons->Free();
}

void THeaderAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<THeaderAppearance*>(Source);
    if (!S) return;
    CopyBand(*S);
    FButtons->Assign(S->FButtons);
    SetVisible(S->GetVisible());
}

void THeaderAppearance::AssignColors(TPersistent* Source)
{
    if (auto* S = dynamic_cast<THeaderAppearance*>(Source)) CopyColors(*S);
}

TFooterAppearance::TFooterAppearance(TComponent* AOwner)
    : TQorBandAppearance(AOwner), FButtons(Create<TFooterButtons>(AOwner))
{
    FButtons->OnChange = [this](TObject* Sender) { ButtonsChanged(Sender); };
}

TFooterAppearance::~TFooterAppearance()
{
    FButtons->Free();
}

void TFooterAppearance::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TFooterAppearance*>(Source);
    if (!S) return;
    CopyBand(*S);
    FSizeGrip = S->FSizeGrip;
    FButtons->Assign(S->FButtons);
    SetVisible(S->GetVisible());
}

void TFooterAppearance::AssignColors(TPersistent* Source)
{
    if (auto* S = dynamic_cast<TFooterAppearance*>(Source)) CopyColors(*S);
}

void TFooterAppearance::SetCaption(const String& Value)
{
    TQorBandAppearance::SetCaption(Value);
    Changed();
}

// ---- drawing routines ---------------------------------------------------------------------------

TSize GetTextSize(TCanvas* Canvas, const String& Text)
{
    if (Text.empty()) return {0, 0};
    RECT R{0, 0, 1000, 500};
    DrawTextW(Canvas->GetHandle(), Text.c_str(), int(Text.size()), &R, DT_CALCRECT | DT_SINGLELINE);
    return {int(R.right - R.left), int(R.bottom - R.top)};
}

// ---- registration -------------------------------------------------------------------------------

void TQorBandButton::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Caption", &TQorBandButton::GetCaption, &TQorBandButton::SetCaption);
    Table.Add(L"ImageIndex", &TQorBandButton::GetImageIndex, &TQorBandButton::SetImageIndex, -1);
    Table.Add(L"Enabled", &TQorBandButton::GetEnabled, &TQorBandButton::SetEnabled, true);
    Table.Add(L"Width", &TQorBandButton::GetWidth, &TQorBandButton::SetWidth, 0);
    Table.Add(L"Height", &TQorBandButton::GetHeight, &TQorBandButton::SetHeight, 0);
}

void TFooterButton::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"ModalResult", &TFooterButton::GetModalResult, &TFooterButton::SetModalResult, mrNone);
}

void TQorBandAppearance::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorBandAppearance;
    Table.Add(L"Visible", &T::GetVisible, &T::SetVisible, true);
    Table.Add(L"Height", &T::GetHeight, &T::SetHeight, 22);
    Table.Add(L"Caption", &T::GetCaption, &T::SetCaption);
    Table.Add(L"ImageIndex", &T::GetImageIndex, &T::SetImageIndex, -1);
    Table.AddColor(L"Color", &T::GetColor, &T::SetColor, clSilver);
    Table.AddColor(L"ColorTo", &T::GetColorTo, &T::SetColorTo, clWhite);
    Table.Add(L"GradientDirection", &T::GetGradientDirection, &T::SetGradientDirection, gdVertical);
    Table.AddColor(L"BorderColor", &T::GetBorderColor, &T::SetBorderColor, clBlack);
    Table.Add(L"BorderWidth", &T::GetBorderWidth, &T::SetBorderWidth, 1);
    Table.Add(L"Font", &T::GetFont, &T::SetFont);
    Table.Add(L"ButtonAlignment", &T::GetButtonAlignment, &T::SetButtonAlignment, baRight);
}

void THeaderAppearance::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Buttons", &THeaderAppearance::GetButtons, &THeaderAppearance::SetButtons);
}

void TFooterAppearance::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Buttons", &TFooterAppearance::GetButtons, &TFooterAppearance::SetButtons);
    Table.Add(L"SizeGrip", &TFooterAppearance::GetSizeGrip, &TFooterAppearance::SetSizeGrip, true);
}

void RegisterQorDropDownClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterGraphicsClasses();
    if (!IdentTableOf(typeid(TGradientDirection)))
        RegisterEnumIdents<TGradientDirection>(L"TGradientDirection",
                                               {{gdHorizontal, L"gdHorizontal"}, {gdVertical, L"gdVertical"}});
    if (!IdentTableOf(typeid(TButtonAlignment)))
        RegisterEnumIdents<TButtonAlignment>(L"TButtonAlignment", {{baLeft, L"baLeft"}, {baRight, L"baRight"}});
    if (!IdentTableOf(typeid(TSelectionColorStyle)))
        RegisterEnumIdents<TSelectionColorStyle>(L"TSelectionColorStyle",
                                                 {{scCustom, L"scCustom"}, {scOffice2007, L"scOffice2007"},
                                                  {scWindowsVista, L"scWindowsVista"}, {scWindows7, L"scWindows7"}});
    if (!IdentTableOf(typeid(TItemLayout)))
        RegisterEnumIdents<TItemLayout>(L"TItemLayout",
                                        {{ilCaptionLeft, L"ilCaptionLeft"}, {ilCaptionRight, L"ilCaptionRight"},
                                         {ilCaptionTop, L"ilCaptionTop"}, {ilCaptionBottom, L"ilCaptionBottom"}});
    if (!IdentTableOf(typeid(TDropPosition)))
        RegisterEnumIdents<TDropPosition>(L"TDropPosition", {{dpAuto, L"dpAuto"}, {dpDown, L"dpDown"}, {dpUp, L"dpUp"}});
    if (!IdentTableOf(typeid(TSelectorType)))
        RegisterEnumIdents<TSelectorType>(L"TSelectorType", {{stImage, L"stImage"}, {stColor, L"stColor"}});
    if (!IdentTableOf(typeid(QorDropDown::TLabelPosition))) {
        using namespace QorDropDown;
        RegisterEnumIdents<TLabelPosition>(
            L"TLabelPosition",
            {{lpLeftTop, L"lpLeftTop"}, {lpLeftCenter, L"lpLeftCenter"}, {lpLeftBottom, L"lpLeftBottom"},
             {lpTopLeft, L"lpTopLeft"}, {lpBottomLeft, L"lpBottomLeft"}, {lpLeftTopLeft, L"lpLeftTopLeft"},
             {lpLeftCenterLeft, L"lpLeftCenterLeft"}, {lpLeftBottomLeft, L"lpLeftBottomLeft"},
             {lpTopCenter, L"lpTopCenter"}, {lpBottomCenter, L"lpBottomCenter"}, {lpRightTop, L"lpRightTop"},
             {lpRightCenter, L"lpRightCenter"}, {lpRighBottom, L"lpRighBottom"}, {lpTopRight, L"lpTopRight"},
             {lpBottomRight, L"lpBottomRight"}});
    }
    RegisterClasses<THeaderButton, TFooterButton, THeaderButtons, TFooterButtons, THeaderAppearance,
                    TFooterAppearance, TQorButtonAppearance, TSelectorItem, TSelectorItems, TItemAppearance,
                    TQorDropDown, TQorCustomItemSelector, TDropDownEditButton>();
}
