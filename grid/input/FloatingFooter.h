// FloatingFooter: the footer strip docked at the grid's bottom edge that stays while the rows
// scroll. TFloatingFooter holds its settings (the grid's FloatingFooter property); TFooterPanel is
// the child window that shows it (the grid's last row as a fixed footer row, a preview of one
// column or of an HTML template filled from the current row, or a strip the application paints).
// The grid creates both in its constructor.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/TypInfo.h"
#include "grid/QorGridDefs.h"
#include "grid/store/QorOptionProps.h"

#include <array>

// The settings before and after the footer's own calculation event, in their field order.
#define QOR_FLOATINGFOOTER_PROPS(X)                               \
    X(Field, Public, Keep, int, Height, 0)                        \
    X(Setter, Add, Keep, bool, Visible, false)                    \
    X(Field, AddColor, Copy, TColor, Color, clBtnFace)            \
    X(Field, Add, Copy, TFooterStyle, FooterStyle, fsFixedLastRow) \
    X(Field, Add, Copy, int, Column, 0)

#define QOR_FLOATINGFOOTER_PROPS_AFTER_EVENT(X)                   \
    X(Field, Add, Copy, String, CustomTemplate, L"")              \
    X(Field, Add, Copy, bool, CalculateHiddenRows, true)          \
    X(Field, Public, Keep, bool, EnableCalculation, true)         \
    X(Field, Add, Copy, bool, ShowHint, false)                    \
    X(Field, AddColor, Keep, TColor, BorderColor, clNone)

// The setters store, except Visible: showing the footer shows its panel, makes the grid's last row
// the fixed footer row (last-row style) or adds one extra row (the other styles, FDidInc), keeps
// the grid's fixed rows, and hides the last row under the panel. What the other values do comes
// with the footer's behaviour: Color, Column, CustomTemplate and BorderColor repaint the footer
// panel, Height sizes it, ShowHint passes on to it, and the column calculations live on the
// grid's last row.
class TFloatingFooter : public TPersistent {
    DECLARE_CLASS(TFloatingFooter, TPersistent)
public:
    // AOwner: the grid. Calculation on, hidden rows counted, no extra row added.
    explicit TFloatingFooter(TComponent* AOwner);

    // From another TFloatingFooter: CalculateHiddenRows, Color, Column, CustomTemplate,
    // FooterStyle (the field), Visible (through its setter) and ShowHint. Other sources are
    // ignored.
    void Assign(TPersistent* Source) override;

    TQorStringGrid* GetGrid() const { return FGrid; }
    // True while the footer has added one extra row to the grid.
    bool GetDidInc() const { return FDidInc; }

    static void RegisterProperties(TPropertyTable& Table);

private:
    TQorStringGrid* FGrid;
    bool FDidInc = false;

    QOR_FLOATINGFOOTER_PROPS(QOR_OPTION_DECLARE)

public:
    // The footer's custom calculation, used by the grid's footer calculation.
    TFooterCalcEvent OnCalcFooter;

    QOR_FLOATINGFOOTER_PROPS_AFTER_EVENT(QOR_OPTION_DECLARE)
};

// The text of a custom preview template for one row: every tag made of "<#", a decimal column
// index n and ">" becomes CellText(n), a tag whose n is no number is removed, and the text around
// the tags stays. CellText answers for any n (an empty text for a column the grid lacks).
String ReplaceColumnTags(const String& Template, const std::function<String(int ACol)>& CellText);

// Painting (the four footer styles and the top border line), the mouse (clicks reported as
// clicks on the grid's last row, hints per column) and the balloon tip with its tool tip window
// come with the footer's behaviour; they read the grid.
class TFooterPanel : public TCustomPanel {
    DECLARE_CLASS(TFooterPanel, TCustomPanel)
public:
    // AOwner: the grid. No hint column, no balloon yet.
    explicit TFooterPanel(TComponent* AOwner);

    TQorStringGrid* GetGrid() const { return FGrid; }
    // The column of the last hint shown, -1 for none.
    int GetLastHintX() const { return FLastHintX; }
    // R as the panel paints it: unchanged, or with right-to-left (Rtl) mirrored in the client
    // width, so that a strip from the left edge becomes the same strip from the right edge.
    TRect RTLCoord(bool Rtl, const TRect& R);

    void Dispatch(TMessage& Message) override;

    // The balloon text handed to the tool tip window: room for 4096 characters and the end.
    static constexpr int ToolTipBufferSize = 4098;

protected:
    // The pointer left the panel: no hint column any more.
    void CMMouseLeave(TMessage& Message);

private:
    TQorStringGrid* FGrid;
    std::array<wchar_t, ToolTipBufferSize> FToolTipBuffer{};
    int FLastHintX = -1;
    HWND FHToolTip = nullptr;
    bool FBalloonInit = false;
    // Column and row of the last balloon; (-1, -1) before the first.
    TPoint FLastBalloonPos{-1, -1};
};
