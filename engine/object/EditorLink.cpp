#include "object/EditorLink.h"

EditorFlags* gEditorFlags = nullptr;
