#include "platform/DebugPrint.h"

#include <cstdio>

void DebugPrint(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
}
