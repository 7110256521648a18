// T-move searches from descriptions (see t_move_descriptions.h).
#include "recognition/t_move_descriptions.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "foundation/string_table.h"
#include "moves/polyhedron_cloud.h"
#include "recognition/manifold_description.h"
#include "shell/document_spine.h"

namespace {

std::string Text(int id) {
  const std::optional<std::string_view> text = StringTableText(id);
  return text ? std::string(*text) : std::string();
}

// Reads the description's entry text into the document unless the cloud
// already stands for it. False, with the reason, when a spine is needed and
// none comes.
bool ReadUnlessBuilt(const TManifoldDescription& description, const TPolyhedronCloud* cloud,
                     TDocumentSpine& document, const TOptionValues& options, std::string* error) {
  if (cloud != nullptr && cloud->IsBuilt()) return true;
  const char* text = description.GetEntryText(true);
  if (text == nullptr) {
    if (error != nullptr) *error = Text(9340);
    return false;
  }
  TDocumentSpine::TScope scope(document);
  if (document.ParseDocumentText(text, options) != 0) return true;
  if (error != nullptr) {
    const std::string format = Text(9341);
    const std::string reason(document.StatusText().View());
    const int length = std::snprintf(nullptr, 0, format.c_str(), reason.c_str());
    std::string message(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(message.data(), message.size() + 1, format.c_str(), reason.c_str());
    *error = message;
  }
  return false;
}

}  // namespace

int ComparePolyhedraFromDescriptions(const TManifoldDescription& first,
                                     const TManifoldDescription& second, int kind,
                                     bool stopOnSimpler, const TTMoveLimits& limits,
                                     const TOptionValues& options, std::string* output,
                                     TPolyhedronCloud* firstCloud, TPolyhedronCloud* secondCloud,
                                     std::string* error) {
  TDocumentSpine a;
  TDocumentSpine b;
  if (!ReadUnlessBuilt(first, firstCloud, a, options, error) ||
      !ReadUnlessBuilt(second, secondCloud, b, options, error))
    return kTMoveNoSpine;
  // The search runs in the caller's heap context, not in the documents':
  // a cloud given by the caller outlives them and must not keep copies in
  // their heaps.
  return ComparePolyhedraByTMoves(a.Spine(), b.Spine(), kind, stopOnSimpler, limits, output,
                                  firstCloud, secondCloud);
}

int SimplifyPolyhedronFromDescription(const TManifoldDescription& description, int kind,
                                      const TTMoveLimits& limits, const TOptionValues& options,
                                      std::string* output, TPolyhedronCloud* cloud, int* best,
                                      std::string* error) {
  TDocumentSpine document;
  if (!ReadUnlessBuilt(description, cloud, document, options, error)) return kTMoveNoSpine;
  // In the caller's heap context, as above.
  return SimplifyPolyhedronByTMoves(document.Spine(), kind, limits, output, cloud, best);
}
