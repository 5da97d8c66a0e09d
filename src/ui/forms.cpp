// Ownership of the program's windows.
#include "ui/forms.h"

#include <algorithm>
#include <vector>

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;

namespace ui {

namespace {
std::vector<std::unique_ptr<toolkit::Form>>& Windows() {
    static std::vector<std::unique_ptr<toolkit::Form>> windows;
    return windows;
}

void ClearReference(const toolkit::Form* window) {
    const void* gone = window;
    if (gone == static_cast<const void*>(Form1))
        Form1 = nullptr;
    if (gone == static_cast<const void*>(Form2))
        Form2 = nullptr;
    if (gone == static_cast<const void*>(Form3))
        Form3 = nullptr;
    if (gone == static_cast<const void*>(Form4))
        Form4 = nullptr;
}
}  // namespace

void AdoptWindow(std::unique_ptr<toolkit::Form> window) {
    Windows().push_back(std::move(window));
}

void DestroyWindow(toolkit::Form* window) {
    auto& windows = Windows();
    auto found = std::find_if(windows.begin(), windows.end(),
                              [window](const auto& owned) { return owned.get() == window; });
    if (found == windows.end()) {
        return;
    }
    std::unique_ptr<toolkit::Form> doomed = std::move(*found);
    windows.erase(found);
    ClearReference(doomed.get());
    doomed.reset();
}

void DestroyAllWindows() {
    auto& windows = Windows();
    while (!windows.empty()) {
        DestroyWindow(windows.back().get());
    }
}

int LiveWindowCount() {
    return static_cast<int>(Windows().size());
}

}  // namespace ui
