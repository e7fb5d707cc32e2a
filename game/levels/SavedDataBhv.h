#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "game/levels/SavedProgress.h"
#include "object/Behavior.h"

class SaveFile;

// The player's progress, published as gSavedData: loaded from "Game.sav" in the user
// data folder when it starts and written whole by every Save. Other objects read and
// change the fields directly, then call Save.
class SavedDataBhv : public Behavior, public SavedProgress {
public:
    SavedDataBhv();
    // Clears gSavedData when it names this instance.
    ~SavedDataBhv() override;

    // Becomes gSavedData, then loads the save file.
    void Start() override;

    // The user data folder joined with stem + ".sav". Nothing is created here.
    static std::filesystem::path GetSavePath(const std::string& stem);

    // Writes every saved field; false when the file could not be replaced (reported on
    // standard error; the previous file stays).
    bool Save();
    void Load();

    // The map's alternate-background switch number 1 or 2: turns that background on and
    // the other off, or both off when it was on; saved at once.
    void ToggleAltBackground(int number);

    // Not saved: content decides what completes the two bonus levels.
    int32_t AntsToFree = 600;
    int32_t PacmanTargetScore = 1500;

private:
    SaveFile& File();

    std::unique_ptr<SaveFile> mFile;
};

extern SavedDataBhv* gSavedData;
// The ObjectName of the level selected on the map or being played; "" at start.
extern std::string gCurrentLevelName;
