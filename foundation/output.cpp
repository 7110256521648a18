// TOutput: buffers, file binding, whole-file loads and appending writes.
#include "foundation/output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

#include "foundation/message_box.h"
#include "foundation/status_reporter.h"

namespace {

// Stored access rights and creation dispositions of a bound file.
constexpr unsigned kAccessRead = 1;
constexpr unsigned kAccessWrite = 2;
constexpr unsigned kOpenExisting = 1;
constexpr unsigned kCreateAlways = 2;
constexpr unsigned kOpenAlways = 3;

// String-table ids of the buffer's own messages.
constexpr int kTextShortRead = 156;
constexpr int kTextUnableToLoad = 157;
constexpr int kTextUnableToWrite = 158;

int OpenFlags(unsigned access, unsigned disposition) {
  int flags = O_CLOEXEC;
  if ((access & kAccessRead) != 0 && (access & kAccessWrite) != 0)
    flags |= O_RDWR;
  else if ((access & kAccessWrite) != 0)
    flags |= O_WRONLY;
  else
    flags |= O_RDONLY;
  if (disposition == kCreateAlways) flags |= O_CREAT | O_TRUNC;
  if (disposition == kOpenAlways) flags |= O_CREAT;
  return flags;
}

int OpenPath(const std::string& path, unsigned access, unsigned disposition) {
  int fd;
  do {
    fd = ::open(path.c_str(), OpenFlags(access, disposition), 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

std::string FullPath(const char* fileName) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(fileName, error);
  if (error) return fileName;
  return full.lexically_normal().string();
}

// Reads up to n bytes, retrying interrupted and partial reads. Returns the
// number of bytes read, or -1 when the first read fails.
long long ReadFully(int fd, unsigned char* into, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t got = ::read(fd, into + done, n - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (done == 0) return -1;
      break;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<long long>(done);
}

}  // namespace

TOutput::TOutput(const char* fileName, int openMode) {
  if (fileName != nullptr) Open(fileName, openMode);
}

void TOutput::Init() { Destroy(); }

void TOutput::Construct(const char* fileName, int openMode) {
  Init();
  if (fileName != nullptr) Open(fileName, openMode);
}

void TOutput::Destroy() {
  CloseFile();
  path_.clear();
  access_ = 0;
  disposition_ = 0;
  text_.Clear();
  text_.SetHeap(nullptr);
  FreeBlock();
  if (ownsHeap_) PrivateHeapDestroy(heap_);
  heap_ = nullptr;
  ownsHeap_ = false;
  mode_ = kTextMode;
}

void TOutput::FreeBlock() {
  // Blocks know the heap that holds them, so this is right whichever heap is
  // current now.
  PrivateHeapFree(block_);
  block_ = nullptr;
  capacity_ = 0;
  used_ = 0;
  cursor_ = nullptr;
}

void TOutput::UseHeap(THeapHandle heap) {
  THeapHandle previous = heap_;
  bool ownedPrevious = ownsHeap_;
  if (mode_ == kTextMode) {
    text_.SetHeap(heap);
  } else if (block_ != nullptr && heap != previous) {
    // Move the block so it never outlives the heap it claims to live in.
    void* moved = heap != nullptr ? PrivateHeapAllocIn(heap, capacity_)
                                  : PrivateHeapAlloc(capacity_, kHeapGenerateExceptions);
    if (moved == nullptr) throw std::bad_alloc();
    std::memcpy(moved, block_, capacity_);
    std::size_t used = used_;
    std::size_t cursorOffset = cursor_ != nullptr ? static_cast<std::size_t>(cursor_ - block_) : 0;
    bool hadCursor = cursor_ != nullptr;
    std::size_t capacity = capacity_;
    FreeBlock();
    block_ = static_cast<unsigned char*>(moved);
    capacity_ = capacity;
    used_ = used;
    cursor_ = hadCursor ? block_ + cursorOffset : nullptr;
  }
  heap_ = heap;
  ownsHeap_ = false;
  if (ownedPrevious && previous != heap) PrivateHeapDestroy(previous);
}

THeapHandle TOutput::CurrentHeap() const {
  if (mode_ == kTextMode) return text_.HeapOrShared();
  return heap_ != nullptr ? heap_ : ::CurrentHeap();
}

void TOutput::CreateOwnHeap() {
  if (mode_ == kTextMode) text_.Clear();
  text_.SetHeap(nullptr);
  if (ownsHeap_) {
    FreeBlock();  // it lives in the heap about to go
    PrivateHeapDestroy(heap_);
  }
  heap_ = PrivateHeapCreate(0);
  ownsHeap_ = true;
  if (mode_ == kTextMode) text_.SetHeap(heap_);
}

void TOutput::SetBinary() { mode_ = kBinaryMode; }

void TOutput::AppendString(const TString& text) { text_.AppendString(text); }

void TOutput::AppendText(const char* text) { text_.Append(text); }

void TOutput::NewLines(int n) {
  if (n <= 0) return;
  if (n > 16) n = 16;
  std::string lines;
  for (int i = 0; i < n; ++i) lines += "\r\n";
  text_.Append(lines.c_str());
}

void TOutput::Spaces(int n) {
  if (n <= 0) return;
  text_.Append(std::string(static_cast<std::size_t>(n), ' ').c_str());
}

void TOutput::Tabs(int n) {
  for (int i = 0; i < n; ++i) text_.Append("\t");
}

void TOutput::CommentMarker(int kind) {
  TString marker;
  if (kind == 1) {
    TString percent;
    percent.LoadResource(151);
    marker.FormatResource(152, percent);
  } else if (kind == 2) {
    marker.LoadResource(153);
  } else if (kind == 3) {
    marker.LoadResource(154);
  } else {
    marker.LoadResource(151);
  }
  text_.AppendString(marker);
}

void TOutput::Clear() {
  if (mode_ == kTextMode)
    text_.Clear();
  else
    FreeBlock();
}

void TOutput::ReserveBinary(std::size_t n) {
  void* resized;
  if (block_ == nullptr) {
    resized = heap_ != nullptr ? PrivateHeapAllocIn(heap_, n)
                               : PrivateHeapAlloc(n, kHeapGenerateExceptions);
  } else {
    resized = PrivateHeapReAlloc(block_, n);
  }
  if (resized == nullptr) throw std::bad_alloc();
  block_ = static_cast<unsigned char*>(resized);
  capacity_ = PrivateHeapSize(block_);
  used_ = 0;
  cursor_ = block_;
}

int TOutput::OpenStored() {
  CloseFile();
  if (path_.empty()) return 0;
  fd_ = OpenPath(path_, access_, disposition_);
  return fd_ >= 0 ? 1 : 0;
}

int TOutput::Open(const char* fileName, int openMode) {
  unsigned access;
  unsigned disposition;
  unsigned storedAccess;
  unsigned storedDisposition;
  switch (openMode) {
    case kOpenRead:
      access = storedAccess = kAccessRead;
      disposition = storedDisposition = kOpenExisting;
      break;
    case kOpenWrite:
      access = kAccessWrite;
      disposition = kCreateAlways;
      storedAccess = kAccessRead | kAccessWrite;
      storedDisposition = kOpenExisting;
      break;
    case kOpenReadWrite:
      access = storedAccess = kAccessRead | kAccessWrite;
      disposition = storedDisposition = kOpenAlways;
      break;
    default:
      return 0;
  }
  access_ = storedAccess;
  disposition_ = storedDisposition;
  if (fileName == nullptr || *fileName == '\0') return 0;
  std::string full = FullPath(fileName);
  int fd = OpenPath(full, access, disposition);
  if (fd < 0) return 0;
  ::close(fd);
  path_ = std::move(full);
  return 1;
}

int TOutput::Reopen() { return OpenStored(); }

void TOutput::CloseFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

int TOutput::GetFileName(char* buffer, std::size_t n) const {
  if (buffer == nullptr || n == 0) return 0;
  std::size_t copied = path_.size() < n - 1 ? path_.size() : n - 1;
  std::memcpy(buffer, path_.data(), copied);
  buffer[copied] = '\0';
  return !path_.empty() && copied == path_.size() ? 1 : 0;
}

std::uint64_t TOutput::LoadFile() {
  if (Reopen() == 0) return 0;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || info.st_size <= 0) {
    Clear();
    return 0;
  }
  std::uint64_t size = static_cast<std::uint64_t>(info.st_size);
  std::size_t wanted = static_cast<std::size_t>(size);
  unsigned char* into = nullptr;
  try {
    if (mode_ == kTextMode) {
      text_.Clear();
      text_.Reserve(wanted);
      into = reinterpret_cast<unsigned char*>(text_.Buffer());
    } else {
      if (block_ == nullptr || capacity_ != wanted) ReserveBinary(wanted);
      into = block_;
    }
  } catch (const std::bad_alloc&) {
    into = nullptr;  // too large to hold: reported as a failed load below
  }
  long long got = into != nullptr ? ReadFully(fd_, into, wanted) : -1;
  if (got <= 0) {
    Clear();
    TString message;
    message.LoadResource(kTextUnableToLoad);
    ShowMessageBox(message.CStr(), TMessageButtons::Ok, TMessageIcon::Error);
    return 0;
  }
  std::size_t n = static_cast<std::size_t>(got);
  if (n < wanted) {
    TString question;
    question.FormatResource(kTextShortRead, static_cast<std::uint64_t>(n), size);
    if (ShowMessageBox(question.CStr(), TMessageButtons::OkCancel, TMessageIcon::Warning) ==
        TMessageResult::Cancel) {
      Clear();
      return 0;
    }
  }
  if (mode_ == kTextMode) {
    text_.Buffer()[n] = '\0';
  } else {
    used_ = n;
    cursor_ = block_;
  }
  return n;
}

std::size_t TOutput::WriteAtEnd(const char* bytes, std::size_t n) {
  if (::lseek(fd_, 0, SEEK_END) < 0) return 0;
  std::size_t done = 0;
  while (done < n) {
    ssize_t put = ::write(fd_, bytes + done, n - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (put == 0) break;
    done += static_cast<std::size_t>(put);
  }
  return done;
}

void TOutput::ReportWriteFailure() {
  TString message;
  message.FormatResource(kTextUnableToWrite, path_.c_str());
  ShowStatusText(message.CStr());
}

int TOutput::WriteFile() {
  const char* bytes;
  std::size_t n;
  if (mode_ == kTextMode) {
    bytes = text_.CStr();
    n = text_.Length();
  } else {
    bytes = reinterpret_cast<const char*>(block_);
    n = used_;
  }
  if (n == 0) return 1;
  std::size_t written = 0;
  if (Reopen() != 0) written = WriteAtEnd(bytes, n);
  CloseFile();
  if (mode_ == kTextMode) {
    // Keep exactly what did not reach the file: no loss, no duplicate on retry.
    if (written == n)
      text_.Clear();
    else if (written > 0)
      text_.Assign(std::string(bytes + written, n - written).c_str());
  } else {
    if (written > 0) std::memmove(block_, block_ + written, n - written);
    used_ = n - written;
  }
  if (written == n) return 1;
  ReportWriteFailure();
  return 0;
}

int TOutput::FlushBinary() {
  if (used_ == 0) return 1;
  std::size_t written = 0;
  if (Reopen() != 0) written = WriteAtEnd(reinterpret_cast<const char*>(block_), used_);
  CloseFile();
  if (written > 0) std::memmove(block_, block_ + written, used_ - written);
  used_ -= written;
  if (used_ == 0) return 1;
  ReportWriteFailure();
  return 0;
}
