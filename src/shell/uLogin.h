#pragma once
// The login dialog: asks for an operator's name and password and, on success, makes that
// operator the data module's CurrentUser.
#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The operator names in the order the table returns them (a null name gives an empty item).
QStringList loginUserNames();

// The stored spelling of the operator called `name` (letter case ignored) whose password hash
// verifies `password` exactly; among rows of the same name the first that verifies wins.
// Empty when none does. Both texts are trimmed of surrounding blanks and control characters.
QString checkLogin(const QString& name, const QString& password);

// Leading and trailing characters up to and including the blank removed.
QString trimBlanksAndControls(const QString& text);

class TfrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* owner);
    ~TfrmLogin() override;

    // Refills the name list and empties the typed name; the password box keeps its text.
    void FormShow();
    // Logs in with the typed name and password, or says they are wrong and goes back to the name.
    void btnOKClick();
    // Ends the program.
    void btnExitClick();

    QLabel* Label3;
    QFrame* Bevel1;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QPushButton* btnOK;
    QPushButton* btnExit;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool shownBefore_ = false;
};

extern TfrmLogin* frmLogin;
