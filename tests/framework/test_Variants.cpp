// Variants: kinds, conversions and their failures, arrays, and the exchange with the platform
// VARIANT.
#include "framework/Variants.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

namespace {

// Conversions read and write text under the process-wide format settings: pin them.
class PinnedSettings : public ::testing::Environment {
public:
    void SetUp() override { FormatSettings = TFormatSettings::Invariant(); }
};
const auto* const Pinned = ::testing::AddGlobalTestEnvironment(new PinnedSettings);

struct KindCase {
    Variant V;
    TVarType Kind;
    const wchar_t* Text;
};

}  // namespace

TEST(Variants, ConstructionGivesKindAndText)
{
    const KindCase Cases[] = {
        {Variant(), varEmpty, L""},
        {Variant(true), varBoolean, L"True"},
        {Variant(false), varBoolean, L"False"},
        {Variant(ShortInt(-5)), varShortInt, L"-5"},
        {Variant(Byte(200)), varByte, L"200"},
        {Variant(SmallInt(-300)), varSmallint, L"-300"},
        {Variant(Word(60000)), varWord, L"60000"},
        {Variant(42), varInteger, L"42"},
        {Variant(4000000000u), varLongWord, L"4000000000"},
        {Variant(Int64(-9000000000)), varInt64, L"-9000000000"},
        {Variant(UInt64(18000000000000000000ull)), varUInt64, L"18000000000000000000"},
        {Variant(0.5f), varSingle, L"0.5"},
        {Variant(1234.5), varDouble, L"1234.5"},
        {Variant(1e-7), varDouble, L"1E-7"},
        {Variant(1e20), varDouble, L"1E20"},
        {VarFromCurrency(15000), varCurrency, L"1.5"},
        {Variant(L"abc"), varUString, L"abc"},
        {Variant(String(L"æøå")), varUString, L"æøå"},
        {Variant("ansi"), varString, L"ansi"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind);
        EXPECT_EQ(VarType(c.V), c.Kind);
        EXPECT_EQ(VarToStr(c.V), c.Text);
    }
    EXPECT_TRUE(VarIsEmpty(Unassigned()));
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_EQ(VarType(VarFromDateTime(44000.5)), varDate);
}

TEST(Variants, KindPredicates)
{
    EXPECT_TRUE(VarIsNumeric(Variant(1.5)));
    EXPECT_TRUE(VarIsNumeric(Variant(Byte(1))));
    EXPECT_TRUE(VarIsNumeric(Variant(true)));   // Boolean is ordinal
    EXPECT_FALSE(VarIsNumeric(VarFromDateTime(1)));
    EXPECT_FALSE(VarIsNumeric(Variant(L"1")));
    EXPECT_TRUE(VarIsStr(Variant(L"1")));
    EXPECT_TRUE(VarIsStr(Variant("1")));
    EXPECT_FALSE(VarIsStr(Variant(1)));
    EXPECT_TRUE(VarIsArray(VarArrayOf({1, 2})));
}

struct NumberCase {
    Variant V;
    Integer AsInt;
    double AsDbl;
    bool AsBool;
};

TEST(Variants, NumericConversionsFollowTheClassLibrary)
{
    const NumberCase Cases[] = {
        {Variant(), 0, 0, false},
        {Variant(true), -1, -1, true},
        {Variant(2.5), 2, 2.5, true},      // halves to the even neighbour
        {Variant(3.5), 4, 3.5, true},
        {Variant(-2.5), -2, -2.5, true},
        {VarFromCurrency(25000), 2, 2.5, true},
        {VarFromCurrency(35000), 4, 3.5, true},
        {Variant(L" 12 "), 12, 12, true},
        {Variant(L"$1F"), 31, 31, true},
        {Variant(L"-7.5"), -8, -7.5, true},
        {Variant(L"1e3"), 1000, 1000, true},
        {Variant(L"true"), -1, -1, true},
        {Variant(L"0"), 0, 0, false},
        {VarFromDateTime(44000.75), 44001, 44000.75, true},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(testing::Message() << "value " << Utf16ToUtf8(VarToStr(c.V)));
        EXPECT_EQ(c.V.AsInteger(), c.AsInt);
        EXPECT_DOUBLE_EQ(c.V.AsDouble(), c.AsDbl);
        EXPECT_EQ(c.V.AsBoolean(), c.AsBool);
    }
    EXPECT_EQ(Variant(L"9000000000").AsInt64(), 9000000000LL);
    EXPECT_EQ(Variant(1.23456).AsCurrency(), 12346);
}

TEST(Variants, FailedConversionsRaiseWithKindNames)
{
    struct FailCase {
        Variant V;
        std::function<void(const Variant&)> Convert;
        const wchar_t* Message;
    };
    const FailCase Cases[] = {
        {Variant(L"abc"), [](const Variant& v) { v.AsInteger(); },
         L"Could not convert variant of type (UnicodeString) into type (Integer)"},
        {Variant(L"abc"), [](const Variant& v) { v.AsDouble(); },
         L"Could not convert variant of type (UnicodeString) into type (Double)"},
        {Variant(L"1x"), [](const Variant& v) { v.AsBoolean(); },
         L"Could not convert variant of type (UnicodeString) into type (Boolean)"},
        {Null(), [](const Variant& v) { v.AsString(); },
         L"Could not convert variant of type (Null) into type (UnicodeString)"},
        {Null(), [](const Variant& v) { v.AsInteger(); },
         L"Could not convert variant of type (Null) into type (Integer)"},
        {Variant(L"x"), [](const Variant& v) { v.AsDateTime(); },
         L"Could not convert variant of type (UnicodeString) into type (Date)"},
        {VarArrayOf({1}), [](const Variant& v) { v.AsString(); },
         L"Could not convert variant of type (Array Variant) into type (UnicodeString)"},
    };
    for (const auto& c : Cases) {
        try {
            c.Convert(c.V);
            ADD_FAILURE() << "no exception for " << Utf16ToUtf8(c.Message);
        } catch (const EVariantTypeCastError& e) {
            EXPECT_EQ(e.Message, c.Message);
        }
    }
    EXPECT_THROW(Variant(Int64(1) << 40).AsInteger(), EVariantOverflowError);
    EXPECT_THROW(VarAsType(Variant(300), varByte), EVariantOverflowError);
    EXPECT_THROW(Variant(1e300).AsInt64(), EVariantOverflowError);
    EXPECT_EQ(VarToStr(Null()), L"");
    EXPECT_EQ(VarToStrDef(Null(), L"-"), L"-");
    EXPECT_EQ(VarToStrDef(Variant(5), L"-"), L"5");
}

TEST(Variants, VarAsTypeKeepsValueInTheNewKind)
{
    Variant W = VarAsType(Variant(L"65535"), varWord);
    EXPECT_EQ(VarType(W), varWord);
    EXPECT_EQ(W.AsInteger(), 65535);
    EXPECT_EQ(VarType(VarAsType(Variant(3), varOleStr)), varOleStr);
    EXPECT_EQ(VarAsType(Variant(3), varDouble).AsDouble(), 3.0);
    EXPECT_EQ(VarAsType(Variant(1), varBoolean).AsBoolean(), true);
    EXPECT_EQ(VarAsType(Variant(44000), varDate).RawDate(), 44000.0);
}

TEST(Variants, ComparisonAndArithmetic)
{
    EXPECT_TRUE(Variant(2) == Variant(2.0));
    EXPECT_TRUE(Variant(L"10") == Variant(10));
    EXPECT_TRUE(Variant(L"abc") < Variant(L"abd"));
    EXPECT_TRUE(Variant(3) > Variant(2.5));
    EXPECT_TRUE(Variant(3) >= Variant(L"3"));
    EXPECT_FALSE(Null() <= Variant(1));
    EXPECT_TRUE(Variant(UInt64(1) << 63) == Variant(UInt64(1) << 63));
    EXPECT_EQ(VarCompareValue(Null(), Variant(0)), vrNotEqual);
    EXPECT_EQ(VarCompareValue(Null(), Null()), vrEqual);
    EXPECT_EQ(VarCompareValue(Variant(), Variant(0)), vrLessThan);

    Variant Sum = Variant(2) + Variant(3);
    EXPECT_EQ(VarType(Sum), varInteger);
    EXPECT_EQ(Sum.AsInteger(), 5);
    EXPECT_EQ(VarType(Variant(INT32_MAX) + Variant(1)), varInt64);
    EXPECT_EQ((Variant(1) / Variant(4)).AsDouble(), 0.25);
    EXPECT_EQ(VarToStr(Variant(L"ab") + Variant(L"cd")), L"abcd");
    EXPECT_TRUE(VarIsNull(Null() + Variant(1)));
    EXPECT_EQ(VarType(VarFromDateTime(10) + Variant(1)), varDate);
    EXPECT_THROW(Variant(1) / Variant(0), EZeroDivide);
}

TEST(Variants, TwoDimensionalArray)
{
    Variant Arr = VarArrayCreate({1, 3, 1, 2}, varVariant);
    EXPECT_EQ(VarType(Arr), varArray | varVariant);
    EXPECT_EQ(VarArrayDimCount(Arr), 2);
    EXPECT_EQ(VarArrayLowBound(Arr, 1), 1);
    EXPECT_EQ(VarArrayHighBound(Arr, 1), 3);
    EXPECT_EQ(VarArrayHighBound(Arr, 2), 2);
    EXPECT_TRUE(VarIsEmpty(Arr(2, 2)));

    Arr.PutElement(Variant(L"x"), {3, 2});
    VarArrayPut(Arr, 7, {1, 1});
    Variant Copy = Arr;
    Copy.PutElement(Variant(8), {1, 1});   // a copy is a value of its own
    EXPECT_EQ(VarToStr(Arr(3, 2)), L"x");
    EXPECT_EQ(VarArrayGet(Arr, {1, 1}).AsInteger(), 7);
    EXPECT_EQ(Copy(1, 1).AsInteger(), 8);

    EXPECT_THROW(Arr(4, 1), EVariantBadIndexError);
    EXPECT_THROW(Arr(0, 1), EVariantBadIndexError);
    EXPECT_THROW(Arr.GetElement({1}), EVariantBadIndexError);
    EXPECT_THROW(Variant(1).GetElement({1}), EVariantInvalidArgError);
    EXPECT_THROW(VarArrayCreate({1}, varVariant), EVariantArrayCreateError);
    EXPECT_THROW(VarArrayCreate({1, -5}, varVariant), EVariantArrayCreateError);
    EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);

    // Typed arrays convert what is put into them.
    Variant Ints = VarArrayCreate({0, 1}, varInteger);
    EXPECT_EQ(VarType(Ints(0)), varInteger);
    Ints.PutElement(Variant(L"12"), {1});
    EXPECT_EQ(VarType(Ints(1)), varInteger);
    EXPECT_THROW(Ints.PutElement(Variant(L"z"), {0}), EVariantTypeCastError);
}

TEST(Variants, PlatformVariantRoundTrip)
{
    const Variant Scalars[] = {
        Variant(), Null(), Variant(true), Variant(ShortInt(-3)), Variant(Byte(3)),
        Variant(SmallInt(-3)), Variant(Word(3)), Variant(-3), Variant(3u), Variant(Int64(-3) << 40),
        Variant(UInt64(3) << 40), Variant(1.5f), Variant(1.5), VarFromCurrency(15000),
        VarFromDateTime(44000.25), Variant(L"tekst æø"), VarAsError(5),
    };
    for (const auto& v : Scalars) {
        VARIANT O;
        VariantInit(&O);
        VarToOle(v, O);
        Variant Back = VarFromOle(O);
        VariantClear(&O);
        EXPECT_EQ(VarType(Back), VarType(v) == varUString ? varOleStr : VarType(v));
        if (!VarIsNull(v)) {
            EXPECT_EQ(VarCompareValue(Back, v), vrEqual) << VarType(v);
        }
    }

    Variant Arr = VarArrayCreate({1, 3, 1, 2}, varVariant);
    Arr.PutElement(Variant(L"r3c2"), {3, 2});
    Arr.PutElement(Variant(12), {1, 2});
    VARIANT O;
    VariantInit(&O);
    VarToOle(Arr, O);
    ASSERT_EQ(O.vt, VT_ARRAY | VT_VARIANT);
    LONG Hi1 = 0, Hi2 = 0;
    SafeArrayGetUBound(O.parray, 1, &Hi1);
    SafeArrayGetUBound(O.parray, 2, &Hi2);
    EXPECT_EQ(Hi1, 3);
    EXPECT_EQ(Hi2, 2);
    LONG Idx[2] = {3, 2};
    VARIANT E;
    VariantInit(&E);
    ASSERT_EQ(SafeArrayGetElement(O.parray, Idx, &E), S_OK);
    EXPECT_EQ(E.vt, VT_BSTR);
    EXPECT_STREQ(E.bstrVal, L"r3c2");
    VariantClear(&E);
    Variant Back = VarFromOle(O);
    VariantClear(&O);
    EXPECT_EQ(VarArrayHighBound(Back, 1), 3);
    EXPECT_EQ(VarToStr(Back(3, 2)), L"r3c2");
    EXPECT_EQ(Back(1, 2).AsInteger(), 12);
    EXPECT_TRUE(VarIsEmpty(Back(2, 1)));

    // Typed arrays from a server come in with their element kind; decimals as doubles.
    SAFEARRAYBOUND B{3, 0};
    SAFEARRAY* Ints = SafeArrayCreate(VT_I4, 1, &B);
    for (LONG i = 0; i < 3; ++i) {
        LONG v = 10 * i;
        SafeArrayPutElement(Ints, &i, &v);
    }
    VARIANT IntsV;
    VariantInit(&IntsV);
    IntsV.vt = VT_ARRAY | VT_I4;
    IntsV.parray = Ints;
    Variant FromInts = VarFromOle(IntsV);
    VariantClear(&IntsV);
    EXPECT_EQ(VarType(FromInts), varArray | varInteger);
    EXPECT_EQ(FromInts(2).AsInteger(), 20);
    VARIANT Dec;
    VariantInit(&Dec);
    VARIANT Src;
    VariantInit(&Src);
    Src.vt = VT_R8;
    Src.dblVal = 1.25;
    ASSERT_EQ(VariantChangeType(&Dec, &Src, 0, VT_DECIMAL), S_OK);
    EXPECT_EQ(VarFromOle(Dec).AsDouble(), 1.25);

    // A reference is followed.
    VARIANT Inner, Ref;
    VariantInit(&Inner);
    Inner.vt = VT_I4;
    Inner.lVal = 99;
    VariantInit(&Ref);
    Ref.vt = VT_BYREF | VT_VARIANT;
    Ref.pvarVal = &Inner;
    EXPECT_EQ(VarFromOle(Ref).AsInteger(), 99);
}

TEST(Variants, DateFromTextForAGivenLocale)
{
    TDateTime D = 0;
    ASSERT_TRUE(TryVarDateFromStr(L"12/31/2020", 0x0409, D));
    EXPECT_DOUBLE_EQ(D, 44196.0);
    ASSERT_TRUE(TryVarDateFromStr(L"6/18/2020 6:00 PM", 0x0409, D));
    EXPECT_DOUBLE_EQ(D, 44000.75);
    EXPECT_FALSE(TryVarDateFromStr(L"no date", 0x0409, D));
    EXPECT_FALSE(TryVarDateFromStr(L"", 0x0409, D));
}

TEST(Variants, TextFollowsTheCurrentFormatSettings)
{
    struct Restore {
        TFormatSettings Saved = FormatSettings;
        ~Restore() { FormatSettings = Saved; }
    } Guard;
    FormatSettings.DecimalSeparator = L',';
    FormatSettings.DateSeparator = L'-';
    FormatSettings.ShortDateFormat = L"dd/mm/yyyy";
    FormatSettings.LongTimeFormat = L"hh:nn:ss";
    EXPECT_EQ(VarToStr(Variant(1.5)), L"1,5");
    EXPECT_EQ(VarToStr(VarFromCurrency(-12345)), L"-1,2345");
    EXPECT_DOUBLE_EQ(Variant(L"2,25").AsDouble(), 2.25);
    EXPECT_THROW(Variant(L"2.25").AsDouble(), EVariantTypeCastError);
    EXPECT_EQ(VarToStr(VarFromDateTime(44000)), L"18-06-2020");
    EXPECT_EQ(VarToStr(VarFromDateTime(44000.75)), L"18-06-2020 18:00:00");
    EXPECT_DOUBLE_EQ(Variant(L"18-06-2020").AsDateTime(), 44000.0);
    EXPECT_DOUBLE_EQ(Variant(L"18-06-2020 18:00").AsDateTime(), 44000.75);
}
