// Markup pictures, their cache and the picture container.
#include "graphics/PictureContainer.h"

#include "graphics/GDIPImageBytes.h"
#include "graphics/QorGDIP.h"
#include "framework/Controls.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

Word Word16(const Byte* P) { return Word(P[0] | (P[1] << 8)); }

// One frame of a GIF file: an image descriptor and the graphic control extension that goes with
// it (the last one since the previous image; none gives a delay of 0).
struct TGifFrame {
    int Delay = 0;
    Byte Packed = 0;
    Word Left = 0, Top = 0, Width = 0, Height = 0;
};

// The frames of a GIF file, in file order. The blocks are walked as the format lays them out, so
// that an application or comment extension between a control extension and its image, or bytes
// of compressed image data that happen to look like an extension, do not change the count. A
// control extension whose image separator follows its four data bytes without the terminator is
// taken as well. A frame counts only when its left, top, width and height lie inside the data;
// the walk ends at the trailer, at the end of the data or at a byte that starts no block.
std::vector<TGifFrame> ScanGifFrames(const Byte* D, size_t N)
{
    std::vector<TGifFrame> Frames;
    if (N < 13) return Frames;
    size_t P = 13;   // header and logical screen descriptor
    if (D[10] & 0x80) P += size_t(3) << ((D[10] & 7) + 1);
    // Skips data sub-blocks from Q up to and including their terminator; false when truncated.
    auto SkipSubBlocks = [&](size_t& Q) {
        while (Q < N) {
            const size_t Len = D[Q];
            ++Q;
            if (Len == 0) return true;
            Q += Len;
        }
        return false;
    };
    bool HaveControl = false;
    int Delay = 0;
    Byte Packed = 0;
    while (P < N) {
        const Byte Kind = D[P];
        if (Kind == 0x21) {
            if (P + 1 >= N) break;
            const Byte Label = D[P + 1];
            size_t Q = P + 2;
            if (Label == 0xF9 && Q + 4 < N && D[Q] == 4) {
                Packed = D[Q + 1];
                Delay = Word16(D + Q + 2);
                HaveControl = true;
                if (Q + 5 < N && D[Q + 5] == 0x2C) {
                    // No terminator: the image follows the extension's data directly.
                    P = Q + 5;
                    continue;
                }
            }
            if (!SkipSubBlocks(Q)) break;
            P = Q;
        } else if (Kind == 0x2C) {
            // Left, top, width and height, then the packed byte.
            if (N - P <= 8) break;
            TGifFrame F;
            F.Left = Word16(D + P + 1);
            F.Top = Word16(D + P + 3);
            F.Width = Word16(D + P + 5);
            F.Height = Word16(D + P + 7);
            if (HaveControl) {
                F.Delay = Delay;
                F.Packed = Packed;
            }
            Frames.push_back(F);
            HaveControl = false;
            if (N - P <= 9) break;
            const Byte ImagePacked = D[P + 9];
            size_t Q = P + 10;
            if (ImagePacked & 0x80) Q += size_t(3) << ((ImagePacked & 7) + 1);
            ++Q;   // the LZW minimum code size
            if (Q > N || !SkipSubBlocks(Q)) break;
            P = Q;
        } else {
            // The trailer (0x3B), or a byte that starts no block.
            break;
        }
    }
    return Frames;
}

}  // namespace

// ---- TDownLoadThread --------------------------------------------------------------------------

TDownLoadThread::TDownLoadThread(THTMLPicture* AHTMLPicture) : TThread(false), HTMLPicture(AHTMLPicture)
{
    SetFreeOnTerminate(true);
}

// ---- THTMLPicture -----------------------------------------------------------------------------

THTMLPicture::THTMLPicture() : FDatastream(new TMemoryStream()) {}


TGraphic* THTMLPicture::NewEmpty() const { return Create<THTMLPicture>(); }

bool THTMLPicture::HasBytes() const { return FDatastream->GetSize() > 0; }

void THTMLPicture::DoChange()
{
    if (OnChange) OnChange(this);
}

void THTMLPicture::TakeBytes(TStream* Source)
{
    // The picture's own bytes handed back are kept as they are.
    if (Source != FDatastream.get()) {
        FDatastream->Clear();
        if (Source) {
            Source->SetPosition(0);
            FDatastream->CopyFrom(Source, 0);
        }
    }
    FDatastream->SetPosition(0);
    // Counts and animation times of earlier bytes do not hold for these.
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
}

bool THTMLPicture::IsGIFFile() const
{
    if (FDatastream->GetSize() <= 4) return false;
    return std::memcmp(FDatastream->GetMemory(), "GIF8", 4) == 0;
}

int THTMLPicture::GetFrameCount()
{
    if (FFrameCount != -1) return FFrameCount;
    if (!IsGIFFile()) return -1;
    FFrameCount = int(ScanGifFrames(static_cast<const Byte*>(FDatastream->GetMemory()),
                                    size_t(FDatastream->GetSize())).size());
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int i)
{
    if (!IsGIFFile()) return -1;
    const auto Frames = ScanGifFrames(static_cast<const Byte*>(FDatastream->GetMemory()),
                                      size_t(FDatastream->GetSize()));
    if (i < 1 || i > int(Frames.size())) return -1;
    const TGifFrame& F = Frames[size_t(i - 1)];
    FFrameTransp = (F.Packed & 1) != 0;
    FFrameDisposal = Word((F.Packed >> 2) & 7);
    return F.Delay;
}

bool THTMLPicture::LoadPicture()
{
    if (!HasBytes()) return false;
    FWidth = FHeight = 0;
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    if (IsGIFFile()) {
        const Byte* D = static_cast<const Byte*>(FDatastream->GetMemory());
        const auto Frames = ScanGifFrames(D, size_t(FDatastream->GetSize()));
        FFrameCount = int(Frames.size());
        if (!Frames.empty()) {
            FAnimMaxX = Word16(D + 6);
            FAnimMaxY = Word16(D + 8);
            if (FFrame >= 1 && FFrame <= int(Frames.size())) {
                const TGifFrame& F = Frames[size_t(FFrame - 1)];
                FFrameXPos = F.Left;
                FFrameYPos = F.Top;
                FFrameXSize = F.Width;
                FFrameYSize = F.Height;
            }
        }
    }
    return WithDecodedImage(FDatastream.get(), [this](TGPImage* Image) { DecodedImageSize(Image, FWidth, FHeight); });
}

void THTMLPicture::SetFrame(int Value)
{
    FFrame = Value;
    if (!HasBytes()) return;
    LoadPicture();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    int Next = FFrame + 1;
    if (Next > GetFrameCount()) Next = 1;
    SetFrame(Next);
}

void THTMLPicture::FramePrev()
{
    int Prev = FFrame - 1;
    if (Prev < 1) Prev = std::max(GetFrameCount(), 1);
    SetFrame(Prev);
}

bool THTMLPicture::Step()
{
    if (FIsEmpty || GetFrameCount() < 2) return false;
    if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
    bool Changed = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();   // measures the new frame
        FNextCount += GetFrameTime(FFrame);
        Changed = true;
    }
    ++FTimerCount;
    return Changed;
}

void THTMLPicture::Assign(TPersistent* Source)
{
    if (Source == this) return;
    FIsEmpty = true;
    FFrameCount = FNextCount = FTimerCount = -1;
    SetFrame(1);
    // Bytes saved by another graphic, loaded as a stream.
    auto TakeGraphic = [this](TGraphic* G) {
        std::unique_ptr<TMemoryStream> Tmp(new TMemoryStream());
        if (G && !G->GetEmpty()) G->SaveToStream(Tmp.get());
        LoadFromStream(Tmp.get());
    };
    if (auto* P = dynamic_cast<THTMLPicture*>(Source)) {
        FStretched = P->FStretched;
        FFrame = P->FFrame;
        FID = P->FID;
        TakeBytes(P->FDatastream.get());
        FIsEmpty = !HasBytes();
        if (FIsEmpty) FWidth = FHeight = 0;
        // Bytes no decoder accepts make an empty picture; they are kept for saving.
        if (!LoadPicture()) FIsEmpty = true;
        DoChange();
    } else if (auto* Pic = dynamic_cast<TPicture*>(Source)) {
        TakeGraphic(Pic->GetGraphic());
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        TakeGraphic(G);
    } else {
        // Nil, or no graphic: no bytes left behind that saving would write out.
        TakeBytes(nullptr);
        FWidth = FHeight = 0;
        FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
        DoChange();
    }
}

void THTMLPicture::LoadFromFile(const String& FileName)
{
    try {
        std::unique_ptr<TMemoryStream> S(new TMemoryStream());
        S->LoadFromFile(FileName);
        TakeBytes(S.get());
        FIsEmpty = !HasBytes();
        if (FIsEmpty) FWidth = FHeight = 0;
        // Bytes no decoder accepts make an empty picture; they are kept for saving.
        if (!LoadPicture()) FIsEmpty = true;
        DoChange();
    } catch (...) {
        // A file that cannot be read leaves an empty picture; callers check GetEmpty.
        TakeBytes(nullptr);
        FIsEmpty = true;
        FWidth = FHeight = 0;
    }
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream) return;
    TakeBytes(Stream);
    FIsEmpty = !HasBytes();
    if (FIsEmpty) FWidth = FHeight = 0;
    // Bytes no decoder accepts make an empty picture; they are kept for saving.
    if (!LoadPicture()) FIsEmpty = true;
    DoChange();
}

void THTMLPicture::SaveToStream(TStream* Stream)
{
    if (!Stream) return;
    FDatastream->SaveToStream(Stream);
}

void THTMLPicture::ReadData(TStream* Stream)
{
    if (!Stream) return;
    if (Stream != FDatastream.get()) {
        FDatastream->Clear();
        FDatastream->CopyFrom(Stream, Stream->GetSize() - Stream->GetPosition());
    }
    FDatastream->SetPosition(0);
    FFrameCount = FNextCount = FTimerCount = -1;
    FIsEmpty = !HasBytes();
    if (FIsEmpty) FWidth = FHeight = 0;
    // Bytes no decoder accepts make an empty picture; they are kept for saving.
    if (!LoadPicture()) FIsEmpty = true;
}

void THTMLPicture::WriteData(TStream* Stream) { SaveToStream(Stream); }

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    if (!FindResourceW(Instance, ResName.c_str(), MAKEINTRESOURCEW(10))) return;
    std::unique_ptr<TResourceStream> Res(new TResourceStream(Instance, ResName, MAKEINTRESOURCEW(10)));
    LoadFromStream(Res.get());
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    std::unique_ptr<TResourceStream> Res(new TResourceStream(Instance, ResID, MAKEINTRESOURCEW(10)));
    LoadFromStream(Res.get());
}

void THTMLPicture::LoadFromURL(const String& url)
{
    const String Upper = UpperCase(url);
    if (Upper.rfind(L"RES://", 0) == 0) {
        FID = url;
        const String Name = url.substr(6);
        if (!Name.empty()) LoadFromResourceName(GetModuleHandleW(nullptr), Name);
    } else if (Upper.rfind(L"FILE://", 0) == 0) {
        FID = url;
        const String Name = url.substr(7);
        if (!Name.empty()) LoadFromFile(Name);
    } else if (!FAsynch) {
        FURL = url;
        FID = url;
    } else if (!FThreadBusy) {
        FURL = url;
        // Identified like any other source, so that a cache finds it again instead of adding
        // another picture (and starting another thread) on every use.
        FID = url;
        FThreadBusy = true;
        // Runs its empty body and frees itself.
        Create<TDownLoadThread>(this);
    }
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FIsEmpty || !HasBytes() || !ACanvas) return;
    WithDecodedImage(FDatastream.get(), [&](TGPImage* Image) {
        if (!ImageDecoded(Image)) return;
        if (Image->GetFormat() == ifBMP) {
            StretchDrawTransparentBitmap(FDatastream.get(), ACanvas, Rect);
            return;
        }
        TGPGraphics Graphics(ACanvas->GetHandle());
        Graphics.DrawImageRect(Image, Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
    });
}

void THTMLPicture::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Stretch", &THTMLPicture::GetStretched, &THTMLPicture::SetStretched, false);
    Table.Add(L"Frame", &THTMLPicture::GetFrame, &THTMLPicture::SetFrame, 1);
    Table.AddEvent(L"OnFrameChange", &THTMLPicture::OnFrameChange);
    Table.AddEvent(L"OnDownLoadError", &THTMLPicture::OnDownLoadError);
    Table.AddEvent(L"OnDownLoadComplete", &THTMLPicture::OnDownLoadComplete);
    Table.AddEvent(L"OnDownLoadCancel", &THTMLPicture::OnDownLoadCancel);
    Table.AddEvent(L"OnDownLoadProgress", &THTMLPicture::OnDownLoadProgress);
}

// ---- THTMLPictureCache ------------------------------------------------------------------------

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture()
{
    THTMLPicture* P = Create<THTMLPicture>();
    Add(P);
    return P;
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const
{
    for (int I = 0; I < Count(); ++I)
        if (GetPicture(I)->GetID() == ID) return GetPicture(I);
    return nullptr;
}

void THTMLPictureCache::ClearPictures()
{
    // Taken out before being freed, so that the list never holds a freed picture.
    while (Count() > 0) {
        THTMLPicture* P = GetPicture(Count() - 1);
        TList::Delete(Count() - 1);
        if (P) P->Free();
    }
    TList::Clear();
}

void THTMLPictureCache::SetPicture(int Index, THTMLPicture* Value)
{
    THTMLPicture* Old = GetPicture(Index);
    if (Old == Value) return;
    Put(Index, Value);
    if (Old && IndexOf(Old) < 0) Old->Free();
}

bool THTMLPictureCache::Animate()
{
    bool Any = false;
    for (int I = 0; I < Count(); ++I)
        if (THTMLPicture* P = GetPicture(I); P && P->Step()) Any = true;
    return Any;
}

// ---- TPictureItem -----------------------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TPictureItem::AfterConstruction()
{
    // Made here, where an override of CreatePicture is reached.
    FPicture.reset(CreatePicture());
    inherited::AfterConstruction();
}

TGraphic* TPictureItem::CreatePicture() { return Create<THTMLPicture>(); }

void TPictureItem::Assign(TPersistent* Source)
{
    if (auto* Item = dynamic_cast<TPictureItem*>(Source)) {
        if (Item == this) return;
        FName = Item->FName;
        FTag = Item->FTag;
        SetPicture(Item->FPicture.get());
        return;
    }
    inherited::Assign(Source);
}

void TPictureItem::SetPicture(TGraphic* Value)
{
    if (FPicture && Value != FPicture.get()) FPicture->Assign(Value);
}

String TPictureItem::GetDisplayName() const { return FName.empty() ? inherited::GetDisplayName() : FName; }

void TPictureItem::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Picture", &TPictureItem::GetPicture, &TPictureItem::SetPicture);
    Table.Add(L"Name", &TPictureItem::GetName, &TPictureItem::SetName);
    Table.Add(L"Tag", &TPictureItem::GetTag, &TPictureItem::SetTag, 0);
}

// ---- TPictureCollection -----------------------------------------------------------------------

TPictureCollection::TPictureCollection(TComponent* AOwner) : TOwnedCollection(AOwner), FOwner(AOwner) {}

TCollectionItemFactory TPictureCollection::GetItemClass() { return TCollection::ItemClass<TPictureItem>(); }

TCollectionItem* TPictureCollection::CreateItem() { return GetItemClass()(this); }

bool TPictureCollection::Animate()
{
    bool Any = false;
    for (int I = 0; I < Count(); ++I)
        if (auto* P = dynamic_cast<THTMLPicture*>(GetItem(I)->GetPicture()); P && P->Step()) Any = true;
    return Any;
}

// ---- TPictureContainer ------------------------------------------------------------------------

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner) { RegisterPictureContainerClasses(); }

TPictureContainer::~TPictureContainer()
{
    // No control hears of the items going.
    FPicture.reset();
    FControls.clear();
    FItems.reset();
}

void TPictureContainer::AfterConstruction()
{
    inherited::AfterConstruction();
    // Made here, where an override of CreateItems is reached.
    FItems.reset(CreateItems());
}

TPictureCollection* TPictureContainer::CreateItems() { return Create<TPictureCollection>(this); }

TGraphic* TPictureContainer::FindPicture(const String& s)
{
    for (int I = 0; I < FItems->Count(); ++I)
        if (SameText(FItems->GetItem(I)->GetName(), s)) return FItems->GetItem(I)->GetPicture();
    return nullptr;
}

TPicture* TPictureContainer::FindBitmap(const String& s)
{
    FPicture.reset();
    TGraphic* G = FindPicture(s);
    if (!G) return nullptr;
    TFreePtr<TPicture> P(Create<TPicture>());
    P->Assign(G);
    FPicture = std::move(P);
    return FPicture.get();
}

void TPictureContainer::RegisterControl(TControl* AControl)
{
    if (!AControl) return;
    FControls.push_back(AControl);
    // So that a freed control is taken out of the list (Notification).
    AControl->FreeNotification(this);
}

void TPictureContainer::Changed()
{
    // A copy: a control may register or go while it repaints.
    const std::vector<TControl*> Controls = FControls;
    for (TControl* C : Controls)
        if (std::find(FControls.begin(), FControls.end(), C) != FControls.end()) C->Invalidate();
    if (OnChange) OnChange(this);
}

void TPictureContainer::Notification(TComponent* AComponent, TOperation Operation)
{
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove)
        std::erase_if(FControls, [AComponent](TControl* C) { return static_cast<TComponent*>(C) == AComponent; });
}

int TPictureContainer::GetVersionNr() { return 0x02010000; }

String TPictureContainer::GetVersion()
{
    const unsigned V = unsigned(GetVersionNr());
    return IntToStr(int(V >> 24 & 0xFF)) + L"." + IntToStr(int(V >> 16 & 0xFF)) + L"." +
           IntToStr(int(V >> 8 & 0xFF)) + L"." + IntToStr(int(V & 0xFF));
}

void TPictureContainer::SetItems(TPictureCollection* Value)
{
    if (Value && Value != FItems.get()) FItems->Assign(Value);
}

void TPictureContainer::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Items", &TPictureContainer::GetItems, &TPictureContainer::SetItems);
    Table.Add(L"Version", &TPictureContainer::GetVersion, &TPictureContainer::SetVersion);
    Table.AddEvent(L"OnChange", &TPictureContainer::OnChange);
}

void RegisterPictureContainerClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterGraphicsClasses();
    RegisterClasses<THTMLPicture, TPictureItem, TPictureCollection, TPictureContainer>();
}
