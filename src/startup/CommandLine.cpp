#include "CommandLine.h"

#include "store/Bank.h"
#include "store/DatabaseError.h"

#include <QFileInfo>

namespace {

const QString Usage =
    QStringLiteral("用法 usage: kemu1 [--bank FILE] [--instructor] [--help] [--version]\n");

StartPlan wrongUsage(const QString& what) {
    StartPlan plan;
    plan.exitStatus = 2;
    plan.err = QStringLiteral("kemu1: %1\n").arg(what) + Usage +
               QStringLiteral("详见 see: kemu1 --help\n");
    return plan;
}

StartPlan refused(const QString& what) {
    StartPlan plan;
    plan.exitStatus = 1;
    plan.err = QStringLiteral("kemu1: %1\n").arg(what);
    return plan;
}

// Qt's own options with a value; the application object takes them later.
bool isQtOptionWithValue(const QString& arg) {
    static const QStringList options = {QStringLiteral("-platform"), QStringLiteral("-style"),
                                        QStringLiteral("-display"), QStringLiteral("-geometry"),
                                        QStringLiteral("-platformtheme")};
    return options.contains(arg);
}

} // namespace

QString helpText() {
    return Usage +
           QStringLiteral(
               "\n驾驶人科目一理论考试模拟训练 (Chinese driving-licence theory exam trainer)\n"
               "\n"
               "  --bank FILE   在另一个题库上练习，例如驾校自己的题库\n"
               "                practise on another bank; marks and scores go into it\n"
               "  --instructor  驾校老师查看学员的练习情况（需要老师的加入码）\n"
               "                the driving school's view of its learners (an instructor's code)\n"
               "  -h, --help    显示本帮助 show this help\n"
               "  --version     显示版本 show the version\n"
               "\n"
               "错题、设置和成绩保存在题库里：便携版在程序文件夹中；安装到系统中或程序\n"
               "文件夹不可写时，每个用户有自己的题库 ~/.local/share/kemu1/question.dll\n"
               "Marks, settings and scores live in the bank beside a portable copy;\n"
               "installed, or when that folder is not writable, each user has their own:\n"
               "~/.local/share/kemu1/question.dll\n"
               "\n"
               "退出状态 exit status: 0 正常 done, 1 题库无法使用 the bank cannot be used,\n"
               "2 用法错误 wrong usage\n");
}

QString versionText() {
    return QStringLiteral("kemu1 " KEMU1_VERSION "\n");
}

StartPlan planStart(const QStringList& arguments, const QString& executableFolder,
                    const QString& userFolder) {
    QString bank;
    bool bankGiven = false;
    bool instructor = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            StartPlan plan;
            plan.exitStatus = 0;
            plan.out = helpText();
            return plan;
        }
        if (arg == QLatin1String("--version")) {
            StartPlan plan;
            plan.exitStatus = 0;
            plan.out = versionText();
            return plan;
        }
        if (arg == QLatin1String("--bank") || arg.startsWith(QLatin1String("--bank="))) {
            if (bankGiven)
                return wrongUsage(QStringLiteral("--bank 只能给一次 (--bank given twice)"));
            bankGiven = true;
            if (arg != QLatin1String("--bank"))
                bank = arg.mid(7);
            else if (i + 1 < arguments.size())
                bank = arguments[++i];
            else
                return wrongUsage(QStringLiteral("--bank 后面缺少题库文件 (--bank needs a FILE)"));
            if (bank.isEmpty())
                return wrongUsage(QStringLiteral("--bank 后面缺少题库文件 (--bank needs a FILE)"));
            continue;
        }
        if (arg == QLatin1String("--instructor")) {
            instructor = true;
            continue;
        }
        if (isQtOptionWithValue(arg) && i + 1 < arguments.size()) {
            ++i;
            continue;
        }
        if (arg.startsWith(QLatin1Char('-')))
            return wrongUsage(QStringLiteral("未知选项 unknown option: %1").arg(arg));
        return wrongUsage(QStringLiteral("多余的参数 unexpected argument: %1").arg(arg));
    }

    if (!bankGiven) {
        StartPlan plan;
        plan.place = locateBank(executableFolder, userFolder);
        plan.instructor = instructor;
        if (!plan.place.error.isEmpty()) {
            plan.exitStatus = 1;
            plan.err = QStringLiteral("kemu1: %1\n").arg(plan.place.error);
        }
        return plan;
    }

    // Never create a bank: the file must be there and must be a bank.
    const QFileInfo info(bank);
    if (!info.exists()) return refused(QStringLiteral("找不到题库文件 no such file: %1").arg(bank));
    if (!info.isFile())
        return refused(QStringLiteral("不是题库文件 not a bank file: %1").arg(bank));
    try {
        Bank probe;
        probe.open(info.absoluteFilePath());
    } catch (const DatabaseError& e) {
        return refused(
            QStringLiteral("不是可用的题库 not a usable bank: %1\n%2").arg(bank, e.description()));
    }
    StartPlan plan;
    plan.place.programFolder = programDataFolder(executableFolder);
    plan.place.bankFile = info.absoluteFilePath();
    plan.instructor = instructor;
    return plan;
}
