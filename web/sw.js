// The page offline: its files cached when the worker installs; each
// request goes to the network first (past the browser's HTTP cache) and
// the cache answers only when the network does not, so that a new build's
// app.js never meets an old merid.js, and the page runs with no network.
'use strict';

const kCache = 'merid-site';
const kFiles = ['./', 'index.html', 'app.js', 'style.css', 'merid.js',
                'manifest.webmanifest', 'icon.svg'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache)
      .then((cache) => cache.addAll(kFiles))
      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

// The page's address carries the design in its fragment, which never
// reaches the worker; a query string is ignored for the cached page.
function fromNetwork(request, cache) {
  return fetch(request, {cache: 'no-cache'}).then((response) => {
    if (response.ok) cache.put(request, response.clone());
    return response;
  });
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || !request.url.startsWith(self.location.origin)) return;
  // Only the page itself is asked for with a query that changes nothing.
  const ignoreSearch = request.mode === 'navigate';
  event.respondWith(caches.open(kCache).then((cache) =>
      fromNetwork(request, cache).catch(() =>
          cache.match(request, {ignoreSearch}).then((cached) => {
            if (cached) return cached;
            throw new Error('offline and not cached: ' + request.url);
          }))));
});
