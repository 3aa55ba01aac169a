#include "ui/offscreen_pictures.h"

#include <QApplication>
#include <QtGlobal>
#include <cstdio>
#include <QPrinter>

#include "ui/plot_painter.h"

namespace vorex::ui {
namespace {

class OffscreenPictures : public PictureWriter {
 public:
  std::optional<std::string> WriteImage(const DrawingList& picture, int width, int height,
                                        const std::string& file) override {
    Start();
    const QImage image = PictureImage(picture, QSize(width, height));
    if (!image.save(QString::fromStdString(file), "PNG")) return "the file cannot be written";
    return std::nullopt;
  }

  std::optional<std::string> WriteDocument(const DrawingList& picture, int width, int height,
                                           const std::string& file) override {
    Start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!PrintPicture(picture, printer, QSize(width, height))) return "the file cannot be written";
    return std::nullopt;
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

std::unique_ptr<PictureWriter> MakeOffscreenPictureWriter() {
  return std::make_unique<OffscreenPictures>();
}

}  // namespace vorex::ui
