#pragma once

#include <QAccessibleWidget>
#include <QMenu>

namespace velmarith {

// The main window as assistive technology sees it: its controls, and while the print area's
// menu is open that menu too, so that a screen reader finds 复制 in the tree and can press
// it. (Qt leaves menus out of a widget's children.)
class WindowAccessible : public QAccessibleWidget {
  public:
    explicit WindowAccessible(QWidget* window);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

  private:
    QMenu* OpenMenu() const;
};

}  // namespace velmarith
