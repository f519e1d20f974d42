#include "u_.h"
#include "Maximise.h"

#include "AppError.h"
#include "Application.h"
#include "Command.h"
#include "Messages.h"
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

void DataInitialisation::run(bool cash, bool bank, QWidget* parent)
{
    const auto execute = [](const QString& sql) {
        try {
            Command::execute(sql);
        } catch (const std::exception& e) {
            throw AppError(QString::fromUtf8(e.what()));
        }
    };
    if (cash) {
        execute(cashSql());
        Messages::current().information(parent, QStringLiteral("现金日记账信息已初始化完毕"));
    }
    if (bank) {
        execute(bankSql());
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
