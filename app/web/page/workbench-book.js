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

  // A cell's text with a figure and its unit, a symbol and its value, kept on one line: the
  // cell wraps only where its words part. The spaces stay spaces, as the text is copied.
  function cell(className, text) {
    const td = element("td", className);
    const joined = String(text).replace(/ = /g, "\u00a0=\u00a0")
      .replace(/(\d) (?=[A-Za-zμ°²个]|摄氏度)/g, "$1\u00a0")
      .replace(/(^|[^A-Za-z])([LZΠ]) (?=形)/g, "$1$2\u00a0");
    joined.split(/([^ \n]*\u00a0[^ \n]*)/).forEach((part, n) => {
      if (n % 2) td.appendChild(element("span", "keep", part.replace(/\u00a0/g, " ")));
      else if (part) td.appendChild(document.createTextNode(part));
    });
    return td;
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
      cells.forEach((text, c) => tr.appendChild(cell("c" + c, text)));
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

  function figureBlock(svg, caption) {
    const figure = element("figure", "book-figure");
    const holder = element("div", "svg");
    holder.innerHTML = svg.replace(/^<\?xml[^>]*>\s*/, "");
    figure.appendChild(holder);
    figure.appendChild(element("figcaption", "", caption));
    return figure;
  }

  // A run's inputs, figures, working (with the table's points it used), sketch and plot: a
  // segment of the 计算书, or the one-run sheet.
  function runBlocks(values, sheet, answer) {
    // Two inputs a row, each value with its unit: a short table leaves room for the plot.
    const inputs = W.inputRows(values, sheet).map(([name, value, unit]) => [name, value + (unit ? " " + unit : "")]);
    const pairs = [];
    for (let i = 0; i < inputs.length; i += 2) pairs.push([...inputs[i], ...(inputs[i + 1] || ["", ""])]);
    const blocks = [tableBlock("输入", ["输入", "值", "输入", "值"], pairs, "book-inputs")];
    if (!answer.sound) {
      const why = answer.row.fault || [sheet.notice, ...Object.values(sheet.faults)].filter(Boolean).join("; ");
      blocks.push(element("p", "book-fault", "输入有误或不全, 未计算: " + why));
      return blocks;
    }
    blocks.push(tableBlock("结果", ["名称", "符号", "数值", "单位"], answer.figures, "book-figures"));
    if (answer.notes.length) {
      const notes = element("div", "book-notes");
      notes.appendChild(element("h4", "", "注"));
      const list = element("ol");
      for (const note of answer.notes) list.appendChild(element("li", "", note));
      notes.appendChild(list);
      blocks.push(notes);
    }
    if (sheet.explain.length) blocks.push(workingBlock(sheet.explain));
    const way = values.compensation;
    // Each sketch with the caption the workbench shows under it.
    const caption = (id) => $(id).querySelector("figcaption").textContent;
    if (sheet.sketch && way !== "bellows") blocks.push(figureBlock(sheet.sketch, caption("sketchFigure")));
    if (sheet.bellowsSketch && way === "bellows") {
      blocks.push(figureBlock(sheet.bellowsSketch, caption("bellowsFigure")));
    }
    if (sheet.plot) {
      // The key names the points the plot marks: the cold state's only where there is one.
      const cold = String(values.cold || "").trim() ? "; 实心菱形: 冷态" : "";
      blocks.push(figureBlock(sheet.plot, "α(T) 实线, 圆圈为表点; ΔL(T) 虚线。实心圆点: 温度 T; 空心方块: 安装温度" + cold + "。"));
    }
    return blocks;
  }

  // Each page's header: the project and the line number, and who computes and checks.
  function where(line) {
    const title = W.project.title;
    return [title.project || "热膨胀计算书", line ? "管线号 " + line : "",
            title.calculated_by ? "计算 " + title.calculated_by : "",
            title.checked_by ? "校核 " + title.checked_by : ""].filter(Boolean).join(" · ");
  }

  const segmentTitle = (segment, index) =>
    "管段 " + (index + 1) + ": " + (segment.line || "(未填管线号)") +
    (segment.description ? " — " + segment.description : "");

  // Every section: its header's line number, whether it starts a page, its blocks.
  function sections() {
    const p = W.project;
    const title = p.title;
    const cover = [];
    // A book with a segment not computed says so on its cover, not only on that segment's page.
    const unsound = p.segments.filter((segment) => !W.segmentAnswer(segment).sound).length;
    cover.push(element("h1", "book-title", "热膨胀计算书"));
    cover.push(element("p", "book-project", title.project || "(未填工程名称)"));
    const block = tableBlock("", ["项目", "内容"], [
      ["工程名称", title.project || ""], ["工程号", title.number || ""],
      ["设计阶段", title.stage || ""], ["日期", title.date || ""],
      ["管段数", String(p.segments.length) + (unsound ? " (其中 " + unsound + " 段输入有误或不全, 未计算)" : "")],
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
      { where: where(""), blocks: cover },
      { where: where(""), blocks: [contents], id: "contents" },
      { where: where(""), blocks: [summary], id: "summary" },
    ];
    p.segments.forEach((segment, index) => {
      const sheet = JSON.parse(W.call("velmarith_sheet", W.request(segment.inputs)));
      const blocks = [element("h2", "", segmentTitle(segment, index)),
                      ...runBlocks(segment.inputs, sheet, W.segmentAnswer(segment))];
      list.push({ where: where(segment.line || "管段 " + (index + 1)), blocks, id: "segment" + index });
    });
    return list;
  }

  function newPage(book, header) {
    const page = element("section", "book-page");
    const head = element("header", "book-head");
    head.appendChild(element("span", "book-where", header));
    head.appendChild(element("span", "book-number"));
    page.appendChild(head);
    page.appendChild(element("div", "book-body"));
    book.appendChild(page);
    return page;
  }

  const overflows = (body) => body.scrollHeight > body.clientHeight + 1;

  // Lays the sections out in pages, numbered; the answer is where each section starts.
  function layOut(list) {
    const book = $("projectBook");
    book.replaceChildren();
    const starts = {};
    let page = null;
    for (const section of list) {
      page = newPage(book, section.where);
      if (section.id) starts[section.id] = book.children.length;
      for (const block of section.blocks) {
        let body = page.lastChild;
        if (block instanceof Element) {
          body.appendChild(block);
          if (overflows(body) && body.children.length > 1) {
            block.remove();
            page = newPage(book, section.where);
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
            page = newPage(book, section.where);
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
    starts.total = total;
    return starts;
  }

  // The project's 计算书; the answer is its number of pages.
  W.buildBook = function () {
    const starts = layOut(sections());
    // The contents' pages, now that they are known.
    const pages = [starts.summary, ...W.project.segments.map((s, i) => starts["segment" + i])];
    const cells = $("projectBook").querySelectorAll(".book-contents tbody td.c3");
    cells.forEach((cell, i) => { cell.textContent = String(pages[i]); });
    return starts.total;
  };

  // The one-run sheet: the form as it stands, under its title block, by the same rules.
  W.buildSheet = function () {
    const values = W.formValues();
    const sheet = W.lastSheet ? W.lastSheet.sheet : JSON.parse(W.call("velmarith_sheet", W.request(values)));
    const line = $("lineNo").value;
    const answer = W.runAnswer(values);
    const title = tableBlock("", ["项目", "内容", "项目", "内容"], [
      ["工程名称", $("project").value, "管线号", line],
      ["计算", $("preparedBy").value, "校核", $("checkedBy").value],
      ["数据来源", W.dataOrigin(values), "日期", W.today()]], "book-run-titles");
    const heading = element("h1", "book-run-title", $("workbenchTitle").textContent);
    heading.appendChild(element("span", "book-run-meta", "Velmarith " + $("workbench").dataset.version));
    const blocks = [heading, title, ...runBlocks(values, sheet, answer)];
    return layOut([{ where: where(line), blocks }]).total;
  };

  const printing = (pages) => {
    document.documentElement.classList.add("book-printing");
    return pages;
  };
  W.printBook = () => printing(W.buildBook());
  W.printSheet = () => printing(W.buildSheet());

  W.startBook = function () {
    const book = element("div");
    book.id = "projectBook";
    book.setAttribute("aria-hidden", "true");
    document.body.appendChild(book);
    // The browser's own print gives the one-run sheet; the project's button, the 计算书.
    window.addEventListener("beforeprint", () => {
      if (!document.documentElement.classList.contains("book-printing")) W.printSheet();
    });
    window.addEventListener("afterprint", () => document.documentElement.classList.remove("book-printing"));
    $("printBook").addEventListener("click", () => {
      W.printBook();
      window.print();
    });
    window.velmarithProject.book = W.printBook;
    window.velmarithProject.sheet = W.printSheet;
    window.velmarithProject.endBook = () => document.documentElement.classList.remove("book-printing");
  };
})(window.velmarithParts = window.velmarithParts || {});
