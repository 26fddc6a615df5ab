// The page in headless Chromium, opened from disk: types the typical design
// as a user would (Tab between the fields, a decimal comma), reads the
// results from the page and compares each label and field with the
// dialogue's screen, then takes the screenshot for the README.
//   node page_test.js SITE_DIR SCREEN_GOLDEN SCREENSHOT
// Exits 0 with "SKIP:" when Chromium cannot start here, unless CI is true:
// there a missing browser fails the test rather than hide it.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {pathToFileURL} = require('url');

const [siteDir, screenGolden, screenshot] = process.argv.slice(2);
const kChromium = process.env.MERID_CHROMIUM || '/usr/bin/chromium';
const kTypical = ['7,1', '12', '200', '2000', '50', '100'];

// "label<tabs>=<field>" lines of the dialogue's first results screen.
function screenLines(file) {
  const text = fs.readFileSync(file, 'utf8');
  const first = text.slice(text.indexOf('Исходные данные:'));
  const lines = [];
  for (const line of first.split(/\r?\n/)) {
    if (line.includes('1. Изменить')) break;
    // A results row holds two fields, each ten characters after "= ".
    for (const m of line.matchAll(/\s*([^=]+?)\s*= (.{10})/gu)) {
      lines.push([m[1].trim(), m[2]]);
    }
  }
  return lines;
}

async function launch(chromium) {
  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'merid-chromium-'));
  try {
    return await chromium.launchPersistentContext(userDataDir, {
      executablePath: kChromium,
      headless: true,
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update',
             '--disable-sync'],
    });
  } catch (error) {
    const why = `Chromium (${kChromium}) cannot start here: ${error.message.split('\n')[0]}`;
    // CTest skips a test whose output says SKIP:, whatever its exit code.
    if (process.env.CI === 'true') {
      console.error(`FAILED under CI: ${why}`);
      process.exit(1);
    }
    console.log(`SKIP: ${why}`);
    process.exit(0);
  }
}

async function main() {
  let chromium;
  try {
    ({chromium} = require('playwright-core'));
  } catch (error) {
    console.error('playwright-core is missing: run npm ci in web/');
    process.exit(1);
  }
  const context = await launch(chromium);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('request', (r) => {
    if (!r.url().startsWith('file:') && !r.url().startsWith('blob:') &&
        !r.url().startsWith('data:')) errors.push('network request: ' + r.url());
  });
  await page.goto(pathToFileURL(path.join(siteDir, 'index.html')).href);
  await page.waitForSelector('#blocks tr');
  let failures = 0;

  // Every text of the page comes from the module: a name it has no text
  // for leaves an element blank or "undefined".
  const blank = await page.$$eval('[data-text], label, [data-alt]', (nodes) =>
      nodes.filter((n) => ['', 'undefined'].includes(
          (n.dataset.alt ? n.alt : n.textContent).trim()))
          .map((n) => n.outerHTML.slice(0, 60)));
  if (blank.length || (await page.title()) === '') {
    console.error(`texts missing: ${blank.join(' ')}`);
    ++failures;
  }

  // Keyboard only: clear each field, type, Tab to the next.
  await page.focus('#in-0');
  for (const text of kTypical) {
    await page.keyboard.press('Control+A');
    await page.keyboard.type(text);
    await page.keyboard.press('Tab');
  }
  // The dialogue's screen: the first two blocks, its inputs and results.
  const shown = await page.$$eval(
      '#blocks table[data-block="0"] tr, #blocks table[data-block="1"] tr', (rows) =>
      rows.flatMap((tr) => {
        const cells = [...tr.children].map((c) => c.textContent);
        const pairs = [];
        for (let i = 0; i < cells.length; i += 2) pairs.push([cells[i], cells[i + 1]]);
        return pairs;
      }));
  const want = screenLines(screenGolden);
  if (want.length !== 28) {
    console.error(`the screen file gives ${want.length} fields, not 28`);
    ++failures;
  }
  want.forEach(([label, field], i) => {
    const got = shown[i] || ['(none)', '(none)'];
    if (got[0] !== label.replace(/\s+/gu, ' ') && got[0].replace(/\s+/gu, ' ') !==
        label.replace(/\s+/gu, ' ')) {
      console.error(`field ${i}: label "${got[0]}", the screen's "${label}"`);
      ++failures;
    }
    if (got[1] !== field) {
      console.error(`field ${i} (${label}): "${got[1]}", the screen's "${field}"`);
      ++failures;
    }
  });

  // A refused value shows its range and withdraws the results.
  await page.fill('#in-0', '150,1');
  const hint = await page.textContent('#hint-0');
  if (!hint.includes('0.1 <= F <= 150 (MHz)') ||
      await page.$('#blocks tr') !== null) {
    console.error(`a refused F left "${hint}" and its results`);
    ++failures;
  }
  await page.fill('#in-0', '7,1');

  // While QN is refused, Q0 is not called out of range.
  await page.fill('#in-1', '80');
  if (await page.getAttribute('#in-2', 'aria-invalid') !== 'false') {
    console.error('Q0 is marked refused because QN is');
    ++failures;
  }
  await page.fill('#in-1', '12');

  // One change of input, timed in the page: reported, not asserted.
  const ms = await page.evaluate(() => {
    const t0 = performance.now();
    for (let i = 0; i < 20; ++i) window.meridPage.update();
    return (performance.now() - t0) / 20;
  });
  console.log(`one recalculation and redraw: ${ms.toFixed(2)} ms`);

  const [download] = await Promise.all([page.waitForEvent('download'),
                                         page.click('#download')]);
  const report = fs.readFileSync(await download.path(), 'utf8');
  if (download.suggestedFilename() !== 'rezultat.txt' ||
      report.split('\r\n').length !== 28 || !report.includes('=    119.426')) {
    console.error('the downloaded report is not the 27 lines of rezultat.txt');
    ++failures;
  }
  if (errors.length) {
    console.error(errors.join('\n'));
    ++failures;
  }
  // The band table on request, with the fixed coil: the 40 m centre row.
  await page.check('#fixed-coil');
  await page.click('#bands-run');
  // Its cells found by their column's heading, as the module lays it out.
  const centre40 = await page.$$eval('#bands-table tr', (rows) => {
    const headings = [...rows[0].children].map((c) => c.textContent);
    const row = rows.find((r) => r.dataset.band === '40m' && r.dataset.edge === 'centre');
    if (!row) return {};
    return Object.fromEntries([...row.children].map((c, i) => [headings[i], c.textContent]));
  });
  const want40 = {'F, МГц': '     7.100', 'C1, пФ': '   121.231', 'L, мкГн': '     4.632',
                  'Катушка': 'подобрана'};
  for (const [heading, text] of Object.entries(want40)) {
    if (centre40[heading] !== text) {
      console.error(`the band table's 40 m centre row: ${heading} "${centre40[heading]}", want "${text}"`);
      ++failures;
    }
  }

  // Both plots drawn.
  await page.waitForFunction(() => ['plot-response', 'plot-smith'].every((id) => {
    const img = document.getElementById(id);
    return img.complete && img.naturalWidth > 0;
  }), null, {timeout: 10000}).catch(() => {
    console.error('the plots were not drawn');
    ++failures;
  });

  // At 200 % zoom a 1000-pixel window is 500 CSS pixels wide: the page
  // must reflow into it without a horizontal scroll bar.
  await page.setViewportSize({width: 500, height: 800});
  const overflow = await page.evaluate(
      () => document.documentElement.scrollWidth - window.innerWidth);
  if (overflow > 0) {
    console.error(`at 200 % zoom the page is ${overflow} pixels too wide`);
    ++failures;
  }
  if (screenshot) {
    await page.setViewportSize({width: 1000, height: 1250});
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({path: screenshot});
  }
  await context.close();
  if (failures) process.exit(1);
  console.log(`ok: the page shows the dialogue's ${want.length} fields of the typical design`);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
