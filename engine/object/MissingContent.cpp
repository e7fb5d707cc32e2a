#include "object/MissingContent.h"

#include <set>
#include <utility>

#include "object/ContentWarning.h"
#include "object/Prefab.h"

bool WarnMissingContent(const std::string& kind, const std::string& name, const std::string& requester) {
    if (name.empty()) {
        return false;
    }
    static std::set<std::pair<std::string, std::string>> told;
    if (!told.emplace(kind, name).second) {
        return false;
    }
    WarnContent("Missing " + kind + " \"" + name + "\" (asked for by " + requester + ")");
    return true;
}

namespace {

// Tells "<file>: <text>" unless the file was told of that prefab before in this run.
bool TellOncePerFileAndPrefab(std::set<std::pair<std::string, std::string>>& told, const std::filesystem::path& file,
                              const std::string& prefabName, const std::string& text) {
    const std::string where = file.generic_string();
    if (!told.emplace(where, prefabName).second) {
        return false;
    }
    WarnContent(where + ": " + text);
    return true;
}

}  // namespace

bool WarnMissingPrefab(const std::filesystem::path& file, const std::string& prefabName, const std::string& requester,
                       const std::string& outcome) {
    static std::set<std::pair<std::string, std::string>> told;
    return TellOncePerFileAndPrefab(told, file, prefabName,
                                    "prefab '" + prefabName + "' is not loaded (" + requester + "); " + outcome);
}

bool WarnMissingAutoCreated(const Prefab& owner, const std::string& prefabName) {
    return WarnMissingPrefab(owner.GetFilePath(), prefabName, "auto-created by prefab '" + owner.Name + "'",
                             "the entry is skipped");
}

bool WarnAutoCreateCycle(const Prefab& owner, const std::string& repeated, const std::string& chain) {
    static std::set<std::pair<std::string, std::string>> told;
    return TellOncePerFileAndPrefab(told, owner.GetFilePath(), repeated,
                                    "auto-create cycle: " + chain + "; the entry is skipped");
}

std::string DescribeRequester(const std::string& type, const std::string& objectName) {
    return objectName.empty() ? type : type + " on object \"" + objectName + "\"";
}

namespace {

const ScopedContentRequester* gInnermostRequester = nullptr;

}  // namespace

ScopedContentRequester::ScopedContentRequester(const std::string& prefabName, const std::string& componentType,
                                               const std::string& propertyName)
    : mPrefabName(prefabName), mComponentType(componentType), mPropertyName(propertyName), mOuter(gInnermostRequester) {
    gInnermostRequester = this;
}

ScopedContentRequester::~ScopedContentRequester() {
    gInnermostRequester = mOuter;
}

std::string ScopedContentRequester::Describe(const std::string& fallback) {
    const ScopedContentRequester* r = gInnermostRequester;
    if (r == nullptr) {
        return fallback;
    }
    return "prefab \"" + r->mPrefabName + "\", " + r->mComponentType + "." + r->mPropertyName;
}
