// Program entry of the editor: the main window, then the help window (hidden), then the loop.
#include "FHelp.h"
#include "Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        Application->Initialize();
        Application->SetMainFormOnTaskbar(true);
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->Run();
    } catch (const Exception& E) {
        Application->ShowException(&E);
        return 1;
    }
    return 0;
}
