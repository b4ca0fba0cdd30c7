// TQorStringGrid: the floating footer's calculated row. When the footer shows the last row as a
// fixed footer row, each column's footer cell may hold a value of its column (sum, average,
// count, minimum, maximum, distinct texts, standard deviation, or one an event supplies).
//
// The values are read from the cell texts: an empty text or "-" counts as 0 and a text that is no
// number is left out (the footer of a column with such a cell still shows a value).
#include "grid/QorGrid.h"

#include "grid/input/FloatingFooter.h"

#include <cmath>
#include <set>

namespace {

struct TColumnStats {
    double Sum = 0, Min = 0, Max = 0;
    int Taken = 0;
    std::vector<double> Values;
};

// A value in the grid's float format; a format that does not take one number gives the plain
// value (the format is user text).
String FooterFloat(const String& Fmt, double V)
{
    if (!Fmt.empty()) {
        try {
            return Format(Fmt, {V});
        } catch (const EConvertError&) {
        }
    }
    return FloatToStr(V);
}

}  // namespace

void TQorStringGrid::UpdateFooter()
{
    if (FWin.FFooterPanel && FWin.FFooterPanel->HandleAllocated()) FWin.FFooterPanel->Invalidate();
}

void TQorStringGrid::FloatFooterUpdate()
{
    CalcFooter(-1);
    UpdateFooter();
}

void TQorStringGrid::CalcFooter(int ACol)
{
    DoCalcFooter(ACol);
}

void TQorStringGrid::DoCalcFooter(int ACol)
{
    TFloatingFooter* F = FOpt.FFloatingFooter.get();
    if (!F->GetVisible() || F->GetFooterStyle() != fsFixedLastRow || !F->GetEnableCalculation()) return;
    const int FooterRow = GetRowCount() - 1;
    if (FooterRow < GetFixedRows()) return;
    int First = ACol, Last = ACol;
    if (ACol == -1) {
        First = 0;
        Last = TotalColCount() - 1;
    }
    if (First < 0 || Last >= TotalColCount()) return;
    const bool WithHidden = F->GetCalculateHiddenRows();
    const int h = WithHidden ? HiddenRowCount() : 0;
    // The data rows up to the row before the footer: in real numbering with the hidden rows when
    // they count, else the shown rows in display numbering.
    const int FromRow = GetFixedRows(), ToRow = GetRowCount() + h - 2;
    auto DataText = [&](int c, int r) {
        return WithHidden ? GetCellsEx(c, r) : GetCellEx(c, r);
    };

    for (int c = First; c <= Last; ++c) {
        if (!HasCellProperties(c, FooterRow)) continue;
        const TColumnCalcType Kind = GetCellProperties(c, FooterRow)->GetCalcType();
        if (Kind == acNONE || Kind == acSPREAD) continue;
        String Value;
        if (Kind == acCOUNT) {
            Value = IntToStr(GetRowCount() + h - GetFixedRows() - 1);
        } else if (Kind == acCUSTOM) {
            if (OnFooterCalc)
                OnFooterCalc(this, c, FooterRow + h, Value);
            else if (F->OnCalcFooter)
                F->OnCalcFooter(this, c, FooterRow + h, Value);
        } else {
            TColumnStats S;
            std::set<String> Texts;
            for (int r = FromRow; r <= ToRow; ++r) {
                const String Text = DataText(c, r);
                if (Kind == acDISTINCT) {
                    Texts.insert(AnsiUpperCase(Text));
                    continue;
                }
                double V = 0;
                if (!Text.empty() && Text != L"-" && !TryStrToFloat(Text, V)) continue;
                S.Sum += V;
                S.Min = S.Taken ? std::min(S.Min, V) : V;
                S.Max = S.Taken ? std::max(S.Max, V) : V;
                ++S.Taken;
                if (Kind == acSTDDEV) S.Values.push_back(V);
            }
            const int n = ToRow - FromRow + 1;
            const double Avg = n > 0 ? S.Sum / n : 0;
            double Result = 0;
            switch (Kind) {
            case acSUM: Result = S.Sum; break;
            case acAVG: Result = Avg; break;
            case acMIN: Result = S.Min; break;
            case acMAX: Result = S.Max; break;
            case acDISTINCT: Result = double(Texts.size()); break;
            default: {
                double Sq = 0;
                for (double V : S.Values) Sq += (V - Avg) * (V - Avg);
                Result = n > 0 ? std::sqrt(Sq / n) : 0;
                break;
            }
            }
            Value = FooterFloat(FText.FFloatFormat, Result);
        }
        // Straight into the footer cell: a write through the cell access would ask for the footer
        // again.
        SetGridCell(c, FooterRow, Value);
        if (HandleAllocated() && !IsDestroying()) RepaintCell(DisplColIndex(c), FooterRow);
    }
    UpdateFooter();
}
