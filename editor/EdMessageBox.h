#pragma once

#include <functional>
#include <string>
#include <vector>

// Called with the label of the button that closed the message box.
using MessageBoxCallback = std::function<void(const std::string& pressedLabel)>;

// What the editor root needs of the reusable message box "EdDlgMessageBox": fill it
// with a title and buttons and open it. A question whose first button would lose work
// names its safe answer, which Enter and Esc then press ("" for none).
class IEdMessageBox {
public:
    virtual ~IEdMessageBox() = default;
    virtual void Build(const std::string& title, const std::vector<std::string>& labels, MessageBoxCallback callback,
                       const std::string& safeAnswer) = 0;
};
