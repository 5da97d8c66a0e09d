/* Drives KWin's pointer and keyboard for the whole-program tests under KWin as a Wayland
 * compositor, where input from XTEST reaches no window: Xwayland takes input only where the
 * compositor puts the pointer.
 *
 *   kwin-fake-input move X Y | press BUTTON | release BUTTON |
 *                   down KEY | up KEY | key KEY | wait MILLISECONDS ...
 *
 * X and Y are the compositor's global coordinates; BUTTON and KEY are Linux input event
 * codes (BTN_LEFT is 272, KEY_ENTER 28); key presses and releases a key. The commands run in
 * order on one connection. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* fake_input;

static void global_added(void* data, struct wl_registry* registry, uint32_t name,
                         const char* interface, uint32_t version) {
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4) {
        fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
    }
}

static void global_removed(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

static long number(const char* text) {
    char* end = NULL;
    const long value = strtol(text, &end, 10);
    if (end == text || *end != '\0') {
        fprintf(stderr, "kwin-fake-input: not a number: %s\n", text);
        exit(2);
    }
    return value;
}

/* The compositor reads one request after another; a short pause lets a press and its release
 * reach the window as two events, as a hand would make them. */
static void pause_for(struct wl_display* display, long milliseconds) {
    wl_display_roundtrip(display);
    const struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&pause, NULL);
}

int main(int argc, char** argv) {
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "kwin-fake-input: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (fake_input == NULL) {
        fprintf(stderr, "kwin-fake-input: the compositor offers no org_kde_kwin_fake_input 4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake_input, "sight-trainer tests",
                                         "plays the trainer through as a trainee would");
    for (int i = 1; i < argc; ++i) {
        const char* command = argv[i];
        const int arguments = strcmp(command, "move") == 0 ? 2 : 1;
        if (i + arguments >= argc) {
            fprintf(stderr, "kwin-fake-input: %s needs %d arguments\n", command, arguments);
            return 2;
        }
        if (strcmp(command, "move") == 0) {
            org_kde_kwin_fake_input_pointer_motion_absolute(
                fake_input, wl_fixed_from_int((int)number(argv[i + 1])),
                wl_fixed_from_int((int)number(argv[i + 2])));
            pause_for(display, 20);
        } else if (strcmp(command, "press") == 0 || strcmp(command, "release") == 0) {
            org_kde_kwin_fake_input_button(fake_input, (uint32_t)number(argv[i + 1]),
                                           strcmp(command, "press") == 0);
            pause_for(display, 20);
        } else if (strcmp(command, "down") == 0 || strcmp(command, "up") == 0 ||
                   strcmp(command, "key") == 0) {
            const uint32_t key = (uint32_t)number(argv[i + 1]);
            if (strcmp(command, "up") != 0) {
                org_kde_kwin_fake_input_keyboard_key(fake_input, key, 1);
                pause_for(display, 20);
            }
            if (strcmp(command, "down") != 0) {
                org_kde_kwin_fake_input_keyboard_key(fake_input, key, 0);
                pause_for(display, 20);
            }
        } else if (strcmp(command, "wait") == 0) {
            pause_for(display, number(argv[i + 1]));
        } else {
            fprintf(stderr, "kwin-fake-input: unknown command %s\n", command);
            return 2;
        }
        i += arguments;
    }
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
