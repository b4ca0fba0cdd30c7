// TQorStringGrid: typed views of cell texts (integers, floating-point numbers, dates and times,
// inline control values), the printed widths of columns, the header lists of the first row and
// column, and formatting a rectangle of cells at once. Reading parses the text each time; a text
// that is no number raises EQorGridError with the grid's message, never a value made up.
#include "grid/QorGrid.h"

#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"

#include <cfenv>
#include <cmath>

namespace {

// A floating-point text in the invariant syntax, the whole text read.
bool ParseInvariant(const String& s, double& Value)
{
    return !s.empty() && TryStrToFloat(s, Value, TFormatSettings::Invariant());
}

// Nearest integer, halves to the even neighbour.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

}  // namespace

// ---- Integers and floating-point numbers -----------------------------------------------------------------

int TQorStringGrid::GetInts(int RCol, int ARow)
{
    const String s = Trim(GetStrippedCell(RCol, ARow));
    if (s.empty() || s == L"-") return 0;
    const TFormatSettings& FS = FormatSettings;
    int Value = 0;
    if (s.find(FS.DecimalSeparator) != String::npos || s.find(FS.ThousandSeparator) != String::npos) {
        // Locale separators first become the invariant form, as for floating-point cells.
        double d = 0;
        if (!ParseInvariant(QorUtil::RemoveSeps(s), d) || std::fabs(d) > 2147483647.0)
            throw EQorGridError(QorGridConsts::SNoIntegerValue);
        return RoundEven(d);
    }
    if (!TryStrToInt(s, Value)) throw EQorGridError(QorGridConsts::SNoIntegerValue);
    return Value;
}

void TQorStringGrid::SetInts(int RCol, int ARow, int Value)
{
    SetCellEx(RCol, ARow, IntToStr(Value));
    if (FDims.FNumHidden > 0) RepaintCell(RemapColInv(RCol), ARow);
}

int TQorStringGrid::GetAllInts(int ACol, int RealRow)
{
    const String s = Trim(GetCellsEx(ACol, RealRow));
    if (s.empty() || s == L"-") return 0;
    int Value = 0;
    if (!TryStrToInt(s, Value)) throw EQorGridError(QorGridConsts::SNoIntegerValue);
    return Value;
}

void TQorStringGrid::SetAllInts(int ACol, int RealRow, int Value)
{
    SetCellsEx(ACol, RealRow, IntToStr(Value));
}

namespace {

bool TryFloatOf(const String& Text, double& Value)
{
    const String s = QorUtil::RemoveSeps(Text);
    Value = 0;
    if (s.empty() || s == L"-") return true;
    return ParseInvariant(s, Value);
}

double FloatOf(const String& Text)
{
    double d = 0;
    if (!TryFloatOf(Text, d)) throw EQorGridError(QorGridConsts::SNoFloatValue);
    return d;
}

}  // namespace

double TQorStringGrid::GetFloats(int RCol, int ARow)
{
    return FloatOf(JyrHTMLE::HTMLStrip(GetCellEx(RCol, ARow)));
}

bool TQorStringGrid::TryGetFloats(int RCol, int ARow, double& Value)
{
    return TryFloatOf(JyrHTMLE::HTMLStrip(GetCellEx(RCol, ARow)), Value);
}

bool TQorStringGrid::TryGetAllFloats(int ACol, int RealRow, double& Value)
{
    return TryFloatOf(GetCellsEx(ACol, RealRow), Value);
}

void TQorStringGrid::SetFloats(int RCol, int ARow, double Value)
{
    SetCellEx(RCol, ARow, Format(FText.FFloatFormat, {Value}));
}

double TQorStringGrid::GetAllFloats(int ACol, int RealRow)
{
    return FloatOf(GetCellsEx(ACol, RealRow));
}

void TQorStringGrid::SetAllFloats(int ACol, int RealRow, double Value)
{
    SetCellsEx(ACol, RealRow, Format(FText.FFloatFormat, {Value}));
}

double TQorStringGrid::CellToReal(int RCol, int ARow)
{
    const String Text = GetCellEx(RCol, ARow);
    if (Text.empty()) return 0;
    const String s = QorUtil::RemoveSeps(Text);
    int Code = 0;
    const double d = ValFloat(s, Code);
    if (Code != 0) throw EQorGridError(Format(QorGridConsts::SCellToRealError, {Code, RCol, ARow}));
    return d;
}

// ---- Print widths -----------------------------------------------------------------------------------------

namespace {

// Entry ACol of a per-column print list; a column of the grid that printing has not reached reads 0.
int PrintEntry(const std::vector<int>& L, int ACol, int AllCols)
{
    if (ACol < 0 || ACol >= AllCols) throw EQorGridError(QorGridConsts::SColumnsNotInRange);
    return ACol < int(L.size()) ? L[size_t(ACol)] : 0;
}

}  // namespace

int TQorStringGrid::GetPrintColWidth(int ACol)
{
    return PrintEntry(FPrint.MaxWidths, ACol, GetAllColCount());
}

int TQorStringGrid::GetPrintColOffset(int ACol)
{
    return PrintEntry(FPrint.Indents, ACol, GetAllColCount());
}

// ---- Dates, times, wide cells, inline controls -----------------------------------------------------------

TDateTime TQorStringGrid::GetDates(int RCol, int ARow)
{
    return StrToDate(GetCellEx(RCol, ARow));
}

void TQorStringGrid::SetDates(int RCol, int ARow, TDateTime Value)
{
    SetCellEx(RCol, ARow, Value > 0 || FText.FShowNullDates ? DateToStr(Value) : String());
}

TDateTime TQorStringGrid::GetTimes(int RCol, int ARow)
{
    return StrToTime(GetCellEx(RCol, ARow));
}

void TQorStringGrid::SetTimes(int RCol, int ARow, TDateTime Value)
{
    SetCellEx(RCol, ARow, TimeToStr(Value));
}

void TQorStringGrid::SetDateTimes(int RCol, int ARow, TDateTime Value)
{
    const String Fmt = FormatSettings.ShortDateFormat + L" " + FormatSettings.ShortTimeFormat;
    SetCellEx(RCol, ARow, Value > 0 || FText.FShowNullDates ? FormatDateTime(Fmt, Value) : String());
}

bool TQorStringGrid::IsWideCell(int RCol, int ARow)
{
    return GetCellEx(RCol, ARow).starts_with(L"|\\");
}

String TQorStringGrid::GetCtrlVal(int RCol, int ARow, const String& ID)
{
    String Value;
    return JyrHTMLE::GetControlValue(GetCellEx(RCol, ARow), ID, Value) ? Value : String();
}

void TQorStringGrid::SetCtrlVal(int RCol, int ARow, const String& ID, const String& Value)
{
    String Cell = GetCellEx(RCol, ARow);
    if (JyrHTMLE::SetControlValue(Cell, ID, Value)) SetCellEx(RCol, ARow, Cell);
}

// ---- Headers ------------------------------------------------------------------------------------------------

void TQorStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < GetColCount(); ++c) SetCellEx(c, 0, String());
}

void TQorStringGrid::ShowColumnHeaders()
{
    if (GetFixedRows() == 0) return;
    TStringList* H = FLists.FColumnHeaders.get();
    for (int i = 0; i < H->Count() && i < TotalColCount(); ++i) SetCellEx(i, 0, QorUtil::CLFToLF(H->Get(i)));
}

void TQorStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < GetRowCount(); ++r) SetCellEx(0, r, String());
}

void TQorStringGrid::ShowRowHeaders()
{
    if (GetFixedCols() == 0) return;
    TStringList* H = FLists.FRowHeaders.get();
    for (int i = 0; i < H->Count() && i < GetRowCount(); ++i) SetCellEx(0, i, QorUtil::CLFToLF(H->Get(i)));
}

// ---- Range formatting ----------------------------------------------------------------------------------------

template <class F>
void TQorStringGrid::ForRange(const TGridRect& R, F Visit)
{
    for (int c = R.Left; c <= R.Right; ++c)
        for (int r = R.Top; r <= R.Bottom; ++r) Visit(c, r);
}

void TQorStringGrid::SetFontStyle(TGridRect GridRect, TFontStyle AStyle, bool DoSet)
{
    ForRange(GridRect, [&](int c, int r) {
        TFontStyles S = GetFontStyles(c, r);
        if (DoSet) S.Include(AStyle);
        else S.Exclude(AStyle);
        SetFontStyles(c, r, S);
    });
}

bool TQorStringGrid::IsFontStyle(TGridRect GridRect, TFontStyle AStyle)
{
    bool All = true;
    ForRange(GridRect, [&](int c, int r) { All = All && GetFontStyles(c, r).Contains(AStyle); });
    return All;
}

void TQorStringGrid::SetCellColor(TGridRect GridRect, TColor AColor)
{
    ForRange(GridRect, [&](int c, int r) { SetColors(c, r, AColor); });
}

void TQorStringGrid::SetCellTextColor(TGridRect GridRect, TColor AColor)
{
    ForRange(GridRect, [&](int c, int r) { SetFontColors(c, r, AColor); });
}

void TQorStringGrid::SetCellFontName(TGridRect GridRect, const String& AFontName)
{
    ForRange(GridRect, [&](int c, int r) { SetFontNames(c, r, AFontName); });
}

void TQorStringGrid::SetCellFontSize(TGridRect GridRect, int AFontSize)
{
    ForRange(GridRect, [&](int c, int r) { SetFontSizes(c, r, AFontSize); });
}

void TQorStringGrid::SetAlignment(TGridRect GridRect, TAlignment AAlignment)
{
    ForRange(GridRect, [&](int c, int r) { SetAlignments(c, r, AAlignment); });
}

bool TQorStringGrid::IsAlignment(TGridRect GridRect, TAlignment AAlignment)
{
    bool All = true;
    ForRange(GridRect, [&](int c, int r) { All = All && GetAlignments(c, r) == AAlignment; });
    return All;
}
