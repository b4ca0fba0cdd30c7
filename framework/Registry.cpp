#include "Registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

TRegDataType DataTypeOf(DWORD RegType)
{
    switch (RegType) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

[[noreturn]] void GetDataFailed(const String& Name)
{
    throw ERegistryException(L"Failed to get data for '" + Name + L"'");
}

[[noreturn]] void SetDataFailed(const String& Name)
{
    throw ERegistryException(L"Failed to set data for '" + Name + L"'");
}

[[noreturn]] void InvalidType(const String& Name)
{
    throw ERegistryException(L"Invalid data type for '" + Name + L"'");
}

// A path without its leading "\" (which says "from the root") and trailing "\".
String PathPart(const String& Key, bool& Relative)
{
    String S = Key;
    Relative = S.empty() || S[0] != L'\\';
    if (!Relative) S.erase(0, 1);
    while (!S.empty() && S.back() == L'\\') S.pop_back();
    return S;
}

String TextOfBytes(const std::vector<BYTE>& Data)
{
    size_t n = Data.size() / 2;
    String S(reinterpret_cast<const wchar_t*>(Data.data()), n);
    while (!S.empty() && S.back() == L'\0') S.pop_back();
    return S;
}

// Deletes Name below Parent with every sub-key of it.
bool DeleteTree(HKEY Parent, const String& Name)
{
    HKEY K = nullptr;
    if (RegOpenKeyExW(Parent, Name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, &K) ==
        ERROR_SUCCESS) {
        std::vector<String> Subs;
        wchar_t Buf[256];
        for (DWORD i = 0;; ++i) {
            DWORD Len = 256;
            if (RegEnumKeyExW(K, i, Buf, &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            Subs.emplace_back(Buf, Len);
        }
        for (const auto& S : Subs) DeleteTree(K, S);
        RegCloseKey(K);
    }
    return RegDeleteKeyW(Parent, Name.c_str()) == ERROR_SUCCESS;
}

// "\File\Section" from the root, empty parts and stray delimiters left out.
String SectionPath(const String& FileName, const String& Section)
{
    String R;
    for (const String* Part : {&FileName, &Section}) {
        bool Relative;
        String P = PathPart(*Part, Relative);
        if (!P.empty()) R += L"\\" + P;
    }
    return R.empty() ? String(L"\\") : R;
}

}  // namespace

// ---- TRegistry ------------------------------------------------------------------------------------

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM AAccess) : FAccess(AAccess) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY Value)
{
    if (Value != FRootKey) {
        CloseKey();
        FRootKey = Value;
    }
}

HKEY TRegistry::GetBaseKey(bool Relative) const
{
    return (FCurrentKey == nullptr || !Relative) ? FRootKey : FCurrentKey;
}

void TRegistry::ChangeKey(HKEY Value, const String& Path)
{
    CloseKey();
    FCurrentKey = Value;
    FCurrentPath = Path;
}

void TRegistry::CloseKey()
{
    if (FCurrentKey) {
        if (!FLazyWrite) RegFlushKey(FCurrentKey);
        RegCloseKey(FCurrentKey);
        FCurrentKey = nullptr;
        FCurrentPath.clear();
    }
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate)
{
    bool Relative;
    String S = PathPart(Key, Relative);
    HKEY Temp = nullptr;
    LONG r;
    if (!CanCreate || S.empty()) {
        r = RegOpenKeyExW(GetBaseKey(Relative), S.c_str(), 0, FAccess, &Temp);
    } else {
        DWORD Disp = 0;
        r = RegCreateKeyExW(GetBaseKey(Relative), S.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                            nullptr, &Temp, &Disp);
    }
    if (r != ERROR_SUCCESS) return false;
    if (Relative && !FCurrentPath.empty()) S = S.empty() ? FCurrentPath : FCurrentPath + L"\\" + S;
    ChangeKey(Temp, S);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key)
{
    // The widest reading right the key grants; Access itself stays as it was.
    const REGSAM Tries[] = {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                            KEY_QUERY_VALUE};
    auto Restore = ScopeExit([this, Old = FAccess] { FAccess = Old; });
    for (REGSAM A : Tries) {
        FAccess = A;
        if (OpenKey(Key, false)) return true;
    }
    return false;
}

bool TRegistry::CreateKey(const String& Key)
{
    bool Relative;
    String S = PathPart(Key, Relative);
    HKEY Temp = nullptr;
    DWORD Disp = 0;
    LONG r = S.empty() ? ERROR_INVALID_PARAMETER
                       : RegCreateKeyExW(GetBaseKey(Relative), S.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_ALL_ACCESS, nullptr, &Temp, &Disp);
    if (r != ERROR_SUCCESS) throw ERegistryException(Consts::SRegCreateFailed, {Key});
    RegCloseKey(Temp);
    return true;
}

bool TRegistry::DeleteKey(const String& Key)
{
    bool Relative;
    String S = PathPart(Key, Relative);
    if (S.empty()) return false;
    return DeleteTree(GetBaseKey(Relative), S);
}

bool TRegistry::KeyExists(const String& Key)
{
    bool Relative;
    String S = PathPart(Key, Relative);
    HKEY Temp = nullptr;
    if (RegOpenKeyExW(GetBaseKey(Relative), S.c_str(), 0,
                      STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &Temp) != ERROR_SUCCESS)
        return false;
    RegCloseKey(Temp);
    return true;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value)
{
    Value = TRegKeyInfo{};
    DWORD SubKeys = 0, MaxSub = 0, Values = 0, MaxValue = 0, MaxData = 0;
    if (!FCurrentKey ||
        RegQueryInfoKeyW(FCurrentKey, nullptr, nullptr, nullptr, &SubKeys, &MaxSub, nullptr, &Values,
                         &MaxValue, &MaxData, nullptr, &Value.FileTime) != ERROR_SUCCESS)
        return false;
    Value.NumSubKeys = int(SubKeys);
    Value.MaxSubKeyLen = int(MaxSub);
    Value.NumValues = int(Values);
    Value.MaxValueLen = int(MaxValue);
    Value.MaxDataLen = int(MaxData);
    return true;
}

bool TRegistry::HasSubKeys()
{
    TRegKeyInfo Info;
    return GetKeyInfo(Info) && Info.NumSubKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings)
{
    if (!Strings) return;
    Strings->Clear();
    TRegKeyInfo Info;
    if (!GetKeyInfo(Info)) return;
    std::vector<wchar_t> Buf(size_t(Info.MaxSubKeyLen) + 1);
    for (DWORD i = 0;; ++i) {
        DWORD Len = DWORD(Buf.size());
        if (RegEnumKeyExW(FCurrentKey, i, Buf.data(), &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        Strings->Add(String(Buf.data(), Len));
    }
}

void TRegistry::GetValueNames(TStrings* Strings)
{
    if (!Strings) return;
    Strings->Clear();
    TRegKeyInfo Info;
    if (!GetKeyInfo(Info)) return;
    std::vector<wchar_t> Buf(size_t(Info.MaxValueLen) + 1);
    for (DWORD i = 0;; ++i) {
        DWORD Len = DWORD(Buf.size());
        if (RegEnumValueW(FCurrentKey, i, Buf.data(), &Len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        Strings->Add(String(Buf.data(), Len));
    }
}

bool TRegistry::GetDataInfo(const String& ValueName, TRegDataInfo& Value)
{
    Value = TRegDataInfo{};
    DWORD Type = 0, Size = 0;
    if (!FCurrentKey ||
        RegQueryValueExW(FCurrentKey, ValueName.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS)
        return false;
    Value.RegData = DataTypeOf(Type);
    Value.DataSize = int(Size);
    return true;
}

int TRegistry::GetDataSize(const String& ValueName)
{
    TRegDataInfo Info;
    return GetDataInfo(ValueName, Info) ? Info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const String& ValueName)
{
    TRegDataInfo Info;
    return GetDataInfo(ValueName, Info) ? Info.RegData : rdUnknown;
}

bool TRegistry::ValueExists(const String& Name)
{
    TRegDataInfo Info;
    return GetDataInfo(Name, Info);
}

bool TRegistry::DeleteValue(const String& Name)
{
    return FCurrentKey && RegDeleteValueW(FCurrentKey, Name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::RenameValue(const String& OldName, const String& NewName)
{
    DWORD Type = 0, Size = 0;
    if (!FCurrentKey || ValueExists(NewName) ||
        RegQueryValueExW(FCurrentKey, OldName.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> Data(Size + 2);
    if (RegQueryValueExW(FCurrentKey, OldName.c_str(), nullptr, &Type, Data.data(), &Size) != ERROR_SUCCESS ||
        RegSetValueExW(FCurrentKey, NewName.c_str(), 0, Type, Data.data(), Size) != ERROR_SUCCESS)
        return false;
    return DeleteValue(OldName);
}

void TRegistry::PutData(const String& Name, const void* Buffer, int BufSize, DWORD RegType)
{
    if (!FCurrentKey || BufSize < 0 ||
        RegSetValueExW(FCurrentKey, Name.c_str(), 0, RegType, static_cast<const BYTE*>(Buffer), DWORD(BufSize)) !=
            ERROR_SUCCESS)
        SetDataFailed(Name);
}

int TRegistry::GetData(const String& Name, void* Buffer, int BufSize, TRegDataType& RegData)
{
    DWORD Type = 0, Size = DWORD(BufSize);
    if (!FCurrentKey ||
        RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &Type, static_cast<BYTE*>(Buffer), &Size) !=
            ERROR_SUCCESS)
        GetDataFailed(Name);
    RegData = DataTypeOf(Type);
    return int(Size);
}

String TRegistry::ReadString(const String& Name)
{
    TRegDataInfo Info;
    if (!GetDataInfo(Name, Info)) return String();
    if (Info.RegData != rdString && Info.RegData != rdExpandString) InvalidType(Name);
    if (Info.DataSize <= 0) return String();
    std::vector<BYTE> Data(size_t(Info.DataSize) + 2);
    TRegDataType Type;
    int Got = GetData(Name, Data.data(), int(Data.size()), Type);
    if (Type != rdString && Type != rdExpandString) InvalidType(Name);
    Data.resize(size_t(Got));
    return TextOfBytes(Data);
}

void TRegistry::WriteString(const String& Name, const String& Value)
{
    PutData(Name, Value.c_str(), int((Value.size() + 1) * sizeof(wchar_t)), REG_SZ);
}

void TRegistry::WriteExpandString(const String& Name, const String& Value)
{
    PutData(Name, Value.c_str(), int((Value.size() + 1) * sizeof(wchar_t)), REG_EXPAND_SZ);
}

Integer TRegistry::ReadInteger(const String& Name)
{
    TRegDataInfo Info;
    if (!GetDataInfo(Name, Info)) GetDataFailed(Name);
    if (Info.RegData != rdInteger) InvalidType(Name);
    DWORD V = 0;
    TRegDataType Type;
    GetData(Name, &V, sizeof V, Type);
    return Integer(V);
}

void TRegistry::WriteInteger(const String& Name, Integer Value)
{
    DWORD V = DWORD(Value);
    PutData(Name, &V, sizeof V, REG_DWORD);
}

bool TRegistry::ReadBool(const String& Name)
{
    return ReadInteger(Name) != 0;
}

void TRegistry::WriteBool(const String& Name, bool Value)
{
    WriteInteger(Name, Value ? 1 : 0);
}

double TRegistry::ReadFloat(const String& Name)
{
    TRegDataInfo Info;
    if (!GetDataInfo(Name, Info)) GetDataFailed(Name);
    if (Info.RegData != rdBinary || Info.DataSize != int(sizeof(double))) InvalidType(Name);
    double V = 0;
    TRegDataType Type;
    GetData(Name, &V, sizeof V, Type);
    return V;
}

void TRegistry::WriteFloat(const String& Name, double Value)
{
    PutData(Name, &Value, sizeof Value, REG_BINARY);
}

TDateTime TRegistry::ReadDateTime(const String& Name)
{
    return ReadFloat(Name);
}

void TRegistry::WriteDateTime(const String& Name, TDateTime Value)
{
    WriteFloat(Name, Value);
}

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize)
{
    TRegDataInfo Info;
    if (!GetDataInfo(Name, Info)) return 0;
    if ((Info.RegData != rdBinary && Info.RegData != rdUnknown) || Info.DataSize > BufSize) InvalidType(Name);
    TRegDataType Type;
    return GetData(Name, Buffer, BufSize, Type);
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, int BufSize)
{
    PutData(Name, Buffer, BufSize, REG_BINARY);
}

String TRegistry::GetDataAsString(const String& Name)
{
    DWORD Type = 0, Size = 0;
    if (!FCurrentKey || RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &Type, nullptr, &Size) != ERROR_SUCCESS)
        return String();
    std::vector<BYTE> Data(size_t(Size) + 2);
    DWORD Got = Size;
    if (RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &Type, Data.data(), &Got) != ERROR_SUCCESS)
        GetDataFailed(Name);
    Data.resize(Got);
    switch (Type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return TextOfBytes(Data);
    case REG_DWORD: {
        DWORD V = 0;
        std::memcpy(&V, Data.data(), std::min<size_t>(Data.size(), sizeof V));
        return IntToStr(Integer(V));   // signed, as ReadInteger answers
    }
    case REG_QWORD: {
        UInt64 V = 0;
        std::memcpy(&V, Data.data(), std::min<size_t>(Data.size(), sizeof V));
        return UIntToStr(V);
    }
    case REG_MULTI_SZ: {
        String S = TextOfBytes(Data), R;
        for (size_t i = 0; i < S.size(); ++i) R += S[i] == L'\0' ? String(L"\r\n") : String(1, S[i]);
        return R;
    }
    default: {
        String R;
        wchar_t Hex[4];
        for (BYTE b : Data) {
            std::swprintf(Hex, 4, L"%02X", unsigned(b));
            R += Hex;
        }
        return R;
    }
    }
}

// ---- TRegIniFile --------------------------------------------------------------------------------------

TRegIniFile::TRegIniFile(const String& FileName, REGSAM AAccess) : TRegistry(AAccess), FFileName(FileName)
{
    OpenKey(SectionPath(FFileName, String()), false);
}

bool TRegIniFile::InSection(const String& Section, bool Create, const std::function<void(TRegistry&)>& Work)
{
    String Path = SectionPath(FFileName, Section);
    TRegistry R(GetAccess());
    R.SetRootKey(GetRootKey());
    R.SetLazyWrite(GetLazyWrite());
    bool Open = Create ? R.OpenKey(Path, true) : R.OpenKey(Path, false) || R.OpenKeyReadOnly(Path);
    if (!Open) {
        if (Create) throw ERegistryException(Consts::SRegCreateFailed, {Path});
        return false;
    }
    Work(R);
    return true;
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    String Result = Default;
    InSection(Section, false, [&](TRegistry& R) {
        if (R.ValueExists(Ident)) Result = R.GetDataAsString(Ident);
    });
    return Result;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    InSection(Section, true, [&](TRegistry& R) { R.WriteString(Ident, Value); });
}

Integer TRegIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default)
{
    Integer Result = Default;
    InSection(Section, false, [&](TRegistry& R) {
        TRegDataInfo Info;
        if (!R.GetDataInfo(Ident, Info)) return;
        if (Info.RegData == rdInteger) {
            Result = R.ReadInteger(Ident);
            return;
        }
        String S = Trim(R.GetDataAsString(Ident));
        if (S.size() > 2 && S[0] == L'0' && (S[1] == L'x' || S[1] == L'X')) S = L"$" + S.substr(2);
        Result = StrToIntDef(S, Default);
    });
    return Result;
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    InSection(Section, true, [&](TRegistry& R) {
        // A value that is text already stays text.
        TRegDataType T = R.ValueExists(Ident) ? R.GetDataType(Ident) : rdInteger;
        if (T == rdString || T == rdExpandString) R.WriteString(Ident, IntToStr(Value));
        else R.WriteInteger(Ident, Value);
    });
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    if (Strings) Strings->Clear();
    InSection(Section, false, [&](TRegistry& R) { R.GetValueNames(Strings); });
}

void TRegIniFile::ReadSections(TStrings* Strings)
{
    if (Strings) Strings->Clear();
    InSection(String(), false, [&](TRegistry& R) { R.GetKeyNames(Strings); });
}

void TRegIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    if (!Strings) return;
    Strings->Clear();
    InSection(Section, false, [&](TRegistry& R) {
        std::unique_ptr<TStringList> Names(new TStringList());
        R.GetValueNames(Names.get());
        for (int i = 0; i < Names->Count(); ++i)
            Strings->Add(Names->Strings(i) + L"=" + R.GetDataAsString(Names->Strings(i)));
    });
}

void TRegIniFile::EraseSection(const String& Section)
{
    bool Relative;
    if (PathPart(Section, Relative).empty()) return;   // never the whole file's key by accident
    TRegistry R(GetAccess());
    R.SetRootKey(GetRootKey());
    R.DeleteKey(SectionPath(FFileName, Section));
}

void TRegIniFile::DeleteKey(const String& Section, const String& Ident)
{
    InSection(Section, false, [&](TRegistry& R) { R.DeleteValue(Ident); });
}

bool TRegIniFile::ValueExistsIn(const String& Section, const String& Ident)
{
    bool Result = false;
    InSection(Section, false, [&](TRegistry& R) { Result = R.ValueExists(Ident); });
    return Result;
}

// ---- TRegistryIniFile --------------------------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const String& FileName, REGSAM AAccess)
    : TCustomIniFile(FileName), FRegIniFile(std::make_unique<TRegIniFile>(FileName, AAccess))
{
}

bool TRegistryIniFile::SectionExists(const String& Section)
{
    TRegistry R(KEY_READ);
    R.SetRootKey(FRegIniFile->GetRootKey());
    return !Section.empty() && R.KeyExists(SectionPath(FFileName, Section));
}

bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident)
{
    return FRegIniFile->ValueExistsIn(Section, Ident);
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    return FRegIniFile->ReadString(Section, Ident, Default);
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    FRegIniFile->WriteString(Section, Ident, Value);
}

Integer TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default)
{
    return FRegIniFile->ReadInteger(Section, Ident, Default);
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    FRegIniFile->WriteInteger(Section, Ident, Value);
}

bool TRegistryIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
    return FRegIniFile->ReadBool(Section, Ident, Default);
}

void TRegistryIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    FRegIniFile->WriteBool(Section, Ident, Value);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    FRegIniFile->ReadSection(Section, Strings);
}

void TRegistryIniFile::ReadSections(TStrings* Strings)
{
    FRegIniFile->ReadSections(Strings);
}

void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    FRegIniFile->ReadSectionValues(Section, Strings);
}

void TRegistryIniFile::EraseSection(const String& Section)
{
    FRegIniFile->EraseSection(Section);
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident)
{
    FRegIniFile->DeleteKey(Section, Ident);
}

void TRegistryIniFile::UpdateFile() {}
