#include "platform/DeviceThread.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

DeviceThread gGlThread("OpenGL context");
DeviceThread gAlThread("OpenAL device");

void DeviceThread::Fail(const char* call) const {
    // Plain writes: the message must get out even if the stray call broke the heap.
    const char* parts[] = {call, " called into the ", mDeviceName, " from a thread other than the one that made it\n"};
    for (const char* part : parts) {
        const ssize_t unused = write(STDERR_FILENO, part, std::strlen(part));
        (void)unused;
    }
    std::abort();
}
