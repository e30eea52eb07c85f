#include "ui/qt/PrintAreaAccessible.h"

namespace velmarith {

PrintAreaAccessible::PrintAreaAccessible(PrintArea* area)
    : QAccessibleWidget(area, QAccessible::EditableText) {}

QAccessible::State PrintAreaAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.editable = false;
    state.focusable = false;
    return state;
}

QString PrintAreaAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return Area()->accessibleName();
    if (t == QAccessible::Value) return Area()->Text();
    return QAccessibleWidget::text(t);
}

void* PrintAreaAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void PrintAreaAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString PrintAreaAccessible::text(int startOffset, int endOffset) const {
    const QString& all = Area()->Text();
    const auto size = static_cast<int>(all.size());
    if (endOffset < 0 || endOffset > size) endOffset = size;
    if (startOffset < 0) startOffset = 0;
    if (startOffset >= endOffset) return {};
    return all.mid(startOffset, endOffset - startOffset);
}

int PrintAreaAccessible::characterCount() const { return static_cast<int>(Area()->Text().size()); }

QRect PrintAreaAccessible::characterRect(int offset) const {
    const QRect local = Area()->CharacterRect(offset);
    if (local.isNull()) return {};
    return QRect(Area()->mapToGlobal(local.topLeft()), local.size());
}

int PrintAreaAccessible::offsetAtPoint(const QPoint& point) const {
    return Area()->OffsetAt(Area()->mapFromGlobal(point));
}

QString PrintAreaAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

}  // namespace velmarith
