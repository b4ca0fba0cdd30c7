// Unit1: the editor's main window. Every control comes from the stored description (the RCDATA
// resource TFORM1); the handlers move text between the controls, the clipboard and the line
// functions of Unit1Text, which hold all of the text logic.
#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/ComCtrls.h"
#include "framework/Menus.h"
#include "controls/jyrcheck.h"
#include "grid/QorGrid.h"
#include "Unit1Text.h"

#include <functional>

class TPropertyTable;

// Every component of the main window as (class, name), in the order of the description.
#define UNIT1_COMPONENTS(X) \
    X(TLabel, Label9) \
    X(TLabel, Label10) \
    X(TLabel, Label11) \
    X(TLabel, Label12) \
    X(TPageControl, PageControl1) \
    X(TTabSheet, TabSheet1) \
    X(TMemo, Memo1) \
    X(TButton, Button1) \
    X(TButton, Button3) \
    X(TButton, Button4) \
    X(TButton, Button5) \
    X(TPageControl, PageControl2) \
    X(TTabSheet, TabSheet3) \
    X(TPanel, Panel4) \
    X(TButton, Button11) \
    X(TButton, Button13) \
    X(TButton, Button14) \
    X(TButton, Button15) \
    X(TButton, Button12) \
    X(TMemo, Memo2) \
    X(TTabSheet, TabSheet5) \
    X(TMemo, Memo5) \
    X(TTabSheet, TabSheet4) \
    X(TPanel, Panel5) \
    X(TMemo, Memo4) \
    X(TTabSheet, TabSheet6) \
    X(TMemo, Memo6) \
    X(TTabSheet, TabSheet12) \
    X(TPanel, Panel2) \
    X(TButton, Button8) \
    X(TButton, Button9) \
    X(TButton, Button10) \
    X(TPanel, Panel3) \
    X(TLabel, Label28) \
    X(TLabel, Label29) \
    X(TLabel, Label30) \
    X(TLabel, Label31) \
    X(TEdit, Edit33) \
    X(TEdit, Edit34) \
    X(TEdit, Edit35) \
    X(TEdit, Edit36) \
    X(TPanel, Panel1) \
    X(TEdit, Edit37) \
    X(TEdit, Edit38) \
    X(TLabel, Label32) \
    X(TEdit, Edit17) \
    X(TLabel, Label33) \
    X(TEdit, Edit18) \
    X(TLabel, Label34) \
    X(TEdit, Edit19) \
    X(TLabel, Label35) \
    X(TEdit, Edit20) \
    X(TLabel, Label36) \
    X(TEdit, Edit21) \
    X(TLabel, Label37) \
    X(TEdit, Edit22) \
    X(TLabel, Label38) \
    X(TEdit, Edit23) \
    X(TLabel, Label39) \
    X(TEdit, Edit24) \
    X(TLabel, Label40) \
    X(TEdit, Edit25) \
    X(TLabel, Label41) \
    X(TEdit, Edit26) \
    X(TLabel, Label42) \
    X(TEdit, Edit27) \
    X(TLabel, Label43) \
    X(TEdit, Edit28) \
    X(TLabel, Label44) \
    X(TEdit, Edit29) \
    X(TLabel, Label45) \
    X(TEdit, Edit30) \
    X(TLabel, Label46) \
    X(TEdit, Edit31) \
    X(TLabel, Label47) \
    X(TEdit, Edit32) \
    X(TButton, Button2) \
    X(TTabSheet, TabSheet2) \
    X(TLabel, Label1) \
    X(TEdit, Edit1) \
    X(TLabel, Label2) \
    X(TEdit, Edit2) \
    X(TLabel, Label3) \
    X(TEdit, Edit3) \
    X(TLabel, Label4) \
    X(TEdit, Edit4) \
    X(TLabel, Label5) \
    X(TEdit, Edit5) \
    X(TLabel, Label6) \
    X(TEdit, Edit6) \
    X(TLabel, Label7) \
    X(TEdit, Edit7) \
    X(TLabel, Label8) \
    X(TEdit, Edit8) \
    X(TLabel, Label13) \
    X(TEdit, Edit9) \
    X(TLabel, Label14) \
    X(TEdit, Edit10) \
    X(TLabel, Label15) \
    X(TEdit, Edit11) \
    X(TLabel, Label16) \
    X(TEdit, Edit12) \
    X(TLabel, Label17) \
    X(TEdit, Edit13) \
    X(TLabel, Label18) \
    X(TEdit, Edit14) \
    X(TLabel, Label19) \
    X(TEdit, Edit15) \
    X(TLabel, Label20) \
    X(TEdit, Edit16) \
    X(TLabel, Label24) \
    X(TLabel, Label25) \
    X(TLabel, Label26) \
    X(TLabel, Label27) \
    X(TTabSheet, Turnering) \
    X(TLabel, Label21) \
    X(TLabel, Label22) \
    X(TLabel, Label23) \
    X(TGroupBox, GroupBox1) \
    X(TQorStringGrid, JYR1) \
    X(TButton, Button6) \
    X(TQorStringGrid, JYR2) \
    X(TButton, Button7) \
    X(TPageControl, PageControl3) \
    X(TTabSheet, TabSheet7) \
    X(TQorStringGrid, JYR3) \
    X(TTabSheet, TabSheet8) \
    X(TQorStringGrid, JYR4) \
    X(TTabSheet, TabSheet9) \
    X(TQorStringGrid, JYR5) \
    X(TTabSheet, TabSheet10) \
    X(TQorStringGrid, JYR6) \
    X(TTabSheet, TabSheet11) \
    X(TQorStringGrid, JYR7) \
    X(TMainMenu, MainMenu1) \
    X(TMenuItem, Filer1) \
    X(TMenuItem, bn1) \
    X(TMenuItem, Gem1) \
    X(TMenuItem, Gemsom1) \
    X(TMenuItem, Afslut1) \
    X(TMenuItem, Vrktj1) \
    X(TMenuItem, NV1) \
    X(TMenuItem, N1) \
    X(TMenuItem, Diagram1) \
    X(TMenuItem, FraBBO1) \
    X(TMenuItem, Sprog1) \
    X(TMenuItem, Dansk1) \
    X(TMenuItem, Svensk1) \
    X(TMenuItem, Engelsk1) \
    X(TMenuItem, Fransk1) \
    X(TMenuItem, Spansk1) \
    X(TMenuItem, Funktion1) \
    X(TMenuItem, Konvertr1) \
    X(TMenuItem, Journalist1) \
    X(TMenuItem, Dealer1) \
    X(TMenuItem, Journalist2) \
    X(TMenuItem, Diagram2) \
    X(TMenuItem, Hjlp1) \
    X(TCapitalCheck, CapitalCheck1) \
    X(TPopupMenu, PopupMenu1)

class TForm1 : public TForm {
    DECLARE_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* AOwner) : TForm(AOwner) {}
    void AfterConstruction() override;

#define UNIT1_FIELD(Class, Name) Class* Name = nullptr;
    UNIT1_COMPONENTS(UNIT1_FIELD)
#undef UNIT1_FIELD

    // The diagram form's fields, read from and written to Edit17 ... Edit38.
    TDiagramFields GetDiagramFields();
    void SetDiagramFields(const TDiagramFields& Fields);
    // The input mode the converter reads from the "Input" menu's checked item.
    TInputMode GetInputMode();
    // The tournament sheet's round grid jyr laid out for round rnr ('1' to '5'): counts, widths,
    // merges, table headers and the pair list read from the start list.
    void SetUpStringgrid(TQorStringGrid* jyr, Char rnr);
    // NoB blanks.
    String NumberOfBlanks(int NoB) const { return ::NumberOfBlanks(NoB); }

    // Handlers named as the description names them.
    void FormShow(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button5Click(TObject* Sender);
    void Button6Click(TObject* Sender);
    void Button7Click(TObject* Sender);
    void Button8Click(TObject* Sender);
    void Button11Click(TObject* Sender);
    void Button12Click(TObject* Sender);
    void Button13Click(TObject* Sender);
    void Button14Click(TObject* Sender);
    void Button15Click(TObject* Sender);
    void Edit17Change(TObject* Sender);
    void PageControl2Change(TObject* Sender);
    void MemoKeyPress(TObject* Sender, Char& Key);
    void NV1Click(TObject* Sender);
    void N1Click(TObject* Sender);
    void Diagram1Click(TObject* Sender);
    void FraBBO1Click(TObject* Sender);
    void JYR3FixedCellClick(TObject* Sender, int ACol, int ARow);
    void Hjlp1Click(TObject* Sender);
    // Called by nothing: the twin of Button8Click and the older suit-symbol pass.
    void Indstfraclipboard1Click(TObject* Sender);
    void Retmeldinger1Click(TObject* Sender);

    static void RegisterProperties(TPropertyTable& Table);

private:
    void SetInputMode(TInputMode Mode);
};

extern TForm1* Form1;

// ---- Shared by the editor's forms ---------------------------------------------------------------

// Reads the stored description ResName into Form: the program's RCDATA resource by default; tests
// put a reader of their own here.
extern std::function<void(const String& ResName, TComponent* Form)> ReadFormDescriptionProc;
void ReadFormDescription(const String& ResName, TComponent* Form);
// The form properties the descriptions of the editor's windows carry (caption, client size,
// border, position, menu, show handler ...), added to Table where the form classes lack them.
void RegisterEditorFormProperties(TPropertyTable& Table);
// Registers every class the editor's descriptions name.
void RegisterEditorClasses();
// Attaches the main menu to the form's window, keeping the stored client size.
void FinishEditorForm(TCustomForm* Form);
