#include "AnswerCardView.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

AnswerCardView::AnswerCardView(QWidget* parent)
    : QTableView(parent), model_(new AnswerCardModel(this)) {
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setDefaultSectionSize(40);
    verticalHeader()->setDefaultSectionSize(26);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setCornerButtonEnabled(false);
    setAccessibleName(QStringLiteral("答题卡"));
}

void AnswerCardView::selectPosition(int position) {
    const auto cell =
        model_->index(position / AnswerCardModel::Columns, position % AnswerCardModel::Columns);
    if (!cell.isValid()) return;
    setCurrentIndex(cell);
    scrollTo(cell);
}

int AnswerCardView::currentPosition() const {
    const auto cell = currentIndex();
    return cell.isValid() ? cell.row() * AnswerCardModel::Columns + cell.column() : -1;
}

QString AnswerCardView::currentText() const {
    const auto cell = currentIndex();
    return cell.isValid() ? model_->text(cell.row(), cell.column()) : QString();
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
