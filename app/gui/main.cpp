// The `sorvelin-gui` desktop program.
//
// Start-up: the command line chooses the command set ("reduce=N") and may
// name a file to open; the option settings start from the preset of the
// ordinary computation type and are read from the profile over it; the main
// window opens with no document. At exit the settings are saved.
#include <QApplication>
#include <QStringList>

#include "app/gui/main_frame.h"
#include "app/gui/spine_app.h"
#include "shell/command_line_info.h"
#include "shell/document_commands.h"
#include "shell/series_file_name.h"
#include "shell/task_bodies.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorvelin"));
  QApplication::setOrganizationName(QStringLiteral("Sorvelin"));

  TCommandLineInfo commandLine;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    commandLine.ParseParam(argument.toStdString(), argument.startsWith(QLatin1Char('-')),
                           i + 1 == arguments.size());
  }

  TSpineApp app(commandLine.menuMode, BuiltInTaskBodies(), BuiltInDocumentCommands());
  app.LoadSettings();
  // A series list named on the command line runs once, in the first view
  // that receives the focus: its own document.
  if (ClassifySeriesFileName(commandLine.fileName) == 1) app.SetSeriesAutoRun(true);

  int status = 0;
  {
    TMainFrame frame(app);
    frame.show();
    if (!commandLine.fileName.empty()) {
      frame.OpenDocument(QString::fromStdString(commandLine.fileName));
    }
    status = QApplication::exec();
  }
  app.SaveSettings();
  return status;
}
