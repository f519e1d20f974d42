#include "u_.h"

#include "AppError.h"
#include "Application.h"
#include "Command.h"
#include "Messages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tfrm_* frm_ = nullptr;

QString DataInitialisation::cashSql() { return QStringLiteral("delete from XJRJZ"); }
QString DataInitialisation::bankSql() { return QStringLiteral("Delete From YHRJZ"); }

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
    frm_ = this;
    setWindowTitle(QStringLiteral("数据初始化"));

    CheckBox1 = new QCheckBox(QStringLiteral("删除 现金记账信息"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("删除银行记账信"), this);
    RzLabel1 = new QLabel(QStringLiteral("提示：该操作将删除所有记账数据，\n\n     一般在软件首次使用时操作。"), this);
    RzLabel1->setStyleSheet(QStringLiteral("color: red;"));
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("退出"), this);
    Button1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(24, 18, 24, 18);
    all->addWidget(CheckBox1);
    all->addWidget(CheckBox2);
    all->addSpacing(12);
    all->addWidget(RzLabel1);
    all->addStretch();
    all->addLayout(buttons);
    setFixedSize(360, 220);
    setWindowState(Qt::WindowMaximized);

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
