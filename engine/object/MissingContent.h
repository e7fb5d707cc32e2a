#pragma once

#include <filesystem>
#include <string>

class Prefab;

// A look-up by name that finds nothing leaves the thing unshown (a sprite vanishes, a
// sprite shows its whole atlas, a text or a sound is missing), so each one is told on
// standard error, once per kind and name for the whole run:
//   Missing texture "Hero" (asked for by prefab "Player", SpriteCmp.Tex)
// Empty names are no request and are not told. True when this call told it.
bool WarnMissingContent(const std::string& kind, const std::string& name, const std::string& requester);

// A prefab that content names but that is not loaded: the game goes on without it, and
// it is told once per naming file and prefab name for the whole run, however often the
// file is built:
//   Content/Prefabs/Lvl_02.json: prefab 'Exit' is not loaded (auto-created by prefab 'Lvl_02'); the entry is skipped
// True when this call told it.
bool WarnMissingPrefab(const std::filesystem::path& file, const std::string& prefabName, const std::string& requester,
                       const std::string& outcome);
// The same for an auto-create entry of owner naming that prefab: the entry is skipped.
bool WarnMissingAutoCreated(const Prefab& owner, const std::string& prefabName);
// An auto-create entry of owner that would build a prefab already being built (chain
// names them, "A -> B -> A"): the entry is skipped, so the repeat is cut, and told once
// per owner file and repeated prefab:
//   Content/Prefabs/B.json: auto-create cycle: A -> B -> A; the entry is skipped
bool WarnAutoCreateCycle(const Prefab& owner, const std::string& repeated, const std::string& chain);

// "<type> on object \"<name>\"", or the type alone for an object without a name.
std::string DescribeRequester(const std::string& type, const std::string& objectName);

// Who is reading property text while one lives: a prefab applying one property to a new
// object. Look-ups name it as the asker; the strings must outlive the scope. Nothing is
// composed unless a look-up fails.
class ScopedContentRequester {
public:
    ScopedContentRequester(const std::string& prefabName, const std::string& componentType,
                           const std::string& propertyName);
    ~ScopedContentRequester();
    ScopedContentRequester(const ScopedContentRequester&) = delete;
    ScopedContentRequester& operator=(const ScopedContentRequester&) = delete;

    // The innermost live requester, or fallback when none lives.
    static std::string Describe(const std::string& fallback);

private:
    const std::string& mPrefabName;
    const std::string& mComponentType;
    const std::string& mPropertyName;
    const ScopedContentRequester* mOuter;
};
