#include "AppError.h"
#include "Connection.h"
#include "DatabaseFile.h"
#include "Dataset.h"
#include "OtherProgram.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A small table of its own, so the dataset is tested apart from the program's schema.
class TestDataset : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Connection& conn = Connection::instance();
    QString path;

    void openAll(Dataset& ds)
    {
        ds.setTable(QStringLiteral("t"), QStringLiteral("id"));
        ds.open(QStringLiteral("SELECT * FROM t ORDER BY id"));
    }
    int count() { return conn.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(); }

private Q_SLOTS:
    void init()
    {
        path = dir.filePath(QStringLiteral("d%1.db").arg(QDateTime::currentMSecsSinceEpoch()));
        DatabaseFile::create(path, {
            {QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT COLLATE NOCASE CHECK (length(name) <= 5),"
                            " amount INTEGER, made TEXT DEFAULT '2024-01-01 00:00:00')"), {}},
            {QStringLiteral("INSERT INTO t (name, amount) VALUES ('a', 10), ('b', 20), ('c', NULL)"), {}},
        });
        conn.setDatabasePath(path);
    }
    void cleanup() { conn.close(); }

    void opensWithFirstRowCurrent()
    {
        Dataset ds;
        QSignalSpy scroll(&ds, &Dataset::afterScroll);
        openAll(ds);
        QCOMPARE(ds.rowCount(), 3);
        QCOMPARE(ds.currentRow(), 0);
        QCOMPARE(ds.state(), Dataset::State::Browsing);
        QCOMPARE(ds.text(QStringLiteral("NAME")), QStringLiteral("a")); // field names fold case
        QCOMPARE(scroll.count(), 1);
        QVERIFY_THROWS_EXCEPTION(AppError, ds.value(QStringLiteral("nope")));
    }

    void emptyResultHasNoCurrentRowAndNoScroll()
    {
        Dataset ds;
        QSignalSpy scroll(&ds, &Dataset::afterScroll);
        ds.open(QStringLiteral("SELECT * FROM t WHERE 1<>1"));
        QCOMPARE(ds.currentRow(), -1);
        QVERIFY(ds.isEmpty());
        QCOMPARE(scroll.count(), 0);
        QVERIFY(!ds.value(QStringLiteral("name")).isValid());
    }

    void appendPostWritesOneRowAndReadsDefaults()
    {
        Dataset ds;
        openAll(ds);
        ds.append();
        QCOMPARE(ds.state(), Dataset::State::Inserting);
        QCOMPARE(ds.currentRow(), 3);
        ds.setValue(QStringLiteral("name"), QStringLiteral("d"));
        ds.setMoney(QStringLiteral("amount"), Money::fromUnits(5));
        ds.post();
        QCOMPARE(ds.state(), Dataset::State::Browsing);
        QCOMPARE(count(), 4);
        QVERIFY(ds.value(QStringLiteral("id")).toInt() > 3);
        QCOMPARE(ds.text(QStringLiteral("made")), QStringLiteral("2024-01-01 00:00:00"));
    }

    void editPostUpdatesByKey()
    {
        Dataset ds;
        openAll(ds);
        ds.next();
        ds.edit();
        ds.setValue(QStringLiteral("name"), QStringLiteral("bb"));
        QCOMPARE(conn.scalar(QStringLiteral("SELECT name FROM t WHERE id=2")).toString(), QStringLiteral("b"));
        ds.post();
        QCOMPARE(conn.scalar(QStringLiteral("SELECT name FROM t WHERE id=2")).toString(), QStringLiteral("bb"));
        QCOMPARE(conn.scalar(QStringLiteral("SELECT name FROM t WHERE id=1")).toString(), QStringLiteral("a"));
    }

    void cancelRestoresAndDropsNewRow()
    {
        Dataset ds;
        openAll(ds);
        ds.edit();
        ds.setValue(QStringLiteral("name"), QStringLiteral("zz"));
        ds.cancel();
        QCOMPARE(ds.text(QStringLiteral("name")), QStringLiteral("a"));
        ds.last();
        ds.append();
        ds.cancel();
        QCOMPARE(ds.rowCount(), 3);
        QCOMPARE(ds.currentRow(), 2);
        QCOMPARE(count(), 3);
    }

    void refusedPostKeepsRowPending()
    {
        Dataset ds;
        openAll(ds);
        ds.append();
        ds.setValue(QStringLiteral("name"), QStringLiteral("toolong"));
        QVERIFY_THROWS_EXCEPTION(AppError, ds.post());
        QCOMPARE(ds.state(), Dataset::State::Inserting);
        QCOMPARE(ds.text(QStringLiteral("name")), QStringLiteral("toolong"));
        QCOMPARE(count(), 3);
    }

    void movingPostsAPendingChange()
    {
        Dataset ds;
        openAll(ds);
        ds.edit();
        ds.setValue(QStringLiteral("name"), QStringLiteral("x"));
        ds.next();
        QCOMPARE(ds.state(), Dataset::State::Browsing);
        QCOMPARE(conn.scalar(QStringLiteral("SELECT name FROM t WHERE id=1")).toString(), QStringLiteral("x"));
    }

    void deleteRemovesStoredRow()
    {
        Dataset ds;
        openAll(ds);
        ds.last();
        ds.deleteCurrent();
        QCOMPARE(ds.rowCount(), 2);
        QCOMPARE(ds.currentRow(), 1);
        QCOMPARE(count(), 2);
    }

    void valuesAreBoundNotPasted()
    {
        Dataset ds;
        openAll(ds);
        ds.append();
        ds.setValue(QStringLiteral("name"), QStringLiteral("O'N"));
        ds.post();
        Dataset found;
        found.open(QStringLiteral("SELECT * FROM t WHERE name=?"), {QStringLiteral("o'n")});
        QCOMPARE(found.rowCount(), 1); // and text equality ignores case
    }

    void widthComesFromTheTable()
    {
        Dataset ds;
        openAll(ds);
        QCOMPARE(ds.fieldWidth(QStringLiteral("Name")), 5);
        QCOMPARE(ds.fieldWidth(QStringLiteral("amount")), 0);
    }

    void sortKeepsCurrentRow()
    {
        Dataset ds;
        openAll(ds);
        ds.moveTo(1); // b, 20
        ds.sortBy({{ds.fieldIndex(QStringLiteral("amount")), false}});
        QCOMPARE(ds.text(QStringLiteral("name")), QStringLiteral("b"));
        QCOMPARE(ds.currentRow(), 0);
        QCOMPARE(ds.valueAt(2, ds.fieldIndex(QStringLiteral("name"))).toString(), QStringLiteral("c")); // null last descending
    }

    void writtenRowIsTakenWithoutReadingAgain()
    {
        Dataset ds;
        openAll(ds);
        ds.append();
        ds.setValue(QStringLiteral("name"), QStringLiteral("d"));
        const QVariant key = ds.writePending();
        // Right after the write another program locks the file past the wait: taking the row
        // must not need the file.
        OtherProgram other(path);
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        try {
            ds.acceptPending(key);
        } catch (const AppError& e) {
            other.exec(QStringLiteral("ROLLBACK"));
            QFAIL(qPrintable(e.message()));
        }
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        // Memory holds the stored row, the database's default included, browsing.
        QCOMPARE(ds.state(), Dataset::State::Browsing);
        QCOMPARE(ds.rowCount(), 4);
        QCOMPARE(ds.value(QStringLiteral("id")), key);
        QCOMPARE(ds.text(QStringLiteral("name")), QStringLiteral("d"));
        QCOMPARE(ds.text(QStringLiteral("made")), QStringLiteral("2024-01-01 00:00:00"));
        ds.post(); // nothing pending: nothing written
        QCOMPARE(count(), 4);
        ds.edit();
        ds.setValue(QStringLiteral("amount"), 7);
        ds.post(); // the row as shown is the row stored
        QCOMPARE(conn.scalar(QStringLiteral("SELECT amount FROM t WHERE id=?"), {key}).toInt(), 7);
    }

    void changeOfAnotherRowThanShownIsRefused_data()
    {
        QTest::addColumn<QString>("elsewhere");
        QTest::addColumn<bool>("deleting");
        QTest::addColumn<QString>("reason");
        const QString gone = QStringLiteral("DELETE FROM t WHERE id=2");
        const QString reused = QStringLiteral("UPDATE t SET name='zz', amount=99 WHERE id=2"); // the key now names another row
        const QString edited = QStringLiteral("UPDATE t SET amount=21 WHERE id=2");
        QTest::newRow("save, row gone") << gone << false << QStringLiteral("已不存在");
        QTest::newRow("save, key of another row") << reused << false << QStringLiteral("已被");
        QTest::newRow("save, row changed elsewhere") << edited << false << QStringLiteral("已被");
        QTest::newRow("delete, row gone") << gone << true << QStringLiteral("已不存在");
        QTest::newRow("delete, key of another row") << reused << true << QStringLiteral("已被");
    }
    void changeOfAnotherRowThanShownIsRefused()
    {
        QFETCH(QString, elsewhere);
        QFETCH(bool, deleting);
        QFETCH(QString, reason);
        Dataset ds;
        openAll(ds);
        ds.moveTo(1); // b, 20
        QVERIFY(OtherProgram(path).exec(elsewhere));
        const QString before = conn.column(QStringLiteral("SELECT id || name || ifnull(amount, '') FROM t ORDER BY id")).join(u',');
        try {
            if (deleting) {
                ds.deleteCurrent();
            } else {
                ds.edit();
                ds.setValue(QStringLiteral("name"), QStringLiteral("mine"));
                ds.post();
            }
            QFAIL("changed a row other than the one shown");
        } catch (const AppError& e) {
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
        QCOMPARE(conn.column(QStringLiteral("SELECT id || name || ifnull(amount, '') FROM t ORDER BY id")).join(u','), before);
        QCOMPARE(ds.rowCount(), 3);
    }

    void textTakesOneWayInAndOut()
    {
        Dataset ds;
        openAll(ds);
        // A character outside the basic plane is a surrogate pair in memory: stored, read back
        // and found again as it is.
        const QString wide = QStringLiteral("𠀀a");
        ds.append();
        ds.setValue(QStringLiteral("name"), wide);
        ds.post();
        ds.reopen();
        QVERIFY(ds.locate(QStringLiteral("name"), wide));
        Dataset found;
        found.open(QStringLiteral("SELECT * FROM t WHERE name = ? OR name LIKE ?"), {wide, QStringLiteral("%𠀀%")});
        QCOMPARE(found.rowCount(), 1);
        QCOMPARE(readScalar(path, QStringLiteral("SELECT hex(name) FROM t WHERE id=4")).toString(), QStringLiteral("F0A0808061"));
        // Half a pair has no stored form: refused alike when saved and when searched for.
        const QString lone = QString(QChar(0xD840)) + u'b';
        ds.append();
        ds.setValue(QStringLiteral("name"), lone);
        QString saveRefusal, searchRefusal;
        try {
            ds.post();
        } catch (const AppError& e) {
            saveRefusal = e.message();
        }
        try {
            found.open(QStringLiteral("SELECT * FROM t WHERE name = ?"), {lone});
        } catch (const AppError& e) {
            searchRefusal = e.message();
        }
        QVERIFY(!saveRefusal.isEmpty());
        QCOMPARE(searchRefusal, saveRefusal);
        QCOMPARE(count(), 4);
    }

    void writeHalvesLetCallersRollBack()
    {
        Dataset ds;
        openAll(ds);
        ds.append();
        ds.setValue(QStringLiteral("name"), QStringLiteral("e"));
        {
            Transaction t;
            ds.writePending();
            QCOMPARE(count(), 4);
        } // rolled back
        QCOMPARE(count(), 3);
        QCOMPARE(ds.state(), Dataset::State::Inserting);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
