#include "ClosedMonths.h"

#include "Connection.h"
#include "Tables.h"


namespace {
// The view the lock triggers insert the month into, and its trigger holding the texts.
const QString refusalView = QStringLiteral("JieZhangTiShi");
const QString refusalTrigger = QStringLiteral("JieZhangTiShi_insert");
// For a month closed without the program (a row added by hand): the store still refuses.
const QString anyMonthRefusal = QStringLiteral("该月已结账，不能修改");

// A text as an SQL literal; used only for the texts built here from stored months.
QString literal(const QString& text)
{
    QString t = text;
    return u'\'' + t.replace(u'\'', QStringLiteral("''")) + u'\'';
}
} // namespace

QString ClosedMonths::monthLabel(const QString& month)
{
    return month.left(4) + QStringLiteral("年") + month.mid(5, 2) + QStringLiteral("月");
}

QString ClosedMonths::refusal(const QString& month) { return monthLabel(month) + QStringLiteral("已结账，不能修改"); }

QStringList ClosedMonths::all()
{
    const QString months = Connection::instance()
                               .scalar(QStringLiteral("SELECT group_concat(%1, ',') FROM (SELECT %1 FROM %2 ORDER BY %1)").arg(ClosedMonthField::month, Table::closedMonths))
                               .toString();
    return months.isEmpty() ? QStringList() : months.split(u',');
}

bool ClosedMonths::isClosed(const QString& m)
{
    return Connection::instance().scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?").arg(Table::closedMonths, ClosedMonthField::month), {m}).toInt() > 0;
}

void ClosedMonths::rewriteRefusals()
{
    QString raise = QStringLiteral("RAISE(ABORT, %1)").arg(literal(anyMonthRefusal));
    const QStringList months = all();
    if (!months.isEmpty()) {
        QString cases;
        for (const QString& m : months)
            cases += QStringLiteral(" WHEN %1 THEN RAISE(ABORT, %2)").arg(literal(m), literal(refusal(m)));
        raise = QStringLiteral("CASE NEW.%1%2 ELSE %3 END").arg(ClosedMonthField::month, cases, raise);
    }
    Connection& c = Connection::instance();
    c.run(QStringLiteral("DROP TRIGGER %1").arg(refusalTrigger));
    c.run(QStringLiteral("CREATE TRIGGER %1 INSTEAD OF INSERT ON %2 BEGIN SELECT %3; END").arg(refusalTrigger, refusalView, raise));
}
