#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "runtime/Runtime.h"
#include "ui/ExpansionForm.h"

class QMenu;

namespace velmarith {

class Announcer;
class CaptionLabel;
class MaterialList;
class PrintArea;

// The window 膨胀量计算: places the controls, implements the runtime on them and forwards each
// control's event to the form's handler. It holds no calculation or flow of its own.
class ExpansionWindow : public QWidget, public Runtime {
    Q_OBJECT

  public:
    explicit ExpansionWindow(QWidget* parent = nullptr);

    void PrintLine(std::span<const std::string_view> items) override;
    void Cls() override;
    std::optional<std::string> InputBox(std::string_view prompt) override;
    void EnableButton(Button button) override;
    std::int16_t SelectedListPosition() override;

    const ExpansionForm& Form() const { return form_; }
    PrintArea* PrintSurface() const { return printArea_; }
    MaterialList* Combo1() const { return combo1_; }
    QPushButton* CommandButton(Button button) const;

  signals:
    // A prompt is about to open; tests answer it from here.
    void PromptOpened(QWidget* dialog);
    // The print area's context menu is about to open; tests act on it from here.
    void MenuOpened(QMenu* menu);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Runs one control's handler unless a prompt is open, and has the lines it printed spoken.
    void Handle(const QWidget* control, const std::function<void()>& handler);
    void AnnouncePrinted();
    // The print area's menu (复制), at a screen position; from the keyboard its item is
    // selected at once, so that it is what the screen reader says.
    void OpenPrintAreaMenu(const QPoint& globalPos, bool fromKeyboard);
    QPushButton* MakeButton(const char* name, std::string_view caption, const QRect& place,
                            bool enabled);

    ExpansionForm form_{*this};
    PrintArea* printArea_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    MaterialList* combo1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    CaptionLabel* label1_ = nullptr;
    Announcer* announcer_ = nullptr;
    QStringList unspoken_;  // lines printed since the last announcement
};

}  // namespace velmarith
