#pragma once

#include <QStringList>
#include <QWidget>

namespace velmarith {

// The window's own surface for printed lines. It lies over Label1 and under Frame1, lets
// every mouse event through, and keeps its lines so that a repaint draws them again.
class PrintArea : public QWidget {
    Q_OBJECT

  public:
    explicit PrintArea(QWidget* parent);

    void AppendLine(const QString& line);
    void Clear();
    const QStringList& Lines() const { return lines_; }
    // The lines as one text, each followed by "\n"; what assistive technology reads.
    const QString& Text() const { return text_; }
    // Where the character at this offset of Text() is drawn, in the area's coordinates.
    QRect CharacterRect(int offset) const;
    int OffsetAt(const QPoint& point) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList lines_;
    QString text_;
    QList<int> lineStarts_;  // offset in text_ of each line
};

}  // namespace velmarith
