// The modules under Node on every golden design: the test-only module's
// values that synthesis leaves behind, matched by the file's column names,
// bit for bit, and the page's module's JSON of each design against the
// same file; then the number rules.  The page's interface is
// module_test.js's.
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

// The shortest decimal that reads back to the float `x`.
function shortestText(x) {
  if (!Number.isFinite(x)) return String(x);
  for (let digits = 1; digits <= 9; ++digits) {
    const text = String(Number(x.toPrecision(digits)));
    if (Math.fround(Number(text)) === x) return text;
  }
  return String(x);
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
  const names = ['f', 'qn', 'q0', 'rin', 'rout', 'pin'];
  for (const line of golden.lines) {
    const inputs = line.inputs.map(floatOf);
    // Each input as the shortest text that reads back to its float; one
    // longer than the dialogue's 10 characters merid-calc refuses.
    const texts = inputs.map(shortestText);
    if (texts.some((t) => t.length > 10)) continue;
    const values = Object.fromEntries(names.map((n, i) => [n, texts[i]]));
    const design = JSON.parse(merid.view(JSON.stringify({lang: 'en', values})));
    design.refused = !design.accepted;
    if (design.refused) {
      if (!inputs.some((x, i) => goldenModule.refused(i, x, inputs[1]))) differs(line, 'refused');
      continue;
    }
    const infeasible = line.outputs[infeasibleAt] !== '00000000';
    if (design.infeasible !== infeasible) differs(line, `infeasible is ${design.infeasible}`);
    if (infeasible || design.infeasible) continue;
    ++feasible;
    const json = JSON.parse(design.json);
    golden.columns.forEach((name, i) => {
      const want = line.outputs[i];
      const have = json[name];
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

// The number rules: a decimal comma, the free-form refusals, the ranges.
function checkNumberRules(goldenModule) {
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

}

Promise.all([createMerid(), createGolden()]).then(([merid, goldenModule]) => {
  const golden = readGolden(goldenPath);
  checkGolden(goldenModule, golden);
  checkDesignJson(merid, goldenModule, golden);
  checkNumberRules(goldenModule);
  console.log(`ok: ${golden.lines.length} golden designs bit for bit, ` +
              'their JSON through the page, number rules');
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
