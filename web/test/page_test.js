// The page in headless Chromium, opened from disk, driven as a user drives
// it: the typical design in both languages, a pi-L design, a mismatched
// load, a harmonic limit, the band table, links, back and forward,
// reloads, refusals and the keyboard alone; every number it shows checked
// against the JSON of the same request (and, with MERID_CALC naming a
// native merid-calc, against that program's own output); timings printed;
// screenshots written.
//   node page_test.js SITE_DIR OUT_DIR
// Exits 0 with "SKIP:" when Chromium cannot start here, unless CI is true:
// there a missing browser fails the test rather than hide it.
'use strict';
const childProcess = require('child_process');
const path = require('path');
const {pathToFileURL} = require('url');
const {Checks, launch, loadPlaywright, mulberry32, watchErrors} =
    require('./page_support');

const [siteDir, outDir] = process.argv.slice(2);
const kSiteUrl = pathToFileURL(path.join(siteDir, 'index.html')).href;
const kTypical = {f: '7,1', qn: '12', q0: '200', rin: '2000', rout: '50', pin: '100'};
const kSix = Object.keys(kTypical);
// Everything on at once, for the slowest recalculation: only the names the
// form has are set.
const kEverything = {swr: '10', retune: '1', cmin: '30', 'c1-range': '10,500',
                     'c2-range': '100,3000', limit: 'us', margin: '3',
                     conduction: '200', 'push-pull': '30', rp: '5000',
                     'coil-c': '3', 'c1-lead': '20', 'c2-lead': '20'};
// What a Russian hint may spell in Latin letters: the option values'
// own syntax, not English words.
const kLatinInRussian = new Set(['tube', 'transistor']);
const kLatinUnits = new Set(['pF', 'uH', 'nH', 'MHz', 'kHz', 'Ohm', 'ohm', 'dB', 'dBc']);

// ---- the page's state and its controls ----

async function openPage(context, checks, fragment) {
  const page = await context.newPage();
  watchErrors(page, checks, (url) => /^(file|blob|data):/.test(url));
  await page.goto(kSiteUrl + (fragment ? '#' + fragment : ''));
  await page.waitForFunction(() => window.meridPage && window.meridPage.view);
  return page;
}

const pageState = (page) => page.evaluate(() => {
  const p = window.meridPage;
  return {view: p.view, form: p.form, request: p.request(), lang: p.lang};
});

// The control of `name` made visible (its section opened) and set as a
// user sets it.
async function setValue(page, name, value) {
  const selector = '#v-' + CSS_escape(name);
  const kind = await page.$eval(selector, (node) => {
    const section = node.closest('details');
    if (section && !section.open) section.open = true;
    return node.tagName === 'SELECT' ? 'select' : node.type;
  });
  if (kind === 'select') await page.selectOption(selector, value);
  else if (kind === 'checkbox') await page.setChecked(selector, value === '1');
  else await page.fill(selector, value);
}

function CSS_escape(name) { return name.replace(/[^a-zA-Z0-9_-]/g, (c) => '\\' + c); }

async function setValues(page, values) {
  for (const [name, value] of Object.entries(values)) await setValue(page, name, value);
}

// The names of every control the form describes.
function formNames(form) {
  return [...form.inputs, ...form.sections.flatMap((s) => s.controls)].map((c) => c.name);
}

// Every result the page shows: its key, label and text; a table's cell
// under its row's label.
const shownPairs = (page) => page.$$eval('#results .value', (values) => values.map((v) => {
  const pair = v.closest('.pair');
  const label = pair ? pair.querySelector('.label') : v.parentElement.querySelector('th');
  return {key: v.dataset.key, label: label ? label.textContent : '', value: v.textContent};
}));

// The figure of `key` in merid-calc's JSON: a key of a nested object is
// written with dots.
function jsonFigure(json, key) {
  let node = json;
  for (const part of key.split('.')) {
    if (node === null || typeof node !== 'object' || !(part in node)) return undefined;
    node = node[part];
  }
  return node;
}

// A number as the page shows it, alone or before a word ("720.405
// источник 11·R вх."), and half a unit of its last digit.
function shownNumber(text) {
  const m = /^\s*(-?\d+)(?:\.(\d+))?(?:e([+-]?\d+))?(?:\s|$)/.exec(text);
  if (!m) return null;
  const digits = (m[2] || '').length;
  const exponent = Number(m[3] || 0);
  return {value: Number(m[0]), half: 0.5 * 10 ** (exponent - digits)};
}

// Every number of a JSON value, however deep.
function allFigures(node, out = []) {
  if (typeof node === 'number') out.push(node);
  else if (node && typeof node === 'object') Object.values(node).forEach((v) => allFigures(v, out));
  return out;
}

// A single-precision figure is written as the shortest text that reads
// back to it, which may round the other way at the digits shown.
function closeTo(shown, want) {
  return Math.min(Math.abs(shown.value - want), Math.abs(shown.value - Math.fround(want))) <=
         shown.half * (1 + 1e-6);
}

// Each number shown equals its figure rounded to the digits shown.
function checkFigures(checks, what, pairs, json) {
  let compared = 0;
  for (const {key, label, value} of pairs) {
    const shown = shownNumber(value);
    if (!shown) continue;
    const want = jsonFigure(json, key || '');
    if (typeof want !== 'number') {
      checks.fail(`${what}: "${label}" ${value.trim()} (key "${key}") has no figure in the JSON`);
      continue;
    }
    if (!closeTo(shown, want)) {
      checks.fail(`${what}: "${label}" shows ${value.trim()}, the JSON's ${key} is ${want}`);
    }
    ++compared;
  }
  return compared;
}

// merid-calc's command line for a request: the six inputs in order, each
// option by its name where it differs from the default.
function calcArguments(form, values) {
  const args = ['--format', 'json'];
  for (const control of form.sections.flatMap((s) => s.controls)) {
    const value = values[control.name];
    if (value === undefined || value === control.value) continue;
    if (control.kind === 'flag') {
      if (value === '1') args.push('--' + control.name);
    } else {
      args.push('--' + control.name, value);
    }
  }
  args.push('--', ...form.inputs.map((input) => values[input.name]));
  return args;
}

function checkNativeCalc(checks, what, state) {
  const calc = process.env.MERID_CALC;
  if (!calc) return;
  const args = calcArguments(state.form, JSON.parse(state.request).values);
  const run = childProcess.spawnSync(calc, args, {encoding: 'utf8'});
  if (run.stdout.trim() !== state.view.json.trim()) {
    checks.fail(`${what}: merid-calc ${args.join(' ')} writes other JSON than the page's`);
  }
}

// With MERID_CALC: each number of each band table row the page shows is
// one of the figures of merid-calc --bands --format json's row of that
// band and edge (the page's cells carry no key to name which).
async function checkBandsAgainstCalc(checks, page) {
  const calc = process.env.MERID_CALC;
  if (!calc) return;
  const {form, request} = await pageState(page);
  const args = calcArguments(form, JSON.parse(request).values);
  args.splice(args.indexOf('--') + 1, 1);  // a band table has no F
  const run = childProcess.spawnSync(calc, ['--bands', ...args], {encoding: 'utf8'});
  const rows = JSON.parse(run.stdout || '[]');
  const shown = await page.$$eval('#bands-table tbody tr', (trs) => trs.map((tr) => ({
    band: tr.dataset.band, edge: tr.dataset.edge,
    cells: [...tr.querySelectorAll('td')].map((td) => td.textContent)})));
  let compared = 0;
  for (const line of shown) {
    const row = rows.find((r) => r.band === line.band && r.edge === line.edge);
    if (!row) {
      checks.fail(`merid-calc --bands has no row ${line.band} ${line.edge}`);
      continue;
    }
    const figures = allFigures(row);
    for (const cell of line.cells) {
      const number = shownNumber(cell);
      if (!number) continue;
      ++compared;
      if (!figures.some((f) => closeTo(number, f))) {
        checks.fail(`band table ${line.band} ${line.edge}: ${cell.trim()} is no figure of merid-calc's row`);
      }
    }
  }
  console.log(`band table: ${compared} numbers found in merid-calc --bands`);
}

async function checkShownAgainstJson(checks, page, what) {
  const state = await pageState(page);
  if (!state.view.accepted || state.view.infeasible) return {state, compared: 0};
  const compared = checkFigures(checks, what, await shownPairs(page),
                                JSON.parse(state.view.json));
  checkNativeCalc(checks, what, state);
  return {state, compared};
}

// ---- the page's layout ----

// No visible heading without text, no visible image that is not drawn.
async function checkNothingEmpty(checks, page, what) {
  const empty = await page.$$eval('h1, h2, h3, h4, img, figcaption, summary, label, button',
      (nodes) => nodes.filter((n) => n.offsetParent !== null).filter((n) =>
        n.tagName === 'IMG' ? !(n.complete && n.naturalWidth > 0) :
            n.textContent.trim() === '' || n.textContent.includes('undefined'))
          .map((n) => n.outerHTML.slice(0, 80)));
  checks.expect(empty.length === 0, `${what}: empty or broken: ${empty.join(' | ')}`);
}

async function plotsDrawn(page) {
  return page.waitForFunction(() => ['plot-response', 'plot-smith'].every((id) => {
    const img = document.getElementById(id);
    return img.complete && img.naturalWidth > 0;
  }), null, {timeout: 5000}).then(() => true, () => false);
}

async function sidewaysScroll(page) {
  return page.evaluate(() => document.scrollingElement.scrollWidth -
                             document.scrollingElement.clientWidth);
}

// ---- the cases ----

async function typicalInBothLanguages(checks, page) {
  await setValues(page, kTypical);
  const ru = await checkShownAgainstJson(checks, page, 'typical, ru');
  checks.expect(ru.compared >= 28, `the typical design shows ${ru.compared} figures`);
  checks.expect(await page.getAttribute('html', 'lang') === 'ru', 'html lang is not ru');
  const c1 = (await shownPairs(page)).find((p) => p.key === 'c1');
  checks.expect(c1 && c1.value.trim() === '119.426', 'the typical C1 is not 119.426');
  checks.expect(await plotsDrawn(page), 'the typical design\'s plots are not drawn');
  await checkNothingEmpty(checks, page, 'typical, ru');
  await checkHints(checks, page, 'ru');

  await page.selectOption('#language', 'en');
  const en = await checkShownAgainstJson(checks, page, 'typical, en');
  checks.expect(await page.getAttribute('html', 'lang') === 'en', 'html lang is not en');
  checks.expect(en.state.view.json === ru.state.view.json, 'the JSON differs between languages');
  const labels = await page.$$eval('#inputs label', (nodes) => nodes.map((n) => n.textContent));
  checks.expect(labels.every((l) => !/[а-яё]/i.test(l)), `Russian in English labels: ${labels}`);
  checks.expect(await page.title() === en.state.form.title, 'the title is not the English one');
  await checkHints(checks, page, 'en');
  await checkNothingEmpty(checks, page, 'typical, en');
  await page.selectOption('#language', 'ru');
}

// Values that each input refuses for a reason of its own: out of range,
// not a number, a space or a second comma inside.
const kRefusedTyping = {f: ['150,1', 'abc', '7 1'], qn: ['80', '1,1,1'], q0: ['5', '2 000'],
                        rin: ['0', '2 500'], rout: ['1e9'], pin: ['0,001 ']};

// The hints in clean numbers, and no English word or unit in a Russian
// hint; the refused ones too, one input at a time.
async function checkHints(checks, page, lang) {
  const hintsNow = async () => {
    const shown = await page.$$eval('.hint', (nodes) => nodes.map((n) => n.textContent));
    const {view} = await pageState(page);
    return [...shown, ...Object.values(view.entries).map((e) => e.hint)];
  };
  const all = new Set(await hintsNow());
  for (const [name, typings] of Object.entries(kRefusedTyping)) {
    for (const text of typings) {
      await setValue(page, name, text);
      for (const hint of await hintsNow()) all.add(hint);
    }
    await setValue(page, name, kTypical[name]);
  }
  for (const hint of all) {
    if (/\d\.\d*(0000+[1-9]|9999+\d)/.test(hint)) checks.fail(`float noise in "${hint}"`);
    if (lang !== 'ru') continue;
    const english = (hint.match(/[A-Za-z]{2,}/g) || []).filter(
        (w) => kLatinUnits.has(w) || (/^[a-z]{3,}$/.test(w) && !kLatinInRussian.has(w)));
    if (english.length) checks.fail(`English (${english}) in the Russian hint "${hint}"`);
  }
}

async function piL(checks, page) {
  // RMID is pi-L's own: offered with that network only.
  const rmidShown = () => page.$eval('.entry[data-name="rmid"]', (e) => !e.hidden);
  checks.expect(!(await rmidShown()), 'RMID is offered with the pi network');
  await setValues(page, {...kTypical, network: 'pi-l'});
  checks.expect(await rmidShown(), 'RMID is not offered with the pi-L network');
  const {state, compared} = await checkShownAgainstJson(checks, page, 'pi-L');
  checks.expect(compared > 30, `the pi-L design shows ${compared} figures`);
  checks.expect(JSON.parse(state.view.json).network === 'pi-l', 'the pi-L request is not pi-L');
  checks.expect(await plotsDrawn(page), 'the pi-L plots are not drawn');
  await setValue(page, 'network', 'pi');
}

async function mismatchedLoad(checks, page) {
  await setValues(page, {...kTypical, swr: '2', retune: '1'});
  const {state, compared} = await checkShownAgainstJson(checks, page, 'SWR 2, retuned');
  const json = JSON.parse(state.view.json);
  checks.expect(json.load_swr && json.load_swr.retuned, 'SWR 2 has no retuned figures');
  const sections = Object.values(state.view.sections || {}).flat();
  checks.expect(sections.length > 0, 'SWR 2 adds no block');
  checks.expect(compared > 40, `SWR 2 shows ${compared} figures`);
  await setValues(page, {swr: '', retune: ''});
}

async function harmonicLimit(checks, page) {
  await setValues(page, {...kTypical, limit: 'us'});
  const {state} = await checkShownAgainstJson(checks, page, 'limit us');
  const json = JSON.parse(state.view.json);
  checks.expect(json.emissions !== undefined, 'the limit gives no emissions in JSON');
  const shown = await shownPairs(page);
  checks.expect(shown.some((p) => p.key.startsWith('emissions')),
                'the limit\'s emissions are not shown');
  await setValue(page, 'limit', '');
}

async function cminMargin(checks, page) {
  await setValues(page, {...kTypical, cmin: '150'});
  const {state} = await checkShownAgainstJson(checks, page, 'Cmin 150');
  const shown = await shownPairs(page);
  for (const key of ['cmin', 'c1_margin', 'qn_for_cmin']) {
    checks.expect(shown.some((p) => p.key === key), `Cmin 150 does not show ${key}`);
  }
  checks.expect(state.view.warnings.length > 0, 'C1 below Cmin gives no warning');
  await setValue(page, 'cmin', '');
}

async function refusedAndInfeasible(checks, page) {
  await setValues(page, kTypical);
  await setValue(page, 'rin', '2 500');
  const hint = await page.textContent('#hint-rin');
  checks.expect(await page.getAttribute('#v-rin', 'aria-invalid') === 'true' &&
                hint.includes('2500'), `"2 500" is not refused with its reason: "${hint}"`);
  checks.expect(await page.$('#results .pair') === null, 'a refused RIN leaves results');
  await page.waitForTimeout(200);  // past the plots' delay
  checks.expect(!(await page.isVisible('#plots')), 'a refused RIN leaves the plots');
  checks.expect(await page.isVisible('#refusals li'), 'a refused RIN is not named beside the results');
  await checkNothingEmpty(checks, page, 'a refused RIN');
  await setValue(page, 'rin', '2000');

  await setValue(page, 'qn', '3');
  const {view} = await pageState(page);
  const message = await page.textContent('#infeasible');
  checks.expect(view.infeasible && await page.isVisible('#infeasible'),
                'Qn 3 is not shown infeasible');
  checks.expect(view.qn_min && message.includes(view.qn_min),
                `the infeasible message lacks the smallest Qn: "${message}"`);
  checks.expect(await page.getAttribute('#v-qn', 'aria-invalid') === 'true',
                'the infeasible design leaves Qn unmarked');
  checks.expect(!(await page.isVisible('#plots')), 'an infeasible design shows plots');
  await checkNothingEmpty(checks, page, 'infeasible');
  await setValue(page, 'qn', '12');
}

async function bandTable(checks, page) {
  await setValues(page, {...kTypical, 'fixed-coil': '1'});
  const ms = await page.evaluate(() => {
    const t0 = performance.now();
    window.meridPage.showBands();
    return performance.now() - t0;
  });
  console.log(`band table (pi, fixed coil): ${ms.toFixed(0)} ms (goal 100)`);
  const state = await pageState(page);
  const bands = JSON.parse(await page.evaluate((r) => window.meridPage.merid.bands(r),
                                               state.request));
  const headings = await page.$$eval('#bands-table thead th', (ths) => ths.map((t) => t.textContent));
  const want = [bands.band_heading, ...bands.columns, bands.coil_heading].filter(Boolean);
  checks.expect(JSON.stringify(headings) === JSON.stringify(want),
                `the band table's columns: ${headings}`);
  const rows = await page.$$eval('#bands-table tbody tr', (trs) => trs.map((tr) => ({
    band: tr.dataset.band, edge: tr.dataset.edge,
    cells: [...tr.children].map((c) => c.textContent)})));
  checks.expect(rows.length === bands.lines.length && rows.length >= 33,
                `the band table has ${rows.length} rows`);
  const centre40 = rows.find((r) => r.band === '40m' && r.edge === 'centre');
  const byHeading = centre40 ? Object.fromEntries(headings.map((h, i) => [h, centre40.cells[i]])) : {};
  checks.expect(Object.values(byHeading).some((t) => t.trim() === '7.100'),
                `the 40 m centre row: ${JSON.stringify(byHeading)}`);
  checks.expect(await sidewaysScroll(page) <= 0, 'the band table widens the page');
  await checkBandsAgainstCalc(checks, page);

  // Marked stale by the edit itself, before the table is calculated again.
  const markedAtOnce = await page.evaluate(() => {
    const qn = document.getElementById('v-qn');
    qn.value = '13';
    qn.dispatchEvent(new Event('input', {bubbles: true}));
    return !document.getElementById('bands-stale').hidden &&
           document.getElementById('bands-table').classList.contains('stale');
  });
  checks.expect(markedAtOnce, 'an edit leaves the band table unmarked');
  await page.waitForFunction(() => document.getElementById('bands-stale').hidden,
                             null, {timeout: 5000}).catch(() => {});
  checks.expect(!(await page.isVisible('#bands-stale')), 'the band table does not follow an edit');
  await setValue(page, 'rin', '2 500');
  await page.waitForTimeout(600);
  checks.expect(!(await page.isVisible('#bands-table tbody tr')),
                'the band table is shown while RIN is refused');
  checks.expect((await page.textContent('#bands-status')).trim() !== '',
                'the refused band table says nothing');
  await setValues(page, {rin: '2000', qn: '12', 'fixed-coil': ''});
}

// In English, with every section open and filled and the band table
// shown, no Russian word but the language's own name.
async function englishThroughout(checks, page) {
  await page.selectOption('#language', 'en');
  for (const network of ['pi', 'pi-l']) {
    await setValues(page, {...kTypical, network, swr: '2', retune: '1', limit: 'us',
                           cmin: '150', 'fixed-coil': '1'});
    await page.evaluate(() => window.meridPage.showBands());
    const {form} = await pageState(page);
    const names = new Set(form.languages.map((l) => l.label));
    const russian = (await page.evaluate(() => document.body.innerText)).split('\n')
        .filter((line) => /[а-яё]/i.test(line) && !names.has(line.trim()));
    checks.expect(russian.length === 0, `${network} in English: ${russian.slice(0, 3).join(' | ')}`);
    await page.waitForTimeout(200);  // the plots follow the last edit
    await plotsDrawn(page);
    const plotsInRussian = await page.$$eval('#plots img', (imgs) => imgs.filter((img) =>
      /[а-яё]/i.test(decodeURIComponent(img.getAttribute('src') || ''))).map((img) => img.id));
    checks.expect(plotsInRussian.length === 0, `${network} in English: Russian in ${plotsInRussian}`);
  }
  await setValues(page, {...kTypical, network: 'pi', swr: '', retune: '', limit: '', cmin: '',
                         'fixed-coil': ''});
  await page.selectOption('#language', 'ru');
}

// Twenty designs of either network, random within the accepted ranges.
async function randomDesigns(checks, page) {
  const random = mulberry32(20261209);
  const between = (low, high) => low * (high / low) ** random();
  const typed = (x) => String(Number(x.toPrecision(5)));
  let compared = 0;
  let designs = 0;
  for (let i = 0; i < 20; ++i) {
    const qn = 2 + 30 * random();
    const values = {
      network: i % 2 ? 'pi-l' : 'pi', f: typed(between(0.2, 140)).replace('.', ','),
      qn: typed(qn), q0: typed(1.3 * qn + (999 - 1.3 * qn) * random()),
      rin: typed(between(20, 20000)), rout: typed(between(5, 2000)), pin: typed(between(1, 5000)),
    };
    await setValues(page, values);
    // A loaded Q too small for the ratio: the one the page names as
    // enough, a little above it, where Q0 allows.
    const {view} = await pageState(page);
    const enough = view.infeasible && Number(view.qn_min) * 1.1;
    if (enough && enough <= 70 && 1.2 * enough < Number(values.q0)) {
      values.qn = typed(enough);
      await setValue(page, 'qn', values.qn);
    }
    const result = await checkShownAgainstJson(checks, page, `design ${i} ${JSON.stringify(values)}`);
    compared += result.compared;
    if (result.compared > 0) ++designs;
  }
  console.log(`random designs: ${designs} of 20 built, ${compared} figures compared` +
              (process.env.MERID_CALC ? ', each against merid-calc' : ''));
  checks.expect(designs >= 10, `only ${designs} of the random designs were built`);
  await setValues(page, {...kTypical, network: 'pi'});
}

async function linksHistoryAndReload(checks, context, page) {
  const field = (name) => page.inputValue('#v-' + name);
  await setValues(page, kTypical);
  await page.waitForTimeout(1100);
  // Typing a number key by key is one new history entry, not one a key;
  // an edit right after it joins the same entry.
  const before = await page.evaluate(() => history.length);
  await page.focus('#v-pin');
  await page.keyboard.press('Control+A');
  await page.keyboard.type('200', {delay: 60});
  await page.keyboard.press('Backspace');
  await page.keyboard.press('Backspace');
  checks.expect(await field('pin') === '2', 'the keys typed are not the value');
  await setValue(page, 'pin', '100');
  checks.expect(await page.evaluate(() => history.length) === before + 1,
                'typing one value makes more than one history entry');
  await page.waitForTimeout(1100);
  checks.expect(page.url().includes('pin=100'), 'the address lags the last edit');
  await setValue(page, 'qn', '15');
  await page.waitForTimeout(1100);
  await setValue(page, 'pin', '20');
  await page.waitForTimeout(100);
  const shown = await shownPairs(page);
  const url = page.url();
  checks.expect(url.includes('#'), 'the address does not carry the design');

  const other = await openPage(context, checks, url.split('#')[1]);
  const there = await shownPairs(other);
  checks.expect(JSON.stringify(there) === JSON.stringify(shown), 'a link gives other results');
  await other.close();

  await page.evaluate(() => history.back());
  await page.waitForFunction(() => document.getElementById('v-pin').value !== '20');
  checks.expect(await field('pin') === '100' && await field('qn') === '15',
                'back does not restore the design before');
  await page.evaluate(() => history.back());
  await page.waitForFunction(() => document.getElementById('v-qn').value !== '15');
  checks.expect(await field('qn') === '12', 'back twice does not restore Qn 12');
  const c1 = (await shownPairs(page)).find((p) => p.key === 'c1');
  checks.expect(c1 && c1.value.trim() === '119.426', 'back leaves the results of another design');
  await page.evaluate(() => history.forward());
  await page.waitForFunction(() => document.getElementById('v-qn').value === '15');

  // Reload keeps the inputs; a page opened without a design in its
  // address starts from the last one.
  await page.reload();
  await page.waitForFunction(() => window.meridPage && window.meridPage.view);
  checks.expect(await field('qn') === '15', 'a reload loses the inputs');
  const bare = await openPage(context, checks, '');
  checks.expect(await bare.inputValue('#v-qn') === '15', 'the stored inputs are not restored');
  await bare.close();
}

// Every control named, every control reached by Tab, and the keyboard
// alone opens a section, ticks a box and types a value.
async function keyboardAndNames(checks, page) {
  await setValues(page, kTypical);
  await page.$$eval('details', (all) => all.forEach((d) => { d.open = true; }));
  const snapshot = await page.accessibility.snapshot();
  const unnamed = [];
  const walk = (node) => {
    if (['textbox', 'checkbox', 'combobox', 'button', 'link', 'spinbutton'].includes(node.role) &&
        !(node.name || '').trim()) unnamed.push(node.role);
    (node.children || []).forEach(walk);
  };
  walk(snapshot);
  checks.expect(unnamed.length === 0, `controls without a name: ${unnamed.join(' ')}`);

  const wanted = await page.$$eval('input, select, button, summary',
      (nodes) => nodes.filter((n) => n.offsetParent !== null && !n.disabled).map((n) => n.id || n.textContent));
  await page.evaluate(() => document.activeElement && document.activeElement.blur());
  const reached = new Set();
  for (let i = 0; i < wanted.length + 10; ++i) {
    await page.keyboard.press('Tab');
    reached.add(await page.evaluate(() => document.activeElement.id ||
                                           document.activeElement.textContent));
  }
  const missed = wanted.filter((w) => !reached.has(w));
  checks.expect(missed.length === 0, `Tab does not reach: ${missed.join(', ')}`);

  await page.$$eval('details', (all) => all.forEach((d) => { d.open = false; }));
  await page.focus('details summary');
  await page.keyboard.press('Enter');
  checks.expect(await page.$eval('details', (d) => d.open), 'Enter does not open a section');
  await page.$eval('#v-retune', (box) => { box.closest('details').open = true; });
  await page.focus('#v-retune');
  await page.keyboard.press('Space');
  checks.expect(await page.isChecked('#v-retune'), 'Space does not tick a box');
  await page.keyboard.press('Space');
  await page.focus('#v-qn');
  await page.keyboard.press('Control+A');
  await page.keyboard.type('14');
  checks.expect((await pageState(page)).view.query.includes('14'), 'typing does not recalculate');
  await setValue(page, 'qn', '12');
  await page.$eval('#bands-table', (table) => table.replaceChildren());
  await page.focus('#bands-run');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#bands-table tbody tr', {timeout: 5000})
      .catch(() => checks.fail('Enter does not calculate the band table'));
}

// From an input event to the results laid out, median of nine, and of
// that the module's view alone.
async function timeRecalculation(page, label) {
  const {total, view} = await page.evaluate(() => {
    const input = document.getElementById('v-pin');
    const median = (times) => times.sort((a, b) => a - b)[times.length >> 1];
    const totals = [];
    const views = [];
    for (let i = 0; i < 9; ++i) {
      input.value = i % 2 ? '100' : '101';
      const t0 = performance.now();
      input.dispatchEvent(new Event('input', {bubbles: true}));
      void document.body.offsetHeight;
      totals.push(performance.now() - t0);
      const t1 = performance.now();
      window.meridPage.merid.view(window.meridPage.request());
      views.push(performance.now() - t1);
    }
    return {total: median(totals), view: median(views)};
  });
  console.log(`input to results, ${label}: ${total.toFixed(1)} ms (goal 50),` +
              ` of which the module's view ${view.toFixed(1)} ms`);
}

async function timings(checks, page) {
  const names = new Set(formNames((await pageState(page)).form));
  const everything = Object.fromEntries(
      Object.entries(kEverything).filter(([name]) => names.has(name)));
  for (const network of ['pi', 'pi-l']) {
    await setValues(page, {...kTypical, network});
    await timeRecalculation(page, `${network}, typical`);
    await setValues(page, everything);
    const {view} = await pageState(page);
    checks.expect(view.accepted && !view.infeasible,
                  `everything on is refused: ${JSON.stringify(view.entries)}`);
    await timeRecalculation(page, `${network}, everything on`);
    await setValue(page, 'fixed-coil', '1');
    const ms = await page.evaluate(() => {
      const t0 = performance.now();
      window.meridPage.showBands();
      return performance.now() - t0;
    });
    console.log(`band table, ${network}, everything on and the fixed coil: ${ms.toFixed(0)} ms (goal 100)`);
    await setValue(page, 'fixed-coil', '');
    await setValues(page, Object.fromEntries(Object.keys(everything).map((n) => [n, ''])));
  }
  await setValues(page, {...kTypical, network: 'pi'});
}

async function phonesAndScreenshots(checks, page) {
  await setValues(page, kTypical);
  await page.$$eval('details', (all) => all.forEach((d) => { d.open = false; }));
  await page.setViewportSize({width: 1280, height: 900});
  await plotsDrawn(page);
  await page.evaluate(() => {
    document.activeElement.blur();
    window.scrollTo(0, 0);
  });
  const fold = await page.$$eval('#results .pair.emphasis', (pairs) =>
      Math.max(...pairs.map((p) => p.getBoundingClientRect().bottom)));
  checks.expect(fold <= 900, `at 1280x900 the emphasised results end at ${fold} px`);
  await page.screenshot({path: path.join(outDir, 'web-1280.png')});
  for (const [width, height] of [[768, 1024], [360, 780]]) {
    await page.setViewportSize({width, height});
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({path: path.join(outDir, `web-${width}.png`)});
    checks.expect(await sidewaysScroll(page) <= 0, `at ${width} px the page scrolls sideways`);
  }
  // At 360 px: nothing scrolls sideways, even with every section open and
  // the band table shown; targets large enough to touch.
  await page.$$eval('details', (all) => all.forEach((d) => { d.open = true; }));
  await page.evaluate(() => window.meridPage.showBands());
  checks.expect(await sidewaysScroll(page) <= 0, 'at 360 px the page scrolls sideways');
  const small = await page.$$eval('input, select, button, summary', (nodes) => nodes
      .filter((n) => n.offsetParent !== null)
      .map((n) => [n.id || n.tagName, n.type === 'checkbox' ?
                   n.closest('.entry').getBoundingClientRect().height :
                   n.getBoundingClientRect().height])
      .filter(([, h]) => h < 44));
  checks.expect(small.length === 0, `touch targets under 44 px: ${JSON.stringify(small)}`);
  const decimal = await page.$$eval('#inputs-list input', (nodes) =>
      nodes.every((n) => n.inputMode === 'decimal'));
  checks.expect(decimal, 'an input lacks inputmode decimal');
  const wrapped = await page.$$eval('#results .pair', (pairs) => pairs.filter((p) => {
    const label = p.querySelector('.label').getBoundingClientRect();
    const value = p.querySelector('.value').getBoundingClientRect();
    return value.top >= label.bottom - 1;
  }).length);
  checks.expect(wrapped === 0, `at 360 px ${wrapped} results wrap under their labels`);
  // 200 % zoom of a 1000-pixel window.
  await page.setViewportSize({width: 500, height: 800});
  checks.expect(await sidewaysScroll(page) <= 0, 'at 200 % zoom the page scrolls sideways');
  await page.setViewportSize({width: 1280, height: 900});
}

async function downloads(checks, page) {
  await setValues(page, kTypical);
  const [report] = await Promise.all([page.waitForEvent('download'),
                                      page.click('#download-report')]);
  const text = require('fs').readFileSync(await report.path(), 'utf8');
  checks.expect(report.suggestedFilename() === 'rezultat.txt' &&
                text.split('\r\n').length === 28 && text.includes('=    119.426'),
                'the downloaded report is not the 27 lines of rezultat.txt');
  const [json] = await Promise.all([page.waitForEvent('download'),
                                    page.click('#download-json')]);
  const {view, form} = await pageState(page);
  checks.expect(require('fs').readFileSync(await json.path(), 'utf8') === view.json &&
                json.suggestedFilename() === form.texts.json_file,
                'the downloaded JSON is not the view\'s');
}

// Printed: the design and its results without a control; the options
// chosen listed, the others not.
async function printed(checks, page) {
  await setValues(page, {...kTypical, swr: '2'});
  await page.emulateMedia({media: 'print'});
  await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
  const shown = await page.evaluate(() => {
    const visible = (selector) => [...document.querySelectorAll(selector)]
        .filter((n) => n.offsetParent !== null).map((n) => n.id || n.dataset.name);
    return {buttons: visible('button, select'), entries: visible('#sections .entry'),
            results: visible('#results .pair').length};
  });
  checks.expect(shown.buttons.length === 0, `printed with controls: ${shown.buttons}`);
  checks.expect(JSON.stringify(shown.entries) === '["swr"]',
                `printed options: ${shown.entries}, not the one chosen`);
  checks.expect(shown.results > 28, 'the printed page lacks the results');
  await page.evaluate(() => window.dispatchEvent(new Event('afterprint')));
  await page.emulateMedia({media: 'screen'});
  await setValue(page, 'swr', '');
}

// The link copied, by the Clipboard API or the old way where that is
// refused.
async function copyLink(checks, page) {
  await page.click('#copy-link');
  await page.waitForFunction(() => document.getElementById('link-status').textContent !== '',
                             null, {timeout: 3000}).catch(() => {});
  const {form} = await pageState(page);
  checks.expect(await page.textContent('#link-status') === form.texts.link_copied,
                'copy link says nothing');
}

async function main() {
  const chromium = loadPlaywright();
  const context = await launch(chromium);
  const checks = new Checks();
  const page = await openPage(context, checks, '');
  const cases = [typicalInBothLanguages, piL, mismatchedLoad, harmonicLimit, cminMargin,
                 refusedAndInfeasible, bandTable, englishThroughout, randomDesigns, keyboardAndNames,
                 timings, downloads, printed, copyLink, phonesAndScreenshots];
  for (const run of cases) {
    await checks.run(run.name, () => run(checks, page));
  }
  await checks.run('linksHistoryAndReload', () => linksHistoryAndReload(checks, context, page));
  await context.close();
  checks.finish('the page');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
