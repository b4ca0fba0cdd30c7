// bench/basegrid_bench.cpp: the grid base's cell store at 1,000,000 x 10 cells, against plain
// baselines measured in the same run: filling and reading texts (a vector of strings), the memory
// a text cell without properties takes, setting properties on 1% of the cells (a small struct per
// cell in a slot of its own), and 100,000 undoable edits undone and redone (a vector of change
// records replayed into a vector of strings). The store figures come from processes of their own,
// since the heap one store leaves behind slows the next one down.
#include "grid/BaseGrid.h"

#include "framework/Forms.h"

#include "BenchTiming.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int Rows = 1000000;
constexpr int Cols = 10;
constexpr int Edits = 100000;

String CellText(int C, int R)
{
    return IntToStr(R) + L"." + IntToStr(C);
}

class TBenchGrid : public TBaseGrid {
public:
    explicit TBenchGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}
    bool IsNode(int) override { return false; }
    bool IsSummary(int) override { return false; }
    bool IsCheckCell(int, int) override { return false; }
    void SetAsCheck(int, int, const String&) override {}
};

TBenchGrid* NewGrid(TForm* Form, bool WithWindow)
{
    TBenchGrid* G = Create<TBenchGrid>(Form);
    G->SetBounds(0, 0, 800, 600);
    if (WithWindow) {
        G->SetParent(Form);
        G->HandleNeeded();
    }
    G->SetColCount(Cols);
    G->SetRowCount(Rows);
    return G;
}

void FillGrid(TBaseGrid* G)
{
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G->SetCellEx(c, r, CellText(c, r));
}

void FillPlain(std::vector<String>& Plain)
{
    Plain.clear();
    Plain.reserve(size_t(Rows) * Cols);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) Plain.push_back(CellText(c, r));
}

struct TChange {
    int Col, Row;
    String Old, New;
};

struct TSmallProps {
    int Col, Row;
    TColor Color;
    int Flags;
};

// Properties on 1% of the cells of the filled store: the grid's, against a small struct made per
// cell in a slot of its own.
std::pair<int, int> PropsCell(int i)
{
    return {i % Cols, int(std::int64_t(i) * 97 % Rows)};
}

double PropsOnSlots()
{
    std::vector<TSmallProps*> Slots(size_t(Rows) * Cols, nullptr);
    return TimeIt([&] {
        for (int i = 0; i < Rows * Cols / 100; ++i) {
            auto [c, r] = PropsCell(i);
            TSmallProps*& Slot = Slots[size_t(r) * Cols + c];
            if (!Slot) Slot = new TSmallProps{c, r, clNone, 0};
            Slot->Color = TColor(i);
        }
    }, 1);
}

double PropsOnGrid(TBaseGrid* G)
{
    return TimeIt([&] {
        for (int i = 0; i < Rows * Cols / 100; ++i) {
            auto [c, r] = PropsCell(i);
            G->GetCellProperties(c, r)->SetBrushColor(TColor(i));
        }
    }, 1);
}

SIZE_T CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS M{};
    M.cb = sizeof(M);
    GetProcessMemoryInfo(GetCurrentProcess(), &M, sizeof(M));
    return M.PagefileUsage;
}

// One measurement in a process of its own, so that no store inherits the heap another one left
// behind: filling (ms), reading back (ms) or the committed memory per cell (bytes x 100) of the
// plain store or the grid, answered as the exit code.
int Measure(const char* What)
{
    const bool Grid = std::strstr(What, "grid") != nullptr;
    const bool Window = std::strstr(What, "window") != nullptr;
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 840, 660);
    std::vector<String> Plain;
    TBenchGrid* G = Grid ? NewGrid(Form, Window) : nullptr;
    const SIZE_T Before = CommittedBytes();
    const double Fill = TimeIt([&] { G ? FillGrid(G) : FillPlain(Plain); }, 1);
    const SIZE_T After = CommittedBytes();
    size_t Len = 0;
    const double Read = TimeIt([&] {
        Len = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) Len += G ? G->GetCellEx(c, r).size() : String(Plain[size_t(r) * Cols + c]).size();
    });
    if (Len != 78888900) std::printf("read back %zu characters\n", Len);
    if (std::strncmp(What, "props", 5) == 0) return int(1000 * (G ? PropsOnGrid(G) : PropsOnSlots()));
    if (std::strncmp(What, "fill", 4) == 0) return int(Fill);
    if (std::strncmp(What, "read", 4) == 0) return int(Read);
    return int(double(After - Before) * 100.0 / (double(Rows) * Cols));
}

double Child(const char* What)
{
    wchar_t Exe[MAX_PATH];
    GetModuleFileNameW(nullptr, Exe, MAX_PATH);
    String Cmd = String(L"\"") + Exe + L"\" --measure " + String(What, What + std::strlen(What));
    STARTUPINFOW Si{};
    Si.cb = sizeof(Si);
    PROCESS_INFORMATION Pi{};
    if (!CreateProcessW(nullptr, Cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi)) return 0;
    WaitForSingleObject(Pi.hProcess, INFINITE);
    DWORD Code = 0;
    GetExitCodeProcess(Pi.hProcess, &Code);
    CloseHandle(Pi.hThread);
    CloseHandle(Pi.hProcess);
    return double(Code);
}

// Filling and reading texts, without and with a window, and the memory a text cell takes.
void BenchTexts()
{
    const double FillBase = Child("fill-plain"), ReadBase = Child("read-plain");
    Report("fill 1,000,000 x 10 texts", Child("fill-grid"), FillBase);
    Report("read them back", Child("read-grid"), ReadBase);
    // Every write of a grid with a window also asks whether its cell is in view.
    Report("fill with a window", Child("fill-grid-window"), FillBase);
    const double MemPlain = Child("memory-plain") / 100, MemGrid = Child("memory-grid") / 100;
    std::printf("%-34s %8.1f B    baseline %8.1f B     %5.2fx\n", "memory per text cell", MemGrid, MemPlain,
                MemPlain > 0 ? MemGrid / MemPlain : 0.0);
}

void BenchProps()
{
    Report("properties on 1% of the cells", Child("props-grid") / 1000, Child("props-plain") / 1000);
}

// Undoable edits, then undoing and redoing them, against a plain log of change records replayed
// into a vector of strings. Twice the edits must cost twice as much.
void BenchUndo(TForm* Form)
{
    auto Baseline = [&](int N) {
        std::vector<String> Texts(static_cast<size_t>(N));
        for (int i = 0; i < N; ++i) Texts[size_t(i)] = CellText(1, i);
        return TimeIt([&] {
            std::vector<TChange> Log;
            for (int i = 0; i < N; ++i) {
                String New = L"e" + IntToStr(i);
                Log.push_back({1, i, Texts[size_t(i)], New});
                Texts[size_t(i)] = New;
            }
            for (size_t k = Log.size(); k-- > 0;) Texts[size_t(Log[k].Row)] = Log[k].Old;
            for (const TChange& C : Log) Texts[size_t(C.Row)] = C.New;
        }, 1);
    };
    // The grid has a window, as a grid that is edited and undone has.
    TBenchGrid* G = NewGrid(Form, true);
    for (int i = 0; i < Edits; ++i) G->SetCellEx(1, i, CellText(1, i));
    TQorGridUndoRedo* U = Create<TQorGridUndoRedo>(Form);
    G->SetUndoRedo(U);
    // N edits, each its own step or all in one sequence; then all undone and redone.
    auto Edit = [&](int N, bool Sequence) {
        return TimeIt([&] {
            U->Reset();
            if (Sequence) U->StartSequence();
            for (int i = 0; i < N; ++i) {
                String New = L"e" + IntToStr(i);
                U->RegisterChange(1, i, G->GetCellEx(1, i), New);
                G->SetCellEx(1, i, std::move(New));
            }
            if (Sequence) U->StopSequence();
            while (U->CanUndo()) U->Undo();
            while (U->CanRedo()) U->Redo();
        }, Sequence ? 3 : 1);
    };
    // Once untimed, so that both sizes find the heap grown.
    Edit(Edits, true);
    Baseline(Edits);
    double SeqHalf = Edit(Edits / 2, true);
    double SeqFull = Edit(Edits, true);
    if (G->GetCellEx(1, Edits - 1) != L"e" + IntToStr(Edits - 1) || U->GetChangeCount() != Edits)
        std::printf("the sequence was not redone\n");
    const double SeqBase = Baseline(Edits);
    Report("100,000 edits in one step, undo+redo", SeqFull, SeqBase);
    std::printf("%-34s %8.2fx (linear: 2.00x; the baseline's %.2fx)\n", "  twice the edits cost", SeqFull / SeqHalf,
                SeqBase / Baseline(Edits / 2));
    // Each single step also moves the current cell to its cell, as the user sees it.
    const int Singles = 10000;
    double OneHalf = Edit(Singles / 2, false);
    double OneFull = Edit(Singles, false);
    Report("10,000 single steps, undo+redo", OneFull, Baseline(Singles));
    std::printf("%-34s %8.2fx (linear: 2.00x)\n", "  twice the steps cost", OneFull / OneHalf);
    // What a single step costs beyond the store: moving the current cell to the changed cell.
    const double Moves = TimeIt([&] {
        for (int i = 0; i < Singles; ++i) G->SetRow(Singles - i);
        for (int i = 0; i < Singles; ++i) G->SetRow(1 + i);
    }, 1);
    std::printf("%-34s %8.1f ms  (%.0f%% of the single steps)\n", "  of which moving the current cell", Moves,
                100 * Moves / OneFull);
    if (G->GetCellEx(1, Singles - 1) != L"e" + IntToStr(Singles - 1)) std::printf("redo did not restore the texts\n");
    U->Free();
    G->Free();
}

}  // namespace

// Without arguments every figure; "texts", "props" or "undo" runs one group.
int main(int argc, char** argv)
{
    Application->Initialize();
    RegisterBaseGridClasses();
    if (argc > 2 && std::strcmp(argv[1], "--measure") == 0) return Measure(argv[2]);
    const char* Only = argc > 1 ? argv[1] : "";
    auto Wanted = [&](const char* Name) { return !*Only || std::strcmp(Only, Name) == 0; };

    if (Wanted("texts")) BenchTexts();
    if (Wanted("props")) BenchProps();
    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 840, 660);
    if (Wanted("undo")) BenchUndo(Form);
    Form->Free();
    return 0;
}
