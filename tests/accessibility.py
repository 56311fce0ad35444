#!/usr/bin/env python3
"""Reads the program's windows through the accessibility bus, as a screen reader does.

accessibility.py <accessible_windows> [--expect-nameless]

Run inside a session bus on an X display (dbus-run-session under xvfb-run). Starts
the accessibility bus, then the program that opens every window, and walks each
window's tree: every control that takes the focus must have a name. The
conclusion text and the urgent message box must read «СРОЧНО». With
--expect-nameless the walk must find the control left nameless on purpose
(and nothing else), which shows that the walk would catch one.
"""
import os
import subprocess
import sys
import time

# Containers whose items are data, not controls; their first item is checked only.
ITEM_CONTAINERS = {"table", "tree table", "tree", "list", "list box", "menu bar", "menu"}
EXPECTED_WINDOWS = ["Тессора Про", "Почему?", "Дневник обследований"]


def wait_for(what, probe, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.3)
    sys.exit(f"not found in {seconds} s: {what}")


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # a window closed while it was read
        return []


def walk(node, trail, nameless, texts):
    import pyatspi

    role = node.getRoleName()
    name = (node.name or "").strip()
    here = f"{trail} / {role} «{name}»"
    if node.getState().contains(pyatspi.STATE_FOCUSABLE) and not name:
        nameless.append(here)
    texts.append((role, name, node.description or "", node))
    if role in ITEM_CONTAINERS:
        items = children(node)
        if items and role not in ("menu bar", "menu") and not any((item.name or "").strip() for item in items[:8]):
            nameless.append(here + " (items without names)")
        return
    for child in children(node):
        walk(child, here, nameless, texts)


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def main():
    program = sys.argv[1]
    expect_nameless = "--expect-nameless" in sys.argv[2:]
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    try:
        return read_program(program, expect_nameless)
    finally:
        bus.terminate()


def read_program(program, expect_nameless):
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                       QT_QPA_PLATFORM="xcb")
    if expect_nameless:
        environment["TESSORA_NAMELESS_CONTROL"] = "1"
    shown = subprocess.Popen([program], env=environment, stdout=subprocess.PIPE, text=True)
    try:
        if shown.stdout.readline().strip() != "ready":
            sys.exit("the windows did not open")
        return check(expect_nameless)
    finally:
        shown.kill()


def check(expect_nameless):
    import pyatspi

    desktop = pyatspi.Registry.getDesktop(0)
    application = wait_for("the program on the bus", lambda: next(
        (app for app in children(desktop) if app and app.name == "accessible_windows"), None))
    windows = wait_for("its windows", lambda: [w for w in children(application)]
                       if len(children(application)) >= 8 else None)
    nameless, texts = [], []
    for window in windows:
        walk(window, window.name, nameless, texts)

    problems = []
    titles = [window.name for window in windows]
    problems += [f"no window «{title}» among {titles}" for title in EXPECTED_WINDOWS
                 if not any(title in t for t in titles)]
    conclusion = [node for role, name, _, node in texts if name == "Заключение" and role == "text"]
    if not conclusion or "СРОЧНО" not in text_of(conclusion[0]):
        problems.append("the conclusion text does not read «СРОЧНО»")
    if not any(role == "alert" and "СРОЧНО" in description for role, _, description, _ in texts):
        problems.append("no message box announces the urgent notice")
    if not any("Ждём" in description for _, _, description, _ in texts):
        problems.append("the busy box does not say what it waits for")
    charts = [description for role, name, description, _ in texts if name == "Пульс" and description]
    if not charts:
        problems.append("the pulse chart has no text alternative")

    for problem in problems:
        print("FAIL:", problem)
    if expect_nameless:
        planted = [entry for entry in nameless if entry.startswith("Тессора Про") and entry.endswith("«»")]
        print("nameless controls found:", *nameless, sep="\n  ")
        return 0 if planted and len(planted) == len(nameless) and not problems else 1
    for entry in nameless:
        print("FAIL: a control without a name:", entry)
    print(f"{len(texts)} accessible objects in {len(windows)} windows read")
    return 1 if nameless or problems else 0


if __name__ == "__main__":
    sys.exit(main())
