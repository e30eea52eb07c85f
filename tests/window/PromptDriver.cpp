#include "PromptDriver.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>

namespace velmarith::testing {

namespace {
constexpr int kPollMs = 5;
constexpr int kWatchdogMs = 3000;
}  // namespace

PromptDriver::PromptDriver() {
    connect(&timer_, &QTimer::timeout, this, &PromptDriver::Poll);
    timer_.start(kPollMs);
}

void PromptDriver::Poll() {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
        seen_ = nullptr;
        return;
    }
    if (dialog != seen_) {
        seen_ = dialog;
        waited_ = 0;
        labels << dialog->labelText();
        titles << dialog->windowTitle();
        initialTexts << dialog->textValue();
    }
    if (answers_.empty()) {
        waited_ += kPollMs;
        if (waited_ >= kWatchdogMs) {
            ++unexpectedPrompts;
            dialog->reject();
        }
        return;
    }
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    seen_ = nullptr;
    if (!answer) {
        dialog->reject();
        return;
    }
    // Type the answer as a user would, then OK.
    auto* edit = dialog->findChild<QLineEdit*>();
    if (edit != nullptr) {
        edit->setFocus();
        QTest::keyClicks(edit, *answer);
    } else {
        dialog->setTextValue(*answer);
    }
    dialog->accept();
}

}  // namespace velmarith::testing
