#include "app/gui/spine_app.h"

#include <QFileInfo>
#include <QSettings>

#include "moves/move_types.h"
#include "shell/command_table.h"
#include "shell/options_ini.h"

namespace {

const char kRecentGroup[] = "Recent File List";

}  // namespace

TSpineApp::TSpineApp(int menuMode, TTaskBodies bodies, TDocumentCommands commands)
    : menuMode_(menuMode),
      commandSet_(CommandSetOfMenuMode(menuMode)),
      runner_(std::move(bodies)),
      commands_(std::move(commands)),
      profilePath_(QString::fromStdString(DefaultProfilePath().string())) {
  InitMoveOrderTable();
}

void TSpineApp::LoadSettings() {
  TOptions::Preset(1, options_).Apply(options_);
  if (profilePath_.isEmpty()) return;
  QSettings settings(profilePath_, QSettings::IniFormat);
  settings.beginGroup(QString::fromLatin1(kOptionsSection.data(), kOptionsSection.size()));
  for (const TOptionKey& key : OptionKeys()) {
    if (!OptionKeyStoredInMenuMode(key, menuMode_)) continue;
    const QString name = QString::fromLatin1(key.name.data(), key.name.size());
    if (!settings.contains(name)) continue;
    const std::string text = settings.value(name).toString().toStdString();
    // A value that is not an integer in range keeps the current setting.
    (void)SetOptionFromText(options_, key.name, text);
  }
  settings.endGroup();

  recentFiles_.clear();
  settings.beginGroup(kRecentGroup);
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
    if (!path.isEmpty() && !recentFiles_.contains(path)) recentFiles_.append(path);
  }
  settings.endGroup();
}

void TSpineApp::SaveSettings() const {
  if (profilePath_.isEmpty()) return;
  QSettings settings(profilePath_, QSettings::IniFormat);
  settings.beginGroup(QString::fromLatin1(kOptionsSection.data(), kOptionsSection.size()));
  for (const TOptionKey& key : OptionKeys()) {
    if (!OptionKeyStoredInMenuMode(key, menuMode_)) continue;
    const QString name = QString::fromLatin1(key.name.data(), key.name.size());
    settings.setValue(name, QString::number(OptionProfileValue(options_, key)));
  }
  settings.endGroup();

  settings.beginGroup(kRecentGroup);
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString name = QStringLiteral("File%1").arg(i);
    if (i <= recentFiles_.size()) {
      settings.setValue(name, recentFiles_[i - 1]);
    } else {
      settings.remove(name);
    }
  }
  settings.endGroup();
  settings.sync();
}

void TSpineApp::AddRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  recentFiles_.removeAll(absolute);
  recentFiles_.prepend(absolute);
  while (recentFiles_.size() > kRecentFileCount) recentFiles_.removeLast();
}

void TSpineApp::RemoveRecentFile(const QString& path) { recentFiles_.removeAll(path); }

bool TSpineApp::TakeSeriesAutoRun() {
  const bool on = seriesAutoRun_;
  seriesAutoRun_ = false;
  return on;
}
