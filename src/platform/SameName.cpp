#include "SameName.h"

namespace {
char16_t foldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }
}

QString nameKey(const QString& name)
{
    QString key = name;
    for (QChar& c : key)
        c = QChar(foldAscii(c.unicode()));
    return key;
}

bool sameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a.at(i).unicode()) != foldAscii(b.at(i).unicode()))
            return false;
    }
    return true;
}
