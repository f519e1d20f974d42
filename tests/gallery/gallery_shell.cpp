// Gallery scenes of the application shell: the login dialog and the main window, with and
// without a background picture.
#include "Gallery.h"
#include "ShellServices.h"
#include "uLogin.h"
#include "uMain.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>

namespace {
// The gallery shows the login dialog as a scene of its own, not at the main window's display.
class NoLogin : public ShellServices {
public:
    void login(QWidget*) override {}
};

TfrmMain* mainWindow()
{
    static NoLogin noLogin;
    ShellServices::install(&noLogin);
    auto* w = new TfrmMain;
    w->setWindowState(Qt::WindowNoState);
    return w;
}

const bool login = Gallery::add({QStringLiteral("shell_login"), [] { return new TfrmLogin(nullptr); }, {},
                                 [](QWidget* w) {
                                     auto* dlg = static_cast<TfrmLogin*>(w);
                                     dlg->ComboBox1->setEditText(QStringLiteral("admin"));
                                     dlg->Edit2->setText(QStringLiteral("12345"));
                                 }});

const bool main = Gallery::add({QStringLiteral("shell_main"), [] { return mainWindow(); }, QSize(1280, 800), {}});

const bool background = Gallery::add({QStringLiteral("shell_main_background"), [] {
    TfrmMain* w = mainWindow();
    QImage picture(640, 400, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient g(0, 0, 640, 400);
    g.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    g.setColorAt(1, QColor(0x9c, 0xc3, 0xe6));
    p.fillRect(picture.rect(), g);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(28);
    p.setFont(f);
    p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("现金日记账 · 银行日记账"));
    p.end();
    const QString file = QDir::temp().filePath(QStringLiteral("zz_gallery_Main.jpg"));
    picture.save(file, "JPG");
    w->loadBackground(file);
    QFile::remove(file);
    return w;
}, QSize(1280, 800), {}});
} // namespace
