// ImgList: image lists over the common controls' image list.
#pragma once

#include "Graphics.h"

#include <commctrl.h>

#include <vector>

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };
enum TResType { rtBitmap, rtCursor, rtIcon };
enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };

class TCustomImageList;

// Tells a user of an image list (a control showing its images) that the list changed.
class TChangeLink : public TObject {
    DECLARE_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TCustomImageList* GetSender() const { return FSender; }
    void SetSender(TCustomImageList* Value) { FSender = Value; }
    virtual void Change();
    TNotifyEvent OnChange;

private:
    TCustomImageList* FSender = nullptr;
};

// A list of images of one size, drawn with their masks. The handle is made on demand; changing
// the size, colour depth or masking empties the list.
class TCustomImageList : public TComponent {
    DECLARE_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* AOwner);
    TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
    ~TCustomImageList() override;
    void Assign(TPersistent* Source) override;

    HIMAGELIST GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    void SetSize(int AWidth, int AHeight);
    int GetCount();
    bool GetMasked() const { return FMasked; }
    void SetMasked(bool Value);
    TColorDepth GetColorDepth() const { return FColorDepth; }
    void SetColorDepth(TColorDepth Value);
    TColor GetBkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    TColor GetBlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor Value) { FBlendColor = Value; }
    TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    TImageType GetImageType() const { return FImageType; }
    void SetImageType(TImageType Value);

    // Each adds as many images as the bitmap is wide (in multiples of Width) and answers the
    // index of the first; a failure raises EInvalidOperation. The bitmaps given stay unchanged.
    int Add(TBitmap* Image, TBitmap* Mask);
    int AddMasked(TBitmap* Image, TColor MaskColor);
    int AddIcon(TIcon* Image);
    void AddImages(TCustomImageList* Value);
    void Insert(int Index, TBitmap* Image, TBitmap* Mask);
    void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
    void InsertIcon(int Index, TIcon* Image);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
    void ReplaceIcon(int Index, TIcon* Image);
    void Delete(int Index);
    void Move(int CurIndex, int NewIndex);
    void Clear();

    // Draws the image; a disabled image is drawn greyed. An index outside the list draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
              TImageType AImageType, bool Enabled = true);
    // The image drawn on a bitmap of the list's size; false for an index outside the list.
    bool GetBitmap(int Index, TBitmap* Image);
    void GetIcon(int Index, TIcon* Image);

    // Images from a module's resources: a bitmap strip (masked by MaskColor, clDefault for the
    // bottom-left pixel) or an icon at the list's size.
    bool ResInstLoad(HINSTANCE Instance, TResType ResType, const String& Name, TColor MaskColor);
    bool ResourceLoad(TResType ResType, const String& Name, TColor MaskColor);

    static void RegisterProperties(TPropertyTable& Table);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);

private:
    void CheckIndex(int Index, bool AllowEnd = false);
    void MoveImage(int CurIndex, int NewIndex);
    void FreeHandle();
    void Recreate();
    UINT CreateFlags() const;
    HBITMAP MaskedCopy(TBitmap* Image, TColor MaskColor, COLORREF& Key);

    HIMAGELIST FHandle = nullptr;
    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TColorDepth FColorDepth = cdDeviceDependent;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    TImageType FImageType = itImage;
    int FUpdateCount = 0;
    bool FChanged = false;
    std::vector<TChangeLink*> FClients;
};

class TImageList : public TCustomImageList {
    DECLARE_CLASS(TImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
};
