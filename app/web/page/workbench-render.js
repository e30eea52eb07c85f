"use strict";
// The core's sheet for the form as it stands, shown: the fields' messages, the figures, the
// pipe's lines and sketch, the working, the plot and the table. Every figure comes from the
// core (velmarith_sheet); this file only shows it.
(function (W) {
  const $ = (id) => document.getElementById(id);
  const OUTPUTS = ["coefficientLine", "installLine", "expansionLine", "rate", "finalLength",
                   "coldExpansion", "movement"];
  const FIGURES = ["rate", "finalLength", "coldExpansion", "movement"];
  let spokenTimer = 0;
  let lastPlot = null;
  let lastSketch = null;
  let lastBellows = null;
  W.lastSheet = null;

  W.update = function (options) {
    try {
      show(options);
    } catch (error) {
      // Never a stale figure: whatever went wrong, nothing is shown as a result.
      console.error(error);
      for (const id of [...OUTPUTS, "alpha"]) $(id).textContent = "";
      $("explain").textContent = "";
      $("notice").textContent = "无法计算, 请检查输入";
    }
  };

  // What the sheet says of each field: its fault (the field marked), a value out of the
  // ordinary (the figures still shown), a temperature rounded.
  function showMessages(sheet) {
    for (const row of W.inputs) {
      const field = $(row.key);
      const error = $(row.key + "Error");
      if (error) {
        const message = sheet.faults[row.key] || "";
        error.textContent = message;
        if (message) field.setAttribute("aria-invalid", "true");
        else field.removeAttribute("aria-invalid");
      }
      const warning = $(row.key + "Warning");
      if (warning) warning.textContent = sheet.warnings[row.key] || "";
      const note = $(row.key + "Note");
      if (note) note.textContent = sheet.roundings[row.key] || "";
    }
  }

  function show(options) {
    const values = W.formValues();
    const sheet = JSON.parse(W.call("velmarith_sheet", W.request(values)));
    W.lastSheet = { values, sheet };
    showMessages(sheet);
    $("notice").textContent = sheet.notice;
    $("rateLabel").textContent = sheet.rateLabel;
    for (const span of document.querySelectorAll("#workbench .unit-default")) span.textContent = sheet.defaultInstall;
    $("alpha").textContent = sheet.alpha;
    for (const id of OUTPUTS) $(id).textContent = sheet[id];
    // The copy buttons say the unit the copied number is in.
    for (const id of FIGURES) {
      const unit = sheet[id].replace(/^[-+0-9.E]+/, "");
      $(id).nextElementSibling.setAttribute("aria-label", "复制" + $(id + "Label").textContent +
                                            (unit && id in sheet.numbers ? " (" + unit + ")" : ""));
    }
    // A figure the request does not have (no cold state) is not offered at all.
    for (const id of FIGURES) {
      $(id).closest("div").hidden = !sheet[id];
    }
    $("results").classList.toggle("nothing", Boolean(sheet.notice));
    for (const button of document.querySelectorAll("#workbench button.copy")) {
      button.disabled = !$(button.dataset.copy).textContent;
    }
    $("compensationBox").hidden = sheet.compensation.length === 0;
    $("pipeNotice").textContent = sheet.pipeFault ? "管道或管线布置的输入有误, 改正后显示管道与补偿的结果" : "";
    $("compensationLines").textContent = sheet.compensation.join("\n");
    showDesign(sheet.design);
    const way = W.choice();
    if (sheet.sketch !== lastSketch) {
      lastSketch = sheet.sketch;
      $("sketch").innerHTML = sheet.sketch;
    }
    $("sketchFigure").hidden = !sheet.sketch || way === "bellows";
    if (sheet.bellowsSketch !== lastBellows) {
      lastBellows = sheet.bellowsSketch;
      $("bellowsSketch").innerHTML = sheet.bellowsSketch;
    }
    $("bellowsFigure").hidden = !sheet.bellowsSketch || way !== "bellows";
    $("explain").textContent = sheet.explain.join("\n");
    $("explain").tabIndex = sheet.explain.length ? 0 : -1;
    if (sheet.plot !== lastPlot) {
      lastPlot = sheet.plot;
      $("plot").innerHTML = sheet.plot.replace(/^<\?xml[^>]*>\s*/, "");
      const title = $("plot").querySelector("svg title");
      $("plot").setAttribute("aria-label", title ? title.textContent : "无图");
    }
    showTable(sheet.table);
    if (!(options && options.keepAddress)) W.writeAddress(values);
    // Spoken once typing stops, not at every key.
    clearTimeout(spokenTimer);
    spokenTimer = setTimeout(() => { $("spokenResults").textContent = spokenText(sheet); }, 700);
    document.documentElement.dataset.sheet = String(Number(document.documentElement.dataset.sheet || 0) + 1);
  }

  // The pipe's figures and the chosen way's, each a number with its own copy button, or a
  // verdict's words; every one by the id the core gives it.
  function showDesign(design) {
    const way = W.choice();
    const parts = [];
    for (const part of design) {
      if (part.choice && part.choice !== way) continue;
      const box = document.createElement("div");
      const title = document.createElement("h4");
      title.textContent = part.title;
      const list = document.createElement("dl");
      list.className = "figures";
      for (const figure of part.figures) {
        const row = document.createElement("div");
        const term = document.createElement("dt");
        term.id = figure.id + "Label";
        term.textContent = figure.label;
        const value = document.createElement("dd");
        const output = document.createElement("output");
        output.id = figure.id;
        output.setAttribute("aria-labelledby", term.id);
        output.textContent = figure.value;
        value.append(output);
        if (figure.unit) value.append(" " + figure.unit);
        if (figure.number) {
          const copy = document.createElement("button");
          copy.type = "button";
          copy.className = "copy";
          copy.dataset.copy = figure.id;
          copy.textContent = "复制";
          copy.setAttribute("aria-label", "复制" + figure.label + (figure.unit ? " (" + figure.unit + ")" : ""));
          value.append(copy);
        }
        row.append(term, value);
        list.append(row);
      }
      box.append(title, list);
      for (const note of part.notes) {
        const p = document.createElement("p");
        p.className = "hint";
        p.textContent = note;
        box.append(p);
      }
      parts.push(box);
    }
    if (way === "bellows" && !design.some((part) => part.choice === way) && design.length) {
      const p = document.createElement("p");
      p.className = "hint";
      p.textContent = "波纹管伸缩节需要额定位移与刚度, 以及外径与壁厚";
      parts.push(p);
    }
    $("design").replaceChildren(...parts);
  }

  function spokenText(sheet) {
    if (sheet.notice) {
      const faults = Object.values(sheet.faults);
      return [sheet.notice, ...faults].join("。");
    }
    const parts = [sheet.coefficientLine, sheet.installLine, sheet.expansionLine]
      .map((t) => t.trim()).filter(Boolean);
    for (const id of FIGURES) {
      if (sheet[id]) parts.push($(id + "Label").textContent + ": " + sheet[id]);
    }
    // A pipe field's fault hides the pipe's figures: said after the rest.
    if (sheet.pipeFault) parts.push(...Object.values(sheet.faults));
    return parts.join("。");
  }

  // The table is built again only when its rows change (a material added or removed);
  // otherwise only its marks move.
  let tableRows = "";
  let tableCells = [];
  function showTable(table) {
    const rowsKey = JSON.stringify(table.rows);
    if (rowsKey !== tableRows) {
      tableRows = rowsKey;
      tableCells = [];
      const columnHeadings = (tr, cells) => {
        for (const text of cells) {
          const cell = document.createElement("th");
          cell.scope = "col";
          cell.textContent = text;
          tr.appendChild(cell);
        }
        return tr;
      };
      const head = document.createElement("thead");
      head.appendChild(columnHeadings(document.createElement("tr"), table.header));
      const body = document.createElement("tbody");
      table.rows.forEach((row, r) => {
        const tr = document.createElement("tr");
        if (row.kind === "columns") {
          tr.className = "columns";
          body.appendChild(columnHeadings(tr, row.cells));
          return;
        }
        if (row.kind === "heading") {
          const heading = document.createElement("th");
          heading.colSpan = table.header.length;
          heading.scope = "colgroup";
          heading.className = "group";
          heading.textContent = row.cells[0];
          tr.appendChild(heading);
          body.appendChild(tr);
          return;
        }
        tableCells[r] = { tr, cells: [] };
        row.cells.forEach((text, c) => {
          const cell = document.createElement(c === 0 ? "th" : "td");
          if (c === 0) cell.scope = "row";
          cell.textContent = text;
          tableCells[r].cells.push(cell);
          tr.appendChild(cell);
        });
        body.appendChild(tr);
      });
      const caption = document.createElement("caption");
      caption.className = "visually-hidden";
      caption.textContent = "平均线膨胀系数表, 选中的材料与所用表点已标出";
      $("coefficientTable").replaceChildren(caption, head, body);
      $("tableNotes").textContent = table.notes.join("; ");
    }
    const element = $("coefficientTable");
    for (const marked of element.querySelectorAll(".chosen, .used, .near, .headings")) {
      marked.classList.remove("chosen", "used", "near", "headings");
      if (marked.tagName === "TD") marked.removeAttribute("aria-label");
    }
    element.classList.remove("wide", "user-chosen");
    const row = tableCells[table.row];
    if (!row) return;
    row.tr.classList.add("chosen");
    for (const c of table.cells) {
      const cell = row.cells[c];
      if (!cell) continue;
      cell.classList.add("used");
      cell.setAttribute("aria-label", cell.textContent + " (本次所用表点)");
    }
    // For the printed sheet: the row's own headings, and where it is too wide for the page,
    // the name, the range and the neighbourhood of the points used.
    let headings = element.querySelector("thead tr");
    for (let r = table.row - 1; r >= 0; r--) {
      if (table.rows[r].kind === "columns") {
        headings = element.querySelectorAll("tbody tr")[r];
        element.classList.add("user-chosen");
        break;
      }
    }
    headings.classList.add("headings");
    const near = new Set([0, 1, 2]);
    for (const c of table.cells) for (let k = c - 2; k <= c + 2; k++) near.add(k);
    if (row.cells.length > 16) element.classList.add("wide");
    for (const tr of [row.tr, headings]) {
      Array.from(tr.children).forEach((cell, c) => { if (near.has(c)) cell.classList.add("near"); });
    }
  }
})(window.velmarithParts = window.velmarithParts || {});
