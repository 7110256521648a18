// Ctrl+C in the command-line program.
//
// The first SIGINT asks the running command to stop: it sets the process-wide
// stop flag, which the engines poll, and the program then leaves with
// PrintStoppedAndExitStatus's outcome. It also puts back the default action,
// so a second SIGINT ends the process at once, whatever it is doing.
#pragma once

// Installs the handler. A blocking read is interrupted (no SA_RESTART), so
// the program sees the stop while it waits for its input too.
void InstallInterruptHandler();

// Whether SIGINT has asked the command to stop.
bool InterruptRequested();

// The stopped outcome: "stopped" on standard error, and the exit status 130.
// Nothing of the result is printed.
int PrintStoppedAndExitStatus();
