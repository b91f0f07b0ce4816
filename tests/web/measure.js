// The browser edition's figures, in one first visit of headless Chromium to the site served
// gzip -9 compressed on 127.0.0.1: bytes sent (what the page fetched to play, then with the
// service worker's copy for offline play), navigation start to the first picture on the canvas,
// a tap's pointerdown to the canvas repainted, and the size of sudoku.wasm.
// Usage: node measure.js   (npm ci first; Debian's chromium at /usr/bin/chromium)
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const web = require('./common');

const TAPS = 40;

function median(values) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
}

(async () => {
    const server = await web.serve({gzip: true});
    const browser = await web.launch();
    // The visit as a player makes it, the service worker's copy left out; then another first
    // visit with it.
    const context = await browser.newContext({viewport: {width: 1280, height: 720},
                                              serviceWorkers: 'block'});
    // Each repaint of the canvas and each pointerdown, as the page sees them.
    await context.addInitScript(() => {
        window.__repaints = [];
        window.__downs = [];
        const put = CanvasRenderingContext2D.prototype.putImageData;
        CanvasRenderingContext2D.prototype.putImageData = function (...args) {
            put.apply(this, args);
            window.__repaints.push(performance.now());
        };
        addEventListener('pointerdown', () => window.__downs.push(performance.now()), true);
    });
    const page = await context.newPage();
    await page.goto(server.url + '?seed=5&language=0');
    await web.splashOver(page);
    const [firstPicture, loaded] = await page.evaluate(() => [
        performance.getEntriesByName('sudoku-first-picture')[0].startTime,
        performance.getEntriesByType('resource')
            .filter((r) => /sudoku\.(data|wasm|js)$/.test(r.name))
            .map((r) => `${r.name.replace(/.*\//, '')} ${r.responseEnd.toFixed(0)} ms`)]);
    const played = [...server.sent.entries()];
    server.sent.clear();
    const second = await browser.newContext({viewport: {width: 1280, height: 720}});
    const visit = await second.newPage();
    await visit.goto(server.url + '?seed=5&language=0');
    await web.splashOver(visit);
    await visit.waitForFunction(async () => {
        const cache = await caches.open('sudoku-site');
        return (await cache.keys()).length >= 22;
    }, null, {timeout: 20000, polling: 250});
    const total = [...server.sent.values()].reduce((a, b) => a + b, 0);
    await second.close();

    // Taps on the cells of the board, one after another.
    const delays = [];
    for (let i = 0; i < TAPS; ++i) {
        const before = await page.evaluate(() => window.__repaints.length);
        await web.tap(page, ...web.cellPoint(i % 9, Math.floor(i / 9) % 9));
        const [down, repaints] = await page.evaluate(
            () => [window.__downs[window.__downs.length - 1], window.__repaints]);
        const after = repaints.slice(before).find((t) => t >= down);
        if (after !== undefined) {
            delays.push(after - down);
        }
    }
    await browser.close();
    server.close();

    const wasm = fs.readFileSync(path.join(web.site, 'sudoku.wasm'));
    const kb = (n) => `${(n / 1024).toFixed(0)} KiB`;
    const playedBytes = played.reduce((sum, [, n]) => sum + n, 0);
    console.log(`first visit, fetched to play (gzip): ${kb(playedBytes)} in ${played.length} files`);
    for (const [name, n] of played.sort((a, b) => b[1] - a[1])) {
        console.log(`    ${name}: ${kb(n)}`);
    }
    console.log(`first visit with the service worker's copy (gzip): ${kb(total)}`);
    console.log(`navigation start to the first picture: ${firstPicture.toFixed(0)} ms ` +
                `(loaded: ${loaded.join(', ')})`);
    console.log(`pointerdown to the canvas repainted, ${delays.length} taps: median ` +
                `${median(delays).toFixed(2)} ms, max ${Math.max(...delays).toFixed(2)} ms`);
    console.log(`sudoku.wasm: ${kb(wasm.length)} raw, ` +
                `${kb(zlib.gzipSync(wasm, {level: 9}).length)} gzip -9`);
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
