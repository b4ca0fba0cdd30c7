// QorSharedGraphic: a picture read once and shared by every copy, decoded on demand.
#include "pickers/QorSharedGraphic.h"

#include "framework/Classes.h"
#include "framework/SysUtils.h"

#include <deque>

struct TSharedGraphic::TData {
    TGraphicClass Class;
    TBytes Bytes;                       // the file as read; empty for a copied graphic
    int Width = 0, Height = 0;
    std::unique_ptr<TGraphic> Image;    // decoded; kept for good when there are no bytes
    bool Broken = false;                // the bytes failed to decode again
};

namespace {

using TData = TSharedGraphic::TData;

// The pictures decoded from bytes, oldest first; past the limit the oldest let their image go.
std::deque<std::weak_ptr<TData>>& DecodedQueue()
{
    static std::deque<std::weak_ptr<TData>> Queue;
    return Queue;
}

void NoteDecoded(const std::shared_ptr<TData>& D)
{
    auto& Q = DecodedQueue();
    Q.push_back(D);
    while (Q.size() > TSharedGraphic::DecodedLimit) {
        if (auto Old = Q.front().lock(); Old && Old != D && !Old->Bytes.empty()) Old->Image.reset();
        Q.pop_front();
    }
}

std::unique_ptr<TGraphic> Decode(const TGraphicClass& Class, const TBytes& Bytes)
{
    std::unique_ptr<TGraphic> G(Class.Create());
    TBytesStream S(Bytes);
    G->LoadFromStream(&S);
    return G;
}

}  // namespace

TSharedGraphic::~TSharedGraphic() = default;

void TSharedGraphic::Assign(TPersistent* Source)
{
    if (!Source) {
        FData.reset();
    } else if (auto* S = dynamic_cast<TSharedGraphic*>(Source)) {
        if (S == this) return;
        FData = S->FData;
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        auto D = std::make_shared<TData>();
        if (!G->GetEmpty()) {
            D->Image.reset(G->NewEmpty());
            D->Image->Assign(G);
            D->Width = G->GetWidth();
            D->Height = G->GetHeight();
            FData = std::move(D);
        } else {
            FData.reset();
        }
    } else {
        inherited::Assign(Source);
        return;
    }
    Changed(this);
}

void TSharedGraphic::AssignTo(TPersistent* Dest)
{
    if (auto* G = dynamic_cast<TGraphic*>(Dest)) {
        G->Assign(Decoded());
        return;
    }
    inherited::AssignTo(Dest);
}

void TSharedGraphic::LoadFromBytes(TBytes Bytes, const String& Extension)
{
    TGraphicClass Class = FindGraphicClassForData(Bytes.data(), Bytes.size());
    if (!Class && !Extension.empty()) Class = FindGraphicClassForExtension(Extension);
    if (!Class) throw EInvalidGraphic(L"Unknown picture format");
    // Decoded once to check the data and learn the size; drawn from a fresh decoding later.
    std::unique_ptr<TGraphic> Check = Decode(Class, Bytes);
    auto D = std::make_shared<TData>();
    D->Class = Class;
    D->Width = Check->GetWidth();
    D->Height = Check->GetHeight();
    D->Bytes = std::move(Bytes);
    FData = std::move(D);
    Changed(this);
}

TGraphic* TSharedGraphic::Decoded() const
{
    if (!FData) return nullptr;
    TData& D = *FData;
    if (!D.Image && !D.Broken && !D.Bytes.empty()) {
        try {
            D.Image = Decode(D.Class, D.Bytes);
            NoteDecoded(FData);
        } catch (const Exception&) {
            D.Broken = true;
        }
    }
    return D.Image.get();
}

size_t TSharedGraphic::DecodedCount()
{
    size_t N = 0;
    for (const auto& W : DecodedQueue())
        if (auto D = W.lock(); D && D->Image) ++N;
    return N;
}

void TSharedGraphic::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (TGraphic* G = Decoded()) G->Draw(ACanvas, Rect);
}

int TSharedGraphic::GetWidth() const
{
    return FData ? FData->Width : 0;
}

int TSharedGraphic::GetHeight() const
{
    return FData ? FData->Height : 0;
}

void TSharedGraphic::SetWidth(int)
{
    throw EInvalidGraphicOperation(L"A shared picture cannot be resized");
}

void TSharedGraphic::SetHeight(int)
{
    throw EInvalidGraphicOperation(L"A shared picture cannot be resized");
}

void TSharedGraphic::LoadFromStream(TStream* Stream)
{
    const Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Rest <= 0) throw EInvalidGraphic(L"No picture data");
    if (Rest > Int64(0x7FFFFFFF)) throw EInvalidGraphic(L"Picture data is too large");
    TBytes Bytes;
    Stream->ReadBuffer(Bytes, NativeInt(Rest));
    LoadFromBytes(std::move(Bytes));
}

void TSharedGraphic::SaveToStream(TStream* Stream)
{
    if (!FData) return;
    if (!FData->Bytes.empty()) Stream->WriteBuffer(FData->Bytes.data(), NativeInt(FData->Bytes.size()));
    else if (FData->Image) FData->Image->SaveToStream(Stream);
}

TGraphic* TSharedGraphic::NewEmpty() const
{
    return Create<TSharedGraphic>();
}
