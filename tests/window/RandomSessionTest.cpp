// Thousands of random sessions against the real window: list choices, typing in the list,
// clicks and keys on enabled and disabled buttons, label clicks, prompt answers (numbers,
// extremes, garbage, Cancel). After every event the enabled buttons follow the state table,
// every printed line is one the window may print, and every output press is whole.
// The seed is printed on failure; VELMARITH_SEED=<n> replays it.
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <random>

#include "tests/support/Invariants.h"
#include "ui/qt/Application.h"
#include "ui/qt/ExpansionWindow.h"
#include "ui/qt/MaterialList.h"
#include "ui/qt/PrintArea.h"

using velmarith::Button;
using velmarith::ExpansionWindow;

namespace {

const char* const kAnswers[] = {
    "150", "-100", "-200",   "800",  "801",  "900",    "20",    "100",          "300",
    "500", "700",  "750",    "1000", "-201", "800.5",  "801.5", "20.5",         "1e39",
    "abc", " ",    "１５０", "0",    "-0.0", "1E+37",  "99",    "3.4028235e38", "32767.5",
    "650", "2500", "",       "1,5",  "inf",  "-32768", "12abc",
};

constexpr int kSessions = 3000;
constexpr int kEventsPerSession = 16;

}  // namespace

class RandomSessionTest : public QObject {
    Q_OBJECT

  private slots:
    void randomSessionsKeepTheInvariants() {
        const quint64 seed = qEnvironmentVariableIsSet("VELMARITH_SEED")
                                 ? qEnvironmentVariable("VELMARITH_SEED").toULongLong()
                                 : 20261208;
        std::mt19937_64 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<quint64>(n)); };

        int results = 0;
        for (int session = 0; session < kSessions; ++session) {
            ExpansionWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            // Answers each prompt as soon as it is open.
            connect(&window, &ExpansionWindow::PromptOpened, &window, [&](QWidget* widget) {
                auto* dialog = static_cast<QInputDialog*>(widget);
                const int choice = pick(static_cast<int>(std::size(kAnswers)) + 3);
                QTimer::singleShot(0, dialog, [dialog, choice] {
                    if (choice >= static_cast<int>(std::size(kAnswers))) {
                        dialog->reject();
                    } else {
                        dialog->setTextValue(QString::fromUtf8(kAnswers[choice]));
                        dialog->accept();
                    }
                });
            });
            velmarith::testing::ButtonModel model;
            const QString context = QString("seed %1, session %2").arg(seed).arg(session);

            for (int event = 0; event < kEventsPerSession; ++event) {
                const QStringList before = window.PrintSurface()->Lines();
                // Weighted towards the presses that lead to a result.
                constexpr int kKinds[] = {0, 0, 0, 1, 2, 2, 3, 3, 4, 4, 4, 4, 5, 6, 7};
                const int kind = kKinds[pick(static_cast<int>(std::size(kKinds)))];
                Button pressed = Button::Command5;
                bool output = false;
                switch (kind) {
                    case 0:
                        window.Combo1()->Choose(pick(8));
                        model.materialPicked = true;
                        break;
                    case 1: {
                        auto* edit = window.Combo1()->lineEdit();
                        edit->setFocus();
                        QTest::keyClicks(edit, "Cr");
                        break;
                    }
                    case 2:
                    case 3:
                    case 4:
                    case 5: {
                        pressed = static_cast<Button>(kind - 2);
                        QPushButton* button = window.CommandButton(pressed);
                        const bool wasEnabled = button->isEnabled();
                        if (pick(2) == 0) {
                            QTest::mouseClick(button, Qt::LeftButton);
                        } else {
                            button->setFocus();
                            QTest::keyClick(button, Qt::Key_Space);
                        }
                        if (wasEnabled && pressed == Button::Command2)
                            model.temperatureAsked = true;
                        if (wasEnabled && pressed == Button::Command3) model.lengthAsked = true;
                        output = wasEnabled && pressed == Button::Command4;
                        break;
                    }
                    case 6:
                        QTest::mouseClick(window.findChild<QLabel*>("Label1"), Qt::LeftButton);
                        break;
                    default:
                        QTest::keyClick(window.Combo1(), Qt::Key_Down);
                        model.materialPicked =
                            model.materialPicked || window.SelectedListPosition() >= 0;
                        break;
                }

                const QStringList after = window.PrintSurface()->Lines();
                std::vector<std::string> printed;
                const bool appended =
                    after.size() >= before.size() && after.mid(0, before.size()) == before;
                if (!appended) printed.emplace_back("<cls>");
                for (qsizetype i = appended ? before.size() : 0; i < after.size(); ++i) {
                    const std::string line = after[i].toStdString();
                    const std::string problem = velmarith::testing::CheckLine(line);
                    QVERIFY2(problem.empty(), qPrintable(context + ": " + problem.c_str()));
                    printed.push_back(line);
                }
                if (output) {
                    const std::string problem = velmarith::testing::CheckOutputPress(
                        printed, window.Form().State(), window.SelectedListPosition());
                    QVERIFY2(problem.empty(), qPrintable(context + ": " + problem.c_str()));
                    if (printed.size() >= 5) ++results;
                }
                std::set<Button> enabled;
                for (auto b :
                     {Button::Command2, Button::Command3, Button::Command4, Button::Command5}) {
                    if (window.CommandButton(b)->isEnabled()) enabled.insert(b);
                }
                QVERIFY2(enabled == model.Expected(), qPrintable(context + ": enabled buttons"));
            }
        }
        // The sessions must reach real results, not only messages.
        QVERIFY2(results > kSessions / 10, qPrintable(QString("only %1 results").arg(results)));
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmarith::SetUpApplication(application);
    RandomSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RandomSessionTest.moc"
