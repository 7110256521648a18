// Managed objects: the common header and the object-level operations.
//
// Every element of the cell-complex model (vertices, edges, 2-cells, thick
// objects, details, molecule objects, the bodies of object lists and the name
// objects) is one block of the current private heap that begins with a
// TObjectHeader and continues with the data of its kind. Objects are shared by
// counted reference (see handle.h); when the count falls to zero the kind's
// destroy routine runs and the block goes back to its heap.
//
// There are no virtual functions in the model: whatever differs by kind is a
// switch on the kind number, kept together in object_kinds.cpp.
//
// Release and destroy. A release empties the object's lists and drops the
// references it holds, which breaks the reference cycles between neighbours
// (an edge holds its cells, a cell holds its edges); the object itself stays
// allocated as an empty shell until its last reference goes. Destroy runs when
// the count reaches zero: it releases, destroys the bodies of the object's own
// lists and frees the block. The lock byte stops re-entry while a release runs;
// the dying flag makes a second destroy do nothing.
//
// All operations accept a null object and then return the value documented.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// The kind numbers of managed objects.
inline constexpr int kNameObjectKind = 1;
inline constexpr int kObjectListKind = 2;
inline constexpr int kVertexKind = 3;
inline constexpr int kEdgeKind = 4;
inline constexpr int kCellKind = 5;
inline constexpr int kComponentKind = 6;
inline constexpr int kThickReservedKind = 7;  // header only; no operation creates it
inline constexpr int kThickEdgeKind = 8;
inline constexpr int kThickCellKind = 9;
inline constexpr int kDetailKind = 11;
inline constexpr int kDetailRepresentationKind = 12;
inline constexpr int kEdgeChainKind = 13;  // accepted by the factory, never created
inline constexpr int kMoleculeVertexKind = 14;
inline constexpr int kMoleculeEdgeKind = 15;
// Kinds are below this bound (per-kind tables of the object manager).
inline constexpr int kObjectKindCount = 16;

struct TObjectHeader {
  std::int32_t kind = 0;
  // The number of the move during which the object was made; 1 for building,
  // thickening and renumbering; 0 for lists and names.
  std::int32_t creationTag = 0;
  std::int32_t refCount = 0;
  std::int32_t number = -1;           // primary number within its kind; -1 none
  std::int32_t secondaryNumber = -1;  // second slot used by some presentations
  TObjectHeader* name = nullptr;      // counted reference to a kind-1 name object
  std::uint8_t marks[4] = {0, 0, 0, 0};  // scratch marks for algorithms
  // Bit 0: destroy has begun. Bit 1: the count reached zero while the object
  // was locked; its release frame destroys it on the way out.
  std::uint8_t dying = 0;
  std::uint8_t lock = 0;  // 1 while the object's release runs
};

// The text of a name object (kind 1) follows its header.
struct TNameObject : TObjectHeader {
  char* Text() { return reinterpret_cast<char*>(this + 1); }
  const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
};

// ---- Process-wide switch ---------------------------------------------------

// While non-zero, no name object is made except on demand (NewNameObject with
// force 1). Readers, series and the table load set it around their work and
// restore the old value (TSuppressObjectNamesScope does both). It is one atomic
// word because the user interface sets it for a task that the worker then runs.
inline std::atomic<int> SuppressObjectNames{0};

// Sets SuppressObjectNames for a scope and restores the old value on every exit.
class TSuppressObjectNamesScope {
 public:
  explicit TSuppressObjectNamesScope(int value) : saved_(SuppressObjectNames.exchange(value)) {}
  ~TSuppressObjectNamesScope() { SuppressObjectNames.store(saved_); }
  TSuppressObjectNamesScope(const TSuppressObjectNamesScope&) = delete;
  TSuppressObjectNamesScope& operator=(const TSuppressObjectNamesScope&) = delete;

 private:
  int saved_;
};

// ---- Header and reference counts -------------------------------------------

// kind := k, tag 0, count 0, both numbers -1, no name, marks 0, not dying, unlocked.
void ObjectHeaderInit(TObjectHeader* object, int kind);

// count + 1; the new count (0 for null).
int ObjectAddRef(TObjectHeader* object);
// count - 1 (never below 0); when it reaches 0 the object is destroyed by its
// kind and null is returned, else the object. A locked object whose count
// reaches 0 is destroyed when its running release ends.
TObjectHeader* ObjectDropRef(TObjectHeader* object);
int ObjectRefCount(const TObjectHeader* object);
int ObjectKind(const TObjectHeader* object);
bool ObjectIsValid(const TObjectHeader* object);

// The secondary number when slot is non-zero, else the primary; -1 for null.
int ObjectNumber(const TObjectHeader* object, int slot = 0);
void ObjectSetNumber(TObjectHeader* object, int n);
void ObjectSetNumberSlot(TObjectHeader* object, int slot, int n);
// Sets the creation tag and returns it; 0 for null.
int ObjectSetCreationTag(TObjectHeader* object, int tag);

// ---- Names -----------------------------------------------------------------

// Null when SuppressObjectNames is set and force is not 1, or when the text is
// null or empty; else a new kind-1 object holding a copy of the text, count 0.
// Allocates from the current private heap (throws std::bad_alloc on failure).
TObjectHeader* NewNameObject(const char* text, int force = 0);
// Copies at most n - 1 characters and a terminator into buffer; returns buffer,
// or null for a null object (buffer untouched).
char* NameObjectText(const TObjectHeader* nameObject, char* buffer, std::size_t n);
// The text of the object's name, or null when it has none.
const char* ObjectNameText(const TObjectHeader* object);
// Drops the old name's reference, stores the new one (null allowed) and adds a
// reference to it.
void ObjectSetNameObject(TObjectHeader* object, TObjectHeader* nameObject);
// Attaches NewNameObject(prefix followed by text); when that gives null (empty
// text, or names suppressed) the object ends up without a name.
void ObjectSetNameText(TObjectHeader* object, const char* prefix, const char* text);

// ---- Locks, release and destroy --------------------------------------------

void ObjectLock(TObjectHeader* object);
bool ObjectIsLocked(const TObjectHeader* object);
// Unless locked: drops the name's reference and clears the name.
void ObjectHeaderRelease(TObjectHeader* object);
// Nothing for null or locked objects; otherwise the kind's release routine
// (which empties the object's lists and drops its references), then the header
// release. The object stays allocated.
void ObjectReleaseByKind(TObjectHeader* object);
// Run when the count reaches 0. Nothing for null, locked or dying objects;
// otherwise marks the object dying, runs the kind's destroy routine (release,
// then destroy the bodies of its own lists) and frees the block.
void ObjectDestroyByKind(TObjectHeader* object);

// The frame every kind's release routine runs in: returns false (do nothing)
// when the object is locked; otherwise raises the lock. The matching
// EndObjectRelease lowers it, releases the header and completes a destroy that
// was requested meanwhile.
bool BeginObjectRelease(TObjectHeader* object);
void EndObjectRelease(TObjectHeader* object);

// ---- Blocks and helpers ----------------------------------------------------

// Allocate from the current private heap (throws std::bad_alloc) / free a block
// into the heap that holds it.
void* AllocateModelBlock(std::size_t bytes);
void FreeModelBlock(void* block);

// Index of the first entry equal to pointer; -1 when absent.
int FindPointer(const void* const* pointers, int count, const void* pointer);

// Objects created and destroyed so far in this process, per kind (diagnostics
// and leak tests; objects discarded with a whole heap are never counted as
// destroyed). Kind 0 gives the totals.
long ObjectsCreated(int kind = 0);
long ObjectsDestroyed(int kind = 0);
