// Keeps the page's own files so that it opens and calculates without a network. scripts/web
// writes the list of files and a version drawn from their contents in place of the markers.
const CACHE = 'equivtimes-@VERSION@';
const FILES = [@FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((keys) => Promise.all(keys.filter((key) => key.startsWith('equivtimes-') && key !== CACHE)
                                      .map((key) => caches.delete(key))))
      .then(() => self.clients.claim()));
});

// Our files from the cache first; anything else goes to the network as usual.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') {
    return;
  }
  event.respondWith(
    caches.open(CACHE)
      .then((cache) => cache.match(event.request, {ignoreSearch: true}))
      .then((hit) => hit || fetch(event.request)));
});
