// test-needs: desktop
// A gallery form of the edit controls in their looks, captured from the screen for a person to look
// at: at rest, focused, with a combo's list and a picker's calendar open, and with common controls
// version 6 and visual styles injected. Each snapshot must show every control.
#include "controls/JYREdit.h"
#include "controls/JyrCombo.h"
#include "controls/QorDateTimePicker.h"
#include "controls/jyrspin.h"
#include "framework/ClassesLists.h"
#include "graphics/QorStyleIF.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct TGallery {
    TForm* Form = nullptr;
    std::vector<TWinControl*> Shown;
    jyrspin::TJyrSpinEdit* Spin = nullptr;
    JyrCombo::TJyrComboBox* Combo = nullptr;
    QorDateTimePicker::TQorDateTimePicker* Picker = nullptr;
};

template <class T>
T* Put(TGallery& G, int L, int T0, int W, int H = 21)
{
    T* C = Create<T>(G.Form);
    C->SetBounds(L, T0, W, H);
    C->SetParent(G.Form);
    G.Shown.push_back(C);
    return C;
}

TGallery MakeGallery(bool XP)
{
    TGallery G;
    G.Form = ui::NewForm(760, 330, 20, 20);
    G.Form->SetColor(clBtnFace);
    G.Form->SetCaption(XP ? L"Gallery (common controls 6)" : L"Gallery");
    using namespace jyrspin;
    // Spin edits: the four kinds, both directions, flat colours.
    const TJyrSpinType Kinds[] = {sptNormal, sptFloat, sptDate, sptTime};
    for (int I = 0; I < 4; ++I) {
        auto* S = Put<TJyrSpinEdit>(G, 10, 10 + 30 * I, 120);
        S->SetIsWinXP(XP);
        S->SetSpinType(Kinds[I]);
        if (I == 1) {
            S->SetPrecision(2);
            S->SetFloatValue(12.5);
        }
        if (I == 0) G.Spin = S;
    }
    auto* H = Put<TJyrSpinEdit>(G, 10, 130, 120);
    H->SetDirection(spHorizontal);
    H->SetIsWinXP(XP);
    auto* Flat = Put<TJyrSpinEdit>(G, 10, 160, 120);
    Flat->GetButton()->ButtonColor = 0xE0C8A0;
    Flat->GetButton()->ButtonColorHot = 0xF0D8B0;
    Flat->SetValue(42);

    // Edits with a button at either side, and a unit edit.
    auto* Right = Put<JYREdit::TJyrEditBtn>(G, 150, 10, 140);
    Right->SetCaption(L"...");
    Right->SetIsWinXP(XP);
    Right->SetText(L"Højre");
    auto* Left = Put<JYREdit::TJyrEditBtn>(G, 150, 40, 140);
    Left->SetButtonAlign(JYREdit::btnLeft);
    Left->SetCaption(L"...");
    Left->SetText(L"Venstre");
    auto* Unit = Put<JYREdit::TJyrUnitEditBtn>(G, 150, 70, 140);
    TStringList* Units = Create<TStringList>();
    Units->SetText(L"m\r\ncm\r\nmm\r\n");
    Unit->SetUnits(Units);
    Units->Free();
    Unit->SetTextAndUnit(L"12cm");

    // Combos: plain, flat, bordered, coloured, labelled.
    using namespace JyrCombo;
    auto AddCombo = [&](int T0) {
        auto* C = Put<TJyrComboBox>(G, 400, T0, 150);
        C->IsWinXP = XP;
        for (const wchar_t* S : {L"Nord", L"Syd", L"Øst", L"Vest"}) C->GetItems()->Add(S);
        C->SetItemIndex(0);
        return C;
    };
    G.Combo = AddCombo(10);
    AddCombo(40)->SetFlat(true);
    AddCombo(70)->SetBorderColor(clNavy);
    auto* Coloured = AddCombo(100);
    Coloured->ButtonColor = 0xE0C8A0;
    Coloured->ButtonTextColor = clNavy;
    Coloured->ButtonBorderColor = clNavy;
    auto* Labelled = AddCombo(130);
    Labelled->SetLabelCaption(L"Verdenshjørne");
    Labelled->SetLabelPosition(JyrCombo::lpLeftCenter);
    Labelled->SetFocusColor(clInfoBk);
    Labelled->SetFocusLabel(true);

    // Pickers: plain, Ctl3D off with a border, metro, date and time with check box and null date,
    // time only.
    using namespace QorDateTimePicker;
    auto AddPicker = [&](int L, int T0, int W) {
        auto* P = Put<TQorDateTimePicker>(G, L, T0, W, 24);
        P->SetKind(dkDate);
        P->SetFormatEx(L"dd-MM-yyyy");
        P->SetDateTimeEx(EncodeDate(2024, 3, 12) + EncodeTime(14, 30, 0, 0));
        return P;
    };
    G.Picker = AddPicker(150, 110, 140);
    auto* Off = AddPicker(150, 145, 140);
    Off->SetCtl3D(false);
    Off->SetBorderColor(clNavy);
    auto* Metro = AddPicker(150, 180, 140);
    Metro->SetMetroStyle(true);
    Metro->SetBorderColor(0xC08040);
    Metro->ButtonColor = 0xF0D8B0;
    Metro->ButtonTextColor = clNavy;
    Metro->ButtonBorderColor = 0xC08040;
    auto* Both = AddPicker(400, 180, 300);
    Both->SetKind(dkDateTime);
    Both->SetShowCheckbox(true);
    Both->SetTimeFormat(L"HH:mm");
    Both->SetLabelCaption(L"Spilledato");
    Both->SetLabelPosition(QorDateTimePicker::lpTopLeft);
    auto* Null = AddPicker(400, 230, 140);
    Null->SetNullDateFormat(L"'ingen dato'");
    Null->SetDateTimeEx(0);
    auto* TimeOnly = AddPicker(560, 230, 140);
    TimeOnly->SetKind(dkTime);
    TimeOnly->SetTimeFormat(L"HH:mm:ss");
    TimeOnly->SetDateTimeEx(EncodeTime(9, 15, 0, 0));
    return G;
}

std::unique_ptr<TDibSurface> ScreenOf(TForm* F, int ExtraBelow = 0)
{
    ui::Pump(50);
    return CaptureWindowAsShown(F->GetHandle(), ExtraBelow);
}

// Every control of the gallery shows something other than the form's colour.
void ExpectAllShown(const TGallery& G, const TDibSurface& S)
{
    RECT W;
    GetWindowRect(G.Form->GetHandle(), &W);
    for (TWinControl* C : G.Shown) {
        RECT R;
        GetWindowRect(C->GetHandle(), &R);
        TRect In{R.left - W.left, R.top - W.top, R.right - W.left, R.bottom - W.top};
        EXPECT_GT(S.InkCount(In, ColorToRGB(clBtnFace)), 20) << C->ClassName();
    }
}

class Gallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        jyrspin::RegisterSpinEdit();
        JyrCombo::RegisterCombo();
        QorDateTimePicker::RegisterQorDateTimePicker();
    }
    void TearDown() override
    {
        QorStyleIF::DetectionOverrides() = {};
        JyrControls::EnvironmentOverrides() = {};
    }
};

}  // namespace

TEST_F(Gallery, AtRestFocusedAndOpen)
{
    TGallery G = MakeGallery(false);
    ui::FormGuard Guard(G.Form);
    ui::ShowAndActivate(G.Form);
    G.Form->SetFocus();
    auto Rest = ScreenOf(G.Form);
    ExpectAllShown(G, *Rest);
    Rest->SavePng(SnapshotPath(L"gallery_rest.png"));

    G.Spin->SetFocus();
    ui::Pump();
    ScreenOf(G.Form)->SavePng(SnapshotPath(L"gallery_focused.png"));

    G.Combo->SetFocus();
    ui::Pump();
    G.Combo->SetDroppedDown(true);
    auto List = ScreenOf(G.Form, 80);
    EXPECT_TRUE(G.Combo->GetDroppedDown());
    List->SavePng(SnapshotPath(L"gallery_list_open.png"));
    G.Combo->SetDroppedDown(false);

    ui::Click(G.Picker, G.Picker->GetClientWidth() - 8, 10);   // the drop button
    auto Calendar = ScreenOf(G.Form, 200);
    EXPECT_TRUE(G.Picker->GetDroppedDown());
    Calendar->SavePng(SnapshotPath(L"gallery_calendar_open.png"));
    ui::PressKey(VK_ESCAPE);
}

TEST_F(Gallery, WithCommonControls6Injected)
{
    QorStyleIF::DetectionOverrides().CommonControlsMajor = 6;
    JyrControls::EnvironmentOverrides().ThemesActive = true;
    TGallery G = MakeGallery(true);
    ui::FormGuard Guard(G.Form);
    ui::ShowAndActivate(G.Form);
    G.Form->SetFocus();
    auto S = ScreenOf(G.Form);
    ExpectAllShown(G, *S);
    S->SavePng(SnapshotPath(L"gallery_comctl6.png"));
}
