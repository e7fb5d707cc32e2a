#include "platform/Thread.h"

#include <thread>

void StartDetachedThread(std::function<void()> body) {
    std::thread(std::move(body)).detach();
}
