// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/BeaconChartWindow.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "res/BeaconChartTexts.h"

namespace wb::ui {
namespace {

QColor Colour(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

class PlotArea : public QWidget {
public:
    explicit PlotArea(QWidget* parent) : QWidget(parent) {
        setFixedSize(kChartPlotWidth, kChartPlotHeight);
    }

    BeaconChart chart;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        p.setRenderHint(QPainter::Antialiasing);
        const QFontMetrics fm = fontMetrics();
        const ChartDrawing d = LayOutBeaconChart(
            chart, width(), height(), fm.horizontalAdvance(QLatin1Char('0')), fm.height());
        for (const ChartDrawing::Line& line : d.lines) {
            QPen pen(Colour(line.colour), line.width, line.dashed ? Qt::DashLine : Qt::SolidLine);
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            QPolygonF points;
            for (const ChartPoint& point : line.points) {
                points << QPointF(point.x, point.y);
            }
            p.drawPolyline(points);
        }
        for (const ChartDrawing::Mark& mark : d.marks) {
            p.fillRect(QRectF(mark.centre.x - mark.half, mark.centre.y - mark.half, 2 * mark.half,
                              2 * mark.half),
                       Colour(mark.colour));
        }
        for (const ChartDrawing::Text& text : d.texts) {
            const QString s = QString::fromLatin1(text.text);
            const double w = fm.horizontalAdvance(s);
            const double x = text.at.x - (text.alignX + 1) * w / 2;
            const double baseline = text.alignY < 0 ? text.at.y + fm.ascent()
                                    : text.alignY > 0
                                        ? text.at.y - fm.descent()
                                        : text.at.y + (fm.ascent() - fm.descent()) / 2.0;
            p.setPen(Colour(text.colour));
            p.drawText(QPointF(x, baseline), s);
        }
    }
};

}  // namespace

BeaconChartWindow::BeaconChartWindow(QWidget* owner)
    : QDialog(owner), m_plot(new PlotArea(this)), m_sentence(new QLabel(this)) {
    setWindowTitle(QString::fromLatin1(res::kChartCaption));
    m_sentence->setWordWrap(true);
    m_sentence->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_plot);
    layout->addWidget(m_sentence);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void BeaconChartWindow::Show(const BeaconChart& chart, const std::string& sentence) {
    static_cast<PlotArea*>(m_plot)->chart = chart;
    m_plot->update();
    m_sentence->setText(QString::fromLatin1(sentence));
}

}  // namespace wb::ui
