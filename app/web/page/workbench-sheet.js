"use strict";
// The calculation sheet's inputs and figures as it lists them, and the whole sheet as text.
(function (W) {
  const $ = (id) => document.getElementById(id);

  // An input as the sheet names it: "温度 (最热状态)", the pipe's with their symbols.
  function sheetName(row) {
    let name = row.label;
    if (row.group !== "calculation" && row.symbol) name += " " + row.symbol;
    return row.note ? name + " (" + row.note + ")" : name;
  }

  // The inputs as the sheet lists them: the units named before the first figure in them, the
  // pipe's only where given.
  function sheetOrder() {
    const rows = W.inputs.filter((row) => row.quantity !== "units");
    const first = rows.findIndex(W.hasUnit);
    rows.splice(first < 0 ? rows.length : first, 0, ...W.inputs.filter((row) => row.quantity === "units"));
    return rows;
  }

  // Each input as the sheet lists it: its name, its value, its unit apart. The pipe's and the
  // line's only where given; the calculation's with their defaults said.
  W.inputRows = function (values, sheet) {
    const us = values.units === "us";
    const rows = [];
    for (const row of sheetOrder()) {
      const value = values[row.key] || "";
      const field = $(row.key);
      const unit = us ? row.us : row.si;
      if (!value && row.group !== "calculation") continue;
      if (field.tagName === "SELECT") {
        const option = Array.from(field.options).find((o) => o.value === (value || row.defaultSi));
        const text = option ? option.textContent : value;
        // "公制: 摄氏度, mm" on the list, "公制 (摄氏度, mm)" on the sheet.
        rows.push([sheetName(row), row.quantity === "units" ? text.replace(/^(.*?): (.*)$/, "$1 ($2)") : text, ""]);
      } else if (value) {
        rows.push([sheetName(row), row.quantity === "choice" ? W.choiceName(value) : value, unit]);
      } else {
        // The installation's default as the sheet says it, in both scales where US.
        const fallback = row.quantity === "temperature" ? sheet.defaultInstall
          : row.defaultSi + (unit ? " " + unit : "");
        rows.push([sheetName(row), row.required ? "未填" : row.defaultSi ? fallback + " (默认)" : "无", ""]);
      }
    }
    return rows;
  };

  W.today = function () {
    const d = new Date();
    const two = (n) => String(n).padStart(2, "0");
    return d.getFullYear() + "-" + two(d.getMonth() + 1) + "-" + two(d.getDate());
  };

  // The form's request as one segment: its figures as the sheet lists them, and their notes.
  W.runAnswer = (values) => JSON.parse(W.call("velmarith_segment", W.request(values), $("lineNo").value, "{}"));

  W.sheetText = function () {
    const { values, sheet } = W.lastSheet;
    const lines = [$("workbenchTitle").textContent, "日期 " + W.today() + " · Velmarith " +
                   $("workbench").dataset.version];
    for (const id of Object.keys(W.TITLES)) {
      if ($(id).value) lines.push($(id).labels[0].textContent + ": " + $(id).value);
    }
    lines.push("数据来源: " + W.dataOrigin(values), "", "输入:");
    for (const [name, value, unit] of W.inputRows(values, sheet)) {
      lines.push("  " + name + ": " + value + (unit ? " " + unit : ""));
    }
    lines.push("", "结果:");
    // As printed: each figure once with its symbol and unit, then the notes and the working.
    const answer = W.runAnswer(values);
    if (!answer.sound) {
      for (const message of [sheet.notice, ...Object.values(sheet.faults)]) if (message) lines.push("  " + message);
    } else {
      for (const [quantity, symbol, value, unit] of answer.figures) {
        lines.push("  " + quantity + (symbol ? " " + symbol : "") + ": " + value + (unit ? " " + unit : ""));
      }
      if (answer.notes.length) lines.push("", "注:", ...answer.notes.map((note, i) => "  " + (i + 1) + ". " + note));
      lines.push("", "计算过程:", ...sheet.explain);
    }
    lines.push("", "链接: " + location.href);
    return lines.join("\n") + "\n";
  };
})(window.velmarithParts = window.velmarithParts || {});
