#include "ui/qt/MaterialListAccessible.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <vector>

#include "ui/qt/PromptGuard.h"

namespace velmarith {
namespace {

class EntryAccessible;

// The drop-down list: its children are the entries, in list order.
class EntriesAccessible : public QAccessibleInterface {
  public:
    EntriesAccessible(MaterialList* list, QAccessibleInterface* combo);
    ~EntriesAccessible() override;

    bool isValid() const override { return !list_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return combo_; }
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return list_ ? list_->count() : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text) const override { return {}; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override;

    MaterialList* List() const { return list_; }

  private:
    QPointer<MaterialList> list_;
    QAccessibleInterface* combo_;
    mutable std::vector<QAccessibleInterface*> entries_;
    mutable std::vector<QAccessible::Id> entryIds_;
};

class EntryAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    EntryAccessible(EntriesAccessible* entries, int position)
        : entries_(entries), position_(position) {}

    bool isValid() const override { return entries_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return entries_->window(); }
    QAccessibleInterface* parent() const override { return entries_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        auto* list = entries_->List();
        if (list == nullptr || t != QAccessible::Name) return {};
        return list->itemText(position_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    // Only an open list has entries on the screen: each is its own row there.
    QRect rect() const override {
        auto* list = entries_->List();
        if (list == nullptr || !list->view()->isVisible()) return {};
        const QRect row = list->view()->visualRect(list->model()->index(position_, 0));
        return {list->view()->viewport()->mapToGlobal(row.topLeft()), row.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        auto* list = entries_->List();
        state.selectable = true;
        state.selected = list != nullptr && list->SelectedPosition() == position_;
        state.disabled = list == nullptr || !list->isEnabled();
        state.invisible = list == nullptr || !list->view()->isVisible();
        state.offscreen = state.invisible;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override {
        if (BlockedByPrompt(entries_->List())) return {};
        return {pressAction()};
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && entries_->List() != nullptr)
            entries_->List()->Choose(position_);  // refused while a prompt is open
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    EntriesAccessible* entries_;
    int position_;
};

EntriesAccessible::EntriesAccessible(MaterialList* list, QAccessibleInterface* combo)
    : list_(list), combo_(combo) {}

EntriesAccessible::~EntriesAccessible() {
    // By id: at shutdown the cache may have deleted an entry already.
    for (const auto id : entryIds_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* EntriesAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    while (static_cast<int>(entries_.size()) <= index) {
        auto* entry = new EntryAccessible(const_cast<EntriesAccessible*>(this),
                                          static_cast<int>(entries_.size()));
        entryIds_.push_back(QAccessible::registerAccessibleInterface(entry));
        entries_.push_back(entry);
    }
    return entries_[static_cast<std::size_t>(index)];
}

int EntriesAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] == child) return static_cast<int>(i);
    }
    return -1;
}

QRect EntriesAccessible::rect() const {
    if (!list_ || !list_->view()->isVisible()) return {};
    return QRect(list_->view()->mapToGlobal(QPoint(0, 0)), list_->view()->size());
}

QAccessible::State EntriesAccessible::state() const {
    QAccessible::State state;
    state.multiSelectable = false;
    state.invisible = !list_ || !list_->view()->isVisible();
    state.offscreen = state.invisible;
    state.disabled = list_ == nullptr || !list_->isEnabled();
    return state;
}

}  // namespace

MaterialListAccessible::MaterialListAccessible(MaterialList* list)
    : QAccessibleWidget(list, QAccessible::ComboBox) {}

MaterialListAccessible::~MaterialListAccessible() {
    if (entries_ != nullptr) QAccessible::deleteAccessibleInterface(entriesId_);
}

QAccessible::State MaterialListAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.expandable = true;
    return state;
}

QString MaterialListAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name || t == QAccessible::Value) return List()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessibleInterface* MaterialListAccessible::child(int index) const {
    if (index == 0) {
        if (entries_ == nullptr) {
            entries_ = new EntriesAccessible(List(), const_cast<MaterialListAccessible*>(this));
            entriesId_ = QAccessible::registerAccessibleInterface(entries_);
        }
        return entries_;
    }
    if (index == 1) return QAccessible::queryAccessibleInterface(List()->lineEdit());
    return nullptr;
}

int MaterialListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr) return -1;
    if (child == entries_) return 0;
    if (child->object() == List()->lineEdit()) return 1;
    return -1;
}

QStringList MaterialListAccessible::actionNames() const {
    if (BlockedByPrompt(List())) return {};
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void MaterialListAccessible::doAction(const QString& name) {
    if (BlockedByPrompt(List())) return;
    if (name == showMenuAction() || name == pressAction()) {
        if (List()->view()->isVisible()) {
            List()->hidePopup();
        } else {
            List()->showPopup();
        }
        return;
    }
    QAccessibleWidget::doAction(name);
}

}  // namespace velmarith
