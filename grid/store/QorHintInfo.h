// QorHintInfo: the title, notes and picture of an office-style cell hint. The grid owns one as its
// OfficeHint; its cell-hint hook puts the hint text into Notes and hands the object to the grid's
// office-hint event.
#pragma once

#include "framework/Classes.h"

class TGDIPPicture;
class TPropertyTable;

class TQorHintInfo : public TPersistent {
    DECLARE_CLASS(TQorHintInfo, TPersistent)
public:
    TQorHintInfo();
    ~TQorHintInfo() override;

    // From another hint info: title, notes (line copy), show-help flag, picture (picture copy),
    // wide title and wide notes. Any other source is ignored.
    void Assign(TPersistent* Source) override;

    const String& GetTitle() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    TStrings* GetNotes() const { return FNotes; }
    // Copies the given lines into the owned list.
    void SetNotes(TStrings* Value) { FNotes->Assign(Value); }
    TGDIPPicture* GetPicture() const { return FPicture; }
    // Copies the given picture into the owned one.
    void SetPicture(TGDIPPicture* Value);
    bool GetShowHelp() const { return FShowHelp; }
    void SetShowHelp(bool Value) { FShowHelp = Value; }
    const WideString& GetWideTitle() const { return FWideTitle; }
    void SetWideTitle(const WideString& Value) { FWideTitle = Value; }
    const WideString& GetWideNotes() const { return FWideNotes; }
    void SetWideNotes(const WideString& Value) { FWideNotes = Value; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FTitle;
    TStringList* FNotes;
    TGDIPPicture* FPicture;
    bool FShowHelp = false;
    WideString FWideTitle;
    WideString FWideNotes;
};
