#pragma once
// Exact fixed-point money: a count of ten-thousandths, like a currency column with four decimals.
#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>

class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }

    // Accepts an optional sign, digits and at most four decimals ("12", "-0.5", "1.2345", ".5").
    // Anything else, or a value beyond the 19-digit range, gives nothing.
    static std::optional<Money> parse(const QString& text);

    // A stored value: null or empty reads as zero; integer units otherwise.
    static Money fromStorage(const QVariant& v);
    QVariant toStorage() const { return QVariant::fromValue<qlonglong>(units_); }

    constexpr std::int64_t units() const { return units_; }
    // Plain number without trailing zeros: "100", "-0.5", "1.2345".
    QString toString() const;
    // The value as a double, for writers that must hand a number to another program.
    double toDouble() const { return static_cast<double>(units_) / Scale; }

    // Sums throw std::overflow_error instead of wrapping.
    Money operator+(Money o) const;
    Money operator-(Money o) const;
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money&) const = default;
    constexpr bool isZero() const { return units_ == 0; }

private:
    constexpr explicit Money(std::int64_t u) : units_(u) {}
    std::int64_t units_ = 0;
};
