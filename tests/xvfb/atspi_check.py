#!/usr/bin/python3
"""Reads the running game over AT-SPI as a screen reader does, and plays one move through it.

    atspi_check.py PUZZLE LANGUAGE

PUZZLE is the saved game's 81 givens, row by row ('.' empty); its selection is row 2, column 1.
LANGUAGE is 0 (English) or 3 (German). Checks: the board is a 9 x 9 table whose cells are named
and stated as the saved game says; a cell's action selects it and takes the focus; a palette
digit's action enters that digit there; the name-change events arrive. Exit status 0 when all
hold, 1 otherwise, 77 when the accessibility bus cannot be reached.
"""
import subprocess
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError as error:
    print(f"FAIL {error} (scripts/setup.sh installs python3-pyatspi)")
    sys.exit(1)

WORDS = {
    0: {"place": "Row {r}, column {c}", "given": "given {d}", "empty": "empty",
        "selected": "selected", "number": "Number {d}", "board": "Board"},
    3: {"place": "Zeile {r}, Spalte {c}", "given": "fest {d}", "empty": "leer",
        "selected": "ausgewählt", "number": "Ziffer {d}", "board": "Spielfeld"},
}

puzzle, language = sys.argv[1], int(sys.argv[2])
words = WORDS[language]
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def pump(seconds):
    """Lets the events of `seconds` arrive."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(condition, seconds=10.0):
    """Lets events arrive until `condition` holds, `seconds` at most."""
    end = time.monotonic() + seconds
    while not condition() and time.monotonic() < end:
        pump(0.05)


def cell_name(row, column, digit=None, given=False, selected=False):
    parts = [words["place"].format(r=row + 1, c=column + 1)]
    if digit is None:
        parts.append(words["empty"])
    elif given:
        parts.append(words["given"].format(d=digit))
    else:
        parts.append(str(digit))
    if selected:
        parts.append(words["selected"])
    return ", ".join(parts)


def find(node, predicate):
    if predicate(node):
        return node
    for child in node:
        if child is None:
            continue
        found = find(child, predicate)
        if found is not None:
            return found
    return None


def find_game():
    try:
        desktop = pyatspi.Registry.getDesktop(0)
    except Exception as error:  # the bus is not there
        print(f"SKIPPED: no accessibility bus: {error}")
        sys.exit(77)
    for _ in range(100):
        for app in desktop:
            if app is None:
                continue
            table = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE)
            if table is not None and table.childCount == 81:
                return app, table
        pump(0.1)
    return None, None


names_changed = []
pyatspi.Registry.registerEventListener(
    lambda event: names_changed.append(event.source.name),
    "object:property-change:accessible-name")
focused = []
pyatspi.Registry.registerEventListener(
    lambda event: focused.append(event.source.name) if event.detail1 else None,
    "object:state-changed:focused")

app, table = find_game()
if table is None:
    print("FAIL no board table in the accessibility tree")
    sys.exit(1)
pump(0.5)

# The table: 9 x 9, named, its cells as the saved game holds them.
grid = table.queryTable()
check(grid.nRows == 9 and grid.nColumns == 9, f"the board is 9 x 9 ({grid.nRows} x {grid.nColumns})")
check(table.name == words["board"], f"the board is named {table.name!r}")
wrong = []
for row in range(9):
    for column in range(9):
        cell = grid.getAccessibleAt(row, column)
        ch = puzzle[row * 9 + column]
        selected = (row, column) == (1, 0)
        want = cell_name(row, column, None if ch == "." else int(ch), True, selected)
        states = cell.getState()
        if (cell.name != want or cell.getRole() != pyatspi.ROLE_TABLE_CELL
                or states.contains(pyatspi.STATE_SELECTED) != selected):
            wrong.append(f"{cell.name!r} (want {want!r})")
check(not wrong, "the 81 cells are named and selected as saved" + "".join("\n  " + w for w in wrong[:5]))

# Palette, soft keys, toolbar, clock: present and named.
buttons = []
find(app, lambda n: buttons.append(n) if n.getRole() in (pyatspi.ROLE_PUSH_BUTTON,
                                                          pyatspi.ROLE_CHECK_BOX) else None)
palette = {}
for button in buttons:
    for digit in range(1, 10):
        if button.name.split(",")[0] == words["number"].format(d=digit):
            palette[digit] = button
check(len(palette) == 9, f"the palette has 9 digits ({sorted(palette)})")
check(len(buttons) == 9 + 2 + 6, f"palette, soft keys and toolbar are buttons ({len(buttons)})")
clock = find(app, lambda n: n.getRole() == pyatspi.ROLE_LABEL)
check(clock is not None and ":" in clock.name, f"the clock is a label ({clock.name if clock else None!r})")

# The focus goes to the window's selected cell only while the window is active: without a window
# manager nobody activates it, so the test gives it the input focus as a manager would.
subprocess.run(["xdotool", "search", "--sync", "--name", "Судоку", "windowfocus", "--sync"],
               timeout=20, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for(lambda: focused)

# A free cell: its action selects it (and takes the focus).
row, column = next((i // 9, i % 9) for i in range(81) if puzzle[i] == "." and i // 9 > 1)
cell = grid.getAccessibleAt(row, column)
names_changed.clear()
cell.queryAction().doAction(0)
want = cell_name(row, column, selected=True)
wait_for(lambda: want in names_changed and want in focused)
check(cell.name == want, f"the cell's action selects it: {cell.name!r}")
check(cell.getState().contains(pyatspi.STATE_SELECTED), "the selected cell has the state")
check(cell.getState().contains(pyatspi.STATE_FOCUSED), "the selected cell has the focus")
check(want in names_changed, f"its name-change event arrived ({names_changed})")
check(want in focused, f"the focus event arrived ({focused})")

# A digit the cell may hold: the palette's action enters it.
peers = {puzzle[i] for i in range(81)
         if i // 9 == row or i % 9 == column or (i // 27 == row // 3 and i % 9 // 3 == column // 3)}
digit = next(d for d in range(1, 10) if str(d) not in peers)
names_changed.clear()
palette[digit].queryAction().doAction(0)
want = cell_name(row, column, digit, selected=True)
wait_for(lambda: want in names_changed)
check(cell.name == want, f"the palette's action enters {digit}: {cell.name!r}")
check(want in names_changed, f"its name-change event arrived ({names_changed})")

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
