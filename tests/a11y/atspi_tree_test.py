#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What a Linux screen reader hears: the calculator read through AT-SPI.

Run inside a private X server and D-Bus session (xvfb-run, dbus-run-session), given the program.
Checks that every edit field, popup and button of the shown page has a name of its own (never a
popup's row or a group's caption), that the three tabs are page tabs named after the line types,
and that the message of a failing calculation can be read.
"""
import os
import subprocess
import sys
import time

import pyatspi

TIMEOUT_S = 20


def wait_for(find, what):
    deadline = time.monotonic() + TIMEOUT_S
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: no {what} within {TIMEOUT_S} s")


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def by_role(root, role):
    return [n for n in descendants(root) if n.getRole() == role]


def find_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "MacQuelvor":
            return app
    return None


def check_names(app, failures):
    frame = wait_for(lambda: by_role(app, pyatspi.ROLE_FRAME), "calculator window")[0]
    rows = {item.name for item in by_role(frame, pyatspi.ROLE_LIST_ITEM)}
    groups = {panel.name for panel in by_role(frame, pyatspi.ROLE_PANEL) if panel.name}
    controls = [n for n in descendants(frame) if showing(n) and n.getRole() in
                (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PUSH_BUTTON)]
    if len(controls) < 13:
        failures.append(f"only {len(controls)} fields, popups and buttons showing")
    for control in controls:
        if not control.name or control.name in rows or control.name in groups:
            failures.append(f"{control.getRoleName()} named {control.name!r}")
    popups = sorted(p.name for p in controls if p.getRole() == pyatspi.ROLE_COMBO_BOX)
    if popups != ["Conductor", "Dielectric"]:
        failures.append(f"popups named {popups}")
    tabs = [tab.name for tab in by_role(frame, pyatspi.ROLE_PAGE_TAB)]
    if tabs != ["Microstrip", "Stripline", "Coaxial"]:
        failures.append(f"page tabs {tabs}")
    return frame


def named(frame, role, name):
    found = [n for n in descendants(frame) if n.getRole() == role and n.name == name and showing(n)]
    if not found:
        sys.exit(f"FAIL: no showing {role} named {name!r}")
    return found[0]


def press(button):
    actions = button.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == "Press":
            actions.doAction(i)
            return
    sys.exit(f"FAIL: {button.name!r} cannot be pressed")


def check_failure_message(app, frame, failures):
    height = named(frame, pyatspi.ROLE_TEXT, "Height (mm)")
    height.queryEditableText().setTextContents("0")
    press(named(frame, pyatspi.ROLE_PUSH_BUTTON, "Physical to electrical (analysis)"))
    message = "Height must be greater than zero."

    def message_shown():
        texts = []
        for node in descendants(app):
            texts.append(node.name)
            try:
                texts.append(node.queryText().getText(0, -1))
            except NotImplementedError:
                pass
        return message in texts

    if not wait_for(lambda: message_shown() or None, "readable message"):
        failures.append("the message cannot be read")


def main():
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=environment)
    failures = []
    try:
        app = wait_for(find_app, "MacQuelvor on the accessibility bus")
        frame = check_names(app, failures)
        check_failure_message(app, frame, failures)
    finally:
        program.kill()
        program.wait()
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        sys.exit(1)
    print("PASS: names, page tabs and the failure message read through AT-SPI")


main()
