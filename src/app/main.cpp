// Program entry: the application object, the data module, the main window, the message loop.
#include "Application.h"
#include "uDM.h"
#include "uMain.h"
#include "Startup.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    prepareLookAndLanguage(app);
    DM = new TDM(&app);
    TfrmMain main;
    main.showMaximized();
    return app.exec();
}
