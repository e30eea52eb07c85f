#!/usr/bin/python3
"""Speed of the web page, measured (never asserted): the time from opening the file to its
first paint, and to the window being usable (the core started and the texts in place), in
headless Chromium, against a blank page of the same size as the floor.
Usage: measure.py PAGE [RUNS]"""
import pathlib
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from browser_test import browser  # noqa: E402

# The first paint may come after the load event that get() waits for.
PAINT = """return new Promise(resolve => new PerformanceObserver(list => {
  for (const e of list.getEntries()) if (e.name === 'first-contentful-paint') resolve(e.startTime);
}).observe({type: 'paint', buffered: true}));"""


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    with tempfile.TemporaryDirectory() as work:
        blank = pathlib.Path(work) / "blank.html"
        blank.write_text('<!DOCTYPE html><html lang="zh-CN"><title>blank</title>'
                         '<div style="width:477px;height:341px;background:#0f0">x</div></html>')
        driver = browser(pathlib.Path(work) / "profile")
        try:
            results = {}
            for name, url in (("blank page", blank.as_uri()), ("velmarith.html", page.as_uri())):
                paints, ready = [], []
                for _ in range(runs):
                    driver.get("about:blank")
                    driver.get(url)
                    paints.append(driver.execute_script(PAINT))
                    if name == "velmarith.html":
                        ready.append(driver.execute_script(
                            "return new Promise(r => { const t = () => document.documentElement"
                            ".dataset.ready === '1' ? r(performance.now()) : setTimeout(t, 1);"
                            " t(); })"))
                results[name] = statistics.median(paints)
                line = f"{name}: first paint {statistics.median(paints):.1f} ms (median of {runs})"
                if ready:
                    line += f", usable {statistics.median(ready):.1f} ms"
                print(line)
            print(f"ratio: {results['velmarith.html'] / results['blank page']:.2f} x the blank page; "
                  f"file {page.stat().st_size // 1024} KB")
        finally:
            driver.quit()


if __name__ == "__main__":
    main()
