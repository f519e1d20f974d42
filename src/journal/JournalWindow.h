#pragma once
// The one design of both journal windows: the toolbar, the title panel with the month label,
// the grid over the list, and the commands. The cash and bank windows differ only by data
// (their JournalDesign, grid columns and print options) and by the dialogs they open.
#include "Dataset.h"
#include "GridColumn.h"
#include "GridPrinter.h"
#include "JournalKind.h"

#include <QDialog>
#include <QVector>
#include <memory>

class DBGrid;
class JournalEntryDialog;
class QLabel;
class QToolBar;
class QToolButton;

class JournalWindow : public QDialog {
    Q_OBJECT
public:
    JournalWindow(QWidget* owner, JournalKind kind);
    ~JournalWindow() override;

    JournalKind kind() const { return design_.kind; }
    const JournalDesign& design() const { return design_; }
    // The grid columns of a journal, in order.
    static QVector<GridColumn> columnsOf(JournalKind kind);
    static GridPrinter::Options printOptionsOf(JournalKind kind);

    // Handlers, public so that tests drive them without a screen.
    void FormShow();           // every showing: the period listing and the month label
    void FormCanResize();      // the title's left edge at half the panel's width
    void exportClick();        // "导出"
    void newClick();           // "新增"
    void editClick();          // "编辑"
    void deleteClick();        // "删除"
    void printClick();         // "打印"
    void ledgerClick();        // "打印账页"
    void refreshClick();       // "刷新本记账年月数据"
    void searchClick();        // "查询"
    void exitClick();          // "退出"

    // The list: the period listing, a search result or a balance set.
    Dataset ADOQuery1;

    QToolBar* ToolBar1;
    QToolButton* RzToolButton1 = nullptr;
    QToolButton* RzToolButton2 = nullptr;
    QToolButton* RzToolButton3 = nullptr;
    QToolButton* RzToolButton4 = nullptr;
    QToolButton* RzToolButton5 = nullptr;
    QToolButton* RzToolButton6 = nullptr;
    QToolButton* RzToolButton7 = nullptr;
    QToolButton* RzToolButton8 = nullptr;
    QToolButton* RzToolButton9 = nullptr; // "打印账页"
    QWidget* RzPanel1; // the title panel
    QLabel* Label1;
    QLabel* Label2;    // the month label
    QLabel* Label3;    // the title
    DBGrid* DBGridEh1;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The kind's entry dialog, owned by the caller, editing this window's list.
    virtual std::unique_ptr<JournalEntryDialog> createEntryDialog() = 0;
    // Opens the kind's search dialog over this window's list.
    virtual void openSearch() = 0;

private:
    void showEntryDialog(JournalEntryDialog& dialog);
    JournalDesign design_;
};
