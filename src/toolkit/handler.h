// The one place where an error raised in a handler is reported; the message loop goes on.
#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace toolkit {

// Runs an event handler. An error it raises ends it and is reported in a message box.
template <typename Handler>
void RunHandler(Handler&& handler);

// Shows the error box. Tests replace the reporter to see the messages without a box.
void ReportHandlerError(const QString& message);
using ErrorReporter = std::function<void(const QString& message)>;
// Returns the reporter it replaces.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

template <typename Handler>
void RunHandler(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportHandlerError(QString::fromUtf8(error.what()));
    }
}

// Wraps a member handler of a window for wiring to a control's event.
template <typename Window>
std::function<void()> Handler(Window* window, void (Window::*method)()) {
    return [window, method] { RunHandler([&] { (window->*method)(); }); };
}

}  // namespace toolkit
