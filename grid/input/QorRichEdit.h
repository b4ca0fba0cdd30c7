// QorRichEdit: the rich-text edit a grid uses as the in-place editor of rich-text cells and as
// its hidden workspace for converting and measuring rich cell text. Over the framework's rich
// edit it adds the link to its grid, superscript and subscript formatting of the selection, Tab
// for the editor, and a lock that keeps resize requests from changing rows while a cell loads.
// Handing keys and focus changes to the grid and growing the row while typing come with the
// grid's rich-text editing.
#pragma once

#include "framework/ComCtrls.h"
#include "grid/QorGridDefs.h"

class TQorRichEdit : public TRichEdit {
    DECLARE_CLASS(TQorRichEdit, TRichEdit)
public:
    // AOwner: the grid.
    explicit TQorRichEdit(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    // The size the edit last asked for through its resize request.
    int GetReqHeight() const { return FReqHeight; }
    int GetReqWidth() const { return FReqWidth; }
    bool GetLocked() const { return FLocked; }

    // The selection's vertical offset: normal (0), subscript (-40 twips), superscript (40).
    void SelNormal() { SelFormat(0); }
    void SelSubscript() { SelFormat(-SubSuperOffset); }
    void SelSuperscript() { SelFormat(SubSuperOffset); }
    bool IsSelNormal() { return SelOffset() == 0; }
    bool IsSelSubscript() { return SelOffset() == -SubSuperOffset; }
    bool IsSelSuperscript() { return SelOffset() == SubSuperOffset; }
    // Sets the selection's vertical offset, in twips.
    void SelFormat(int Offset);

    // Creates the window again.
    void ReCreate() { RecreateWnd(); }
    // Set while the grid loads a cell into the edit.
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }

    void Dispatch(TMessage& Message) override;

    static constexpr int SubSuperOffset = 40;

protected:
    // The memo's answer, and Tab too.
    void WMGetDlgCode(TMessage& Message);

private:
    // The selection's vertical offset, in twips; 0 without a window.
    int SelOffset();

    TQorStringGrid* FGrid;
    int FReqHeight = 0;
    int FReqWidth = 0;
    bool FLocked = false;
};
