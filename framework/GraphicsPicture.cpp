// Graphics: the registry of graphic classes and file formats, and the picture holder.
#include "Graphics.h"
#include "Jpeg.h"
#include "PngImage.h"

#include <cwctype>
#include <utility>

namespace {

struct TFileFormat {
    String Extension;   // lower case, without the dot
    String Description;
    TGraphicClass Class;
};

String NormalExtension(const String& Ext)
{
    return LowerCase(!Ext.empty() && Ext[0] == L'.' ? Ext.substr(1) : Ext);
}

std::mutex& RegistryLock()
{
    static std::mutex M;
    return M;
}

std::vector<TFileFormat>& Formats()
{
    static std::vector<TFileFormat> List = [] {
        std::vector<TFileFormat> L;
        L.push_back({L"bmp", Consts::SPictureBitmaps, GraphicClassOf<TBitmap>()});
        L.push_back({L"ico", Consts::SPictureIcons, GraphicClassOf<TIcon>()});
        L.push_back({L"png", Consts::SPicturePng, GraphicClassOf<TPngImage>()});
        for (const wchar_t* E : {L"jpg", L"jpeg", L"jpe", L"jfif"})
            L.push_back({E, Consts::SPictureJpeg, GraphicClassOf<TJPEGImage>()});
        return L;
    }();
    return List;
}

String ExtractExtension(const String& FileName)
{
    size_t Dot = FileName.find_last_of(L'.');
    size_t Sep = FileName.find_last_of(L"\\/:");
    if (Dot == String::npos || (Sep != String::npos && Sep > Dot)) return L"";
    return FileName.substr(Dot + 1);
}

}  // namespace

TGraphicClass FindGraphicClass(const String& ClassName)
{
    std::lock_guard<std::mutex> G(RegistryLock());
    for (const auto& F : Formats())
        if (SameText(F.Class.ClassName, ClassName)) return F.Class;
    return {};
}

TGraphicClass FindGraphicClassForExtension(const String& Ext)
{
    std::lock_guard<std::mutex> G(RegistryLock());
    String E = NormalExtension(Ext);
    if (E.empty()) return {};
    for (const auto& F : Formats())
        if (F.Extension == E) return F.Class;
    return {};
}

TGraphicClass FindGraphicClassForData(const Byte* Data, size_t Size)
{
    if (!Data) return {};
    if (Size >= 2 && Data[0] == 'B' && Data[1] == 'M') return FindGraphicClassForExtension(L"bmp");
    if (Size >= 4 && Data[0] == 0 && Data[1] == 0 && Data[2] == 1 && Data[3] == 0)
        return FindGraphicClassForExtension(L"ico");
    static const Byte Png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (Size >= 8 && std::equal(Png, Png + 8, Data)) return FindGraphicClassForExtension(L"png");
    if (Size >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF)
        return FindGraphicClassForExtension(L"jpg");
    return {};
}

String GraphicFileMask(const String& ClassName)
{
    std::lock_guard<std::mutex> G(RegistryLock());
    String Mask;
    for (const auto& F : Formats()) {
        if (!ClassName.empty() && !SameText(F.Class.ClassName, ClassName)) continue;
        if (!Mask.empty()) Mask += L';';
        Mask += L"*." + F.Extension;
    }
    return Mask;
}

String GraphicFilter(const String& ClassName)
{
    String All = GraphicFileMask(ClassName);
    std::lock_guard<std::mutex> G(RegistryLock());
    String Filter = Format(Consts::SPictureFilterAll, {All, All});
    for (const auto& F : Formats()) {
        if (!ClassName.empty() && !SameText(F.Class.ClassName, ClassName)) continue;
        Filter += L"|" + F.Description + L" (*." + F.Extension + L")|*." + F.Extension;
    }
    return Filter;
}

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  const TGraphicClass& GraphicClass)
{
    std::lock_guard<std::mutex> G(RegistryLock());
    String E = NormalExtension(Extension);
    auto& L = Formats();
    // A newer registration of an extension wins.
    for (auto It = L.begin(); It != L.end(); ++It)
        if (It->Extension == E) {
            L.erase(It);
            break;
        }
    L.insert(L.begin(), {E, Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(const String& ClassName)
{
    std::lock_guard<std::mutex> G(RegistryLock());
    auto& L = Formats();
    std::erase_if(L, [&](const TFileFormat& F) { return SameText(F.Class.ClassName, ClassName); });
}

// ---- TPicture ---------------------------------------------------------------------------------

TPicture::~TPicture()
{
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Adopt(TGraphic* NewGraphic)
{
    {
        TFreePtr<TGraphic> Old = std::exchange(FGraphic, TFreePtr<TGraphic>(NewGraphic));
        if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(this); };
        if (Old) Old->OnChange = nullptr;
    }   // the old graphic is gone before the change is told
    Changed(this);
}

void TPicture::Changed(TObject*)
{
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (Value == FGraphic.get()) return;
    if (!Value) {
        Adopt(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> New(Value->NewEmpty());
    New->Assign(Value);
    Adopt(New.release());
}

TBitmap* TPicture::GetBitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Adopt(Create<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::GetIcon()
{
    if (!dynamic_cast<TIcon*>(FGraphic.get())) Adopt(Create<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

int TPicture::GetWidth() const
{
    return FGraphic ? FGraphic->GetWidth() : 0;
}

int TPicture::GetHeight() const
{
    return FGraphic ? FGraphic->GetHeight() : 0;
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
    } else if (auto* P = dynamic_cast<TPicture*>(Source)) {
        // A picture without a graphic makes this one empty too.
        if (P != this) SetGraphic(P->FGraphic.get());
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(G);
    } else {
        inherited::Assign(Source);
    }
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (auto* G = dynamic_cast<TGraphic*>(Dest); G && FGraphic) {
        G->Assign(FGraphic.get());
        return;
    }
    inherited::AssignTo(Dest);
}

void TPicture::LoadFromFile(const String& FileName)
{
    String Ext = ExtractExtension(FileName);
    TGraphicClass C = FindGraphicClassForExtension(Ext);
    if (!C) throw EInvalidGraphic(L"Unknown picture file extension (." + Ext + L")");
    std::unique_ptr<TGraphic> New(C.Create());
    New->LoadFromFile(FileName);
    Adopt(New.release());
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream)
{
    Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Rest <= 0) {
        SetGraphic(nullptr);
        return;
    }
    if (Rest > Int64(0x7FFFFFFF)) throw EInvalidGraphic(L"Picture data is too large");
    TBytes Data;
    Stream->ReadBuffer(Data, NativeInt(Rest));
    TGraphicClass C = FindGraphicClassForData(Data.data(), Data.size());
    if (!C) throw EInvalidGraphic(L"Unknown picture format");
    std::unique_ptr<TGraphic> New(C.Create());
    TBytesStream S(Data);
    New->LoadFromStream(&S);
    Adopt(New.release());
}

void TPicture::SaveToStream(TStream* Stream)
{
    if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::ReadData(TStream* Stream)
{
    Byte Len = Stream->ReadByte();
    std::string Name(Len, '\0');
    if (Len) Stream->ReadBuffer(Name.data(), Len);
    if (Name.empty()) {
        SetGraphic(nullptr);
        return;
    }
    String WName(Name.begin(), Name.end());
    TGraphicClass C = FindGraphicClass(WName);
    if (!C) throw EInvalidGraphic(L"Unknown picture class " + WName);
    std::unique_ptr<TGraphic> New(C.Create());
    New->ReadData(Stream);
    Adopt(New.release());
}

void TPicture::WriteData(TStream* Stream)
{
    String Name = FGraphic ? FGraphic->ClassName() : String();
    std::string A(Name.begin(), Name.end());   // class names are ASCII
    if (A.size() > 255) A.resize(255);
    Stream->WriteByte(Byte(A.size()));
    if (!A.empty()) Stream->WriteBuffer(A.data(), NativeInt(A.size()));
    if (FGraphic) FGraphic->WriteData(Stream);
}
