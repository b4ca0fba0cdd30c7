// Printing in tests. Two ways:
//
// - On pages in memory: a TPrinter over a TPagePrinterDevice draws every page into a bitmap and
//   logs the job's steps. Any number of tests may do this at once.
// - On the real test printer of the project's Wine prefix (made by tools/env.sh): a PostScript
//   printer whose port is a file. Ghostscript, run on the host, reads the pages back (their
//   texts, their ink boxes, PNG images). The port file is shared: a test executable that prints
//   there says "// test-needs: printer" so that such executables run one at a time.
#pragma once

#include "Pixels.h"

#include "framework/Printers.h"

#include <memory>
#include <string>
#include <vector>

// ---- Pages in memory ----------------------------------------------------------------------------

class TPagePrinterDevice : public TPrinterDevice {
public:
    // A portrait page of Width x Height pixels at the screen's pixels per inch (96: A4 is about
    // 794 x 1123); landscape swaps them.
    TPagePrinterDevice(int Width = 794, int Height = 1123);
    ~TPagePrinterDevice() override;

    // The printer's name; empty: no printer at all.
    String Name = L"Page printer";
    // DeviceCapabilities(DC_ORIENTATION).
    int LandscapeAngle = 90;
    // A job step named here ("BeginJob", "BeginPage", "FinishPage", "FinishJob") fails.
    String FailStep;
    // Every step in order: "BeginJob <title>", "BeginPage", "FinishPage", "FinishJob",
    // "CancelJob".
    std::vector<String> Log;
    // The finished pages of every job, in order.
    std::vector<std::unique_ptr<TDibSurface>> Pages;

    String DefaultPrinter() override { return Name; }
    bool PrinterInfo(const String& AName, String& Driver, String& Port) override;
    bool DeviceMode(const String& AName, const DEVMODEW* In, std::vector<BYTE>& Mode) override;
    HDC OpenDC(const String& AName, const DEVMODEW* Mode) override;
    void CloseDC(HDC DC) override;
    int DeviceCaps(HDC DC, int Index) override;
    int Capability(const String& AName, const String& Port, WORD Index, const DEVMODEW* Mode) override;
    int BeginJob(HDC DC, const String& Title) override;
    int BeginPage(HDC DC) override;
    int FinishPage(HDC DC) override;
    int FinishJob(HDC DC) override;
    int CancelJob(HDC DC) override;

private:
    int Step(const String& Entry);

    int FWidth, FHeight;
    // The sheet being drawn on: its device context is the printer's.
    std::unique_ptr<TDibSurface> FSheet;
};

// ---- The prefix's test printer and Ghostscript --------------------------------------------------

// A box in PostScript points, y upwards from the page's bottom edge.
struct TPointBox {
    double Left = 0, Bottom = 0, Right = 0, Top = 0;
    double Width() const { return Right - Left; }
    double Height() const { return Top - Bottom; }
};

struct TPrintedPage {
    // The page's text as Ghostscript extracts it (its lines joined by "\n"; no-break spaces read
    // as blanks).
    String Text;
    // The smallest box holding all ink on the page.
    TPointBox InkBox;
    // The page rendered as a PNG file, among the test's snapshots.
    String Image;
};

// The file a printer writes its jobs to ("" when its port is no file path).
String PrinterPortFile(TPrinter* APrinter);

// The host's path of a Windows path (Wine maps drives to folders); "" when there is none.
std::string HostPath(const String& WindowsPath);

// Runs Ghostscript on the host over a PostScript file and reads what it found, one entry per
// page; the page images are rendered at Dpi and kept as snapshots "<ImageName>-page-<n>.png". Fails the calling test (and answers no pages) when
// Ghostscript cannot be run or reports an error. The file is deleted afterwards: the spooler
// writes a job over the port file without cutting it short, so a job printed after a longer one
// would leave the end of that one behind it.
std::vector<TPrintedPage> ReadPostScript(const String& File, const String& ImageName, int Dpi = 50);

// For a scope, the process finds no default printer: the current user's registry is replaced,
// for this process only, by an empty key, so nothing on disk changes and a test that dies inside
// the scope leaves the prefix as it was.
class TNoDefaultPrinter {
public:
    TNoDefaultPrinter();
    ~TNoDefaultPrinter();
    TNoDefaultPrinter(const TNoDefaultPrinter&) = delete;
    TNoDefaultPrinter& operator=(const TNoDefaultPrinter&) = delete;
    // False when the replacement could not be made (the test should stop).
    bool Active() const { return FKey != nullptr; }

private:
    HKEY FKey = nullptr;
};
