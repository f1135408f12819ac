#pragma once

#include <QProgressBar>
#include <QTimer>

namespace kv {

// The old percentage gauge: a filled bar for `floodPercent` and a caption the program writes.
// Values above 100 fill the bar; the caption still tells the true number.
class FloodGauge : public QProgressBar
{
    Q_OBJECT
public:
    explicit FloodGauge(QWidget* parent = nullptr);

    double floodPercent() const { return m_percent; }
    void setFloodPercent(double percent);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // Percentage and its whole-number caption together.
    void setFloodWithCaption(double percent);

    QString text() const override { return m_caption; }

signals:
    void floodChanged(double percent);

private:
    void showPercent();

    double m_percent = 0;
    QString m_caption;
    // QProgressBar repaints at once on every new value; a copy sets thousands of values a
    // second, so the bar follows at screen pace instead.
    QTimer m_repaint;
};

} // namespace kv
