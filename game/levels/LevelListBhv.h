#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "object/Behavior.h"

class LevelDataCmp;

// The level table, published as gLevelList: made from the children of its object that
// carry a LevelDataCmp, and made again every frame so that numbers, locks and the par
// count always follow the saved results of the moment.
class LevelListBhv : public Behavior {
public:
    LevelListBhv();
    // Clears gLevelList when it names this instance.
    ~LevelListBhv() override;

    // Becomes gLevelList and builds the table; tells of each level without a prefab and
    // of each par that is no time to play against, which becomes the fallback par.
    void Start() override;
    void Update() override;

    // Numbers the main progression in child order, opens completed levels and the first
    // LevelSkipsMax + 1 incomplete main ones, counts beaten pars and applies the rules of
    // the reserved levels. A level without a prefab stays locked.
    void Rebuild();

    // Any level, main or not, by its object name; null when there is none.
    LevelDataCmp* FindLevel(const std::string& name) const;
    // The main level numbered so (from 1) in gLevelList; null outside the progression
    // or without a level list.
    static LevelDataCmp* GetLevelByNumber(int number);

    // The loaded prefabs holding a level list that names the level (a child of that
    // name), in name order: renamed or removed, the level would be listed without its
    // prefab.
    static std::vector<std::string> FindListsNaming(const std::string& levelName);

    // Shows the unlock banner "UiUnlockMessage" under the gameplay root with this text
    // on its child "Message".
    void ShowUnlockMessage(std::string text);

    // The main progression in child order; Number is the index + 1.
    std::vector<LevelDataCmp*> Levels;
    // Levels, main or not, whose par is beaten.
    int32_t ParCount = 0;
    // Pars that open "Lvl_Bonus1" and "Lvl_Bonus2".
    int32_t Bonus1ParCount = 20;
    int32_t Bonus2ParCount = 10;

private:
    void NumberAndLock(LevelDataCmp& level, int32_t& incompleteMainLevels);
    void ApplyReservedRules();
    // Leaves a missing reserved level alone.
    void SetLocked(const char* name, bool locked);
    bool IsCompletedByName(const char* name) const;
    // No prefab of the level's name: its file is gone.
    static bool IsMissing(const LevelDataCmp& level);
    void WarnOfMissingLevels() const;
    void MendParTimes() const;
    // "Level list "<list prefab>": level "<name>"", as the level list's warnings begin.
    std::string DescribeLevel(const std::string& name) const;

    // Every level by object name; a later child of the same name replaces an earlier one.
    std::map<std::string, LevelDataCmp*> mLevelsByName;
    // How many incomplete main levels beyond the first stay open.
    int32_t mLevelSkipsMax = 2;
};

extern LevelListBhv* gLevelList;
