// Registry: the platform registry as an object with a current key, and settings files kept in it.
//
// TRegistry opens one key at a time below its root key and reads and writes that key's values.
// Opening and testing answer true or false; reading and writing data that fails raises
// ERegistryException with the value's name ("Failed to get data for 'x'", "Failed to set data
// for 'x'", "Invalid data type for 'x'").
#pragma once

#include "IniFiles.h"

#include <windows.h>

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

struct TRegKeyInfo {
    int NumSubKeys = 0;
    int MaxSubKeyLen = 0;
    int NumValues = 0;
    int MaxValueLen = 0;
    int MaxDataLen = 0;
    FILETIME FileTime{};
};

class TRegistry : public TObject {
    DECLARE_CLASS(TRegistry, TObject)
public:
    TRegistry();
    explicit TRegistry(REGSAM AAccess);
    ~TRegistry() override;

    // The root the paths start from (HKEY_CURRENT_USER unless set); setting it closes the key.
    HKEY GetRootKey() const { return FRootKey; }
    void SetRootKey(HKEY Value);
    // The rights asked for when keys are opened (KEY_ALL_ACCESS unless set).
    REGSAM GetAccess() const { return FAccess; }
    void SetAccess(REGSAM Value) { FAccess = Value; }
    // Without LazyWrite a key is flushed to disk when it is closed.
    bool GetLazyWrite() const { return FLazyWrite; }
    void SetLazyWrite(bool Value) { FLazyWrite = Value; }

    HKEY CurrentKey() const { return FCurrentKey; }
    const String& CurrentPath() const { return FCurrentPath; }

    // Key paths: with a leading "\" from the root; otherwise from the current key when one is open.
    bool OpenKey(const String& Key, bool CanCreate);
    bool OpenKeyReadOnly(const String& Key);
    // Creates the key (raises "Failed to create key x" when it cannot) and leaves it closed.
    bool CreateKey(const String& Key);
    // Deletes the key with every sub-key below it.
    bool DeleteKey(const String& Key);
    bool KeyExists(const String& Key);
    void CloseKey();

    bool HasSubKeys();
    bool GetKeyInfo(TRegKeyInfo& Value);
    void GetKeyNames(TStrings* Strings);
    void GetValueNames(TStrings* Strings);

    bool ValueExists(const String& Name);
    bool DeleteValue(const String& Name);
    bool RenameValue(const String& OldName, const String& NewName);
    bool GetDataInfo(const String& ValueName, TRegDataInfo& Value);
    int GetDataSize(const String& ValueName);   // -1 when the value does not exist
    TRegDataType GetDataType(const String& ValueName);

    // A missing value reads as "" (as the class library); another type raises.
    String ReadString(const String& Name);
    void WriteString(const String& Name, const String& Value);
    void WriteExpandString(const String& Name, const String& Value);
    Integer ReadInteger(const String& Name);
    void WriteInteger(const String& Name, Integer Value);
    bool ReadBool(const String& Name);
    void WriteBool(const String& Name, bool Value);
    double ReadFloat(const String& Name);                 // 8 bytes, binary
    void WriteFloat(const String& Name, double Value);
    TDateTime ReadDateTime(const String& Name);
    void WriteDateTime(const String& Name, TDateTime Value);
    // Copies at most BufSize bytes; a value larger than that, or not binary, raises. Answers the
    // byte count (0 for a missing value).
    int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
    void WriteBinaryData(const String& Name, const void* Buffer, int BufSize);

    // The value as text whatever its type: strings as they are, integers in decimal (a REG_DWORD signed), binary data
    // as hexadecimal byte pairs, multi-strings one per line; "" for a missing value.
    String GetDataAsString(const String& Name);

protected:
    void ChangeKey(HKEY Value, const String& Path);
    HKEY GetBaseKey(bool Relative) const;
    void PutData(const String& Name, const void* Buffer, int BufSize, DWORD RegType);
    int GetData(const String& Name, void* Buffer, int BufSize, TRegDataType& RegData);

private:
    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = nullptr;
    String FCurrentPath;
    REGSAM FAccess = KEY_ALL_ACCESS;
    bool FLazyWrite = true;
};

// Settings in the manner of a settings file under a registry key: a section is a sub-key, a key a
// value. Integers and Booleans are written as REG_DWORD values (unless the value is already text),
// texts as REG_SZ; every value reads as text whatever its type.
class TRegIniFile : public TRegistry {
    DECLARE_CLASS(TRegIniFile, TRegistry)
public:
    // FileName is the key path below HKEY_CURRENT_USER. The key is opened when it exists; a
    // write creates what is missing.
    explicit TRegIniFile(const String& FileName, REGSAM AAccess = KEY_ALL_ACCESS);

    const String& GetFileName() const { return FFileName; }

    // The value-level operations of the key itself stay reachable.
    using TRegistry::DeleteKey;
    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

    String ReadString(const String& Section, const String& Ident, const String& Default);
    void WriteString(const String& Section, const String& Ident, const String& Value);
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
    void WriteInteger(const String& Section, const String& Ident, Integer Value);
    bool ReadBool(const String& Section, const String& Ident, bool Default);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    void ReadSection(const String& Section, TStrings* Strings);
    void ReadSections(TStrings* Strings);
    void ReadSectionValues(const String& Section, TStrings* Strings);
    void EraseSection(const String& Section);
    void DeleteKey(const String& Section, const String& Ident);
    bool ValueExistsIn(const String& Section, const String& Ident);

private:
    // Runs Work on a registry object of its own with the section's key open (created when
    // Create). False when the key is not there and not to be created.
    bool InSection(const String& Section, bool Create, const std::function<void(TRegistry&)>& Work);

    String FFileName;
};

// The settings-file interface over a TRegIniFile, so that one caller serves both stores.
class TRegistryIniFile : public TCustomIniFile {
    DECLARE_CLASS(TRegistryIniFile, TCustomIniFile)
public:
    explicit TRegistryIniFile(const String& FileName, REGSAM AAccess = KEY_ALL_ACCESS);

    TRegIniFile* RegIniFile() const { return FRegIniFile.get(); }

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default) override;
    void WriteInteger(const String& Section, const String& Ident, Integer Value) override;
    bool ReadBool(const String& Section, const String& Ident, bool Default) override;
    void WriteBool(const String& Section, const String& Ident, bool Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    void UpdateFile() override;   // nothing to do: the registry keeps every write

private:
    std::unique_ptr<TRegIniFile> FRegIniFile;
};
