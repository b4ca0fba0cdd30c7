// jyrcheck: cell checkers, non-visual components a grid links to correct or mark the text of its
// cells. TQorStringGridCheck leaves every text as it is; TCapitalCheck capitalises sentence starts.
#pragma once

#include "framework/Classes.h"

class TPropertyTable;

class TQorStringGridCheck : public TComponent {
    DECLARE_CLASS(TQorStringGridCheck, TComponent)
public:
    explicit TQorStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}

    // The text to store for a cell after marking its errors; here the text unchanged.
    virtual String MarkError(int ACol, int ARow, const String& S);
    // The text to store for a cell after correcting it; here the text unchanged.
    virtual String Correct(int ACol, int ARow, const String& S);
    // Called by the grid before and after a range check.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    bool GetGotoCell() const { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    bool GetAutoCorrect() const { return FAutoCorrect; }
    void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
    bool GetAutoMarkError() const { return FAutoMarkError; }
    void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
    bool GetUseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool GetUseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }
    // The outcome of the last operation (1 = go on); a range check stops at any other value.
    int GetLastResult() const { return FLastResult; }
    void SetLastResult(int Value) { FLastResult = Value; }

    // The grid this checker is linked to; set by the grid, cleared when that grid goes.
    TComponent* GetGrid() const { return FGrid; }
    void SetGrid(TComponent* Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;
    static void RegisterProperties(TPropertyTable& Table);

protected:
    int FLastResult = 1;

private:
    TComponent* FGrid = nullptr;
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};

class TCapitalCheck : public TQorStringGridCheck {
    DECLARE_CLASS(TCapitalCheck, TQorStringGridCheck)
public:
    explicit TCapitalCheck(TComponent* AOwner) : TQorStringGridCheck(AOwner) {}
    // S with every ASCII letter a to z made capital where it starts S or follows ".", "!" or "?"
    // and exactly one blank. LastResult is left as it is.
    String Correct(int ACol, int ARow, const String& S) override;
};

// Registers both checker classes for stored descriptions.
void RegisterCellCheckers();
