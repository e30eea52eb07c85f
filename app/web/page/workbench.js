"use strict";
// The workbench: the form (workbench-form.js), velmarith-calc's figures for it as it is typed
// (workbench-render.js), the user's materials (workbench-materials.js), the link and the
// sheet as text (workbench-sheet.js), the project and its printed pages (workbench-project.js,
// workbench-book.js). This file starts them once the core is ready.
(function (W) {
  const $ = (id) => document.getElementById(id);

  W.call = (name, ...args) =>
    W.core.ccall(name, "string", args.map((a) => (typeof a === "number" ? "number" : "string")), args);
  W.oneLine = (text) => String(text).replace(/[\r\n]+/g, " ");

  W.readStore = function (key) {
    try {
      return JSON.parse(localStorage.getItem(key) || "{}") || {};
    } catch (error) {
      return {};
    }
  };

  W.writeStore = function (key, value) {
    try {
      localStorage.setItem(key, JSON.stringify(value));
    } catch (error) { /* the link still keeps it */ }
  };

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
  W.say = function (id, text) {
    $(id).textContent = "";
    requestAnimationFrame(() => { $(id).textContent = text; });
  };

  // A box that takes a file dropped on it, shown as it is dragged over.
  W.dropZone = function (zone, take) {
    zone.addEventListener("dragover", (event) => { event.preventDefault(); zone.classList.add("dragging"); });
    zone.addEventListener("dragleave", () => zone.classList.remove("dragging"));
    zone.addEventListener("drop", (event) => {
      event.preventDefault();
      zone.classList.remove("dragging");
      const file = event.dataTransfer.files[0];
      if (file) take(file);
    });
  };

  function start() {
    W.core = window.Module;
    W.inputs = JSON.parse(W.call("velmarith_inputs"));
    W.restoreMaterials();
    W.showChoice();
    const fromAddress = W.readAddress();
    if (!fromAddress) W.fillMaterials("0");
    W.showMaterialList();
    W.unitsChanged();
    W.startProject(fromAddress);
    W.update({ keepAddress: !fromAddress });
    if (!fromAddress) {
      // A fresh page keeps its plain address until something is typed.
      try { history.replaceState(null, "", location.pathname + location.search); } catch (error) { /* file: */ }
    } else {
      $("workbench").scrollIntoView();
      $("material").focus();
    }

    // The title block: kept, linked and printed, never computed.
    const keptTitles = W.readStore(W.TITLE_STORE);
    for (const id of Object.keys(W.TITLES)) {
      if (!fromAddress) $(id).value = keptTitles[id] || "";
      $(id).addEventListener("input", () => {
        const titles = {};
        for (const key of Object.keys(W.TITLES)) titles[key] = $(key).value;
        W.writeStore(W.TITLE_STORE, titles);
        W.writeAddress(W.formValues());
      });
    }
    W.projectReady();
    // Every edit; and a change that came without one (a value set by a script, autofill).
    for (const row of W.inputs) {
      const field = $(row.key);
      if (row.quantity === "units") {
        field.addEventListener("change", () => { W.convertFields(); W.unitsChanged(); W.update(); });
      } else if (field.tagName === "SELECT") {
        field.addEventListener("change", () => W.update());
      } else {
        field.addEventListener("input", () => W.update());
        field.addEventListener("change", () => W.update());
      }
    }
    window.addEventListener("hashchange", () => {
      if (!W.addressValues()) return;
      W.readAddress();
      W.unitsChanged();
      W.update({ keepAddress: true });
    });
    // The pipe's figures come and go with the sheet: one listener for every copy button.
    $("workbench").addEventListener("click", async (event) => {
      const button = event.target.closest("button.copy");
      if (!button) return;
      // A figure goes as the number alone, which a spreadsheet reads; a line as it is.
      const id = button.dataset.copy;
      const numbers = W.lastSheet ? W.lastSheet.sheet.numbers : {};
      const text = (id in numbers ? numbers[id] : $(id).textContent).trim();
      const done = await copyText(text);
      W.say("actionStatus", done ? "已复制: " + text : "无法复制");
    });
    for (const radio of document.querySelectorAll("#compensationChoice input")) {
      radio.addEventListener("change", () => { W.showChoice(); W.update(); });
    }
    $("copyLink").addEventListener("click", async () => {
      W.writeAddress(W.formValues());
      W.say("actionStatus", (await copyText(location.href)) ? "已复制链接" : "无法复制");
    });
    $("copySheet").addEventListener("click", async () => {
      W.say("actionStatus", (await copyText(W.sheetText())) ? "已复制计算书" : "无法复制");
    });
    // Printing lays the sheet out first (workbench-book.js).
    $("printSheet").addEventListener("click", () => window.print());
    $("materialsFile").addEventListener("change", () => {
      const file = $("materialsFile").files[0];
      if (file) W.loadFile(file).finally(() => { $("materialsFile").value = ""; });
    });
    W.dropZone($("dropZone"), W.loadFile);
    $("materialsExport").addEventListener("click", W.exportMaterials);
    // F6 goes between the window (whose Tab stays among its own controls) and the workbench.
    document.addEventListener("keydown", (event) => {
      if (event.key !== "F6" || !$("PromptOverlay").hidden) return;
      event.preventDefault();
      if ($("Window").contains(document.activeElement)) $("material").focus();
      else $("Combo1").focus();
    });
    // The request as the core gets it: what a test compares between the link and the form.
    window.velmarithWorkbench = { sheetText: W.sheetText, update: W.update,
                                  request: () => W.request(W.formValues()) };
    document.documentElement.dataset.workbench = "1";
  }

  const previous = window.velmarithReady;
  window.velmarithReady = (texts) => {
    if (previous) previous(texts);
    start(texts);
  };
})(window.velmarithParts = window.velmarithParts || {});
