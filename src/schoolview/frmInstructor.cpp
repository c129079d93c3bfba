#include "frmInstructor.h"

#include "../domain/Domain.h"
#include "../platform/Platform.h"
#include "../progress/ScoreChart.h"
#include "../progress/frmProgress.h"
#include "../store/Module1.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {

namespace Col {
enum { Name, Group, Class, Readiness, Coverage, Scores, Chapters, Topics, LastActive };
}
constexpr int SortRole = Qt::UserRole + 1;
constexpr int InactiveDays = 7;

// Sorts by the value behind the text: a range by its low end, a time by itself.
class RosterItem : public QTreeWidgetItem {
  public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(column, SortRole), b = other.data(column, SortRole);
        if (a.isValid() && b.isValid()) return QVariant::compare(a, b) < 0;
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};

QString percent(double share) {
    return QString::number(std::lround(share * 100)) + QLatin1Char('%');
}

QString className(const QString& code) {
    const int index = ClassIndex(code);
    return index < 0 ? QString() : VehicleClasses()[index].suffix.chopped(1);
}

bool ready(const RosterRow& r) {
    return r.anyHistory && r.estimate.enough && VerdictOf(r.estimate) == ReadyVerdict::Ready;
}

bool inactive(const RosterRow& r, const QDateTime& now) {
    return !r.lastActive.isValid() || r.lastActive.daysTo(now) >= InactiveDays;
}

// A cell as a spreadsheet takes it: quoted when needed, and never read as a formula.
QString csvCell(QString text) {
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')))
        return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    return text;
}

} // namespace

frmInstructor::frmInstructor(AppContext& session, QWidget* parent) : QWidget(parent), s(session) {
    setObjectName(QStringLiteral("frmInstructor"));
    setWindowTitle(QStringLiteral("驾校学员练习情况"));
    resize(1180, 640);
    auto* box = new QVBoxLayout(this);

    auto* login = new QHBoxLayout;
    TxtJoinCode = named(new QLineEdit, QStringLiteral("TxtJoinCode"));
    TxtJoinCode->setEchoMode(QLineEdit::Password);
    TxtJoinCode->setPlaceholderText(QStringLiteral("粘贴老师的加入码（kemu1-join:…）"));
    BtnConnect = button(QStringLiteral("BtnConnect"), QStringLiteral("连接"));
    login->addWidget(new QLabel(QStringLiteral("加入码")));
    login->addWidget(TxtJoinCode, 1);
    login->addWidget(BtnConnect);
    box->addLayout(login);
    LblSchool = label(QStringLiteral("LblSchool"), QStringLiteral("尚未连接驾校服务器。"));
    LblSchool->setWordWrap(true);
    box->addWidget(LblSchool);

    auto* filters = new QHBoxLayout;
    ChkReadyOnly =
        named(new QCheckBox(QStringLiteral("只看可以考试的")), QStringLiteral("ChkReadyOnly"));
    ChkInactive = named(new QCheckBox(QStringLiteral("只看 %1 天没有练习的").arg(InactiveDays)),
                        QStringLiteral("ChkInactive"));
    BtnRefresh = button(QStringLiteral("BtnRefresh"), QStringLiteral("刷新"));
    BtnExport = button(QStringLiteral("BtnExport"), QStringLiteral("导出 CSV"));
    filters->addWidget(ChkReadyOnly);
    filters->addWidget(ChkInactive);
    filters->addStretch();
    filters->addWidget(BtnRefresh);
    filters->addWidget(BtnExport);
    box->addLayout(filters);

    LstLearners = named(new QTreeWidget, QStringLiteral("LstLearners"));
    LstLearners->setRootIsDecorated(false);
    LstLearners->setUniformRowHeights(true);
    LstLearners->setSortingEnabled(true);
    LstLearners->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    box->addWidget(LstLearners, 1);

    guarded(s, this, [this] {
        if (s.Conn.isOpen()) passScore_ = GetPassScore(s.Conn);
    });
    LstLearners->setHeaderLabels(
        {QStringLiteral("学员"), QStringLiteral("班组"), QStringLiteral("车型"),
         QStringLiteral("及格把握"), QStringLiteral("已练"),
         QStringLiteral("最近五次模拟考试（%1 分及格）").arg(passScore_),
         QStringLiteral("薄弱章节"), QStringLiteral("薄弱专项"), QStringLiteral("最后练习")});
    LstLearners->sortByColumn(Col::Name, Qt::AscendingOrder);
    for (auto* b : {BtnConnect, BtnRefresh, BtnExport})
        b->setMinimumSize(100, 30);
    BtnRefresh->setEnabled(false);
    BtnExport->setEnabled(false);

    connect(BtnConnect, &QPushButton::clicked, this, [this] {
        if (const QString why = connectWith(TxtJoinCode->text()); !why.isEmpty())
            LblSchool->setText(why);
    });
    connect(BtnRefresh, &QPushButton::clicked, this, &frmInstructor::refresh);
    connect(BtnExport, &QPushButton::clicked, this, &frmInstructor::exportCsv);
    connect(ChkReadyOnly, &QCheckBox::toggled, this, &frmInstructor::applyFilters);
    connect(ChkInactive, &QCheckBox::toggled, this, &frmInstructor::applyFilters);
    connect(LstLearners, &QTreeWidget::itemClicked, this, &frmInstructor::showLearner);
}

frmInstructor::~frmInstructor() = default;

QString frmInstructor::connectWith(const QString& code) {
    const auto join = School::JoinDetails::fromCode(code);
    if (!join) return QStringLiteral("这不是有效的加入码，请检查是否完整复制。");
    auto roster = std::make_unique<SchoolRoster>(*join);
    if (const QString why = roster->connect(); !why.isEmpty()) return why;
    roster_ = std::move(roster);
    TxtJoinCode->clear();
    LblSchool->setText(QStringLiteral("已连接：%1（%2:%3/%4）")
                           .arg(join->role, join->host)
                           .arg(join->port)
                           .arg(join->database));
    BtnRefresh->setEnabled(true);
    BtnExport->setEnabled(true);
    refresh();
    return {};
}

void frmInstructor::refresh() {
    if (!roster_) return;
    QString error;
    QList<RosterRow> rows = roster_->learners(&error);
    if (!error.isEmpty()) return LblSchool->setText(error);
    rows_ = std::move(rows);
    LstLearners->setSortingEnabled(false);
    LstLearners->clear();
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        const RosterRow& r = rows_[i];
        auto* item = new RosterItem(LstLearners);
        item->setData(Col::Name, Qt::UserRole, int(i));
        item->setText(Col::Name, r.name);
        item->setToolTip(Col::Name, r.role);
        item->setText(Col::Group, r.group);
        item->setText(Col::Class, className(r.carType));
        item->setText(Col::Readiness, ReadinessText(r.estimate, r.anyHistory));
        item->setData(Col::Readiness, SortRole,
                      r.anyHistory && r.estimate.enough ? r.estimate.low : -1.0);
        item->setText(
            Col::Coverage,
            r.total > 0
                ? QStringLiteral("%1（%2/%3）").arg(percent(r.coverage)).arg(r.seen).arg(r.total)
                : QString());
        item->setData(Col::Coverage, SortRole, r.coverage);
        QStringList scores;
        int passed = 0;
        for (int score : r.lastScores) {
            scores.append(QString::number(score));
            passed += score >= passScore_;
        }
        item->setText(
            Col::Scores,
            r.lastScores.isEmpty()
                ? QStringLiteral("—")
                : scores.join(QLatin1Char(' ')) +
                      QStringLiteral("（%1/%2 及格）").arg(passed).arg(r.lastScores.size()));
        item->setData(Col::Scores, SortRole, r.lastScores.isEmpty() ? -1 : r.lastScores.first());
        QStringList weak, weakTitles;
        for (const ChapterOutlook& c : r.estimate.chapters) {
            if (c.quota == 0 || weak.size() == 2) continue;
            weak.append(QStringLiteral("第%1章").arg(c.chapter));
            weakTitles.append(c.chapter + QStringLiteral("、") + ChapterTitle(c.chapter));
        }
        item->setText(Col::Chapters, r.anyHistory ? weak.join(QStringLiteral("、")) : QString());
        item->setToolTip(Col::Chapters, weakTitles.join(QLatin1Char('\n')));
        QStringList topics;
        for (const TopicFigure& t : r.topics.mid(0, 2))
            topics.append(
                QStringLiteral("%1（%2）").arg(t.topic, percent(double(t.right) / t.answered)));
        item->setText(Col::Topics, topics.join(QStringLiteral("、")));
        item->setText(Col::LastActive,
                      r.lastActive.isValid()
                          ? r.lastActive.toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                          : QStringLiteral("从未"));
        item->setData(Col::LastActive, SortRole,
                      r.lastActive.isValid() ? r.lastActive.toSecsSinceEpoch() : qint64(0));
    }
    LstLearners->setSortingEnabled(true);
    applyFilters();
    LblSchool->setText(LblSchool->text().section(QStringLiteral("　"), 0, 0) +
                       QStringLiteral("　共 %1 名学员").arg(rows_.size()));
}

void frmInstructor::applyFilters() {
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < LstLearners->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = LstLearners->topLevelItem(i);
        const RosterRow& r = rows_[item->data(Col::Name, Qt::UserRole).toInt()];
        item->setHidden((ChkReadyOnly->isChecked() && !ready(r)) ||
                        (ChkInactive->isChecked() && !inactive(r, now)));
    }
}

void frmInstructor::showLearner(QTreeWidgetItem* item) {
    if (!item || !roster_) return;
    const RosterRow& r = rows_[item->data(Col::Name, Qt::UserRole).toInt()];
    QString error;
    const QList<RosterScore> scores = roster_->scores(r.role, &error);
    QDialog page(this);
    page.setObjectName(QStringLiteral("frmLearner"));
    page.setWindowTitle(QStringLiteral("%1 的学习进度").arg(r.name));
    page.resize(900, 560);
    auto* box = new QVBoxLayout(&page);
    auto* readiness =
        label(QStringLiteral("LblReadiness"), QStringLiteral("现在考模拟考试，及格的把握：") +
                                                  ReadinessText(r.estimate, r.anyHistory));
    readiness->setStyleSheet(QStringLiteral("font-size:18px; font-weight:bold;"));
    box->addWidget(readiness);
    if (!error.isEmpty()) box->addWidget(new QLabel(error));
    auto* middle = new QHBoxLayout;
    QTreeWidget* chapters = frmProgress::chapterTable();
    frmProgress::fillChapters(chapters, r.estimate.chapters, r.anyHistory);
    middle->addWidget(chapters, 3);
    auto* chart = named(new ScoreChart, QStringLiteral("ChartScores"));
    QList<int> points;
    QList<bool> hall;
    for (const RosterScore& score : scores) {
        points.append(score.score);
        hall.append(score.hall);
    }
    chart->setScores(points, passScore_, false, hall);
    middle->addWidget(chart, 2);
    box->addLayout(middle, 1);
    auto* close = button(QStringLiteral("BtnClose"), QStringLiteral("关闭"));
    connect(close, &QPushButton::clicked, &page, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    box->addLayout(bottom);
    s.platform.showModal(&page);
}

QString frmInstructor::csv() const {
    QStringList lines;
    QStringList header;
    for (int c = 0; c < LstLearners->columnCount(); ++c)
        header.append(csvCell(LstLearners->headerItem()->text(c)));
    lines.append(header.join(QLatin1Char(',')));
    for (int i = 0; i < LstLearners->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LstLearners->topLevelItem(i);
        if (item->isHidden()) continue;
        QStringList cells;
        for (int c = 0; c < LstLearners->columnCount(); ++c)
            cells.append(csvCell(item->text(c)));
        lines.append(cells.join(QLatin1Char(',')));
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void frmInstructor::exportCsv() {
    const QString file = s.platform.saveFileName(this, QStringLiteral("导出 CSV"),
                                                 QStringLiteral("学员练习情况.csv"),
                                                 QStringLiteral("CSV 文件 (*.csv)"));
    if (file.isEmpty()) return;
    QFile out(file);
    // With a byte-order mark, so spreadsheets on Windows read the Chinese as UTF-8.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write("\xEF\xBB\xBF") < 0 ||
        out.write(csv().toUtf8()) < 0 || !out.flush())
        return s.platform.information(
            this, windowTitle(), QStringLiteral("无法保存 %1：%2").arg(file, out.errorString()));
    s.platform.information(this, windowTitle(), QStringLiteral("已导出到 %1").arg(file));
}
