// The spine a recognition command works on.
#pragma once

#include <string>

#include "shell/document_commands.h"

class TSpine;

// Parses the command's document; a text without a manifold or an empty
// spine is refused with its note already shown (null). Otherwise the spine,
// thickened, and in homology the text of its group, taken before any move
// cuts a piece off (empty when it cannot be computed).
TSpine* RecognitionInput(TCommandRun& run, std::string& homology);
