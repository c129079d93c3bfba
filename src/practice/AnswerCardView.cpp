#include "AnswerCardView.h"

#include "../ui/Widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

AnswerCardView::AnswerCardView(QWidget* parent)
    : QTableView(parent), model_(new AnswerCardModel(this)) {
    // Headers hidden and fixed before the model comes, so its rows are not measured (in a bold
    // face, as headers measure) at start-up for nothing.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setDefaultSectionSize(40);
    verticalHeader()->setDefaultSectionSize(26);
    setModel(model_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setCornerButtonEnabled(false);
    setAccessibleName(QStringLiteral("答题卡"));
}

// Ten cells a row share whatever width the cells have: the card's, less the scroll bar when a
// set is too long to show whole.
bool AnswerCardView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        const int width = viewport()->width() / AnswerCardModel::Columns;
        for (int column = 0; column < AnswerCardModel::Columns; ++column)
            setColumnWidth(column, width);
    }
    return QTableView::viewportEvent(event);
}

QSize AnswerCardView::sizeHint() const {
    return {10 * 40 + 2 + 18, 22 * 26 + 2};
}

QSize AnswerCardView::minimumSizeHint() const {
    return {10 * 30 + 2 + 18, 8 * 26 + 2};
}

void AnswerCardView::selectPosition(int position) {
    const auto cell =
        model_->index(position / AnswerCardModel::Columns, position % AnswerCardModel::Columns);
    if (!cell.isValid()) return;
    setCurrentIndex(cell);
    scrollTo(cell);
}

void AnswerCardView::paintAnswer(const QuestionSet& set, int p) {
    if (p < 0 || p >= model_->count()) return;
    const AnswerState& state = set.state(p);
    model_->setBackground(p,
                          state.answered ? AnswerCardModel::LightYellow : AnswerCardModel::White);
    if (state.answered && !state.right && !set.isExam()) model_->setBoldRed(p);
}

void AnswerCardView::markWrongAnswers(const QuestionSet& set) {
    for (int i = 0; i < set.size() && i < model_->count(); ++i) {
        if (set.state(i).answered && !set.state(i).right) {
            model_->setBackground(i, AnswerCardModel::LightYellow);
            model_->setBoldRed(i);
        }
    }
}

void AnswerCardView::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (event->modifiers() != Qt::NoModifier || event->buttons() != Qt::NoButton) return;
    const int delta = event->angleDelta().y();
    if (delta == -120)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    else if (delta == 120)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
}

QWidget* buildCardPanel(AnswerCardView** view) {
    auto* panel = named(new QWidget, QStringLiteral("CardPanel"));
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    *view = named(new AnswerCardView, QStringLiteral("MSHFlexGrid1"));
    box->addWidget(*view, 1);
    auto* legend = new QHBoxLayout;
    legend->setContentsMargins(0, 4, 0, 0);
    const QList<std::tuple<const char*, QRgb, const char*, QString>> keys = {
        {"Image3", AnswerCardModel::LightYellow, "Label9", QStringLiteral("已答题")},
        {"Image4", AnswerCardModel::LightCyan, "Label7", QStringLiteral("当前题")},
        {"Image2", AnswerCardModel::White, "Label1", QStringLiteral("未答题")}};
    for (const auto& [swatchName, colour, labelName, text] : keys) {
        auto* swatch = label(QString::fromLatin1(swatchName), {});
        swatch->setFixedSize(18, 18);
        swatch->setProperty("meaning", colour);
        legend->addWidget(swatch);
        legend->addWidget(label(QString::fromLatin1(labelName), text));
        legend->addSpacing(12);
    }
    legend->addStretch();
    box->addLayout(legend);
    setCardNight(panel, false);
    return panel;
}

void setCardNight(QWidget* cardPanel, bool night) {
    auto* view = cardPanel->findChild<AnswerCardView*>();
    view->card()->setNight(night);
    for (QLabel* swatch : cardPanel->findChildren<QLabel*>())
        if (const QVariant meaning = swatch->property("meaning"); meaning.isValid())
            swatch->setStyleSheet(QStringLiteral("background:%1; border:1px solid #888;")
                                      .arg(QColor(view->card()->shown(meaning.toUInt())).name()));
}
