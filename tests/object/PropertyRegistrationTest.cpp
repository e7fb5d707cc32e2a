#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object/IEditable.h"
#include "object/PropertyText.h"
#include "object/ResourceResolver.h"

// Resources are defined by the runtime; these stand-ins carry a name for the resolver.
class Texture {
public:
    std::string Name;
};

namespace {

// A component whose "Angle" has a setter with an effect (it counts).
class Gadget : public IEditable {
public:
    Gadget() {
        RegisterProperty(&Speed, "Speed");
        RegisterProperty(&Count, "Count");
        RegisterProperty(&Pos, "Pos");
        RegisterProperty(&Area, "Area");
        RegisterProperty(&Tint, "Tint");
        RegisterProperty(&Picture, "Picture");
        RegisterProxyProperty(this, &Gadget::GetAngle, &Gadget::SetAngle, "Angle");
    }

    float GetAngle() const {
        ++GetterCalls;
        return mAngle;
    }
    void SetAngle(float angle) {
        ++SetterCalls;
        mAngle = angle;
    }

    float Speed = 0.0f;
    int Count = 0;
    Vector2 Pos;
    Rect Area;
    Color Tint;
    Texture* Picture = nullptr;
    mutable int GetterCalls = 0;
    int SetterCalls = 0;

private:
    float mAngle = 0.0f;
};

std::vector<std::string> PropertyNames(const IEditable& e) {
    std::vector<std::string> names;
    for (const auto& entry : e.Properties) {
        names.push_back(entry.first);
    }
    return names;
}

std::vector<std::string> PartNames(const PropertyRegistration& r) {
    std::vector<std::string> names;
    for (const SubProperty& part : r.MakeSubProperties("p")) {
        names.push_back(part.ComponentName);
    }
    return names;
}

Texture gBricks{"Bricks"};
Texture gGrass{"Grass"};

class PropertyRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        mSavedResolver = gResourceResolver;
        gResourceResolver.FindTexture = [](const std::string& name) -> Texture* {
            if (name == gBricks.Name)
                return &gBricks;
            if (name == gGrass.Name)
                return &gGrass;
            return nullptr;
        };
        gResourceResolver.TextureName = [](const Texture* t) { return t->Name; };
    }
    void TearDown() override { gResourceResolver = mSavedResolver; }

    ResourceResolver mSavedResolver;
};

TEST_F(PropertyRegistrationTest, PropertiesIterateInByteWiseNameOrder) {
    Gadget g;
    // Upper-case letters sort before lower-case ones, whatever the registration order.
    g.RegisterProperty(&g.Count, "alpha");
    g.RegisterProperty(&g.Count, "Zulu");
    EXPECT_EQ(PropertyNames(g),
              (std::vector<std::string>{"Angle", "Area", "Count", "Picture", "Pos", "Speed", "Tint", "Zulu", "alpha"}));
}

TEST_F(PropertyRegistrationTest, RegisteringANameAgainReplacesTheEntry) {
    Gadget g;
    float other = 0.0f;
    g.RegisterProperty(&other, "Speed");
    SubProperty part = g.FindProperty("Speed")->MakeSubProperty("Speed", 0);
    part.SetValue(4.0f);
    EXPECT_EQ(other, 4.0f);
    EXPECT_EQ(g.Speed, 0.0f);
}

TEST_F(PropertyRegistrationTest, SubPropertiesAreNamedAfterTheirPartsAndTheLastIsMarked) {
    Gadget g;
    EXPECT_EQ(PartNames(*g.FindProperty("Pos")), (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(PartNames(*g.FindProperty("Area")), (std::vector<std::string>{"X", "Y", "Width", "Height"}));
    EXPECT_EQ(PartNames(*g.FindProperty("Tint")), (std::vector<std::string>{"A", "Rgb"}));
    EXPECT_EQ(PartNames(*g.FindProperty("Speed")), (std::vector<std::string>{""}));

    const SubProperty width = g.FindProperty("Area")->MakeSubProperty("Area", 2);
    EXPECT_EQ(width.ComponentName, "Width");
    EXPECT_FALSE(width.IsLastComponent);
    EXPECT_EQ(*width.ComponentType, typeid(float));
    EXPECT_EQ(*width.PropertyType, typeid(Rect));
    EXPECT_EQ(width.PropertyName, "Area");
    const SubProperty height = g.FindProperty("Area")->MakeSubProperty("Area", 3);
    EXPECT_EQ(height.ComponentName, "Height");
    EXPECT_TRUE(height.IsLastComponent);

    // Both colour parts are edited as text.
    EXPECT_EQ(*g.FindProperty("Tint")->MakeSubProperty("Tint", 0).ComponentType, typeid(std::string));
    EXPECT_EQ(*g.FindProperty("Count")->MakeSubProperty("Count", 0).ComponentType, typeid(int));
}

TEST_F(PropertyRegistrationTest, DefaultSubPropertyIsAnEmptyLastPart) {
    SubProperty part;
    EXPECT_EQ(part.ComponentIndex, 0);
    EXPECT_TRUE(part.IsLastComponent);
    EXPECT_TRUE(part.IsEmpty());
    EXPECT_EQ(part.ComponentType, nullptr);
    EXPECT_EQ(PropertyToText(part), "");
}

TEST_F(PropertyRegistrationTest, FieldPartsPointAtTheFieldAndProxyPartsGoThroughGetterAndSetter) {
    Gadget g;
    const SubProperty speed = g.FindProperty("Speed")->MakeSubProperty("Speed", 0);
    EXPECT_EQ(speed.Value, &g.Speed);
    EXPECT_EQ(speed.Proxy, nullptr);

    SubProperty angle = g.FindProperty("Angle")->MakeSubProperty("Angle", 0);
    EXPECT_EQ(angle.Value, nullptr);
    EXPECT_EQ(angle.Proxy, g.FindProperty("Angle"));

    PropertyFromText(angle, "0.25");
    EXPECT_EQ(g.SetterCalls, 1);
    EXPECT_EQ(g.GetAngle(), 0.25f);
    const int gettersBefore = g.GetterCalls;
    EXPECT_EQ(PropertyToText(angle), "0.25");
    EXPECT_EQ(g.GetterCalls, gettersBefore + 1);

    // Text that does not parse never reaches the setter.
    PropertyFromText(angle, "fast");
    EXPECT_EQ(g.SetterCalls, 1);
}

TEST_F(PropertyRegistrationTest, TypedAccessOfAnotherTypeReadsDefaultAndWritesNothing) {
    Gadget g;
    g.Count = 7;
    const SubProperty count = g.FindProperty("Count")->MakeSubProperty("Count", 0);
    EXPECT_EQ(count.GetValue<float>(), 0.0f);
    count.SetValue(3.5f);
    EXPECT_EQ(g.Count, 7);
    EXPECT_EQ(count.GetValue<int>(), 7);
}

TEST_F(PropertyRegistrationTest, CopyToWritesFieldsAndProxiesOfTheSameType) {
    Gadget source;
    Gadget dest;
    source.Speed = 3.0f;
    source.SetAngle(1.5f);
    source.Tint = Color(1, 2, 3, 4);

    source.FindProperty("Speed")->CopyTo(dest.FindProperty("Speed"));
    source.FindProperty("Angle")->CopyTo(dest.FindProperty("Angle"));
    source.FindProperty("Tint")->CopyTo(dest.FindProperty("Tint"));

    EXPECT_EQ(dest.Speed, 3.0f);
    EXPECT_EQ(dest.SetterCalls, 1);
    EXPECT_EQ(dest.GetAngle(), 1.5f);
    EXPECT_EQ(dest.Tint, Color(1, 2, 3, 4));

    // Field to proxy and proxy to field alike.
    source.FindProperty("Speed")->CopyTo(dest.FindProperty("Angle"));
    EXPECT_EQ(dest.GetAngle(), 3.0f);
    source.FindProperty("Angle")->CopyTo(dest.FindProperty("Speed"));
    EXPECT_EQ(dest.Speed, 1.5f);
}

TEST_F(PropertyRegistrationTest, CopyToADestinationOfAnotherTypeChangesNothing) {
    Gadget source;
    Gadget dest;
    source.Speed = 3.0f;
    dest.Count = 9;
    source.FindProperty("Speed")->CopyTo(dest.FindProperty("Count"));
    EXPECT_EQ(dest.Count, 9);
}

TEST_F(PropertyRegistrationTest, HoldersHoldDefaultValuesAndResourcesByName) {
    Gadget g;
    g.Speed = 8.0f;
    const auto speedHolder = g.FindProperty("Speed")->CreateValueHolder();
    EXPECT_TRUE(speedHolder->OwnsValue);
    EXPECT_EQ(*speedHolder->Type, typeid(float));
    EXPECT_EQ(PropertyToText(speedHolder->MakeSubProperty("Speed", 0)), "0");

    // A proxy's holder is a plain value handle.
    const auto angleHolder = g.FindProperty("Angle")->CreateValueHolder();
    EXPECT_NE(dynamic_cast<PropertyRegistrationImpl<float>*>(angleHolder.get()), nullptr);

    const auto pictureHolder = g.FindProperty("Picture")->CreateValueHolder();
    EXPECT_EQ(*pictureHolder->Type, typeid(std::string));
}

TEST_F(PropertyRegistrationTest, ResourcesCopyThroughTheirNames) {
    Gadget g;
    const auto holder = g.FindProperty("Picture")->CreateValueHolder();
    SubProperty name = holder->MakeSubProperty("Picture", 0);

    PropertyFromText(name, "Grass");
    holder->CopyTo(g.FindProperty("Picture"));
    EXPECT_EQ(g.Picture, &gGrass);

    // A name the texture manager does not know leaves the field as it was.
    PropertyFromText(name, "Lava");
    holder->CopyTo(g.FindProperty("Picture"));
    EXPECT_EQ(g.Picture, &gGrass);

    // And back from the component into a fresh holder.
    g.Picture = &gBricks;
    const auto written = g.FindProperty("Picture")->CreateValueHolder();
    g.FindProperty("Picture")->CopyTo(written.get());
    EXPECT_EQ(PropertyToText(written->MakeSubProperty("Picture", 0)), "Bricks");
}

TEST_F(PropertyRegistrationTest, EmptyHoldersReadAsNothingAndIgnoreWrites) {
    Gadget g;
    const auto empty = g.FindProperty("Pos")->CreateEmptyHolder();
    EXPECT_FALSE(empty->OwnsValue);
    SubProperty x = empty->MakeSubProperty("Pos", 0);
    EXPECT_TRUE(x.IsEmpty());
    EXPECT_EQ(PropertyToText(x), "");
    PropertyFromText(x, "5");
    EXPECT_EQ(PropertyToText(x), "");

    // Copying into an empty holder is harmless.
    g.Pos = Vector2(1.0f, 2.0f);
    g.FindProperty("Pos")->CopyTo(empty.get());
    EXPECT_EQ(g.Pos, Vector2(1.0f, 2.0f));
}

}  // namespace
