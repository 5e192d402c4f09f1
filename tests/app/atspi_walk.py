#!/usr/bin/env python3
"""The desktop program as a screen reader sees it, through the AT-SPI bus: every enabled,
focusable control of the main window and of the day editor, time entry, preferences, Find and
an odd/even dialog has a name; arrows in the month grid move a focus that names the day; Delete
removes a mark and restores it. Keys are pressed with xdotool. Exits 0 when all hold, 1 with
the faults listed, 77 when the program never appears on the bus."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

faults = []
focused = []


def fail(text):
    print("FAIL: " + text)
    faults.append(text)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "80"] + list(keys), check=False)
    pump(0.6)


def application():
    names = []
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        names = [app.name for app in desktop if app is not None]
        for app in desktop:
            if app is not None and app.name in ("custodex-calendar", "Custodex Calendar"):
                return app
        time.sleep(0.2)
    print("applications on the bus: %s" % names)
    return None


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        states = node.getState()
    except Exception:
        return
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    if (states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_ENABLED)
            and not node.name.strip()):
        found.append("%s (%s)" % (node.getRoleName(), node.description or "no description"))
    for child in node:
        walk(child, found, depth + 1)


def window(app, starts):
    for _ in range(50):
        for frame in app:
            if frame is not None and frame.name.startswith(starts) and \
                    frame.getState().contains(pyatspi.STATE_SHOWING):
                return frame
        pump(0.2)
    return None


def check_names(app, starts, what):
    frame = window(app, starts)
    if frame is None:
        fail("%s: no window named %r on the bus (windows: %s)" % (
            what, starts, [(f.name, f.getState().contains(pyatspi.STATE_SHOWING)) for f in app]))
        return
    unnamed = []
    walk(frame, unnamed)
    if unnamed:
        fail("%s: %d unnamed controls: %s" % (what, len(unnamed), ", ".join(unnamed)))
    else:
        print("%s: every focusable control has a name" % what)


def gone(app, starts, back_to="^Calendar File="):
    for _ in range(50):
        if not any(frame is not None and frame.name.startswith(starts) and
                   frame.getState().contains(pyatspi.STATE_SHOWING) for frame in app):
            break
        pump(0.2)
    # No window manager gives the keyboard back to the main window when a dialog closes.
    subprocess.run(["xdotool", "search", "--name", back_to, "windowfocus", "--sync"],
                   check=False)
    pump(0.5)


def find_role(node, role, depth=0):
    if node is None or depth > 40:
        return None
    if node.getRole() == role:
        return node
    for child in node:
        hit = find_role(child, role, depth + 1)
        if hit is not None:
            return hit
    return None


def on_focus(event):
    if event.detail1 == 1 and event.source is not None:
        focused.append(event.source.name)


def main():
    app = application()
    if app is None:
        print("SKIP: the program did not appear on the accessibility bus")
        return 77
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    main_window = window(app, "Calendar File=")
    if main_window is None:
        fail("the main window is not on the bus")
        return 1
    check_names(app, "Calendar File=", "main window")

    table = find_role(main_window, pyatspi.ROLE_TABLE)
    if table is None:
        fail("the month grid is not a table")
        return 1
    table.queryComponent().grabFocus()
    pump(1)
    del focused[:]
    key("Right", "Down", "Left")
    days = [name for name in focused if ", 20" in name]
    print("focus events in the grid: %s" % days)
    if len(days) < 3:
        fail("arrows in the grid gave %d focus events naming a day: %s" % (len(days), focused))

    # The day editor marks the day (Enter is its OK); Delete removes the mark and, pressed
    # again, restores it.
    key("Return")
    check_names(app, "Entering", "day editor")
    key("Return")
    gone(app, "Entering")
    marked = table_focus(table)
    key("Delete")
    removed = table_focus(table)
    key("Delete")
    restored = table_focus(table)
    print("marked: %r; after Delete: %r; after Delete again: %r" % (marked, removed, restored))
    if "not marked" in marked or "not marked" not in removed or "not marked" in restored:
        fail("Delete did not remove and restore the mark")

    # The time entry, from the pickup field of the day editor.
    # The same dialog, reused for a marked day, is renamed on the bus too.
    key("Return")
    if window(app, "Modifying") is None:
        fail("the day editor reused for a marked day kept its old title on the bus")
    key("alt+p", "Return")
    check_names(app, "Enter Time", "time entry")
    key("Escape")
    gone(app, "Enter Time", "^Modifying")
    key("Escape")
    gone(app, "Modifying")

    key("ctrl+f")
    check_names(app, "Find Text String", "find")
    key("Escape")
    gone(app, "Find Text String")
    key("alt+r")
    check_names(app, "Preferences", "preferences")
    key("Escape")
    gone(app, "Preferences")
    odd_even(app, main_window)
    return 1 if faults else 0


def table_focus(table):
    for cell in table:
        if cell is not None and cell.getState().contains(pyatspi.STATE_FOCUSED):
            return cell.name
    return ""


def odd_even(app, main_window):
    bar = find_role(main_window, pyatspi.ROLE_MENU_BAR)
    item = None

    def search(node, depth=0):
        nonlocal item
        if node is None or depth > 8 or item is not None:
            return
        if node.getRole() in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU) and \
                node.name.startswith("Apply/Remove Odd/Even/All"):
            item = node
            return
        for child in node:
            search(child, depth + 1)

    search(bar)
    if item is None:
        fail("odd/even dialog: its menu item is not on the bus")
        return
    # The dialog is modal: the action's reply comes only when it closes.
    pyatspi.Atspi.set_timeout(1000, -1)
    try:
        item.queryAction().doAction(0)
    except GLib.GError:
        pass
    pump(2)
    frame = None
    for candidate in app:
        if candidate is not None and candidate.getState().contains(pyatspi.STATE_ACTIVE) and \
                not candidate.name.startswith("Calendar File="):
            frame = candidate
    if frame is None:
        fail("odd/even dialog: not shown")
        return
    check_names(app, frame.name, "odd/even dialog (%s)" % frame.name)
    key("Escape")


if __name__ == "__main__":
    sys.exit(main())
