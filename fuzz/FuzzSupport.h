#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The input as text.
inline std::string_view InputText(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// A folder of this process's own under the temporary folder, removed at exit.
const std::filesystem::path& FuzzFolder();

// Writes text to that path under FuzzFolder(), creating its folders; returns the path.
std::filesystem::path WriteFuzzFile(const std::string& relative, std::string_view text);

// The application's globals (physics world, managers, queues, configuration), made
// once for the process without opening a window, as the game has them before loading.
void EnsureHeadlessApplication();
