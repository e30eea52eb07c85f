"use strict";
// The project's 计算书: one A4 document laid out here page by page, so that every page has its
// header and "第 N 页 共 M 页", no row, box or figure is split, and the contents know their
// pages. A cover with the title block and signatures, the contents, the summary, then each
// segment from a new page: its inputs, its figures, its working, its sketch and plot.
(function (W) {
  const $ = (id) => document.getElementById(id);

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // A table whose rows may go on over pages, each page's part with its own headings.
  function tableBlock(caption, headings, rows, className) {
    const make = (continued) => {
      const table = element("table", "book-table " + (className || ""));
      if (caption) table.appendChild(element("caption", "", caption + (continued ? " (续)" : "")));
      const head = table.createTHead().insertRow();
      for (const text of headings) head.appendChild(element("th", "", text));
      table.appendChild(element("tbody"));
      return table;
    };
    const trs = rows.map((cells) => {
      const tr = element("tr");
      cells.forEach((text, c) => tr.appendChild(element("td", "c" + c, text)));
      return tr;
    });
    return { make, rows: trs, into: (table) => table.tBodies[0] };
  }

  // The working: a box of lines, closed on each page and said to go on.
  function workingBlock(lines) {
    const make = (continued) => {
      const box = element("div", "book-working");
      box.appendChild(element("h4", "", "计算过程" + (continued ? " (续)" : "")));
      box.appendChild(element("div", "lines"));
      return box;
    };
    return { make, rows: lines.map((line) => element("div", "working-line", line)), into: (box) => box.lastChild };
  }

  // An input as the sheet names it, its value and its unit.
  function inputRows(values, sheet) {
    const us = values.units === "us";
    const rows = [];
    for (const row of W.inputs) {
      const value = values[row.key] || "";
      const field = $(row.key);
      const name = row.label + (row.symbol ? " " + row.symbol : "") + (row.note ? " (" + row.note + ")" : "");
      if (field.tagName === "SELECT") {
        const option = Array.from(field.options).find((o) => o.value === (value || row.defaultSi));
        rows.push([name, option ? option.textContent : value, ""]);
      } else if (value) {
        rows.push([name, value, us ? row.us : row.si]);
      } else if (row.group === "calculation") {
        const fallback = row.quantity === "temperature" ? sheet.defaultInstall
          : row.defaultSi + ((us ? row.us : row.si) ? " " + (us ? row.us : row.si) : "");
        rows.push([name, row.required ? "未填" : row.defaultSi ? fallback + " (默认)" : "无", ""]);
      }
    }
    return rows;
  }

  function figureBlock(svg, caption) {
    const figure = element("figure", "book-figure");
    const holder = element("div", "svg");
    holder.innerHTML = svg.replace(/^<\?xml[^>]*>\s*/, "");
    figure.appendChild(holder);
    figure.appendChild(element("figcaption", "", caption));
    return figure;
  }

  const segmentTitle = (segment, index) =>
    "管段 " + (index + 1) + ": " + (segment.line || "(未填管线号)") +
    (segment.description ? " — " + segment.description : "");

  // Every section: its header's line number, whether it starts a page, its blocks.
  function sections() {
    const p = W.project;
    const title = p.title;
    const cover = [];
    cover.push(element("h1", "book-title", "热膨胀计算书"));
    cover.push(element("p", "book-project", title.project || "(未填工程名称)"));
    const block = tableBlock("", ["项目", "内容"], [
      ["工程名称", title.project || ""], ["工程号", title.number || ""],
      ["设计阶段", title.stage || ""], ["日期", title.date || ""],
      ["管段数", String(p.segments.length)],
      ["计算程序", "Velmarith " + $("workbench").dataset.version]], "book-titles");
    const titles = block.make(false);
    for (const tr of block.rows) titles.tBodies[0].appendChild(tr);
    cover.push(titles);
    const signs = tableBlock("签署", ["职责", "姓名", "签字", "日期"],
      [["计算", "calculated_by"], ["校核", "checked_by"], ["审核", "approved_by"]].map(
        ([role, key]) => [role, title[key] || "", "", ""]), "book-signs");
    const signTable = signs.make(false);
    for (const tr of signs.rows) signTable.tBodies[0].appendChild(tr);
    cover.push(signTable);

    const contents = tableBlock("目录", ["序号", "管线号", "说明", "页码"], [
      ["", "汇总表", "", ""],
      ...p.segments.map((s, i) => [String(i + 1), s.line || "(未填)", s.description, ""])], "book-contents");

    const cells = p.segments.map((segment, index) => W.summaryCells(segment, index));
    const summary = tableBlock("管段汇总表", W.summaryHeader(),
      cells.map((row) => W.SUMMARY_COLUMNS.map((column) => row.cells[column] || "")), "book-summary");
    cells.forEach((row, index) => { if (row.fault) summary.rows[index].classList.add("fault"); });

    const list = [
      { line: "", newPage: true, blocks: cover },
      { line: "", newPage: true, blocks: [contents], id: "contents" },
      { line: "", newPage: true, blocks: [summary], id: "summary" },
    ];
    p.segments.forEach((segment, index) => {
      const answer = W.segmentAnswer(segment);
      const sheet = JSON.parse(W.call("velmarith_sheet", W.request(segment.inputs)));
      const blocks = [element("h2", "", segmentTitle(segment, index))];
      blocks.push(tableBlock("输入", ["输入", "值", "单位"], inputRows(segment.inputs, sheet), "book-inputs"));
      if (!answer.sound) {
        blocks.push(element("p", "book-fault", "本管段输入有误, 未计算: " + answer.row.fault));
      } else {
        blocks.push(tableBlock("结果", ["名称", "符号", "数值", "单位"], answer.figures, "book-figures"));
        if (sheet.explain.length) blocks.push(workingBlock(sheet.explain));
        if (sheet.sketch) {
          blocks.push(figureBlock(sheet.sketch, "示意图, 不按比例: L 形弯的垂直臂长 Lg; Π 形补偿器的宽 W 与每臂高 H。"));
        }
        if (sheet.plot) {
          blocks.push(figureBlock(sheet.plot, "α(T) 实线, 圆圈为表点; ΔL(T) 虚线。实心圆点: 热态; 空心方块: 安装; 实心菱形: 冷态。"));
        }
      }
      list.push({ line: segment.line || "管段 " + (index + 1), newPage: true, blocks, segment: index });
    });
    return list;
  }

  function newPage(book, line) {
    const page = element("section", "book-page");
    const head = element("header", "book-head");
    head.appendChild(element("span", "book-where",
      (W.project.title.project || "热膨胀计算书") + (line ? " · 管线号 " + line : "")));
    head.appendChild(element("span", "book-number"));
    page.appendChild(head);
    page.appendChild(element("div", "book-body"));
    book.appendChild(page);
    return page;
  }

  const overflows = (body) => body.scrollHeight > body.clientHeight + 1;

  // Lays the sections out in pages; the answer is the number of pages.
  W.buildBook = function () {
    const book = $("projectBook");
    book.replaceChildren();
    const starts = {};
    let page = null;
    for (const section of sections()) {
      page = newPage(book, section.line);
      if (section.id) starts[section.id] = book.children.length;
      if (section.segment !== undefined) starts["segment" + section.segment] = book.children.length;
      for (const block of section.blocks) {
        let body = page.lastChild;
        if (block instanceof Element) {
          body.appendChild(block);
          if (overflows(body) && body.children.length > 1) {
            block.remove();
            page = newPage(book, section.line);
            page.lastChild.appendChild(block);
          }
          continue;
        }
        // Rows: as many as fit on each page, the block's headings again on the next.
        let container = block.make(false);
        let started = false;
        body.appendChild(container);
        for (const row of block.rows) {
          block.into(container).appendChild(row);
          if (overflows(body)) {
            row.remove();
            if (!block.into(container).children.length) container.remove();
            page = newPage(book, section.line);
            body = page.lastChild;
            container = block.make(started);
            body.appendChild(container);
            block.into(container).appendChild(row);
          }
          started = true;
        }
      }
    }
    const total = book.children.length;
    Array.from(book.children).forEach((p, n) => {
      p.querySelector(".book-number").textContent = "第 " + (n + 1) + " 页 共 " + total + " 页";
    });
    // The contents' pages, now that they are known.
    const pages = [starts.summary, ...W.project.segments.map((s, i) => starts["segment" + i])];
    const cells = book.querySelectorAll(".book-contents tbody td.c3");
    cells.forEach((cell, i) => { cell.textContent = String(pages[i]); });
    return total;
  };

  W.printBook = function () {
    const pages = W.buildBook();
    document.documentElement.classList.add("book-printing");
    return pages;
  };

  W.startBook = function () {
    const book = element("div");
    book.id = "projectBook";
    book.setAttribute("aria-hidden", "true");
    document.body.appendChild(book);
    window.addEventListener("afterprint", () => document.documentElement.classList.remove("book-printing"));
    $("printBook").addEventListener("click", () => {
      W.printBook();
      window.print();
    });
    window.velmarithProject.book = W.printBook;
    window.velmarithProject.endBook = () => document.documentElement.classList.remove("book-printing");
  };
})(window.velmarithParts = window.velmarithParts || {});
