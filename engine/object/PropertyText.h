#pragma once

#include <string>

#include "object/SubProperty.h"

// The text form of one part of a property value, as prefab files and the inspector
// show it. "" for a part with no value, an unknown part name or an unknown type.
std::string PropertyToText(const SubProperty& part);

// Parses text into the part and writes the whole value back. Text that does not parse
// leaves the value unchanged, except alignment and weapon names, which read as 0; false
// then, and for a part with no value or of an unknown type.
bool PropertyFromText(SubProperty& part, const std::string& text);
