#include "OperationLog.h"

#include "AppError.h"
#include "Connection.h"

#include <QFile>
#include <sqlite3.h>

static void initStepResources() { Q_INIT_RESOURCE(db); }

namespace OperationLog {

QStringList Kind::all()
{
    return {added, changed, removed, login, failedLogin, closing, reopening, backup, restore, initialisation, exportFile, period};
}

QStringList loggedTables()
{
    return {QStringLiteral("XJRJZ"), QStringLiteral("YHRJZ"), QStringLiteral("ZhanYao"), QStringLiteral("bankInfo"),
            QStringLiteral("tuser"), QStringLiteral("FinscalYearMonth")};
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

QStringList splitScript(const QString& script)
{
    // Comment lines go first: the driver's placeholder scan does not know comments, so a quote or a
    // colon in one would be taken for SQL.
    QStringList lines = script.split(u'\n');
    lines.removeIf([](const QString& line) { return line.trimmed().startsWith(QStringLiteral("--")); });
    QStringList out;
    QString pending;
    const QStringList pieces = lines.join(u'\n').split(u';');
    for (int i = 0; i < pieces.size(); ++i) {
        pending += pieces.at(i);
        if (i + 1 < pieces.size())
            pending += u';';
        // A ';' inside a trigger body, a literal or a comment does not end the statement.
        if (i + 1 < pieces.size() && !sqlite3_complete(pending.toUtf8().constData()))
            continue;
        if (!QString(pending).remove(u';').trimmed().isEmpty())
            out << pending.trimmed();
        pending.clear();
    }
    return out;
}

QStringList upgradeStatements()
{
    initStepResources();
    QFile f(QStringLiteral(":/db/steps/operation_log.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("缺少操作日志的数据库结构定义"));
    return splitScript(QString::fromUtf8(f.readAll()));
}

} // namespace OperationLog
