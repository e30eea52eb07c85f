"use strict";
// The workbench's form and its link. Every input is a row of the core's table
// (velmarith_inputs): its key names the field, its link key the address's part, its unit the
// label's and the conversion's. Nothing here lists the inputs.
(function (W) {
  const $ = (id) => document.getElementById(id);
  // The title block of the calculation sheet: kept in the link and in the browser.
  W.TITLES = { project: "pj", lineNo: "ln", preparedBy: "by", checkedBy: "ck" };
  W.TITLE_STORE = "velmarith.titles";
  // The units' values, as the core reads them.
  const SYSTEMS = ["si", "us"];

  W.hasUnit = (row) => row.si !== row.us;

  // The way to take up the movement: each line input belongs to one; the joint's are the
  // bellows'. Only the chosen way's inputs are shown, computed and linked.
  // An input of the table's named "compensation" (leg, loop or bellows) is the choice itself:
  // the buttons set it and it goes into the request and the link as any input.
  const WAY_OF = { given_leg: "leg", given_loop_width: "loop", given_loop_height: "loop",
                   compensation: "" };
  const WAYS = ["leg", "loop", "bellows"];
  const wayOf = (row) => (row.group === "line" && row.key in WAY_OF ? WAY_OF[row.key]
    : row.group === "line" ? "bellows" : "");
  W.choice = () => document.querySelector("#compensationChoice input:checked").value;
  // A way as its button names it: "bellows" is 波纹管补偿器.
  W.choiceName = function (way) {
    const radio = Array.from(document.querySelectorAll("#compensationChoice input")).find((r) => r.value === way);
    return radio ? radio.parentElement.textContent.trim() : way;
  };
  W.setChoice = function (way) {
    for (const radio of document.querySelectorAll("#compensationChoice input")) radio.checked = radio.value === way;
    W.showChoice();
  };
  W.showChoice = function () {
    for (const row of W.inputs) {
      if (wayOf(row)) $(row.key).closest(".field").hidden = wayOf(row) !== W.choice();
    }
    const field = W.inputs.some((row) => row.key === "compensation") && $("compensation");
    if (field) {
      field.value = W.choice();
      field.closest(".field").hidden = true;
    }
  };

  // The form as typed: every input by its key, "" when empty (or of a way not chosen).
  W.formValues = function () {
    const values = {};
    const way = W.choice();
    for (const row of W.inputs) {
      const shown = !wayOf(row) || wayOf(row) === way;
      values[row.key] = $(row.key) && shown ? W.oneLine($(row.key).value) : "";
    }
    // The choice is the pipe's: without one it has nothing to choose for.
    if ("compensation" in values && !values.od) values.compensation = "";
    return values;
  };

  // What the core reads: one object of strings by the inputs' keys.
  W.request = (values) => JSON.stringify(values);

  // ---- the address: #workbench?m=0&t=150&c=-20&l=1000&i=20&u=si
  W.addressValues = function () {
    const hash = location.hash;
    if (!hash.startsWith("#workbench")) return null;
    const at = hash.indexOf("?");
    return new URLSearchParams(at >= 0 ? hash.slice(at + 1) : "");
  };

  W.writeAddress = function (values) {
    const params = new URLSearchParams();
    for (const row of W.inputs) {
      const value = values[row.key];
      // A list at its default says nothing the page would not assume.
      const atDefault = $(row.key) && $(row.key).tagName === "SELECT" && value === row.defaultSi;
      if (value !== "" && !atDefault) params.set(row.link, value);
    }
    for (const [id, key] of Object.entries(W.TITLES)) {
      if ($(id).value) params.set(key, W.oneLine($(id).value));
    }
    const hash = "#workbench?" + params.toString();
    if (location.hash === hash) return;
    try {
      history.replaceState(null, "", hash);
    } catch (error) {
      location.replace(hash);
    }
  };

  const times = (n) => (n === 2 ? "两次" : n + " 次");

  // The link's values by input key and title id, each taken only when it is unambiguous:
  // a key given twice (or by both its names) or a units value the core does not take is left
  // out, and every such thing, and every key not known, is said in #linkNotice.
  function linkValues(params) {
    const byName = new Map();
    for (const row of W.inputs) {
      byName.set(row.link, { row });
      byName.set(row.key, { row });
    }
    for (const [id, key] of Object.entries(W.TITLES)) byName.set(key, { title: id });
    const inputs = {};
    const titles = {};
    const notices = [];
    const seen = new Set();
    for (const name of params.keys()) {
      if (seen.has(name)) continue;
      const known = byName.get(name);
      if (!known) {
        seen.add(name);
        notices.push("链接中的键 " + name + " 不认识, 已忽略");
        continue;
      }
      // An input's values under either of its names.
      const names = known.row ? [...new Set([known.row.link, known.row.key])] : [name];
      const given = [];
      for (const n of names) {
        seen.add(n);
        for (const value of params.getAll(n)) given.push(W.oneLine(value));
      }
      const said = names.filter((n) => params.has(n)).join("/");
      if (given.length > 1) {
        notices.push("链接中 " + said + " 出现了" + times(given.length) + " (" + given.join(", ") +
                     "), 均未采用");
        if (known.row) inputs[known.row.key] = null;
        else titles[known.title] = null;
        continue;
      }
      const value = given[0];
      if (known.title) {
        titles[known.title] = value;
      } else if (known.row.quantity === "units" && value !== "" &&
                 !SYSTEMS.includes(value.toLowerCase())) {
        notices.push("链接中的 " + said + "=" + value + " 无效 (应为 " + SYSTEMS.join(" 或 ") +
                     "), 未采用");
        inputs[known.row.key] = null;
      } else {
        inputs[known.row.key] = known.row.quantity === "units" ? value.toLowerCase() : value;
      }
    }
    return { inputs, titles, notices };
  }

  // The form from the address; false when the address is not the workbench's.
  W.readAddress = function () {
    const params = W.addressValues();
    if (!params) return false;
    const { inputs, titles, notices } = linkValues(params);
    $("linkNotice").textContent = notices.join("\n");
    // A value left out (null) is as if not given: the list's default, the field empty; but a
    // material given twice is asked for, not assumed.
    for (const row of W.inputs) {
      const value = inputs[row.key];
      if (row.quantity === "material") continue;
      if ($(row.key).tagName === "SELECT") $(row.key).value = value || row.defaultSi;
      else $(row.key).value = value || "";
    }
    // The material as the tool reads -m: a position in any form, a list text, a name.
    const material = W.inputs.find((row) => row.quantity === "material");
    const named = inputs[material.key] === undefined ? "0" : inputs[material.key] || "";
    const found = named && W.core ? W.call("velmarith_find_material", named) : "";
    W.fillMaterials(found || named);
    // The way is the one whose inputs the link gives.
    const given = (way) => W.inputs.some((row) => wayOf(row) === way && inputs[row.key]);
    const chosen = WAYS.includes(inputs.compensation) && inputs.compensation;
    W.setChoice(chosen || (given("bellows") ? "bellows" : given("loop") ? "loop" : "leg"));
    const kept = W.readStore(W.TITLE_STORE);
    for (const id of Object.keys(W.TITLES)) {
      $(id).value = titles[id] !== undefined ? titles[id] || "" : kept[id] || "";
    }
    return true;
  };

  // ---- the units: switching converts every filled figure, so that the form goes on
  // describing the same pipe; switching straight back gives what was typed.
  let typedIn = null;  // {units, values, converted}: what was typed before the last switch
  W.convertFields = function () {
    const rows = W.inputs.filter((row) => W.hasUnit(row) && $(row.key).tagName === "INPUT");
    const units = W.inputs.find((row) => row.quantity === "units");
    const to = $(units.key).value;
    const current = {};
    for (const row of rows) current[row.key] = $(row.key).value;
    const untouched = typedIn && typedIn.units === to &&
      rows.every((row) => typedIn.converted[row.key] === current[row.key]);
    if (untouched) {
      for (const row of rows) $(row.key).value = typedIn.values[row.key];
      typedIn = null;
      return;
    }
    const converted = {};
    for (const row of rows) {
      const text = current[row.key];
      converted[row.key] = text.trim() === "" ? text : W.call("velmarith_convert", row.key, text, to);
      $(row.key).value = converted[row.key];
    }
    typedIn = { units: to === "us" ? "si" : "us", values: current, converted };
  };

  W.us = () => $(W.inputs.find((row) => row.quantity === "units").key).value === "us";

  // The labels' units follow the list.
  W.unitsChanged = function () {
    const us = W.us();
    for (const row of W.inputs) {
      const label = $(row.key) && $(row.key).labels[0];
      const span = label && label.querySelector(".unit");
      if (span) span.textContent = us ? row.us : row.si;
    }
    W.fillMaterials($(W.inputs.find((row) => row.quantity === "material").key).value);
  };
})(window.velmarithParts = window.velmarithParts || {});
