// What the page's Chromium tests share: starting the browser (or skipping
// where it cannot start), counting failures, and failing on any console
// error, uncaught exception or request the page should not make.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');

const kChromium = process.env.MERID_CHROMIUM || '/usr/bin/chromium';

function loadPlaywright() {
  try {
    return require('playwright-core').chromium;
  } catch (error) {
    console.error('playwright-core is missing: run npm ci in web/');
    process.exit(1);
  }
}

async function launch(chromium) {
  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'merid-chromium-'));
  try {
    return await chromium.launchPersistentContext(userDataDir, {
      executablePath: kChromium,
      headless: true,
      acceptDownloads: true,
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

class Checks {
  constructor() { this.failures = 0; }

  fail(message) {
    console.error(`FAIL: ${message}`);
    ++this.failures;
  }

  expect(condition, message) {
    if (!condition) this.fail(message);
  }

  // One case; an exception fails it and the next still runs.
  async run(name, body) {
    try {
      await body();
    } catch (error) {
      this.fail(`${name}: ${error.message.split('\n')[0]}`);
    }
  }

  finish(what) {
    if (this.failures) {
      console.error(`${this.failures} checks of ${what} failed`);
      process.exit(1);
    }
    console.log(`ok: ${what}`);
  }
}

// Any console error, uncaught exception or request to an address that
// `allowed` refuses is a failure.
function watchErrors(page, checks, allowed) {
  page.on('console', (message) => {
    if (message.type() === 'error') checks.fail(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => checks.fail(`uncaught: ${error.message}`));
  page.on('request', (request) => {
    if (!allowed(request.url())) checks.fail(`request: ${request.url()}`);
  });
}

// A small seeded generator, so that the random designs are the same on
// every run.
function mulberry32(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6D2B79F5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

module.exports = {Checks, launch, loadPlaywright, mulberry32, watchErrors};
