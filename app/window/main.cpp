#include <QApplication>

#include "ui/qt/Application.h"
#include "ui/qt/ExpansionWindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmarith::SetUpApplication(application);
    velmarith::ExpansionWindow window;
    window.show();
    return QApplication::exec();
}
