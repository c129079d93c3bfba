#include "ReviewDrills.h"

#include "../domain/Domain.h"
#include "../platform/Platform.h"
#include "../practice/CommandColumn.h"
#include "../practice/QuestionPanel.h"
#include "../services/Schedule.h"
#include "../store/Module1.h"
#include "../store/Numbers.h"
#include "../store/ReviewStatements.h"
#include "../store/RuleChanges.h"
#include "../store/Statements.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "frmRuleChanges.h"
#include "frmTopics.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QSqlQuery>

ReviewDrills::ReviewDrills(AppContext& session, CommandColumn* commands, QuestionPanel* panel,
                           QWidget* window)
    : QObject(window), s(session), commands_(commands), window_(window) {
    ChkUnseenFirst =
        named(new QCheckBox(QStringLiteral("未做过的题优先")), QStringLiteral("ChkUnseenFirst"));
    ChkUnseenFirst->setToolTip(QStringLiteral("随机练习先出从没答过的题，再出答过的题"));
    commands->insertBelow(CommandColumn::Random, ChkUnseenFirst);

    auto* entries = new QWidget;
    auto* grid = new QGridLayout(entries);
    grid->setContentsMargins(0, 0, 0, 0);
    BtnReview = button(QStringLiteral("BtnReview"), QStringLiteral("今日复习"));
    BtnFavourites = button(QStringLiteral("BtnFavourites"), QStringLiteral("收藏练习"));
    BtnFavourites->setToolTip(QStringLiteral("练习收藏（☆ 或 F 键）的题"));
    BtnTopics = button(QStringLiteral("BtnTopics"), QStringLiteral("专项练习"));
    BtnTopics->setToolTip(QStringLiteral("按交通标志、罚款与记分等专项练习"));
    BtnRuleChanges = button(QStringLiteral("BtnRuleChanges"), QStringLiteral("法规变化"));
    BtnRuleChanges->setToolTip(QStringLiteral("2021年以来的新规定，练习按它们出的题"));
    grid->addWidget(BtnReview, 0, 0, 1, 2);
    grid->addWidget(BtnFavourites, 1, 0);
    grid->addWidget(BtnTopics, 1, 1);
    grid->addWidget(BtnRuleChanges, 2, 0, 1, 2);
    const QList<QPair<QPushButton*, Drill>> drills = {{BtnReview, Review},
                                                      {BtnFavourites, Favourites},
                                                      {BtnTopics, Topics},
                                                      {BtnRuleChanges, RuleChanges}};
    for (const auto& [b, drill] : drills) {
        b->setMinimumHeight(CommandColumn::EntryHeight);
        connect(b, &QPushButton::clicked, this, [this, drill = drill] {
            emit drillClicked(drill);
            refresh();
        });
    }
    commands->insertBelow(CommandColumn::WrongQuestions, entries);

    connect(ChkUnseenFirst, &QCheckBox::clicked, this, [this](bool on) {
        guarded(s, window_, [this, on] {
            WriteSetting(s.Conn, Key::UnseenFirst, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
    });
    connect(panel, &QuestionPanel::favouriteClicked, this, [this](bool on) { setFavourite(on); });
    // A window left open past midnight counts the new day's questions within a minute.
    Clock* day = s.makeClock(QStringLiteral("reviewDay"), 60 * 1000, this);
    connect(day, &Clock::ticked, this, [this] { refresh(); });
    day->start();
}

void ReviewDrills::afterAnswer() {
    tellWhenRunOut();
    refresh();
}

void ReviewDrills::refresh() {
    guarded(s, window_, [this] {
        ChkUnseenFirst->setChecked(ReadSetting(s.Conn, Key::UnseenFirst) == QLatin1String("1"));
        const QDate today = QDate::currentDate();
        const int due = DueCount(s.practice, today);
        due_ = due;
        wrong_ = GetQuestionSum(s.Conn, Sql::wrongCount(s.practice.CarTypeCode));
        BtnReview->setText(QStringLiteral("今日复习 (%1)").arg(due));
        // A learner who just got questions wrong sees 0 here: say when they come back.
        const int tomorrow = DueCount(s.practice, today.addDays(1)) - due;
        const QString rule = QStringLiteral("答错的题从第二天起，按 1、2、4、7、15、30 天的间隔"
                                            "回到这里复习。");
        BtnReview->setToolTip(tomorrow > 0 ? rule + QStringLiteral("明天到期 %1 题。").arg(tomorrow)
                                           : rule);
    });
}

// The last question of 今日复习 or 错题练习 would otherwise just stay on screen: say the drill is
// done and when the schedule brings questions back.
void ReviewDrills::tellWhenRunOut() {
    if (s.practice.set.isEmpty() || s.practice.set.isExam()) return;
    guarded(s, window_, [this] {
        QString done;
        if (s.practice.set.mode() == QuestionSet::Mode::Review && due_ > 0 &&
            DueCount(s.practice, QDate::currentDate()) == 0)
            done = QStringLiteral("今天的复习已完成。");
        else if (s.practice.IsWrongQuestionPractice && wrong_ > 0 &&
                 GetQuestionSum(s.Conn, Sql::wrongCount(s.practice.CarTypeCode)) == 0)
            done = QStringLiteral("错题已全部答对。");
        if (!done.isEmpty())
            s.platform.information(window_, QStringLiteral("提示"),
                                   done + QStringLiteral("\r\n") + nextDue());
    });
}

QString ReviewDrills::nextDue() {
    const QDate today = QDate::currentDate();
    QDate day;
    int n = 0;
    s.Conn.forEachRow(Sql::nextDue(s.practice.CarTypeCode, today.toString(Qt::ISODate)),
                      [&](const QSqlQuery& row) {
                          day = QDate::fromString(row.value(0).toString(), Qt::ISODate);
                          n = row.value(1).toInt();
                      });
    if (!day.isValid() || n == 0) return QStringLiteral("复习计划里暂时没有别的题了。");
    const qint64 days = today.daysTo(day);
    return days == 1 ? QStringLiteral("下一次复习：明天，%1 题。").arg(n)
                     : QStringLiteral("下一次复习：%1（%2 天后），%3 题。")
                           .arg(day.toString(QStringLiteral("M月d日")))
                           .arg(days)
                           .arg(n);
}

Statement ReviewDrills::randomIds() const {
    return ChkUnseenFirst->isChecked()
               ? Sql::classIdsUnseenFirst(s.practice.CarTypeCode, s.Conn.hasHistory())
               : Sql::classIds(s.practice.CarTypeCode);
}

// The main window adds the class's name.
QString ReviewDrills::caption(const QString& prefix, int n) const {
    return prefix + QStringLiteral("—共%1题").arg(n);
}

std::optional<PracticeRequest> ReviewDrills::choose(int drill) {
    auto nothing = [this](const QString& text) {
        s.platform.information(window_, QStringLiteral("提示"), text);
        return std::nullopt;
    };
    if (!s.Conn.hasReviewTables() && (drill == Review || drill == Favourites))
        return nothing(QStringLiteral("这个题库是只读的旧版题库，没有复习计划和收藏。"));
    if (drill == Review) {
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const int n = GetQuestionSum(s.Conn, Sql::dueCount(s.practice.CarTypeCode, today));
        if (n == 0) {
            const int tomorrow = DueCount(s.practice, QDate::currentDate().addDays(1));
            return nothing(
                QStringLiteral("今天没有要复习的题。\r\n答错的题会在第二天起按 1、2、4、"
                               "7、15、30 天的间隔回到这里。") +
                (tomorrow > 0 ? QStringLiteral("\r\n明天到期 %1 题。").arg(tomorrow) : QString()));
        }
        return PracticeRequest{Sql::dueCount(s.practice.CarTypeCode, today),
                               Sql::dueIds(s.practice.CarTypeCode, today),
                               QuestionSet::Mode::Review, false,
                               caption(QStringLiteral("今日复习"), n)};
    }
    if (drill == Favourites) {
        const int n = GetQuestionSum(s.Conn, Sql::favouriteCount(s.practice.CarTypeCode));
        if (n == 0)
            return nothing(
                QStringLiteral("还没有收藏的题。\r\n点题号旁的 ☆（或按 F 键）收藏一道题。"));
        return PracticeRequest{
            Sql::favouriteCount(s.practice.CarTypeCode), Sql::favouriteIds(s.practice.CarTypeCode),
            QuestionSet::Mode::Favourites, false, caption(QStringLiteral("收藏练习"), n)};
    }
    if (drill == RuleChanges) {
        frmRuleChanges changes(s, window_);
        s.platform.showModal(&changes);
        const auto& picked = changes.choice();
        if (!picked) return std::nullopt;
        const int n = GetQuestionSum(s.Conn, Sql::ruleCount(s.practice.CarTypeCode, picked->rule));
        return PracticeRequest{Sql::ruleCount(s.practice.CarTypeCode, picked->rule),
                               Sql::ruleIds(s.practice.CarTypeCode, picked->rule),
                               QuestionSet::Mode::Topic, picked->shuffled,
                               caption(QStringLiteral("《法规变化》") + picked->title, n)};
    }
    frmTopics topics(s, window_);
    s.platform.showModal(&topics);
    const auto& picked = topics.choice();
    if (!picked) return std::nullopt;
    const int n = GetQuestionSum(s.Conn, Sql::topicCount(s.practice.CarTypeCode, picked->topic));
    return PracticeRequest{Sql::topicCount(s.practice.CarTypeCode, picked->topic),
                           Sql::topicIds(s.practice.CarTypeCode, picked->topic),
                           QuestionSet::Mode::Topic, picked->shuffled,
                           caption(QStringLiteral("《专项练习》") + picked->topic, n)};
}

void ReviewDrills::setFavourite(bool on) {
    if (s.practice.set.isEmpty()) return;
    guarded(s, window_,
            [this, on] { SetFavourite(s.practice, wholeNumber(s.practice.set.currentId()), on); });
}
