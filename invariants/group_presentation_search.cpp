#include "invariants/group_presentation_search.h"

#include <cstdlib>

#include "foundation/stop_poll.h"

namespace {

struct TSearch {
  TGroupPresentation& best;
  std::uint64_t limit;
  const std::function<void(const TGroupPresentation&)>& improved;
  TGroupSearchOutcome outcome;

  // Returns false when the limit ended the search.
  bool Visit(TGroupPresentation& p) {
    ThrowIfStopRequested();
    if (limit != 0 && outcome.visited >= limit) {
      outcome.limitReached = true;
      return false;
    }
    ++outcome.visited;
    const TGroupPresentation saved = p;
    const int g = saved.GeneratorCount();
    const int r = saved.RelationCount();
    bool moved = false;
    for (int i = 0; i < g; ++i) {
      const std::int32_t a = saved.Generators()[static_cast<std::size_t>(i)];
      for (int j = 0; j < r; ++j) {
        const TGroupPresentation::TWord& relation = saved.Relation(j);
        int replacement = -1;
        if (relation.size() == 1 && std::abs(relation[0]) == a) {
          replacement = p.AddReplacement(a, nullptr, 0);
        } else if (relation.size() > 1 && saved.OccursOnce(a, j)) {
          replacement = p.SolveRelationFor(a, j);
        }
        ThrowIfStopRequested();
        if (replacement < 0) continue;
        moved = true;
        p.RemoveRelation(j);
        p.RemoveGenerator(a);
        p.SubstituteEverywhere(replacement);
        const bool more = Visit(p);
        p = saved;
        if (!more) return false;
      }
    }
    if (!moved && p.IsBetterThan(best)) {
      best = p;
      if (improved) improved(best);
    }
    return true;
  }
};

}  // namespace

TGroupSearchOutcome SearchGroupPresentation(
    TGroupPresentation& p, TGroupPresentation& best, std::uint64_t limit,
    const std::function<void(const TGroupPresentation&)>& improved) {
  TSearch search{best, limit, improved, {}};
  const TGroupPresentation entry = p;
  try {
    search.Visit(p);
  } catch (...) {
    p = entry;
    throw;
  }
  return search.outcome;
}
