#include <QtTest>

class DesktopPlotTest : public QObject {
  Q_OBJECT

 private slots:
  void placeholder() {}
};

QTEST_MAIN(DesktopPlotTest)
#include "desktop_plot_test.moc"
