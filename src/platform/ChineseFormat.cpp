#include "ChineseFormat.h"

namespace ChineseFormat {

QLocale locale() { return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China); }

// Fixed patterns: QDate/QTime::toString with a format string never consult the system locale
// for these digits-only fields.
QString date(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString time(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }
QString dateTime(const QDate& d, const QTime& t) { return date(d) + u' ' + time(t); }

const QCollator& collator()
{
    static const QCollator c = [] {
        QCollator k(locale());
        k.setCaseSensitivity(Qt::CaseInsensitive);
        return k;
    }();
    return c;
}

} // namespace ChineseFormat
