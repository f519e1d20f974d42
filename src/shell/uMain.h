#pragma once
// The main window: menus, toolbar, background picture and status bar; the login at first
// display; and the one gate every command goes through.
#include "Commands.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>

class ClockPane;
class QAction;
class QLabel;
class QToolBar;

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

    // Runs a command once its right is granted; menu items and toolbar buttons come here.
    void run(Command command);

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
    QToolBar* ToolBar1;
    BackgroundImage* Image1;
    QLabel* RzStatusPane2;
    QLabel* RzStatusPane1;
    ClockPane* RzClockStatus1;
    QLabel* RzStatusPane3;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void trigger(QAction* action, Command command);
    // What the command shows once allowed.
    void open(Command command);

    QStringList itemNames_;
    bool loginScheduled_ = false;
};

extern TfrmMain* frmMain;
