// bench/basegrid_bench.cpp: the grid base's cell store at 1,000,000 x 10 cells, against plain
// baselines measured in the same run: filling and reading texts (a vector of strings), setting
// properties on 1% of the cells (a vector of small structs), 100,000 undoable edits and their
// undoing (a vector of change records replayed into a vector of strings), and the memory a text
// cell without properties takes (each store measured in a process of its own).
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

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX M{};
    M.cb = sizeof(M);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&M), sizeof(M));
    return M.PagefileUsage;
}

// Child process: fills one store and answers its bytes per cell (times 100) as the exit code.
int MeasureMemory(bool Grid)
{
    SIZE_T Before = PrivateBytes();
    std::vector<String> Plain;
    TForm* Form = nullptr;
    if (Grid) {
        Form = Create<TForm>(Application);
        FillGrid(NewGrid(Form, false));
    } else {
        FillPlain(Plain);
    }
    SIZE_T After = PrivateBytes();
    return int(double(After - Before) * 100.0 / (double(Rows) * Cols));
}

double ChildMemory(const wchar_t* Arg)
{
    wchar_t Exe[MAX_PATH];
    GetModuleFileNameW(nullptr, Exe, MAX_PATH);
    String Cmd = String(L"\"") + Exe + L"\" " + Arg;
    STARTUPINFOW Si{};
    Si.cb = sizeof(Si);
    PROCESS_INFORMATION Pi{};
    if (!CreateProcessW(nullptr, Cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Si, &Pi)) return 0;
    WaitForSingleObject(Pi.hProcess, INFINITE);
    DWORD Code = 0;
    GetExitCodeProcess(Pi.hProcess, &Code);
    CloseHandle(Pi.hThread);
    CloseHandle(Pi.hProcess);
    return Code / 100.0;
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

// Filling and reading texts, without and with a window.
void BenchTexts(TForm* Form)
{
    std::vector<String> Plain;
    double FillBase = TimeIt([&] { FillPlain(Plain); }, 1);
    size_t PlainLen = 0;
    double ReadBase = TimeIt([&] {
        PlainLen = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) {
                String S = Plain[size_t(r) * Cols + c];
                PlainLen += S.size();
            }
    });
    Plain.clear();
    Plain.shrink_to_fit();

    TBenchGrid* G = NewGrid(Form, false);
    double Fill = TimeIt([&] { FillGrid(G); }, 1);
    size_t GridLen = 0;
    double Read = TimeIt([&] {
        GridLen = 0;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) GridLen += G->GetCellEx(c, r).size();
    });
    if (GridLen != PlainLen) std::printf("read back %zu characters, expected %zu\n", GridLen, PlainLen);
    Report("fill 1,000,000 x 10 texts", Fill, FillBase);
    Report("read them back", Read, ReadBase);
    G->Free();

    // Every write of a grid with a window also invalidates its cell.
    TBenchGrid* W = NewGrid(Form, true);
    double FillWindow = TimeIt([&] { FillGrid(W); }, 1);
    Report("fill with a window", FillWindow, FillBase);
    W->Free();
}

// Properties on 1% of the cells, against a small struct made per cell in a slot of its own.
void BenchProps(TForm* Form)
{
    const int N = Rows * Cols / 100;
    auto Cell = [](int i) { return std::pair<int, int>{i % Cols, int(std::int64_t(i) * 97 % Rows)}; };
    std::vector<TSmallProps*> Slots(size_t(Rows) * Cols, nullptr);
    double Base = TimeIt([&] {
        for (int i = 0; i < N; ++i) {
            auto [c, r] = Cell(i);
            TSmallProps*& Slot = Slots[size_t(r) * Cols + c];
            if (!Slot) Slot = new TSmallProps{c, r, clNone, 0};
            Slot->Color = TColor(i);
        }
    }, 1);
    for (TSmallProps* P : Slots) delete P;

    TBenchGrid* G = NewGrid(Form, false);
    double Props = TimeIt([&] {
        for (int i = 0; i < N; ++i) {
            auto [c, r] = Cell(i);
            G->GetCellProperties(c, r)->SetBrushColor(TColor(i));
        }
    }, 1);
    Report("properties on 1% of the cells", Props, Base);
    double Read = TimeIt([&] {
        for (int i = 0; i < N; ++i) {
            auto [c, r] = Cell(i);
            if (!G->HasCellProperties(c, r)) std::printf("properties missing\n");
        }
    });
    double ReadBase = TimeIt([&] {
        for (int i = 0; i < N; ++i) {
            auto [c, r] = Cell(i);
            if (!Slots[size_t(r) * Cols + c]) std::printf("slot missing\n");
        }
    });
    Report("finding them again", Read, ReadBase);
    G->Free();
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
    double SeqHalf = Edit(Edits / 2, true);
    double SeqFull = Edit(Edits, true);
    if (G->GetCellEx(1, Edits - 1) != L"e" + IntToStr(Edits - 1) || U->GetChangeCount() != Edits)
        std::printf("the sequence was not redone\n");
    Report("100,000 edits in one step, undo+redo", SeqFull, Baseline(Edits));
    std::printf("%-34s %8.2fx (linear: 2.00x)\n", "  twice the edits cost", SeqFull / SeqHalf);
    // Each single step also moves the current cell to its cell, as the user sees it.
    const int Singles = 10000;
    double OneHalf = Edit(Singles / 2, false);
    double OneFull = Edit(Singles, false);
    Report("10,000 single steps, undo+redo", OneFull, Baseline(Singles));
    std::printf("%-34s %8.2fx (linear: 2.00x)\n", "  twice the steps cost", OneFull / OneHalf);
    if (G->GetCellEx(1, Singles - 1) != L"e" + IntToStr(Singles - 1)) std::printf("redo did not restore the texts\n");
    U->Free();
    G->Free();
}

// Memory per text cell, each store in a fresh process.
void BenchMemory()
{
    double MemPlain = ChildMemory(L"--memory-plain");
    double MemGrid = ChildMemory(L"--memory-grid");
    std::printf("%-34s %8.1f B    baseline %8.1f B     %5.2fx\n", "memory per text cell", MemGrid, MemPlain,
                MemPlain > 0 ? MemGrid / MemPlain : 0.0);
}

}  // namespace

// Without arguments every figure; "texts", "props", "undo" or "memory" runs one of them.
int main(int argc, char** argv)
{
    Application->Initialize();
    RegisterBaseGridClasses();
    const char* Only = argc > 1 ? argv[1] : "";
    if (std::strcmp(Only, "--memory-grid") == 0) return MeasureMemory(true);
    if (std::strcmp(Only, "--memory-plain") == 0) return MeasureMemory(false);
    auto Wanted = [&](const char* Name) { return !*Only || std::strcmp(Only, Name) == 0; };

    TForm* Form = Create<TForm>(Application);
    Form->SetBounds(0, 0, 840, 660);
    if (std::strcmp(Only, "probe") == 0) {
        TBenchGrid* G = NewGrid(Form, getenv("PROBE_WINDOW") != nullptr);
        const int N = 5000;
        std::printf("setrow %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->SetRow(1 + (i * 7919) % (Rows - 1)); }, 1) * 1000 / N);
        std::printf("setcol %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->SetCol(1 + i % 9); }, 1) * 1000 / N);
        std::printf("setcellex %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->SetCellEx(1, i, L"x"); }, 1) * 1000 / N);
        std::printf("getcellex %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->GetCellEx(1, i); }, 1) * 1000 / N);
        std::printf("ischeck %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->IsCheckCell(1, i); }, 1) * 1000 / N);
        std::printf("visrows %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->GetVisibleRowCount(); }, 1) * 1000 / N);
        std::printf("clientrect %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->GetClientRect(); }, 1) * 1000 / N);
        std::printf("toprow %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->SetTopRow(1 + (i * 7919) % (Rows - 100)); }, 1) * 1000 / N);
        std::printf("setrow-same %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->SetRow(1 + (i % 10)); }, 1) * 1000 / N);
        std::printf("repaint %.3f us\n", TimeIt([&] { for (int i = 0; i < N; ++i) G->RepaintCell(1, i); }, 1) * 1000 / N);
        return 0;
    }
    if (Wanted("texts")) BenchTexts(Form);
    if (Wanted("props")) BenchProps(Form);
    if (Wanted("undo")) BenchUndo(Form);
    Form->Free();
    if (Wanted("memory")) BenchMemory();
    return 0;
}
