#include "Connection.h"
#include "DatabaseFile.h"
#include "DBCheckBox.h"
#include "DBEdit.h"
#include "Dataset.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

class TestBoundWidgets : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    int n = 0;

private Q_SLOTS:
    void init()
    {
        const QString path = dir.filePath(QStringLiteral("w%1.db").arg(++n));
        DatabaseFile::create(path, {
            {QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT CHECK (length(name) <= 8), amount INTEGER, flag INTEGER)"), {}},
            {QStringLiteral("INSERT INTO t (name, amount, flag) VALUES ('one', 15000, 1), ('two', NULL, NULL)"), {}},
        });
        Connection::instance().setDatabasePath(path);
    }
    void cleanup() { Connection::instance().close(); }

    void loadingARowDoesNotStartAnEdit()
    {
        Dataset ds;
        ds.setTable(QStringLiteral("t"), QStringLiteral("id"));
        DBEdit name;
        name.bind(&ds, QStringLiteral("NAME"));
        ds.open(QStringLiteral("SELECT * FROM t"));
        QCOMPARE(name.text(), QStringLiteral("one"));
        QCOMPARE(name.maxLength(), 8);
        ds.next();
        QCOMPARE(name.text(), QStringLiteral("two"));
        QCOMPARE(ds.state(), Dataset::State::Browsing);
    }

    void typingStartsAnEditAndWritesTheField()
    {
        Dataset ds;
        ds.setTable(QStringLiteral("t"), QStringLiteral("id"));
        DBEdit name;
        name.bind(&ds, QStringLiteral("name"));
        ds.open(QStringLiteral("SELECT * FROM t"));
        QTest::keyClicks(&name, QStringLiteral("x"));
        QCOMPARE(ds.state(), Dataset::State::Editing);
        QCOMPARE(ds.text(QStringLiteral("name")), QStringLiteral("onex"));
        ds.cancel();
        QCOMPARE(name.text(), QStringLiteral("one"));
    }

    void moneyBoxShowsPlainNumbersAndKeepsBadText()
    {
        Dataset ds;
        ds.setTable(QStringLiteral("t"), QStringLiteral("id"));
        DBEdit amount;
        amount.bind(&ds, QStringLiteral("amount"), DBEdit::Kind::Money);
        ds.open(QStringLiteral("SELECT * FROM t"));
        QCOMPARE(amount.text(), QStringLiteral("1.5"));
        amount.selectAll();
        QTest::keyClicks(&amount, QStringLiteral("2.25"));
        QCOMPARE(ds.money(QStringLiteral("amount")).units(), 22500);
        QVERIFY(amount.holdsValidAmount());
        QTest::keyClicks(&amount, QStringLiteral("x"));
        QVERIFY(!amount.holdsValidAmount());
        QCOMPARE(amount.text(), QStringLiteral("2.25x"));
    }

    void tickingACheckBoxStartsAnEdit()
    {
        Dataset ds;
        ds.setTable(QStringLiteral("t"), QStringLiteral("id"));
        DBCheckBox flag(QStringLiteral("标志"));
        flag.bind(&ds, QStringLiteral("flag"));
        ds.open(QStringLiteral("SELECT * FROM t"));
        QVERIFY(flag.isChecked());
        ds.next();
        QVERIFY(!flag.isChecked()); // null reads as no
        QCOMPARE(ds.state(), Dataset::State::Browsing);
        flag.click();
        QCOMPARE(ds.state(), Dataset::State::Editing);
        QCOMPARE(ds.value(QStringLiteral("flag")).toInt(), 1);
    }
};

QTEST_MAIN(TestBoundWidgets)
#include "test_bound_widgets.moc"
