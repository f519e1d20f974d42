// The main window: menus and toolbar as designed, every command's gate against its rights
// column, the status bar, the background picture and the login at first display.
#include "AppError.h"
#include "Application.h"
#include "ClockPane.h"
#include "Connection.h"
#include "Database.h"
#include "FakeMessages.h"
#include "FakeShell.h"
#include "TestDatabase.h"
#include "uDM.h"
#include "uLogin.h"
#include "WindowRef.h"
#include "uMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>

namespace {
// The commands that open a window, each with its rights column.
const QList<QPair<QString, QString>> gatedMenuItems = {
    {QStringLiteral("N23"), QStringLiteral("F1")},  {QStringLiteral("N27"), QStringLiteral("F2")},
    {QStringLiteral("N30"), QStringLiteral("F3")},  {QStringLiteral("N32"), QStringLiteral("F4")},
    {QStringLiteral("N5"), QStringLiteral("F5")},   {QStringLiteral("N7"), QStringLiteral("F6")},
    {QStringLiteral("N9"), QStringLiteral("F7")},   {QStringLiteral("N10"), QStringLiteral("F8")},
    {QStringLiteral("N12"), QStringLiteral("F9")},  {QStringLiteral("N13"), QStringLiteral("F0")},
    {QStringLiteral("N15"), QStringLiteral("F11")}, {QStringLiteral("N18"), QStringLiteral("F13")},
    {QStringLiteral("N17"), QStringLiteral("F12")}, {QStringLiteral("N20"), QStringLiteral("F14")},
};
QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

const QStringList ungatedMenuItems = {QStringLiteral("N31"), QStringLiteral("N26")};

// A main window that does not log in by itself, and whose commands record what they open and
// the rights they ask.
struct Window {
    FakeShell shell;
    std::unique_ptr<TfrmMain> w = std::make_unique<TfrmMain>();
    QStringList& opened = shell.opened;
    QStringList& rightsAsked = shell.rightsAsked;
    Window() { w->setWindowState(Qt::WindowNoState); }
};

// Logs in through every login dialog that comes up, as `name`, counting the showings.
struct LoginAnswerer {
    QTimer timer;
    int showings = 0;
    QString name = QStringLiteral("admin"), password = QStringLiteral("12345");
    QWidget* seen = nullptr;
    LoginAnswerer()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dlg = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
            if (!dlg || dlg == seen)
                return;
            seen = dlg;
            ++showings;
            dlg->ComboBox1->setEditText(name);
            dlg->Edit2->setText(password);
            dlg->btnOKClick();
            seen = nullptr;
        });
        timer.start();
    }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DM = new TDM(this); }
    void init() { DM->CurrentUser.clear(); }

    void captionAndMaximised()
    {
        TestDatabase db;
        TfrmMain w;
        QCOMPARE(frmMain, &w);
        QCOMPARE(w.windowTitle(), QStringLiteral("岚拓davizizidu-企业版"));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items"); // name=caption, "!" before a hidden one
        QTest::newRow("N1") << "N1" << "[系统设置]"
            << strings({"N23=设置记账务年月", "N28=-", "N27=操作员设置", "N29=-", "N30=数据备份与恢复",
                           "N32=数据初始化", "N33=-", "N34=退出"});
        QTest::newRow("N2") << "N2" << "[现金日记账]"
            << strings({"N5=现金日记账", "N6=-", "N7=摘要设置", "N8=-", "N9=现金统计（按月份）",
                           "N10=现金统计（按摘要）", "!N11=现金统计（按凭证号+摘要）", "N12=现金统计（按天）",
                           "!N21=-", "!N22=现金收入支出统计（按摘要）"});
        QTest::newRow("N3") << "N3" << "[银行日记账]"
            << strings({"N13=银行日记账", "N14=-", "N15=开户银行设置", "N16=-", "N18=银行账统计（按月份）",
                           "N17=银行账统计（按摘要）", "!N19=银行账统计（按凭证号+摘要）", "N20=银行账统计（按天）"});
        QTest::newRow("N4") << "N4" << "[帮助]" << strings({"N24=帮助", "N31=在线咨询", "N26=关于"});
    }
    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        TestDatabase db;
        TfrmMain w;
        QAction* top = w.item(menu);
        QVERIFY(top && top->menu());
        QCOMPARE(top->text(), caption);
        const QList<QAction*> actions = top->menu()->actions();
        QCOMPARE(actions.size(), items.size());
        for (int i = 0; i < items.size(); ++i) {
            QString spec = items[i];
            const bool hidden = spec.startsWith(u'!');
            if (hidden)
                spec.remove(0, 1);
            const QString name = spec.section(u'=', 0, 0), text = spec.section(u'=', 1);
            QAction* a = actions[i];
            QCOMPARE(a->objectName(), name);
            QCOMPARE(w.item(name), a);
            QCOMPARE(a->isSeparator(), text == QStringLiteral("-"));
            if (!a->isSeparator())
                QCOMPARE(a->text(), text);
            QCOMPARE(a->isVisible(), !hidden);
        }
    }

    void menuBarOrder()
    {
        TestDatabase db;
        TfrmMain w;
        QStringList tops;
        for (QAction* a : w.menuBar()->actions())
            tops << a->text();
        QCOMPARE(tops, strings({"[系统设置]", "[现金日记账]", "[银行日记账]", "[帮助]"}));
    }

    void toolBar_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption"); // empty: separator
        QTest::newRow("ToolButton1") << "ToolButton1" << "现金日记账";
        QTest::newRow("ToolButton2") << "ToolButton2" << "现金摘要统计";
        QTest::newRow("ToolButton3") << "ToolButton3" << "现金月份统计";
        QTest::newRow("ToolButton4") << "ToolButton4" << "";
        QTest::newRow("ToolButton5") << "ToolButton5" << "银行日记账";
        QTest::newRow("ToolButton6") << "ToolButton6" << "银行摘要统计";
        QTest::newRow("ToolButton7") << "ToolButton7" << "银行月份统计";
        QTest::newRow("ToolButton8") << "ToolButton8" << "";
        QTest::newRow("ToolButton9") << "ToolButton9" << "退出";
    }
    void toolBar()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TestDatabase db;
        Window win;
        TfrmMain& w = *win.w;
        w.resize(1024, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int index = name.mid(QStringLiteral("ToolButton").size()).toInt() - 1;
        QAction* a = w.ToolBar1->actions().value(index);
        QVERIFY(a);
        QCOMPARE(a->objectName(), name);
        QCOMPARE(w.item(name), a);
        QCOMPARE(a->isSeparator(), caption.isEmpty());
        if (caption.isEmpty())
            return;
        QCOMPARE(a->text(), caption);
        auto* button = qobject_cast<QToolButton*>(w.ToolBar1->widgetForAction(a));
        QVERIFY(button);
        QCOMPARE(button->size(), QSize(79, 51));
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(w.ToolBar1->iconSize(), QSize(32, 32));
        QVERIFY(!a->icon().isNull());
        QVERIFY(a->icon().availableSizes().contains(QSize(32, 32)));
        QVERIFY2(w.ToolBar1->rect().contains(button->geometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6").arg(button->x()).arg(button->y()).arg(button->width())
                                .arg(button->height()).arg(w.ToolBar1->width()).arg(w.ToolBar1->height())));
        QCOMPARE(w.ToolBar1->height(), 54);
    }

    void toolBarIconsDiffer()
    {
        TestDatabase db;
        TfrmMain w;
        auto image = [&](const char* n) { return w.item(QString::fromLatin1(n))->icon().pixmap(32, 32).toImage(); };
        QCOMPARE(image("ToolButton1"), image("ToolButton5"));
        QCOMPARE(image("ToolButton2"), image("ToolButton6"));
        QCOMPARE(image("ToolButton3"), image("ToolButton7"));
        QVERIFY(image("ToolButton1") != image("ToolButton2"));
        QVERIFY(image("ToolButton2") != image("ToolButton3"));
        QVERIFY(image("ToolButton3") != image("ToolButton9"));
    }

    void gate_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("opens"); // the menu item whose command runs
        for (const auto& g : gatedMenuItems)
            QTest::newRow(qPrintable(g.first)) << g.first << g.second << g.first;
        QTest::newRow("ToolButton1") << "ToolButton1" << "F5" << "N5";
        QTest::newRow("ToolButton2") << "ToolButton2" << "F8" << "N10";
        QTest::newRow("ToolButton3") << "ToolButton3" << "F7" << "N9";
        QTest::newRow("ToolButton5") << "ToolButton5" << "F0" << "N13";
        QTest::newRow("ToolButton6") << "ToolButton6" << "F12" << "N17";
        QTest::newRow("ToolButton7") << "ToolButton7" << "F13" << "N18";
    }
    void gate()
    {
        QFETCH(QString, item);
        QFETCH(QString, column);
        QFETCH(QString, opens);
        TestDatabase db(TestDatabase::Content::Empty);
        QStringList allBut = Database::rightsColumns();
        allBut.removeAll(column);
        TestDatabase::addOperator(QStringLiteral("lacks"), QStringLiteral("x"), allBut);
        TestDatabase::addOperator(QStringLiteral("holds"), QStringLiteral("x"), {column});
        FakeMessages messages;
        Window win;

        DM->CurrentUser = QStringLiteral("lacks");
        win.w->item(item)->trigger();
        QCOMPARE(win.rightsAsked, QStringList{column});
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Information);
        QCOMPARE(messages.shown[0].text, QStringLiteral("你没有权限进行操作"));
        QVERIFY(messages.shown[0].caption.isEmpty() || messages.shown[0].caption == appTitle());
        QVERIFY(win.opened.isEmpty());

        messages.clear();
        win.rightsAsked.clear();
        DM->CurrentUser = QStringLiteral("holds");
        win.w->item(item)->trigger();
        QCOMPARE(win.rightsAsked, QStringList{column});
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(win.opened, QStringList{opens});
    }

    void toolBarAsksWhatItsMenuItemAsks()
    {
        TestDatabase db;
        DM->CurrentUser = QStringLiteral("admin");
        FakeMessages messages;
        Window win;
        const QList<QPair<const char*, const char*>> pairs = {{"ToolButton1", "N5"}, {"ToolButton2", "N10"}, {"ToolButton3", "N9"},
                                                              {"ToolButton5", "N13"}, {"ToolButton6", "N17"}, {"ToolButton7", "N18"}};
        for (const auto& [button, menu] : pairs) {
            win.rightsAsked.clear();
            win.w->item(QString::fromLatin1(button))->trigger();
            const QStringList fromButton = win.rightsAsked;
            win.rightsAsked.clear();
            win.w->item(QString::fromLatin1(menu))->trigger();
            QCOMPARE(fromButton, win.rightsAsked);
            QCOMPARE(fromButton.size(), 1);
        }
    }

    void ungatedCommandsOpenForAnOperatorWithoutRights_data()
    {
        QTest::addColumn<QString>("item");
        for (const QString& n : ungatedMenuItems)
            QTest::newRow(qPrintable(n)) << n;
    }
    void ungatedCommandsOpenForAnOperatorWithoutRights()
    {
        QFETCH(QString, item);
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::addOperator(QStringLiteral("none"), QStringLiteral("x"), {});
        DM->CurrentUser = QStringLiteral("none");
        FakeMessages messages;
        Window win;
        win.w->item(item)->trigger();
        QVERIFY(win.rightsAsked.isEmpty());
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(win.opened, QStringList{item});
    }

    void helpAndHiddenItemsDoNothing_data()
    {
        QTest::addColumn<QString>("item");
        for (const char* n : {"N24", "N11", "N22", "N19"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void helpAndHiddenItemsDoNothing()
    {
        QFETCH(QString, item);
        TestDatabase db;
        DM->CurrentUser = QStringLiteral("admin");
        FakeMessages messages;
        Window win;
        win.w->show();
        win.w->item(item)->trigger();
        QVERIFY(win.rightsAsked.isEmpty());
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(win.opened.isEmpty());
        QVERIFY(win.w->isVisible());
    }

    void exitClosesTheWindow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("N34") << "N34";
        QTest::newRow("ToolButton9") << "ToolButton9";
    }
    void exitClosesTheWindow()
    {
        QFETCH(QString, item);
        TestDatabase db(TestDatabase::Content::Empty);
        TestDatabase::addOperator(QStringLiteral("none"), QStringLiteral("x"), {});
        DM->CurrentUser = QStringLiteral("none");
        FakeMessages messages;
        Window win;
        win.w->show();
        QVERIFY(win.w->isVisible());
        win.w->item(item)->trigger();
        QVERIFY(!win.w->isVisible());
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(win.rightsAsked.isEmpty());
    }

    void databaseErrorInTheGateGoesToTheErrorBox()
    {
        QTemporaryDir dir;
        Connection::instance().setDatabasePath(dir.filePath(QStringLiteral("RARU.DLL")));
        DM->CurrentUser = QStringLiteral("admin");
        FakeMessages messages;
        Window win;
        win.w->item(QStringLiteral("ToolButton1"))->trigger();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Error);
        QVERIFY(messages.shown[0].text.contains(dir.filePath(QStringLiteral("RARU.DLL"))));
        QVERIFY(win.opened.isEmpty());
        Connection::instance().close();
    }

    void statusBar()
    {
        TestDatabase db;
        Window win;
        TfrmMain& w = *win.w;
        QCOMPARE(w.statusBar()->objectName(), QStringLiteral("RzStatusBar1"));
        QCOMPARE(w.RzStatusPane2->text(), QString()); // nobody has logged in yet
        QCOMPARE(w.RzStatusPane2->width(), 232);
        QCOMPARE(w.RzStatusPane1->text(), QStringLiteral("北京时间："));
        QCOMPARE(w.RzStatusPane1->width(), 66);
        QCOMPARE(w.RzClockStatus1->width(), 150);
        QVERIFY(w.RzClockStatus1->timer()->isActive());
        QVERIFY(w.RzStatusPane3->text().startsWith(QStringLiteral("技术支持：岚拓软件  ")));
        QVERIFY(w.RzStatusPane3->text().contains(u'@'));
        QCOMPARE(w.RzStatusPane3->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        w.resize(1280, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Left to right: operator, "北京时间：", clock, support line taking the rest.
        QVERIFY(w.RzStatusPane2->x() < w.RzStatusPane1->x());
        QVERIFY(w.RzStatusPane1->x() < w.RzClockStatus1->x());
        QVERIFY(w.RzClockStatus1->x() < w.RzStatusPane3->x());
        QVERIFY(w.RzStatusPane3->width() > 500);
    }

    void backgroundPicture()
    {
        TestDatabase db;
        QTemporaryDir dir;
        // Missing: an empty background and no error.
        QVERIFY(loadBackgroundPicture(dir.filePath(QStringLiteral("Main.jpg"))).isNull());

        // A real JPEG fills the place between toolbar and status bar, stretched.
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(QColor(200, 20, 20));
        const QString jpeg = dir.filePath(QStringLiteral("Main.jpg"));
        QVERIFY(red.save(jpeg, "JPG"));
        Window win;
        TfrmMain& w = *win.w;
        w.loadBackground(jpeg);
        QCOMPARE(w.Image1->picture().size(), QSize(40, 30));
        w.resize(800, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.centralWidget(), w.Image1);
        QVERIFY(w.Image1->width() > 700 && w.Image1->height() > 400);
        const QImage shot = w.Image1->grab().toImage();
        for (const QPoint p : {QPoint(2, 2), QPoint(shot.width() / 2, shot.height() / 2), QPoint(shot.width() - 3, shot.height() - 3)}) {
            const QColor c = shot.pixelColor(p);
            QVERIFY2(c.red() > 150 && c.green() < 70 && c.blue() < 70, qPrintable(c.name()));
        }
    }

    void unreadablePictureIsReportedAndTheWindowStillOpens()
    {
        TestDatabase db;
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("Main.jpg"));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
        f.close();
        QVERIFY_THROWS_EXCEPTION(AppError, loadBackgroundPicture(bad));

        FakeMessages messages;
        Window win;
        QVERIFY(!runGuarded([&] { win.w->loadBackground(bad); }));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, FakeMessages::Kind::Error);
        QVERIFY(messages.shown[0].text.contains(bad));
        QVERIFY(win.w->Image1->picture().isNull());
        win.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(win.w.get()));
    }

    void loginComesOnceAtFirstDisplay()
    {
        TestDatabase db;
        LoginAnswerer answer;
        TfrmMain w;
        w.setWindowState(Qt::WindowNoState);
        w.resize(800, 600);
        QVERIFY(!frmLogin);
        w.show();
        QTRY_COMPARE(answer.showings, 1);
        QVERIFY(frmLogin);
        QCOMPARE(frmLogin->parent(), &w);
        QTRY_COMPARE(w.RzStatusPane2->text(), QStringLiteral("当前登陆用户：admin"));
        QCOMPARE(DM->CurrentUser, QStringLiteral("admin"));

        // Another window takes the focus and gives it back; the window is hidden and shown
        // again, minimised and restored: none of it brings the login back.
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QApplication::processEvents();
        QApplication::setActiveWindow(&w);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
        w.hide();
        w.show();
        w.showMinimized();
        w.showNormal();
        QTest::qWait(100);
        QCOMPARE(answer.showings, 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void reloginSwitchesTheOperator()
    {
        TestDatabase db;
        TestDatabase::addOperator(QStringLiteral("Clerk"), QStringLiteral("pw"), {QStringLiteral("F5")});
        FakeMessages messages;
        LoginAnswerer answer;
        Window win;
        TfrmMain& w = *win.w;
        win.shell.realLogin = true;
        w.FormActivate();
        QCOMPARE(answer.showings, 1);
        QCOMPARE(w.RzStatusPane2->text(), QStringLiteral("当前登陆用户：admin"));
        w.item(QStringLiteral("N7"))->trigger();
        QVERIFY(messages.shown.isEmpty());

        answer.name = QStringLiteral("clerk");
        answer.password = QStringLiteral("pw");
        w.FormActivate();
        QCOMPARE(answer.showings, 2);
        QCOMPARE(w.RzStatusPane2->text(), QStringLiteral("当前登陆用户：Clerk"));
        w.item(QStringLiteral("N7"))->trigger();
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("你没有权限进行操作")});
        w.item(QStringLiteral("N5"))->trigger();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(win.opened, (QStringList{QStringLiteral("N7"), QStringLiteral("N5")}));
    }

    void referenceClearedOnDestruction()
    {
        TestDatabase db;
        {
            TfrmMain w;
            QCOMPARE(frmMain, &w);
        }
        QVERIFY(!frmMain);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
