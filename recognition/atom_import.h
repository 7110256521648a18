// Import of cusped presentations into the text of the table of atoms.
//
// The user pastes census results into a document: for table atoms, other
// presentations of the same manifold (a filling of a two-cusped atom, a knot
// complement, a link complement with some components filled). The import
// walks the table text record by record and, under each record whose name
// the document mentions, adds one line per presentation found:
//
//   kind 15  %%Next={Type2| Q<c>^2_<n> <torus 1 data> <torus 2 data> }
//   kind 16  %%Next={Type3| K<a>_<b>: Free (a b) (c d)}
//   kind 17  %%Next={Type4| <link> 1: Free (a b) (c d) 2: Dehn Filling (p,q) ...}
//   kind 18  the same for two-cusped records, filled tori numbered from 3
//
// The matrix written is the inverse of the one the document gives after the
// record name (the document maps the atom's coordinates to the
// presentation's; the table keeps the way back). A line that the record
// already holds is not added again, so a second import of the same document
// adds nothing. The result is the whole table text; the table in memory is
// not changed.
//
// The markers the readers look for in the document: "LinkName" followed by
// the quoted link name "<name>^<components>_<index>" (kinds 17, 18); "H_1"
// ending a one-cusp census entry, whose line holds the record name followed
// by a blank; "Edge" marking a line that is no entry; numbered lines "<n>."
// naming fillings of table atoms (kind 15); "(None)" for an unfilled
// component and "Virtual vertex <u>" lines with the atom's matrix (kind 18);
// "Seifert" rejecting an entry.
#pragma once

#include <string>
#include <string_view>

// The import of the given kind (15 to 18) of the document into the table
// text. A document of at most 10 characters, or another kind, gives the empty
// text. Polls the stop flag (TComputationStopped).
std::string ImportPresentations(std::string_view tableText, std::string_view documentText, int kind);
