#include "ui/qt/PrintArea.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "ui/qt/WindowLayout.h"

namespace velmarith {

PrintArea::PrintArea(QWidget* parent) : QWidget(parent) {
    setObjectName("PrintArea");
    setAccessibleName(QStringLiteral("输出结果"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void PrintArea::AppendLine(const QString& line) {
    const int top = static_cast<int>(lines_.size()) * layout::kLineHeight;
    const auto position = static_cast<int>(text_.size());
    lines_.append(line);
    lineStarts_.append(position);
    const QString added = line + QLatin1Char('\n');
    text_ += added;
    if (!line.isEmpty()) update(0, top, width(), layout::kLineHeight);
    QAccessibleTextInsertEvent event(this, position, added);
    QAccessible::updateAccessibility(&event);
}

void PrintArea::Clear() {
    const QString removed = std::exchange(text_, QString());
    lines_.clear();
    lineStarts_.clear();
    update();
    QAccessibleTextRemoveEvent event(this, 0, removed);
    QAccessible::updateAccessibility(&event);
}

QRect PrintArea::CharacterRect(int offset) const {
    if (offset < 0 || offset >= text_.size()) return {};
    const auto line = static_cast<int>(
        std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - lineStarts_.begin() - 1);
    const int column = offset - lineStarts_[line];
    const QFontMetrics metrics(font());
    const QString& text = lines_[line];
    const int left = metrics.horizontalAdvance(text.left(column));
    const int width = column < text.size() ? metrics.horizontalAdvance(text.at(column)) : 0;
    return {left, line * layout::kLineHeight, width, layout::kLineHeight};
}

int PrintArea::OffsetAt(const QPoint& point) const {
    const int line = point.y() / layout::kLineHeight;
    if (point.y() < 0 || line >= lines_.size() || point.x() < 0) return -1;
    const QFontMetrics metrics(font());
    const QString& text = lines_[line];
    int left = 0;
    for (int column = 0; column < text.size(); ++column) {
        left += metrics.horizontalAdvance(text.at(column));
        if (point.x() < left) return lineStarts_[line] + column;
    }
    return -1;
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
