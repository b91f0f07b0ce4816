// The browser edition end to end in headless Chromium: the site of build-web/site served on
// 127.0.0.1, played as a player does, checked against the desktop's build/bin/sudoku and
// build/bin/sudoku-tool. One line a check; exit status 1 when one fails.
// Usage: node suite.js   (npm ci first; Debian's chromium at /usr/bin/chromium)
'use strict';

const assert = require('node:assert/strict');
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const web = require('./common');

const SEED = 5;
const tool = path.join(web.root, 'build/bin/sudoku-tool');
const desktop = path.join(web.root, 'build/bin/sudoku');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sudoku-web-'));
// The clock's text, left of the grid: the one part of the screen that follows real time.
const CLOCK = {x: 24, y: 28 + 112, w: 142 - 24, h: 24};
// The toolbar's first button.
const QUICK_NEW_GAME = [155, 13];

function run(program, args, options = {}) {
    const result = spawnSync(program, args, {encoding: 'utf8', timeout: 30000, ...options});
    assert.equal(result.status, 0, `${path.basename(program)} ${args.join(' ')}: ${result.stderr}`);
    return result.stdout;
}

// A saved game as sudoku-tool reads it: the board of 81 characters ('.' empty), the
// selected cell.
function readGame(file) {
    const text = run(tool, ['show', file]);
    const line = (name) => new RegExp(`^${name}:\\s*(.*)$`, 'm').exec(text)[1].trim();
    const givens = line('givens');
    const entries = line('entries');
    const board = [...givens].map((g, i) => (g !== '.' ? g : entries[i])).join('');
    return {givens, board, selection: line('selection')};
}

// The game the page holds, as the page keeps it when it is left.
async function pageGame(page) {
    await page.evaluate(() => dispatchEvent(new Event('pagehide')));
    const base64 = await page.evaluate(() => localStorage.getItem('sudoku/autosave.sdk'));
    assert.ok(base64, 'no autosave.sdk kept in localStorage');
    const file = path.join(work, 'kept.sdk');
    fs.writeFileSync(file, Buffer.from(base64, 'base64'));
    return readGame(file);
}

// Chromium's accessibility tree of the page once `test` holds for it (3 s at most): the nodes
// it exposes, {role, name, properties}.
async function accessibilityTree(page, test = () => true) {
    const cdp = await page.context().newCDPSession(page);
    let nodes = [];
    for (const end = Date.now() + 3000; ; await page.waitForTimeout(50)) {
        nodes = (await cdp.send('Accessibility.getFullAXTree')).nodes.filter((n) => !n.ignored)
            .map((n) => ({role: n.role.value, name: n.name ? n.name.value : '',
                          properties: Object.fromEntries((n.properties || [])
                              .map((p) => [p.name, p.value.value]))}));
        if (test(nodes) || Date.now() > end) {
            break;
        }
    }
    await cdp.detach();
    return nodes;
}
const cellNames = (nodes) => nodes.filter((n) => n.role === 'gridcell').map((n) => n.name);

const results = [];
async function check(number, name, body) {
    try {
        await body();
        results.push(true);
        console.log(`ok ${number} ${name}`);
    } catch (error) {
        results.push(false);
        console.log(`not ok ${number} ${name}: ${String(error.message || error).split('\n')[0]}`);
    }
}

(async () => {
    const watchdog = setTimeout(() => {
        console.log('not ok the suite took longer than 150 s');
        process.exit(1);
    }, 150000);
    const server = await web.serve();
    const browser = await web.launch();
    const errors = [];
    const watch = (page) => {
        page.on('pageerror', (error) => errors.push(String(error)));
        page.on('console', (message) => {
            if (message.type() === 'error') {
                errors.push(message.text());
            }
        });
    };
    const context = await browser.newContext({viewport: {width: 1280, height: 720},
                                               acceptDownloads: true});
    const page = await context.newPage();
    watch(page);
    const url = `${server.url}?seed=${SEED}&language=0`;

    await check(1, 'the splash is the first picture', async () => {
        await page.goto(url);
        await page.waitForSelector('#loading', {state: 'detached', timeout: 10000});
        const shot = await web.screen(page);
        const [r, g, b] = web.pixel(shot, 460, 150);
        assert.ok(b > r && r + g + b < 300, `the view is not the splash's dark blue: ${r},${g},${b}`);
        const colours = new Set();
        for (let i = 0; i < shot.data.length; i += 4) {
            colours.add(shot.data.readUInt32BE(i));
        }
        assert.ok(colours.size > 100, `only ${colours.size} colours drawn`);
    });

    await check(11, 'the canvas equals the desktop\'s screenshot of the same game', async () => {
        const data = path.join(work, 'desktop');
        fs.mkdirSync(data);
        const png = path.join(work, 'desktop.png');
        fs.writeFileSync(path.join(work, 'shot.txt'), `wait 3000\nscreenshot ${png}\n`);
        run(desktop, ['--script', path.join(work, 'shot.txt'), '--seed', String(SEED), '--screen',
                      '480x272', '--language', '0', '--data-dir', data],
            {env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}});
        await web.splashOver(page);
        const ours = await web.screen(page);
        const theirs = await web.decodePng(page, png);
        assert.deepEqual([ours.width, ours.height], [theirs.width, theirs.height]);
        const diff = web.differences(ours, theirs, CLOCK);
        assert.equal(diff.count, 0, `${diff.count} pixels differ in ${JSON.stringify(diff.box)}`);
    });

    await check(12, 'the accessibility tree shows the board as a grid of 81 named cells',
                async () => {
        const nodes = await accessibilityTree(page, (n) => cellNames(n).length === 81);
        assert.equal(nodes.filter((n) => n.role === 'grid' && n.name === 'Board').length, 1);
        const names = cellNames(nodes);
        assert.equal(names.length, 81);
        assert.match(names[80], /^Row 9, column 9, /);
        const pencil = nodes.find((n) => n.role === 'button' && n.name === 'Pencilmarks on');
        assert.equal(pencil && pencil.properties.pressed, 'false');
        assert.ok(nodes.some((n) => n.role === 'timer'), 'no timer');
    });

    await check(2, 'a cell and a palette digit tapped enter the digit', async () => {
        const before = await pageGame(page);
        const cell = before.board.indexOf('.');
        const solution = run(tool, ['solve'], {input: before.givens + '\n'}).trim().split('\n')[0];
        const digit = Number(solution[cell]);
        await web.tap(page, ...web.cellPoint(cell % 9, Math.floor(cell / 9)));
        await web.tap(page, ...web.digitPoint(digit));
        const after = await pageGame(page);
        const expected = before.board.slice(0, cell) + digit + before.board.slice(cell + 1);
        assert.equal(after.board, expected);
    });

    await check(13, 'a cell\'s name tells the digit a tap enters', async () => {
        const {givens, board} = await pageGame(page);
        const cell = board.indexOf('.');
        const [column, row] = [cell % 9, Math.floor(cell / 9)];
        const digit = run(tool, ['solve'], {input: givens + '\n'}).trim().split('\n')[0][cell];
        const place = `Row ${row + 1}, column ${column + 1}, `;
        await web.tap(page, ...web.cellPoint(column, row));
        let names = cellNames(await accessibilityTree(
            page, (n) => cellNames(n)[cell] === place + 'empty, selected'));
        assert.equal(names[cell], place + 'empty, selected');
        await web.tap(page, ...web.digitPoint(Number(digit)));
        names = cellNames(await accessibilityTree(page, (n) => cellNames(n)[cell] !== names[cell]));
        assert.equal(names[cell], `${place}${digit}, selected`);
    });

    await check(14, 'a message box is an alert dialog named by its text and said', async () => {
        await web.tap(page, ...QUICK_NEW_GAME);
        await page.waitForSelector('.backdrop .buttons');
        const text = await page.textContent('.backdrop .text');
        const nodes = await accessibilityTree(page, (n) => n.some((x) => x.role === 'alertdialog'));
        assert.ok(nodes.some((n) => n.role === 'alertdialog' && n.name === text), 'no alertdialog');
        assert.equal(await page.getAttribute('#said', 'aria-live'), 'polite');
        assert.equal(await page.textContent('#said'), text);
        await page.click('.backdrop .buttons button >> nth=1');
        await page.waitForSelector('.backdrop', {state: 'detached'});
    });

    await check(15, 'the keys: an arrow moves the focus between cells, Enter selects', async () => {
        const {board, selection} = await pageGame(page);
        const cell = [...board].findIndex((c, i) => c === '.' && i % 9 > 0 &&
                                                    `${i % 9} ${Math.floor(i / 9)}` !== selection);
        await page.locator('[role=gridcell]').nth(cell - 1).focus();
        await page.keyboard.press('ArrowRight');
        const focused = await page.evaluate(() => document.activeElement.dataset.cell);
        assert.equal(focused, String(cell));
        assert.equal((await pageGame(page)).selection, selection, 'the arrow acted on the game');
        await page.keyboard.press('Enter');
        const nodes = await accessibilityTree(page, (n) => n.some((x) => x.role === 'gridcell' &&
                                                                   x.properties.selected === true &&
                                                                   x.properties.focused === true));
        const selected = nodes.filter((n) => n.role === 'gridcell' &&
                                              n.properties.selected === true);
        assert.deepEqual(selected.map((n) => n.name), [cellNames(nodes)[cell]]);
        assert.equal(selected[0].properties.focused, true);
        assert.equal((await pageGame(page)).selection, `${cell % 9} ${Math.floor(cell / 9)}`);
    });

    await check(3, 'Options > Sand repaints the view and is checked', async () => {
        const paper = web.pixel(await web.screen(page), 460, 150);
        await web.choose(page, 'F2', 32798);
        const sand = web.pixel(await web.screen(page), 460, 150);
        assert.notDeepEqual(sand, paper, 'the view kept its colour');
        await page.keyboard.press('F2');
        const openers = page.locator('.menu > .item > button[aria-haspopup]');
        for (let i = 0; i < (await openers.count()) &&
             (await page.locator('.menu button[data-command="32798"]').count()) === 0; ++i) {
            await openers.nth(i).click();
        }
        assert.equal(await page.getAttribute('.menu button[data-command="32798"]', 'aria-checked'),
                     'true');
        await page.keyboard.press('Escape');
        await page.keyboard.press('Escape');
        await page.waitForSelector('.menu', {state: 'detached'});
        await web.choose(page, 'F2', 32797);
        assert.deepEqual(web.pixel(await web.screen(page), 460, 150), paper);
    });

    await check(4, 'the Statistics dialog opens and closes', async () => {
        await web.choose(page, 'F2', 32816);
        await page.waitForSelector('.dialog .title .caption');
        assert.ok((await page.textContent('.dialog')).includes('Beginner'));
        await page.keyboard.press('Escape');
        await page.waitForSelector('.dialog', {state: 'detached'});
    });

    await check(5, 'Quick New Game asks: No keeps the game, Yes starts another', async () => {
        const before = await pageGame(page);
        await web.tap(page, ...QUICK_NEW_GAME);
        await page.waitForSelector('.backdrop .buttons');
        assert.equal(await page.locator('.backdrop .buttons button').count(), 2);
        await page.click('.backdrop .buttons button >> nth=1');
        await page.waitForSelector('.backdrop', {state: 'detached'});
        assert.equal((await pageGame(page)).board, before.board);
        await web.tap(page, ...QUICK_NEW_GAME);
        await page.click('.backdrop .buttons button >> nth=0');
        await page.waitForSelector('.backdrop', {state: 'detached'});
        assert.notEqual((await pageGame(page)).givens, before.givens);
    });

    await check(6, 'a reload resumes the same game', async () => {
        const cell = (await pageGame(page)).board.indexOf('.');
        await web.tap(page, ...web.cellPoint(cell % 9, Math.floor(cell / 9)));
        await web.tap(page, ...web.digitPoint(1));
        const before = await pageGame(page);
        await page.reload();
        await web.splashOver(page);
        const after = await pageGame(page);
        assert.deepEqual(after, before);
    });

    let saved = null;
    await check(7, 'Save downloads the game as 1811 bytes the desktop\'s tool reads', async () => {
        await web.choose(page, 'F1', 57604);
        await page.waitForSelector('.backdrop input[type=text]');
        const [download] = await Promise.all([page.waitForEvent('download'),
                                              page.keyboard.press('Enter')]);
        saved = path.join(work, 'saved.sdk');
        await download.saveAs(saved);
        assert.equal(fs.statSync(saved).size, 1811);
        assert.deepEqual(readGame(saved).board, (await pageGame(page)).board);
    });

    await check(8, 'Load of a damaged file is refused with the FileError box', async () => {
        const before = await pageGame(page);
        const damaged = path.join(work, 'damaged.sdk');
        const bytes = fs.readFileSync(saved);
        fs.writeFileSync(damaged, bytes.subarray(0, 1000));
        await web.choose(page, 'F1', 57601);
        await page.setInputFiles('.backdrop input[type=file]', damaged);
        await page.click('.backdrop .buttons button >> nth=0');
        await page.waitForSelector('.backdrop .detail');
        assert.equal(await page.textContent('.backdrop .text'),
                     'The file could not be read or written. The game in play is kept.');
        assert.match(await page.textContent('.backdrop .detail'), /not a saved game/);
        await page.keyboard.press('Enter');
        await page.waitForSelector('.backdrop', {state: 'detached'});
        assert.deepEqual(await pageGame(page), before);
    });
    await context.close();

    await check(9, 'a phone held sideways: a touch selects a cell, the page does not scroll',
                async () => {
        const phone = await browser.newContext({viewport: {width: 844, height: 390},
                                                deviceScaleFactor: 3, hasTouch: true,
                                                isMobile: true});
        const touch = await phone.newPage();
        watch(touch);
        await touch.goto(url);
        await web.splashOver(touch);
        const box = await touch.locator('#screen').boundingBox();
        assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= 844 &&
                  box.y + box.height <= 390, `the screen is outside the view: ${JSON.stringify(box)}`);
        const p = await web.clientPoint(touch, ...web.cellPoint(6, 7));
        await touch.touchscreen.tap(p.x, p.y);
        assert.equal((await pageGame(touch)).selection, '6 7');
        // A finger drawn up the screen moves nothing.
        const cdp = await phone.newCDPSession(touch);
        const touchAt = (type, y) => cdp.send('Input.dispatchTouchEvent', {
            type, touchPoints: type === 'touchEnd' ? [] : [{x: p.x, y}]});
        await touchAt('touchStart', p.y);
        for (let y = p.y; y > p.y - 200; y -= 20) {
            await touchAt('touchMove', y);
        }
        await touchAt('touchEnd', 0);
        const moved = await touch.evaluate(() => [scrollX, scrollY, visualViewport.pageTop,
                                                  visualViewport.scale]);
        assert.deepEqual(moved, [0, 0, 0, 1]);
        assert.deepEqual(await touch.locator('#screen').boundingBox(), box);
        await phone.close();
    });

    await check(10, 'no error in the console', async () => {
        assert.deepEqual(errors, []);
    });

    await browser.close();
    server.close();
    fs.rmSync(work, {recursive: true, force: true});
    clearTimeout(watchdog);
    web.report(results);
})().catch((error) => {
    console.log('not ok', error);
    process.exit(1);
});
