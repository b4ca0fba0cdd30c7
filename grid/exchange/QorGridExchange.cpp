// TQorStringGrid: the UTF-16 cell stream (which AssignCells copies cells through), the save range
// it writes, the column sizes kept in an INI file or the registry, and the paste and column-order
// hooks. The other file formats, the clipboard and drag and drop come here with the grid's data
// exchange.
#include "grid/QorGrid.h"

#include "framework/IniFiles.h"
#include "framework/Registry.h"

namespace {

constexpr Char CR = L'\r';
constexpr Char LF = L'\n';
// A cell text with line breaks is kept on one line: CR as TAB, LF as backspace, NUL as 1.
constexpr Char CodedCR = L'\t';
constexpr Char CodedLF = L'\b';
constexpr Char CodedNul = L'\x01';

String LfToFile(const String& s)
{
    if (s.find(CR) == String::npos) return s;
    String R(s);
    for (Char& c : R) {
        if (c == CR) c = CodedCR;
        else if (c == LF) c = CodedLF;
        else if (c == 0) c = CodedNul;
    }
    return R;
}

String FileToLf(const String& s, bool MultiLine)
{
    String R(s);
    if (R.find(CodedLF) != String::npos)
        for (Char& c : R) {
            if (c == CodedCR) c = CR;
            else if (c == CodedLF) c = LF;
            else if (c == CodedNul) c = 0;
        }
    if (!MultiLine) {
        size_t P = R.find(CR);
        if (P != String::npos) R.erase(P);
    }
    return R;
}

void WriteLine(TStream* Stream, const String& Line)
{
    const String L = Line + CR + LF;
    Stream->WriteBuffer(L.data(), Integer(L.size() * sizeof(Char)));
}

// A line of UTF-16 units up to the first CR (the LF after it is consumed too) or the stream's end.
String ReadLine(TStream* Stream)
{
    String Line;
    Char C;
    while (Stream->Read(&C, sizeof(C)) == sizeof(C)) {
        if (C == CR) {
            Stream->Read(&C, sizeof(C));
            break;
        }
        Line += C;
    }
    return Line;
}

bool DataRemain(TStream* Stream)
{
    return Stream->GetPosition() + Int64(sizeof(Char)) <= Stream->GetSize();
}

} // namespace

// ---- Save range ----------------------------------------------------------------------------------------------

int TQorStringGrid::GetSaveStartCol()
{
    return FText.FSaveFixedCells || FText.FSaveFixedCols ? 0 : GetFixedCols();
}

int TQorStringGrid::GetSaveStartRow()
{
    return FText.FSaveFixedCells || FText.FSaveFixedRows ? 0 : GetFixedRows();
}

int TQorStringGrid::GetSaveEndCol()
{
    return FText.FSaveFixedCells || FText.FSaveFixedCols ? GetColCount() - 1 : GetColCount() - FDims.FFixedRightCols - 1;
}

int TQorStringGrid::GetSaveEndRow()
{
    return FText.FSaveFixedCells || FText.FSaveFixedRows ? GetRowCount() - 1 : GetRowCount() - FDims.FFixedFooters - 1;
}

int TQorStringGrid::GetSaveColCount()
{
    return GetSaveEndCol() - GetSaveStartCol() + 1;
}

int TQorStringGrid::GetSaveRowCount()
{
    return GetSaveEndRow() - GetSaveStartRow() + 1;
}

// ---- UTF-16 cell stream -----------------------------------------------------------------------------------------

void TQorStringGrid::SaveToStream(TStream* Stream)
{
    const int C0 = GetSaveStartCol(), R0 = GetSaveStartRow();
    WriteLine(Stream, IntToStr(GetSaveColCount()) + L"," + IntToStr(GetSaveRowCount()));
    for (int c = 0; c < GetColCount(); ++c)
        WriteLine(Stream, String(QorGridConsts::SCellStreamWidthTag) + L" " + IntToStr(c) + L"," +
                              IntToStr(GetColWidths(c)));
    ExportNotification(esExportStart, R0);
    for (int r = R0; r <= GetSaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = C0; c <= GetSaveEndCol(); ++c) {
            const String Text = SaveCell(c, r);
            if (!Text.empty()) WriteLine(Stream, IntToStr(c - C0) + L"," + IntToStr(r - R0) + L"," + LfToFile(Text));
        }
    }
    ExportNotification(esExportDone, -1);
}

void TQorStringGrid::LoadFromStream(TStream* Stream)
{
    const int C0 = GetSaveStartCol(), R0 = GetSaveStartRow();
    if (DataRemain(Stream)) {
        const String Size = ReadLine(Stream);
        if (!Size.empty()) {
            const size_t Comma = Size.find(L',');
            const int Cols = StrToInt(Size.substr(0, Comma));
            const int Rows = StrToInt(Comma == String::npos ? String() : Size.substr(Comma + 1));
            SetColCountEx(Cols + C0);
            SetRowCountEx(Rows + R0);
        }
    }
    const String WidthTag = QorGridConsts::SCellStreamWidthTag;
    while (DataRemain(Stream)) {
        const Int64 P = Stream->GetPosition();
        const String Line = ReadLine(Stream);
        if (Line.compare(0, WidthTag.size(), WidthTag) == 0) {
            const String Rest = Line.substr(std::min(Line.size(), WidthTag.size() + 1));
            const size_t Comma = Rest.find(L',');
            SetColWidths(StrToInt(Rest.substr(0, Comma)), StrToInt(Comma == String::npos ? String() : Rest.substr(Comma + 1)));
            continue;
        }
        const size_t First = Line.find(L',');
        const size_t Second = First == String::npos ? String::npos : Line.find(L',', First + 1);
        if (First == String::npos || Second == String::npos) {
            Stream->SetPosition(P);
            break;
        }
        const int Col = C0 + StrToInt(Line.substr(0, First));
        const int Row = R0 + StrToInt(Line.substr(First + 1, Second - First - 1));
        // A cell outside the sized grid is passed over rather than growing the storage.
        if (Col < 0 || Col >= TotalColCount() || Row < 0 || Row >= GetRowCount()) continue;
        LoadCell(Col, Row, FileToLf(Line.substr(Second + 1), FDims.FMultilinecells));
    }
    CellsChanged(TRect(0, 0, GetColCount(), GetRowCount()));
    CellsLoaded();
}

// ---- Column sizes -------------------------------------------------------------------------------------------------

namespace {

// The store the column-size settings name: an INI file or a registry key under the current user.
std::unique_ptr<TCustomIniFile> ColumnSizeStore(TColumnSize* Settings)
{
    if (Settings->GetLocation() == clIniFile) return std::unique_ptr<TCustomIniFile>(new TMemIniFile(Settings->GetKey()));
    return std::unique_ptr<TCustomIniFile>(new TRegistryIniFile(Settings->GetKey()));
}

} // namespace

void TQorStringGrid::SaveColSizes()
{
    TColumnSize* S = FOpt.FColumnSize.get();
    if (S->GetKey().empty() || S->GetSection().empty()) return;
    std::unique_ptr<TCustomIniFile> Store = ColumnSizeStore(S);
    for (int c = 0; c < GetColCount(); ++c)
        Store->WriteInteger(S->GetSection(), QorGridConsts::SColSizeKeyPrefix + IntToStr(c), GetColWidths(c));
    Store->UpdateFile();
}

void TQorStringGrid::LoadColSizes()
{
    TColumnSize* S = FOpt.FColumnSize.get();
    if (S->GetKey().empty() || S->GetSection().empty()) return;
    std::unique_ptr<TCustomIniFile> Store = ColumnSizeStore(S);
    for (int c = 0; c < GetColCount(); ++c) {
        const int W = Store->ReadInteger(S->GetSection(), QorGridConsts::SColSizeKeyPrefix + IntToStr(c), GetColWidths(c));
        if (W != GetColWidths(c)) SetColWidths(c, W);
    }
}

// ---- Hooks of the clipboard and column order: they come with the grid's data exchange -------------------------

void TQorStringGrid::PasteInCell(int, int, const String&) {}
void TQorStringGrid::SaveColPositions() {}
void TQorStringGrid::LoadColPositions() {}

bool TQorStringGrid::DoAllowFmtPaste()
{
    return FOpt.FNavigation->GetAllowFmtClipboard();
}
