#include "AppError.h"
#include "Connection.h"
#include "Dataset.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A small table of its own, so the dataset is tested apart from the program's schema.
class TestDataset : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Connection& conn = Connection::instance();

    void openAll(Dataset& ds)
    {
        ds.setTable(QStringLiteral("t"), QStringLiteral("id"));
        ds.open(QStringLiteral("SELECT * FROM t ORDER BY id"));
    }
    int count() { return conn.scalar(QStringLiteral("SELECT count(*) FROM t")).toInt(); }

private Q_SLOTS:
    void init()
    {
        const QString path = dir.filePath(QStringLiteral("d%1.db").arg(QDateTime::currentMSecsSinceEpoch()));
        Connection::createFile(path, {
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
