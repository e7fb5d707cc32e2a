#pragma once

#include <functional>

// Starts a thread that is never joined; it ends with the process.
void StartDetachedThread(std::function<void()> body);
