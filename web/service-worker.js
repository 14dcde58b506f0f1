// Keeps the page playable offline: every file of one build in a cache
// named after that build (the build writes the name and the list below).
// A new build's worker caches its own files and takes over once no tab
// runs the old one, so a page never mixes the files of two builds. What
// it serves carries the two headers the game's shared memory needs.
'use strict';
const CACHE = 'brinefall-@BUILD@';
const FILES = [@FILES@];

self.addEventListener('install', event => {
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(['./', ...FILES])));
});

self.addEventListener('activate', event => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith('brinefall-') && name !== CACHE) await caches.delete(name);
    await self.clients.claim();
  })());
});

function isolated(response) {
  const headers = new Headers(response.headers);
  headers.set('Cross-Origin-Opener-Policy', 'same-origin');
  headers.set('Cross-Origin-Embedder-Policy', 'require-corp');
  return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

self.addEventListener('fetch', event => {
  if (event.request.method !== 'GET') return;
  event.respondWith((async () => {
    // The page's own parameters (?tick=MS) name the same file.
    const cached = await caches.match(event.request, { cacheName: CACHE, ignoreSearch: true });
    return isolated(cached || await fetch(event.request));
  })());
});
