"use strict";
// The material list and the user's own materials: read from a file, kept in the browser,
// exported, removed.
(function (W) {
  const $ = (id) => document.getElementById(id);
  const STORE = "velmarith.materials";
  const FILES_STORE = "velmarith.materialFiles";  // which file each material came from
  W.materials = [];

  // The eight with their ranges, then the user's own.
  W.fillMaterials = function (keep) {
    W.materials = JSON.parse(W.call("velmarith_materials"));
    const us = W.us();
    const options = W.materials.map((m) => new Option(
      (m.user ? "自定义: " : m.value + " ") + m.name + " (" + (us ? m.us : m.si) + ")", m.value));
    $("material").replaceChildren(...options);
    setMaterial(keep);
  };

  // The material a value of the list stands for: its own entry, or the group of a grade.
  W.materialOf = (value) =>
    W.materials.find((m) => m.value === value) || W.materials.find((m) => m.grades.includes(value));

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
    } else if (!W.materials.some((m) => m.value === value) && W.materialOf(value)) {
      // A grade (from a link, or as -m takes it) stays as given, with the group it is taken as.
      const option = new Option(value + ", 按 " + W.materialOf(value).name, value);
      option.dataset.unknown = "1";
      select.add(option);
    } else if (!W.materialOf(value)) {
      const option = new Option("未知材料: " + value, value);
      option.dataset.unknown = "1";
      select.add(option);
    }
    select.value = value;
  }

  // Where the coefficients come from, as a signed sheet must say.
  W.dataOrigin = function (values) {
    const chosen = W.materialOf(values.material);
    if (!chosen || !chosen.user) return "Velmarith 内置系数表";
    const files = W.readStore(FILES_STORE);
    return "自定义材料 " + chosen.name + (files[chosen.name] ? " (文件 " + files[chosen.name] + ")" : "");
  };

  function addMaterials(name, bytes) {
    const pointer = W.core._malloc(Math.max(bytes.length, 1));
    W.core.HEAPU8.set(bytes, pointer);
    try {
      return JSON.parse(W.call("velmarith_materials_add", name, pointer, bytes.length));
    } finally {
      W.core._free(pointer);
    }
  }

  function storeMaterials() {
    const csv = W.call("velmarith_materials_csv");
    try {
      if (csv) localStorage.setItem(STORE, csv);
      else localStorage.removeItem(STORE);
    } catch (error) {
      W.say("materialsStatus", "本浏览器不能保存材料 (存储不可用), 关闭页面后需重新载入");
    }
  }

  W.showMaterialList = function () {
    const list = $("materialsList");
    list.replaceChildren();
    for (const m of W.materials.filter((x) => x.user)) {
      const item = document.createElement("li");
      item.textContent = m.name + " (" + m.si + ")";
      const remove = document.createElement("button");
      remove.type = "button";
      remove.textContent = "删除";
      remove.setAttribute("aria-label", "删除材料 " + m.name);
      remove.addEventListener("click", () => {
        W.call("velmarith_materials_remove", m.name);
        storeMaterials();
        // Removing the material in use asks for another: nothing is switched unannounced.
        W.fillMaterials($("material").value === m.value ? "" : $("material").value);
        W.showMaterialList();
        W.say("materialsStatus", "已删除材料 " + m.name);
        W.update();
      });
      item.appendChild(remove);
      list.appendChild(item);
    }
    $("materialsExport").disabled = !W.materials.some((x) => x.user);
  };

  W.loadFile = async function (file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    const answer = addMaterials(file.name, bytes);
    const faults = $("materialsFaults");
    faults.replaceChildren(...answer.faults.map((text) => {
      const item = document.createElement("li");
      item.textContent = text;
      return item;
    }));
    if (answer.faults.length) {
      W.say("materialsStatus", "材料文件有误, 未载入任何材料 (" + answer.faults.length + " 处错误, 见下)");
      return;
    }
    storeMaterials();
    const files = W.readStore(FILES_STORE);
    for (const name of answer.added) files[name] = file.name;
    W.writeStore(FILES_STORE, files);
    const previous = $("material").value;
    W.fillMaterials(answer.added.length ? answer.added[0] : previous);
    W.showMaterialList();
    W.say("materialsStatus", "已载入材料: " + answer.added.join(", ") +
          (answer.replaced.length ? "; 已替换: " + answer.replaced.join(", ") : ""));
    W.update();
  };

  W.restoreMaterials = function () {
    let csv = null;
    try {
      csv = localStorage.getItem(STORE);
    } catch (error) {
      csv = null;
    }
    if (!csv) return;
    const answer = addMaterials("已保存的材料", new TextEncoder().encode(csv));
    if (answer.faults.length) {
      W.say("materialsStatus", "已保存的材料无法读取, 已清除: " + answer.faults.join("; "));
      try { localStorage.removeItem(STORE); } catch (error) { /* nothing kept anyway */ }
    }
  };

  W.exportMaterials = function () {
    const csv = W.call("velmarith_materials_csv");
    const link = document.createElement("a");
    link.href = "data:text/csv;charset=utf-8," + encodeURIComponent("\ufeff" + csv);
    link.download = "velmarith-materials.csv";
    document.body.appendChild(link);
    link.click();
    link.remove();
  };
})(window.velmarithParts = window.velmarithParts || {});
