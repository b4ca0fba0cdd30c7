// QorHintInfo: the office-style hint's title, notes and picture.
#include "grid/store/QorHintInfo.h"

#include "framework/TypInfo.h"
#include "graphics/GDIPicture.h"

TQorHintInfo::TQorHintInfo() : FNotes(Create<TStringList>()), FPicture(Create<TGDIPPicture>()) {}

TQorHintInfo::~TQorHintInfo()
{
    FNotes->Free();
    FPicture->Free();
}

void TQorHintInfo::SetPicture(TGDIPPicture* Value)
{
    FPicture->Assign(Value);
}

void TQorHintInfo::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TQorHintInfo*>(Source);
    if (!S) return;
    FTitle = S->FTitle;
    FNotes->Assign(S->FNotes);
    FShowHelp = S->FShowHelp;
    FPicture->Assign(S->FPicture);
    FWideTitle = S->FWideTitle;
    FWideNotes = S->FWideNotes;
}

void TQorHintInfo::RegisterProperties(TPropertyTable& Table)
{
    Table.Add(L"Title", &TQorHintInfo::GetTitle, &TQorHintInfo::SetTitle);
    Table.Add(L"Notes", &TQorHintInfo::GetNotes, &TQorHintInfo::SetNotes);
    Table.Add(L"Picture", &TQorHintInfo::GetPicture, &TQorHintInfo::SetPicture);
    Table.Add(L"ShowHelp", &TQorHintInfo::GetShowHelp, &TQorHintInfo::SetShowHelp, false);
}
