#pragma once
// The summary catalogue "摘要": maintenance of the ZhanYao table and the pick used by the
// journal entry dialogs, which read PickedSummary after the window closes.
#include "Catalog.h"
#include "Dataset.h"

#include <QDialog>
#include <QString>

class DBEdit;
class DBGrid;
class DBNavigator;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QShowEvent;

// The last pick of the run; all three texts start empty and a later pick overwrites them.
struct TPickedSummary {
    QString ZhanYao, ZYType, KuMuCode;
};
extern TPickedSummary PickedSummary;

class TfrmZhanYao : public QDialog {
    Q_OBJECT
public:
    explicit TfrmZhanYao(QWidget* owner);
    ~TfrmZhanYao() override;

    // Handlers, public so that tests drive them without a modal loop.
    void FormShow();
    void UpdateControls();
    void ADODataSet1AfterScroll();
    void btnSaveClick();
    void Button1Click();
    void DBGridEh1DblClick();

    Dataset ADODataSet1;

    QLabel* Label2;
    DBEdit* DBEdit2; // KuMuCode
    QLabel* Label1;
    DBEdit* DBEdit1; // ZhanYao
    QGroupBox* GroupBox1;
    QRadioButton* RadioButton1; // 借方（增加）
    QRadioButton* RadioButton2; // 贷方（减少）
    DBGrid* DBGridEh1;
    DBNavigator* DBNavigator1;
    QPushButton* btnNew;
    QPushButton* btnModify;
    QPushButton* btnSave;
    QPushButton* btnCancel;
    QPushButton* btnDelete;
    QPushButton* btnImport;
    QPushButton* btnExit;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormCreate();
    void collectCategory();

    Catalog::Controller catalog_;
};

extern TfrmZhanYao* frmZhanYao;
