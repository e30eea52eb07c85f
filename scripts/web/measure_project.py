#!/usr/bin/python3
"""Speed of the workbench's project, measured (never asserted): a project of 200 segments taken
in from a batch's CSV, then every segment's summary row computed afresh, every segment's full
sheet (figures, working, sketch, plot, table), and one segment edited through the form, which
computes that segment alone.
Usage: measure_project.py PAGE [RUNS]"""
import pathlib
import statistics
import sys
import tempfile

from selenium.webdriver.common.by import By

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from browser_test import browser, wait  # noqa: E402
from workbench_test import open_workbench  # noqa: E402

EDIT = """
const field = document.getElementById('temperature');
field.focus(); field.select();
const start = performance.now();
document.execCommand('insertText', false, arguments[0]);
return performance.now() - start;"""


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    with tempfile.TemporaryDirectory() as work:
        csv = pathlib.Path(work) / "lines.csv"
        csv.write_text("管线号,material,temperature,length,cold,od,wall,sa,given_leg\n" + "".join(
            f"L-{n:03},{n % 8},{100 + n},{5000 + 37 * n},-10,{114.3 + n % 5},6,207,{2000 + n}\n"
            for n in range(200)), encoding="utf-8")
        driver = browser(pathlib.Path(work) / "profile")
        try:
            open_workbench(driver, page.as_uri())
            alone = [driver.execute_script(EDIT, str(300 + n)) for n in range(runs)]
            open_workbench(driver, page.as_uri())
            driver.find_element(By.ID, "projectCsv").send_keys(str(csv))
            wait(driver, "return velmarithProject.summary().length === 200", "200 segments")
            rows, sheets, edits = [], [], []
            for n in range(runs):
                times = driver.execute_script("return velmarithProject.computeAll()")
                rows.append(times["rows"])
                sheets.append(times["sheets"])
                edits.append(driver.execute_script(EDIT, str(300 + n)))
            row, sheet = statistics.median(rows), statistics.median(sheets)
            print(f"200 segments: summary rows {row:.1f} ms ({row / 200:.3f} ms a segment), "
                  f"full sheets {sheet:.1f} ms ({sheet / 200:.3f} ms a segment), "
                  f"together {(row + sheet) / 200:.3f} ms a segment (median of {runs})")
            print(f"one segment edited in the form (its sheet, row and list): "
                  f"{statistics.median(edits):.2f} ms median; in a project of one segment "
                  f"{statistics.median(alone):.2f} ms")
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
