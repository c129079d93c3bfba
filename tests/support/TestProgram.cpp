#include "TestProgram.h"

#include "BankFile.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <atomic>
#include <stdexcept>

Question choice(qint64 id, const QString& classes, const QString& chap, const QString& answer,
                const QString& image) {
    Question q;
    q.id = id;
    q.type = QStringLiteral("1");
    q.question = QStringLiteral("选择题 %1").arg(id);
    q.options = {QStringLiteral("甲%1").arg(id), QStringLiteral("乙%1").arg(id),
                 QStringLiteral("丙%1").arg(id), QStringLiteral("丁%1").arg(id)};
    q.answerTrue = QString::number(QStringLiteral("ABCD").indexOf(answer) + 1);
    q.imageUrl = image;
    q.licenseType = classes;
    q.chap = chap;
    q.strType = QStringLiteral("第%1章").arg(chap);
    q.explain = QStringLiteral("解析");
    return q;
}

Question judge(qint64 id, const QString& classes, const QString& chap, const QString& answer,
               const QString& image) {
    Question q = choice(id, classes, chap, QStringLiteral("A"), image);
    q.type = QStringLiteral("2");
    q.question = QStringLiteral("判断题 %1").arg(id);
    q.options = {QString(), QString(), QString(), QString()};
    q.answerTrue = answer == QStringLiteral("对") ? QStringLiteral("1") : QStringLiteral("2");
    return q;
}

QList<Question> series(qint64 firstId, int count, const QString& classes, const QString& chap) {
    QList<Question> list;
    for (int i = 0; i < count; ++i) {
        const qint64 id = firstId + i;
        if (i % 2 == 0)
            list.append(choice(id, classes, chap, QString(QChar(u'A' + (i / 2) % 4))));
        else
            list.append(judge(id, classes, chap,
                              (i / 2) % 2 ? QStringLiteral("错") : QStringLiteral("对")));
    }
    return list;
}

QList<Question> checkedBank() {
    const QList<QPair<QString, int>> chapters = {{"1", 75}, {"2", 60}, {"3", 75}, {"4", 30},
                                                 {"5", 30}, {"6", 15}, {"7", 15}};
    QList<Question> list;
    for (const auto& [chap, n] : chapters)
        list.append(series(chap.toInt() * 1000, n, "ABC", chap));
    list.append(series(8000, 15, "A", "8"));
    list.append(series(9000, 15, "B", "9"));
    return list;
}

QList<QPair<QString, QString>> settingsWith(const QList<QPair<QString, QString>>& changes) {
    auto settings = shippedSettings();
    for (const auto& [key, value] : changes) {
        bool found = false;
        for (auto& pair : settings)
            if (pair.first == key) {
                pair.second = value;
                found = true;
            }
        if (!found) settings.append({key, value});
    }
    return settings;
}

TestProgram::TestProgram(const QList<Question>& questions,
                         const QList<QPair<QString, QString>>& settings) {
    const QDir folder(dir_.path());
    folder.mkpath(QStringLiteral("images/mark"));
    const QString runtime = QStringLiteral(RUNTIME_IMAGES);
    for (const char* file : {"yes.gif", "no.gif", "mark/noneerr.jpg", "kemu1-48.png"})
        QFile::copy(runtime + QLatin1Char('/') + QLatin1String(file),
                    folder.filePath(QStringLiteral("images/") + QLatin1String(file)));
    // A picture a question can name.
    QFile::copy(runtime + QStringLiteral("/mark/noneerr.jpg"),
                folder.filePath(QStringLiteral("images/mark/pic.jpg")));
    const QString error =
        writeBank(bankFile(), questions, settings.isEmpty() ? shippedSettings() : settings);
    if (!error.isEmpty()) throw std::runtime_error(error.toStdString());
    session_ = std::make_unique<AppContext>(platform_, dir_.path());
    session_->makeClock = [this](const QString& name, int, QObject* parent) -> Clock* {
        auto* clock = new ManualClock(parent);
        clock->setObjectName(name);
        clocks_.insert(name, clock);
        return clock;
    };
    static std::atomic<int> counter{0};
    connection_ = QStringLiteral("test-%1").arg(counter++);
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(bankFile());
    db.open();
}

TestProgram::~TestProgram() {
    main_.reset();
    session_.reset();
    { QSqlDatabase::database(connection_, false).close(); }
    QSqlDatabase::removeDatabase(connection_);
}

QString TestProgram::bankFile() const {
    return dir_.filePath(QStringLiteral("images/mark/question.dll"));
}

frmMain& TestProgram::create() {
    main_ = std::make_unique<frmMain>(*session_);
    return *main_;
}

frmMain& TestProgram::start() {
    create();
    if (main_->startedUp()) {
        main_->show();
        if (!QTest::qWaitForWindowExposed(main_.get())) qWarning("main window not exposed");
        // As a learner first finds it: painted, and the practice page built once it has.
        if (!QTest::qWaitFor(
                [this] { return main_->findChild<QWidget*>(QStringLiteral("PicPractice")); }))
            qWarning("practice page not built");
    }
    return *main_;
}

QVariant TestProgram::value(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(sql) || !q.next()) return {};
    return q.value(0);
}

void TestProgram::execute(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(sql)) qWarning("statement failed: %s", qPrintable(sql));
}

bool TestProgram::errPaper(qint64 id) {
    return value(QStringLiteral("select ErrPaper from Paper where ID=%1").arg(id)).toInt() != 0;
}

QString TestProgram::setting(const QString& key) {
    return value(QStringLiteral("select ParamValue from Param where ParamID='%1'").arg(key))
        .toString();
}
