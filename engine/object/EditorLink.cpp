#include "object/EditorLink.h"

EditorFlags* gEditorFlags = nullptr;
void (*gReturnToEditorHook)() = nullptr;
