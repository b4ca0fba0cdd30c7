// jyrcheck: cell checkers.
#include "jyrcheck.h"

#include "framework/TypInfo.h"

String TQorStringGridCheck::MarkError(int, int, const String& S)
{
    FLastResult = 1;
    return S;
}

String TQorStringGridCheck::Correct(int, int, const String& S)
{
    FLastResult = 1;
    return S;
}

void TQorStringGridCheck::SetGrid(TComponent* Value)
{
    if (FGrid == Value) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = Value;
    if (FGrid) FGrid->FreeNotification(this);
}

void TQorStringGridCheck::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TQorStringGridCheck::RegisterProperties(TPropertyTable& T)
{
    // Always stored: no declared defaults.
    T.Add(L"AutoCorrect", &TQorStringGridCheck::GetAutoCorrect, &TQorStringGridCheck::SetAutoCorrect);
    T.Add(L"AutoMarkError", &TQorStringGridCheck::GetAutoMarkError, &TQorStringGridCheck::SetAutoMarkError);
    T.Add(L"GotoCell", &TQorStringGridCheck::GetGotoCell, &TQorStringGridCheck::SetGotoCell);
    T.Add(L"UseCorrect", &TQorStringGridCheck::GetUseCorrect, &TQorStringGridCheck::SetUseCorrect);
    T.Add(L"UseMarkError", &TQorStringGridCheck::GetUseMarkError, &TQorStringGridCheck::SetUseMarkError);
}

String TCapitalCheck::Correct(int, int, const String& S)
{
    String R = S;
    Char Before2 = L'.', Before1 = L' ';
    for (Char& C : R) {
        Char Orig = C;
        if (C >= L'a' && C <= L'z' && Before1 == L' ' && (Before2 == L'.' || Before2 == L'!' || Before2 == L'?'))
            C = UpCase(C);
        Before2 = Before1;
        Before1 = Orig;
    }
    return R;
}

void RegisterCellCheckers()
{
    RegisterClasses<TQorStringGridCheck, TCapitalCheck>();
}
