// A task view that records what a worker's task shows in it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/task_view.h"

class TRecordingTaskView : public TTaskView {
 public:
  void BeginComputation(TTaskKind) override { ++begun; }
  void EndComputation(TTaskKind) override { ++ended; }
  void SetInformationMode(bool, std::optional<std::string> report) override {
    if (report) reports.push_back(*report);
  }
  void WriteText(std::string) override {}
  void SaveOriginalText() override {}
  void SetTransformedState(bool) override {}
  void Beep() override { ++beeps; }
  int begun = 0;
  int beeps = 0;
  int ended = 0;
  std::vector<std::string> reports;
};
