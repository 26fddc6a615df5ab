// The page: reads the six inputs by the dialogue's rules, calculates on
// every change and shows the screen's labels and fields.  Everything
// numeric comes from the module; this script only lays it out.
'use strict';

const kInputCount = 6;
const kQnIndex = 1;
const kQ0Index = 2;
const kPeaks = [
  ['uc1_peak', 'U на C1, В (ампл.)'], ['ic1_peak', 'I в С1, А (ампл.)'],
  ['uc2_peak', 'U на C2, В (ампл.)'], ['ic2_peak', 'I в С2, А (ампл.)'],
  ['ul_peak', 'U на L, В (ампл.)'], ['il_peak', 'I в L, А (ампл.)'],
];
// By the module's warning codes.
const kWarnings = [
  (x) => `C1 < 0: на входе нужна индуктивность ${x.toFixed(3)} мкГн`,
  (x) => `KU < 0 (${x.toFixed(3)} дБ): вторая гармоника проходит лучше F`,
  (x) => `KI < 0 (${x.toFixed(3)} дБ): вторая гармоника проходит лучше F`,
  (x) => `полоса АЧХ-U (${x.toFixed(3)} кГц) упирается в нижний край развертки`,
  (x) => `полоса АЧХ-U (${x.toFixed(3)} кГц) упирается в верхний край развертки`,
  (x) => `полоса АЧХ-I (${x.toFixed(3)} кГц) упирается в нижний край развертки`,
  (x) => `полоса АЧХ-I (${x.toFixed(3)} кГц) упирается в верхний край развертки`,
  (x) => `полоса S11(0.1) ${x.toFixed(3)} кГц: найдено одно пересечение`,
  (x) => `полоса S11(0.1) равна 0: пересечений ${x}`,
  (x) => `S11 на F = ${x.toFixed(4)}: контур не согласован с R вх.`,
  (x) => `C1 меньше наименьшей C1 усилителя на ${(-x).toFixed(3)} пФ`,
];

const kBandColumns = [
  ['band', 'Диап.'], ['f', 'F, МГц'], ['c1', 'C1, пФ'], ['c2', 'C2, пФ'],
  ['l', 'L, мкГн'], ['qn', 'Qn'], ['qn_for_cmin', 'Qn(Cmin)'], ['coil', 'Катушка'],
];
const kCoilFits = {
  none: '', tap: 'отвод', matched: 'подобрана', qn_above_range: 'Qn вне диапазона',
};

// A screen label without its blanks, tabs and equals sign.
const bareLabel = (label) => label.replace(/[\s=:]+$/u, '').trim();

function element(tag, text) {
  const node = document.createElement(tag);
  if (text !== undefined) node.textContent = text;
  return node;
}

function row(cells) {
  const tr = element('tr');
  for (const [label, field, name] of cells) {
    const th = element('th', label);
    th.scope = 'row';
    const td = element('td', field);
    if (name) td.dataset.name = name;
    tr.append(th, td);
  }
  return tr;
}

function screenCell(cell) {
  return [bareLabel(cell.label), cell.field, cell.name];
}

class Page {
  constructor(merid) {
    this.merid = merid;
    this.inputs = [...Array(kInputCount).keys()].map(
        (i) => document.getElementById('in-' + i));
    this.cmin = document.getElementById('cmin');
    this.design = null;
    this.inputs.forEach((input, i) => {
      document.querySelector(`label[for="in-${i}"]`).textContent =
          bareLabel(merid.prompt(i));
    });
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

  // One input read as the dialogue reads it and tested against its range;
  // the value, or null with the reason shown beside the input.
  read(i, qn, qnRefused) {
    const input = this.inputs[i];
    const hint = document.getElementById('hint-' + i);
    const entry = JSON.parse(this.merid.parse(input.value));
    const range = this.merid.range(i, qn);
    let problem = '';
    if (entry.status === 'malformed') problem = 'не число';
    else if (entry.status === 'empty') problem = 'нет значения';
    // Q0 is bounded by QN; while QN is refused, Q0 is not judged.
    else if (i === kQ0Index && qnRefused) problem = '';
    else if (this.merid.refused(i, entry.value ?? NaN, qn)) problem = 'вне диапазона';
    hint.textContent = problem ? `${problem}: ${range}` : range;
    hint.classList.toggle('refused', problem !== '');
    input.setAttribute('aria-invalid', problem ? 'true' : 'false');
    return problem ? null : entry.value;
  }

  readCmin() {
    const hint = document.getElementById('hint-cmin');
    if (this.cmin.value.trim() === '') {
      hint.textContent = '';
      return 0;
    }
    const entry = JSON.parse(this.merid.parse(this.cmin.value));
    const ok = entry.status === 'value' && entry.value > 0;
    hint.textContent = ok ? '' : 'нужно положительное число';
    this.cmin.setAttribute('aria-invalid', ok ? 'false' : 'true');
    return ok ? entry.value : 0;
  }

  update() {
    const values = [];
    for (let i = 0; i < kInputCount; ++i) {
      const qn = i > kQnIndex ? values[kQnIndex] : NaN;
      values.push(this.read(i, qn ?? NaN, qn === null));
    }
    const cmin = this.readCmin();
    if (values.some((v) => v === null)) return this.show(null);
    this.values = values;
    this.show(JSON.parse(this.merid.calculate(...values, cmin)));
  }

  show(design) {
    this.design = design && !design.infeasible ? design : null;
    const infeasible = document.getElementById('infeasible');
    infeasible.hidden = !(design && design.infeasible);
    infeasible.textContent = [this.merid.kInfeasible1, this.merid.kInfeasible2]
        .map((m) => this.merid.message(m).trim()).join('\n');
    const inputBlock = document.getElementById('input-block');
    const rows = document.getElementById('result-rows');
    const peaks = document.getElementById('peaks');
    const warnings = document.getElementById('warnings');
    for (const node of [inputBlock, rows, peaks, warnings]) node.replaceChildren();
    for (const id of ['plot-response', 'plot-smith']) {
      if (!this.design) document.getElementById(id).removeAttribute('src');
    }
    document.getElementById('download').disabled = this.design === null;
    if (!this.design) return;
    const screen = this.design.screen;
    for (const cell of screen.inputs) inputBlock.append(row([screenCell(cell)]));
    for (const [left, right] of screen.rows) {
      rows.append(row([screenCell(left), screenCell(right)]));
    }
    for (let i = 0; i < kPeaks.length; i += 2) {
      peaks.append(row(kPeaks.slice(i, i + 2).map(([name, label]) => [
        label, this.merid.field(this.design.fields[name].value), name])));
    }
    for (const w of this.design.warnings) {
      warnings.append(element('li', kWarnings[w.code](w.figure)));
    }
    if (this.design.warnings.length === 0) warnings.append(element('li', 'нет'));
    this.schedulePlots();
  }

  // The plots take some 50 ms, so they follow the figures a frame later
  // and only for the last of quick changes.
  schedulePlots() {
    clearTimeout(this.plotTimer);
    this.plotTimer = setTimeout(() => {
      if (!this.design) return;
      const plots = JSON.parse(this.merid.plots(...this.values));
      for (const [id, svg] of [['plot-response', plots.response],
                               ['plot-smith', plots.smith]]) {
        document.getElementById(id).src =
            'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
      }
    }, 30);
  }

  // The band table takes about a second (the fixed coil's searches), so it
  // is calculated on request, not on every change.
  showBands() {
    const table = document.getElementById('bands-table');
    const status = document.getElementById('bands-status');
    table.replaceChildren();
    if (!this.values) {
      status.textContent = 'Сначала исправьте исходные данные.';
      return;
    }
    const [, qn, q0, rin, rout, pin] = this.values;
    const rows = JSON.parse(this.merid.bands(
        qn, q0, rin, rout, pin, this.readCmin(),
        document.getElementById('fixed-coil').checked));
    const head = element('tr');
    for (const [, title] of kBandColumns) {
      const th = element('th', title);
      th.scope = 'col';
      head.append(th);
    }
    table.append(head);
    for (const r of rows) {
      const tr = element('tr');
      for (const [key] of kBandColumns) {
        let text = r[key] ?? '';
        if (key === 'band') text = r.edge === 'low' ? r.band : '';
        if (key === 'coil') text = kCoilFits[r.coil];
        if (r.infeasible && key === 'c1') text = 'не реализуем';
        tr.append(element(key === 'band' ? 'th' : 'td', text));
      }
      table.append(tr);
    }
    status.textContent = `Рассчитано строк: ${rows.length}.`;
  }

  // The report as the dialogue appends it to rezultat.txt, dated today.
  download() {
    if (!this.design) return;
    const today = new Date();
    const text = this.merid.report(...this.values, today.getFullYear(),
                                   today.getMonth() + 1, today.getDate());
    const link = element('a');
    link.href = URL.createObjectURL(
        new Blob([text], {type: 'text/plain;charset=utf-8'}));
    link.download = 'rezultat.txt';
    document.body.append(link);
    link.click();
    link.remove();
    URL.revokeObjectURL(link.href);
  }
}

createMerid().then((merid) => { window.meridPage = new Page(merid); });
