#include "StoreFunctions.h"

#include "Sha256.h"
#include "SqlFunctions.h"

namespace {
std::function<QString()>& operatorSource()
{
    static std::function<QString()> source = [] { return QString(); };
    return source;
}
} // namespace

QString StoreFunctions::logChain(const QVariant& previous, const QString& content)
{
    const QString prior = previous.isNull() ? QString() : previous.toString();
    return QString::fromLatin1(Sha256::hex((prior + content).toUtf8()));
}

void StoreFunctions::define()
{
    SqlFunctions::define({QStringLiteral("CurrentOperator"), 0, [](const QVariantList&) { return QVariant(operatorSource()()); }});
    SqlFunctions::define({QStringLiteral("LogChain"), 2, [](const QVariantList& a) {
                              return QVariant(logChain(a.at(0), a.at(1).toString()));
                          }});
}

void StoreFunctions::setCurrentOperator(std::function<QString()> source)
{
    operatorSource() = std::move(source);
    define();
}
