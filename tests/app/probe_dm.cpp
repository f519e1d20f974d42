// Opens the database the way the program does (the data module, then the first query) and
// prints which file it opened and how many operators it holds. Used by test_program_dir, which
// copies this program into other folders and starts it from elsewhere.
#include "AppError.h"
#include "Application.h"
#include "Connection.h"
#include "uDM.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(appTitle()); // the data folder is named after the program, as in main
    DM = new TDM(&app);
    std::printf("%s\n", DM->DatabasePath().toUtf8().constData());
    try {
        const int operators = Connection::instance().scalar(QStringLiteral("SELECT count(*) FROM tuser")).toInt();
        std::printf("%d\n", operators);
    } catch (const AppError& e) {
        std::printf("error: %s\n", e.what());
        return 1;
    }
    return 0;
}
