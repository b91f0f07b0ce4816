// More of the browser edition in headless Chromium: a toolbar button held and let go, the
// tutorial's tab, the clock of a page in the background, the page painted through the longest
// solve known, and a reload offline. One line a check; exit status 1 when one fails.
// Usage: node more.js   (after build-web/ and build/bin/sudoku-tool are built)
'use strict';

const assert = require('node:assert/strict');
const {spawnSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const web = require('./common');

const tool = path.join(web.root, 'build/bin/sudoku-tool');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sudoku-web-more-'));
// The clock's text, left of the grid: the one part of the screen that follows real time.
const CLOCK = {x: 24, y: 28 + 112, w: 142 - 24, h: 24};
const QUICK_NEW_GAME = [155, 13];
const SOLVE_PUZZLE = 32787;
const TUTORIAL = 32801;

function run(args, input) {
    const result = spawnSync(tool, args, {encoding: 'utf8', timeout: 30000, input});
    assert.equal(result.status, 0, `sudoku-tool ${args.join(' ')}: ${result.stderr}`);
    return result.stdout;
}

// The game the page holds, as the page keeps it when it is left: the board of 81 characters
// ('.' empty) and the time in ms.
async function pageGame(page) {
    await page.evaluate(() => dispatchEvent(new Event('pagehide')));
    const base64 = await page.evaluate(() => localStorage.getItem('sudoku/autosave.sdk'));
    assert.ok(base64, 'no autosave.sdk kept in localStorage');
    const file = path.join(work, 'kept.sdk');
    fs.writeFileSync(file, Buffer.from(base64, 'base64'));
    const text = run(['show', file]);
    const line = (name) => new RegExp(`^${name}:\\s*(.*)$`, 'm').exec(text)[1].trim();
    const entries = line('entries');
    const board = [...line('givens')].map((g, i) => (g !== '.' ? g : entries[i])).join('');
    return {board, ms: Number(/\((\d+) ms\)/.exec(line('time'))[1])};
}

const results = [];
async function check(name, body) {
    try {
        const note = await body();
        results.push(true);
        console.log(`ok ${results.length} ${name}${note ? ` (${note})` : ''}`);
    } catch (error) {
        results.push(false);
        console.log(`not ok ${results.length} ${name}: ${String(error.message || error).split('\n')[0]}`);
    }
}

(async () => {
    const watchdog = setTimeout(() => {
        console.log('not ok more.js took longer than 120 s');
        process.exit(1);
    }, 120000);
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
    const url = (language) => `${server.url}?seed=5&language=${language}`;
    const context = await browser.newContext({viewport: {width: 1280, height: 720}});
    const page = await context.newPage();
    watch(page);
    await page.goto(url(0));
    await web.splashOver(page);

    await check('a toolbar button held shows its caption; let go off it, it does nothing',
                async () => {
        const before = await web.screen(page);
        const button = await web.clientPoint(page, ...QUICK_NEW_GAME);
        const away = await web.clientPoint(page, 460, 150);
        await page.mouse.move(button.x, button.y);
        await page.mouse.down();
        await page.waitForTimeout(200);
        const held = web.differences(before, await web.screen(page), CLOCK);
        assert.ok(held.count > 50 && held.box.top < 28,
                  `no caption box over the toolbar: ${JSON.stringify(held)}`);
        await page.mouse.move(away.x, away.y);
        await page.mouse.up();
        await page.waitForTimeout(300);
        assert.equal(await page.locator('.backdrop').count(), 0, 'a box opened');
        const after = web.differences(before, await web.screen(page), CLOCK);
        assert.equal(after.count, 0, `${after.count} pixels differ in ${JSON.stringify(after.box)}`);
        await page.mouse.move(button.x, button.y);
        await page.mouse.down();
        await page.mouse.up();
        await page.waitForSelector('.backdrop .buttons', {timeout: 5000});
        await page.click('.backdrop .buttons button >> nth=1');
        await page.waitForSelector('.backdrop', {state: 'detached'});
    });

    await check('Options > Tutorial opens the page of the language in a new tab', async () => {
        const opened = [];
        for (const [language, name] of [[0, 'Tutorial.html'], [3, 'TutorialG.html']]) {
            const game = language === 0 ? page : await context.newPage();
            if (game !== page) {
                watch(game);
                await game.goto(url(language));
                await web.splashOver(game);
            }
            const [tab] = await Promise.all([context.waitForEvent('page'),
                                             web.choose(game, 'F2', TUTORIAL)]);
            await tab.waitForLoadState();
            assert.equal(new URL(tab.url()).pathname, `/tutorial/${name}`);
            assert.ok((await tab.title()).length > 0, `${name} has no title`);
            opened.push(name);
            await tab.close();
            if (game !== page) {
                await game.close();
            }
        }
        return opened.join(', ');
    });

    await check('the clock counts only while the page is visible and has the focus', async () => {
        // What the page asks the browser, as a page behind another window or tab answers.
        const set = (what) => page.evaluate((w) => {
            if (w === 'blur') {
                document.hasFocus = () => false;
                dispatchEvent(new Event('blur'));
            } else if (w === 'hidden') {
                Object.defineProperty(document, 'visibilityState',
                                      {configurable: true, get: () => 'hidden'});
                document.dispatchEvent(new Event('visibilitychange'));
            } else {
                delete document.hasFocus;
                delete document.visibilityState;
                dispatchEvent(new Event('focus'));
                document.dispatchEvent(new Event('visibilitychange'));
            }
        }, what);
        const counted = async () => {
            const start = (await pageGame(page)).ms;
            await page.waitForTimeout(3200);
            return (await pageGame(page)).ms - start;
        };
        const seen = [await counted()];
        await set('blur');
        seen.push(await counted());
        await set('back');
        await set('hidden');
        seen.push(await counted());
        await set('back');
        seen.push(await counted());
        assert.ok(seen[0] >= 2000 && seen[3] >= 2000, `ms counted in the foreground: ${seen}`);
        // A tick may fall between the reading and the page's going to the background.
        assert.ok(seen[1] <= 1000 && seen[2] <= 1000, `ms counted in the background: ${seen}`);
        return `ms counted in 3.2 s: ${seen.join(', ')}`;
    });

    await check('the worst solve known: the page keeps painting and shows the tool\'s solution',
                async () => {
        // The page's seed 1 and the tool's: the same draws give the same solution.
        const puzzle = run(['generate', '--level', '65', '--seed', '103']).trim();
        const solution = run(['solve', '--seed', '1'], puzzle + '\n').trim();
        const saved = path.join(work, 'worst.sdk');
        run(['import', puzzle, '-o', saved]);
        const solving = await browser.newContext({viewport: {width: 1280, height: 720}});
        const tab = await solving.newPage();
        watch(tab);
        // The game is put in storage from a page of the site that is not the game.
        await tab.goto(`${server.url}manifest.webmanifest`);
        await tab.evaluate((base64) => localStorage.setItem('sudoku/autosave.sdk', base64),
                           fs.readFileSync(saved).toString('base64'));
        await tab.goto(`${server.url}?seed=1&language=0`);
        await web.splashOver(tab);
        await tab.evaluate(() => {
            const frames = {count: 0, longest: 0, last: 0, begin: 0, end: 0};
            window.framesSeen = frames;
            // The time each frame is made at (a frame's own time stamp may be its planned one).
            const step = () => {
                const now = performance.now();
                if (document.querySelector('.busy')) {
                    frames.begin = frames.begin || now;
                    frames.longest = Math.max(frames.longest, now - frames.last);
                    frames.count++;
                } else if (frames.begin) {
                    frames.longest = Math.max(frames.longest, now - frames.last);
                    frames.end = now;
                    return;
                }
                frames.last = now;
                requestAnimationFrame(step);
            };
            requestAnimationFrame(step);
        });
        await web.choose(tab, 'F1', SOLVE_PUZZLE);
        await tab.waitForFunction(() => window.framesSeen.end > 0, null,
                                  {timeout: 60000, polling: 200});
        const frames = await tab.evaluate(() => window.framesSeen);
        const board = (await pageGame(tab)).board;
        await solving.close();
        assert.ok(frames.longest < 200, `${frames.longest.toFixed(0)} ms without a frame in a ` +
                  `solve of ${(frames.end - frames.begin).toFixed(0)} ms`);
        assert.equal(board, solution);
        return `${frames.count} frames in ${(frames.end - frames.begin).toFixed(0)} ms, ` +
            `longest gap ${frames.longest.toFixed(0)} ms`;
    });

    await check('offline after a first visit, a reload still plays', async () => {
        const visit = await browser.newContext({viewport: {width: 1280, height: 720}});
        const tab = await visit.newPage();
        watch(tab);
        await tab.goto(url(0));
        await web.splashOver(tab);
        await tab.evaluate(() => navigator.serviceWorker.ready);
        await visit.setOffline(true);
        await tab.reload();
        await web.splashOver(tab);
        const before = await pageGame(tab);
        const cell = before.board.indexOf('.');
        await web.tap(tab, ...web.cellPoint(cell % 9, Math.floor(cell / 9)));
        await web.tap(tab, ...web.digitPoint(1));
        const after = await pageGame(tab);
        assert.equal(after.board, before.board.slice(0, cell) + '1' + before.board.slice(cell + 1));
        await visit.close();
    });

    await check('no error in the console', async () => {
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
