// Graphics: published properties, identifier tables and class registration for stored
// descriptions.
#include "Graphics.h"
#include "ImgList.h"
#include "Jpeg.h"
#include "PngImage.h"
#include "Streaming.h"

void TFont::RegisterProperties(TPropertyTable& Table)
{
    Table.AddEnum(L"Charset", &TFont::GetCharset, &TFont::SetCharset, L"TFontCharset");
    Table.AddColor(L"Color", &TFont::GetColor, &TFont::SetColor);
    Table.Add(L"Height", &TFont::GetHeight, &TFont::SetHeight);
    Table.Add(L"Name", &TFont::GetName, &TFont::SetName);
    Table.Add(L"Orientation", &TFont::GetOrientation, &TFont::SetOrientation, 0);
    Table.Add(L"Pitch", &TFont::GetPitch, &TFont::SetPitch, fpDefault);
    Table.Add(L"Size", &TFont::GetSize, &TFont::SetSize).Stored(false);   // Height is stored
    Table.Add(L"Style", &TFont::GetStyle, &TFont::SetStyle);
    Table.Add(L"Quality", &TFont::GetQuality, &TFont::SetQuality, fqDefault);
}

void TPen::RegisterProperties(TPropertyTable& Table)
{
    Table.AddColor(L"Color", &TPen::GetColor, &TPen::SetColor, clBlack);
    Table.Add(L"Mode", &TPen::GetMode, &TPen::SetMode, pmCopy);
    Table.Add(L"Style", &TPen::GetStyle, &TPen::SetStyle, psSolid);
    Table.Add(L"Width", &TPen::GetWidth, &TPen::SetWidth, 1);
}

void TBrush::RegisterProperties(TPropertyTable& Table)
{
    Table.AddColor(L"Color", &TBrush::GetColor, &TBrush::SetColor, clWhite);
    Table.Add(L"Style", &TBrush::GetStyle, &TBrush::SetStyle, bsSolid);
}

void TCustomImageList::RegisterProperties(TPropertyTable& Table)
{
    Table.AddColor(L"BkColor", &TCustomImageList::GetBkColor, &TCustomImageList::SetBkColor, clNone);
    Table.AddColor(L"BlendColor", &TCustomImageList::GetBlendColor, &TCustomImageList::SetBlendColor, clNone);
    Table.Add(L"ColorDepth", &TCustomImageList::GetColorDepth, &TCustomImageList::SetColorDepth, cdDeviceDependent);
    Table.Add(L"DrawingStyle", &TCustomImageList::GetDrawingStyle, &TCustomImageList::SetDrawingStyle, dsNormal);
    Table.Add(L"Height", &TCustomImageList::GetHeight, &TCustomImageList::SetHeight, 16);
    Table.Add(L"ImageType", &TCustomImageList::GetImageType, &TCustomImageList::SetImageType, itImage);
    Table.Add(L"Masked", &TCustomImageList::GetMasked, &TCustomImageList::SetMasked, true);
    Table.Add(L"Width", &TCustomImageList::GetWidth, &TCustomImageList::SetWidth, 16);
    Table.AddEvent(L"OnChange", &TCustomImageList::OnChange);
}

void TGraphic::DefineProperties(TFiler* Filer)
{
    Filer->DefineBinaryProperty(
        L"Data", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); },
        !GetEmpty());
}

void TPicture::DefineProperties(TFiler* Filer)
{
    Filer->DefineBinaryProperty(
        L"Data", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); },
        FGraphic != nullptr);
}

namespace {

void RegisterIdentTables()
{
    TIdentTable Colors;
    GetColorValues([&](const String& Name) {
        TColor C;
        if (IdentToColor(Name, C)) Colors.Add(C, Name);
    });
    // Aliases (clLtGray, clDkGray) are read, never written.
    Colors.IdentToValueProc = [](const String& Ident, Int64& Value) {
        TColor C;
        if (!IdentToColor(Ident, C)) return false;
        Value = C;
        return true;
    };
    RegisterIdentTable(L"TColor", std::move(Colors));

    RegisterIdentTable(L"TFontCharset",
                       TIdentTable{{ANSI_CHARSET, L"ANSI_CHARSET"}, {DEFAULT_CHARSET, L"DEFAULT_CHARSET"},
                                   {SYMBOL_CHARSET, L"SYMBOL_CHARSET"}, {MAC_CHARSET, L"MAC_CHARSET"},
                                   {SHIFTJIS_CHARSET, L"SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, L"HANGEUL_CHARSET"},
                                   {JOHAB_CHARSET, L"JOHAB_CHARSET"}, {GB2312_CHARSET, L"GB2312_CHARSET"},
                                   {CHINESEBIG5_CHARSET, L"CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, L"GREEK_CHARSET"},
                                   {TURKISH_CHARSET, L"TURKISH_CHARSET"}, {VIETNAMESE_CHARSET, L"VIETNAMESE_CHARSET"},
                                   {HEBREW_CHARSET, L"HEBREW_CHARSET"}, {ARABIC_CHARSET, L"ARABIC_CHARSET"},
                                   {BALTIC_CHARSET, L"BALTIC_CHARSET"}, {RUSSIAN_CHARSET, L"RUSSIAN_CHARSET"},
                                   {THAI_CHARSET, L"THAI_CHARSET"}, {EASTEUROPE_CHARSET, L"EASTEUROPE_CHARSET"},
                                   {OEM_CHARSET, L"OEM_CHARSET"}});

    RegisterEnumIdents<TFontStyle>(L"TFontStyle", {{fsBold, L"fsBold"}, {fsItalic, L"fsItalic"},
                                                   {fsUnderline, L"fsUnderline"}, {fsStrikeOut, L"fsStrikeOut"}});
    RegisterEnumIdents<TFontPitch>(L"TFontPitch", {{fpDefault, L"fpDefault"}, {fpVariable, L"fpVariable"},
                                                   {fpFixed, L"fpFixed"}});
    RegisterEnumIdents<TFontQuality>(
        L"TFontQuality", {{fqDefault, L"fqDefault"}, {fqDraft, L"fqDraft"}, {fqProof, L"fqProof"},
                          {fqNonAntialiased, L"fqNonAntialiased"}, {fqAntialiased, L"fqAntialiased"},
                          {fqClearType, L"fqClearType"}, {fqClearTypeNatural, L"fqClearTypeNatural"}});
    RegisterEnumIdents<TPenStyle>(
        L"TPenStyle", {{psSolid, L"psSolid"}, {psDash, L"psDash"}, {psDot, L"psDot"}, {psDashDot, L"psDashDot"},
                       {psDashDotDot, L"psDashDotDot"}, {psClear, L"psClear"}, {psInsideFrame, L"psInsideFrame"},
                       {psUserStyle, L"psUserStyle"}, {psAlternate, L"psAlternate"}});
    RegisterEnumIdents<TPenMode>(
        L"TPenMode", {{pmBlack, L"pmBlack"}, {pmWhite, L"pmWhite"}, {pmNop, L"pmNop"}, {pmNot, L"pmNot"},
                      {pmCopy, L"pmCopy"}, {pmNotCopy, L"pmNotCopy"}, {pmMergePenNot, L"pmMergePenNot"},
                      {pmMaskPenNot, L"pmMaskPenNot"}, {pmMergeNotPen, L"pmMergeNotPen"},
                      {pmMaskNotPen, L"pmMaskNotPen"}, {pmMerge, L"pmMerge"}, {pmNotMerge, L"pmNotMerge"},
                      {pmMask, L"pmMask"}, {pmNotMask, L"pmNotMask"}, {pmXor, L"pmXor"}, {pmNotXor, L"pmNotXor"}});
    RegisterEnumIdents<TBrushStyle>(
        L"TBrushStyle", {{bsSolid, L"bsSolid"}, {bsClear, L"bsClear"}, {bsHorizontal, L"bsHorizontal"},
                         {bsVertical, L"bsVertical"}, {bsFDiagonal, L"bsFDiagonal"}, {bsBDiagonal, L"bsBDiagonal"},
                         {bsCross, L"bsCross"}, {bsDiagCross, L"bsDiagCross"}});
    RegisterEnumIdents<TPixelFormat>(
        L"TPixelFormat", {{pfDevice, L"pfDevice"}, {pf1bit, L"pf1bit"}, {pf4bit, L"pf4bit"}, {pf8bit, L"pf8bit"},
                          {pf15bit, L"pf15bit"}, {pf16bit, L"pf16bit"}, {pf24bit, L"pf24bit"},
                          {pf32bit, L"pf32bit"}, {pfCustom, L"pfCustom"}});
    RegisterEnumIdents<TTransparentMode>(L"TTransparentMode", {{tmAuto, L"tmAuto"}, {tmFixed, L"tmFixed"}});
    RegisterEnumIdents<TDrawingStyle>(L"TDrawingStyle", {{dsFocus, L"dsFocus"}, {dsSelected, L"dsSelected"},
                                                         {dsNormal, L"dsNormal"}, {dsTransparent, L"dsTransparent"}});
    RegisterEnumIdents<TImageType>(L"TImageType", {{itImage, L"itImage"}, {itMask, L"itMask"}});
    RegisterEnumIdents<TColorDepth>(
        L"TColorDepth", {{cdDeviceDependent, L"cdDeviceDependent"}, {cd4Bit, L"cd4Bit"}, {cd8Bit, L"cd8Bit"},
                         {cd16Bit, L"cd16Bit"}, {cd24Bit, L"cd24Bit"}, {cd32Bit, L"cd32Bit"}});
}

}  // namespace

void RegisterGraphicsClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterIdentTables();
    RegisterClassesQuietly<TFont, TPen, TBrush, TPicture, TBitmap, TIcon, TPngImage, TJPEGImage,
                           TImageList>();
}
