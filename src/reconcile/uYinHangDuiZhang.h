#pragma once
// "银行对账": one bank account's journal entries and statement lines side by side for a date
// range; statement import, lines typed by hand, 自动对账, 手工对账, 取消对账, the 两清 marks, a
// filter for the unpaired rows, and the 银行存款余额调节表.
#include "Dataset.h"
#include "StatementImport.h"

#include <QDialog>
#include <functional>

class DBGrid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;

class TfrmYinHangDuiZhang : public QDialog {
    Q_OBJECT
public:
    explicit TfrmYinHangDuiZhang(QWidget* owner);
    ~TfrmYinHangDuiZhang() override;

    // Reads the account list again and lists the range.
    void FormShow();
    // Lists the account's entries and lines of the range, after the filter.
    void Refresh();
    QString account() const;

    // "导入对账单": asks for a file and imports it (see importFile).
    void btnImportClick();
    // The import of one file: read, the mapping dialog when the columns are not recognised, the
    // preview (which `confirmImport` shows), the store.
    void importFile(const QString& path);
    // "新增", "修改", "删除": statement lines by hand.
    void btnAddLineClick();
    void btnEditLineClick();
    void btnDeleteLineClick();
    // "自动对账", "手工对账", "取消对账".
    void btnAutoMatchClick();
    void btnHandMatchClick();
    void btnUnmatchClick();
    // "余额调节表": as of the last day of the range.
    void btnReconciliationClick();

    // Dialogs behind hooks, so tests answer them without a screen. Each returns false to stop.
    std::function<bool(const SheetReader::Rows&, StatementLayout&)> chooseLayout;
    std::function<bool(const ImportPreview&)> confirmImport;
    std::function<bool(StatementLine&)> editLine;

    Dataset Entries;
    Dataset Lines;
    DBGrid* GridEntries = nullptr;
    DBGrid* GridLines = nullptr;
    QComboBox* ComboAccount = nullptr;
    QDateEdit* EditFrom = nullptr;
    QDateEdit* EditTo = nullptr;
    QSpinBox* SpinDays = nullptr;
    QCheckBox* CheckUnpaired = nullptr;
    QLabel* LabelCounts = nullptr;
    QPushButton* btnImport = nullptr;
    QPushButton* btnAddLine = nullptr;
    QPushButton* btnEditLine = nullptr;
    QPushButton* btnDeleteLine = nullptr;
    QPushButton* btnAutoMatch = nullptr;
    QPushButton* btnHandMatch = nullptr;
    QPushButton* btnUnmatch = nullptr;
    QPushButton* btnReconciliation = nullptr;
    QPushButton* btnExit = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QVector<qint64> selectedKeys(const DBGrid* grid) const;
    // Stops with a message when no account is chosen.
    QString requireAccount() const;
};

extern TfrmYinHangDuiZhang* frmYinHangDuiZhang;
