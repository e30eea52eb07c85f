#include "ui/qt/MaterialList.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace velmarith {

MaterialList::MaterialList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // The combo box would select an entry whose text matches the typed one when Enter is
    // pressed or the field loses the focus; the classic list selected nothing on typing.
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int index) {
        selected_ = index;
        lineEdit()->setCursorPosition(0);  // show the start of a long entry
        emit Click();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { selected_ = -1; });
}

void MaterialList::Choose(int position) {
    if (position < 0 || position >= count()) return;
    setCurrentIndex(position);
    selected_ = position;
    emit Click();
}

bool MaterialList::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the text field would otherwise select a matching entry.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    }
    return QComboBox::eventFilter(watched, event);
}

}  // namespace velmarith
