#include "ShellServices.h"

#include "WindowRef.h"
#include "uDM.h"
#include "uLogin.h"

#include <QCoreApplication>

namespace {
ShellServices* installed = nullptr;
}

void ShellServices::login(QWidget* owner) { openModal(frmLogin, owner); }

bool ShellServices::hasRight(Right right) { return DM->HasRight(right); }

void ShellServices::open(Command, const std::function<void()>& open) { open(); }

void ShellServices::quit() { QCoreApplication::exit(0); }

ShellServices& ShellServices::current()
{
    static ShellServices own;
    return installed ? *installed : own;
}

void ShellServices::install(ShellServices* s) { installed = s; }
