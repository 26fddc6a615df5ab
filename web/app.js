// The page: builds its form from what the module describes, passes what is
// typed to the module and lays out what it gives back.  Every text, every
// number rule and every value shown come from the module (form, view,
// plots, bands, report); this script only places them, keeps the request
// in the address and in localStorage, and offers the page offline.
'use strict';

// How long the page waits before the work that may lag the figures: the
// plots (some 15 ms each), the band table (a few hundred ms), a new
// history entry (typing into one field is one design, not one per key)
// and the address within it.
const kPlotDelayMs = 60;
const kBandDelayMs = 400;
const kHistoryCoalesceMs = 1000;
const kAddressDelayMs = 150;
// localStorage keys.
const kStoredLanguage = 'merid.lang';
const kStoredQuery = 'merid.query';
const kStoredOpen = 'merid.open';

function element(tag, text, className) {
  const node = document.createElement(tag);
  if (text !== undefined && text !== null) node.textContent = text;
  if (className) node.className = className;
  return node;
}

function byId(id) { return document.getElementById(id); }

// localStorage may be absent or refuse (a private window, a file page with
// storage off): the page then simply remembers nothing.
function stored(key) {
  try {
    return window.localStorage.getItem(key);
  } catch (error) {
    return null;
  }
}

function store(key, value) {
  try {
    window.localStorage.setItem(key, value);
  } catch (error) {
    // Nothing to remember it in.
  }
}

// The request's text in the address: the fragment, which every page may
// change without a reload, even opened from disk; a query string that a
// server's link carries is read as well.
function addressQuery() {
  const fragment = window.location.hash.replace(/^#/, '');
  return fragment || window.location.search.replace(/^\?/, '');
}

// {lang, values} of a canonical query; the names are the module's.
function parseQuery(query) {
  const values = {};
  let lang = null;
  for (const [name, value] of new URLSearchParams(query)) {
    if (name === 'lang') lang = value;
    else values[name] = value;
  }
  return {lang, values};
}

function download(text, type, fileName) {
  const link = element('a');
  link.href = URL.createObjectURL(new Blob([text], {type}));
  link.download = fileName;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// The control of one input or option as the module describes it: a text
// field for numbers and texts, a check box for a flag, a list for a choice.
function controlNode(control) {
  if (control.kind === 'flag') {
    const box = element('input');
    box.type = 'checkbox';
    return box;
  }
  if (control.kind === 'choice') {
    const select = element('select');
    for (const choice of control.choices || []) {
      const option = element('option', choice.label);
      option.value = choice.value;
      select.append(option);
    }
    return select;
  }
  const field = element('input');
  field.type = 'text';
  field.spellcheck = false;
  field.autocomplete = 'off';
  // The six inputs carry no kind: they are numbers.
  if (!control.kind || control.kind === 'number') field.inputMode = 'decimal';
  return field;
}

// A labelled control with its hint below, ids made from the module's name.
function entryNode(control) {
  const id = 'v-' + control.name;
  const input = controlNode(control);
  input.id = id;
  input.name = control.name;
  input.dataset.name = control.name;
  input.setAttribute('aria-describedby', 'hint-' + control.name);
  const label = element('label', control.label);
  label.htmlFor = id;
  const hint = element('span', control.hint, 'hint');
  hint.id = 'hint-' + control.name;
  hint.dataset.form = control.hint || '';
  const entry = element('div', null, 'entry entry-' + (control.kind || 'number'));
  entry.dataset.name = control.name;
  // A network's own parameter is offered with that network only.
  if (control.network) entry.dataset.network = control.network;
  if (control.kind === 'flag') entry.append(input, label, hint);
  else entry.append(label, input, hint);
  return entry;
}

function readControl(input) {
  return input.type === 'checkbox' ? (input.checked ? '1' : '') : input.value;
}

function writeControl(input, value) {
  if (input.type === 'checkbox') input.checked = value === '1';
  else input.value = value;
}

// How a block's row is laid out: a line of text (one cell, no label), a
// row of a table (more than two cells, each under the row's label), or
// label-value pairs (the screen's one or two fields a line).
function rowKind(row) {
  if (row.length === 1 && !row[0].label) return 'line';
  return row.length > 2 ? 'table' : 'pairs';
}

function valueNode(tag, cell) {
  const value = element(tag, cell.value, cell.emphasis ? 'value emphasis' : 'value');
  value.dataset.key = cell.key;
  return value;
}

function pairsNode(rows) {
  const list = element('dl', null, 'pairs');
  for (const cell of rows.flat()) {
    const pair = element('div', null, cell.emphasis ? 'pair emphasis' : 'pair');
    pair.dataset.key = cell.key;
    pair.append(element('dt', cell.label, 'label'), valueNode('dd', cell));
    list.append(pair);
  }
  return list;
}

function tableNode(rows, name) {
  const box = element('div', null, 'scroll');
  // A wide table scrolls in its box, which the keyboard reaches too.
  box.tabIndex = 0;
  box.setAttribute('role', 'region');
  box.setAttribute('aria-label', name);
  const table = element('table', null, 'grid');
  for (const row of rows) {
    const tr = element('tr');
    // A row of no figures is the table's heading row.
    if (row.every((cell) => !cell.key)) {
      tr.append(headerCell(row[0].label, 'col'),
                ...row.map((cell) => headerCell(cell.value, 'col')));
      const head = element('thead');
      head.append(tr);
      table.append(head);
      continue;
    }
    tr.append(headerCell(row[0].label, 'row'), ...row.map((cell) => valueNode('td', cell)));
    table.append(tr);
  }
  box.append(table);
  return box;
}

// One block of results: its heading, its rows as their kind lays them
// out, consecutive rows of a kind together, and its note.
function blockNode(block, headingTag) {
  const node = element('section', null, 'block');
  if (block.heading) node.append(element(headingTag, block.heading));
  const runs = [];
  for (const row of block.rows) {
    const kind = rowKind(row);
    const last = runs[runs.length - 1];
    if (last && last.kind === kind && kind !== 'line') last.rows.push(row);
    else runs.push({kind, rows: [row]});
  }
  for (const {kind, rows} of runs) {
    if (kind === 'line') node.append(element('p', rows[0][0].value.trim(), 'line'));
    else node.append(kind === 'table' ? tableNode(rows, block.heading) : pairsNode(rows));
  }
  if (block.note) node.append(element('p', block.note, 'note'));
  return node;
}

function headerCell(text, scope) {
  const th = element('th', text);
  th.scope = scope;
  return th;
}

// One line of the band table; a line without a network gives its
// frequency and why in place of the values.
function bandRow(line, bands) {
  const tr = element('tr');
  tr.dataset.band = line.name;
  tr.dataset.edge = line.edge;
  if (line.marked) tr.className = 'marked';
  tr.append(headerCell(line.band, 'row'));
  if (line.cells.length > 0) {
    tr.append(...line.cells.map((text) => element('td', text)));
  } else {
    const note = element('td', line.note, 'why');
    note.colSpan = Math.max(bands.columns.length - 1, 1);
    tr.append(element('td', line.frequency), note);
  }
  if (bands.coil_heading) tr.append(element('td', line.coil));
  return tr;
}

class Page {
  constructor(merid) {
    this.merid = merid;
    this.values = {};      // the request's values by name, as typed
    this.view = null;      // the module's view of the request
    this.lastEdit = 0;     // when an input last changed, for history
    this.bandsShown = false;
    const fromAddress = parseQuery(addressQuery());
    const fromStore = parseQuery(stored(kStoredQuery) || '');
    this.lang = fromAddress.lang || stored(kStoredLanguage) || fromStore.lang || '';
    this.buildForm();
    const start = addressQuery() ? fromAddress : fromStore;
    this.setValues(start.values);
    this.bindStatic();
    window.addEventListener('popstate', () => this.restoreFromAddress());
    byId('loading').hidden = true;
    this.update({history: 'replace'});
  }

  // The request as the module takes it.
  request() {
    return JSON.stringify({lang: this.lang, values: this.offeredValues()});
  }

  // The network chosen, and the values of every control it offers: a
  // parameter of another network is left out, as its entry is hidden.
  network() {
    return this.values.network || this.defaults().network;
  }

  offeredValues() {
    const network = this.network();
    const values = {};
    for (const [name, value] of Object.entries(this.values)) {
      const entry = document.querySelector(`.entry[data-name="${name}"]`);
      const other = entry && entry.dataset.network && entry.dataset.network !== network;
      if (!other) values[name] = value;
    }
    return values;
  }

  showNetworkEntries() {
    const network = this.network();
    for (const entry of document.querySelectorAll('.entry[data-network]')) {
      entry.hidden = entry.dataset.network !== network;
    }
  }

  text(name) { return this.form.texts[name] || ''; }

  // The whole form and every fixed text in the page's language: built
  // anew when the language changes, the values kept.
  buildForm() {
    this.form = JSON.parse(this.merid.form(this.lang));
    this.lang = this.form.lang;
    document.documentElement.lang = this.lang;
    document.title = this.form.title;
    for (const node of document.querySelectorAll('[data-text]')) {
      node.textContent = this.text(node.dataset.text);
    }
    for (const node of document.querySelectorAll('[data-alt]')) {
      node.alt = this.text(node.dataset.alt);
    }
    this.buildLanguages();
    const inputs = byId('inputs-list');
    inputs.replaceChildren(...this.form.inputs.map(entryNode));
    byId('sections').replaceChildren(
        ...this.form.sections.map((section) => this.sectionNode(section)));
    this.controls = [...document.querySelectorAll('#inputs [data-name]')]
        .filter((node) => node.matches('input, select'));
    for (const control of this.controls) {
      const kind = control.type === 'checkbox' || control.tagName === 'SELECT' ?
          'change' : 'input';
      control.addEventListener(kind, () => this.edited(control));
    }
    // Every control starts at the module's default.
    this.values = Object.assign(this.defaults(), this.values);
    this.setValues({});
  }

  buildLanguages() {
    const select = byId('language');
    select.replaceChildren(...this.form.languages.map((language) => {
      const option = element('option', language.label);
      option.value = language.value;
      return option;
    }));
    select.value = this.lang;
  }

  // A section of options that opens on request, its open state kept.
  sectionNode(section) {
    const details = element('details', null, 'options');
    details.dataset.section = section.name;
    details.open = this.openSections().includes(section.name);
    details.append(element('summary', section.title),
                   ...section.controls.map(entryNode));
    details.addEventListener('toggle', () => this.rememberOpen());
    return details;
  }

  openSections() {
    try {
      return JSON.parse(stored(kStoredOpen) || '[]');
    } catch (error) {
      return [];
    }
  }

  rememberOpen() {
    store(kStoredOpen, JSON.stringify(
        [...document.querySelectorAll('details.options[open]')]
            .map((d) => d.dataset.section)));
  }

  // Values into the controls: `values` over what the page holds.
  setValues(values) {
    Object.assign(this.values, values);
    for (const control of this.controls) {
      const value = this.values[control.dataset.name];
      if (value !== undefined) writeControl(control, value);
    }
    this.markChosen();
  }

  // The options set away from their defaults, which a printed design
  // lists.
  markChosen() {
    this.showNetworkEntries();
    const defaults = this.defaults();
    for (const control of this.controls) {
      const name = control.dataset.name;
      control.closest('.entry').classList.toggle(
          'chosen', this.values[name] !== defaults[name]);
    }
    for (const details of document.querySelectorAll('details.options')) {
      details.classList.toggle('chosen', details.querySelector('.chosen') !== null);
    }
  }

  // A request's defaults, for a link that names only what differs.
  defaults() {
    const controls = [...this.form.inputs, ...this.form.sections.flatMap((s) => s.controls)];
    return Object.fromEntries(controls.map((control) => [control.name, control.value]));
  }

  bindStatic() {
    byId('language').addEventListener('change', (event) => {
      this.lang = event.target.value;
      store(kStoredLanguage, this.lang);
      this.buildForm();
      this.update({history: 'push'});
      if (this.bandsShown) this.showBands();
    });
    byId('copy-link').addEventListener('click', () => this.copyLink());
    byId('download-report').addEventListener('click', () => this.downloadReport());
    byId('download-json').addEventListener('click', () => this.downloadJson());
    byId('print').addEventListener('click', () => window.print());
    byId('bands-run').addEventListener('click', () => this.requestBands());
    byId('inputs').addEventListener('submit', (event) => event.preventDefault());
    window.addEventListener('beforeprint', () => this.openForPrint());
    window.addEventListener('afterprint', () => this.closeAfterPrint());
  }

  // A closed section prints nothing, so printing opens them all for the
  // moment; the stylesheet shows only the options chosen.
  openForPrint() {
    this.closedBeforePrint = [...document.querySelectorAll('details.options:not([open])')];
    for (const details of this.closedBeforePrint) details.open = true;
  }

  closeAfterPrint() {
    for (const details of this.closedBeforePrint || []) details.open = false;
    this.closedBeforePrint = [];
  }

  edited(control) {
    this.values[control.dataset.name] = readControl(control);
    this.markChosen();
    const now = performance.now();
    const typing = now - this.lastEdit < kHistoryCoalesceMs;
    this.lastEdit = now;
    this.update({history: typing ? 'replace' : 'push'});
  }

  // The view of the request, shown at once; plots and band table follow.
  // `history`: 'push' a new entry, 'replace' the current one, or 'none'.
  update({history}) {
    this.view = JSON.parse(this.merid.view(this.request()));
    byId('link-status').textContent = '';
    this.showEntries();
    this.showResults();
    this.keepAddress(history);
    this.schedulePlots();
    this.scheduleBands();
  }

  // Each entry's hint beside it, refused and marked entries marked; a
  // section holding one opens, so that the reason is in sight.
  showEntries() {
    const marks = new Set(this.view.marks || []);
    const refusals = [];
    for (const control of this.controls) {
      const name = control.dataset.name;
      const entry = this.view.entries[name];
      const hint = byId('hint-' + name);
      const refused = Boolean(entry && entry.refused);
      // The view's hint, or the form's where the view has none to add.
      if (entry) hint.textContent = entry.hint || hint.dataset.form;
      hint.classList.toggle('refused', refused);
      const marked = refused || marks.has(name);
      control.setAttribute('aria-invalid', String(marked));
      const section = control.closest('details');
      if (marked && section) section.open = true;
      if (refused) refusals.push(this.refusalNode(control, entry.hint));
    }
    // A request refused as a whole, its reason naming no entry: the
    // module's words for it.
    if (!this.view.accepted && refusals.length === 0) {
      refusals.push(...this.view.warnings.map((w) => element('li', w.text)));
    }
    byId('refusals').replaceChildren(...refusals);
  }

  // A refused entry named in the results, a button that takes the focus
  // to it.
  refusalNode(control, hint) {
    const label = document.querySelector(`label[for="${control.id}"]`);
    const go = element('button', label ? label.textContent : control.name, 'to-entry');
    go.type = 'button';
    go.addEventListener('click', () => control.focus());
    const item = element('li');
    item.append(go, ' ', element('span', hint));
    return item;
  }

  // The design's blocks, its warnings and, per open section, what that
  // section adds; nothing but the message when it cannot be built.
  showResults() {
    const view = this.view;
    const shown = view.accepted && !view.infeasible;
    const infeasible = byId('infeasible');
    infeasible.hidden = !(view.accepted && view.infeasible);
    infeasible.replaceChildren(...(view.infeasible ? view.infeasible_text : [])
        .map((line) => element('span', line)));
    byId('blocks').replaceChildren(
        ...(shown ? view.blocks.map((b) => blockNode(b, 'h3')) : []));
    const more = [];
    if (shown) {
      for (const section of this.form.sections) {
        const blocks = (view.sections || {})[section.name] || [];
        if (blocks.length === 0) continue;
        const node = element('section', null, 'section-results');
        node.dataset.section = section.name;
        node.append(element('h3', section.title),
                    ...blocks.map((b) => blockNode(b, 'h4')));
        more.push(node);
      }
    }
    byId('more').replaceChildren(...more);
    const warnings = shown ? view.warnings.map((w) => {
      const item = element('li', w.text);
      item.dataset.key = w.key;
      return item;
    }) : [];
    if (shown && warnings.length === 0) warnings.push(element('li', this.text('no_warnings')));
    byId('warnings').replaceChildren(...warnings);
    byId('warnings-box').hidden = !shown;
    byId('results-heading').textContent = this.text(
        shown ? 'results_heading' : view.accepted ? 'infeasible_heading' : 'refused_heading');
    byId('download-report').disabled = !(shown && view.report);
    byId('download-json').disabled = !view.json;
    byId('print').disabled = !shown;
    if (!shown) this.hidePlots();
  }

  // The address and the stored request follow the inputs: a burst of
  // changes pushes one history entry at its start and replaces it, a
  // moment after the last key (a browser ignores a flood of history
  // calls), with its final design.
  keepAddress(history) {
    store(kStoredQuery, this.view.query);
    clearTimeout(this.addressTimer);
    if (history === 'none') return;
    if (history === 'push') {
      writeAddress(this.view.query, 'push');
      return;
    }
    this.addressTimer = setTimeout(() => this.flushAddress(), kAddressDelayMs);
  }

  flushAddress() {
    clearTimeout(this.addressTimer);
    writeAddress(this.view.query, 'replace');
  }

  // Back and forward: the design the address names.
  restoreFromAddress() {
    clearTimeout(this.addressTimer);
    const {lang, values} = parseQuery(addressQuery());
    if (lang && lang !== this.lang) {
      this.lang = lang;
      this.buildForm();
    }
    this.values = Object.assign(this.defaults(), values);
    this.setValues({});
    this.lastEdit = 0;
    this.update({history: 'none'});
  }

  hidePlots() {
    clearTimeout(this.plotTimer);
    byId('plots').hidden = true;
    for (const id of ['plot-response', 'plot-smith']) {
      const img = byId(id);
      img.removeAttribute('src');
    }
  }

  schedulePlots() {
    clearTimeout(this.plotTimer);
    if (!this.view.accepted || this.view.infeasible) return;
    this.plotTimer = setTimeout(() => this.drawPlots(), kPlotDelayMs);
  }

  drawPlots() {
    const plots = JSON.parse(this.merid.plots(this.request()));
    const drawn = [['plot-response', plots.response], ['plot-smith', plots.smith]];
    let any = false;
    for (const [id, svg] of drawn) {
      const img = byId(id);
      img.closest('figure').hidden = !svg;
      if (!svg) {
        img.removeAttribute('src');
        continue;
      }
      img.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
      any = true;
    }
    byId('plots').hidden = !any;
  }

  // A band table shown follows the inputs: marked stale at once and
  // calculated again a moment after the last change.
  scheduleBands() {
    clearTimeout(this.bandTimer);
    if (!this.bandsShown) return;
    byId('bands-stale').hidden = false;
    byId('bands-table').classList.add('stale');
    this.bandTimer = setTimeout(() => this.showBands(), kBandDelayMs);
  }

  // On request: the status says so first, and the table (a tenth of a
  // second or more) follows once the browser has shown it.
  requestBands() {
    byId('bands-status').textContent = this.text('loading');
    requestAnimationFrame(() => setTimeout(() => this.showBands(), 0));
  }

  showBands() {
    clearTimeout(this.bandTimer);
    const bands = JSON.parse(this.merid.bands(this.request()));
    const table = byId('bands-table');
    byId('bands-status').textContent = bands.status || '';
    byId('bands-stale').hidden = true;
    table.classList.remove('stale');
    this.bandsShown = true;
    if (bands.refused) {
      table.replaceChildren();
      byId('bands-box').hidden = true;
      return;
    }
    const head = element('tr');
    head.append(headerCell(bands.band_heading, 'col'),
                ...bands.columns.map((text) => headerCell(text, 'col')));
    if (bands.coil_heading) head.append(headerCell(bands.coil_heading, 'col'));
    const thead = element('thead');
    thead.append(head);
    const tbody = element('tbody');
    tbody.append(...bands.lines.map((line) => bandRow(line, bands)));
    table.replaceChildren(thead, tbody);
    byId('bands-box').hidden = false;
  }

  async copyLink() {
    this.flushAddress();
    const link = window.location.href;
    const status = byId('link-status');
    try {
      await navigator.clipboard.writeText(link);
    } catch (error) {
      copyByCommand(link);
    }
    status.textContent = this.text('link_copied');
  }

  // The report as the dialogue appends it to its results file, dated today.
  downloadReport() {
    const today = new Date();
    const text = this.merid.report(this.request(), today.getFullYear(),
                                   today.getMonth() + 1, today.getDate());
    if (text) download(text, 'text/plain;charset=utf-8', this.text('report_file'));
  }

  downloadJson() {
    if (this.view && this.view.json) {
      download(this.view.json, 'application/json', this.text('json_file'));
    }
  }
}

// The request's query into the address as a new history entry or in
// place of the current one.
function writeAddress(query, how) {
  if (addressQuery() === query) return;
  const url = '#' + query;
  try {
    if (how === 'push') window.history.pushState(null, '', url);
    else window.history.replaceState(null, '', url);
  } catch (error) {
    window.location.hash = query;  // a page whose history refuses
  }
}

// Where the Clipboard API is missing or refused: a selected text field
// copied the old way.
function copyByCommand(text) {
  const field = element('textarea');
  field.value = text;
  field.setAttribute('readonly', '');
  field.className = 'offscreen';
  document.body.append(field);
  field.select();
  document.execCommand('copy');
  field.remove();
}

// Installable and offline over HTTP; opened from disk the page needs
// neither, and a browser refuses both there.
function offerOffline() {
  if (!/^https?:$/.test(window.location.protocol)) return;
  const manifest = element('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.append(manifest);
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

offerOffline();
createMerid().then((merid) => { window.meridPage = new Page(merid); });
