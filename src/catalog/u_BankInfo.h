#pragma once
// The bank account catalogue "开户银行": maintenance of the bankInfo table.
#include "Catalog.h"
#include "Dataset.h"

#include <QDialog>

class DBEdit;
class DBGrid;
class DBNavigator;
class QLabel;
class QPushButton;
class QShowEvent;

class TfrmbankInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmbankInfo(QWidget* owner);
    ~TfrmbankInfo() override;

    // Handlers, public so that tests drive them without a modal loop.
    void FormShow();
    void UpdateControls();
    void ADOQuery1AfterScroll();

    Dataset ADOQuery1;

    DBGrid* DBGridEh1;
    DBNavigator* DBNavigator1;
    QLabel* Label1;
    DBEdit* DBEdit1; // bankName
    QPushButton* btnAdd;
    QPushButton* btnModify;
    QPushButton* btnDelete;
    QPushButton* btnCancel;
    QPushButton* btnSave;
    QPushButton* btnExit;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Catalog::Controller catalog_;
};

extern TfrmbankInfo* frmbankInfo;
