// The modules under Node on every golden design: the test-only module's
// values that synthesis leaves behind, matched by the file's column names,
// bit for bit, and the page's module's JSON of each design against the
// same file; then the page's own entry points on the typical design
// against the dialogue's screen characters and the report's layout.
//   node golden_test.js build/web/site/merid.js build/web/web/merid_golden.js \
//       calc/testdata/synthesis_golden.txt
'use strict';
const fs = require('fs');
const path = require('path');
const assert = require('assert');

const [modulePath, goldenModulePath, goldenPath] = process.argv.slice(2);
const createMerid = require(path.resolve(modulePath));
const createGolden = require(path.resolve(goldenModulePath));
const kTypical = [7.1, 12, 200, 2000, 50, 100];

const kColumnsLead = '# Columns: f qn q0 rin rout pin (inputs, f in MHz), then';

function readGolden(path) {
  const golden = {columns: [], lines: []};
  fs.readFileSync(path, 'utf8').split('\n').forEach((text, index) => {
    if (text.startsWith(kColumnsLead)) {
      golden.columns = text.slice(kColumnsLead.length).trim().split(/\s+/);
    }
    if (text === '' || text[0] === '#') return;
    const words = text.trim().split(/\s+/);
    golden.lines.push({number: index + 1, inputs: words.slice(0, 6),
                       outputs: words.slice(6)});
  });
  return golden;
}

// The float whose bit pattern is `hex`; a JavaScript number holds it
// exactly and the binding rounds it back to the same float.
function floatOf(hex) {
  const view = new DataView(new ArrayBuffer(4));
  view.setUint32(0, parseInt(hex, 16));
  return view.getFloat32(0);
}

function isNanBits(hex) { return Number.isNaN(floatOf(hex)); }

function checkGolden(goldenModule, golden) {
  assert.ok(golden.lines.length >= 1000, 'cannot read ' + goldenPath);
  assert.ok(golden.columns.length > 0, 'no column names');
  let mismatches = 0;
  for (const line of golden.lines) {
    const got = JSON.parse(goldenModule.synthesis(...line.inputs.map(floatOf)));
    golden.columns.forEach((name, i) => {
      const want = line.outputs[i];
      const have = got[name];
      // A not-a-number matches any not-a-number, as in the native test.
      if (have === want || (have && isNanBits(want) && isNanBits(have))) return;
      if (++mismatches <= 10) {
        console.error(`line ${line.number}: ${name} is ${have}, want ${want}`);
      }
    });
  }
  assert.strictEqual(mismatches, 0, `${mismatches} values differ`);
}

function bitsOf(number) {
  const view = new DataView(new ArrayBuffer(4));
  view.setFloat32(0, number);
  return view.getUint32(0).toString(16).padStart(8, '0');
}

// The page's module calculates each golden design whose inputs it accepts
// as the file has it: its JSON reads back to the file's bits under every
// column the two share (null where the file's value is not finite), and
// an infeasible design is called so.  The file's other designs (a loaded
// Q from the menu above 70, a not-a-number) are refused.
function checkDesignJson(merid, goldenModule, golden) {
  const infeasibleAt = golden.columns.indexOf('infeasible');
  let mismatches = 0;
  let feasible = 0;
  let compared = 0;
  const differs = (line, what) => {
    if (++mismatches <= 10) console.error(`line ${line.number}: ${what}`);
  };
  for (const line of golden.lines) {
    const inputs = line.inputs.map(floatOf);
    const design = JSON.parse(merid.design('pi', ...inputs, NaN, ''));
    if (design.refused) {
      if (!inputs.some((x, i) => goldenModule.refused(i, x, inputs[1]))) differs(line, 'refused');
      continue;
    }
    const infeasible = line.outputs[infeasibleAt] !== '00000000';
    if (design.infeasible !== infeasible) differs(line, `infeasible is ${design.infeasible}`);
    if (infeasible || design.infeasible) continue;
    ++feasible;
    const values = JSON.parse(design.json);
    golden.columns.forEach((name, i) => {
      const want = line.outputs[i];
      const have = values[name];
      if (have === undefined) return;  // a working value that JSON leaves out
      ++compared;
      const same = have === null ? !Number.isFinite(floatOf(want)) :
          bitsOf(have) === want || have === (parseInt(want, 16) | 0);
      if (!same) differs(line, `JSON ${name} is ${have}, want ${want}`);
    });
  }
  assert.strictEqual(mismatches, 0, `${mismatches} designs or values differ`);
  assert.ok(feasible > 0 && compared >= 25 * feasible, `${compared} values compared`);
}

// The typical design's blocks: the dialogue's screen, then the peaks and
// the harmonics; its warnings in Russian on the page and in English in
// its JSON.
function checkTypicalScreen(merid) {
  const design = JSON.parse(merid.design('pi', ...kTypical, NaN, ''));
  assert.strictEqual(design.infeasible, false);
  assert.deepStrictEqual(design.blocks.map((b) => b.heading.split(' ')[0]),
                         ['Исходные', 'Результаты', 'Пиковые', 'Подавление']);
  const cells = Object.fromEntries(design.blocks.flatMap((b) => b.rows.flat())
                                       .map((c) => [c.key, c.value]));
  assert.ok(design.blocks.flatMap((b) => b.rows.flat()).every((c) => c.label === c.label.trim()),
            'a label keeps the blanks that lead the text output to its values');
  assert.strictEqual(cells.c1, '   119.426');
  assert.strictEqual(cells.bw_i, '   340.578');
  assert.strictEqual(cells.uc1_peak, '   632.456');
  assert.deepStrictEqual(design.blocks[0].rows[0][0],
                         {key: 'f', label: 'F, Мгц', value: '     7.100'});
  const values = JSON.parse(design.json);
  assert.strictEqual(Math.fround(values.uc1_peak),
                     Math.fround(values.uin * Math.fround(Math.SQRT2)));
  assert.deepStrictEqual(design.warnings, []);

  const short = JSON.parse(merid.design('pi', ...kTypical, NaN, '200'));
  assert.deepStrictEqual(short.warnings, [{code: 'c1_below_cmin',
      text: 'C1 = 119.426 пФ меньше Cmin = 200 пФ на 80.574 пФ'}]);
  assert.strictEqual(JSON.parse(short.json).warnings[0].code, 'c1_below_cmin');
  assert.ok(!/[\u0400-\u04ff]/u.test(short.json), 'the JSON is not in English');

  const infeasible = JSON.parse(merid.design('pi', 7.1, 1.2, 200, 2000, 50, 100, NaN, ''));
  assert.strictEqual(infeasible.infeasible_text.join(' '),
                     'Для полученного коэффициента трансформа- ' +
                     'ции слишком мала нагруженная добротность.');
  assert.deepStrictEqual(JSON.parse(merid.design('pi', 150.1, 12, 200, 2000, 50, 100, NaN, '')),
                         {refused: true}, 'a value out of its range is calculated');
}

// The network by name and its parameter: pi-L's RMID worked out when NaN,
// held to its range when given; none for the pi network.  An infeasible
// pi-L design adds its note to the dialogue's two lines.
function checkNetworks(merid) {
  const rmid = (param) => {
    const design = JSON.parse(merid.design('pi-l', ...kTypical, param, ''));
    return design.refused || design.blocks[0].rows.at(-1)[0].value;
  };
  assert.deepStrictEqual([NaN, 500, 0.01].map(rmid), ['   316.000', '   500.000', true]);
  assert.strictEqual(JSON.parse(JSON.parse(merid.design('pi-l', ...kTypical, NaN, '')).json)
                         .network, 'pi-l');
  for (const [network, param] of [['pi', 500], ['tee', NaN]]) {
    assert.deepStrictEqual(JSON.parse(merid.design(network, ...kTypical, param, '')),
                           {refused: true}, `${network} with ${param}`);
  }
  const infeasible = JSON.parse(merid.design('pi-l', 7.1, 1.2, 200, 2000, 50, 100, NaN, ''));
  assert.deepStrictEqual(infeasible.infeasible_text.slice(2),
                         ['П-звено: R вх. = 2000 Ом -> R пром. = 316 Ом']);
  const bands = JSON.parse(merid.bands('pi-l', ...kTypical.slice(1), NaN, '', false));
  assert.ok(bands.columns.includes('L2, мкГн'), bands.columns.join('|'));
}

// The band table with a fixed coil: the 40 m centre row as merid-calc
// --bands --fixed-coil writes it, its cells found by column heading.
function checkBands(merid) {
  const bands = JSON.parse(merid.bands('pi', ...kTypical.slice(1), NaN, '', true));
  const row = bands.lines.find((l) => l.name === '40m' && l.edge === 'centre');
  const cell = (heading) => row.cells[bands.columns.indexOf(heading)];
  assert.deepStrictEqual([cell('F, МГц'), cell('C1, пФ'), cell('L, мкГн'), row.coil],
                         ['     7.100', '   121.231', '     4.632', 'подобрана']);
  assert.strictEqual(bands.coil_heading, 'Катушка');
  assert.strictEqual(bands.status, `Рассчитано строк: ${bands.lines.length}.`);
  const plain = JSON.parse(merid.bands('pi', ...kTypical.slice(1), NaN, '100', false));
  assert.strictEqual(plain.coil_heading, '');
  assert.strictEqual(plain.columns.at(-1), 'Qn(Cmin)');
}

function checkReport(merid) {
  const report = merid.report('pi', ...kTypical, 2026, 12, 9);
  const lines = report.split('\r\n');
  assert.strictEqual(lines.length, 28, 'want 27 lines, each ending in CR LF');
  assert.strictEqual(lines[27], '');
  assert.ok(!/[^\r]\n/.test(report), 'a line ends in LF alone');
  assert.strictEqual(lines[1], ' Дата: 20261209                 ');
  assert.strictEqual(merid.report('pi', 7.1, 1.2, 200, 2000, 50, 100, 2026, 12, 9), '',
                     'an infeasible design has no report');
}

// The number rules: a decimal comma, the free-form refusals, the ranges.
function checkNumberRules(merid, goldenModule) {
  const parse = (text) => JSON.parse(goldenModule.parse(text));
  assert.deepStrictEqual(parse('7,1'), parse('7.1'));
  assert.strictEqual(parse('7.1').bits, '40e33333');
  assert.strictEqual(parse('abc').status, 'malformed');
  assert.strictEqual(parse('').status, 'empty');
  assert.strictEqual(parse('1.5e2').value, 150);
  assert.strictEqual(goldenModule.refused(0, 150, NaN), false);
  assert.strictEqual(goldenModule.refused(0, 150.01, NaN), true);
  assert.strictEqual(goldenModule.refused(2, 14.4, 12), true, 'Q0 must exceed 1.2 QN');
  assert.strictEqual(goldenModule.range(0, NaN), '0.1 <= F <= 150 (MHz)');

  // The page's entries: a hint each, Q0 not judged while QN is refused,
  // Cmin optional, and values only when every entry is accepted.
  const entries = (typed, cmin) => JSON.parse(merid.entries(typed, cmin));
  const typical = entries(['7,1', '12', '200', '2000', '50', '100'], '');
  assert.deepStrictEqual(typical.values, kTypical);
  assert.strictEqual(typical.values.map(bitsOf)[0], '40e33333');
  const qnRefused = entries(['150,1', '80', '9', '2000', '50', '100'], '');
  assert.strictEqual(qnRefused.values, null);
  assert.deepStrictEqual(qnRefused.entries.slice(0, 3).map((e) => [e.refused, e.hint]), [
    [true, 'вне диапазона: 0.1 <= F <= 150 (MHz)'],
    [true, 'вне диапазона: 1.11 < QN <= 70'],
    [false, '1.2*QN < Q0 <= 999']]);
  const hints = ['abc', '1e6', '12345678901', ' '].map((cmin) => {
    const read = entries(['7,1', '12', '200', '2000', '50', '100'], cmin);
    return [read.accepted, read.cmin.hint.split(':')[0]];
  });
  assert.deepStrictEqual(hints, [[false, 'не число'], [false, 'вне диапазона'],
                                 [false, 'длиннее 10 знаков'], [true, '0 <= CMIN <= 100000 (pF)']]);
}

function checkPlots(merid) {
  const plots = JSON.parse(merid.plots('pi', ...kTypical, NaN));
  for (const svg of [plots.response, plots.smith]) {
    assert.ok(/<svg[^>]*>/.test(svg) && svg.trimEnd().endsWith('</svg>'),
              'a plot is not an SVG document');
  }
  assert.deepStrictEqual(JSON.parse(merid.plots('pi', 7.1, 1.2, 200, 2000, 50, 100, NaN)),
                         {response: '', smith: ''});
}

Promise.all([createMerid(), createGolden()]).then(([merid, goldenModule]) => {
  const golden = readGolden(goldenPath);
  checkGolden(goldenModule, golden);
  checkDesignJson(merid, goldenModule, golden);
  checkTypicalScreen(merid);
  checkNetworks(merid);
  checkBands(merid);
  checkReport(merid);
  checkNumberRules(merid, goldenModule);
  checkPlots(merid);
  console.log(`ok: ${golden.lines.length} golden designs bit for bit, ` +
              'blocks, warnings, networks, bands, report, number rules, plots');
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
