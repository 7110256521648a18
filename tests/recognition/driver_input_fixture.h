// The input spine of a recognition test, parsed from a text in a document
// of its own.
#pragma once

#include <string>

#include "model/spine.h"
#include "recognition/recognition_input.h"
#include "shell/document_commands.h"
#include "shell/document_spine.h"
#include "shell/options.h"

// A parsed input spine of a text, kept with the document that owns it.
class TDriverInput {
 public:
  explicit TDriverInput(const std::string& text) : scope_(document_), run_(document_, text, options_) {
    spine_ = RecognitionInput(run_, homology_);
  }
  TSpine& Spine() { return *spine_; }
  bool Valid() const { return spine_ != nullptr; }
  const std::string& Homology() const { return homology_; }

 private:
  TOptionValues options_;
  TDocumentSpine document_;
  TDocumentSpine::TScope scope_;
  TCommandRun run_;
  std::string homology_;
  TSpine* spine_ = nullptr;
};
