// The command line of `sudoku`, which the window reads its zoom limit from, lives with the
// script language below Qt.
#pragma once

#include "script/CommandLine.h"
