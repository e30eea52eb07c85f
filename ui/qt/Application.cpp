#include "ui/qt/Application.h"

#include <QApplication>
#include <QFont>

#include "texts/Texts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/WindowLayout.h"

namespace velmarith {

void SetUpApplication(QApplication& application) {
    QApplication::setApplicationName("Velmarith");
    QApplication::setApplicationVersion(QString::fromUtf8(texts::FileVersion));
    QApplication::setWindowIcon(AppIcon());
    // A 9-point CJK font at 96 dpi: 12 px lines, half-width 6 px, full-width 12 px.
    QFont font(layout::kFontFamily);
    font.setPixelSize(layout::kFontPixelSize);
    font.setStyleHint(QFont::TypeWriter);
    application.setFont(font);
    InstallAccessibility();
}

}  // namespace velmarith
