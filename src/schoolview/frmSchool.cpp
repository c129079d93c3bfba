#include "frmSchool.h"

#include "../platform/Platform.h"
#include "../school/SchoolSync.h"
#include "../ui/AppContext.h"
#include "../ui/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

namespace {

const QString Consent = QStringLiteral(
    "加入后，本机会把下面这些内容发送到驾校的服务器，只有你的驾校老师能看到：\n"
    "· 每次答题：题号、车型、练习方式、所选答案、对错、用时和答题时间；\n"
    "· 模拟考试记录：分数、考试时间、用时和各章答对题数；\n"
    "· 学习进度里的及格把握、已练比例、薄弱章节和专项。\n"
    "除此之外什么都不发送：除了驾校给你的学员名，不发送任何姓名，也不发送任何文件。\n"
    "你可以随时点“退出驾校”停止共享，并可选择同时删除服务器上的这些数据。");

} // namespace

frmSchool::frmSchool(AppContext& session, QWidget* parent,
                     const std::optional<SchoolLinkSettings>& joined, const QString& status)
    : QDialog(parent), s(session) {
    setObjectName(QStringLiteral("frmSchool"));
    setWindowTitle(QStringLiteral("驾校"));
    auto* box = new QVBoxLayout(this);
    pages_ = new QStackedWidget;
    box->addWidget(pages_);

    // Joining.
    auto* joinPage = new QWidget;
    auto* joinBox = new QVBoxLayout(joinPage);
    auto* form = new QFormLayout;
    TxtJoinCode = named(new QLineEdit, QStringLiteral("TxtJoinCode"));
    TxtJoinCode->setPlaceholderText(QStringLiteral("把驾校给的加入码粘贴在这里（kemu1-join:…）"));
    TxtHost = named(new QLineEdit, QStringLiteral("TxtHost"));
    TxtPort = named(new QSpinBox, QStringLiteral("TxtPort"));
    TxtPort->setRange(1, 65535);
    TxtPort->setValue(5432);
    TxtDatabase = named(new QLineEdit, QStringLiteral("TxtDatabase"));
    TxtRole = named(new QLineEdit, QStringLiteral("TxtRole"));
    TxtPassword = named(new QLineEdit, QStringLiteral("TxtPassword"));
    TxtPassword->setEchoMode(QLineEdit::Password);
    CboSslMode = named(new QComboBox, QStringLiteral("CboSslMode"));
    CboSslMode->addItems({QStringLiteral("prefer"), QStringLiteral("require"),
                          QStringLiteral("verify-ca"), QStringLiteral("verify-full"),
                          QStringLiteral("disable")});
    form->addRow(QStringLiteral("加入码"), TxtJoinCode);
    form->addRow(QStringLiteral("服务器"), TxtHost);
    form->addRow(QStringLiteral("端口"), TxtPort);
    form->addRow(QStringLiteral("数据库"), TxtDatabase);
    form->addRow(QStringLiteral("学员名"), TxtRole);
    form->addRow(QStringLiteral("密码"), TxtPassword);
    form->addRow(QStringLiteral("加密连接"), CboSslMode);
    joinBox->addLayout(form);
    LblConsent = label(QStringLiteral("LblConsent"), Consent);
    LblConsent->setWordWrap(true);
    joinBox->addWidget(LblConsent);
    OptPasswordAsk = named(new QRadioButton(QStringLiteral("每次启动时输入密码")),
                           QStringLiteral("OptPasswordAsk"));
    OptPasswordFile =
        named(new QRadioButton(QStringLiteral("把密码保存在只有我能读的文件里（不存进题库）")),
              QStringLiteral("OptPasswordFile"));
    OptPasswordKeyring = named(new QRadioButton(QStringLiteral("把密码保存在系统钥匙串里")),
                               QStringLiteral("OptPasswordKeyring"));
    OptPasswordKeyring->setVisible(KeyringBuiltIn());
    (KeyringBuiltIn() ? OptPasswordKeyring : OptPasswordFile)->setChecked(true);
    joinBox->addWidget(OptPasswordKeyring);
    joinBox->addWidget(OptPasswordFile);
    joinBox->addWidget(OptPasswordAsk);
    LblTestResult = label(QStringLiteral("LblTestResult"), {});
    LblTestResult->setWordWrap(true);
    joinBox->addWidget(LblTestResult);
    auto* joinButtons = new QHBoxLayout;
    BtnTest = button(QStringLiteral("BtnTest"), QStringLiteral("测试连接"));
    BtnJoin = button(QStringLiteral("BtnJoin"), QStringLiteral("同意并加入"));
    joinButtons->addWidget(BtnTest);
    joinButtons->addStretch();
    joinButtons->addWidget(BtnJoin);
    joinBox->addLayout(joinButtons);
    pages_->addWidget(joinPage);

    // Leaving.
    auto* leavePage = new QWidget;
    auto* leaveBox = new QVBoxLayout(leavePage);
    LblJoined = label(QStringLiteral("LblJoined"), {});
    LblJoined->setWordWrap(true);
    ChkErase = named(new QCheckBox(QStringLiteral("同时删除驾校服务器上我的全部答题、成绩和进度")),
                     QStringLiteral("ChkErase"));
    BtnLeave = button(QStringLiteral("BtnLeave"), QStringLiteral("退出驾校"));
    leaveBox->addWidget(LblJoined);
    leaveBox->addWidget(ChkErase);
    leaveBox->addStretch();
    auto* leaveButtons = new QHBoxLayout;
    leaveButtons->addStretch();
    leaveButtons->addWidget(BtnLeave);
    leaveBox->addLayout(leaveButtons);
    pages_->addWidget(leavePage);

    BtnClose = button(QStringLiteral("BtnClose"), QStringLiteral("关闭"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BtnClose);
    box->addLayout(bottom);
    for (auto* b : {BtnTest, BtnJoin, BtnLeave, BtnClose})
        b->setMinimumSize(110, 32);

    if (joined) {
        pages_->setCurrentIndex(1);
        LblJoined->setText(QStringLiteral("已加入驾校：学员名 %1（%2:%3/%4）\n共享状态：%5")
                               .arg(joined->join.role, joined->join.host)
                               .arg(joined->join.port)
                               .arg(joined->join.database, status));
    }

    connect(TxtJoinCode, &QLineEdit::textChanged, this, &frmSchool::fillFromCode);
    connect(BtnTest, &QPushButton::clicked, this, &frmSchool::testConnection);
    connect(BtnJoin, &QPushButton::clicked, this, &frmSchool::join);
    connect(BtnLeave, &QPushButton::clicked, this, [this] {
        choice_ = Choice{Choice::Action::Leave, {}, PasswordPlace::Ask, ChkErase->isChecked()};
        accept();
    });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<frmSchool::Choice> frmSchool::ask(AppContext& s, QWidget* parent,
                                                const std::optional<SchoolLinkSettings>& joined,
                                                const QString& status) {
    frmSchool page(s, parent, joined, status);
    s.platform.showModal(&page);
    return page.choice();
}

void frmSchool::fillFromCode(const QString& code) {
    if (code.trimmed().isEmpty()) return LblTestResult->clear();
    const auto join = School::JoinDetails::fromCode(code);
    if (!join) {
        LblTestResult->setText(QStringLiteral("这不是有效的加入码，请检查是否完整复制。"));
        return;
    }
    TxtHost->setText(join->host);
    TxtPort->setValue(join->port);
    TxtDatabase->setText(join->database);
    TxtRole->setText(join->role);
    TxtPassword->setText(join->password);
    CboSslMode->setCurrentText(join->sslmode);
    LblTestResult->clear();
}

School::JoinDetails frmSchool::typed() const {
    School::JoinDetails join;
    join.host = TxtHost->text().trimmed();
    join.port = TxtPort->value();
    join.database = TxtDatabase->text().trimmed();
    join.role = TxtRole->text().trimmed();
    join.password = TxtPassword->text();
    join.sslmode = CboSslMode->currentText();
    return join;
}

void frmSchool::testConnection() {
    const School::JoinDetails join = typed();
    if (!join.isValid()) {
        LblTestResult->setText(QStringLiteral("请填写完整的服务器、端口、数据库、学员名和密码。"));
        return;
    }
    BtnTest->setEnabled(false);
    LblTestResult->setText(QStringLiteral("正在连接……"));
    // The login may take seconds: on a thread of its own, told back if the dialog is still here.
    auto result = std::make_shared<QString>();
    QThread* thread = QThread::create([join, result] { *result = SchoolSync::tryLogin(join); });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this, result] {
        BtnTest->setEnabled(true);
        LblTestResult->setText(result->isEmpty() ? QStringLiteral("连接成功。") : *result);
    });
    thread->start();
}

void frmSchool::join() {
    const School::JoinDetails join = typed();
    if (!join.isValid()) {
        LblTestResult->setText(QStringLiteral("请填写完整的服务器、端口、数据库、学员名和密码。"));
        return;
    }
    const PasswordPlace place = OptPasswordKeyring->isChecked() ? PasswordPlace::Keyring
                                : OptPasswordFile->isChecked()  ? PasswordPlace::File
                                                                : PasswordPlace::Ask;
    choice_ = Choice{Choice::Action::Join, join, place, false};
    accept();
}
