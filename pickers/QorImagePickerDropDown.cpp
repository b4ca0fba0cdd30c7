// QorImagePickerDropDown: the image picker drop-down: its entries, folder and image-list loading,
// the popup list and the edit area.
#include "pickers/QorImagePickerDropDown.h"

#include "framework/Classes.h"
#include "framework/SysUtils.h"
#include "framework/TypInfo.h"
#include "framework/WinScope.h"
#include "pickers/QorSharedGraphic.h"

#include <algorithm>

namespace {

// A picture file larger than this is taken for no picture (and never read into memory).
constexpr Int64 MaxPictureFileSize = Int64(256) * 1024 * 1024;

// The file read as a shared picture; nil when it is none (missing, unreadable, damaged, too big).
std::unique_ptr<TSharedGraphic> ReadPicture(const String& FileName)
{
    const Int64 Size = FileSizeOf(FileName);
    if (Size <= 0 || Size > MaxPictureFileSize) return nullptr;
    try {
        std::unique_ptr<TFileStream> F(Create<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite));
        TBytes Bytes;
        const Int64 Got = F->GetSize();
        if (Got <= 0 || Got > MaxPictureFileSize) return nullptr;
        F->ReadBuffer(Bytes, NativeInt(Got));
        std::unique_ptr<TSharedGraphic> G(Create<TSharedGraphic>());
        G->LoadFromBytes(std::move(Bytes), ExtractFileExt(FileName));
        return G;
    } catch (const Exception&) {
        return nullptr;
    } catch (const std::exception&) {
        return nullptr;
    }
}

// The search pattern for a folder given with or without a file mask.
String FolderMask(const String& AFolder)
{
    if (AFolder.empty()) return AFolder;
    const Char Last = AFolder.back();
    if (Last == L'\\' || Last == L'/') return AFolder + L"*";
    if (DirectoryExists(AFolder)) return IncludeTrailingPathDelimiter(AFolder) + L"*";
    return AFolder;
}

}  // namespace

// ---- entries --------------------------------------------------------------------------------------

TImageItem::TImageItem(TCollection* ACollection) : TCollectionItem(ACollection), FImage(Create<TPicture>()) {}

TImageItem::~TImageItem()
{
    FImage->Free();
}

void TImageItem::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TImageItem*>(Source);
    if (!S) {
        inherited::Assign(Source);
        return;
    }
    SetCaption(S->FCaption);
    SetImageIndex(S->FImageIndex);
    S->SharePicture();
    FImage->Assign(S->FImage);
    FEnabled = S->FEnabled;
    FHint = S->FHint;
}

void TImageItem::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TImageItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

void TImageItem::SharePicture()
{
    TGraphic* G = FImage->GetGraphic();
    if (!G || G->GetEmpty() || dynamic_cast<TSharedGraphic*>(G)) return;
    std::unique_ptr<TSharedGraphic> S(Create<TSharedGraphic>());
    S->Assign(G);
    FImage->SetGraphic(S.get());
}

TImageItems::TImageItems(TPersistent* AOwner) : TCollection(TCollection::ItemClass<TImageItem>()), FOwner(AOwner) {}

void TImageItems::Update(TCollectionItem*)
{
    if (OnChange) OnChange(this);
}

// ---- the picker -----------------------------------------------------------------------------------

TQorImagePickerDropDown::TQorImagePickerDropDown(TComponent* AOwner)
    : TQorListPickerDropDown(AOwner), FItems(Create<TImageItems>(this))
{
    // Entry changes reach the list only when it is filled; an index past the entries is dropped.
    FItems->OnChange = [this](TObject*) { ForgetStaleIndex(); };
}

TQorImagePickerDropDown::~TQorImagePickerDropDown()
{
    FItems->OnChange = nullptr;
    FItems->Free();
}

void TQorImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption)
{
    const String Mask = FolderMask(AFolder);
    if (Mask.empty()) return;
    const String Dir = ExtractFilePath(Mask);
    TSearchRec F;
    if (FindFirst(Mask, faAnyFile, F) != 0) return;
    auto Close = ScopeExit([&F] { FindClose(F); });
    FItems->BeginUpdate();
    auto Done = ScopeExit([this] { FItems->EndUpdate(); });
    do {
        if (F.Attr & faDirectory) continue;
        TImageItem* Item = FItems->Add();
        if (std::unique_ptr<TSharedGraphic> G = ReadPicture(Dir + F.Name)) {
            Item->GetImage()->SetGraphic(G.get());
            if (SetImageCaption) Item->SetCaption(F.Name);
        }
    } while (FindNext(F) == 0);
}

void TQorImagePickerDropDown::AddImagesFromImageList()
{
    TCustomImageList* L = GetImages();
    if (!L) return;
    FItems->BeginUpdate();
    auto Done = ScopeExit([this] { FItems->EndUpdate(); });
    for (int I = 0, N = L->GetCount(); I < N; ++I) FItems->Add()->SetImageIndex(I);
}

int TQorImagePickerDropDown::GetImageIndex() const
{
    if (FItemIndex < 0 || FItemIndex >= FItems->GetCount()) return -1;
    return FItems->GetItems(FItemIndex)->GetImageIndex();
}

void TQorImagePickerDropDown::SetImageIndex(int Value)
{
    for (int I = 0; I < FItems->GetCount(); ++I)
        if (FItems->GetItems(I)->GetImageIndex() == Value) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

void TQorImagePickerDropDown::SetItemIndex(int Value)
{
    Value = std::max(Value, -1);
    if (Value == FItemIndex || Value >= FItems->GetCount()) return;
    FItemIndex = Value;
    Invalidate();
    Change();
    FireSelect();
}

void TQorImagePickerDropDown::AssignedItemsToItemSelector()
{
    if (!FItemSelector) return;
    TSelectorItems* Items = FItemSelector->GetItems();
    Items->BeginUpdate();
    auto Done = ScopeExit([Items] { Items->EndUpdate(); });
    Items->Clear();
    for (int I = 0; I < FItems->GetCount(); ++I) {
        TImageItem* E = FItems->GetItems(I);
        E->SharePicture();
        TSelectorItem* S = Items->Add();
        S->SetCaption(E->GetCaption());
        S->SetImage(E->GetImage());
        S->SetImageIndex(E->GetImageIndex());
        S->SetHint(E->GetHint());
    }
}

// ---- popup ----------------------------------------------------------------------------------------

void TQorImagePickerDropDown::CreateDropDownForm()
{
    inherited::CreateDropDownForm();
    CreateItemList(stImage);
    FItemSelector->SetColor(GetDropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TQorImagePickerDropDown::BeforeDropDown()
{
    inherited::BeforeDropDown();
    PrepareList();
}

void TQorImagePickerDropDown::UpdateDropDownSize()
{
    SizePopupToList(4);
}

// ---- the edit area --------------------------------------------------------------------------------

void TQorImagePickerDropDown::WMPaint(TMessage& Message)
{
    inherited::WMPaint(Message);
    if (Message.WParam == 0) PaintImage();
}

void TQorImagePickerDropDown::PaintImage()
{
    if (!HandleAllocated()) return;
    TClientDC DC(GetHandle());
    TSavedDC Saved(DC);
    TCanvas C;
    C.SetHandle(DC);
    auto Release = ScopeExit([&C] { C.SetHandle(nullptr); });
    const TRect R = GetEditRect();
    if (R.Width() <= 0 || R.Height() <= 0) return;
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, &C, R);
        return;
    }
    if (FItemIndex < 0 || FItemIndex >= FItems->GetCount()) return;
    TImageItem* E = FItems->GetItems(FItemIndex);
    if (TGraphic* G = E->GetImage()->GetGraphic(); G && !G->GetEmpty()) {
        C.Draw(R.Left + (R.Width() - G->GetWidth()) / 2, R.Top + (R.Height() - G->GetHeight()) / 2, G);
    } else if (TCustomImageList* L = GetImages(); L && E->GetImageIndex() >= 0) {
        L->Draw(&C, R.Left + (R.Width() - L->GetWidth()) / 2, R.Top + (R.Height() - L->GetHeight()) / 2,
                E->GetImageIndex());
    }
}

// ---- registration -----------------------------------------------------------------------------------

void TImageItem::RegisterProperties(TPropertyTable& Table)
{
    using T = TImageItem;
    Table.Add(L"Caption", &T::GetCaption, &T::SetCaption);
    Table.Add(L"ImageIndex", &T::GetImageIndex, &T::SetImageIndex, -1);
    Table.Add(L"Image", &T::GetImage, &T::SetImage);
    Table.Add(L"Hint", &T::GetHint, &T::SetHint);
}

void TQorImagePickerDropDown::RegisterProperties(TPropertyTable& Table)
{
    using T = TQorImagePickerDropDown;
    Table.Add(L"Items", &T::GetItems, &T::SetItems);
    Table.AddEvent(L"OnDrawSelectedImage", &T::OnDrawSelectedImage);
    Table.AddEvent(L"OnDrawItem", &T::OnDrawItem);
}

void RegisterQorImagePickerDropDownClasses()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    RegisterQorDropDownClasses();
    RegisterClasses<TImageItem, TImageItems, TQorImagePickerDropDown>();
}
