// Automatic safety copies at a normal end: a real copy of the books in "自动备份" beside them, the
// newest ten kept, a failure told once without stopping the end; the restore picker opens there.
#include "SafetyCopies.h"
#include "u_DBbak.h"

#include "AppError.h"
#include "Connection.h"
#include "FakeFileDialogs.h"
#include "FakeMessages.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// An independent reader of a copy.
int cashRowsIn(const QString& path)
{
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"reader"_s);
        db.setDatabaseName(path);
        db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        QSqlQuery q(db);
        if (db.open() && q.exec(u"SELECT count(*) FROM XJRJZ"_s) && q.next())
            n = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(u"reader"_s);
    return n;
}
} // namespace

class TestSafetyCopies : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<FakeMessages> msgs;
    QString folder;

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<TestDatabase>();
        msgs = std::make_unique<FakeMessages>();
        TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, Fillter) VALUES ('2024-03-02 09:00:00', '货款', 10000, 'admin')"_s);
        folder = QDir(db->folder()).filePath(u"自动备份"_s);
    }
    void cleanup()
    {
        msgs.reset();
        db.reset();
    }

    void namesSortInTimeOrder()
    {
        QCOMPARE(SafetyCopies::fileName(QDateTime(QDate(2024, 3, 5), QTime(8, 30, 7))), u"RARU-2024-03-05-083007.DLL"_s);
        QVERIFY(SafetyCopies::fileName(QDateTime(QDate(2024, 3, 5), QTime(10, 0))) > SafetyCopies::fileName(QDateTime(QDate(2024, 3, 5), QTime(9, 59, 59))));
        QCOMPARE(SafetyCopies::folderFor(db->path()), folder);
    }

    void atNormalEndWritesARealCopyBesideTheBooks()
    {
        SafetyCopies::atNormalEnd();
        QVERIFY(msgs->shown.isEmpty());
        const QStringList copies = SafetyCopies::copiesIn(folder);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(cashRowsIn(copies.first()), 1);
    }

    void tenKeptTheOldestRemoved()
    {
        QVERIFY(QDir().mkpath(folder));
        const QDateTime first(QDate(2024, 1, 1), QTime(17, 0));
        for (int i = 0; i < 10; ++i)
            SafetyCopies::write(db->path(), first.addDays(i));
        // A file of the user's own in the folder is neither counted nor removed.
        QFile mine(QDir(folder).filePath(u"我的备份.DLL"_s));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.close();
        QCOMPARE(SafetyCopies::copiesIn(folder).size(), 10);

        TestDatabase::exec(u"INSERT INTO XJRJZ (YeWuRQ, ZhanYao, JieFang, Fillter) VALUES ('2024-03-03 09:00:00', '房租', 1, 'admin')"_s);
        const QString newest = SafetyCopies::write(db->path(), first.addDays(10));
        const QStringList copies = SafetyCopies::copiesIn(folder);
        QCOMPARE(copies.size(), 10);
        QCOMPARE(QFileInfo(copies.first()).fileName(), SafetyCopies::fileName(first.addDays(1)));
        QCOMPARE(copies.last(), newest);
        QCOMPARE(cashRowsIn(newest), 2);
        QVERIFY(QFile::exists(mine.fileName()));
    }

    void aFailingCopyIsToldOnceAndDoesNotThrow()
    {
        // A file where the folder should be: nothing can be written there, whoever runs the test.
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
        blocker.close();
        QVERIFY_THROWS_EXCEPTION(AppError, SafetyCopies::write(db->path(), QDateTime::currentDateTime()));
        SafetyCopies::atNormalEnd();
        QCOMPARE(msgs->shown.size(), 1);
        QCOMPARE(msgs->shown.first().kind, FakeMessages::Kind::Error);
        QVERIFY2(msgs->shown.first().text.contains(u"自动备份"_s) && msgs->shown.first().text.contains(QDir::toNativeSeparators(folder)),
                 qPrintable(msgs->shown.first().text));
        QCOMPARE(cashRowsIn(db->path()), 1); // the books themselves are untouched
    }

    void nothingCopiedWhenTheBooksWereNeverOpened()
    {
        Connection::instance().close();
        SafetyCopies::atNormalEnd();
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(msgs->shown.isEmpty());
    }

    void restorePickerOpensInTheSafetyCopies()
    {
        FakeFileDialogs dialogs;
        {
            Tfrm_DBbak d(nullptr);
            d.SpeedButton2->click(); // no copies yet: beside the books
        }
        SafetyCopies::write(db->path(), QDateTime::currentDateTime());
        {
            Tfrm_DBbak d(nullptr);
            d.SpeedButton2->click();
        }
        QCOMPARE(dialogs.openFolders, (QStringList{db->folder(), folder}));
    }
};

QTEST_MAIN(TestSafetyCopies)
#include "test_safety_copies.moc"
