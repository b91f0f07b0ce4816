// The page's script as the game's services call it (library.js). The calls marked as waiting
// return only once the player has answered: the page resumes the game's call (Asyncify; they
// are the link's ASYNCIFY_IMPORTS).
#pragma once

#include <cstdint>

extern "C" {
// The device screen, RGBA bytes, onto the canvas.
void sudoku_present(const uint8_t* rgba, int width, int height, int splash);
int sudoku_screen_width();
void sudoku_timer_start(int id, int periodMs);
void sudoku_timer_stop(int id);
int sudoku_foreground();
void sudoku_play(const char* wavPath);
// A page of the site in a new tab; 0 when the browser refused one.
int sudoku_open_page(const char* relative);
// A soft key's popup (web/browser/Json.h) at its place on the device screen.
void sudoku_open_menu(const char* menuJson);
// A file of the in-memory file system handed to the player as a download of that name.
void sudoku_download(const char* path, const char* name);
// autosave.sdk and options.cfg of the data folder into the browser's storage; when that
// fails the first time, the warning is shown with its OK button.
void sudoku_persist(const char* warning, const char* ok);
// The game is up (input is taken from now on); storage the page cannot use is said at once.
// `accelerators`: the letters that are the game's with Ctrl; Ctrl with any other key stays the
// browser's.
void sudoku_started(const char* warning, const char* ok, const char* accelerators);
// The game has ended: the page says it is saved and offers to play on.
void sudoku_ended(const char* saved, const char* playOn);
void sudoku_long_end();
// The device screen's parts for screen readers (web/browser/Json.h), when they changed.
void sudoku_describe(const char* screenJson);

// Waiting: a message box (MsgStyle; gives kIdOk, kIdYes or kIdNo).
int sudoku_message(const char* text, const char* detail, int style, int warning, const char* ok,
                   const char* yes, const char* no);
// Waiting: a file chosen on the player's device, copied into `folder`; its path (malloc'd) or
// null when the player cancels.
char* sudoku_ask_open(const char* label, const char* folder, const char* ok, const char* cancel);
// Waiting: the name to save under, in `folder`; its path (malloc'd) or null.
char* sudoku_ask_save(const char* proposed, const char* folder, const char* label, const char* ok,
                      const char* cancel);
// Waiting: the dialog shown as the JSON says until the player acts: a control clicked (its id),
// a list entry selected (1 << 24 + control * 256 + index), OK (-1) or cancel (-2).
int sudoku_dialog_step(const char* dialogJson);
void sudoku_dialog_close();
// Waiting: the sign of a long solve shown, and painted, before the solve runs.
void sudoku_long_begin(const char* text);
// Whether the solve running has held the page for a frame's time; then:
int sudoku_long_due();
// Waiting: the page paints a frame and the solve goes on.
void sudoku_long_pause();
}
