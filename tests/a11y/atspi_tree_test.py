#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What a Linux screen reader hears: the calculator read through AT-SPI, run inside a private X
server and D-Bus session (xvfb-run, dbus-run-session) with the program as its argument."""
import os
import subprocess
import sys
import time

import pyatspi

ROLES = (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PUSH_BUTTON)


def wait_for(find, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: no {what} within {seconds} s")


def descendants(node):
    for child in filter(None, node):
        yield child
        yield from descendants(child)


def named(root, role, name=None):
    return [n for n in descendants(root) if n.getRole() == role and name in (None, n.name)
            and n.getState().contains(pyatspi.STATE_SHOWING)]


def readable_texts(root):
    for node in descendants(root):
        yield node.name
        try:
            yield node.queryText().getText(0, -1)
        except NotImplementedError:
            pass


def main():
    pyatspi.Registry.getDesktop(0)  # the accessibility bus is up before the program asks for it
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=environment)
    failures = []
    try:
        app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                     if a is not None and a.name == "MacQuelvor"), None), "app")
        frame = wait_for(lambda: named(app, pyatspi.ROLE_FRAME), "calculator window")[0]
        # Every field, popup and button of the shown page says what it is: never a popup's row
        # ("Air") or a group's caption ("Material Parameters").
        rows = {item.name for item in descendants(frame) if item.getRole() == pyatspi.ROLE_LIST_ITEM}
        groups = {panel.name for panel in named(frame, pyatspi.ROLE_PANEL)}
        controls = [n for role in ROLES for n in named(frame, role)]
        failures += [f"{c.getRoleName()} named {c.name!r}" for c in controls
                     if not c.name or c.name in rows | groups]
        if len(controls) != 15 or [c.name for c in named(frame, pyatspi.ROLE_COMBO_BOX)] != [
                "Dielectric", "Conductor"]:
            failures.append(f"controls seen: {[c.name for c in controls]}")
        tabs = [tab.name for tab in descendants(frame) if tab.getRole() == pyatspi.ROLE_PAGE_TAB]
        if tabs != ["Microstrip", "Stripline", "Coaxial"]:
            failures.append(f"page tabs {tabs}")
        # After a failing calculation the message can be read.
        named(frame, pyatspi.ROLE_TEXT, "Height (mm)")[0].queryEditableText().setTextContents("0")
        button = named(frame, pyatspi.ROLE_PUSH_BUTTON, "Physical to electrical (analysis)")[0]
        button.queryAction().doAction(0)
        wait_for(lambda: "Height must be greater than zero." in readable_texts(app), "message")
    finally:
        program.kill()
        program.wait()
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


main()
