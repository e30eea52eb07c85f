"use strict";
// The project: a job's segments, each one request of the form with its line number (管线号),
// kept in this browser, saved and opened as a project file, summed up in one table. The form
// edits the selected segment; an edit computes that segment's row again, and no other.
(function (W) {
  const $ = (id) => document.getElementById(id);
  const STORE = "velmarith.project";
  // The title block: field id, its name, its key in the project file.
  W.PROJECT_TITLES = [["projectName", "工程名称", "project"], ["projectNumber", "工程号", "number"],
                      ["projectStage", "设计阶段", "stage"],
                      ["projectPreparedBy", "计算", "calculated_by"],
                      ["projectCheckedBy", "校核", "checked_by"],
                      ["projectApprovedBy", "审核", "approved_by"], ["projectDate", "日期", "date"]];
  // The summary's columns (the cells' data-column), the core's summary row's after the first;
  // the headings, with the project's units, are the core's too.
  W.SUMMARY_COLUMNS = ["index", "line", "material", "hot", "cold", "install", "length", "movement",
                       "compensation", "size", "anchorLoad", "screen", "fault"];
  W.summaryHeader = () => ["序号", ...JSON.parse(W.call("velmarith_segment",
    JSON.stringify({ units: W.project.units }), "", "{}")).header];
  const MOST_SEGMENTS = 500;

  // As the project file has it: {title: {project, ...}, units, segments: [{uid, line,
  // description, inputs (with the units, for the form), otherInputs, extra}], selected, extra}
  W.project = { title: {}, units: "si", segments: [], selected: 0, extra: {} };
  let nextUid = 1;
  let deleted = null;     // {segment, at}: what 撤销删除 puts back
  let fromLink = false;   // the next form update is a link's request: a segment of its own
  const computed = new Map();  // uid → {request, answer}

  const PANEL = `
<section id="projectBox" class="screen-only" aria-labelledby="projectHeading">
  <h2 id="projectHeading">项目</h2>
  <fieldset id="projectTitleBlock">
    <legend>工程与签署 (打印在计算书封面)</legend>
    ${W.PROJECT_TITLES.map(([id, name]) => `<div class="field"><label for="${id}">${name}</label>` +
      `<input id="${id}" type="text" spellcheck="false" maxlength="80"></div>`).join("")}
  </fieldset>
  <div id="segmentPanel">
    <h3 id="segmentHeading">管段</h3>
    <ol id="segmentList" aria-labelledby="segmentHeading"></ol>
    <div class="segment-edit">
      <div class="field"><label for="segmentLine">管线号</label>
        <input id="segmentLine" type="text" spellcheck="false" maxlength="80"></div>
      <div class="field"><label for="segmentDescription">说明</label>
        <input id="segmentDescription" type="text" spellcheck="false" maxlength="200"></div>
    </div>
    <div class="segment-actions" role="group" aria-label="管段操作">
      <button type="button" id="segmentAdd">新增管段</button>
      <button type="button" id="segmentDuplicate">复制管段</button>
      <button type="button" id="segmentUp">上移</button>
      <button type="button" id="segmentDown">下移</button>
      <button type="button" id="segmentDelete">删除管段</button>
      <button type="button" id="segmentUndo" disabled>撤销删除</button>
    </div>
  </div>
  <div id="projectFiles" role="group" aria-label="项目文件">
    <div id="projectDrop">
      <label for="projectFile">打开项目文件…</label>
      <input id="projectFile" type="file" accept=".json,application/json">
      <label for="projectCsv">导入批量 CSV…</label>
      <input id="projectCsv" type="file" accept=".csv,text/csv,text/plain">
      <span class="hint">或将项目文件 (.json) 或 CSV 拖放到此框内</span>
    </div>
    <button type="button" id="projectSave">保存项目文件</button>
    <button type="button" id="summaryCsv">导出汇总表 CSV</button>
    <button type="button" id="printBook">打印项目计算书</button>
  </div>
  <p id="projectStatus" role="status"></p>
  <div class="table-scroll" tabindex="0" role="region" aria-labelledby="summaryCaption">
    <table id="projectSummary">
      <caption id="summaryCaption">管段汇总表</caption>
      <thead><tr></tr></thead>
      <tbody></tbody>
    </table>
  </div>
</section>`;

  const selected = () => W.project.segments[W.project.selected];

  function newSegment(line, description, inputs) {
    return { uid: nextUid++, line: line || "", description: description || "", inputs: inputs || {},
             otherInputs: {}, extra: {} };
  }

  // ---- keeping: the whole project in this browser, after every change
  let saveTimer = 0;
  function store() {
    clearTimeout(saveTimer);
    saveTimer = 0;
    W.writeStore(STORE, Object.assign(W.projectDocument(), { selected: W.project.selected }));
  }
  // Once typing pauses, and at once when the page goes away.
  function keep() {
    clearTimeout(saveTimer);
    saveTimer = setTimeout(store, 200);
  }
  window.addEventListener("pagehide", () => { if (saveTimer) store(); });

  // The project as a document of its file's shape; the core adds the materials it names.
  W.projectDocument = function () {
    const p = W.project;
    const keys = new Set(W.inputs.map((row) => row.key));
    return Object.assign({}, p.extra, {
      format: "velmarith-project",
      version: 1,
      title: p.title,
      units: p.units,
      segments: p.segments.map((s) => {
        const inputs = Object.assign({}, s.otherInputs);
        for (const [key, value] of Object.entries(s.inputs)) {
          if (value !== "" && key !== "units" && keys.has(key)) inputs[key] = value;
        }
        return Object.assign({}, s.extra, { line: s.line, description: s.description, inputs });
      }),
    });
  };

  // The project file's text, as the core writes it, or its fault.
  W.projectFile = () => JSON.parse(W.call("velmarith_project_write", JSON.stringify(W.projectDocument())));

  // A project file's text taken in (its materials kept), or why not; nothing else changes
  // when it is refused.
  W.readProjectText = function (text) {
    const answer = JSON.parse(W.call("velmarith_project_read", text));
    if (answer.fault !== undefined) {
      return answer.fault + (answer.line ? " (第 " + answer.line + " 行第 " + answer.column + " 列)" : "");
    }
    const { format, version, title, units, materials, segments, ...extra } = answer.document;
    if (segments.length > MOST_SEGMENTS) return "管段过多 (最多 " + MOST_SEGMENTS + " 个)";
    const keys = new Set(W.inputs.map((row) => row.key));
    W.project = {
      title: Object.assign({}, title), units, selected: 0, extra,
      segments: segments.map((s) => {
        const { line, description, inputs, ...rest } = s;
        const segment = newSegment(line || "", description || "", { units });
        segment.extra = rest;
        for (const [key, value] of Object.entries(inputs || {})) {
          if (keys.has(key) && key !== "units" && typeof value === "string") segment.inputs[key] = value;
          else segment.otherInputs[key] = value;
        }
        return segment;
      }),
    };
    if (materials.length) {
      try {
        localStorage.setItem("velmarith.materials", W.call("velmarith_materials_csv"));
      } catch (error) { /* the project file still holds them */ }
    }
    computed.clear();
    return "";
  };

  // ---- the form and the selected segment
  W.setForm = function (inputs) {
    for (const row of W.inputs) {
      if (row.quantity === "material") continue;
      const field = $(row.key);
      const value = inputs[row.key];
      if (field.tagName === "SELECT") field.value = value || row.defaultSi;
      else field.value = value || "";
    }
    const material = W.inputs.find((row) => row.quantity === "material");
    const named = inputs[material.key] === undefined ? "0" : inputs[material.key] || "";
    const found = named ? W.call("velmarith_find_material", named) : "";
    W.fillMaterials(found || named);
  };

  W.selectSegment = function (index) {
    const segments = W.project.segments;
    if (!segments.length) return;
    W.project.selected = Math.max(0, Math.min(index, segments.length - 1));
    const segment = selected();
    W.setForm(segment.inputs);
    W.unitsChanged();
    showSegment();
    W.update();
  };

  // The form's values into the selected segment, and its row computed again.
  function formEdited() {
    if (fromLink) {
      fromLink = false;
      linkSegment(W.formValues());
      return;
    }
    const segment = selected();
    if (!segment) return;
    segment.inputs = W.formValues();
    if (segment.inputs.units && segment.inputs.units !== W.project.units) {
      unitsOfProject(segment.inputs.units, segment);
      showSummary();
    } else {
      showRow(segment);
    }
    keep();
  }

  // The units are the project's: switching them in the form converts every other segment's
  // figures as the form's own, so that each goes on describing the same pipe.
  function unitsOfProject(to, except) {
    W.project.units = to;
    for (const segment of W.project.segments) {
      if (segment === except) continue;
      for (const row of W.inputs) {
        const text = segment.inputs[row.key];
        if (W.hasUnit(row) && text && text.trim() !== "") {
          segment.inputs[row.key] = W.call("velmarith_convert", row.key, text, to);
        }
      }
      segment.inputs.units = to;
    }
  }

  // A link's request: the segment that holds it, or a new one.
  function linkSegment(values) {
    // The link's title fields name the project when it has no such names yet.
    for (const [id, name] of [["project", "project"], ["preparedBy", "calculated_by"], ["checkedBy", "checked_by"]]) {
      if ($(id).value && !W.project.title[name]) W.project.title[name] = W.oneLine($(id).value);
    }
    showTitles();
    // The same request however it was kept: its given inputs, in one order.
    const given = (inputs) => JSON.stringify(Object.keys(inputs).filter((key) => inputs[key])
      .sort().map((key) => [key, inputs[key]]));
    const request = given(values);
    const same = W.project.segments.findIndex((s) => given(s.inputs) === request);
    if (same >= 0) {
      W.project.selected = same;
    } else {
      W.project.segments.push(newSegment($("lineNo").value || "", "来自链接", values));
      if (values.units && values.units !== W.project.units) unitsOfProject(values.units, selected());
      W.project.selected = W.project.segments.length - 1;
      W.say("projectStatus", "已将链接中的计算加入项目, 为第 " + W.project.segments.length + " 个管段");
    }
    showList();
    showSegment();
    showRow(selected());
    keep();
  }

  // ---- the list
  function segmentName(segment, index) {
    return (segment.line || "管段 " + (index + 1)) + (segment.description ? " — " + segment.description : "");
  }

  function showList() {
    const list = $("segmentList");
    list.replaceChildren(...W.project.segments.map((segment, index) => {
      const item = document.createElement("li");
      const button = document.createElement("button");
      button.type = "button";
      button.className = "segment";
      button.textContent = segmentName(segment, index);
      button.setAttribute("aria-current", index === W.project.selected ? "true" : "false");
      const answer = computed.get(segment.uid);
      if (answer && W.summaryCells(segment, index).fault) button.classList.add("fault");
      button.addEventListener("click", () => W.selectSegment(index));
      item.appendChild(button);
      return item;
    }));
    const count = W.project.segments.length;
    $("segmentDuplicate").disabled = !count;
    $("segmentDelete").disabled = count <= 1;
    $("segmentUp").disabled = W.project.selected <= 0;
    $("segmentDown").disabled = W.project.selected >= count - 1;
    $("segmentUndo").disabled = !deleted;
    showSummary();
  }

  function showSegment() {
    const segment = selected();
    $("segmentLine").value = segment ? segment.line : "";
    $("segmentDescription").value = segment ? segment.description : "";
    // The one-run sheet's title follows the project's.
    $("lineNo").value = segment ? segment.line : "";
    $("project").value = W.project.title.project || "";
    $("preparedBy").value = W.project.title.calculated_by || "";
    $("checkedBy").value = W.project.title.checked_by || "";
    for (const button of $("segmentList").querySelectorAll("button")) {
      const index = Array.prototype.indexOf.call($("segmentList").children, button.parentElement);
      button.setAttribute("aria-current", index === W.project.selected ? "true" : "false");
    }
  }

  // ---- the summary: one row a segment, computed when its request changes
  W.segmentAnswer = function (segment) {
    const request = W.request(segment.inputs);
    const kept = computed.get(segment.uid);
    if (kept && kept.request === request && kept.line === segment.line && kept.other === segment.otherInputs) {
      return kept.answer;
    }
    const answer = JSON.parse(W.call("velmarith_segment", request, segment.line,
                                     JSON.stringify(segment.otherInputs || {})));
    computed.set(segment.uid, { request, line: segment.line, other: segment.otherInputs, answer });
    return answer;
  };

  // A line number more than one segment has: allowed, and said in each of their rows.
  function repeatedLines() {
    const seen = new Map();
    for (const s of W.project.segments) if (s.line) seen.set(s.line, (seen.get(s.line) || 0) + 1);
    return new Set([...seen].filter(([, n]) => n > 1).map(([line]) => line));
  }
  let repeated = new Set();

  // A segment's row: the core's summary row, and whether it is at fault.
  W.summaryCells = function (segment, index) {
    const answer = W.segmentAnswer(segment);
    const cells = Object.assign({ index: String(index + 1) }, answer.row);
    if (repeated.has(segment.line)) cells.fault += (cells.fault ? "; " : "") + "管线号重复";
    return { cells, fault: Boolean(cells.fault) };
  };

  function fillRow(tr, segment, index) {
    const { cells, fault } = W.summaryCells(segment, index);
    tr.classList.toggle("fault", fault);
    tr.classList.toggle("chosen", index === W.project.selected);
    tr.dataset.segment = String(index);
    W.SUMMARY_COLUMNS.forEach((column, c) => {
      const cell = tr.children[c];
      cell.textContent = cells[column] || "";
    });
    tr.children[0].setAttribute("aria-label", (index + 1) + (fault ? " (有误)" : ""));
  }

  function newRow() {
    const tr = document.createElement("tr");
    W.SUMMARY_COLUMNS.forEach((column, c) => {
      const cell = document.createElement(c === 0 ? "th" : "td");
      if (c === 0) cell.scope = "row";
      cell.dataset.column = column;
      tr.appendChild(cell);
    });
    return tr;
  }

  let headerUnits = "";
  function showSummary() {
    if (headerUnits !== W.project.units) {
      headerUnits = W.project.units;
      const head = $("projectSummary").tHead.rows[0];
      head.replaceChildren(...W.summaryHeader().map((text) => {
        const th = document.createElement("th");
        th.scope = "col";
        th.textContent = text;
        return th;
      }));
    }
    repeated = repeatedLines();
    const body = $("projectSummary").tBodies[0];
    const rows = W.project.segments.map((segment, index) => {
      const tr = body.children[index] || newRow();
      fillRow(tr, segment, index);
      return tr;
    });
    body.replaceChildren(...rows);
  }

  // One segment's row, the others untouched.
  function showRow(segment) {
    const index = W.project.segments.indexOf(segment);
    const tr = $("projectSummary").tBodies[0].children[index];
    const lines = repeatedLines();
    const same = lines.size === repeated.size && [...lines].every((line) => repeated.has(line));
    if (!tr || !same) return showSummary();
    fillRow(tr, segment, index);
    const button = $("segmentList").children[index] && $("segmentList").children[index].firstChild;
    if (button) {
      button.textContent = segmentName(segment, index);
      button.classList.toggle("fault", tr.classList.contains("fault"));
    }
  }

  // ---- the list's actions
  function add(segment, at) {
    if (W.project.segments.length >= MOST_SEGMENTS) {
      W.say("projectStatus", "管段已达 " + MOST_SEGMENTS + " 个, 不能再加");
      return;
    }
    W.project.segments.splice(at, 0, segment);
    showList();
    W.selectSegment(at);
    keep();
  }

  function move(by) {
    const from = W.project.selected;
    const to = from + by;
    const segments = W.project.segments;
    if (to < 0 || to >= segments.length) return;
    [segments[from], segments[to]] = [segments[to], segments[from]];
    W.project.selected = to;
    showList();
    showSegment();
    keep();
    // The moved segment keeps the focus when its button can go no further.
    if ($(by < 0 ? "segmentUp" : "segmentDown").disabled) $("segmentList").children[to].firstChild.focus();
  }

  function remove() {
    const segments = W.project.segments;
    if (segments.length <= 1) return;
    const at = W.project.selected;
    const [segment] = segments.splice(at, 1);
    deleted = { segment, at };
    W.say("projectStatus", "已删除 " + segmentName(segment, at) + "; 可撤销删除");
    showList();
    W.selectSegment(Math.min(at, segments.length - 1));
    keep();
    $("segmentUndo").focus();
  }

  function undo() {
    if (!deleted) return;
    const { segment, at } = deleted;
    deleted = null;
    W.say("projectStatus", "已恢复 " + segmentName(segment, at));
    add(segment, Math.min(at, W.project.segments.length));
  }

  function rename() {
    const segment = selected();
    if (!segment) return;
    segment.line = W.oneLine($("segmentLine").value);
    segment.description = W.oneLine($("segmentDescription").value);
    $("lineNo").value = segment.line;
    showRow(segment);
    keep();
  }

  // ---- files
  function download(name, type, text) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([text], { type }));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  const fileName = (ending) =>
    (W.project.title.project || "velmarith-project").replace(/[\\/:*?"<>|]+/g, "_") + ending;

  W.openProjectText = function (text, name) {
    if (text.length > 5 * 1024 * 1024) return name + ": 文件过大 (超过 5 MB), 未打开";
    const fault = W.readProjectText(text);
    if (fault) return name + ": " + fault + ", 未打开";
    if (!W.project.segments.length) W.project.segments.push(newSegment("", "", { units: W.project.units }));
    deleted = null;
    showTitles();
    W.fillMaterials($("material").value);
    W.showMaterialList();
    showList();
    W.selectSegment(0);
    keep();
    return "";
  };

  async function openFile(file) {
    if (/\.csv$/i.test(file.name) || file.type === "text/csv") return importCsv(file);
    if (file.size > 5 * 1024 * 1024) {
      W.say("projectStatus", file.name + ": 文件过大 (超过 5 MB), 未打开");
      return;
    }
    const fault = W.openProjectText(await file.text(), file.name);
    W.say("projectStatus", fault || "已打开 " + file.name + ", 共 " + W.project.segments.length + " 个管段");
  }

  W.importCsvBytes = function (bytes) {
    const pointer = W.core._malloc(Math.max(bytes.length, 1));
    W.core.HEAPU8.set(bytes, pointer);
    let answer;
    try {
      answer = JSON.parse(W.call("velmarith_csv_segments", pointer, bytes.length));
    } finally {
      W.core._free(pointer);
    }
    const room = MOST_SEGMENTS - W.project.segments.length;
    const taken = answer.segments.slice(0, Math.max(room, 0));
    // A project that has only its first, empty segment takes the rows in its place.
    const first = selected();
    const only = W.project.segments.length === 1 && !first.line &&
      !first.inputs.temperature && !first.inputs.length;
    if (taken.length && only) W.project.segments = [];
    for (const row of taken) {
      W.project.segments.push(newSegment(row.line, row.description, Object.assign({ units: W.project.units }, row.inputs)));
    }
    return { added: taken.length, faults: answer.faults };
  };

  async function importCsv(file) {
    const { added, faults } = W.importCsvBytes(new Uint8Array(await file.arrayBuffer()));
    if (added) {
      showList();
      W.selectSegment(W.project.segments.length - added);
      keep();
    }
    W.say("projectStatus", file.name + ": 导入 " + added + " 个管段" +
          (faults.length ? "; " + faults.join("; ") : ""));
  }

  // The summary as CSV for a spreadsheet, as velmarith-calc writes it for the same file.
  W.summaryCsv = function () {
    const file = W.projectFile();
    if (file.text === undefined) return "";
    // The byte-order mark Excel needs; the core's text loses it on its way in (TextDecoder).
    return "\ufeff" + W.call("velmarith_project_summary_csv", file.text).replace(/^\ufeff/, "");
  };

  function showTitles() {
    for (const [id, , key] of W.PROJECT_TITLES) $(id).value = W.project.title[key] || "";
  }

  // Once the workbench has set its own title fields: the project's in them.
  // A link's own title fields stand, and name the project when it has no name yet.
  W.projectReady = function () {
    if (startedFromLink) {
      const segment = selected();
      if (segment && $("lineNo").value && !segment.line) segment.line = $("lineNo").value;
      $("segmentLine").value = segment ? segment.line : "";
      $("segmentDescription").value = segment ? segment.description : "";
      showList();
      keep();
      return;
    }
    showSegment();
  };
  let startedFromLink = false;

  // ---- start: before the workbench's own listeners, so that a link's request is seen first
  W.startProject = function (fromAddress) {
    $("workbenchForm").insertAdjacentHTML("beforebegin", PANEL);
    const kept = W.readStore(STORE);
    if (kept.format !== "velmarith-project" || W.readProjectText(JSON.stringify(kept))) {
      W.project = { title: {}, units: W.formValues().units || "si", segments: [], selected: 0, extra: {} };
    }
    if (!W.project.segments.length) {
      W.project.segments.push(newSegment("", "", fromAddress ? {} : W.formValues()));
    }
    if (kept.selected >= 0 && kept.selected < W.project.segments.length) W.project.selected = kept.selected;
    delete W.project.extra.selected;
    showTitles();
    if (!$("projectDate").value) W.project.title.date = $("projectDate").value = W.today();
    for (const [id, , key] of W.PROJECT_TITLES) {
      $(id).addEventListener("input", () => {
        W.project.title[key] = W.oneLine($(id).value);
        showSegment();
        keep();
      });
    }
    const update = W.update;
    W.update = function (options) {
      update(options);
      formEdited();
    };
    startedFromLink = Boolean(fromAddress);
    if (fromAddress) {
      fromLink = true;
    } else {
      W.setForm(selected().inputs);
    }
    window.addEventListener("hashchange", () => { if (W.addressValues()) fromLink = true; });
    $("segmentAdd").addEventListener("click", () =>
      add(newSegment("", "", { units: W.project.units }), W.project.selected + 1));
    $("segmentDuplicate").addEventListener("click", () => {
      const segment = selected();
      const copy = newSegment(segment.line, segment.description, Object.assign({}, segment.inputs));
      copy.otherInputs = Object.assign({}, segment.otherInputs);
      copy.extra = Object.assign({}, segment.extra);
      add(copy, W.project.selected + 1);
    });
    $("segmentUp").addEventListener("click", () => move(-1));
    $("segmentDown").addEventListener("click", () => move(1));
    $("segmentDelete").addEventListener("click", remove);
    $("segmentUndo").addEventListener("click", undo);
    // The one-run sheet's title fields and the project's are the same.
    $("lineNo").addEventListener("input", () => { $("segmentLine").value = $("lineNo").value; rename(); });
    for (const [id, name] of [["project", "project"], ["preparedBy", "calculated_by"], ["checkedBy", "checked_by"]]) {
      $(id).addEventListener("input", () => {
        W.project.title[name] = W.oneLine($(id).value);
        showTitles();
            keep();
      });
    }
    $("segmentLine").addEventListener("input", rename);
    $("segmentDescription").addEventListener("input", rename);
    $("projectSave").addEventListener("click", () => {
      const file = W.projectFile();
      if (file.text === undefined) {
        W.say("projectStatus", "无法保存项目文件: " + file.fault);
        return;
      }
      download(fileName(".json"), "application/json", file.text);
      W.say("projectStatus", "已保存项目文件 " + fileName(".json"));
    });
    $("summaryCsv").addEventListener("click", () => {
      download(fileName("-汇总.csv"), "text/csv;charset=utf-8", W.summaryCsv());
      W.say("projectStatus", "已导出汇总表");
    });
    for (const id of ["projectFile", "projectCsv"]) {
      $(id).addEventListener("change", () => {
        const file = $(id).files[0];
        if (!file) return;
        (id === "projectCsv" ? importCsv(file) : openFile(file)).finally(() => { $(id).value = ""; });
      });
    }
    W.dropZone($("projectDrop"), openFile);
    showList();
    window.velmarithProject = {
      document: W.projectDocument,
      text: () => W.projectFile().text,
      open: (text) => W.openProjectText(text, "project.json"),
      summaryCsv: W.summaryCsv,
      // For the benchmark: every row computed afresh, then every segment's full sheet; ms.
      computeAll: () => {
        computed.clear();
        const start = performance.now();
        showSummary();
        const rows = performance.now();
        for (const segment of W.project.segments) W.call("velmarith_sheet", W.request(segment.inputs));
        return { rows: rows - start, sheets: performance.now() - rows };
      },
      summary: () => Array.from($("projectSummary").tBodies[0].rows, (tr) =>
        Object.fromEntries(Array.from(tr.cells, (cell) => [cell.dataset.column, cell.textContent]))),
    };
    W.startBook();
  };
})(window.velmarithParts = window.velmarithParts || {});
