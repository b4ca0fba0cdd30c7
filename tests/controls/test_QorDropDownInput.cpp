// test-needs: desktop
// Typed input of the drop-down edit through real messages: the edit types' typing tables, the
// prefix and suffix caret fences, pastes, values and their formats, focus rewriting, selector
// mode, the empty-text hint, seeded random typing, and a sheet of the component styles.
#include "controls/QorDropDown.h"

#include "framework/Clipbrd.h"
#include "framework/Streaming.h"
#include "DropDownKit.h"
#include "framework/WinScope.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <utility>
#include <vector>

using namespace QorDropDown;

namespace {

class DropDownInput : public dropdownkit::DropDownForm {
protected:
    void Type(const String& S)
    {
        for (Char C : S) ui::TypeChar(C, Edit->GetHandle());
    }
    void Caret(int At)
    {
        Edit->SetSelStart(At);
        Edit->SetSelLength(0);
    }
    static String Dec(const String& S)
    {
        String R = S;
        for (Char& C : R)
            if (C == L'.') C = DecimalSeparator();
        return R;
    }
};

}  // namespace

TEST_F(DropDownInput, EachTypeTakesItsOwnCharacters)
{
    Steady([&] {
        const struct {
            TDropDownEditType Type;
            const wchar_t* Typed;
            const wchar_t* Value;
        } Cases[] = {
            {etString, L"Nord 3", L"Nord 3"},   {etNumeric, L"1a2-", L"-12"},      {etUppercase, L"abc", L"ABC"},
            {etLowerCase, L"AbC", L"abc"},      {etHex, L"1fz-", L"1f-"},          {etAlphaNumeric, L"a1 b!", L"a1b"},
            {etRange, L",1-3,,5;", L"1-3,5;"}, {etMixedCase, L"ole olsen", L"Ole Olsen"},
        };
        for (const auto& C : Cases) {
            Edit->SetEditType(C.Type);
            Edit->SetSigned(true);
            Edit->SetTextDirect(L"");
            Caret(0);
            Type(C.Typed);
            EXPECT_EQ(Edit->GetText(), C.Value) << int(C.Type);
        }
        Edit->SetEditType(etValidChars);
        Edit->SetValidChars(L"NSØV");
        Edit->SetTextDirect(L"");
        Type(L"NxSØ");
        EXPECT_EQ(Edit->GetText(), L"NSØ");
        EXPECT_TRUE(Edit->GetModified());
    });
}

TEST_F(DropDownInput, NumericSignTogglesAndUnsignedRefusesTheMinus)
{
    Steady([&] {
        Edit->SetEditType(etNumeric);
        Edit->SetText(L"12");
        Caret(1);
        Type(L"-");
        EXPECT_EQ(Edit->GetText(), L"12");
        Edit->SetSigned(true);
        Type(L"-");
        EXPECT_EQ(Edit->GetText(), L"-12");
        EXPECT_EQ(Edit->GetSelStart(), 2);
        Type(L"-");
        EXPECT_EQ(Edit->GetText(), L"12");
    });
}

TEST_F(DropDownInput, FloatWithTwoDecimals)
{
    Steady([&] {
        Edit->SetEditType(etFloat);
        Edit->SetPrecision(2);
        Edit->SetTextDirect(L"");
        Caret(0);
        Type(String(1, DecimalSeparator()));
        EXPECT_EQ(Edit->GetText(), Dec(L"0."));
        EXPECT_EQ(Edit->GetSelStart(), 2);
        Type(L"123");
        EXPECT_EQ(Edit->GetText(), Dec(L"0.12"));
        Caret(3);
        Type(L"5");
        EXPECT_EQ(Edit->GetText(), Dec(L"0.15"));
        EXPECT_DOUBLE_EQ(double(Edit->GetFloat()), 0.15);
        Edit->SetText(L"");
        EXPECT_EQ(Edit->GetText(), Dec(L"0.00"));
        Edit->SetText(L"Error");
        EXPECT_EQ(Edit->GetText(), L"Error");
        EXPECT_EQ(Edit->GetFloat(), 0);
    });
}

TEST_F(DropDownInput, MoneyGroupsItsDigitsAsTyped)
{
    Steady([&] {
        Edit->SetEditType(etMoney);
        Edit->SetTextDirect(L"");
        Caret(0);
        Type(L"1234567");
        const Char T = ThousandSeparator();
        EXPECT_EQ(Edit->GetText(), String(L"1") + T + L"234" + T + L"567");
        EXPECT_EQ(Edit->GetSelStart(), int(Edit->GetText().size()));
        EXPECT_DOUBLE_EQ(double(Edit->GetFloat()), 1234567.0);
        // Twenty digits keep every digit (no detour through a 64-bit integer).
        Edit->SetTextDirect(L"");
        Caret(0);
        Type(L"12345678901234567890");
        String Digits;
        for (Char C : Edit->GetText())
            if (C != T) Digits += C;
        EXPECT_EQ(Digits, L"12345678901234567890");
        // A digit, a separator, three digits and a trailing decimal separator read as the integer.
        Edit->SetTextDirect(String(L"1") + T + L"234" + DecimalSeparator());
        EXPECT_DOUBLE_EQ(double(Edit->GetFloat()), 1234.0);
    });
}

TEST_F(DropDownInput, PrefixAndSuffixFenceTheCaret)
{
    Steady([&] {
        Edit->SetPrefix(L"kr");
        Edit->SetSuffix(L" ,-");
        Edit->SetText(L"125");
        EXPECT_EQ(Edit->GetText(), L"125");
        Caret(4);
        ui::PressKey(VK_HOME);
        EXPECT_EQ(Edit->GetSelStart(), 2);
        ui::PressKey(VK_LEFT);
        EXPECT_EQ(Edit->GetSelStart(), 2);
        ui::PressKey(VK_END);
        EXPECT_EQ(Edit->GetSelStart(), 5);
        ui::PressKey(VK_RIGHT);
        EXPECT_EQ(Edit->GetSelStart(), 5);
        ui::PressKey(VK_DELETE);
        EXPECT_EQ(Edit->GetText(), L"125");
        Caret(2);
        ui::PressKey(VK_BACK);
        ui::TypeChar(VK_BACK, Edit->GetHandle());
        EXPECT_EQ(Edit->GetText(), L"125");
        Edit->SelectAll();
        EXPECT_EQ(Edit->GetSelStart(), 2);
        EXPECT_EQ(Edit->GetSelLength(), 3);
    });
}

TEST_F(DropDownInput, PastesFollowTheTypeAndStayOnOneLine)
{
    Steady([&] {
        auto Paste = [this](const String& Clip) {
            Clipboard()->SetAsText(Clip);
            SendMessageW(Edit->GetHandle(), WM_PASTE, 0, 0);
        };
        Edit->SetEditType(etNumeric);
        Edit->SetText(L"1");
        Caret(1);
        Paste(L"-5");
        EXPECT_EQ(Edit->GetText(), L"1");
        Paste(L"23");
        EXPECT_EQ(Edit->GetText(), L"123");
        Edit->SetEditType(etString);
        Edit->SetText(L"");
        Paste(L"første\r\nanden");
        EXPECT_EQ(Edit->GetText(), L"første");
        Edit->SetText(L"");
        Paste(String(1 << 20, L'x'));
        EXPECT_EQ(Edit->GetText().size(), size_t(1 << 20));
        Edit->SetEditType(etHex);
        Edit->SetText(L"A");
        Paste(L"FF");
        EXPECT_EQ(Edit->GetText(), L"A");
    });
}

TEST_F(DropDownInput, ValuesAndFocusRewrites)
{
    Steady([&] {
        Edit->SetAllowNumericNullValue(false);
        Edit->SetEditType(etHex);
        Edit->SetFloat(-1.5);
        EXPECT_EQ(Edit->GetText(), L"-1");
        EXPECT_EQ(Edit->GetFloat(), -1);
        Edit->SetInt(255);
        EXPECT_EQ(Edit->GetText(), L"FF");
        Edit->SetEditType(etNumeric);
        Edit->SetTextDirect(L"");
        Other->SetFocus();
        ui::Pump();
        EXPECT_EQ(Edit->GetText(), L"0");
        Edit->SetAllowNumericNullValue(true);
        Edit->SetFocus();
        Edit->SetTextDirect(L"");
        Other->SetFocus();
        ui::Pump();
        EXPECT_EQ(Edit->GetText(), L"");
        Edit->SetEditType(etFloat);
        Edit->SetPrecision(99);
        EXPECT_EQ(Edit->GetPrecision(), 0);
    });
}

TEST_F(DropDownInput, SelectorModeDropsLettersAndOpensOnAClick)
{
    Steady([&] {
        Edit->HideDropDown(false);
        if (Cardinal(TickCount() - Edit->GetDropDownForm()->GetDeActivate()) <= 250) ui::Pump(300);
        Edit->SetEditorEnabled(false);
        Edit->SetText(L"Nord");
        Type(L"xyz");
        EXPECT_EQ(Edit->GetText(), L"Nord");
        ui::Click(Edit, 20, 8);
        ui::Pump();
        EXPECT_TRUE(Edit->GetDroppedDown());
        ui::PressKey(VK_ESCAPE);
        EXPECT_FALSE(Edit->GetDroppedDown());
        ui::PressKey(VK_F4, {}, Edit->GetHandle());
        EXPECT_TRUE(Edit->GetDroppedDown());
        ui::PressKey(VK_RETURN);
        EXPECT_FALSE(Edit->GetDroppedDown());
    });
}

TEST_F(DropDownInput, EnterAndEscReachTheParentByDefaultHandlingAndKeyPreview)
{
    Steady([&] {
        // The key messages the form (the edit's parent) receives.
        std::vector<std::pair<UINT, WPARAM>> Got;
        const TWndMethod Old = Form->GetWindowProc();
        Form->SetWindowProc([&Got, Old](TMessage& M) {
            if (M.Msg == WM_KEYDOWN || M.Msg == WM_KEYUP) Got.push_back({M.Msg, M.WParam});
            Old(M);
        });
        auto Restore = ScopeExit([this, Old] {
            Form->SetWindowProc(Old);
            Form->SetKeyPreview(false);
            Edit->SetDefaultHandling(true);
        });
        using Keys = std::vector<std::pair<UINT, WPARAM>>;
        const struct {
            bool DefaultHandling, KeyPreview;
            Word Key;
            Keys Parent;
        } Cases[] = {
            // By default Esc goes on from the special-key question, Enter only to a focused parent.
            {true, false, VK_ESCAPE, {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE}}},
            {true, false, VK_RETURN, {}},
            // Without it the typed character goes on, both keys.
            {false, false, VK_ESCAPE, {{WM_KEYDOWN, VK_ESCAPE}, {WM_KEYUP, VK_ESCAPE}}},
            {false, false, VK_RETURN, {{WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}}},
            // A previewing form takes Esc itself, and Enter's release.
            {true, true, VK_ESCAPE, {}},
            {false, true, VK_ESCAPE, {}},
            {false, true, VK_RETURN, {{WM_KEYDOWN, VK_RETURN}}},
        };
        // The password edit's single-line window claims the keys as the multi-line one does (its
        // undo on Esc switched back on, as the table assumes).
        for (TDropDownEditType Type : {etString, etPassword}) {
            Edit->SetEditType(Type);
            Edit->SetCanUndo(true);
            for (const auto& C : Cases) {
                Edit->SetDefaultHandling(C.DefaultHandling);
                Form->SetKeyPreview(C.KeyPreview);
                Edit->SetText(L"Nord");
                Caret(2);
                Got.clear();
                ui::PressKey(C.Key, {}, Edit->GetHandle());
                ui::Pump();
                EXPECT_EQ(Got, C.Parent) << int(Type) << " " << C.DefaultHandling << C.KeyPreview << " " << C.Key;
                EXPECT_EQ(Edit->GetText(), L"Nord");
            }
        }
        Edit->SetEditType(etString);
        // Esc asked as a special key selects the value and clears the modified flag.
        Form->SetKeyPreview(false);
        Edit->SetDefaultHandling(true);
        Edit->SetText(L"Syd");
        Caret(1);
        Edit->SetModified(true);
        ui::PressKey(VK_ESCAPE, {}, Edit->GetHandle());
        EXPECT_EQ(Edit->GetSelLength(), 3);
        EXPECT_FALSE(Edit->GetModified());
    });
}

TEST_F(DropDownInput, PasswordShowsOnlyItsCharacterAndNeverReachesTheClipboard)
{
    Steady([&] {
        Edit->SetEditType(etPassword);
        const HWND W = Edit->GetHandle();
        EXPECT_EQ(SendMessageW(W, EM_GETPASSWORDCHAR, 0, 0), L'*');
        Edit->SetTextDirect(L"");
        Caret(0);
        Type(L"hemmelig");
        EXPECT_EQ(Edit->GetText(), L"hemmelig");
        // What shows: the same for every value of one length, typed or in selector mode, and
        // something; a long value stays clear of the drop button.
        auto Shown = [&](const String& Value) {
            Edit->SetText(Value);
            Caret(0);
            HideCaret(W);
            auto S = CaptureWindowAsShown(W);
            ShowCaret(W);
            return S;
        };
        for (bool Editor : {true, false}) {
            Edit->SetEditorEnabled(Editor);
            Edit->SetFocus();
            ui::Pump();
            auto Secret = Shown(L"hemmelig"), Other8 = Shown(L"wxyzwxyz"), Empty = Shown(L"");
            EXPECT_EQ(Secret->DiffCount(*Other8), 0) << Editor;
            EXPECT_GT(Secret->DiffCount(*Empty), 0) << Editor;
            if (Editor) {
                auto Long = Shown(String(80, L'x'));
                const TRect Button(Edit->GetWidth() - Edit->GetDropDownButtonWidth() - 4, 0, Edit->GetWidth(),
                                   Edit->GetHeight());
                TDibSurface A(Button.Width(), Button.Height()), B(Button.Width(), Button.Height());
                BitBlt(A.DC(), 0, 0, A.Width(), A.Height(), Long->DC(), Button.Left, 0, SRCCOPY);
                BitBlt(B.DC(), 0, 0, B.Width(), B.Height(), Empty->DC(), Button.Left, 0, SRCCOPY);
                EXPECT_EQ(A.DiffCount(B), 0);
            }
        }
        Edit->SetEditorEnabled(true);
        // Copying or cutting by message or key leaves the clipboard and the value as they were.
        Edit->SetText(L"hemmelig");
        Clipboard()->SetAsText(L"tom");
        Edit->SelectAll();
        SendMessageW(W, WM_COPY, 0, 0);
        SendMessageW(W, WM_CUT, 0, 0);
        ui::PressKey(L'C', {ssCtrl}, W);
        ui::TypeChar(3, W);
        ui::PressKey(VK_INSERT, {ssCtrl}, W);
        ui::PressKey(VK_DELETE, {ssShift}, W);
        ui::PressKey(L'X', {ssCtrl}, W);
        ui::TypeChar(24, W);
        EXPECT_EQ(Clipboard()->GetAsText(), L"tom");
        EXPECT_EQ(Edit->GetText(), L"hemmelig");
        // Another type shows its text again in the multi-line window.
        Edit->SetEditType(etString);
        EXPECT_EQ(SendMessageW(Edit->GetHandle(), EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_NE(GetWindowLongPtrW(Edit->GetHandle(), GWL_STYLE) & ES_MULTILINE, 0);
        EXPECT_EQ(Edit->GetText(), L"hemmelig");
    });
}

TEST_F(DropDownInput, TheKeypadsDecimalKeyTypesTheLocalesSeparator)
{
    Steady([&] {
        TFormatSettingsGuard Locale;
        // WM_CHAR with the key data of the numeric pad's decimal key or of the main keyboard's.
        auto TypeFrom = [this](Char Ch, UINT VKey) {
            PostMessageW(Edit->GetHandle(), WM_CHAR, WPARAM(Ch), ui::KeyData(VKey, false));
            ui::Pump();
        };
        const struct {
            TFormatSettings Locale;
            bool Excel;
            Char Typed;
            UINT VKey;
            const wchar_t* Value;
        } Cases[] = {
            {TFormatSettings::Danish(), true, L'.', VK_DECIMAL, L"12,"},
            {TFormatSettings::Danish(), true, L'.', VK_OEM_PERIOD, L"12."},
            {TFormatSettings::Danish(), false, L'.', VK_DECIMAL, L"12."},
            {TFormatSettings::EnglishUS(), true, L',', VK_DECIMAL, L"12."},
            {TFormatSettings::EnglishUS(), true, L',', VK_OEM_COMMA, L"12,"},
            {TFormatSettings::EnglishUS(), false, L',', VK_DECIMAL, L"12,"},
        };
        for (const auto& C : Cases) {
            FormatSettings = C.Locale;
            Edit->SetExcelStyleDecimalSeparator(C.Excel);
            Edit->SetEditType(etString);
            Edit->SetEditType(etFloat);
            Edit->SetPrecision(2);
            Edit->SetTextDirect(L"12");
            Caret(2);
            TypeFrom(C.Typed, C.VKey);
            EXPECT_EQ(Edit->GetText(), C.Value) << C.Excel << " " << C.VKey;
        }
        // In a text edit the keypad's key gives the separator too.
        FormatSettings = TFormatSettings::Danish();
        Edit->SetEditType(etString);
        Edit->SetExcelStyleDecimalSeparator(true);
        Edit->SetTextDirect(L"");
        TypeFrom(L'.', VK_DECIMAL);
        EXPECT_EQ(Edit->GetText(), L",");
    });
}

TEST_F(DropDownInput, RandomTypingKeepsPrefixSuffixAndAReadableValue)
{
    Steady([&] {
        std::mt19937 Rng(20261211);
        const TDropDownEditType Types[] = {etString, etNumeric, etFloat, etMoney, etHex, etRange, etAlphaNumeric};
        const String Alphabet = String(L"0123456789-,.;aZ ") + DecimalSeparator() + ThousandSeparator();
        const Word Keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK};
        for (int Round = 0; Round < 12; ++Round) {
            Edit->SetEditType(Types[Rng() % std::size(Types)]);
            Edit->SetPrefix(Rng() % 2 ? L"<" : L"");
            Edit->SetSuffix(Rng() % 2 ? L" kr" : L"");
            Edit->SetSigned(Rng() % 2);
            Edit->SetLengthLimit(SmallInt(Rng() % 6));
            Edit->SetPrecision(SmallInt(Rng() % 3));
            Edit->SetText(L"");
            Edit->SelectAll();
            for (int Step = 0; Step < 25; ++Step) {
                if (Rng() % 3 == 0) ui::PressKey(Keys[Rng() % std::size(Keys)]);
                else ui::TypeChar(Alphabet[Rng() % Alphabet.size()], Edit->GetHandle());
                const String D = Edit->GetEditText();
                ASSERT_EQ(D.compare(0, Edit->GetPrefix().size(), Edit->GetPrefix()), 0) << Round;
                ASSERT_GE(D.size(), Edit->GetPrefix().size() + Edit->GetSuffix().size());
                ASSERT_EQ(D.substr(D.size() - Edit->GetSuffix().size()), Edit->GetSuffix()) << Round;
                ASSERT_GE(Edit->GetSelStart(), int(Edit->GetPrefix().size())) << Round << " " << Step;
                EXPECT_NO_THROW(Edit->GetFloat());
            }
        }
    });
}

TEST_F(DropDownInput, EmptyTextHintAndAStyleSheet)
{
    Edit->SetEmptyText(L"Skriv kontrakt");
    Edit->SetText(L"");
    Other->SetFocus();
    ui::Pump(50);
    auto Hint = CaptureWindowAsShown(Edit->GetHandle());
    EXPECT_GT(Hint->CountColor(TRect(0, 0, Hint->Width(), Hint->Height()), TColor(0x808080)), 10);

    // One band of each style: header gradient and two buttons (normal, hot).
    const int Styles = 24;
    TDibSurface Sheet(360, Styles * 24, clWhite);
    TCanvas* C = Sheet.Canvas();
    auto* Probe = Create<TQorDropDown>(Form);
    for (int S = 0; S < Styles; ++S) {
        Probe->SetComponentStyle(QorStyleIF::TJOQStyle(S));
        THeaderAppearance* H = Probe->GetDropDownHeader();
        TQorButtonAppearance* B = Probe->GetButtonAppearance();
        const TRect Band(0, S * 24, 200, S * 24 + 22);
        DrawGradientBackGround(C, Band, H->GetColor(), H->GetColorTo(), H->GetBorderColor(), 1, H->GetGradientDirection());
        DrawGradientBackGround(C, TRect(210, S * 24 + 2, 270, S * 24 + 20), B->GetColor(), B->GetColorTo(), B->GetBorderColor(), 1,
                               B->GetGradient());
        DrawGradientBackGround(C, TRect(280, S * 24 + 2, 340, S * 24 + 20), B->GetColorHot(), B->GetColorHotTo(),
                               B->GetBorderColorHot(), 1, B->GetGradient());
        C->GetFont()->SetColor(H->GetFont()->GetColor());
        SetBkMode(C->GetHandle(), TRANSPARENT);
        C->TextOut(6, S * 24 + 4, IntToStr(S));
    }
    Sheet.SavePng(SnapshotPath(L"dropdown_styles.png"));
    // tsCustom changes nothing; 2016 Black also darkens the edit's font.
    Probe->SetComponentStyle(QorStyleIF::tsOffice2016Black);
    EXPECT_EQ(Probe->GetFont()->GetColor(), TColor(0xA6A6A6));
    Probe->SetComponentStyle(QorStyleIF::tsCustom);
    EXPECT_EQ(Probe->GetDropDownColor(), TColor(0x363636));
    EXPECT_EQ(Probe->GetComponentStyle(), QorStyleIF::tsCustom);
    Probe->SetComponentStyle(QorStyleIF::TJOQStyle(77));
    EXPECT_EQ(Probe->GetComponentStyle(), QorStyleIF::tsCustom);
}

TEST_F(DropDownInput, StylesAreStoredAsIntegersAndBadOnesAreIgnored)
{
    Edit->SetName(L"Kontrakt");
    Edit->SetComponentStyle(QorStyleIF::tsWindows7);
    Edit->SetSelectionColorStyle(scWindowsVista);
    const String Text = WriteComponentText(Edit);
    EXPECT_NE(Text.find(L"JOQStyle = 11"), String::npos);
    EXPECT_NE(Text.find(L"SelectionColorStyle = 2"), String::npos);
    auto* Copy = Create<TQorDropDown>(Form);
    const TColor Before = Copy->GetDropDownColor();
    ReadComponentText(Text, Copy);
    EXPECT_EQ(Copy->GetComponentStyle(), QorStyleIF::tsWindows7);
    EXPECT_EQ(Copy->GetSelectionColorStyle(), scWindowsVista);
    // Reading stores the style without applying its colours.
    EXPECT_EQ(Copy->GetDropDownColor(), Before);
    String Bad = Text;
    Bad.replace(Bad.find(L"JOQStyle = 11"), 13, L"JOQStyle = 99");
    Bad.replace(Bad.find(L"SelectionColorStyle = 2"), 23, L"SelectionColorStyle = -4");
    auto* Third = Create<TQorDropDown>(Form);
    ReadComponentText(Bad, Third);
    EXPECT_EQ(Third->GetComponentStyle(), QorStyleIF::tsOffice2007Luna);
    EXPECT_EQ(Third->GetSelectionColorStyle(), scOffice2007);
}

TEST_F(DropDownInput, TheLabelStandsWhereItsPositionSays)
{
    Steady([&] {
        Edit->SetLabelCaption(L"En meget lang kontraktbetegnelse her");
        Edit->SetLabelPosition(QorDropDown::lpTopCenter);
        TLabel* L = Edit->GetLabel();
        ASSERT_NE(L, nullptr);
        EXPECT_EQ(L->GetTop(), Edit->GetTop() - L->GetHeight() - 4);
        EXPECT_EQ(L->GetLeft(), Edit->GetLeft() + (Edit->GetWidth() - L->GetWidth()) / 2);
        Edit->SetLabelPosition(QorDropDown::lpRightCenter);
        EXPECT_EQ(L->GetLeft(), Edit->GetLeft() + Edit->GetWidth() + 4);
        int Clicks = 0;
        Edit->OnLabelClick = [&](TObject*) { ++Clicks; };
        ui::Click(L, 2, 2);
        ui::Pump();
        EXPECT_EQ(Clicks, 1);
    });
}
