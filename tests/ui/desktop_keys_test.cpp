#include <QtTest>

class DesktopKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void placeholder() {}
};

QTEST_MAIN(DesktopKeysTest)
#include "desktop_keys_test.moc"
