#pragma once
// The one design of both entry dialogs: boxes bound to the journal list's current row, the
// summary pick, the save checks, the save with its balance rewrite, "增加", "取消" and "退出".
// The cash and bank dialogs differ by data (their JournalDesign and button order) and the
// bank's account box.
#include "JournalKind.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

class Dataset;
class DBEdit;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTimeEdit;
class QToolButton;

class JournalEntryDialog : public QDialog {
    Q_OBJECT
public:
    // Sky blue (A6CAF0): the read-only summary boxes and the amount box of the picked side.
    static QColor skyBlue() { return QColor(0xA6, 0xCA, 0xF0); }

    JournalEntryDialog(QWidget* owner, Dataset& list, JournalKind kind);
    ~JournalEntryDialog() override;

    JournalKind kind() const { return design_.kind; }
    Dataset& list() const;

    // Prepared by the journal window before showing.
    void setPickers(const QDateTime& when);
    void selectAccount(const QString& account); // bank: the item equal to it, or none

    // Handlers, public so that tests drive them without a modal loop.
    void UpdateButtons();
    void btnAddClick();
    void btnSaveClick();
    void btnCancelClick();
    void btnExitClick();
    void summaryButtonClick();
    // The amount boxes' states and colours after a pick of `category`.
    void applyCategory(const QString& category);

    QDateEdit* DateTimePicker1;
    QTimeEdit* DateTimePicker2;
    QComboBox* ComboBox1 = nullptr; // bank only: the account
    DBEdit* voucherBox;
    DBEdit* summaryBox;
    QToolButton* summaryButton;
    DBEdit* categoryBox;
    DBEdit* detailBox;
    DBEdit* debitBox;
    DBEdit* creditBox;
    DBEdit* balanceBox;
    DBEdit* invoiceBox;
    DBEdit* handlerBox;
    DBEdit* remarkBox;
    QPushButton* btnAdd;
    QPushButton* btnSave;
    QPushButton* btnCancel;
    QPushButton* btnExit;

    // Names of the bound boxes as the dialog's designer gave them, per kind (voucher, summary,
    // category, detail, debit, credit, balance, invoice, handler, remark).
    static QStringList boxNames(JournalKind kind);

protected:
    // Every way of closing ends here: a pending row is discarded, nothing is saved.
    void done(int result) override;

private:
    void discardPending();
    // The checks of "保存", then the save with its balances; false when a check refused the
    // entry (and said why).
    bool saveEntry();
    QPointer<Dataset> list_;
    JournalDesign design_;
};
