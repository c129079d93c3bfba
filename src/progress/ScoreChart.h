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

    // `hall`: which exams were sat in the exam-hall mode; they are marked with a square.
    void setScores(QList<int> scores, int passScore, bool night, QList<bool> hall = {});
    const QList<int>& scores() const { return scores_; }
    const QList<bool>& hall() const { return hall_; }
    int passScore() const { return passScore_; }
    // The exams named under the line: whole exams (1, 2, 3 … or 100, 200 …), at most six.
    QList<int> ticks() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QList<int> scores_;
    QList<bool> hall_;
    int passScore_ = 0;
    bool night_ = false;
};
