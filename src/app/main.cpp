// Program entry: the application object, the data module, the main window, the message loop.
#include "Application.h"
#include "uDM.h"
#include "uMain.h"
#include "Startup.h"
#include "SafetyCopies.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    prepareLookAndLanguage(app);
    DM = new TDM(&app);
    TfrmMain main;
    main.showMaximized();
    const int result = app.exec();
    // A normal end leaves a safety copy of the books; a failure is told and the program still ends.
    SafetyCopies::atNormalEnd();
    return result;
}
