// test-needs: desktop
// One gallery of the drop-down on one sheet: every edit type with its prefix, suffix and value, the
// empty-text hint, selector mode and the flat look on one form, and beside it each kind of popup
// opened in turn: a list box between a header and a footer with buttons and the grip, colour boxes
// in three columns, and pictures in each of the four caption layouts.
#include "controls/QorDropDown.h"

#include "DropDownKit.h"
#include "framework/StdCtrls.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TTypeSample {
    TDropDownEditType Type;
    const wchar_t* Name;
    const wchar_t* Prefix;
    const wchar_t* Suffix;
    int Precision;
    const wchar_t* Value;
};

// Every edit type, in the order of the type's ordinals.
const TTypeSample Samples[] = {
    {etString, L"Tekst", L"", L"", 0, L"3 sans doblet"},
    {etNumeric, L"Heltal", L"Spil ", L"", 0, L"17"},
    {etFloat, L"Decimaltal", L"", L" %", 2, L"62,5"},
    {etUppercase, L"Store", L"", L"", 0, L"NORD"},
    {etMixedCase, L"Navn", L"", L"", 0, L"Ole Olsen"},
    {etLowerCase, L"Små", L"", L"", 0, L"syd"},
    {etPassword, L"Kodeord", L"", L"", 0, L"hemmelig"},
    {etMoney, L"Beløb", L"kr ", L"", 2, L"1234567,5"},
    {etRange, L"Runder", L"", L"", 0, L"1-3,5"},
    {etHex, L"Hex", L"$", L"", 0, L"1F"},
    {etAlphaNumeric, L"Kode", L"", L"", 0, L"A1B2"},
    {etValidChars, L"Hænder", L"", L" har", 0, L"NSØ"},
};

class DropDownGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQorDropDownClasses();
        Settings = std::make_unique<TFormatSettingsGuard>(TFormatSettings::Danish());
        Form = ui::NewForm(560, 420, 20, 20);
        Form->SetCaption(L"Drop-down");
        Guard = std::make_unique<ui::FormGuard>(Form);
    }

    TQorDropDown* Put(int Left, int Top, const String& Label, int Width = 170)
    {
        auto* D = Create<TQorDropDown>(Form);
        D->SetBounds(Left, Top, Width, 21);
        D->SetParent(Form);
        D->SetLabelCaption(Label);
        D->SetLabelPosition(QorDropDown::lpLeftCenter);
        Shown.push_back(D);
        return D;
    }
    // A drop-down whose popup hosts an item selector.
    TQorCustomItemSelector* SelectorIn(TQorDropDown* D, int Width, int Height)
    {
        auto* S = Create<TQorCustomItemSelector>(Form);
        S->SetBounds(0, 0, Width, Height);
        S->SetParent(Form);
        D->GetDropDownHeader()->SetVisible(false);
        D->GetDropDownFooter()->SetVisible(false);
        D->SetControl(S);
        Popups.push_back(D);
        return S;
    }

    std::unique_ptr<TFormatSettingsGuard> Settings;
    TForm* Form = nullptr;
    std::unique_ptr<ui::FormGuard> Guard;
    std::vector<TQorDropDown*> Shown;
    std::vector<TQorDropDown*> Popups;
};

}  // namespace

TEST_F(DropDownGallery, EveryEditTypeAndEveryPopupOnOneSheet)
{
    for (size_t I = 0; I < std::size(Samples); ++I) {
        const TTypeSample& S = Samples[I];
        TQorDropDown* D = Put(90, 10 + int(I) * 28, S.Name);
        D->SetEditType(S.Type);
        D->SetValidChars(L"NSØV");
        D->SetSigned(true);
        D->SetPrefix(S.Prefix);
        D->SetSuffix(S.Suffix);
        D->SetPrecision(SmallInt(S.Precision));
        D->SetText(S.Value);
    }
    TQorDropDown* Hint = Put(370, 10, L"Tom");
    Hint->SetEmptyText(L"Skriv en kontrakt");
    Hint->SetText(L"");
    TQorDropDown* Selector = Put(370, 38, L"Vælger");
    Selector->SetEditorEnabled(false);
    Selector->SetText(L"Øst");
    TQorDropDown* Flat = Put(370, 66, L"Flad");
    Flat->SetFlat(true);
    Flat->SetBorderColor(TColor(0xB99D7F));
    Flat->SetText(L"flad ramme");

    // The list box between the bands.
    TQorDropDown* Listed = Put(370, 122, L"Liste");
    Listed->SetText(L"Hjerter");
    auto* List = Create<TListBox>(Form);
    List->SetBounds(0, 0, 170, 96);
    List->SetParent(Form);
    for (const wchar_t* C : {L"Klør", L"Ruder", L"Hjerter", L"Spar", L"Sans"}) List->GetItems()->Add(C);
    List->SetItemIndex(2);
    Listed->SetControl(List);
    Listed->GetDropDownHeader()->SetCaption(L"<b>Farve</b> vælg");
    Listed->GetDropDownHeader()->GetButtons()->Add()->SetCaption(L"?");
    for (const wchar_t* C : {L"OK", L"Annuller"}) Listed->GetDropDownFooter()->GetButtons()->Add()->SetCaption(C);
    Listed->GetDropDownFooter()->SetCaption(L"5 valg");
    Popups.push_back(Listed);

    // Colour boxes in three columns.
    TQorDropDown* Colours = Put(370, 150, L"Farver");
    Colours->SetText(L"Blå");
    TQorCustomItemSelector* Boxes = SelectorIn(Colours, 262, 100);
    dropdownkit::AddColourBoxes(Boxes);
    Boxes->SetItemIndex(2);

    // Pictures in each caption layout.
    TBitmap Pic;
    dropdownkit::PaintItemPicture(Pic);
    const struct {
        TItemLayout Layout;
        const wchar_t* Name;
    } Layouts[] = {{ilCaptionLeft, L"Venstre"}, {ilCaptionRight, L"Højre"}, {ilCaptionTop, L"Over"}, {ilCaptionBottom, L"Under"}};
    for (int L = 0; L < 4; ++L) {
        TQorDropDown* D = Put(370, 178 + L * 28, Layouts[L].Name);
        D->SetText(L"To");
        TQorCustomItemSelector* S = SelectorIn(D, 180, 128);
        S->SetItemLayout(Layouts[L].Layout);
        S->SetColumns(2);
        for (const wchar_t* C : {L"Et", L"To", L"Tre"}) {
            TSelectorItem* It = S->GetItems()->Add();
            It->SetCaption(C);
            It->GetImage()->Assign(&Pic);
        }
        S->UpdateSelectorPanel();
        S->SetItemIndex(1);
    }

    ui::ShowAndActivate(Form);
    Selector->SetFocus();
    ui::Pump(50);
    auto Sheet0 = CaptureWindowAsShown(Form->GetHandle());
    for (TQorDropDown* D : Shown) {
        RECT W, F;
        GetWindowRect(D->GetHandle(), &W);
        GetWindowRect(Form->GetHandle(), &F);
        const TRect In(W.left - F.left + 2, W.top - F.top + 2, W.right - F.left - 20, W.bottom - F.top - 2);
        EXPECT_GT(Sheet0->InkCount(In, Sheet0->Pixel(In.Left, In.Top)), 5) << D->GetLabelCaption();
    }

    // Each popup opened in turn, captured and laid out to the right of the form.
    std::vector<std::unique_ptr<TDibSurface>> Shots;
    for (TQorDropDown* D : Popups) {
        D->SetFocus();
        ui::Pump();
        D->ShowDropDown();
        ASSERT_TRUE(D->GetDroppedDown()) << D->GetLabelCaption();
        ui::Pump(50);
        auto Shot = CaptureWindowAsShown(D->GetDropDownForm()->GetHandle());
        EXPECT_GT(Shot->InkCount(Shot->Bounds(), Shot->Pixel(Shot->Width() / 2, Shot->Height() - 3)), 50)
            << D->GetLabelCaption();
        Shots.push_back(std::move(Shot));
        D->HideDropDown(false);
        ui::Pump();
    }
    // Rows of popups at most 520 pixels wide, right of the form.
    const int Gap = 10, Column = Sheet0->Width() + Gap, RowWidth = 520;
    int Width = Column, Height = Sheet0->Height(), X = Column, Y = 0, RowHeight = 0;
    std::vector<TPoint> At;
    for (const auto& S : Shots) {
        if (X > Column && X + S->Width() > Column + RowWidth) {
            X = Column;
            Y += RowHeight + Gap;
            RowHeight = 0;
        }
        At.push_back(TPoint(X, Y));
        X += S->Width() + Gap;
        RowHeight = std::max(RowHeight, S->Height());
        Width = std::max(Width, X);
        Height = std::max(Height, Y + RowHeight);
    }
    TDibSurface Sheet(Width, Height, clWhite);
    BitBlt(Sheet.DC(), 0, 0, Sheet0->Width(), Sheet0->Height(), Sheet0->DC(), 0, 0, SRCCOPY);
    for (size_t I = 0; I < Shots.size(); ++I)
        BitBlt(Sheet.DC(), At[I].X, At[I].Y, Shots[I]->Width(), Shots[I]->Height(), Shots[I]->DC(), 0, 0, SRCCOPY);
    GdiFlush();
    Sheet.SavePng(SnapshotPath(L"dropdown_gallery.png"));
}
