// QorColorPickerDropDown: the colour picker drop-down: its entries, the four popup controls, the
// choices they report, the value text and the edit area.
#include "pickers/QorColorPickerDropDown.h"

#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"

#include <algorithm>

using namespace QorDropDown;

namespace {

bool HasColor(TColor C)
{
    return C != clNone && C != clDefault;
}

// The RGB value a colour stands for (system colours resolved, stray high bytes dropped); no
// colour stays as it is.
TColor Resolved(TColor C)
{
    return HasColor(C) ? TColor(ColorToRGB(C) & 0xFFFFFF) : C;
}

}  // namespace

String ColorValueTextOf(TColor Color, TColorValueText Kind)
{
    if (Kind == cvtNone || !HasColor(Color)) return L"";
    const TColor RGB = Resolved(Color);
    const int R = GetRValue(RGB), G = GetGValue(RGB), B = GetBValue(RGB);
    switch (Kind) {
    case cvtHex: return IntToHex(Int64(uint32_t(Color)), 6);
    case cvtWebName: {
        const String Name = ColorToWebColorName(RGB);
        return Name.empty() ? ColorToWebColorStr(RGB) : Name;
    }
    case cvtRGB: return L"Red:" + IntToStr(R) + L",Green:" + IntToStr(G) + L",Blue:" + IntToStr(B);
    case cvtHTML: return ColorToWebColorStr(RGB);
    case cvtNone: break;
    }
    return L"";
}

// ---- entries --------------------------------------------------------------------------------------

void TColorItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TColorItem*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    SetCaption(S->FCaption);
    SetColor(S->FColor);
    FEnabled = S->FEnabled;
    FHint = S->FHint;
}

void TColorItem::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TColorItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed(false);
}

TColorItems::TColorItems(TPersistent* AOwner) : TCollection(TCollection::ItemClass<TColorItem>()), FOwner(AOwner) {}

void TColorItems::Update(TCollectionItem*)
{
    if (OnChange) OnChange(this);
}

// ---- the picker -----------------------------------------------------------------------------------

TQorColorPickerDropDown::TQorColorPickerDropDown(TComponent* AOwner)
    : TQorListPickerDropDown(AOwner), FColors(Create<TColorItems>(this))
{
    // Entry changes reach the list only when it is filled (opening, EndUpdate, Loaded, pages);
    // an index past the entries is dropped.
    FColors->OnChange = [this](TObject*) { ForgetStaleIndex(); };
    SetDropDownHeight(200);
    GetDropDownHeader()->SetVisible(false);
    GetDropDownFooter()->SetVisible(false);
}

TQorColorPickerDropDown::~TQorColorPickerDropDown()
{
    FColors->OnChange = nullptr;
    FColors->Free();
}

void TQorColorPickerDropDown::AddDefaultColors()
{
    struct TDefault {
        const wchar_t* Name;
        TColor Color;
    };
    static constexpr TDefault Defaults[] = {
        {L"Black", TColor(0x000000)},  {L"Maroon", TColor(0x000080)}, {L"Green", TColor(0x008000)},
        {L"Olive", TColor(0x008080)},  {L"Navy", TColor(0x800000)},   {L"Purple", TColor(0x800080)},
        {L"Teal", TColor(0x808000)},   {L"Gray", TColor(0x808080)},   {L"Silver", TColor(0xC0C0C0)},
        {L"Red", TColor(0x0000FF)},    {L"Lime", TColor(0x00FF00)},   {L"Yellow", TColor(0x00FFFF)},
        {L"Blue", TColor(0xFF0000)},   {L"Fuchsia", TColor(0xFF00FF)}, {L"Aqua", TColor(0xFFFF00)},
        {L"White", TColor(0xFFFFFF)},
    };
    FColors->BeginUpdate();
    auto Done = ScopeExit([this] { FColors->EndUpdate(); });
    FColors->Clear();
    for (const TDefault& D : Defaults) {
        TColorItem* Item = FColors->Add();
        Item->SetCaption(D.Name);
        Item->SetColor(D.Color);
    }
}

void TQorColorPickerDropDown::BeginUpdate()
{
    ++FUpdateCount;
}

void TQorColorPickerDropDown::EndUpdate()
{
    if (FUpdateCount <= 0) return;
    if (--FUpdateCount == 0) AssignedItemsToItemSelector();
}

void TQorColorPickerDropDown::AssignedItemsToItemSelector()
{
    if (!FItemSelector) return;
    TSelectorItems* Items = FItemSelector->GetItems();
    Items->BeginUpdate();
    auto Done = ScopeExit([Items] { Items->EndUpdate(); });
    Items->Clear();
    for (int I = 0; I < FColors->GetCount(); ++I) {
        const TColorItem* C = FColors->GetItems(I);
        TSelectorItem* S = Items->Add();
        S->SetCaption(C->GetCaption());
        S->SetColor(C->GetColor());
        S->SetHint(C->GetHint());
    }
}

void TQorColorPickerDropDown::SetSelectorTypeProperties()
{
    FItemSelector->SetColorBoxHeight(FColorBoxHeight);
    FItemSelector->SetColorBoxWidth(FColorBoxWidth);
}

void TQorColorPickerDropDown::Loaded()
{
    inherited::Loaded();
    SetSelectorProperties();
}

// ---- selection ------------------------------------------------------------------------------------

int TQorColorPickerDropDown::IndexOfColor(TColor Color) const
{
    if (!HasColor(Color)) return -1;
    for (int I = 0; I < FColors->GetCount(); ++I) {
        const TColor C = FColors->GetItems(I)->GetColor();
        if (HasColor(C) && Resolved(C) == Color) return I;
    }
    return -1;
}

void TQorColorPickerDropDown::SetItemIndex(int Value)
{
    if (Value >= FColors->GetCount()) return;
    FItemIndex = std::max(Value, -1);
    if (FItemIndex >= 0) FSelectedColor = FColors->GetItems(FItemIndex)->GetColor();
    Invalidate();
    FireSelect();
}

void TQorColorPickerDropDown::SetSelectedColor(TColor Value)
{
    const TColor C = Resolved(Value);
    if (C == FSelectedColor) return;
    FSelectedColor = C;
    const int Index = IndexOfColor(C);
    if (Index >= 0) SetItemIndex(Index);
    // A colour of no entry: no entry's name may stand beside it.
    else FItemIndex = -1;
    Invalidate();
}

void TQorColorPickerDropDown::TakePanelColor(TColor Color, bool Close)
{
    SetSelectedColor(Color);
    SetItemIndex(-1);
    if (Close) DoHideDropDown(false);
}

void TQorColorPickerDropDown::ColorSelectorOnItemSelect(TObject*)
{
    TakePanelColor(FColorSelector->GetSelectedColor(), !FInternalCall);
}

void TQorColorPickerDropDown::CubePanelOnSelect(TObject*)
{
    TakePanelColor(FColorCubePanel->GetSelectedColor(), true);
}

void TQorColorPickerDropDown::SpectrumPanelOnSelect(TObject*)
{
    TakePanelColor(FSpectrumPanel->GetSelectedColor(), true);
}

String TQorColorPickerDropDown::GetSelectedColorText()
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->GetCount())
        return FColors->GetItems(FItemIndex)->GetCaption();
    return ColorValueTextOf(FSelectedColor, FColorValueText);
}

// ---- popup controls -------------------------------------------------------------------------------

namespace {
template <class T>
T* NewPopupControl(TQorCustomDropDown* Picker)
{
    T* C = Create<T>(Picker);
    C->SetParent(Picker->GetDropDownForm());
    C->SetLeft(0);
    C->SetTop(0);
    C->SetColor(Picker->GetDropDownColor());
    return C;
}
}  // namespace

void TQorColorPickerDropDown::CreateItemListPanel()
{
    if (!FItemSelector) CreateItemList(stColor);
    FItemSelector->SetColor(GetDropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TQorColorPickerDropDown::CreateColorCubePanel()
{
    if (!FColorCubePanel) FColorCubePanel = NewPopupControl<TQorColorCubePanel>(this);
    SetControl(FColorCubePanel);
}

void TQorColorPickerDropDown::CreateSpectrumPanel()
{
    if (!FSpectrumPanel) FSpectrumPanel = NewPopupControl<TQorColorSpectrumPanel>(this);
    SetControl(FSpectrumPanel);
}

void TQorColorPickerDropDown::CreateColorSelectorPanel()
{
    if (!FColorSelector) {
        FColorSelector = NewPopupControl<TCustomColorSelector>(this);
        FColorSelector->CreateDefaultColors();
    }
    FColorSelector->UpdateRectAndSize();
    SetControl(FColorSelector);
}

void TQorColorPickerDropDown::CreateDropDownForm()
{
    inherited::CreateDropDownForm();
    switch (FColorSelectionStyle) {
    case csList: CreateItemListPanel(); break;
    case csDiscrete: CreateColorSelectorPanel(); break;
    case csColorCube: CreateColorCubePanel(); break;
    case csSpectrum: CreateSpectrumPanel(); break;
    }
}

TControl* TQorColorPickerDropDown::StyleControl() const
{
    switch (FColorSelectionStyle) {
    case csList: return FItemSelector;
    case csDiscrete: return FColorSelector;
    case csColorCube: return FColorCubePanel;
    case csSpectrum: return FSpectrumPanel;
    }
    return nullptr;
}

void TQorColorPickerDropDown::PrepareStyleControl()
{
    switch (FColorSelectionStyle) {
    case csList: CreateItemListPanel(); break;
    case csDiscrete: CreateColorSelectorPanel(); break;
    case csColorCube: CreateColorCubePanel(); break;
    case csSpectrum: CreateSpectrumPanel(); break;
    }
    TControl* Shown = StyleControl();
    for (TControl* C : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
        if (C && C != Shown) {
            C->SetAlign(alNone);
            C->SetVisible(false);
        }
    switch (FColorSelectionStyle) {
    case csList: PrepareList(); break;
    case csDiscrete:
        // Putting the colour in must not count as a choice.
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->UpdateRectAndSize();
        FColorSelector->OnItemSelect = [this](TObject* S) { ColorSelectorOnItemSelect(S); };
        FColorSelector->SetItemColorStyle(GetSelectionColorStyle());
        break;
    case csColorCube:
        FColorCubePanel->OnSelect = nullptr;
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->Initialize();
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->SetItemsPosition();
        FColorCubePanel->OnSelect = [this](TObject* S) { CubePanelOnSelect(S); };
        break;
    case csSpectrum:
        FSpectrumPanel->OnSelect = nullptr;
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->SetItemsPosition();
        FSpectrumPanel->OnSelect = [this](TObject* S) { SpectrumPanelOnSelect(S); };
        break;
    }
    if (Shown) Shown->SetVisible(true);
    FOldItemIndex = FItemIndex;
    FOldSelectedColor = FSelectedColor;
}

void TQorColorPickerDropDown::BeforeDropDown()
{
    inherited::BeforeDropDown();
    PrepareStyleControl();
}

void TQorColorPickerDropDown::SetCenterControl()
{
    inherited::SetCenterControl();
    // The panels keep their size; the list sizes as the drop-down allows.
    if (TDropDownForm* F = GetDropDownForm())
        F->SetSizeable(FColorSelectionStyle == csList && GetDropDownSizeable());
}

void TQorColorPickerDropDown::UpdateDropDownSize()
{
    if (FColorSelectionStyle == csList) {
        SizePopupToList(0);
        return;
    }
    // The panels keep their own size: out of alignment while the popup is measured round them.
    TControl* C = StyleControl();
    if (C) C->SetAlign(alNone);
    if (FColorSelectionStyle == csDiscrete && FColorSelector) FColorSelector->UpdateRectAndSize();
    if (FColorSelectionStyle == csColorCube && FColorCubePanel) FColorCubePanel->SetPanelSize();
    if (FColorSelectionStyle == csSpectrum && FSpectrumPanel) FSpectrumPanel->SetPanelSize();
    SizePopupToControl(C);
}

void TQorColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle) return;
    FColorSelectionStyle = Value;
    ResetDropSize();
    if (!GetDropDownForm()) return;
    PrepareStyleControl();
    UpdateDropDownSize();
    SetCenterControl();
    GetDropDownForm()->Invalidate();
}

void TQorColorPickerDropDown::OnDestroyDropDownForm(TObject* Sender)
{
    inherited::OnDestroyDropDownForm(Sender);
    if (GetComponentState().Contains(csDestroying)) return;
    FItemSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
    FColorSelector = nullptr;
}

// ---- keys, wheel, closing ---------------------------------------------------------------------------

bool TQorColorPickerDropDown::TakeHotItem(Word Key)
{
    if (FColorSelectionStyle != csDiscrete) return inherited::TakeHotItem(Key);
    if (Key != VK_RETURN || !FColorSelector || FColorSelector->GetItemHot() < 0) return false;
    FColorSelector->SetItemIndex(FColorSelector->GetItemHot());
    return true;
}

void TQorColorPickerDropDown::PickerKey(Word Key, bool NewSelection)
{
    if (FColorSelectionStyle != csDiscrete) {
        inherited::PickerKey(Key, NewSelection);
        return;
    }
    if (!FColorSelector) return;
    {
        TValueScope<bool> Internal(FInternalCall, true);
        FColorSelector->HandleKey(Key, GetEditorEnabled(), GetDroppedDown());
    }
    if (Key == VK_RETURN && !NewSelection) FireSelect();
}

void TQorColorPickerDropDown::HandleMouseWheelDown()
{
    inherited::HandleMouseWheelDown();
    if (FColorSelectionStyle != csDiscrete || !FColorSelector || !GetEnabled() || GetReadOnly()) return;
    if (GetDroppedDown()) {
        FColorSelector->HotNext();
        return;
    }
    TValueScope<bool> Internal(FInternalCall, true);
    FColorSelector->SelectNext();
}

void TQorColorPickerDropDown::HandleMouseWheelUp()
{
    inherited::HandleMouseWheelUp();
    if (FColorSelectionStyle != csDiscrete || !FColorSelector || !GetEnabled() || GetReadOnly()) return;
    if (GetDroppedDown()) {
        FColorSelector->HotPrevious();
        return;
    }
    TValueScope<bool> Internal(FInternalCall, true);
    FColorSelector->SelectPrevious();
}

void TQorColorPickerDropDown::RestoreOnCancel()
{
    // The list comes back to its index; every style comes back to the colour it opened with,
    // also one that no entry or box holds.
    inherited::RestoreOnCancel();
    if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FOldSelectedColor);
        FColorSelector->OnItemSelect = [this](TObject* S) { ColorSelectorOnItemSelect(S); };
    }
    if (FSelectedColor == FOldSelectedColor && FItemIndex == FOldItemIndex) return;
    FSelectedColor = FOldSelectedColor;
    FItemIndex = FOldItemIndex;
    Invalidate();
    FireSelect();
}

// ---- properties -----------------------------------------------------------------------------------

void TQorColorPickerDropDown::SetShowText(bool Value)
{
    FShowText = Value;
    Invalidate();
}

void TQorColorPickerDropDown::SetColorBoxWidth(int Value)
{
    FColorBoxWidth = std::max(Value, 0);
    Invalidate();
}

void TQorColorPickerDropDown::SetColorBoxHeight(int Value)
{
    FColorBoxHeight = std::max(Value, 0);
    Invalidate();
}

void TQorColorPickerDropDown::SetColorBoxBorderColor(TColor Value)
{
    FColorBoxBorderColor = Value;
    Invalidate();
}

void TQorColorPickerDropDown::SetColorValueText(TColorValueText Value)
{
    FColorValueText = Value;
    Invalidate();
}

// ---- the edit area --------------------------------------------------------------------------------

void TQorColorPickerDropDown::WMPaint(TMessage& Message)
{
    inherited::WMPaint(Message);
    if (Message.WParam == 0) PaintColor();
}

void TQorColorPickerDropDown::WMSetFocus(TMessage& Message)
{
    inherited::WMSetFocus(Message);
    Invalidate();
}

void TQorColorPickerDropDown::WMKillFocus(TMessage& Message)
{
    inherited::WMKillFocus(Message);
    Invalidate();
}

void TQorColorPickerDropDown::PaintColor()
{
    if (!HandleAllocated()) return;
    TClientDC DC(GetHandle(), true);
    TSavedDC Saved(DC);
    TCanvas C;
    C.SetHandle(DC);
    auto Release = ScopeExit([&C] { C.SetHandle(nullptr); });
    const TRect R(1, 1, GetWidth() - GetDropDownButtonWidth() - 2, GetHeight() - 2);
    if (R.Width() <= 0 || R.Height() <= 0) return;
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, &C, R);
        return;
    }
    if (!HasColor(FSelectedColor)) return;
    const bool Highlight = !GetEditorEnabled() && Focused();
    if (Highlight) {
        C.GetPen()->SetColor(clHighlight);
        C.GetBrush()->SetColor(clHighlight);
        C.Rectangle(TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2));
    }
    const int BL = R.Left + 4, BT = R.Top + (GetHeight() - FColorBoxHeight) / 2;
    C.GetPen()->SetColor(FColorBoxBorderColor);
    C.GetBrush()->SetStyle(bsSolid);
    C.GetBrush()->SetColor(Resolved(FSelectedColor));
    C.Rectangle(TRect(BL, BT, BL + FColorBoxWidth, BT + FColorBoxHeight));
    if (!FShowText) return;
    C.SetFont(GetFont());
    if (Highlight) C.GetFont()->SetColor(clHighlightText);
    C.GetBrush()->SetColor(Highlight ? clHighlight : GetColor());
    C.GetBrush()->SetStyle(bsClear);
    const TRect TR(BL + FColorBoxWidth + 4, R.Top, R.Right, R.Bottom);
    const String Text = GetSelectedColorText();
    if (Pos(L"</", Text) > 0) {
        DrawHTMLEX(&C, Text, TR, GetImages(), true, GetHandle());
        return;
    }
    SetBkMode(DC, TRANSPARENT);
    RECT W{TR.Left, TR.Top, TR.Right, TR.Bottom};
    DrawTextW(DC, Text.c_str(), int(Text.size()), &W, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// ---- registration -----------------------------------------------------------------------------------

void TColorItem::RegisterProperties(TPropertyTable& Table)
{
    using T = TColorItem;
    Table.Add(L"Caption", &T::GetCaption, &T::SetCaption);
    Table.AddColor(L"Color", &T::GetColor, &T::SetColor, clNone);
    Table.Add(L"Hint", &T::GetHint, &T::SetHint);
}

void TQorColorPickerDropDown::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorColorPickerDropDown;
    Table.Add(L"Colors", &T::GetColors, &T::SetColors);
    Table.Add(L"ColorSelectionStyle", &T::GetColorSelectionStyle, &T::SetColorSelectionStyle, csList);
    Table.AddColor(L"SelectedColor", &T::GetSelectedColor, &T::SetSelectedColor, clNone);
    Table.Add(L"ShowText", &T::GetShowText, &T::SetShowText, true);
    Table.Add(L"ColorBoxWidth", &T::GetColorBoxWidth, &T::SetColorBoxWidth, 14);
    Table.Add(L"ColorBoxHeight", &T::GetColorBoxHeight, &T::SetColorBoxHeight, 14);
    Table.AddColor(L"ColorBoxBorderColor", &T::GetColorBoxBorderColor, &T::SetColorBoxBorderColor, clBlack);
    Table.Add(L"ColorValueText", &T::GetColorValueText, &T::SetColorValueText, cvtNone);
    Table.AddEvent(L"OnDrawSelectedColor", &T::OnDrawSelectedColor);
    Table.AddEvent(L"OnDrawColor", &T::OnDrawColor);
}

void RegisterQorColorPickerDropDownClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterQorDropDownClasses();
    if (!IdentTableOf(typeid(TColorSelectionStyle)))
        RegisterEnumIdents<TColorSelectionStyle>(L"TColorSelectionStyle",
                                                 {{csList, L"csList"}, {csDiscrete, L"csDiscrete"},
                                                  {csColorCube, L"csColorCube"}, {csSpectrum, L"csSpectrum"}});
    if (!IdentTableOf(typeid(TColorValueText)))
        RegisterEnumIdents<TColorValueText>(L"TColorValueText",
                                            {{cvtNone, L"cvtNone"}, {cvtHex, L"cvtHex"}, {cvtWebName, L"cvtWebName"},
                                             {cvtRGB, L"cvtRGB"}, {cvtHTML, L"cvtHTML"}});
    RegisterClasses<TColorItem, TColorItems, TQorColorPickerDropDown>();
}
