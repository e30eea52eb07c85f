"use strict";
// The page's side of the window: the controls, the print area, the modal prompt and the
// spoken lines. Every control event goes to the core's handler, one at a time; while one
// runs (it may be waiting on the prompt) nothing else acts.
(function () {
  const $ = (id) => document.getElementById(id);
  const win = $("Window"), area = $("PrintArea"), field = $("Combo1");
  const overlay = $("PromptOverlay"), promptLabel = $("PromptLabel"), promptText = $("PromptText");
  const menu = $("PrintMenu");
  let ready = false;
  let busy = false;
  let unspoken = [];
  let answer = null;  // resolves the open prompt
  // Choosing an entry is Combo1's click: not while the core starts or a handler runs.
  const combo = velmarithCombo(field, $("Combo1Drop"), $("Combo1List"),
                               { canChoose: () => ready && !busy, onClick: () => fire(1) });

  function speak() {
    const text = unspoken.join("\n");
    unspoken = [];
    if (!text) return;
    const spoken = $("Spoken");
    spoken.textContent = "";
    // A new text node after a frame, so that the same lines twice are spoken twice.
    requestAnimationFrame(() => { spoken.textContent = text; });
  }

  function setInert(on) {
    for (const id of ["Fit", "Spoken", "windowHint", "workbench"]) {
      const element = $(id);
      if (!element) continue;
      if (on) element.setAttribute("inert", ""); else element.removeAttribute("inert");
    }
  }

  function closePrompt(value) {
    if (!answer) return;
    const resolve = answer;
    answer = null;
    overlay.hidden = true;
    setInert(false);
    resolve(value);
  }

  window.velmarithPage = {
    print(text) {
      const line = document.createElement("div");
      line.textContent = text;
      area.appendChild(line);
      if (text.trim()) unspoken.push(text.trim());
    },
    clear() { area.replaceChildren(); },
    enable(n) { const b = $("Command" + n); if (b) b.disabled = false; },
    selected() { return combo.selected(); },
    prompt(text) {
      speak();  // a message before the prompt, such as 温度超过范围,请重试!
      return new Promise((resolve) => {
        answer = resolve;
        promptLabel.textContent = text;
        promptText.value = "";
        overlay.hidden = false;
        setInert(true);
        promptText.focus();
      });
    },
  };

  async function fire(control) {
    if (!ready || busy) return;
    busy = true;
    document.documentElement.dataset.busy = "1";
    const before = document.activeElement;
    try {
      await Module.ccall("velmarith_event", null, ["number"], [control], { async: true });
    } catch (error) {
      // The window never ends on its own: report and go on.
      console.error(error);
    } finally {
      busy = false;
      document.documentElement.dataset.busy = "0";
      speak();
      if (before && before !== document.body && document.contains(before) && !before.disabled) {
        before.focus();
      }
    }
  }

  $("PromptOK").addEventListener("click", () => closePrompt(promptText.value));
  $("PromptCancel").addEventListener("click", () => closePrompt(null));
  overlay.addEventListener("keydown", (event) => {
    if (event.key === "Enter" && event.target === promptText) {
      event.preventDefault();
      closePrompt(promptText.value);
    } else if (event.key === "Escape") {
      event.preventDefault();
      closePrompt(null);
    } else if (event.key === "Tab") {
      // Focus stays in the prompt while it is open.
      const order = [promptText, $("PromptOK"), $("PromptCancel")];
      const at = order.indexOf(document.activeElement);
      event.preventDefault();
      order[(at + (event.shiftKey ? order.length - 1 : 1)) % order.length].focus();
    }
  });

  // Tab goes round the window's controls as on the desktop: from the last usable one back to
  // Combo1, and Shift+Tab the other way.
  const tabbable = () => [field, ...[2, 3, 4, 5].map((n) => $("Command" + n)).filter((b) => !b.disabled)];
  win.addEventListener("keydown", (event) => {
    if (event.key !== "Tab") return;
    const order = tabbable();
    const at = order.indexOf(document.activeElement);
    if (at < 0) return;
    const next = at + (event.shiftKey ? -1 : 1);
    if (next < 0 || next >= order.length) {
      event.preventDefault();
      order[(next + order.length) % order.length].focus();
    }
  });

  for (const n of [2, 3, 4, 5]) $("Command" + n).addEventListener("click", () => fire(n));
  $("Label1").addEventListener("click", () => fire(6));

  // The print area's menu: 复制 copies the printed lines, from the mouse (right click on the
  // free part of the window) and from the keyboard (Menu or Shift+F10 on a button).
  function printedText() {
    return Array.from(area.children, (line) => line.textContent + "\n").join("");
  }
  async function copy() {
    const text = printedText();
    try {
      await navigator.clipboard.writeText(text);
    } catch (error) {
      const scratch = document.createElement("textarea");
      scratch.value = text;
      document.body.appendChild(scratch);
      scratch.select();
      document.execCommand("copy");
      scratch.remove();
    }
  }
  let menuReturn = null;
  function openMenu(x, y) {
    if (busy) return;
    menuReturn = document.activeElement;
    menu.style.left = x + "px";
    menu.style.top = y + "px";
    menu.hidden = false;
    $("PrintMenuCopy").disabled = area.children.length === 0;
    $("PrintMenuCopy").focus();
  }
  function closeMenu() {
    if (menu.hidden) return;
    menu.hidden = true;
    if (menuReturn && document.contains(menuReturn)) menuReturn.focus();
  }
  win.addEventListener("contextmenu", (event) => {
    if (event.target.closest("#Frame1")) return;
    event.preventDefault();
    openMenu(event.clientX, event.clientY);
  });
  for (const n of [2, 3, 4, 5]) {
    $("Command" + n).addEventListener("keydown", (event) => {
      if (event.key === "ContextMenu" || (event.key === "F10" && event.shiftKey)) {
        event.preventDefault();
        const box = win.getBoundingClientRect();
        openMenu(box.left + 16, box.top + 16);
      }
    });
  }
  $("PrintMenuCopy").addEventListener("click", async () => { await copy(); closeMenu(); });
  menu.addEventListener("keydown", (event) => { if (event.key === "Escape") closeMenu(); });
  document.addEventListener("mousedown", (event) => { if (!menu.contains(event.target)) closeMenu(); });

  // Narrower than the window: scaled down (velmarithFit, in the page before the first paint).
  window.addEventListener("resize", velmarithFit);
  velmarithFit();

  window.Module = {
    onRuntimeInitialized() {
      const texts = JSON.parse(Module.UTF8ToString(Module._velmarith_captions()));
      $("Frame1Caption").textContent = texts.frame;
      combo.setEntries(texts.entries, texts.listStart);
      ["Command2", "Command3", "Command4", "Command5"].forEach((id, i) => {
        $(id).textContent = texts.buttons[i];
      });
      $("Label1").textContent = texts.label;
      Module._velmarith_load();
      ready = true;
      combo.focus();
      document.documentElement.dataset.ready = "1";
      if (window.velmarithReady) window.velmarithReady(texts);
    },
  };

  // Installed from an HTTPS server, the page keeps working offline.
  if ("serviceWorker" in navigator &&
      (location.protocol === "https:" || location.hostname === "localhost")) {
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }
})();
