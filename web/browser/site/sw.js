// The site's service worker: every file of the site kept at install, so that the game plays
// offline once loaded. Requests go to the network first (a new build is taken at once) and fall
// back on what was kept.
const CACHE = 'sudoku-site';
const FILES = [
    './', 'index.html', 'app.js', 'style.css', 'manifest.webmanifest',
    'sudoku.js', 'sudoku.wasm', 'sudoku.data',
    'icons/16.png', 'icons/32.png', 'icons/48.png', 'icons/64.png', 'icons/128.png',
    'icons/256.png',
    'tutorial/Tutorial.html', 'tutorial/TutorialF.html', 'tutorial/TutorialI.html',
    'tutorial/TutorialG.html', 'tutorial/TutorialS.html', 'tutorial/TutorialC.html',
    'tutorial/TutorialR.html', 'tutorial/tutorial.css',
];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
    self.skipWaiting();
});

self.addEventListener('activate', (event) => {
    event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    event.respondWith(
        fetch(request)
            .then((response) => {
                if (response.ok) {
                    const copy = response.clone();
                    caches.open(CACHE).then((cache) => cache.put(request, copy));
                }
                return response;
            })
            .catch(() => caches.match(request, {ignoreSearch: true})
                .then((kept) => kept || Response.error())));
});
