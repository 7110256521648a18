// The extended Heegaard series: every regular extended diagram from the
// complexity of a first diagram to that of a second, kept when it is the
// simplest of its class (ext_heegaard_class.h), is built and recognised into
// the series' table.
//
// The enumeration: for each complexity j, arc counts k >= l >= m >= 1 of one
// parity with k + l + m = j, and twists of the other parity below
// S(0) = l + m, S(1) = k + m and S(2) = k + l. A diagram whose spine is not
// the expected one (2j + 4 cells, bounded by four spheres) is left out. The
// whole range is run (not only its first arc-count triple).
#include <string>

#include "foundation/output.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "model/object_header.h"
#include "model/spine.h"
#include "presentations/heegaard/ext_heegaard_diagram.h"
#include "series/ext_heegaard_class.h"
#include "series/series_runner.h"
#include "shell/string_text.h"

namespace {
constexpr int kDiagramsHandledId = 9661;
constexpr int kExtHeegaardStatusId = 9662;
}  // namespace

int TSeriesRunner::RunExtHeegaard(std::string_view text) {
  const std::string copy(text);
  const char* end = copy.c_str();
  TExtHeegaardDiagram first;
  TExtHeegaardDiagram second;
  THeegaardReadError error;
  if (first.Parse(copy.c_str(), end, &error) == 0 || second.Parse(end, end, &error) == 0) {
    // The series needs both ends of its range; say which one is unreadable.
    Message(error.messageId != 0 ? FormatStringText(error.messageId, error.line, error.token)
                                 : "Error : '" + copy.substr(0, copy.find_first_of("\r\n")) + "'");
    return 0;
  }
  table_->SetSourceKind(kSourceExtendedHeegaard);
  first.Normalize();
  second.Normalize();
  const long long c1 = first.Complexity();
  const long long c2 = second.Complexity();
  unsigned handled = 0;
  TExtHeegaardList list;
  for (long long j = c1; j <= c2 && !StopSeen(); ++j) {
    for (long long k = 1; k <= j && !StopSeen(); ++k) {
      for (long long l = 1; l <= k && !StopSeen(); ++l) {
        const long long m = j - k - l;
        if (m < 1 || m > l || (k - l) % 2 != 0 || (l - m) % 2 != 0) continue;
        const long long from = k % 2 == 0 ? 1 : 0;
        for (long long b0 = from; b0 < l + m && !StopSeen(); b0 += 2) {
          for (long long b1 = from; b1 < k + m && !StopSeen(); b1 += 2) {
            for (long long b2 = from; b2 < k + l && !StopSeen(); b2 += 2) {
              TExtHeegaardDiagram d;
              d.Set(k, l, m, b0, b1, b2);
              d.Normalize();
              int position = 0;
              if (d.IsRegular() == 0 || d.IsThirdSmall() != 0 || list.Find(d, position) != 0) continue;
              TExtHeegaardExploration record;
              int minimal = 0;
              try {
                minimal = ExploreExtHeegaardClass(d, list, record);
              } catch (const TComputationStopped&) {
                stopped_ = true;
                break;
              }
              if (minimal == 0 || record.leastComplexity < j ||
                  (record.leastThirdSmall != 0 && j >= record.leastThirdSmall))
                continue;
              const std::string numbers = std::to_string(d.A(0)) + " " + std::to_string(d.A(1)) + " " +
                                          std::to_string(d.A(2)) + " " + std::to_string(d.B(0)) + " " +
                                          std::to_string(d.B(1)) + " " + std::to_string(d.B(2));
              const int before = table_->CountEntries();
              table_->SetCurrentSourceName(numbers);
              if (ProgressDue()) {
                Progress(FormatStringText(kExtHeegaardStatusId, numbers, handled,
                                          static_cast<unsigned>(table_->CountEntries())));
              }
              auto expected = [j](TSpine& spine) {
                return spine.Objects().CountOfKind(kCellKind) == 2 * j + 4 && spine.BoundaryCount() == 4 &&
                       spine.CountBoundariesByEuler(1, 2) == 4;
              };
              const int entry = Recognise("extheegaard " + numbers, 0, nullptr, expected);
              if (stopped_) break;
              if (entry < 0) continue;
              ++handled;
              if (table_->CountEntries() != before) table_->GetEntry(entry)->SetComplexity(static_cast<int>(j));
            }
          }
        }
      }
    }
    list.Clear();
  }
  report_.NewLines(1);
  report_.AppendText(FormatStringText(kDiagramsHandledId, handled).c_str());
  report_.NewLines(2);
  return 1;
}
