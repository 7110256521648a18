// THandle: the counted reference through which the model refers to a managed
// object.
//
// A handle is one pointer, or null. A handle that points to an object holds
// one counted reference to it: constructing or copying a handle adds a
// reference, destroying or releasing it drops one, and the drop that brings
// the count to zero destroys the object by its kind.
//
// Assignment takes the new reference before it lets go of the old one, so
// assigning a handle its own object, or an object that only the old object
// keeps alive, is safe. When the handle held the old object's last reference,
// the kind's release routine runs before the drop (it breaks the reference
// cycles through which neighbours still reach the object), and the drop then
// frees it.
//
// A handle converts to its raw object pointer, which is what the model's
// operations take; the pointer is valid while some handle or list keeps the
// object alive.
#pragma once

#include <cstddef>

#include "model/object_header.h"

class THandle {
 public:
  THandle() noexcept = default;
  // Stores the pointer (null allowed) and adds a reference.
  explicit THandle(TObjectHeader* object) noexcept : object_(object) { ObjectAddRef(object_); }
  THandle(const THandle& other) noexcept : object_(other.object_) { ObjectAddRef(object_); }
  THandle(THandle&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  ~THandle() { Release(); }

  THandle& operator=(const THandle& other) {
    AssignObject(other.object_);
    return *this;
  }
  THandle& operator=(THandle&& other) noexcept;

  static THandle FromObject(TObjectHeader* object) { return THandle(object); }

  // Drops the reference and leaves the handle null.
  void Release() noexcept;
  void Assign(const THandle& other) { AssignObject(other.object_); }
  // Adds a reference to the new object, runs the old object's release when
  // this handle held its only reference, drops the old reference and stores
  // the new pointer. Self-assignment changes nothing.
  void AssignObject(TObjectHeader* object) noexcept;

  TObjectHeader* Object() const noexcept { return object_; }
  operator TObjectHeader*() const noexcept { return object_; }  // NOLINT: raw view
  TObjectHeader* operator->() const noexcept { return object_; }

  bool IsValid() const noexcept { return object_ != nullptr; }
  int Kind() const { return ObjectKind(object_); }
  // True when both handles point to the same non-null object.
  bool Equals(const THandle& other) const { return object_ != nullptr && object_ == other.object_; }
  bool NotEquals(const THandle& other) const { return !Equals(other); }

  // Primary number (slot 0) or secondary number; -1 for a null handle.
  int Number(int slot = 0) const { return ObjectNumber(object_, slot); }
  void SetNumber(int n) const { ObjectSetNumber(object_, n); }
  void SetNumberSlot(int slot, int n) const { ObjectSetNumberSlot(object_, slot, n); }

  TObjectHeader* NameObject() const { return object_ == nullptr ? nullptr : object_->name; }
  void SetNameObject(TObjectHeader* nameObject) const { ObjectSetNameObject(object_, nameObject); }
  void SetName(const char* prefix, const char* text) const { ObjectSetNameText(object_, prefix, text); }

  // Mark i (0..3); 0 for a null handle or another index.
  int Mark(int i) const;
  void SetMark(int i, int value) const;

  // Copies primary and secondary number, creation tag and the four marks to
  // the other object; a name is copied as a new name object of the same text
  // (cut to 1023 characters), made even while names are suppressed, so that a
  // copy displays as its original. Without a name here, the other loses its name.
  void CopyIdentity(TObjectHeader* other) const;

  // The name when the object has one, cut to 31 characters; else the kind's
  // display format applied to the primary number ("v%ld", "Cell #%ld", ...);
  // "" without name and number; null for a null handle. The text lives in one
  // of four per-thread buffers used in rotation, so a caller may hold four
  // display names at once.
  const char* DisplayName() const;
  // True when the object's name (its whole name, not the display name cut to
  // 31 characters), or without a name its display name, and the text agree
  // after both are trimmed and every run of blanks, tabs, vertical tabs,
  // carriage returns and line feeds is made one space; exact and case-sensitive.
  bool IsNamed(const char* text) const;

 private:
  TObjectHeader* object_ = nullptr;
};

// The display name of a raw object (DisplayName of a handle to it).
const char* ObjectDisplayName(const TObjectHeader* object);
// IsNamed of a handle to the object; false for null.
bool ObjectIsNamed(const TObjectHeader* object, const char* text);
