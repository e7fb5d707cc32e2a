#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrefabTestSupport.h"
#include "TempFolder.h"
#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "object/JsonFile.h"
#include "object/NestingDepth.h"
#include "object/XmlFile.h"

namespace {

std::string Repeat(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += part;
    }
    return text;
}

std::string NestedJson(int depth) {
    return Repeat("{\"a\":", depth - 1) + "{}" + Repeat("}", depth - 1);
}

std::string NestedXml(int depth) {
    return Repeat("<a>", depth) + Repeat("</a>", depth);
}

std::string ReadError(const std::filesystem::path& file, bool xml) {
    try {
        xml ? ReadXmlFile(file) : ReadJsonFile(file);
    } catch (const ContentError& e) {
        return e.what();
    }
    return "";
}

TEST(ContentNestingTest, ScansCountOnlyRealNesting) {
    EXPECT_EQ(JsonNestingDepth(R"({"a": [1, {"b": "]]}}{{[["}], "c": "\"{"})"), 3);
    EXPECT_EQ(JsonNestingDepth("}}}]]{"), 1);
    EXPECT_EQ(JsonNestingDepth(NestedJson(300)), 300);
    EXPECT_EQ(XmlNestingDepth(R"(<?xml version="1.0"?><!-- <a><a> --><f a="<b>"><g/><h><![CDATA[<c><c>]]></h></f>)"),
              2);
    EXPECT_EQ(XmlNestingDepth("</x></x><a><b/></a>"), 2);
    EXPECT_EQ(XmlNestingDepth(NestedXml(300)), 300);
}

// Before the check the parsers recursed once per level and overflowed the stack.
TEST(ContentNestingTest, FilesNestedTooDeeplyAreRefusedNamingTheFile) {
    TempFolder folder;
    const auto deepJson = folder.Write("Deep.json", NestedJson(100000));
    const auto deepXml = folder.Write("Deep.xml", NestedXml(100000));
    EXPECT_EQ(ReadError(deepJson, false), deepJson.generic_string() + ": JSON nested deeper than 256 levels");
    EXPECT_EQ(ReadError(deepXml, true), deepXml.generic_string() + ": XML nested deeper than 256 levels");

    // Up to the limit they read as before.
    EXPECT_EQ(ReadError(folder.Write("Limit.json", NestedJson(kMaxContentNesting)), false), "");
    EXPECT_EQ(ReadError(folder.Write("Limit.xml", NestedXml(kMaxContentNesting)), true), "");
    EXPECT_NE(ReadError(folder.Write("Over.json", NestedJson(kMaxContentNesting + 1)), false), "");
}

class DeepPrefabTest : public PrefabFixture {};

TEST_F(DeepPrefabTest, ADeeplyNestedPrefabIsToldNamingItAndLeftOut) {
    const auto file = WritePrefab("Deep", R"({ "Components": "", "AutoCreate": )" + Repeat("[", 50000) + "]");
    std::vector<std::string> told;
    SetContentWarningListener([&told](const std::string& text) { told.push_back(text); });
    EXPECT_EQ(ContentErrorOf([this] { Init(); }), "");
    SetContentWarningListener(nullptr);
    EXPECT_EQ(told, std::vector<std::string>{file.generic_string() +
                                             ": JSON nested deeper than 256 levels; prefab 'Deep' is not loaded"});
    EXPECT_EQ(Manager.FindPrefab("Deep"), nullptr);
}

}  // namespace
