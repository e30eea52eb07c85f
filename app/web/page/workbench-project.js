"use strict";
// The project: a job's segments, each one request of the form with its line number (管线号),
// kept in this browser, saved and opened as a project file, summed up in one table. The form
// edits the selected segment; an edit computes that segment's row again, and no other.
(function (W) {
  const $ = (id) => document.getElementById(id);
  const STORE = "velmarith.project";
  // The title block: field id, its name (also the project file's key).
  W.PROJECT_TITLES = [["projectName", "工程名称"], ["projectNumber", "工程号"],
                      ["projectStage", "设计阶段"], ["projectPreparedBy", "计算"],
                      ["projectCheckedBy", "校核"], ["projectApprovedBy", "审核"],
                      ["projectDate", "日期"]];
  // The summary's columns: the id of its cells (data-column) and its heading.
  W.SUMMARY_COLUMNS = [["index", "序号"], ["line", "管线号"], ["material", "材料"],
                       ["temperature", "热态温度"], ["cold", "冷态温度"], ["install", "安装温度"],
                       ["length", "长度"], ["movement", "位移"], ["compensation", "补偿"],
                       ["size", "尺寸"], ["anchor", "固定点荷载"], ["screen", "筛查"]];
  const MOST_SEGMENTS = 500;

  // {title: {工程名称: ...}, segments: [{uid, line, description, inputs}], selected, extra}
  W.project = { title: {}, segments: [], selected: 0, extra: {} };
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
      <thead><tr>${W.SUMMARY_COLUMNS.map(([, name]) => `<th scope="col">${name}</th>`).join("")}</tr></thead>
      <tbody></tbody>
    </table>
  </div>
</section>`;

  const selected = () => W.project.segments[W.project.selected];

  function newSegment(line, description, inputs) {
    return { uid: nextUid++, line: line || "", description: description || "", inputs: inputs || {} };
  }

  // ---- keeping: the whole project in this browser, after every change
  let saveTimer = 0;
  function keep() {
    clearTimeout(saveTimer);
    saveTimer = setTimeout(() => W.writeStore(STORE, W.projectDocument()), 200);
  }

  // The project as its file holds it.
  W.projectDocument = function () {
    const p = W.project;
    return Object.assign({}, p.extra, {
      format: "velmarith-project",
      version: 1,
      title: Object.fromEntries(W.PROJECT_TITLES.map(([, name]) => [name, p.title[name] || ""])),
      materials: W.call("velmarith_materials_csv"),
      segments: p.segments.map((s) => Object.assign({}, s.extra, {
        line: s.line, description: s.description, inputs: s.inputs })),
    });
  };

  // A project file's document taken in, or why not; nothing changes when it is refused.
  W.readProjectDocument = function (document) {
    if (!document || typeof document !== "object" || Array.isArray(document)) return "不是项目文件";
    if (document.format !== "velmarith-project") return "不是项目文件 (format 应为 velmarith-project)";
    if (!Number.isInteger(document.version) || document.version < 1) return "版本号无效";
    if (document.version > 1) return "项目文件的版本 " + document.version + " 比本程序新, 请升级 Velmarith";
    if (!Array.isArray(document.segments)) return "项目文件中没有管段表 (segments)";
    if (document.segments.length > MOST_SEGMENTS) return "管段过多 (最多 " + MOST_SEGMENTS + " 个)";
    const segments = [];
    for (const [n, s] of document.segments.entries()) {
      if (!s || typeof s !== "object" || typeof s.inputs !== "object" || !s.inputs) {
        return "第 " + (n + 1) + " 个管段不完整 (缺少 inputs)";
      }
      const inputs = {};
      for (const [key, value] of Object.entries(s.inputs)) inputs[key] = String(value);
      const { line, description, inputs: _, ...extra } = s;
      const segment = newSegment(String(line || ""), String(description || ""), inputs);
      segment.extra = extra;
      segments.push(segment);
    }
    if (typeof document.materials === "string" && document.materials) {
      const faults = W.addMaterialsText("项目文件中的材料", document.materials);
      if (faults.length) return "项目文件中的材料有误: " + faults.join("; ");
    }
    const { format, version, title, materials, segments: __, ...extra } = document;
    W.project = { title: Object.assign({}, title || {}), segments, selected: 0, extra };
    computed.clear();
    return "";
  };

  // A project file's materials join the kept ones, and are kept as a file's would be.
  W.addMaterialsText = function (name, csv) {
    const bytes = new TextEncoder().encode(csv);
    const pointer = W.core._malloc(Math.max(bytes.length, 1));
    W.core.HEAPU8.set(bytes, pointer);
    let answer;
    try {
      answer = JSON.parse(W.call("velmarith_materials_add", name, pointer, bytes.length));
    } finally {
      W.core._free(pointer);
    }
    if (!answer.faults.length) {
      try {
        localStorage.setItem("velmarith.materials", W.call("velmarith_materials_csv"));
      } catch (error) { /* the project file still holds them */ }
    }
    return answer.faults;
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
    showRow(segment);
    keep();
  }

  // A link's request: the segment that holds it, or a new one.
  function linkSegment(values) {
    // The link's title fields name the project when it has no such names yet.
    for (const [id, name] of [["project", "工程名称"], ["preparedBy", "计算"], ["checkedBy", "校核"]]) {
      if ($(id).value && !W.project.title[name]) W.project.title[name] = W.oneLine($(id).value);
    }
    showTitles();
    const request = W.request(values);
    const same = W.project.segments.findIndex((s) => W.request(s.inputs) === request);
    if (same >= 0) {
      W.project.selected = same;
    } else {
      W.project.segments.push(newSegment($("lineNo").value || "", "来自链接", values));
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
      if (answer && !answer.answer.sound) button.classList.add("fault");
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
    $("project").value = W.project.title["工程名称"] || "";
    $("preparedBy").value = W.project.title["计算"] || "";
    $("checkedBy").value = W.project.title["校核"] || "";
    for (const button of $("segmentList").querySelectorAll("button")) {
      const index = Array.prototype.indexOf.call($("segmentList").children, button.parentElement);
      button.setAttribute("aria-current", index === W.project.selected ? "true" : "false");
    }
  }

  // ---- the summary: one row a segment, computed when its request changes
  W.segmentAnswer = function (segment) {
    const request = W.request(segment.inputs);
    const kept = computed.get(segment.uid);
    if (kept && kept.request === request) return kept.answer;
    const answer = JSON.parse(W.call("velmarith_segment", request));
    computed.set(segment.uid, { request, answer });
    return answer;
  };

  function rowCells(segment, index) {
    const answer = W.segmentAnswer(segment);
    const cells = Object.assign({ index: String(index + 1), line: segment.line }, answer.summary);
    if (!answer.sound) cells.screen = "有误: " + answer.refusal;
    return { cells, sound: answer.sound };
  }

  function fillRow(tr, segment, index) {
    const { cells, sound } = rowCells(segment, index);
    tr.classList.toggle("fault", !sound);
    tr.classList.toggle("chosen", index === W.project.selected);
    tr.dataset.segment = String(index);
    W.SUMMARY_COLUMNS.forEach(([column], c) => {
      const cell = tr.children[c];
      cell.textContent = cells[column] || "";
    });
    tr.children[0].setAttribute("aria-label", (index + 1) + (sound ? "" : " (有误)"));
  }

  function newRow() {
    const tr = document.createElement("tr");
    W.SUMMARY_COLUMNS.forEach(([column], c) => {
      const cell = document.createElement(c === 0 ? "th" : "td");
      if (c === 0) cell.scope = "row";
      cell.dataset.column = column;
      tr.appendChild(cell);
    });
    return tr;
  }

  function showSummary() {
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
    if (!tr) return showSummary();
    fillRow(tr, segment, index);
    const button = $("segmentList").children[index] && $("segmentList").children[index].firstChild;
    if (button) {
      button.textContent = segmentName(segment, index);
      button.classList.toggle("fault", !computed.get(segment.uid).answer.sound);
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
    W.showTitle(W.formValues());
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
    (W.project.title["工程名称"] || "velmarith-project").replace(/[\\/:*?"<>|]+/g, "_") + ending;

  W.projectText = () => JSON.stringify(W.projectDocument(), null, 2) + "\n";

  W.openProjectText = function (text, name) {
    if (text.length > 5 * 1024 * 1024) return name + ": 文件过大 (超过 5 MB), 未打开";
    let document;
    try {
      document = JSON.parse(text.replace(/^\ufeff/, ""));
    } catch (error) {
      return name + ": 不是有效的 JSON (" + error.message + "), 未打开";
    }
    const fault = W.readProjectDocument(document);
    if (fault) return name + ": " + fault + ", 未打开";
    if (!W.project.segments.length) W.project.segments.push(newSegment("", "", {}));
    deleted = null;
    showTitles();
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
    for (const row of taken) W.project.segments.push(newSegment(row.line, "", row.inputs));
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

  // The summary as CSV for a spreadsheet: UTF-8 with its byte-order mark, CRLF.
  W.summaryCsv = function () {
    const quote = (text) => (/[",\r\n]/.test(text) ? '"' + text.replace(/"/g, '""') + '"' : text);
    const lines = [W.SUMMARY_COLUMNS.map(([, name]) => name)];
    W.project.segments.forEach((segment, index) => {
      const { cells } = rowCells(segment, index);
      lines.push(W.SUMMARY_COLUMNS.map(([column]) => cells[column] || ""));
    });
    return "\ufeff" + lines.map((cells) => cells.map(quote).join(",")).join("\r\n") + "\r\n";
  };

  function showTitles() {
    for (const [id, name] of W.PROJECT_TITLES) $(id).value = W.project.title[name] || "";
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
    if (kept.format !== "velmarith-project" || W.readProjectDocument(kept)) {
      W.project = { title: {}, segments: [], selected: 0, extra: {} };
    }
    if (!W.project.segments.length) {
      W.project.segments.push(newSegment("", "", fromAddress ? {} : W.formValues()));
    }
    showTitles();
    if (!$("projectDate").value) W.project.title["日期"] = $("projectDate").value = W.today();
    for (const [id, name] of W.PROJECT_TITLES) {
      $(id).addEventListener("input", () => {
        W.project.title[name] = W.oneLine($(id).value);
        showSegment();
        W.showTitle(W.formValues());
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
      add(newSegment("", "", { units: W.formValues().units }), W.project.selected + 1));
    $("segmentDuplicate").addEventListener("click", () => {
      const segment = selected();
      add(newSegment(segment.line, segment.description, Object.assign({}, segment.inputs)),
          W.project.selected + 1);
    });
    $("segmentUp").addEventListener("click", () => move(-1));
    $("segmentDown").addEventListener("click", () => move(1));
    $("segmentDelete").addEventListener("click", remove);
    $("segmentUndo").addEventListener("click", undo);
    // The one-run sheet's title fields and the project's are the same.
    $("lineNo").addEventListener("input", () => { $("segmentLine").value = $("lineNo").value; rename(); });
    for (const [id, name] of [["project", "工程名称"], ["preparedBy", "计算"], ["checkedBy", "校核"]]) {
      $(id).addEventListener("input", () => {
        W.project.title[name] = W.oneLine($(id).value);
        showTitles();
        keep();
      });
    }
    $("segmentLine").addEventListener("input", rename);
    $("segmentDescription").addEventListener("input", rename);
    $("projectSave").addEventListener("click", () => {
      download(fileName(".json"), "application/json", W.projectText());
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
    const zone = $("projectDrop");
    zone.addEventListener("dragover", (event) => { event.preventDefault(); zone.classList.add("dragging"); });
    zone.addEventListener("dragleave", () => zone.classList.remove("dragging"));
    zone.addEventListener("drop", (event) => {
      event.preventDefault();
      zone.classList.remove("dragging");
      const file = event.dataTransfer.files[0];
      if (file) openFile(file);
    });
    showList();
    window.velmarithProject = {
      document: W.projectDocument,
      text: W.projectText,
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
