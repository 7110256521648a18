// The printer of details: a detail as an item of the details text, so that a
// printed description reads back as the same gluing.
//
//   D1 =
//   	1 :	D1_2 {1 3 2}	% Edge 1 beginning
//   %	2 :	D1_1 {1 3 2}	% Edge 1 end
//
// One line per face: the face (from 1), the partner and its face, the corner
// substitution, and, when the face carries a spine edge, a comment naming the
// edge and which of its ends lies at this detail. Each gluing is written once:
// the line of a face whose gluing was already written (its partner is a detail
// printed before, or this detail at a lower face) is commented out. A missing
// partner is written "*\t_*", a missing corner "*".
#pragma once

#include <vector>

#include "foundation/output.h"
#include "model/object_header.h"

// Appends a detail in the details format (style 1). The written list holds
// the details printed before this one (null: none); the detail is not added.
// A null detail prints "EmptyObject".
void PrintDetail(TOutput& output, const TObjectHeader* detail,
                 const std::vector<const TObjectHeader*>* written);
