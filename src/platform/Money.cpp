#include "Money.h"

#include <limits>
#include <stdexcept>

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
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    std::int64_t whole = 0;
    int wholeDigits = 0;
    for (; i < s.size() && s[i].isDigit(); ++i, ++wholeDigits) {
        const int d = s[i].digitValue();
        if (whole > (max / Scale - d) / 10)
            return std::nullopt;
        whole = whole * 10 + d;
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size() && s[i].isDigit(); ++i, ++fractionDigits) {
            if (fractionDigits == 4)
                return std::nullopt;
            fraction = fraction * 10 + s[i].digitValue();
        }
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int k = fractionDigits; k < 4; ++k)
        fraction *= 10;
    const std::int64_t units = whole * Scale + fraction;
    return Money(negative ? -units : units);
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
