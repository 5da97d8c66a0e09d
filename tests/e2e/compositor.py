#!/usr/bin/python3
"""What the whole-program tests need from a Wayland compositor that X11 tools cannot give.

  compositor.py mutter-pointer X Y        moves mutter's pointer to a point of the screen
  compositor.py kwin-script JAVASCRIPT    runs a KWin script; prints what it passes to reply()
  compositor.py kwin-screenshot FILE [X Y WIDTH HEIGHT]
                                          KWin's screen, or a part of it, as a PNG file
"""
import os
import subprocess
import sys
import tempfile
import time

import dbus

MUTTER = "org.gnome.Mutter.RemoteDesktop"


def mutter_pointer(x, y):
    bus = dbus.SessionBus()
    manager = dbus.Interface(bus.get_object(MUTTER, "/org/gnome/Mutter/RemoteDesktop"),
                             "org.gnome.Mutter.RemoteDesktop")
    session = dbus.Interface(bus.get_object(MUTTER, manager.CreateSession()),
                             MUTTER + ".Session")
    # Absolute motion needs the stream of a screen cast, and a screen cast needs PipeWire;
    # relative motion needs neither. The pointer stays on the screen, so a long move up and
    # to the left puts it in the corner, from where a relative move reaches any point.
    session.Start()
    try:
        session.NotifyPointerMotionRelative(dbus.Double(-100000), dbus.Double(-100000))
        session.NotifyPointerMotionRelative(dbus.Double(x), dbus.Double(y))
    finally:
        session.Stop()


def kwin_script(source):
    """Runs the script in KWin, which hands its answer back over the session bus."""
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
    import dbus.service

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    answer = []

    class Receiver(dbus.service.Object):
        @dbus.service.method("io.github.sighttrainer.Test", in_signature="s")
        def Reply(self, text):
            answer.append(str(text))
            loop.quit()

    Receiver(bus, "/Reply")
    reply = (f'function reply(value) {{ callDBus("{bus.get_unique_name()}", "/Reply", '
             '"io.github.sighttrainer.Test", "Reply", String(value)); }\n')
    with tempfile.NamedTemporaryFile("w", suffix=".js", delete=False) as script:
        script.write(reply + "try {\n" + source + "\n} catch (error) { reply('error: ' + error); }\n")
    name = os.path.basename(script.name)
    scripting = dbus.Interface(bus.get_object("org.kde.KWin", "/Scripting"),
                               "org.kde.kwin.Scripting")
    try:
        # loadScript is overloaded; the signature picks the one that takes a name.
        number = bus.call_blocking("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting",
                                   "loadScript", "ss", (script.name, name))
        if number < 0:
            sys.exit("compositor.py: KWin did not load the script")
        # Runs the scripts loaded and not yet running: this one.
        scripting.start()
        GLib.timeout_add(5000, loop.quit)
        loop.run()
    finally:
        scripting.unloadScript(name)
        os.unlink(script.name)
    if not answer:
        sys.exit("compositor.py: the KWin script gave no answer")
    print(answer[0])


def kwin_screenshot(path, area):
    bus = dbus.SessionBus()
    screenshot = dbus.Interface(bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
                                "org.kde.KWin.ScreenShot2")
    read_end, write_end = os.pipe()
    options = {"native-resolution": True}
    if area:
        x, y, width, height = (int(number) for number in area)
        results = screenshot.CaptureArea(x, y, dbus.UInt32(width), dbus.UInt32(height), options,
                                         dbus.types.UnixFd(write_end))
    else:
        results = screenshot.CaptureWorkspace(options, dbus.types.UnixFd(write_end))
    os.close(write_end)
    with os.fdopen(read_end, "rb") as pipe:
        data = pipe.read()
    width, height, stride = int(results["width"]), int(results["height"]), int(results["stride"])
    # QImage's 32-bit formats hold a pixel as one 0xAARRGGBB word: B, G, R, A in memory.
    rows = (data[row * stride:row * stride + width * 4] for row in range(height))
    with tempfile.NamedTemporaryFile(suffix=".rgba", delete=False) as raw:
        for row in rows:
            raw.write(row)
    try:
        subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8",
                        f"bgra:{raw.name}", path], check=True)
    finally:
        os.unlink(raw.name)


def main(argv):
    if len(argv) == 4 and argv[1] == "mutter-pointer":
        mutter_pointer(int(argv[2]), int(argv[3]))
    elif len(argv) == 3 and argv[1] == "kwin-script":
        kwin_script(argv[2])
    elif len(argv) in (3, 7) and argv[1] == "kwin-screenshot":
        kwin_screenshot(argv[2], argv[3:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
