#include "ui/qt/MaterialList.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include "ui/qt/PromptGuard.h"

namespace velmarith {

MaterialList::MaterialList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // The combo box would select an entry whose text matches the typed one when Enter is
    // pressed or the field loses the focus; the classic list selected nothing on typing.
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(this, &QComboBox::activated, this, [this](int index) {
        selected_ = index;
        lineEdit()->setCursorPosition(0);  // show the start of a long entry
        emit Click();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { selected_ = -1; });
}

void MaterialList::Choose(int position) {
    if (position < 0 || position >= count() || BlockedByPrompt(this)) return;
    setCurrentIndex(position);
    selected_ = position;
    emit Click();
}

}  // namespace velmarith
