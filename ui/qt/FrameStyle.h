#pragma once

#include <QProxyStyle>

namespace velmarith {

// Frame1's style: Qt's own group box, but its area inside the border line keeps the frame's
// fill colour. Fusion lays a faint translucent panel over it (yellow would show as 252,252,0).
class FrameStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace velmarith
