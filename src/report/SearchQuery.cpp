#include "SearchQuery.h"

#include "AppError.h"
#include "Dataset.h"
#include "Money.h"

namespace {
bool isBlankOrControl(QChar ch) { return ch.unicode() <= 0x20 || ch.isSpace() || ch.category() == QChar::Other_Control; }

// Whole amounts only, as the key filter lets them be typed; a pasted text is checked here.
Money wholeAmount(const QString& text, const QString& label)
{
    bool digits = !text.isEmpty();
    for (QChar ch : text)
        digits = digits && ch >= u'0' && ch <= u'9';
    const std::optional<Money> m = digits ? Money::parse(text) : std::nullopt;
    if (!m)
        throw AppError(QStringLiteral("%1必须是整数金额，“%2”不是。").arg(label, text));
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
    for (const Bounds& b : amounts) {
        if (!b.low.isEmpty())
            wholeAmount(b.low, b.lowLabel);
        if (!b.high.isEmpty())
            wholeAmount(b.high, b.highLabel);
    }

    if (journal == JournalKind::Bank)
        equal(JournalField::account, c.bank);
    where += QStringLiteral(" and (yewurq between ? and ?)");
    st.params << midnight(c.from) << midnight(c.to.addDays(1));
    equal(JournalField::voucher, c.voucher);
    equal(QStringLiteral("zhanyao"), c.summary);
    for (const Bounds& b : amounts) {
        // One bound alone filters nothing.
        if (b.low.isEmpty() || b.high.isEmpty())
            continue;
        where += QStringLiteral(" and (%1>=? and %1<=?)").arg(b.column);
        st.params << wholeAmount(b.low, b.lowLabel).toStorage() << wholeAmount(b.high, b.highLabel).toStorage();
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
