#pragma once

#include <QComboBox>

namespace velmarith {

// An editable combo box that behaves like the classic drop-down combo: typing never adds an
// entry nor selects one, and any edit of the text leaves no entry selected. Choosing an
// entry from the list (or with the arrow keys) is its Click.
class MaterialList : public QComboBox {
    Q_OBJECT

  public:
    explicit MaterialList(QWidget* parent);

    // Position of the selected entry, or -1 when none is.
    int SelectedPosition() const { return selected_; }
    // Chooses an entry as the user would, raising Click.
    void Choose(int position);

  signals:
    void Click();

  private:
    int selected_ = -1;
};

}  // namespace velmarith
