#pragma once
// Backup and restore of the database file "数据库备份/恢复". The backup is a consistent copy named
// RARU.DLL in a chosen folder; a restore first checks that the chosen file is a sound database of
// this program, then swaps it in with the replaced file kept as RARU.DLL.bak.
#include "Progress.h"

#include <QDialog>
#include <QString>
#include <exception>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace BackupRestore {
// The backup file in `folder`: RARU.DLL after one separator, also for a root folder.
QString backupTarget(const QString& folder);
// Writes the backup; AppError with the reason on failure, an earlier backup left as it was.
void backup(const QString& target, const Progress& progress = {});
// Refuses (AppError naming the reason) a file that is not a sound database of this program.
void checkRestorable(const QString& path);
// Checks `source` and puts it in place of the live database; AppError leaves the live one untouched.
void restore(const QString& source, const Progress& progress = {});
}

class Tfrm_DBbak : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_DBbak(QWidget* owner);

    void SpeedButton1Click();
    void SpeedButton2Click();
    // "确定": the active tab's copy runs while the dialog shows its progress, then the dialog closes.
    void btnOKClick();
    // What RunBackupRestore does once the dialog closed with `result`: the active tab's action
    // (unless "确定" already ran it) and its message.
    void Perform(int result);
    // How a copy moves `bar`: its share of 1000, repainted at once with the window kept painted.
    static Progress progressOf(QProgressBar* bar);

    QTabWidget* PageControl1;
    QWidget* TabSheet1; // 备份数据
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* SpeedButton1;
    QLabel* Label3;
    QProgressBar* ProgressBar1;
    QLabel* Label6;
    QWidget* TabSheet2; // 恢复数据
    QLabel* Label2;
    QLineEdit* Edit2;
    QPushButton* SpeedButton2;
    QLabel* Label4;
    QProgressBar* ProgressBar2;
    QLabel* Label5;
    QPushButton* btnOK;
    QPushButton* btnExit;

private:
    // Characters of a path the boxes show without widening.
    static constexpr int ordinaryPathLength = 48;
    void showWholePath(QLineEdit* box);
    bool backupTab() const;
    QString activePath() const;
    // Runs the active tab's copy, moving its progress bar and keeping the window painted.
    void copyNow();

    QString chosenFolder_;
    bool copied_ = false;
    std::exception_ptr failure_;
};

// Shows a new backup and restore dialog and carries out the action of its active tab.
void RunBackupRestore(QWidget* owner);
