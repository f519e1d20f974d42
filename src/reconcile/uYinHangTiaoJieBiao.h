#pragma once
// "银行存款余额调节表": the reconciliation statement of an account as of a day, shown in a grid,
// exported through the grid export and printed with its own page layout.
#include "Dataset.h"
#include "Reconciliation.h"

#include <QDialog>

class DBGrid;
class QDateEdit;
class QLabel;
class QPushButton;

class TfrmYinHangTiaoJieBiao : public QDialog {
    Q_OBJECT
public:
    TfrmYinHangTiaoJieBiao(const QString& account, const QDate& day, QWidget* parent = nullptr);

    // "计算": the statement as of the day in the box.
    void btnComputeClick();
    // "导出": the grid's rows through the grid export, proposing "银行存款余额调节表".
    void btnExportClick();
    // "打印": the print preview of the statement's own layout.
    void btnPrintClick();

    const Reconciliation& data() const { return data_; }

    QDateEdit* EditDay = nullptr;
    QLabel* LabelVerdict = nullptr;
    DBGrid* DBGridEh1 = nullptr;
    Dataset ADOQuery1;
    QPushButton* btnCompute = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnExit = nullptr;

private:
    QString account_;
    Reconciliation data_;
};
