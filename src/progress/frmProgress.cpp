#include "frmProgress.h"

#include "../appearance/Appearance.h"
#include "../platform/Platform.h"
#include "../store/Progress.h"
#include "../store/Statements.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"
#include "ScoreChart.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

QTreeWidget* table(const QString& name, const QStringList& headers) {
    auto* t = named(new QTreeWidget, name);
    t->setRootIsDecorated(false);
    t->setUniformRowHeights(true);
    t->setHeaderLabels(headers);
    t->header()->setStretchLastSection(false);
    t->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

QString percent(double share) {
    return QString::number(std::lround(share * 100)) + QLatin1Char('%');
}

} // namespace

frmProgress::frmProgress(AppContext& session, QWidget* parent) : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("学习进度"));
    resize(980, 640);
    auto* box = new QVBoxLayout(this);

    LblReadiness = label(QStringLiteral("LblReadiness"), {});
    LblMethod = label(QStringLiteral("LblMethod"), {});
    LblMethod->setWordWrap(true);
    box->addWidget(LblReadiness);
    box->addWidget(LblMethod);
    auto* step = new QHBoxLayout;
    LblNextStep = label(QStringLiteral("LblNextStep"), {});
    LblNextStep->setWordWrap(true);
    BtnNextStep = button(QStringLiteral("BtnNextStep"), {});
    BtnNextStep->setMinimumHeight(32);
    step->addWidget(LblNextStep, 1);
    step->addWidget(BtnNextStep);
    box->addLayout(step);

    auto* middle = new QHBoxLayout;
    auto* chapters = new QGroupBox(QStringLiteral("各章情况（薄弱的在前，点击一章开始练习）"));
    auto* chapterBox = new QVBoxLayout(chapters);
    LstChapters = chapterTable();
    chapterBox->addWidget(LstChapters);
    middle->addWidget(chapters, 3);

    auto* scores = new QGroupBox(QStringLiteral("模拟考试成绩"));
    auto* scoreBox = new QVBoxLayout(scores);
    ChartScores = named(new ScoreChart, QStringLiteral("ChartScores"));
    LblNoScores = label(QStringLiteral("LblNoScores"),
                        QStringLiteral("还没有模拟考试成绩。考完一次，这里会画出成绩走势。"));
    LblNoScores->setAlignment(Qt::AlignCenter);
    LblNoScores->setWordWrap(true);
    scoreBox->addWidget(ChartScores);
    scoreBox->addWidget(LblNoScores);
    middle->addWidget(scores, 2);
    box->addLayout(middle, 3);

    auto* often = new QGroupBox(QStringLiteral("易错题（至少答过两次，按答错比例排列）"));
    auto* oftenBox = new QVBoxLayout(often);
    LstOftenWrong =
        table(QStringLiteral("LstOftenWrong"), {QStringLiteral("题号"), QStringLiteral("题目"),
                                                QStringLiteral("作答"), QStringLiteral("答错")});
    LstOftenWrong->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    oftenBox->addWidget(LstOftenWrong);
    box->addWidget(often, 2);

    auto* buttons = new QHBoxLayout;
    BtnOftenWrong = button(QStringLiteral("BtnOftenWrong"), QStringLiteral("练习易错题"));
    BtnClose = button(QStringLiteral("BtnClose"), QStringLiteral("关闭"));
    buttons->addWidget(BtnOftenWrong);
    buttons->addStretch();
    buttons->addWidget(BtnClose);
    for (auto* b : {BtnOftenWrong, BtnClose})
        b->setMinimumSize(120, 32);
    box->addLayout(buttons);

    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(LstChapters, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString chapter = item->data(0, Qt::UserRole).toString();
        choose({Sql::chapterCount(s.practice.CarTypeCode, chapter),
                Sql::chapterPracticeIds(s.practice.CarTypeCode, chapter),
                QuestionSet::Mode::Chapter, false, QStringLiteral("《章节练习》") + item->text(0)});
    });
    connect(BtnNextStep, &QPushButton::clicked, this, [this] {
        if (next_.action == NextStep::Action::MockExam) {
            examChosen_ = true;
            accept();
            return;
        }
        choose({Sql::chapterCount(s.practice.CarTypeCode, next_.chapter),
                Sql::chapterPracticeIds(s.practice.CarTypeCode, next_.chapter),
                QuestionSet::Mode::Random, true,
                QStringLiteral("《随机练习》第%1章").arg(next_.chapter)});
    });
    connect(BtnOftenWrong, &QPushButton::clicked, this, [this] {
        choose({Sql::oftenWrongCount(s.practice.CarTypeCode),
                Sql::oftenWrongIds(s.practice.CarTypeCode), QuestionSet::Mode::OftenWrong, false,
                QStringLiteral("易错题练习共(%1题)").arg(LstOftenWrong->topLevelItemCount())});
    });

    loaded_ = guarded(s, this, [this] {
        night_ = StoredSkin(s) == NightSkin;
        const Progress progress = ReadProgress(s.Conn, s.practice.CarTypeCode);
        showReadiness(progress);
        showChapters(progress);
        showScores(progress);
        showOftenWrong(progress);
    });
}

std::optional<PracticeRequest> frmProgress::ask(AppContext& s, QWidget* parent, bool* examChosen) {
    frmProgress page(s, parent);
    if (!page.loaded()) return std::nullopt;
    s.platform.showModal(&page);
    if (examChosen) *examChosen = page.examChosen();
    return page.choice();
}

void frmProgress::showReadiness(const Progress& p) {
    const ReadinessEstimate& e = p.estimate;
    // Readable on the page: dark shades by day, light ones on the 夜间 skin.
    QString colour = night_ ? "#C8C8C8" : "#555555";
    if (p.anyHistory && e.enough) {
        const ReadyVerdict verdict = VerdictOf(e);
        colour = verdict == ReadyVerdict::Ready   ? (night_ ? "#7EE09A" : "#1A7F34")
                 : verdict == ReadyVerdict::Close ? (night_ ? "#F0C060" : "#8A5200")
                                                  : (night_ ? "#FF9A9A" : "#C62828");
    }
    const QString figure = ReadinessText(e, p.anyHistory);
    LblReadiness->setTextFormat(Qt::RichText);
    LblReadiness->setText(
        QStringLiteral("<span style='font-size:22px; font-weight:bold; color:%1'>现在考模拟考试，"
                       "及格的把握：%2</span>")
            .arg(colour, figure));
    QString method =
        QStringLiteral(
            "怎么算的：每道题按你答过它的每一次来估计现在答对的把握——看过答案后答对、当天答错后"
            "再答对只算一点点；隔得越久的作答分量越轻，隔天以后再答对一次，记得就越久；没做过的题按"
            "你在这一章第一次作答的正确率估计（不低于瞎猜的 25%/50%）。再按试卷各章题数抽题，"
            "求得分不低于 %1 分的概率；最近 30 天的模拟考试成绩会把估计拉向它们的平均分。"
            "区间是估计的不确定范围，十次里约有八次包含真实的把握。")
            .arg(p.passScore);
    if (p.anyHistory && !e.enough)
        method += QStringLiteral("\n数据不足：近期独立的第一次作答约 %1 题（至少要 100 题），"
                                 "或已做的题还代表不了整张试卷。")
                      .arg(std::lround(e.freshAnswers));
    LblMethod->setText(method);
    next_ = p.next;
    LblNextStep->setText(QStringLiteral("下一步：") + next_.text);
    BtnNextStep->setText(next_.action == NextStep::Action::MockExam
                             ? QStringLiteral("做一次模拟考试")
                             : QStringLiteral("开始第%1章随机练习").arg(next_.chapter));
}

QTreeWidget* frmProgress::chapterTable() {
    QTreeWidget* t =
        table(QStringLiteral("LstChapters"),
              {QStringLiteral("章节"), QStringLiteral("已练/总数"), QStringLiteral("答对把握"),
               QStringLiteral("未练"), QStringLiteral("每卷预计失分")});
    t->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    return t;
}

void frmProgress::fillChapters(QTreeWidget* list, QList<ChapterOutlook> weakestFirst,
                               bool anyHistory) {
    std::stable_sort(weakestFirst.begin(), weakestFirst.end(),
                     [](const ChapterOutlook& a, const ChapterOutlook& b) {
                         return a.expectedLoss() > b.expectedLoss();
                     });
    for (const ChapterOutlook& c : weakestFirst) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, c.chapter + QStringLiteral("、") + ChapterTitle(c.chapter));
        item->setData(0, Qt::UserRole, c.chapter);
        item->setToolTip(0, item->text(0));
        item->setText(1, QStringLiteral("%1/%2").arg(c.seen).arg(c.total));
        item->setText(2, anyHistory ? percent(c.chance) : QStringLiteral("—"));
        item->setText(3, QString::number(c.unseen()));
        if (c.quota > 0) {
            item->setText(4, QString::number(c.expectedLoss(), 'f', 1));
        } else {
            item->setText(4, QStringLiteral("不考"));
            item->setToolTip(4, QStringLiteral("这个车型的模拟考试不从这一章抽题"));
        }
        for (int column = 1; column <= 4; ++column)
            item->setTextAlignment(column, Qt::AlignCenter);
    }
}

void frmProgress::showChapters(const Progress& p) {
    fillChapters(LstChapters, p.estimate.chapters, p.anyHistory);
}

void frmProgress::showScores(const Progress& p) {
    const bool any = !p.scores.isEmpty();
    ChartScores->setVisible(any);
    LblNoScores->setVisible(!any);
    if (!any) return;
    QList<int> scores;
    QList<bool> hall;
    for (const auto& record : p.scores) {
        scores.append(record.score);
        hall.append(record.hall);
    }
    ChartScores->setScores(scores, p.passScore, night_, hall);
}

void frmProgress::showOftenWrong(const Progress& p) {
    for (const OftenWrongQuestion& q : p.oftenWrong) {
        auto* item = new QTreeWidgetItem(LstOftenWrong);
        item->setText(0, QString::number(q.id));
        item->setText(1, q.text.left(80));
        item->setToolTip(1, q.text.left(400));
        item->setText(2, QString::number(q.answered));
        item->setText(3, QString::number(q.wrong));
        for (int column : {0, 2, 3})
            item->setTextAlignment(column, Qt::AlignCenter);
    }
    BtnOftenWrong->setEnabled(!p.oftenWrong.isEmpty());
    BtnOftenWrong->setText(p.oftenWrong.isEmpty()
                               ? QStringLiteral("暂无易错题")
                               : QStringLiteral("练习这 %1 道易错题").arg(p.oftenWrong.size()));
}

void frmProgress::choose(PracticeRequest request) {
    choice_ = std::move(request);
    accept();
}
