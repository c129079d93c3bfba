// Showing one question: wording, options or true/false buttons, picture, stored answer.
#include "../platform/Platform.h"
#include "../store/DatabaseError.h"
#include "../store/Limits.h"
#include "../store/Numbers.h"
#include "../store/Statements.h"
#include "AnswerCardView.h"
#include "frmMain.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>
#include <QSqlRecord>
#include <QTimer>

namespace {

constexpr int FileNotFound = 53;

// A text past the import's limit came from elsewhere; its first part shows, the rest is cut.
QString field(const QSqlRecord& row, const char* name) {
    const QVariant value = row.value(QString::fromLatin1(name));
    if (value.isNull())
        throw DatabaseError(
            94, QStringLiteral("无效使用 Null：字段 %1 为空。").arg(QLatin1String(name)));
    const QString text = value.toString();
    return text.size() <= MaxCellChars ? text : text.left(MaxCellChars) + QStringLiteral("……");
}

// Pictures come from the OS file cache anyway; keeping the decoded pixmap saves the decode.
// Only a plain file of picture size is read: a pipe would block the window for good.
QPixmap loadPicture(const QString& file) {
    constexpr qint64 MaxPictureBytes = 16 << 20;
    QPixmap picture;
    if (QPixmapCache::find(file, &picture)) return picture;
    const QFileInfo info(file);
    if (!info.isFile() || info.size() > MaxPictureBytes || !picture.load(file)) return {};
    QPixmapCache::insert(file, picture);
    return picture;
}

} // namespace

void frmMain::setVerdict(const QString& picture) {
    if (picture.isEmpty()) {
        ImgYesNo->clear();
        ImgYesNo->setAccessibleName({});
        return;
    }
    const QPixmap mark = loadPicture(s.path(QStringLiteral("/images/") + picture));
    if (mark.isNull())
        throw DatabaseError(FileNotFound, QStringLiteral("文件未找到：images/%1").arg(picture));
    ImgYesNo->setPixmap(mark);
    ImgYesNo->setAccessibleName(picture == QStringLiteral("yes.gif") ? QStringLiteral("回答正确")
                                                                     : QStringLiteral("回答错误"));
}

void frmMain::GetQuestion(const QString& id) {
    setWelcomePage(false);
    if (!ExamMode) {
        LblTime->setText(QStringLiteral("00:00:00"));
        Timer3->start();
        Timer4->stop();
    }
    try {
        bool ok = false;
        id.trimmed().toDouble(&ok);
        if (!ok) return;
        const qint64 n = wholeNumber(id);
        const QString kind =
            s.Conn.firstValue(Sql::questionType(n), QStringLiteral("Type")).toString();
        const QSqlRecord row = s.Conn.firstRecord(Sql::question(n));
        const bool judge = kind == QStringLiteral("2");
        const bool choice = kind == QStringLiteral("1");
        if (judge || choice) {
            if (QuestionNumberMode == QStringLiteral("0"))
                LblNum->setText(row.value(QStringLiteral("ID")).toString() + QLatin1Char('.'));
            else if (QuestionNumberMode == QStringLiteral("1"))
                LblNum->setText(QString::number(wholeNumber(txtCurrentArrayNum->text()) + 1) +
                                QLatin1Char('.'));
            LblQuestion->setText(field(row, "Question"));
            if (choice) {
                LblAnswerA->setText(field(row, "An1"));
                LblAnswerB->setText(field(row, "An2"));
                LblAnswerC->setText(field(row, "An3"));
                LblAnswerD->setText(field(row, "An4"));
            }

            const QString image = row.value(QStringLiteral("ImageUrl")).toString();
            if (image.isEmpty()) {
                ImgMarkPic->clear();
                ImgMarkPic->setAccessibleName({});
            } else {
                QPixmap picture = loadPicture(s.path(QStringLiteral("/images/mark/") + image));
                QString name = image;
                // A missing or unreadable picture shows the placeholder; the rest still shows.
                if (picture.isNull()) {
                    picture = loadPicture(s.path(QStringLiteral("/images/mark/noneerr.jpg")));
                    name = QStringLiteral("图片无法显示：") + image;
                }
                ImgMarkPic->setPixmap(picture);
                ImgMarkPic->setFixedSize(picture.isNull() ? QSize(0, 0) : picture.size());
                ImgMarkPic->setAccessibleName(QStringLiteral("题目图片 ") + name);
            }

            const QString answer = row.value(QStringLiteral("AnswerTrue")).toString();
            const QStringList texts = judge
                                          ? QStringList{QStringLiteral("对"), QStringLiteral("错")}
                                          : QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                                        QStringLiteral("C"), QStringLiteral("D")};
            const int code = answer.toInt(&ok);
            if (ok && code >= 1 && code <= texts.size()) LblAn->setText(texts[code - 1]);

            if (!ExamMode && BtnShowAnswer->text() == QStringLiteral("隐藏答案")) {
                LblAnLabel->show();
                LblAn->show();
            }

            for (QLabel* l :
                 {LblA, LblB, LblC, LblD, LblAnswerA, LblAnswerB, LblAnswerC, LblAnswerD})
                l->setVisible(choice);
            PicABCD->setVisible(choice);
            PicYesNo->setVisible(judge);

            if (CurrentPosition >= 0 && CurrentPosition < static_cast<int>(QuestionState.size())) {
                const auto& state = QuestionState[CurrentPosition];
                if (state[2] >= 1 && state[2] <= texts.size())
                    LblCorrectAn->setText(texts[state[2] - 1]);
                if (state[0] == 1)
                    setVerdict(state[1] == 1 ? QStringLiteral("yes.gif")
                                             : QStringLiteral("no.gif"));
            }
        }
        applyCellColourRule();
    } catch (const DatabaseError&) {
        // The display stops quietly where it failed; what was set stays on screen.
    }
}
