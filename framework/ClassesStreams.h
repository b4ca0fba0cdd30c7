// Classes: streams over memory, files, handles, strings and resources; an IStream adapter; a
// line reader and writer for text files.
//
// Included at the end of Classes.h; include Classes.h rather than this file.
#pragma once

#include "Classes.h"

#include <type_traits>

// ---- TStream ----------------------------------------------------------------------------------

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
// The older names of the origins.
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

// An ordered run of bytes with a read/write position.
class TStream : public TObject {
    DECLARE_CLASS(TStream, TObject)
public:
    // Read and Write answer how many bytes they moved (fewer than Count at the end).
    virtual Integer Read(void* Buffer, Integer Count) = 0;
    virtual Integer Write(const void* Buffer, Integer Count) = 0;
    // Answers the new position.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    Int64 GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
    Int64 Position() { return GetPosition(); }
    virtual Int64 GetSize();
    // The default does nothing; streams that can change size override it.
    virtual void SetSize(Int64 NewSize) {}
    Int64 Size() { return GetSize(); }

    // Read or write exactly Count bytes, else raise EReadError "Stream read error" /
    // EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, NativeInt Count);
    void WriteBuffer(const void* Buffer, NativeInt Count);
    void ReadBuffer(TBytes& Buffer, NativeInt Count);   // resizes Buffer to Count first
    void WriteBuffer(const TBytes& Buffer);
    // Copies Count bytes from Source's position; Count 0 (or less) copies the whole of Source
    // from its start. Answers the bytes copied.
    Int64 CopyFrom(TStream* Source, Int64 Count = 0);

    // Plain values in the machine's byte order.
    template <class T>
    void ReadData(T& Value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        ReadBuffer(&Value, sizeof(T));
    }
    template <class T>
    void WriteData(const T& Value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        WriteBuffer(&Value, sizeof(T));
    }
    template <class T>
    T ReadValue()
    {
        T Value{};
        ReadData(Value);
        return Value;
    }
    Byte ReadByte() { return ReadValue<Byte>(); }
    Word ReadWord() { return ReadValue<Word>(); }
    Integer ReadInteger() { return ReadValue<Integer>(); }
    Int64 ReadInt64() { return ReadValue<Int64>(); }
    void WriteByte(Byte V) { WriteData(V); }
    void WriteWord(Word V) { WriteData(V); }
    void WriteInteger(Integer V) { WriteData(V); }
    void WriteInt64(Int64 V) { WriteData(V); }
};

// ---- THandleStream / TFileStream --------------------------------------------------------------

// Open modes: one access mode or'ed with one share mode, or fmCreate (with a share mode).
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;
constexpr Word fmCreate = 0xFF00;

// A stream over an open file handle, which it does not close.
class THandleStream : public TStream {
    DECLARE_CLASS(THandleStream, TStream)
public:
    explicit THandleStream(HANDLE AHandle) : FHandle(AHandle) {}
    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    HANDLE GetHandle() const { return FHandle; }
    HANDLE Handle() const { return FHandle; }

protected:
    HANDLE FHandle;
};

// A stream over a named file, opened or created by the constructor and closed by the destructor.
// Failures raise EFCreateError / EFOpenError naming the file and giving the system's reason.
class TFileStream : public THandleStream {
    DECLARE_CLASS(TFileStream, THandleStream)
public:
    TFileStream(const String& AFileName, Word Mode, Cardinal Rights = 0);
    ~TFileStream() override;
    const String& GetFileName() const { return FFileName; }
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
};

// ---- memory streams ---------------------------------------------------------------------------

// A stream over a block of memory it is given (SetPointer); reading and seeking only.
class TCustomMemoryStream : public TStream {
    DECLARE_CLASS(TCustomMemoryStream, TStream)
public:
    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;   // raises EWriteError here
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 GetSize() override { return FSize; }
    void* GetMemory() const { return FMemory; }
    void* Memory() const { return FMemory; }
    void SaveToStream(TStream* Stream);
    void SaveToFile(const String& FileName);

protected:
    void SetPointer(void* Ptr, Int64 ASize);

    void* FMemory = nullptr;
    Int64 FSize = 0;
    Int64 FPosition = 0;
};

// A memory stream that owns and grows its block.
class TMemoryStream : public TCustomMemoryStream {
    DECLARE_CLASS(TMemoryStream, TCustomMemoryStream)
public:
    TMemoryStream() = default;
    Integer Write(const void* Buffer, Integer Count) override;
    void SetSize(Int64 NewSize) override;
    void Clear();
    // Replaces the contents with the whole of Stream (from its start) or the file.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const String& FileName);
    Int64 GetCapacity() const { return Int64(FData.size()); }
    void SetCapacity(Int64 NewCapacity);

protected:
    std::vector<Byte> FData;   // the block; its length is the capacity
};

// A memory stream over bytes.
class TBytesStream : public TMemoryStream {
    DECLARE_CLASS(TBytesStream, TMemoryStream)
public:
    TBytesStream() = default;
    explicit TBytesStream(const TBytes& ABytes);
    // The contents (Size bytes).
    TBytes GetBytes() const;
    TBytes Bytes() const { return GetBytes(); }
};

// A memory stream over the bytes of a text in an encoding (Default, the ANSI code page, unless
// given). DataString decodes the whole contents.
class TStringStream : public TBytesStream {
    DECLARE_CLASS(TStringStream, TBytesStream)
public:
    TStringStream();
    explicit TStringStream(const String& AString, TEncoding* AEncoding = nullptr,
                           bool AOwnsEncoding = false);
    explicit TStringStream(const AnsiString& AString);   // the bytes as given
    explicit TStringStream(const TBytes& ABytes);
    ~TStringStream() override;

    String GetDataString() const;
    String DataString() const { return GetDataString(); }
    TEncoding* GetEncoding() const { return FEncoding; }
    // Reads Count bytes at the position and decodes them.
    String ReadString(Integer Count);
    // Encodes and writes at the position.
    void WriteString(const String& AString);

private:
    TEncoding* FEncoding;
    bool FOwnsEncoding = false;
};

// A read-only stream over a resource of a module. A missing resource raises EResNotFound
// "Resource %s not found".
class TResourceStream : public TCustomMemoryStream {
    DECLARE_CLASS(TResourceStream, TCustomMemoryStream)
public:
    TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType);
    TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType);
    Integer Write(const void* Buffer, Integer Count) override;   // raises EStreamError

private:
    void Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType,
                    const String& ShownName);
};

// ---- IStream ----------------------------------------------------------------------------------

enum TStreamOwnership { soReference, soOwned };

// An IStream over a TStream, for platform APIs that read or write through IStream (GDI+ image
// loading and saving). Reference counted from 0: the first AddRef comes with handing it out.
// With soOwned the TStream is freed with the adapter.
class TStreamAdapter : public TInterfacedObject, public IStream {
    DECLARE_CLASS(TStreamAdapter, TInterfacedObject)
public:
    TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);
    ~TStreamAdapter() override;
    INTERFACED_IUNKNOWN

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                   ULARGE_INTEGER* plibNewPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER libNewSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                     ULARGE_INTEGER* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD grfCommitFlags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                         DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb,
                                           DWORD dwLockType) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override;

    TStream* GetStream() const { return FStream; }

protected:
    bool GetInterface(REFIID IID, void** Obj) override;

private:
    TStream* FStream;
    TStreamOwnership FOwnership;
};

// A new IStream (reference count 1, the caller releases it) over a movable global memory copy of
// the bytes, which the stream frees when released. Raises EOutOfResources when memory runs out.
IStream* CreateStreamOnHGlobalCopy(const void* Data, NativeUInt Size);
IStream* CreateStreamOnHGlobalCopy(const TBytes& Bytes);
// The same over the whole of Stream (read from its start).
IStream* CreateStreamOnHGlobalCopy(TStream* Stream);

// ---- text files -------------------------------------------------------------------------------

// A line reader and writer for text files. Reading finds the encoding from the byte-order mark
// (else the one given, else ANSI) and splits lines at CR LF, CR or LF; writing uses the encoding
// given (ANSI by default) and ends lines with CR LF. I/O failures and use in the wrong mode raise
// EInOutError.
class TTextFile : public TObject {
    DECLARE_CLASS(TTextFile, TObject)
public:
    TTextFile() = default;
    explicit TTextFile(const String& AFileName) : FFileName(AFileName) {}
    ~TTextFile() override;

    void AssignFile(const String& AFileName);
    const String& GetFileName() const { return FFileName; }
    // Opens for reading from the start.
    void Reset(TEncoding* AEncoding = nullptr);
    // Creates (or empties) the file for writing; a preamble is written when WriteBOM is set and
    // the encoding has one.
    void Rewrite(TEncoding* AEncoding = nullptr, bool WriteBOM = true);
    // Opens for writing at the end, in the encoding the file's byte-order mark shows (else the one
    // given, else ANSI); creates the file when it does not exist.
    void Append(TEncoding* AEncoding = nullptr);
    String ReadLn();
    bool Eof() const;
    void Write(const String& S);
    void WriteLn(const String& S = String());
    void Flush();
    void Close();
    void CloseFile() { Close(); }
    bool IsOpen() const { return FMode != fmClosed; }
    TEncoding* GetEncoding() const { return FEncoding; }

private:
    enum TMode { fmClosed, fmInput, fmOutput };
    [[noreturn]] void IOError(const String& What) const;

    String FFileName;
    TMode FMode = fmClosed;
    TEncoding* FEncoding = nullptr;
    TFreePtr<TFileStream> FStream;
    String FText;            // reading: the decoded contents
    size_t FPos = 0;         // reading: index of the next character
    String FPending;         // writing: text not yet written
};
