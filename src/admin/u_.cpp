#include "u_.h"
#include "Maximise.h"

#include "AppError.h"
#include "Application.h"
#include "ClosedMonths.h"
#include "Command.h"
#include "Connection.h"
#include "Messages.h"
#include "OperationLog.h"
#include "Tables.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tfrm_* frm_ = nullptr;

QString DataInitialisation::cashSql() { return QStringLiteral("delete from ") + Table::cash; }
QString DataInitialisation::bankSql() { return QStringLiteral("Delete From ") + Table::bank; }

namespace {
// Empties a journal, closed months included. The lock triggers look the closings up, so they step
// aside for the deletion; they come back unless both journals are empty then.
void emptyJournal(const QString& sql, const QString& table)
{
    Connection& c = Connection::instance();
    Transaction t;
    c.run(QStringLiteral("CREATE TEMP TABLE kept_closings AS SELECT * FROM %1").arg(Table::closedMonths));
    c.run(QStringLiteral("DELETE FROM %1").arg(Table::closedMonths));
    // One log row for the journal, with the number of entries it held, stands for the deleted
    // entries: the delete triggers leave them out after it.
    const QVariant rows = c.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    namespace Log = OperationLog;
    Log::record({Log::Kind::initialisation, {}, table, {}, {{Log::Value::rows, rows}}, {{Log::Value::rows, 0}}});
    Command::execute(sql);
    if (c.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1) OR EXISTS (SELECT 1 FROM %2)").arg(Table::cash, Table::bank)).toInt())
        c.run(QStringLiteral("INSERT INTO %1 SELECT * FROM temp.kept_closings").arg(Table::closedMonths));
    else
        ClosedMonths::rewriteRefusals();
    c.run(QStringLiteral("DROP TABLE temp.kept_closings"));
    t.commit();
}
} // namespace

void DataInitialisation::run(bool cash, bool bank, QWidget* parent)
{
    const auto execute = [](const QString& sql, const QString& table) {
        try {
            emptyJournal(sql, table);
        } catch (const std::exception& e) {
            throw AppError(QString::fromUtf8(e.what()));
        }
    };
    if (cash) {
        execute(cashSql(), Table::cash);
        Messages::current().information(parent, QStringLiteral("现金日记账信息已初始化完毕"));
    }
    if (bank) {
        execute(bankSql(), Table::bank);
        Messages::current().information(parent, QStringLiteral("银行日记账信息已初始化完毕"));
    }
}

Tfrm_::Tfrm_(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("数据初始化"));

    CheckBox1 = new QCheckBox(QStringLiteral("删除 现金记账信息"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("删除银行记账信"), this);
    RzLabel1 = new QLabel(QStringLiteral("提示：该操作将删除所有记账数据，\n\n     一般在软件首次使用时操作。"), this);
    RzLabel1->setStyleSheet(QStringLiteral("color: red;"));
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("退出"), this);
    // No default button: Enter on a ticked box must not wipe a journal.
    for (QPushButton* b : {Button1, Button2})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    // The dialog's content keeps its size; opened maximised it stays in the middle.
    auto* content = new QWidget(this);
    auto* inner = new QVBoxLayout(content);
    inner->setContentsMargins(24, 18, 24, 18);
    inner->addWidget(CheckBox1);
    inner->addWidget(CheckBox2);
    inner->addSpacing(12);
    inner->addWidget(RzLabel1);
    inner->addStretch();
    inner->addLayout(buttons);
    content->setFixedSize(360, 220);
    auto* all = new QGridLayout(this);
    all->addWidget(content, 0, 0, Qt::AlignCenter);
    setMinimumSize(360, 220);
    maximise(this);

    onSignal(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    onSignal(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    FormCreate();
}

Tfrm_::~Tfrm_()
{
    if (frm_ == this)
        frm_ = nullptr;
}

void Tfrm_::FormCreate()
{
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
}

void Tfrm_::Button1Click() { DataInitialisation::run(CheckBox1->isChecked(), CheckBox2->isChecked(), this); }

void Tfrm_::Button2Click() { close(); }
