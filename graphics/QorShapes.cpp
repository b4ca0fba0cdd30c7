// QorUtil, cell shapes and the gauge bar.
#include "graphics/QorUtil.h"

#include "framework/Math.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace QorUtil {

void DrawRectangle(TCanvas* Canvas, const TRect& R, TColor aColor)
{
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(aColor);
    Canvas->FillRect(R);
}

void DrawTriangle(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetColor(Color);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    const TPoint P[3] = {{X - 3, Y}, {X + 3, Y}, {X, Y + 3}};
    Canvas->Polygon(P, 3);
}

namespace {

// Point k of the star around (cx, cy): even k on the outer radii, odd k on a third of them.
TPoint StarPoint(int k, int cx, int cy, int W, int H)
{
    const double rx = (k % 2 == 0) ? W / 2 : (W / 2) / 3.0;
    const double ry = (k % 2 == 0) ? H / 2 : (H / 2) / 3.0;
    const double a = k * std::numbers::pi / 5;
    return {cx + int(Round(std::sin(a) * rx)), cy - int(Round(std::cos(a) * ry))};
}

}  // namespace

void DrawShape(TCanvas* Canvas, int X, int Y, int Width, int Height, TCellShape Shape,
               TColor FillColor, TColor LineColor)
{
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(FillColor);
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetColor(LineColor);
    int W = Width, H = Height;
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) W = H = std::min(W, H);
    std::vector<TPoint> P;
    switch (Shape) {
    case csRectangle:
    case csSquare: Canvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1); return;
    case csCircle:
    case csEllips: Canvas->Ellipse(X, Y, X + W, Y + H); return;
    case csRoundRect:
    case csRoundSquare: Canvas->RoundRect(X, Y, X + W, Y + H, 10, 10); return;
    case csTriangleLeft: P = {{X + W, Y}, {X + W, Y + H}, {X, Y + H / 2}}; break;
    case csTriangleRight: P = {{X, Y}, {X, Y + H}, {X + W, Y + H / 2}}; break;
    case csTriangleUp: P = {{X, Y + H}, {X + W, Y + H}, {X + W / 2, Y}}; break;
    case csTriangleDown: P = {{X, Y}, {X + W, Y}, {X + W / 2, Y + H}}; break;
    case csDiamond: {
        const int w = W / 2, h = H / 2;
        P = {{X, Y + h}, {X + w, Y}, {X + 2 * w, Y + h}, {X + w, Y + 2 * h}};
        break;
    }
    case csLineVert: Canvas->Rectangle(X + W / 2, Y, X + W / 2 + 1, Y + H); return;
    case csLineHorz: Canvas->Rectangle(X, Y + H / 2, X + W, Y + H / 2 + 1); return;
    case csStar:
        for (int k = 0; k < 10; ++k) P.push_back(StarPoint(k, X + W / 2, Y + H / 2, W, H));
        break;
    case csHalfStar:
        for (int k : {0, 5, 6, 7, 8, 9}) P.push_back(StarPoint(k, X + W / 2, Y + H / 2, W, H));
        break;
    case csArrowUp:
    case csArrowDown: {
        W -= W % 2;
        // Drawn pointing up, then mirrored top to bottom for the down arrow.
        P = {{X, Y + H / 2}, {X + W / 2, Y}, {X + W, Y + H / 2}, {X + 3 * (W / 4), Y + H / 2},
             {X + 3 * (W / 4), Y + H}, {X + W / 4, Y + H}, {X + W / 4, Y + H / 2}};
        if (Shape == csArrowDown)
            for (TPoint& Q : P) Q.Y = 2 * Y + H - Q.Y;
        break;
    }
    case csArrowLeft:
    case csArrowRight: {
        H -= H % 2;
        P = {{X + W, Y + H / 2}, {X + W / 2, Y}, {X + W / 2, Y + H / 4}, {X, Y + H / 4},
             {X, Y + 3 * (H / 4)}, {X + W / 2, Y + 3 * (H / 4)}, {X + W / 2, Y + H}};
        if (Shape == csArrowLeft)
            for (TPoint& Q : P) Q.X = 2 * X + W - Q.X;
        break;
    }
    default: return;
    }
    Canvas->Polygon(P);
}

// ---- Gauge ------------------------------------------------------------------------------------

namespace {

struct TGaugeBar {
    TCanvas* Canvas;
    const TRect& R;
    const TGaugeSettings& S;
    bool Horizontal;

    // The piece from Start to Start + Len along the bar (counted from the bar's start), spanning
    // the thickness of R less Inset on each side.
    TRect Piece(int Start, int Len, int Inset) const
    {
        if (Horizontal) return {R.Left + Inset + Start, R.Top + Inset, R.Left + Inset + Start + Len, R.Bottom - Inset};
        return {R.Left + Inset, R.Bottom - Inset - Start - Len, R.Right - Inset, R.Bottom - Inset - Start};
    }

    void Fill(const TRect& P, TColor Color, TColor ColorTo) const
    {
        if (P.Width() <= 0 || P.Height() <= 0) return;
        if (!S.ShowGradient) {
            Canvas->GetBrush()->SetStyle(bsSolid);
            Canvas->GetBrush()->SetColor(Color);
            Canvas->FillRect(P);
            return;
        }
        // Cut across the bar: upper and lower halves of a horizontal bar, left and right of a
        // vertical one, each with its gradient running across the bar.
        TRect A = P, B = P;
        if (Horizontal)
            A.Bottom = B.Top = P.Top + P.Height() / 2;
        else
            A.Right = B.Left = P.Left + P.Width() / 2;
        DrawGradient(Canvas, ColorTo, Color, S.Steps, A, !Horizontal);
        DrawGradient(Canvas, Color, ColorTo, S.Steps, B, !Horizontal);
    }
};

int PercOf(double Perc, int L0) { return int(Round(Perc / 100 * L0)); }

}  // namespace

void DrawGauge(TCanvas* Canvas, const TRect& R, int Position, const TGaugeSettings& Settings)
{
    const TGaugeSettings& S = Settings;
    const bool Horizontal = S.Orientation == goHorizontal;
    const int L0 = std::max(0, (Horizontal ? R.Width() : R.Height()) - 2);
    const TColor PenColor = S.ShowBorder ? S.BorderColor : S.BackgroundColor;
    auto SetPen = [&] {
        Canvas->GetPen()->SetStyle(psSolid);
        Canvas->GetPen()->SetWidth(1);
        Canvas->GetPen()->SetColor(PenColor);
    };
    SetPen();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(S.BackgroundColor);
    Canvas->Rectangle(R);

    // Positions beyond the scale draw a full bar rather than running past the outline.
    const int Pos = std::min(Position, 100);
    TGaugeBar Bar{Canvas, R, S, Horizontal};
    if (Pos > 0 && S.Stacked) {
        int Len1 = Pos < S.Level1Perc ? PercOf(Pos, L0) : PercOf(S.Level1Perc, L0);
        Len1 = std::clamp(Len1, 0, L0);
        Bar.Fill(Bar.Piece(0, Len1, 1), S.Level0Color, S.Level0ColorTo);
        if (Pos >= S.Level1Perc) {
            int Len2 = Pos < S.Level2Perc ? PercOf(Pos - S.Level1Perc, L0) : PercOf(S.Level2Perc - S.Level1Perc, L0);
            Len2 = std::clamp(Len2, 0, L0 - Len1);
            Bar.Fill(Bar.Piece(Len1, Len2, 1), S.Level1Color, S.Level1ColorTo);
            if (Pos >= S.Level2Perc) {
                int Len3 = Pos >= 100 ? L0 - Len1 - Len2 : PercOf(Pos - S.Level2Perc, L0);
                Len3 = std::clamp(Len3, 0, L0 - Len1 - Len2);
                Bar.Fill(Bar.Piece(Len1 + Len2, Len3, 1), S.Level3Color, S.Level3ColorTo);
            }
        }
    } else if (Pos > 0) {
        TColor C = S.Level3Color, CTo = S.Level3ColorTo;
        if (Pos < S.Level1Perc)
            C = S.Level0Color, CTo = S.Level0ColorTo;
        else if (Pos < S.Level2Perc)
            C = S.Level1Color, CTo = S.Level1ColorTo;
        else if (Pos < 100)
            C = S.Level2Color, CTo = S.Level2ColorTo;
        if (S.CompletionSmooth) {
            Bar.Fill(Bar.Piece(0, std::min(L0, PercOf(Pos, L0)), 1), C, CTo);
        } else {
            Canvas->GetBrush()->SetColor(S.BackgroundColor);
            const int L = std::min(int(Round(double(Pos) * L0 / 100)), std::max(0, L0 - 2));
            if (L < 10) {
                if (L > 1) Bar.Fill(Bar.Piece(0, L - 1, 2), C, CTo);
            } else {
                for (int i = 0; i < L / 9; ++i) Bar.Fill(Bar.Piece(i * 9, 7, 2), C, CTo);
                if (L % 9 > 2) Bar.Fill(Bar.Piece((L / 9) * 9, L % 9 - 1, 2), C, CTo);
            }
            Canvas->GetBrush()->SetStyle(bsClear);
        }
    }

    if (S.ShowPercentage) {
        Canvas->GetBrush()->SetStyle(bsClear);
        TFont* F = Canvas->GetFont();
        if (S.Font) {
            F->SetName(S.Font->GetName());
            F->SetSize(S.Font->GetSize());
            F->SetStyle(S.Font->GetStyle());
        }
        F->SetColor(S.FontColor);
        const String Text = IntToStr(Position) + L"%";
        const TSize Ext = Canvas->TextExtent(Text);
        const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
        if (Horizontal) {
            Canvas->TextOut(cx - Ext.cx / 2, cy - Ext.cy / 2, Text);
        } else {
            const int Old = F->GetOrientation();
            F->SetOrientation(900);
            Canvas->TextOut(cx - Ext.cy / 2, cy + Ext.cx / 2, Text);
            F->SetOrientation(Old);
        }
    }

    SetPen();
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(R);
}

}  // namespace QorUtil
