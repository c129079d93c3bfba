#pragma once

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
