// A document text parsed into a document of the test's own, which stays the
// current document for the test's life.
#pragma once

#include <string>

#include "model/spine.h"
#include "shell/document_spine.h"
#include "shell/options.h"

class TScopedDocument {
 public:
  // With `thicken`, Ok() also asks that the spine thickened.
  explicit TScopedDocument(const std::string& text, bool thicken = false) : scope_(document_) {
    ok_ = document_.ParseDocumentText(text.c_str(), TOptionValues{}) != 0 &&
          (!thicken || Spine().Thicken(1) == 1);
  }
  bool Ok() const { return ok_; }
  TSpine& Spine() { return document_.Spine(); }

 private:
  TDocumentSpine document_;
  TDocumentSpine::TScope scope_;
  bool ok_ = false;
};
