#include "ui/qt/Application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "texts/Texts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/WindowLayout.h"

namespace velmarith {
namespace {

// The window is Chinese whatever the system's locale, so Qt's own texts (the prompt's
// buttons, the text field's menu) are too. Without the file they stay English.
void LoadQtChineseTexts(QApplication& application) {
    auto* translator = new QTranslator(&application);
    const QStringList places = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
    };
    for (const QString& place : places) {
        if (translator->load(QStringLiteral("qtbase_zh_CN"), place)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

// A Chinese Windows draws its dialogs in the 12-pixel SimSun; elsewhere (and under Wine,
// which has no SimSun) a font with the same metrics stands in.
QString WindowFontFamily() {
#ifdef Q_OS_WIN
    const QStringList families = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("SimSun"), QStringLiteral("宋体")}) {
        if (families.contains(family)) return family;
    }
#endif
    return QString::fromLatin1(layout::kFontFamily);
}

}  // namespace

void SetUpApplication(QApplication& application) {
    QApplication::setApplicationName("Velmarith");
    QApplication::setApplicationVersion(QString::fromUtf8(texts::FileVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(VELMARITH_APP_ID));
    QApplication::setWindowIcon(AppIcon());
    LoadQtChineseTexts(application);
    // A 9-point CJK font at 96 dpi: 12 px lines, half-width 6 px, full-width 12 px.
    QFont font(WindowFontFamily());
    font.setPixelSize(layout::kFontPixelSize);
    font.setStyleHint(QFont::TypeWriter);
    application.setFont(font);
    InstallAccessibility();
}

}  // namespace velmarith
