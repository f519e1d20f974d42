#include "u_DBbak.h"

#include "AppError.h"
#include "Application.h"
#include "Connection.h"
#include "Database.h"
#include "DatabaseFile.h"
#include "FileDialogs.h"
#include "Messages.h"
#include "Upgrades.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

QString BackupRestore::backupTarget(const QString& folder)
{
    const QString name = QStringLiteral("RARU.DLL");
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

void BackupRestore::backup(const QString& target) { DatabaseFile(Connection::instance().databasePath()).backupTo(target); }

void BackupRestore::checkRestorable(const QString& path)
{
    // A database of this program, of this version or an earlier one (upgraded once it is in place):
    // every table of the first release with the columns it read.
    try {
        DatabaseFile::verify(path, Database::firstReleaseTables());
        const int version = Database::fileVersion(path);
        if (version > SchemaVersion::current)
            throw AppError(QStringLiteral("数据库文件的版本为 %1，比本程序所用的版本 %2 新：%3")
                               .arg(QString::number(version), QString::number(SchemaVersion::current), path));
        if (version < SchemaVersion::firstRelease)
            throw AppError(QStringLiteral("不是本系统的数据库文件：%1").arg(path));
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("不能恢复：%1").arg(e.message()));
    }
}

void BackupRestore::restore(const QString& source)
{
    checkRestorable(source);
    const QString live = Connection::instance().databasePath();
    DatabaseFile(live).restoreFrom(source, [&live, &source](const QString& copy) {
        checkRestorable(copy);
        // An earlier version is brought up to date on the copy, so nothing reaches the live file
        // unless the upgrade succeeded; the copy as it came is kept beside the live file.
        const int version = Database::fileVersion(copy);
        if (version < SchemaVersion::current) {
            DatabaseFile(copy).backupTo(SchemaUpgrade::backupPathBeforeUpgrade(live, version));
            SchemaUpgrade::upgradeFile(copy, Database::history());
        }
        // Nothing beyond the program's own tables, indexes, views and triggers: a foreign trigger
        // or view would change what later saves write or what the windows read.
        const QString difference = DatabaseFile::schemaDifference(DatabaseFile::schemaObjects(copy), Database::deliveredSchema());
        if (!difference.isEmpty())
            throw AppError(QStringLiteral("不能恢复：不是本系统的数据库文件，%1：%2").arg(difference, QDir::toNativeSeparators(source)));
    });
}

Tfrm_DBbak::Tfrm_DBbak(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("数据库备份/恢复"));
    PageControl1 = new QTabWidget(this);

    TabSheet1 = new QWidget;
    Label1 = new QLabel(QStringLiteral("备份路径"), TabSheet1);
    Edit1 = new QLineEdit(TabSheet1);
    Edit1->setReadOnly(true);
    Label1->setBuddy(Edit1);
    SpeedButton1 = new QPushButton(QStringLiteral("选择路径"), TabSheet1);
    Label3 = new QLabel(QStringLiteral("备份进度"), TabSheet1);
    ProgressBar1 = new QProgressBar(TabSheet1);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Label3->setBuddy(ProgressBar1);
    Label6 = new QLabel(QStringLiteral("提醒：如果备份目录下已有备份过的文件将被覆盖"), TabSheet1);
    Label6->setStyleSheet(QStringLiteral("color: red;"));
    auto* g1 = new QGridLayout(TabSheet1);
    g1->addWidget(Label1, 0, 0);
    g1->addWidget(Edit1, 0, 1);
    g1->addWidget(SpeedButton1, 0, 2);
    g1->addWidget(Label3, 1, 0);
    g1->addWidget(ProgressBar1, 1, 1, 1, 2);
    g1->addWidget(Label6, 2, 0, 1, 3);
    g1->setRowStretch(3, 1);

    TabSheet2 = new QWidget;
    Label2 = new QLabel(QStringLiteral("恢复文件"), TabSheet2);
    Edit2 = new QLineEdit(TabSheet2);
    Edit2->setReadOnly(true);
    Label2->setBuddy(Edit2);
    SpeedButton2 = new QPushButton(QStringLiteral("选择路径"), TabSheet2);
    Label4 = new QLabel(QStringLiteral("恢复进度"), TabSheet2);
    ProgressBar2 = new QProgressBar(TabSheet2);
    ProgressBar2->setValue(0);
    ProgressBar2->setTextVisible(false);
    Label4->setBuddy(ProgressBar2);
    Label5 = new QLabel(QStringLiteral("提醒：恢复数据前请先备份数据以防数据无意丢失"), TabSheet2);
    Label5->setStyleSheet(QStringLiteral("color: red;"));
    auto* g2 = new QGridLayout(TabSheet2);
    g2->addWidget(Label2, 0, 0);
    g2->addWidget(Edit2, 0, 1);
    g2->addWidget(SpeedButton2, 0, 2);
    g2->addWidget(Label4, 1, 0);
    g2->addWidget(ProgressBar2, 1, 1, 1, 2);
    g2->addWidget(Label5, 2, 0, 1, 3);
    g2->setRowStretch(3, 1);

    PageControl1->addTab(TabSheet1, QStringLiteral("备份数据"));
    PageControl1->addTab(TabSheet2, QStringLiteral("恢复数据"));
    PageControl1->setCurrentWidget(TabSheet2);

    btnOK = new QPushButton(QStringLiteral("确定"), this);
    btnExit = new QPushButton(QStringLiteral("退出"), this);
    btnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnExit);
    auto* all = new QVBoxLayout(this);
    all->addWidget(PageControl1);
    all->addLayout(buttons);
    setFixedSize(460, 230);

    setTabOrder(Edit1, SpeedButton1);
    setTabOrder(Edit2, SpeedButton2);

    onSignal(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    onSignal(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    onSignal(btnOK, &QPushButton::clicked, this, [this] { accept(); });
    onSignal(btnExit, &QPushButton::clicked, this, [this] { reject(); });
}

void Tfrm_DBbak::SpeedButton1Click()
{
    const QString folder = FileDialogs::current().existingFolder(this, QStringLiteral("请选择要备份的目录"), chosenFolder_);
    if (folder.isEmpty())
        return;
    chosenFolder_ = folder;
    Edit1->setText(BackupRestore::backupTarget(folder));
}

void Tfrm_DBbak::SpeedButton2Click()
{
    // Both spellings: names on this file system are case-sensitive, a copy may end in ".dll".
    const QString file = FileDialogs::current().openFile(this, QString(), QStringLiteral("数据库文件 (*.DLL *.dll)"));
    if (!file.isEmpty())
        Edit2->setText(file);
}

void Tfrm_DBbak::Perform(int result)
{
    if (result != QDialog::Accepted)
        return;
    Messages& m = Messages::current();
    if (PageControl1->currentWidget() == TabSheet1) {
        if (Edit1->text().trimmed().isEmpty()) {
            m.information(parentWidget(), QStringLiteral("没有要备份的路径，操作退出"));
            return;
        }
        BackupRestore::backup(Edit1->text());
        m.information(parentWidget(), QStringLiteral("数据库备份成功！"));
    } else {
        if (Edit2->text().trimmed().isEmpty()) {
            m.information(parentWidget(), QStringLiteral("没有要恢复的路径，操作退出"));
            return;
        }
        BackupRestore::restore(Edit2->text().trimmed());
        m.information(parentWidget(), QStringLiteral("数据库恢复成功！"));
    }
}

void RunBackupRestore(QWidget* owner)
{
    Tfrm_DBbak dialog(owner);
    const int result = dialog.exec();
    // The dialog is freed on every path; a failure reaches the error box here.
    runGuarded([&] { dialog.Perform(result); });
}
