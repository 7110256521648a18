// Status texts as a progress line on a terminal.
//
// Without --verbose the status texts are not shown; but when standard error
// is a terminal and a command has run for a while, the latest of them is shown
// on one line that each new text overwrites, so that a long run shows that it
// is alive. The line is cleared when the command ends. Nothing is written when
// standard error is a file or a pipe.
#pragma once

// Starts the clock and installs the status sink (only on a terminal).
void StartProgressLine();
// Clears the progress line if one was shown.
void EndProgressLine();
