// Program entry of the editor.
#include <windows.h>

static LRESULT CALLBACK MainWndProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L)
{
    if (Msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(Wnd, Msg, W, L);
}

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, PWSTR, int Show)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = Instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TForm1";
    RegisterClassW(&wc);
    HWND Wnd = CreateWindowExW(0, wc.lpszClassName, L"ZeVuroderoz Trumpelin",
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                               CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr, Instance, nullptr);
    ShowWindow(Wnd, Show);
    MSG Msg;
    while (GetMessageW(&Msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
    return 0;
}
