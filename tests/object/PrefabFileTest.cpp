#include <string>
#include <vector>

#include "PrefabTestSupport.h"
#include "object/ContentWarning.h"
#include "object/Pos2dCmp.h"

namespace {

class PrefabFileTest : public PrefabFixture {
protected:
    // Loads the folder, saves the prefab of that name and returns its new file text.
    std::string LoadAndSave(const std::string& name) {
        Init();
        Prefab* prefab = Manager.FindPrefab(name);
        EXPECT_NE(prefab, nullptr);
        prefab->Save();
        return ReadPrefab(name);
    }
};

TEST_F(PrefabFileTest, AnEmptyPrefabIsWrittenWithEmptyLists) {
    Init();
    Prefab* empty = Manager.AddPrefab(std::make_unique<Prefab>(), "Empty");
    empty->Save();
    EXPECT_EQ(ReadPrefab("Empty"),
              "{\n"
              "    \"Components\": \"\",\n"
              "    \"AutoCreate\": \"\"\n"
              "}\n");

    PrefabManager reloaded;
    gPrefabManager = &reloaded;
    reloaded.Init(RegisterTestComponentTypes);
    const Prefab* back = reloaded.FindPrefab("Empty");
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->Components.empty());
    EXPECT_TRUE(back->AutoCreates.empty());
    gPrefabManager = &Manager;
}

TEST_F(PrefabFileTest, PropertiesAreWrittenInNameOrderWithCompoundParts) {
    WritePrefab("Mover", R"({
        "Components": { "Pos2dCmp": { "Rotation": "0.5", "Pos": { "Y": "4", "X": "3" }, "IsRelative": "t" } },
        "AutoCreate": ""
    })");
    EXPECT_EQ(LoadAndSave("Mover"),
              "{\n"
              "    \"Components\": {\n"
              "        \"Pos2dCmp\": {\n"
              "            \"IsRelative\": \"true\",\n"
              "            \"Pos\": {\n"
              "                \"X\": \"3\",\n"
              "                \"Y\": \"4\"\n"
              "            },\n"
              "            \"Rotation\": \"0.5\"\n"
              "        }\n"
              "    },\n"
              "    \"AutoCreate\": \"\"\n"
              "}\n");
}

TEST_F(PrefabFileTest, OnlyThePropertiesTheFileGivesAreKeptAndWritten) {
    WritePrefab("Partial", R"({ "Components": { "SampleCmp": { "Count": "3" }, "ThingCmp": "" }, "AutoCreate": "" })");
    EXPECT_EQ(LoadAndSave("Partial"),
              "{\n"
              "    \"Components\": {\n"
              "        \"SampleCmp\": {\n"
              "            \"Count\": \"3\"\n"
              "        },\n"
              "        \"ThingCmp\": \"\"\n"
              "    },\n"
              "    \"AutoCreate\": \"\"\n"
              "}\n");
}

TEST_F(PrefabFileTest, TwoComponentsOfOneTypeStayTwoMembersInOrder) {
    WritePrefab("Twins", R"({
        "Components": { "SampleCmp": { "Speed": "1" }, "SampleCmp": { "Speed": "2" } },
        "AutoCreate": ""
    })");
    Init();
    const Prefab* twins = Manager.FindPrefab("Twins");
    ASSERT_EQ(twins->Components.size(), 2u);
    const auto speedOf = [](const PrefabComponent& c) {
        return PropertyToText(c.FindProperty("Speed")->MakeSubProperty("Speed", 0));
    };
    EXPECT_EQ(speedOf(*twins->Components[0]), "1");
    EXPECT_EQ(speedOf(*twins->Components[1]), "2");

    Manager.FindPrefab("Twins")->Save();
    EXPECT_EQ(ReadPrefab("Twins"),
              "{\n"
              "    \"Components\": {\n"
              "        \"SampleCmp\": {\n"
              "            \"Speed\": \"1\"\n"
              "        },\n"
              "        \"SampleCmp\": {\n"
              "            \"Speed\": \"2\"\n"
              "        }\n"
              "    },\n"
              "    \"AutoCreate\": \"\"\n"
              "}\n");
}

TEST_F(PrefabFileTest, AutoCreateEntriesWriteNameAndOverridesOnlyWhenPresent) {
    WritePrefab("Leaf", R"({ "Components": "", "AutoCreate": "" })");
    WritePrefab("Tree", R"({
        "Components": "",
        "AutoCreate": [
            { "Prefab": "Leaf" },
            { "Prefab": "Leaf", "Name": "Top", "InstanceProperties": { "ThingCmp": { "Layer": "2" } } }
        ]
    })");
    EXPECT_EQ(LoadAndSave("Tree"),
              "{\n"
              "    \"Components\": \"\",\n"
              "    \"AutoCreate\": [\n"
              "        {\n"
              "            \"Prefab\": \"Leaf\"\n"
              "        },\n"
              "        {\n"
              "            \"Name\": \"Top\",\n"
              "            \"InstanceProperties\": {\n"
              "                \"ThingCmp\": {\n"
              "                    \"Layer\": \"2\"\n"
              "                }\n"
              "            },\n"
              "            \"Prefab\": \"Leaf\"\n"
              "        }\n"
              "    ]\n"
              "}\n");
    const Prefab* tree = Manager.FindPrefab("Tree");
    ASSERT_EQ(tree->AutoCreates.size(), 2u);
    EXPECT_EQ(tree->AutoCreates[0]->Owner, tree);
    EXPECT_EQ(tree->AutoCreates[1]->Name, "Top");
}

TEST_F(PrefabFileTest, EveryValueTypeSurvivesARoundTrip) {
    WritePrefab("Sample", R"({
        "Components": { "SampleCmp": {
            "Tint": { "A": "0.5", "Rgb": "FF8000" },
            "Label": "two\\nlines",
            "Offset": { "X": "-1.5", "Y": "0.1" },
            "Speed": "2.5e2"
        } },
        "AutoCreate": ""
    })");
    EXPECT_EQ(LoadAndSave("Sample"),
              "{\n"
              "    \"Components\": {\n"
              "        \"SampleCmp\": {\n"
              "            \"Label\": \"two\\\\nlines\",\n"
              "            \"Offset\": {\n"
              "                \"X\": \"-1.5\",\n"
              "                \"Y\": \"0.100000001\"\n"
              "            },\n"
              "            \"Speed\": \"250\",\n"
              "            \"Tint\": {\n"
              "                \"A\": \"0.498039216\",\n"
              "                \"Rgb\": \"ff8000\"\n"
              "            }\n"
              "        }\n"
              "    },\n"
              "    \"AutoCreate\": \"\"\n"
              "}\n");
}

TEST_F(PrefabFileTest, APropertyTheTypeLacksIsDroppedAndALaterDuplicateWins) {
    WritePrefab("Old", R"({
        "Components": { "SampleCmp": { "Retired": "1", "Count": "1", "Count": "2" } },
        "AutoCreate": ""
    })");
    EXPECT_EQ(LoadAndSave("Old"),
              "{\n"
              "    \"Components\": {\n"
              "        \"SampleCmp\": {\n"
              "            \"Count\": \"2\"\n"
              "        }\n"
              "    },\n"
              "    \"AutoCreate\": \"\"\n"
              "}\n");
}

TEST_F(PrefabFileTest, SaveClearsModifiedAndLeavesNoTemporaryFile) {
    Init();
    Prefab* prefab = Manager.AddPrefab(std::make_unique<Prefab>(), "Fresh");
    EXPECT_TRUE(prefab->Modified);
    prefab->Save();
    EXPECT_FALSE(prefab->Modified);
    EXPECT_TRUE(PrefabFileExists("Fresh"));
    EXPECT_FALSE(std::filesystem::exists(PrefabFolder() / "Fresh.json.tmp"));
}

TEST_F(PrefabFileTest, ANameThatIsNoFileNameIsRefusedWhenSaving) {
    Init();
    for (const char* name : {"", "../Escape", "Sub/Name", "Back\\slash", ".."}) {
        Prefab prefab;
        prefab.Name = name;
        prefab.Modified = true;
        EXPECT_NE(ContentErrorOf([&] { prefab.Save(); }).find("cannot be used as a file name"), std::string::npos)
            << name;
        EXPECT_TRUE(prefab.Modified);
    }
    EXPECT_FALSE(std::filesystem::exists(Folder.Path() / "Escape.json"));
}

// A file that cannot be read is told once, naming the file and the problem, and its
// prefab is left out as if the file were missing.
class PrefabFileErrorTest : public PrefabFixture {
protected:
    // The file and the problem, as told.
    std::string InitError(const std::string& text) {
        file = WritePrefab("Foo", text);
        std::vector<std::string> told;
        SetContentWarningListener([&told](const std::string& line) { told.push_back(line); });
        const std::string raised = ContentErrorOf([this] { Init(); });
        SetContentWarningListener(nullptr);
        EXPECT_EQ(raised, "");
        EXPECT_EQ(Manager.FindPrefab("Foo"), nullptr);
        EXPECT_TRUE(Manager.IsLeftOut("Foo"));
        EXPECT_EQ(Manager.GetPrefabFile("Foo"), file);
        EXPECT_EQ(told.size(), 1u);
        const std::string outcome = "; prefab 'Foo' is not loaded";
        const std::string line = told.empty() ? std::string() : told.front();
        if (line.size() < outcome.size() || line.compare(line.size() - outcome.size(), outcome.size(), outcome) != 0) {
            ADD_FAILURE() << "no outcome in " << line;
            return line;
        }
        return line.substr(0, line.size() - outcome.size());
    }
    std::filesystem::path file;
};

TEST_F(PrefabFileErrorTest, AnUnregisteredComponentType) {
    const std::string error = InitError(R"({ "Components": { "SpriteCmpx": "" }, "AutoCreate": "" })");
    EXPECT_EQ(error, file.generic_string() + ": component type 'SpriteCmpx' is not registered");
}

TEST_F(PrefabFileErrorTest, AComponentTypeInAnotherLetterCase) {
    const std::string error = InitError(R"({ "Components": { "pos2dcmp": "" }, "AutoCreate": "" })");
    EXPECT_EQ(error, file.generic_string() + ": component type 'pos2dcmp' is not registered");
}

TEST_F(PrefabFileErrorTest, AJsonSyntaxErrorWithItsLine) {
    const std::string error = InitError("{\n  \"Components\": \"\",\n  \"AutoCreate\": \"\"\n  oops\n}\n");
    EXPECT_EQ(error.rfind(file.generic_string() + ": JSON syntax error on line 4: ", 0), 0u) << error;
}

TEST_F(PrefabFileErrorTest, AMissingComponentsMember) {
    const std::string error = InitError(R"({ "AutoCreate": "" })");
    EXPECT_EQ(error, file.generic_string() + ": missing \"Components\" member");
}

TEST_F(PrefabFileErrorTest, AMissingAutoCreateMember) {
    const std::string error = InitError(R"({ "Components": "" })");
    EXPECT_EQ(error, file.generic_string() + ": missing \"AutoCreate\" member");
}

TEST_F(PrefabFileErrorTest, AnAutoCreateEntryWithoutPrefab) {
    const std::string error =
        InitError(R"({ "Components": "", "AutoCreate": [ { "Prefab": "A" }, { "Name": "x" } ] })");
    EXPECT_EQ(error, file.generic_string() + ": auto-create entry 2: missing \"Prefab\" member");
}

TEST_F(PrefabFileErrorTest, AMissingPartOfACompoundProperty) {
    const std::string error =
        InitError(R"({ "Components": { "Pos2dCmp": { "Pos": { "X": "1" } } }, "AutoCreate": "" })");
    EXPECT_EQ(error, file.generic_string() + ": component 'Pos2dCmp': property 'Pos' lacks its part \"Y\"");
}

TEST_F(PrefabFileErrorTest, ATypeThatIsNoComponent) {
    const std::string error = InitError(R"({ "Components": { "PrefabComponent": "" }, "AutoCreate": "" })");
    EXPECT_EQ(error, file.generic_string() + ": type 'PrefabComponent' is not a component");
}

TEST_F(PrefabFileErrorTest, AListGivenAsText) {
    const std::string error = InitError(R"({ "Components": "Pos2dCmp", "AutoCreate": "" })");
    EXPECT_EQ(error, file.generic_string() + ": a component list is the text \"Pos2dCmp\", not a list");
}

}  // namespace
