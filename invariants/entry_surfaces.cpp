#include "recognition/entry_surfaces.h"

#include <stdexcept>

#include "foundation/packed_record_list.h"
#include "invariants/surface_search.h"
#include "model/spine.h"

int SearchEntrySurfaces(TSpine& spine, TPackedRecordList& list) {
  if (spine.IsEmpty()) return 0;
  try {
    SearchSurfacesIntoPackedList(spine, list);
  } catch (const std::invalid_argument&) {
    // Only special spines carry the search.
    list.Init();
    return 0;
  }
  return 1;
}
