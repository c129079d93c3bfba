#include "ScoreChart.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The distance between labelled exams: 1, 2 or 5 times a power of ten, so at most six fit.
int NiceStep(int exams) {
    for (int power = 1;; power *= 10)
        for (int factor : {1, 2, 5})
            if (exams <= 6 * factor * power) return factor * power;
}

struct Palette {
    QColor back, frame, grid, text, line, pass;
};

Palette paletteFor(bool night) {
    if (night)
        return {QColor(0x2e, 0x30, 0x3a), QColor(0x8a, 0x8d, 0x99), QColor(0x4a, 0x4d, 0x58),
                QColor(0xdc, 0xdc, 0xdc), QColor(0x5f, 0xb4, 0xff), QColor(0xff, 0x70, 0x70)};
    return {Qt::white,
            QColor(0x80, 0x80, 0x80),
            QColor(0xe2, 0xe2, 0xe2),
            QColor(0x33, 0x33, 0x33),
            QColor(0x20, 0x6c, 0xc8),
            QColor(0xc6, 0x28, 0x28)};
}

} // namespace

ScoreChart::ScoreChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(340, 240);
}

void ScoreChart::setScores(QList<int> scores, int passScore, bool night, QList<bool> hall) {
    scores_ = std::move(scores);
    hall_ = std::move(hall);
    hall_.resize(scores_.size());
    passScore_ = passScore;
    night_ = night;
    update();
}

QList<int> ScoreChart::ticks() const {
    QList<int> ticks;
    const int exams = int(scores_.size());
    if (exams == 0) return ticks;
    const int step = NiceStep(exams);
    for (int t = step == 1 ? 1 : step; t <= exams; t += step)
        ticks.append(t);
    return ticks;
}

void ScoreChart::paintEvent(QPaintEvent*) {
    const Palette colours = paletteFor(night_);
    QPainter p(this);
    p.fillRect(rect(), colours.back);
    if (scores_.isEmpty()) return;
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const int line = fm.height();
    const QString passName = QStringLiteral("合格线 %1 分").arg(passScore_);
    const QString scoreName = QStringLiteral("成绩");
    // Room for the score labels on the left, the exam labels, the axis name and the legend below.
    const QRectF plot = QRectF(rect()).adjusted(fm.horizontalAdvance(QStringLiteral("100")) + 14,
                                                line / 2 + 6, -line, -(3 * line + 18));
    if (plot.width() < 20 || plot.height() < 20) return;
    // Half an exam of room at each end, so the first and last points sit inside the frame.
    const int exams = int(scores_.size());
    const double first = 0.5, last = exams + 0.5;
    auto at = [&](double exam, double score) {
        return QPointF(plot.left() + (exam - first) / (last - first) * plot.width(),
                       plot.bottom() - score / 100.0 * plot.height());
    };

    p.setPen(colours.text);
    for (int score = 0; score <= 100; score += 20) {
        const double y = at(first, score).y();
        p.setPen(QPen(colours.grid, 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(colours.text);
        p.drawText(QRectF(0, y - line / 2.0, plot.left() - 6, line),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(score));
    }
    for (int exam : ticks()) {
        const double x = at(exam, 0).x();
        p.setPen(QPen(colours.frame, 1));
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        p.setPen(colours.text);
        p.drawText(QRectF(x - 40, plot.bottom() + 5, 80, line), Qt::AlignHCenter | Qt::AlignTop,
                   QString::number(exam));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 5 + line, plot.width(), line),
               Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("第几次考试（从早到晚）"));
    p.setPen(QPen(colours.frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);

    QPen dashed(colours.pass, 1.5, Qt::DashLine);
    p.setPen(dashed);
    p.drawLine(at(first, passScore_), at(last, passScore_));

    QPainterPath path(at(1, scores_.first()));
    for (int i = 1; i < exams; ++i)
        path.lineTo(at(i + 1, scores_[i]));
    p.setPen(QPen(colours.line, 2));
    p.drawPath(path);
    // Points mark each exam while they stay apart.
    if (exams <= 60) {
        p.setBrush(colours.line);
        for (int i = 0; i < exams; ++i) {
            const QPointF point = at(i + 1, scores_[i]);
            if (hall_[i])
                p.drawRect(QRectF(point - QPointF(4, 4), QSizeF(8, 8)));
            else
                p.drawEllipse(point, 3, 3);
        }
    }

    // The legend: a short sample of each line with its name, side by side under the axis name.
    const double legendY = plot.bottom() + 10 + 2 * line + line / 2.0;
    const int sample = 24, gap = 16;
    const double width =
        2 * sample + 2 * 6 + fm.horizontalAdvance(scoreName) + fm.horizontalAdvance(passName) + gap;
    double x = plot.center().x() - width / 2;
    p.setPen(QPen(colours.line, 2));
    p.drawLine(QPointF(x, legendY), QPointF(x + sample, legendY));
    x += sample + 6;
    p.setPen(colours.text);
    p.drawText(QPointF(x, legendY + fm.ascent() / 2.0 - 1), scoreName);
    x += fm.horizontalAdvance(scoreName) + gap;
    p.setPen(dashed);
    p.drawLine(QPointF(x, legendY), QPointF(x + sample, legendY));
    x += sample + 6;
    p.setPen(colours.text);
    p.drawText(QPointF(x, legendY + fm.ascent() / 2.0 - 1), passName);
    if (exams > 60 || !hall_.contains(true)) return;
    const QString hallName = QStringLiteral("考场模式");
    x += fm.horizontalAdvance(passName) + gap;
    p.setBrush(colours.line);
    p.setPen(QPen(colours.line, 2));
    p.drawRect(QRectF(x + sample / 2.0 - 4, legendY - 4, 8, 8));
    x += sample + 6;
    p.setPen(colours.text);
    p.drawText(QPointF(x, legendY + fm.ascent() / 2.0 - 1), hallName);
}
