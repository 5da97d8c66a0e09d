// The audible refusal of the controls, replaceable so that tests can count refusals.
#include "toolkit/beep.h"

#include <QApplication>
#include <utility>

namespace toolkit {

namespace {
std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void Beep() {
    if (BeepHandler()) {
        BeepHandler()();
        return;
    }
    QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) {
    BeepHandler() = std::move(handler);
}

}  // namespace toolkit
