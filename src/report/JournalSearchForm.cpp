#include "JournalSearchForm.h"

#include "Application.h"
#include "BankAccounts.h"
#include "Connection.h"
#include "Dataset.h"
#include "KeyFilters.h"
#include "uDM.h"
#include "Tables.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

QDateEdit* datePicker(QWidget* parent)
{
    auto* d = new QDateEdit(parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return d;
}
}

JournalSearchForm::JournalSearchForm(QWidget* owner, Dataset* journalList, JournalKind journal)
    : QDialog(owner), list_(journalList), journal_(journal)
{
    setWindowTitle(journal == JournalKind::Cash ? QStringLiteral("查找") : QStringLiteral("查询"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    int row = 0;
    if (journal == JournalKind::Bank) {
        ComboBox2 = new QComboBox(this);
        ComboBox2->setEditable(true);
        ComboBox2->setInsertPolicy(QComboBox::NoInsert);
        grid->addWidget(labelFor(QStringLiteral("银行"), ComboBox2, this), row, 0);
        grid->addWidget(ComboBox2, row, 1, 1, 4);
        ++row;
    }
    DateTimePicker1 = datePicker(this);
    DateTimePicker2 = datePicker(this);
    grid->addWidget(labelFor(QStringLiteral("日期"), DateTimePicker1, this), row, 0);
    grid->addWidget(DateTimePicker1, row, 1, 1, 2);
    grid->addWidget(labelFor(QStringLiteral("到"), DateTimePicker2, this), row, 3, Qt::AlignRight);
    grid->addWidget(DateTimePicker2, row, 4);
    ++row;

    Edit1 = new QLineEdit(this);
    grid->addWidget(labelFor(QStringLiteral("凭证号"), Edit1, this), row, 0);
    grid->addWidget(Edit1, row, 1, 1, 4);
    ++row;

    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    grid->addWidget(labelFor(QStringLiteral("摘要"), ComboBox1, this), row, 0);
    grid->addWidget(ComboBox1, row, 1, 1, 4);
    ++row;

    auto amountRow = [&](const QString& title, QLineEdit*& low, QLineEdit*& high) {
        low = new QLineEdit(this);
        high = new QLineEdit(this);
        for (QLineEdit* e : {low, high}) {
            e->setAlignment(Qt::AlignRight);
            filterTypedCharacters(e, amountKeyAccepted);
        }
        // The row's "大于"/"小于" alone would not tell the debit boxes from the credit ones.
        low->setAccessibleName(title + QStringLiteral("大于"));
        high->setAccessibleName(title + QStringLiteral("小于"));
        grid->addWidget(labelFor(title, low, this), row, 0);
        grid->addWidget(labelFor(QStringLiteral("大于"), low, this), row, 1);
        grid->addWidget(low, row, 2);
        grid->addWidget(labelFor(QStringLiteral("小于"), high, this), row, 3, Qt::AlignRight);
        grid->addWidget(high, row, 4);
        ++row;
    };
    amountRow(QStringLiteral("借方金额"), Edit2, Edit3);
    amountRow(QStringLiteral("贷方金额"), Edit4, Edit9);

    auto textRow = [&](const QString& title, QLineEdit*& box) {
        box = new QLineEdit(this);
        grid->addWidget(labelFor(title, box, this), row, 0);
        grid->addWidget(box, row, 1, 1, 4);
        ++row;
    };
    textRow(QStringLiteral("发票单位"), Edit5);
    textRow(QStringLiteral("明细"), Edit6);
    textRow(QStringLiteral("经办人"), Edit7);
    textRow(QStringLiteral("备注"), Edit8);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);

    Button1 = new QPushButton(QStringLiteral("查询"), this);
    Button2 = new QPushButton(QStringLiteral("退出"), this);
    Button1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addSpacing(6);
    lay->addLayout(buttons);
    resize(420, sizeHint().height());

    // Tab order follows the layout, top to bottom, left to right.
    QList<QWidget*> order;
    if (ComboBox2)
        order << ComboBox2;
    order << DateTimePicker1 << DateTimePicker2 << Edit1 << ComboBox1 << Edit2 << Edit3 << Edit4 << Edit9 << Edit5
          << Edit6 << Edit7 << Edit8 << Button1 << Button2;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    onSignal(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    runGuarded([this] { FormCreate(); });
}

void JournalSearchForm::FormCreate()
{
    ComboBox1->addItems(Connection::instance().column(QStringLiteral("Select %1 From %2 ").arg(SummaryField::text, Table::summaries)));
    ComboBox1->setCurrentIndex(-1);
}

void JournalSearchForm::FormShow()
{
    const QDate today = QDate::currentDate();
    if (journal_ == JournalKind::Cash) {
        DateTimePicker1->setDate(today.addDays(-30));
        DateTimePicker2->setDateTime(QDateTime::currentDateTime());
        for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit9, Edit5, Edit6, Edit7, Edit8})
            e->clear();
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->clearEditText();
    } else {
        DateTimePicker1->setDate(today.addDays(-1));
        DateTimePicker2->setDate(today);
        // Refilling the account list leaves no account chosen.
        ComboBox2->clear();
        ComboBox2->addItems(BankAccountNames());
        ComboBox2->setCurrentIndex(-1);
        ComboBox2->clearEditText();
    }
}

SearchCriteria JournalSearchForm::criteria() const
{
    SearchCriteria c;
    if (ComboBox2)
        c.bank = ComboBox2->currentText();
    c.from = DateTimePicker1->date();
    c.to = DateTimePicker2->date();
    c.voucher = Edit1->text();
    c.summary = ComboBox1->currentText();
    c.debitMin = Edit2->text();
    c.debitMax = Edit3->text();
    c.creditMin = Edit4->text();
    c.creditMax = Edit9->text();
    c.invoiceUnit = Edit5->text();
    c.detail = Edit6->text();
    c.handler = Edit7->text();
    c.remark = Edit8->text();
    return c;
}

void JournalSearchForm::Button1Click()
{
    // Built in full before the list is touched: a refused criterion leaves the list as it was.
    const Connection::Statement st = buildSearch(journal_, criteria(), DM ? DM->CurrentUser : QString());
    if (list_)
        list_->open(st.sql, st.params);
}

void JournalSearchForm::Button2Click() { close(); }

void JournalSearchForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded([this] { FormShow(); });
}
