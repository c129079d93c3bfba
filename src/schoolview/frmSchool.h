#pragma once

#include "../ui/Layer.h"

#include "../school/LinkSettings.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
struct AppContext;

// "驾校": joining a driving school (the join code or its details, what is shared, where the
// password is kept, a connection test) or, once joined, leaving it. Hands back the choice;
// the caller acts on it.
class frmSchool : public QDialog {
    Q_OBJECT
  public:
    struct Choice {
        enum class Action { Join, Leave } action = Action::Join;
        School::JoinDetails join; // with the password
        PasswordPlace place = PasswordPlace::Ask;
        bool erase = false; // leaving: delete the learner's rows on the server too
    };
    // `joined`: the school the learner is in, if any; `status`: how sharing stands.
    frmSchool(AppContext& session, QWidget* parent, const std::optional<SchoolLinkSettings>& joined,
              const QString& status);
    static std::optional<Choice> ask(AppContext& session, QWidget* parent,
                                     const std::optional<SchoolLinkSettings>& joined,
                                     const QString& status);
    const std::optional<Choice>& choice() const { return choice_; }

  private:
    void fillFromCode(const QString& code);
    School::JoinDetails typed() const;
    void testConnection();
    void join();

    AppContext& s;
    std::optional<Choice> choice_;
    QStackedWidget* pages_;
    QLineEdit* TxtJoinCode;
    QLineEdit* TxtHost;
    QSpinBox* TxtPort;
    QLineEdit* TxtDatabase;
    QLineEdit* TxtRole;
    QLineEdit* TxtPassword;
    QComboBox* CboSslMode;
    QLabel* LblConsent;
    QRadioButton* OptPasswordKeyring;
    QRadioButton* OptPasswordAsk;
    QRadioButton* OptPasswordFile;
    QPushButton* BtnTest;
    QLabel* LblTestResult;
    QPushButton* BtnJoin;
    QLabel* LblJoined;
    QCheckBox* ChkErase;
    QPushButton* BtnLeave;
    QPushButton* BtnClose;
};
