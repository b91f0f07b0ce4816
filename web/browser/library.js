// The page's script as the game's services call it (web/browser/Imports.h). Each call hands
// its work to the page (Module.web, site/app.js); the waiting ones resume the game's call with
// the player's answer.
mergeInto(LibraryManager.library, {
    sudoku_present: function (rgba, width, height, splash) {
        Module['web'].present(HEAPU8.slice(rgba, rgba + width * height * 4), width, height,
                              splash !== 0);
    },
    sudoku_screen_width: function () {
        return Module['web'].screenWidth();
    },
    sudoku_timer_start: function (id, periodMs) {
        Module['web'].startTimer(id, periodMs);
    },
    sudoku_timer_stop: function (id) {
        Module['web'].stopTimer(id);
    },
    sudoku_foreground: function () {
        return Module['web'].foreground() ? 1 : 0;
    },
    sudoku_play: function (path) {
        Module['web'].play(UTF8ToString(path));
    },
    sudoku_open_page: function (relative) {
        return Module['web'].openPage(UTF8ToString(relative)) ? 1 : 0;
    },
    sudoku_open_menu: function (json) {
        Module['web'].openMenu(JSON.parse(UTF8ToString(json)));
    },
    sudoku_download: function (path, name) {
        Module['web'].download(UTF8ToString(path), UTF8ToString(name));
    },
    sudoku_persist: function (warning, ok) {
        Module['web'].persist(UTF8ToString(warning), UTF8ToString(ok));
    },
    sudoku_started: function (warning, ok, accelerators) {
        Module['web'].started(UTF8ToString(warning), UTF8ToString(ok),
                              UTF8ToString(accelerators));
    },
    sudoku_ended: function (saved, playOn) {
        Module['web'].ended(UTF8ToString(saved), UTF8ToString(playOn));
    },
    sudoku_long_end: function () {
        Module['web'].longEnd();
    },
    sudoku_describe: function (json) {
        Module['web'].describe(JSON.parse(UTF8ToString(json)));
    },
    // A long solve gives the page a frame once it has worked this long since the last one.
    sudoku_long_due: function () {
        return document.visibilityState === 'visible' &&
            performance.now() - Module['longResumed'] >= 12 ? 1 : 0;
    },
    sudoku_dialog_close: function () {
        Module['web'].dialogClose();
    },

    sudoku_message: function (text, detail, style, warning, ok, yes, no) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module['web'].message({
                text: UTF8ToString(text), detail: UTF8ToString(detail), style: style,
                warning: warning !== 0, ok: UTF8ToString(ok), yes: UTF8ToString(yes),
                no: UTF8ToString(no)
            }, wakeUp);
        });
    },
    sudoku_ask_open__deps: ['malloc'],
    sudoku_ask_open: function (label, folder, ok, cancel) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module['web'].askOpen({
                label: UTF8ToString(label), folder: UTF8ToString(folder), ok: UTF8ToString(ok),
                cancel: UTF8ToString(cancel)
            }, function (path) {
                wakeUp(path === null ? 0 : allocateUTF8(path));
            });
        });
    },
    sudoku_ask_save__deps: ['malloc'],
    sudoku_ask_save: function (proposed, folder, label, ok, cancel) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module['web'].askSave({
                proposed: UTF8ToString(proposed), folder: UTF8ToString(folder),
                label: UTF8ToString(label), ok: UTF8ToString(ok), cancel: UTF8ToString(cancel)
            }, function (path) {
                wakeUp(path === null ? 0 : allocateUTF8(path));
            });
        });
    },
    sudoku_dialog_step: function (json) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module['web'].dialogStep(JSON.parse(UTF8ToString(json)), wakeUp);
        });
    },
    sudoku_long_begin: function (text) {
        return Asyncify.handleSleep(function (wakeUp) {
            Module['web'].longBegin(UTF8ToString(text), function () {
                Module['longResumed'] = performance.now();
                wakeUp();
            });
        });
    },
    // The solve goes on once the next frame is painted: after the frame's callbacks, so the
    // frame does not wait for the solve's next piece. A page hidden meanwhile gets no frame:
    // the solve then goes on after a while all the same.
    sudoku_long_pause: function () {
        return Asyncify.handleSleep(function (wakeUp) {
            var woken = false;
            var wake = function () {
                if (!woken) {
                    woken = true;
                    Module['longResumed'] = performance.now();
                    wakeUp();
                }
            };
            requestAnimationFrame(function () {
                setTimeout(wake, 0);
            });
            setTimeout(wake, 100);
        });
    },
});
