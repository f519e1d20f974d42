#include "StatementValues.h"

#include <QRegularExpression>

namespace StatementValues {
namespace {

// Full-width digits, signs and currency marks become their plain forms.
QString plain(const QString& text) { return text.normalized(QString::NormalizationForm_KC).trimmed(); }

} // namespace

std::optional<Money> parseAmount(const QString& text)
{
    QString t = plain(text);
    static const QRegularExpression noise(QStringLiteral("[\\s,¥$]|RMB|CNY|人民币|元"),
                                          QRegularExpression::CaseInsensitiveOption);
    t.remove(noise);
    if (t.isEmpty() || t == u"-" || t == u"--")
        return Money();
    bool negative = false;
    if (t.size() > 2 && t.startsWith(u'(') && t.endsWith(u')')) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    if (t.startsWith(u'+'))
        t.remove(0, 1);
    auto m = Money::parse(t);
    if (!m)
        return std::nullopt;
    return negative ? Money() - *m : *m;
}

std::optional<QTime> parseTime(const QString& text)
{
    static const QRegularExpression withColons(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\.\\d+)?$"));
    static const QRegularExpression digits(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2})$"));
    const QString t = plain(text);
    auto m = withColons.match(t);
    if (!m.hasMatch())
        m = digits.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime time(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<QDateTime> parseDateTime(const QString& text)
{
    static const QRegularExpression separated(
        QStringLiteral("^(\\d{4})\\s*[-/.年]\\s*(\\d{1,2})\\s*[-/.月]\\s*(\\d{1,2})\\s*日?(?:[\\sT]+(.*))?$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:[\\sT]*(\\S.*))?$"));
    const QString t = plain(text);
    auto m = separated.match(t);
    if (!m.hasMatch())
        m = compact.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!m.captured(4).trimmed().isEmpty()) {
        const auto parsed = parseTime(m.captured(4).trimmed());
        if (!parsed)
            return std::nullopt;
        time = *parsed;
    }
    // Wall-clock values as printed: no time zone applies, so none can shift them.
    return QDateTime(date, time, Qt::UTC);
}

} // namespace StatementValues
