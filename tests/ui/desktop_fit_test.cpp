#include <QtTest>

class DesktopFitTest : public QObject {
  Q_OBJECT

 private slots:
  void placeholder() {}
};

QTEST_MAIN(DesktopFitTest)
#include "desktop_fit_test.moc"
