#pragma once
// The operators and their rights "操作员设置": one row of tuser at a time, its name, password
// and the fourteen rights. Passwords are stored as argon2id hashes; a stored one is shown as a
// fixed mask, and a save that leaves the mask untouched keeps the stored hash.
#include "Dataset.h"

#include "Rights.h"

#include <QDialog>
#include <QVector>

class DBCheckBox;
class DBEdit;
class DBGrid;
class QGroupBox;
class QLabel;
class QLineEdit;
class QShowEvent;
class QToolBar;
class QToolButton;

namespace Operators {
// The list of operators, in the table's natural order.
QString listSql();
// What the password box shows for an operator whose password is stored.
QString passwordMask();
// The rights in the order the dialog shows them (the table's).
const QList<RightInfo>& rights();
}

class TfrmUser : public QDialog {
    Q_OBJECT
public:
    explicit TfrmUser(QWidget* owner);
    ~TfrmUser() override;

    // Handlers, public so that tests drive them without a modal loop.
    void UpdateControls();
    void ADOQuery1AfterScroll();
    void btnAddClick();
    void btnModifyClick();
    void btnDeleteClick();
    void btnCancelClick();
    void btnSaveClick();
    void btnExitClick();

    // Whether the password box holds a password typed since the row was loaded.
    bool passwordTyped() const { return passwordTyped_; }

    Dataset ADOQuery1;

    QToolBar* RzToolbar1;
    QToolButton* btnAdd;
    QToolButton* btnModify;
    QToolButton* btnDelete;
    QToolButton* btnCancel;
    QToolButton* btnSave;
    QToolButton* btnExit;
    QLabel* Label1;
    DBEdit* DBEdit1;   // username
    QLabel* Label2;
    QLineEdit* DBEdit2; // password, masked
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QVector<DBCheckBox*> rightBoxes; // DBCheckBox1 ... DBCheckBox14, in the order of Operators::rights()
    DBGrid* DBGridEh1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void showStoredPassword();
    void passwordEdited();
    void storeTypedPassword();
    // The checks of "保存", then the write; false when a check refused the row (and said why).
    bool saveRow();

    bool passwordTyped_ = false;
};

extern TfrmUser* frmUser;
