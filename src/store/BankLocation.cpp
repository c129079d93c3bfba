#include "BankLocation.h"

#include "BankContent.h"
#include "BankFileName.h"
#include "Module1.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QLatin1String UserBankName("question.dll");
// Beside the learner's bank: the digest of the shipped content it was last made from.
const QLatin1String DigestName("shipped-content.sha256");

QString readDigest(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(f.read(200)).trimmed();
}

bool writeDigest(const QString& file, const QString& digest) {
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(digest.toLatin1() + '\n');
    return f.commit();
}

// Copies through a temporary name, so a second copy of the program starting at the same
// moment never sees half a bank; what the original's write-ahead log holds comes along.
QString copyBank(const QString& from, const QString& to) {
    const QString partial =
        to + QStringLiteral(".partial-%1").arg(QCoreApplication::applicationPid());
    if (const QString error = copyBankFile(from, partial); !error.isEmpty())
        return QStringLiteral("无法复制题库到“%1”（%2）。").arg(to, error);
    // The learner's copy must take their marks, whatever the original's permissions.
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    if (!QFile::rename(partial, to)) {
        QFile::remove(partial);
        if (!QFileInfo(to).isFile()) return QStringLiteral("无法创建题库“%1”。").arg(to);
    }
    return {};
}

} // namespace

bool bankWritable(const QString& bankFile) {
    const QFileInfo bank(bankFile);
    // SQLite writes its journal beside the bank.
    return bank.isFile() && bank.isWritable() && QFileInfo(bank.absolutePath()).isWritable();
}

QString programDataFolder(const QString& executableFolder) {
    if (QFileInfo::exists(BankFile(executableFolder))) return executableFolder;
    const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../share/kemu1"));
    if (QFileInfo::exists(BankFile(installed))) return installed;
    // Neither: the bank is reported missing where a portable copy keeps it.
    return executableFolder;
}

BankPlace locateBank(const QString& executableFolder, const QString& userFolder,
                     const std::function<bool(const QString&)>& writable) {
    const QString folder = programDataFolder(executableFolder);
    const QString shipped = BankFile(folder);
    const bool portable = QDir(folder) == QDir(executableFolder);
    // A missing bank beside the executable is reported by the opening, as always.
    if (portable && (!QFileInfo::exists(shipped) || writable(shipped)))
        return {folder, shipped, {}, {}};
    BankPlace place = prepareUserBank(shipped, userFolder);
    place.programFolder = folder;
    return place;
}

BankPlace prepareUserBank(const QString& shippedBank, const QString& userFolder) {
    BankPlace place;
    place.bankFile = QDir(userFolder).filePath(UserBankName);
    QString error;
    const QString digest = contentDigest(shippedBank, error);
    if (digest.isEmpty()) {
        place.error = QStringLiteral("无法读取程序自带的题库“%1”（%2）。请重新安装本软件。")
                          .arg(shippedBank, error);
        return place;
    }
    if (!QDir().mkpath(userFolder)) {
        // Nowhere to keep the learner's data (a kiosk, a live system): practice on the shipped
        // bank, untouched; the learner is told once that nothing is saved.
        place.bankFile = shippedBank;
        place.readOnly = true;
        return place;
    }
    const QString digestFile = QDir(userFolder).filePath(DigestName);
    if (!QFileInfo::exists(place.bankFile)) {
        place.error = copyBank(shippedBank, place.bankFile);
        if (place.error.isEmpty()) writeDigest(digestFile, digest);
        return place;
    }
    if (readDigest(digestFile) == digest) return place;
    // New question content: the same refresh the bank tool's build does.
    const QList<Question> questions = readBankQuestions(shippedBank, error);
    QList<RuleChange> rules;
    if (error.isEmpty()) rules = readBankRules(shippedBank, error);
    if (error.isEmpty()) error = writeBank(place.bankFile, questions, {}, rules);
    if (!error.isEmpty()) {
        // Practising on the old questions beats not starting; the next start tries again.
        place.warning = QStringLiteral("题库更新失败，本次仍使用原来的题目（%1）。").arg(error);
        return place;
    }
    writeDigest(digestFile, digest);
    return place;
}

QString contentDigest(const QString& bankFile, QString& error) {
    const QList<Question> questions = readBankQuestions(bankFile, error);
    if (!error.isEmpty()) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Field and row separators no question text holds.
    auto add = [&hash](const QString& field) {
        hash.addData(field.toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));
    };
    for (const Question& q : questions) {
        add(QString::number(q.id));
        for (const QString& field : {q.type, q.question, q.answerTrue, q.imageUrl, q.licenseType,
                                     q.chap, q.strType, q.explain, q.tags, q.rule})
            add(field);
        for (const QString& option : q.options)
            add(option);
        hash.addData(QByteArrayView("\x1e", 1));
    }
    for (const RuleChange& rule : readBankRules(bankFile, error)) {
        for (const QString& field : {rule.key, rule.date, rule.source, rule.change})
            add(field);
        hash.addData(QByteArrayView("\x1e", 1));
    }
    if (!error.isEmpty()) return {};
    return QString::fromLatin1(hash.result().toHex());
}
