#include "PracticePage.h"

#include "../domain/QuestionSet.h"
#include "../ui/AppContext.h"
#include "../ui/Widgets.h"
#include "AnswerCardView.h"
#include "QuestionPanel.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>

PracticePage::PracticePage(AppContext& session, QBoxLayout* pages, QBoxLayout* row, QWidget* window)
    : QObject(window), s(session), pages_(pages), row_(row), window_(window) {
    window_->installEventFilter(this);
}

bool PracticePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint) {
        window_->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &PracticePage::build, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

QuestionPanel* PracticePage::panel() {
    build();
    return panel_;
}

AnswerCardView* PracticePage::card() {
    build();
    return MSHFlexGrid1;
}

QWidget* PracticePage::cardPanel() {
    build();
    return CardPanel;
}

void PracticePage::showNewSet(const QuestionSet& set, bool idNumbers) {
    if (!built()) return;
    panel_->setLook(QuestionPanel::Look::Practice);
    panel_->showCounts(0, 0);
    panel_->showVerdict({}, std::nullopt);
    MSHFlexGrid1->card()->load(set.ids(), idNumbers);
}

void PracticePage::setShown(bool shown) {
    if (!shown && !built()) return;
    build();
    for (QWidget* w : {static_cast<QWidget*>(panel_), static_cast<QWidget*>(Line1), CardPanel})
        w->setVisible(shown);
}

void PracticePage::build() {
    if (built()) return;
    emit building();
    panel_ = new QuestionPanel(s.programFolder, s.makeClock);
    panel_->hide();
    pages_->addWidget(panel_);
    Line1 = named(new QFrame, QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->hide();
    row_->addWidget(Line1);
    // The card with its legend; the welcome page takes its room while it is hidden.
    CardPanel = buildCardPanel(&MSHFlexGrid1);
    CardPanel->hide();
    row_->addWidget(CardPanel, 1);
    emit builtNow();
}
