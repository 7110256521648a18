// T-move searches from descriptions (see t_move_descriptions.h).
#include "recognition/t_move_descriptions.h"

#include <string>

#include "moves/polyhedron_cloud.h"
#include "recognition/manifold_description.h"
#include "shell/document_spine.h"
#include "shell/string_text.h"

namespace {

// Reads the description's entry text into the document unless the cloud
// already stands for it. False, with the reason, when a spine is needed and
// none comes.
bool ReadUnlessBuilt(const TManifoldDescription& description, const TPolyhedronCloud* cloud,
                     TDocumentSpine& document, const TOptionValues& options, std::string* error) {
  if (cloud != nullptr && cloud->IsBuilt()) return true;
  const char* text = description.GetEntryText(true);
  if (text == nullptr) {
    if (error != nullptr) *error = StringText(9340);
    return false;
  }
  TDocumentSpine::TScope scope(document);
  if (document.ParseDocumentText(text, options) != 0) return true;
  if (error != nullptr) *error = FormatStringText(9341, document.StatusText().CStr());
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
