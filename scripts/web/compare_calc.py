#!/usr/bin/python3
"""velmarith-calc's one calculation as the page computes it (WebAssembly under node) against
the native velmarith-calc, request by request, line by line: every material, exact and
interpolated temperatures, installation and cold temperatures, both units, refusals. And the
native --json document against the native text: the same lines, and every figure the number
its printed line shows.
Usage: compare_calc.py VELMARITH_CALC CORE_JS"""
import json
import pathlib
import random
import subprocess
import sys

HARNESS = r"""
const core = require(process.argv[1]);
core.onRuntimeInitialized = () => {
  const requests = JSON.parse(require('fs').readFileSync(0, 'utf8'));
  const answers = requests.map(([flags, request]) => JSON.parse(
    core.ccall('velmarith_calculate', 'string', ['string', 'string'], [flags, JSON.stringify(request)])));
  process.stdout.write(JSON.stringify(answers));
};
"""


def eight(calc):
    """The eight materials' names and ranges, and the grid, as velmarith-calc --table --json
    gives them."""
    table = json.loads(subprocess.run([calc, "--table", "--json"], capture_output=True,
                                      text=True, check=True).stdout)
    materials = [m for m in table["materials"] if not m["user"]]
    return ([m["name"] for m in materials], {m["index"]: (int(m["low"]), int(m["high"]))
                                             for m in materials}, table["grid"])


def requests(calc):
    rng = random.Random(20261209)
    names, ranges, grid = eight(calc)
    out = []
    for _ in range(300):
        m = rng.randrange(8)
        low, high = ranges[m]
        units = rng.choice(["si", "si", "us"])
        if units == "si":
            t = rng.choice([rng.randint(low, high), rng.choice([g for g in grid if low <= g <= high])])
            hot = str(t)
            cold = str(rng.randint(low, t)) if rng.random() < 0.4 else ""
            install = str(rng.choice([20, rng.randint(low, high)])) if rng.random() < 0.4 else ""
            length = rng.choice(["1000", "2500", "30000", "12.5", "-37.75", "3.4e38"])
        else:
            f = lambda c: c * 9 / 5 + 32
            hot = f"{rng.uniform(f(low), f(high)):.1f}"
            cold = f"{rng.uniform(f(low), float(hot)):.2f}" if rng.random() < 0.4 else ""
            install = rng.choice(["", "68", "70", f"{rng.uniform(f(low), f(high)):.1f}"])
            length = rng.choice(["1200", "39.37", "100", "0.5"])
        material = rng.choice([str(m), names[m]])
        flags = " ".join(f for f in ("rate", "final", "explain") if rng.random() < 0.5)
        out.append([material, hot, length, install, cold, units, flags])
    # Refusals: out of range, not a number, cold above hot, below absolute zero.
    out += [["0", "701", "1", "", "", "si", ""], ["0", "abc", "1", "", "", "si", ""],
            ["0", "100", "1", "", "150", "si", ""], ["0", "-500", "1", "", "", "us", ""],
            ["9", "100", "1", "", "", "si", ""], ["6", "20", "1", "", "", "si", ""]]
    return out


PIPE_OPTIONS = ["--od", "--wall", "--modulus", "--sa", "--sc", "--sh", "--cycles"]


def pipe_requests():
    """Requests with a pipe: every figure, the parts a missing input leaves out, US units,
    and refusals, each as a request of requests() with the pipe's seven fields after it."""
    rng = random.Random(20261210)
    out = []
    for _ in range(40):
        m = rng.randrange(8)
        units = rng.choice(["si", "us"])
        hot, cold = (rng.choice(["150", "350", "500"]), rng.choice(["", "-20", "100"])) \
            if units == "si" else (rng.choice(["302", "662.5"]), rng.choice(["", "0", "212"]))
        if m == 6:
            hot, cold = ("400", "20") if units == "si" else ("752", "68")
        if m == 5:
            hot = "250" if units == "si" else "482"
        od, wall = (rng.choice(["168.3", "114.3", "60.3"]), rng.choice(["", "7.11", "3.91"])) \
            if units == "si" else (rng.choice(["6.625", "4.5"]), rng.choice(["", "0.28"]))
        stress = ["137.9", "120"] if units == "si" else ["20000", "16700"]
        sa, sc, sh = rng.choice([("", "", ""), (stress[0], "", ""), ("", *stress)])
        pipe = [od, wall, rng.choice(["", "", "195000" if units == "si" else "28.3e6"]), sa, sc,
                sh, rng.choice(["", "", "14000", "100000"]) if sc else ""]
        out.append([str(m), hot, rng.choice(["30000", "6000"] if units == "si" else ["1200"]),
                    "", cold, units, rng.choice(["", "explain", "rate final"]), pipe])
    # Refusals: a wall of half the diameter, one allowable stress, a wall without a diameter.
    out += [["0", "150", "1000", "", "", "si", "", ["100", "50", "", "", "", "", ""]],
            ["0", "150", "1000", "", "", "si", "", ["100", "", "", "", "137.9", "", ""]],
            ["0", "150", "1000", "", "", "si", "", ["", "5", "", "", "", "", ""]],
            ["0", "150", "1000", "", "", "si", "", ["100", "", "", "200", "1", "1", "x"]]]
    return out


def native(calc, request, extra=()):
    material, hot, length, install, cold, units, flags = request[:7]
    pipe = request[7] if len(request) > 7 else [""] * 7
    args = [calc, "-m", material, "-t", hot, "-l", length, "--units", units, *extra]
    if install:
        args += ["-i", install]
    if cold:
        args += ["--cold", cold]
    args += ["--" + f for f in flags.split()]
    for option, value in zip(PIPE_OPTIONS, pipe):
        if value:
            args += [option, value]
    run = subprocess.run(args, capture_output=True, text=True)
    error = run.stderr.strip().removeprefix("velmarith-calc: ")
    if extra:
        return json.loads(run.stdout) | {"exit": run.returncode, "stderr": error}
    return {"lines": run.stdout.splitlines(), "error": error, "status": run.returncode}


# The printed figures after their labels, by the document's names, and their units.
LABELS = {"  每米膨胀量为: ": "rate", "  每100英尺膨胀量为: ": "rate", "  膨胀后长度为: ": "final_length",
          "  安装至冷态的膨胀量为: ": "cold_expansion", "  冷态至热态的位移量为: ": "movement",
          "  材料的膨胀量为: ": "expansion"}
UNITS = ("mm/m", "in/100ft", "mm", "in")


def printed_number(text):
    for unit in UNITS:
        if text.endswith(unit):
            text = text[:-len(unit)]
            break
    try:
        return float(text)
    except ValueError:
        return None  # a line that says why there is no figure


def json_faults(text, document):
    """Where the --json document disagrees with the text output: nothing, when they agree."""
    faults = []
    if (document["lines"], document["exit"], document["stderr"]) != \
            (text["lines"], text["status"], text["error"]):
        faults.append("lines or status differ")
    for line in text["lines"]:
        for label, name in LABELS.items():
            if line.startswith(label):
                printed = printed_number(line[len(label):])
                if document["figures"][name] != printed:
                    faults.append(f"{name}: {document['figures'][name]} against {line!r}")
    if not text["lines"] and document["figures"] is not None:
        faults.append("a refusal with figures")
    return faults


REQUEST_KEYS = ["material", "temperature", "length", "install", "cold", "units",
                *(option.removeprefix("--") for option in PIPE_OPTIONS)]


def page_request(request):
    """A request as the page hands it to the core: its flags, and its inputs by key."""
    return [request[6], dict(zip(REQUEST_KEYS, [*request[:6], *(request[7] if len(request) > 7
                                                                  else [""] * 7)]))]


def main():
    calc, core = sys.argv[1], str(pathlib.Path(sys.argv[2]).resolve())
    reqs = requests(calc) + pipe_requests()
    web = json.loads(subprocess.run(["node", "-e", HARNESS, core], input=json.dumps(
        [page_request(r) for r in reqs]), capture_output=True, text=True, check=True).stdout)
    failed = 0
    for request, document in zip(reqs, web):
        want = native(calc, request)
        answer = {"lines": document["lines"], "error": document.get("error", ""),
                  "status": document["status"]}
        if answer != want:
            failed += 1
            if failed <= 5:
                print(f"FAILED: {request}\n  page:  {answer}\n  tool:  {want}", file=sys.stderr)
        tool_json = native(calc, request, ["--json"])
        faults = json_faults(want, tool_json)
        # The request as the core read it, and its warnings: the same from either face.
        for name in ("request", "warnings"):
            if document.get(name) != tool_json.get(name):
                faults.append(f"{name}: page {document.get(name)} tool {tool_json.get(name)}")
        for fault in faults:
            failed += 1
            if failed <= 5:
                print(f"FAILED --json: {request}: {fault}", file=sys.stderr)
    print(f"workbench calculation and --json: {len(reqs)} requests against velmarith-calc; "
          f"{len(reqs) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
