// The page offline: its files cached when the worker installs, answered
// from the cache first and refreshed from the network behind it, so that
// a new build reaches the next visit.
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
  return fetch(request).then((response) => {
    if (response.ok) cache.put(request, response.clone());
    return response;
  });
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || !request.url.startsWith(self.location.origin)) return;
  event.respondWith(caches.open(kCache).then((cache) =>
      cache.match(request, {ignoreSearch: true}).then((cached) => {
        const fresh = fromNetwork(request, cache);
        if (!cached) return fresh;
        fresh.catch(() => {});
        return cached;
      })));
});
