#include "uYinHangTiaoJieBiao.h"

#include "AppError.h"
#include "Application.h"
#include "DBGrid.h"
#include "ReconciliationPrint.h"
#include "uDM.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmYinHangTiaoJieBiao::TfrmYinHangTiaoJieBiao(const QString& account, const QDate& day, QWidget* parent)
    : QDialog(parent), account_(account)
{
    setWindowTitle(QStringLiteral("银行存款余额调节表"));
    auto* accountLabel = new QLabel(QStringLiteral("开户银行：") + account, this);
    EditDay = new QDateEdit(day, this);
    EditDay->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    EditDay->setCalendarPopup(true);
    auto* dayLabel = new QLabel(QStringLiteral("截止日期(&D)："), this);
    dayLabel->setBuddy(EditDay);
    btnCompute = new QPushButton(QStringLiteral("计算(&C)"), this);
    btnExport = new QPushButton(QStringLiteral("导出(&E)"), this);
    btnPrint = new QPushButton(QStringLiteral("打印(&P)"), this);
    btnExit = new QPushButton(QStringLiteral("退出(&X)"), this);
    LabelVerdict = new QLabel(this);

    DBGridEh1 = new DBGrid(this);
    DBGridEh1->setDataset(&ADOQuery1);
    DBGridEh1->setFooterVisible(false);
    DBGridEh1->setColumns({GridColumn::text(Reconciliations::fieldItem, QStringLiteral("项目"), 190),
                           GridColumn::text(Reconciliations::fieldDate, QStringLiteral("日期"), 90),
                           GridColumn::text(Reconciliations::fieldSummary, QStringLiteral("摘要"), 180),
                           GridColumn::text(Reconciliations::fieldNumber, QStringLiteral("凭证号/流水号"), 110),
                           GridColumn::money(Reconciliations::fieldAmount, QStringLiteral("金额"), 110)});

    auto* bar = new QHBoxLayout;
    bar->addWidget(accountLabel);
    bar->addSpacing(16);
    bar->addWidget(dayLabel);
    bar->addWidget(EditDay);
    bar->addWidget(btnCompute);
    bar->addWidget(btnExport);
    bar->addWidget(btnPrint);
    bar->addWidget(btnExit);
    bar->addStretch(1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(bar);
    top->addWidget(LabelVerdict);
    top->addWidget(DBGridEh1, 1);
    resize(820, 560);

    onSignal(btnCompute, &QPushButton::clicked, this, [this] { btnComputeClick(); });
    onSignal(btnExport, &QPushButton::clicked, this, [this] { btnExportClick(); });
    onSignal(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    onSignal(btnExit, &QPushButton::clicked, this, [this] { close(); });
    btnComputeClick();
}

void TfrmYinHangTiaoJieBiao::btnComputeClick()
{
    data_ = Reconciliations::compute(account_, EditDay->date());
    ADOQuery1.close();
    ADOQuery1.open(Reconciliations::rowsSql(), Reconciliations::rowsParams(data_));
    LabelVerdict->setText(data_.verdict());
    LabelVerdict->setStyleSheet(data_.agrees() ? QStringLiteral("color: #006000; font-weight: bold;")
                                               : QStringLiteral("color: #b00000; font-weight: bold;"));
}

void TfrmYinHangTiaoJieBiao::btnExportClick()
{
    if (!DM)
        throw AppError(QStringLiteral("数据模块尚未建立"));
    DM->ExportGrid(DBGridEh1, QStringLiteral("银行存款余额调节表"));
}

void TfrmYinHangTiaoJieBiao::btnPrintClick()
{
    ReconciliationPrint(data_, DM ? DM->CurrentUser : QString()).preview(this);
}
