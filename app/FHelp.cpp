// FHelp: the editor's help window.
#include "FHelp.h"

#include "Unit1.h"
#include "framework/TypInfo.h"

TForm2* Form2 = nullptr;

void TForm2::RegisterProperties(TPropertyTable& T)
{
    RegisterEditorFormProperties(T);
    T.Fields.Add(L"Memo1", &TForm2::Memo1);
}

void TForm2::AfterConstruction()
{
    RegisterEditorClasses();
    ReadFormDescription(L"TFORM2", this);
    inherited::AfterConstruction();
}
