// The floating footer's settings and panel.
#include "grid/input/FloatingFooter.h"

#include "grid/QorGrid.h"
#include "grid/detail/QorGridOwner.h"

// ---- TFloatingFooter ------------------------------------------------------------------------------

TFloatingFooter::TFloatingFooter(TComponent* AOwner) : FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

void TFloatingFooter::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    if (!FGrid) return;
    const bool LastRow = FFooterStyle == fsFixedLastRow;
    if (TFooterPanel* Panel = FGrid->GetFooterPanel()) {
        Panel->SetVisible(Value);
        Panel->SetHeight(Value ? FHeight - 1 : 0);
    }
    // In the last-row style the grid's last row is the footer row; the other styles show below
    // one extra row that the footer adds while it is visible.
    FGrid->SetFixedFooters(Value && LastRow ? 1 : 0);
    if (Value && !LastRow && !FDidInc) {
        FDidInc = true;
        FGrid->SetRowCountEx(FGrid->GetRowCount() + 1);
    } else if ((!Value || LastRow) && FDidInc) {
        FDidInc = false;
        FGrid->SetRowCountEx(FGrid->GetRowCount() - 1);
    }
    if (FGrid->GetFixedRows() > 0) FGrid->SetFixedRowAlways(true);
    FGrid->SetHideLastRow(Value && LastRow);
    FGrid->Invalidate();
}

void TFloatingFooter::Assign(TPersistent* Source_)
{
    auto* Source = dynamic_cast<TFloatingFooter*>(Source_);
    if (!Source) return;
    QOR_FLOATINGFOOTER_PROPS(QOR_OPTION_COPY)
    QOR_FLOATINGFOOTER_PROPS_AFTER_EVENT(QOR_OPTION_COPY)
    SetVisible(Source->FVisible);
}

void TFloatingFooter::RegisterProperties(TPropertyTable& Table)
{
    using TSelf = TFloatingFooter;
    // The height follows the grid's default row height; it has no default of its own.
    Table.Add(L"Height", &TSelf::GetHeight, &TSelf::SetHeight);
    QOR_FLOATINGFOOTER_PROPS(QOR_OPTION_REGISTER)
    Table.AddEvent(L"OnCalcFooter", &TSelf::OnCalcFooter);
    QOR_FLOATINGFOOTER_PROPS_AFTER_EVENT(QOR_OPTION_REGISTER)
}

String ReplaceColumnTags(const String& Template, const std::function<String(int ACol)>& CellText)
{
    String Result;
    size_t Pos = 0;
    while (true) {
        size_t Open = Template.find(L"<#", Pos);
        size_t Close = Open == String::npos ? String::npos : Template.find(L'>', Open + 2);
        if (Close == String::npos) break;
        Result += Template.substr(Pos, Open - Pos);
        int Col;
        if (TryStrToInt(Template.substr(Open + 2, Close - Open - 2), Col)) Result += CellText(Col);
        Pos = Close + 1;
    }
    return Result + Template.substr(Pos);
}

// ---- TFooterPanel ---------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner)) {}

TRect TFooterPanel::RTLCoord(bool Rtl, const TRect& R)
{
    if (!Rtl) return R;
    int W = GetClientWidth();
    return TRect(W - R.Right, R.Top, W - R.Left, R.Bottom);
}

void TFooterPanel::CMMouseLeave(TMessage& Message)
{
    FLastHintX = -1;
    inherited::Dispatch(Message);
}

void TFooterPanel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    default: inherited::Dispatch(Message);
    }
}
