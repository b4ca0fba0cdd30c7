// QorMemoDropDown: a drop-down edit for a multi-line text. The popup holds a memo; the one-line
// edit shows a summary (the first line, marked with "..." when more lines follow or cut to the
// edit's width, with the editor off). The text lives in MemoText, a string list that mirrors the
// memo's text (split at its line breaks, not at the memo's display rows).
//
// A keystroke in the open memo rewrites the summary from the start of the memo's text only, and
// MemoText is read from the memo when it is next asked for: a memo of many lines types as fast as
// a plain one.
#pragma once

#include "controls/QorDropDown.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

#include <memory>

class TPropertyTable;

class TQorMemoDropDown : public TQorCustomDropDown {
    DECLARE_CLASS(TQorMemoDropDown, TQorCustomDropDown)
public:
    explicit TQorMemoDropDown(TComponent* AOwner);
    ~TQorMemoDropDown() override;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void OnHideDropDown(TObject* Sender) override;
    // A cancelled close gives back the lines the text had when the popup opened.
    void DoHideDropDown(bool Cancelled) override;
    void OnDropDownControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void OnDropDownControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void OnDropDownControlKeyPress(TObject* Sender, Char& Key) override;

    // The text as lines (MemoText), brought up to date with the memo first.
    TStrings* GetMemoText();
    // Copies Value into MemoText (the summary follows) and into the memo.
    void SetMemoText(TStrings* Value);
    TPopupMenu* GetMemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
    TScrollStyle GetMemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    bool GetMemoReadOnly() const { return FMemoReadOnly; }
    // At once while the popup is open, else at the next opening.
    void SetMemoReadOnly(bool Value);
    bool GetAutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }
    TMemo* GetMemo() const { return FMemo; }
    // The value text.
    String GetTextEx() { return GetText(); }

    TNotifyEvent OnMemoChange;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void MemoChanged(TObject* Sender);
    // Writes the summary of MemoText into the edit.
    void OnMemoTextChanged(TObject* Sender);
    // Typing in the edit makes the typed line the whole text.
    void Change() override;
    void DoEnter() override;

private:
    bool PopupOpen() const;
    // The summary of a first line (More: other lines follow): with the editor off, "..." appended
    // or the line cut to the edit's width.
    String Summary(const String& First, bool More);
    void ShowSummary(const String& S);
    // The memo's first line and whether more follow, read from the start of its text only.
    void ReadFirstMemoLine(String& First, bool& More);
    // MemoText := the memo's text (in one read), without a summary.
    void TakeMemoText();

    TPopupMenu* FMemoPopup = nullptr;
    std::unique_ptr<TStringList> FMemoText;
    TMemo* FMemo = nullptr;
    TScrollStyle FMemoScrollBars = TScrollStyle::ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
    // The memo changed since MemoText last took its text.
    bool FMemoTextStale = false;
    // The text when the popup opened, given back by a cancelled close.
    String FTextAtOpening;
};

void RegisterQorMemoDropDownClasses();
