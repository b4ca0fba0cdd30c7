// QorUtil, text side: search and split routines, CSV quoting and line-break codings, packed wide
// text, the fixed decimal separator of the grid's own files, HTML helpers, name capitalisation and
// accent removal; number, date and text-type recognition. The filter-expression matcher of the
// same unit lives in QorFilter.h, which this header includes.
//
// Portable: no window or device context. The locale comes from the process-wide FormatSettings of
// framework/SysUtils, read at every call.
#pragma once

#include "framework/Classes.h"
#include "framework/SysUtils.h"
#include "framework/System.h"

#include <functional>
#include <string_view>


namespace QorUtil {

// ---- Kinds of cell text -----------------------------------------------------------------------

enum TTextType { ttText, ttHTML, ttRTF, ttFormula, ttURL, ttUnicode };
enum TAutoType { atNumeric, atFloat, atString, atDate, atTime, atScientific };

// A rectangle of grid cells: Left/Right are columns, Top/Bottom rows.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// ---- Search and split -------------------------------------------------------------------------

int VarPos(const String& su, const String& s, int& respos);
int VarCharPos(Char ch, const String& s, int& Res);
int CharPos(Char ch, const String& s);
int FIPos(const String& su, const String& s);   // su already upper-cased by the caller
int StrPosWide(const String& SubStr, const String& Str);
// Adds each piece of s before a separator, then the rest after the last one (possibly empty).
// Only the separator's first character is used.
void SplitString(const String& sep, const String& s, TStrings* sl);
// The text before the first separator, removed from s with the separator. When s holds no
// separator the whole of s is the last token: it is returned and s becomes empty.
String GetToken(String& s, const String& separator);
String StringListToText(TStrings* st);
String GetUnquotedStr(const String& S);
bool IsURL(const String& s);
void StripURLProtocol(String& s);
bool NameToCell(const String& s, TPoint& cell);

// ---- CSV ---------------------------------------------------------------------------------------

String CSVQuotes(const String& S);
String DoubleToSingleChar(Char ch, const String& s);
int SinglePos(Char p, const String& s, int& sp);
int NumDelim(Char p, const String& s);
int NumChar(Char p, const String& s);
int NumCharDel(Char p, Char del, const String& s);

// ---- Line-break codings ----------------------------------------------------------------------

void LineFeedsToCSV(String& s);
void LineFeedsToCSVNQ(String& s);
void CSVToLineFeeds(String& s);
void LineFeedsToJava(String& s);
void JavaToLineFeeds(String& s);
String LineFeedsToXLS(const String& s);
String CRToLF(const String& s);
String LFToCLF(const String& s);
String CLFToLF(const String& s);
String LfToFile(const String& s);
String FileToLf(const String& s, bool multiline);
String HTMLLineBreaks(const String& s);

// ---- Lines -------------------------------------------------------------------------------------

String GetNextLine(String& s, bool multiline);
int LinesInText(const String& s, bool multiline);
// The line of s (lines as GetNextLine in multiline mode gives them) for which Width is largest;
// the first such line on ties; every line is examined.
String GetLongestLineBy(const String& s, const std::function<int(const String&)>& Width);
// The line of s that is widest on Canvas (any canvas with TextWidth(String)).
template <class TCanvasType>
String GetLongestLine(TCanvasType* Canvas, const String& s)
{
    return GetLongestLineBy(s, [Canvas](const String& Line) { return int(Canvas->TextWidth(Line)); });
}

// ---- Packed wide text, fixed decimal separator -------------------------------------------------

String EncodeWideStr(const WideString& s);
WideString DecodeWideStr(const String& s);
String ToFixedDecSep(const String& s);
String FromFixedDecSep(const String& s);

// ---- HTML --------------------------------------------------------------------------------------

String HTMLColor(std::uint32_t l);
bool MakeHTMLHyperlink(const String& Value, const String& LinkType, String& ValueWithLink);
void MakeFragment(String& HTML);

// ---- Other text routines -----------------------------------------------------------------------

void StringToPassword(String& s, Char passwordchar);
void StringToOem(String& s);
void OemToString(String& s);
// Accents removed: every character is decomposed and its combining marks dropped; characters
// without a decomposition (other scripts included) are kept.
String RemoveAccentedStr(const String& s);
bool CheckTerminator(Char ch);
String ShiftCase(const String& Name);

// ---- Locale accessors (current process-wide settings) -----------------------------------------

Char TimeSeparator();
Char DateSeparator();
Char ThousandSeparator();
Char DecimalSeparator();
String ShortDateFormat();

// ---- Integers ----------------------------------------------------------------------------------

int MaxI(int i1, int i2);
int MinI(int i1, int i2);
int Limit(int v, int mi, int ma);
int CheckLimits(int Value, int LowLimit, int UpLimit);
bool IsInGridRect(const TGridRect& rc, int c, int r);

// ---- Character filters -------------------------------------------------------------------------

bool IsNumChar(Char ch);
bool CheckNum(Char ch);
bool CheckSignedNum(Char ch);
bool CheckFloatNum(Char ch);
bool CheckSignedFloatNum(Char ch);
bool CheckFloatNumNoExp(Char ch);
bool CheckSignedDottedNum(Char ch);

// ---- Classification and conversion -------------------------------------------------------------

TTextType TextType(const String& s, bool AllowHTML);
TAutoType IsType(const String& s);
TAutoType IsType(const String& s, Char ADecimalSeparator, Char AThousandSeparator);
String RemoveSeps(const String& s);
bool IsDateStr(const String& s);
TDateTime StrToShortdateUS(const String& s);
TDateTime StrToShortDateEU(const String& s);
TDateTime GetNextDate(TDateTime d, Word dye, Word dmo, Word dda, TDateTime dtv);

// ---- Shared helpers of the unit's files ------------------------------------------------------

namespace Detail {
// Locale-aware single-character case mapping: the platform's, built once into a table of every
// UTF-16 unit at first use (the user's casing does not change while the program runs).
const Char* UpperCaseTable();
const Char* LowerCaseTable();
inline Char UpperChar(Char ch)
{
    static const Char* const T = UpperCaseTable();
    return T[Word(ch)];
}
inline Char LowerChar(Char ch)
{
    static const Char* const T = LowerCaseTable();
    return T[Word(ch)];
}
String UpperStr(std::wstring_view s);
// 1-based position of Sub in S from position From (1-based), 0 when absent or Sub is empty.
int PosFrom(std::wstring_view Sub, std::wstring_view S, int From = 1);
}  // namespace Detail

}  // namespace QorUtil

#include "QorFilter.h"
