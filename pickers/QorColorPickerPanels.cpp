// The colour cube and the spectrum panel of the colour picker.
#include "pickers/QorColorPickerPanels.h"

#include "framework/Consts.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"

namespace {

// ---- cube table ---------------------------------------------------------------------------------

// Cells per row, the first centre of each row, and the colours ($BBGGRR) left to right.
constexpr int CubeRows = 13;
constexpr int RowCells[CubeRows] = {7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7};
constexpr int FirstRowY = 20;
constexpr int RowSpacing = 10;

constexpr unsigned CubeColors[TQorColorCubePanel::CellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399,
    0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC,
    0xFF00CC, 0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
    0xFF00FF, 0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF,
    0x9900CC, 0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC,
    0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

constexpr TColor HotBorderColor = clRed;
constexpr TColor SelectedBorderColor = clBlack;
// "Red: %d,  Green: %d,  Blue: %d": two blanks after each comma.
constexpr const wchar_t* RGBHintFormat = L"Red: %d,  Green: %d,  Blue: %d";

// ---- spectrum layout ----------------------------------------------------------------------------

constexpr const wchar_t* SpectrumResource = L"JOQ_SPECTRUM";
constexpr const wchar_t* PointerResource = L"JOQ_POINTER";
constexpr int SpectrumSize = 128;
constexpr int SpectrumPanelWidth = 150;
constexpr int SpectrumPanelHeight = 174;
constexpr int SpectrumTop = 10;
constexpr TColor FrameGrey = TColor(0x808080);

} // namespace

void TQorCustomColorSelectorPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseUp(Button, Shift, X, Y);
    if (OnShouldHide) OnShouldHide(this);
}

// ---- colour cube --------------------------------------------------------------------------------

TQorColorCubePanel::TQorColorCubePanel(TComponent* AOwner) : TQorCustomColorSelectorPanel(AOwner)
{
    Initialize();
    SetShowHint(true);
}

void TQorColorCubePanel::Initialize()
{
    FCubeSize = TPoint(6, 3);
    int N = 0;
    for (int Row = 1; Row <= CubeRows; ++Row) {
        const int FirstX = Row <= 7 ? 55 - FCubeSize.X * (Row - 1) : FCubeSize.X * (Row - 7) + 19;
        for (int K = 0; K < RowCells[Row - 1]; ++K, ++N)
            FCubeCells[size_t(N)] = {TPoint(FirstX + 2 * FCubeSize.X * K, FirstRowY + RowSpacing * (Row - 1)),
                                     TColor(CubeColors[N])};
    }
}

void TQorColorCubePanel::DrawHexagon(TCanvas* Canvas, const TPoint& P, int X, int Y)
{
    const TPoint Points[] = {{P.X - X, P.Y - Y}, {P.X, P.Y - 2 * Y}, {P.X + X, P.Y - Y},
                             {P.X + X, P.Y + Y}, {P.X, P.Y + 2 * Y}, {P.X - X, P.Y + Y}};
    Canvas->Polygon(Points, 6);
}

void TQorColorCubePanel::DrawColorCube(int Index)
{
    if (!ValidCell(Index) || !HandleAllocated()) return;
    TCanvas* C = GetCanvas();
    C->GetPen()->SetColor(Cell(Index).Color);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Cell(Index).Color);
    DrawHexagon(C, Cell(Index).P, FCubeSize.X, FCubeSize.Y);
    if (Index == FHotIndex) DrawHotBorder();
    if (Index == FSelectedIndex) DrawSelectedBorder();
}

void TQorColorCubePanel::DrawAllColorCube()
{
    for (int I = 1; I <= CellCount; ++I) DrawColorCube(I);
}

void TQorColorCubePanel::DrawBorder(int Index, TColor Outer)
{
    if (!ValidCell(Index) || !HandleAllocated()) return;
    TCanvas* C = GetCanvas();
    C->GetBrush()->SetStyle(bsClear);
    C->GetPen()->SetColor(Outer);
    DrawHexagon(C, Cell(Index).P, FCubeSize.X - 1, FCubeSize.Y);
    C->GetPen()->SetColor(clWhite);
    DrawHexagon(C, Cell(Index).P, FCubeSize.X - 2, FCubeSize.Y - 1);
}

void TQorColorCubePanel::DrawHotBorder()
{
    DrawBorder(FHotIndex, HotBorderColor);
}

void TQorColorCubePanel::DrawSelectedBorder()
{
    DrawBorder(FSelectedIndex, SelectedBorderColor);
}

bool TQorColorCubePanel::PtInCell(int Index, const TPoint& P)
{
    if (!ValidCell(Index)) return false;
    const int DX = P.X - Cell(Index).P.X, DY = P.Y - Cell(Index).P.Y;
    return DX * DX + DY * DY <= FCubeSize.X * FCubeSize.X;
}

int TQorColorCubePanel::IndexOfCellAt(int X, int Y)
{
    for (int I = 1; I <= CellCount; ++I)
        if (PtInCell(I, TPoint(X, Y))) return I;
    return -1;
}

void TQorColorCubePanel::SetSelectedIndexAndColor(TColor Clr, int Index)
{
    FSelectedColor = Clr;
    if (ValidCell(Index)) {
        FSelectedIndex = Index;
        return;
    }
    FSelectedIndex = -1;
    for (int I = 1; I <= CellCount; ++I)
        if (Cell(I).Color == Clr) {
            FSelectedIndex = I;
            return;
        }
}

void TQorColorCubePanel::SetItemsPosition()
{
    FHotIndex = -1;
    SetPanelSize();
}

void TQorColorCubePanel::SetPanelSize()
{
    SetBounds(GetLeft(), GetTop(), 182, 160);
}

void TQorColorCubePanel::SetShowRGBHint(bool Value)
{
    FShowRGBHint = Value;
    SetShowHint(Value);
}

TColor TQorColorCubePanel::GetCubeCellColor(int i) const
{
    return ValidCell(i) ? FCubeCells[size_t(i - 1)].Color : clNone;
}

void TQorColorCubePanel::SetCubeCellColor(int i, TColor Value)
{
    if (ValidCell(i)) Cell(i).Color = Value;
}

void TQorColorCubePanel::Paint()
{
    inherited::Paint();
    DrawAllColorCube();
}

void TQorColorCubePanel::UpdateHint(int Index)
{
    if (!FShowRGBHint) return;
    if (ValidCell(Index)) {
        const TColor C = ColorToRGB(Cell(Index).Color);
        SetHint(Format(RGBHintFormat, {int(GetRValue(C)), int(GetGValue(C)), int(GetBValue(C))}));
    } else {
        SetHint(L"");
    }
    if (Application) Application->CancelHint();
}

void TQorColorCubePanel::MouseMove(TShiftState Shift, int X, int Y)
{
    inherited::MouseMove(Shift, X, Y);
    const int Index = IndexOfCellAt(X, Y);
    if (Index < 0) {
        if (!GetHint().empty()) UpdateHint(-1);
        return;
    }
    if (Index == FHotIndex) return;
    const int Old = FHotIndex;
    FHotIndex = Index;
    DrawColorCube(Old);
    DrawColorCube(Index);
    UpdateHint(Index);
}

void TQorColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    inherited::MouseDown(Button, Shift, X, Y);
    const int Index = IndexOfCellAt(X, Y);
    if (Index < 0) return;
    const int Old = FSelectedIndex;
    SetSelectedIndexAndColor(Cell(Index).Color, Index);
    DrawColorCube(Old);
    DrawColorCube(Index);
    if (OnSelect) OnSelect(this);
}

// ---- spectrum -----------------------------------------------------------------------------------

TQorColorSpectrumPanel::TQorColorSpectrumPanel(TComponent* AOwner)
    : TQorCustomColorSelectorPanel(AOwner), FSpectrumImage(Create<TImage>(this))
{
    HINSTANCE Module = GetModuleHandleW(nullptr);
    FSpectrumImage->GetPicture()->GetBitmap()->LoadFromResourceName(Module, SpectrumResource);
    HCURSOR Pointer = LoadCursorW(Module, PointerResource);
    if (!Pointer) throw EResNotFound(Consts::SResNotFound, {String(PointerResource)});
    Screen->SetCursors(crJOQPointer, Pointer);
    FSpectrumImage->SetBounds(0, 0, SpectrumSize, SpectrumSize);
    FSpectrumImage->SetCursor(crJOQPointer);
    FSpectrumImage->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        SpectrumImageMouseDown(Sender, Button, Shift, X, Y);
    };
    FSpectrumImage->OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) {
        SpectrumImageMouseMove(Sender, Shift, X, Y);
    };
    FSpectrumImage->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        SpectrumImageMouseUp(Sender, Button, Shift, X, Y);
    };
    FSpectrumImage->SetParent(this);
}

TQorColorSpectrumPanel::~TQorColorSpectrumPanel() = default;

void TQorColorSpectrumPanel::SetPanelSize()
{
    SetBounds(GetLeft(), GetTop(), SpectrumPanelWidth, SpectrumPanelHeight);
}

void TQorColorSpectrumPanel::SetItemsPosition()
{
    SetPanelSize();
    const int Left = (SpectrumPanelWidth - SpectrumSize) / 2;
    FSpectrumImage->SetBounds(Left, SpectrumTop, SpectrumSize, SpectrumSize);
    const int Right = Left + SpectrumSize, Bottom = SpectrumTop + SpectrumSize;
    FSelectedRect = TRect(Left - 1, Bottom + 8, Left + 64 - 2, Bottom + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, Bottom + 8, Right + 1, Bottom + 28);
    FHotColor = clNone;
    Invalidate();
}

void TQorColorSpectrumPanel::SetSelectedColor(TColor Value)
{
    if (FSelectedColor != Value) FSelectedColor = Value;
}

TColor TQorColorSpectrumPanel::SpectrumColorAt(int X, int Y) const
{
    auto* Bitmap = dynamic_cast<TBitmap*>(FSpectrumImage->GetPicture()->GetGraphic());
    if (!Bitmap || X < 0 || Y < 0 || X >= Bitmap->GetWidth() || Y >= Bitmap->GetHeight()) return clNone;
    return Bitmap->GetCanvas()->GetPixels(X, Y);
}

void TQorColorSpectrumPanel::DrawSampleBox(const TRect& R, TColor Color)
{
    if (!HandleAllocated()) return;
    TCanvas* C = GetCanvas();
    C->GetBrush()->SetStyle(bsClear);
    C->GetPen()->SetColor(FrameGrey);
    C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    // A box without a colour shows the panel through it.
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(Color == clNone ? GetColor() : Color);
    C->GetPen()->SetColor(clWhite);
    C->Rectangle(R);
}

void TQorColorSpectrumPanel::DrawHotRect()
{
    DrawSampleBox(FHotRect, FHotColor);
}

void TQorColorSpectrumPanel::DrawSelectedRect()
{
    DrawSampleBox(FSelectedRect, FSelectedColor);
}

void TQorColorSpectrumPanel::Paint()
{
    inherited::Paint();
    TCanvas* C = GetCanvas();
    const TRect P = FSpectrumImage->GetBoundsRect();
    C->GetBrush()->SetStyle(bsClear);
    C->GetPen()->SetColor(clWhite);
    C->Rectangle(P.Left - 1, P.Top - 1, P.Right + 1, P.Bottom + 1);
    C->GetPen()->SetColor(FrameGrey);
    C->Rectangle(P.Left - 2, P.Top - 2, P.Right + 2, P.Bottom + 2);
    DrawSelectedRect();
    DrawHotRect();
}

void TQorColorSpectrumPanel::SpectrumImageMouseMove(TObject*, TShiftState, int X, int Y)
{
    FHotColor = SpectrumColorAt(X, Y);
    DrawHotRect();
}

void TQorColorSpectrumPanel::SpectrumImageMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    // The press point's colour, also when the pointer has not moved over the picture before.
    FHotColor = SpectrumColorAt(X, Y);
    DrawHotRect();
    SetSelectedColor(FHotColor);
    DrawSelectedRect();
    if (OnSelect) OnSelect(this);
}

void TQorColorSpectrumPanel::SpectrumImageMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    if (OnShouldHide) OnShouldHide(this);
}
