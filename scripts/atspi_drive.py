#!/usr/bin/python3
"""Does one whole calculation in the running calculator purely through AT-SPI, as a screen
reader or an automation client would, and prints the text of the print area "输出结果".

Exit status 0 when the coefficient and result lines of the worked example are there."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

EXPECTED = [
    "  150摄氏度时材料的膨胀系数为:  11.85mm/mm.C",
    "  材料的膨胀量为: 1.5405mm",
]
DEADLINE_SECONDS = 20


def fail(message):
    print(f"atspi: {message}", file=sys.stderr)
    sys.exit(1)


# Text changes announced on the bus: ("insert" | "delete", text).
announced = []


def on_text_changed(event):
    announced.append((event.type.minor, event.any_data))


def pump_events():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe):
    end = time.monotonic() + DEADLINE_SECONDS
    while time.monotonic() < end:
        pump_events()
        found = probe()
        if found is not None:
            return found
        time.sleep(0.1)
    fail(f"gave up waiting for {what}; announced: {announced!r}")


def walk(root):
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        yield node
        try:
            stack.extend(reversed([node.getChildAtIndex(i) for i in range(node.childCount)]))
        except Exception:  # a node that went away while we looked
            pass


def find(root, role, name=None):
    for node in walk(root):
        try:
            if node.getRole() == role and (name is None or node.name == name):
                return node
        except Exception:
            pass
    return None


def press(node, name="Press"):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    index = next((i for i, n in enumerate(names) if n.lower() == name.lower()), None)
    if index is None:
        fail(f"{node.name!r} has no {name} action, only {names}")
    action.doAction(index)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and find(app, pyatspi.ROLE_TEXT, "输出结果") is not None:
            return app
    return None


def sensitive(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def refused(node):
    """True when the node's first action, asked for, reports failure (or none is offered)."""
    try:
        return not node.queryAction().doAction(0)
    except Exception:  # the bridge answers an action it does not offer with an error
        return True


def check_list_entries(combo):
    """Closed, the entries are not showing and have no extents; open, each has its own row."""
    entries = [n for n in walk(combo) if n.getRole() == pyatspi.ROLE_LIST_ITEM]
    if len(entries) != 8:
        fail(f"Combo1 has {len(entries)} entries")
    for entry in entries:
        if showing(entry) or extents(entry)[2:] != (0, 0):
            fail(f"the closed list's entry {entry.name!r} claims to be on the screen")
    press(combo, "ShowMenu")
    wait_for("the list to open", lambda: True if showing(entries[-1]) else None)
    rows = [extents(entry) for entry in entries]
    combo_box = extents(combo)
    for entry, row in zip(entries, rows):
        if row[2] <= 0 or row[3] <= 0 or row == combo_box:
            fail(f"the open list's entry {entry.name!r} reports {row}")
    if any(b[1] <= a[1] for a, b in zip(rows, rows[1:])):
        fail(f"the open list's rows are not one below the other: {rows}")
    if rows[0][1] < combo_box[1] + combo_box[3] - 1:
        fail(f"the list does not drop down below the field: {rows[0]} vs {combo_box}")
    press(combo, "ShowMenu")
    wait_for("the list to close", lambda: None if showing(entries[-1]) else True)


def answer_prompt(app, text, refuse=()):
    dialog = wait_for("the prompt", lambda: find(app, pyatspi.ROLE_DIALOG))
    for node in refuse:  # nothing else of the window acts while the prompt is open
        if not refused(node):
            fail(f"{node.name!r} acted while a prompt was open")
    field = wait_for("the prompt's text field", lambda: find(dialog, pyatspi.ROLE_TEXT))
    field.queryEditableText().setTextContents(text)
    if find(dialog, pyatspi.ROLE_PUSH_BUTTON, "取消") is None:
        fail("the prompt has no 取消 button")
    press(wait_for("the 确定 button", lambda: find(dialog, pyatspi.ROLE_PUSH_BUTTON, "确定")))
    wait_for("the prompt to close", lambda: None if find(app, pyatspi.ROLE_DIALOG) else True)


def copy_through_the_menu(window, text):
    """Opens the print area's menu with Shift+F10 on a focused button, finds 复制 in the tree,
    presses it there and reads the clipboard back."""
    clear = find(window, pyatspi.ROLE_PUSH_BUTTON, "清空")
    xid = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "velmarith"], capture_output=True,
                         text=True).stdout.split()
    if not xid:
        fail("the calculator has no X window")
    subprocess.run(["xdotool", "windowfocus", "--sync", xid[-1]], check=False)
    clear.queryComponent().grabFocus()
    wait_for("清空 to take the focus",
             lambda: True if clear.getState().contains(pyatspi.STATE_FOCUSED) else None)
    subprocess.run(["xdotool", "key", "shift+F10"], check=True)
    item = wait_for("复制 in the accessibility tree",
                    lambda: find(window, pyatspi.ROLE_MENU_ITEM, "复制"))
    press(item)
    wait_for("the menu to close",
             lambda: True if find(window, pyatspi.ROLE_MENU_ITEM, "复制") is None else None)
    copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                            text=True, timeout=10).stdout
    if copied != text:
        fail(f"复制 put {copied!r} on the clipboard, not the printed lines {text!r}")


def main():
    app = wait_for("the calculator on the accessibility bus", application)
    # Registered once the calculator is on the bus, so that it hears of the listener.
    pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
    settle = time.monotonic() + 0.5
    while time.monotonic() < settle:
        pump_events()
        time.sleep(0.05)
    window = find(app, pyatspi.ROLE_FRAME, "膨胀量计算")
    if window is None:
        fail("no window named 膨胀量计算")
    combo = find(window, pyatspi.ROLE_COMBO_BOX)
    entry = find(combo, pyatspi.ROLE_LIST_ITEM, "碳钢和低铬钼钢") if combo else None
    if entry is None:
        fail("no list entry 碳钢和低铬钼钢 in Combo1")
    temperature = find(window, pyatspi.ROLE_PUSH_BUTTON, "温度")
    length = find(window, pyatspi.ROLE_PUSH_BUTTON, "长度")
    output = find(window, pyatspi.ROLE_PUSH_BUTTON, "输出")
    if sensitive(temperature) or sensitive(length) or sensitive(output):
        fail("a button is usable before a material was chosen")

    check_list_entries(combo)
    press(entry)
    wait_for("温度 to become usable", lambda: True if sensitive(temperature) else None)
    press(temperature)
    aluminium = find(combo, pyatspi.ROLE_LIST_ITEM, "铝")
    answer_prompt(app, "150", refuse=(temperature, aluminium))
    if combo.name != "碳钢和低铬钼钢":
        fail(f"a list entry's Press under the open prompt changed the material to {combo.name!r}")
    wait_for("长度 to become usable", lambda: True if sensitive(length) else None)
    press(length)
    before = find(window, pyatspi.ROLE_TEXT, "输出结果").queryText().getText(0, -1)
    answer_prompt(app, "1000", refuse=(output, find(window, pyatspi.ROLE_PUSH_BUTTON, "清空")))
    if find(window, pyatspi.ROLE_TEXT, "输出结果").queryText().getText(0, -1) != before:
        fail("a press under the open prompt printed")
    wait_for("输出 to become usable", lambda: True if sensitive(output) else None)
    press(output)

    area = find(window, pyatspi.ROLE_TEXT, "输出结果")
    text_of = lambda: area.queryText().getText(0, -1)
    wait_for("the result line", lambda: True if EXPECTED[1] in text_of().split("\n") else None)
    text = text_of()
    print(text, end="")
    lines = text.split("\n")
    for line in EXPECTED:
        if line not in lines:
            fail(f"missing line {line!r}")
    wait_for("the result line to be announced",
             lambda: True if ("insert", EXPECTED[1] + "\n") in announced else None)

    copy_through_the_menu(window, text)
    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "清空"))
    wait_for("the print area to be cleared", lambda: True if text_of() == "" else None)
    wait_for("the clearing to be announced",
             lambda: True if ("delete", text) in announced else None)
    print("atspi: the calculation read back and copied through the accessibility interface")


if __name__ == "__main__":
    main()
