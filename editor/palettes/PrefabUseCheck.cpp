#include "editor/palettes/PrefabUseCheck.h"

#include <utility>
#include <vector>

#include "editor/EdNameList.h"
#include "editor/EdRootBhv.h"
#include "game/GameContent.h"
#include "game/levels/LevelListBhv.h"
#include "object/PrefabManager.h"

namespace {

// "a", "a and b", "a, b and c".
std::string JoinUses(const std::vector<std::string>& uses) {
    std::string text;
    for (size_t i = 0; i < uses.size(); ++i) {
        if (i > 0) {
            text += i + 1 == uses.size() ? " and " : ", ";
        }
        text += uses[i];
    }
    return text;
}

// How the prefab is used, each use naming its users; empty when nothing uses it.
std::vector<std::string> DescribeUses(const std::string& prefabName) {
    std::vector<std::string> uses;
    if (GameExpectedContent().AsksForPrefab(prefabName)) {
        uses.emplace_back("used by the game itself");
    }
    // The level list finds a level's prefab by the level's name.
    if (const std::vector<std::string> lists = LevelListBhv::FindListsNaming(prefabName); !lists.empty()) {
        uses.push_back("listed as a level by " + ListFirstNames(lists));
    }
    const std::vector<std::string> users =
        gPrefabManager != nullptr ? gPrefabManager->FindAutoCreateUsers(prefabName) : std::vector<std::string>();
    if (!users.empty()) {
        uses.push_back("auto-created by " + ListFirstNames(users));
    }
    return uses;
}

}  // namespace

void ConfirmChangeOfUsedPrefab(const std::string& prefabName, const std::string& verb, std::function<void()> change) {
    const std::vector<std::string> uses = DescribeUses(prefabName);
    if (uses.empty() || gEdRoot == nullptr) {
        change();
        return;
    }
    const std::string title = prefabName + " is " + JoinUses(uses) + ". " + verb + " it?";
    gEdRoot->ShowMessageBox({verb, "Cancel"}, title, [verb, change = std::move(change)](const std::string& pressed) {
        if (pressed == verb) {
            change();
        }
    });
}
