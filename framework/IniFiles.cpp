#include "IniFiles.h"

#include <windows.h>

// ---- The document ----------------------------------------------------------------------------------

// A settings file as lines. Sections[0] holds the lines before the first section header; every
// other section starts with its header line. Lines that are neither headers nor "key=value"
// (comments, blank lines, stray text) are kept as they were.
class TIniDocument {
public:
    struct TLine {
        String Text;   // the line as written in the file
        String Key;    // trimmed; empty for a line that is not a key
        String Value;  // trimmed
        bool IsKey = false;
    };
    struct TSection {
        String Name;
        bool HasHeader = false;
        std::vector<TLine> Lines;
    };

    std::vector<TSection> Sections{TSection{}};
    bool CaseSensitive = false;
    TEncoding* Encoding = nullptr;   // found from a byte-order mark, or null for the ANSI code page

    void Parse(const String& Text);
    String GetText() const;

    bool Same(const String& A, const String& B) const
    {
        if (CaseSensitive) return A == B;
        return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, A.data(), int(A.size()), B.data(),
                              int(B.size())) == CSTR_EQUAL;
    }

    bool HasSection(const String& Name) const
    {
        String N = Trim(Name);
        for (const auto& S : Sections)
            if (S.HasHeader && Same(S.Name, N)) return true;
        return false;
    }

    // The first key line of that name in any section of that name.
    const TLine* FindKey(const String& Section, const String& Ident) const
    {
        String N = Trim(Section), K = Trim(Ident);
        for (const auto& S : Sections) {
            if (!S.HasHeader || !Same(S.Name, N)) continue;
            for (const auto& L : S.Lines)
                if (L.IsKey && Same(L.Key, K)) return &L;
        }
        return nullptr;
    }

    void Write(const String& Section, const String& Ident, const String& Value);
    bool DeleteKey(const String& Section, const String& Ident);
    bool EraseSection(const String& Section);

    std::vector<String> SectionNames() const;
    // Keys (or "key=value" lines) of every section of that name, each key once.
    std::vector<String> Keys(const String& Section, bool WithValues) const;
};

namespace {

TIniDocument::TLine ParseLine(const String& Raw)
{
    TIniDocument::TLine L;
    L.Text = Raw;
    String T = Trim(Raw);
    if (T.empty() || T[0] == L';' || T[0] == L'[') return L;
    size_t Eq = T.find(L'=');
    if (Eq == String::npos) return L;
    L.Key = Trim(T.substr(0, Eq));
    L.Value = Trim(T.substr(Eq + 1));
    L.IsKey = !L.Key.empty();
    return L;
}

// "[name]" with anything after the closing bracket ignored; false for other lines.
bool ParseHeader(const String& Raw, String& Name)
{
    String T = Trim(Raw);
    if (T.size() < 2 || T[0] != L'[') return false;
    size_t Close = T.find(L']');
    if (Close == String::npos) return false;
    Name = Trim(T.substr(1, Close - 1));
    return true;
}

bool HasLineBreak(const String& S)
{
    return S.find_first_of(L"\r\n") != String::npos;
}

}  // namespace

void TIniDocument::Parse(const String& Text)
{
    Sections.assign(1, TSection{});
    size_t i = 0, n = Text.size();
    while (i < n) {
        size_t e = i;
        while (e < n && Text[e] != L'\r' && Text[e] != L'\n') ++e;
        String Raw = Text.substr(i, e - i);
        if (e < n && Text[e] == L'\r' && e + 1 < n && Text[e + 1] == L'\n') ++e;
        i = e + 1;
        String Name;
        if (ParseHeader(Raw, Name)) {
            TSection S;
            S.Name = Name;
            S.HasHeader = true;
            S.Lines.push_back(TLine{Raw});
            Sections.push_back(std::move(S));
        } else {
            Sections.back().Lines.push_back(ParseLine(Raw));
        }
    }
}

String TIniDocument::GetText() const
{
    String R;
    for (const auto& S : Sections)
        for (const auto& L : S.Lines) {
            R += L.Text;
            R += L"\r\n";
        }
    return R;
}

void TIniDocument::Write(const String& Section, const String& Ident, const String& Value)
{
    String N = Trim(Section), K = Trim(Ident), V = Trim(Value);
    TSection* Target = nullptr;
    for (auto& S : Sections) {
        if (!S.HasHeader || !Same(S.Name, N)) continue;
        if (!Target) Target = &S;
        for (auto& L : S.Lines)
            if (L.IsKey && Same(L.Key, K)) {
                L.Value = V;
                L.Text = L.Key + L"=" + V;
                return;
            }
    }
    TLine New{K + L"=" + V, K, V, true};
    if (!Target) {
        // A new section goes to the end, set off by a blank line.
        auto& Last = Sections.back().Lines;
        if (!Last.empty() && !Trim(Last.back().Text).empty()) Last.push_back(TLine{});
        TSection S;
        S.Name = N;
        S.HasHeader = true;
        S.Lines.push_back(TLine{L"[" + N + L"]"});
        Sections.push_back(std::move(S));
        Target = &Sections.back();
    }
    // After the section's last key (or its header), ahead of trailing blank lines and comments.
    size_t At = 1;
    for (size_t j = 0; j < Target->Lines.size(); ++j)
        if (Target->Lines[j].IsKey) At = j + 1;
    if (At == 1) {
        // No key yet: after the header and any comment lines that follow it directly.
        while (At < Target->Lines.size() && !Trim(Target->Lines[At].Text).empty()) ++At;
    }
    Target->Lines.insert(Target->Lines.begin() + std::ptrdiff_t(At), std::move(New));
}

bool TIniDocument::DeleteKey(const String& Section, const String& Ident)
{
    String N = Trim(Section), K = Trim(Ident);
    bool Found = false;
    for (auto& S : Sections) {
        if (!S.HasHeader || !Same(S.Name, N)) continue;
        for (size_t j = S.Lines.size(); j-- > 0;)
            if (S.Lines[j].IsKey && Same(S.Lines[j].Key, K)) {
                S.Lines.erase(S.Lines.begin() + std::ptrdiff_t(j));
                Found = true;
            }
    }
    return Found;
}

bool TIniDocument::EraseSection(const String& Section)
{
    String N = Trim(Section);
    size_t Before = Sections.size();
    for (size_t j = Sections.size(); j-- > 1;)
        if (Sections[j].HasHeader && Same(Sections[j].Name, N)) Sections.erase(Sections.begin() + std::ptrdiff_t(j));
    return Sections.size() != Before;
}

std::vector<String> TIniDocument::SectionNames() const
{
    std::vector<String> R;
    for (const auto& S : Sections) {
        if (!S.HasHeader) continue;
        bool Seen = false;
        for (const auto& Name : R) Seen = Seen || Same(Name, S.Name);
        if (!Seen) R.push_back(S.Name);
    }
    return R;
}

std::vector<String> TIniDocument::Keys(const String& Section, bool WithValues) const
{
    String N = Trim(Section);
    std::vector<String> R, Names;
    for (const auto& S : Sections) {
        if (!S.HasHeader || !Same(S.Name, N)) continue;
        for (const auto& L : S.Lines) {
            if (!L.IsKey) continue;
            bool Seen = false;
            for (const auto& K : Names) Seen = Seen || Same(K, L.Key);
            if (Seen) continue;   // a repeated key is shadowed by the first
            Names.push_back(L.Key);
            R.push_back(WithValues ? L.Key + L"=" + L.Value : L.Key);
        }
    }
    return R;
}

// ---- Files --------------------------------------------------------------------------------------------

namespace {

enum class TReadResult { Read, Missing, Failed };

TReadResult ReadFileBytes(const String& FileName, TBytes& Data)
{
    Data.clear();
    HANDLE H = CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (H == INVALID_HANDLE_VALUE) {
        DWORD E = GetLastError();
        return (E == ERROR_FILE_NOT_FOUND || E == ERROR_PATH_NOT_FOUND) ? TReadResult::Missing
                                                                          : TReadResult::Failed;
    }
    TReadResult R = TReadResult::Read;
    LARGE_INTEGER Size{};
    if (!GetFileSizeEx(H, &Size) || Size.QuadPart > 0x7FFFFFFF) {
        R = TReadResult::Failed;
    } else {
        Data.resize(size_t(Size.QuadPart));
        size_t Done = 0;
        while (Done < Data.size()) {
            DWORD Got = 0;
            if (!ReadFile(H, Data.data() + Done, DWORD(Data.size() - Done), &Got, nullptr)) {
                R = TReadResult::Failed;
                break;
            }
            if (Got == 0) {
                Data.resize(Done);
                break;
            }
            Done += Got;
        }
    }
    CloseHandle(H);
    return R;
}

bool WriteAll(const String& FileName, const TBytes& Data)
{
    HANDLE H = CreateFileW(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (H == INVALID_HANDLE_VALUE) return false;
    bool Ok = true;
    size_t Done = 0;
    while (Ok && Done < Data.size()) {
        DWORD Put = 0;
        Ok = WriteFile(H, Data.data() + Done, DWORD(Data.size() - Done), &Put, nullptr) && Put > 0;
        Done += Put;
    }
    Ok = CloseHandle(H) && Ok;
    return Ok;
}

// Writes the whole file through a temporary file beside it, so that a failure part-way leaves the
// old file as it was. Raises EIniFileException naming the file when it cannot be written.
void WriteFileBytes(const String& FileName, const TBytes& Data)
{
    wchar_t Full[MAX_PATH * 2];
    wchar_t* NamePart = nullptr;
    DWORD n = GetFullPathNameW(FileName.c_str(), MAX_PATH * 2, Full, &NamePart);
    bool Written = false;
    // A read-only file or a folder of that name is not to be replaced.
    DWORD Attr = GetFileAttributesW(FileName.c_str());
    if (Attr != INVALID_FILE_ATTRIBUTES && (Attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw EIniFileException(Consts::SIniFileWriteError, {FileName});
    if (n > 0 && n < MAX_PATH * 2 && NamePart) {
        String Dir(Full, size_t(NamePart - Full));
        wchar_t Tmp[MAX_PATH * 2];
        if (GetTempFileNameW(Dir.c_str(), L"ini", 0, Tmp)) {
            if (WriteAll(Tmp, Data) &&
                MoveFileExW(Tmp, Full, MOVEFILE_REPLACE_EXISTING)) {
                Written = true;
            } else {
                DeleteFileW(Tmp);
                throw EIniFileException(Consts::SIniFileWriteError, {FileName});
            }
        }
    }
    // No temporary file possible in that folder: write in place.
    if (!Written && !WriteAll(FileName, Data))
        throw EIniFileException(Consts::SIniFileWriteError, {FileName});
}

// The document's text in bytes: the encoding's mark, then the text. A text the encoding cannot
// hold goes out as UTF-8 with a mark, so that nothing written is lost.
TBytes EncodeText(const String& Text, TEncoding* Encoding)
{
    TEncoding* E = Encoding ? Encoding : TEncoding::Default();
    TBytes Body = E->GetBytes(Text);
    if (E->GetString(Body) != Text) {
        E = TEncoding::UTF8();
        Body = E->GetBytes(Text);
    }
    TBytes R = E->GetPreamble();
    R.insert(R.end(), Body.begin(), Body.end());
    return R;
}

// The text of a file: in the encoding its byte-order mark names (Found), else in Assumed (the ANSI
// code page when null; Found stays null then).
String DecodeText(const TBytes& Data, TEncoding*& Found, TEncoding* Assumed = nullptr)
{
    Found = nullptr;
    int Skip = TEncoding::GetBufferEncoding(Data, Found, TEncoding::Default());
    if (Skip == 0) Found = nullptr;
    TEncoding* E = Found ? Found : Assumed ? Assumed : TEncoding::Default();
    return E->GetString(Data, Skip, NativeInt(Data.size()) - Skip);
}

void CheckNames(const String& FileName, const String& Section, const String& Ident, const String& Value)
{
    String K = Trim(Ident);
    if (HasLineBreak(Section) || Section.find(L']') != String::npos || K.empty() || HasLineBreak(K) ||
        K.find(L'=') != String::npos || K[0] == L'[' || K[0] == L';' || HasLineBreak(Value))
        throw EIniFileException(Format(Consts::SIniFileWriteError, {FileName}) + L": the section \"" +
                                Section + L"\" or key \"" + Ident +
                                L"\" or its value cannot be stored on one line");
}

void Fill(TStrings* Strings, const std::vector<String>& Lines)
{
    if (!Strings) return;
    UpdateBlock(*Strings, [&] {
        Strings->Clear();
        for (const auto& S : Lines) Strings->Add(S);
    });
}

}  // namespace

// ---- TCustomIniFile -----------------------------------------------------------------------------------

TCustomIniFile::TCustomIniFile(const String& FileName) : FFileName(FileName) {}

TCustomIniFile::~TCustomIniFile() = default;

bool TCustomIniFile::SectionExists(const String& Section)
{
    std::unique_ptr<TStringList> S(new TStringList());
    ReadSections(S.get());
    for (int i = 0; i < S->Count(); ++i)
        if (SameText(S->Strings(i), Trim(Section))) return true;
    return false;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident)
{
    std::unique_ptr<TStringList> S(new TStringList());
    ReadSection(Section, S.get());
    for (int i = 0; i < S->Count(); ++i)
        if (SameText(S->Strings(i), Trim(Ident))) return true;
    return false;
}

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default)
{
    String S = ReadString(Section, Ident, String());
    if (S.size() > 2 && S[0] == L'0' && (S[1] == L'x' || S[1] == L'X')) S = L"$" + S.substr(2);
    return StrToIntDef(S, Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default)
{
    double V;
    return TryStrToFloat(ReadString(Section, Ident, String()), V) ? V : Default;
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TCustomIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default)
{
    TDateTime V;
    return TryStrToDate(ReadString(Section, Ident, String()), V) ? V : Default;
}

void TCustomIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default)
{
    TDateTime V;
    return TryStrToDateTime(ReadString(Section, Ident, String()), V) ? V : Default;
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateTimeToStr(Value));
}

TDateTime TCustomIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default)
{
    TDateTime V;
    return TryStrToTime(ReadString(Section, Ident, String()), V) ? V : Default;
}

void TCustomIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, TimeToStr(Value));
}

// ---- TIniFile -------------------------------------------------------------------------------------------

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) {}

TIniFile::~TIniFile() = default;

std::unique_ptr<TIniDocument> TIniFile::Load(bool ForWriting)
{
    auto Doc = std::make_unique<TIniDocument>();
    TBytes Data;
    switch (ReadFileBytes(FFileName, Data)) {
    case TReadResult::Read: Doc->Parse(DecodeText(Data, Doc->Encoding)); break;
    case TReadResult::Missing: break;
    case TReadResult::Failed:
        // Reading on regardless would write back a file without its other lines.
        if (ForWriting) throw EIniFileException(Consts::SIniFileWriteError, {FFileName});
        break;
    }
    return Doc;
}

void TIniFile::Save(TIniDocument& Doc)
{
    WriteFileBytes(FFileName, EncodeText(Doc.GetText(), Doc.Encoding));
}

bool TIniFile::SectionExists(const String& Section)
{
    return Load(false)->HasSection(Section);
}

bool TIniFile::ValueExists(const String& Section, const String& Ident)
{
    return Load(false)->FindKey(Section, Ident) != nullptr;
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    auto Doc = Load(false);
    const auto* L = Doc->FindKey(Section, Ident);
    return L ? L->Value : Default;
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    CheckNames(FFileName, Section, Ident, Value);
    auto Doc = Load(true);
    Doc->Write(Section, Ident, Value);
    Save(*Doc);
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    Fill(Strings, Load(false)->Keys(Section, false));
}

void TIniFile::ReadSections(TStrings* Strings)
{
    Fill(Strings, Load(false)->SectionNames());
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    Fill(Strings, Load(false)->Keys(Section, true));
}

void TIniFile::EraseSection(const String& Section)
{
    auto Doc = Load(true);
    if (Doc->EraseSection(Section)) Save(*Doc);
}

void TIniFile::DeleteKey(const String& Section, const String& Ident)
{
    auto Doc = Load(true);
    if (Doc->DeleteKey(Section, Ident)) Save(*Doc);
}

void TIniFile::UpdateFile() {}

// ---- TMemIniFile ----------------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName, TEncoding* AEncoding)
    : TCustomIniFile(FileName), FDoc(std::make_unique<TIniDocument>()), FEncoding(AEncoding)
{
    LoadValues();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::LoadValues()
{
    bool Case = FDoc->CaseSensitive;
    FDoc = std::make_unique<TIniDocument>();
    FDoc->CaseSensitive = Case;
    if (FFileName.empty()) return;
    TBytes Data;
    switch (ReadFileBytes(FFileName, Data)) {
    case TReadResult::Read: {
        TEncoding* Found = nullptr;
        FDoc->Parse(DecodeText(Data, Found, FEncoding));
        if (!FEncoding) FEncoding = Found;
        break;
    }
    case TReadResult::Missing: break;
    case TReadResult::Failed: throw EIniFileException(L"Unable to read " + FFileName);
    }
}

bool TMemIniFile::SectionExists(const String& Section)
{
    return FDoc->HasSection(Section);
}

bool TMemIniFile::ValueExists(const String& Section, const String& Ident)
{
    return FDoc->FindKey(Section, Ident) != nullptr;
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    const auto* L = FDoc->FindKey(Section, Ident);
    return L ? L->Value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    CheckNames(FFileName, Section, Ident, Value);
    FDoc->Write(Section, Ident, Value);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    Fill(Strings, FDoc->Keys(Section, false));
}

void TMemIniFile::ReadSections(TStrings* Strings)
{
    Fill(Strings, FDoc->SectionNames());
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    Fill(Strings, FDoc->Keys(Section, true));
}

void TMemIniFile::EraseSection(const String& Section)
{
    FDoc->EraseSection(Section);
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident)
{
    FDoc->DeleteKey(Section, Ident);
}

void TMemIniFile::UpdateFile()
{
    WriteFileBytes(FFileName, EncodeText(FDoc->GetText(), FEncoding));
}

void TMemIniFile::GetStrings(TStrings* List)
{
    if (!List) return;
    std::vector<String> Lines;
    for (const auto& S : FDoc->Sections)
        for (const auto& L : S.Lines) Lines.push_back(L.Text);
    Fill(List, Lines);
}

void TMemIniFile::SetStrings(TStrings* List)
{
    String Text;
    if (List)
        for (int i = 0; i < List->Count(); ++i) Text += List->Strings(i) + L"\r\n";
    FDoc->Parse(Text);
}

void TMemIniFile::Clear()
{
    FDoc->Parse(String());
}

void TMemIniFile::Rename(const String& FileName, bool Reload)
{
    FFileName = FileName;
    if (Reload) LoadValues();
}

bool TMemIniFile::GetCaseSensitive() const
{
    return FDoc->CaseSensitive;
}

void TMemIniFile::SetCaseSensitive(bool Value)
{
    FDoc->CaseSensitive = Value;
}
