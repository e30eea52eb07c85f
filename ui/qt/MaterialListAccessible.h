#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include "ui/qt/MaterialList.h"

namespace velmarith {

// The material list as assistive technology sees it: a combo box named by its text, with a
// list of the eight entries (each selectable with its Press action) and the editable field.
class MaterialListAccessible : public QAccessibleWidget {
  public:
    explicit MaterialListAccessible(MaterialList* list);
    ~MaterialListAccessible() override;

    QAccessible::Role role() const override { return QAccessible::ComboBox; }
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    // Show Menu and Press open the list, or close it when it is open, as Qt's combo boxes do.
    QStringList actionNames() const override;
    void doAction(const QString& name) override;

  private:
    MaterialList* List() const { return static_cast<MaterialList*>(widget()); }

    mutable QAccessibleInterface* entries_ = nullptr;
    mutable QAccessible::Id entriesId_ = 0;
};

}  // namespace velmarith
