// Writes the program's icon from its XPM source: the PNGs installed for desktops and the ICO
// that the Windows resource script embeds. Usage: write_icon [SIZE:]OUTPUT.png|.ico ...
// A size other than 32 scales the 32-pixel picture without smoothing, so it stays crisp.
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <charconv>
#include <cstdio>
#include <string>

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
    for (const QString& argument : application.arguments().mid(1)) {
        QString path = argument;
        int size = 32;
        if (const auto colon = argument.indexOf(':'); colon > 0) {
            const std::string digits = argument.left(colon).toStdString();
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), size);
            if (error != std::errc() || end != digits.data() + digits.size() || size < 1 ||
                size > 1024) {
                std::fprintf(stderr, "write_icon: bad size in %s\n", qPrintable(argument));
                return 1;
            }
            path = argument.mid(colon + 1);
        }
        QImageWriter writer(path);
        if (!writer.write(icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation))) {
            std::fprintf(stderr, "write_icon: %s: %s\n", qPrintable(path),
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
