#include "ChangeDetails.h"

#include "Money.h"
#include "Tables.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

namespace {
struct Column {
    QString field, caption;
};

// Captions of the logged columns, in table order; a table's key first.
QVector<Column> columnsOf(const QString& table)
{
    const auto s = [](const char16_t* f, const char16_t* c) { return Column{QString::fromUtf16(f), QString::fromUtf16(c)}; };
    const auto is = [&](const QString& name) { return table.compare(name, Qt::CaseInsensitive) == 0; };
    if (is(Table::cash) || is(Table::bank))
        return {s(u"autoID", u"编号"),       s(u"YeWuRQ", u"日期"),     s(u"PingZhengNo", u"凭证号"), s(u"ZhanYao", u"摘要"),
                s(u"Detail", u"明细"),       s(u"ZhanYaoType", u"摘要类型"), s(u"Shuxing", u"摘要类型"), s(u"QCJE", u"期初金额"),
                s(u"JieFang", u"借方（增加）"), s(u"DaiFang", u"贷方（减少）"), s(u"YuE", u"余额"),        s(u"JingBR", u"经办人"),
                s(u"Fillter", u"操作人"),     s(u"FilltDate", u"操作日期"),  s(u"Remark", u"备注"),        s(u"KaiHuBank", u"开户银行"),
                s(u"faPiaoDW", u"发票单位"),  s(u"KeMuDM", u"科目单位"),    s(u"MakeTime", u"制单时间")};
    if (is(Table::summaries))
        return {s(u"AutoID", u"编号"), s(u"Code", u"代码"), s(u"ZhanYao", u"摘要"), s(u"ZYType", u"摘要类别"),
                s(u"Fillter", u"操作人"), s(u"FilltDate", u"操作日期"), s(u"KuMuCode", u"科目代码")};
    if (is(Table::bankAccounts))
        return {s(u"bankID", u"编号"), s(u"bankName", u"开户银行")};
    if (is(Table::operators))
        return {s(u"userID", u"编号"), s(u"username", u"用户名"), s(u"password", u"密码")};
    if (is(Table::period))
        return {s(u"YearMonth", u"账务年月")};
    return {};
}

bool isMoney(const QString& field)
{
    static const QStringList money{QStringLiteral("QCJE"), QStringLiteral("JieFang"), QStringLiteral("DaiFang"), QStringLiteral("YuE")};
    return money.contains(field, Qt::CaseInsensitive);
}

QString shown(const QString& field, const QJsonValue& v)
{
    if (v.isNull() || v.isUndefined())
        return {};
    if (v.isDouble()) {
        const qint64 n = v.toInteger();
        return isMoney(field) ? Money::fromUnits(n).toString() : QString::number(n);
    }
    if (v.isString())
        return v.toString();
    return QString::fromUtf8(QJsonDocument::fromVariant(v.toVariant()).toJson(QJsonDocument::Compact));
}

QJsonObject parsed(const QString& json)
{
    return json.isEmpty() ? QJsonObject() : QJsonDocument::fromJson(json.toUtf8()).object();
}
} // namespace

QVector<FieldChange> changeDetails(const QString& table, const QString& before, const QString& after)
{
    const QJsonObject b = parsed(before), a = parsed(after);
    QStringList names;
    for (const Column& c : columnsOf(table))
        if (b.contains(c.field) || a.contains(c.field))
            names << c.field;
    // The object keeps its keys sorted; values the table list does not know come after, so.
    for (const QJsonObject* o : {&b, &a})
        for (const QString& k : o->keys())
            if (!names.contains(k))
                names << k;
    const QVector<Column> known = columnsOf(table);
    QVector<FieldChange> out;
    for (const QString& n : names) {
        QString caption = n;
        for (const Column& c : known)
            if (c.field == n)
                caption = c.caption;
        FieldChange fc{n, caption, shown(n, b.value(n)), shown(n, a.value(n)), false};
        fc.changed = !before.isEmpty() && !after.isEmpty() && b.value(n) != a.value(n);
        out << fc;
    }
    return out;
}
