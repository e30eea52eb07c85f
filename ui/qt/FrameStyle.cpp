#include "ui/qt/FrameStyle.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

namespace velmarith {

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_FrameGroupBox || baseStyle()->name() != QLatin1String("fusion")) return;
    // Fusion's frame starts below the caption; its border line is the second pixel in from
    // each edge and everything inside it is shading, which the fill replaces.
    constexpr int kGroupBoxTopMargin = 3;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool untitled = box != nullptr && !box->isCheckable() && box->title().isEmpty();
    const int top =
        untitled ? kGroupBoxTopMargin
                 : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                       kGroupBoxTopMargin;
    const QRect inside = option->rect.adjusted(2, top + 2, -2, -2);
    painter->fillRect(inside, option->palette.color(QPalette::Window));
}

}  // namespace velmarith
