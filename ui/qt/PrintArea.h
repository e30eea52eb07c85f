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
    // The lines as one text, each followed by "\n".
    QString Text() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList lines_;
};

}  // namespace velmarith
