// TSpineApp: what the desktop program holds for its whole run.
//
// The command set chosen on the command line, the option settings (loaded
// from the profile at start-up and saved at exit), the recent-file list, the
// task runner with the engines of this build, and the commands that answer
// with a report. The main frame and its views reach all of it through here.
#pragma once

#include <QString>
#include <QStringList>

#include "shell/document_commands.h"
#include "shell/options.h"
#include "shell/task_bodies.h"
#include "shell/task_runner.h"

class TSpineApp {
 public:
  static constexpr int kRecentFileCount = 4;

  TSpineApp(int menuMode, TTaskBodies bodies, TDocumentCommands commands);

  int MenuMode() const { return menuMode_; }
  int CommandSet() const { return commandSet_; }

  TOptionValues& Options() { return options_; }
  TTaskRunner& Runner() { return runner_; }
  const TDocumentCommands& DocumentCommands() const { return commands_; }

  // ---- Profile ----
  // The settings file: ~/.config/Sorvelin/Sorvelin.ini (the file the
  // command-line program reads too). Tests point it elsewhere.
  void SetProfilePath(QString path) { profilePath_ = std::move(path); }
  const QString& ProfilePath() const { return profilePath_; }
  // Applies the preset of the ordinary computation type, then reads section
  // "Options" (the keys of this menu mode; a value that is not an integer in
  // its range is skipped) and the recent-file list over it.
  void LoadSettings();
  // Writes the keys of this menu mode and the recent-file list.
  void SaveSettings() const;

  // ---- Recent files (most recent first, at most four) ----
  const QStringList& RecentFiles() const { return recentFiles_; }
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(const QString& path);

  // ---- A series named on the command line runs once in the first view ----
  void SetSeriesAutoRun(bool on) { seriesAutoRun_ = on; }
  // Returns the flag and clears it.
  bool TakeSeriesAutoRun();

 private:
  int menuMode_;
  int commandSet_;
  TOptionValues options_;
  TTaskRunner runner_;
  TDocumentCommands commands_;
  QString profilePath_;
  QStringList recentFiles_;
  bool seriesAutoRun_ = false;
};
