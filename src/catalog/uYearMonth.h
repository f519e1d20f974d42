#pragma once
// The period dialog "账务年月": shows the stored accounting period and stores a new one.
#include <QDateEdit>
#include <QDateTime>
#include <QDialog>

class QLabel;
class QPushButton;

// A date-only picker that still carries a time of day: setting the date replaces only the date,
// and dateTime() is the chosen date with the time the picker holds.
class PeriodPicker : public QDateEdit {
    Q_OBJECT
public:
    explicit PeriodPicker(QWidget* parent = nullptr);
    QDateTime fullDateTime() const { return QDateTime(date(), time_); }
    void setFullDateTime(const QDateTime& t);
    QTime heldTime() const { return time_; }

private:
    QTime time_;
};

class TfrmYearMonth : public QDialog {
    Q_OBJECT
public:
    explicit TfrmYearMonth(QWidget* owner);
    ~TfrmYearMonth() override;

    // Handlers, public so that tests drive them without a modal loop.
    void Button1Click(); // 保存
    void Button2Click(); // 退出

    QLabel* Label2;
    QLabel* Label1;
    PeriodPicker* DateTimePicker1;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void FormCreate();
};

extern TfrmYearMonth* frmYearMonth;
