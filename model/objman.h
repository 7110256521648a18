// TObjectManager: the owner of the objects of one complex.
//
// A manager is the factory of managed objects, keeps the objects of a spine,
// a boundary surface or a molecule table in one ordered list (a counted
// reference each), numbers them per kind, counts them per kind and iterates
// over the objects of one kind with one cursor per kind.
//
// Every manager is entered in the registry of the heap context that was
// installed when it was made (the registry lives in that context's registry
// heap), through which the manager that holds a given object is found. A
// manager must be destroyed before its context's heaps are: destroying it takes
// it out of the registry it was entered in, whichever context is installed then.
//
// Iteration under removal. First/Next keep a cursor (position, object) per
// kind. Unregistering an object moves the cursors so that they keep naming the
// same place in the list: a loop that unregisters its current object and then
// asks for the next one continues with the entry that followed it, even when
// the object was destroyed by the removal (its pointer is compared, never
// followed). Swaps carry the cursor along with its object.
//
// Membership. Beside the list the manager keeps a count of each object's
// occurrences, so that Contains (and IndexOf of an absent object) costs a hash
// lookup instead of a walk over the list: builders ask it for every edge and
// vertex they add, and a walk there made building quadratic.
//
// Internal errors name the source "objman".
#pragma once

#include <cstdint>
#include <unordered_map>

#include "foundation/pointer_count_map.h"
#include "model/handle.h"
#include "model/object_list.h"

class TComplex;

class TObjectManager {
 public:
  // Empty list in the current heap, no owner, everything reset; enters the
  // manager in the installed context's registry.
  TObjectManager();
  // Removes the manager from its registry and releases the list (each object
  // loses the manager's reference).
  ~TObjectManager();
  TObjectManager(const TObjectManager&) = delete;
  TObjectManager& operator=(const TObjectManager&) = delete;

  // Clears the list (references dropped); counts and highest numbers 0,
  // cursors reset, creation tag 0.
  void Reset();

  // The complex (a spine) whose manager numbers this one's objects; null when
  // this manager numbers its own.
  void SetOwner(TComplex* owner) { owner_ = owner; }
  TComplex* Owner() const { return owner_; }

  // The number of the operation during which objects are made: 1 while a spine
  // is built, thickened or renumbered, else the move's number; 0 after reset.
  int CreationTag() const { return creationTag_; }
  void SetCreationTag(int tag) { creationTag_ = tag; }

  // The factory: a new object of kind k with this manager's creation tag,
  // registered (count 1) and numbered by NextSerial. Kinds 6 and 13 are numbered
  // but not registered (count 0: the caller takes the first reference). Null for
  // kinds below 3, above 15, and 10. Throws std::bad_alloc.
  TObjectHeader* CreateObject(int kind);

  // Appends the object (a counted reference), counts it and raises the highest
  // number of its kind to its primary number when that is larger.
  void Register(TObjectHeader* object);
  // Removes the object's last occurrence and lowers its kind's count; 1, or 0
  // for null or absent. The cursors keep their place (see above). Costs a walk
  // from the end of the list to the object, and the move of the entries behind it.
  int Unregister(TObjectHeader* object);
  // Removes whatever stands at list position i (also a null entry), with the
  // same cursor and count bookkeeping; 1, or 0 out of range.
  int UnregisterAt(int i);

  // Room for n objects in all, in the list and in the membership counts, for
  // a builder that knows how many it will register. Never shrinks.
  void Reserve(int n);

  int Count() const { return objects_.Count(); }
  int CountOfKind(int kind) const;
  // Constant time on average.
  bool Contains(const TObjectHeader* object) const;
  // The position of the last occurrence, -1 when absent: constant time for an
  // absent object, a walk from the end of the list otherwise. A caller that
  // looks up many positions builds its own map once (PositionsOfObjects).
  int IndexOf(const TObjectHeader* object) const;
  // The object at list position i; null out of range.
  TObjectHeader* At(int i) const { return objects_.At(i); }
  const TObjectList& Objects() const { return objects_; }

  // Resets the kind's cursor and advances it: the first object of the kind in
  // list order, or null.
  TObjectHeader* First(int kind);
  // The next object of the same kind after the given one. When it is not the
  // cursor object of its kind it is looked up; an object that is neither is
  // reported (objman 369) and gives null.
  TObjectHeader* Next(const TObjectHeader* object);
  TObjectHeader* NextOfHandle(const THandle& object) { return Next(object.Object()); }
  // Moves the kind's cursor to the next entry of that kind and returns it; at
  // the end the cursor is reset and null returned.
  TObjectHeader* Advance(int kind);
  // The object n places after the first of its kind (n = 0: the first); null
  // past the end. Moves the cursor.
  TObjectHeader* NthOfKind(int kind, int n);

  // The first object in list order of the kind whose display name matches the
  // text (THandle::IsNamed); null when none.
  TObjectHeader* FindByName(int kind, const char* text) const;
  // The first object in list order of the kind with primary (slot 0) or
  // secondary number n; null when none.
  TObjectHeader* FindByNumber(int kind, int n, int slot = 0) const;
  // The smallest n >= 1 that no object of the kind has as primary number.
  int FirstFreeNumber(int kind) const;
  // Raises highest[kind] by one, in the owner's manager when there is an owner,
  // else here, and returns the new value.
  int NextSerial(int kind);
  // Raises this manager's highest number of the object's kind by one and makes
  // it the object's primary number; 0 for null, else the number.
  int AssignNextNumber(TObjectHeader* object);
  int HighestNumber(int kind) const;
  // For a reader that rebuilds a saved manager; nothing for a bad kind.
  void SetHighestNumber(int kind, int n);

  // Creation tag 1 and highest numbers 0, then every object in list order loses
  // its name and is numbered 1, 2, ... within its kind, with tag 1. Counts,
  // cursors and secondary numbers stay; kinds 6 and 13 are not in the list.
  void Renumber();

  // Exchange two list positions (of two objects); the cursors follow.
  void SwapObjects(const TObjectHeader* a, const TObjectHeader* b);
  void SwapAt(int i, int j);
  // Sorts the objects of the kind by their primary (slot 0) or secondary number
  // within the positions they occupy; other kinds do not move.
  void SortKindByNumber(int kind, int slot = 0);

  // Every object is registered in the other manager, then this one is cleared
  // and reset; nothing when this one is empty.
  void MoveAllTo(TObjectManager& other);
  // Resets the target (which loses its owner) and gives it one new object of
  // the same kind and identity per object here, at the same list position;
  // then the target's highest numbers and counts are overwritten with these.
  // The kinds' data are not copied (the complex copy does that).
  void CopyObjectsTo(TObjectManager& target) const;
  // Clears the output list and fills it, for every element of the source list
  // in order, with the target's object at the element's position here.
  void MapObjects(TObjectList& output, const TObjectList& source,
                  const TObjectManager& target) const;

 private:
  void ResetCursors();
  void NoteAdded(const TObjectHeader* object);
  void NoteRemoved(const TObjectHeader* object);

  TObjectList objects_;
  // The number of occurrences of each object in objects_.
  TPointerCountMap occurrences_;
  TComplex* owner_ = nullptr;
  std::int32_t counts_[kObjectKindCount] = {};
  std::int32_t highest_[kObjectKindCount] = {};
  std::int32_t cursorPositions_[kObjectKindCount] = {};
  const TObjectHeader* cursorObjects_[kObjectKindCount] = {};
  std::int32_t creationTag_ = 0;
  void* registry_ = nullptr;  // the registry this manager was entered in
};

// The i-th manager of the installed context's registry; null past the end.
TObjectManager* ManagerAt(int i);
// The first registered manager whose list holds the object; null when none. A
// null object is reported (objman 595) and gives null.
TObjectManager* ManagerOfObject(const TObjectHeader* object);
// CreateObject(kind) in the manager that holds the object; null when none does.
TObjectHeader* CreateObjectLike(int kind, const TObjectHeader* object);

// The list position of every object of the manager (its last occurrence, as
// IndexOf gives it), for a pass that looks up many positions while the list
// stays as it is. Linear in the number of objects.
std::unordered_map<const TObjectHeader*, int> PositionsOfObjects(const TObjectManager& objects);

// Pairs the objects of two managers by equal list position (the relation
// between a complex and its copy) and maps one to the other. Objects not in the
// source manager map to null. Built once per copy; lookups are constant time.
class TObjectCorrespondence {
 public:
  TObjectCorrespondence() = default;
  TObjectCorrespondence(const TObjectManager& source, const TObjectManager& target);
  // Adds the pairs of two more managers (a spine's boundary surfaces).
  void AddManagers(const TObjectManager& source, const TObjectManager& target);
  void Add(const TObjectHeader* source, TObjectHeader* target);
  TObjectHeader* operator()(const TObjectHeader* source) const;

 private:
  std::unordered_map<const TObjectHeader*, TObjectHeader*> map_;
};
