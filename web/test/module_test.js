// The page's module under Node, through the interface the page calls:
// entries read strictly with their hints, view().json byte for byte what
// merid-calc --format json writes for the same options (the stored
// goldens, or merid-calc itself when its path is given), the least loaded
// Q of an infeasible design, merid-calc's refusals, the band table, the
// report and the plots, in both languages.
//   node module_test.js build/web/site/merid.js web/test/golden [merid-calc]
'use strict';
const fs = require('fs');
const path = require('path');
const assert = require('assert');
const {execFileSync} = require('child_process');

const [modulePath, goldenDir, meridCalc] = process.argv.slice(2);
const createMerid = require(path.resolve(modulePath));

const kTypical = {f: '7.1', qn: '12', q0: '200', rin: '2000', rout: '50', pin: '100'};
const request = (values, lang = 'ru') => JSON.stringify({lang, values});

// Each golden: the page's values and merid-calc's arguments for them.
const kGoldens = [
  {file: 'typical.json', values: {}, args: []},
  {file: 'cmin_swr_ranges.json',
   values: {cmin: '150', swr: '3', retune: '1', 'c1-range': '10,250', 'c2-range': '200,1500'},
   args: ['--cmin', '150', '--swr', '3', '--retune', '--c1-range', '10,250',
          '--c2-range', '200,1500']},
  {file: 'pi_l_rmid.json', values: {network: 'pi-l', rmid: '500'},
   args: ['--network', 'pi-l', '--rmid', '500']},
  {file: 'limit_us.json', values: {limit: 'us', f: '28.5', pin: '1500'},
   args: ['--limit', 'us'], numbers: ['28.5', '12', '200', '2000', '50', '1500']},
  {file: 'elements.json', values: {elements: '119.4,4.697,641.3'},
   args: ['--elements', '119.4,4.697,641.3'], numbers: ['7.1', '200', '2000', '50', '100']},
  {file: 'rin_from_emissions.json',
   values: {'rin-from': 'tube:2500,0.4,AB', conduction: '180', 'push-pull': '25',
            'coil-c': '5', 'limit-dbc': '60', margin: '3'},
   args: ['--rin-from', 'tube:2500,0.4,AB', '--conduction', '180', '--push-pull', '25',
          '--coil-c', '5', '--limit-dbc', '60', '--margin', '3'],
   numbers: ['7.1', '12', '200', '50', '100']},
];

function expectedJson(golden) {
  if (!meridCalc) return fs.readFileSync(path.join(goldenDir, golden.file), 'utf8');
  const numbers = golden.numbers || Object.values(kTypical);
  return execFileSync(meridCalc, ['--format', 'json', ...golden.args, ...numbers],
                      {encoding: 'utf8'});
}

function checkJson(merid) {
  for (const golden of kGoldens) {
    const view = JSON.parse(merid.view(request({...kTypical, ...golden.values})));
    assert.strictEqual(view.accepted, true, golden.file);
    assert.strictEqual(view.json, expectedJson(golden), golden.file);
  }
}

// The strict reading: what each text would read and why it is refused.
function checkEntries(merid) {
  const entry = (name, text, lang = 'ru') =>
    JSON.parse(merid.view(request({...kTypical, [name]: text}, lang))).entries[name];
  const cases = [
    ['pin', '2 500', 'en', true, '2', 'a space ends the number, which reads 2; type 2500'],
    ['rin', '1,000', 'en', true, '1', 'the comma is the decimal point, so it reads 1'],
    ['f', '3,6,1', 'ru', true, '3.6', 'вторая запятая заканчивает число, читается 3.6'],
    ['rout', '50 Ом', 'ru', true, '50', 'после числа текст, читается 50'],
    ['f', '7,1', 'ru', false, '7.1', '0.1 <= F <= 150 МГц'],
    ['f', '000000000007.1', 'en', false, '7.1', '0.1 <= F <= 150 MHz'],
    ['f', '0,00000000071', 'en', true, '0.00000000071', 'out of range'],
    ['qn', '1.11', 'en', true, '1.11', 'out of range; 1.11 < QN <= 70'],
    // A number whose shortest text merid-calc would refuse for its length.
    ['pin', '0.012345679', 'en', true, '0.012345679',
     'the number does not fit the 10 characters'],
    ['cmin', '0.0012345678', 'en', true, '0.0012345678',
     'the number does not fit the 10 characters'],
  ];
  for (const [name, text, lang, refused, reading, hint] of cases) {
    const e = entry(name, text, lang);
    assert.strictEqual(e.refused, refused, `${name} = "${text}": ${e.hint}`);
    assert.strictEqual(e.reading, reading, `${name} = "${text}"`);
    assert.ok(e.hint.startsWith(hint), `${name} = "${text}": ${e.hint}`);
  }
  // The whole long text is the number: the request is merid-calc's 7.1.
  const long = JSON.parse(merid.view(request({...kTypical, f: ' 000000000007.1 '})));
  assert.strictEqual(long.json, expectedJson(kGoldens[0]));
  assert.ok(long.query.includes('&f=7.1&'), long.query);
  const longer = entry('pin', '1 0000000000000', 'en');
  assert.ok(longer.hint.includes('the dialogue reads only 10 characters: 1'), longer.hint);
}

// Q0's bound is written as the product the check compares with, 1.2
// times the float Qn: the float of that product typed is refused, the next
// float above it accepted.
function checkCleanBounds(merid) {
  const q0 = (text, qn = '12') =>
    JSON.parse(merid.view(request({...kTypical, qn, q0: text}, 'en'))).entries.q0;
  assert.strictEqual(q0('200').hint, '1.2·12 < Q0 <= 999');
  const bound = new Float32Array([Math.fround(1.2) * 12]);
  assert.strictEqual(q0(String(bound[0])).refused, true);
  new Uint32Array(bound.buffer)[0] += 1;
  assert.strictEqual(q0(String(bound[0])).refused, false, String(bound[0]));
  assert.strictEqual(q0('200', '7,50').hint, '1.2·7.5 < Q0 <= 999');
  assert.strictEqual(q0('200', 'x').hint, '1.2·QN < Q0 <= 999');
  const ru = JSON.parse(merid.view(request({...kTypical}, 'ru'))).entries;
  assert.strictEqual(ru.q0.hint, '1.2·12 < Q0 <= 999');
  assert.strictEqual(ru.f.hint, '0.1 <= F <= 150 МГц');
  assert.strictEqual(ru.pin.hint, '0.01 < P вх. <= 100000 Вт');
}

function checkCmin(merid) {
  const view = (cmin) => JSON.parse(merid.view(request({...kTypical, cmin})));
  for (const cmin of ['0', '100000', '150']) {
    assert.strictEqual(view(cmin).accepted, true, cmin);
  }
  for (const cmin of ['100001', '-1', '1 50']) {
    const refused = view(cmin);
    assert.strictEqual(refused.accepted, false, cmin);
    assert.strictEqual(refused.entries.cmin.refused, true, cmin);
    assert.ok(refused.marks.includes('cmin'), cmin);
    assert.strictEqual(refused.json, '');
  }
  const block = view('150').sections.amplifier[0];
  const cells = block.rows.flat();
  assert.deepStrictEqual(cells.map((c) => c.value.trim()), ['150.000', '-30.574', '15.202']);
  const none = view('100000').sections.amplifier[0].rows.flat();
  assert.notStrictEqual(none[2].value.trim(), '15.202');
  assert.ok(!/^-?\d/.test(none[2].value.trim()), 'no loaded Q gives C1 >= 100000 pF');
}

// The dialogue's message as whole sentences, and the least loaded Q that
// makes the transformation: it does, and a thousandth less does not.
function checkInfeasible(merid) {
  for (const lang of ['ru', 'en']) {
    const view = JSON.parse(merid.view(request({...kTypical, qn: '1.2'}, lang)));
    assert.strictEqual(view.infeasible, true);
    assert.ok(view.marks.includes('qn'));
    assert.ok(view.infeasible_text.every((s) => s.endsWith('.') && !s.includes('-\n')),
              view.infeasible_text.join('|'));
    assert.ok(!view.infeasible_text.join(' ').includes('трансформа- '));
    const least = view.qn_min;
    assert.ok(view.infeasible_text.at(-1).includes(least), view.infeasible_text.at(-1));
    const at = (qn) => JSON.parse(merid.view(request({...kTypical, qn}, lang))).infeasible;
    assert.strictEqual(at(least), false, least);
    assert.strictEqual(at((Number(least) - 0.001).toFixed(3)), true, least);
  }
}

// merid-calc's refusals of options that do not go together refuse the
// request and mark the options.
function checkRefusals(merid) {
  const view = (values) => JSON.parse(merid.view(request({...kTypical, ...values}, 'en')));
  const both = view({limit: 'us', 'limit-dbc': '60'});
  assert.strictEqual(both.accepted, false);
  assert.deepStrictEqual(both.marks.sort(), ['limit', 'limit-dbc']);
  assert.match(both.warnings[0].text, /--limit and --limit-dbc are two limits/);
  assert.strictEqual(view({retune: '1'}).accepted, false);
  assert.strictEqual(view({network: 'pi', rmid: '500'}).accepted, false);
  assert.strictEqual(view({elements: '1,2'}).accepted, false);
  assert.ok(view({'c1-range': '250,10'}).entries['c1-range'].refused);
  // Each number of a list read strictly too.
  const list = view({'c2-range': '200,1 500'}).entries['c2-range'];
  assert.ok(list.refused && list.hint.startsWith(
      'number 2: a space ends the number, which reads 1; type 1500'), list.hint);
  const parted = view({elements: '120 4.7 640'}).entries.elements;
  assert.ok(parted.refused && parted.hint.startsWith(
      'number 1 holds a space: part the numbers by commas'), parted.hint);
  assert.strictEqual(view({swr: '11'}).entries.swr.refused, true);
  assert.strictEqual(view({network: 'tee'}).accepted, false);
}

function checkLanguages(merid) {
  const en = JSON.parse(merid.view(request({...kTypical, cmin: '150'}, 'en')));
  assert.strictEqual(en.warnings[0].text, 'C1 = 119.426 pF is below CMIN = 150 pF by 30.574 pF');
  const ru = JSON.parse(merid.view(request({...kTypical, cmin: '150'}, 'ru')));
  assert.strictEqual(ru.warnings[0].key, 'c1_below_cmin');
  assert.ok(/[\u0400-\u04ff]/u.test(ru.warnings[0].text));
  assert.strictEqual(ru.json, en.json, 'the JSON is the same in either language');
  const c1 = ru.blocks.flatMap((b) => b.rows.flat()).find((c) => c.key === 'c1');
  assert.deepStrictEqual([c1.value, c1.emphasis], ['   119.426', true]);
  for (const lang of ['ru', 'en']) {
    const form = JSON.parse(merid.form(lang));
    assert.strictEqual(form.lang, lang);
    assert.deepStrictEqual(form.inputs.map((i) => i.name), Object.keys(kTypical));
    assert.ok(form.sections.length >= 5);
    const names = form.sections.flatMap((s) => s.controls.map((c) => c.name));
    for (const name of ['network', 'rmid', 'swr', 'retune', 'elements', 'c1-range', 'cmin',
                        'rin-from', 'limit', 'limit-dbc', 'margin', 'conduction', 'fixed-coil']) {
      assert.ok(names.includes(name), name);
    }
    assert.ok(Object.values(form.texts).every((t) => t.length > 0));
  }
  const ruForm = JSON.parse(merid.form('ru'));
  assert.ok(!JSON.stringify(ruForm).includes('Мгц'), 'МГц, not Мгц');
  assert.ok(!JSON.stringify(ruForm).includes('(ампл.)'));
}

function checkBands(merid) {
  const bands = JSON.parse(merid.bands(request({...kTypical, 'fixed-coil': '1', cmin: '150'})));
  assert.strictEqual(bands.refused, false);
  assert.strictEqual(bands.coil_heading, 'Катушка');
  for (const heading of ['U пик С1, В', 'I пик L, А', 'KU, дБ', 'Qn(Cmin)']) {
    assert.ok(bands.columns.includes(heading), `${heading} in ${bands.columns.join('|')}`);
  }
  const row = bands.lines.find((l) => l.name === '40m' && l.edge === 'centre');
  const cell = (heading) => row.cells[bands.columns.indexOf(heading)];
  assert.deepStrictEqual([cell('C1, пФ'), cell('L, мкГн'), row.coil],
                         ['   121.231', '     4.632', 'подобрана']);
  assert.strictEqual(row.marked, true, 'C1 = 121 pF is below Cmin = 150 pF');
  assert.ok(bands.lines.some((l) => !l.marked && l.cells.length > 0));
  // A coil no accepted loaded Q matches: the row says which way.
  // At Qn 69.9 a band's lower edge would need a Qn above 70 for its coil.
  const tight = JSON.parse(merid.bands(request({...kTypical, qn: '69.9', 'fixed-coil': '1'})));
  const unmatched = tight.lines.find((l) => l.name === '160m' && l.edge === 'low');
  assert.deepStrictEqual(unmatched.cells, []);
  assert.ok(unmatched.coil.length > 0 && unmatched.note.length > 0, JSON.stringify(unmatched));
  const top = tight.lines.find((l) => l.name === '160m' && l.edge === 'high');
  assert.ok(top.cells.length > 0 && top.note === '', JSON.stringify(top));
  const refused = JSON.parse(merid.bands(request({...kTypical, qn: 'x'})));
  assert.strictEqual(refused.refused, true);
  assert.ok(refused.status.length > 0);
}

function checkReportAndPlots(merid) {
  const report = merid.report(request(kTypical, 'en'), 2026, 12, 9);
  const lines = report.split('\r\n');
  assert.strictEqual(lines.length, 28, 'want 27 lines, each ending in CR LF');
  assert.strictEqual(lines[1], ' Дата: 20261209                 ');
  assert.strictEqual(merid.report(request({...kTypical, qn: '1.2'}), 2026, 12, 9), '');
  // The view says where there is no report to download: a network without
  // the dialogue's screen.
  assert.strictEqual(JSON.parse(merid.view(request(kTypical))).report, true);
  const piL = {...kTypical, network: 'pi-l'};
  assert.strictEqual(JSON.parse(merid.view(request(piL))).report, false);
  assert.strictEqual(merid.report(request(piL), 2026, 12, 9), '');
  const plots = JSON.parse(merid.plots(request({...kTypical, swr: '3', retune: '1'}, 'en')));
  for (const svg of [plots.response, plots.smith]) {
    assert.ok(/<svg[^>]*>/.test(svg) && svg.trimEnd().endsWith('</svg>'));
  }
  assert.deepStrictEqual(JSON.parse(merid.plots(request({...kTypical, qn: '1.2'}))),
                         {response: '', smith: ''});
}

// Every figure shown has the key of the figure of merid-calc's JSON it
// rounds, a path with dots into nested objects.
function checkKeys(merid) {
  const figure = (json, key) => key.split('.').reduce(
      (node, part) => (node !== null && typeof node === 'object' ? node[part] : undefined), json);
  for (const golden of kGoldens) {
    const view = JSON.parse(merid.view(request({...kTypical, ...golden.values}, 'en')));
    const json = JSON.parse(view.json);
    // A network's row for the text alone (pi-L's Qn of the pi section)
    // carries the key of the field that holds its figure (qn).
    const cells = [...view.blocks, ...Object.values(view.sections).flat()]
        .flatMap((b) => b.rows.flat());
    let compared = 0;
    for (const cell of cells) {
      const text = cell.value.trim();
      if (!/^-?\d+\.\d{3}$/.test(text)) continue;
      const want = figure(json, cell.key);
      assert.strictEqual(typeof want, 'number', `${golden.file}: ${cell.label} (${cell.key})`);
      assert.ok(Math.abs(want - Number(text)) <= 0.0005 + 1e-6 * Math.abs(want),
                `${golden.file}: ${cell.key} ${text} against ${want}`);
      ++compared;
    }
    assert.ok(compared >= 20, `${golden.file}: ${compared} figures`);
    // The harmonics' table has its column headings as a row of no figures.
    if (golden.values.limit) {
      const [headings, first] = view.sections.emissions[0].rows;
      assert.ok(headings.every((c) => c.key === ''), JSON.stringify(headings));
      assert.deepStrictEqual(headings.slice(0, 2).map((c) => c.value), ['F, MHz', 'dBc']);
      assert.strictEqual(first[1].key, 'emissions.harmonics.0.dbc');
    }
  }
}

// With merid-calc at hand: every option of its help is a control of the
// form, but those of its output (the format, the language, the plot
// files, the band table asked for by a button).
function checkEveryOption(merid) {
  if (!meridCalc) return;
  const help = execFileSync(meridCalc, ['--help'], {encoding: 'utf8'});
  const options = new Set(help.match(/^\s+--[a-z0-9-]+/gm).map((o) => o.trim().slice(2)));
  const kOutput = ['format', 'lang', 'svg', 'smith', 'whole-window', 'bands'];
  const form = JSON.parse(merid.form('en'));
  const names = form.sections.flatMap((s) => s.controls.map((c) => c.name));
  assert.deepStrictEqual([...options].filter((o) => !kOutput.includes(o)).sort(), names.sort());
}

createMerid().then((merid) => {
  checkEveryOption(merid);
  checkJson(merid);
  checkKeys(merid);
  checkEntries(merid);
  checkCleanBounds(merid);
  checkCmin(merid);
  checkInfeasible(merid);
  checkRefusals(merid);
  checkLanguages(merid);
  checkBands(merid);
  checkReportAndPlots(merid);
  console.log('ok: JSON as merid-calc writes it, entries, bounds, Cmin, infeasible, ' +
              'refusals, languages, bands, report, plots');
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
