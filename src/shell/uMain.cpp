#include "uMain.h"

#include "AppError.h"
#include "Application.h"
#include "ClockPane.h"
#include "Maximise.h"
#include "Messages.h"
#include "ShellServices.h"
#include "ToolbarIcons.h"
#include "WindowRef.h"
#include "uDM.h"
#include "uLogin.h"

#include "uCountByDay.h"
#include "uCountByZhanYao.h"
#include "uXJRJ.h"
#include "uXJTJ_YearMonth.h"
#include "uYearMonth.h"
#include "uZhanYao.h"
#include "u_.h"
#include "u_BankInfo.h"
#include "u_BankTJByZhanYao.h"
#include "u_BankTJbyday.h"
#include "u_DBbak.h"
#include "u_OnLineAsk.h"
#include "u_about.h"
#include "u_bankJZ.h"
#include "u_bankYearMonth.h"
#include "u_user.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TfrmMain* frmMain = nullptr;

namespace {
struct MenuItem {
    QString name;
    QString caption;                // "-" is a separator
    std::optional<Command> command; // none: no action
    bool hidden;
};
// A menu item that runs a command carries the command's item name.
MenuItem commandItem(Command c, const QString& caption) { return {commandInfo(c).item, caption, c, false}; }
MenuItem plainItem(const char* name, const QString& caption, bool hidden = false)
{
    return {QString::fromLatin1(name), caption, std::nullopt, hidden};
}
struct Menu {
    const char* name;
    QString caption;
    QVector<MenuItem> items;
};

QVector<Menu> menuTable()
{
    using enum Command;
    const QString sep = QStringLiteral("-");
    return {
        {"N1", QStringLiteral("[系统设置]"), {
            commandItem(SetPeriod, QStringLiteral("设置记账务年月")),
            plainItem("N28", sep),
            commandItem(Operators, QStringLiteral("操作员设置")),
            plainItem("N29", sep),
            commandItem(BackupRestore, QStringLiteral("数据备份与恢复")),
            commandItem(DataInitialisation, QStringLiteral("数据初始化")),
            plainItem("N33", sep),
            commandItem(Exit, QStringLiteral("退出")),
        }},
        {"N2", QStringLiteral("[现金日记账]"), {
            commandItem(CashJournal, QStringLiteral("现金日记账")),
            plainItem("N6", sep),
            commandItem(Summaries, QStringLiteral("摘要设置")),
            plainItem("N8", sep),
            commandItem(CashByMonth, QStringLiteral("现金统计（按月份）")),
            commandItem(CashBySummary, QStringLiteral("现金统计（按摘要）")),
            plainItem("N11", QStringLiteral("现金统计（按凭证号+摘要）"), true),
            commandItem(CashByDay, QStringLiteral("现金统计（按天）")),
            plainItem("N21", sep, true),
            plainItem("N22", QStringLiteral("现金收入支出统计（按摘要）"), true),
        }},
        {"N3", QStringLiteral("[银行日记账]"), {
            commandItem(BankJournal, QStringLiteral("银行日记账")),
            plainItem("N14", sep),
            commandItem(BankAccounts, QStringLiteral("开户银行设置")),
            plainItem("N16", sep),
            commandItem(BankByMonth, QStringLiteral("银行账统计（按月份）")),
            commandItem(BankBySummary, QStringLiteral("银行账统计（按摘要）")),
            plainItem("N19", QStringLiteral("银行账统计（按凭证号+摘要）"), true),
            commandItem(BankByDay, QStringLiteral("银行账统计（按天）")),
        }},
        {"N4", QStringLiteral("[帮助]"), {
            plainItem("N24", QStringLiteral("帮助")),
            commandItem(Consultation, QStringLiteral("在线咨询")),
            commandItem(About, QStringLiteral("关于")),
        }},
    };
}

struct ToolButton {
    const char* name;
    QString caption;     // empty: a separator
    ToolbarIcons::Kind icon;
    std::optional<Command> command;
};

// One band 54 pixels high holding buttons of 79 x 51: the style's own margins would clip them, and
// the toolbar puts those back whenever the style changes.
class CoolBar : public QToolBar {
public:
    explicit CoolBar(QWidget* parent) : QToolBar(parent) { fitMargins(); }

protected:
    void changeEvent(QEvent* event) override
    {
        QToolBar::changeEvent(event);
        if (event->type() == QEvent::StyleChange)
            fitMargins();
    }

private:
    void fitMargins() { layout()->setContentsMargins(2, 1, 2, 1); }
};

QVector<ToolButton> toolBarTable()
{
    using ToolbarIcons::Journal, ToolbarIcons::SummaryStatistics, ToolbarIcons::MonthlyStatistics;
    return {
        {"ToolButton1", QStringLiteral("现金日记账"), Journal, Command::CashJournal},
        {"ToolButton2", QStringLiteral("现金摘要统计"), SummaryStatistics, Command::CashBySummary},
        {"ToolButton3", QStringLiteral("现金月份统计"), MonthlyStatistics, Command::CashByMonth},
        {"ToolButton4", {}, Journal, std::nullopt},
        {"ToolButton5", QStringLiteral("银行日记账"), Journal, Command::BankJournal},
        {"ToolButton6", QStringLiteral("银行摘要统计"), SummaryStatistics, Command::BankBySummary},
        {"ToolButton7", QStringLiteral("银行月份统计"), MonthlyStatistics, Command::BankByMonth},
        {"ToolButton8", {}, Journal, std::nullopt},
        {"ToolButton9", QStringLiteral("退出"), ToolbarIcons::Exit, Command::Exit},
    };
}
} // namespace

QImage loadBackgroundPicture(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw AppError(QStringLiteral("无法读取背景图片 %1：%2").arg(QDir::toNativeSeparators(path), reader.errorString()));
    return picture;
}

BackgroundImage::BackgroundImage(QWidget* parent) : QWidget(parent) {}

void BackgroundImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void BackgroundImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), picture_);
}

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::FormCreate()
{
    setWindowTitle(QStringLiteral("岚拓davizizidu-企业版"));
    buildMenus();
    buildToolBar();
    Image1 = new BackgroundImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    setCentralWidget(Image1);
    buildStatusBar();
    maximise(this);
    // An unreadable picture is reported and the window opens without one.
    runGuarded([this] { loadBackground(DM->ProgramDir() + QStringLiteral("Main.jpg")); });
}

void TfrmMain::buildMenus()
{
    for (const Menu& m : menuTable()) {
        QMenu* menu = menuBar()->addMenu(m.caption);
        menu->setObjectName(QString::fromLatin1(m.name) + QStringLiteral("Menu"));
        menu->menuAction()->setObjectName(QString::fromLatin1(m.name));
        itemNames_ << QString::fromLatin1(m.name);
        for (const MenuItem& i : m.items) {
            QAction* a = i.caption == QStringLiteral("-") ? menu->addSeparator() : menu->addAction(i.caption);
            a->setObjectName(i.name);
            a->setVisible(!i.hidden);
            if (i.command)
                trigger(a, *i.command);
            itemNames_ << a->objectName();
        }
    }
}

void TfrmMain::buildToolBar()
{
    ToolBar1 = new CoolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->toggleViewAction()->setEnabled(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setFixedHeight(54);
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    for (const ToolButton& b : toolBarTable()) {
        const QString name = QString::fromLatin1(b.name);
        itemNames_ << name;
        if (b.caption.isEmpty()) {
            ToolBar1->addSeparator()->setObjectName(name);
            continue;
        }
        auto* a = new QAction(ToolbarIcons::icon(b.icon), b.caption, this);
        a->setObjectName(name);
        ToolBar1->addAction(a);
        if (auto* button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a))) {
            button->setObjectName(name + QStringLiteral("Button"));
            button->setFixedSize(79, 51);
            button->setAutoRaise(true);
        }
        if (b.command)
            trigger(a, *b.command);
    }
}

void TfrmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("RzStatusBar1"));
    bar->setSizeGripEnabled(false);
    auto pane = [bar](QLabel* label, const char* name, int width) {
        label->setObjectName(QString::fromLatin1(name));
        if (width > 0)
            label->setFixedWidth(width);
        bar->addWidget(label, width > 0 ? 0 : 1);
    };
    RzStatusPane2 = new QLabel(bar);
    pane(RzStatusPane2, "RzStatusPane2", 232);
    RzStatusPane1 = new QLabel(QStringLiteral("北京时间："), bar);
    pane(RzStatusPane1, "RzStatusPane1", 66);
    RzClockStatus1 = new ClockPane(bar);
    pane(RzClockStatus1, "RzClockStatus1", 150);
    RzStatusPane3 = new QLabel(QStringLiteral("技术支持：岚拓软件  support@lantuo.example"), bar);
    RzStatusPane3->setAlignment(Qt::AlignCenter);
    pane(RzStatusPane3, "RzStatusPane3", 0);
}

void TfrmMain::updateOperatorPane() { RzStatusPane2->setText(QStringLiteral("当前登陆用户：") + DM->CurrentUser); }

void TfrmMain::loadBackground(const QString& path)
{
    Image1->setPicture({});
    Image1->setPicture(loadBackgroundPicture(path));
}

QAction* TfrmMain::item(const QString& name) const
{
    return name.isEmpty() ? nullptr : findChild<QAction*>(name);
}

void TfrmMain::trigger(QAction* action, Command command)
{
    onSignal(action, &QAction::triggered, this, [this, command] { run(command); });
}

void TfrmMain::run(Command command)
{
    ShellServices& services = ShellServices::current();
    const CommandInfo info = commandInfo(command);
    if (info.right && !services.hasRight(*info.right)) {
        Messages::current().information(this, QStringLiteral("你没有权限进行操作"));
        return;
    }
    services.open(command, [this, command] { open(command); });
}

void TfrmMain::open(Command command)
{
    switch (command) {
    case Command::SetPeriod: return openModal(frmYearMonth, this);
    case Command::Operators: return openModal(frmUser, this);
    case Command::BackupRestore: return RunBackupRestore(this);
    case Command::DataInitialisation: return openModal(frm_, this);
    case Command::Exit: close(); return;
    case Command::CashJournal: return openModal(frmXJRJ, this);
    case Command::Summaries: return openModal(frmZhanYao, this);
    case Command::CashByMonth: return openModal(frmXJTJ_YearMonth, this);
    case Command::CashBySummary: return openModal(frmCountByZhanYao, this);
    case Command::CashByDay: return openModal(frmCountByDay, this);
    case Command::BankJournal: return openModal(frmBankJZ, this);
    case Command::BankAccounts: return openModal(frmbankInfo, this);
    case Command::BankByMonth: return openModal(frmbank_yearMonth, this);
    case Command::BankBySummary: return openModal(frmBankTJByZhanYao, this);
    case Command::BankByDay: return openModal(frmBankTJByDay, this);
    case Command::Consultation: return openModal(frm_OnLineAsk, this);
    case Command::About: return openModal(frmabout, this);
    }
}

void TfrmMain::FormActivate()
{
    ShellServices::current().login(this);
    updateOperatorPane();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The login comes once, after the window is first on screen; later showings (a restore from
    // the task bar, a return from another application) do not bring it back.
    if (loginScheduled_)
        return;
    loginScheduled_ = true;
    QTimer::singleShot(0, this, [this] { runGuarded([this] { FormActivate(); }); });
}
