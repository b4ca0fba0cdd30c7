// Unit1: the editor's main window.
#include "Unit1.h"

#include "FHelp.h"
#include "framework/Clipbrd.h"
#include "framework/Dialogs.h"
#include "framework/Streaming.h"
#include "framework/TypInfo.h"

TForm1* Form1 = nullptr;

// ---- Shared by the editor's forms ---------------------------------------------------------------

std::function<void(const String& ResName, TComponent* Form)> ReadFormDescriptionProc;

void ReadFormDescription(const String& ResName, TComponent* Form)
{
    if (ReadFormDescriptionProc) ReadFormDescriptionProc(ResName, Form);
    else ReadComponentRes(ResName, Form);
}

namespace {

template <class E>
void EnsureIdents(const String& Name, std::initializer_list<std::pair<E, const wchar_t*>> Values)
{
    if (!IdentTableOf(typeid(E))) RegisterEnumIdents<E>(Name, Values);
}

}  // namespace

void RegisterEditorFormProperties(TPropertyTable& T)
{
    EnsureIdents<TPosition>(L"TPosition",
                            {{poDesigned, L"poDesigned"}, {poDefault, L"poDefault"},
                             {poDefaultPosOnly, L"poDefaultPosOnly"}, {poDefaultSizeOnly, L"poDefaultSizeOnly"},
                             {poScreenCenter, L"poScreenCenter"}, {poDesktopCenter, L"poDesktopCenter"},
                             {poMainFormCenter, L"poMainFormCenter"}, {poOwnerFormCenter, L"poOwnerFormCenter"}});
    EnsureIdents<TBorderIcon>(L"TBorderIcon", {{biSystemMenu, L"biSystemMenu"}, {biMinimize, L"biMinimize"},
                                               {biMaximize, L"biMaximize"}, {biHelp, L"biHelp"}});
    // What the forms layer publishes already is left to it.
    const TRegisteredClass* Form = GetClass(L"TForm");
    auto Missing = [Form](const wchar_t* Name) { return !Form || !Form->FindProperty(Name); };
    if (Missing(L"Caption")) T.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    if (Missing(L"ClientWidth")) T.Add(L"ClientWidth", &TControl::GetClientWidth, &TControl::SetClientWidth);
    if (Missing(L"ClientHeight")) T.Add(L"ClientHeight", &TControl::GetClientHeight, &TControl::SetClientHeight);
    if (Missing(L"BorderStyle"))
        T.Add(L"BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle, bsSizeable);
    if (Missing(L"BorderIcons"))
        T.Add(L"BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons,
              TBorderIcons{biSystemMenu, biMinimize, biMaximize});
    if (Missing(L"Position")) T.Add(L"Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition, poDefaultPosOnly);
    if (Missing(L"Scaled")) T.Add(L"Scaled", &TCustomForm::GetScaled, &TCustomForm::SetScaled, true);
    if (Missing(L"PixelsPerInch"))
        T.Add(L"PixelsPerInch", &TCustomForm::GetPixelsPerInch, &TCustomForm::SetPixelsPerInch, 96);
    if (Missing(L"Menu")) T.Add(L"Menu", &TCustomForm::GetMenu, &TCustomForm::SetMenu);
    if (Missing(L"OnShow")) T.AddEvent(L"OnShow", &TCustomForm::OnShow);
}

void RegisterEditorClasses()
{
    RegisterStdCtrls();
    RegisterExtCtrls();
    RegisterComCtrls();
    RegisterMenuClasses();
    RegisterCellCheckers();
    RegisterClass<TQorStringGrid>();
    // A page's caption is its tab's text.
    if (TRegisteredClass& Sheet = RegisterClass<TTabSheet>(); !Sheet.FindProperty(L"Caption"))
        Sheet.Properties.Add(L"Caption", &TControl::GetCaption, &TControl::SetCaption);
    RegisterClass<TForm1>();
    RegisterClass<TForm2>();
}

void FinishEditorForm(TCustomForm* Form)
{
    // The menu bar takes its height from the window, not from the stored client area.
    // The stored client size was set before the menu was known; the bar's height is added back.
    if (auto* Menu = dynamic_cast<TMainMenu*>(Form->GetMenu())) {
        HWND Wnd = Form->GetHandle();
        int W = Form->GetClientWidth(), H = Form->GetClientHeight();
        bool Attached = ::GetMenu(Wnd) == Menu->GetHandle();
        if (!Attached) Menu->SetWindowHandle(Wnd);
        MENUBARINFO Bar{};
        Bar.cbSize = sizeof(Bar);
        int BarHeight = GetMenuBarInfo(Wnd, OBJID_MENU, 0, &Bar) ? int(Bar.rcBar.bottom - Bar.rcBar.top) : 0;
        Form->SetClientWidth(W);
        Form->SetClientHeight(Attached ? H + BarHeight : H);
    }
}

// ---- TForm1 ---------------------------------------------------------------------------------------

void TForm1::RegisterProperties(TPropertyTable& T)
{
    RegisterEditorFormProperties(T);
#define UNIT1_REGISTER_FIELD(Class, Name) T.Fields.Add(L"" #Name, &TForm1::Name);
    UNIT1_COMPONENTS(UNIT1_REGISTER_FIELD)
#undef UNIT1_REGISTER_FIELD
#define UNIT1_METHOD(Name) T.Methods.Add(L"" #Name, &TForm1::Name);
    UNIT1_METHOD(FormShow)
    UNIT1_METHOD(Button1Click)
    UNIT1_METHOD(Button2Click)
    UNIT1_METHOD(Button3Click)
    UNIT1_METHOD(Button4Click)
    UNIT1_METHOD(Button5Click)
    UNIT1_METHOD(Button6Click)
    UNIT1_METHOD(Button7Click)
    UNIT1_METHOD(Button8Click)
    UNIT1_METHOD(Button11Click)
    UNIT1_METHOD(Button12Click)
    UNIT1_METHOD(Button13Click)
    UNIT1_METHOD(Button14Click)
    UNIT1_METHOD(Button15Click)
    UNIT1_METHOD(Edit17Change)
    UNIT1_METHOD(PageControl2Change)
    UNIT1_METHOD(MemoKeyPress)
    UNIT1_METHOD(NV1Click)
    UNIT1_METHOD(N1Click)
    UNIT1_METHOD(Diagram1Click)
    UNIT1_METHOD(FraBBO1Click)
    UNIT1_METHOD(JYR3FixedCellClick)
    UNIT1_METHOD(Hjlp1Click)
    UNIT1_METHOD(Indstfraclipboard1Click)
    UNIT1_METHOD(Retmeldinger1Click)
#undef UNIT1_METHOD
}

void TForm1::AfterConstruction()
{
    RegisterEditorClasses();
    ReadFormDescription(L"TFORM1", this);
    FinishEditorForm(this);
    inherited::AfterConstruction();
}

TDiagramFields TForm1::GetDiagramFields()
{
    TDiagramFields F;
    F.Edit33 = Edit33->GetText();
    F.Edit34 = Edit34->GetText();
    F.Edit35 = Edit35->GetText();
    F.Edit36 = Edit36->GetText();
    F.Edit37 = Edit37->GetText();
    F.Edit38 = Edit38->GetText();
    TEdit* Holdings[16] = {Edit17, Edit18, Edit19, Edit20, Edit21, Edit22, Edit23, Edit24,
                           Edit25, Edit26, Edit27, Edit28, Edit29, Edit30, Edit31, Edit32};
    for (int I = 0; I < 16; ++I) F.Holding(I) = Holdings[I]->GetText();
    return F;
}

void TForm1::SetDiagramFields(const TDiagramFields& F)
{
    // Only changed fields are written, so that an unchanged field keeps its caret and undo.
    auto Put = [](TEdit* Edit, const String& Value) {
        if (Edit->GetText() != Value) Edit->SetText(Value);
    };
    Put(Edit33, F.Edit33);
    Put(Edit34, F.Edit34);
    Put(Edit35, F.Edit35);
    Put(Edit36, F.Edit36);
    Put(Edit37, F.Edit37);
    Put(Edit38, F.Edit38);
    TEdit* Holdings[16] = {Edit17, Edit18, Edit19, Edit20, Edit21, Edit22, Edit23, Edit24,
                           Edit25, Edit26, Edit27, Edit28, Edit29, Edit30, Edit31, Edit32};
    for (int I = 0; I < 16; ++I) Put(Holdings[I], F.Holding(I));
}

TInputMode TForm1::GetInputMode()
{
    return InputModeFromChecks(NV1->GetChecked(), N1->GetChecked(), Diagram1->GetChecked(),
                               FraBBO1->GetChecked());
}

void TForm1::SetInputMode(TInputMode Mode)
{
    std::array<bool, 4> Checks = ChecksForInputMode(Mode);
    NV1->SetChecked(Checks[0]);
    N1->SetChecked(Checks[1]);
    Diagram1->SetChecked(Checks[2]);
    FraBBO1->SetChecked(Checks[3]);
}

// ---- Handlers ---------------------------------------------------------------------------------------

// "Konvertér"
void TForm1::Button1Click(TObject*)
{
    TConvertResult R = ConvertDeal(Memo1->GetText(), GetInputMode(), Easydeal);
    if (!R.Message.empty()) {
        if (R.ErrorBox) MessageDlg(R.Message, mtError, TMsgDlgButtons{mbOK});
        else ShowMessage(R.Message);
    }
    if (!R.Lines.empty()) Memo2->SetText(AppendLinesToText(Memo2->GetText(), R.Lines));
}

// "Memo1Clear"
void TForm1::Button2Click(TObject*)
{
    Memo1->Clear();
    if (Memo1->CanFocus()) Memo1->SetFocus();
}

// "Memo2Clear"
void TForm1::Button3Click(TObject*)
{
    Memo2->Clear();
    if (Memo2->CanFocus()) Memo2->SetFocus();
}

// "Analysér"
void TForm1::Button4Click(TObject*)
{
    Memo2->SetText(LinesToText(AnalyseLines(Memo1->GetText())));
}

// "Find kandidat"
void TForm1::Button5Click(TObject*)
{
    Memo2->SetText(AppendLinesToText(Memo2->GetText(), FindCandidateLines(Memo1->GetText())));
}

// "Indsæt fra clipboard"
void TForm1::Button8Click(TObject*)
{
    String Text = Clipboard()->GetAsText();
    SetDiagramFields(ImportBoard(Text, GetDiagramFields()));
}

void TForm1::Indstfraclipboard1Click(TObject* Sender)
{
    Button8Click(Sender);
}

// "Indsæt diagram"
void TForm1::Button11Click(TObject*)
{
    Memo2->SetText(AppendLinesToText(Memo2->GetText(), DiagramBlock(GetDiagramFields())));
}

// "Send html-kode til clipboard"
void TForm1::Button12Click(TObject*)
{
    Memo4->Clear();
    Memo4->SetText(HtmlExportText(Memo2->GetText()));
    Memo4->SelectAll();
    // All of it is selected and goes to the clipboard as text; an empty export copies nothing,
    // so the clipboard keeps what it holds.
    String Selected = Memo4->GetText();
    if (!Selected.empty()) Clipboard()->SetAsText(Selected);
}

// "Indsæt korttegn"
void TForm1::Button13Click(TObject*)
{
    String Text = Memo2->GetText();
    String Result = SuitSymbolText(Text);
    if (Result != Text) Memo2->SetText(Result);
}

void TForm1::Retmeldinger1Click(TObject*)
{
    Memo2->SetText(LinesToText(RetmeldingerPass(TextToLines(Memo2->GetText()))));
}

// "Indsæt præformatteret felt"
void TForm1::Button14Click(TObject*)
{
    String Text = Memo2->GetText();
    TPreformattedFieldResult R = InsertPreformattedField(TextToLines(Text), RealLineAt(Text, Memo2->GetSelStart()));
    ShowMessage(R.Message);
    Memo2->SetText(LinesToText(R.Lines));
}

// "Præformattér alt"
void TForm1::Button15Click(TObject*)
{
    Memo2->SetText(LinesToText(PreformatAll(TextToLines(Memo2->GetText()))));
}

void TForm1::Edit17Change(TObject*) {}

void TForm1::PageControl2Change(TObject*) {}

void TForm1::MemoKeyPress(TObject* Sender, Char& Key)
{
    if (!IsSelectAllKey(Key)) return;
    if (auto* Memo = dynamic_cast<TCustomMemo*>(Sender)) Memo->SelectAll();
    Key = 0;
}

void TForm1::NV1Click(TObject*) { SetInputMode(imWritingOrder); }
void TForm1::N1Click(TObject*) { SetInputMode(imCompass); }
void TForm1::Diagram1Click(TObject*) { SetInputMode(imDiagram); }
void TForm1::FraBBO1Click(TObject*) { SetInputMode(imBBO); }

// "Hjælp": the one help window, shown without blocking the main window.
void TForm1::Hjlp1Click(TObject*)
{
    if (Form2) {
        Form2->Show();
        Form2->BringToFront();
    }
}
