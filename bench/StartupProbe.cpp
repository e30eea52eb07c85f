// Starts the calculator's window (or, with --bare, a plain window of the same size and font)
// and ends the process as soon as it has first been painted.
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <memory>

#include "ui/qt/Application.h"
#include "ui/qt/ExpansionWindow.h"
#include "ui/qt/WindowLayout.h"

namespace {

class QuitOnFirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !quitting_) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool quitting_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    const bool bare = argc > 1 && std::strncmp(argv[1], "--bare", 6) == 0;
    // --bare-text: the bare window also draws one line of text in the font.
    const bool withText = argc > 1 && std::strcmp(argv[1], "--bare-text") == 0;
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (bare) {
        QFont font(velmarith::layout::kFontFamily);
        font.setPixelSize(velmarith::layout::kFontPixelSize);
        application.setFont(font);
        window = std::make_unique<QWidget>();
        window->resize(velmarith::layout::kClientWidth, velmarith::layout::kClientHeight);
        if (withText)
            (new QLabel(QStringLiteral("膨胀量计算 Velmarith 1.0"), window.get()))->move(8, 8);
    } else {
        velmarith::SetUpApplication(application);
        window = std::make_unique<velmarith::ExpansionWindow>();
    }
    QuitOnFirstPaint probe;
    window->installEventFilter(&probe);
    window->show();
    return QApplication::exec();
}
