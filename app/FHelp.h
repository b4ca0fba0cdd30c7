// FHelp: the editor's help window, a fixed how-to text read from its stored description (the
// RCDATA resource TFORM2). Closing it hides it.
#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

class TPropertyTable;

class TForm2 : public TForm {
    DECLARE_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* AOwner) : TForm(AOwner) {}
    void AfterConstruction() override;

    TMemo* Memo1 = nullptr;

    static void RegisterProperties(TPropertyTable& Table);
};

extern TForm2* Form2;
