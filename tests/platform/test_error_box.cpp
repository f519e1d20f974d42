#include "AppError.h"
#include "Application.h"
#include "FakeMessages.h"

#include <QPushButton>
#include <QTest>

class TestErrorBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void title() { QCOMPARE(appTitle(), QStringLiteral("zizedozuvar")); }

    void textRule_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("chinese gets a dot") << QStringLiteral("统计日期不能为空") << QStringLiteral("统计日期不能为空.");
        QTest::newRow("letter gets a dot") << QStringLiteral("disk full") << QStringLiteral("disk full.");
        QTest::newRow("dot kept") << QStringLiteral("done.") << QStringLiteral("done.");
        QTest::newRow("comma sorts before dot") << QStringLiteral("a,") << QStringLiteral("a,");
        QTest::newRow("closing bracket sorts before dot") << QStringLiteral("(x)") << QStringLiteral("(x)");
        QTest::newRow("full-width stop sorts after dot") << QStringLiteral("错误。") << QStringLiteral("错误。.");
        QTest::newRow("empty") << QString() << QString();
    }
    void textRule()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorBoxText(message), shown);
    }

    void guardShowsTheErrorAndTheProgramGoesOn()
    {
        FakeMessages messages;
        QPushButton b;
        int after = 0;
        onSignal(&b, &QPushButton::clicked, &b, [] { throw AppError(QStringLiteral("没有要删除的记录")); });
        QObject::connect(&b, &QPushButton::clicked, &b, [&] { ++after; });
        b.click();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Error);
        QCOMPARE(messages.shown[0].text, QStringLiteral("没有要删除的记录."));
        QCOMPARE(after, 1);
        b.click();
        QCOMPARE(messages.shown.size(), 2);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestErrorBox t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_error_box.moc"
