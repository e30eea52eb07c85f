#pragma once

#include <QObject>
#include <QTest>
#include <memory>

#include "PromptDriver.h"
#include "ui/qt/ExpansionWindow.h"

namespace velmarith::testing {

// A fresh window for each test and a driver that answers its prompts; on closing, no prompt
// may have been left unanswered.
class WindowFixture : public QObject {
  protected:
    void OpenWindow(bool activate) {
        window = std::make_unique<ExpansionWindow>();
        prompts = std::make_unique<PromptDriver>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        if (!activate) return;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void CloseWindow() {
        QCOMPARE(prompts->unexpectedPrompts, 0);
        QVERIFY(prompts->Idle());
        prompts.reset();
        window.reset();
    }

    std::unique_ptr<ExpansionWindow> window;
    std::unique_ptr<PromptDriver> prompts;
};

}  // namespace velmarith::testing
