// Streams over memory, files, strings and resources; the IStream adapter; text files.
#include "framework/Classes.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <cstring>

namespace {

// A fresh folder under the temporary folder, removed with its files at the end.
class TempDir : public testing::Test {
protected:
    void SetUp() override
    {
        wchar_t Base[MAX_PATH];
        GetTempPathW(MAX_PATH, Base);
        Dir = String(Base) + L"classes_streams_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(Dir.c_str(), nullptr);
    }
    void TearDown() override
    {
        WIN32_FIND_DATAW F;
        HANDLE H = FindFirstFileW((Dir + L"\\*").c_str(), &F);
        if (H != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileW((Dir + L"\\" + F.cFileName).c_str());
            } while (FindNextFileW(H, &F));
            FindClose(H);
        }
        RemoveDirectoryW(Dir.c_str());
    }
    String Path(const String& Name) const { return Dir + L"\\" + Name; }
    String Dir;
};

TBytes ContentsOf(TCustomMemoryStream& M)
{
    auto* P = static_cast<Byte*>(M.Memory());
    return TBytes(P, P + M.GetSize());
}

}  // namespace

TEST(ClassesStreams, MemoryStreamValuesSeekAndSize)
{
    TMemoryStream M;
    M.WriteInteger(0x11223344);
    M.WriteWord(0xBEEF);
    M.WriteData(2.5);
    EXPECT_EQ(M.GetSize(), 14);
    EXPECT_EQ(M.GetPosition(), 14);

    EXPECT_EQ(M.Seek(0, soFromBeginning), 0);
    EXPECT_EQ(M.ReadInteger(), 0x11223344);
    EXPECT_EQ(M.Seek(-8, soEnd), 6);
    EXPECT_EQ(M.ReadValue<double>(), 2.5);
    EXPECT_EQ(M.Seek(-10, soCurrent), 4);
    EXPECT_EQ(M.ReadWord(), 0xBEEF);

    // Reading past the end moves what there is, ReadBuffer raises.
    Byte Buf[32];
    M.SetPosition(12);
    EXPECT_EQ(M.Read(Buf, 32), 2);
    EXPECT_EQ(M.Read(Buf, 32), 0);
    M.SetPosition(12);
    try {
        M.ReadBuffer(Buf, 4);
        FAIL() << "no error";
    } catch (EReadError& E) {
        EXPECT_EQ(E.Message, Consts::SReadError);
    }

    // Writing past the end fills the gap with zeros; shrinking pulls the position back.
    M.SetPosition(20);
    M.WriteByte(7);
    EXPECT_EQ(M.GetSize(), 21);
    EXPECT_EQ(static_cast<Byte*>(M.Memory())[16], 0);
    M.SetSize(3);
    EXPECT_EQ(M.GetPosition(), 3);
    EXPECT_EQ(ContentsOf(M), (TBytes{0x44, 0x33, 0x22}));
    M.Clear();
    EXPECT_EQ(M.GetSize(), 0);
    EXPECT_EQ(M.GetPosition(), 0);
}

TEST(ClassesStreams, CopyFromWholeOrPart)
{
    TBytesStream Source(TBytes{1, 2, 3, 4, 5});
    TMemoryStream Dest;
    Source.SetPosition(3);
    EXPECT_EQ(Dest.CopyFrom(&Source, 0), 5);   // 0: all of it, from the start
    EXPECT_EQ(ContentsOf(Dest), (TBytes{1, 2, 3, 4, 5}));
    Source.SetPosition(1);
    EXPECT_EQ(Dest.CopyFrom(&Source, 2), 2);
    EXPECT_EQ(ContentsOf(Dest), (TBytes{1, 2, 3, 4, 5, 2, 3}));
    EXPECT_THROW(Dest.CopyFrom(&Source, 10), EReadError);
}

TEST_F(TempDir, FileStreamRoundTripAndModes)
{
    const String Name = Path(L"data.bin");
    {
        TFileStream F(Name, fmCreate);
        F.WriteInteger(42);
        F.WriteBuffer("abcdef", 6);
        EXPECT_EQ(F.GetSize(), 10);
    }
    {
        TFileStream F(Name, fmOpenReadWrite | fmShareDenyWrite);
        EXPECT_EQ(F.ReadInteger(), 42);
        F.SetSize(7);
        EXPECT_EQ(F.GetSize(), 7);
        F.Seek(0, soEnd);
        F.WriteByte('!');
    }
    TMemoryStream M;
    M.LoadFromFile(Name);
    EXPECT_EQ(M.GetSize(), 8);
    EXPECT_EQ(std::memcmp(static_cast<Byte*>(M.Memory()) + 4, "abc!", 4), 0);

    M.SaveToFile(Path(L"copy.bin"));
    TFileStream Copy(Path(L"copy.bin"), fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(Copy.GetSize(), 8);
    // A read-only stream cannot write.
    EXPECT_THROW(Copy.WriteByte(1), EWriteError);
}

TEST_F(TempDir, FileStreamFailuresNameTheFile)
{
    const String Missing = Path(L"missing.txt");
    try {
        TFileStream F(Missing, fmOpenRead);
        FAIL() << "no error";
    } catch (EFOpenError& E) {
        EXPECT_NE(E.Message.find(L"Cannot open file \"" + Missing + L"\""), String::npos) << Utf16ToUtf8(E.Message);
        EXPECT_GT(E.Message.size(), Missing.size() + 22);   // the system's reason follows
    }
    const String Bad = Path(L"no_such_dir\\x.txt");
    try {
        TFileStream F(Bad, fmCreate);
        FAIL() << "no error";
    } catch (EFCreateError& E) {
        EXPECT_NE(E.Message.find(L"Cannot create file \"" + Bad + L"\""), String::npos);
    }
    // Both are stream errors.
    EXPECT_THROW(TFileStream(Missing, fmOpenReadWrite), EStreamError);
}

TEST_F(TempDir, StringListFilesKeepTheirEncoding)
{
    const String Name = Path(L"list.txt");
    TStringList Out;
    Out.Add(L"K\u00f8benhavn");
    TEncoding* Latin1 = TEncoding::GetEncoding(1252);
    Out.SaveToFile(Name, Latin1);
    TStringList In;
    In.LoadFromFile(Name, Latin1);
    TEncoding::FreeEncoding(Latin1);
    EXPECT_EQ(In.Get(0), L"K\u00f8benhavn");
    ASSERT_NE(In.GetEncoding(), nullptr);
    EXPECT_EQ(In.GetEncoding()->GetCodePage(), 1252u);   // the list keeps its own copy
    In.Add(L"\u00e6");
    In.SaveToFile(Name);
    TMemoryStream M;
    M.LoadFromFile(Name);
    EXPECT_EQ(ContentsOf(M), (TBytes{'K', 0xF8, 'b', 'e', 'n', 'h', 'a', 'v', 'n', 13, 10, 0xE6, 13, 10}));
    EXPECT_THROW(In.LoadFromFile(Path(L"absent.txt")), EFOpenError);
}

TEST(ClassesStreams, StringStreamEncodings)
{
    TStringStream Utf(L"\u00f8\u2660", TEncoding::UTF8());
    EXPECT_EQ(Utf.GetSize(), 5);
    EXPECT_EQ(Utf.GetDataString(), L"\u00f8\u2660");
    Utf.Seek(0, soEnd);
    Utf.WriteString(L"x");
    EXPECT_EQ(Utf.GetDataString(), L"\u00f8\u2660x");
    Utf.SetPosition(2);
    EXPECT_EQ(Utf.ReadString(3), L"\u2660");

    TStringStream Wide(L"ab", TEncoding::Unicode());
    EXPECT_EQ(Wide.GetBytes(), (TBytes{'a', 0, 'b', 0}));

    TStringStream Raw(AnsiString("{\\rtf1 x}"));
    EXPECT_EQ(Raw.GetSize(), 9);
    EXPECT_EQ(Raw.GetDataString(), L"{\\rtf1 x}");
    EXPECT_EQ(Raw.GetEncoding(), TEncoding::Default());
}

TEST(ClassesStreams, ResourceStreamFindsOrRaises)
{
    HINSTANCE Self = GetModuleHandleW(nullptr);
    // Every test executable carries its manifest as resource 1 of type 24.
    TResourceStream Manifest(Self, 1, MAKEINTRESOURCEW(24));
    EXPECT_GT(Manifest.GetSize(), 20);
    TBytes Head(5);
    Manifest.ReadBuffer(Head.data(), 5);
    EXPECT_EQ(Head, (TBytes{'<', '?', 'x', 'm', 'l'}));
    EXPECT_THROW(Manifest.WriteByte(0), EStreamError);

    try {
        TResourceStream R(Self, L"NO_SUCH_PICTURE", RT_RCDATA);
        FAIL() << "no error";
    } catch (EResNotFound& E) {
        EXPECT_EQ(E.Message, L"Resource NO_SUCH_PICTURE not found");
    }
    EXPECT_THROW(TResourceStream(Self, 4711, RT_RCDATA), EResNotFound);
}

TEST(ClassesStreams, StreamAdapterServesIStream)
{
    auto* M = new TMemoryStream();
    M->WriteBuffer("hello world", 11);
    IStream* S = nullptr;
    auto* Adapter = new TStreamAdapter(M, soOwned);
    ASSERT_EQ(Adapter->QueryInterface(IID_IStream, reinterpret_cast<void**>(&S)), S_OK);

    LARGE_INTEGER Move;
    Move.QuadPart = 6;
    ULARGE_INTEGER NewPos;
    ASSERT_EQ(S->Seek(Move, STREAM_SEEK_SET, &NewPos), S_OK);
    EXPECT_EQ(NewPos.QuadPart, 6u);
    char Buf[16] = {};
    ULONG Got = 0;
    EXPECT_EQ(S->Read(Buf, 16, &Got), S_OK);   // fewer than asked at the end, as system streams
    EXPECT_EQ(Got, 5u);
    EXPECT_STREQ(Buf, "world");
    STATSTG Stat;
    ASSERT_EQ(S->Stat(&Stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(Stat.cbSize.QuadPart, 11u);
    ULONG Put = 0;
    EXPECT_EQ(S->Write("!", 1, &Put), S_OK);
    EXPECT_EQ(M->GetSize(), 12);

    IUnknown* Unknown = nullptr;
    EXPECT_TRUE(Supports(Adapter, IID_IUnknown, &Unknown));
    EXPECT_FALSE(Supports(Adapter, IID_IDataObject));
    Unknown->Release();
    EXPECT_EQ(S->Release(), 0u);   // the adapter goes, and with it the stream it owns

    IStream* Copy = CreateStreamOnHGlobalCopy("abc", 3);
    ASSERT_NE(Copy, nullptr);
    ASSERT_EQ(Copy->Stat(&Stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(Stat.cbSize.QuadPart, 3u);
    Got = 0;
    Copy->Read(Buf, 16, &Got);
    EXPECT_EQ(Got, 3u);
    EXPECT_EQ(std::memcmp(Buf, "abc", 3), 0);
    Copy->Release();
}

TEST(ClassesStreams, SystemPictureLoaderReadsThroughTheAdapter)
{
    // A 2 x 1 pixel 24-bit bitmap file.
    TMemoryStream Bmp;
    BITMAPFILEHEADER File{};
    BITMAPINFOHEADER Info{};
    Info.biSize = sizeof(Info);
    Info.biWidth = 2;
    Info.biHeight = 1;
    Info.biPlanes = 1;
    Info.biBitCount = 24;
    const Byte Pixels[8] = {0, 0, 255, 255, 0, 0, 0, 0};   // red, blue, row padding
    File.bfType = 0x4D42;
    File.bfOffBits = sizeof(File) + sizeof(Info);
    File.bfSize = File.bfOffBits + sizeof(Pixels);
    Bmp.WriteData(File);
    Bmp.WriteData(Info);
    Bmp.WriteBuffer(Pixels, sizeof(Pixels));
    Bmp.SetPosition(0);

    IStream* S = nullptr;
    auto* Adapter = new TStreamAdapter(&Bmp);
    ASSERT_EQ(Adapter->QueryInterface(IID_IStream, reinterpret_cast<void**>(&S)), S_OK);
    IPicture* Picture = nullptr;
    ASSERT_EQ(OleLoadPicture(S, LONG(Bmp.GetSize()), FALSE, IID_IPicture,
                             reinterpret_cast<void**>(&Picture)), S_OK);
    SHORT Type = 0;
    Picture->get_Type(&Type);
    EXPECT_EQ(Type, PICTYPE_BITMAP);
    Picture->Release();
    S->Release();
    EXPECT_EQ(Bmp.GetSize(), Int64(File.bfSize));   // soReference: the stream stays
}

TEST_F(TempDir, TextFileLinesInEachEncoding)
{
    const String Name = Path(L"lines.txt");
    struct Case {
        TEncoding* Encoding;
        String Line;
    } Cases[] = {
        {nullptr, L"plain"},
        {TEncoding::Unicode(), L"Spar \u2660"},
        {TEncoding::UTF8(), L"r\u00f8d \u2665"},
    };
    for (auto& C : Cases) {
        TTextFile F(Name);
        F.Rewrite(C.Encoding);
        F.Write(L"a");
        F.WriteLn(C.Line);
        F.WriteLn();
        F.Close();
        F.Append();
        F.WriteLn(L"end");
        F.Close();

        F.Reset();
        EXPECT_EQ(F.GetEncoding(), C.Encoding ? C.Encoding : TEncoding::Default());
        EXPECT_FALSE(F.Eof());
        EXPECT_EQ(F.ReadLn(), L"a" + C.Line);
        EXPECT_EQ(F.ReadLn(), L"");
        EXPECT_EQ(F.ReadLn(), L"end");
        EXPECT_TRUE(F.Eof());
        EXPECT_EQ(F.ReadLn(), L"");   // at the end: empty lines
        EXPECT_THROW(F.WriteLn(L"x"), EInOutError);
        F.Close();
    }
    TTextFile Missing(Path(L"nothing.txt"));
    EXPECT_THROW(Missing.Reset(), EInOutError);
    EXPECT_THROW(Missing.ReadLn(), EInOutError);
    TTextFile BadPlace(Path(L"no_dir\\x.txt"));
    EXPECT_THROW(BadPlace.Rewrite(), EInOutError);
}
