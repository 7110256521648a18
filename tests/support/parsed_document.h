// A document text parsed into its spine, for tests that need the spine only.
#pragma once

#include <stdexcept>
#include <string>

#include "shell/document_spine.h"
#include "shell/options.h"

class TParsed {
 public:
  explicit TParsed(const std::string& text) {
    TDocumentSpine::TScope scope(document_);
    if (document_.ParseDocumentText(text.c_str(), TOptionValues{}) == 0) {
      throw std::runtime_error("no spine: " + text);
    }
  }
  TSpine& Spine() { return document_.Spine(); }

 private:
  TDocumentSpine document_;
};
