// Printers: the printer object. Printer() prints on the system's default printer through the
// spooler; a document is begun, filled page by page on the printer's canvas, and ended:
//
//     TPrinter* P = Printer();
//     P->SetOrientation(poLandscape);          // before BeginDoc, through the device mode
//     P->SetTitle(L"Startliste");
//     TPrintJob Job(P);                         // begins a document unless one is open already
//     P->GetCanvas()->TextOut(100, 100, L"...");
//     P->NewPage();
//     ...
//     Job.End();                                // ends it; a failing job raises EPrinter
//
// An exception that leaves the TPrintJob scope first aborts the document the scope began.
//
// Every operation that needs the printer finds it first: with no default printer it raises
// EPrinter (Consts::SNoDefaultPrinter) before anything changes. The printer object talks to the
// platform through a TPrinterDevice, so that tests can print on pages in memory.
#pragma once

#include "Graphics.h"

#include <windows.h>

#include <memory>
#include <vector>

enum TPrinterOrientation { poPortrait, poLandscape };

// Registers the identifiers of the printer types (TPrinterOrientation) for properties by name.
void RegisterPrinterTypes();

// What the printer object asks of the platform: the default printer, its device mode, a device
// context and the steps of a print job. Job steps answer the platform's result (> 0 is success).
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;

    // The default printer's name; empty when there is none.
    virtual String DefaultPrinter() = 0;
    // The printer's driver and port; false when the printer cannot be opened.
    virtual bool PrinterInfo(const String& Name, String& Driver, String& Port) = 0;
    // The printer's device mode (DEVMODEW and the driver's private part) into Mode: its defaults,
    // with the fields set in In (dmFields) merged and checked by the driver. False on failure.
    virtual bool DeviceMode(const String& Name, const DEVMODEW* In, std::vector<BYTE>& Mode) = 0;
    // A device context for the printer with a device mode; null on failure.
    virtual HDC OpenDC(const String& Name, const DEVMODEW* Mode) = 0;
    virtual void CloseDC(HDC DC) = 0;
    // GetDeviceCaps of the printer's device context (HORZRES, VERTRES, LOGPIXELSX, ...).
    virtual int DeviceCaps(HDC DC, int Index) = 0;
    // DeviceCapabilities of the printer with a device mode (DC_ORIENTATION, ...); -1 on failure.
    virtual int Capability(const String& Name, const String& Port, WORD Index, const DEVMODEW* Mode) = 0;

    virtual int BeginJob(HDC DC, const String& Title) = 0;
    virtual int BeginPage(HDC DC) = 0;
    virtual int FinishPage(HDC DC) = 0;
    virtual int FinishJob(HDC DC) = 0;
    virtual int CancelJob(HDC DC) = 0;
};

// The system's printers through the spooler (winspool and GDI).
std::unique_ptr<TPrinterDevice> CreateSpoolerDevice();

class TPrinter : public TObject {
    DECLARE_CLASS(TPrinter, TObject)
public:
    // Prints through Device; without one, through the spooler.
    explicit TPrinter(std::unique_ptr<TPrinterDevice> Device = nullptr);
    // A document still open is aborted.
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The orientation of the device mode. Setting it while printing raises EPrinter; the page
    // size follows the new orientation.
    TPrinterOrientation GetOrientation();
    void SetOrientation(TPrinterOrientation Value);

    // The printable area in device pixels.
    int GetPageWidth();
    int GetPageHeight();
    // Device pixels per inch, across and down.
    int GetPixelsPerInchX();
    int GetPixelsPerInchY();

    // The document name the spooler shows for the next job.
    const String& GetTitle() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }

    // True between BeginDoc and EndDoc (or Abort).
    bool GetPrinting() const { return FPrinting; }
    // True once the last document was aborted, until the next BeginDoc.
    bool GetAborted() const { return FAborted; }
    // The page being drawn, from 1; 0 when not printing.
    int GetPageNumber() const { return FPageNumber; }

    // Starts a document with its first page. Raises EPrinter when printing already or when the
    // spooler refuses the job (nothing is left open then).
    void BeginDoc();
    // Ends the page and starts the next one. Raises EPrinter when not printing; when the printer
    // fails, the document is aborted before EPrinter is raised.
    void NewPage();
    // Ends the last page and the document. Raises EPrinter when not printing, and when the job
    // could not be completed (the document is closed either way).
    void EndDoc();
    // Cancels the document; nothing when not printing. Never raises.
    void Abort();

    // Drawing on the printer: the device context of the current printer and device mode, in
    // device pixels (MM_TEXT) until the caller changes the mapping mode. Every document gets a
    // device context of its own: the handle lasts until the document ends or is cancelled, or
    // the orientation changes; the canvas follows by itself.
    TCanvas* GetCanvas();
    HDC GetHandle();

    // The printer in use: its name, driver and port, and its device mode (owned by the printer
    // object, valid until the next change of printer settings).
    void GetDevice(String& Device, String& Driver, String& Port);
    const DEVMODEW* GetDeviceMode();
    // DeviceCapabilities of the printer in use with its device mode, for example DC_ORIENTATION
    // (0, 90 or 270); -1 when the driver cannot answer.
    int DeviceCapability(WORD Index);

    TPrinterDevice* GetPrinterDevice() const { return FDevice.get(); }

private:
    class TPrinterCanvas;

    // Finds the default printer and its device mode once; raises EPrinter when there is none.
    void NeedPrinter();
    // Gives the device context back (the canvas lets go of it first).
    void FreeDC();
    // After a failed job step: cancels the document, then raises Message.
    [[noreturn]] void JobFailed(const wchar_t* Message);
    // Forgets the job that ended or was cancelled, and its device context.
    void EndJob();
    DEVMODEW* Mode() { return reinterpret_cast<DEVMODEW*>(FDeviceMode.data()); }

    std::unique_ptr<TPrinterDevice> FDevice;
    std::unique_ptr<TPrinterCanvas> FCanvas;
    String FDeviceName;
    String FDriver;
    String FPort;
    std::vector<BYTE> FDeviceMode;
    HDC FDC = nullptr;
    String FTitle;
    bool FPrinting = false;
    bool FAborted = false;
    int FPageNumber = 0;
};

// Holds a document open for a scope. It begins one when the printer is not printing; when a
// caller has begun a document already, the scope adds to it and leaves it open. A document the
// scope began is aborted when the scope is left without End (by an exception).
class TPrintJob {
public:
    explicit TPrintJob(TPrinter* APrinter);
    ~TPrintJob();
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    // Ends the document the scope began (EndDoc, which raises when the job fails); nothing for a
    // caller's document.
    void End();
    // True when the scope began the document.
    bool OwnsDocument() const { return FOwns; }

private:
    TPrinter* FPrinter;
    bool FOwns = false;
};

// The process's printer object, made on first use (over the spooler).
TPrinter* Printer();
// Replaces the process's printer object (the old one is freed); answers the new one.
TPrinter* SetPrinterObject(TPrinter* NewPrinter);
