#include "Classes.h"

#include <algorithm>
#include <cstring>

namespace {

// The system's text for an error code, without the final line break.
String SystemErrorMessage(DWORD Code)
{
    wchar_t* Buffer = nullptr;
    DWORD Len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, Code, 0, reinterpret_cast<LPWSTR>(&Buffer), 0, nullptr);
    String Result;
    if (Len && Buffer) Result.assign(Buffer, Len);
    if (Buffer) LocalFree(Buffer);
    while (!Result.empty() && (Result.back() == L'\r' || Result.back() == L'\n' ||
                               Result.back() == L' ' || Result.back() == L'.'))
        Result.pop_back();
    if (Result.empty()) Result = L"System error " + std::to_wstring(Code);
    return Result + L".";
}

constexpr Integer MaxChunk = 0x10000;

}  // namespace

// ---- TStream ----------------------------------------------------------------------------------

Int64 TStream::GetSize()
{
    Int64 Pos = Seek(0, soCurrent);
    Int64 Result = Seek(0, soEnd);
    Seek(Pos, soBeginning);
    return Result;
}

void TStream::ReadBuffer(void* Buffer, NativeInt Count)
{
    Byte* P = static_cast<Byte*>(Buffer);
    while (Count > 0) {
        Integer Chunk = Integer(std::min<NativeInt>(Count, 0x40000000));
        Integer Got = Read(P, Chunk);
        if (Got <= 0) throw EReadError(Consts::SReadError);
        P += Got;
        Count -= Got;
    }
}

void TStream::WriteBuffer(const void* Buffer, NativeInt Count)
{
    const Byte* P = static_cast<const Byte*>(Buffer);
    while (Count > 0) {
        Integer Chunk = Integer(std::min<NativeInt>(Count, 0x40000000));
        Integer Put = Write(P, Chunk);
        if (Put <= 0) throw EWriteError(Consts::SWriteError);
        P += Put;
        Count -= Put;
    }
}

void TStream::ReadBuffer(TBytes& Buffer, NativeInt Count)
{
    if (Count < 0) throw EReadError(Consts::SReadError);
    Buffer.resize(size_t(Count));
    if (Count > 0) ReadBuffer(Buffer.data(), Count);
}

void TStream::WriteBuffer(const TBytes& Buffer)
{
    if (!Buffer.empty()) WriteBuffer(Buffer.data(), NativeInt(Buffer.size()));
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
    if (!Source) return 0;
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    Int64 Result = Count;
    std::vector<Byte> Buffer(size_t(std::min<Int64>(Count, MaxChunk)));
    while (Count > 0) {
        Integer N = Integer(std::min<Int64>(Count, MaxChunk));
        Source->ReadBuffer(Buffer.data(), N);
        WriteBuffer(Buffer.data(), N);
        Count -= N;
    }
    return Result;
}

// ---- THandleStream ----------------------------------------------------------------------------

Integer THandleStream::Read(void* Buffer, Integer Count)
{
    if (Count <= 0) return 0;
    DWORD Got = 0;
    if (!ReadFile(FHandle, Buffer, DWORD(Count), &Got, nullptr)) return -1;
    return Integer(Got);
}

Integer THandleStream::Write(const void* Buffer, Integer Count)
{
    if (Count <= 0) return 0;
    DWORD Put = 0;
    if (!WriteFile(FHandle, Buffer, DWORD(Count), &Put, nullptr)) return -1;
    return Integer(Put);
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    LARGE_INTEGER Move, NewPos;
    Move.QuadPart = Offset;
    DWORD Method = Origin == soBeginning ? FILE_BEGIN : Origin == soCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(FHandle, Move, &NewPos, Method)) return -1;
    return NewPos.QuadPart;
}

void THandleStream::SetSize(Int64 NewSize)
{
    Int64 Pos = GetPosition();
    if (Seek(NewSize, soBeginning) != NewSize || !SetEndOfFile(FHandle))
        throw EStreamError(L"Stream size could not be changed: " + SystemErrorMessage(GetLastError()));
    if (Pos < NewSize) Seek(Pos, soBeginning);
}

// ---- TFileStream ------------------------------------------------------------------------------

TFileStream::TFileStream(const String& AFileName, Word Mode, Cardinal Rights)
    : THandleStream(INVALID_HANDLE_VALUE), FFileName(AFileName)
{
    static const DWORD ShareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE};
    DWORD Share = ShareModes[std::min<unsigned>((Mode & 0xF0) >> 4, 4)];
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = CreateFileW(AFileName.c_str(), GENERIC_READ | GENERIC_WRITE, Share, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE) {
            DWORD Code = GetLastError();
            throw EFCreateError(Consts::SFCreateError, {AFileName, SystemErrorMessage(Code)});
        }
    } else {
        static const DWORD Access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        DWORD A = Access[std::min<unsigned>(Mode & 3, 2)];
        FHandle = CreateFileW(AFileName.c_str(), A, Share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE) {
            DWORD Code = GetLastError();
            throw EFOpenError(Consts::SFOpenError, {AFileName, SystemErrorMessage(Code)});
        }
    }
}

TFileStream::~TFileStream()
{
    if (FHandle != INVALID_HANDLE_VALUE && FHandle) CloseHandle(FHandle);
}

// ---- TCustomMemoryStream ----------------------------------------------------------------------

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 ASize)
{
    FMemory = Ptr;
    FSize = ASize;
}

Integer TCustomMemoryStream::Read(void* Buffer, Integer Count)
{
    if (FPosition < 0 || Count <= 0 || FPosition >= FSize) return 0;
    Int64 N = std::min<Int64>(Count, FSize - FPosition);
    std::memcpy(Buffer, static_cast<Byte*>(FMemory) + FPosition, size_t(N));
    FPosition += N;
    return Integer(N);
}

Integer TCustomMemoryStream::Write(const void* Buffer, Integer Count)
{
    throw EWriteError(Consts::SWriteError);
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
    }
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream)
{
    if (Stream && FSize > 0) Stream->WriteBuffer(FMemory, NativeInt(FSize));
}

void TCustomMemoryStream::SaveToFile(const String& FileName)
{
    TFileStream Stream(FileName, fmCreate);
    SaveToStream(&Stream);
}

// ---- TMemoryStream ----------------------------------------------------------------------------

void TMemoryStream::SetCapacity(Int64 NewCapacity)
{
    if (NewCapacity < FSize) NewCapacity = FSize;
    FData.resize(size_t(NewCapacity));
    FData.shrink_to_fit();
    FMemory = FData.empty() ? nullptr : FData.data();
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0) throw EStreamError(L"Invalid stream size");
    Int64 OldPosition = FPosition;
    if (NewSize > Int64(FData.size())) {
        // Grow by a quarter at least, so that many small writes stay cheap.
        Int64 Want = std::max<Int64>(NewSize, Int64(FData.size()) + Int64(FData.size()) / 4);
        try {
            FData.resize(size_t((Want + 0xFFF) & ~Int64(0xFFF)));
        } catch (const std::bad_alloc&) {
            throw EStreamError(Consts::SMemoryStreamError);
        } catch (const std::length_error&) {
            throw EStreamError(Consts::SMemoryStreamError);
        }
    } else if (NewSize < FSize) {
        std::fill(FData.begin() + NewSize, FData.begin() + FSize, Byte(0));
    }
    FMemory = FData.empty() ? nullptr : FData.data();
    FSize = NewSize;
    if (OldPosition > NewSize) FPosition = NewSize;
}

Integer TMemoryStream::Write(const void* Buffer, Integer Count)
{
    if (FPosition < 0 || Count <= 0) return 0;
    Int64 End = FPosition + Count;
    if (End > FSize) {
        Int64 Pos = FPosition;
        SetSize(End);
        FPosition = Pos;
    }
    std::memcpy(static_cast<Byte*>(FMemory) + FPosition, Buffer, size_t(Count));
    FPosition = End;
    return Count;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FMemory = nullptr;
    FSize = 0;
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    if (!Stream) return;
    Stream->SetPosition(0);
    Int64 Count = Stream->GetSize();
    SetSize(Count);
    if (Count > 0) Stream->ReadBuffer(FMemory, NativeInt(Count));
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&Stream);
}

// ---- TBytesStream / TStringStream -------------------------------------------------------------

TBytesStream::TBytesStream(const TBytes& ABytes)
{
    if (!ABytes.empty()) {
        WriteBuffer(ABytes.data(), NativeInt(ABytes.size()));
        FPosition = 0;
    }
}

TBytes TBytesStream::GetBytes() const
{
    return TBytes(FData.begin(), FData.begin() + FSize);
}

TStringStream::TStringStream() : FEncoding(TEncoding::Default()) {}

TStringStream::TStringStream(const String& AString, TEncoding* AEncoding, bool AOwnsEncoding)
    : TBytesStream(AEncoding ? AEncoding->GetBytes(AString) : TEncoding::Default()->GetBytes(AString)),
      FEncoding(AEncoding ? AEncoding : TEncoding::Default()),
      FOwnsEncoding(AEncoding && AOwnsEncoding)
{
}

TStringStream::TStringStream(const AnsiString& AString)
    : TBytesStream(TBytes(AString.begin(), AString.end())), FEncoding(TEncoding::Default())
{
}

TStringStream::TStringStream(const TBytes& ABytes)
    : TBytesStream(ABytes), FEncoding(TEncoding::Default())
{
}

TStringStream::~TStringStream()
{
    if (FOwnsEncoding) TEncoding::FreeEncoding(FEncoding);
}

String TStringStream::GetDataString() const
{
    return FEncoding->GetString(static_cast<const Byte*>(FMemory), NativeInt(FSize));
}

String TStringStream::ReadString(Integer Count)
{
    if (FPosition < 0 || FPosition >= FSize || Count <= 0) return String();
    Int64 N = std::min<Int64>(Count, FSize - FPosition);
    String Result = FEncoding->GetString(static_cast<const Byte*>(FMemory) + FPosition, NativeInt(N));
    FPosition += N;
    return Result;
}

void TStringStream::WriteString(const String& AString)
{
    WriteBuffer(FEncoding->GetBytes(AString));
}

// ---- TResourceStream --------------------------------------------------------------------------

TResourceStream::TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType)
{
    Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType)
{
    Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, std::to_wstring(ResID));
}

void TResourceStream::Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType,
                                 const String& ShownName)
{
    HRSRC Info = FindResourceW(Instance, Name, ResType);
    if (!Info) throw EResNotFound(Consts::SResNotFound, {ShownName});
    HGLOBAL Global = LoadResource(Instance, Info);
    void* Data = Global ? LockResource(Global) : nullptr;
    if (!Data) throw EResNotFound(Consts::SResNotFound, {ShownName});
    SetPointer(Data, SizeofResource(Instance, Info));
}

Integer TResourceStream::Write(const void* Buffer, Integer Count)
{
    throw EStreamError(L"Cannot write to a read-only resource stream");
}

// ---- TStreamAdapter ---------------------------------------------------------------------------

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership)
    : FStream(Stream), FOwnership(Ownership)
{
}

TStreamAdapter::~TStreamAdapter()
{
    if (FOwnership == soOwned && FStream) FStream->Free();
}

bool TStreamAdapter::GetInterface(REFIID IID, void** Obj)
{
    if (IsEqualIID(IID, IID_IStream) || IsEqualIID(IID, IID_ISequentialStream) ||
        IsEqualIID(IID, IID_IUnknown)) {
        *Obj = static_cast<IStream*>(this);
        return true;
    }
    return false;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (!pv) return STG_E_INVALIDPOINTER;
    try {
        Integer N = FStream->Read(pv, Integer(std::min<ULONG>(cb, 0x7FFFFFFF)));
        if (N < 0) N = 0;
        if (pcbRead) *pcbRead = ULONG(N);
        // A short read at the end succeeds, as the system's own streams answer it.
        return S_OK;
    } catch (...) {
        if (pcbRead) *pcbRead = 0;
        return STG_E_READFAULT;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (!pv) return STG_E_INVALIDPOINTER;
    try {
        Integer N = FStream->Write(pv, Integer(std::min<ULONG>(cb, 0x7FFFFFFF)));
        if (N < 0) N = 0;
        if (pcbWritten) *pcbWritten = ULONG(N);
        return ULONG(N) < cb ? STG_E_MEDIUMFULL : S_OK;
    } catch (...) {
        if (pcbWritten) *pcbWritten = 0;
        return STG_E_CANTSAVE;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                               ULARGE_INTEGER* plibNewPosition)
{
    if (dwOrigin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
        Int64 Old = FStream->GetPosition();
        Int64 Pos = FStream->Seek(dlibMove.QuadPart, TSeekOrigin(dwOrigin));
        if (Pos < 0) {
            FStream->Seek(Old, soBeginning);   // a seek before the start moves nothing
            return STG_E_INVALIDFUNCTION;
        }
        if (plibNewPosition) plibNewPosition->QuadPart = ULONGLONG(Pos);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDPOINTER;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER libNewSize)
{
    try {
        FStream->SetSize(Int64(libNewSize.QuadPart));
        return FStream->GetSize() == Int64(libNewSize.QuadPart) ? S_OK : E_FAIL;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* pstm, ULARGE_INTEGER cb,
                                                 ULARGE_INTEGER* pcbRead,
                                                 ULARGE_INTEGER* pcbWritten)
{
    if (!pstm) return STG_E_INVALIDPOINTER;
    ULONGLONG Read = 0, Written = 0, Left = cb.QuadPart;
    std::vector<Byte> Buffer(static_cast<size_t>(MaxChunk));
    HRESULT Result = S_OK;
    try {
        while (Left > 0) {
            Integer N = FStream->Read(Buffer.data(), Integer(std::min<ULONGLONG>(Left, MaxChunk)));
            if (N <= 0) break;
            Read += ULONGLONG(N);
            Left -= ULONGLONG(N);
            ULONG Put = 0;
            Result = pstm->Write(Buffer.data(), ULONG(N), &Put);
            Written += Put;
            if (FAILED(Result)) break;
            if (Put != ULONG(N)) {
                Result = STG_E_MEDIUMFULL;
                break;
            }
        }
    } catch (...) {
        Result = STG_E_READFAULT;
    }
    if (pcbRead) pcbRead->QuadPart = Read;
    if (pcbWritten) pcbWritten->QuadPart = Written;
    return Result;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD grfCommitFlags)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert()
{
    return STG_E_REVERTED;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* pstatstg, DWORD grfStatFlag)
{
    if (!pstatstg) return STG_E_INVALIDPOINTER;
    std::memset(pstatstg, 0, sizeof(*pstatstg));
    try {
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize.QuadPart = ULONGLONG(FStream->GetSize());
        pstatstg->grfMode = STGM_READWRITE;
        pstatstg->grfLocksSupported = 0;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** ppstm)
{
    if (ppstm) *ppstm = nullptr;
    return E_NOTIMPL;
}

// ---- IStream on a global memory copy ----------------------------------------------------------

IStream* CreateStreamOnHGlobalCopy(const void* Data, NativeUInt Size)
{
    HGLOBAL Global = GlobalAlloc(GMEM_MOVEABLE, Size ? Size : 1);
    if (!Global) throw EOutOfResources(L"Out of memory for a stream of " + std::to_wstring(Size) + L" bytes");
    // The stream owns the block once it is made; until then it is ours to free.
    auto Undo = ScopeFail([Global] { GlobalFree(Global); });
    if (Size) {
        TGlobalLock Lock(Global);
        if (!Lock) throw EOutOfResources(L"Cannot lock the memory of a stream");
        std::memcpy(Lock.Data(), Data, Size);
    }
    IStream* Stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(Global, TRUE, &Stream)) || !Stream)
        throw EOutOfResources(L"Cannot create a stream on global memory");
    Undo.Release();
    ULARGE_INTEGER NewSize;
    NewSize.QuadPart = Size;
    Stream->SetSize(NewSize);   // the block may be larger than asked
    return Stream;
}

IStream* CreateStreamOnHGlobalCopy(const TBytes& Bytes)
{
    return CreateStreamOnHGlobalCopy(Bytes.data(), Bytes.size());
}

IStream* CreateStreamOnHGlobalCopy(TStream* Stream)
{
    TBytes Bytes;
    if (Stream) {
        Stream->SetPosition(0);
        Stream->ReadBuffer(Bytes, NativeInt(Stream->GetSize()));
    }
    return CreateStreamOnHGlobalCopy(Bytes);
}

// ---- TTextFile --------------------------------------------------------------------------------

TTextFile::~TTextFile()
{
    try {
        Close();
    } catch (...) {
        // A failed final write cannot be reported from here.
    }
}

void TTextFile::IOError(const String& What) const
{
    throw EInOutError(What + L" (\"" + FFileName + L"\")");
}

void TTextFile::AssignFile(const String& AFileName)
{
    if (FMode != fmClosed) IOError(L"File is still open");
    FFileName = AFileName;
}

void TTextFile::Reset(TEncoding* AEncoding)
{
    Close();
    TBytes Bytes;
    try {
        TFileStream Stream(FFileName, fmOpenRead | fmShareDenyWrite);
        Stream.ReadBuffer(Bytes, NativeInt(Stream.GetSize()));
    } catch (EStreamError& E) {
        throw EInOutError(E.Message);
    }
    TEncoding* Found = nullptr;
    int Skip = TEncoding::GetBufferEncoding(Bytes, Found, AEncoding);
    FEncoding = Found;
    FText = Found->GetString(Bytes.data() + Skip, NativeInt(Bytes.size()) - Skip);
    FPos = 0;
    FMode = fmInput;
}

void TTextFile::Rewrite(TEncoding* AEncoding, bool WriteBOM)
{
    Close();
    try {
        FStream.reset(new TFileStream(FFileName, fmCreate | fmShareDenyWrite));
        FEncoding = AEncoding ? AEncoding : TEncoding::Default();
        if (WriteBOM) FStream->WriteBuffer(FEncoding->GetPreamble());
    } catch (EStreamError& E) {
        FStream.reset();
        throw EInOutError(E.Message);
    }
    FMode = fmOutput;
}

void TTextFile::Append(TEncoding* AEncoding)
{
    Close();
    DWORD Attr = GetFileAttributesW(FFileName.c_str());
    if (Attr == INVALID_FILE_ATTRIBUTES) {
        Rewrite(AEncoding, true);
        return;
    }
    try {
        FStream.reset(new TFileStream(FFileName, fmOpenReadWrite | fmShareDenyWrite));
        Byte Head[3] = {0, 0, 0};
        Integer Got = FStream->Read(Head, 3);
        TEncoding* Found = nullptr;
        TEncoding::GetBufferEncoding(Head, Got < 0 ? 0 : Got, Found, AEncoding);
        FEncoding = Found;
        FStream->Seek(0, soEnd);
    } catch (EStreamError& E) {
        FStream.reset();
        throw EInOutError(E.Message);
    }
    FMode = fmOutput;
}

String TTextFile::ReadLn()
{
    if (FMode != fmInput) IOError(L"File not open for input");
    const size_t N = FText.size();
    size_t Start = FPos, i = FPos;
    while (i < N && FText[i] != L'\r' && FText[i] != L'\n') ++i;
    String Line(FText, Start, i - Start);
    if (i < N) {
        if (FText[i] == L'\r' && i + 1 < N && FText[i + 1] == L'\n') ++i;
        ++i;
    }
    FPos = i;
    return Line;
}

bool TTextFile::Eof() const
{
    if (FMode == fmInput) return FPos >= FText.size();
    return true;
}

void TTextFile::Write(const String& S)
{
    if (FMode != fmOutput) IOError(L"File not open for output");
    FPending += S;
    if (FPending.size() >= 0x8000) Flush();
}

void TTextFile::WriteLn(const String& S)
{
    Write(S + L"\r\n");
}

void TTextFile::Flush()
{
    if (FMode != fmOutput || FPending.empty()) return;
    TBytes Bytes = FEncoding->GetBytes(FPending);
    FPending.clear();
    try {
        FStream->WriteBuffer(Bytes);
    } catch (EStreamError& E) {
        throw EInOutError(E.Message);
    }
}

void TTextFile::Close()
{
    if (FMode == fmOutput) {
        // A failed final write still closes the file.
        auto Undo = ScopeFail([this] {
            FStream.reset();
            FMode = fmClosed;
        });
        Flush();
    }
    FStream.reset();
    FText.clear();
    FPos = 0;
    FMode = fmClosed;
}
