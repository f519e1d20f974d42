// Where the books live: a writable RARU.DLL beside the program is used as it is; otherwise the
// user's data folder holds them, starting from a copy of the delivered database that never
// replaces a file already there.
#include "BooksLocation.h"
#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}
QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestBooksLocation : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    BooksLocation::Folders folders_;
    QString beside_, own_, delivered_;

private Q_SLOTS:
    void init()
    {
        QVERIFY(root_.isValid());
        QDir(root_.path()).removeRecursively();
        QDir().mkpath(root_.path());
        folders_.programDir = root_.filePath(QStringLiteral("程序 bin"));
        folders_.dataDir = root_.filePath(QStringLiteral("home/.local/share/zizedozuvar"));
        beside_ = QDir(folders_.programDir).filePath(QStringLiteral("RARU.DLL"));
        own_ = QDir(folders_.dataDir).filePath(QStringLiteral("RARU.DLL"));
        delivered_ = root_.filePath(QStringLiteral("share/zizedozuvar/RARU.DLL"));
        folders_.deliveredCopies = {beside_, delivered_};
        QDir().mkpath(folders_.programDir);
        writeFile(delivered_, "delivered");
    }

    void writableProgramFolderKeepsItsBooks()
    {
        writeFile(beside_, "portable books");
        const BooksLocation::Choice c = BooksLocation::settle(folders_);
        QCOMPARE(c.databasePath, beside_);
        QVERIFY(!c.placed);
        QVERIFY(!QFileInfo::exists(folders_.dataDir));
    }

    // An installed program has no books beside it; a read-only portable folder has some that the
    // user cannot write. Either way the user's folder gets a copy of the delivered database.
    void readOnlyProgramFolderPlacesTheDeliveredCopy_data()
    {
        QTest::addColumn<bool>("booksBeside");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("installed: nothing beside") << false << QByteArray("delivered");
        QTest::newRow("read-only portable folder") << true << QByteArray("read-only books");
    }
    void readOnlyProgramFolderPlacesTheDeliveredCopy()
    {
        QFETCH(bool, booksBeside);
        QFETCH(QByteArray, expected);
        if (booksBeside)
            writeFile(beside_, "read-only books");
        QFile(beside_).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        QFile(folders_.programDir).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        // Root writes everywhere; the folder's answer is then given as a plain user gets it.
        const auto readOnly = [](const QString&) { return false; };
        const BooksLocation::Choice c = ::geteuid() == 0 ? BooksLocation::settle(folders_, readOnly)
                                                         : BooksLocation::settle(folders_);
        QFile(folders_.programDir).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(c.databasePath, own_);
        QVERIFY(c.placed);
        QCOMPARE(readFile(own_), expected);
        QVERIFY(QFileInfo(own_).permissions().testFlag(QFileDevice::WriteOwner));
        QCOMPARE(QDir(folders_.dataDir).entryList(QDir::Files), QStringList{QStringLiteral("RARU.DLL")}); // no leftovers
        // The next start finds the placed books and places nothing.
        const BooksLocation::Choice again = BooksLocation::settle(folders_, readOnly);
        QCOMPARE(again.databasePath, own_);
        QVERIFY(!again.placed);
    }

    void existingBooksInTheDataFolderAreNeverOverwritten()
    {
        writeFile(own_, "a year of entries");
        const BooksLocation::Choice c = BooksLocation::settle(folders_);
        QCOMPARE(c.databasePath, own_);
        QVERIFY(!c.placed);
        QCOMPARE(readFile(own_), QByteArray("a year of entries"));
    }

    void nothingDeliveredPlacesNothing()
    {
        QFile::remove(delivered_);
        const BooksLocation::Choice c = BooksLocation::settle(folders_);
        QCOMPARE(c.databasePath, own_);
        QVERIFY(!c.placed);
        QVERIFY(!QFileInfo::exists(own_));
    }

    void aCopyThatCannotBePlacedSaysWhy()
    {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only folders");
        const QString parent = QFileInfo(folders_.dataDir).absolutePath();
        QDir().mkpath(parent);
        QFile(parent).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        bool refused = false;
        try {
            BooksLocation::settle(folders_);
        } catch (const AppError& e) {
            refused = e.message().contains(QDir::toNativeSeparators(own_));
        }
        QFile(parent).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(refused);
    }

    void backgroundPictureBesideTheBooksFirst()
    {
        const QString program = folders_.programDir;
        QCOMPARE(BooksLocation::backgroundPicture(own_, program), QString());
        writeFile(QDir(program).filePath(QStringLiteral("Main.jpg")), "p");
        QCOMPARE(BooksLocation::backgroundPicture(own_, program), QDir(program).filePath(QStringLiteral("Main.jpg")));
        writeFile(QDir(folders_.dataDir).filePath(QStringLiteral("Main.jpg")), "d");
        QCOMPARE(BooksLocation::backgroundPicture(own_, program), QDir(folders_.dataDir).filePath(QStringLiteral("Main.jpg")));
    }
};

QTEST_GUILESS_MAIN(TestBooksLocation)
#include "test_books_location.moc"
