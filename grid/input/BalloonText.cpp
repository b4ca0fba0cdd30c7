// Balloon tip texts and titles.
#include "grid/input/BalloonText.h"

#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"
#include "grid/QorGrid.h"
#include "grid/QorGridConsts.h"

namespace QorGridBalloon {

namespace {

String CutTo(const String& S, int MaxLength)
{
    if (int(S.size()) <= MaxLength) return S;
    const String Cut = QorGridConsts::SBalloonCut;
    return S.substr(0, MaxLength - Cut.size()) + Cut;
}

} // namespace

String TipText(const String& Text)
{
    String S = Text;
    for (wchar_t& Ch : S)
        if (Ch == L'\t') Ch = L' ';
    size_t Start = 0;
    while (Start < S.size() && (S[Start] == L'\r' || S[Start] == L'\n')) ++Start;
    return CutTo(S.substr(Start), MaxTextLength);
}

String TipTitle(const String& Title)
{
    return CutTo(Title, MaxTitleLength);
}

} // namespace QorGridBalloon

String TQorStringGrid::BalloonCellText(int C, int R)
{
    const String Text = GetCellEx(C, R);
    switch (QorUtil::TextType(Text, GetEnableHTML())) {
    case QorUtil::ttHTML: return JyrHTMLE::HTMLStrip(Text);
    case QorUtil::ttRTF: return GetStrippedCell(C, R);   // the rich edit's plain text
    default: return Text;
    }
}
