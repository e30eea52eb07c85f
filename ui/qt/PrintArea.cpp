#include "ui/qt/PrintArea.h"

#include <QPaintEvent>
#include <QPainter>

#include "ui/qt/WindowLayout.h"

namespace velmarith {

PrintArea::PrintArea(QWidget* parent) : QWidget(parent) {
    setObjectName("PrintArea");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void PrintArea::AppendLine(const QString& line) {
    const int top = static_cast<int>(lines_.size()) * layout::kLineHeight;
    lines_.append(line);
    if (!line.isEmpty()) update(0, top, width(), layout::kLineHeight);
}

void PrintArea::Clear() {
    lines_.clear();
    update();
}

QString PrintArea::Text() const {
    QString text;
    for (const auto& line : lines_) text += line + QLatin1Char('\n');
    return text;
}

void PrintArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QFontMetrics metrics(font());
    const QRect dirty = event->rect();
    // Only the lines that meet the dirty rectangle; lines below the bottom are never drawn.
    const int first = std::max(0, dirty.top() / layout::kLineHeight);
    const int last =
        std::min(static_cast<int>(lines_.size()) - 1, dirty.bottom() / layout::kLineHeight);
    for (int i = first; i <= last; ++i) {
        if (lines_[i].isEmpty()) continue;
        painter.drawText(0, i * layout::kLineHeight + metrics.ascent(), lines_[i]);
    }
}

}  // namespace velmarith
