// The page: passes what is typed to the module and lays out what it gives
// back.  Every text, every number rule, every value shown and the band
// table come from the module; this script only places them.
'use strict';

// The page offers the pi network for now; the module takes any.
const kNetwork = 'pi';
// The network's own parameter, NaN: the network's default.
const kDefaultParameter = NaN;
// The plots take some 15 ms, so they follow the figures a moment later
// and only for the last of quick changes.
const kPlotDelayMs = 30;

function element(tag, text) {
  const node = document.createElement(tag);
  if (text !== undefined) node.textContent = text;
  return node;
}

function headerCell(text, scope) {
  const th = element('th', text);
  th.scope = scope;
  return th;
}

// An entry's hint, and whether it and its input are marked refused.
function showHint(input, entry) {
  const hint = document.getElementById(input.getAttribute('aria-describedby'));
  hint.textContent = entry.hint;
  hint.classList.toggle('refused', entry.refused);
  input.setAttribute('aria-invalid', String(entry.refused));
}

// One text block of a design: its heading, its rows of labels and screen
// fields, and its note.
function blockNodes(block, index) {
  const table = element('table');
  table.className = 'screen';
  table.dataset.block = index;
  for (const cells of block.rows) {
    const tr = element('tr');
    for (const cell of cells) {
      const td = element('td', cell.value);
      td.dataset.key = cell.key;
      tr.append(headerCell(cell.label, 'row'), td);
    }
    table.append(tr);
  }
  const nodes = [element('h3', block.heading), table];
  if (block.note) nodes.push(element('p', block.note));
  return nodes;
}

// One line of the band table; a row without a network gives its
// frequency and why in place of the values.
function bandRow(line, bands) {
  const tr = element('tr');
  tr.dataset.band = line.name;
  tr.dataset.edge = line.edge;
  tr.append(headerCell(line.band, 'row'));
  if (line.cells.length > 0) {
    tr.append(...line.cells.map((text) => element('td', text)));
  } else {
    const note = element('td', line.note);
    note.colSpan = bands.columns.length - 1;
    tr.append(element('td', line.frequency), note);
  }
  if (bands.coil_heading) tr.append(element('td', line.coil));
  return tr;
}

class Page {
  constructor(merid) {
    this.merid = merid;
    this.texts = JSON.parse(merid.texts(kNetwork));
    this.fillTexts();
    this.inputs = this.texts.inputs.map((_, i) => document.getElementById('in-' + i));
    this.cmin = document.getElementById('cmin');
    this.values = null;  // the six accepted inputs, or null
    this.feasible = false;
    for (const input of [...this.inputs, this.cmin]) {
      input.addEventListener('input', () => this.update());
    }
    document.getElementById('download').addEventListener(
        'click', () => this.download());
    document.getElementById('bands-run').addEventListener(
        'click', () => this.showBands());
    document.getElementById('loading').hidden = true;
    this.update();
  }

  // The texts that no calculation gives, by the names the elements carry.
  fillTexts() {
    document.title = this.texts.title;
    for (const node of document.querySelectorAll('[data-text]')) {
      node.textContent = this.texts[node.dataset.text];
    }
    for (const node of document.querySelectorAll('[data-alt]')) {
      node.alt = this.texts[node.dataset.alt];
    }
    this.texts.inputs.forEach((label, i) => {
      document.querySelector(`label[for="in-${i}"]`).textContent = label;
    });
  }

  // Every entry read by the module's rules, each hint shown beside its
  // entry; the six values when every entry is accepted, else null.
  read() {
    const read = JSON.parse(this.merid.entries(
        this.inputs.map((input) => input.value), this.cmin.value));
    read.entries.forEach((entry, i) => showHint(this.inputs[i], entry));
    showHint(this.cmin, read.cmin);
    return read.accepted ? read.values : null;
  }

  update() {
    this.values = this.read();
    this.show(this.values && JSON.parse(this.merid.design(
        kNetwork, ...this.values, kDefaultParameter, this.cmin.value)));
  }

  show(design) {
    this.feasible = design !== null && !design.infeasible;
    const infeasible = document.getElementById('infeasible');
    infeasible.hidden = !(design && design.infeasible);
    infeasible.replaceChildren(...(design ? design.infeasible_text : [])
        .map((line) => element('span', line)));
    document.getElementById('blocks').replaceChildren(
        ...(this.feasible ? design.blocks.flatMap(blockNodes) : []));
    const warnings = this.feasible ?
        design.warnings.map((w) => element('li', w.text)) : [];
    if (this.feasible && warnings.length === 0) {
      warnings.push(element('li', this.texts.no_warnings));
    }
    document.getElementById('warnings').replaceChildren(...warnings);
    document.getElementById('download').disabled = !this.feasible;
    if (!this.feasible) {
      for (const id of ['plot-response', 'plot-smith']) {
        const img = document.getElementById(id);
        img.removeAttribute('src');
        img.hidden = true;
      }
      return;
    }
    this.schedulePlots();
  }

  schedulePlots() {
    clearTimeout(this.plotTimer);
    this.plotTimer = setTimeout(() => {
      if (!this.feasible) return;
      const plots = JSON.parse(
          this.merid.plots(kNetwork, ...this.values, kDefaultParameter));
      for (const [id, svg] of [['plot-response', plots.response],
                               ['plot-smith', plots.smith]]) {
        const img = document.getElementById(id);
        img.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
        img.hidden = false;
      }
    }, kPlotDelayMs);
  }

  // The band table takes about a second (the fixed coil's searches), so it
  // is calculated on request, not on every change.
  showBands() {
    const table = document.getElementById('bands-table');
    const status = document.getElementById('bands-status');
    table.replaceChildren();
    if (!this.values) {
      status.textContent = this.texts.fix_inputs_first;
      return;
    }
    // The table is calculated at the bands' own frequencies: the inputs
    // but F.
    const bands = JSON.parse(this.merid.bands(
        kNetwork, ...this.values.slice(1), kDefaultParameter, this.cmin.value,
        document.getElementById('fixed-coil').checked));
    const headings = [bands.band_heading, ...bands.columns];
    if (bands.coil_heading) headings.push(bands.coil_heading);
    const head = element('tr');
    head.append(...headings.map((text) => headerCell(text, 'col')));
    table.append(head, ...bands.lines.map((line) => bandRow(line, bands)));
    status.textContent = bands.status;
  }

  // The report as the dialogue appends it to its results file, dated
  // today.
  download() {
    if (!this.feasible) return;
    const today = new Date();
    const text = this.merid.report(kNetwork, ...this.values, today.getFullYear(),
                                   today.getMonth() + 1, today.getDate());
    const link = element('a');
    link.href = URL.createObjectURL(
        new Blob([text], {type: 'text/plain;charset=utf-8'}));
    link.download = this.texts.report_file;
    document.body.append(link);
    link.click();
    link.remove();
    URL.revokeObjectURL(link.href);
  }
}

createMerid().then((merid) => { window.meridPage = new Page(merid); });
