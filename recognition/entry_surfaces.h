// The closed surfaces that complete a series entry.
//
// With the setting EnumerationOfManifoldsSearchForSurfaces a series records,
// for each entry whose spine is minimal (as many vertices as the entry's
// complexity), the types of the closed surfaces of plate degree 1 in the
// spine. The search belongs to the invariants, which build on the
// recognition; this declaration is the narrow interface through which the
// table reaches it, and the invariants define it
// (invariants/entry_surfaces.cpp).
#pragma once

class TSpine;
class TPackedRecordList;

// Adds the types of the spine's surfaces to the list (one keyed entry per
// kind of connected surface, a plain entry per disconnected one). 1 when the
// search ran; 0, with the list left empty, when the spine is not special.
// Polls the stop flag (TComputationStopped). The spine is not changed.
int SearchEntrySurfaces(TSpine& spine, TPackedRecordList& list);
