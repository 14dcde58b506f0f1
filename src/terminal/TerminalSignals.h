#pragma once
// Putting the terminal back when the program is ended from outside.
//
// A crash signal (SIGSEGV, SIGABRT, SIGBUS, SIGFPE) writes the reset
// sequences and the saved terminal modes with async-signal-safe calls, then
// lets the signal take its course. SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1,
// SIGUSR2 and SIGPIPE only raise a flag: the input reports itself closed, so
// the game saves and ends as "quit" does; should that take too long, an
// alarm restores and ends it. SIGTSTP (a suspend from outside) and SIGCONT
// raise flags too: the back end gives the terminal back and stops, or draws
// the whole screen again, at its next look at the terminal.
#include <string>

// Remembers the terminal's modes as they were before the game changed them.
void saveTerminalModes();
// Keeps the sequences that undo ours and installs the handlers.
void installTerminalSignalHandlers(const std::string& resetSequence);
// The plain front end's share: the stop signals but SIGPIPE raise the
// flag and write a byte to fd, so that its input reports itself closed;
// there is no terminal to put back, no suspend and no resize to follow.
void installPlainSignalHandlers(int fd);
// From now on a stop signal or a resize also writes a byte to fd (-1: no
// longer), so a thread waiting for input wakes whichever thread the signal
// interrupted. Curses' own resize handling goes on as before.
void wakeOnSignals(int fd);
// True once for each suspend asked for (SIGTSTP, or requestSuspend).
bool takeSuspendRequest();
// Ctrl+Z: asks for a suspend as a SIGTSTP from outside does; nothing when
// the program was started without job control (SIGTSTP ignored).
void requestSuspend();
// Stops the process as SIGTSTP does by default, until it is continued.
void stopUntilContinued();
// True once after the process was continued or the window resized: what
// the terminal shows is no longer known.
bool takeRedrawRequest();
// The stop signal received, or 0.
int pendingStopSignal();
// After the terminal is restored: ends the process by the stop signal, if one came.
void finishPendingStopSignal();
