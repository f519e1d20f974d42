#pragma once
// One line of a bank statement, as read from a file or typed by hand.
#include "Money.h"

#include <QDateTime>
#include <QString>
#include <optional>

struct StatementLine {
    QDateTime when; // wall-clock date and time as the bank printed it
    QString summary;
    Money in;  // into the account (the bank's 贷方)
    Money out; // out of the account (the bank's 借方)
    std::optional<Money> balance; // as printed; nothing when the file has none
    QString counterparty;
    QString serial;
    int sourceLine = 0; // 1-based line of the file; 0 when typed by hand

    // The stored form of `when`.
    QString whenText() const { return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }
};
