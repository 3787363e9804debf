#!/usr/bin/python3
"""Reads the running plovan window as a screen reader does, through AT-SPI (pyatspi).

Usage: window_check_accessibility.py COMMAND [ROLE NAME]
  tree              every control of the window and its menus, one a line with its role,
                    name and description; exits 1 when a control has no name, or when one
                    of the window's main controls or menus is not there
  has ROLE NAME     exits 0 when the window shows a control of that role and name
  value ROLE NAME   that control's current value (the slider's threshold)
  describe ROLE NAME  its description (a canvas's picture size)
  press ROLE NAME   does its action, as a screen reader's user does on a button
  text ROLE NAME    its text (the text area's), as UTF-8 on standard output

ROLE is AT-SPI's role name: "push button", "slider", "text", "label", "image", ...
The window is the frame named "Plovan" of the application of that name; each command
waits up to 10 s for it to appear in the accessibility registry.
"""

import sys
import time

import pyatspi

# Roles that only hold other controls; anything else is something a screen reader
# announces, and must have a name.
CONTAINERS = {
    pyatspi.ROLE_FILLER,
    pyatspi.ROLE_PANEL,
    pyatspi.ROLE_SCROLL_PANE,
    pyatspi.ROLE_VIEWPORT,
    pyatspi.ROLE_SEPARATOR,
    pyatspi.ROLE_REDUNDANT_OBJECT,
}

# Roles of the menus and what is in them: there to be read while the menus are closed.
MENU_ROLES = {pyatspi.ROLE_MENU, pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_SEPARATOR,
              pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM}

# What the window must show, by role name and name.
EXPECTED = [
    ("frame", "Plovan"),
    ("image", "Imported Image"),
    ("image", "Processed Image"),
    ("push button", "Load Image"),
    ("push button", "Refresh"),
    ("push button", "Create"),
    ("slider", "Threshold"),
    ("check box", "Reverse Image"),
    ("text", "Image Data"),
    ("label", "Threshold"),
    ("label", "Imported Image"),
    ("label", "Processed Image"),
    ("label", "Image Data"),
    ("menu bar", "Menu Bar"),
    ("popup menu", "File"),
    ("popup menu", "Edit"),
    ("popup menu", "Image"),
    ("popup menu", "Help"),
    ("menu item", "Load Image…"),
    ("menu item", "Open Recent"),
    ("menu item", "About Plovan"),
    ("menu item", "About Qt"),
]


def window():
    """The frame named Plovan, waiting up to 10 s for it."""
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or (app.name or "").lower() != "plovan":
                continue
            for frame in app:
                if frame is not None and frame.name == "Plovan":
                    return frame
        time.sleep(0.1)
    sys.exit("FAIL: no window named Plovan in the accessibility registry within 10 s")


def walk(node, depth=0):
    """Every accessible under node with its depth, depth first; hidden controls are left
    out, but not the menus and their items, which are hidden until opened."""
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if child.getRole() not in MENU_ROLES and not child.getState().contains(pyatspi.STATE_VISIBLE):
            continue
        yield from walk(child, depth + 1)


def find(role, name):
    for node, _ in walk(window()):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def found(role, name):
    node = find(role, name)
    if node is None:
        sys.exit(f"FAIL: no {role} named {name!r} in the window")
    return node


def tree():
    faults = []
    seen = set()
    count = 0
    for node, depth in walk(window()):
        role = node.getRoleName()
        line = f"{'  ' * depth}{role}: {node.name!r}"
        if node.description:
            line += f" ({node.description})"
        print(line)
        count += 1
        seen.add((role, node.name))
        if node.getRole() in (pyatspi.ROLE_INVALID, pyatspi.ROLE_UNKNOWN):
            faults.append(f"no role: {node.name!r} at depth {depth}")
        elif node.getRole() not in CONTAINERS and not (node.name or "").strip():
            faults.append(f"no name: a {role} at depth {depth}, in {node.parent.getRoleName()} {node.parent.name!r}")
    for role, name in EXPECTED:
        if (role, name) not in seen:
            faults.append(f"not there: {role} {name!r}")
    for fault in faults:
        print("FAIL:", fault, file=sys.stderr)
    print(f"{count} accessibles read, {len(faults)} faults", file=sys.stderr)
    return 1 if faults else 0


def main():
    if len(sys.argv) == 2 and sys.argv[1] == "tree":
        return tree()
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    command, role, name = sys.argv[1:]
    if command == "has":
        return 0 if find(role, name) is not None else 1
    node = found(role, name)
    if command == "value":
        print(int(node.queryValue().currentValue))
    elif command == "describe":
        print(node.description)
    elif command == "press":
        node.queryAction().doAction(0)
    elif command == "text":
        text = node.queryText()
        sys.stdout.buffer.write(text.getText(0, text.characterCount).encode("utf-8"))
    else:
        sys.exit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main())
