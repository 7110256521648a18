// The table of object kinds: everything about a managed object that differs by
// kind, as one switch per question (block size and construction, release,
// destroy, display prefix). A new kind's data joins the model by adding its
// case to each switch in object_kinds.cpp.
#pragma once

#include <cstddef>

#include "model/object_header.h"

// True for the kinds the factory makes: 3 to 15 except 10.
bool IsCreatableKind(int kind);

// Allocates a block for an object of the kind from the current private heap,
// constructs the kind's data in it (the kind's init) and initialises the header
// as that kind. Throws std::bad_alloc (nothing is left allocated).
TObjectHeader* ConstructObjectOfKind(int kind);

// The kind's release routine (nothing for kinds without one). Runs inside
// ObjectReleaseByKind, which adds the header release.
void ReleaseKindData(TObjectHeader* object);
// The kind's destroy routine: its release, then the destruction of the bodies
// of its own lists. The block itself is freed by the caller.
void DestroyKindData(TObjectHeader* object);

// The display format of the kind for an object with this creation tag is this
// prefix followed by the number ("v%ld", "Cell #%ld", ...); null for kinds
// without one.
const char* KindDisplayPrefix(int kind, int creationTag);
