// The details description: its lifetime, access to the details and the
// completeness check. See details_description.h.
#include "model/details_description.h"

#include <string>

#include "foundation/comment_rules.h"
#include "foundation/heap_string.h"
#include "foundation/status_reporter.h"
#include "model/detail.h"

namespace {

constexpr int kHeadingDetailError = 400;
constexpr int kMessageComplete = 401;
constexpr int kMessageNoDetails = 415;
constexpr int kMessageGluingUndefined = 416;
constexpr int kMessageGluingIncomplete = 417;

std::string Collapsed(const char* text) {
  std::string copy(text == nullptr ? "" : text);
  CollapseWhitespace(copy.data(), nullptr);
  copy.resize(std::char_traits<char>::length(copy.c_str()));
  return copy;
}

void ReportDetailMessage(const TString& message) { ReportStatus(message, kHeadingDetailError); }

}  // namespace

TDetailsDescription::TDetailsDescription() {
  representation_.AssignObject(objects_.CreateObject(kDetailRepresentationKind));
}

TDetailsDescription::~TDetailsDescription() {
  for (int i = objects_.Count() - 1; i >= 0; --i) {
    TObjectHeader* object = objects_.At(i);
    if (ObjectKind(object) == kDetailKind) ObjectReleaseByKind(object);
  }
  representation_.Release();
}

int TDetailsDescription::DetailCount() const { return objects_.CountOfKind(kDetailKind); }

THandle TDetailsDescription::DetailAt(int i) const {
  if (i < 0) return THandle();
  for (int k = 0; k < objects_.Count(); ++k) {
    TObjectHeader* object = objects_.At(k);
    if (ObjectKind(object) != kDetailKind) continue;
    if (i-- == 0) return THandle(object);
  }
  return THandle();
}

TObjectHeader* TDetailsDescription::FindDetailByName(const char* name) const {
  std::string wanted = Collapsed(name);
  for (int k = 0; k < objects_.Count(); ++k) {
    TObjectHeader* object = objects_.At(k);
    if (ObjectKind(object) != kDetailKind) continue;
    const char* text = ObjectNameText(object);
    if (text != nullptr && Collapsed(text) == wanted) return object;
  }
  return nullptr;
}

THandle TDetailsDescription::FindDetailOfVertex(const TObjectHeader* vertex) const {
  if (vertex == nullptr) return THandle();
  for (int k = 0; k < objects_.Count(); ++k) {
    TObjectHeader* object = objects_.At(k);
    if (ObjectKind(object) == kDetailKind && TDetail::Vertex(object).Object() == vertex)
      return THandle(object);
  }
  return THandle();
}

TObjectHeader* TDetailsDescription::NewDetail() { return objects_.CreateObject(kDetailKind); }

void TDetailsDescription::RemoveDetail(TObjectHeader* detail) {
  if (ObjectKind(detail) != kDetailKind || !objects_.Contains(detail)) return;
  // Partners are plain pointers: a gluing that outlived its partner would
  // point into freed memory, so the faces glued to this detail are unglued.
  for (int k = 0; k < objects_.Count(); ++k) {
    TDetail* other = TDetail::Of(objects_.At(k));
    if (other == nullptr || other == detail) continue;
    for (int f = 0; f < 4; ++f) {
      if (other->partner[f] != detail) continue;
      other->partner[f] = nullptr;
      other->partnerFace[f] = -1;
      for (int p = 0; p < 3; ++p) other->correspondence[f][p] = -1;
    }
  }
  THandle keep(detail);
  ObjectReleaseByKind(detail);
  objects_.Unregister(detail);
}

int TDetailsDescription::CheckComplete(int mode, int* ungluedFaces) {
  if (ungluedFaces != nullptr) *ungluedFaces = 0;
  if (DetailCount() == 0) {
    DetailsErrorCode = kDetailsNoDetails;
    TString message;
    message.LoadResource(kMessageNoDetails);
    ReportDetailMessage(message);
    return 0;
  }
  for (int k = 0; k < objects_.Count(); ++k) {
    TObjectHeader* detail = objects_.At(k);
    TDetail* d = TDetail::Of(detail);
    if (d == nullptr) continue;
    bool failed = false;
    for (int f = 0; f < 4; ++f) {
      if (d->partner[f] == nullptr) {
        if (ungluedFaces != nullptr) ++*ungluedFaces;
        if (mode == 2) continue;
        DetailsErrorCode = kDetailsGluingUndefined;
        TString message;
        message.FormatResource(kMessageGluingUndefined, static_cast<unsigned>(f + 1),
                               ObjectDisplayName(detail));
        ReportDetailMessage(message);
        failed = true;
        continue;
      }
      bool complete = d->partnerFace[f] != -1;
      for (int p = 0; p < 3; ++p) complete = complete && d->correspondence[f][p] != -1;
      if (!complete) {
        DetailsErrorCode = kDetailsGluingIncomplete;
        TString message;
        message.FormatResource(kMessageGluingIncomplete, static_cast<unsigned>(f + 1),
                               ObjectDisplayName(detail));
        ReportDetailMessage(message);
        failed = true;
      }
    }
    if (failed) return 0;
  }
  ReportStatusId(kMessageComplete);
  return 1;
}
