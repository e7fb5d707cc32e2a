#include "editor/widgets/EdPaletteBhv.h"

#include <algorithm>

#include "editor/widgets/EdInput.h"
#include "editor/widgets/EdTitleBarBhv.h"
#include "editor/widgets/IEdUiElement.h"
#include "object/GameObject.h"

EdPaletteBhv::EdPaletteBhv() {
    RegisterProperty(&Width, "Width");
    RegisterProperty(&TopLeft, "TopLeft");
}

void EdPaletteBhv::Start() {
    if (GameObject* bar = FindChild("TitleBar")) {
        if (auto* titleBar = bar->GetComponent<EdTitleBarBhv>()) {
            titleBar->OnDrag = [this](Vector2 delta) { OnTitleBarDrag(delta); };
        }
    }
    Layout();
}

void EdPaletteBhv::Layout() {
    float y = TopLeft.Y;
    if (Owner != nullptr) {
        for (GameObject* child : Owner->Children) {
            IEdUiElement* row = FindUiElement(child);
            if (row == nullptr || child->DrawEnabled == 0) {
                continue;
            }
            row->SetRect(TopLeft.X, y, Width, row->Height);
            y += row->Height;
        }
    }
    Height = y - TopLeft.Y;
}

::Rect EdPaletteBhv::GetRect() const {
    return ::Rect(TopLeft.X, TopLeft.Y, Width, Height);
}

void EdPaletteBhv::OnTitleBarDrag(Vector2 delta) {
    TopLeft += delta;
    TopLeft.X = std::max(TopLeft.X, EdgeKeep - Width);
    TopLeft.X = std::min(TopLeft.X, EdInput::ScreenWidth - EdgeKeep);
    TopLeft.Y = std::max(TopLeft.Y, -EdgeKeep);
    TopLeft.Y = std::min(TopLeft.Y, EdInput::ScreenHeight - EdgeKeep);
    Layout();
}
