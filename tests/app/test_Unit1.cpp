// test-needs: desktop
// The main window driven as a user would: clipboard text in, button clicks, fields and text
// areas out, the exported HTML on the clipboard, message boxes through the application's seam.
#include "EditorKit.h"
#include "framework/Clipbrd.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <set>

namespace {

void PutClipboardText(const String& Text) { Clipboard()->SetAsText(Text); }

void EmptyTheClipboard()
{
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->Close();
}

const wchar_t* const Board =
    L"\r\n"
    L"Spil 1\r\n"
    L"Giver: Øst  Zone: Øv\r\n"
    L"♠ ak2\r\n♥ qj5\r\n♦ 1098\r\n♣ kn73\r\n"
    L"♠ 64\r\n♥ k98\r\n♦ 7\r\n♣ q1096\r\n"
    L"♠ q98\r\n♥ 1064\r\n♦\r\n♣ a\r\n"
    L"♠ j1053\r\n♥ a7\r\n♦ k6543\r\n♣ \r\n"
    L"d 15.11.2020\r\n";

TEST_F(Editor, WindowAsStored)
{
    EXPECT_EQ(F->GetCaption(), L"ZeVuroderoz Trumpelin");
    EXPECT_EQ(F->GetClientWidth(), 571);
    EXPECT_EQ(F->GetClientHeight(), 934);
    EXPECT_EQ(F->GetBorderStyle(), bsSingle);
    EXPECT_EQ(F->GetBorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(GetMenu(F->GetHandle()), F->MainMenu1->GetHandle());

    // Only "Import" of the outer pages and "Tekst" and "Diagram" of the inner ones show a tab.
    struct { TTabSheet* Page; bool TabVisible; } pages[] = {
        {F->TabSheet1, true}, {F->TabSheet2, false}, {F->Turnering, false}, {F->TabSheet3, true},
        {F->TabSheet5, false}, {F->TabSheet4, false}, {F->TabSheet6, false}, {F->TabSheet12, true}};
    for (auto& p : pages) EXPECT_EQ(p.Page->GetTabVisible(), p.TabVisible) << p.Page->GetName();
    EXPECT_EQ(F->PageControl2->GetActivePage(), F->TabSheet3);

    // Only "Hjælp" of the menu bar shows; the input mode is the writing order.
    for (TMenuItem* Item : {F->Filer1, F->Vrktj1, F->Sprog1, F->Funktion1, F->Journalist2})
        EXPECT_FALSE(Item->GetVisible()) << Item->GetName();
    EXPECT_TRUE(F->Hjlp1->GetVisible());
    EXPECT_EQ(F->GetInputMode(), imWritingOrder);

    // The converter's controls lie right of the client area but stay enabled and visible.
    EXPECT_EQ(F->Memo1->GetLeft(), 679);
    EXPECT_EQ(F->Button1->GetLeft(), 766);
    EXPECT_TRUE(F->Memo1->GetWantTabs());
        EXPECT_EQ(TextToLines(F->Memo1->GetText()).front(), L"Indsæt kortfordeling/hånd/NS/ØV");
    EXPECT_EQ(F->Memo2->GetText(), L"");
    EXPECT_EQ(TextToLines(F->Memo5->GetText()), TLines{L"Afventer programmering"});
    EXPECT_EQ(F->Edit37->GetText(), L"Spil nummer");
    EXPECT_EQ(F->Edit38->GetText(), L"Giver/zone");
    EXPECT_EQ(F->Edit1->GetText(), L"Edit1");

    ASSERT_NE(F->CapitalCheck1, nullptr);
    EXPECT_FALSE(F->CapitalCheck1->GetAutoCorrect());
    EXPECT_EQ(F->CapitalCheck1->GetGrid(), nullptr);
}

// The author's main road: board from the clipboard, diagram into the article, suit symbols,
// HTML on the clipboard.
TEST_F(Editor, BoardToArticleToHtmlOnTheClipboard)
{
    F->PageControl2->SetActivePage(F->TabSheet12);
    F->Edit34->SetText(L"Klubaften");
    PutClipboardText(Board);
    EditorKit::Press(F->Button8);
    EXPECT_EQ(F->Edit37->GetText(), L"SPIL 1");
    EXPECT_EQ(F->Edit38->GetText(), L"Ø/ØV");
    EXPECT_EQ(F->Edit17->GetText(), L"AK2");
    EXPECT_EQ(F->Edit31->GetText(), L"K6543");
    EXPECT_EQ(F->Edit33->GetText(), L"15.11.2020");
    EXPECT_EQ(F->Edit34->GetText(), L"Klubaften");   // no line for it: kept
    TDiagramFields Fields = F->GetDiagramFields();
    EXPECT_EQ(Fields, ImportBoard(Board, Fields));

    F->PageControl2->SetActivePage(F->TabSheet3);
    F->Memo2->SetText(L"Indledning");
    EditorKit::Press(F->Button11);
    EXPECT_EQ(F->Memo2->GetText(), AppendLinesToText(L"Indledning", DiagramBlock(Fields)));

    String Before = F->Memo2->GetText() + L"Jeg meldte 1s og makker 2h, pas, 3nt\r\n";
    F->Memo2->SetText(Before);
    EditorKit::Press(F->Button13);
    String Symbols = F->Memo2->GetText();
    EXPECT_EQ(Symbols, SuitSymbolText(Before));
    EXPECT_NE(Symbols, Before);

    PutClipboardText(L"old");
    EditorKit::Press(F->Button12);
    EXPECT_EQ(Clipboard()->GetAsText(), HtmlExportText(Symbols));
    EXPECT_EQ(F->Memo4->GetText(), HtmlExportText(Symbols));
    EXPECT_EQ(F->Memo2->GetText(), Symbols);
}

TEST_F(Editor, ClipboardWithoutABoardChangesNoField)
{
    ui::MessageBoxRecorder Boxes;
    F->PageControl2->SetActivePage(F->TabSheet12);
    F->Edit35->SetText(L"Ann - Bo");
    TDiagramFields Start = F->GetDiagramFields();
    EmptyTheClipboard();
    EditorKit::Press(F->Button8);
    EXPECT_EQ(F->GetDiagramFields(), Start);
    PutClipboardText(L" \r\n\t\r\n");
    F->Indstfraclipboard1Click(nullptr);
    EXPECT_EQ(F->GetDiagramFields(), Start);
    EXPECT_TRUE(Boxes.Calls.empty());

    // Text of any shape: fields fill from it and nothing else is touched.
    F->Memo2->SetText(L"artikel");
    String Odd = String(20000, L'x') + L"\r\n\x0001\x0007\xD800 lone\r\n" + String(3, L'\xDC00');
    PutClipboardText(Odd);
    EditorKit::Press(F->Button8);
    EXPECT_EQ(F->GetDiagramFields(), ImportBoard(Odd, Start));
    EXPECT_EQ(F->Memo2->GetText(), L"artikel");
}

// The field goes after the real line holding the caret, even inside a wrapped paragraph.
TEST_F(Editor, PreformattedFieldAfterTheCaretsRealLine)
{
    ui::MessageBoxRecorder Boxes;
    const String Para = String(3000, L'p');
    F->Memo2->SetText(L"top\r\n" + Para + L"\r\nbund");
    F->Memo2->SetSelStart(5 + 2000);
    F->Memo2->SetSelLength(0);
    EditorKit::Press(F->Button14);
    ASSERT_EQ(Boxes.Calls.size(), 1u);
    EXPECT_EQ(Boxes.Calls[0].Text, L"1");
    EXPECT_EQ(TextToLines(F->Memo2->GetText()),
              (TLines{L"top", Para, L"<pre>", L"Skriv her", L"</pre>", L"bund"}));

    EditorKit::Press(F->Button15);
    EXPECT_EQ(TextToLines(F->Memo2->GetText()),
              PreformatAll({L"top", Para, L"<pre>", L"Skriv her", L"</pre>", L"bund"}));

    // An empty article exports nothing: Memo4 stays empty, the clipboard keeps its text.
    F->Memo2->Clear();
    PutClipboardText(L"keep");
    EditorKit::Press(F->Button12);
    EXPECT_EQ(F->Memo4->GetText(), L"");
    EXPECT_EQ(Clipboard()->GetAsText(), L"keep");
}

TEST_F(Editor, ConverterModesAndMessages)
{
    ui::MessageBoxRecorder Boxes;
    F->Memo2->SetText(L"artikel\r\n");
    const String Stored = F->Memo1->GetText();

    // As stored: the writing-order mode, which passes the help text by in silence.
    EditorKit::Press(F->Button1);
    EXPECT_TRUE(Boxes.Calls.empty());
    EXPECT_EQ(F->Memo2->GetText(), L"artikel\r\n");

    F->Diagram1Click(F->Diagram1);
    EXPECT_EQ(F->GetInputMode(), imDiagram);
    EXPECT_TRUE(F->Diagram1->GetChecked());
    EXPECT_FALSE(F->NV1->GetChecked());
    EditorKit::Press(F->Button1);
    ASSERT_EQ(Boxes.Calls.size(), 1u);
    EXPECT_EQ(Boxes.Calls[0].Text, SDiagramLineCount);
    EXPECT_EQ(Boxes.Calls[0].Flags & MB_ICONERROR, 0u);

    F->FraBBO1Click(F->FraBBO1);
    EXPECT_EQ(F->GetInputMode(), imBBO);
    TEasydeal Saved = Easydeal;
    EditorKit::Press(F->Button1);
    ASSERT_EQ(Boxes.Calls.size(), 2u);
    EXPECT_NE(Boxes.Calls[1].Flags & MB_ICONERROR, 0u);
    EXPECT_EQ(Easydeal, Saved);
    EXPECT_EQ(F->Memo2->GetText(), L"artikel\r\n");
    EXPECT_EQ(F->Memo1->GetText(), Stored);

    // Twelve lines in the writing order append the converted diagram.
    F->N1Click(F->N1);
    F->NV1Click(F->NV1);
    EXPECT_EQ(F->GetInputMode(), imWritingOrder);
    const String Twelve = L"♠ AK2\r\n♥ QJ5\r\n♦ 1098\r\n♣ kn73\r\n♠ 64   ♠ Q98\r\n♥ K98   ♥ 1064\r\n"
                          L"♦ 7   ♦ Q2\r\n♣ Q1096   ♣ A\r\n♠ J1053\r\n♥ A7\r\n♦ K6543\r\n♣ 82\r\n";
    F->Memo1->SetText(Twelve);
    TEasydeal Store = Easydeal;
    TConvertResult Expected = ConvertDeal(Twelve, imWritingOrder, Store);
    ASSERT_FALSE(Expected.Lines.empty());
    EditorKit::Press(F->Button1);
    EXPECT_EQ(F->Memo2->GetText(), AppendLinesToText(L"artikel\r\n", Expected.Lines));
    EXPECT_EQ(Easydeal, Store);
    EXPECT_EQ(Boxes.Calls.size(), 2u);
}

TEST_F(Editor, NormalisersAndClearButtons)
{
    F->Memo1->SetText(L"♠ AK\tQJ\r\nx-y 10\r\n");
    F->Memo2->SetText(L"gammel\r\n");
    EditorKit::Press(F->Button4);
    EXPECT_EQ(F->Memo2->GetText(), LinesToText(AnalyseLines(F->Memo1->GetText())));
    String Analysed = F->Memo2->GetText();
    EditorKit::Press(F->Button5);
    EXPECT_EQ(F->Memo2->GetText(), AppendLinesToText(Analysed, FindCandidateLines(F->Memo1->GetText())));

    EditorKit::Press(F->Button3);
    EXPECT_EQ(F->Memo2->GetText(), L"");
    EXPECT_EQ(GetFocus(), F->Memo2->GetHandle());
    EditorKit::Press(F->Button2);
    EXPECT_EQ(F->Memo1->GetText(), L"");
    EXPECT_EQ(GetFocus(), F->Memo1->GetHandle());
}

TEST_F(Editor, CtrlASelectsAllAndTypesNothing)
{
    for (TMemo* Memo : {F->Memo2, F->Memo1}) {
        Memo->SetText(L"abc\r\ndef");
        Memo->SetFocus();
        ui::Pump();
        Memo->SetSelStart(1);
        ui::TypeChar(wchar_t(1), Memo->GetHandle());
        EXPECT_EQ(Memo->GetText(), L"abc\r\ndef") << Memo->GetName();
        EXPECT_EQ(Memo->GetSelStart(), 0);
        EXPECT_EQ(Memo->GetSelLength(), 8);
        Memo->SetSelStart(8);
        ui::TypeChar(L'\t', Memo->GetHandle());
        EXPECT_EQ(Memo->GetText(), L"abc\r\ndef\t") << Memo->GetName();
    }
}

// The converter's controls lie outside the window but the keyboard reaches each of them.
TEST_F(Editor, TabReachesTheOffScreenConverterControls)
{
    std::set<HWND> Reached;
    auto Walk = [&](TWinControl* From, TShiftState Shift, int Steps) {
        From->SetFocus();
        ui::Pump();
        for (int I = 0; I < Steps; ++I) {
            ui::PressKey(VK_TAB, Shift);
            Reached.insert(GetFocus());
        }
    };
    Walk(F->PageControl2, TShiftState{ssShift}, 5);   // Button5, Button4, Button3, Button1, Memo1
    Walk(F->PageControl1, TShiftState{ssShift}, 1);   // Button2, last on the page
    for (TWinControl* C : std::initializer_list<TWinControl*>{F->Memo1, F->Button1, F->Button3, F->Button4,
                                                              F->Button5, F->Button2})
        EXPECT_TRUE(Reached.count(C->GetHandle())) << C->GetName();
}

TEST_F(Editor, HelpWindowIsOneWindowShownAndHidden)
{
    ASSERT_FALSE(Form2->GetVisible());
    F->Hjlp1Click(F->Hjlp1);
    ui::Pump();
    EXPECT_TRUE(Form2->GetVisible());
    EXPECT_TRUE(F->GetEnabled());
    TForm2* First = Form2;
    Form2->Close();
    ui::Pump();
    EXPECT_FALSE(Form2->GetVisible());
    F->Hjlp1Click(F->Hjlp1);
    ui::Pump();
    EXPECT_EQ(Form2, First);
    EXPECT_TRUE(Form2->GetVisible());
}

// Pictures of the two writing pages and the help window, for looking at; the pixels checked are
// only those every correct rendering shares.
TEST_F(Editor, SnapshotsOfThePagesAndTheHelpWindow)
{
    auto Snap = [](TWinControl* W, const wchar_t* Name) {
        auto Dib = CaptureWindowFromScreen(W->GetHandle());
        EXPECT_TRUE(Dib->SavePng(SnapshotPath(Name)));
        return Dib->CountColor(Dib->Bounds(), clBlack) < Dib->Width() * Dib->Height() / 2;
    };
    F->PageControl2->SetActivePage(F->TabSheet12);
    PutClipboardText(Board);
    EditorKit::Press(F->Button8);
    EXPECT_TRUE(Snap(F, L"editor_diagram.png"));

    F->PageControl2->SetActivePage(F->TabSheet3);
    EditorKit::Press(F->Button11);
    F->Memo2->SetText(F->Memo2->GetText() + L"Jeg meldte 1s og makker 2h, pas, 3nt\r\n");
    EditorKit::Press(F->Button13);
    EXPECT_TRUE(Snap(F, L"editor_tekst.png"));

    F->Hjlp1Click(F->Hjlp1);
    ui::Pump();
    EXPECT_TRUE(Snap(Form2, L"help.png"));
}

}  // namespace
