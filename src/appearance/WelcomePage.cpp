#include "WelcomePage.h"

#include "../platform/ClickableLabel.h"
#include "../ui/Widgets.h"
#include "Colours.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

WelcomePage::WelcomePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PicWelcome"));
    auto* box = new QVBoxLayout(this);
    box->setSpacing(6);
    auto* title = label(QStringLiteral("Label11"), QStringLiteral("驾驶人科目一理论考试模拟训练"));
    title->setStyleSheet(QStringLiteral("font-size:22px; font-weight:bold;"));
    box->addWidget(title);
    box->addWidget(
        label(QStringLiteral("Label17"),
              QStringLiteral(
                  "本软件由本项目开发组编写，题库为原创试题，依据现行道路交通安全法律法规编写。")));
    const QList<QPair<QString, QString>> texts = {
        {QStringLiteral("lbl2"),
         QStringLiteral("本软件有小车、货车、客车题库。网上虽有很多驾驶员考试软件版本，但不是需要安"
                        "装就是需要注册，不然就是弹窗，")},
        {QStringLiteral("Label2"),
         QStringLiteral("烦不胜烦，本软件完全免费，不用安装和注册，无任何弹窗，绝对绿色。")},
        {QStringLiteral("Label3"), QStringLiteral("您只需下载，然后解压缩就可以做模拟试题了，方便快"
                                                  "捷，让您在最短的时间内获得最佳的成绩。\r\n")},
        {QStringLiteral("Label4"), QStringLiteral("具体功能如下：")},
        {QStringLiteral("Label5"),
         QStringLiteral("1、顺序练习：按题库顺序，循序渐进的进行有序的练习。")},
        {QStringLiteral("Label6"),
         QStringLiteral("2、记忆练习：自由选择是否从上次位置开始继续练习。")},
        {QStringLiteral("Label8"),
         QStringLiteral("3、错题练习：用户可以通过错题练习,"
                        "以便全面掌握所需要学习的知识点，同时提供练习进度记录和答")},
        {QStringLiteral("Label10"), QStringLiteral("错题的强化练习功能。")},
        {QStringLiteral("Label12"), QStringLiteral("4、模拟测试：按国家考试出题标准进行智能组卷，模"
                                                   "拟出题，试题采取无序排列，计时计分。")},
        {QStringLiteral("Label14"),
         QStringLiteral("5、若配合本软件提供的通关秘籍,视频教程和电子文档，效果会更好。")},
        {QStringLiteral("Label15"), QStringLiteral("（谢谢您对本软件支持，如果您觉得本软件，对您有"
                                                   "所帮助，可以向开发者，提供捐助。以此来支持")},
        {QStringLiteral("Label16"),
         QStringLiteral("开发者，以便开发者开发更好的软件，方便大家。）")},
    };
    // Each caption fits the page on one line; unwrapped labels lay out in one pass.
    for (const auto& [name, text] : texts)
        box->addWidget(label(name, text));
    box->addSpacing(8);
    auto* links = new QHBoxLayout;
    // Public pages a learner preparing for the theory exam actually needs.
    const struct {
        const char* name;
        QString text, tip;
        const char* url;
    } pages[] = {
        {"imgTall", QStringLiteral("交通安全综合服务管理平台"),
         QStringLiteral("公安部交通安全综合服务管理平台：网上预约考试、查询成绩"),
         "https://gab.122.gov.cn/"},
        {"imgDonate20", QStringLiteral("国家法律法规数据库"),
         QStringLiteral("查阅《道路交通安全法》及其实施条例的原文"), "https://flk.npc.gov.cn/"},
        {"imgDonate10", QStringLiteral("公安部网站"), QStringLiteral("中华人民共和国公安部网站"),
         "https://www.mps.gov.cn/"},
    };
    for (const auto& page : pages) {
        auto* l = named(new ClickableLabel(page.text), QString::fromLatin1(page.name));
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(page.tip);
        l->setAccessibleName(page.text);
        l->setAlignment(Qt::AlignCenter);
        const QUrl url(QString::fromLatin1(page.url));
        connect(l, &ClickableLabel::clicked, this, [this, url] { emit linkClicked(url); });
        links->addWidget(l);
    }
    box->addLayout(links);
    box->addStretch();
    setNight(false);
}

void WelcomePage::setNight(bool night) {
    const Colours& c = ColoursFor(night);
    const QString sheet =
        QStringLiteral("QLabel{border:1px solid %1; border-radius:6px;"
                       "padding:8px 10px; background:%2; color:%3;}")
            .arg(cssColour(c.linkBorder), cssColour(c.linkBack), cssColour(c.linkText));
    for (ClickableLabel* link : findChildren<ClickableLabel*>())
        link->setStyleSheet(sheet);
}
