#pragma once
// The balance chart of the daily fund report: each account's day-end balance over the month as
// a line (left axis), the selected account's receipts and payments per day as bars (right axis).
#include "DailyFunds.h"

#include <QChartView>
#include <QDate>
#include <QImage>

class QPrinter;

class BalanceChart : public QChartView {
    Q_OBJECT
public:
    explicit BalanceChart(QWidget* parent = nullptr);

    // The month of `anyDay` with its accounts; the bars follow the first account until another is chosen.
    void setMonth(const QDate& anyDay, const QVector<AccountMonth>& accounts);
    // Shows the bars of the account of that name (cash or bank); unknown names leave them as they are.
    void selectAccount(const QString& account, bool isBank);
    QString selectedAccount() const;

    // The chart drawn at `size` pixels, for the PNG file.
    QImage image(const QSize& size = QSize(1600, 900));
    // The chart on one page of the printer, as large as the page allows.
    void render(QPrinter* printer);
    // Opens the print preview of the chart (A4 landscape).
    void preview(QWidget* parent);

private:
    void rebuild();

    QDate month_;
    QVector<AccountMonth> accounts_;
    int selected_ = -1;
};
