#include "SchoolLink.h"

#include "../platform/Platform.h"
#include "../practice/CommandColumn.h"
#include "../ui/AppContext.h"
#include "../ui/Guard.h"
#include "../ui/Widgets.h"

#include <QFile>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QStandardPaths>
#include <QTimer>

namespace {
const QString Title = QStringLiteral("驾校");
}

SchoolLink::SchoolLink(AppContext& session, CommandColumn* commands, QWidget* window)
    : QObject(window), s(session), window_(window) {
    // One row, the status beside the entry: the column keeps fitting a 720-pixel screen.
    auto* entry = new QWidget;
    auto* box = new QHBoxLayout(entry);
    box->setContentsMargins(0, 0, 0, 0);
    BtnSchool = button(QStringLiteral("BtnSchool"), QStringLiteral("驾校"));
    BtnSchool->setMinimumHeight(CommandColumn::EntryHeight);
    BtnSchool->setToolTip(QStringLiteral("加入驾校，与驾校老师共享练习情况；或退出驾校"));
    LblSchoolStatus = label(QStringLiteral("LblSchoolStatus"), {});
    LblSchoolStatus->setAlignment(Qt::AlignCenter);
    LblSchoolStatus->setWordWrap(true);
    box->addWidget(BtnSchool, 2);
    box->addWidget(LblSchoolStatus, 3);
    commands->insertBelow(CommandColumn::Progress, entry);
    connect(BtnSchool, &QPushButton::clicked, this, &SchoolLink::open);
    showStatus();
}

SchoolLink::~SchoolLink() = default;

QString SchoolLink::passwordFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString SchoolLink::status() const {
    if (noPassword_) return QStringLiteral("未同步（没有密码）");
    return SyncStateText(sync_ ? sync_->state() : SyncState::NotJoined);
}

void SchoolLink::showStatus() {
    LblSchoolStatus->setText(status());
    LblSchoolStatus->setToolTip(QStringLiteral("与驾校共享练习情况：") + status());
}

void SchoolLink::start() {
    std::optional<SchoolLinkSettings> settings;
    guarded(s, window_, [&] { settings = ReadLinkSettings(s.Conn); });
    // A bank that cannot be written keeps no new answers to share.
    if (!settings || s.bankReadOnly) return showStatus();
    // A password to type is asked for over the window, once it is shown.
    QTimer::singleShot(0, this, [this, settings = *settings] {
        School::JoinDetails join = settings.join;
        join.password = password(settings);
        if (!join.password.isEmpty()) return share(join);
        noPassword_ = true;
        showStatus();
    });
}

QString SchoolLink::password(const SchoolLinkSettings& settings) {
    if (settings.place == PasswordPlace::File)
        return ReadPassword(PasswordFile(passwordFolder(), settings.join));
    // A keyring that is locked or gone this time: the learner may still type it.
    if (School::JoinDetails join = settings.join;
        settings.place == PasswordPlace::Keyring && KeyringRead(join).isEmpty())
        return join.password;
    QInputDialog prompt(window_);
    prompt.setObjectName(QStringLiteral("frmSchoolPassword"));
    prompt.setWindowTitle(Title);
    prompt.setLabelText(
        QStringLiteral("驾校学员 %1 的密码（与驾校共享练习情况）：").arg(settings.join.role));
    prompt.setTextEchoMode(QLineEdit::Password);
    s.platform.showModal(&prompt);
    return prompt.result() == QDialog::Accepted ? prompt.textValue() : QString();
}

void SchoolLink::share(const School::JoinDetails& join) {
    noPassword_ = false;
    sync_ = std::make_unique<SchoolSync>(s.bankFile, join);
    connect(sync_.get(), &SchoolSync::stateChanged, this, &SchoolLink::showStatus);
    connect(sync_.get(), &SchoolSync::refused, this,
            [this](const QString& words) { s.platform.information(window_, Title, words); });
    connect(sync_.get(), &SchoolSync::left, this, [this](bool ok, const QString& words) {
        if (!ok) return s.platform.information(window_, Title, words);
        // The sender told it has stopped from its own signal: it goes once that has returned.
        sync_.release()->deleteLater();
        forget();
    });
    showStatus();
}

void SchoolLink::open() {
    std::optional<SchoolLinkSettings> settings;
    if (!guarded(s, window_, [&] { settings = ReadLinkSettings(s.Conn); })) return;
    if (s.bankReadOnly && !settings)
        return s.platform.information(window_, Title,
                                      QStringLiteral("题库是只读的，无法保存加入驾校的设置。"));
    // Without the driver a join could never connect: say why before asking for anything.
    if (const QString missing = SchoolSync::missingDriver(); !settings && !missing.isEmpty())
        return s.platform.information(window_, Title, missing);
    const auto choice = frmSchool::ask(s, window_, settings, status());
    if (!choice) return;
    if (choice->action == frmSchool::Choice::Action::Join) return join(*choice);
    leave(choice->erase);
}

void SchoolLink::join(const frmSchool::Choice& choice) {
    SchoolLinkSettings settings{choice.join, choice.place};
    settings.join.password.clear();
    if (choice.place == PasswordPlace::Keyring) {
        if (const QString error = KeyringSave(choice.join); !error.isEmpty())
            settings.place =
                s.platform.askYesNo(
                    window_, Title,
                    QStringLiteral("系统钥匙串无法保存密码（%1）。\n改为把密码保存在只有"
                                   "你能读的文件里吗？选“否”则每次启动时输入密码。")
                        .arg(error))
                    ? PasswordPlace::File
                    : PasswordPlace::Ask;
    }
    if (settings.place == PasswordPlace::File) {
        if (const QString error =
                SavePassword(PasswordFile(passwordFolder(), choice.join), choice.join.password);
            !error.isEmpty()) {
            settings.place = PasswordPlace::Ask;
            s.platform.information(
                window_, Title,
                QStringLiteral("密码文件无法保存（%1），以后每次启动时请输入密码。").arg(error));
        }
    }
    const bool saved = guarded(s, window_, [&] {
        s.Conn.transaction([&] {
            WriteLinkSettings(s.Conn, settings);
            SchoolSync::forgetSent(s.Conn);
        });
    });
    if (saved) share(choice.join);
}

void SchoolLink::leave(bool erase) {
    if (!sync_) {
        // Not sharing in this run (no password given): deleting needs the server, leaving not.
        if (!erase) return forget();
        std::optional<SchoolLinkSettings> settings;
        guarded(s, window_, [&] { settings = ReadLinkSettings(s.Conn); });
        if (!settings) return;
        School::JoinDetails join = settings->join;
        join.password = password({join, PasswordPlace::Ask});
        if (join.password.isEmpty()) return;
        share(join);
    }
    sync_->leave(erase);
}

void SchoolLink::forget() {
    guarded(s, window_, [this] {
        if (const auto settings = ReadLinkSettings(s.Conn)) {
            QFile::remove(PasswordFile(passwordFolder(), settings->join));
            if (settings->place == PasswordPlace::Keyring) KeyringForget(settings->join);
        }
        ForgetLinkSettings(s.Conn);
    });
    noPassword_ = false;
    showStatus();
    s.platform.information(window_, Title, QStringLiteral("已退出驾校，不再共享练习情况。"));
}
