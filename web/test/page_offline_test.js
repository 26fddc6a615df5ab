// The page over HTTP in headless Chromium: it offers its manifest,
// Chromium finds it installable, its service worker caches the page's
// files, and with the network cut it still opens and designs.  Served by a small server of the site folder on
// the loopback address, which is stopped before the offline reload.
//   node page_offline_test.js SITE_DIR
// Skips as page_test.js does where Chromium cannot start.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const {Checks, launch, loadPlaywright, watchErrors} = require('./page_support');

const [siteDir] = process.argv.slice(2);
const kTypes = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
                '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json'};

function serve(dir) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(dir, name === '/' ? 'index.html' : name);
    if (!file.startsWith(dir) || !fs.existsSync(file)) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream'});
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function main() {
  const chromium = loadPlaywright();
  const server = await serve(path.resolve(siteDir));
  const origin = `http://127.0.0.1:${server.address().port}`;
  const context = await launch(chromium);
  const checks = new Checks();
  const page = await context.newPage();
  watchErrors(page, checks, (url) => /^(data|blob):/.test(url) || url.startsWith(origin));
  await page.goto(origin + '/index.html');
  await page.waitForFunction(() => window.meridPage && window.meridPage.view);

  const manifest = await page.evaluate(async () => {
    const link = document.querySelector('link[rel="manifest"]');
    if (!link) return null;
    return (await fetch(link.href)).json();
  });
  checks.expect(manifest && manifest.name && manifest.start_url &&
                manifest.display === 'standalone' && manifest.icons.length > 0,
                `the manifest: ${JSON.stringify(manifest)}`);
  for (const icon of (manifest && manifest.icons) || []) {
    checks.expect(fs.existsSync(path.join(siteDir, icon.src)), `the icon ${icon.src} is missing`);
  }
  const controlled = await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) =>
        navigator.serviceWorker.addEventListener('controllerchange', resolve));
    }
    return Boolean(navigator.serviceWorker.controller);
  });
  checks.expect(controlled, 'no service worker controls the page');
  // What Chromium itself finds missing for an install.
  const cdp = await context.newCDPSession(page);
  const {installabilityErrors} = await cdp.send('Page.getInstallabilityErrors');
  const missing = installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito');
  checks.expect(missing.length === 0, `not installable: ${missing.join(', ')}`);

  // Offline: the server gone and the browser cut off.
  await new Promise((resolve) => server.close(resolve));
  await context.setOffline(true);
  await page.goto(origin + '/index.html#' + (await page.evaluate(() => window.meridPage.view.query)));
  await page.waitForFunction(() => window.meridPage && window.meridPage.view, null, {timeout: 10000})
      .catch(() => checks.fail('the page does not open offline'));
  const c1 = await page.$$eval('#results .pair[data-key="c1"] .value', (v) => v.map((n) => n.textContent));
  checks.expect(c1.length === 1 && c1[0].trim() === '119.426', `offline the design shows C1 ${c1}`);
  await context.close();
  checks.finish('the page offline');
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
