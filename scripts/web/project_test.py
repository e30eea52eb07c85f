#!/usr/bin/python3
"""The workbench's project in headless Chromium: segments built through the page's controls
(added, named, duplicated, moved, deleted and put back), their summary against velmarith-calc,
the project saved as a file, kept across a reload, opened again from the file, a batch CSV
taken in, the summary exported; the printed 计算书 as PDF: its page count, every page's
"第 N 页 共 M 页", and each segment's figures against velmarith-calc; axe-core on the panel.

Usage: project_test.py PAGE VELMARITH_CALC AXE_JS OUTPUT_DIR"""
import base64
import json
import pathlib
import re
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.by import By

import browser_test
from browser_test import browser, check, wait
from workbench_test import axe, open_workbench

# Each segment: its line number and its inputs by key, as the tool's options take them.
SEGMENTS = [
    ("S-101", {"material": "0", "temperature": "250", "length": "36000", "cold": "-10",
               "od": "219.1", "wall": "8", "sa": "207"}),
    ("S-102", {"material": "2", "temperature": "425", "length": "6000", "install": "15"}),
    ("C-201", {"material": "0", "temperature": "180", "length": "24000", "od": "168.3",
               "wall": "7.1", "sa": "207", "given_leg": "4000"}),
    ("C-202", {"material": "1", "temperature": "abc", "length": "1000"}),
]
OPTIONS = {"material": "-m", "temperature": "-t", "length": "-l", "install": "-i", "units": "--units",
           "cold": "--cold", "od": "--od", "wall": "--wall", "sa": "--sa", "given_leg": "--leg"}

SET = """
const [id, value] = arguments;
const field = document.getElementById(id);
field.focus();
if (field.tagName === 'SELECT') {
  field.value = value;
  field.dispatchEvent(new Event('change', {bubbles: true}));
  return field.value;
}
field.select();
if (value) document.execCommand('insertText', false, value);
else document.execCommand('delete');
return field.value;"""

FIELDS = ["material", "units", "temperature", "cold", "length", "install", "od", "wall", "sa",
          "given_leg"]


def tool(calc, inputs, *extra):
    args = [calc]
    for key, value in inputs.items():
        args += [OPTIONS[key], value]
    return subprocess.run(args + list(extra), capture_output=True, text=True)


def type_segment(driver, line, inputs):
    driver.execute_script(SET, "segmentLine", line)
    for id in FIELDS:
        value = inputs.get(id, "0" if id == "material" else "si" if id == "units" else "")
        driver.execute_script(SET, id, value)


def summary(driver):
    return driver.execute_script("return velmarithProject.summary()")


def click(driver, id):
    driver.find_element(By.ID, id).click()


def build(driver, calc):
    """The segments typed in, the list's actions each once, the summary read."""
    for n, (line, inputs) in enumerate(SEGMENTS):
        if n:
            click(driver, "segmentAdd")
        type_segment(driver, line, inputs)
    rows = summary(driver)
    check("four segments in the summary", [r["line"] for r in rows] == [s[0] for s in SEGMENTS],
          rows)
    for row, (line, inputs) in zip(rows, SEGMENTS):
        document = json.loads(tool(calc, inputs, "--json").stdout or "{}")
        figures = document.get("figures") or {}
        movement = figures.get("movement") or figures.get("expansion")
        if inputs["temperature"] == "abc":
            check(f"{line}: the faulty segment is marked",
                  "温度" in row["fault"] and driver.execute_script(
                      "return document.querySelector('#projectSummary tbody tr:nth-child(4)')"
                      ".classList.contains('fault')"), row)
            continue
        shown = float(row["movement"])
        check(f"{line}: movement as velmarith-calc's", abs(shown - movement) <= 1e-6 * abs(movement),
              (row, movement))
    leg = re.search(r"Lg = ([-0-9.E]+)", tool(calc, SEGMENTS[0][1]).stdout)
    check("S-101: the leg as velmarith-calc's", leg and rows[0]["size"] == f"所需 Lg = {leg.group(1)}",
          (rows[0], leg))
    # Duplicate, move it up, delete it, put it back, delete it for good.
    click(driver, "segmentDuplicate")
    click(driver, "segmentUp")
    rows = summary(driver)
    lines = [r["line"] for r in rows]
    check("duplicated and moved up", lines == ["S-101", "S-102", "C-201", "C-202", "C-202"], lines)
    check("a repeated line number said in both rows",
          all("管线号重复" in r["fault"] for r in rows[3:]) and "管线号重复" not in rows[2]["fault"], rows)
    driver.execute_script(SET, "segmentLine", "C-203")
    click(driver, "segmentDelete")
    lines = [r["line"] for r in summary(driver)]
    check("deleted", lines == ["S-101", "S-102", "C-201", "C-202"], lines)
    click(driver, "segmentUndo")
    lines = [r["line"] for r in summary(driver)]
    check("put back where it was", lines == ["S-101", "S-102", "C-201", "C-203", "C-202"], lines)
    click(driver, "segmentDelete")
    return summary(driver)


def downloaded(folder, pattern):
    def found():
        return [p for p in folder.glob(pattern) if not p.name.endswith(".crdownload")]
    deadline = time.monotonic() + 10
    while not found() and time.monotonic() < deadline:
        time.sleep(0.05)
    files = found()
    check(f"downloaded {pattern}", bool(files), list(folder.iterdir()))
    return files[0] if files else None


def files(driver, calc, url, folder, rows):
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow",
                                                           "downloadPath": str(folder)})
    driver.execute_script(SET, "projectName", "蒸汽管网改造")
    click(driver, "projectSave")
    saved = downloaded(folder, "*.json")
    click(driver, "summaryCsv")
    csv = downloaded(folder, "*.csv")
    if csv and saved:
        data = csv.read_bytes()
        check("the summary CSV starts with UTF-8's byte-order mark", data.startswith(b"\xef\xbb\xbf"))
        lines = data.decode("utf-8-sig").splitlines()
        check("the summary CSV: a header and a row a segment", len(lines) == len(rows) + 1, lines)
        # The saved file through velmarith-calc: the same summary, to the byte.
        tool_csv = subprocess.run([calc, "--project", str(saved), "--csv-out"],
                                  capture_output=True).stdout
        check("the summary CSV as velmarith-calc --project --csv-out writes it", data == tool_csv,
              (data.decode("utf-8", "replace"), tool_csv.decode("utf-8", "replace")))
        document = json.loads(saved.read_text(encoding="utf-8"))
        check("the saved file: the title, the units and the segments' inputs",
              document["title"]["project"] == "蒸汽管网改造" and document["units"] == "si" and
              [s["line"] for s in document["segments"]] == [r["line"] for r in rows] and
              document["segments"][0]["inputs"] == SEGMENTS[0][1], document)
    open_workbench(driver, url, keep_project=True)
    check("kept across a reload", summary(driver) == rows, summary(driver))
    open_workbench(driver, url)
    check("a fresh browser has one empty segment", len(summary(driver)) == 1, summary(driver))
    if saved:
        driver.find_element(By.ID, "projectFile").send_keys(str(saved))
        wait(driver, "return velmarithProject.summary().length === %d" % len(rows), "the opened file")
        check("the opened file gives the same summary", summary(driver) == rows, summary(driver))
    # A segment with an input no one knows, and a line number twice: kept, marked, written back.
    odd = folder / "odd.json"
    odd.write_text(json.dumps({"format": "velmarith-project", "version": 1, "units": "si", "note": "x",
                               "segments": [
        {"line": "A-1", "inputs": {"material": "0", "temperature": "100", "length": "1000", "foo": "1"}},
        {"line": "A-1", "inputs": {"material": "0", "temperature": "120", "length": "1000"}}]},
        ensure_ascii=False), encoding="utf-8")
    driver.find_element(By.ID, "projectFile").send_keys(str(odd))
    wait(driver, "return velmarithProject.summary().length === 2", "the file of two segments")
    marked = summary(driver)
    check("an unknown input keeps its segment, marked; a repeated line number said in both",
          "foo" in marked[0]["fault"] and all("管线号重复" in r["fault"] for r in marked), marked)
    again = json.loads(driver.execute_script("return velmarithProject.text()"))
    check("written back with what it did not know", again.get("note") == "x" and
          again["segments"][0]["inputs"].get("foo") == "1", again)
    if saved:
        driver.find_element(By.ID, "projectFile").send_keys(str(saved))
        wait(driver, "return velmarithProject.summary().length === %d" % len(rows), "the file again")
    bad = folder / "newer.json"
    bad.write_text('{"format": "velmarith-project", "version": 2, "segments": []}')
    driver.find_element(By.ID, "projectFile").send_keys(str(bad))
    wait(driver, "return document.getElementById('projectStatus').textContent.includes('版本')",
         "the newer file refused")
    check("a newer file changes nothing", summary(driver) == rows, summary(driver))


def book(driver, calc, out, name, segments):
    pages = driver.execute_script("return velmarithProject.book()")
    # Every sketch's and plot's text as printed, in points: its size in the picture's units
    # times the picture's scale on the page (96 CSS px an inch, 72 pt).
    sizes = driver.execute_script("""
      return Array.from(document.querySelectorAll('#projectBook svg text'), (t) => {
        const svg = t.ownerSVGElement;
        const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
        return parseFloat(getComputedStyle(t).fontSize) * scale * 0.75;
      });""")
    check(f"{name}: the pictures' text at 7 pt or more (smallest {min(sizes, default=0):.2f} pt)",
          sizes and min(sizes) >= 7, sorted(sizes)[:5])
    pdf = driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True,
                                                     "printBackground": False})
    driver.execute_script("velmarithProject.endBook()")
    path = out / f"{name}.pdf"
    path.write_bytes(base64.b64decode(pdf["data"]))
    info = subprocess.run(["pdfinfo", str(path)], capture_output=True, text=True).stdout
    printed = int(re.search(r"Pages:\s+(\d+)", info).group(1))
    check(f"{name}: {pages} pages laid out, as many printed", printed == pages, info)
    check(f"{name}: A4", "(A4)" in info, info)
    texts = []
    for n in range(1, printed + 1):
        text = subprocess.run(["pdftotext", "-layout", "-f", str(n), "-l", str(n), str(path), "-"],
                              capture_output=True, text=True).stdout
        texts.append(text)
        check(f"{name}: page {n} says 第 {n} 页 共 {printed} 页", f"第 {n} 页 共 {printed} 页" in text,
              text[:200])
    whole = "\n".join(texts)
    for line, inputs in segments:
        document = json.loads(tool(calc, inputs, "--json").stdout or "{}")
        if document.get("status", 1) != 0:
            continue
        own = "\n".join(t for t in texts if f"管线号 {line}" in t)
        for key in ("expansion", "rate", "final_length", "cold_expansion", "movement"):
            value = document["figures"].get(key)
            if value is None:
                continue
            check(f"{name}: {line}'s {key} {value} printed", re.search(
                rf"(?<![\d.]){re.escape(fmt(value))}(?![\d])", own) is not None, own[:600])
    subprocess.run(["pdftoppm", "-png", "-r", "60", str(path), str(out / name)], check=True)
    return whole


def one_sheet(driver, out):
    """The one-run sheet of the selected segment: each page headed with its line number and
    numbered."""
    driver.execute_script("velmarithParts.selectSegment(0)")
    line = driver.execute_script("return document.getElementById('segmentLine').value")
    pdf = driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})
    path = out / "velmarith-sheet-segment.pdf"
    path.write_bytes(base64.b64decode(pdf["data"]))
    info = subprocess.run(["pdfinfo", str(path)], capture_output=True, text=True).stdout
    pages = int(re.search(r"Pages:\s+(\d+)", info).group(1))
    for n in range(1, pages + 1):
        text = subprocess.run(["pdftotext", "-f", str(n), "-l", str(n), str(path), "-"],
                              capture_output=True, text=True).stdout
        check(f"the one-run sheet's page {n} of {pages}: its header and number",
              re.search(rf"第\s*{n}\s*页\s*共\s*{pages}\s*页", text) is not None and
              f"管线号 {line}" in text, text[:300])


def fmt(value):
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def main():
    page, calc, axe_js, out = sys.argv[1], sys.argv[2], sys.argv[3], pathlib.Path(sys.argv[4])
    calc = str(pathlib.Path(calc).resolve())
    url = pathlib.Path(page).resolve().as_uri()
    axe_source = pathlib.Path(axe_js).read_text(encoding="utf-8")
    with tempfile.TemporaryDirectory() as profile, tempfile.TemporaryDirectory() as scratch:
        folder = pathlib.Path(scratch)
        driver = browser(profile)
        try:
            open_workbench(driver, url)
            rows = build(driver, calc)
            axe(driver, axe_source, "a project of four segments")
            one_sheet(driver, out)
            files(driver, calc, url, folder, rows)
            # A link opened adds its request as a segment, once.
            for _ in range(2):
                open_workbench(driver, url + "#workbench?m=0&t=300&l=2000&ln=X-9", keep_project=True)
                lines = [r["line"] for r in summary(driver)]
                check("a link's request added as a segment, once", lines == [r["line"] for r in rows] +
                      ["X-9"], lines)
            book(driver, calc, out, "velmarith-book", [s for s in SEGMENTS])
            # Twelve segments from a batch's CSV, printed in one go.
            open_workbench(driver, url)
            csv = "管线号,material,temperature,length,od,wall,sa,说明\n" + "".join(
                f"L-{n:02},{n % 3},{150 + 20 * n},{6000 + 1000 * n},114.3,6,207,支管 {n}\n"
                for n in range(12))
            (folder / "lines.csv").write_text(csv, encoding="utf-8")
            driver.find_element(By.ID, "projectCsv").send_keys(str(folder / "lines.csv"))
            wait(driver, "return velmarithProject.summary().length === 12", "the batch's rows")
            taken = driver.execute_script("return velmarithProject.document().segments")
            check("twelve rows taken in as segments, with their 说明", len(taken) == 12 and
                  taken[11].get("description") == "支管 11", taken[-1:])
            segments = [(f"L-{n:02}", {"material": str(n % 3), "temperature": str(150 + 20 * n),
                                       "length": str(6000 + 1000 * n), "od": "114.3", "wall": "6",
                                       "sa": "207"}) for n in range(12)]
            book(driver, calc, out, "velmarith-book-12", segments)
        finally:
            driver.quit()
    failures = browser_test.FAILURES
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
