// The presentation report that the short information of a document puts
// first when its spine was built from a Heegaard diagram.
#pragma once

class TOutput;

// For source kind 7 (extended Heegaard diagram) and 8 (Heegaard diagram): the
// diagram is read from the document text again and its report appended;
// returns 1. Any other source kind appends nothing and returns 0.
int PrintHeegaardSourceReport(TOutput& output, int sourceKind, const char* text);
