#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"
#include "ui/qt/Application.h"
#include "ui/qt/ExpansionWindow.h"
#include "ui/qt/MaterialList.h"
#include "ui/qt/PrintArea.h"

using velmarith::Button;
using velmarith::ExpansionWindow;

namespace {

QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role,
                           const QString& name) {
    if (root == nullptr) return nullptr;
    if (root->role() == role && root->text(QAccessible::Name) == name) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (auto* found = Find(root->child(i), role, name)) return found;
    }
    return nullptr;
}

}  // namespace

class AccessibilityTest : public velmarith::testing::WindowFixture {
    Q_OBJECT

  private:
    QAccessibleInterface* Root() { return QAccessible::queryAccessibleInterface(window.get()); }
    QAccessibleInterface* Output() { return Find(Root(), QAccessible::EditableText, "输出结果"); }
    QString OutputText() {
        auto* text = Output()->textInterface();
        return text->text(0, text->characterCount());
    }
    void Press(const QString& caption) {
        auto* button = Find(Root(), QAccessible::Button, caption);
        QVERIFY(button != nullptr);
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // Buttons press with an animated click; let it land.
        QTRY_VERIFY(!window->CommandButton(Button::Command5)->isDown());
        QTest::qWait(150);
    }

  private slots:
    void init() { OpenWindow(false); }
    void cleanup() { CloseWindow(); }

    void everyControlHasItsCaptionRoleAndState_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("window") << int(QAccessible::Window) << "膨胀量计算" << true;
        QTest::newRow("Frame1") << int(QAccessible::Grouping) << "基本I/O" << true;
        QTest::newRow("Combo1") << int(QAccessible::ComboBox) << "钢材" << true;
        QTest::newRow("Command2") << int(QAccessible::Button) << "温度" << false;
        QTest::newRow("Command3") << int(QAccessible::Button) << "长度" << false;
        QTest::newRow("Command4") << int(QAccessible::Button) << "输出" << false;
        QTest::newRow("Command5") << int(QAccessible::Button) << "清空" << true;
        QTest::newRow("Label1") << int(QAccessible::StaticText) << "Velmarith 1.00 计算器" << true;
        QTest::newRow("print area") << int(QAccessible::EditableText) << "输出结果" << true;
    }
    void everyControlHasItsCaptionRoleAndState() {
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        auto* node = Find(Root(), QAccessible::Role(role), name);
        QVERIFY(node != nullptr);
        QCOMPARE(bool(node->state().disabled), !enabled);
        QVERIFY(window->windowTitle().isEmpty());
    }

    void listEntriesAreSelectableThroughTheirAction() {
        auto* combo = Find(Root(), QAccessible::ComboBox, "钢材");
        QVERIFY(combo != nullptr);
        QAccessibleInterface* list = combo->child(0);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), 8);
        QAccessibleInterface* entry = list->child(4);
        QCOMPARE(entry->text(QAccessible::Name), QString("Cr25Ni20"));
        QVERIFY(entry->state().selectable);
        QVERIFY(!entry->state().selected);
        entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(window->SelectedListPosition(), 4);
        QVERIFY(entry->state().selected);
        QCOMPARE(combo->text(QAccessible::Name), QString("Cr25Ni20"));
        QVERIFY(!Find(Root(), QAccessible::Button, "温度")->state().disabled);
        QCOMPARE(OutputText(), QString("\n\n\n"));
        // The editable text of the list is its second child.
        QAccessibleInterface* field = combo->child(1);
        QVERIFY(field->editableTextInterface() != nullptr);
        QCOMPARE(combo->indexOfChild(field), 1);
        QCOMPARE(list->indexOfChild(entry), 4);
    }

    void printAreaReadsEveryLineAndAnnouncesChanges() {
        window->Combo1()->Choose(0);
        prompts->Queue("150");
        Press("温度");
        prompts->Queue("1000");
        Press("长度");
        Press("输出");
        const QString expected =
            "\n\n\n  150摄氏度时材料的膨胀系数为:  11.85mm/mm.C\n\n\n\n  材料的膨胀量为: "
            "1.5405mm\n";
        QCOMPARE(OutputText(), expected);
        QCOMPARE(Output()->textInterface()->characterCount(), expected.size());
        QCOMPARE(Output()->text(QAccessible::Value), expected);

        // The events that announce these changes are checked on the real bus by the AT-SPI
        // end-to-end run: offscreen Qt has no accessibility bridge to deliver them.
        window->Print({"a", "b"});
        window->Print({});
        QCOMPARE(OutputText(), expected + "ab\n\n");
        window->Cls();
        QCOMPARE(OutputText(), QString());
    }

    void rePromptLeavesTheAreaEmptyAndLinesBelowTheBottomAreRead() {
        window->Combo1()->Choose(0);
        for (int i = 0; i < 12; ++i) window->Combo1()->Choose(1);  // 39 lines, past the bottom
        QCOMPARE(OutputText().count('\n'), 39);
        prompts->Queue("900");
        prompts->Queue("100");
        Press("温度");
        QCOMPARE(OutputText(), QString());
        QCOMPARE(prompts->labels, QStringList({"请输入温度:(摄氏度)", "请重新输入温度:(摄氏度)"}));
    }

    // The print area's 复制 without a mouse: the menu keys on a focused button open it with
    // its item selected, the item is in the accessibility tree while the menu is open, and
    // pressing it there copies the lines and closes the menu.
    void menuKeysOpenCopyForTheKeyboardAndScreenReaders_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier);
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    }
    void menuKeysOpenCopyForTheKeyboardAndScreenReaders() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        window->Print({"  a line"});
        QApplication::clipboard()->clear();
        bool opened = false;
        QString active;
        QAccessible::Role itemRole = QAccessible::NoRole;
        connect(window.get(), &ExpansionWindow::MenuOpened, this, [&](QMenu* menu) {
            QTimer::singleShot(0, this, [&, menu] {
                opened = true;
                active = menu->activeAction() ? menu->activeAction()->text() : QString();
                auto* item = Find(Root(), QAccessible::MenuItem, "复制");
                if (item == nullptr) {
                    menu->close();
                    return;
                }
                itemRole = item->role();
                item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            });
        });
        auto* button = window->CommandButton(Button::Command5);
        QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(opened);
        QCOMPARE(active, QString("复制"));
        QCOMPARE(itemRole, QAccessible::MenuItem);
        QCOMPARE(QApplication::clipboard()->text(), QString("  a line\n"));
        // Closed again, the menu has left the tree; the button's Space still presses it.
        QCOMPARE(Find(Root(), QAccessible::MenuItem, "复制"), nullptr);
        QCOMPARE(OutputText(), QString("  a line\n"));
    }

    void characterGeometryFollowsThePrintedLines() {
        window->Print({"ab"});
        window->Print({"钢"});
        auto* text = Output()->textInterface();
        const QRect second = text->characterRect(3);  // "钢" on the second line
        const QPoint origin = window->PrintSurface()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(second, QRect(origin + QPoint(0, 12), QSize(12, 12)));
        QCOMPARE(text->offsetAtPoint(origin + QPoint(7, 3)), 1);
        QCOMPARE(text->offsetAtPoint(origin + QPoint(3, 15)), 3);
        QCOMPARE(text->text(-5, 100), QString("ab\n钢\n"));
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmarith::SetUpApplication(application);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AccessibilityTest.moc"
