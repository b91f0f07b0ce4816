// CScriptRunner: runs the events of a script against the application in virtual time.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "script/Script.h"

class CScriptedForeground;
class CScriptedTimers;
class CSudokuApp;
class ScriptedShell;

// Drives the application's entry surface (ui/SudokuApp.h): taps and keys are the view's, as the
// script's lines name view points and keys; commands run with their update rule first; pressed
// toolbar buttons show their caption box only. The runner's own
// log lines go to the same stream as the shell's, in the order of events:
//   disabled ID        a command whose rule disabled it
//   hint X Y           the Hint command found the cell in column X, row Y
//   tip "TEXT"         the caption shown by a pressed toolbar button
//   error LINE "REASON"  a line that was not understood, or a screenshot that was not written
// Once the program has ended (exit, Save and Exit, the Exit button, the close that follows a
// missing file), no further line runs. The end of the script ends the program as Save and
// Exit does.
class CScriptRunner {
public:
    struct SServices {
        ScriptedShell& shell;
        CScriptedTimers& timers;
        CScriptedForeground& foreground;
    };

    CScriptRunner(CSudokuApp& app, SServices services, std::ostream& log);

    // The shell's close handler: the program is to end after the event in progress.
    void RequestClose();

    // The Hint command found a cell (the document's hint listener).
    void LogHint(int32_t x, int32_t y);
    // A line carried out later (a dialog's screenshot) failed: its error line is written and the
    // exit status will be 2.
    void ReportFailure(int line, const std::string& reason);

    // Runs the lines, then the orderly end; gives the exit status: 0 when every line that ran
    // was understood and carried out, 2 otherwise.
    int Run(const std::vector<SParsedLine>& lines);

private:
    // One line; one not understood, or not carried out, writes its error line.
    void RunLine(const SParsedLine& parsed);
    void RunCommand(int id);

    CSudokuApp& m_app;
    SServices m_services;
    std::ostream& m_log;
    bool m_closing = false;
    bool m_failed = false;
};
