#include "SearchQuery.h"

#include "AppError.h"
#include "Dataset.h"
#include "Money.h"

namespace {
bool isBlankOrControl(QChar ch) { return ch.unicode() <= 0x20 || ch.isSpace() || ch.category() == QChar::Other_Control; }

// An amount without a sign, with at most four decimals: typed as digits (the key filter) or
// pasted with decimals.
Money boundAmount(const QString& text, const QString& label)
{
    bool plain = !text.isEmpty();
    for (QChar ch : text)
        plain = plain && ((ch >= u'0' && ch <= u'9') || ch == u'.');
    const std::optional<Money> m = plain ? Money::parse(text) : std::nullopt;
    if (!m)
        throw AppError(QStringLiteral("%1必须是不带符号的金额，最多四位小数，“%2”不是。").arg(label, text));
    return *m;
}

QString midnight(const QDate& d) { return Dataset::dateTimeText(QDateTime(d, QTime(0, 0))); }
}

QString trimCriterion(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlankOrControl(text[b]))
        ++b;
    while (e > b && isBlankOrControl(text[e - 1]))
        --e;
    return text.mid(b, e - b);
}

Connection::Statement buildSearch(JournalKind journal, const SearchCriteria& c, const QString& user)
{
    Connection::Statement st;
    QString where;
    auto equal = [&](const QString& column, const QString& raw) {
        const QString v = trimCriterion(raw);
        if (v.isEmpty())
            return;
        where += QStringLiteral(" and ") + column + QStringLiteral("=?");
        st.params << v;
    };
    // Checked before anything is built, so a bad bound never reaches the database.
    struct Bounds {
        QString column, lowLabel, highLabel, low, high;
    };
    const Bounds amounts[] = {
        {JournalField::debit, QStringLiteral("借方金额“大于”"), QStringLiteral("借方金额“小于”"),
         trimCriterion(c.debitMin), trimCriterion(c.debitMax)},
        {JournalField::credit, QStringLiteral("贷方金额“大于”"), QStringLiteral("贷方金额“小于”"),
         trimCriterion(c.creditMin), trimCriterion(c.creditMax)},
    };
    // A bound filters only together with its partner, so only a used pair is checked.
    auto used = [](const Bounds& b) { return !b.low.isEmpty() && !b.high.isEmpty(); };
    for (const Bounds& b : amounts) {
        if (used(b)) {
            boundAmount(b.low, b.lowLabel);
            boundAmount(b.high, b.highLabel);
        }
    }

    if (journal == JournalKind::Bank)
        equal(JournalField::account, c.bank);
    where += QStringLiteral(" and (yewurq between ? and ?)");
    st.params << midnight(c.from) << midnight(c.to.addDays(1));
    equal(JournalField::voucher, c.voucher);
    equal(QStringLiteral("zhanyao"), c.summary);
    for (const Bounds& b : amounts) {
        if (!used(b))
            continue;
        where += QStringLiteral(" and (%1>=? and %1<=?)").arg(b.column);
        st.params << boundAmount(b.low, b.lowLabel).toStorage() << boundAmount(b.high, b.highLabel).toStorage();
    }
    equal(QStringLiteral("FaPiaoDW"), c.invoiceUnit);
    equal(JournalField::detail, c.detail);
    equal(JournalField::handler, c.handler);
    equal(JournalField::remark, c.remark);

    st.sql = QStringLiteral("Select * from ") + designOf(journal).table + QStringLiteral(" where 1=1") + where
        + QStringLiteral(" and Fillter=? order by yewurq");
    st.params << user;
    return st;
}
