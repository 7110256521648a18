// The printed form of the surfaces a series found in an entry's spines.
#pragma once

#include "foundation/output.h"
#include "foundation/packed_record_list.h"

// One surface list: per entry its multiplicity when above 1, then a
// connected surface by its name, or a disconnected one as "[" its component
// names joined by "+" "]" (in parentheses when counted more than once);
// entries separated by ",". "Surfaces information is empty!" for none.
void PrintSurfaceSet(TOutput& output, const TPackedRecordList& list);

// Several lists (one per spine searched, without repeats): "No surfaces"
// for none; else the surface count of the first list ("1 surface:",
// "%u surfaces:"), "(n sets)" when there are several, and the lists, each
// in braces when there are several, separated by ";".
void PrintSurfaceSets(TOutput& output, const TPackedRecordListSet& sets);
