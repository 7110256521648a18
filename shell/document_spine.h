// The current spine of a document and the parse of the document text into it.
//
// Every command works on the spine that the document text presents. The parse
// turns the text into that spine (by the first reader of document_readers.h
// that accepts the text) and splits it into its connected components. The
// thickening and the homology are derived data that many commands never use
// (on a spine of some hundred vertices they cost more than the parse): a
// command that needs the thickening asks for it (EnsureThickened), and the
// homology is computed by the first report that prints it and kept on the
// spine (TSpine::ComputeHomology) until the next parse. An unchanged text is not parsed twice: the parse is
// skipped when the text and the settings that change what the parse builds
// (`OptionsOutputMoveList`, which decides whether objects are named) equal
// those of the last parse and the spine is not empty.
//
// The spine lives in a heap context of its own. The context is installed only
// while the document works on it (TDocumentSpine::TScope): several documents
// can be open at once, each with its own context, and a command's scratch work
// never mixes with any of them.
#pragma once

#include <string>

#include "foundation/heap_string.h"
#include "foundation/private_heap.h"
#include "model/spine.h"
#include "shell/options.h"

struct TDocumentReader;

// The styles a document text can have.
enum : int {
  kBoundaryCurvesStyle = 1,
  kDetailsStyle = 2,
  kTriangulationStyle = 3,
};

class TDocumentSpine {
 public:
  // An empty spine in a fresh heap context of its own (installed only for the
  // construction).
  TDocumentSpine();
  // Destroys the spine and the context.
  ~TDocumentSpine();
  TDocumentSpine(const TDocumentSpine&) = delete;
  TDocumentSpine& operator=(const TDocumentSpine&) = delete;

  // Installs the document's heap context for its lifetime and re-installs the
  // caller's at its end. Everything that reads or changes the spine runs
  // inside one; scopes of the same document nest.
  class TScope {
   public:
    explicit TScope(TDocumentSpine& document);
    ~TScope();
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    TDocumentSpine& document_;
    bool pushed_ = false;
  };

  // Parses the text into the spine unless nothing changed since the last
  // parse (see above). viewMode: 1 a command, 2 recognition, 3 a series (a
  // series keeps no copy of what it parsed). Returns 1 when the spine is not
  // empty afterwards. A failed read leaves the spine empty; the reader has
  // reported why through the status reporter.
  int ParseDocumentText(const char* text, const TOptionValues& options, int viewMode = 1);
  // The same parse with the reader chosen by the caller (always run, never
  // skipped). The reader is not asked whether it recognises the text.
  int ParseWithReader(const TDocumentReader& reader, const char* text,
                      const TOptionValues& options, int viewMode = 1);

  // Thickens the spine as the parse once did, once per parse: boundary
  // surfaces, orientability and the molecule's boundary atoms, or nothing
  // when the spine does not thicken (its status says why). Throws
  // TComputationStopped when the stop flag is set.
  void EnsureThickened();

  // Empties the spine and forgets the parsed text.
  void Reset();
  // Forgets the parsed text, so that the next parse reads the text again (a
  // computation ended, or the spine was changed by a move).
  void ForgetParsedText() { parsed_ = false; }
  // Makes the text count as parsed into the current spine (a text written
  // from the spine, such as a converted presentation).
  void SetParsedText(const std::string& text, const TOptionValues& options);
  bool HasParsedText() const { return parsed_; }
  const std::string& ParsedText() const { return parsedText_; }

  TSpine& Spine() { return *spine_; }
  // The status text as it stood after the last real parse.
  const TString& StatusText() const { return statusText_; }
  // Whether the last cell presentation named its cells or edges.
  int CellsNamed() const { return cellsNamed_; }
  // The naming switch (SuppressObjectNames) that the reader of the last parse
  // chose for the objects made afterwards from this spine (by the moves). The
  // parse itself leaves the process-wide switch as it found it; a command
  // installs this value for its own duration (TCommandRun::Parse).
  int SuppressNamesAfterParse() const { return suppressNames_; }
  // Whether the last parsed spine has more than 56 vertices (the moves then
  // compact its heap now and then).
  bool BigSpine() const { return bigSpine_; }
  // The notation that read the last parsed text ("cells", "details", ...).
  const char* Notation() const { return notation_; }
  // Why the last parsed spine could not be thickened (the thickening's
  // message), or empty when it was thickened or nothing was parsed.
  const std::string& ThickeningError() const { return thickeningError_; }

 private:
  // Destroys the spine and its heap and makes an empty spine in a fresh heap.
  // keepHeap: only the spine is freed; the heap stays, with what else lives
  // in it (a series keeps its result table there while it parses item after
  // item).
  void ResetSpine(bool keepHeap = false);

  THeapContext context_;
  int scopeDepth_ = 0;
  TSpine* spine_ = nullptr;
  std::string parsedText_;
  int parsedMoveList_ = 0;
  bool parsed_ = false;
  bool bigSpine_ = false;
  bool thickeningDone_ = false;
  TString statusText_;
  int cellsNamed_ = 0;
  int suppressNames_ = 0;
  const char* notation_ = "";
  std::string thickeningError_;
};

// The style of a document text: details, singular triangulation, or else
// boundary curves.
int DetectTextStyle(const char* text);
