#include <gtest/gtest.h>

#include <string>

#include "object/PropertyRegistration.h"
#include "object/PropertyText.h"

namespace {

// A value of type T with a handle on it, read and written as text part by part.
template <class T>
class Value {
public:
    explicit Value(T initial = T{}) : Field(initial), mHandle(&Field) {}

    std::string Text(int part = 0) const { return PropertyToText(mHandle.MakeSubProperty("p", part)); }
    void Read(const std::string& text, int part = 0) {
        SubProperty sub = mHandle.MakeSubProperty("p", part);
        PropertyFromText(sub, text);
    }

    T Field;

private:
    PropertyRegistrationImpl<T> mHandle;
};

TEST(PropertyTextTest, FloatsAreWrittenWithNineSignificantDigits) {
    EXPECT_EQ(Value<float>(0.5f).Text(), "0.5");
    EXPECT_EQ(Value<float>(2.0f).Text(), "2");
    EXPECT_EQ(Value<float>(0.1f).Text(), "0.100000001");
    EXPECT_EQ(Value<float>(128.0f / 255.0f).Text(), "0.501960814");
    EXPECT_EQ(Value<float>(-1500.25f).Text(), "-1500.25");
    EXPECT_EQ(Value<float>(1e10f).Text(), "1e+10");
}

TEST(PropertyTextTest, FloatsReadWholeNumbersOnly) {
    Value<float> v(7.0f);
    v.Read("1.5e3");
    EXPECT_EQ(v.Field, 1500.0f);
    v.Read("-0.25");
    EXPECT_EQ(v.Field, -0.25f);
    v.Read("+2");
    EXPECT_EQ(v.Field, 2.0f);
    for (const char* bad : {"1,5", " 1", "1 ", "", "abc", "1.5x", "inf", "-inf", "nan", "1e99", "--1", "+-1"}) {
        v.Read(bad);
        EXPECT_EQ(v.Field, 2.0f) << "text \"" << bad << "\"";
    }
}

TEST(PropertyTextTest, IntsAreDecimalAndBadTextKeepsTheValue) {
    Value<int> v(-42);
    EXPECT_EQ(v.Text(), "-42");
    v.Read("17");
    EXPECT_EQ(v.Field, 17);
    for (const char* bad : {"1.5", " 1", "1 ", "", "0x10", "99999999999", "1,5"}) {
        v.Read(bad);
        EXPECT_EQ(v.Field, 17) << "text \"" << bad << "\"";
    }
}

TEST(PropertyTextTest, BoolsReadTrueOnlyFromTrueOneAndT) {
    Value<bool> v(true);
    EXPECT_EQ(v.Text(), "true");
    v.Read("false");
    EXPECT_EQ(v.Text(), "false");
    for (const char* yes : {"true", "1", "t"}) {
        v.Field = false;
        v.Read(yes);
        EXPECT_TRUE(v.Field) << yes;
    }
    for (const char* no : {"TRUE", "yes", "", "T", "0", "true "}) {
        v.Field = true;
        v.Read(no);
        EXPECT_FALSE(v.Field) << no;
    }
}

TEST(PropertyTextTest, StringsWriteNewlinesAsBackslashN) {
    Value<std::string> v(std::string("two\nlines"));
    EXPECT_EQ(v.Text(), "two\\nlines");
    v.Read("a\\nb\\c");
    EXPECT_EQ(v.Field, "a\nb\\c");
    // A literal backslash-n does not survive the round trip: it comes back as a newline.
    v.Field = "path\\name";
    v.Read(v.Text());
    EXPECT_EQ(v.Field, "path\name");
}

TEST(PropertyTextTest, ColourAlphaIsAFractionAndRgbIsSixLowerCaseHexDigits) {
    Value<Color> orange(Color(255, 128, 0, 255));
    EXPECT_EQ(orange.Text(0), "1");
    EXPECT_EQ(orange.Text(1), "ff8000");

    Value<Color> v(Color(1, 2, 3, 128));
    EXPECT_EQ(v.Text(0), "0.501960814");
    EXPECT_EQ(v.Text(1), "010203");
    v.Read("0.501960814", 0);
    EXPECT_EQ(v.Field.A, 128);
    v.Read("0.5", 0);
    EXPECT_EQ(v.Field.A, 127);
    EXPECT_EQ(Value<Color>(Color(0, 0, 0, 0)).Text(0), "0");
}

TEST(PropertyTextTest, ColourAlphaOutsideZeroToOneIsClampedAndBadTextIgnored) {
    Value<Color> v(Color(9, 9, 9, 100));
    v.Read("1.5", 0);
    EXPECT_EQ(v.Field.A, 255);
    v.Read("-0.1", 0);
    EXPECT_EQ(v.Field.A, 0);
    v.Field.A = 100;
    for (const char* bad : {"nan", "inf", "half", ""}) {
        v.Read(bad, 0);
        EXPECT_EQ(v.Field.A, 100) << bad;
    }
    EXPECT_EQ(v.Field.R, 9);
}

TEST(PropertyTextTest, ColourRgbReadsOneToSixHexDigitsAndKeepsAlpha) {
    Value<Color> v(Color(0, 0, 0, 77));
    v.Read("ABCDEF", 1);
    EXPECT_EQ(v.Field, Color(0xab, 0xcd, 0xef, 77));
    EXPECT_EQ(v.Text(1), "abcdef");
    v.Read("ff", 1);
    EXPECT_EQ(v.Field, Color(0, 0, 0xff, 77));
    // Longer text would reach into alpha; non-hex text is not a colour.
    for (const char* bad : {"1234567", "ff00ff00", "zz", "", "-12", "12 34", "0x12"}) {
        v.Read(bad, 1);
        EXPECT_EQ(v.Field, Color(0, 0, 0xff, 77)) << bad;
    }
}

TEST(PropertyTextTest, VectorAndRectPartsReadOneFieldAndKeepTheOthers) {
    Value<Vector2> v(Vector2(1.0f, 2.0f));
    EXPECT_EQ(v.Text(0), "1");
    EXPECT_EQ(v.Text(1), "2");
    v.Read("1.5e3", 0);
    EXPECT_EQ(v.Field, Vector2(1500.0f, 2.0f));
    v.Read("1,5", 1);
    EXPECT_EQ(v.Field, Vector2(1500.0f, 2.0f));

    Value<Rect> r(Rect(1.0f, 2.0f, 3.0f, 4.0f));
    EXPECT_EQ(r.Text(0) + " " + r.Text(1) + " " + r.Text(2) + " " + r.Text(3), "1 2 3 4");
    r.Read("0.1", 2);
    EXPECT_EQ(r.Field, Rect(1.0f, 2.0f, 0.1f, 4.0f));
    EXPECT_EQ(r.Text(2), "0.100000001");
    r.Read("wide", 3);
    EXPECT_EQ(r.Field.Height, 4.0f);
}

TEST(PropertyTextTest, DrawLayersByNameAndUnknownNamesKeepTheLayer) {
    Value<DrawLayer> v(DrawLayer::Ui);
    EXPECT_EQ(v.Text(), "Ui");
    v.Read("ForegroundAdd");
    EXPECT_EQ(v.Field, DrawLayer::ForegroundAdd);
    v.Read("foregroundadd");
    EXPECT_EQ(v.Field, DrawLayer::ForegroundAdd);
    v.Read("Nowhere");
    EXPECT_EQ(v.Field, DrawLayer::ForegroundAdd);
    // Combinations and the unused value 2 have no name.
    EXPECT_EQ(Value<DrawLayer>(DrawLayer::Ui | DrawLayer::UiText).Text(), "");
    EXPECT_EQ(Value<DrawLayer>(static_cast<DrawLayer>(2)).Text(), "");
    EXPECT_EQ(Value<DrawLayer>(DrawLayer::EditorText2).Text(), "EditorText2");
}

TEST(PropertyTextTest, AlignmentAndWeaponNamesReadUnknownNamesAsTheFirstValue) {
    Value<TextXAlignment> x(TextXAlignment::Right);
    EXPECT_EQ(x.Text(), "Right");
    x.Read("Center");
    EXPECT_EQ(x.Field, TextXAlignment::Center);
    x.Read("Middle");
    EXPECT_EQ(x.Field, TextXAlignment::Left);

    Value<TextYAlignment> y(TextYAlignment::Bottom);
    EXPECT_EQ(y.Text(), "Bottom");
    y.Read("Middle");
    EXPECT_EQ(y.Field, TextYAlignment::Middle);
    y.Read("middle");
    EXPECT_EQ(y.Field, TextYAlignment::Top);

    Value<WeaponType> w(WeaponType::Shotgun);
    EXPECT_EQ(w.Text(), "Shotgun");
    w.Read("Rifle");
    EXPECT_EQ(w.Field, WeaponType::Pistol);
    EXPECT_EQ(Value<WeaponType>(static_cast<WeaponType>(5)).Text(), "");
}

TEST(PropertyTextTest, ResourcesWithoutAResolverWriteNothingAndReadNothing) {
    Value<Texture*> t(reinterpret_cast<Texture*>(0x1000));
    EXPECT_EQ(t.Text(), "");
    t.Read("Bricks");
    EXPECT_EQ(t.Field, reinterpret_cast<Texture*>(0x1000));
    EXPECT_EQ(Value<BitmapFont*>().Text(), "");
}

}  // namespace
