#include "editor/palettes/PrefabUseCheck.h"

#include <utility>
#include <vector>

#include "editor/EdNameList.h"
#include "editor/EdRootBhv.h"
#include "game/GameContent.h"
#include "object/PrefabManager.h"

void ConfirmChangeOfUsedPrefab(const std::string& prefabName, const std::string& verb, std::function<void()> change) {
    const std::vector<std::string> users =
        gPrefabManager != nullptr ? gPrefabManager->FindAutoCreateUsers(prefabName) : std::vector<std::string>();
    const bool usedByGame = GameExpectedContent().AsksForPrefab(prefabName);
    if ((users.empty() && !usedByGame) || gEdRoot == nullptr) {
        change();
        return;
    }
    std::string uses = usedByGame ? "used by the game itself" : "";
    if (!users.empty()) {
        uses += (usedByGame ? " and auto-created by " : "auto-created by ") + ListFirstNames(users);
    }
    const std::string title = prefabName + " is " + uses + ". " + verb + " it?";
    gEdRoot->ShowMessageBox({verb, "Cancel"}, title, [verb, change = std::move(change)](const std::string& pressed) {
        if (pressed == verb) {
            change();
        }
    });
}
