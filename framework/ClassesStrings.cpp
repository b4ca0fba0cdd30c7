#include "Classes.h"

#include <algorithm>
#include <cstring>
#include <numeric>

// ---- collation --------------------------------------------------------------------------------

namespace {

int CompareLocale(const String& S1, const String& S2, DWORD Flags)
{
    int R = CompareStringW(LOCALE_USER_DEFAULT, Flags, S1.data(), int(S1.size()), S2.data(),
                           int(S2.size()));
    if (R == 0) return S1.compare(S2) < 0 ? -1 : (S1 == S2 ? 0 : 1);  // no collation at all
    return R - CSTR_EQUAL;
}

// The collation key of S: comparing two keys bytewise answers as CompareStringW with the same
// flags would.
std::string SortKey(const String& S, DWORD Flags)
{
    std::string Key;
    if (S.empty()) return Key;
    int Len = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | Flags, S.data(), int(S.size()),
                           nullptr, 0);
    if (Len <= 0) return Key;
    Key.resize(size_t(Len));
    LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | Flags, S.data(), int(S.size()),
                 reinterpret_cast<LPWSTR>(Key.data()), Len);
    while (!Key.empty() && Key.back() == 0) Key.pop_back();  // the terminating zero
    return Key;
}

}  // namespace

int StringListCompareText(const String& S1, const String& S2)
{
    return CompareLocale(S1, S2, NORM_IGNORECASE);
}

int StringListCompareStr(const String& S1, const String& S2)
{
    return CompareLocale(S1, S2, 0);
}

// ---- TStrings ---------------------------------------------------------------------------------

TStrings::~TStrings()
{
    TEncoding::FreeEncoding(FEncoding);
}

void TStrings::IndexError(int Index)
{
    throw EStringListError(Consts::SListIndexError, {Index});
}

void TStrings::Error(const String& Msg)
{
    throw EStringListError(Msg);
}

void TStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index >= Limit) IndexError(Index);
}

void TStrings::Put(int Index, const String& S)
{
    TObject* Obj = GetObjects(Index);
    UpdateBlock(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, Obj);
    });
}

int TStrings::Add(const String& S)
{
    int Index = GetCount();
    Insert(Index, S);
    return Index;
}

int TStrings::AddObject(const String& S, TObject* AObject)
{
    int Index = Add(S);
    PutObject(Index, AObject);
    return Index;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddLines(TLines&& Lines)
{
    for (auto& L : Lines) AddObject(L.first, L.second);
}

void TStrings::AddStrings(TStrings* Strings)
{
    if (!Strings) return;
    // Copy first: Strings may be this list.
    TLines Lines;
    Lines.reserve(size_t(Strings->GetCount()));
    for (int i = 0; i < Strings->GetCount(); ++i)
        Lines.emplace_back(Strings->Get(i), Strings->GetObjects(i));
    UpdateBlock(*this, [&] {
        AddLines(std::move(Lines));
    });
}

void TStrings::AddStrings(const std::vector<String>& Strings)
{
    TLines Lines;
    Lines.reserve(Strings.size());
    for (auto& S : Strings) Lines.emplace_back(S, nullptr);
    UpdateBlock(*this, [&] {
        AddLines(std::move(Lines));
    });
}

void TStrings::SetStringsFrom(const std::vector<String>& Strings)
{
    TLines Lines;
    Lines.reserve(Strings.size());
    for (auto& S : Strings) Lines.emplace_back(S, nullptr);
    UpdateBlock(*this, [&] {
        Clear();
        AddLines(std::move(Lines));
    });
}

std::vector<String> TStrings::ToStringArray() const
{
    std::vector<String> Result;
    Result.reserve(size_t(GetCount()));
    for (int i = 0; i < GetCount(); ++i) Result.push_back(Get(i));
    return Result;
}

void TStrings::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, GetCount());
    CheckIndex(Index2, GetCount());
    if (Index1 == Index2) return;
    UpdateBlock(*this, [&] {
        String S = Get(Index1);
        TObject* O = GetObjects(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObjects(Index2));
        Put(Index2, S);
        PutObject(Index2, O);
    });
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex, GetCount());
    CheckIndex(NewIndex, GetCount());
    UpdateBlock(*this, [&] {
        String S = Get(CurIndex);
        TObject* O = GetObjects(CurIndex);
        PutObject(CurIndex, nullptr);  // the object travels; it is not freed on the way
        Delete(CurIndex);
        InsertObject(NewIndex, S, O);
    });
}

int TStrings::CompareStrings(const String& S1, const String& S2) const
{
    return StringListCompareText(S1, S2);
}

int TStrings::IndexOf(const String& S) const
{
    int N = GetCount();
    for (int i = 0; i < N; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const
{
    int N = GetCount();
    for (int i = 0; i < N; ++i) {
        String S = Get(i);
        auto P = S.find(FNameValueSeparator);
        if (P != String::npos && StringListCompareText(S.substr(0, P), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    int N = GetCount();
    for (int i = 0; i < N; ++i)
        if (GetObjects(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const
{
    if (!Strings) return false;
    int N = GetCount();
    if (N != Strings->GetCount()) return false;
    for (int i = 0; i < N; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

void TStrings::Assign(TPersistent* Source)
{
    auto* Src = dynamic_cast<TStrings*>(Source);
    if (!Src) {
        TPersistent::Assign(Source);
        return;
    }
    if (Src == this) return;
    UpdateBlock(*this, [&] {
        FDelimiter = Src->FDelimiter;
        FQuoteChar = Src->FQuoteChar;
        FNameValueSeparator = Src->FNameValueSeparator;
        FStrictDelimiter = Src->FStrictDelimiter;
        FLineBreak = Src->FLineBreak;
        FTrailingLineBreak = Src->FTrailingLineBreak;
        FWriteBOM = Src->FWriteBOM;
        SetDefaultEncoding(Src->FDefaultEncoding);
        Clear();
        AddStrings(Src);
    });
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount <= 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

// ---- text forms

String TStrings::GetText() const
{
    int N = GetCount();
    String Result;
    size_t Len = 0;
    for (int i = 0; i < N; ++i) Len += Get(i).size() + FLineBreak.size();
    Result.reserve(Len);
    for (int i = 0; i < N; ++i) {
        Result += Get(i);
        if (FTrailingLineBreak || i + 1 < N) Result += FLineBreak;
    }
    return Result;
}

void TStrings::SetText(const String& Value)
{
    std::vector<String> Lines;
    const size_t N = Value.size();
    size_t Start = 0, i = 0;
    if (FLineBreak == L"\r\n" || FLineBreak.empty()) {
        while (i < N) {
            wchar_t C = Value[i];
            if (C == L'\r' || C == L'\n') {
                Lines.emplace_back(Value, Start, i - Start);
                if (C == L'\r' && i + 1 < N && Value[i + 1] == L'\n') ++i;
                Start = ++i;
            } else {
                ++i;
            }
        }
    } else {
        while (true) {
            size_t P = Value.find(FLineBreak, Start);
            if (P == String::npos) break;
            Lines.emplace_back(Value, Start, P - Start);
            Start = P + FLineBreak.size();
        }
    }
    if (Start < N) Lines.emplace_back(Value, Start, N - Start);
    SetStringsFrom(Lines);
}

String TStrings::GetDelimitedText() const
{
    int N = GetCount();
    if (N == 1 && Get(0).empty()) return String(2, FQuoteChar);
    String Result;
    for (int i = 0; i < N; ++i) {
        String S = Get(i);
        bool Quote = false;
        for (wchar_t C : S) {
            if (C == FQuoteChar || C == FDelimiter || C == 0 || (!FStrictDelimiter && C <= L' ')) {
                Quote = true;
                break;
            }
        }
        if (Quote) {
            String Q(1, FQuoteChar);
            for (wchar_t C : S) {
                Q += C;
                if (C == FQuoteChar) Q += C;
            }
            Q += FQuoteChar;
            S = Q;
        }
        if (i > 0) Result += FDelimiter;
        Result += S;
    }
    return Result;
}

void TStrings::SetDelimitedText(const String& Value)
{
    std::vector<String> Items;
    const size_t N = Value.size();
    size_t P = 0;
    auto SkipBlanks = [&] {
        if (!FStrictDelimiter)
            while (P < N && Value[P] >= 1 && Value[P] <= L' ') ++P;
    };
    SkipBlanks();
    while (P < N) {
        String S;
        if (Value[P] == FQuoteChar) {
            ++P;
            while (P < N) {
                if (Value[P] == FQuoteChar) {
                    if (P + 1 < N && Value[P + 1] == FQuoteChar) {
                        S += FQuoteChar;
                        P += 2;
                        continue;
                    }
                    ++P;
                    break;
                }
                S += Value[P++];
            }
        } else {
            size_t Start = P;
            while (P < N && Value[P] != FDelimiter && (FStrictDelimiter || Value[P] > L' ')) ++P;
            S.assign(Value, Start, P - Start);
        }
        Items.push_back(S);
        SkipBlanks();
        if (P < N && Value[P] == FDelimiter) {
            if (P + 1 == N) Items.emplace_back();  // a final delimiter ends with an empty item
            ++P;
            SkipBlanks();
        }
    }
    SetStringsFrom(Items);
}

String TStrings::GetCommaText() const
{
    auto* Self = const_cast<TStrings*>(this);
    TValueScope<wchar_t> Delimiter(Self->FDelimiter, L',');
    TValueScope<wchar_t> Quote(Self->FQuoteChar, L'"');
    TValueScope<bool> Strict(Self->FStrictDelimiter, false);
    return GetDelimitedText();
}

void TStrings::SetCommaText(const String& Value)
{
    TValueScope<wchar_t> Delimiter(FDelimiter, L',');
    TValueScope<wchar_t> Quote(FQuoteChar, L'"');
    TValueScope<bool> Strict(FStrictDelimiter, false);
    SetDelimitedText(Value);
}

// ---- name=value lines

String TStrings::GetNames(int Index) const
{
    String S = Get(Index);
    auto P = S.find(FNameValueSeparator);
    return P == String::npos ? String() : S.substr(0, P);
}

String TStrings::GetValue(const String& Name) const
{
    int I = IndexOfName(Name);
    return I < 0 ? String() : GetValueFromIndex(I);
}

void TStrings::SetValue(const String& Name, const String& Value)
{
    int I = IndexOfName(Name);
    if (!Value.empty()) {
        String Line = Name + FNameValueSeparator + Value;
        if (I < 0) Add(Line); else Put(I, Line);
    } else if (I >= 0) {
        Delete(I);
    }
}

String TStrings::GetValueFromIndex(int Index) const
{
    if (Index < 0) return String();
    String S = Get(Index);
    auto P = S.find(FNameValueSeparator);
    return P == String::npos ? String() : S.substr(P + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value)
{
    if (!Value.empty()) {
        if (Index < 0) Index = Add(String());
        Put(Index, GetNames(Index) + FNameValueSeparator + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

// ---- files and streams

TEncoding* TStrings::GetDefaultEncoding() const
{
    return FDefaultEncoding ? FDefaultEncoding : TEncoding::Default();
}

void TStrings::SetDefaultEncoding(TEncoding* Value)
{
    // Only the shared encodings are kept by reference; others are the caller's.
    FDefaultEncoding = Value;
}

void TStrings::SetEncoding(TEncoding* Value)
{
    if (Value == FEncoding) return;
    TEncoding::FreeEncoding(FEncoding);
    FEncoding = Value;
}

void TStrings::LoadFromFile(const String& FileName, TEncoding* AEncoding)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&Stream, AEncoding);
}

void TStrings::LoadFromStream(TStream* Stream, TEncoding* AEncoding)
{
    if (!Stream) return;
    Int64 Size = Stream->GetSize() - Stream->GetPosition();
    if (Size < 0) Size = 0;
    TBytes Buffer;
    Stream->ReadBuffer(Buffer, NativeInt(Size));
    TEncoding* Found = AEncoding;
    int Skip = TEncoding::GetBufferEncoding(Buffer, Found, GetDefaultEncoding());
    String Text = Found->GetString(Buffer.data() + Skip, NativeInt(Buffer.size()) - Skip);
    // A shared encoding is kept by reference, a caller's own one as a copy of the list's
    // (when its code page can make one).
    TEncoding* Kept = Found;
    if (!TEncoding::IsStandardEncoding(Found)) {
        try {
            Kept = TEncoding::GetEncoding(Found->GetCodePage());
        } catch (EEncodingError&) {
            Kept = nullptr;
        }
    }
    SetEncoding(Kept);
    SetText(Text);
}

void TStrings::SaveToFile(const String& FileName, TEncoding* AEncoding) const
{
    // The bytes are made before the file is emptied.
    TMemoryStream Bytes;
    SaveToStream(&Bytes, AEncoding);
    TFileStream Stream(FileName, fmCreate);
    Bytes.SaveToStream(&Stream);
}

void TStrings::SaveToStream(TStream* Stream, TEncoding* AEncoding) const
{
    if (!Stream) return;
    TEncoding* E = AEncoding ? AEncoding : (FEncoding ? FEncoding : GetDefaultEncoding());
    if (FWriteBOM) {
        TBytes Preamble = E->GetPreamble();
        if (!Preamble.empty()) Stream->WriteBuffer(Preamble);
    }
    TBytes Bytes = E->GetBytes(GetText());
    if (!Bytes.empty()) Stream->WriteBuffer(Bytes);
}

// ---- TStringList ------------------------------------------------------------------------------

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& Item : FList) FreeObject(Item.FObject);
    FList.clear();
}

void TStringList::FreeObject(TObject* AObject)
{
    if (AObject) AObject->Free();
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
    if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    // Called around the count change: outside the batch both times.
    TValueScope Outside(FUpdateCount, 0);
    if (Updating) Changing(); else Changed();
}

void TStringList::CheckNotSorted() const
{
    if (FSorted) Error(Consts::SSortedListError);
}

String TStringList::Get(int Index) const
{
    CheckIndex(Index, GetCount());
    return FList[size_t(Index)].FString;
}

void TStringList::Put(int Index, const String& S)
{
    CheckNotSorted();
    CheckIndex(Index, GetCount());
    Changing();
    FList[size_t(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObjects(int Index) const
{
    CheckIndex(Index, GetCount());
    return FList[size_t(Index)].FObject;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index, GetCount());
    Changing();
    FList[size_t(Index)].FObject = AObject;
    Changed();
}

int TStringList::Add(const String& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject)
{
    if (FSorted) return AddSorted(S, AObject);
    int Index = GetCount();
    InsertItem(Index, S, AObject);
    return Index;
}

int TStringList::AddSorted(const String& S, TObject* AObject)
{
    int Index;
    if (Find(S, Index)) {
        switch (FDuplicates) {
        case dupIgnore: return Index;
        case dupError: Error(Consts::SDuplicateString);
        case dupAccept:
            // After the equal lines already there: equal lines keep the order they came in.
            while (Index < GetCount() && CompareStrings(FList[size_t(Index)].FString, S) == 0)
                ++Index;
            break;
        }
    }
    InsertItem(Index, S, AObject);
    return Index;
}

void TStringList::Insert(int Index, const String& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject)
{
    CheckNotSorted();
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject)
{
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index, GetCount());
    Changing();
    TObject* Obj = FList[size_t(Index)].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects) FreeObject(Obj);
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem> Old;
    Old.swap(FList);
    if (FOwnsObjects)
        for (auto& Item : Old) FreeObject(Item.FObject);
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, GetCount());
    CheckIndex(Index2, GetCount());
    if (Index1 == Index2) return;
    CheckNotSorted();
    Changing();
    std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex, GetCount());
    CheckIndex(NewIndex, GetCount());
    CheckNotSorted();
    Changing();
    TStringItem Item = std::move(FList[size_t(CurIndex)]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(Item));
    Changed();
}

int TStringList::IndexOf(const String& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    int Index;
    return Find(S, Index) ? Index : -1;
}

String TStringList::GetText() const
{
    if (GetTrailingLineBreak() && GetLineBreak() == L"\r\n") {
        size_t Len = 0;
        for (auto& Item : FList) Len += Item.FString.size() + 2;
        String Result;
        Result.reserve(Len);
        for (auto& Item : FList) {
            Result += Item.FString;
            Result += L"\r\n";
        }
        return Result;
    }
    return TStrings::GetText();
}

void TStringList::AddLines(TLines&& Lines)
{
    // Inserting one by one into a sorted list moves the tail each time; with dupError the
    // list must stop at the first duplicate, so that case goes one by one.
    if (!FSorted || FDuplicates == dupError || Lines.size() < 16) {
        if (!FSorted) FList.reserve(FList.size() + Lines.size());
        TStrings::AddLines(std::move(Lines));
        return;
    }
    Changing();
    const size_t FirstNew = FList.size();
    FList.reserve(FList.size() + Lines.size());
    for (auto& L : Lines) FList.push_back(TStringItem{std::move(L.first), L.second});
    // The lines already there come first, so they win over equal new ones (dupIgnore) or
    // precede them (dupAccept), as single adds would have it.
    SortByKeys(FDuplicates == dupIgnore, FirstNew);
    Changed();
}

bool TStringList::Find(const String& S, int& Index) const
{
    if (!FSorted) {
        Index = TStrings::IndexOf(S);
        if (Index >= 0) return true;
        Index = GetCount();
        return false;
    }
    // The first line not before S.
    int L = 0, H = GetCount();
    while (L < H) {
        int I = L + (H - L) / 2;
        if (CompareStrings(FList[size_t(I)].FString, S) < 0) L = I + 1; else H = I;
    }
    Index = L;
    return L < GetCount() && CompareStrings(FList[size_t(L)].FString, S) == 0;
}

int TStringList::CompareStrings(const String& S1, const String& S2) const
{
    return FCaseSensitive ? StringListCompareStr(S1, S2) : StringListCompareText(S1, S2);
}

void TStringList::Sort()
{
    if (FList.size() < 2) return;
    Changing();
    SortByKeys();
    Changed();
}

// One collation key per line, then a stable sort on the keys.
void TStringList::SortByKeys(bool DropDuplicates, size_t FirstNew)
{
    const DWORD Flags = FCaseSensitive ? 0 : NORM_IGNORECASE;
    const size_t N = FList.size();
    std::vector<std::string> Keys(N);
    for (size_t i = 0; i < N; ++i) Keys[i] = SortKey(FList[i].FString, Flags);
    std::vector<size_t> Order(N);
    std::iota(Order.begin(), Order.end(), size_t(0));
    std::stable_sort(Order.begin(), Order.end(),
                     [&](size_t A, size_t B) { return Keys[A].compare(Keys[B]) < 0; });
    std::vector<TStringItem> Sorted;
    Sorted.reserve(N);
    const std::string* LastKept = nullptr;
    for (size_t k = 0; k < N; ++k) {
        size_t i = Order[k];
        if (DropDuplicates && i >= FirstNew && LastKept && *LastKept == Keys[i]) continue;
        Sorted.push_back(std::move(FList[i]));
        LastKept = &Keys[i];
    }
    FList.swap(Sorted);
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    // A sorted list keeps its own order (its searches depend on it).
    if (!Compare || FSorted || FList.size() < 2) return;
    Changing();
    auto Done = ScopeExit([this] { Changed(); });
    // The comparison sees the list as it was: indexes are sorted, the lines moved at the end.
    std::vector<int> Order(FList.size());
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(this, A, B) < 0; });
    std::vector<TStringItem> Sorted;
    Sorted.reserve(FList.size());
    for (int i : Order) Sorted.push_back(std::move(FList[size_t(i)]));
    FList.swap(Sorted);
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value) return;
    FCaseSensitive = Value;
    if (FSorted) Sort();
}

void TStringList::SetCapacity(int Value)
{
    if (Value > int(FList.capacity())) FList.reserve(size_t(Value));
}
