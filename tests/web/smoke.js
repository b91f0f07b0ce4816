// A first look at the browser edition in headless Chromium: the site of build-web/site served
// on 127.0.0.1, the first picture, a cell and a palette digit tapped, the Game popup opened,
// each as a PNG in the folder given (default /tmp/sudoku-web). Exits 1 on a page error.
// Usage: node smoke.js [OUT_DIR]   (npm ci first; Debian's chromium at /usr/bin/chromium)
'use strict';

const {chromium} = require('playwright-core');
const http = require('http');
const fs = require('fs');
const path = require('path');

const site = path.resolve(__dirname, '../../build-web/site');
const out = process.argv[2] || '/tmp/sudoku-web';
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.css': 'text/css', '.png': 'image/png', '.webmanifest': 'application/manifest+json'};

function serve() {
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const file = path.join(site, name.endsWith('/') ? name + 'index.html' : name);
        if (!file.startsWith(site) || !fs.existsSync(file)) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
        fs.createReadStream(file).pipe(response);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

(async () => {
    fs.mkdirSync(out, {recursive: true});
    const server = await serve();
    const url = `http://127.0.0.1:${server.address().port}/`;
    const browser = await chromium.launch({executablePath: process.env.CHROMIUM || '/usr/bin/chromium'});
    const page = await browser.newPage({viewport: {width: 1000, height: 600}});
    const errors = [];
    page.on('pageerror', (error) => errors.push(String(error)));
    page.on('console', (message) => console.log('console:', message.text()));
    await page.goto(url);
    const canvas = page.locator('#screen');
    await page.waitForSelector('#loading', {state: 'detached'});
    await page.screenshot({path: `${out}/1-first.png`});
    // The splash ends with a tap; then a cell, a digit of the palette.
    const box = await canvas.boundingBox();
    const scale = box.width / 480;
    const tap = async (x, y) => page.mouse.click(box.x + (x + 0.5) * scale, box.y + (y + 0.5) * scale);
    await tap(240, 150);
    await page.waitForTimeout(500);
    await page.screenshot({path: `${out}/2-board.png`});
    await tap(Number(process.env.CELL_X || 40), Number(process.env.CELL_Y || 60));
    await page.waitForTimeout(200);
    await tap(Number(process.env.DIGIT_X || 236), Number(process.env.DIGIT_Y || 241));
    await page.waitForTimeout(300);
    await page.screenshot({path: `${out}/3-digit.png`});
    await page.keyboard.press('F1');
    await page.waitForSelector('.menu');
    await page.screenshot({path: `${out}/4-menu.png`});
    await page.keyboard.press('Escape');
    await browser.close();
    server.close();
    if (errors.length > 0) {
        console.error(errors.join('\n'));
        process.exit(1);
    }
    console.log(`screenshots in ${out}`);
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
