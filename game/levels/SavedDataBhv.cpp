#include "game/levels/SavedDataBhv.h"

#include "game/levels/SaveFile.h"
#include "platform/Paths.h"

SavedDataBhv* gSavedData = nullptr;
std::string gCurrentLevelName;

SavedDataBhv::SavedDataBhv() {
    RegisterProperty(&AntsToFree, "AntsToFree");
    RegisterProperty(&PacmanTargetScore, "PacmanTargetScore");
}

SavedDataBhv::~SavedDataBhv() {
    if (gSavedData == this) {
        gSavedData = nullptr;
    }
}

void SavedDataBhv::Start() {
    gSavedData = this;
    Load();
}

std::filesystem::path SavedDataBhv::GetSavePath(const std::string& stem) {
    return GetUserDataFolder() / (stem + ".sav");
}

bool SavedDataBhv::Save() {
    return File().Save(*this);
}

void SavedDataBhv::Load() {
    File().Load(*this);
}

void SavedDataBhv::ToggleAltBackground(int number) {
    if (number != 1 && number != 2) {
        return;
    }
    bool& chosen = number == 1 ? UseAltBackground1 : UseAltBackground2;
    const bool turnOn = !chosen;
    UseAltBackground1 = false;
    UseAltBackground2 = false;
    chosen = turnOn;
    Save();
}

// Made on first use, so the registry's default instance never looks for a folder.
SaveFile& SavedDataBhv::File() {
    if (mFile == nullptr) {
        mFile = std::make_unique<SaveFile>(GetSavePath("Game"));
    }
    return *mFile;
}
