#include "uMain.h"

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("岚拓davizizidu-企业版"));
}
