"use strict";
// The workbench: the form, velmarith-calc's figures for it as it is typed, the plot, the
// table, the user's materials, the link and the printed sheet. Every figure comes from the
// core (velmarith_sheet); this file only shows it.
(function () {
  const $ = (id) => document.getElementById(id);
  // The pipe's fields, in the order the core reads them after the request's six.
  const PIPE_FIELDS = ["od", "wall", "modulus", "sa", "sc", "sh", "cycles"];
  const FIELDS = ["material", "temperature", "cold", "length", "install", "units", ...PIPE_FIELDS];
  const TEXT_FIELDS = ["temperature", "cold", "length", "install", ...PIPE_FIELDS];
  const OUTPUTS = ["coefficientLine", "installLine", "expansionLine", "rate", "finalLength",
                   "coldExpansion", "movement"];
  // The address keeps the inputs: #workbench?m=0&t=150&c=-20&l=1000&i=20&u=si
  const KEYS = { material: "m", temperature: "t", cold: "c", length: "l", install: "i", units: "u",
                 od: "d", wall: "w", modulus: "e", sa: "sa", sc: "sc", sh: "sh", cycles: "n" };
  const STORE = "velmarith.materials";
  // The title block of the calculation sheet: kept in the link and in the browser.
  const TITLES = { project: "pj", lineNo: "ln", preparedBy: "by", checkedBy: "ck" };
  const TITLE_STORE = "velmarith.titles";
  const FILES_STORE = "velmarith.materialFiles";  // which file each material came from
  let core = null;
  let materials = [];
  let spokenTimer = 0;
  let lastSheet = null;
  let lastPlot = null;
  let lastSketch = null;

  const call = (name, ...args) =>
    core.ccall(name, "string", args.map((a) => (typeof a === "number" ? "number" : "string")), args);
  const oneLine = (text) => String(text).replace(/[\r\n]+/g, " ");

  function formValues() {
    const values = {};
    for (const id of FIELDS) values[id] = oneLine($(id).value);
    return values;
  }

  // ---- the material list: the eight with their ranges, then the user's own
  function fillMaterials(keep) {
    materials = JSON.parse(call("velmarith_materials"));
    const select = $("material");
    const us = $("units").value === "us";
    const options = materials.map((m) => {
      const option = new Option((m.user ? "自定义: " : m.value + " ") + m.name + " (" +
                                (us ? m.us : m.si) + ")", m.value);
      return option;
    });
    select.replaceChildren(...options);
    setMaterial(keep);
  }

  // A value the list does not have (an old link) stays visible and marked; none ("") asks
  // for a material.
  function setMaterial(value) {
    const select = $("material");
    for (const option of Array.from(select.options)) {
      if (option.dataset.unknown) option.remove();
    }
    if (value === undefined || value === null) value = "0";
    if (value === "") {
      const option = new Option("请选择材料", "");
      option.dataset.unknown = "1";
      select.add(option, 0);
    } else if (!materials.some((m) => m.value === value)) {
      const option = new Option("未知材料: " + value, value);
      option.dataset.unknown = "1";
      select.add(option);
    }
    select.value = value;
  }

  // ---- one update: the core's sheet for the form as it stands
  function update(options) {
    try {
      show(options);
    } catch (error) {
      // Never a stale figure: whatever went wrong, nothing is shown as a result.
      console.error(error);
      for (const id of [...OUTPUTS, "alpha"]) $(id).textContent = "";
      $("explain").textContent = "";
      $("notice").textContent = "无法计算, 请检查输入";
    }
  }

  function show(options) {
    const values = formValues();
    const request = [values.material, values.temperature, values.length, values.install,
                     values.cold, values.units, ...PIPE_FIELDS.map((id) => values[id])].join("\n");
    const sheet = JSON.parse(call("velmarith_sheet", request));
    lastSheet = { values, sheet };
    for (const id of ["material", "temperature", "cold", "length", "install", ...PIPE_FIELDS]) {
      const message = sheet.faults[id] || "";
      $(id + "Error").textContent = message;
      if (message) $(id).setAttribute("aria-invalid", "true");
      else $(id).removeAttribute("aria-invalid");
    }
    $("notice").textContent = sheet.notice;
    $("rateLabel").textContent = sheet.rateLabel;
    for (const span of document.querySelectorAll("#workbench .unit-default")) span.textContent = sheet.defaultInstall;
    $("alpha").textContent = sheet.alpha;
    for (const id of OUTPUTS) $(id).textContent = sheet[id];
    // The copy buttons say the unit the copied number is in.
    for (const id of ["rate", "finalLength", "coldExpansion", "movement"]) {
      const unit = sheet[id].replace(/^[-+0-9.E]+/, "");
      $(id).nextElementSibling.setAttribute("aria-label", "复制" + $(id + "Label").textContent +
                                            (unit && id in sheet.numbers ? " (" + unit + ")" : ""));
    }
    for (const id of ["temperature", "install", "cold"]) {
      $(id + "Note").textContent = sheet.roundings[id] || "";
    }
    // A figure the request does not have (no cold state) is not offered at all.
    for (const id of ["rate", "finalLength", "coldExpansion", "movement"]) {
      $(id).closest("div").hidden = !sheet[id];
    }
    $("results").classList.toggle("nothing", Boolean(sheet.notice));
    for (const button of document.querySelectorAll("#workbench button.copy")) {
      button.disabled = !$(button.dataset.copy).textContent;
    }
    $("compensationBox").hidden = sheet.compensation.length === 0;
    $("compensation").textContent = sheet.compensation.join("\n");
    if (sheet.sketch !== lastSketch) {
      lastSketch = sheet.sketch;
      $("sketch").innerHTML = sheet.sketch;
      $("sketch").hidden = !sheet.sketch;
    }
    $("explain").textContent = sheet.explain.join("\n");
    $("explain").tabIndex = sheet.explain.length ? 0 : -1;
    if (sheet.plot !== lastPlot) {
      lastPlot = sheet.plot;
      $("plot").innerHTML = sheet.plot.replace(/^<\?xml[^>]*>\s*/, "");
      const title = $("plot").querySelector("svg title");
      $("plot").setAttribute("aria-label", title ? title.textContent : "无图");
    }
    showTable(sheet.table);
    showInputs(values, sheet);
    if (!(options && options.keepAddress)) writeAddress(values);
    // Spoken once typing stops, not at every key.
    clearTimeout(spokenTimer);
    spokenTimer = setTimeout(() => { $("spokenResults").textContent = spokenText(sheet); }, 700);
    document.documentElement.dataset.sheet = String(Number(document.documentElement.dataset.sheet || 0) + 1);
  }

  function spokenText(sheet) {
    if (sheet.notice) {
      const faults = Object.values(sheet.faults);
      return [sheet.notice, ...faults].join("。");
    }
    const parts = [sheet.coefficientLine, sheet.installLine, sheet.expansionLine]
      .map((t) => t.trim()).filter(Boolean);
    for (const id of ["rate", "finalLength", "coldExpansion", "movement"]) {
      if (sheet[id]) parts.push($(id + "Label").textContent + ": " + sheet[id]);
    }
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

  // ---- the printed sheet's inputs, and the sheet as text
  function inputRows(values, sheet) {
    const us = values.units === "us";
    const t = us ? "°F" : "摄氏度";
    const l = us ? "in" : "mm";
    const option = $("material").selectedOptions[0];
    const rows = [
      ["材料", option ? option.textContent : values.material],
      ["单位", us ? "美制 (°F, in)" : "公制 (摄氏度, mm)"],
      ["温度 (最热状态)", values.temperature ? values.temperature + " " + t : "未填"],
      ["冷态温度", values.cold ? values.cold + " " + t : "无"],
      ["长度", values.length ? values.length + " " + l : "未填"],
      ["安装温度", values.install ? values.install + " " + t : sheet.defaultInstall + " (默认)"],
    ];
    // The pipe's inputs, those given.
    const s = us ? "psi" : "MPa";
    const pipe = [["外径 D", "od", l], ["壁厚 t", "wall", l], ["弹性模量 Ea", "modulus", s],
                  ["许用位移应力范围 SA", "sa", s], ["冷态许用应力 Sc", "sc", s],
                  ["热态许用应力 Sh", "sh", s], ["循环次数 N", "cycles", ""]];
    for (const [name, id, unit] of pipe) {
      if (values[id]) rows.push([name, values[id] + (unit ? " " + unit : "")]);
    }
    return rows;
  }

  // Where the coefficients come from, as a signed sheet must say.
  function dataOrigin(values) {
    const chosen = materials.find((m) => m.value === values.material);
    if (!chosen || !chosen.user) return "Velmarith 内置系数表";
    const files = readStore(FILES_STORE);
    return "自定义材料 " + chosen.name + (files[chosen.name] ? " (文件 " + files[chosen.name] + ")" : "");
  }

  function readStore(key) {
    try {
      return JSON.parse(localStorage.getItem(key) || "{}") || {};
    } catch (error) {
      return {};
    }
  }

  function writeStore(key, value) {
    try {
      localStorage.setItem(key, JSON.stringify(value));
    } catch (error) { /* the link still keeps it */ }
  }

  function showTitle(values) {
    const list = $("sheetTitle");
    list.replaceChildren();
    const rows = [["工程名称", $("project").value], ["管线号", $("lineNo").value],
                  ["计算", $("preparedBy").value], ["校核", $("checkedBy").value],
                  ["数据来源", dataOrigin(values)]];
    for (const [name, value] of rows) {
      const dt = document.createElement("dt");
      dt.textContent = name;
      const dd = document.createElement("dd");
      dd.textContent = value || "";
      list.append(dt, dd);
    }
  }

  function showInputs(values, sheet) {
    showTitle(values);
    const list = $("sheetInputs");
    list.replaceChildren();
    for (const [name, value] of inputRows(values, sheet)) {
      const dt = document.createElement("dt");
      dt.textContent = name;
      const dd = document.createElement("dd");
      dd.textContent = value;
      list.append(dt, dd);
    }
  }

  function today() {
    const d = new Date();
    const two = (n) => String(n).padStart(2, "0");
    return d.getFullYear() + "-" + two(d.getMonth() + 1) + "-" + two(d.getDate());
  }

  function sheetText() {
    const { values, sheet } = lastSheet;
    const lines = [$("workbenchTitle").textContent, "日期 " + today() + " · Velmarith " +
                   $("workbench").dataset.version];
    for (const id of Object.keys(TITLES)) {
      if ($(id).value) lines.push($(id).labels[0].textContent + ": " + $(id).value);
    }
    lines.push("数据来源: " + dataOrigin(values), "", "输入:");
    for (const [name, value] of inputRows(values, sheet)) lines.push("  " + name + ": " + value);
    lines.push("", "结果:");
    if (sheet.notice) {
      lines.push("  " + sheet.notice);
      for (const message of Object.values(sheet.faults)) lines.push("  " + message);
    } else {
      for (const id of ["coefficientLine", "installLine", "expansionLine", "alpha"]) {
        if (sheet[id]) lines.push(sheet[id]);
      }
      for (const id of ["rate", "finalLength", "coldExpansion", "movement"]) {
        if (sheet[id]) lines.push("  " + $(id + "Label").textContent + ": " + sheet[id]);
      }
      if (sheet.compensation.length) lines.push("", "管道与补偿:", ...sheet.compensation);
      lines.push("", "计算过程:", ...sheet.explain);
    }
    lines.push("", "链接: " + location.href);
    return lines.join("\n") + "\n";
  }

  // ---- the address
  function addressValues() {
    const hash = location.hash;
    if (!hash.startsWith("#workbench")) return null;
    const at = hash.indexOf("?");
    return new URLSearchParams(at >= 0 ? hash.slice(at + 1) : "");
  }

  function writeAddress(values) {
    const params = new URLSearchParams();
    for (const id of FIELDS) {
      if (values[id] !== "" && !(id === "units" && values[id] === "si")) params.set(KEYS[id], values[id]);
    }
    for (const [id, key] of Object.entries(TITLES)) {
      if ($(id).value) params.set(key, oneLine($(id).value));
    }
    const hash = "#workbench?" + params.toString();
    if (location.hash === hash) return;
    try {
      history.replaceState(null, "", hash);
    } catch (error) {
      location.replace(hash);
    }
  }

  function readAddress() {
    const params = addressValues();
    if (!params) return false;
    // The short keys, or the fields' own names (…?temperature=150&units=us).
    const get = (id) => (params.has(KEYS[id]) ? params.get(KEYS[id]) : params.get(id));
    $("units").value = (get("units") || "").toLowerCase() === "us" ? "us" : "si";
    // The material as the tool reads -m: a position in any form, a list text, a name.
    const named = get("material") !== null ? oneLine(get("material")) : "0";
    const found = core ? call("velmarith_find_material", named) : "";
    fillMaterials(found || named);
    for (const id of TEXT_FIELDS) $(id).value = get(id) !== null ? oneLine(get(id)) : "";
    const kept = readStore(TITLE_STORE);
    for (const [id, key] of Object.entries(TITLES)) {
      $(id).value = params.has(key) ? oneLine(params.get(key)) : (kept[id] || "");
    }
    return true;
  }

  // ---- copying
  async function copyText(text) {
    try {
      await navigator.clipboard.writeText(text);
      return true;
    } catch (error) {
      const scratch = document.createElement("textarea");
      scratch.value = text;
      document.body.appendChild(scratch);
      scratch.select();
      const done = document.execCommand("copy");
      scratch.remove();
      return done;
    }
  }
  function say(id, text) {
    $(id).textContent = "";
    requestAnimationFrame(() => { $(id).textContent = text; });
  }

  // ---- materials of the user's own
  function addMaterials(name, bytes) {
    const pointer = core._malloc(Math.max(bytes.length, 1));
    core.HEAPU8.set(bytes, pointer);
    try {
      return JSON.parse(call("velmarith_materials_add", name, pointer, bytes.length));
    } finally {
      core._free(pointer);
    }
  }

  function storeMaterials() {
    const csv = call("velmarith_materials_csv");
    try {
      if (csv) localStorage.setItem(STORE, csv);
      else localStorage.removeItem(STORE);
    } catch (error) {
      say("materialsStatus", "本浏览器不能保存材料 (存储不可用), 关闭页面后需重新载入");
    }
  }

  function showMaterialList() {
    const list = $("materialsList");
    list.replaceChildren();
    for (const m of materials.filter((x) => x.user)) {
      const item = document.createElement("li");
      item.textContent = m.name + " (" + m.si + ")";
      const remove = document.createElement("button");
      remove.type = "button";
      remove.textContent = "删除";
      remove.setAttribute("aria-label", "删除材料 " + m.name);
      remove.addEventListener("click", () => {
        call("velmarith_materials_remove", m.name);
        storeMaterials();
        // Removing the material in use asks for another: nothing is switched unannounced.
        fillMaterials($("material").value === m.value ? "" : $("material").value);
        showMaterialList();
        say("materialsStatus", "已删除材料 " + m.name);
        update();
      });
      item.appendChild(remove);
      list.appendChild(item);
    }
    $("materialsExport").disabled = !materials.some((x) => x.user);
  }

  async function loadFile(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const answer = addMaterials(file.name, bytes);
    const faults = $("materialsFaults");
    faults.replaceChildren(...answer.faults.map((text) => {
      const item = document.createElement("li");
      item.textContent = text;
      return item;
    }));
    if (answer.faults.length) {
      say("materialsStatus", "材料文件有误, 未载入任何材料 (" + answer.faults.length + " 处错误, 见下)");
      return;
    }
    storeMaterials();
    const files = readStore(FILES_STORE);
    for (const name of answer.added) files[name] = file.name;
    writeStore(FILES_STORE, files);
    const previous = $("material").value;
    fillMaterials(answer.added.length ? answer.added[0] : previous);
    showMaterialList();
    say("materialsStatus", "已载入材料: " + answer.added.join(", ") +
        (answer.replaced.length ? "; 已替换: " + answer.replaced.join(", ") : ""));
    update();
  }

  function restoreMaterials() {
    let csv = null;
    try {
      csv = localStorage.getItem(STORE);
    } catch (error) {
      csv = null;
    }
    if (!csv) return;
    const answer = addMaterials("已保存的材料", new TextEncoder().encode(csv));
    if (answer.faults.length) {
      say("materialsStatus", "已保存的材料无法读取, 已清除: " + answer.faults.join("; "));
      try { localStorage.removeItem(STORE); } catch (error) { /* nothing kept anyway */ }
    }
  }

  function exportMaterials() {
    const csv = call("velmarith_materials_csv");
    const link = document.createElement("a");
    link.href = "data:text/csv;charset=utf-8," + encodeURIComponent("\ufeff" + csv);
    link.download = "velmarith-materials.csv";
    document.body.appendChild(link);
    link.click();
    link.remove();
  }

  // ---- start
  function start(texts) {
    core = window.Module;
    $("sheetDate").textContent = today();
    restoreMaterials();
    const fromAddress = readAddress();
    if (!fromAddress) fillMaterials("0");
    showMaterialList();
    unitsChanged();
    update({ keepAddress: !fromAddress });
    if (!fromAddress) {
      // A fresh page keeps its plain address until something is typed.
      try { history.replaceState(null, "", location.pathname + location.search); } catch (error) { /* file: */ }
    } else {
      $("workbench").scrollIntoView();
      $("material").focus();
    }

    // The title block: kept, linked and printed, never computed.
    const keptTitles = readStore(TITLE_STORE);
    for (const id of Object.keys(TITLES)) {
      if (!fromAddress) $(id).value = keptTitles[id] || "";
      $(id).addEventListener("input", () => {
        const titles = {};
        for (const key of Object.keys(TITLES)) titles[key] = $(key).value;
        writeStore(TITLE_STORE, titles);
        writeAddress(formValues());
        showTitle(formValues());
      });
    }
    showTitle(formValues());
    // Every edit; and a change that came without one (a value set by a script, autofill).
    for (const id of TEXT_FIELDS) {
      $(id).addEventListener("input", () => update());
      $(id).addEventListener("change", () => update());
    }
    $("material").addEventListener("change", () => update());
    $("units").addEventListener("change", () => { convertFields(); unitsChanged(); update(); });
    window.addEventListener("hashchange", () => {
      if (!addressValues()) return;
      readAddress();
      unitsChanged();
      update({ keepAddress: true });
    });
    for (const button of document.querySelectorAll("#workbench button.copy")) {
      button.addEventListener("click", async () => {
        // A figure goes as the number alone, which a spreadsheet reads; a line as it is.
        const id = button.dataset.copy;
        const numbers = lastSheet ? lastSheet.sheet.numbers : {};
        const text = (id in numbers ? numbers[id] : $(id).textContent).trim();
        const done = await copyText(text);
        say("actionStatus", done ? "已复制: " + text : "无法复制");
      });
    }
    $("copyLink").addEventListener("click", async () => {
      writeAddress(formValues());
      say("actionStatus", (await copyText(location.href)) ? "已复制链接" : "无法复制");
    });
    $("copySheet").addEventListener("click", async () => {
      say("actionStatus", (await copyText(sheetText())) ? "已复制计算书" : "无法复制");
    });
    $("printSheet").addEventListener("click", () => window.print());
    window.addEventListener("beforeprint", () => { $("sheetDate").textContent = today(); });
    $("materialsFile").addEventListener("change", () => {
      const file = $("materialsFile").files[0];
      if (file) loadFile(file).finally(() => { $("materialsFile").value = ""; });
    });
    const zone = $("dropZone");
    zone.addEventListener("dragover", (event) => { event.preventDefault(); zone.classList.add("dragging"); });
    zone.addEventListener("dragleave", () => zone.classList.remove("dragging"));
    zone.addEventListener("drop", (event) => {
      event.preventDefault();
      zone.classList.remove("dragging");
      const file = event.dataTransfer.files[0];
      if (file) loadFile(file);
    });
    $("materialsExport").addEventListener("click", exportMaterials);
    // F6 goes between the window (whose Tab stays among its own controls) and the workbench.
    document.addEventListener("keydown", (event) => {
      if (event.key !== "F6" || !$("PromptOverlay").hidden) return;
      event.preventDefault();
      if ($("Window").contains(document.activeElement)) $("material").focus();
      else $("Combo1").focus();
    });
    window.velmarithWorkbench = { sheetText, update };
    document.documentElement.dataset.workbench = "1";
  }

  // Switching the units converts every filled field, so that the figures go on describing the
  // same pipe; switching straight back gives what was typed.
  const KINDS = { temperature: "t", cold: "t", install: "t", length: "l", od: "l", wall: "l",
                  modulus: "s", sa: "s", sc: "s", sh: "s" };
  let typedIn = null;  // {units, values, converted}: what was typed before the last switch
  function convertFields() {
    const to = $("units").value;
    const current = {};
    for (const id of Object.keys(KINDS)) current[id] = $(id).value;
    const untouched = typedIn && typedIn.units === to &&
      Object.keys(KINDS).every((id) => typedIn.converted[id] === current[id]);
    if (untouched) {
      for (const id of Object.keys(KINDS)) $(id).value = typedIn.values[id];
      typedIn = null;
      return;
    }
    const converted = {};
    for (const id of Object.keys(KINDS)) {
      converted[id] = current[id].trim() === "" ? current[id]
        : call("velmarith_convert", KINDS[id], current[id], to);
      $(id).value = converted[id];
    }
    typedIn = { units: to === "us" ? "si" : "us", values: current, converted };
  }

  function unitsChanged() {
    const us = $("units").value === "us";
    for (const span of document.querySelectorAll("#workbench .unit-t")) span.textContent = us ? "°F" : "摄氏度";
    for (const span of document.querySelectorAll("#workbench .unit-l")) span.textContent = us ? "in" : "mm";
    for (const span of document.querySelectorAll("#workbench .unit-s")) span.textContent = us ? "psi" : "MPa";
    fillMaterials($("material").value);
  }

  const previous = window.velmarithReady;
  window.velmarithReady = (texts) => {
    if (previous) previous(texts);
    start(texts);
  };
})();
