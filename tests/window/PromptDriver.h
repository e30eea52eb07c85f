#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <optional>

class QInputDialog;

namespace velmarith::testing {

// Answers the modal prompts of the real window as they open: text and OK, or Cancel
// (std::nullopt). It records each prompt's label, title and initial text. A prompt that is
// still open after the watchdog time with no answer left is cancelled and counted, so that a
// test fails instead of hanging.
class PromptDriver : public QObject {
    Q_OBJECT

  public:
    PromptDriver();

    void Queue(std::optional<QString> answer) { answers_.push_back(std::move(answer)); }
    bool Idle() const { return answers_.empty(); }

    QStringList labels;
    QStringList titles;
    QStringList initialTexts;
    int unexpectedPrompts = 0;

  private:
    void Poll();

    std::deque<std::optional<QString>> answers_;
    QTimer timer_;
    QInputDialog* seen_ = nullptr;
    int waited_ = 0;
};

}  // namespace velmarith::testing
