#include "editor/palettes/PrefabUseCheck.h"

#include <utility>
#include <vector>

#include "editor/EdNameList.h"
#include "editor/EdRootBhv.h"
#include "object/PrefabManager.h"

void ConfirmChangeOfUsedPrefab(const std::string& prefabName, const std::string& verb, std::function<void()> change) {
    const std::vector<std::string> users =
        gPrefabManager != nullptr ? gPrefabManager->FindAutoCreateUsers(prefabName) : std::vector<std::string>();
    if (users.empty() || gEdRoot == nullptr) {
        change();
        return;
    }
    const std::string title = prefabName + " is auto-created by " + ListFirstNames(users) + ". " + verb + " it?";
    gEdRoot->ShowMessageBox({verb, "Cancel"}, title, [verb, change = std::move(change)](const std::string& pressed) {
        if (pressed == verb) {
            change();
        }
    });
}
