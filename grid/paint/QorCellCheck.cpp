// TQorStringGrid: check boxes (plain, data, tri-state and the row box of column 0), radio groups
// and radio buttons: adding and removing, reading and setting their state, toggling with events,
// group propagation and undo, and the queries the editing code asks.
//
// Rows: the state getters and setters (GetCheckBoxState, SetCheckBoxState, IsChecked) take real
// rows; SetCheckBoxStateInt, the toggles and the Add operations take display rows. The row check
// box follows the disjunct row selection, whose flags are kept per display row.
#include "grid/QorGrid.h"

#include "grid/paint/CellGraphic.h"

namespace {

bool IsBoxKind(TCellType Kind)
{
    switch (Kind) {
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctTriStateCheckBox:
        return true;
    default: return false;
    }
}

bool IsDataBoxKind(TCellType Kind)
{
    return Kind == ctDataCheckBox || Kind == ctVirtCheckBox;
}

// The next state of a tri-state box: node rows skip the grayed state, and so does
// tsCheckUnCheck; a grayed box always goes to checked.
TCheckBoxState NextTriState(TCheckBoxState S, bool NodeRow, TToggleTriStateCheck Mode)
{
    switch (S) {
    case cbUnchecked: return NodeRow || Mode == tsCheckUnCheck ? cbChecked : cbGrayed;
    case cbChecked: return cbUnchecked;
    default: return cbChecked;
    }
}

}  // namespace

TCellGraphic* TQorStringGrid::RealRowGraphic(int RCol, int RealRow)
{
    if (RCol < 0 || RealRow < 0) return nullptr;
    // A hidden row keeps its cells' properties in the hidden-row store.
    if (HiddenRow(RealRow)) {
        auto* P = dynamic_cast<TCellProperties*>(GetAllGraphicsObject(RCol, RealRow));
        return P ? dyn<TCellGraphic>(P->GetGraphicObject()) : nullptr;
    }
    const int R = DisplRowIndex(RealRow);
    if (R < 0 || R >= GetRowCount()) return nullptr;
    return GetCellGraphic(RCol, R);
}

// ---- Adding and removing --------------------------------------------------------------------------------------

namespace {

TCellVAlign BoxVAlign(TVAlignment V)
{
    switch (V) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
    }
}

}  // namespace

void TQorStringGrid::AddCheckBox(int RCol, int ARow, bool State, bool Data)
{
    CreateCellGraphic(RCol, ARow)->SetCheckBox(State, Data, true, haBeforeText, BoxVAlign(FText.FVAlignment));
    if (!Data) return;
    const String Text = GetCellEx(RCol, ARow);
    if (Text != FText.FCheckTrue && Text != FText.FCheckFalse)
        SetCellEx(RCol, ARow, State ? FText.FCheckTrue : FText.FCheckFalse);
}

void TQorStringGrid::AddCheckBox(int RCol, int ARow, TCheckBoxState State)
{
    CreateCellGraphic(RCol, ARow)->SetCheckBox(State, true, haBeforeText, BoxVAlign(FText.FVAlignment));
}

namespace {

// The first row of the column operations: the header row too while CheckAllCheck puts a box there.
int FirstCheckRow(TQorStringGrid* G)
{
    return G->GetMouseActions()->GetCheckAllCheck() ? std::max(0, G->GetFixedRows() - 1) : G->GetFixedRows();
}

}  // namespace

void TQorStringGrid::AddCheckBoxColumn(int RCol, bool DefaultState, bool DataCheckBox)
{
    if (RCol == 0 && FOpt.FMouseActions->GetHotmailRowSelect()) return;
    CheckWidgetCell(RCol, 0);
    const int Last = GetRowCount() - FDims.FFixedFooters - 1;
    const bool Nodes = HasNodes();
    for (int r = FirstCheckRow(this); r <= Last; ++r) {
        if (IsSummary(r)) continue;
        if (Nodes && IsNode(r))
            AddCheckBox(RCol, r, BoolToCheckBoxState(DefaultState));
        else
            AddCheckBox(RCol, r, DefaultState, DataCheckBox);
    }
}

void TQorStringGrid::AddTriStateCheckBoxColumn(int RCol, TCheckBoxState State)
{
    CheckWidgetCell(RCol, 0);
    for (int r = FirstCheckRow(this); r < GetRowCount(); ++r) AddCheckBox(RCol, r, State);
}

void TQorStringGrid::RemoveCheckBoxColumn(int RCol)
{
    for (int r = FirstCheckRow(this); r < GetRowCount(); ++r)
        if (HasCheckBox(RCol, r)) RemoveCheckBox(RCol, r);
}

void TQorStringGrid::RemoveCheckBox(int RCol, int ARow)
{
    // The record releases an attached balloon list with itself.
    switch (GetCellType(RCol, ARow)) {
    case ctCheckBox: case ctDataCheckBox: case ctTriStateCheckBox: FreeCellGraphic(RCol, ARow); break;
    default: break;
    }
}

void TQorStringGrid::AddRadioButton(int RCol, int ARow, bool State)
{
    AddRadioButtonGroup(RCol, ARow, rgCol, State);
}

void TQorStringGrid::AddRadioButtonGroup(int RCol, int ARow, int Group, bool State)
{
    CreateCellGraphic(RCol, ARow)->SetRadioButton(State, true, haBeforeText, BoxVAlign(FText.FVAlignment),
                                                  Byte(Group));
}

void TQorStringGrid::AddRadioButtonColumn(int RCol)
{
    CheckWidgetCell(RCol, 0);
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) AddRadioButton(RCol, r, false);
}

void TQorStringGrid::AddRadioButtonGroupColumn(int RCol)
{
    CheckWidgetCell(RCol, 0);
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) AddRadioButtonGroup(RCol, r, rgRow, false);
}

void TQorStringGrid::RemoveRadioButton(int RCol, int ARow)
{
    RemoveCellGraphic(RCol, ARow, ctRadioButton);
}

void TQorStringGrid::RemoveRadioButtonColumn(int RCol)
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (HasRadioButton(RCol, r)) RemoveRadioButton(RCol, r);
}

void TQorStringGrid::AddRadio(int RCol, int ARow, int DirRadio, int IdxRadio, TStrings* sl)
{
    TCellGraphic* G = CreateCellGraphic(RCol, ARow);
    G->FCellType = ctRadio;
    G->FCellAngle = sl ? sl->Count() : 0;
    G->FCellBoolean = DirRadio != 0;
    G->FCellIndex = IdxRadio;
    G->FCellBitmap = sl;
}

TStrings* TQorStringGrid::CreateRadio(int RCol, int ARow, int DirRadio, int IdxRadio)
{
    auto* List = Create<TStringList>();
    auto Drop = ScopeFail([&] { List->Free(); });
    AddRadio(RCol, ARow, DirRadio, IdxRadio, List);
    TCellGraphic* G = OwnGraphic(RCol, ARow);
    G->FCellCreated = true;
    G->FCellAngle = 0;
    return List;
}

void TQorStringGrid::RemoveRadio(int RCol, int ARow)
{
    RemoveCellGraphic(RCol, ARow, ctRadio);
}

// ---- Reading and setting ------------------------------------------------------------------------------------

bool TQorStringGrid::GetCheckBoxState(int RCol, int ARow, TCheckBoxState& State)
{
    TCellGraphic* G = RealRowGraphic(RCol, ARow);
    if (!G) return false;
    // A hidden row is read from the hidden-row store; it has no row selection of its own, so its
    // row box answers its record.
    const bool Hidden = HiddenRow(ARow) != nullptr;
    const int R = Hidden ? ARow : DisplRowIndex(ARow);
    switch (G->FCellType) {
    case ctCheckBox: State = BoolToCheckBoxState(G->FCellBoolean); return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        State = BoolToCheckBoxState(GetCellsEx(RCol, ARow) == GetCheckTrue(RCol, R));
        return true;
    case ctTriStateCheckBox: State = G->FCellCheckBoxState; return true;
    case ctRowCheckBox:
        State = BoolToCheckBoxState(RCol == 0 && !Hidden ? GetRowSelect(R) : G->FCellBoolean);
        return true;
    default: return false;
    }
}

bool TQorStringGrid::GetCheckBoxState(int RCol, int ARow, bool& State)
{
    TCheckBoxState S = cbUnchecked;
    if (!GetCheckBoxState(RCol, ARow, S)) return false;
    State = S == cbChecked;
    return true;
}

bool TQorStringGrid::IsChecked(int RCol, int ARow)
{
    bool State = false;
    return GetCheckBoxState(RCol, ARow, State) && State;
}

bool TQorStringGrid::SetCheckBoxState(int RCol, int ARow, TCheckBoxState State)
{
    TCellGraphic* G = RealRowGraphic(RCol, ARow);
    if (!G || G->FCellType != ctTriStateCheckBox) return false;
    G->FCellCheckBoxState = State;
    if (!HiddenRow(ARow)) RepaintWidget(RCol, DisplRowIndex(ARow));
    return true;
}

bool TQorStringGrid::SetCheckBoxState(int RCol, int ARow, bool State)
{
    TCellGraphic* G = RealRowGraphic(RCol, ARow);
    if (!G) return false;
    // A hidden row is written in the hidden-row store and not repainted; its row box keeps the
    // state in its record (the row selection has no hidden rows).
    const bool Hidden = HiddenRow(ARow) != nullptr;
    const int R = Hidden ? ARow : DisplRowIndex(ARow);
    switch (G->FCellType) {
    case ctCheckBox: G->FCellBoolean = State; break;
    case ctTriStateCheckBox: G->FCellCheckBoxState = BoolToCheckBoxState(State); break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        const String Text = State ? GetCheckTrue(RCol, R) : GetCheckFalse(RCol, R);
        if (Hidden)
            SetGridCellsEx(RCol, ARow, Text);
        else
            SetCellEx(RCol, R, Text);
        return true;
    }
    case ctRowCheckBox:
        if (RCol != 0) return false;
        if (Hidden)
            G->FCellBoolean = State;
        else
            SetRowSelect(R, State);
        return true;
    default: return false;
    }
    if (!Hidden) RepaintWidget(RCol, R);
    return true;
}

bool TQorStringGrid::SetCheckBoxStateInt(int RCol, int ARow, bool State)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    bool Old = false;
    switch (G->FCellType) {
    case ctCheckBox:
        Old = G->FCellBoolean;
        if (Old != State) {
            G->FCellBoolean = State;
            RepaintWidget(RCol, ARow);
        }
        break;
    case ctTriStateCheckBox:
        Old = G->FCellCheckBoxState == cbChecked;
        if (Old != State) {
            G->FCellCheckBoxState = BoolToCheckBoxState(State);
            RepaintWidget(RCol, ARow);
        }
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        Old = GetCellEx(RCol, ARow) == GetCheckTrue(RCol, ARow);
        SetCellEx(RCol, ARow, State ? GetCheckTrue(RCol, ARow) : GetCheckFalse(RCol, ARow));
        break;
    case ctRowCheckBox:
        if (RCol != 0) return false;
        Old = GetRowSelect(ARow);
        if (Old != State) SetRowSelect(ARow, State);
        break;
    default: return false;
    }
    if (Old != State) DoCheckBoxChange(RCol, ARow, State);
    return true;
}

void TQorStringGrid::CheckAll(int RCol)
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetCheckBoxStateInt(RCol, r, true);
    if (FDims.FNumHidden > 0 && HandleAllocated()) InvalidateCol(DisplColIndex(RCol));
}

void TQorStringGrid::UnCheckAll(int RCol)
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetCheckBoxStateInt(RCol, r, false);
    if (FDims.FNumHidden > 0 && HandleAllocated()) InvalidateCol(DisplColIndex(RCol));
}

bool TQorStringGrid::IsCheckCell(int c, int r)
{
    return HasCheckBox(c, r);
}

void TQorStringGrid::SetAsCheck(int c, int r, const String& v)
{
    // Checked exactly when v is the check-true text: the undo component writes back the texts
    // ToggleCheck registered. r is a display row; the setter takes the real one.
    SetCheckBoxState(c, RealRowIndex(r), v == GetCheckTrue(c, r));
}

bool TQorStringGrid::IsDataCheckCol(int RCol)
{
    const int r = GetFixedRows();
    return r + 1 < GetRowCount() && GetCellType(RCol, r) == ctDataCheckBox && GetCellType(RCol, r + 1) == ctDataCheckBox;
}

bool TQorStringGrid::HasDataCell(int RCol, int ARow)
{
    return IsCellGraphic(RCol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

bool TQorStringGrid::HasStaticEdit(int RCol, int ARow)
{
    if (IsCellGraphic(RCol, ARow, {ctCheckBox, ctDataCheckBox, ctRadio, ctVirtCheckBox, ctRowCheckBox, ctRadioButton,
                                   ctTriStateCheckBox}))
        return true;
    return !FOpt.FNavigation->GetAllowEditButtonCells() && HasButton(RCol, ARow);
}

// ---- Radio groups and radio buttons -------------------------------------------------------------------------

bool TQorStringGrid::GetRadioIdx(int RCol, int ARow, int& IdxRadio)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    IdxRadio = G->FCellIndex;
    return G->FCellType == ctRadio;
}

bool TQorStringGrid::SetRadioIdx(int RCol, int ARow, int IdxRadio)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    G->FCellIndex = IdxRadio;
    if (IdxRadio == -1) SetCellEx(RCol, ARow, String());
    RepaintWidget(RCol, ARow);
    return G->FCellType == ctRadio;
}

TStrings* TQorStringGrid::GetRadioStrings(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && G->FCellType == ctRadio ? dyn<TStrings>(G->FCellBitmap) : nullptr;
}

bool TQorStringGrid::HasRadioButton(int RCol, int ARow)
{
    return IsCellGraphic(RCol, ARow, {ctRadioButton});
}

bool TQorStringGrid::HasRadioButtonGroup(int RCol, int ARow, TRadioButtonGroup Group)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && G->FCellType == ctRadioButton && G->FCellAngle == int(Group);
}

bool TQorStringGrid::IsRadioButtonChecked(int RCol, int ARow)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    return G && G->FCellType == ctRadioButton && G->FCellBoolean;
}

bool TQorStringGrid::SetRadioButtonState(int RCol, int ARow, bool State)
{
    TCellGraphic* G = BaseGraphic(RCol, ARow);
    if (!G || G->FCellType != ctRadioButton) return false;
    if (G->FCellBoolean != State) {
        G->FCellBoolean = State;
        const TPoint B = BaseCell(RCol, ARow);
        RepaintWidget(B.X, B.Y);
    }
    return true;
}

void TQorStringGrid::SetRadioButtonRowIndex(int ARow, int Index)
{
    for (int c = GetFixedCols(); c < GetColCount(); ++c) SetRadioButtonState(RealColIndex(c), ARow, c == Index);
}

void TQorStringGrid::SetRadioButtonColumnIndex(int RCol, int Index)
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetRadioButtonState(RCol, r, r == Index);
}

int TQorStringGrid::GetRadioButtonColumnIndex(int RCol)
{
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (IsRadioButtonChecked(RCol, r)) return r;
    return -1;
}

// ---- Toggles ------------------------------------------------------------------------------------------------------

bool TQorStringGrid::ToggleCheck(int RCol, int ARow, bool FromEdit)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    const TCellType Kind = G->FCellType;
    bool Cur = G->FCellBoolean;
    if (IsDataBoxKind(Kind))
        Cur = GetCellEx(RCol, ARow) == GetCheckTrue(RCol, ARow);
    else if (Kind == ctRowCheckBox)
        Cur = GetRowSelect(ARow);
    else if (Kind == ctTriStateCheckBox)
        Cur = G->FCellCheckBoxState == cbChecked;
    if (OnCheckBoxCanToggle) {
        bool Allow = true;
        OnCheckBoxCanToggle(this, RCol, ARow, Cur, Allow);
        if (!Allow) return false;
    }

    // Group context: the span of the node row toggled, or of the node holding the row.
    const bool Grouped =
        FOpt.FGrouping->GetAutoCheckGroup() && FDims.FGroupColumn != -1 && ARow >= GetFixedRows();
    const bool Node = Grouped && IsNode(ARow);
    const int Parent = Grouped && !Node ? GetParentRow(ARow) : -1;
    int Span = 0;
    if (Node)
        Span = GetNodeSpan(ARow);
    else if (Parent >= 0)
        Span = GetNodeSpan(Parent);
    const bool Contracted = Node && GetNodeState(ARow);

    if (!IsBoxKind(Kind)) return false;
    if (FromEdit && !FOpt.FControlLook->GetCheckAlwaysActive()) {
        bool CanEdit = true;
        GetCellReadOnly(RCol, ARow, CanEdit);
        if (!CanEdit) return false;
    }

    bool New = false;
    switch (Kind) {
    case ctCheckBox:
        G->FCellBoolean = !G->FCellBoolean;
        New = G->FCellBoolean;
        break;
    case ctTriStateCheckBox:
        G->FCellCheckBoxState =
            NextTriState(G->FCellCheckBoxState, IsNode(ARow), FOpt.FNavigation->GetToggleTriStateCheck());
        New = G->FCellCheckBoxState == cbChecked;
        break;
    case ctRowCheckBox:
        // The row box is the row's selection: the cell's text stays as it is.
        New = !Cur;
        SetRowSelect(ARow, New);
        break;
    default:
        New = !Cur;
        SetCellEx(RCol, ARow, New ? GetCheckTrue(RCol, ARow) : GetCheckFalse(RCol, ARow));
        break;
    }
    RepaintWidget(RCol, ARow);

    if (Node) {
        for (int i = 1; i < Span; ++i)
            SetCheckBoxState(RCol, Contracted ? RealRowIndex(ARow) + i : RealRowIndex(ARow + i), New);
    } else if (Parent >= 0 && Span > 1) {
        bool First = false, Same = true;
        GetCheckBoxState(RCol, RealRowIndex(Parent + 1), First);
        for (int i = 1; i < Span; ++i) {
            bool S = false;
            GetCheckBoxState(RCol, RealRowIndex(Parent + i), S);
            if (S != First) Same = false;
        }
        SetCheckBoxState(RCol, RealRowIndex(Parent), !Same ? cbGrayed : BoolToCheckBoxState(First));
    }

    DoCheckBoxChange(RCol, ARow, New);
    FEdit.FModified = true;
    if (TQorGridUndoRedo* U = GetUndoRedo()) {
        // The texts of the real old and new states; the undo log maps the row itself.
        const String TrueText = GetCheckTrue(RCol, ARow), FalseText = GetCheckFalse(RCol, ARow);
        U->RegisterChange(RCol, ARow, Cur ? TrueText : FalseText, New ? TrueText : FalseText);
    }
    return true;
}

bool TQorStringGrid::ToggleRadio(int RCol, int ARow, bool FromEdit)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G || G->FCellType != ctRadio) return false;
    if (FromEdit && !FOpt.FControlLook->GetRadioAlwaysActive()) {
        bool CanEdit = true;
        GetCellReadOnly(RCol, ARow, CanEdit);
        if (!CanEdit) return false;
    }
    // A group without captions has nothing to select.
    auto* Captions = dyn<TStrings>(G->FCellBitmap);
    if (!Captions || Captions->Count() == 0) return false;
    int Next = G->FCellIndex >= 0 ? G->FCellIndex + 1 : Captions->IndexOf(GetCellEx(RCol, ARow)) + 1;
    if (Next >= Captions->Count() || Next < 0) Next = 0;
    if (G->FCellIndex >= -1) G->FCellIndex = Next;
    G->FCellVar = Next;
    SetCellEx(RCol, ARow, Captions->Get(Next));
    return false;
}

bool TQorStringGrid::ToggleRadioButton(int RCol, int ARow, bool FromEdit)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G || G->FCellType != ctRadioButton) return false;
    if (FromEdit && !FOpt.FControlLook->GetRadioAlwaysActive()) {
        bool CanEdit = true;
        GetCellReadOnly(RCol, ARow, CanEdit);
        if (!CanEdit) return false;
    }
    if (!G->FCellBoolean) {
        G->FCellBoolean = true;
        RepaintWidget(RCol, ARow);
        // Each walk stops at the first cell without a radio button.
        auto Uncheck = [this](int c, int r) {
            TCellGraphic* O = GetCellGraphic(c, r);
            if (!O || O->FCellType != ctRadioButton) return false;
            if (O->FCellBoolean) {
                O->FCellBoolean = false;
                RepaintWidget(c, r);
            }
            return true;
        };
        if (G->FCellAngle == rgCol) {
            for (int r = ARow + 1; r < GetRowCount() && Uncheck(RCol, r); ++r) {}
            for (int r = ARow - 1; r >= 0 && Uncheck(RCol, r); --r) {}
        } else if (G->FCellAngle == rgRow) {
            // Hidden columns count: the walk runs over every real column.
            for (int c = RCol + 1; c < TotalColCount() && Uncheck(c, ARow); ++c) {}
            for (int c = RCol - 1; c >= 0 && Uncheck(c, ARow); --c) {}
        }
    }
    FEdit.FModified = true;
    return true;
}

