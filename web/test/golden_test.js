// The module under Node on every golden design: each value synthesis leaves
// behind, matched by the file's column names, bit for bit; then the page's
// own entry points on the typical design against the dialogue's screen
// characters and the report's layout.
//   node golden_test.js build/web/site/merid.js calc/testdata/synthesis_golden.txt
'use strict';
const fs = require('fs');
const assert = require('assert');

const [modulePath, goldenPath] = process.argv.slice(2);
const createMerid = require(require('path').resolve(modulePath));

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

function checkGolden(merid) {
  const golden = readGolden(goldenPath);
  assert.ok(golden.lines.length >= 1000, 'cannot read ' + goldenPath);
  assert.ok(golden.columns.length > 0, 'no column names');
  let mismatches = 0;
  for (const line of golden.lines) {
    const got = JSON.parse(merid.synthesis(...line.inputs.map(floatOf)));
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
  return golden.lines.length;
}

// The typical design's screen, as the dialogue shows it.
function checkTypicalScreen(merid) {
  const design = JSON.parse(merid.calculate(7.1, 12, 200, 2000, 50, 100, 0));
  assert.strictEqual(design.infeasible, false);
  const cells = Object.fromEntries(design.screen.rows.flat()
                                       .map((c) => [c.name, c.field]));
  assert.strictEqual(cells.c1, '   119.426');
  assert.strictEqual(cells.bw_i, '   340.578');
  assert.strictEqual(design.screen.inputs[0].label + design.screen.inputs[0].field,
                     ' F, Мгц \t\t=      7.100');
  assert.strictEqual(Math.fround(design.fields.uc1_peak.value),
                     Math.fround(design.fields.uin.value * Math.fround(Math.SQRT2)));
}

function checkReport(merid) {
  const report = merid.report(7.1, 12, 200, 2000, 50, 100, 2026, 12, 9);
  const lines = report.split('\r\n');
  assert.strictEqual(lines.length, 28, 'want 27 lines, each ending in CR LF');
  assert.strictEqual(lines[27], '');
  assert.ok(!/[^\r]\n/.test(report), 'a line ends in LF alone');
  assert.strictEqual(lines[1], ' Дата: 20261209                 ');
  assert.strictEqual(merid.report(7.1, 1.2, 200, 2000, 50, 100, 2026, 12, 9), '',
                     'an infeasible design has no report');
}

// The number rules: a decimal comma, the free-form refusals, the ranges.
function checkNumberRules(merid) {
  const parse = (text) => JSON.parse(merid.parse(text));
  assert.deepStrictEqual(parse('7,1'), parse('7.1'));
  assert.strictEqual(parse('7.1').bits, '40e33333');
  assert.strictEqual(parse('abc').status, 'malformed');
  assert.strictEqual(parse('').status, 'empty');
  assert.strictEqual(parse('1.5e2').value, 150);
  assert.strictEqual(merid.refused(0, 150, NaN), false);
  assert.strictEqual(merid.refused(0, 150.01, NaN), true);
  assert.strictEqual(merid.refused(2, 14.4, 12), true, 'Q0 must exceed 1.2 QN');
  assert.strictEqual(merid.range(0, NaN), '0.1 <= F <= 150 (MHz)');
}

function checkPlots(merid) {
  const plots = JSON.parse(merid.plots(7.1, 12, 200, 2000, 50, 100));
  for (const svg of [plots.response, plots.smith]) {
    assert.ok(/<svg[^>]*>/.test(svg) && svg.trimEnd().endsWith('</svg>'),
              'a plot is not an SVG document');
  }
  assert.deepStrictEqual(JSON.parse(merid.plots(7.1, 1.2, 200, 2000, 50, 100)),
                         {response: '', smith: ''});
}

createMerid().then((merid) => {
  const designs = checkGolden(merid);
  checkTypicalScreen(merid);
  checkReport(merid);
  checkNumberRules(merid);
  checkPlots(merid);
  console.log(`ok: ${designs} golden designs bit for bit, screen, report, number rules`);
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
