// THandle: counted references, identity and display names. See handle.h.
#include "model/handle.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

#include "model/object_kinds.h"

namespace {

constexpr std::size_t kDisplayNameSize = 32;
constexpr std::size_t kCopiedNameLimit = 1023;

// Four per-thread buffers used in rotation, so that a caller can hold four
// display names at once and two threads never share one.
char* NextDisplayBuffer() {
  thread_local char buffers[4][kDisplayNameSize];
  thread_local unsigned next = 0;
  char* buffer = buffers[next];
  next = (next + 1) % 4;
  return buffer;
}

bool IsCollapsedBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\r' || c == '\n';
}

// Leading and trailing blanks removed, every inner run of blanks one space.
std::string CollapseBlanks(const char* text) {
  std::string result;
  if (text == nullptr) return result;
  bool pendingBlank = false;
  for (const char* p = text; *p != '\0'; ++p) {
    if (IsCollapsedBlank(*p)) {
      pendingBlank = !result.empty();
      continue;
    }
    if (pendingBlank) result += ' ';
    pendingBlank = false;
    result += *p;
  }
  return result;
}

// Drops a reference that a handle gave up; when it was the last one, the
// kind's release runs first so that the cycles through the object are broken.
void LetGo(TObjectHeader* old) noexcept {
  if (old == nullptr) return;
  if (old->refCount == 1) ObjectReleaseByKind(old);
  ObjectDropRef(old);
}

}  // namespace

THandle& THandle::operator=(THandle&& other) noexcept {
  if (this != &other) {
    TObjectHeader* old = object_;
    object_ = other.object_;
    other.object_ = nullptr;
    LetGo(old);
  }
  return *this;
}

void THandle::Release() noexcept {
  TObjectHeader* old = object_;
  object_ = nullptr;
  ObjectDropRef(old);
}

void THandle::AssignObject(TObjectHeader* object) noexcept {
  if (object == object_) return;
  // The new reference is taken before anything of the old object is let go,
  // and this handle is not touched again after the old object's release ran
  // (that release may free the object this handle lives in).
  ObjectAddRef(object);
  TObjectHeader* old = object_;
  object_ = object;
  LetGo(old);
}

int THandle::Mark(int i) const {
  if (object_ == nullptr || i < 0 || i > 3) return 0;
  return object_->marks[i];
}

void THandle::SetMark(int i, int value) const {
  if (object_ == nullptr || i < 0 || i > 3) return;
  object_->marks[i] = static_cast<std::uint8_t>(value);
}

void THandle::CopyIdentity(TObjectHeader* other) const {
  if (object_ == nullptr || other == nullptr) return;
  other->number = object_->number;
  other->secondaryNumber = object_->secondaryNumber;
  other->creationTag = object_->creationTag;
  std::memcpy(other->marks, object_->marks, sizeof other->marks);
  const char* text = ObjectNameText(object_);
  if (text == nullptr) {
    ObjectSetNameObject(other, nullptr);
    return;
  }
  std::string copy(text, std::min(std::strlen(text), kCopiedNameLimit));
  ObjectSetNameObject(other, NewNameObject(copy.c_str(), 1));
}

const char* THandle::DisplayName() const { return ObjectDisplayName(object_); }

bool THandle::IsNamed(const char* text) const { return ObjectIsNamed(object_, text); }

bool ObjectIsNamed(const TObjectHeader* object, const char* text) {
  if (object == nullptr) return false;
  // A name longer than a display name is compared whole: two names that share
  // their first 31 characters are different names.
  const char* name = ObjectNameText(object);
  if (name == nullptr) name = ObjectDisplayName(object);
  return CollapseBlanks(name) == CollapseBlanks(text);
}

const char* ObjectDisplayName(const TObjectHeader* object) {
  if (object == nullptr) return nullptr;
  char* buffer = NextDisplayBuffer();
  buffer[0] = '\0';
  // Copied by hand, cut to the buffer as snprintf would: the thickening names
  // a few objects per passage after their owners, and formatting was a
  // noticeable share of it.
  auto append = [buffer](std::size_t at, const char* text) {
    const std::size_t room = kDisplayNameSize - 1 - at;
    const std::size_t n = std::min(std::strlen(text), room);
    std::memcpy(buffer + at, text, n);
    buffer[at + n] = '\0';
    return at + n;
  };
  if (const char* name = ObjectNameText(object)) {
    append(0, name);
  } else if (object->number != -1) {
    if (const char* prefix = KindDisplayPrefix(object->kind, object->creationTag))
      append(append(0, prefix), std::to_string(static_cast<long>(object->number)).c_str());
  }
  return buffer;
}
