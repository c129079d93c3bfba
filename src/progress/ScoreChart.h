#pragma once

#include "../ui/Layer.h"

#include <QList>
#include <QWidget>

// The mock-exam scores from first to last as a line, with the pass mark dashed across, painted
// here so the page looks the same wherever it runs (no chart library is needed).
class ScoreChart : public QWidget {
    Q_OBJECT
  public:
    explicit ScoreChart(QWidget* parent = nullptr);

    void setScores(QList<int> scores, int passScore, bool night);
    const QList<int>& scores() const { return scores_; }
    int passScore() const { return passScore_; }
    // The exams named under the line: whole exams (1, 2, 3 … or 100, 200 …), at most six.
    QList<int> ticks() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QList<int> scores_;
    int passScore_ = 0;
    bool night_ = false;
};
