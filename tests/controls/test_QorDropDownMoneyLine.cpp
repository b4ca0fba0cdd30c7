// test-needs: desktop
// A money drop-down keeps its line in the library's line window. Against a money drop-down made
// to keep the platform's edit window (as the other types do), the same seeded characters, keys,
// pastes and clicks must leave the same text, selection, modified flag and change events, and
// the two must paint the same pixels.
#include "controls/QorDropDown.h"

#include "DropDownKit.h"
#include "framework/Clipbrd.h"
#include "support/Pixels.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

using namespace QorDropDown;

namespace {

// A drop-down whose window is the platform's edit window for every type.
class TSystemWindowDropDown : public TQorDropDown {
public:
    explicit TSystemWindowDropDown(TComponent* AOwner) : TQorDropDown(AOwner) {}

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TQorDropDown::CreateParams(Params);
        CreateSubClass(Params, L"EDIT");
    }
};

class MoneyLine : public dropdownkit::DropDownForm {
protected:
    void SetUp() override
    {
        dropdownkit::DropDownForm::SetUp();
        System = Create<TSystemWindowDropDown>(Form);
        System->SetBounds(20, 60, 200, 21);
        System->SetParent(Form);
        ui::Pump();
    }

    struct TRun {
        std::vector<String> Seen;
        std::unique_ptr<TDibSurface> Shot;
    };

    // One seeded round on D: the settings, then characters, keys, pastes and clicks, each
    // followed by what it left behind.
    TRun Run(TQorDropDown* D, unsigned Seed)
    {
        std::mt19937 Rng(Seed);
        TRun R;
        D->SetEditType(etMoney);
        D->SetPrefix(Rng() % 3 == 0 ? L"kr " : L"");
        D->SetSuffix(Rng() % 3 == 0 ? L" ,-" : L"");
        D->SetSigned(Rng() % 2);
        D->SetPrecision(SmallInt(Rng() % 3));
        D->SetAlignment(Rng() % 3 == 0 ? taRightJustify : taLeftJustify);
        D->SetFocus();
        ui::Pump();
        D->SetText(L"");
        D->SelectAll();
        int Changes = 0;
        D->OnChange = [&Changes](TObject*) { ++Changes; };
        const String Alphabet =
            String(L"0123456789012345678-") + DecimalSeparator() + ThousandSeparator();
        const Word Keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK};
        for (int Step = 0; Step < 40; ++Step) {
            const unsigned What = Rng() % 10;
            if (What < 5) {
                ui::TypeChar(Alphabet[Rng() % Alphabet.size()], D->GetHandle());
            } else if (What < 8) {
                const Word K = Keys[Rng() % std::size(Keys)];
                ui::PressKey(K, Rng() % 3 == 0 ? TShiftState{ssShift} : TShiftState{}, D->GetHandle());
            } else if (What == 8) {
                String Clip;
                for (unsigned N = Rng() % 6 + 1; N > 0; --N) Clip += Char(L'0' + Rng() % 10);
                Clipboard()->SetAsText(Clip);
                ui::TypeChar(0x16, D->GetHandle());
            } else {
                const int X = int(Rng() % 170) + 3;
                ui::Click(D, X, 10);
                ui::Pump();
            }
            R.Seen.push_back(L"text=[" + D->GetEditText() + L"] sel=" + IntToStr(D->GetSelStart()) +
                             L"," + IntToStr(D->GetSelLength()) + L" modified=" +
                             IntToStr(int(D->GetModified())) + L" changes=" + IntToStr(Changes));
        }
        D->OnChange = nullptr;
        R.Shot = std::make_unique<TDibSurface>(D->GetWidth(), D->GetHeight(), clFuchsia);
        PaintWindowInto(D->GetHandle(), *R.Shot);
        return R;
    }
    TSystemWindowDropDown* System = nullptr;
};

}   // namespace

TEST_F(MoneyLine, OnlyTheMoneyTypeHasTheLineWindow)
{
    Edit->SetEditType(etMoney);
    EXPECT_TRUE(Edit->HasLineWindow());
    EXPECT_TRUE(GetWindowLongPtrW(Edit->GetHandle(), GWL_STYLE) & ES_MULTILINE);
    for (TDropDownEditType T : {etString, etNumeric, etFloat, etPassword, etMoney}) {
        Edit->SetEditType(T);
        EXPECT_EQ(Edit->HasLineWindow(), T == etMoney) << int(T);
    }
    System->SetEditType(etMoney);
    EXPECT_FALSE(System->HasLineWindow());
}

TEST_F(MoneyLine, TypesAndPaintsAsOnThePlatformsWindow)
{
    for (unsigned Seed = 1; Seed <= 8; ++Seed) {
        Steady([&] {
            TRun Own = Run(Edit, Seed);
            TRun Sys = Run(System, Seed);
            ASSERT_EQ(Own.Seen.size(), Sys.Seen.size());
            for (size_t I = 0; I < Own.Seen.size(); ++I)
                EXPECT_EQ(Own.Seen[I], Sys.Seen[I]) << "seed " << Seed << ", step " << I + 1;
            const int Diff = Own.Shot->DiffCount(*Sys.Shot);
            if (Diff) {
                Own.Shot->SavePng(SnapshotPath(L"MoneyLine-own-" + IntToStr(int(Seed)) + L".png"));
                Sys.Shot->SavePng(SnapshotPath(L"MoneyLine-system-" + IntToStr(int(Seed)) + L".png"));
            }
            EXPECT_EQ(Diff, 0) << "seed " << Seed;
        });
    }
}
