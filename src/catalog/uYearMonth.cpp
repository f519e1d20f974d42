#include "uYearMonth.h"

#include "Application.h"
#include "Messages.h"
#include "Period.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmYearMonth* frmYearMonth = nullptr;

PeriodPicker::PeriodPicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // Before any load the picker stands at now, time of day included.
    setFullDateTime(QDateTime::currentDateTime());
}

void PeriodPicker::setFullDateTime(const QDateTime& t)
{
    time_ = QTime(t.time().hour(), t.time().minute(), t.time().second());
    setDate(t.date());
}

TfrmYearMonth::TfrmYearMonth(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("账务年月"));
    Label2 = new QLabel(QStringLiteral("账务年月是指当前要记账的年月日期"), this);
    Label1 = new QLabel(QStringLiteral("账务年月"), this);
    DateTimePicker1 = new PeriodPicker(this);
    Label1->setBuddy(DateTimePicker1);
    Button1 = new QPushButton(QStringLiteral("保存"), this);
    Button2 = new QPushButton(QStringLiteral("退出"), this);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(DateTimePicker1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Label2);
    lay->addLayout(row);
    lay->addStretch(1);
    lay->addLayout(buttons);
    setTabOrder(DateTimePicker1, Button1);
    setTabOrder(Button1, Button2);

    onSignal(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    FormCreate();
    setFixedSize(sizeHint().expandedTo(QSize(300, 140)));
}

TfrmYearMonth::~TfrmYearMonth()
{
    if (frmYearMonth == this)
        frmYearMonth = nullptr;
}

void TfrmYearMonth::FormCreate()
{
    const QDateTime stored = StoredPeriod();
    if (stored.isValid())
        DateTimePicker1->setDate(stored.date()); // the picker keeps its own time of day
}

void TfrmYearMonth::Button1Click()
{
    // A database error propagates as AppError with the driver's text: the error box shows it,
    // nothing is reported and the dialog stays open.
    SavePeriod(DateTimePicker1->fullDateTime());
    Messages::current().information(this, QStringLiteral("记账年月已修改"));
    close();
}

void TfrmYearMonth::Button2Click() { close(); }
