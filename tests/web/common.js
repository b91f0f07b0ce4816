// What the browser scripts share: the site of build-web/site served on 127.0.0.1, Debian's
// Chromium, the device screen read back from the canvas, taps at device points, and the soft
// keys' popups.
'use strict';

const {chromium} = require('playwright-core');
const http = require('http');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const root = path.resolve(__dirname, '../..');
const site = path.join(root, 'build-web/site');
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.css': 'text/css', '.png': 'image/png', '.webmanifest': 'application/manifest+json'};

// A static server of the site. With {gzip: true} every file goes gzip -9 compressed to a
// browser that takes it, compressed beforehand as a web server keeps it; `server.sent` counts
// the bytes of the bodies sent, by path.
function serve(options = {}) {
    const sent = new Map();
    const compressed = new Map();
    if (options.gzip) {
        for (const name of fs.readdirSync(site, {recursive: true})) {
            const file = path.join(site, name);
            if (fs.statSync(file).isFile()) {
                compressed.set(file, zlib.gzipSync(fs.readFileSync(file), {level: 9}));
            }
        }
    }
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const file = path.join(site, name.endsWith('/') ? name + 'index.html' : name);
        if (!file.startsWith(site + path.sep) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
            response.writeHead(404).end();
            return;
        }
        let body = fs.readFileSync(file);
        const headers = {'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                         'Cache-Control': 'no-cache'};
        if (options.gzip && /\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
            if (!compressed.has(file)) {
                compressed.set(file, zlib.gzipSync(body, {level: 9}));
            }
            body = compressed.get(file);
            headers['Content-Encoding'] = 'gzip';
        }
        headers['Content-Length'] = body.length;
        sent.set(name, (sent.get(name) || 0) + body.length);
        response.writeHead(200, headers).end(body);
    });
    server.sent = sent;
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
        server.url = `http://127.0.0.1:${server.address().port}/`;
        resolve(server);
    }));
}

function launch() {
    return chromium.launch({executablePath: process.env.CHROMIUM || '/usr/bin/chromium'});
}

// The device screen as the canvas holds it: {width, height, data} with RGBA bytes.
async function screen(page) {
    const shot = await page.evaluate(() => {
        const canvas = document.getElementById('screen');
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let binary = '';
        for (let i = 0; i < data.length; i += 0x8000) {
            binary += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
        }
        return {width: canvas.width, height: canvas.height, data: btoa(binary)};
    });
    return {width: shot.width, height: shot.height, data: Buffer.from(shot.data, 'base64')};
}

// A PNG file decoded by the page: {width, height, data} with RGBA bytes.
async function decodePng(page, file) {
    const shot = await page.evaluate(async (base64) => {
        const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        const bitmap = await createImageBitmap(new Blob([bytes], {type: 'image/png'}),
                                               {colorSpaceConversion: 'none',
                                                premultiplyAlpha: 'none'});
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        let binary = '';
        for (let i = 0; i < data.length; i += 0x8000) {
            binary += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
        }
        return {width: bitmap.width, height: bitmap.height, data: btoa(binary)};
    }, fs.readFileSync(file).toString('base64'));
    return {width: shot.width, height: shot.height, data: Buffer.from(shot.data, 'base64')};
}

// The RGB of device point (x, y).
function pixel(shot, x, y) {
    const i = (y * shot.width + x) * 4;
    return [shot.data[i], shot.data[i + 1], shot.data[i + 2]];
}

// The points of `a` and `b` whose RGB differ, outside the rectangle `skip` {x, y, w, h}:
// {count, box} with the bounding box of them.
function differences(a, b, skip) {
    let count = 0;
    const box = {left: Infinity, top: Infinity, right: -1, bottom: -1};
    for (let y = 0; y < a.height; ++y) {
        for (let x = 0; x < a.width; ++x) {
            if (skip && x >= skip.x && x < skip.x + skip.w && y >= skip.y && y < skip.y + skip.h) {
                continue;
            }
            const i = (y * a.width + x) * 4;
            if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] ||
                a.data[i + 2] !== b.data[i + 2]) {
                ++count;
                box.left = Math.min(box.left, x);
                box.top = Math.min(box.top, y);
                box.right = Math.max(box.right, x);
                box.bottom = Math.max(box.bottom, y);
            }
        }
    }
    return {count, box};
}

// The client point of device point (x, y), the middle of that device pixel.
async function clientPoint(page, x, y) {
    const box = await page.locator('#screen').boundingBox();
    return {x: box.x + (x + 0.5) * box.width / 480, y: box.y + (y + 0.5) * box.height / 272};
}

async function tap(page, x, y) {
    const p = await clientPoint(page, x, y);
    await page.mouse.click(p.x, p.y);
}

// The splash is over when the view's right margin shows the board's light paper, not the
// splash's dark blue.
async function splashOver(page) {
    await page.waitForSelector('#loading', {state: 'detached'});
    await page.waitForFunction(() => {
        const [r, g, b] = document.getElementById('screen').getContext('2d')
            .getImageData(460, 150, 1, 1).data;
        return r + g + b > 500;
    }, null, {timeout: 10000, polling: 100});
}

// A popup's item, through its submenus: F1 (Game) or F2 (Options), then the command's button.
async function choose(page, key, command) {
    await page.keyboard.press(key);
    await page.waitForSelector('.menu');
    const item = `.menu button[data-command="${command}"]`;
    for (let i = 0; (await page.locator(item).count()) === 0; ++i) {
        const openers = page.locator('.menu > .item > button[aria-haspopup]');
        if (i >= (await openers.count())) {
            throw new Error(`no item ${command} in the ${key} popup`);
        }
        await openers.nth(i).click();
    }
    await page.locator(item).click();
}

// Device points of the 480 x 272 screen: the middle of grid cell (column, row) and of
// palette digit d.
const cellPoint = (column, row) => [142 + 21 * column + 10, 28 + 12 + 21 * row + 10];
const digitPoint = (d) => [142 + 21 * (d - 1) + 10, 28 + 204 + 10];

// The suite's last line, the count of its checks and of those that failed; exits 1 on a failure.
function report(results) {
    const failed = results.filter((ok) => !ok).length;
    console.log(failed === 0 ? `all ${results.length} checks passed`
                             : `${failed} of ${results.length} checks failed`);
    process.exit(failed === 0 ? 0 : 1);
}

module.exports = {root, report, site, serve, launch, screen, decodePng, pixel, differences, tap,
                  clientPoint, splashOver, choose, cellPoint, digitPoint};
