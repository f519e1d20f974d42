#include "LogQuery.h"

#include "Dataset.h"
#include "OperationLog.h"
#include "Tables.h"

namespace LogQuery {

namespace {
struct Caption {
    QString table, caption;
};
const QList<Caption>& captions()
{
    static const QList<Caption> all{
        {Table::cash, QStringLiteral("现金日记账")},      {Table::bank, QStringLiteral("银行日记账")},
        {Table::summaries, QStringLiteral("摘要")},       {Table::bankAccounts, QStringLiteral("开户银行")},
        {Table::operators, QStringLiteral("操作员")},     {Table::period, QStringLiteral("记账年月")},
    };
    return all;
}

// "%", "_" and the escape itself stand for themselves.
QString likeAnywhere(const QString& text)
{
    QString t = text;
    t.replace(u'\\', QStringLiteral("\\\\")).replace(u'%', QStringLiteral("\\%")).replace(u'_', QStringLiteral("\\_"));
    return u'%' + t + u'%';
}
} // namespace

QString tableCaption(const QString& table)
{
    for (const Caption& c : captions())
        if (c.table.compare(table, Qt::CaseInsensitive) == 0)
            return c.caption;
    return table;
}

Statement listing(const Filter& f)
{
    namespace F = OperationLog::Field;
    QString caption = QStringLiteral("CASE %1").arg(F::loggedTable);
    QVariantList params;
    for (const Caption& c : captions()) {
        caption += QStringLiteral(" WHEN ? THEN ?");
        params << c.table << c.caption;
    }
    caption += QStringLiteral(" ELSE %1 END AS %2").arg(F::loggedTable, tableCaptionField);

    QString where = QStringLiteral("1=1");
    const auto add = [&](const QString& condition, const QVariantList& values) {
        where += QStringLiteral(" AND ") + condition;
        params += values;
    };
    if (f.from.isValid())
        add(F::time + QStringLiteral(" >= ?"), {f.from.toString(QStringLiteral("yyyy-MM-dd"))});
    if (f.to.isValid())
        add(F::time + QStringLiteral(" < ?"), {f.to.addDays(1).toString(QStringLiteral("yyyy-MM-dd"))});
    if (!f.operatorName.trimmed().isEmpty())
        add(F::operatorName + QStringLiteral(" = ?"), {f.operatorName.trimmed()});
    if (!f.kind.isEmpty())
        add(F::kind + QStringLiteral(" = ?"), {f.kind});
    if (!f.table.isEmpty())
        add(F::loggedTable + QStringLiteral(" = ?"), {f.table});
    if (!f.text.trimmed().isEmpty()) {
        // The values themselves, not the names of the columns or the JSON around them.
        const QString pattern = likeAnywhere(f.text.trimmed());
        add(QStringLiteral("(EXISTS (SELECT 1 FROM json_each(%1) WHERE value LIKE ? ESCAPE '\\') "
                           "OR EXISTS (SELECT 1 FROM json_each(%2) WHERE value LIKE ? ESCAPE '\\'))")
                .arg(F::before, F::after),
            {pattern, pattern});
    }
    const QStringList fields{F::number, F::time, F::operatorName, F::kind, F::loggedTable, F::rowKey, F::before, F::after};
    return {QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 ORDER BY %5 DESC")
                .arg(fields.join(QStringLiteral(", ")), caption, OperationLog::table, where, F::number),
            params};
}

QStringList operators()
{
    namespace F = OperationLog::Field;
    Dataset names;
    names.open(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 <> '' ORDER BY %1").arg(F::operatorName, OperationLog::table));
    QStringList out;
    for (int i = 0; i < names.rowCount(); ++i)
        out << names.valueAt(i, 0).toString();
    return out;
}

} // namespace LogQuery
