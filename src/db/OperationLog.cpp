#include "OperationLog.h"

#include "Connection.h"
#include "Tables.h"

namespace OperationLog {

QStringList Kind::all()
{
    return {added, changed, removed, login, failedLogin, closing, reopening, backup, restore, initialisation, exportFile, period};
}

QStringList loggedTables()
{
    return {Table::cash, Table::bank, Table::summaries, Table::bankAccounts, Table::operators, Table::period};
}

namespace {
// json_object(?, ?, ...) for the values, or NULL; the database writes the JSON so that program
// events and trigger rows share one form.
QString jsonOf(const Values& values, QVariantList& params)
{
    if (values.isEmpty())
        return QStringLiteral("NULL");
    QStringList marks;
    for (const auto& [name, value] : values) {
        marks << QStringLiteral("?, ?");
        params << name << value;
    }
    return QStringLiteral("json_object(%1)").arg(marks.join(QStringLiteral(", ")));
}

QString textOf(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }
} // namespace

void record(const Event& event)
{
    QVariantList params;
    QString who = QStringLiteral("CurrentOperator()");
    if (event.operatorName) {
        who = QStringLiteral("?");
        params << *event.operatorName;
    }
    params << event.kind << (event.loggedTable.isEmpty() ? QVariant() : QVariant(event.loggedTable)) << event.rowKey;
    const QString before = jsonOf(event.before, params);
    const QString after = jsonOf(event.after, params);
    Connection::instance().run(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6, %7) VALUES (%8, ?, ?, ?, %9, %10)")
                                   .arg(table, Field::operatorName, Field::kind, Field::loggedTable, Field::rowKey,
                                        Field::before, Field::after, who, before, after),
                               params);
}

QString chainContent(qlonglong number, const QString& time, const QString& operatorName, const QString& kind,
                     const QVariant& loggedTable, const QVariant& rowKey, const QVariant& before, const QVariant& after)
{
    const QChar sep(0x1f);
    return QString::number(number) + sep + time + sep + operatorName + sep + kind + sep + textOf(loggedTable) + sep
           + textOf(rowKey) + sep + textOf(before) + sep + textOf(after);
}



} // namespace OperationLog
