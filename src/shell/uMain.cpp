#include "uMain.h"

#include "AppError.h"
#include "Application.h"
#include "ClockPane.h"
#include "Maximise.h"
#include "Messages.h"
#include "ToolbarIcons.h"
#include "uDM.h"
#include "uLogin.h"

#include "uCountByDay.h"
#include "uJieZhang.h"
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
using Handler = void (TfrmMain::*)();

struct MenuItem {
    const char* name;
    QString caption;     // "-" is a separator
    Handler handler;     // nullptr: no action
    bool hidden;
};
struct Menu {
    const char* name;
    QString caption;
    QVector<MenuItem> items;
};

QVector<Menu> menuTable()
{
    const QString sep = QStringLiteral("-");
    return {
        {"N1", QStringLiteral("[系统设置]"), {
            {"N23", QStringLiteral("设置记账务年月"), &TfrmMain::N23Click, false},
            {"N35", QStringLiteral("月末结账"), &TfrmMain::N35Click, false},
            {"N28", sep, nullptr, false},
            {"N27", QStringLiteral("操作员设置"), &TfrmMain::N27Click, false},
            {"N29", sep, nullptr, false},
            {"N30", QStringLiteral("数据备份与恢复"), &TfrmMain::N30Click, false},
            {"N32", QStringLiteral("数据初始化"), &TfrmMain::N32Click, false},
            {"N33", sep, nullptr, false},
            {"N34", QStringLiteral("退出"), &TfrmMain::N34Click, false},
        }},
        {"N2", QStringLiteral("[现金日记账]"), {
            {"N5", QStringLiteral("现金日记账"), &TfrmMain::N5Click, false},
            {"N6", sep, nullptr, false},
            {"N7", QStringLiteral("摘要设置"), &TfrmMain::N7Click, false},
            {"N8", sep, nullptr, false},
            {"N9", QStringLiteral("现金统计（按月份）"), &TfrmMain::N9Click, false},
            {"N10", QStringLiteral("现金统计（按摘要）"), &TfrmMain::N10Click, false},
            {"N11", QStringLiteral("现金统计（按凭证号+摘要）"), nullptr, true},
            {"N12", QStringLiteral("现金统计（按天）"), &TfrmMain::N12Click, false},
            {"N21", sep, nullptr, true},
            {"N22", QStringLiteral("现金收入支出统计（按摘要）"), nullptr, true},
        }},
        {"N3", QStringLiteral("[银行日记账]"), {
            {"N13", QStringLiteral("银行日记账"), &TfrmMain::N13Click, false},
            {"N14", sep, nullptr, false},
            {"N15", QStringLiteral("开户银行设置"), &TfrmMain::N15Click, false},
            {"N16", sep, nullptr, false},
            {"N18", QStringLiteral("银行账统计（按月份）"), &TfrmMain::N18Click, false},
            {"N17", QStringLiteral("银行账统计（按摘要）"), &TfrmMain::N17Click, false},
            {"N19", QStringLiteral("银行账统计（按凭证号+摘要）"), nullptr, true},
            {"N20", QStringLiteral("银行账统计（按天）"), &TfrmMain::N20Click, false},
        }},
        {"N4", QStringLiteral("[帮助]"), {
            {"N24", QStringLiteral("帮助"), nullptr, false},
            {"N31", QStringLiteral("在线咨询"), &TfrmMain::N31Click, false},
            {"N26", QStringLiteral("关于"), &TfrmMain::N26Click, false},
        }},
    };
}

struct ToolButton {
    const char* name;
    QString caption;     // empty: a separator
    ToolbarIcons::Kind icon;
    Handler handler;
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
    using ToolbarIcons::Journal, ToolbarIcons::SummaryStatistics, ToolbarIcons::MonthlyStatistics, ToolbarIcons::Exit;
    return {
        {"ToolButton1", QStringLiteral("现金日记账"), Journal, &TfrmMain::N5Click},
        {"ToolButton2", QStringLiteral("现金摘要统计"), SummaryStatistics, &TfrmMain::N10Click},
        {"ToolButton3", QStringLiteral("现金月份统计"), MonthlyStatistics, &TfrmMain::N9Click},
        {"ToolButton4", {}, Journal, nullptr},
        {"ToolButton5", QStringLiteral("银行日记账"), Journal, &TfrmMain::N13Click},
        {"ToolButton6", QStringLiteral("银行摘要统计"), SummaryStatistics, &TfrmMain::N17Click},
        {"ToolButton7", QStringLiteral("银行月份统计"), MonthlyStatistics, &TfrmMain::N18Click},
        {"ToolButton8", {}, Journal, nullptr},
        {"ToolButton9", QStringLiteral("退出"), Exit, &TfrmMain::ToolButton9Click},
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
    showLogin = [this] { openModal(frmLogin, this); };

    // Each command: its menu item, the right it asks and the window it shows.
    commands_ = {
        {QStringLiteral("N23"), QStringLiteral("F1"), [this] { openModal(frmYearMonth, this); }},
        {QStringLiteral("N35"), QStringLiteral("F15"), [this] { openModal(frmJieZhang, this); }},
        {QStringLiteral("N27"), QStringLiteral("F2"), [this] { openModal(frmUser, this); }},
        {QStringLiteral("N30"), QStringLiteral("F3"), [this] { RunBackupRestore(this); }},
        {QStringLiteral("N32"), QStringLiteral("F4"), [this] { openModal(frm_, this); }},
        {QStringLiteral("N5"), QStringLiteral("F5"), [this] { openModal(frmXJRJ, this); }},
        {QStringLiteral("N7"), QStringLiteral("F6"), [this] { openModal(frmZhanYao, this); }},
        {QStringLiteral("N9"), QStringLiteral("F7"), [this] { openModal(frmXJTJ_YearMonth, this); }},
        {QStringLiteral("N10"), QStringLiteral("F8"), [this] { openModal(frmCountByZhanYao, this); }},
        {QStringLiteral("N12"), QStringLiteral("F9"), [this] { openModal(frmCountByDay, this); }},
        {QStringLiteral("N13"), QStringLiteral("F0"), [this] { openModal(frmBankJZ, this); }},
        {QStringLiteral("N15"), QStringLiteral("F11"), [this] { openModal(frmbankInfo, this); }},
        {QStringLiteral("N18"), QStringLiteral("F13"), [this] { openModal(frmbank_yearMonth, this); }},
        {QStringLiteral("N17"), QStringLiteral("F12"), [this] { openModal(frmBankTJByZhanYao, this); }},
        {QStringLiteral("N20"), QStringLiteral("F14"), [this] { openModal(frmBankTJByDay, this); }},
        {QStringLiteral("N31"), QString(), [this] { openModal(frm_OnLineAsk, this); }},
        {QStringLiteral("N26"), QString(), [this] { openModal(frmabout, this); }},
    };

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
            a->setObjectName(QString::fromLatin1(i.name));
            a->setVisible(!i.hidden);
            if (i.handler)
                onSignal(a, &QAction::triggered, this, [this, h = i.handler] { (this->*h)(); });
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
        onSignal(a, &QAction::triggered, this, [this, h = b.handler] { (this->*h)(); });
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

void TfrmMain::setOpen(const QString& name, std::function<void()> open)
{
    for (Command& c : commands_)
        if (c.item == name) {
            c.open = std::move(open);
            return;
        }
    throw AppError(QStringLiteral("没有这个命令：") + name);
}

void TfrmMain::runCommand(const QString& name)
{
    for (const Command& c : commands_) {
        if (c.item != name)
            continue;
        if (!c.right.isEmpty()) {
            rightsAsked << c.right;
            if (!DM->HasRight(c.right)) {
                Messages::current().information(this, QStringLiteral("你没有权限进行操作"));
                return;
            }
        }
        c.open();
        return;
    }
}

void TfrmMain::N5Click() { runCommand(QStringLiteral("N5")); }
void TfrmMain::N7Click() { runCommand(QStringLiteral("N7")); }
void TfrmMain::N9Click() { runCommand(QStringLiteral("N9")); }
void TfrmMain::N10Click() { runCommand(QStringLiteral("N10")); }
void TfrmMain::N12Click() { runCommand(QStringLiteral("N12")); }
void TfrmMain::N13Click() { runCommand(QStringLiteral("N13")); }
void TfrmMain::N15Click() { runCommand(QStringLiteral("N15")); }
void TfrmMain::N17Click() { runCommand(QStringLiteral("N17")); }
void TfrmMain::N18Click() { runCommand(QStringLiteral("N18")); }
void TfrmMain::N20Click() { runCommand(QStringLiteral("N20")); }
void TfrmMain::N23Click() { runCommand(QStringLiteral("N23")); }
void TfrmMain::N27Click() { runCommand(QStringLiteral("N27")); }
void TfrmMain::N35Click() { runCommand(QStringLiteral("N35")); }
void TfrmMain::N30Click() { runCommand(QStringLiteral("N30")); }
void TfrmMain::N32Click() { runCommand(QStringLiteral("N32")); }
void TfrmMain::N26Click() { runCommand(QStringLiteral("N26")); }
void TfrmMain::N31Click() { runCommand(QStringLiteral("N31")); }
void TfrmMain::N34Click() { close(); }
void TfrmMain::ToolButton9Click() { close(); }

void TfrmMain::FormActivate()
{
    if (showLogin)
        showLogin();
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
