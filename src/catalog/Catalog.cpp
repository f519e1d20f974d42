#include "Catalog.h"

#include "AppError.h"
#include "Connection.h"
#include "Messages.h"
#include "Tables.h"

#include <QDateTime>

namespace {
// Rows of `table` whose `column` equals `text` (bound, so quotes need no care).
int countByText(const QString& table, const QString& column, const QString& text)
{
    return Connection::instance()
        .scalar(QStringLiteral("Select count(*) from %1 where %2 = ?").arg(table, column), {text})
        .toInt();
}

// The text of `field` as stored for the current row (not its pending edit), read by key; the
// shown value for a row not stored yet.
QString storedText(const Dataset& ds, const QString& table, const QString& keyField, const QString& field)
{
    if (ds.state() == Dataset::State::Inserting || ds.currentRow() < 0)
        return ds.text(field);
    return Connection::instance()
        .scalar(QStringLiteral("Select %1 From %2 where %3 = ?").arg(field, table, keyField), {ds.value(keyField)})
        .toString();
}
}

namespace Catalog {

const Design& summaries()
{
    static const Design d{Table::summaries, SummaryField::key, QStringLiteral("Select * From ") + Table::summaries, SummaryField::text,
                          {{SummaryField::subjectCode, QStringLiteral("科目代码不能为空"), {}},
                           {SummaryField::text, QStringLiteral("摘要不能为空"), {}},
                           {SummaryField::category, QStringLiteral("请选择一类别"), {QStringLiteral("增加"), QStringLiteral("减少")}}},
                          Refusal::Informs, SummaryField::enteredAt,
                          {{Table::cash, JournalField::cashSummary}, {Table::bank, JournalField::bankSummary}},
                          false, QStringLiteral("确定要删除吗")};
    return d;
}

const Design& bankAccounts()
{
    static const Design d{Table::bankAccounts, BankAccountField::key,
                          QStringLiteral("Select %1, %2 From %3 ").arg(BankAccountField::name, BankAccountField::key, Table::bankAccounts),
                          BankAccountField::name,
                          {{BankAccountField::name, QStringLiteral("开户银行不能为空"), {}}},
                          Refusal::Raises, QString(),
                          {{Table::bank, JournalField::account}},
                          true, QStringLiteral("确定要删除该条记录吗？")};
    return d;
}

QString saveRefusal(const Design& d, const Dataset& list)
{
    for (const Check& c : d.checks) {
        const QString v = list.currentRow() >= 0 ? list.text(c.field) : QString();
        if (c.allowed.isEmpty() ? v.trimmed().isEmpty() : list.isEditing() && !c.allowed.contains(v))
            return c.message;
    }
    return {};
}

int referenceCount(const Design& d, const QString& text)
{
    int n = 0;
    for (const Reference& r : d.references)
        n += countByText(r.table, r.field, text);
    return n;
}

QString deleteRefusal(const Design& d, const Dataset& list)
{
    if (list.isEmpty() || list.currentRow() < 0 || (d.textlessIsNothing && list.isNull(d.textField)))
        return QStringLiteral("没有要删除的记录");
    if (referenceCount(d, storedText(list, d.table, d.keyField, d.textField)) > 0)
        return QStringLiteral("已有日记账信息不能删除");
    return {};
}

Controller::Controller(const Design& design, Dataset& list, QWidget* owner) : design_(design), list_(list), owner_(owner)
{
    list_.setTable(design_.table, design_.keyField);
    list_.setSaveBeforeMove([this] { save(); });
}

Controller::~Controller() { list_.setSaveBeforeMove({}); }

void Controller::read()
{
    list_.close();
    list_.open(design_.listSql);
}

void Controller::save()
{
    if (list_.isEditing() && collect_)
        collect_();
    const QString refusal = saveRefusal(design_, list_);
    if (!refusal.isEmpty()) {
        if (design_.saveRefusal == Refusal::Raises)
            throw AppError(refusal);
        Messages::current().information(owner_, refusal);
        return;
    }
    if (!list_.isEditing())
        return;
    if (list_.state() == Dataset::State::Inserting && !design_.insertStamp.isEmpty())
        list_.setDateTime(design_.insertStamp, QDateTime::currentDateTime());
    list_.post();
}

void Controller::remove()
{
    const QString refusal = deleteRefusal(design_, list_);
    if (!refusal.isEmpty())
        throw AppError(refusal);
    if (Messages::current().question(owner_, design_.deleteQuestion, QStringLiteral("系统提示")))
        list_.deleteCurrent();
}
}
