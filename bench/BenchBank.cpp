#include "BenchBank.h"

#include "BankFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString makeBenchFolder(const QString& root, int count) {
    const QString folder = root + QStringLiteral("/bank-%1").arg(count);
    const QString bank = folder + QStringLiteral("/images/mark/question.dll");
    if (QFile::exists(bank)) return folder;
    QDir().mkpath(folder + QStringLiteral("/images/mark"));
    const QString runtime = QStringLiteral(RUNTIME_IMAGES);
    for (const char* file : {"yes.gif", "no.gif", "mark/noneerr.jpg", "mark/ch2_warn_children.jpg"})
        QFile::copy(runtime + QLatin1Char('/') + QLatin1String(file),
                    folder + QStringLiteral("/images/") + QLatin1String(file));
    // The skins as shipped: a learner's first start loads the stored one.
    const QString skins = runtime + QStringLiteral("/mark/styles");
    for (QDirIterator it(skins, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString from = it.next();
        const QString to =
            folder + QStringLiteral("/images/mark/styles/") + QDir(skins).relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(from, to);
    }
    // Chapters in the proportions of a paper.
    const int shares[] = {25, 18, 25, 10, 10, 5, 5, 1, 1};
    QList<Question> questions;
    questions.reserve(count);
    for (int i = 0; i < count; ++i) {
        int slot = i % 100, chap = 0;
        while (slot >= shares[chap])
            slot -= shares[chap++];
        Question q;
        q.id = i + 1;
        q.type = i % 5 < 3 ? QStringLiteral("1") : QStringLiteral("2");
        q.question =
            QStringLiteral("第%1题：在道路上驾驶机动车，遇到这种情况时应当怎样做？").arg(i + 1);
        q.options = {QStringLiteral("减速慢行，注意观察"), QStringLiteral("鸣喇叭示意后加速通过"),
                     QStringLiteral("保持原速行驶"), QStringLiteral("停车等待")};
        q.answerTrue =
            q.type == QLatin1String("1") ? QString::number(i % 4 + 1) : QString::number(i % 2 + 1);
        q.imageUrl = i % 10 == 0 ? QStringLiteral("ch2_warn_children.jpg") : QString();
        q.licenseType = QStringLiteral("ABC");
        q.chap = QString::number(chap + 1);
        q.strType = QStringLiteral("第%1章").arg(chap + 1);
        questions.append(q);
    }
    writeBank(bank, questions);
    return folder;
}
