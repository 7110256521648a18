#include "invariants/group_presentation_stabilisation.h"

#include <algorithm>
#include <array>
#include <vector>

#include "invariants/group_presentation_search.h"

void TryTwoLetterStabilisations(TGroupPresentation& p, std::int32_t a, std::int32_t b,
                                TGroupPresentation& best, std::uint64_t limit) {
  const TGroupPresentation saved = p;
  // The largest generator number ever used: restoring p does not lower it.
  std::int32_t largest = p.LargestGenerator();
  for (std::int32_t g : p.Generators()) largest = std::max(largest, g);
  using TForm = std::array<std::int32_t, 2>;
  auto addWord = [&p](const TForm& form, std::int32_t n) {
    p.AddGenerator(n);
    const std::int32_t word[3] = {form[0], form[1], n};
    p.AddRelation(word, 3);
  };
  try {
    const TForm single[] = {{a, b}, {a, -b}, {-a, b}, {b, a}};
    for (const TForm& form : single) {
      addWord(form, ++largest);
      SearchGroupPresentation(p, best, limit);
      p = saved;
    }
    const TForm pairs[] = {{a, b}, {a, -b}, {-a, b}, {b, a}, {a, a}, {b, b}};
    for (const TForm& first : pairs) {
      const std::int32_t n = ++largest;
      for (const TForm& second : pairs) {
        if (&second == &first) continue;
        addWord(first, n);
        addWord(second, ++largest);
        SearchGroupPresentation(p, best, limit);
        p = saved;
      }
    }
  } catch (...) {
    p = saved;
    throw;
  }
}
