// bench/imagepicker_bench.cpp: the image picker drop-down on a folder of 1,000 pictures (64 x 64,
// half PNG, half JPEG), each figure against a baseline measured in the same run:
//
//   load     AddImagesFromFolder vs decoding the same files with the GDI+ layer alone
//   open     opening (and closing) the popup on the 1,000 pictures vs on 1,000 caption-only
//            entries
//   paint    painting the open list, and again after a page scroll, vs drawing the visible
//            cells alone into a bitmap; and, for scale, a repaint of an empty list's window
#include "framework/Forms.h"
#include "framework/Jpeg.h"
#include "framework/PngImage.h"
#include "framework/SysUtils.h"
#include "graphics/QorGDIP.h"
#include "pickers/QorImagePickerDropDown.h"

#include "BenchTiming.h"

#include <vector>

namespace {

constexpr int PictureCount = 1000;

void Pump()
{
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&M);
        DispatchMessageW(&M);
    }
}

void WriteBytes(const String& Name, const std::vector<Byte>& B)
{
    std::unique_ptr<TFileStream> F(Create<TFileStream>(Name, fmCreate));
    F->WriteBuffer(B.data(), NativeInt(B.size()));
}

// 1,000 pictures of 64 x 64 with a pattern of their own, half PNG and half JPEG.
String MakeFolder(std::vector<String>& Files)
{
    const String Dir = GetTempDirectory() + L"imagepicker_bench_" + IntToStr(Int64(GetCurrentProcessId())) + L"\\";
    ForceDirectories(Dir);
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(64, 64);
    for (int I = 0; I < PictureCount; ++I) {
        TCanvas* C = B.GetCanvas();
        C->GetBrush()->SetColor(TColor((I * 2654435761u) & 0xFFFFFF));
        C->FillRect(TRect(0, 0, 64, 64));
        C->GetBrush()->SetColor(TColor((I * 40503u) & 0xFFFFFF));
        C->Ellipse(8 + I % 16, 8, 56, 56 - I % 16);
        String Name = Dir + L"pic" + IntToStr(I);
        if (I % 2) {
            Name += L".jpg";
            WriteBytes(Name, EncodeJpeg(&B, 90));
        } else {
            Name += L".png";
            GdiFlush();
            std::vector<Byte> Px(64 * 64 * 4);
            for (int Y = 0; Y < 64; ++Y) {
                const Byte* Row = static_cast<const Byte*>(B.ScanLine(Y));
                for (int X = 0; X < 64; ++X) {
                    Px[size_t(Y * 64 + X) * 4 + 0] = Row[X * 3 + 0];
                    Px[size_t(Y * 64 + X) * 4 + 1] = Row[X * 3 + 1];
                    Px[size_t(Y * 64 + X) * 4 + 2] = Row[X * 3 + 2];
                    Px[size_t(Y * 64 + X) * 4 + 3] = 255;
                }
            }
            WriteBytes(Name, EncodePng(Px.data(), 64, 64, 64 * 4, false));
        }
        Files.push_back(Name);
    }
    return Dir;
}

void RemoveFolder(const String& Dir, const std::vector<String>& Files)
{
    for (const String& F : Files) DeleteFile(F);
    RemoveDir(Dir);
}

// Every file decoded by GDI+ and drawn once into a small bitmap (GDI+ may decode lazily).
void DecodeWithGdiPlus(const std::vector<String>& Files)
{
    TGPBitmap Target(64, 64);
    TGPGraphics G(&Target);
    for (const String& F : Files) {
        TGPImage Img(F);
        G.DrawImage(&Img, TGPRectF{0, 0, 64, 64});
    }
}

double OpenClose(TQorImagePickerDropDown* P, int Rounds)
{
    return TimeIt([&] {
        for (int I = 0; I < Rounds; ++I) {
            P->ShowDropDown();
            Pump();
            P->HideDropDown(true);
            Pump();
        }
    });
}

void Redraw(TWinControl* C)
{
    RedrawWindow(C->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The cells the panel shows, drawn into a bitmap of the panel's size.
void DrawVisibleCells(TCustomItemSelector* Panel, TBitmap& Target)
{
    const TPoint Off = Panel->GetScrollOffset();
    TCanvas* C = Target.GetCanvas();
    SetWindowOrgEx(C->GetHandle(), Off.X, Off.Y, nullptr);
    const TRect View(Off.X, Off.Y, Off.X + Panel->GetWidth(), Off.Y + Panel->GetHeight());
    const int N = Panel->GetQorItemSelector()->GetItems()->GetCount();
    for (int I = 0; I < N; ++I) {
        const TRect R = Panel->GetItemRect(I);
        if (R.Bottom > View.Top && R.Top < View.Bottom) Panel->DrawItem(I, C);
    }
    SetWindowOrgEx(C->GetHandle(), 0, 0, nullptr);
}

}  // namespace

int main()
{
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(50, 50, 500, 400);
    Form->Show();
    Pump();

    std::vector<String> Files;
    const String Dir = MakeFolder(Files);

    const double GdiPlus = TimeIt([&] { DecodeWithGdiPlus(Files); });
    auto* Pictures = Create<TQorImagePickerDropDown>(Form);
    Pictures->SetBounds(10, 10, 200, 24);
    Pictures->SetParent(Form);
    Pictures->SetDropDownHeight(300);
    const double Load = TimeIt([&] {
        Pictures->GetItems()->Clear();
        Pictures->AddImagesFromFolder(Dir + L"*.*", true);
    });
    Report("AddImagesFromFolder (1,000)", Load, GdiPlus);

    auto* Captions = Create<TQorImagePickerDropDown>(Form);
    Captions->SetBounds(250, 10, 200, 24);
    Captions->SetParent(Form);
    Captions->SetDropDownHeight(300);
    for (int I = 0; I < PictureCount; ++I) Captions->GetItems()->Add()->SetCaption(L"pic" + IntToStr(I) + L".png");
    const double OpenCaptions = OpenClose(Captions, 5);
    const double OpenPictures = OpenClose(Pictures, 5);
    Report("open popup, 1,000 pictures (x5)", OpenPictures, OpenCaptions);

    Pictures->ShowDropDown();
    Pump();
    TQorCustomItemSelector* List = Pictures->GetItemSelector();
    TCustomItemSelector* Panel = List->GetSelectorPanel();
    TBitmap Target;
    Target.SetPixelFormat(pf32bit);
    Target.SetSize(Panel->GetWidth(), Panel->GetHeight());
    const double Cells = TimeIt([&] {
        for (int I = 0; I < 50; ++I) DrawVisibleCells(Panel, Target);
    });
    const double Paint = TimeIt([&] {
        for (int I = 0; I < 50; ++I) Redraw(Panel);
    });
    Report("paint open list (x50)", Paint, Cells);
    List->GetVertScrollBar()->SetPosition(List->GetVertScrollBar()->GetPosition() + List->GetClientHeight());
    Pump();
    const double CellsScrolled = TimeIt([&] {
        for (int I = 0; I < 50; ++I) DrawVisibleCells(Panel, Target);
    });
    const double PaintScrolled = TimeIt([&] {
        for (int I = 0; I < 50; ++I) Redraw(Panel);
    });
    Report("paint after a page scroll (x50)", PaintScrolled, CellsScrolled);
    Pictures->HideDropDown(true);
    Pump();

    // What a repaint of a window costs here without any cell: the same redraw of an empty list
    // of the same size, against the same cell drawing.
    auto* Empty = Create<TQorImagePickerDropDown>(Form);
    Empty->SetParent(Form);
    Empty->SetDropDownWidth(Pictures->GetDropDownForm()->GetWidth());
    Empty->SetDropDownHeight(Pictures->GetDropDownForm()->GetHeight());
    Empty->ShowDropDown();
    Pump();
    TCustomItemSelector* EmptyPanel = Empty->GetItemSelector()->GetSelectorPanel();
    EmptyPanel->SetBounds(0, 0, Panel->GetWidth(), Panel->GetHeight());
    const double Bare = TimeIt([&] {
        for (int I = 0; I < 50; ++I) Redraw(EmptyPanel);
    });
    Report("repaint without cells (x50)", Bare, CellsScrolled);
    Empty->HideDropDown(true);
    Pump();

    Form->Free();
    RemoveFolder(Dir, Files);
    return 0;
}
