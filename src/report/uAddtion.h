#pragma once
// "选择年度": the year picker of the monthly statistics.
#include <QDialog>

class QComboBox;
class QPushButton;

class TfrmAddtion : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAddtion(QWidget* owner);
    // The years "1996" to "2026", none chosen.
    void fillYears();
    // The combo box's text when the dialog was closed with "确定", otherwise empty.
    QString result() const;

    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr; // "确定"
};

// Shows the picker modally and frees it; the picked or typed year, or empty.
QString PickYear(QWidget* owner);
