#pragma once

#include "../ui/Layer.h"

#include "../services/Practice.h"
#include "../store/Bank.h"

#include <QObject>
#include <optional>

class CommandColumn;
class QCheckBox;
class QPushButton;
class QuestionPanel;
class QWidget;
struct AppContext;

// The entries that bring questions back: 今日复习 (the due questions of the review schedule),
// 收藏练习 (the starred ones), 专项练习 (one topic), 法规变化 (the questions of one rule change
// since 2021), and the unseen-first switch of 随机练习.
// It adds its controls to the command column and the star's handling to the question panel;
// the main window loads what an entry chooses.
class ReviewDrills : public QObject {
    Q_OBJECT
  public:
    enum Drill { Review, Favourites, Topics, RuleChanges };
    ReviewDrills(AppContext& session, CommandColumn* commands, QWidget* window);
    // The star of the question panel, once it is built.
    void attach(QuestionPanel* panel);

    // The set an entry asks for; nothing when the learner cancelled or there is nothing to
    // practise (the learner has been told).
    std::optional<PracticeRequest> choose(int drill);
    // The id query of whole-class random practice, unseen questions first when switched on.
    Statement randomIds() const;
    // Shows the number of questions due today for the class (the main window calls it after
    // an entry or a class change).
    void refresh();
    // After the main window has judged an answer: the counts, and a drill that ran out says so.
    void afterAnswer();

  signals:
    void drillClicked(int drill);

  private:
    QString caption(const QString& prefix, int n) const;
    void tellWhenRunOut();
    QString nextDue();
    void setFavourite(bool on);

    AppContext& s;
    CommandColumn* commands_;
    QWidget* window_;
    QPushButton* BtnReview;
    QPushButton* BtnFavourites;
    QPushButton* BtnTopics;
    QPushButton* BtnRuleChanges;
    QCheckBox* ChkUnseenFirst;
    // The counts as last shown: a drill has run out when an answer takes them to nothing.
    int due_ = 0, wrong_ = 0;
};
