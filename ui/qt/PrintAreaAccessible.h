#pragma once

#include <QAccessibleWidget>

#include "ui/qt/PrintArea.h"

namespace velmarith {

// The print area as a read-only multi-line text named "输出结果": every printed line, each
// followed by "\n", including lines below the visible bottom.
class PrintAreaAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit PrintAreaAccessible(PrintArea* area);

    QAccessible::Role role() const override { return QAccessible::EditableText; }
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    PrintArea* Area() const { return static_cast<PrintArea*>(widget()); }
};

}  // namespace velmarith
