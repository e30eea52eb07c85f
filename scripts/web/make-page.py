#!/usr/bin/python3
"""Writes the web page: one self-contained velmarith.html (the window's markup and styles, the
icon and a subset of the window's font inlined for the first paint; the scripts, the core as
WebAssembly and the whole font subset in one compressed block after them) and, beside it, what
an HTTPS server needs for the page to install as an app (manifest, service worker, icons),
and the font's licence."""
import argparse
import base64
import os
import gzip
import json
import pathlib
import re
import shutil
import subprocess
import tempfile

FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
FONT_MONO = "1"  # the face number of WenQuanYi Zen Hei Mono in the collection
FONT_LICENCE = "/usr/share/doc/fonts-wqy-zenhei/copyright"


def shown_characters(*paths):
    """Every character the page can show: ASCII and whatever its texts hold."""
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        chars.update(ch for ch in pathlib.Path(path).read_text(encoding="utf-8") if ord(ch) >= 0x80)
    return "".join(sorted(chars))


def minified(script):
    """A script as the page carries it: without its comments and long names (terser), a third
    of its size once compressed. The sources stay readable; the page only runs them."""
    env = dict(os.environ, NODE_PATH="/usr/share/nodejs")
    done = subprocess.run(["terser", "--compress", "--mangle"], input=script, text=True,
                          capture_output=True, env=env, check=True)
    return done.stdout


def without_comments(css):
    """The styles as the page carries them: their comments are for the sources."""
    return re.sub(r"/\*.*?\*/\n?", "", css, flags=re.S)


def font_subset(text, work):
    chars = work / "chars.txt"
    chars.write_text(text, encoding="utf-8")
    out = work / "font.woff2"
    subprocess.run(["pyftsubset", FONT, f"--font-number={FONT_MONO}", f"--text-file={chars}",
                    "--flavor=woff2", "--layout-features=*", "--no-hinting",
                    f"--output-file={out}"], check=True)
    return out.read_bytes()


def core_answer(core, function):
    """What one of the core's functions without arguments answers, run under node."""
    harness = ("const core = require(process.argv[1]);"
               "core.onRuntimeInitialized = () => "
               f"console.log(core.UTF8ToString(core._{function}()));")
    out = subprocess.run(["node", "-e", harness, str(pathlib.Path(core).resolve())],
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out)


def captions(core):
    """The window's texts, from the core itself, so that the page's first paint already shows
    them; the page sets them again from the core when it starts."""
    return core_answer(core, "velmarith_captions")


ESCAPE = lambda t: t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")
# The units' list: each system by its name and the units of a temperature and a length.
SYSTEMS = (("si", "公制"), ("us", "美制"))


def input_field(row, rows):
    """One input of the core's table as the form's field: its label (the unit in a span the
    page sets, what an empty field means), its control, and where its messages go."""
    key = row["key"]
    unit = f'<span class="unit">{ESCAPE(row["si"])}</span>' if row["si"] else ""
    choice = row["quantity"] in ("material", "units")
    label = row["formLead"] + row["label"]
    if row["group"] in ("pipe", "line") and row["symbol"]:
        label += " " + row["symbol"]  # as the pipe's formulas name it
    parts = [ESCAPE(row["note"])] if row["note"] else []
    if unit:
        parts.append(unit)
    if choice:
        parts = []  # a list is never empty
    elif row["defaultSi"]:
        default = ESCAPE(row["defaultSi"])
        parts.append("不填为 " + (f'<span class="unit-default">{default} {ESCAPE(row["si"])}</span>'
                                  if unit else default))
    elif row["blank"]:
        parts.append(ESCAPE(row["blank"]))
    if parts:
        label = ESCAPE(label) + " (" + ", ".join(parts) + ")"
    else:
        label = ESCAPE(label)
    # The units' list offers only what the core takes: no message of its own.
    messages = [] if row["quantity"] == "units" else [f"{key}Error", f"{key}Warning"]
    # Temperatures are taken to whole degrees: a note says so where it happens.
    if row["quantity"] == "temperature":
        messages.append(f"{key}Note")
    described = f' aria-describedby="{" ".join(messages)}"' if messages else ""
    if row["quantity"] == "units":
        by_quantity = {r["quantity"]: r for r in rows}
        options = "".join(
            f'\n        <option value="{value}">{name}: '
            f'{ESCAPE(by_quantity["temperature"][value])}, {ESCAPE(by_quantity["length"][value])}</option>'
            for value, name in SYSTEMS)
        control = f'<select id="{key}"{described}>{options}\n      </select>'
    elif choice:
        control = f'<select id="{key}"{described}></select>'
    else:
        # A temperature may be negative, a choice is a word: the phone's full keyboard.
        mode = "" if row["quantity"] in ("temperature", "choice") else ' inputmode="decimal"'
        control = f'<input id="{key}" type="text"{mode} spellcheck="false"{described}>'
    lines = [f'    <div class="field{" field-wide" if row["quantity"] == "material" else ""}">',
             f'      <label for="{key}">{label}</label>', f"      {control}"]
    classes = {"Error": "error", "Warning": "warning", "Note": "note"}
    for id in messages:
        kind = next(k for k in classes if id.endswith(k))
        lines.append(f'      <p class="{classes[kind]}" id="{id}"></p>')
    lines.append("    </div>")
    return "\n".join(lines)


def input_fields(html, rows):
    """The form's fields, group by group where the page marks @INPUTS group@, in the order
    the table places them."""
    placed = set()

    def group(found):
        placed.add(found.group(1))
        chosen = sorted((r for r in rows if r["group"] == found.group(1)), key=lambda r: r["formPlace"])
        return "\n".join(input_field(r, rows) for r in chosen)
    html = re.sub(r"@INPUTS (\w+)@", group, html)
    # Every input has its place: a new group needs one in the page.
    missing = {r["group"] for r in rows} - placed
    if missing:
        raise SystemExit(f"make-page: the form has no place for the inputs of {sorted(missing)}")
    return html


def static_window(html, texts):
    """Fills the controls' texts into the page as the core has them."""
    escape = ESCAPE
    fills = {
        '<span id="Frame1Caption"></span>': f'<span id="Frame1Caption">{escape(texts["frame"])}</span>',
        '<div id="Label1" aria-hidden="false"></div>': f'<div id="Label1">{escape(texts["label"])}</div>',
        'spellcheck="false" value="">': f'spellcheck="false" value="{escape(texts["listStart"])}">',
        '<div id="Combo1List" role="listbox" aria-label="材料" hidden></div>':
            '<div id="Combo1List" role="listbox" aria-label="材料" hidden>' + "".join(
                f'<div id="Combo1Option{i}" role="option" aria-selected="false">{escape(e)}</div>'
                for i, e in enumerate(texts["entries"])) + "</div>",
    }
    for n, caption in zip((2, 3, 4, 5), texts["buttons"]):
        disabled = " disabled" if n != 5 else ""
        fills[f'<button id="Command{n}" type="button"{disabled}></button>'] = (
            f'<button id="Command{n}" type="button"{disabled}>{escape(caption)}</button>')
    for empty, filled in fills.items():
        if empty not in html:
            raise SystemExit(f"make-page: the page has no {empty}")
        html = html.replace(empty, filled)
    return html


def window_css(geometry):
    """The window's and its controls' boxes, as the core lays them out."""
    px = lambda box: f"left: {box[0]}px; top: {box[1]}px; width: {box[2]}px; height: {box[3]}px;"
    client = geometry["client"]
    rules = [f"#Fit, #Window, #PrintArea {{ width: {client[2]}px; height: {client[3]}px; }}"]
    rules += [f"#{name} {{ {px(box)} }}" for name, box in geometry.items() if name != "client"]
    # The combo's button inside its box's right end, its list under it, at least as wide.
    x, y, width, height = geometry["Combo1"]
    button = height - 2
    rules.append(f"#Combo1Drop {{ left: {x + width - 1 - button}px; top: {y + 1}px; "
                 f"width: {button}px; height: {button}px; }}")
    rules.append(f"#Combo1 {{ padding-right: {button + 1}px; }}")
    rules.append(f"#Combo1List {{ left: {x}px; top: {y + height}px; min-width: {width}px; }}")
    return "\n".join(rules) + "\n"


def split_core(core_js):
    """The core's script without its WebAssembly, and the WebAssembly."""
    pattern = re.compile(r'(wasmBinaryFile="data:application/octet-stream;base64,)([A-Za-z0-9+/=]*)(")')
    found = pattern.search(core_js)
    if not found:
        raise SystemExit("make-page: no WebAssembly found in the core's script")
    glue = core_js[:found.start(2)] + core_js[found.end(2):]
    return glue, base64.b64decode(found.group(2))


# Seven bits a character: the values that raw text in a script element cannot hold as they
# are (NUL, a carriage return, which the parser turns into a line feed, and "<", which could
# start "</script") are written as U+0100 plus the value, two bytes in UTF-8.
UNSAFE_IN_SCRIPT = {0, 13, 60}


def seven_bit_text(data):
    """Bytes as text for the page, 7 bits a character (an eighth more than the bytes, where
    base64 takes a third more): the boot script reads it back."""
    out = []
    acc = bits = 0
    for byte in data:
        acc = (acc << 8) | byte
        bits += 8
        while bits >= 7:
            bits -= 7
            value = (acc >> bits) & 0x7F
            out.append(chr(0x100 + value) if value in UNSAFE_IN_SCRIPT else chr(value))
        acc &= (1 << bits) - 1
    if bits:
        value = (acc << (7 - bits)) & 0x7F
        out.append(chr(0x100 + value) if value in UNSAFE_IN_SCRIPT else chr(value))
    return "".join(out)


def from_seven_bit_text(text):
    """What the boot script does, to check the page's block before it is written."""
    out = bytearray()
    acc = bits = 0
    for ch in text:
        value = ord(ch) - 0x100 if ord(ch) >= 0x100 else ord(ch)
        acc = (acc << 7) | value
        bits += 7
        if bits >= 8:
            bits -= 8
            out.append((acc >> bits) & 0xFF)
            acc &= (1 << bits) - 1
    return bytes(out)


def pack(parts):
    """What the page needs only after its first paint, as one gzip stream, 7 bits a
    character: each part
    its length (4 bytes, big-endian) and its bytes, in order. Zopfli writes the gzip stream
    (5 % smaller than zlib's best); the page's boot script inflates it with the browser's
    DecompressionStream."""
    data = b"".join(len(part).to_bytes(4, "big") + part for part in parts)
    with tempfile.TemporaryDirectory() as work:
        raw = pathlib.Path(work) / "packed"
        raw.write_bytes(data)
        packed = subprocess.run(["zopfli", "-c", "--gzip", "--i15", str(raw)],
                                capture_output=True, check=True).stdout
    text = seven_bit_text(packed)
    if gzip.decompress(from_seven_bit_text(text)) != data:
        raise SystemExit("make-page: the packed block does not inflate to what was packed")
    return text


def unicode_range(chars):
    return ",".join(f"U+{ord(c):X}" for c in chars)


def main():
    parser = argparse.ArgumentParser()
    for name in ("core", "page", "icons", "texts", "tables", "version", "out"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--chars-from", action="append", default=[],
                        help="a source whose texts the page shows too (the workbench's lines)")
    args = parser.parse_args()
    page = pathlib.Path(args.page)
    out = pathlib.Path(args.out)
    out.mkdir(parents=True, exist_ok=True)

    # Two subsets of the font: the window's characters, inlined in the styles for the first
    # paint, and the rest of what the page shows (the workbench's), added from the packed
    # block after it as a face of the same family for just those characters.
    window_sources = [page / "velmarith.html", page / "page.js", page / "combo.js", args.texts,
                      args.tables]
    sources = window_sources + sorted(p for p in page.glob("workbench*")) + args.chars_from
    window_chars = shown_characters(*window_sources)
    more_chars = "".join(sorted(set(shown_characters(*sources)) - set(window_chars)))
    with tempfile.TemporaryDirectory() as work:
        window_font = font_subset(window_chars, pathlib.Path(work))
        font = font_subset(more_chars, pathlib.Path(work))
    icon = pathlib.Path(args.icons) / "hicolor" / "32" / "velmarith.png"
    icon_url = "data:image/png;base64," + base64.b64encode(icon.read_bytes()).decode()

    glue, wasm = split_core(pathlib.Path(args.core).read_text(encoding="utf-8"))
    read = lambda name: (page / name).read_text(encoding="utf-8")
    # The workbench's parts (each adds to one namespace), then workbench.js, which starts them.
    workbench = "".join(p.read_text(encoding="utf-8") for p in sorted(page.glob("workbench-*.js")))
    workbench += read("workbench.js")
    # In the order the boot script takes them: the scripts run in this order.
    packed = pack([font, unicode_range(more_chars).encode(), wasm] + [text.encode() for text in (
        minified(read("combo.js") + read("page.js")), minified(workbench), glue)])
    form = input_fields(read("workbench.html"), core_answer(args.core, "velmarith_inputs"))
    parts = {
        "@ICON_DATA_URL@": icon_url,
        "@FONT_BASE64@": base64.b64encode(window_font).decode(),
        "@PAGE_CSS@": without_comments(read("page.css")),
        "@PACKED@": packed,
        "@WORKBENCH_HTML@": form.replace("@VERSION@", args.version),
        "@WORKBENCH_CSS@": without_comments(read("workbench.css") + "".join(
            p.read_text(encoding="utf-8") for p in sorted(page.glob("workbench-*.css")))),
    }
    texts = captions(args.core)
    parts["@PAGE_CSS@"] = window_css(texts["geometry"]) + parts["@PAGE_CSS@"]
    html = static_window((page / "velmarith.html").read_text(encoding="utf-8"), texts)
    # The page's own comments and its inline scripts' are for the sources.
    html = re.sub(r"<!--.*?-->\n?", "", html, flags=re.S)
    html = re.sub(r"(<script>)(.*?)(</script>)",
                  lambda m: m.group(1) + minified(m.group(2)).strip() + m.group(3), html,
                  flags=re.S)
    # One pass, so that nothing inserted is itself taken for a placeholder.
    html = re.sub("|".join(re.escape(key) for key in parts), lambda m: parts[m.group(0)], html)
    (out / "velmarith.html").write_text(html, encoding="utf-8")

    for name in ("manifest.webmanifest", "sw.js"):
        text = (page / name).read_text(encoding="utf-8").replace("@VERSION@", args.version)
        (out / name).write_text(text, encoding="utf-8")
    for size in (192, 512):
        subprocess.run(["convert", str(icon), "-filter", "point", "-resize", f"{size}x{size}",
                        str(out / f"icon-{size}.png")], check=True)
    shutil.copyfile(FONT_LICENCE, out / "LICENSE-wqy-zenhei.txt")
    print(f"velmarith.html: {len(html.encode()) // 1024} KB (font {len(window_font) // 1024} KB "
          f"for the first paint, {len(font) // 1024} KB after it)")


if __name__ == "__main__":
    main()
