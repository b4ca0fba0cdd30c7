// The grid unit's start-up and shut-down, its process-wide state and its small routines.
#include "grid/QorGridUnit.h"

#include "grid/QorGrid.h"
#include "grid/QorGridSatellites.h"
#include "grid/input/EditControlEditors.h"
#include "controls/JyrControlsConsts.h"
#include "graphics/QorStyleIF.h"

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/SysUtils.h"

#include <ole2.h>

Word CF_GRIDCELLS = 0;
Word WM_GRIDEDITDONE = 0;
Word WM_GRIDEDITSHOW = 0;
Word WM_GRIDEDITINVALID = 0;
Word WM_EDITPROP = 0;
Word WM_DTPSHIFTFOCUS = 0;
Word WM_FILTEREDITUPDATE = 0;
HHOOK MsgHook = nullptr;
TQorStringGrid* FocusGrid = nullptr;
bool ComCtrlOk = false;
TCursor crURLcursor = crHandPoint;
const std::array<const wchar_t*, 7> HyperlinkIdentifiers = {L"file://", L"http://",  L"https://", L"ftp://",
                                                            L"ftps://", L"nntp://", L"mailto:"};
const std::array<Char, 10> CSVSeparators = {L',', L';', L'#', L'\t', L'|', L'@', L'*', L'-', L'+', L'&'};

// Registers the grid class's own published classes and the identifier tables of its types
// (store/QorGridRegister.cpp).
void RegisterQorGridClasses();

namespace QorGridUnit {

namespace {

int Count = 0;
int Registered = 0;
bool OleStarted = false;

// The 28 classes registered for streaming, in order. A class whose area has not joined the library
// yet has no registrar: the spin editor and the date pickers come with the library's edit controls,
// the picker adapters with the drop-down pickers.
struct TStreamingClass {
    const wchar_t* Name;
    void (*Register)();
};

template <class T>
void RegisterOne()
{
    RegisterClass<T>();
}

const std::vector<TStreamingClass>& StreamingClasses()
{
    static const std::vector<TStreamingClass> Classes = {
        {L"TQorStringGrid", &RegisterOne<TQorStringGrid>},
        {L"TDropList", &RegisterOne<TDropList>},
        {L"TArrowWindow", &RegisterOne<TArrowWindow>},
        {L"TGridCombo", &RegisterOne<TGridCombo>},
        {L"TGridSpin", nullptr},
        {L"TGridTransEdit", &RegisterOne<TGridTransEdit>},
        {L"TGridTransCombo", &RegisterOne<TGridTransCombo>},
        {L"TGridCheckBox", &RegisterOne<TGridCheckBox>},
        {L"TGridEditBtn", &RegisterOne<TGridEditBtn>},
        {L"TGridDateTimePicker", nullptr},
        {L"TGridUnitEditBtn", &RegisterOne<TGridUnitEditBtn>},
        {L"TGridTrackbarDropDown", nullptr},
        {L"TGridMemoDropDown", nullptr},
        {L"TGridCalculatorDropDown", nullptr},
        {L"TGridTimepickerDropDown", nullptr},
        {L"TGridDetailPickerDropDown", nullptr},
        {L"TGridGridDropDown", nullptr},
        {L"TGridColorDropDown", nullptr},
        {L"TGridImageDropDown", nullptr},
        {L"TGridButton", &RegisterOne<TGridButton>},
        {L"TGridDatePicker", nullptr},
        {L"THeaderDragButton", &RegisterOne<THeaderDragButton>},
        {L"TControlEdit", &RegisterOne<TControlEdit>},
        {L"TControlCombo", &RegisterOne<TControlCombo>},
        {L"TScrollBar", &RegisterOne<TScrollBar>},
        {L"TQorRichEdit", &RegisterOne<TQorRichEdit>},
        {L"TFooterPanel", &RegisterOne<TFooterPanel>},
        {L"TSearchPanel", &RegisterOne<TSearchPanel>},
    };
    return Classes;
}

// Registers each class; a failure never stops start-up.
int RegisterStreamingClasses()
{
    int Done = 0;
    for (const TStreamingClass& C : StreamingClasses()) {
        if (!C.Register) continue;
        try {
            C.Register();
            ++Done;
        } catch (const Exception&) {
        }
    }
    return Done;
}

Word RegisteredMessage(const wchar_t* Name)
{
    return Word(RegisterWindowMessageW(Name));
}

void StartUp()
{
    OleStarted = SUCCEEDED(OleInitialize(nullptr));
    FocusGrid = nullptr;
    if (!MsgHook) MsgHook = SetWindowsHookExW(WH_CALLWNDPROC, &MsgHookProc, nullptr, GetCurrentThreadId());
    // The library's classes with their published properties, then the list the grid streams by name.
    RegisterBaseGridClasses();
    RegisterQorGridOptionClasses();
    RegisterQorGridSatelliteClasses();
    RegisterQorGridClasses();
    Registered = RegisterStreamingClasses();
    ComCtrlOk = GetFileVersion(QorGridConsts::SCommonControlsModule) > 0x00040045;
    CF_GRIDCELLS = Word(RegisterClipboardFormatW(QorGridConsts::SClipboardGridCells));
    WM_GRIDEDITDONE = RegisteredMessage(QorGridConsts::SMsgGridEditDone);
    WM_GRIDEDITSHOW = RegisteredMessage(QorGridConsts::SMsgGridEditShow);
    WM_GRIDEDITINVALID = RegisteredMessage(QorGridConsts::SMsgGridEditInvalid);
    WM_EDITPROP = RegisteredMessage(QorGridConsts::SMsgGridEditProp);
    WM_DTPSHIFTFOCUS = RegisteredMessage(JyrControlsConsts::SDTPShiftFocus);
    WM_FILTEREDITUPDATE = RegisteredMessage(QorGridConsts::SMsgFilterEditUpdate);
}

std::vector<HICON> LoadedFilterIcons;
bool FilterIconsLoaded = false;

void ShutDown()
{
    for (HICON Icon : LoadedFilterIcons)
        if (Icon) DestroyIcon(Icon);
    LoadedFilterIcons.clear();
    FilterIconsLoaded = false;
    if (OleStarted) OleUninitialize();
    OleStarted = false;
    if (MsgHook) UnhookWindowsHookEx(MsgHook);
    MsgHook = nullptr;
    FocusGrid = nullptr;
}

// The unit itself: started when the program's units start, finished when they finish.
struct TQorGridUnitLifetime {
    TQorGridUnitLifetime() { Initialization(); }
    ~TQorGridUnitLifetime() { Finalization(); }
} UnitLifetime;

}  // namespace

void Initialization()
{
    if (Count++ == 0) StartUp();
}

void Finalization()
{
    if (Count == 0) return;
    if (--Count == 0) ShutDown();
}

int InitCount()
{
    return Count;
}

const std::vector<const wchar_t*>& StreamingClassNames()
{
    static const std::vector<const wchar_t*> Names = [] {
        std::vector<const wchar_t*> N;
        for (const TStreamingClass& C : StreamingClasses()) N.push_back(C.Name);
        return N;
    }();
    return Names;
}

int RegisteredStreamingClasses()
{
    return Registered;
}

LRESULT CALLBACK MsgHookProc(int Code, WPARAM wParam, LPARAM lParam)
{
    if (Code >= 0 && FocusGrid) {
        const auto* Msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (Msg->message == WM_WINDOWPOSCHANGING || Msg->message == WM_WINDOWPOSCHANGED) FocusGrid->MoveFocusHelper();
    }
    return CallNextHookEx(MsgHook, Code, wParam, lParam);
}

int StrCmpLogical(const String& s1, const String& s2)
{
    using TStrCmpLogicalW = int(WINAPI*)(LPCWSTR, LPCWSTR);
    static const TStrCmpLogicalW Proc = [] {
        HMODULE Lib = LoadLibraryW(L"shlwapi.dll");
        return Lib ? reinterpret_cast<TStrCmpLogicalW>(reinterpret_cast<void*>(GetProcAddress(Lib, "StrCmpLogicalW")))
                   : nullptr;
    }();
    return Proc ? Proc(s1.c_str(), s2.c_str()) : CompareText(s1, s2);
}

Char TimeSeparator() { return FormatSettings.TimeSeparator; }
Char DateSeparator() { return FormatSettings.DateSeparator; }
Char ThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char DecimalSeparator() { return FormatSettings.DecimalSeparator; }
String ShortDateFormat() { return FormatSettings.ShortDateFormat; }
String ShortTimeFormat() { return FormatSettings.ShortTimeFormat; }
String LongTimeFormat() { return FormatSettings.LongTimeFormat; }
String CurrencyString() { return FormatSettings.CurrencyString; }

void SetTranspWindow(HWND hwnd)
{
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
}

int GetFileVersion(const String& AFileName)
{
    DWORD VersionMS = 0;
    return QorStyleIF::FileVersionMS(AFileName, VersionMS) ? int(VersionMS) : -1;
}

bool LoadIconFromRes(TIcon* Icon, HINSTANCE Instance, const String& ResName)
{
    HICON H = HICON(LoadImageW(Instance, ResName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    if (!H) return false;
    Icon->SetHandle(H);
    return true;
}

const std::vector<HICON>& FilterIcons()
{
    // Loading an icon resource costs far more than copying one into an image list, and every
    // grid shows the same nine.
    if (!FilterIconsLoaded) {
        const HINSTANCE Instance = GetModuleHandleW(nullptr);
        for (const wchar_t* Name : QorGridConsts::SFilterIconNames) {
            TIcon Icon;
            LoadedFilterIcons.push_back(LoadIconFromRes(&Icon, Instance, Name) ? Icon.ReleaseHandle() : nullptr);
        }
        FilterIconsLoaded = true;
    }
    return LoadedFilterIcons;
}

TCustomForm* GetParentForm(TControl* AControl)
{
    return ::GetParentForm(AControl, false);
}

}  // namespace QorGridUnit
