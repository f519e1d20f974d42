#pragma once
// The main window: menus, toolbar, background picture and status bar; the login at first
// display; and the one gate every command goes through.
#include <QImage>
#include <QMainWindow>
#include <QStringList>
#include <QVector>
#include <functional>

class ClockPane;
class QAction;
class QLabel;
class QToolBar;

// Creates the window behind `ref` on first use, owned by `owner`, and shows it modally.
template <class Window>
void openModal(Window*& ref, QWidget* owner)
{
    if (!ref)
        ref = new Window(owner);
    ref->exec();
}

// The background picture at `path`: an empty image when the file is not there; AppError naming
// the file when it is there but cannot be read as a picture.
QImage loadBackgroundPicture(const QString& path);

// The picture between the toolbar and the status bar, stretched to fill its place.
class BackgroundImage : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundImage(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    QImage picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // One handler per command; the toolbar buttons run the handler of their menu item.
    void N5Click();
    void N7Click();
    void N9Click();
    void N10Click();
    void N12Click();
    void N13Click();
    void N15Click();
    void N17Click();
    void N18Click();
    void N20Click();
    void N23Click();
    void N27Click();
    void N35Click(); // 月末结账
    void N30Click();
    void N32Click();
    void N26Click();
    void N31Click();
    void N34Click();
    void ToolButton9Click();

    // Shows the login dialog, then the operator who is now logged in.
    void FormActivate();
    void updateOperatorPane();
    // Loads the background from `path`; an unreadable file raises AppError and leaves it empty.
    void loadBackground(const QString& path);

    // A menu item ("N1" .. "N34", separators included) or toolbar button ("ToolButton1" ..
    // "ToolButton9") by its name; nullptr when there is none.
    QAction* item(const QString& name) const;
    // Every menu item's name in menu order, then every toolbar button's.
    QStringList itemNames() const { return itemNames_; }
    // Replaces what the command of menu item `name` opens once its right is granted.
    void setOpen(const QString& name, std::function<void()> open);

    // The rights columns asked so far, in order.
    QStringList rightsAsked;
    // Runs the login step; by default creates the login dialog once and shows it modally.
    std::function<void()> showLogin;

    QToolBar* ToolBar1;
    BackgroundImage* Image1;
    QLabel* RzStatusPane2;
    QLabel* RzStatusPane1;
    ClockPane* RzClockStatus1;
    QLabel* RzStatusPane3;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Command {
        QString item;                  // the menu item whose handler this is
        QString right;                 // the tuser column asked; empty: open for everyone
        std::function<void()> open;    // what the command shows once allowed
    };
    void FormCreate();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void runCommand(const QString& item);

    QVector<Command> commands_;
    QStringList itemNames_;
    bool loginScheduled_ = false;
};

extern TfrmMain* frmMain;
