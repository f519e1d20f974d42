#pragma once
// Stands in for the shell's services: records the rights asked and the commands run, logs in
// only when told to and counts the ends of the program instead of ending it.
#include "ShellServices.h"

#include <QStringList>

class FakeShell : public ShellServices {
public:
    FakeShell() { install(this); }
    ~FakeShell() override { install(nullptr); }
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;

    QStringList rightsAsked; // rights columns, in the order asked
    QStringList opened;      // menu items whose command ran; "退出" still closes
    bool realLogin = false;  // show the real login dialog
    int quits = 0;

    void login(QWidget* owner) override
    {
        if (realLogin)
            ShellServices::login(owner);
    }
    bool hasRight(Right right) override
    {
        rightsAsked << rightsColumn(right);
        return ShellServices::hasRight(right);
    }
    void open(Command command, const std::function<void()>& open) override
    {
        if (command == Command::Exit)
            open();
        else
            opened << commandInfo(command).item;
    }
    void quit() override { ++quits; }
};
