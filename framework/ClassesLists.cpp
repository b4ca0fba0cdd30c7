#include "Classes.h"

#include <algorithm>
#include <cstring>

// ---- TList ------------------------------------------------------------------------------------

TList::~TList()
{
    Clear();
}

void TList::Error(const String& Msg, NativeInt Data)
{
    String Text = Msg;
    auto P = Text.find(L"%d");
    if (P != String::npos) Text.replace(P, 2, std::to_wstring(Data));
    throw EListError(Text);
}

void TList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count()) Error(Consts::SListIndexError, Index);
}

int TList::Add(void* Item)
{
    FList.push_back(Item);
    int Index = Count() - 1;
    if (Item) Notify(Item, lnAdded);
    return Index;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > Count()) Error(Consts::SListIndexError, Index);
    FList.insert(FList.begin() + Index, Item);
    if (Item) Notify(Item, lnAdded);
}

void TList::Delete(int Index)
{
    CheckIndex(Index);
    void* Item = FList[size_t(Index)];
    FList.erase(FList.begin() + Index);
    if (Item) Notify(Item, lnDeleted);
}

int TList::Remove(void* Item)
{
    int Index = IndexOf(Item);
    if (Index >= 0) Delete(Index);
    return Index;
}

void* TList::Extract(void* Item)
{
    int Index = IndexOf(Item);
    if (Index < 0) return nullptr;
    FList.erase(FList.begin() + Index);
    Notify(Item, lnExtracted);
    return Item;
}

int TList::IndexOf(void* Item) const
{
    auto It = std::find(FList.begin(), FList.end(), Item);
    return It == FList.end() ? -1 : int(It - FList.begin());
}

void TList::Clear()
{
    // Items go one by one from the end so that Notify sees a consistent list.
    while (!FList.empty()) {
        void* Item = FList.back();
        FList.pop_back();
        if (Item) Notify(Item, lnDeleted);
    }
    FList.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    void* Item = FList[size_t(CurIndex)];
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, Item);
}

void TList::Sort(const TListSortCompare& Compare)
{
    if (!Compare || FList.size() < 2) return;
    std::stable_sort(FList.begin(), FList.end(),
                     [&](void* A, void* B) { return Compare(A, B) < 0; });
}

void TList::Pack()
{
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Assign(TList* Source)
{
    if (!Source || Source == this) return;
    Clear();
    for (void* P : Source->FList) Add(P);
}

void* TList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[size_t(Index)];
}

void TList::Put(int Index, void* Item)
{
    CheckIndex(Index);
    void* Old = FList[size_t(Index)];
    if (Old == Item) return;
    FList[size_t(Index)] = Item;
    if (Old) Notify(Old, lnDeleted);
    if (Item) Notify(Item, lnAdded);
}

void* TList::First() const
{
    return Get(0);
}

void* TList::Last() const
{
    return Get(Count() - 1);
}

void TList::SetCount(int NewCount)
{
    if (NewCount < 0) Error(Consts::SListCountError, NewCount);
    while (Count() > NewCount) Delete(Count() - 1);
    FList.resize(size_t(NewCount), nullptr);
}

void TList::SetCapacity(int NewCapacity)
{
    if (NewCapacity < Count()) Error(Consts::SListCapacityError, NewCapacity);
    if (size_t(NewCapacity) > FList.capacity()) FList.reserve(size_t(NewCapacity));
}

// ---- TObjectList ------------------------------------------------------------------------------

TObjectList::~TObjectList()
{
    Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action)
{
    if (Action == lnDeleted && FOwnsObjects && Ptr) static_cast<TObject*>(Ptr)->Free();
}

// ---- TEncoding --------------------------------------------------------------------------------

namespace {

// A code page handled by the platform's conversion routines.
class TMBCSEncoding : public TEncoding {
    DECLARE_CLASS(TMBCSEncoding, TEncoding)
public:
    TMBCSEncoding(UINT ACodePage, const String& AName) : FCodePage(ACodePage), FName(AName)
    {
        CPINFO Info{};
        if (GetCPInfo(ACodePage, &Info)) FMaxCharSize = Info.MaxCharSize;
    }
    TBytes GetPreamble() const override { return {}; }
    TBytes GetBytes(const String& S) const override
    {
        TBytes Result;
        if (S.empty()) return Result;
        int Len = WideCharToMultiByte(FCodePage, 0, S.data(), int(S.size()), nullptr, 0, nullptr,
                                      nullptr);
        if (Len <= 0) return Result;
        Result.resize(size_t(Len));
        WideCharToMultiByte(FCodePage, 0, S.data(), int(S.size()),
                            reinterpret_cast<char*>(Result.data()), Len, nullptr, nullptr);
        return Result;
    }
    String GetString(const Byte* Bytes, NativeInt ByteCount) const override
    {
        String Result;
        if (!Bytes || ByteCount <= 0) return Result;
        const char* P = reinterpret_cast<const char*>(Bytes);
        int Len = MultiByteToWideChar(FCodePage, 0, P, int(ByteCount), nullptr, 0);
        if (Len <= 0) return Result;
        Result.resize(size_t(Len));
        MultiByteToWideChar(FCodePage, 0, P, int(ByteCount), Result.data(), Len);
        return Result;
    }
    Cardinal GetCodePage() const override { return FCodePage; }
    String GetEncodingName() const override { return FName; }
    bool IsSingleByte() const override { return FMaxCharSize == 1; }

protected:
    UINT FCodePage;
    String FName;
    UINT FMaxCharSize = 1;
};

class TUTF8Encoding : public TMBCSEncoding {
    DECLARE_CLASS(TUTF8Encoding, TMBCSEncoding)
public:
    TUTF8Encoding() : TMBCSEncoding(CP_UTF8, L"Unicode (UTF-8)") {}
    TBytes GetPreamble() const override { return {0xEF, 0xBB, 0xBF}; }
    bool IsSingleByte() const override { return false; }
};

class TUTF7Encoding : public TMBCSEncoding {
    DECLARE_CLASS(TUTF7Encoding, TMBCSEncoding)
public:
    TUTF7Encoding() : TMBCSEncoding(CP_UTF7, L"Unicode (UTF-7)") {}
    bool IsSingleByte() const override { return false; }
};

// 7-bit ASCII: every character outside it becomes '?'.
class TASCIIEncoding : public TEncoding {
    DECLARE_CLASS(TASCIIEncoding, TEncoding)
public:
    TBytes GetPreamble() const override { return {}; }
    TBytes GetBytes(const String& S) const override
    {
        TBytes Result;
        Result.reserve(S.size());
        for (size_t i = 0; i < S.size(); ++i) {
            wchar_t C = S[i];
            // A surrogate pair is one character.
            if (C >= 0xD800 && C <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 &&
                S[i + 1] <= 0xDFFF)
                ++i;
            Result.push_back(C < 0x80 ? Byte(C) : Byte('?'));
        }
        return Result;
    }
    String GetString(const Byte* Bytes, NativeInt ByteCount) const override
    {
        String Result;
        if (!Bytes || ByteCount <= 0) return Result;
        Result.resize(size_t(ByteCount));
        for (NativeInt i = 0; i < ByteCount; ++i)
            Result[size_t(i)] = Bytes[i] < 0x80 ? wchar_t(Bytes[i]) : L'?';
        return Result;
    }
    Cardinal GetCodePage() const override { return 20127; }
    String GetEncodingName() const override { return L"US-ASCII"; }
    bool IsSingleByte() const override { return true; }
};

// UTF-16 in either byte order.
class TUnicodeEncoding : public TEncoding {
    DECLARE_CLASS(TUnicodeEncoding, TEncoding)
public:
    explicit TUnicodeEncoding(bool ABigEndian) : FBigEndian(ABigEndian) {}
    TBytes GetPreamble() const override
    {
        return FBigEndian ? TBytes{0xFE, 0xFF} : TBytes{0xFF, 0xFE};
    }
    TBytes GetBytes(const String& S) const override
    {
        TBytes Result(S.size() * 2);
        for (size_t i = 0; i < S.size(); ++i) {
            Byte Lo = Byte(S[i] & 0xFF), Hi = Byte(S[i] >> 8);
            Result[2 * i] = FBigEndian ? Hi : Lo;
            Result[2 * i + 1] = FBigEndian ? Lo : Hi;
        }
        return Result;
    }
    // A lone final byte has no character to go into and is dropped.
    String GetString(const Byte* Bytes, NativeInt ByteCount) const override
    {
        String Result;
        if (!Bytes || ByteCount < 2) return Result;
        size_t N = size_t(ByteCount) / 2;
        Result.resize(N);
        for (size_t i = 0; i < N; ++i) {
            Byte A = Bytes[2 * i], B = Bytes[2 * i + 1];
            Result[i] = FBigEndian ? wchar_t((A << 8) | B) : wchar_t((B << 8) | A);
        }
        return Result;
    }
    NativeInt GetByteCount(const String& S) const override { return NativeInt(S.size() * 2); }
    Cardinal GetCodePage() const override { return FBigEndian ? 1201 : 1200; }
    String GetEncodingName() const override
    {
        return FBigEndian ? L"Unicode (UTF-16 big-endian)" : L"Unicode (UTF-16)";
    }

private:
    bool FBigEndian;
};

bool StartsWith(const Byte* Buffer, NativeInt Size, const TBytes& Preamble)
{
    return !Preamble.empty() && Size >= NativeInt(Preamble.size()) &&
           std::memcmp(Buffer, Preamble.data(), Preamble.size()) == 0;
}

}  // namespace

String TEncoding::GetString(const TBytes& Bytes, NativeInt ByteIndex, NativeInt ByteCount) const
{
    if (ByteIndex < 0 || ByteCount < 0 || ByteIndex + ByteCount > NativeInt(Bytes.size()))
        throw EEncodingError(L"Byte index or count out of range");
    return GetString(Bytes.data() + ByteIndex, ByteCount);
}

TEncoding* TEncoding::Default()
{
    static TMBCSEncoding Instance(CP_ACP, L"ANSI");
    return &Instance;
}

TEncoding* TEncoding::ASCII()
{
    static TASCIIEncoding Instance;
    return &Instance;
}

TEncoding* TEncoding::UTF8()
{
    static TUTF8Encoding Instance;
    return &Instance;
}

TEncoding* TEncoding::UTF7()
{
    static TUTF7Encoding Instance;
    return &Instance;
}

TEncoding* TEncoding::Unicode()
{
    static TUnicodeEncoding Instance(false);
    return &Instance;
}

TEncoding* TEncoding::BigEndianUnicode()
{
    static TUnicodeEncoding Instance(true);
    return &Instance;
}

bool TEncoding::IsStandardEncoding(const TEncoding* AEncoding)
{
    return AEncoding && (AEncoding == Default() || AEncoding == ASCII() || AEncoding == UTF8() ||
                         AEncoding == UTF7() || AEncoding == Unicode() ||
                         AEncoding == BigEndianUnicode());
}

TEncoding* TEncoding::GetEncoding(Cardinal CodePage)
{
    switch (CodePage) {
    case 1200: return new TUnicodeEncoding(false);
    case 1201: return new TUnicodeEncoding(true);
    case CP_UTF8: return new TUTF8Encoding();
    case CP_UTF7: return new TUTF7Encoding();
    case 20127: return new TASCIIEncoding();
    default: break;
    }
    if (CodePage != CP_ACP && !IsValidCodePage(CodePage))
        throw EEncodingError(L"No mapping for the code page " + std::to_wstring(CodePage));
    return new TMBCSEncoding(CodePage, L"Code page " + std::to_wstring(CodePage));
}

void TEncoding::FreeEncoding(TEncoding*& AEncoding)
{
    if (AEncoding && !IsStandardEncoding(AEncoding)) delete AEncoding;
    AEncoding = nullptr;
}

int TEncoding::GetBufferEncoding(const Byte* Buffer, NativeInt Size, TEncoding*& AEncoding,
                                 TEncoding* ADefaultEncoding)
{
    if (AEncoding) {
        TBytes Preamble = AEncoding->GetPreamble();
        return StartsWith(Buffer, Size, Preamble) ? int(Preamble.size()) : 0;
    }
    for (TEncoding* E : {UTF8(), Unicode(), BigEndianUnicode()}) {
        TBytes Preamble = E->GetPreamble();
        if (StartsWith(Buffer, Size, Preamble)) {
            AEncoding = E;
            return int(Preamble.size());
        }
    }
    AEncoding = ADefaultEncoding ? ADefaultEncoding : Default();
    return 0;
}

int TEncoding::GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding,
                                 TEncoding* ADefaultEncoding)
{
    return GetBufferEncoding(Buffer.data(), NativeInt(Buffer.size()), AEncoding, ADefaultEncoding);
}

TBytes TEncoding::Convert(TEncoding* Source, TEncoding* Destination, const TBytes& Bytes)
{
    if (!Source || !Destination) throw EEncodingError(L"No encoding given");
    return Destination->GetBytes(Source->GetString(Bytes));
}
