// The printer of details. See detail_printer.h.
#include "shell/detail_printer.h"

#include <algorithm>
#include <string>

#include "model/detail.h"
#include "model/edge.h"
#include "model/handle.h"

namespace {

// The detail's name as the reader will find it again (in full, not cut as
// display names are).
std::string DetailName(const TObjectHeader* detail) {
  const char* name = ObjectNameText(detail);
  return name != nullptr ? std::string(name) : std::string(ObjectDisplayName(detail));
}

std::string Number(int value) { return value < 0 ? std::string("*") : std::to_string(value + 1); }

}  // namespace

void PrintDetail(TOutput& output, const TObjectHeader* detail,
                 const std::vector<const TObjectHeader*>* written) {
  if (TDetail::Of(detail) == nullptr) {
    output.AppendText("EmptyObject");
    return;
  }
  output.AppendText((DetailName(detail) + " =").c_str());
  for (int face = 0; face < 4; ++face) {
    output.NewLines(1);
    THandle partner = TDetail::Partner(detail, face);
    int partnerFace = TDetail::PartnerFace(detail, face);
    bool writtenBefore =
        partner.IsValid() &&
        ((written != nullptr &&
          std::find(written->begin(), written->end(), partner.Object()) != written->end()) ||
         (partner.Object() == detail && partnerFace >= 0 && partnerFace < face));
    if (writtenBefore) output.CommentMarker(0);
    std::string line = "\t" + std::to_string(face + 1) + " :\t";
    if (partner.IsValid())
      line += DetailName(partner) + "_" + Number(partnerFace);
    else
      line += "*\t_*";
    line += " {";
    for (int position = 0; position < 3; ++position)
      line += " " + Number(TDetail::Correspondence(detail, face, position));
    line += "}";
    output.AppendText(line.c_str());
    THandle edge = TDetail::FaceEdge(detail, face);
    if (edge.IsValid()) {
      output.AppendText("\t");
      output.CommentMarker(0);
      output.AppendText(" Edge ");
      output.AppendText(ObjectDisplayName(edge));
      output.AppendText(TDetail::FaceFlag(detail, face) == 1 ? " beginning" : " end");
    }
  }
}
