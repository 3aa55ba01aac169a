#include "ui/offscreen_pictures.h"

#include <QApplication>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QtGlobal>
#include <cstdio>

#include "ui/plot_painter.h"

namespace vorex::ui {
namespace {

class OffscreenPictures : public PictureEncoder {
 public:
  std::optional<std::string> Png(const DrawingList& picture, int width, int height) override {
    Start();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!PictureImage(picture, QSize(width, height)).save(&buffer, "PNG")) return std::nullopt;
    return bytes.toStdString();
  }

  std::optional<std::string> Pdf(const DrawingList& picture, int width, int height) override {
    Start();
    const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                           QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const QByteArray bytes = PdfDocument(picture, page, QSize(width, height));
    if (bytes.isEmpty()) return std::nullopt;
    return bytes.toStdString();
  }

 private:
  // The toolkit needs its application object before it can render text. Its own notices (about
  // the session it runs in) are not the script's messages and would mix with them.
  void Start() {
    if (QCoreApplication::instance() != nullptr) return;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) {
        fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
      }
    });
    static int argc = 3;
    static char name[] = "vorex-cli", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
  }

  std::unique_ptr<QApplication> application_;
};

}  // namespace

std::unique_ptr<PictureEncoder> MakeOffscreenPictureEncoder() {
  return std::make_unique<OffscreenPictures>();
}

}  // namespace vorex::ui
