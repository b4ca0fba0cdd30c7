// ImgList: image lists.
#include "ImgList.h"

#include <algorithm>

// ---- TChangeLink ------------------------------------------------------------------------------

TChangeLink::~TChangeLink()
{
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange) OnChange(FSender);
}

// ---- TCustomImageList -------------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TComponent(AOwner), FWidth(std::max(AWidth, 1)), FHeight(std::max(AHeight, 1))
{
}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* L : FClients) L->SetSender(nullptr);
    FClients.clear();
    FreeHandle();
}

void TCustomImageList::FreeHandle()
{
    if (FHandle) ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

UINT TCustomImageList::CreateFlags() const
{
    static const UINT Depths[] = {ILC_COLOR32, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24,
                                  ILC_COLOR32};
    return Depths[FColorDepth] | (FMasked ? ILC_MASK : 0);
}

HIMAGELIST TCustomImageList::GetHandle()
{
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, CreateFlags(), 0, 4);
        if (!FHandle) throw EInvalidOperation(L"Unable to create the image list");
        ImageList_SetBkColor(FHandle, FBkColor == clNone ? CLR_NONE : COLORREF(ColorToRGB(FBkColor)));
    }
    return FHandle;
}

void TCustomImageList::Recreate()
{
    FreeHandle();
    Change();
}

void TCustomImageList::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 1);
    AHeight = std::max(AHeight, 1);
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    Recreate();
}

int TCustomImageList::GetCount()
{
    return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

void TCustomImageList::SetMasked(bool Value)
{
    if (Value == FMasked) return;
    FMasked = Value;
    Recreate();
}

void TCustomImageList::SetColorDepth(TColorDepth Value)
{
    if (Value == FColorDepth) return;
    FColorDepth = Value;
    Recreate();
}

void TCustomImageList::SetBkColor(TColor Value)
{
    FBkColor = Value;
    if (FHandle) ImageList_SetBkColor(FHandle, Value == clNone ? CLR_NONE : COLORREF(ColorToRGB(Value)));
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value)
{
    if (Value == FDrawingStyle) return;
    FDrawingStyle = Value;
    Change();
}

void TCustomImageList::SetImageType(TImageType Value)
{
    if (Value == FImageType) return;
    FImageType = Value;
    Change();
}

void TCustomImageList::Change()
{
    if (FUpdateCount > 0) {
        FChanged = true;
        return;
    }
    FChanged = false;
    for (TChangeLink* L : std::vector<TChangeLink*>(FClients)) L->Change();
    if (OnChange) OnChange(this);
}

void TCustomImageList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChanged) Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
    if (!Value) return;
    Value->SetSender(this);
    if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
    auto It = std::find(FClients.begin(), FClients.end(), Value);
    if (It == FClients.end()) return;
    (*It)->SetSender(nullptr);
    FClients.erase(It);
}

void TCustomImageList::CheckIndex(int Index, bool AllowEnd)
{
    int N = GetCount();
    if (Index < 0 || Index > N || (!AllowEnd && Index == N))
        throw EInvalidOperation(L"Image list index out of bounds (" + std::to_wstring(Index) + L")");
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->GetEmpty()) throw EInvalidOperation(Consts::SImageListInsert);
    HIMAGELIST H = GetHandle();
    int Result = ImageList_Add(H, Image->GetHandle(), Mask && !Mask->GetEmpty() ? Mask->GetHandle() : nullptr);
    if (Result < 0) throw EInvalidOperation(Consts::SImageListInsert);
    Change();
    return Result;
}

// A copy of the image for ImageList_AddMasked, which blackens the masked pixels of what it gets.
HBITMAP TCustomImageList::MaskedCopy(TBitmap* Image, TColor MaskColor, COLORREF& Key)
{
    if (!Image || Image->GetEmpty()) throw EInvalidOperation(Consts::SImageListInsert);
    TColor C = MaskColor == clDefault ? Image->GetCanvas()->GetPixels(0, Image->GetHeight() - 1)
                                      : ColorToRGB(MaskColor);
    Key = COLORREF(C) & 0xFFFFFF;
    std::unique_ptr<TBitmap> Copy(Create<TBitmap>());
    Copy->Assign(Image);
    if (Copy->GetPixelFormat() != pf24bit && Copy->GetPixelFormat() != pf32bit) Copy->SetPixelFormat(pf32bit);
    return Copy->ReleaseHandle();
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    COLORREF Key;
    int Result;
    {
        TGdiBitmap Copy(MaskedCopy(Image, MaskColor, Key));
        Result = ImageList_AddMasked(GetHandle(), Copy, Key);
    }
    if (Result < 0) throw EInvalidOperation(Consts::SImageListInsert);
    Change();
    return Result;
}

int TCustomImageList::AddIcon(TIcon* Image)
{
    if (!Image || !Image->GetHandle()) throw EInvalidOperation(Consts::SImageListInsert);
    int Result = ImageList_ReplaceIcon(GetHandle(), -1, Image->GetHandle());
    if (Result < 0) throw EInvalidOperation(Consts::SImageListInsert);
    Change();
    return Result;
}

void TCustomImageList::AddImages(TCustomImageList* Value)
{
    if (!Value || Value == this) return;
    BeginUpdate();
    for (int I = 0, N = Value->GetCount(); I < N; ++I) {
        HICON Icon = ImageList_GetIcon(Value->GetHandle(), I, ILD_NORMAL);
        if (!Icon) continue;
        ImageList_ReplaceIcon(GetHandle(), -1, Icon);
        DestroyIcon(Icon);
    }
    Change();
    EndUpdate();
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index, true);
    BeginUpdate();
    int Added = Add(Image, Mask);
    MoveImage(Added, Index);
    EndUpdate();
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor)
{
    CheckIndex(Index, true);
    BeginUpdate();
    int Added = AddMasked(Image, MaskColor);
    MoveImage(Added, Index);
    EndUpdate();
}

void TCustomImageList::InsertIcon(int Index, TIcon* Image)
{
    CheckIndex(Index, true);
    BeginUpdate();
    int Added = AddIcon(Image);
    MoveImage(Added, Index);
    EndUpdate();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index);
    if (!Image || Image->GetEmpty() ||
        !ImageList_Replace(FHandle, Index, Image->GetHandle(), Mask && !Mask->GetEmpty() ? Mask->GetHandle() : nullptr))
        throw EInvalidOperation(Consts::SImageListReplace);
    Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor)
{
    CheckIndex(Index);
    // Through a one-image list made with the mask colour, so the stored image gets its mask.
    COLORREF Key;
    TGdiBitmap Copy(MaskedCopy(NewImage, MaskColor, Key));
    HIMAGELIST Temp = ImageList_Create(FWidth, FHeight, CreateFlags() | ILC_MASK, 1, 1);
    int Added = Temp ? ImageList_AddMasked(Temp, Copy, Key) : -1;
    bool Ok = Added >= 0 && ImageList_Copy(FHandle, Index, Temp, 0, ILCF_MOVE);
    if (!Ok && Added >= 0) {
        HICON Icon = ImageList_GetIcon(Temp, 0, ILD_NORMAL);
        Ok = Icon && ImageList_ReplaceIcon(FHandle, Index, Icon) >= 0;
        if (Icon) DestroyIcon(Icon);
    }
    if (Temp) ImageList_Destroy(Temp);
    if (!Ok) throw EInvalidOperation(Consts::SImageListReplace);
    Change();
}

void TCustomImageList::ReplaceIcon(int Index, TIcon* Image)
{
    CheckIndex(Index);
    if (!Image || !Image->GetHandle() || ImageList_ReplaceIcon(FHandle, Index, Image->GetHandle()) < 0)
        throw EInvalidOperation(Consts::SImageListReplace);
    Change();
}

// Moves one image by taking every image out as an icon (colour and mask) and adding them back in
// the new order; swapping in place is not reliable on every platform version.
void TCustomImageList::MoveImage(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex || !FHandle) return;
    int N = GetCount();
    std::vector<HICON> Icons;
    for (int I = 0; I < N; ++I) Icons.push_back(ImageList_GetIcon(FHandle, I, ILD_NORMAL));
    if (std::find(Icons.begin(), Icons.end(), nullptr) != Icons.end()) {
        for (HICON Icon : Icons)
            if (Icon) DestroyIcon(Icon);
        throw EInvalidOperation(L"Unable to move the image");   // the list stays as it was
    }
    HICON Moving = Icons[size_t(CurIndex)];
    Icons.erase(Icons.begin() + CurIndex);
    Icons.insert(Icons.begin() + NewIndex, Moving);
    ImageList_RemoveAll(FHandle);
    for (HICON Icon : Icons) {
        ImageList_ReplaceIcon(FHandle, -1, Icon);
        if (Icon) DestroyIcon(Icon);
    }
}

void TCustomImageList::Delete(int Index)
{
    CheckIndex(Index);
    ImageList_Remove(FHandle, Index);
    Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    MoveImage(CurIndex, NewIndex);
    Change();
}

void TCustomImageList::Clear()
{
    if (FHandle) ImageList_RemoveAll(FHandle);
    Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled)
{
    if (!Canvas || !FHandle || Index < 0 || Index >= GetCount()) return;
    static const UINT Styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    UINT Style = Styles[ADrawingStyle];
    if (AImageType == itMask) Style |= ILD_MASK;
    DoDraw(Index, Canvas, X, Y, Style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled)
{
    HDC DC = Canvas->GetHandle();
    COLORREF Blend = FBlendColor == clNone ? CLR_DEFAULT : COLORREF(ColorToRGB(FBlendColor));
    if (Enabled) {
        ImageList_DrawEx(FHandle, Index, DC, X, Y, 0, 0, CLR_DEFAULT, Blend, Style);
        return;
    }
    // Greyed: the image's pixels turned to grey and lightened, drawn through its own mask.
    std::unique_ptr<TBitmap> Img(Create<TBitmap>());
    Img->SetPixelFormat(pf32bit);
    Img->SetSize(FWidth, FHeight);
    TCanvas* C = Img->GetCanvas();
    C->GetBrush()->SetColor(clBlack);
    C->FillRect(Rect(0, 0, FWidth, FHeight));
    ImageList_DrawEx(FHandle, Index, C->GetHandle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    std::unique_ptr<TBitmap> Mask(Create<TBitmap>());
    Mask->SetPixelFormat(pf32bit);
    Mask->SetSize(FWidth, FHeight);
    ImageList_DrawEx(FHandle, Index, Mask->GetCanvas()->GetHandle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE,
                     ILD_MASK);
    GdiFlush();
    Byte* Bg = nullptr;
    // The target's pixels under the image, blended with the grey where the mask is black.
    std::unique_ptr<TBitmap> Under(Create<TBitmap>());
    Under->SetPixelFormat(pf32bit);
    Under->SetSize(FWidth, FHeight);
    BitBlt(Under->GetCanvas()->GetHandle(), 0, 0, FWidth, FHeight, DC, X, Y, SRCCOPY);
    GdiFlush();
    for (int Row = 0; Row < FHeight; ++Row) {
        auto* P = static_cast<Byte*>(Img->ScanLine(Row));
        auto* M = static_cast<Byte*>(Mask->ScanLine(Row));
        Bg = static_cast<Byte*>(Under->ScanLine(Row));
        for (int Col = 0; Col < FWidth; ++Col, P += 4, M += 4, Bg += 4) {
            bool Opaque = !FMasked || (M[0] == 0 && M[1] == 0 && M[2] == 0);
            if (!Opaque) continue;
            int Grey = (P[2] * 30 + P[1] * 59 + P[0] * 11) / 100;
            Byte V = Byte(128 + Grey / 2);
            Bg[0] = Bg[1] = Bg[2] = V;
        }
    }
    BitBlt(DC, X, Y, FWidth, FHeight, Under->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (!Image || Index < 0 || Index >= GetCount()) return false;
    Image->SetSize(FWidth, FHeight);
    Draw(Image->GetCanvas(), 0, 0, Index);
    return true;
}

void TCustomImageList::GetIcon(int Index, TIcon* Image)
{
    if (!Image) return;
    CheckIndex(Index);
    HICON Icon = ImageList_GetIcon(FHandle, Index, ILD_NORMAL);
    if (!Icon) throw EInvalidOperation(L"Unable to get the image");
    Image->SetHandle(Icon);
}

bool TCustomImageList::ResInstLoad(HINSTANCE Instance, TResType ResType, const String& Name,
                                   TColor MaskColor)
{
    try {
        if (ResType == rtBitmap) {
            std::unique_ptr<TBitmap> B(Create<TBitmap>());
            B->LoadFromResourceName(Instance, Name);
            if (FMasked) AddMasked(B.get(), MaskColor);
            else Add(B.get(), nullptr);
        } else {
            std::unique_ptr<TIcon> I(Create<TIcon>());
            I->SetSize(FWidth, FHeight);
            I->LoadFromResourceName(Instance, Name);
            AddIcon(I.get());
        }
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TCustomImageList::ResourceLoad(TResType ResType, const String& Name, TColor MaskColor)
{
    return ResInstLoad(GetModuleHandleW(nullptr), ResType, Name, MaskColor);
}

void TCustomImageList::Assign(TPersistent* Source)
{
    if (auto* L = dynamic_cast<TCustomImageList*>(Source)) {
        if (L == this) return;
        BeginUpdate();
        FreeHandle();
        FWidth = L->FWidth;
        FHeight = L->FHeight;
        FMasked = L->FMasked;
        FColorDepth = L->FColorDepth;
        FBkColor = L->FBkColor;
        FBlendColor = L->FBlendColor;
        FDrawingStyle = L->FDrawingStyle;
        FImageType = L->FImageType;
        if (L->FHandle) {
            FHandle = ImageList_Duplicate(L->FHandle);
            if (!FHandle) AddImages(L);
        }
        Change();
        EndUpdate();
        return;
    }
    inherited::Assign(Source);
}
