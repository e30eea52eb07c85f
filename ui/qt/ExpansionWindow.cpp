#include "ui/qt/ExpansionWindow.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleFactory>
#include <algorithm>

#include "tables/MaterialTables.h"
#include "texts/Texts.h"
#include "ui/qt/Announcer.h"
#include "ui/qt/CaptionLabel.h"
#include "ui/qt/EmptyTitle.h"
#include "ui/qt/FrameStyle.h"
#include "ui/qt/MaterialList.h"
#include "ui/qt/PrintArea.h"
#include "ui/qt/PromptGuard.h"
#include "ui/qt/PushButton.h"
#include "ui/qt/WindowLayout.h"

namespace velmarith {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Fill(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Where the menu keys open the print area's menu: near its top-left corner, over the lines.
constexpr QPoint kKeyboardMenuPlace(16, 16);

}  // namespace

ExpansionWindow::ExpansionWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(ToQString(texts::WindowName));
    setAccessibleName(ToQString(texts::WindowName));
    resize(layout::kClientWidth, layout::kClientHeight);
    Fill(this, QPalette::Window, layout::kBackground);

    // Stacking from the bottom: the label, the printed text over it, the frame over both.
    label1_ = new CaptionLabel(ToQString(texts::LabelCaption), this);
    label1_->setObjectName("Label1");
    label1_->setGeometry(layout::kLabel1);
    label1_->setFocusPolicy(Qt::NoFocus);
    Fill(label1_, QPalette::Window, palette().color(QPalette::Button));
    label1_->setForegroundRole(QPalette::ButtonText);
    connect(label1_, &CaptionLabel::Click, this,
            [this] { Handle(label1_, [this] { form_.Label1_Click(); }); });

    printArea_ = new PrintArea(this);
    printArea_->setGeometry(rect());

    frame1_ = new QGroupBox(ToQString(texts::FrameCaption), this);
    frame1_->setObjectName("Frame1");
    frame1_->setGeometry(layout::kFrame1);
    frame1_->setFocusPolicy(Qt::NoFocus);
    Fill(frame1_, QPalette::Window, layout::kFrameFill);
    auto* frameStyle = new FrameStyle(QStyleFactory::create(QApplication::style()->name()));
    frameStyle->setParent(frame1_);
    frame1_->setStyle(frameStyle);

    combo1_ = new MaterialList(frame1_);
    combo1_->setObjectName("Combo1");
    combo1_->setGeometry(layout::kCombo1);
    for (const auto text : MaterialListTexts) combo1_->addItem(ToQString(text));
    combo1_->setCurrentIndex(-1);
    combo1_->setEditText(ToQString(texts::ListStartText));
    // The red field needs a style that paints a combo box's field in the palette's colours;
    // the Windows styles draw it from the system theme.
    if (QApplication::style()->name() != QLatin1String("fusion")) {
        auto* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        fusion->setParent(combo1_);
        combo1_->setStyle(fusion);
    }
    QPalette listPalette = combo1_->palette();
    listPalette.setColor(QPalette::Base, layout::kListFill);
    combo1_->setPalette(listPalette);
    combo1_->lineEdit()->setPalette(listPalette);
    combo1_->view()->setPalette(listPalette);
    // The open list shows every entry whole; the closed field keeps its size.
    int widest = 0;
    for (int i = 0; i < combo1_->count(); ++i) {
        widest = std::max(widest,
                          combo1_->view()->fontMetrics().horizontalAdvance(combo1_->itemText(i)));
    }
    combo1_->view()->setMinimumWidth(widest +
                                     combo1_->view()->verticalScrollBar()->sizeHint().width() +
                                     4 * combo1_->view()->frameWidth() + 8);
    connect(combo1_, &MaterialList::Click, this,
            [this] { Handle(combo1_, [this] { form_.Combo1_Click(); }); });

    command2_ = MakeButton("Command2", texts::TemperatureCaption, layout::kCommand2, false);
    command3_ = MakeButton("Command3", texts::LengthCaption, layout::kCommand3, false);
    command4_ = MakeButton("Command4", texts::OutputCaption, layout::kCommand4, false);
    command5_ = MakeButton("Command5", texts::ClearCaption, layout::kCommand5, true);
    const auto handle = [this](QPushButton* button, const std::function<void()>& handler) {
        connect(button, &QPushButton::clicked, this,
                [this, button, handler] { Handle(button, handler); });
    };
    handle(command2_, [this] { form_.Command2_Click(); });
    handle(command3_, [this] { form_.Command3_Click(); });
    handle(command4_, [this] { form_.Command4_Click(); });
    handle(command5_, [this] { form_.Command5_Click(1); });

    setTabOrder(combo1_, command2_);
    setTabOrder(command2_, command3_);
    setTabOrder(command3_, command4_);
    setTabOrder(command4_, command5_);
    combo1_->setFocus();

    announcer_ = new Announcer(this);

    form_.Form_Load();
}

void ExpansionWindow::Handle(const QWidget* control, const std::function<void()>& handler) {
    // A handler never runs while a prompt is open, whatever asked for it.
    if (BlockedByPrompt(control)) return;
    handler();
    AnnouncePrinted();
}

void ExpansionWindow::AnnouncePrinted() {
    announcer_->Announce(unspoken_.join(QLatin1Char('\n')));
    unspoken_.clear();
}

QPushButton* ExpansionWindow::MakeButton(const char* name, std::string_view caption,
                                         const QRect& place, bool enabled) {
    auto* button = new PushButton(ToQString(caption), frame1_);
    button->setObjectName(name);
    connect(button, &PushButton::MenuRequested, this, [this] {
        if (BlockedByPrompt(this)) return;
        OpenPrintAreaMenu(printArea_->mapToGlobal(kKeyboardMenuPlace), true);
    });
    button->setGeometry(place);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setEnabled(enabled);
    return button;
}

QPushButton* ExpansionWindow::CommandButton(Button button) const {
    switch (button) {
        case Button::Command2:
            return command2_;
        case Button::Command3:
            return command3_;
        case Button::Command4:
            return command4_;
        case Button::Command5:
            return command5_;
    }
    return nullptr;
}

void ExpansionWindow::PrintLine(std::span<const std::string_view> items) {
    QString line;
    for (const auto item : items) line += ToQString(item);
    printArea_->AppendLine(line);
    if (!line.trimmed().isEmpty()) unspoken_.append(line.trimmed());
}

void ExpansionWindow::Cls() { printArea_->Clear(); }

std::optional<std::string> ExpansionWindow::InputBox(std::string_view prompt) {
    AnnouncePrinted();  // a message before the prompt, such as 温度超过范围,请重试!
    QInputDialog dialog(this);
    dialog.setObjectName("InputBox");
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(ToQString(prompt));
    dialog.setTextValue(QString());
    emit PromptOpened(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void ExpansionWindow::EnableButton(Button button) { CommandButton(button)->setEnabled(true); }

std::int16_t ExpansionWindow::SelectedListPosition() {
    return static_cast<std::int16_t>(combo1_->SelectedPosition());
}

void ExpansionWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The keyboard's menu keys come through the buttons, which know which menu is meant.
    if (event->reason() == QContextMenuEvent::Keyboard ||
        event->pos().x() >= layout::kFrame1.left() || BlockedByPrompt(this)) {
        event->ignore();
        return;
    }
    OpenPrintAreaMenu(event->globalPos(), false);
}

void ExpansionWindow::OpenPrintAreaMenu(const QPoint& globalPos, bool fromKeyboard) {
    QMenu menu(this);
    menu.setObjectName("PrintAreaMenu");
    menu.setAccessibleName(QStringLiteral("输出结果"));
    QAction* copy = menu.addAction(QStringLiteral("复制"));
    copy->setEnabled(!printArea_->Text().isEmpty());
    connect(copy, &QAction::triggered, this, [this, &menu] {
        QGuiApplication::clipboard()->setText(printArea_->Text());
        menu.hide();  // also when pressed through the accessibility interface
    });
    if (fromKeyboard && copy->isEnabled()) menu.setActiveAction(copy);
    emit MenuOpened(&menu);
    menu.exec(globalPos);
}

void ExpansionWindow::resizeEvent(QResizeEvent* event) {
    printArea_->setGeometry(0, 0, event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

void ExpansionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ClearWindowManagerTitle(this);
}

}  // namespace velmarith
