// The Simplify dialog, headless: F8 opens it over the document's spine; its
// list shows the classifier's moves of every cell with the automatic choice
// as the default; a move made from it replaces the document text by the
// report and the spine, and the list is built again.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "app/gui/main_frame.h"
#include "app/gui/simplify_dialog.h"
#include "app/gui/spine_app.h"
#include "app/gui/text_view_widget.h"
#include "foundation/message_box.h"
#include "model/spine.h"
#include "moves/move_types.h"
#include "moves/step_loop.h"
#include "shell/command_table.h"
#include "shell/document_commands.h"
#include "shell/spine_text_view.h"
#include "shell/task_bodies.h"

namespace {

class SimplifyDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profileDir_.isValid());
    app_ = std::make_unique<TSpineApp>(0, BuiltInTaskBodies(), BuiltInDocumentCommands());
    app_->SetProfilePath(profileDir_.filePath(QStringLiteral("Sorvelin.ini")));
    frame_ = std::make_unique<TMainFrame>(*app_);
    frame_->show();
    SetMessageBoxHandler([](std::string_view, TMessageButtons, TMessageIcon) { return TMessageResult::Ok; });
  }
  void TearDown() override {
    for (TTextViewWidget* view : frame_->Views()) view->document()->setModified(false);
    frame_.reset();
    app_.reset();
  }

  QTemporaryDir profileDir_;
  std::unique_ptr<TSpineApp> app_;
  std::unique_ptr<TMainFrame> frame_;
};

TEST_F(SimplifyDialogTest, F8OpensTheListAndAMoveRebuildsIt) {
  TTextViewWidget* view = frame_->NewDocument();
  view->setPlainText(QStringLiteral("bkaajn"));
  view->setFocus();

  bool checked = false;
  QTimer::singleShot(0, [&] {
    TSimplifyDialog* dialog = frame_->ActiveSimplifyDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(view->Core().ViewState(), kViewSimplifyDialog);
    QListWidget* list = dialog->List();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Crude piercing Cell #1 = { 1, 1, 2 }"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Crude piercing Cell #2 = { 1, -2, -2 }"));
    // The preselection is the switchboard's choice.
    TMoveChoice choice;
    ChooseNextMove(1, view->Core().Document().Spine(), choice, nullptr, nullptr);
    const TSimplifyEntry& preselected =
        dialog->Moves().Entries()[static_cast<std::size_t>(dialog->Moves().DefaultIndex())];
    EXPECT_EQ(preselected.code, choice.type);
    EXPECT_EQ(preselected.parameter, choice.element);
    EXPECT_EQ(list->currentRow(), dialog->Moves().DefaultIndex());
    EXPECT_EQ(dialog->DefaultButton()->text(), QStringLiteral("Algorithm default : Cell #1 - Crude piercing"));
    EXPECT_FALSE(dialog->NextComponentButton()->isEnabled());

    // The second entry, chosen by the user, not the default one.
    list->setCurrentRow(1);
    dialog->MakeSelected();
    EXPECT_EQ(dialog->StatusLine()->text().toStdString().rfind("Crude piercing of 'Cell #2' done", 0), 0u)
        << dialog->StatusLine()->text().toStdString();
    const std::string shown = view->toPlainText().toStdString();
    EXPECT_NE(shown.find("*** Step 1 ***"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Cell #"), std::string::npos) << shown;
    // Rebuilt from the spine as it is now.
    EXPECT_EQ(list->count(), static_cast<int>(dialog->Moves().Entries().size()));
    EXPECT_NE(list->item(0)->text(), QStringLiteral("Crude piercing Cell #1 = { 1, 1, 2 }"));
    checked = true;
    dialog->reject();
  });
  frame_->RunCommand(kSimplifyDialogCommand);
  EXPECT_TRUE(checked);
  // Whatever ended the dialog, the view left its state.
  EXPECT_NE(view->Core().ViewState(), kViewSimplifyDialog);
}

TEST_F(SimplifyDialogTest, TheF8KeyIsTheDialogsShortcut) {
  bool found = false;
  for (QAction* action : frame_->findChildren<QAction*>()) {
    if (action->shortcut() == QKeySequence(Qt::Key_F8)) {
      found = true;
      EXPECT_TRUE(action->text().contains(QStringLiteral("Dialog")) || action->text().contains("Simplify"))
          << action->text().toStdString();
    }
  }
  EXPECT_TRUE(found);
}

// The search for normal tori runs on the worker: the tori of a graph
// manifold arrive in the list while the dialog waits; an action during the
// search asks first (Cancel keeps it running and does nothing), and a torus
// entry cuts the spine along its torus.
TEST_F(SimplifyDialogTest, TheTorusSearchAddsEntriesThatCut) {
  TTextViewWidget* view = frame_->NewDocument();
  view->setPlainText(QStringLiteral("iLLAMMcacddfgghhjkaitpwas"));
  view->setFocus();

  bool checked = false;
  QTimer::singleShot(0, [&] {
    TSimplifyDialog* dialog = frame_->ActiveSimplifyDialog();
    ASSERT_NE(dialog, nullptr);
    const int cellEntries = dialog->List()->count();
    auto tori = [&] {
      int n = 0;
      for (const TSimplifyEntry& entry : dialog->Moves().Entries()) n += entry.code == kMoveNormalTorus ? 1 : 0;
      return n;
    };
    dialog->ToggleSearch();
    ASSERT_TRUE(dialog->Searching());
    EXPECT_EQ(dialog->SearchButton()->text(), QStringLiteral("Stop Searching For Normal Surfaces"));
    QElapsedTimer clock;
    clock.start();
    while ((tori() < 2 || dialog->StatusLine()->text().isEmpty()) && dialog->Searching() && clock.elapsed() < 20000)
      QApplication::processEvents();
    ASSERT_GE(tori(), 2);
    // Its progress is shown in the dialog's status line.
    EXPECT_TRUE(dialog->StatusLine()->text().startsWith(QStringLiteral("Surfaces: ")))
        << dialog->StatusLine()->text().toStdString();

    // Cancel keeps the search and makes nothing.
    std::vector<std::string> asked;
    SetMessageBoxHandler([&](std::string_view text, TMessageButtons, TMessageIcon) {
      asked.emplace_back(text);
      return TMessageResult::Cancel;
    });
    const std::string before = view->toPlainText().toStdString();
    dialog->List()->setCurrentRow(cellEntries);
    dialog->MakeSelected();
    if (dialog->Searching()) {
      EXPECT_EQ(asked, std::vector<std::string>{"Terminate searching for normal surfaces?"});
      EXPECT_EQ(view->toPlainText().toStdString(), before);
    }
    // OK ends the search and makes the move of the first torus.
    SetMessageBoxHandler([](std::string_view, TMessageButtons, TMessageIcon) { return TMessageResult::Ok; });
    ASSERT_EQ(dialog->Moves().Entries()[static_cast<std::size_t>(cellEntries)].code, kMoveNormalTorus);
    EXPECT_TRUE(dialog->List()->item(cellEntries)->text().startsWith(QStringLiteral("Cutting along normal torus")));
    dialog->List()->setCurrentRow(cellEntries);
    dialog->MakeSelected();
    EXPECT_FALSE(dialog->Searching());
    EXPECT_EQ(dialog->SearchButton()->text(), QStringLiteral("Search For Normal Surfaces"));
    const std::string shown = view->toPlainText().toStdString();
    EXPECT_NE(shown.find("Cutting along separating normal torus"), std::string::npos) << shown;
    // The list is the list of the cut spine: its tori are gone.
    EXPECT_EQ(tori(), 0);
    checked = true;
    dialog->reject();
  });
  frame_->RunCommand(kSimplifyDialogCommand);
  EXPECT_TRUE(checked);
}

// Closing the dialog while the search runs ends it and waits for the worker.
TEST_F(SimplifyDialogTest, ClosingDuringTheSearchEndsIt) {
  TTextViewWidget* view = frame_->NewDocument();
  view->setPlainText(QStringLiteral("iLLAMMcacddfgghhjkaitpwas"));
  view->setFocus();
  QTimer::singleShot(0, [&] {
    TSimplifyDialog* dialog = frame_->ActiveSimplifyDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->ToggleSearch();
    ASSERT_TRUE(dialog->Searching());
    dialog->reject();
  });
  frame_->RunCommand(kSimplifyDialogCommand);
  EXPECT_FALSE(app_->Runner().IsBusy());
}

}  // namespace
