// ATXPVS: the second visual-styles binding.
#include "ATXPVS.h"

namespace ATXPVS {

bool DLLLoaded = false;
HMODULE DLLHandle = nullptr;

#define ATXPVS_DEFINE(Var, Api) decltype(&::Api) Var = nullptr;
ATXPVS_ENTRY_POINTS(ATXPVS_DEFINE)
#undef ATXPVS_DEFINE

namespace {

// Sets every entry point from the bound library (or to null without one); answers how many are set.
int BindEntryPoints(HMODULE Library)
{
    int Found = 0;
#define ATXPVS_BIND(Var, Api)                                                                      \
    Var = Library ? reinterpret_cast<decltype(Var)>(reinterpret_cast<void*>(GetProcAddress(Library, #Api))) \
                  : nullptr;                                                                       \
    Found += Var ? 1 : 0;
    ATXPVS_ENTRY_POINTS(ATXPVS_BIND)
#undef ATXPVS_BIND
    return Found;
}

}  // namespace

int LoadDLLFrom(const String& LibraryName)
{
    if (DLLLoaded) return -1;
    HMODULE H = LoadLibraryW(LibraryName.c_str());
    if (reinterpret_cast<UINT_PTR>(H) < 32) return 0;
    DLLHandle = H;
    DLLLoaded = true;
    return BindEntryPoints(H);
}

void LoadDLL() { LoadDLLFrom(L"UXTHEME.DLL"); }

void UnLoadDLL()
{
    if (!DLLLoaded) return;
    BindEntryPoints(nullptr);
    FreeLibrary(DLLHandle);
    DLLHandle = nullptr;
    DLLLoaded = false;
}

int BoundEntryPoints()
{
    int N = 0;
#define ATXPVS_COUNT(Var, Api) N += Var ? 1 : 0;
    ATXPVS_ENTRY_POINTS(ATXPVS_COUNT)
#undef ATXPVS_COUNT
    return N;
}

}  // namespace ATXPVS

namespace {
// The unit's start-up and end: bound once per process, freed when the program ends.
struct TUnitLife {
    TUnitLife() { ATXPVS::LoadDLL(); }
    ~TUnitLife() { ATXPVS::UnLoadDLL(); }
} UnitLife;
}  // namespace

namespace ATXPVSUnit {
const int Linked = 1;
}
