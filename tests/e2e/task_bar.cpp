// Plays a desktop's task bar in the whole-program tests: asks the window manager to activate a
// window as a pager does, carrying the X server's time as a click on the task bar would.
// xdotool's windowactivate sends no time, which window managers that prevent focus stealing
// may refuse, and mutter reports as a buggy client.
//
//   e2e-task-bar WINDOW    WINDOW as a decimal or 0x-prefixed id
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

constexpr int kClicks = 3;
constexpr int kLooksPerClick = 30;

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: e2e-task-bar WINDOW\n", stderr);
        return 2;
    }
    char* end = nullptr;
    const unsigned long target = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || target == 0) {
        std::fprintf(stderr, "e2e-task-bar: not a window id: %s\n", argv[1]);
        return 2;
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
    // mutter now and then drops such a message; a trainee would click the task bar again.
    bool activated = false;
    for (int click = 0; click < kClicks && !activated; ++click) {
        const xcb_timestamp_t time = ServerTime(connection, clock);
        if (time == XCB_CURRENT_TIME) {
            break;
        }
        // Source 2: a pager or task bar, acting for the user.
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
        for (int look = 0; look < kLooksPerClick && !activated; ++look) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            activated = ActiveWindow(connection, screen, activeWindow) == target;
        }
    }
    xcb_disconnect(connection);
    if (!activated) {
        std::fprintf(stderr, "e2e-task-bar: the window manager did not activate %s\n", argv[1]);
    }
    return activated ? 0 : 1;
}
