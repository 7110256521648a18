// The Recognize commands. The bodies live with the recognition
// (recognition/recognize_commands.cpp): the shell's command table only names
// them.
#pragma once

#include "shell/document_commands.h"

// "Recognize" (46): the mode of the options (Till Main unless they say
// Till First or All Presentations).
TCommandOutcome RunRecognize(TCommandRun& run);
// "Till First Presentation" (48): stops at the first presentation found.
TCommandOutcome RunTillFirstPresentation(TCommandRun& run);
// "Till Main Presentation" (49): stops when the manifold is recognised.
TCommandOutcome RunTillMainPresentation(TCommandRun& run);
// "Try To Find All Presentations" (50): the whole stage schedule.
TCommandOutcome RunTryToFindAllPresentations(TCommandRun& run);
