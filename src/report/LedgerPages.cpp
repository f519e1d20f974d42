#include "LedgerPages.h"

#include "JournalKind.h"
#include "Dataset.h"
#include "SameName.h"
#include "Statistics.h"

#include <QMap>
#include <algorithm>
#include <cstdlib>

bool LedgerBook::hasCounterpart() const
{
    return std::any_of(entries.begin(), entries.end(), [](const LedgerEntry& e) { return !e.subjectCode.trimmed().isEmpty(); });
}

QString ledgerTitle(JournalKind journal)
{
    return journal == JournalKind::Cash ? QStringLiteral("现金日记账") : QStringLiteral("银行存款日记账");
}

QString ledgerAmount(Money m)
{
    // Divided first, so the largest amounts round without overflowing.
    constexpr std::int64_t perCent = Money::Scale / 100;
    const std::int64_t u = m.units();
    std::int64_t cents = u / perCent;
    const std::int64_t rest = u % perCent;
    if (rest >= perCent / 2)
        ++cents;
    else if (rest <= -perCent / 2)
        --cents;
    const std::uint64_t a = static_cast<std::uint64_t>(cents < 0 ? -cents : cents);
    QString whole = QString::number(a / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, u',');
    return (cents < 0 ? QStringLiteral("-") : QString()) + whole + u'.' + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}

QVector<LedgerPage> layoutLedger(const LedgerBook& book, const LedgerOptions& options)
{
    using Kind = LedgerLine::Kind;
    const QDate first(book.year, book.month, 1);
    const QDate last(book.year, book.month, first.daysInMonth());

    // The month's lines in order; "承前页"/"过次页" come in when they are cut into pages.
    QVector<LedgerLine> content;
    Money balance = book.opening, monthDebit, monthCredit;
    content << LedgerLine{Kind::Opening, first, {}, book.carried ? LedgerText::carriedOpening : LedgerText::opening, {}, {}, {}, balance};
    Money dayDebit, dayCredit;
    for (qsizetype i = 0; i < book.entries.size(); ++i) {
        const LedgerEntry& e = book.entries[i];
        balance += e.debit - e.credit;
        monthDebit += e.debit;
        monthCredit += e.credit;
        dayDebit += e.debit;
        dayCredit += e.credit;
        const QString summary = e.detail.trimmed().isEmpty() ? e.summary : e.summary + u' ' + e.detail.trimmed();
        content << LedgerLine{Kind::Entry, e.date, e.voucher, summary, e.subjectCode.trimmed(),
                              e.debit.isZero() ? std::nullopt : std::optional<Money>(e.debit),
                              e.credit.isZero() ? std::nullopt : std::optional<Money>(e.credit), balance};
        const bool dayEnds = i + 1 == book.entries.size() || book.entries[i + 1].date != e.date;
        if (dayEnds && options.dayTotals)
            content << LedgerLine{Kind::DayTotal, e.date, {}, LedgerText::dayTotal, {}, dayDebit, dayCredit, balance};
        if (dayEnds)
            dayDebit = dayCredit = Money();
    }
    content << LedgerLine{Kind::MonthTotal, last, {}, LedgerText::monthTotal, {}, monthDebit, monthCredit, balance};
    content << LedgerLine{Kind::YearTotal, last, {}, LedgerText::yearTotal, {}, book.yearDebitBefore + monthDebit,
                          book.yearCreditBefore + monthCredit, balance};

    // Cut into pages, carrying the month's totals so far and the balance.
    const int perPage = std::max(3, options.linesPerPage);
    QVector<LedgerPage> pages;
    Money carriedDebit, carriedCredit, carriedBalance;
    qsizetype next = 0;
    while (next < content.size()) {
        LedgerPage page;
        page.number = int(pages.size()) + 1;
        if (!pages.isEmpty())
            page.lines << LedgerLine{Kind::BroughtForward, {}, {}, LedgerText::broughtForward, {}, carriedDebit, carriedCredit, carriedBalance};
        const qsizetype room = perPage - page.lines.size();
        const bool lastPage = content.size() - next <= room;
        const qsizetype take = lastPage ? content.size() - next : room - 1;
        for (qsizetype i = 0; i < take; ++i) {
            const LedgerLine& l = content[next + i];
            if (l.kind == Kind::Entry) {
                carriedDebit += l.debit.value_or(Money());
                carriedCredit += l.credit.value_or(Money());
            }
            carriedBalance = l.balance;
            page.lines << l;
        }
        next += take;
        if (!lastPage)
            page.lines << LedgerLine{Kind::CarriedForward, {}, {}, LedgerText::carriedForward, {}, carriedDebit, carriedCredit, carriedBalance};
        pages << page;
    }
    return pages;
}

namespace {
QString stamp(const QDate& d) { return Dataset::dateTimeText(QDateTime(d, QTime(0, 0))); }

// The date of a stored "yyyy-MM-dd HH:mm:ss" text, read without any time-zone lookup.
QDate storedDate(const QString& t)
{
    return QDate(QStringView(t).mid(0, 4).toInt(), QStringView(t).mid(5, 2).toInt(), QStringView(t).mid(8, 2).toInt());
}

// " AND Fillter = ?" with its value when one operator's entries are asked for.
QString operatorCondition(const OperatorFilter& onlyOperator, QVariantList& params)
{
    if (!onlyOperator)
        return {};
    params << *onlyOperator;
    return QStringLiteral(" AND %1 = ?").arg(JournalField::operatorName);
}
} // namespace

LedgerStatements ledgerStatements(JournalKind journal, int year, int month, const OperatorFilter& onlyOperator)
{
    const JournalDesign& design = designOf(journal);
    const QString& table = design.table;
    const bool bank = journal == JournalKind::Bank;
    const QString account = (bank ? QStringLiteral("COALESCE(%1,'')").arg(JournalField::account) : QStringLiteral("''"))
                            + QStringLiteral(" AS ") + DailyFundField::account;
    const QDate first(year, month, 1);
    const QString from = stamp(first), to = stamp(first.addMonths(1)), yearFrom = stamp(QDate(year, 1, 1));
    LedgerStatements st;

    st.openings.params = {LedgerText::carriedOpening, from, to, openingBalanceSummary()};
    st.openings.sql = QStringLiteral("SELECT %1, SUM(COALESCE(%2,0) - COALESCE(%3,0)), MAX(%4 IS ?) FROM %5 "
                                     "WHERE %6 >= ? AND %6 < ? AND %7 IS ?%8 GROUP BY %9 COLLATE NOCASE")
                          .arg(account, JournalField::debit, JournalField::credit, JournalField::detail, table, design.dateField, design.summaryField,
                               operatorCondition(onlyOperator, st.openings.params), DailyFundField::account);

    st.entries.params = {from, to, openingBalanceSummary()};
    st.entries.sql = QStringLiteral("SELECT %1, %2, %3, %4, %5, %6, %7, %8 FROM %9 WHERE %2 >= ? AND %2 < ? AND %4 IS NOT ?")
                         .arg(account, design.dateField, JournalField::voucher, design.summaryField, JournalField::detail, JournalField::subjectCode,
                              JournalField::debit, JournalField::credit, table)
                     + operatorCondition(onlyOperator, st.entries.params)
                     + QStringLiteral(" ORDER BY %1, %2, %3").arg(bank ? JournalField::account : QStringLiteral("1"), design.dateField, JournalField::key);

    st.yearBefore.params = {yearFrom, from, openingBalanceSummary()};
    st.yearBefore.sql = QStringLiteral("SELECT %1, SUM(COALESCE(%2,0)), SUM(COALESCE(%3,0)) FROM %4 WHERE %5 >= ? AND %5 < ? "
                                       "AND %6 IS NOT ?%7 GROUP BY %8 COLLATE NOCASE")
                            .arg(account, JournalField::debit, JournalField::credit, table, design.dateField, design.summaryField,
                                 operatorCondition(onlyOperator, st.yearBefore.params), DailyFundField::account);
    return st;
}

QVector<LedgerBook> readLedgerBooks(JournalKind journal, int year, int month, const OperatorFilter& onlyOperator)
{
    const LedgerStatements st = ledgerStatements(journal, year, month, onlyOperator);

    // Books by account name, one book for the names the store takes as one account.
    QMap<QString, LedgerBook> books;
    const auto bookOf = [&](const QString& name) -> LedgerBook& {
        const QString key = nameKey(name);
        auto it = books.find(key);
        if (it == books.end()) {
            LedgerBook b;
            b.journal = journal;
            b.account = name;
            b.year = year;
            b.month = month;
            it = books.insert(key, b);
        }
        return *it;
    };

    Dataset openings;
    openings.open(st.openings.sql, st.openings.params);
    for (int r = 0; r < openings.rowCount(); ++r) {
        LedgerBook& b = bookOf(openings.valueAt(r, 0).toString());
        b.opening = Money::fromStorage(openings.valueAt(r, 1));
        b.carried = openings.valueAt(r, 2).toInt() != 0;
    }
    Dataset entries;
    entries.open(st.entries.sql, st.entries.params);
    for (int r = 0; r < entries.rowCount(); ++r) {
        const auto at = [&](int c) { return entries.valueAt(r, c); };
        bookOf(at(0).toString()).entries << LedgerEntry{storedDate(at(1).toString()), at(2).toString(), at(3).toString(),
                                                        at(4).toString(), at(5).toString(), Money::fromStorage(at(6)),
                                                        Money::fromStorage(at(7))};
    }
    if (journal == JournalKind::Cash && books.isEmpty())
        bookOf(QString()); // the cash book has its pages even in a month without entries
    Dataset before;
    before.open(st.yearBefore.sql, st.yearBefore.params);
    for (int r = 0; r < before.rowCount(); ++r) {
        const auto it = books.find(nameKey(before.valueAt(r, 0).toString()));
        if (it == books.end())
            continue; // an account without entries this month has no pages
        it->yearDebitBefore = Money::fromStorage(before.valueAt(r, 1));
        it->yearCreditBefore = Money::fromStorage(before.valueAt(r, 2));
    }
    return books.values();
}
