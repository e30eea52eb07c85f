"use strict";
// Combo1 as the window has it: a text field that can be typed into, a drop-down button, and
// the list of entries below the field. Choosing an entry, the one already chosen too, sets
// the field's text and the selected position and is the list's click; typing only changes
// the text and leaves no entry selected. The keys are the window's combo box's: Alt+↓ or F4
// opens the list; in the closed field ↑ and ↓ (Page Up and Down, the wheel) choose the
// previous or next entry; in the open list ↑ ↓ Home End move, Enter chooses, Esc closes.
// The markup follows the WAI-ARIA combobox pattern, so that screen readers announce the
// field, the list and the entry moved to.
window.velmarithCombo = function (field, drop, list, { canChoose, onClick }) {
  let current = -1;   // where the arrows move from: the last entry chosen, kept while typing
  let selected = -1;  // the selected entry, -1 for none (at start, or after typing)
  let active = -1;    // the highlighted entry while the list is open
  let typed = false;
  const options = () => Array.from(list.querySelectorAll("[role=option]"));
  const isOpen = () => !list.hidden;

  function highlight(position) {
    active = position;
    options().forEach((option, i) => option.classList.toggle("active", i === position));
    if (position >= 0 && isOpen()) {
      const option = options()[position];
      field.setAttribute("aria-activedescendant", option.id);
      option.scrollIntoView({ block: "nearest" });
    } else {
      field.removeAttribute("aria-activedescendant");
    }
  }

  function markSelected() {
    options().forEach((option, i) => option.setAttribute("aria-selected", String(i === selected)));
  }

  function setOpen(open) {
    list.hidden = !open;
    for (const element of [field, drop]) element.setAttribute("aria-expanded", String(open));
    highlight(open ? current : -1);
  }

  function choose(position) {
    const entries = options();
    if (position < 0 || position >= entries.length || !canChoose()) return;
    setOpen(false);
    field.value = entries[position].textContent;
    current = selected = position;
    markSelected();
    field.focus();
    field.setSelectionRange(0, 0);  // the start of a long entry shows
    field.scrollLeft = 0;
    onClick();
  }

  // The closed field's ↑ and ↓: the next entry from the last one chosen, none past the ends.
  function step(by) {
    const next = current + by;
    if (next >= 0 && next < options().length && next !== current) choose(next);
  }

  field.addEventListener("input", () => {
    typed = true;
    selected = -1;
    markSelected();
    if (isOpen()) setOpen(false);
  });

  field.addEventListener("keydown", (event) => {
    const { key, altKey, ctrlKey, metaKey, shiftKey } = event;
    const bare = !altKey && !ctrlKey && !metaKey && !shiftKey;
    let handled = true;
    if (!isOpen()) {
      if ((key === "ArrowDown" && altKey) || (key === "F4" && bare)) setOpen(true);
      else if ((key === "ArrowDown" && !ctrlKey) || key === "PageDown") step(1);
      else if ((key === "ArrowUp" && !ctrlKey) || key === "PageUp") step(-1);
      else handled = false;
    } else {
      const last = options().length - 1;
      if ((key === "ArrowDown" && altKey) || (key === "ArrowUp" && altKey) || key === "F4" ||
          key === "Escape") setOpen(false);
      else if (key === "ArrowDown") highlight(Math.min(active + 1, last));
      else if (key === "ArrowUp") highlight(Math.max(active - 1, 0));
      else if (key === "Home" || key === "PageUp") highlight(0);
      else if (key === "End" || key === "PageDown") highlight(last);
      else if (key === "Enter") { if (active >= 0) choose(active); }
      else if (key === "Tab") { setOpen(false); handled = false; }
      else handled = false;
    }
    if (handled) event.preventDefault();
  });

  // Focus stays in the field while the button and the list are used with the mouse.
  for (const element of [drop, list]) {
    element.addEventListener("mousedown", (event) => event.preventDefault());
  }
  drop.addEventListener("click", () => {
    setOpen(!isOpen());
    field.focus();
  });
  // On a phone the field is too small to aim at the button: a tap on it opens the list too.
  field.addEventListener("pointerup", (event) => {
    if (event.pointerType === "touch" && !isOpen()) setOpen(true);
  });
  list.addEventListener("click", (event) => {
    const option = event.target.closest("[role=option]");
    if (option) choose(options().indexOf(option));
  });
  list.addEventListener("mousemove", (event) => {
    const option = event.target.closest("[role=option]");
    if (option) highlight(options().indexOf(option));
  });
  field.addEventListener("blur", () => { if (isOpen()) setOpen(false); });
  document.addEventListener("pointerdown", (event) => {
    if (isOpen() && ![field, drop, list].some((element) => element.contains(event.target))) {
      setOpen(false);
    }
  });
  for (const element of [field, drop]) {
    element.addEventListener("wheel", (event) => {
      if (isOpen() || event.deltaY === 0) return;
      event.preventDefault();
      field.focus();
      step(event.deltaY > 0 ? 1 : -1);
    }, { passive: false });
  }

  return {
    selected: () => selected,
    // The entries and the text at start, from the core; what the user typed meanwhile stays.
    setEntries(entries, startText) {
      list.replaceChildren(...entries.map((text, i) => {
        const option = document.createElement("div");
        option.id = "Combo1Option" + i;
        option.setAttribute("role", "option");
        option.textContent = text;
        return option;
      }));
      markSelected();
      if (!typed && selected < 0) field.value = startText;
    },
    // The caret after the text, as the window's field has it at start.
    focus() {
      field.focus();
      field.setSelectionRange(field.value.length, field.value.length);
    },
  };
};
