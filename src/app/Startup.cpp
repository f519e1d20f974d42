#include "Startup.h"

#include "ChineseFormat.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void prepareLookAndLanguage(QApplication& app)
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPointSize(9);
    app.setFont(font);
    // Qt's own pickers and numbers follow the Chinese conventions whatever the system's locale.
    QLocale::setDefault(ChineseFormat::locale());

    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_zh_CN", "qt_zh_CN"}) {
        auto* t = new QTranslator(&app);
        if (t->load(QString::fromLatin1(name), dir))
            app.installTranslator(t);
        else
            delete t;
    }
}
