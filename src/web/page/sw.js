// Keeps the whole site for playing offline. The page registers this worker as
// sw.js?version=<the site's version>: a new version of the site is a new worker, which fetches
// the list of files (files.json, made by the build), keeps them all in a cache of that version,
// takes over, and throws the older caches away. Every file is served from the cache first.

const VERSION = new URL(self.location.href).searchParams.get('version') ?? 'unversioned';
const CACHE = `quillon-${VERSION}`;
const LIST = 'files.json';

async function keepSite() {
  const response = await fetch(LIST, { cache: 'no-cache' });
  if (!response.ok) throw new Error(`${LIST}: HTTP ${response.status}`);
  const { files } = await response.clone().json();
  const cache = await caches.open(CACHE);
  await cache.addAll(['./', ...files.map((file) => new Request(file, { cache: 'reload' }))]);
  await cache.put(LIST, response);
}

self.addEventListener('install', (event) => {
  event.waitUntil(keepSite().then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) {
        if (name.startsWith('quillon-') && name !== CACHE) await caches.delete(name);
      }
      await self.clients.claim();
    })(),
  );
});

// The list itself comes from the network while there is one: the page learns of a new version.
async function fromNetworkFirst(request) {
  try {
    return await fetch(request);
  } catch (error) {
    const kept = await caches.match(request, { cacheName: CACHE });
    if (kept) return kept;
    throw error;
  }
}

async function fromCacheFirst(request) {
  const cache = await caches.open(CACHE);
  // The page under any query (?replay=...) is the page.
  const kept = await cache.match(request, { ignoreSearch: request.mode === 'navigate' });
  return kept ?? fetch(request);
}

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  const isList = new URL(request.url).pathname.endsWith(`/${LIST}`);
  event.respondWith(isList ? fromNetworkFirst(request) : fromCacheFirst(request));
});
