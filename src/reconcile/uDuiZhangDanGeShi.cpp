#include "uDuiZhangDanGeShi.h"

#include "Application.h"
#include "Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmDuiZhangDanGeShi::TfrmDuiZhangDanGeShi(const SheetReader::Rows& rows, QWidget* parent) : QDialog(parent), rows_(rows)
{
    setWindowTitle(QStringLiteral("对账单格式"));
    auto* hint = new QLabel(QStringLiteral("未能识别对账单的列，请指定表头所在行和各列的含义（将按开户银行记住）："), this);
    hint->setWordWrap(true);

    const int shown = std::min<int>(int(rows.size()), StatementLayouts::HeaderSearchRows);
    int columns = 0;
    for (int r = 0; r < shown; ++r)
        columns = std::max<int>(columns, int(rows.at(r).size()));
    GridRows = new QTableWidget(shown, columns, this);
    GridRows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridRows->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridRows->setSelectionMode(QAbstractItemView::SingleSelection);
    GridRows->setAccessibleName(QStringLiteral("文件前几行"));
    for (int r = 0; r < shown; ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            GridRows->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));

    SpinHeaderRow = new QSpinBox(this);
    SpinHeaderRow->setRange(1, std::max(1, shown));
    auto* form = new QFormLayout;
    auto* rowLabel = new QLabel(QStringLiteral("表头所在行："), this);
    rowLabel->setBuddy(SpinHeaderRow);
    form->addRow(rowLabel, SpinHeaderRow);
    for (int role = 0; role < StatementRoleCount; ++role) {
        auto* box = new QComboBox(this);
        box->setMinimumWidth(200);
        auto* label = new QLabel(StatementLayouts::caption(StatementRole(role)) + QStringLiteral("："), this);
        label->setBuddy(box);
        form->addRow(label, box);
        RoleBoxes << box;
    }
    fillRoleBoxes();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addLayout(form);
    side->addStretch(1);
    side->addWidget(buttons);
    auto* body = new QHBoxLayout;
    body->addWidget(GridRows, 1);
    body->addLayout(side);
    auto* top = new QVBoxLayout(this);
    top->addWidget(hint);
    top->addLayout(body, 1);
    resize(900, 520);

    onSignal(SpinHeaderRow, &QSpinBox::valueChanged, this, [this] { fillRoleBoxes(); });
    onSignal(GridRows, &QTableWidget::cellClicked, this, [this](int row, int) { SpinHeaderRow->setValue(row + 1); });
    onSignal(ok, &QPushButton::clicked, this, [this] { btnOKClick(); });
    onSignal(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TfrmDuiZhangDanGeShi::fillRoleBoxes()
{
    const QStringList header = rows_.value(SpinHeaderRow->value() - 1);
    GridRows->selectRow(SpinHeaderRow->value() - 1);
    for (QComboBox* box : RoleBoxes) {
        box->clear();
        box->addItem(QStringLiteral("（无）"), -1);
        for (int c = 0; c < header.size(); ++c)
            box->addItem(QStringLiteral("第 %1 列：%2").arg(c + 1).arg(header.at(c)), c);
    }
}

void TfrmDuiZhangDanGeShi::choose(const StatementLayout& layout)
{
    SpinHeaderRow->setValue(layout.headerRow + 1);
    for (int role = 0; role < StatementRoleCount; ++role)
        RoleBoxes[role]->setCurrentIndex(std::max(0, RoleBoxes[role]->findData(layout.columns[size_t(role)])));
}

StatementLayout TfrmDuiZhangDanGeShi::layout() const
{
    StatementLayout l;
    l.headerRow = SpinHeaderRow->value() - 1;
    for (int role = 0; role < StatementRoleCount; ++role)
        l.setColumn(StatementRole(role), RoleBoxes[role]->currentData().toInt());
    return l;
}

void TfrmDuiZhangDanGeShi::btnOKClick()
{
    const QString missing = layout().missing();
    if (!missing.isEmpty()) {
        Messages::current().information(this, QStringLiteral("对账单格式不完整：") + missing, QStringLiteral("提示"));
        return;
    }
    accept();
}
