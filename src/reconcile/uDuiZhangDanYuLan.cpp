#include "uDuiZhangDanYuLan.h"

#include "Application.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmDuiZhangDanYuLan::TfrmDuiZhangDanYuLan(const ImportPreview& preview, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("导入预览"));
    LabelSummary = new QLabel(QStringLiteral("文件“%1”：将导入 %2 条到“%3”，已导入过的 %4 条将跳过。")
                                  .arg(preview.fileName)
                                  .arg(preview.fresh.size())
                                  .arg(preview.account)
                                  .arg(preview.duplicates),
                              this);
    LabelSummary->setWordWrap(true);
    LabelBreaks = new QLabel(this);
    LabelBreaks->setWordWrap(true);
    LabelBreaks->setStyleSheet(QStringLiteral("color: #b00000;"));
    LabelBreaks->setText(preview.breaks.isEmpty() ? QString() : QStringLiteral("对账单余额不连续，不能导入：\n") + preview.breakText());
    LabelBreaks->setVisible(!preview.breaks.isEmpty());

    const QStringList titles{QStringLiteral("行号"), QStringLiteral("交易日期"), QStringLiteral("摘要"), QStringLiteral("收入"),
                             QStringLiteral("支出"), QStringLiteral("余额"), QStringLiteral("对方户名"), QStringLiteral("流水号")};
    GridLines = new QTableWidget(int(preview.fresh.size()), int(titles.size()), this);
    GridLines->setHorizontalHeaderLabels(titles);
    GridLines->verticalHeader()->hide();
    GridLines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridLines->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridLines->setAccessibleName(QStringLiteral("将导入的对账单记录"));
    for (int r = 0; r < preview.fresh.size(); ++r) {
        const StatementLine& l = preview.fresh.at(r);
        const QStringList cells{QString::number(l.sourceLine), l.whenText(), l.summary,
                                l.in.isZero() ? QString() : l.in.toString(), l.out.isZero() ? QString() : l.out.toString(),
                                l.balance ? l.balance->toString() : QString(), l.counterparty, l.serial};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            if (c == 0 || (c >= 3 && c <= 5))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GridLines->setItem(r, c, item);
        }
    }
    GridLines->resizeColumnsToContents();
    GridLines->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    btnImport = buttons->addButton(QStringLiteral("导入"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    btnImport->setEnabled(preview.breaks.isEmpty() && !preview.fresh.isEmpty());
    btnImport->setDefault(btnImport->isEnabled());

    auto* top = new QVBoxLayout(this);
    top->addWidget(LabelSummary);
    top->addWidget(LabelBreaks);
    top->addWidget(GridLines, 1);
    top->addWidget(buttons);
    resize(860, 480);

    onSignal(btnImport, &QPushButton::clicked, this, [this] { accept(); });
    onSignal(cancel, &QPushButton::clicked, this, [this] { reject(); });
}
