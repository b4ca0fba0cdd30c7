// Unit1Text: the text logic of the main window's handlers, as functions from lines to lines.
//
// The window layer (TForm1) only moves text in and out: it reads a text area or the clipboard,
// calls one function here, and writes back the result, shows the returned message, or both.
// Everything here works on real lines, the lines between line breaks, never on the rows a
// word-wrapping text area displays, so the result never depends on the window's width or font.
//
// Line model: a text splits into lines at CR LF, CR or LF; a final line break ends the last line
// and starts no new one (so "" has no lines and "a\r\n" has one). A list of lines turns back into
// text with every line followed by CR LF. This is how a string list reads and writes a text area.
//
// What each handler of TForm1 calls (Text = a text area's whole text):
//   Button8Click, Indstfraclipboard1Click  fields = ImportBoard(clipboard text, or "" when the
//                                          clipboard holds none, fields)
//   Button11Click    Memo2 = AppendLinesToText(Memo2, DiagramBlock(fields))
//   Button13Click    Memo2 = SuitSymbolText(Memo2)
//   Retmeldinger1Click  Memo2 = LinesToText(RetmeldingerPass(TextToLines(Memo2)))
//   Button14Click    r = InsertPreformattedField(TextToLines(Memo2), RealLineAt(Memo2, SelStart));
//                    show r.Message and wait for the box to close; then Memo2 = LinesToText(r.Lines)
//   Button15Click    Memo2 = LinesToText(PreformatAll(TextToLines(Memo2)))
//   Button12Click    Memo4 = HtmlExportText(Memo2); select all of Memo4; copy it
//   Button1Click     r = ConvertDeal(Memo1, InputModeFromChecks(NV1, N1, Diagram1, FraBBO1),
//                    Easydeal); show r.Message when set (as an error when r.ErrorBox);
//                    Memo2 = AppendLinesToText(Memo2, r.Lines) when r.Lines is not empty
//   Button4Click     Memo2 = LinesToText(AnalyseLines(Memo1))
//   Button5Click     Memo2 = AppendLinesToText(Memo2, FindCandidateLines(Memo1))
//   NV1Click, N1Click, Diagram1Click, FraBBO1Click  checked states = ChecksForInputMode(mode)
//   MemoKeyPress     IsSelectAllKey(Key): select all, Key = 0
#pragma once

#include "framework/System.h"

#include <array>
#include <vector>

using TLines = std::vector<String>;

// ---- Lines and text ---------------------------------------------------------------------------

TLines TextToLines(const String& Text);
String LinesToText(const TLines& Lines);
// Text with Lines added at its end, as the text area's Lines.Add would: a last line without a
// line break is ended first; existing text is never changed.
String AppendLinesToText(const String& Text, const TLines& Lines);
// The number (from 0) of the real line holding character position CaretPos (from 0, as the text
// area's selection start; line breaks count as their characters). A caret after a final line break
// stands in the line that follows it, whose number equals the text's line count.
int RealLineAt(const String& Text, int CaretPos);

// ---- Clipboard board import and diagram block ("Indsæt fra clipboard", "Indsæt diagram") -----

// The fields of the diagram form, named after their edit controls.
struct TDiagramFields {
    String Edit33;   // date
    String Edit34;   // event
    String Edit35;   // North-South players
    String Edit36;   // East-West players
    String Edit37 = L"Spil nummer";   // board number
    String Edit38 = L"Giver/zone";    // dealer and vulnerability, e.g. "N/Ingen"
    String Edit17, Edit18, Edit19, Edit20;   // North ♠ ♥ ♦ ♣
    String Edit21, Edit22, Edit23, Edit24;   // West
    String Edit25, Edit26, Edit27, Edit28;   // East
    String Edit29, Edit30, Edit31, Edit32;   // South

    // The sixteen holding fields Edit17 to Edit32, Index 0 to 15.
    String& Holding(int Index);
    const String& Holding(int Index) const;

    friend bool operator==(const TDiagramFields&, const TDiagramFields&) = default;
};

// Button8Click (and its twin Indstfraclipboard1Click): the fields after importing one board from
// the clipboard's text. Fields whose line is missing keep their value in Current; a text without
// non-blank lines (an empty clipboard, one without text) gives Current unchanged.
TDiagramFields ImportBoard(const String& ClipboardText, const TDiagramFields& Current);
// The dealer/vulnerability text of an (upper-cased) board line: "N/Ingen", "Ø/NS", "" ...
String DealerText(const String& Line);

// NumberOfBlanks: NoB blanks, the empty string when NoB is 0 or less.
String NumberOfBlanks(int NoB);
// Button11Click: the diagram block to append to the article, from "[diagram=]" to "[=diagram]".
TLines DiagramBlock(const TDiagramFields& Fields);

// ---- Suit-symbol pass ("Indsæt korttegn") -----------------------------------------------------

// Button13Click: bids, one-letter suit words, suit letters followed by ranks, and calls, turned into
// suit symbols and capitals. Every line keeps its length.
TLines SuitSymbolPass(const TLines& Lines);
String SuitSymbolLine(const String& Line);
// The same on a whole text, as LinesToText(SuitSymbolPass(TextToLines(Text))) in one sweep.
String SuitSymbolText(const String& Text);
// Retmeldinger1Click: the older case-sensitive pass (bids, then suit letters before ranks).
TLines RetmeldingerPass(const TLines& Lines);
String RetmeldingerLine(const String& Line);

// ---- Preformatted fields and HTML export ------------------------------------------------------

struct TPreformattedFieldResult {
    TLines Lines;      // the article after the insertion
    String Message;    // the line number shown in the message box, e.g. "0"
};
// Button14Click: "<pre>", "Skriv her", "</pre>" inserted after real line CaretLine. A caret line at
// or past the end (the empty line after a final line break) keeps that empty line and puts the
// field after it.
TPreformattedFieldResult InsertPreformattedField(const TLines& Lines, int CaretLine);
// Button15Click: the whole text in one preformatted section, old markers left out.
TLines PreformatAll(const TLines& Lines);
// Button12Click: the text as HTML markup for the clipboard, each line ended by CR LF.
TLines HtmlExportLines(const TLines& Lines);
String HtmlExport(const TLines& Lines);
// The same on a whole text, as HtmlExport(TextToLines(Text)) in one sweep.
String HtmlExportText(const String& Text);

// ---- Paste converter ("Konvertér") ------------------------------------------------------------

// The checked item of the "Input" menu.
enum TInputMode {
    imWritingOrder,   // NV1 "N - V - Ø -S (Skriftretning)", as stored
    imCompass,        // N1 "N - Ø - S - V (Kompas)"
    imDiagram,        // Diagram1 "Diagram"
    imBBO             // FraBBO1 "Fra BBO"
};
// The mode the converter reads from the four items' checked states.
TInputMode InputModeFromChecks(bool NV1, bool N1, bool Diagram1, bool FraBBO1);
// The checked state of NV1, N1, Diagram1, FraBBO1 after clicking the item of Mode.
std::array<bool, 4> ChecksForInputMode(TInputMode Mode);

// The deal store: index hand * 4 + suit; hands 0 North, 1 East, 2 South, 3 West; suits 0 ♠,
// 1 ♥, 2 ♦, 3 ♣. It keeps its content from one conversion to the next.
using TEasydeal = std::array<String, 16>;
extern TEasydeal Easydeal;

struct TConvertResult {
    TLines Lines;            // the 13 lines to append to the article; empty when nothing is
    String Message;          // the text of a message box to show, or empty
    bool ErrorBox = false;   // the message is an error
};
extern const wchar_t* const SDiagramLineCount;   // "Et diagram skal indeholde præcis 12 ..."
// Button1Click: reads the converter's input text, updates Store and gives the lines to append.
TConvertResult ConvertDeal(const String& Memo1Text, TInputMode Mode, TEasydeal& Store);
// The diagram mode's field splitting of one line: TABs and pairs of blanks become ";".
String DiagramFieldLine(const String& Line);
// The normalisation of one stored entry: marker dropped, ranks in Danish, blanks removed.
String NormaliseHolding(const String& Entry);

// ---- Line normalisers ("Analysér", "Find kandidat") -------------------------------------------

// The value of a character in a card string (♠ 18 ... "2" 2, "\" 1; anything else 0).
int CardValue(Char C);
// The normalisation shared by both: TABs to "\", ranks in Danish, blanks and "-" dropped.
String NormaliseCardLine(const String& Line);
// Button4Click: the new text of the article, one line per line of the input plus one for the
// empty line read past its end.
TLines AnalyseLines(const String& Memo1Text);
// Button5Click: the lines to append to the article.
TLines FindCandidateLines(const String& Memo1Text);

// ---- Small handlers ---------------------------------------------------------------------------

// MemoKeyPress: true when Key is Ctrl+A (code 1); the handler then selects all and sets Key to 0.
bool IsSelectAllKey(Char Key);

// ---- Shared by the unit's source files --------------------------------------------------------

namespace Unit1TextDetail {
bool IsWhite(Char C);                         // codes 0 to 32, what Trim removes
bool Contains(const String& S, const wchar_t* Sub);
String CollapseRuns(const String& S, Char C); // every run of C made one C
extern const wchar_t* const SuitPrefix[4];    // "♠ ", "♥ ", "♦ ", "♣ "
String Pad(const String& S, int Width);       // S followed by blanks up to Width

// Calls Fn(first character, length) for every line of Text, in the line model above.
template <class F>
void ForEachLine(const String& Text, F&& Fn)
{
    const Char* p = Text.data();
    size_t start = 0, i = 0, n = Text.size();
    while (i < n) {
        Char c = p[i];
        if (c == L'\r' || c == L'\n') {
            Fn(p + start, i - start);
            i += (c == L'\r' && i + 1 < n && p[i + 1] == L'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) Fn(p + start, n - start);
}
}  // namespace Unit1TextDetail
