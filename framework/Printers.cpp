// Printers: the printer object over a printer device, and the spooler's device.
#include "Printers.h"

#include "Consts.h"
#include "TypInfo.h"
#include "WinScope.h"

#include <winspool.h>

#include <cwchar>

void RegisterPrinterTypes()
{
    if (IdentTableOf(typeid(TPrinterOrientation))) return;
    RegisterEnumIdents<TPrinterOrientation>(L"TPrinterOrientation",
                                            {{poPortrait, L"poPortrait"}, {poLandscape, L"poLandscape"}});
}

// ---- The spooler --------------------------------------------------------------------------------

namespace {

class TSpoolerDevice final : public TPrinterDevice {
public:
    String DefaultPrinter() override
    {
        DWORD Size = 0;
        GetDefaultPrinterW(nullptr, &Size);
        if (Size == 0) return L"";
        String Name(Size, L'\0');
        if (!GetDefaultPrinterW(Name.data(), &Size)) return L"";
        Name.resize(std::wcslen(Name.c_str()));
        return Name;
    }

    bool PrinterInfo(const String& Name, String& Driver, String& Port) override
    {
        HANDLE Printer = Open(Name);
        if (!Printer) return false;
        auto Close = ScopeExit([&] { ClosePrinter(Printer); });
        DWORD Needed = 0;
        GetPrinterW(Printer, 2, nullptr, 0, &Needed);
        if (Needed < sizeof(PRINTER_INFO_2W)) return false;
        std::vector<BYTE> Buffer(Needed);
        if (!GetPrinterW(Printer, 2, Buffer.data(), Needed, &Needed)) return false;
        const auto* Info = reinterpret_cast<const PRINTER_INFO_2W*>(Buffer.data());
        Driver = Info->pDriverName ? Info->pDriverName : L"";
        Port = Info->pPortName ? Info->pPortName : L"";
        return true;
    }

    bool DeviceMode(const String& Name, const DEVMODEW* In, std::vector<BYTE>& Mode) override
    {
        HANDLE Printer = Open(Name);
        if (!Printer) return false;
        auto Close = ScopeExit([&] { ClosePrinter(Printer); });
        wchar_t* Device = const_cast<wchar_t*>(Name.c_str());
        const LONG Size = DocumentPropertiesW(nullptr, Printer, Device, nullptr, nullptr, 0);
        if (Size <= 0) return false;
        std::vector<BYTE> Out(size_t(Size), 0);
        const DWORD Flags = DM_OUT_BUFFER | (In ? DM_IN_BUFFER : 0);
        if (DocumentPropertiesW(nullptr, Printer, Device, reinterpret_cast<DEVMODEW*>(Out.data()),
                                const_cast<DEVMODEW*>(In), Flags) != IDOK)
            return false;
        Mode = std::move(Out);
        return true;
    }

    HDC OpenDC(const String& Name, const DEVMODEW* Mode) override
    {
        return CreateDCW(L"WINSPOOL", Name.c_str(), nullptr, Mode);
    }

    void CloseDC(HDC DC) override { DeleteDC(DC); }

    int DeviceCaps(HDC DC, int Index) override { return GetDeviceCaps(DC, Index); }

    int Capability(const String& Name, const String& Port, WORD Index, const DEVMODEW* Mode) override
    {
        return DeviceCapabilitiesW(Name.c_str(), Port.c_str(), Index, nullptr, Mode);
    }

    int BeginJob(HDC DC, const String& Title) override
    {
        DOCINFOW Info = {};
        Info.cbSize = sizeof(Info);
        Info.lpszDocName = Title.c_str();
        return StartDocW(DC, &Info);
    }

    int BeginPage(HDC DC) override { return StartPage(DC); }
    int FinishPage(HDC DC) override { return EndPage(DC); }
    int FinishJob(HDC DC) override { return ::EndDoc(DC); }
    int CancelJob(HDC DC) override { return AbortDoc(DC); }

private:
    static HANDLE Open(const String& Name)
    {
        HANDLE Printer = nullptr;
        if (!OpenPrinterW(const_cast<wchar_t*>(Name.c_str()), &Printer, nullptr)) return nullptr;
        return Printer;
    }
};

// A device mode buffer holds at least a whole DEVMODEW, whatever size the driver reports, so that
// its public fields can always be read.
void PadDeviceMode(std::vector<BYTE>& Mode)
{
    if (Mode.size() < sizeof(DEVMODEW)) Mode.resize(sizeof(DEVMODEW), 0);
}

TPrinter* GPrinter = nullptr;

}  // namespace

std::unique_ptr<TPrinterDevice> CreateSpoolerDevice()
{
    return std::make_unique<TSpoolerDevice>();
}

// ---- TPrinter -----------------------------------------------------------------------------------

// The printer's canvas takes the printer's device context when it is first drawn on, and sizes
// its font in the printer's pixels.
class TPrinter::TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter* APrinter) : FPrinter(APrinter) {}

    void CreateHandle() override
    {
        HDC DC = FPrinter->GetHandle();
        TFont* Font = GetFont();
        const int PixelsPerInch = FPrinter->GetPixelsPerInchY();
        if (PixelsPerInch > 0 && PixelsPerInch != Font->GetPixelsPerInch()) {
            const int Size = Font->GetSize();
            Font->SetPixelsPerInch(PixelsPerInch);
            Font->SetSize(Size);
        }
        SetHandle(DC);
    }

private:
    TPrinter* FPrinter;
};

TPrinter::TPrinter(std::unique_ptr<TPrinterDevice> Device)
    : FDevice(Device ? std::move(Device) : CreateSpoolerDevice()),
      FCanvas(std::make_unique<TPrinterCanvas>(this))
{
}

TPrinter::~TPrinter()
{
    Abort();
    FreeDC();
}

void TPrinter::NeedPrinter()
{
    if (!FDeviceName.empty()) return;
    const String Name = FDevice->DefaultPrinter();
    if (Name.empty()) throw EPrinter(Consts::SNoDefaultPrinter);
    String Driver, Port;
    std::vector<BYTE> DeviceMode;
    if (!FDevice->PrinterInfo(Name, Driver, Port) || !FDevice->DeviceMode(Name, nullptr, DeviceMode))
        throw EPrinter(Consts::SPrinterUnavailable, {Name});
    PadDeviceMode(DeviceMode);
    FDeviceName = Name;
    FDriver = Driver;
    FPort = Port;
    FDeviceMode = std::move(DeviceMode);
}

TCanvas* TPrinter::GetCanvas()
{
    return FCanvas.get();
}

HDC TPrinter::GetHandle()
{
    if (!FDC) {
        NeedPrinter();
        FDC = FDevice->OpenDC(FDeviceName, Mode());
        if (!FDC) throw EPrinter(Consts::SPrinterUnavailable, {FDeviceName});
    }
    return FDC;
}

void TPrinter::FreeDC()
{
    FCanvas->SetHandle(nullptr);
    if (FDC) FDevice->CloseDC(FDC);
    FDC = nullptr;
}

TPrinterOrientation TPrinter::GetOrientation()
{
    NeedPrinter();
    return Mode()->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    if (FPrinting) throw EPrinter(Consts::SPrinting);
    if (GetOrientation() == Value) return;
    std::vector<BYTE> In = FDeviceMode;
    auto* Wanted = reinterpret_cast<DEVMODEW*>(In.data());
    Wanted->dmOrientation = short(Value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
    Wanted->dmFields |= DM_ORIENTATION;
    std::vector<BYTE> Out;
    if (!FDevice->DeviceMode(FDeviceName, Wanted, Out)) throw EPrinter(Consts::SPrinterUnavailable, {FDeviceName});
    PadDeviceMode(Out);
    // The device context is made again, with the new page size, when it is next needed.
    FreeDC();
    FDeviceMode = std::move(Out);
}

int TPrinter::GetPageWidth()
{
    return FDevice->DeviceCaps(GetHandle(), HORZRES);
}

int TPrinter::GetPageHeight()
{
    return FDevice->DeviceCaps(GetHandle(), VERTRES);
}

int TPrinter::GetPixelsPerInchX()
{
    return FDevice->DeviceCaps(GetHandle(), LOGPIXELSX);
}

int TPrinter::GetPixelsPerInchY()
{
    return FDevice->DeviceCaps(GetHandle(), LOGPIXELSY);
}

void TPrinter::GetDevice(String& Device, String& Driver, String& Port)
{
    NeedPrinter();
    Device = FDeviceName;
    Driver = FDriver;
    Port = FPort;
}

const DEVMODEW* TPrinter::GetDeviceMode()
{
    NeedPrinter();
    return Mode();
}

int TPrinter::DeviceCapability(WORD Index)
{
    NeedPrinter();
    return FDevice->Capability(FDeviceName, FPort, Index, Mode());
}

void TPrinter::BeginDoc()
{
    if (FPrinting) throw EPrinter(Consts::SPrinting);
    HDC DC = GetHandle();
    FCanvas->Refresh();
    const bool Began = FDevice->BeginJob(DC, FTitle) > 0;
    if (!Began || FDevice->BeginPage(DC) <= 0) {
        if (Began) FDevice->CancelJob(DC);
        FreeDC();
        throw EPrinter(Consts::SPrintStartFailed);
    }
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
}

void TPrinter::NewPage()
{
    if (!FPrinting) throw EPrinter(Consts::SNotPrinting);
    FCanvas->Refresh();
    if (FDevice->FinishPage(FDC) <= 0 || FDevice->BeginPage(FDC) <= 0) JobFailed(Consts::SPrintPageFailed);
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    if (!FPrinting) throw EPrinter(Consts::SNotPrinting);
    FCanvas->Refresh();
    if (FDevice->FinishPage(FDC) <= 0 || FDevice->FinishJob(FDC) <= 0) JobFailed(Consts::SPrintEndFailed);
    EndJob();
}

void TPrinter::Abort()
{
    if (!FPrinting) return;
    FCanvas->Refresh();
    FDevice->CancelJob(FDC);
    EndJob();
    FAborted = true;
}

void TPrinter::JobFailed(const wchar_t* Message)
{
    Abort();
    throw EPrinter(Message);
}

void TPrinter::EndJob()
{
    FPrinting = false;
    FPageNumber = 0;
    // Every job starts on a device context of its own: one whose job was cancelled refuses the
    // next job, and a new one carries nothing (mapping mode, objects) over from the last job.
    FreeDC();
}

// ---- TPrintJob ----------------------------------------------------------------------------------

TPrintJob::TPrintJob(TPrinter* APrinter) : FPrinter(APrinter)
{
    if (!FPrinter->GetPrinting()) {
        FPrinter->BeginDoc();
        FOwns = true;
    }
}

TPrintJob::~TPrintJob()
{
    if (FOwns) FPrinter->Abort();
}

void TPrintJob::End()
{
    if (!FOwns) return;
    FOwns = false;
    FPrinter->EndDoc();
}

// ---- The process's printer ----------------------------------------------------------------------

TPrinter* Printer()
{
    if (!GPrinter) GPrinter = new TPrinter();
    return GPrinter;
}

TPrinter* SetPrinterObject(TPrinter* NewPrinter)
{
    delete GPrinter;
    GPrinter = NewPrinter;
    return GPrinter;
}
