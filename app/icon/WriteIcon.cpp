// Writes the program's icon from its XPM source: the PNG installed for desktops and the ICO
// that the Windows resource script embeds. Usage: write_icon OUTPUT.png|OUTPUT.ico ...
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdio>

namespace {
#include "ui/qt/icon/velmarith.xpm"
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QImage icon(velmarith_icon);
    if (icon.isNull() || icon.size() != QSize(32, 32)) {
        std::fprintf(stderr, "write_icon: the icon source is not a 32 x 32 picture\n");
        return 1;
    }
    for (const QString& path : application.arguments().mid(1)) {
        QImageWriter writer(path);
        if (!writer.write(icon)) {
            std::fprintf(stderr, "write_icon: %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
