#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
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

const QString kCoefficient150 = "  150摄氏度时材料的膨胀系数为:  11.85mm/mm.C";
const QString kResult150 = "  材料的膨胀量为: 1.5405mm";

QImage Grab(QWidget* widget, const QRect& area) { return widget->grab(area).toImage(); }

bool HasPixelOtherThan(const QImage& image, const QColor& color) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != color) return true;
        }
    }
    return false;
}

}  // namespace

class WindowTest : public velmarith::testing::WindowFixture {
    Q_OBJECT

  private:
    QPushButton* Command(Button b) { return window->CommandButton(b); }
    QStringList Lines() { return window->PrintSurface()->Lines(); }
    void Click(Button b) { QTest::mouseClick(Command(b), Qt::LeftButton); }
    void Choose(int position) { window->Combo1()->Choose(position); }
    void Calculate(int material, const QString& temperature, const QString& length) {
        Choose(material);
        prompts->Queue(temperature);
        Click(Button::Command2);
        prompts->Queue(length);
        Click(Button::Command3);
        Click(Button::Command4);
    }

  private slots:
    void init() { OpenWindow(true); }
    void cleanup() { CloseWindow(); }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");  // in client-area pixels
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame1") << "Frame1" << QRect(304, 16, 137, 313) << "基本I/O";
        QTest::newRow("Combo1") << "Combo1" << QRect(328, 40, 97, 20) << "钢材";
        QTest::newRow("Command2") << "Command2" << QRect(328, 88, 81, 30) << "温度";
        QTest::newRow("Command3") << "Command3" << QRect(328, 152, 81, 30) << "长度";
        QTest::newRow("Command4") << "Command4" << QRect(328, 208, 81, 30) << "输出";
        QTest::newRow("Command5") << "Command5" << QRect(328, 264, 81, 30) << "清空";
        QTest::newRow("Label1") << "Label1" << QRect(16, 296, 126, 12) << QString();
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        auto* control = window->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        const QRect actual(control->mapTo(window.get(), QPoint(0, 0)), control->size());
        QCOMPARE(actual, place);
        QString text;
        if (auto* box = qobject_cast<QGroupBox*>(control)) text = box->title();
        if (auto* button = qobject_cast<QPushButton*>(control)) text = button->text();
        if (auto* combo = qobject_cast<QComboBox*>(control)) text = combo->currentText();
        if (!caption.isEmpty()) QCOMPARE(text, caption);
        // Resizing leaves every control where it was.
        window->resize(300, 200);
        QCOMPARE(QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size()), place);
        window->resize(700, 500);
        QCOMPARE(QRect(control->mapTo(window.get(), QPoint(0, 0)), control->size()), place);
    }

    void windowStartsAsTheDesignerLeftIt() {
        QCOMPARE(window->objectName(), QString("膨胀量计算"));
        QVERIFY(window->windowTitle().isEmpty());
        QCOMPARE(window->size(), QSize(477, 341));
        QVERIFY(window->layout() == nullptr);
        QCOMPARE(window->palette().color(QPalette::Window), QColor(0, 255, 0));
        auto* frame = window->findChild<QGroupBox*>("Frame1");
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(255, 255, 0));
        QVERIFY(frame->autoFillBackground());
        auto* combo = window->Combo1();
        QCOMPARE(combo->palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(combo->view()->palette().color(QPalette::Base), QColor(255, 0, 0));
        auto* label = window->findChild<QLabel*>("Label1");
        QCOMPARE(label->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Button));
        QCOMPARE(label->text().size(), 18);

        QVERIFY(!Command(Button::Command2)->isEnabled());
        QVERIFY(!Command(Button::Command3)->isEnabled());
        QVERIFY(!Command(Button::Command4)->isEnabled());
        QVERIFY(Command(Button::Command5)->isEnabled());
        for (auto b : {Button::Command2, Button::Command3, Button::Command4, Button::Command5}) {
            QVERIFY(!Command(b)->isDefault());
            QVERIFY(!Command(b)->autoDefault());
        }
        QVERIFY(Lines().isEmpty());
        QCOMPARE(window->SelectedListPosition(), -1);
    }

    void fontHasTheWindowsMetrics() {
        const QFontMetrics metrics(window->font());
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('A')), 6);
        QCOMPARE(metrics.horizontalAdvance(QString("钢")), 12);
        QCOMPARE(metrics.horizontalAdvance(window->findChild<QLabel*>("Label1")->text()), 126);
    }

    void listHoldsTheEightMaterialsUnsorted() {
        auto* combo = window->Combo1();
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->itemText(0), QString("碳钢和低铬钼钢"));
        QCOMPARE(combo->itemText(1), QString("中铬钢（Cr5Mo至Cr9Mo）"));
        QCOMPARE(combo->itemText(4), QString("Cr25Ni20"));
        QCOMPARE(combo->itemText(7), QString("蒙乃尔合金Ni67Cu30"));
        QVERIFY(combo->isEditable());
    }

    void choosingEntriesClicksTheList() {
        auto* combo = window->Combo1();
        // Down arrow on the closed list chooses the next entry, as a click would.
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(window->SelectedListPosition(), 0);
        QVERIFY(Command(Button::Command2)->isEnabled());
        QCOMPARE(Lines(), QStringList({"", "", ""}));
        // A choice from the popup list.
        combo->showPopup();
        auto* view = combo->view();
        const QModelIndex index = view->model()->index(4, 0);
        view->setCurrentIndex(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QCOMPARE(window->SelectedListPosition(), 4);
        QCOMPARE(Lines().size(), 6);
    }

    void typingInTheListSelectsNothingAndAddsNothing() {
        auto* combo = window->Combo1();
        Choose(2);
        auto* edit = combo->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "Cr25Ni20");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(window->SelectedListPosition(), -1);
        QCOMPARE(combo->count(), 8);
        QCOMPARE(Lines().size(), 3);  // the Click of Choose(2) only
        // Output with no selection asks for a material.
        prompts->Queue("150");
        Click(Button::Command2);
        prompts->Queue("1000");
        Click(Button::Command3);
        Click(Button::Command4);
        QCOMPARE(Lines().last(), QString("请选择材料!"));
    }

    void tabVisitsTheEnabledControlsInOrder() {
        auto focusName = [] {
            QWidget* focus = QApplication::focusWidget();
            while (focus != nullptr && focus->objectName().isEmpty()) focus = focus->parentWidget();
            return focus != nullptr ? focus->objectName() : QString();
        };
        QCOMPARE(focusName(), QString("Combo1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QString("Command5"));

        Calculate(0, "150", "1000");
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Combo1()->setFocus();
        QStringList visited;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focusName();
        }
        QCOMPARE(visited, QStringList({"Command2", "Command3", "Command4", "Command5", "Combo1"}));
    }

    void aFocusedButtonIsPressedByEnterAndSpaceNotByEscape_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("presses");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }
    void aFocusedButtonIsPressedByEnterAndSpaceNotByEscape() {
        QFETCH(int, key);
        QFETCH(bool, presses);
        Choose(0);
        Command(Button::Command2)->setFocus();
        if (presses) prompts->Queue("150");
        QTest::keyClick(Command(Button::Command2), Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(Command(Button::Command3)->isEnabled(), presses);
        QCOMPARE(window->Form().State().InputTemperature, presses ? 150 : 0);
        // Enter on the list's field presses nothing.
        window->Combo1()->lineEdit()->setFocus();
        QTest::keyClick(window->Combo1()->lineEdit(), Qt::Key_Return);
        QCOMPARE(Lines().size(), 3);
    }

    void theFrameIsExactlyYellowInsideItsBorder() {
        auto* frame = window->findChild<QGroupBox*>("Frame1");
        const QImage image = frame->grab().toImage();
        const int captionBottom = frame->fontMetrics().height();
        int wrong = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QPoint p(x, y);
                const bool border = x < 3 || x >= image.width() - 3 || y >= image.height() - 3 ||
                                    (y >= captionBottom && y < captionBottom + 6);
                bool control = y < captionBottom;  // the caption's row holds its text
                for (auto* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    control = control || child->geometry().contains(p);
                if (!border && !control && image.pixelColor(p) != QColor(255, 255, 0)) ++wrong;
            }
        }
        QCOMPARE(wrong, 0);
    }

    void theOpenListShowsEveryEntryWhole() {
        auto* combo = window->Combo1();
        combo->showPopup();
        auto* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        for (int i = 0; i < combo->count(); ++i) {
            const int needed = view->fontMetrics().horizontalAdvance(combo->itemText(i)) + 4;
            QVERIFY2(view->viewport()->width() >= needed, qPrintable(combo->itemText(i)));
        }
        // The list drops down below the closed field, which keeps its size.
        QVERIFY(view->mapToGlobal(QPoint(0, 0)).y() >= combo->mapToGlobal(QPoint(0, 0)).y());
        combo->hidePopup();
        QCOMPARE(combo->size(), QSize(97, 20));
    }

    void whileAPromptIsOpenNoOtherControlActs() {
        Calculate(0, "150", "1000");
        const QStringList before = Lines();
        QStringList offeredActions;
        QString promptButtons;
        connect(window.get(), &ExpansionWindow::PromptOpened, this, [&](QWidget* dialog) {
            QTimer::singleShot(0, this, [&, dialog] {
                for (auto* button : dialog->findChildren<QPushButton*>())
                    promptButtons += button->text() + QLatin1Char(' ');
                QAccessibleInterface* output =
                    QAccessible::queryAccessibleInterface(Command(Button::Command4));
                offeredActions += output->actionInterface()->actionNames();
                output->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QTest::mouseClick(Command(Button::Command5), Qt::LeftButton);
                window->Combo1()->Choose(5);
                prompts->Queue("200");
            });
        });
        Click(Button::Command2);
        QCoreApplication::processEvents();
        QCOMPARE(offeredActions, QStringList());
        QCOMPARE(Lines(), before);
        QCOMPARE(window->SelectedListPosition(), 0);
        QCOMPARE(window->Form().State().InputTemperature, 200);
        // Qt's own texts are Chinese too.
        QCOMPARE(promptButtons.split(' ', Qt::SkipEmptyParts), QStringList({"确定", "取消"}));
    }

    void aRightClickOnThePrintAreaCopiesThePrintedLines() {
        Calculate(0, "150", "1000");
        QStringList menuTexts;
        connect(window.get(), &ExpansionWindow::MenuOpened, this, [&](QMenu* menu) {
            QTimer::singleShot(0, this, [&, menu] {
                for (auto* action : menu->actions()) menuTexts << action->text();
                menu->actions().first()->trigger();
                menu->close();
            });
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(100, 100),
                                window->mapToGlobal(QPoint(100, 100)));
        QApplication::sendEvent(window.get(), &event);
        QCOMPARE(menuTexts, QStringList({"复制"}));
        QCOMPARE(QApplication::clipboard()->text(),
                 "\n\n\n" + kCoefficient150 + "\n\n\n\n" + kResult150 + "\n");
        // Over the frame there is no such menu.
        menuTexts.clear();
        QContextMenuEvent overFrame(QContextMenuEvent::Mouse, QPoint(400, 300),
                                    window->mapToGlobal(QPoint(400, 300)));
        QApplication::sendEvent(window.get(), &overFrame);
        QCOMPARE(menuTexts, QStringList());
    }

    void wholeCalculationThroughTheRealPrompt() {
        Calculate(0, "150", "1000");
        QCOMPARE(prompts->labels, QStringList({"请输入温度:(摄氏度)", "请输入长度:(mm)"}));
        QCOMPARE(prompts->titles, QStringList({"", ""}));
        QCOMPARE(prompts->initialTexts, QStringList({"", ""}));
        QCOMPARE(Lines(), QStringList({"", "", "", kCoefficient150, "", "", "", kResult150}));
        QVERIFY(Command(Button::Command4)->isEnabled());
    }

    void cancelOnEachPromptChangesNothing() {
        Calculate(0, "150", "1000");
        const QStringList before = Lines();
        prompts->Queue(std::nullopt);
        Click(Button::Command2);
        prompts->Queue(std::nullopt);
        Click(Button::Command3);
        QCOMPARE(Lines(), before);
        prompts->Queue("abc");
        Click(Button::Command3);
        QCOMPARE(Lines().last(), QString("输入无效,请重试!"));
        QCOMPARE(window->Form().State().InputLength, 1000.0f);
        QCOMPARE(window->Form().State().InputTemperature, 150);
    }

    void rePromptClearsTheWindow() {
        Calculate(0, "150", "1000");
        prompts->Queue("900");
        prompts->Queue("20");
        Click(Button::Command2);
        QCOMPARE(prompts->labels.last(), QString("请重新输入温度:(摄氏度)"));
        QVERIFY(Lines().isEmpty());
        Click(Button::Command4);
        QCOMPARE(Lines().first(), QString("  20摄氏度时材料的膨胀系数为:  10.9mm/mm.C"));

        Click(Button::Command5);
        QVERIFY(Lines().isEmpty());
        QVERIFY(!HasPixelOtherThan(Grab(window.get(), QRect(0, 0, 300, 100)), QColor(0, 255, 0)));
    }

    void printedTextSurvivesARepaint() {
        Calculate(0, "150", "1000");
        const QRect area(0, 0, 300, 100);
        const QImage before = Grab(window.get(), area);
        QVERIFY(HasPixelOtherThan(before, QColor(0, 255, 0)));
        window->hide();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->repaint();
        QCOMPARE(Grab(window.get(), area), before);
    }

    void textHidesBehindTheFrameAndCoversTheLabel() {
        const QRect frameArea(304, 16, 137, 313);
        const QRect labelArea(16, 296, 126, 12);
        const QImage frameBefore = Grab(window.get(), frameArea);
        const QImage labelBefore = Grab(window.get(), labelArea);
        // 25 lines of solid blocks reach the label's row and run far past the frame's left edge.
        for (int i = 0; i < 28; ++i) window->Print({std::string(120, '#')});
        QCOMPARE(Grab(window.get(), frameArea), frameBefore);
        QVERIFY(Grab(window.get(), labelArea) != labelBefore);
        QVERIFY(HasPixelOtherThan(Grab(window.get(), QRect(0, 0, 304, 16)), QColor(0, 255, 0)));
        QCOMPARE(Lines().size(), 28);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmarith::SetUpApplication(application);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
