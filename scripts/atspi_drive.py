#!/usr/bin/python3
"""Does one whole calculation in the running calculator purely through AT-SPI, as a screen
reader or an automation client would, and prints the text of the print area "输出结果".

Exit status 0 when the coefficient and result lines of the worked example are there."""
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


def answer_prompt(app, text):
    dialog = wait_for("the prompt", lambda: find(app, pyatspi.ROLE_DIALOG))
    field = wait_for("the prompt's text field", lambda: find(dialog, pyatspi.ROLE_TEXT))
    field.queryEditableText().setTextContents(text)
    press(wait_for("the OK button", lambda: find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK")))
    wait_for("the prompt to close", lambda: None if find(app, pyatspi.ROLE_DIALOG) else True)


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

    press(entry)
    wait_for("温度 to become usable", lambda: True if sensitive(temperature) else None)
    press(temperature)
    answer_prompt(app, "150")
    wait_for("长度 to become usable", lambda: True if sensitive(length) else None)
    press(length)
    answer_prompt(app, "1000")
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

    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "清空"))
    wait_for("the print area to be cleared", lambda: True if text_of() == "" else None)
    wait_for("the clearing to be announced",
             lambda: True if ("delete", text) in announced else None)
    print("atspi: the calculation read back through the accessibility interface")


if __name__ == "__main__":
    main()
