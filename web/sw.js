// Keeps the site's own files so that its pages open and work without a network. scripts/web
// writes the lists of files and a version drawn from their contents in place of the markers.
// The calculator's files are kept on installing; the entries page's files (its meet module is
// larger than the whole calculator) once that page has been opened, and again on each new version.
const CACHE = 'equivtimes-@VERSION@';
const FILES = [@FILES@];
const ENTRIES = [@ENTRIES@];

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    await cache.addAll(FILES);
    // A version before this one that kept the entries page keeps it in this one too.
    for (const key of await caches.keys()) {
      if (key !== CACHE && key.startsWith('equivtimes-') &&
          await (await caches.open(key)).match('entries.html')) {
        await cache.addAll(ENTRIES).catch(() => {});
        break;
      }
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((keys) => Promise.all(keys.filter((key) => key.startsWith('equivtimes-') && key !== CACHE)
                                      .map((key) => caches.delete(key))))
      .then(() => self.clients.claim()));
});

const scope = new URL(self.registration.scope);
const entriesFiles = new Set(ENTRIES.map((file) => new URL(file, scope).pathname));

// Our files from the cache first; an entries page file not kept yet is kept as it arrives;
// anything else goes to the network as usual.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') {
    return;
  }
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const hit = await cache.match(event.request, {ignoreSearch: true});
    if (hit) {
      return hit;
    }
    const response = await fetch(event.request);
    const url = new URL(event.request.url);
    if (response.ok && url.origin === scope.origin && entriesFiles.has(url.pathname)) {
      await cache.put(url.pathname, response.clone());
    }
    return response;
  })());
});

// The entries page asks for its files to be kept when it opens: on its first visit the page
// is not yet served through this worker.
self.addEventListener('message', (event) => {
  if (event.data === 'keep-entries') {
    event.waitUntil(caches.open(CACHE)
      .then((cache) => cache.addAll(ENTRIES))
      .then(() => event.source?.postMessage('entries-kept'), () => {}));
  }
});
