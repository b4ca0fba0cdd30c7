#include "Kit.h"
#include "app/Unit1.h"   // fine: tests include anything

void Test()
{
    wchar_t c = wchar_t(L'q' - L'a' + L'A');                             // fine: tests may fold
    Expect(Message(), L"Stream read error");                             // fine: tests pin texts
    Expect(Message(), L"List index out of bounds (3)");                  // fine: a filled-in text
    Expect(Message(), L"List index out of bounds (" + IntToStr(3) + L")");   // fine in tests
}
