#include "grid/paint/CellGraphic.h"

#include "framework/TypInfo.h"

#include <atomic>

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
    // A balloon attached to a check box, radio button or icon lives in FCellBitmap.
    const bool HasBalloon = FCellAngle == 1 && FCellBitmap;
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
        if (HasBalloon) FreeObject(FCellBitmap);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        if (HasBalloon) FreeObject(FCellBitmap);
        break;
    default:
        break;
    }
    --LiveGraphics;
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
