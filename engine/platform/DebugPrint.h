#pragma once

// The program's diagnostic output: standard error.
void DebugPrint(const char* text);
