// IniFiles: settings files of sections and "key=value" lines.
//
// TCustomIniFile gives the typed reads and writes over four primitive operations; TIniFile writes
// every change through to the file at once; TMemIniFile reads the file once and writes it back on
// UpdateFile. Both share one line-based document, so that section and key names compare without
// regard to case, values are trimmed, and comments, blank lines and the order of lines survive a
// rewrite. Files with a UTF-8 or UTF-16 byte-order mark are read in that encoding, others in the
// ANSI code page; a text the file's encoding cannot hold is written as UTF-8 with a mark instead
// of being lost. A relative file name is taken from the current folder.
#pragma once

#include "Classes.h"

#include <memory>

// The parsed lines of a settings file.
class TIniDocument;

class TCustomIniFile : public TObject {
    DECLARE_CLASS(TCustomIniFile, TObject)
public:
    explicit TCustomIniFile(const String& FileName);
    ~TCustomIniFile() override;

    const String& GetFileName() const { return FFileName; }
    String FileName() const { return FFileName; }

    // A section header of that name (a section without keys exists too).
    virtual bool SectionExists(const String& Section);
    virtual bool ValueExists(const String& Section, const String& Ident);

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Decimal or hexadecimal ("$1F", "0x1F"); anything else gives Default.
    virtual Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
    virtual void WriteInteger(const String& Section, const String& Ident, Integer Value);
    // An integer: 0 is false, any other true; anything else gives Default.
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
    // "1" or "0".
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    // Numbers, dates and times in the current format settings; unreadable text gives Default.
    virtual double ReadFloat(const String& Section, const String& Ident, double Default);
    virtual void WriteFloat(const String& Section, const String& Ident, double Value);
    virtual TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteDate(const String& Section, const String& Ident, TDateTime Value);
    virtual TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
    virtual TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteTime(const String& Section, const String& Ident, TDateTime Value);

    // The keys of a section, in file order.
    virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
    // The sections, in file order, each once.
    virtual void ReadSections(TStrings* Strings) = 0;
    // "key=value" for every key of a section.
    virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    // Makes the file on disk hold what this object holds.
    virtual void UpdateFile() = 0;

protected:
    String FFileName;
};

// Reads and writes the file at every call: what a write returns from is on disk, and a write that
// cannot be made raises EIniFileException "Unable to write to <file>". A file that cannot be read
// reads as empty, but is never overwritten.
class TIniFile : public TCustomIniFile {
    DECLARE_CLASS(TIniFile, TCustomIniFile)
public:
    explicit TIniFile(const String& FileName);
    ~TIniFile() override;

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    void UpdateFile() override;   // nothing to do: every change is already on disk

private:
    std::unique_ptr<TIniDocument> Load(bool ForWriting);
    void Save(TIniDocument& Doc);
};

// Holds the whole file in memory: reads it once (a file that exists but cannot be read raises
// EIniFileException, so that UpdateFile can never overwrite it with less), and writes it back
// only on UpdateFile, in the encoding given or the one the file was read in (ANSI for a new file).
class TMemIniFile : public TCustomIniFile {
    DECLARE_CLASS(TMemIniFile, TCustomIniFile)
public:
    explicit TMemIniFile(const String& FileName, TEncoding* AEncoding = nullptr);
    ~TMemIniFile() override;

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    void UpdateFile() override;

    // The document as lines, and replaced from lines (as if read from a file).
    void GetStrings(TStrings* List);
    void SetStrings(TStrings* List);
    void Clear();
    // Another file name; with Reload the content is read from it.
    void Rename(const String& FileName, bool Reload);

    // Null until given or found from a byte-order mark: then the ANSI code page.
    TEncoding* GetEncoding() const { return FEncoding; }
    void SetEncoding(TEncoding* Value) { FEncoding = Value; }
    bool GetCaseSensitive() const;
    void SetCaseSensitive(bool Value);

private:
    void LoadValues();

    std::unique_ptr<TIniDocument> FDoc;
    TEncoding* FEncoding = nullptr;   // a shared encoding, or one the caller keeps alive
};
