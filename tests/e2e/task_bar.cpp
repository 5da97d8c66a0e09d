// Plays a desktop's task bar in the whole-program tests: asks the window manager to activate a
// window as a pager does, carrying the X server's time as a click on the task bar would.
// xdotool's windowactivate sends no time, which window managers that prevent focus stealing
// may refuse, and mutter reports as a buggy client. It clicks once, and fails when the window
// manager does not activate the window or when, within WATCH_MS after it did, another window
// takes the activation back (exit status 3).
//
//   e2e-task-bar WINDOW [WATCH_MS]    WINDOW as a decimal or 0x-prefixed id
//   e2e-task-bar --pointer-free       waits until no client holds the pointer
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace {

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

using Clock = std::chrono::steady_clock;
constexpr auto kLook = std::chrono::milliseconds(50);
constexpr auto kAnswerLimit = std::chrono::seconds(20);
// How long the choice is watched after it took effect, unless the caller says.
constexpr long kDefaultWatchMs = 1500;

xcb_window_t ActiveWindow(xcb_connection_t* connection, const xcb_screen_t* screen,
                          xcb_atom_t activeWindow) {
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, screen->root, activeWindow, XCB_ATOM_WINDOW, 0, 1),
            nullptr),
        &std::free);
    if (reply == nullptr || xcb_get_property_value_length(reply.get()) < 4) {
        return XCB_WINDOW_NONE;
    }
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// A window of our own whose property changes come back with the server's time.
xcb_window_t ClockWindow(xcb_connection_t* connection, const xcb_screen_t* screen) {
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    return window;
}

xcb_timestamp_t ServerTime(xcb_connection_t* connection, xcb_window_t clock) {
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, clock, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                        8, 0, nullptr);
    xcb_flush(connection);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    while (time == XCB_CURRENT_TIME) {
        const Owned<xcb_generic_event_t> event(xcb_wait_for_event(connection), &std::free);
        if (event == nullptr) {
            break;
        }
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            time = reinterpret_cast<const xcb_property_notify_event_t*>(event.get())->time;
        }
    }
    return time;
}

// Waits until no other client holds the pointer: a window manager that grabbed a click and
// stalls before handing it on. What the X server queued meanwhile it delivers as the grab
// ends, before our own grab succeeds.
int WaitUntilPointerFree(xcb_connection_t* connection, const xcb_screen_t* screen) {
    const auto started = Clock::now();
    for (;;) {
        const Owned<xcb_grab_pointer_reply_t> reply(
            xcb_grab_pointer_reply(
                connection,
                xcb_grab_pointer(connection, 0, screen->root, 0, XCB_GRAB_MODE_ASYNC,
                                 XCB_GRAB_MODE_ASYNC, XCB_WINDOW_NONE, XCB_CURSOR_NONE,
                                 XCB_CURRENT_TIME),
                nullptr),
            &std::free);
        if (reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS) {
            xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
            xcb_flush(connection);
            return 0;
        }
        if (Clock::now() - started > kAnswerLimit) {
            std::fputs("e2e-task-bar: another client has held the pointer for 20 s\n", stderr);
            return 1;
        }
        std::this_thread::sleep_for(kLook);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--pointer-free") == 0) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) != 0) {
            std::fputs("e2e-task-bar: cannot open the display\n", stderr);
            xcb_disconnect(connection);
            return 1;
        }
        const int status = WaitUntilPointerFree(
            connection, xcb_setup_roots_iterator(xcb_get_setup(connection)).data);
        xcb_disconnect(connection);
        return status;
    }
    if (argc != 2 && argc != 3) {
        std::fputs("usage: e2e-task-bar WINDOW [WATCH_MS] | e2e-task-bar --pointer-free\n", stderr);
        return 2;
    }
    char* end = nullptr;
    const unsigned long target = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || target == 0) {
        std::fprintf(stderr, "e2e-task-bar: not a window id: %s\n", argv[1]);
        return 2;
    }
    long watchMs = kDefaultWatchMs;
    if (argc == 3) {
        watchMs = std::strtol(argv[2], &end, 10);
        if (end == argv[2] || *end != '\0' || watchMs < 0) {
            std::fprintf(stderr, "e2e-task-bar: not a time in milliseconds: %s\n", argv[2]);
            return 2;
        }
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fputs("e2e-task-bar: cannot open the display\n", stderr);
        xcb_disconnect(connection);
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t activeWindow = Atom(connection, "_NET_ACTIVE_WINDOW");
    const xcb_window_t clock = ClockWindow(connection, screen);
    const xcb_timestamp_t time = ServerTime(connection, clock);
    if (time == XCB_CURRENT_TIME) {
        std::fputs("e2e-task-bar: the X server told no time\n", stderr);
        xcb_disconnect(connection);
        return 1;
    }
    // One click, as a trainee gives it: source 2, a pager or task bar acting for the user.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(target);
    message.type = activeWindow;
    message.data.data32[0] = 2;
    message.data.data32[1] = time;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // A slow or stalled window manager may answer seconds later.
    const auto sent = Clock::now();
    while (ActiveWindow(connection, screen, activeWindow) != target) {
        if (Clock::now() - sent > kAnswerLimit) {
            std::fprintf(
                stderr, "e2e-task-bar: the window manager did not activate %s within %lld s\n",
                argv[1],
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::seconds>(kAnswerLimit).count()));
            xcb_disconnect(connection);
            return 1;
        }
        std::this_thread::sleep_for(kLook);
    }
    // The trainee's choice must then stay: a program that asks for another of its windows
    // in answer takes the activation back, and a second click would hide that.
    const auto activated = Clock::now();
    while (Clock::now() - activated < std::chrono::milliseconds(watchMs)) {
        std::this_thread::sleep_for(kLook);
        const xcb_window_t now = ActiveWindow(connection, screen, activeWindow);
        if (now != target) {
            std::fprintf(
                stderr,
                "e2e-task-bar: %s was activated, then window 0x%x took the activation "
                "back after %lld ms\n",
                argv[1], now,
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - activated)
                        .count()));
            xcb_disconnect(connection);
            return 3;
        }
    }
    xcb_disconnect(connection);
    return 0;
}
