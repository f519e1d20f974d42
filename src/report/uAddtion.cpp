#include "uAddtion.h"

#include "Application.h"
#include "KeyFilters.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAddtion::TfrmAddtion(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("选择年度"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumWidth(120);
    // Typed keys reach the combo box first and its line edit after; both are filtered.
    filterTypedCharacters(ComboBox1, yearKeyAccepted);
    filterTypedCharacters(ComboBox1->lineEdit(), yearKeyAccepted);
    auto* label = new QLabel(QStringLiteral("选择年度"), this);
    label->setBuddy(ComboBox1);
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(ComboBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addLayout(buttons);

    onSignal(Button1, &QPushButton::clicked, this, [this] { accept(); });
}

void TfrmAddtion::fillYears()
{
    ComboBox1->clear();
    for (int y = 1996; y <= 2026; ++y)
        ComboBox1->addItem(QString::number(y));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->clearEditText();
}

QString TfrmAddtion::result() const { return QDialog::result() == QDialog::Accepted ? ComboBox1->currentText() : QString(); }

QString PickYear(QWidget* owner)
{
    TfrmAddtion picker(owner);
    picker.fillYears();
    picker.exec();
    return picker.result();
}
