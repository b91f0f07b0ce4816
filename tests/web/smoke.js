// A first look at the browser edition in headless Chromium: the site of build-web/site served
// on 127.0.0.1, the first picture, a cell and a palette digit tapped, the Game popup opened,
// each as a PNG in the folder given (default /tmp/sudoku-web). Exits 1 on a page error.
// Usage: node smoke.js [OUT_DIR]   (npm ci first; Debian's chromium at /usr/bin/chromium)
'use strict';

const fs = require('fs');
const web = require('./common');

const out = process.argv[2] || '/tmp/sudoku-web';

(async () => {
    fs.mkdirSync(out, {recursive: true});
    const server = await web.serve();
    const url = server.url;
    const browser = await web.launch();
    const page = await browser.newPage({viewport: {width: 1000, height: 600}});
    const errors = [];
    page.on('pageerror', (error) => errors.push(String(error)));
    page.on('console', (message) => console.log('console:', message.text()));
    await page.goto(url + '?language=0');
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

    const choose = (key, command) => web.choose(page, key, command);
    // The Language dialog: English chosen, OK.
    await choose('F2', 32815);
    await page.waitForSelector('.dialog');
    await page.screenshot({path: `${out}/5-language.png`});
    await page.click('.dialog [data-control="1030"]');
    await page.click('.dialog [data-control="ok"]');
    await page.waitForSelector('.dialog', {state: 'detached'});
    await choose('F2', 32816);
    await page.waitForSelector('.dialog');
    await page.screenshot({path: `${out}/6-statistics.png`});
    await page.keyboard.press('Escape');
    // Save: the file is downloaded under the name typed.
    await choose('F1', 57604);
    await page.waitForSelector('.backdrop input[type=text]');
    await page.screenshot({path: `${out}/7-save.png`});
    const [download] = await Promise.all([page.waitForEvent('download'),
                                          page.keyboard.press('Enter')]);
    const saved = await download.path();
    console.log('downloaded', download.suggestedFilename(), fs.statSync(saved).size, 'bytes');
    // Load: a damaged file is refused with the game's box.
    const damaged = `${out}/damaged.sdk`;
    fs.writeFileSync(damaged, Buffer.alloc(100, 7));
    await choose('F1', 57601);
    await page.setInputFiles('.backdrop input[type=file]', damaged);
    await page.click('.backdrop .buttons button >> nth=0');
    await page.waitForSelector('.backdrop .detail');
    await page.screenshot({path: `${out}/8-refused.png`});
    await page.keyboard.press('Enter');
    // Load: the saved file is taken.
    await choose('F1', 57601);
    await page.setInputFiles('.backdrop input[type=file]', saved);
    await page.click('.backdrop .buttons button >> nth=0');
    await page.waitForSelector('.backdrop', {state: 'detached'});
    // The page left: both files kept in the browser's storage.
    await page.evaluate(() => dispatchEvent(new Event('pagehide')));
    const kept = await page.evaluate(() => Object.keys(localStorage).sort().join(' '));
    console.log('kept:', kept);
    if (!kept.includes('autosave.sdk') || !kept.includes('options.cfg')) {
        errors.push('the files were not kept: ' + kept);
    }
    // Save and Exit: the page says the game is saved.
    await choose('F1', 57665);
    await page.waitForSelector('.ended');
    await page.screenshot({path: `${out}/9-ended.png`});
    await page.click('.ended button');
    await page.waitForSelector('#loading', {state: 'detached'});
    await tap(240, 150);
    await page.waitForTimeout(500);
    await page.screenshot({path: `${out}/10-again.png`});
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
