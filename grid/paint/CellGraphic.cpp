#include "grid/paint/CellGraphic.h"

#include "framework/TypInfo.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

std::atomic<int> LiveGraphics{0};

void FreeObject(TObject*& Obj)
{
    TObject* Tmp = Obj;
    Obj = nullptr;
    if (Tmp) Tmp->Free();
}

}  // namespace

TBaseCellGraphic::TBaseCellGraphic()
{
    ++LiveGraphics;
}

TBaseCellGraphic::~TBaseCellGraphic()
{
    ReleaseObjects();
    --LiveGraphics;
}

void TBaseCellGraphic::ReleaseObjects()
{
    switch (FCellType) {
    case ctImages:
    case ctBalloon:
        FreeObject(FCellBitmap);
        break;
    case ctPicture:
    case ctFilePicture:
    case ctRadio:
    case ctBitmap:
    case ctBitButton:
        if (FCellCreated) FreeObject(FCellBitmap);
        break;
    case ctIcon:
        if (FCellCreated) FreeObject(FCellIcon);
        if (FCellBalloon) FreeObject(FCellBitmap);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        if (FCellBalloon) FreeObject(FCellBitmap);
        break;
    default:
        break;
    }
    FCellCreated = false;
    FCellBalloon = false;
}

int TBaseCellGraphic::LiveCount()
{
    return LiveGraphics;
}

void TBaseCellGraphic::Assign(TPersistent* Source)
{
    auto* Src = dyn<TBaseCellGraphic>(Source);
    if (!Src) return;
    FCellType = Src->FCellType;
    FCellHAlign = Src->FCellHAlign;
    FCellVAlign = Src->FCellVAlign;
    FCellIndex = Src->FCellIndex;
    FCellTransparent = Src->FCellTransparent;
    FCellValue = Src->FCellValue;
    FCellAngle = Src->FCellAngle;
    FCellBoolean = Src->FCellBoolean;
    FCellErrFrom = Src->FCellErrFrom;
    FCellErrLen = Src->FCellErrLen;
    FCellText = Src->FCellText;
    FCellBitmapColor = Src->FCellBitmapColor;
    FCellIconColor = Src->FCellIconColor;
}

// ---- Filling the record as one kind ------------------------------------------------------------------

namespace {

void Place(TBaseCellGraphic& G, TCellType Kind, TCellHAlign hal, TCellVAlign val)
{
    G.FCellType = Kind;
    G.FCellHAlign = hal;
    G.FCellVAlign = val;
}

}  // namespace

void TBaseCellGraphic::SetInterfacedCell(TInterfacedPersistent* AObject)
{
    FCellType = ctInterface;
    FCellBitmap = AObject;
}

void TBaseCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctBitmap, hal, val);
    FCellBitmap = ABmp;
    FCellTransparent = Transparent;
}

void TBaseCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctIcon, hal, val);
    FCellIcon = AIcon;
}

void TBaseCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctPicture, hal, val);
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellAngle = int(StretchMode);
    FCellIndex = padding;
}

void TBaseCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                                      int padding, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctFilePicture, hal, val);
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellAngle = int(StretchMode);
    FCellIndex = padding;
}

void TBaseCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, Data ? ctDataCheckBox : ctCheckBox, hal, val);
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
}

void TBaseCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctTriStateCheckBox, hal, val);
    FCellCheckBoxState = Value;
    FCellBoolean = false;
    FCellTransparent = Flat;
}

void TBaseCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val, Byte Group)
{
    Place(*this, ctRadioButton, hal, val);
    FCellAngle = Group;
    FCellBoolean = Value;
    FCellTransparent = Flat;
}

void TBaseCellGraphic::SetButton(int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctButton, hal, val);
    FCellIndex = int((unsigned(bh) << 16) | (unsigned(bw) & 0xFFFFu));
    FCellBoolean = false;
    FCellText = Caption;
}

void TBaseCellGraphic::SetBitButton(int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                                    TCellVAlign val)
{
    SetButton(bw, bh, Caption, hal, val);
    FCellType = ctBitButton;
    FCellBitmap = Glyph;
}

void TBaseCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctImageList, hal, val);
    FCellIndex = idx;
}

void TBaseCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctDataImage, hal, val);
    FCellIndex = idx;
}

void TBaseCellGraphic::SetDataPicture(TCellHAlign hal, TCellVAlign val)
{
    Place(*this, ctDataPicture, hal, val);
}

void TBaseCellGraphic::SetMultiImage(int Col, int Row, int Dir, TCellHAlign hal, TCellVAlign val,
                                     TImageChangeEvent Notifier)
{
    Place(*this, ctImages, hal, val);
    FCellBoolean = Dir == 0;
    auto* List = Create<TIntList>(Col, Row);
    List->OnChange = std::move(Notifier);
    FCellBitmap = List;
    FCellCreated = true;
}

void TBaseCellGraphic::SetAngle(int AAngle)
{
    FCellType = ctRotated;
    // Whole turns at once, so that no angle takes long to bring into range: above 360 lands in
    // 1..360 (720 stays 360), below 0 in 0..359 (-360 becomes 0).
    if (AAngle > 360) AAngle = (AAngle - 1) % 360 + 1;
    if (AAngle < 0) AAngle %= 360;
    if (AAngle < 0) AAngle += 360;
    FCellAngle = AAngle;
}

TPoint TBaseCellGraphic::GetPictureSize(int cw, int rh, bool, TGraphic* Graph, TPoint Result)
{
    int pw = 0, ph = 0;
    if (FCellType == ctPicture && FCellBitmap) {
        auto* P = static_cast<TPicture*>(FCellBitmap);
        pw = P->GetWidth();
        ph = P->GetHeight();
    } else if (FCellType == ctFilePicture && FCellBitmap) {
        auto* P = static_cast<TFilePicture*>(FCellBitmap);
        pw = P->GetWidth();
        ph = P->GetHeight();
    } else if (Graph && FCellType != ctPicture && FCellType != ctFilePicture) {
        pw = Graph->GetWidth();
        ph = Graph->GetHeight();
    } else {
        return Result;
    }
    cw -= FCellIndex;
    rh -= FCellIndex;
    auto Aspect = [&](bool Limit) {
        double fx = pw > 0 ? double(cw) / pw : 1.0;
        double fy = ph > 0 ? double(rh) / ph : 1.0;
        if (Limit) {
            fx = std::min(fx, 1.0);
            fy = std::min(fy, 1.0);
        }
        if (fy > fx) return TPoint(cw, int(std::nearbyint(ph * fx)));
        return TPoint(int(std::nearbyint(pw * fy)), rh);
    };
    const bool TooBig = pw > cw || ph > rh;
    switch (TStretchMode(FCellAngle)) {
    case Stretch: return TPoint(cw, rh);
    case Shrink: return TooBig ? TPoint(cw, rh) : TPoint(pw, ph);
    case StretchWithAspectRatio: return Aspect(false);
    case ShrinkWithAspectRatio: return TooBig ? Aspect(true) : TPoint(pw, ph);
    default: return TPoint(pw, ph);
    }
}

void TBaseCellGraphic::RegisterProperties(TPropertyTable& Table)
{
    Table.AddField(L"CellType", &TBaseCellGraphic::FCellType);
    Table.AddField(L"CellVAlign", &TBaseCellGraphic::FCellVAlign);
    Table.AddField(L"CellHAlign", &TBaseCellGraphic::FCellHAlign);
    Table.AddField(L"CellIndex", &TBaseCellGraphic::FCellIndex);
    Table.AddField(L"CellTransparent", &TBaseCellGraphic::FCellTransparent);
    Table.AddField(L"CellCreated", &TBaseCellGraphic::FCellCreated);
    Table.AddField(L"CellBoolean", &TBaseCellGraphic::FCellBoolean);
    Table.AddField(L"CellCheckBoxState", &TBaseCellGraphic::FCellCheckBoxState);
    Table.AddField(L"CellAngle", &TBaseCellGraphic::FCellAngle);
    Table.AddField(L"CellValue", &TBaseCellGraphic::FCellValue);
    Table.AddField(L"CellErrFrom", &TBaseCellGraphic::FCellErrFrom);
    Table.AddField(L"CellErrLen", &TBaseCellGraphic::FCellErrLen);
    Table.AddField(L"CellText", &TBaseCellGraphic::FCellText);
}

void TCellGraphic::Assign(TPersistent* Source)
{
    inherited::Assign(Source);
    if (auto* Src = dyn<TCellGraphic>(Source)) {
        FCommentColor = Src->FCommentColor;
        FCellComment = Src->FCellComment;
    }
}

void TCellGraphic::RegisterProperties(TPropertyTable& Table)
{
    Table.AddField(L"CellComment", &TCellGraphic::FCellComment);
    // A colour field: written by name when the colour has one.
    TPropInfo& Color = Table.AddField(L"CommentColor", &TCellGraphic::FCommentColor);
    Color.Kind = TPropKind::Color;
    Color.TypeName = L"TColor";
    Color.Idents = [] { return FindIdentTable(L"TColor"); };
}
