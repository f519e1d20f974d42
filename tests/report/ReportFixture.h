#pragma once
// Journal entries for the search and statistics tests, written straight into the test file.
#include "Money.h"
#include "TestDatabase.h"

#include <QString>
#include <QVariant>

struct Entry {
    QString when;          // "yyyy-MM-dd HH:mm:ss"
    QString voucher;
    QString summary;
    QString debit = {};    // amounts as typed, e.g. "100.25"; empty for none
    QString credit = {};
    QString user = QStringLiteral("张三");
    QString bank = {};     // bank journal only
    QString invoiceUnit = {};
    QString detail = {};
    QString handler = {};
    QString remark = {};
};

inline QVariant amount(const QString& text)
{
    return text.isEmpty() ? QVariant() : Money::parse(text).value().toStorage();
}

inline void addCash(const Entry& e)
{
    TestDatabase::exec(QStringLiteral("INSERT INTO XJRJZ (YeWuRQ, PingZhengNo, ZhanYao, JieFang, DaiFang, Fillter, faPiaoDW, "
                                      "Detail, JingBR, Remark) VALUES (?,?,?,?,?,?,?,?,?,?)"),
                       {e.when, e.voucher, e.summary, amount(e.debit), amount(e.credit), e.user, e.invoiceUnit, e.detail,
                        e.handler, e.remark});
}

inline void addBank(const Entry& e)
{
    TestDatabase::exec(QStringLiteral("INSERT INTO YHRJZ (yewuRQ, PingZhengNo, Zhanyao, JieFang, DaiFang, Fillter, FaPiaoDW, "
                                      "Detail, JingBR, Remark, KaiHuBank) VALUES (?,?,?,?,?,?,?,?,?,?,?)"),
                       {e.when, e.voucher, e.summary, amount(e.debit), amount(e.credit), e.user, e.invoiceUnit, e.detail,
                        e.handler, e.remark, e.bank});
}
