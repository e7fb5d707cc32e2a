#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "object/Behavior.h"
#include "object/GameConfig.h"
#include "object/GameObject.h"
#include "object/ObjectWalks.h"
#include "object/PrefabManager.h"
#include "object/PropertyText.h"

// A data component with one property of several value types.
class SampleCmp : public Component, public IEditable {
public:
    SampleCmp() {
        RegisterProperty(&Speed, "Speed");
        RegisterProperty(&Count, "Count");
        RegisterProperty(&Label, "Label");
        RegisterProperty(&Tint, "Tint");
        RegisterProxyProperty(this, &SampleCmp::GetOffset, &SampleCmp::SetOffset, "Offset");
    }
    Vector2 GetOffset() const { return mOffset; }
    void SetOffset(Vector2 offset) {
        mOffset = offset;
        ++OffsetSets;
    }

    float Speed = 1.0f;
    int Count = 0;
    std::string Label = "none";
    Color Tint{255, 255, 255, 255};
    int OffsetSets = 0;

private:
    Vector2 mOffset;
};

// Records "<object name>.<Tag>" in StartLog when started.
class StartLogBhv : public Behavior {
public:
    StartLogBhv() { RegisterProperty(&Tag, "Tag"); }
    void Start() override;

    std::string Tag;
    int Starts = 0;
};

std::vector<std::string>& StartLog();

// Pos2dCmp, ThingCmp, PrefabComponent and the two test types above.
void RegisterTestComponentTypes(PrefabManager& manager);

// A prefab manager over a temporary prefab folder (the development content path's
// "Prefabs"), with the globals the prefab code uses pointed at the fixture's own.
class PrefabFixture : public ::testing::Test {
protected:
    PrefabFixture();
    ~PrefabFixture() override;

    std::filesystem::path PrefabFolder() const { return Folder.Path() / "Prefabs"; }
    std::filesystem::path WritePrefab(const std::string& name, const std::string& text) const;
    std::string ReadPrefab(const std::string& name) const;
    bool PrefabFileExists(const std::string& name) const;
    // Registers the test types and loads the folder.
    void Init() { Manager.Init(RegisterTestComponentTypes); }
    // The message of the ContentError that f raises; "" when it raises none.
    template <class F>
    static std::string ContentErrorOf(F&& f);

    TempFolder Folder;
    GameConfig Config;
    PrefabManager Manager;
    DeletionQueues Queues;

private:
    GameConfig* mSavedConfig;
    PrefabManager* mSavedManager;
    DeletionQueues* mSavedQueues;
};

#include "object/ContentError.h"

template <class F>
std::string PrefabFixture::ContentErrorOf(F&& f) {
    try {
        f();
    } catch (const ContentError& e) {
        return e.what();
    }
    return std::string();
}
