#pragma once

#include "Layer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

// Small builders every window uses: a control carries its name as its objectName, so tests
// and screen readers find it.
template <class W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

inline QLabel* label(const QString& name, const QString& text) {
    return named(new QLabel(text), name);
}

inline QPushButton* button(const QString& name, const QString& text) {
    auto* b = named(new QPushButton(text), name);
    b->setAutoDefault(false);
    return b;
}

// The 顺序练习 | 随机练习 pair at the foot of the dialogs that start a drill, right-aligned.
inline QHBoxLayout* orderButtons(QPushButton** sequence, QPushButton** random) {
    auto* row = new QHBoxLayout;
    *sequence = button(QStringLiteral("BtnSequence"), QStringLiteral("顺序练习"));
    *random = button(QStringLiteral("BtnRandom"), QStringLiteral("随机练习"));
    row->addStretch();
    for (auto* b : {*sequence, *random}) {
        b->setMinimumSize(110, 32);
        row->addWidget(b);
    }
    return row;
}
