// The browser edition's page: the device screen on the canvas, the player's pointer and keys
// handed to the game as they come, and what the game asks of the page (Module.web: boxes,
// menus, dialogs, files, timers, sound, storage). No rule of the game is here: the game says
// what to show, and the page says what the player did.
'use strict';

(function () {
    const canvas = document.getElementById('screen');
    const stage = document.getElementById('stage');
    const reader = document.getElementById('reader');  // the screen reader's view
    const context = canvas.getContext('2d');
    const params = new URLSearchParams(location.search);
    const DATA = '/data';
    const STORED = ['autosave.sdk', 'options.cfg'];
    const STORAGE_PREFIX = 'sudoku/';

    let started = false;  // the game's start-up has ended: input goes to it
    let waiting = 0;      // the game waits for the player in a box or dialog of the page
    let ended = false;
    let scale = 1;        // CSS pixels per device pixel
    let menu = null;      // the open popup: {key, element}
    let notice = null;    // an informational box of the page's own
    let storageSaid = false;
    let accelerators = '';  // the letters of the game's Ctrl keys
    const timers = new Map();
    const keysDown = new Map();  // KeyboardEvent.code -> the game's key code

    // ---- Calls into the game: one event each, none while the game waits for the player ----
    function call(name, ...args) {
        if (!started || waiting > 0 || ended) {
            return undefined;
        }
        return Module.ccall(name, 'number', args.map(() => 'number'), args, {async: true});
    }

    // ---- The device screen ----
    function layout() {
        const ratio = window.devicePixelRatio || 1;
        const fit = Math.min(innerWidth * ratio / canvas.width, innerHeight * ratio / canvas.height);
        // A whole number of screen pixels for each device pixel; less than one only when even
        // that does not fit.
        const pixels = fit >= 1 ? Math.floor(fit) : fit;
        scale = pixels / ratio;
        canvas.style.width = canvas.width * scale + 'px';
        canvas.style.height = canvas.height * scale + 'px';
        reader.style.width = canvas.width + 'px';
        reader.style.height = canvas.height + 'px';
        // On the root: the sign of a long solve and the boxes are sized by it too, inside the
        // stage or not.
        const root = document.documentElement.style;
        root.setProperty('--scale', String(scale));
        root.setProperty('--screen-width', canvas.width * scale + 'px');
        const dialog = stage.querySelector('.dialog');
        if (dialog) {
            dialog.style.transform = 'scale(' + scale + ')';
        }
    }
    addEventListener('resize', layout);

    function devicePoint(event) {
        const rect = canvas.getBoundingClientRect();
        const x = Math.floor((event.clientX - rect.left) / rect.width * canvas.width);
        const y = Math.floor((event.clientY - rect.top) / rect.height * canvas.height);
        if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) {
            return null;
        }
        return {x, y};
    }

    // ---- Pointer: the stylus ----
    let pointer = null;  // the id of the pointer that is down on the screen
    canvas.addEventListener('pointerdown', (event) => {
        if (event.button !== 0 || !event.isPrimary || pointer !== null) {
            return;
        }
        event.preventDefault();
        canvas.focus({preventScroll: true});
        const p = devicePoint(event);
        if (!p || !started || waiting > 0 || ended) {
            return;
        }
        pointer = event.pointerId;
        canvas.setPointerCapture(event.pointerId);
        call('web_pointer_down', p.x, p.y);
    });
    canvas.addEventListener('pointermove', (event) => {
        if (event.pointerId !== pointer) {
            return;
        }
        const p = devicePoint(event) || {x: -1, y: -1};
        call('web_pointer_move', p.x, p.y);
    });
    const pointerUp = (event) => {
        if (event.pointerId !== pointer) {
            return;
        }
        pointer = null;
        const p = (event.type === 'pointerup' && devicePoint(event)) || {x: -1, y: -1};
        call('web_pointer_up', p.x, p.y);
    };
    canvas.addEventListener('pointerup', pointerUp);
    canvas.addEventListener('pointercancel', pointerUp);
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    // No scrolling, zooming or pull-to-refresh under the board.
    document.addEventListener('touchmove', (event) => event.preventDefault(), {passive: false});
    document.addEventListener('dblclick', (event) => event.preventDefault());

    // ---- Keys: the device's virtual-key codes, as the desktop maps its keys ----
    const NAMED = {
        ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, '*': 0x77,
        Enter: 0x0D, Backspace: 0x08, Tab: 0x09, Escape: 0x1B, ' ': 0x20, PageUp: 0x21,
        PageDown: 0x22, End: 0x23, Home: 0x24, Insert: 0x2D, Delete: 0x2E,
        ';': 0xBA, ':': 0xBA, '+': 0xBB, '=': 0xBB, ',': 0xBC, '<': 0xBC, '-': 0xBD, '_': 0xBD,
        '.': 0xBE, '>': 0xBE, '/': 0xBF, '?': 0xBF, '`': 0xC0, '~': 0xC0, '[': 0xDB, '{': 0xDB,
        '\\': 0xDC, '|': 0xDC, ']': 0xDD, '}': 0xDD, "'": 0xDE, '"': 0xDE,
    };
    function virtualKey(event) {
        const key = event.key;
        if (key in NAMED) {
            return NAMED[key];
        }
        if (/^[0-9]$/.test(key)) {
            return 0x30 + Number(key);
        }
        if (/^[a-zA-Z]$/.test(key)) {
            return key.toUpperCase().charCodeAt(0);
        }
        const f = /^F([0-9]{1,2})$/.exec(key);
        if (f && Number(f[1]) >= 1 && Number(f[1]) <= 24) {
            return 0x70 + Number(f[1]) - 1;
        }
        return 0;
    }
    // Whether the browser keeps a key: Ctrl with a key that is no accelerator of the game (the
    // browser's own shortcuts), function keys that the game has no use for on the desktop's
    // keyboard either (F1, F2 and F8 are the game's).
    function browserKeeps(event, code) {
        if (event.ctrlKey) {
            return !(code >= 0x41 && code <= 0x5A && accelerators.includes(String.fromCharCode(code)));
        }
        return code >= 0x72 && code <= 0x87 && code !== 0x77;
    }
    document.addEventListener('keydown', (event) => {
        if (menu) {
            menuKey(event);
            return;
        }
        if (document.querySelector('.backdrop, .dialog, .busy')) {
            return;  // the box or dialog takes its own keys
        }
        if (event.altKey || event.metaKey) {
            return;
        }
        const code = virtualKey(event);
        if (code === 0) {
            return;
        }
        if (!browserKeeps(event, code)) {
            event.preventDefault();
        }
        if (event.repeat || keysDown.has(event.code) || !started || waiting > 0 || ended) {
            return;
        }
        keysDown.set(event.code, code);
        call('web_key_down', code, event.ctrlKey ? 1 : 0);
    });
    document.addEventListener('keyup', (event) => {
        const code = keysDown.get(event.code);
        if (code === undefined) {
            return;
        }
        keysDown.delete(event.code);
        call('web_key_up', code);
    });
    // Keys held when the page loses the focus are let go.
    addEventListener('blur', () => {
        for (const code of keysDown.values()) {
            call('web_key_up', code);
        }
        keysDown.clear();
    });

    // ---- The soft keys' popups ----
    function closeMenu() {
        if (menu) {
            menu.element.remove();
            const opener = menu.opener && menu.opener.isConnected ? menu.opener : canvas;
            menu = null;
            opener.focus({preventScroll: true});
        }
    }
    function buildMenu(items, level) {
        const element = document.createElement('div');
        element.className = 'menu' + (level > 0 ? ' sub' : '');
        element.setAttribute('role', 'menu');
        for (const item of items) {
            if (item.separator) {
                element.appendChild(document.createElement('hr'));
                continue;
            }
            const holder = document.createElement('div');
            holder.className = 'item';
            const button = document.createElement('button');
            button.setAttribute('role', item.items ? 'menuitem' : (item.checked ? 'menuitemcheckbox' : 'menuitem'));
            const check = document.createElement('span');
            check.className = 'check';
            check.textContent = item.checked ? '✓' : '';
            if (item.checked) {
                button.setAttribute('aria-checked', 'true');
            }
            button.appendChild(check);
            button.appendChild(document.createTextNode(item.caption));
            holder.appendChild(button);
            if (item.items) {
                const arrow = document.createElement('span');
                arrow.className = 'arrow';
                arrow.textContent = '▸';
                button.appendChild(arrow);
                button.setAttribute('aria-haspopup', 'menu');
                const open = () => openSub(holder, item.items, level + 1);
                button.addEventListener('click', open);
                button.addEventListener('pointerenter', open);
            } else {
                button.disabled = !item.enabled;
                button.dataset.command = item.command;
                button.addEventListener('click', () => choose(item.command));
                button.addEventListener('pointerenter', () => {
                    closeSubsOf(element);
                    button.focus({preventScroll: true});
                });
            }
            element.appendChild(holder);
        }
        return element;
    }
    function closeSubsOf(element) {
        for (const sub of element.querySelectorAll(':scope > .item > .sub')) {
            sub.previousSibling.classList.remove('open');
            sub.remove();
        }
    }
    function openSub(holder, items, level) {
        const parent = holder.parentElement;
        if (holder.querySelector(':scope > .sub')) {
            return holder.querySelector(':scope > .sub');
        }
        closeSubsOf(parent);
        const sub = buildMenu(items, level);
        holder.appendChild(sub);
        holder.firstChild.classList.add('open');
        return sub;
    }
    function choose(command) {
        closeMenu();
        call('web_command', command);
    }
    function enabledButtons(element) {
        return Array.from(element.querySelectorAll(':scope > .item > button:not(:disabled)'));
    }
    function menuKey(event) {
        const focused = document.activeElement;
        const level = focused && focused.closest('.menu') ? focused.closest('.menu') : menu.element;
        const buttons = enabledButtons(level);
        const index = buttons.indexOf(focused);
        switch (event.key) {
            case 'ArrowDown':
            case 'ArrowUp': {
                const step = event.key === 'ArrowDown' ? 1 : -1;
                const next = buttons[(index + step + buttons.length) % buttons.length];
                if (next) {
                    next.focus({preventScroll: true});
                }
                break;
            }
            case 'ArrowRight':
                if (focused && focused.getAttribute('aria-haspopup')) {
                    focused.click();
                    const first = enabledButtons(focused.parentElement.querySelector('.sub'))[0];
                    if (first) {
                        first.focus({preventScroll: true});
                    }
                }
                break;
            case 'ArrowLeft':
            case 'Escape':
                if (level !== menu.element) {
                    const owner = level.parentElement.firstChild;
                    owner.classList.remove('open');
                    level.remove();
                    owner.focus({preventScroll: true});
                } else {
                    closeMenu();
                }
                break;
            case 'Enter':
            case ' ':
                if (focused && focused.closest('.menu')) {
                    focused.click();
                }
                break;
            default:
                return;
        }
        event.preventDefault();
    }
    // A press outside the popup closes it; on the other soft key it opens that one.
    document.addEventListener('pointerdown', (event) => {
        if (!menu || event.target.closest('.menu')) {
            return;
        }
        event.preventDefault();
        event.stopPropagation();
        const key = menu.key;
        closeMenu();
        const p = event.target === canvas ? devicePoint(event) : null;
        if (p) {
            call('web_other_menu', p.x, p.y, key);
        }
    }, true);

    // ---- The screen reader's view: the parts of the screen as the game describes them,
    // transparent elements each over its place on the canvas, kept in step with each paint.
    // Their actions are the game's (web_activate); the pointer goes through them to the canvas.
    const said = document.getElementById('said');
    let parts = [];      // the elements of the description's items, in its order
    let cells = [];      // the grid's cells by index
    let grid = null;
    let shape = '';      // the kinds and indexes the elements were made for
    let selectedCell = -1;
    let hintCell = -1;

    // A text for the live region; the same text again is said again.
    function announce(text) {
        said.textContent = said.textContent === text ? text + '\u00a0' : text;
    }
    function focusCell(index) {
        const cell = cells[index];
        if (!cell) {
            return;
        }
        for (const other of cells) {
            other.tabIndex = other === cell ? 0 : -1;
        }
        cell.focus({preventScroll: true});
    }
    function partElement(item, i) {
        let e;
        if (item.kind === 'cell') {
            e = element('div', 'part');
            e.setAttribute('role', 'gridcell');
            e.setAttribute('aria-colindex', String(item.index % 9 + 1));
            e.tabIndex = -1;
            e.dataset.cell = String(item.index);
        } else if (item.kind === 'clock') {
            e = element('div', 'part');
            e.setAttribute('role', 'timer');
            e.setAttribute('aria-live', 'off');
        } else {
            e = element('button', 'part');
            e.type = 'button';
            if (item.kind === 'softkey') {
                e.setAttribute('aria-haspopup', 'menu');
            }
        }
        e.dataset.key = item.kind + ' ' + item.index;
        e.style.left = item.x + 'px';
        e.style.top = item.y + 'px';
        e.style.width = item.w + 'px';
        e.style.height = item.h + 'px';
        if (item.actionable) {
            e.addEventListener('click', () => call('web_activate', i));
        }
        return e;
    }
    function build(d) {
        const focused = reader.contains(document.activeElement) ? document.activeElement.dataset.key
                                                                : null;
        reader.textContent = '';
        parts = [];
        cells = [];
        grid = null;
        const rows = [];
        d.items.forEach((item, i) => {
            const e = partElement(item, i);
            if (item.kind === 'cell') {
                if (!grid) {
                    grid = element('div', 'board');
                    grid.setAttribute('role', 'grid');
                    grid.setAttribute('aria-rowcount', '9');
                    grid.setAttribute('aria-colcount', '9');
                    for (let r = 0; r < 9; ++r) {
                        rows.push(element('div'));
                        rows[r].setAttribute('role', 'row');
                        rows[r].setAttribute('aria-rowindex', String(r + 1));
                        grid.appendChild(rows[r]);
                    }
                    reader.appendChild(grid);
                }
                rows[Math.floor(item.index / 9)].appendChild(e);
                cells[item.index] = e;
            } else {
                reader.appendChild(e);
            }
            parts.push(e);
        });
        if (cells.length > 0) {
            cells[0].tabIndex = 0;
        }
        return focused;
    }
    function describe(d) {
        const now = d.items.map((item) => item.kind + ' ' + item.index).join(',');
        // The part that had the focus and is gone hands it on to the selected cell.
        let lost = false;
        if (now !== shape) {
            shape = now;
            const focused = build(d);
            lost = focused !== null && !parts.some((e) => e.dataset.key === focused);
            const kept = parts.find((e) => e.dataset.key === focused);
            if (kept) {
                kept.focus({preventScroll: true});
            }
        }
        let selected = -1;
        d.items.forEach((item, i) => {
            const e = parts[i];
            if (item.kind === 'cell') {
                e.setAttribute('aria-label', item.name);
                e.setAttribute('aria-selected', String(item.selected));
                if (item.invalid) {
                    e.setAttribute('aria-invalid', 'true');
                } else {
                    e.removeAttribute('aria-invalid');
                }
                if (item.selected) {
                    selected = item.index;
                }
                return;
            }
            if (e.textContent !== item.name) {
                e.textContent = item.name;
            }
            if (item.kind === 'clock') {
                return;
            }
            if (item.checkable) {
                e.setAttribute('aria-pressed', String(item.checked));
            }
            if (item.enabled) {
                e.removeAttribute('aria-disabled');
            } else {
                e.setAttribute('aria-disabled', 'true');
            }
        });
        if (grid) {
            grid.setAttribute('aria-label', d.board);
        }
        // The focus follows the selected cell when it is in the grid.
        if (selected !== selectedCell || lost) {
            selectedCell = selected;
            const inGrid = grid && grid.contains(document.activeElement);
            if (selected >= 0 && (inGrid || lost)) {
                focusCell(selected);
            } else if (selected >= 0 && !inGrid) {
                cells.forEach((cell, i) => {
                    cell.tabIndex = i === selected ? 0 : -1;
                });
            } else if (lost && parts.length > 0) {
                parts[0].focus({preventScroll: true});
            }
        }
        if (d.hint !== hintCell) {
            hintCell = d.hint;
            if (hintCell >= 0) {
                announce(d.items.find((item) => item.kind === 'cell' &&
                                      item.index === hintCell).name);
            }
        }
    }
    // Keys on the parts: Tab goes between them, the arrows between the cells without acting on
    // the game, Enter and Space act; the other keys are the game's as on the canvas.
    const STEPS = {ArrowLeft: -1, ArrowRight: 1, ArrowUp: -9, ArrowDown: 9};
    reader.addEventListener('keydown', (event) => {
        const target = event.target;
        if (event.key === 'Tab') {
            event.stopPropagation();
            return;
        }
        const isCell = target.getAttribute('role') === 'gridcell';
        if (isCell && event.key in STEPS && !event.ctrlKey && !event.altKey) {
            const index = Number(target.dataset.cell);
            const step = STEPS[event.key];
            const column = index % 9 + (Math.abs(step) === 1 ? step : 0);
            if (column >= 0 && column < 9 && index + step >= 0 && index + step < 81) {
                focusCell(index + step);
            }
            event.preventDefault();
            event.stopPropagation();
        } else if (event.key === 'Enter' || event.key === ' ') {
            event.stopPropagation();
            if (isCell) {
                event.preventDefault();
                target.click();
            }
        }
    });

    // ---- Boxes of the page ----
    // A box of `parts`; a message box (`said`: its text and detail elements) is an alert
    // dialog named by its text, and the live region says it.
    let boxes = 0;
    function makeBox(parts, said) {
        const backdrop = document.createElement('div');
        backdrop.className = 'backdrop';
        const box = document.createElement('div');
        box.className = 'box';
        box.setAttribute('role', said ? 'alertdialog' : 'dialog');
        box.setAttribute('aria-modal', 'true');
        if (said) {
            const ids = said.map((e) => {
                e.id = 'box' + ++boxes;
                return e.id;
            });
            box.setAttribute('aria-labelledby', ids[0]);
            if (ids.length > 1) {
                box.setAttribute('aria-describedby', ids[1]);
            }
            announce(said.map((e) => e.textContent).join(' '));
        }
        backdrop.appendChild(box);
        for (const part of parts) {
            box.appendChild(part);
        }
        stage.appendChild(backdrop);
        return backdrop;
    }
    function element(tag, className, text) {
        const e = document.createElement(tag);
        if (className) {
            e.className = className;
        }
        if (text !== undefined) {
            e.textContent = text;
        }
        return e;
    }
    // Buttons [{text, answer}], the first the default (Enter), the last the escape.
    function buttonRow(buttons, done) {
        const row = element('div', 'buttons');
        for (const b of buttons) {
            const button = element('button', '', b.text);
            button.addEventListener('click', () => done(b.answer));
            row.appendChild(button);
        }
        return row;
    }
    function waitFor(backdrop, buttons, done, onKey) {
        waiting++;
        let over = false;
        // The focus goes back to a part of the screen reader's view, else to the canvas.
        const before = reader.contains(document.activeElement) ? document.activeElement : canvas;
        const finish = (answer) => {
            if (over) {
                return;
            }
            over = true;
            backdrop.remove();
            waiting--;
            (before.isConnected ? before : canvas).focus({preventScroll: true});
            done(answer);
        };
        backdrop.addEventListener('keydown', (event) => {
            if (onKey && onKey(event, finish)) {
                return;
            }
            if (event.key === 'Escape') {
                event.preventDefault();
                finish(buttons[buttons.length - 1].answer);
            } else if (event.key === 'Enter' && event.target.tagName !== 'BUTTON') {
                event.preventDefault();
                finish(buttons[0].answer);
            }
        });
        return finish;
    }

    function message(m, wakeUp) {
        const body = element('div', 'body');
        const icon = m.warning ? '⚠' : (m.style === 64 ? 'ℹ' : '');
        if (icon) {
            body.appendChild(element('div', 'icon', icon));
        }
        const texts = element('div');
        const said = [element('div', 'text', m.text)];
        if (m.detail) {
            said.push(element('div', 'detail', m.detail));
        }
        said.forEach((e) => texts.appendChild(e));
        body.appendChild(texts);
        const buttons = m.style === 4 ? [{text: m.yes, answer: 6}, {text: m.no, answer: 7}]
                                      : [{text: m.ok, answer: 1}];
        let finish = null;
        const row = buttonRow(buttons, (answer) => finish(answer));
        const backdrop = makeBox([body, row], said);
        finish = waitFor(backdrop, buttons, wakeUp);
        row.firstChild.focus();
    }

    function fileName(name) {
        return name.replace(/[\/\\\u0000]/g, '_').trim();
    }

    function askOpen(a, wakeUp) {
        const label = element('label', '', a.label);
        const input = element('input');
        input.type = 'file';
        input.accept = '.sdk';
        label.appendChild(element('br'));
        label.appendChild(input);
        const buttons = [{text: a.ok, answer: 'ok'}, {text: a.cancel, answer: null}];
        let finish = null;
        const row = buttonRow(buttons, (answer) => finish(answer));
        const ok = row.firstChild;
        ok.disabled = true;
        input.addEventListener('change', () => {
            ok.disabled = input.files.length === 0;
        });
        const backdrop = makeBox([label, row]);
        finish = waitFor(backdrop, buttons, (answer) => {
            const file = answer && input.files[0];
            if (!file) {
                wakeUp(null);
                return;
            }
            file.arrayBuffer().then((bytes) => {
                const path = a.folder + '/' + (fileName(file.name) || 'game.sdk');
                FS.mkdirTree(a.folder);
                FS.writeFile(path, new Uint8Array(bytes));
                wakeUp(path);
            }, () => wakeUp(null));
        });
        input.focus();
    }

    function askSave(a, wakeUp) {
        const label = element('label', '', a.label);
        const input = element('input');
        input.type = 'text';
        input.value = a.proposed;
        input.spellcheck = false;
        label.appendChild(input);
        const buttons = [{text: a.ok, answer: 'ok'}, {text: a.cancel, answer: null}];
        let finish = null;
        const row = buttonRow(buttons, (answer) => finish(answer));
        input.addEventListener('input', () => {
            row.firstChild.disabled = fileName(input.value) === '';
        });
        const backdrop = makeBox([label, row]);
        finish = waitFor(backdrop, buttons, (answer) => {
            const name = fileName(input.value);
            if (answer === null || name === '') {
                wakeUp(null);
                return;
            }
            FS.mkdirTree(a.folder);
            wakeUp(a.folder + '/' + name);
        });
        input.focus();
        input.select();
    }

    function download(path, name) {
        const blob = new Blob([FS.readFile(path)], {type: 'application/octet-stream'});
        const url = URL.createObjectURL(blob);
        const link = element('a');
        link.href = url;
        link.download = name;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 10000);
    }

    // A box of the page's own that the game does not wait for.
    function showNotice(text, ok) {
        if (notice) {
            return;
        }
        const buttons = [{text: ok, answer: 1}];
        const row = buttonRow(buttons, () => close());
        const said = element('div', 'text', text);
        notice = makeBox([said, row], [said]);
        const close = () => {
            notice.remove();
            notice = null;
            canvas.focus({preventScroll: true});
        };
        notice.addEventListener('keydown', (event) => {
            if (event.key === 'Escape' || event.key === 'Enter') {
                event.preventDefault();
                close();
            }
        });
        row.firstChild.focus();
    }

    // ---- Dialogs: built from the template the game describes, at device pixels ----
    let dialogAnswer = null;
    function dialogStep(d, wakeUp) {
        let root = stage.querySelector('.dialog');
        const focusedId = document.activeElement && document.activeElement.dataset
            ? document.activeElement.dataset.control : undefined;
        if (!root) {
            waiting++;
            root = element('div', 'dialog');
            root.setAttribute('role', 'dialog');
            root.setAttribute('aria-modal', 'true');
            root.style.width = canvas.width + 'px';
            root.style.height = canvas.height + 'px';
            root.style.transform = 'scale(' + scale + ')';
            root.addEventListener('keydown', (event) => {
                if (event.key === 'Escape') {
                    event.preventDefault();
                    dialogAnswer(-2);
                } else if (event.key === 'Enter' && event.target.tagName !== 'BUTTON' &&
                           event.target.tagName !== 'SELECT') {
                    event.preventDefault();
                    dialogAnswer(-1);
                }
            });
            stage.appendChild(root);
        }
        let answered = false;
        dialogAnswer = (answer) => {
            if (!answered) {
                answered = true;
                wakeUp(answer);
            }
        };
        root.textContent = '';
        const title = element('div', 'title');
        title.appendChild(element('span', 'caption', d.caption));
        const ok = element('button', '', d.ok);
        ok.dataset.control = 'ok';
        ok.addEventListener('click', () => dialogAnswer(-1));
        title.appendChild(ok);
        root.appendChild(title);
        for (const c of d.controls) {
            const box = element('div', 'control ' + c.kind);
            box.style.left = c.x + 'px';
            box.style.top = d.top + c.y + 'px';
            box.style.width = c.w + 'px';
            if (c.kind !== 'list' && c.kind !== 'picture') {
                box.style.height = c.h + 'px';
            }
            let focusable = null;
            switch (c.kind) {
                case 'text':
                case 'centred':
                    box.textContent = c.text;
                    box.style.whiteSpace = 'pre';
                    break;
                case 'picture': {
                    const img = element('img');
                    img.src = c.picture;
                    img.alt = '';
                    box.appendChild(img);
                    break;
                }
                case 'group':
                    box.appendChild(element('span', '', c.text));
                    break;
                case 'list': {
                    const select = element('select');
                    c.entries.forEach((entry, i) => {
                        const option = element('option', '', entry);
                        option.value = String(i);
                        select.appendChild(option);
                    });
                    select.selectedIndex = c.selection;
                    select.addEventListener('change', () => {
                        if (select.selectedIndex >= 0) {
                            dialogAnswer((1 << 24) + c.id * 256 + select.selectedIndex);
                        }
                    });
                    box.appendChild(select);
                    focusable = select;
                    break;
                }
                case 'button': {
                    const button = element('button', '', c.text);
                    button.style.width = '100%';
                    button.style.height = '100%';
                    button.addEventListener('click', () => dialogAnswer(c.id));
                    box.appendChild(button);
                    focusable = button;
                    break;
                }
                case 'radio': {
                    const label = element('label');
                    const radio = element('input');
                    radio.type = 'radio';
                    radio.name = 'radio';
                    radio.checked = c.checked;
                    radio.addEventListener('click', () => dialogAnswer(c.id));
                    label.appendChild(radio);
                    label.appendChild(document.createTextNode(c.text));
                    box.appendChild(label);
                    focusable = radio;
                    break;
                }
            }
            if (focusable) {
                focusable.dataset.control = String(c.id);
            }
            root.appendChild(box);
        }
        const refocus = focusedId && root.querySelector('[data-control="' + focusedId + '"]');
        (refocus || ok).focus({preventScroll: true});
    }
    function dialogClose() {
        const root = stage.querySelector('.dialog');
        if (root) {
            root.remove();
            waiting--;
            canvas.focus({preventScroll: true});
        }
    }

    // ---- Long solves ----
    function longBegin(text, wakeUp) {
        waiting++;  // the solve gives the page frames: the input and ticks wait for its end
        const busy = element('div', 'busy');
        busy.appendChild(element('div', '', text));
        document.body.appendChild(busy);
        // The sign is painted before the solve holds the page.
        let woken = false;
        const wake = () => {
            if (!woken) {
                woken = true;
                wakeUp();
            }
        };
        requestAnimationFrame(() => setTimeout(wake, 0));
        setTimeout(wake, 100);
    }
    function longEnd() {
        const busy = document.querySelector('.busy');
        if (busy) {
            busy.remove();
            waiting--;
        }
    }

    // ---- Storage: the data folder's two files in localStorage, as base64 ----
    function storage() {
        try {
            return window.localStorage;
        } catch (e) {
            return null;
        }
    }
    function restoreFiles() {
        FS.mkdirTree(DATA);
        const store = storage();
        if (!store) {
            return;
        }
        for (const name of STORED) {
            let text = null;
            try {
                text = store.getItem(STORAGE_PREFIX + name);
            } catch (e) {
                text = null;
            }
            if (text === null) {
                continue;
            }
            try {
                const binary = atob(text);
                const bytes = new Uint8Array(binary.length);
                for (let i = 0; i < binary.length; ++i) {
                    bytes[i] = binary.charCodeAt(i);
                }
                FS.writeFile(DATA + '/' + name, bytes);
            } catch (e) {
                // What is not base64 is no file: the game starts as without one.
            }
        }
    }
    function persist(warning, ok) {
        const store = storage();
        let kept = store !== null;
        for (const name of STORED) {
            const path = DATA + '/' + name;
            if (!kept || !FS.analyzePath(path).exists) {
                continue;
            }
            const bytes = FS.readFile(path);
            let binary = '';
            for (let i = 0; i < bytes.length; ++i) {
                binary += String.fromCharCode(bytes[i]);
            }
            try {
                store.setItem(STORAGE_PREFIX + name, btoa(binary));
            } catch (e) {
                kept = false;
            }
        }
        if (!kept && !storageSaid) {
            storageSaid = true;
            showNotice(warning, ok);
        }
    }
    function storageWorks() {
        const store = storage();
        if (!store) {
            return false;
        }
        try {
            store.setItem(STORAGE_PREFIX + 'probe', '1');
            store.removeItem(STORAGE_PREFIX + 'probe');
            return true;
        } catch (e) {
            return false;
        }
    }
    // The end of a visit, which may be the last: both files written and kept.
    function saveNow() {
        call('web_save_now');
    }
    document.addEventListener('visibilitychange', () => {
        if (document.visibilityState === 'hidden') {
            saveNow();
        }
    });
    addEventListener('pagehide', saveNow);

    // ---- Sound ----
    function play(path) {
        let bytes;
        try {
            bytes = FS.readFile(path);
        } catch (e) {
            return;  // no file: nothing is played
        }
        const url = URL.createObjectURL(new Blob([bytes], {type: 'audio/wav'}));
        const audio = new Audio(url);
        audio.addEventListener('ended', () => URL.revokeObjectURL(url));
        // A browser that lets a page play only after the player's first touch or key leaves
        // the sound unplayed: silence.
        audio.play().catch(() => setTimeout(() => URL.revokeObjectURL(url), 60000));
    }

    window.Module = {
        arguments: ['screen', 'language', 'seed'].filter((name) => params.has(name))
            .map((name) => '--' + name + '=' + params.get(name)),
        preRun: [restoreFiles],
        print: (text) => console.log(text),
        printErr: (text) => console.warn(text),
        web: {
            present(rgba, width, height) {
                if (canvas.width !== width || canvas.height !== height) {
                    canvas.width = width;
                    canvas.height = height;
                    layout();
                }
                const loading = document.getElementById('loading');
                context.putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer), width,
                                                   height), 0, 0);
                if (loading) {
                    // The first picture is on the canvas (tests/web/measure.js reads the mark).
                    loading.remove();
                    performance.mark('sudoku-first-picture');
                }
            },
            screenWidth: () => canvas.width,
            startTimer(id, periodMs) {
                clearInterval(timers.get(id));
                timers.set(id, setInterval(() => call('web_tick', id), periodMs));
            },
            stopTimer(id) {
                clearInterval(timers.get(id));
                timers.delete(id);
            },
            foreground: () => document.visibilityState === 'visible' && document.hasFocus() &&
                waiting === 0 && notice === null,
            play,
            openPage(relative) {
                const tab = window.open(relative, '_blank');
                if (tab) {
                    tab.opener = null;
                }
                return tab !== null;
            },
            openMenu(m) {
                closeMenu();
                const element = buildMenu(m.items, 0);
                element.style.left = 'calc(' + m.left + 'px * var(--scale))';
                element.style.top = 'calc(' + m.top + 'px * var(--scale))';
                stage.appendChild(element);
                // Opened from a soft key of the screen reader's view, the focus goes back there.
                const opener = reader.contains(document.activeElement) ? document.activeElement
                                                                       : null;
                menu = {key: m.key, element, opener};
                const first = enabledButtons(element)[0];
                if (first) {
                    first.focus({preventScroll: true});
                }
            },
            download,
            persist,
            started(warning, ok, letters) {
                started = true;
                accelerators = letters;
                if (!storageWorks()) {
                    storageSaid = true;
                    showNotice(warning, ok);
                }
            },
            ended(saved, playOn) {
                ended = true;
                for (const id of timers.values()) {
                    clearInterval(id);
                }
                timers.clear();
                closeMenu();
                const page = element('div', 'ended');
                page.appendChild(element('div', '', saved));
                const again = element('button', '', playOn);
                again.addEventListener('click', () => location.reload());
                page.appendChild(again);
                stage.replaceWith(page);
                again.focus();
            },
            longBegin,
            longEnd,
            message,
            askOpen,
            askSave,
            dialogStep,
            dialogClose,
            describe,
        },
    };
    layout();
    if ('serviceWorker' in navigator && (location.protocol === 'https:' ||
                                         location.hostname === '127.0.0.1' ||
                                         location.hostname === 'localhost')) {
        navigator.serviceWorker.register('sw.js').catch(() => {});
    }
})();
