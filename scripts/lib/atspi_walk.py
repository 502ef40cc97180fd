#!/usr/bin/python3
"""The Qt program as a screen reader meets it, over the accessibility bus (AT-SPI).

Run by scripts/test-accessibility once the program is up on a virtual display with the About box
showing, in a folder holding IMG_0001.JPG to IMG_0006.JPG and "Pic 3.JPG". Drives the program
with keys only (xdotool) and checks the roles, names, focus and selection events a screen reader
reads. Prints each check and what it saw; exits 1 if any failed, 2 if the program could not be
driven to the next window.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WAIT = 10  # seconds a window or a focus change may take
FILE_LIST = "Files found meeting search criteria.  Select all files you want to rename."
ROW_ROLES = ("list item", "table cell", "tree item")
failures = []
checked = 0


class Stuck(Exception):
    """The program did not get where the keys should have taken it."""


def pump(seconds):
    """Lets the bus deliver what arrived, for `seconds`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(what, find):
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump(0.1)
    raise Stuck(f"{what}: not there after {WAIT} s")


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        pump(0.15)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
    pump(0.2)


def check(ok, what):
    global checked
    checked += 1
    print(f"  {'ok' if ok else 'FAILED'}: {what}")
    if not ok:
        failures.append(what)


def has(obj, state):
    return obj.getState().contains(state)


def children(obj):
    return [obj.getChildAtIndex(i) for i in range(obj.childCount)]


def labels(obj):
    """The names of what `obj` is labelled by."""
    return [r.getTarget(i).name for r in obj.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(r.getNTargets())]


def describe(obj):
    by = labels(obj)
    return f"{obj.getRoleName()} '{obj.name}'" + (f" labelled by {by}" if by else "")


def showing(obj):
    """`obj` and everything shown below it (nothing of a closed drop-down list)."""
    yield obj
    for child in children(obj):
        if has(child, pyatspi.STATE_SHOWING):
            yield from showing(child)


def find(window, role, name):
    for obj in showing(window):
        if obj.getRoleName() == role and obj.name.startswith(name):
            return obj
    return None


def control(window, role, name):
    return wait_for(f"a {role} '{name}'", lambda: find(window, role, name))


def top_window(name, other_than=None):
    """The window called `name` on show, once there is one (and not `other_than`)."""
    def look():
        for app in children(pyatspi.Registry.getDesktop(0)):
            for window in children(app):
                if (window.name == name and window != other_than
                        and has(window, pyatspi.STATE_SHOWING)):
                    return window
        return None
    return wait_for(f"a window '{name}'", look)


def every_control_named(window, what, roles):
    """The window's role is one of `roles`; every focusable control on show has a name or a
    label. Rows are summed up by their role."""
    controls = [o for o in showing(window) if o is not window and has(o, pyatspi.STATE_FOCUSABLE)]
    print(f"{what}: {window.getRoleName()} '{window.name}', {len(controls)} focusable controls")
    check(window.getRoleName() in roles,
          f"the window's role is {' or '.join(roles)} (it is {window.getRoleName()})")
    rows = {}
    for obj in controls:
        if obj.getRoleName() in ROW_ROLES:
            rows.setdefault(f"{obj.getRoleName()}s of {obj.parent.getRoleName()} "
                            f"'{obj.parent.name}'", []).append(obj.name)
        else:
            print(f"    {describe(obj)}")
    for whose, names in rows.items():
        print(f"    {len(names)} {whose}: '{names[0]}' .. '{names[-1]}'")
    unnamed = [describe(o) for o in controls if not o.name and not labels(o)]
    check(bool(controls) and not unnamed,
          f"every focusable control named or labelled (unnamed: {unnamed})")


def tab_to(control):
    for _ in range(30):
        if has(control, pyatspi.STATE_FOCUSED):
            return
        key("Tab")
    raise Stuck(f"Tab never reached {describe(control)}")


class Events:
    """The events of `kinds` that come while it listens: (type, on, under, detail1)."""

    def __init__(self, *kinds):
        self.kinds, self.seen = kinds, []
        for kind in kinds:
            pyatspi.Registry.registerEventListener(self.add, kind)

    def add(self, event):
        parent = event.source.parent
        self.seen.append((event.type, event.source.name, parent.name if parent else "",
                          event.detail1))

    def stop(self):
        pump(0.5)
        for kind in self.kinds:
            pyatspi.Registry.deregisterEventListener(self.add, kind)
        return self.seen


def about_box():
    about = top_window("Quillmote Utility")
    every_control_named(about, "About box", ["dialog"])
    key("Return")  # Continue
    return about


def main_window(about):
    main = top_window("Quillmote Utility", other_than=about)
    every_control_named(main, "Main window", ["frame", "window"])
    files = control(main, "list", FILE_LIST)
    rows = [row.name for row in children(files)]
    print(f"Selecting a range: Shift+End from the first of {rows}")
    tab_to(files)
    key("Home")
    events = Events("object:state-changed:selected")
    key("shift+End")
    told = [(on, on_or_off) for _, on, under, on_or_off in events.stop() if under == files.name]
    print(f"    told (row, selected): {told}")
    # The first was selected by Home; each row the range added is told.
    check(set(rows[1:]) <= {on for on, selected in told if selected},
          "every row the range added told selected")
    check(all(has(row, pyatspi.STATE_SELECTED) for row in children(files)),
          "every row of the range reads as selected")

    key("Home", *["shift+Down"] * 5)  # the six IMG_ files, "Pic 3.JPG" being the last row
    tab_to(control(main, "text", "Replace This:"))
    type_text("IMG_000")
    tab_to(control(main, "text", "With This:"))
    type_text("Pic ")
    key("Return")  # Preview
    return main


def preview():
    window = top_window("Quillmote Preview Window")
    every_control_named(window, "Preview", ["dialog"])
    lists = {name: find(window, "list", name) for name in ("Original Filenames", "New Filenames")}
    for name, found in lists.items():
        check(found is not None and found.name == name, f"a list named '{name}'")
    if None in lists.values():
        return
    new_rows = [row.name for row in children(lists["New Filenames"])]
    print(f"    new names as read: {new_rows}")
    marked = [name for name in new_rows if "already exists" in name]
    check(len(marked) == 1 and marked[0].startswith("Pic 3.JPG"),
          "the taken name's row reads its warning")

    for name, other in (("Original Filenames", "New Filenames"),
                        ("New Filenames", "Original Filenames")):
        tab_to(lists[name])
        events = Events("object:state-changed:focused", "focus:")
        key("Down", "Down", "Down")
        told = [(on, under) for kind, on, under, gained in events.stop()
                if gained or kind.startswith("focus")]
        print(f"Arrowing down '{name}': focus on {told}")
        check(any(under == name for _, under in told), f"focus events for the rows of '{name}'")
        check(not any(under == other for _, under in told), f"none for the rows of '{other}'")
    key("Escape")  # Cancel
    wait_for("the preview gone", lambda: not has(window, pyatspi.STATE_SHOWING))


def leave(main):
    # There is no window manager to give the keyboard back to the main window when the preview
    # goes: done here as one would.
    if not has(main, pyatspi.STATE_ACTIVE):
        print("Giving the keyboard back to the main window (no window manager here)")
        subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quillmote Utility$",
                        "windowfocus", "--sync"], check=True)
    wait_for("the main window active", lambda: has(main, pyatspi.STATE_ACTIVE))
    key("alt+x")  # Exit


def main():
    try:
        main = main_window(about_box())
        preview()
        leave(main)
    except Stuck as stuck:
        print(f"FAILED: {stuck}")
        return 2
    if failures:
        print(f"{len(failures)} of {checked} checks FAILED: " + "; ".join(failures))
        return 1
    print(f"accessibility: {checked} checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
