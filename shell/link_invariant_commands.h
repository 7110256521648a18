// The commands of the Information menu that read the document as a knot or
// link diagram, not as a spine: the Casson-Walker invariant of a surgery
// presentation (28), the Kauffman bracket (29) and the Alexander polynomial
// (30). Each reports the diagram it read and then the value; a text that is no
// link text, a reader's error and a refusal of the computation are refused
// with their reason. The state sums stop on the stop flag (kStopped).
// The bodies live with the invariants (invariants/link_invariant_commands.cpp):
// the shell's command table only names them.
#pragma once

#include "shell/document_commands.h"

TCommandOutcome RunCassonWalker(TCommandRun& run);
TCommandOutcome RunKauffmanBracket(TCommandRun& run);
TCommandOutcome RunAlexanderPolynomial(TCommandRun& run);
