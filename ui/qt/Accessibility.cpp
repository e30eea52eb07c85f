#include "ui/qt/Accessibility.h"

#include <QAccessible>

#include "ui/qt/Announcer.h"
#include "ui/qt/ButtonAccessible.h"
#include "ui/qt/ExpansionWindow.h"
#include "ui/qt/MaterialListAccessible.h"
#include "ui/qt/PrintAreaAccessible.h"
#include "ui/qt/WindowAccessible.h"

namespace velmarith {
namespace {

QAccessibleInterface* CreateInterface(const QString&, QObject* object) {
    if (auto* area = qobject_cast<PrintArea*>(object)) return new PrintAreaAccessible(area);
    if (auto* list = qobject_cast<MaterialList*>(object)) return new MaterialListAccessible(list);
    if (auto* button = qobject_cast<QPushButton*>(object)) return new ButtonAccessible(button);
    if (auto* announcer = qobject_cast<Announcer*>(object))
        return new AnnouncerAccessible(announcer);
    // A plain top-level widget would be a filler; ours is the application's main window.
    if (auto* window = qobject_cast<ExpansionWindow*>(object)) return new WindowAccessible(window);
    return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(CreateInterface); }

}  // namespace velmarith
