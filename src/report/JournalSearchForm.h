#pragma once
// The one design of both journal search dialogs: the criteria, "查询" that replaces the journal
// window's list with the entries found, and "退出". The dialog stays open between searches.
#include "SearchQuery.h"

#include <QDialog>
#include <QPointer>

class Dataset;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class JournalSearchForm : public QDialog {
    Q_OBJECT
public:
    JournalSearchForm(QWidget* owner, Dataset* journalList, JournalKind journal);

    // Fills the summary list, once.
    void FormCreate();
    // The defaults of every showing.
    void FormShow();
    // "查询": builds the statement from the criteria and opens it on the journal list.
    void Button1Click();
    // "退出".
    void Button2Click();

    // The criteria as they stand in the boxes.
    SearchCriteria criteria() const;
    JournalKind journal() const { return journal_; }

    QComboBox* ComboBox2 = nullptr; // "银行", bank dialog only
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QLineEdit* Edit1 = nullptr; // "凭证号"
    QComboBox* ComboBox1 = nullptr; // "摘要"
    QLineEdit* Edit2 = nullptr; // debit "大于"
    QLineEdit* Edit3 = nullptr; // debit "小于"
    QLineEdit* Edit4 = nullptr; // credit "大于"
    QLineEdit* Edit9 = nullptr; // credit "小于"
    QLineEdit* Edit5 = nullptr; // "发票单位"
    QLineEdit* Edit6 = nullptr; // "明细"
    QLineEdit* Edit7 = nullptr; // "经办人"
    QLineEdit* Edit8 = nullptr; // "备注"
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QPointer<Dataset> list_;
    JournalKind journal_;
};
