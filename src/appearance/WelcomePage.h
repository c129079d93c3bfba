#pragma once

#include "../ui/Layer.h"

#include <QUrl>
#include <QWidget>

// The welcome and about page: what the program offers, and links to the public pages a
// learner preparing for the exam needs.
class WelcomePage : public QWidget {
    Q_OBJECT
  public:
    explicit WelcomePage(QWidget* parent = nullptr);
    // The links in the night colours, or the day's.
    void setNight(bool night);

  signals:
    void linkClicked(const QUrl& url);
};
