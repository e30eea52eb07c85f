#!/usr/bin/python3
"""The page in a real browser: headless Chromium opens build-web/dist/velmarith.html from disk
and plays whole scripted uses of the window, comparing every printed line, every button's
state and every prompt after every event with the core's ScriptedRuntime on the same script
(tests/core/SessionReplay.cpp); checks the font's metrics and the colours in the page, that
the page fetched nothing from the network, that served from localhost it installs as an app
and then starts with the server gone, and saves screenshots at 1280 x 800 and 390 x 844.

Usage: browser_test.py PAGE SESSION_REPLAY OUTPUT_DIR"""
import functools
import http.server
import json
import pathlib
import threading
import random
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

FAILURES = []


def check(what, ok, detail=""):
    if not ok:
        FAILURES.append(f"{what}: {detail}")
        print(f"FAILED: {what}: {detail}", file=sys.stderr)


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--no-first-run", "--disable-default-apps",
                 "--disable-extensions", "--lang=zh-CN", "--window-size=1280,800",
                 "--allow-file-access-from-files", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    try:
        return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    except Exception as error:
        sys.exit(f"browser: headless Chromium did not start ({error}); it needs the packages "
                 "chromium and chromium-driver, and the name localhost (/etc/hosts)")


def wait(driver, script, what, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if driver.execute_script(script):
            return
        time.sleep(0.01)
    raise AssertionError(f"gave up waiting for {what}")


def open_page(driver, url):
    driver.get(url)
    wait(driver, "return document.documentElement.dataset.ready === '1'", "the page to start")


STATE = """
return {
  lines: Array.from(document.getElementById('PrintArea').children, e => e.textContent),
  enabled: [2, 3, 4, 5].map(n => !document.getElementById('Command' + n).disabled),
};"""


def choose(driver, position):
    """Chooses an entry as a user does: the drop-down button, then the entry in the list."""
    driver.find_element(By.ID, "Combo1Drop").click()
    wait(driver, "return !document.getElementById('Combo1List').hidden", "the list to open")
    driver.find_elements(By.CSS_SELECTOR, "#Combo1List [role=option]")[position].click()


def tap(driver, selector):
    box = driver.execute_script("const r = document.querySelector(arguments[0])"
                                ".getBoundingClientRect(); return [r.x + r.width / 2, "
                                "r.y + r.height / 2]", selector)
    point = [{"x": box[0], "y": box[1]}]
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def play(driver, script):
    """Plays a script in the page; the state after each event, with the prompts it opened."""
    events = []
    for line in script:
        kind, _, argument = line.partition(" ")
        if kind in ("answer", "cancel"):
            events[-1][2].append(None if kind == "cancel" else argument)
        else:
            events.append((kind, argument, []))
    states = []
    for kind, argument, answers in events:
        if kind == "choose":
            choose(driver, int(argument))
        elif kind == "type":
            driver.find_element(By.ID, "Combo1").send_keys(argument)
        elif kind == "key":
            driver.find_element(By.ID, "Combo1").send_keys(
                Keys.ARROW_DOWN if argument == "down" else Keys.ARROW_UP)
        elif kind == "press":
            driver.find_element(By.ID, "Command" + argument).click()
        elif kind == "label":
            driver.find_element(By.ID, "Label1").click()
        prompts = []
        while True:
            wait(driver, "return document.documentElement.dataset.busy !== '1' || "
                         "!document.getElementById('PromptOverlay').hidden", "the event to end")
            if driver.execute_script("return document.getElementById('PromptOverlay').hidden"):
                break
            prompts.append(driver.find_element(By.ID, "PromptLabel").text)
            # Nothing else acts while the prompt is open.
            before = driver.execute_script(STATE)
            driver.execute_script("document.getElementById('Command5').click();"
                                  "document.getElementById('Label1').click();")
            check("the page under an open prompt", driver.execute_script(STATE) == before)
            answer = answers.pop(0) if answers else None
            field = driver.find_element(By.ID, "PromptText")
            if answer is None:
                field.send_keys(Keys.ESCAPE)
            else:
                field.send_keys(answer)
                field.send_keys(Keys.ENTER)
        state = driver.execute_script(STATE)
        state["prompts"] = prompts
        states.append(state)
    return states


def oracle(replay, script):
    out = subprocess.run([replay], input="\n".join(script) + "\n", capture_output=True,
                         text=True, check=True).stdout
    return [json.loads(line) for line in out.splitlines()]


def scripts():
    worked = ["choose 0", "press 2", "answer 150", "press 3", "answer 1000", "press 4"]
    yield "worked example", worked
    yield "re-prompts and a second miss", [
        "choose 5", "press 2", "answer 900", "answer 350", "press 3", "answer 2.5", "press 4",
        "answer 350", "press 4", "answer 250"]
    yield "Cancel and garbage answers change nothing", [
        "choose 1", "press 2", "cancel", "press 2", "answer abc", "press 2", "answer 12x",
        "press 2", "answer ", "press 2", "answer 100", "press 3", "cancel", "press 3",
        "answer 1,5", "press 3", "answer 1.5", "press 4"]
    yield "full-width digits", [
        "choose 2", "press 2", "answer \uff11\uff15\uff10", "press 3",
        "answer \uff11\uff10\uff10\uff10\uff0e\uff15", "press 4"]
    yield "label, clearing and a new material between presses", worked + [
        "label", "press 5", "press 4", "choose 6", "press 4", "answer 100", "choose 7",
        "press 4", "press 2", "answer -201", "answer 700", "press 4", "press 5", "label"]
    yield "presses before anything is usable", [
        "press 4", "press 3", "press 2", "label", "press 5", "choose 3", "press 3", "press 2",
        "answer 20.5", "press 4", "press 3", "answer 3.4e38", "press 4"]
    yield "the same entry chosen again, twice and three times", [
        "choose 2", "choose 2", "press 2", "answer 100", "choose 2", "choose 2", "choose 2",
        "press 3", "answer 10", "press 4", "choose 5", "choose 5", "press 4"]
    yield "typing into the list's field selects nothing", worked + [
        "type abc", "press 4", "choose 0", "press 4", "type 碳钢", "press 4", "key down",
        "press 4", "type x", "key up", "press 4"]
    yield "typing before any choice, then the arrows", [
        "type 奥氏体钢", "press 2", "press 4", "key up", "key down", "press 2", "answer 300",
        "press 3", "answer 2000", "press 4", "key down", "key down", "key down", "key down",
        "key down", "key down", "key down", "key down", "press 4", "answer 200", "key up",
        "press 4"]
    rng = random.Random(20261209)
    answers = ["150", "-200", "800", "801", "20", "-100", "1000", "0", "-37.75", "abc", "",
               "3.4e38", "1e-3", "\uff12\uff10\uff10", "700", "99", "300.5", "-0"]
    for n in range(20):
        script = []
        for _ in range(rng.randint(8, 18)):
            kind = rng.choice(["choose", "press", "press", "press", "press", "label", "type",
                               "key"])
            if kind == "choose":
                script.append(f"choose {rng.randrange(8)}")
            elif kind == "type":
                script.append(f"type {rng.choice(['a', '铝', '2', ' '])}")
            elif kind == "key":
                script.append(f"key {rng.choice(['down', 'up'])}")
            elif kind == "press":
                script.append(f"press {rng.choice([2, 3, 4, 5])}")
                for _ in range(rng.choice([0, 1, 1, 2])):
                    script.append(rng.choice(["cancel"] + [f"answer {a}" for a in answers]))
            else:
                script.append("label")
        yield f"random session {n}", script


def check_page(driver):
    metrics = driver.execute_script("""
const probe = (text) => {
  const s = document.createElement('span');
  s.textContent = text;
  s.style.cssText = 'position:absolute;white-space:pre;font:12px/12px VelmarithUI';
  document.getElementById('Window').appendChild(s);
  const w = s.getBoundingClientRect().width; s.remove(); return w;
};
const range = document.createRange();
range.selectNodeContents(document.getElementById('Label1'));
const color = (id) => getComputedStyle(document.getElementById(id)).backgroundColor;
const box = (id) => { const r = document.getElementById(id).getBoundingClientRect();
  return [r.left, r.top, r.width, r.height]; };
return {half: probe('0000000000') / 10, full: probe('钢钢钢钢钢钢钢钢钢钢') / 10,
  label: range.getBoundingClientRect().width, fontOk: document.fonts.check('12px VelmarithUI'),
  window: color('Window'), frame: color('Frame1'), combo: color('Combo1'),
  label1: color('Label1'), boxes: ['Window', 'Frame1', 'Combo1', 'Command2', 'Command3',
  'Command4', 'Command5', 'Label1'].map(box), title: document.title,
  lang: document.documentElement.lang,
  options: document.querySelectorAll('#Combo1List [role=option]').length,
  comboText: document.getElementById('Combo1').value,
  focus: document.activeElement.id};""")
    check("half-width advance", metrics["half"] == 6, metrics["half"])
    check("full-width advance", metrics["full"] == 12, metrics["full"])
    check("Label1's text", metrics["label"] == 126, metrics["label"])
    check("the window's green", metrics["window"] == "rgb(0, 255, 0)", metrics["window"])
    check("Frame1's yellow", metrics["frame"] == "rgb(255, 255, 0)", metrics["frame"])
    check("Combo1's red", metrics["combo"] == "rgb(255, 0, 0)", metrics["combo"])
    check("eight entries", metrics["options"] == 8, metrics["options"])
    check("钢材 at start", metrics["comboText"] == "钢材", metrics["comboText"])
    check("focus on Combo1", metrics["focus"] == "Combo1", metrics["focus"])
    check("lang", metrics["lang"] == "zh-CN", metrics["lang"])
    want = [[0, 0, 477, 341], [304, 16, 137, 313], [328, 40, 97, 20], [328, 88, 81, 30],
            [328, 152, 81, 30], [328, 208, 81, 30], [328, 264, 81, 30], [16, 296, 126, 12]]
    check("the controls' places", metrics["boxes"] == want, metrics["boxes"])


COMBO = """
const field = document.getElementById('Combo1');
return {text: field.value, expanded: field.getAttribute('aria-expanded'),
  open: !document.getElementById('Combo1List').hidden,
  active: field.getAttribute('aria-activedescendant'),
  selected: Array.from(document.querySelectorAll('#Combo1List [aria-selected=true]'), o => o.id),
  lines: document.getElementById('PrintArea').children.length,
  focus: document.activeElement.id};"""


def check_combo(driver, entries):
    """Combo1's field, list and keys, and what screen readers are told of them."""
    state = lambda: driver.execute_script(COMBO)
    field = driver.find_element(By.ID, "Combo1")
    check("the combo box's roles", [field.get_attribute("role"), driver.find_element(
        By.ID, "Combo1List").get_attribute("role")] == ["combobox", "listbox"])
    check("closed at start", state() == {"text": "钢材", "expanded": "false", "open": False,
                                         "active": None, "selected": [], "lines": 0,
                                         "focus": "Combo1"}, state())
    field.send_keys(Keys.ALT, Keys.ARROW_DOWN)
    check("Alt+↓ opens the list, nothing highlighted yet",
          state() | {"lines": 0} == {"text": "钢材", "expanded": "true", "open": True,
                                     "active": None, "selected": [], "lines": 0,
                                     "focus": "Combo1"}, state())
    field.send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ARROW_DOWN)
    check("↓ in the list moves the active entry", state()["active"] == "Combo1Option2", state())
    field.send_keys(Keys.ENTER)
    check("Enter chooses it", state() == {
        "text": entries[2], "expanded": "false", "open": False, "active": None,
        "selected": ["Combo1Option2"], "lines": 3, "focus": "Combo1"}, state())
    field.send_keys(Keys.F4)
    check("F4 opens on the chosen entry", state()["active"] == "Combo1Option2", state())
    field.send_keys(Keys.ESCAPE)
    check("Esc closes without choosing", not state()["open"] and state()["lines"] == 3, state())
    choose(driver, 2)
    wait(driver, "return document.getElementById('PrintArea').children.length === 6",
         "the same entry's click")
    field.send_keys("x")
    check("typing selects no entry", state() | {"lines": 6} == {
        "text": "x" + entries[2], "expanded": "false", "open": False, "active": None,
        "selected": [], "lines": 6, "focus": "Combo1"}, state())
    driver.find_element(By.ID, "Combo1Drop").click()
    driver.find_element(By.ID, "Label1").click()
    check("a click elsewhere closes the list", not state()["open"], state())


def check_network(driver):
    fetched = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message.get("method") == "Network.requestWillBeSent":
            fetched.append(message["params"]["request"]["url"])
    # The browser's own pages (chrome://) are not the page's.
    remote = [url for url in fetched if url.split(":")[0] in ("http", "https", "ws", "wss", "ftp")]
    check("no request to the network", not remote, remote)


def check_offline_app(driver, dist):
    """Served over HTTP(S) from localhost (a secure context, as HTTPS is), the page installs
    as an app, and once its service worker has it, it starts with the server gone."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=str(dist))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://localhost:{server.server_address[1]}/velmarith.html"
    try:
        open_page(driver, url)
        driver.set_script_timeout(20)
        driver.execute_async_script(
            "const done = arguments[0]; navigator.serviceWorker.ready.then(() => done(true));")
        errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
        check("installable as an app", not errors.get("installabilityErrors"), errors)
    finally:
        server.shutdown()
        server.server_close()
    open_page(driver, url)
    got = play(driver, ["choose 0", "press 2", "answer 150", "press 3", "answer 1000", "press 4"])
    check("offline, from the service worker", got[-1]["lines"][-1] == "  材料的膨胀量为: 1.5405mm",
          got[-1])


def main():
    page, replay, out = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    url = pathlib.Path(page).resolve().as_uri()
    with tempfile.TemporaryDirectory() as profile:
        driver = browser(profile)
        try:
            open_page(driver, url)
            check_page(driver)
            entries = driver.execute_script("return Array.from(document.querySelectorAll("
                                            "'#Combo1List [role=option]'), o => o.textContent)")
            check_combo(driver, entries)
            open_page(driver, url)
            driver.save_screenshot(str(out / "velmarith-web-1280x800.png"))
            played = 0
            for name, script in scripts():
                open_page(driver, url)
                want = oracle(replay, script)
                got = play(driver, script)
                for i, (a, b) in enumerate(zip(got, want)):
                    if a != b:
                        check(f"{name}, event {i + 1} ({script})", False, f"page {a} core {b}")
                        break
                check(f"{name}: events", len(got) == len(want), f"{len(got)} vs {len(want)}")
                played += len(got)
            # The press's lines go to the live region for screen readers, and 复制 is in the
            # print area's menu, opened from the keyboard on a focused button.
            open_page(driver, url)
            play(driver, ["choose 0", "press 2", "answer 150", "press 3", "answer 1000",
                          "press 4"])
            wait(driver, "return document.getElementById('Spoken').textContent.includes("
                         "'材料的膨胀量为: 1.5405mm')", "the lines to be spoken")
            spoken = driver.find_element(By.ID, "Spoken")
            check("the live region", spoken.get_attribute("aria-live") == "polite" and
                  "150摄氏度时材料的膨胀系数为:  11.85mm/mm.C" in
                  driver.execute_script("return arguments[0].textContent", spoken))
            driver.find_element(By.ID, "Command5").send_keys(Keys.SHIFT, Keys.F10)
            wait(driver, "return !document.getElementById('PrintMenu').hidden", "the menu")
            check("复制 has the focus in the menu",
                  driver.switch_to.active_element.get_attribute("id") == "PrintMenuCopy")
            driver.switch_to.active_element.send_keys(Keys.ESCAPE)
            wait(driver, "return document.getElementById('PrintMenu').hidden", "the menu to close")
            # Tab order: Combo1, then the usable buttons.
            open_page(driver, url)
            order = []
            for _ in range(2):
                driver.switch_to.active_element.send_keys(Keys.TAB)
                order.append(driver.switch_to.active_element.get_attribute("id"))
            play(driver, ["choose 0", "press 2", "answer 150", "press 3", "answer 1000"])
            driver.find_element(By.ID, "Combo1").click()
            driver.find_element(By.ID, "Combo1").send_keys(Keys.ESCAPE)
            for _ in range(5):
                driver.switch_to.active_element.send_keys(Keys.TAB)
                order.append(driver.switch_to.active_element.get_attribute("id"))
            check("Tab order", order == ["Command5", "Combo1", "Command2", "Command3", "Command4",
                                         "Command5", "Combo1"], order)
            # Enter and Space press a focused button as a click does.
            driver.find_element(By.ID, "Command5").send_keys(Keys.ENTER)
            wait(driver, "return document.getElementById('PrintArea').children.length === 0",
                 "Enter on 清空")
            check_network(driver)
            check_offline_app(driver, pathlib.Path(page).resolve().parent)
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": 390, "height": 844, "deviceScaleFactor": 1,
                                    "mobile": True})
            open_page(driver, url)
            play(driver, ["choose 0", "press 2", "answer 150", "press 3", "answer 1000",
                          "press 4"])
            scale = driver.execute_script(
                "return document.getElementById('Window').getBoundingClientRect().width")
            check("the window scaled to a 390 px phone", abs(scale - 390) < 1, scale)
            driver.save_screenshot(str(out / "velmarith-web-390x844.png"))
            # A tap on the list's field opens the list; a tap on an entry chooses it.
            driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                   {"enabled": True, "maxTouchPoints": 1})
            tap(driver, "#Combo1")
            wait(driver, "return !document.getElementById('Combo1List').hidden",
                 "a tap to open the list")
            tap(driver, "#Combo1Option5")
            wait(driver, "return document.getElementById('Combo1').value === "
                         "document.getElementById('Combo1Option5').textContent && "
                         "document.getElementById('Combo1List').hidden", "a tap to choose")
            print(f"browser: {played} events compared with the core")
        finally:
            driver.quit()
    passed = 0 if FAILURES else 1
    print(f"{passed} passed, {len(FAILURES) and 1} failed")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
