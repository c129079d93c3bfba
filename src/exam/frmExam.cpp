#include "frmExam.h"

#include "../platform/Platform.h"
#include "../practice/frmMain.h"
#include "../store/Guard.h"
#include "../store/Module1.h"
#include "../store/Statements.h"
#include "../core/Paper.h"

#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QVBoxLayout>

frmExam::frmExam(frmMain& main)
    : QDialog(&main), main_(main),
      random_(std::random_device{}() ^ static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch())) {
    setObjectName(QStringLiteral("frmExam"));
    setWindowTitle(QStringLiteral("考试说明"));
    auto* box = new QVBoxLayout(this);
    Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* texts = new QVBoxLayout(Frame1);
    texts->setSpacing(10);
    auto make = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text);
        l->setObjectName(QString::fromLatin1(name));
        l->setStyleSheet(QStringLiteral("font-size:15px;"));
        texts->addWidget(l);
        return l;
    };
    LblCount = make("LblCount", QStringLiteral("试题数量：100题"));
    LblTime = make("LblTime", QStringLiteral("考试时间：45分钟"));
    LblContent = make("LblContent", {});
    LblOrganizeWay = make("LblOrganizeWay", {});
    LblPassStandard =
        make("LblPassStandard", QStringLiteral("合格标准：满分为100分，成绩达到90分为合格"));
    box->addWidget(Frame1);
    BtnStart = new QPushButton(QStringLiteral("开始考试"));
    BtnStart->setObjectName(QStringLiteral("BtnStart"));
    BtnStart->setMinimumHeight(36);
    box->addWidget(BtnStart, 0, Qt::AlignHCenter);
    connect(BtnStart, &QPushButton::clicked, this,
            [this] { guarded(main_.session(), this, [this] { BtnStart_Click(); }); });
    setMinimumWidth(440);
    guarded(main_.session(), this, [this] { Form_Load(); });
}

void frmExam::Form_Load() {
    auto& s = main_.session();
    const QString minutes = QString::number(GetExamTime(s.Conn));
    const QString pass = QString::number(GetPassScore(s.Conn));
    ClassQuestionCount = GetClassQuestionCount();
    LblCount->setText(QStringLiteral("试题数量：100题"));
    LblTime->setText(QStringLiteral("考试时间：") + minutes + QStringLiteral("分钟"));
    QString name;
    switch (main_.CombolCarType->currentIndex()) {
    case 0:
        name = QStringLiteral("小车版");
        break;
    case 1:
        name = QStringLiteral("货车版");
        break;
    case 2:
        name = QStringLiteral("客车版");
        break;
    default:
        break;
    }
    LblContent->setText(QStringLiteral("考试内容：\"") + name + QStringLiteral("\"共有试题共") +
                        QString::number(ClassQuestionCount) + QStringLiteral("题"));
    LblOrganizeWay->setText(QStringLiteral("组题方式：按公安部的规定比例随机抽取、组合"));
    LblPassStandard->setText(QStringLiteral("合格标准：满分为100分,成绩达到") + pass +
                             QStringLiteral("分为合格"));
}

int frmExam::GetClassQuestionCount() {
    auto& s = main_.session();
    return GetQuestionSum(s.Conn, Sql::classCount(s.CarTypeCode));
}

// The id rows themselves give the chapter's size: no count query needed.
void frmExam::LoadChapterQuestionIds(const QString& chapter) {
    auto& s = main_.session();
    ChapterIds.clear();
    ChapterIdSql = Sql::chapterIds(s.CarTypeCode, chapter);
    s.Conn.forEachRow(ChapterIdSql,
                      [&](const QSqlQuery& row) { ChapterIds.push_back(row.value(0).toString()); });
}

// Distinct questions while the chapter has enough; a short chapter gives every question it
// has before any repeats. Draws from ChapterIds, which the caller has loaded.
void frmExam::DrawChapterQuestions(const QString&, int quota) {
    ChapterPicks.clear();
    const int n = static_cast<int>(ChapterIds.size());
    for (int i = 0; i < quota; ++i) {
        const int round = i % n;
        std::uniform_int_distribution<int> pick(round, n - 1);
        const int j = pick(random_);
        std::swap(ChapterIds[round], ChapterIds[j]);
        ChapterPicks.append(ChapterIds[round]);
    }
    PaperIdList.append(ChapterPicks);
}

// Every chapter is read before anything is drawn, so a chapter without questions stops
// the paper before it replaces the set.
bool frmExam::ComposeExamPaper() {
    auto& s = main_.session();
    const ChapterQuotas quotas = QuotasOf(s.CarTypeCode);
    if (quotas.isEmpty()) return true;
    std::vector<std::vector<QString>> chapters;
    for (const auto& [chapter, quota] : quotas) {
        LoadChapterQuestionIds(chapter);
        if (ChapterIds.empty()) {
            s.platform.information(
                this, QStringLiteral("提示"),
                QStringLiteral("题库中第%1章没有本车型的试题，无法组成考试试卷。").arg(chapter));
            return false;
        }
        chapters.push_back(std::move(ChapterIds));
    }
    PaperIdList.clear();
    for (qsizetype i = 0; i < quotas.size(); ++i) {
        ChapterIds = std::move(chapters[i]);
        DrawChapterQuestions(quotas[i].first, quotas[i].second);
    }
    s.QuestionIds = PaperIdList;
    return true;
}

void frmExam::BtnStart_Click() {
    auto& s = main_.session();
    const int minutes = GetExamTime(s.Conn);
    if (!main_.examSettingsFit(minutes)) return;
    if (!ComposeExamPaper()) return;
    if (s.QuestionIds.isEmpty()) return;
    main_.MSHFlexGridFillQuestionNumRandomExam();
    main_.ShowFirstQuestion();
    s.ExamSeconds = minutes * 60;
    main_.Timer3->stop();
    main_.Timer4->start();
    switch (main_.CombolCarType->currentIndex()) {
    case 0:
        main_.FrameQuestion->setTitle(QStringLiteral("模拟考试共100题—小车版"));
        break;
    case 1:
        main_.FrameQuestion->setTitle(QStringLiteral("模拟考试共100题—货车版"));
        break;
    case 2:
        main_.FrameQuestion->setTitle(QStringLiteral("模拟考试共100题—客车版"));
        break;
    default:
        break;
    }
    ++main_.ExamStarts;
    main_.UnloadExam();
}
