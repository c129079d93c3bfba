#include "Safety.h"

#include "store/BankFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

fs::path nativePath(const QString& file) {
    return fs::path(QFile::encodeName(file).toStdString());
}

// Files SQLite keeps beside a bank; a stray one can roll the learner's data back.
QStringList bankCompanions(const QString& bankName) {
    return {bankName, bankName + QStringLiteral("-journal"), bankName + QStringLiteral("-wal"),
            bankName + QStringLiteral("-shm")};
}

} // namespace

QString pictureNameProblem(const QString& name, const QString& bankFile) {
    static const QStringList extensions = {"jpg", "jpeg", "png", "gif", "bmp"};
    static const QStringList programPictures = {"noneerr.jpg"};
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("'%1' must be a file name without a folder").arg(shown(name));
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("'%1' has control characters in it").arg(shown(name));
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("'%1' must not start with a dot").arg(shown(name));
    if (!extensions.contains(QFileInfo(name).suffix().toLower()))
        return QStringLiteral("'%1' is not a picture: the name must end in .jpg, .jpeg, .png, "
                              ".gif or .bmp")
            .arg(shown(name));
    const QStringList reserved = bankCompanions(QFileInfo(bankFile).fileName()) + programPictures +
                                 bankCompanions(QStringLiteral("question.dll"));
    if (reserved.contains(name, Qt::CaseInsensitive))
        return QStringLiteral("'%1' is one of the program's own files").arg(shown(name));
    return {};
}

QString regularFileProblem(const QString& file, qint64 maxBytes) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(nativePath(file), error);
    if (error || !fs::exists(status)) return QStringLiteral("the file does not exist");
    if (fs::is_symlink(status))
        return QStringLiteral("the file is a symbolic link; give the file itself");
    if (!fs::is_regular_file(status))
        return QStringLiteral("not a plain file (a folder, device or pipe)");
    const auto size = fs::file_size(nativePath(file), error);
    if (error)
        return QStringLiteral("cannot read the file: %1")
            .arg(QString::fromStdString(error.message()));
    if (qint64(size) > maxBytes)
        return QStringLiteral("the file is larger than %1 MB, more than any question bank needs")
            .arg(maxBytes >> 20);
    return {};
}

QString outputProblem(const QString& output, const QString& bankFile) {
    const QFileInfo out(output), bank(bankFile);
    std::error_code error;
    // Only a plain file is replaced, or a new name made: never a device, pipe or folder, by
    // whatever links lead there (as root, replacing /dev/null would break the system).
    const fs::file_status own = fs::symlink_status(nativePath(output), error);
    const fs::file_status pointed = fs::status(nativePath(output), error);
    if (fs::is_symlink(own) && !fs::exists(pointed))
        return QStringLiteral("a link that leads nowhere: give the name of a file");
    if (fs::exists(pointed) && !fs::is_regular_file(pointed))
        return QStringLiteral("not a plain file (a device, pipe or folder): give the name of a "
                              "file");
    if (fs::exists(nativePath(output), error) &&
        fs::equivalent(nativePath(output), nativePath(bankFile), error))
        return QStringLiteral("this is the bank itself: give another file name");
    // A link pointing nowhere yet, or a new name beside the bank, still must not be its journal.
    const QString target = out.isSymLink() ? out.symLinkTarget() : out.absoluteFilePath();
    const QFileInfo resolved(target);
    const QString bankDir = bank.absoluteDir().canonicalPath();
    if (resolved.absoluteDir().canonicalPath() == bankDir &&
        bankCompanions(bank.fileName()).contains(resolved.fileName()))
        return QStringLiteral("this is one of the bank's own files: give another file name");
    return {};
}

QString writeProblem(const QString& file, QSaveFile& out) {
    // Cancelling replaces the reason with its own.
    const QString reason = out.errorString();
    const bool full = reason == QString::fromLocal8Bit(std::strerror(ENOSPC)) ||
                      diskFull(QFileInfo(file).absolutePath());
    out.cancelWriting();
    return QStringLiteral("%1: cannot write the file: %2")
        .arg(file, full ? QStringLiteral("the disk is full") : reason);
}

QString shown(const QString& text) {
    constexpr int MaxShown = 60;
    QString out;
    for (const QChar c : text.left(MaxShown))
        out += c.category() == QChar::Other_Control ? QLatin1Char('?') : c;
    if (text.size() > MaxShown) out += QStringLiteral("…");
    return out;
}
