// Projects in the desktop program: the title names the project and marks changes not saved, the
// recent projects are offered and remembered, and closing the window asks before work is lost.
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/project_menu.h"
#include "ui/qt_host.h"

namespace vorex::ui {

// The file dialog and the question answered by the test.
class AnsweringHost : public QtHost {
 public:
  std::optional<std::string> SaveFileName(const std::string&) override { return saveAs; }
  Answer AskYesNoCancel(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }
  std::optional<std::string> saveAs;
  Answer answer = Answer::Cancel;
  std::vector<std::string> questions;
};

class DesktopProjectTest : public QObject, private StartedDesktop<AnsweringHost> {
  Q_OBJECT

 private:
  QMenu& Recent() { return *window_->findChild<QMenu*>("mnuRecentProjects"); }
  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    // The remembered list of this test, not the user's.
    QCoreApplication::setOrganizationName("vorex-tests");
    QCoreApplication::setApplicationName("desktop-project-test");
  }
  void init() {
    QSettings().remove(ProjectMenu::kSettingsKey);
    Start();
  }
  void cleanup() { Stop(); }

  void theTitleNamesTheProjectAndStarsChangesNotSaved() {
    QCOMPARE(window_->windowTitle(), QString("Vorex for Windows"));
    QVERIFY(!Recent().isEnabled());
    window_->Invoke("mnuSimulate");
    QCOMPARE(window_->windowTitle(), QString("*Vorex for Windows"));
    const QString file = dir_.filePath("first.vorex");
    host_->saveAs = file.toStdString();
    window_->MenuAction("mnuSaveProject")->trigger();
    QVERIFY(QFileInfo(file).isFile());
    QCOMPARE(window_->windowTitle(), QString("first.vorex - Vorex for Windows"));
    QCOMPARE(Recent().actions().size(), 1);
    QCOMPARE(Recent().actions()[0]->text(), "&1 " + file);
    QCOMPARE(QSettings().value(ProjectMenu::kSettingsKey).toStringList(), QStringList{file});
    window_->Invoke("mnuNextCurve");  // prints into the result window
    QCOMPARE(window_->windowTitle(), QString("*first.vorex - Vorex for Windows"));
  }

  void closingAsksAndCancelKeepsTheWindow() {
    window_->Invoke("mnuSimulate");
    host_->answer = Host::Answer::Cancel;
    window_->close();
    QCOMPARE(host_->questions.size(), std::size_t{1});
    QCOMPARE(host_->questions[0], std::string("Save changes to the project?"));
    QVERIFY(window_->isVisible());
    QVERIFY(!program_->exitRequested);
    host_->answer = Host::Answer::No;
    window_->close();
    QVERIFY(program_->exitRequested);
  }

  void aRecentProjectOpensAgainAndIsRememberedForTheNextRun() {
    window_->Invoke("mnuSimulate");
    const QString file = dir_.filePath("again.vorex");
    host_->saveAs = file.toStdString();
    window_->Invoke("mnuSaveProjectAs");
    const int points = program_->curves.PointCount;
    window_->Invoke("mnuNewProject");
    QCOMPARE(program_->curves.PointCount, 0);
    QCOMPARE(window_->windowTitle(), QString("Vorex for Windows"));
    Recent().actions()[0]->trigger();
    QCOMPARE(program_->curves.PointCount, points);
    QCOMPARE(window_->windowTitle(), QString("again.vorex - Vorex for Windows"));
    // A new run offers the list of this one.
    Stop();
    Start();
    QCOMPARE(program_->project.recent, std::vector<std::string>{file.toStdString()});
    QCOMPARE(Recent().actions().size(), 1);
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopProjectTest)
#include "desktop_project_test.moc"
