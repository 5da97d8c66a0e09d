#!/usr/bin/python3
"""Reads the program's windows as a screen reader does, through the AT-SPI bus.

  read_window.py windows               one line per showing top-level window: role, name
  read_window.py text TITLE X Y        the text of the control at a client point of the window
  read_window.py enabled TITLE X Y     "enabled" or "disabled" for that control

TITLE is a regular expression for the window's name; X and Y are client pixels. The control
at a point is the smallest showing one whose extents hold it; where there is none, both print
an empty line.
"""
import re
import sys

import pyatspi

PROGRAM = "sight-trainer"


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        application = desktop.getChildAtIndex(index)
        if application is not None and application.name == PROGRAM:
            return application
    sys.exit(f"{PROGRAM} is not on the accessibility bus")


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def window(title):
    pattern = re.compile(title)
    application = program()
    for index in range(application.childCount):
        candidate = application.getChildAtIndex(index)
        if candidate is not None and showing(candidate) and pattern.search(candidate.name):
            return candidate
    sys.exit(f"no showing window named /{title}/")


def control_at(top, x, y):
    # Screen coordinates: Qt 6.4 reports the sizes of window coordinates wrong.
    origin = top.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = origin.x + x, origin.y + y
    best, best_area = None, None
    pending = [top.getChildAtIndex(i) for i in range(top.childCount)]
    while pending:
        accessible = pending.pop()
        if accessible is None or not showing(accessible):
            continue
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if box.x <= x < box.x + box.width and box.y <= y < box.y + box.height:
            area = box.width * box.height
            if best_area is None or area < best_area:
                best, best_area = accessible, area
        pending.extend(accessible.getChildAtIndex(i) for i in range(accessible.childCount))
    return best


def main(argv):
    if argv[1:] == ["windows"]:
        application = program()
        for index in range(application.childCount):
            top = application.getChildAtIndex(index)
            if top is not None and showing(top):
                print(f"{top.getRoleName()}\t{top.name}")
        return
    command, title, x, y = argv[1:]
    control = control_at(window(title), int(x), int(y))
    if control is None:
        print("")
    elif command == "text":
        print(control.name)
    elif command == "enabled":
        sensitive = control.getState().contains(pyatspi.STATE_SENSITIVE)
        print("enabled" if sensitive else "disabled")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
