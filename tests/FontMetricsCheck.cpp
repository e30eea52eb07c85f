// The window's layout rests on its font's metrics: 6-pixel half-width and 12-pixel
// full-width advances, and Label1's caption 126 pixels wide. Checks them with whatever face
// the platform resolves (SimSun on a Chinese Windows, the CJK font elsewhere).
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <cstdio>

#include "texts/Texts.h"
#include "ui/qt/Application.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmarith::SetUpApplication(application);
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const QString caption = QString::fromUtf8(velmarith::texts::LabelCaption.data(),
                                              velmarith::texts::LabelCaption.size());
    struct Check {
        const char* what;
        int actual;
        int expected;
    } checks[] = {
        {"half-width advance", metrics.horizontalAdvance(QStringLiteral("0")), 6},
        {"full-width advance", metrics.horizontalAdvance(QStringLiteral("中")), 12},
        {"Label1 caption width", metrics.horizontalAdvance(caption), 126},
    };
    int failed = 0;
    std::printf("font: %s\n", qPrintable(QFontInfo(font).family()));
    for (const auto& check : checks) {
        const bool ok = check.actual == check.expected;
        failed += ok ? 0 : 1;
        std::printf("%s: %s: %d (want %d)\n", ok ? "ok" : "FAILED", check.what, check.actual,
                    check.expected);
    }
    std::printf("%d passed, %d failed\n", static_cast<int>(std::size(checks)) - failed, failed);
    return failed == 0 ? 0 : 1;
}
