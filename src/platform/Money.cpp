#include "Money.h"

#include <limits>
#include <stdexcept>

namespace {
std::uint64_t digit(QChar c) { return static_cast<std::uint64_t>(c.digitValue()); }
}

std::optional<Money> Money::parse(const QString& text)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    int i = 0;
    bool negative = false;
    if (s[0] == u'+' || s[0] == u'-') {
        negative = s[0] == u'-';
        ++i;
    }
    // The magnitude is gathered unsigned, so the most negative value (one beyond the largest
    // positive one) fits without a signed overflow; the whole amount, fraction included, is
    // checked against the sign's own limit.
    constexpr std::uint64_t largest = std::numeric_limits<std::int64_t>::max();
    std::uint64_t whole = 0;
    int wholeDigits = 0;
    for (; i < s.size() && s[i].isDigit(); ++i, ++wholeDigits) {
        whole = whole * 10 + digit(s[i]);
        if (whole > largest / Scale + 1)
            return std::nullopt;
    }
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size() && s[i].isDigit(); ++i, ++fractionDigits) {
            if (fractionDigits == 4)
                return std::nullopt;
            fraction = fraction * 10 + digit(s[i]);
        }
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int k = fractionDigits; k < 4; ++k)
        fraction *= 10;
    const std::uint64_t limit = negative ? largest + 1 : largest;
    if (whole > (limit - fraction) / Scale)
        return std::nullopt;
    const std::uint64_t magnitude = whole * Scale + fraction;
    // Two's complement negation in unsigned arithmetic, then the exact signed value.
    return Money(static_cast<std::int64_t>(negative ? ~magnitude + 1 : magnitude));
}

Money Money::fromStorage(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return Money();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (s.isEmpty())
            return Money();
        bool ok = false;
        const qlonglong u = s.toLongLong(&ok);
        if (!ok)
            throw std::invalid_argument("stored money value is not a whole number of units: " + s.toStdString());
        return Money(u);
    }
    return Money(v.toLongLong());
}

QString Money::toString() const
{
    const bool negative = units_ < 0;
    // Work in unsigned to keep the most negative value representable.
    const std::uint64_t a = negative ? ~static_cast<std::uint64_t>(units_) + 1 : static_cast<std::uint64_t>(units_);
    QString out = QString::number(a / Scale);
    std::uint64_t frac = a % Scale;
    if (frac != 0) {
        QString digits = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        out += u'.' + digits;
    }
    return negative ? u'-' + out : out;
}

Money Money::operator+(Money o) const
{
    std::int64_t r;
    if (__builtin_add_overflow(units_, o.units_, &r))
        throw std::overflow_error("money sum out of range");
    return Money(r);
}

Money Money::operator-(Money o) const
{
    std::int64_t r;
    if (__builtin_sub_overflow(units_, o.units_, &r))
        throw std::overflow_error("money difference out of range");
    return Money(r);
}
