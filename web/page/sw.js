// Keeps the whole site for use offline: every file is cached when the service worker
// installs, and answered from the cache first. The build writes the file list and the
// version below; a new build is a new version, which replaces the old cache.
const version = '@VERSION@';
const files = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(version).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name !== version) await caches.delete(name);
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith((async () => {
    const cached = await caches.match(event.request, { ignoreSearch: true });
    return cached ?? fetch(event.request);
  })());
});
