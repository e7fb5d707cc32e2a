#include "input/Cursors.h"

#include <set>

#include "object/ContentWarning.h"
#include "platform/window/CursorImage.h"
#include "render/Graphics.h"

std::map<std::string, std::unique_ptr<CursorImage>> gCursorCache;

namespace {

// What the window shows now, so that an unchanged choice costs nothing per pass.
const CursorImage* gShownCursor = nullptr;
bool gArrowShown = false;
// Names whose file could not be read: not read again until a retry is allowed, since
// decoding an image every pass would cost more than the frame.
std::set<std::string> gUnreadable;
std::set<std::string> gReportedFailures;

const CursorImage* FindOrLoad(const std::string& name) {
    const auto found = gCursorCache.find(name);
    if (found != gCursorCache.end()) {
        return found->second.get();
    }
    const Window* window = gGraphics != nullptr ? gGraphics->GameWindow() : nullptr;
    if (gUnreadable.count(name) != 0 || window == nullptr) {
        return nullptr;
    }
    const std::filesystem::path path = GetCursorPath(name).concat(".ico");
    std::string error;
    std::unique_ptr<CursorImage> cursor = CursorImage::Load(path, *window, &error);
    if (cursor == nullptr) {
        gUnreadable.insert(name);
        if (gReportedFailures.insert(name).second) {
            WarnContent(path.string() + ": cannot load cursor: " + error);
        }
        return nullptr;
    }
    return gCursorCache.emplace(name, std::move(cursor)).first->second.get();
}

void ShowArrow() {
    if (!gArrowShown) {
        CursorImage::ShowDefault();
        gArrowShown = true;
        gShownCursor = nullptr;
    }
}

}  // namespace

std::filesystem::path GetCursorPath(const std::string& name) {
    return std::filesystem::path("./Content/Cursors") / name;
}

void ApplyWindowCursor(const std::string& name) {
    const CursorImage* cursor = name.empty() ? nullptr : FindOrLoad(name);
    if (cursor == nullptr) {
        ShowArrow();
        return;
    }
    if (cursor != gShownCursor) {
        cursor->Show();
        gShownCursor = cursor;
        gArrowShown = false;
    }
}

void PreloadCursor(const std::string& name) {
    FindOrLoad(name);
}

void RetryUnreadableCursors() {
    gUnreadable.clear();
}

void ReleaseCursors() {
    gCursorCache.clear();
    gShownCursor = nullptr;
    gArrowShown = false;
    gUnreadable.clear();
    gReportedFailures.clear();
}
