// Classes: pointer lists, string lists and text encodings.
//
// Included at the end of Classes.h; include Classes.h rather than this file.
#pragma once

#include "Classes.h"

#include <vector>

class TStream;

using TBytes = std::vector<Byte>;

// ---- TList ------------------------------------------------------------------------------------

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Answers < 0, 0 or > 0 as Item1 sorts before, with or after Item2.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

// A list of untyped pointers. A bad index raises EListError "List index out of bounds (%d)".
class TList : public TObject {
    DECLARE_CLASS(TList, TObject)
public:
    TList() = default;
    ~TList() override;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Removes the first occurrence of Item; answers its former index or -1.
    int Remove(void* Item);
    // Takes Item out without lnDeleted (derived lists do not free it); answers it or nullptr.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    virtual void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    // A stable merge sort: items that compare equal keep their order.
    void Sort(const TListSortCompare& Compare);
    // Removes the nullptr items.
    void Pack();
    void Assign(TList* Source);

    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* Items(int Index) const { return Get(Index); }
    void* operator[](int Index) const { return Get(Index); }
    void* First() const;
    void* Last() const;

    int Count() const { return int(FList.size()); }
    int GetCount() const { return Count(); }
    // Growing pads with nullptr; shrinking drops the items past the new count.
    void SetCount(int NewCount);
    int GetCapacity() const { return int(FList.capacity()); }
    void SetCapacity(int NewCapacity);
    int Capacity() const { return GetCapacity(); }

    const std::vector<void*>& List() const { return FList; }

    [[noreturn]] static void Error(const String& Msg, NativeInt Data);

protected:
    virtual void Notify(void* Ptr, TListNotification Action) {}
    void CheckIndex(int Index) const;

private:
    std::vector<void*> FList;
};

// A list of objects that frees them (when OwnsObjects) as they are deleted or the list cleared.
class TObjectList : public TList {
    DECLARE_CLASS(TObjectList, TList)
public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override;

    int Add(TObject* AObject) { return TList::Add(AObject); }
    void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
    int Remove(TObject* AObject) { return TList::Remove(AObject); }
    int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
    TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
    TObject* GetItem(int Index) const { return static_cast<TObject*>(Get(Index)); }
    void SetItem(int Index, TObject* AObject) { Put(Index, AObject); }
    TObject* Items(int Index) const { return GetItem(Index); }
    TObject* operator[](int Index) const { return GetItem(Index); }
    bool GetOwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool FOwnsObjects;
};

// ---- TEncoding --------------------------------------------------------------------------------

// Converts between UTF-16 text and bytes. The standard encodings are shared instances that live
// as long as the program; encodings from GetEncoding belong to the caller.
class TEncoding : public TObject {
    DECLARE_CLASS(TEncoding, TObject)
public:
    virtual TBytes GetPreamble() const = 0;
    virtual TBytes GetBytes(const String& S) const = 0;
    virtual String GetString(const Byte* Bytes, NativeInt ByteCount) const = 0;
    String GetString(const TBytes& Bytes) const { return GetString(Bytes.data(), NativeInt(Bytes.size())); }
    String GetString(const TBytes& Bytes, NativeInt ByteIndex, NativeInt ByteCount) const;
    virtual NativeInt GetByteCount(const String& S) const { return NativeInt(GetBytes(S).size()); }
    virtual Cardinal GetCodePage() const = 0;
    virtual String GetEncodingName() const = 0;
    virtual bool IsSingleByte() const { return false; }

    // Shared instances.
    static TEncoding* Default();           // the ANSI code page (CP_ACP)
    static TEncoding* ANSI() { return Default(); }
    static TEncoding* ASCII();             // 7-bit; other characters become '?'
    static TEncoding* UTF8();
    static TEncoding* UTF7();
    static TEncoding* Unicode();           // UTF-16 little-endian
    static TEncoding* BigEndianUnicode();  // UTF-16 big-endian
    static bool IsStandardEncoding(const TEncoding* AEncoding);
    // A new encoding for a code page (the caller frees it); 1200/1201/65001 give new UTF
    // encodings too. An unknown code page raises EEncodingError.
    static TEncoding* GetEncoding(Cardinal CodePage);
    // Frees AEncoding unless it is one of the shared instances.
    static void FreeEncoding(TEncoding*& AEncoding);

    // Byte-order-mark detection. With AEncoding null on entry: looks for the UTF-8, UTF-16LE and
    // UTF-16BE marks, sets AEncoding to the match (or ADefaultEncoding, or Default when none) and
    // answers the mark's length (0 without one). With AEncoding set: answers the length of its
    // preamble when Buffer starts with it, else 0.
    static int GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding,
                                 TEncoding* ADefaultEncoding = nullptr);
    static int GetBufferEncoding(const Byte* Buffer, NativeInt Size, TEncoding*& AEncoding,
                                 TEncoding* ADefaultEncoding = nullptr);

    // Converts Bytes from one encoding to another.
    static TBytes Convert(TEncoding* Source, TEncoding* Destination, const TBytes& Bytes);
};

DECLARE_EXCEPTION(EEncodingError, Exception)

// ---- TStrings ---------------------------------------------------------------------------------

class TStrings;
class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };

// Compares the lines at Index1 and Index2 of List: < 0, 0 or > 0.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

// An abstract list of text lines, each with an associated object. A bad index raises
// EStringListError "List index out of bounds (%d)".
class TStrings : public TPersistent {
    DECLARE_CLASS(TStrings, TPersistent)
public:
    ~TStrings() override;

    // ---- what a descendant supplies
    virtual String Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Put(int Index, const String& S);
    virtual TObject* GetObjects(int Index) const { return nullptr; }
    virtual void PutObject(int Index, TObject* AObject) {}
    virtual void Insert(int Index, const String& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // ---- lines and objects
    int Count() const { return GetCount(); }
    String GetStrings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const String& S) { Put(Index, S); }
    String Strings(int Index) const { return Get(Index); }
    String operator[](int Index) const { return Get(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
    TObject* Objects(int Index) const { return GetObjects(Index); }

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void AddStrings(TStrings* Strings);
    void AddStrings(const std::vector<String>& Strings);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int IndexOf(const String& S) const;
    int IndexOfName(const String& Name) const;
    int IndexOfObject(TObject* AObject) const;
    bool Equals(TStrings* Strings) const;
    void Assign(TPersistent* Source) override;
    void SetStringsFrom(const std::vector<String>& Lines);
    std::vector<String> ToStringArray() const;

    // ---- change batching: OnChanging at the outermost BeginUpdate, OnChange at its EndUpdate
    void BeginUpdate();
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    // ---- text forms
    // Every line followed by LineBreak (unless TrailingLineBreak is off); "" for an empty list.
    virtual String GetText() const;
    // Splits at CR LF, CR or LF (or at LineBreak when that was changed); a final break adds no line.
    virtual void SetText(const String& Value);
    String Text() const { return GetText(); }
    String GetCommaText() const;
    void SetCommaText(const String& Value);
    String CommaText() const { return GetCommaText(); }
    String GetDelimitedText() const;
    void SetDelimitedText(const String& Value);
    String DelimitedText() const { return GetDelimitedText(); }

    wchar_t GetDelimiter() const { return FDelimiter; }
    void SetDelimiter(wchar_t Value) { FDelimiter = Value; }
    wchar_t GetQuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(wchar_t Value) { FQuoteChar = Value; }
    bool GetStrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    const String& GetLineBreak() const { return FLineBreak; }
    void SetLineBreak(const String& Value) { FLineBreak = Value; }
    bool GetTrailingLineBreak() const { return FTrailingLineBreak; }
    void SetTrailingLineBreak(bool Value) { FTrailingLineBreak = Value; }

    // ---- name=value lines
    wchar_t GetNameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(wchar_t Value) { FNameValueSeparator = Value; }
    // The text before the first separator; "" when the line has none.
    String GetNames(int Index) const;
    String Names(int Index) const { return GetNames(Index); }
    // The text after the first separator of the named line; "" when there is no such line.
    String GetValue(const String& Name) const;
    // Replaces or adds the named line; an empty Value deletes the line.
    void SetValue(const String& Name, const String& Value);
    String Values(const String& Name) const { return GetValue(Name); }
    void SetValues(const String& Name, const String& Value) { SetValue(Name, Value); }
    String GetValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);
    String ValueFromIndex(int Index) const { return GetValueFromIndex(Index); }

    // ---- files and streams
    // Without an encoding the byte-order mark decides (UTF-8, UTF-16LE, UTF-16BE), else
    // DefaultEncoding (ANSI unless set). The encoding found is kept in Encoding for saving.
    virtual void LoadFromFile(const String& FileName, TEncoding* AEncoding = nullptr);
    virtual void LoadFromStream(TStream* Stream, TEncoding* AEncoding = nullptr);
    // Without an encoding: the one loaded with, else DefaultEncoding. The preamble is written
    // when WriteBOM is on.
    virtual void SaveToFile(const String& FileName, TEncoding* AEncoding = nullptr) const;
    virtual void SaveToStream(TStream* Stream, TEncoding* AEncoding = nullptr) const;
    TEncoding* GetEncoding() const { return FEncoding; }
    TEncoding* GetDefaultEncoding() const;
    void SetDefaultEncoding(TEncoding* Value);
    bool GetWriteBOM() const { return FWriteBOM; }
    void SetWriteBOM(bool Value) { FWriteBOM = Value; }

    // Compares two lines the way this list does (case-insensitive locale collation here).
    virtual int CompareStrings(const String& S1, const String& S2) const;

protected:
    using TLines = std::vector<std::pair<String, TObject*>>;
    // Adds many lines as AddObject would one by one (the bulk paths of AddStrings, Text,
    // CommaText and Assign come through here).
    virtual void AddLines(TLines&& Lines);
    // Called with true at the outermost BeginUpdate and false at its EndUpdate.
    virtual void SetUpdateState(bool Updating) {}
    void CheckIndex(int Index, int Limit) const;
    [[noreturn]] static void IndexError(int Index);
    [[noreturn]] static void Error(const String& Msg);
    // Takes ownership of a non-standard encoding.
    void SetEncoding(TEncoding* Value);

    int FUpdateCount = 0;

private:
    wchar_t FDelimiter = L',';
    wchar_t FQuoteChar = L'"';
    wchar_t FNameValueSeparator = L'=';
    bool FStrictDelimiter = false;
    bool FTrailingLineBreak = true;
    bool FWriteBOM = true;
    String FLineBreak = L"\r\n";
    TEncoding* FEncoding = nullptr;
    TEncoding* FDefaultEncoding = nullptr;
};

// A TStrings that stores its lines, optionally sorted, with change events.
class TStringList : public TStrings {
    DECLARE_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    explicit TStringList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
    ~TStringList() override;

    String Get(int Index) const override;
    int GetCount() const override { return int(FList.size()); }
    void Put(int Index, const String& S) override;
    TObject* GetObjects(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const String& S) const override;
    String GetText() const override;

    // Binary search of a sorted list: true when found, Index the first match or where S would go.
    // On an unsorted list, a linear search.
    virtual bool Find(const String& S, int& Index) const;
    // Sorts by CompareStrings; lines that compare equal keep their order.
    virtual void Sort();
    // Sorts with Compare, which is given indexes into the list as it was before the sort.
    // A Sorted list keeps its order and ignores this.
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool GetOwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
    int GetCapacity() const { return int(FList.capacity()); }
    void SetCapacity(int Value);

    int CompareStrings(const String& S1, const String& S2) const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();
    void InsertItem(int Index, const String& S, TObject* AObject);
    // A sorted list takes many lines at once by sorting once.
    void AddLines(TLines&& Lines) override;

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    // Stable sort by collation keys; with DropDuplicates, a line from FirstNew on that equals
    // one before it in the sorted order is dropped.
    void SortByKeys(bool DropDuplicates = false, size_t FirstNew = 0);
    int AddSorted(const String& S, TObject* AObject);
    void CheckNotSorted() const;
    void FreeObject(TObject* AObject);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

// Locale collation as the string lists use it (CompareStringW on the user locale).
int StringListCompareText(const String& S1, const String& S2);  // case-insensitive
int StringListCompareStr(const String& S1, const String& S2);   // case-sensitive
