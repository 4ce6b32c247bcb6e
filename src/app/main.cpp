/** @file main.cpp Starts Kamenná: the launcher A0 on the real platform, the other forms once it is shown, the event loop. */
#include "app/program_start.h"
#include "core/app.h"
#include "frame/form_a0.h"
#include "platform/helper_process.h"
#include "platform/picture_reader.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "view/front.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    /* Before any helper starts, which a file or a library of the data directory may take over. */
    platform::closeProcessFilesToHelpers();
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kobrant ŽST Kamenná"));

    platform::QtPlatform real;
    App app(real.platform);
    /* The menu's measures come from the screen's size at start. */
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        app.ScreenWidth = screen->size().width();
        app.ScreenHeight = screen->size().height();
    }
    app.currentScreen = [] {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    };
    view::Front front(app);
    app.onQuit = [] { QApplication::quit(); };
    /* The launcher first; the other forms follow once it is on the screen. */
    app::ProgramStart start(app, front);
    /* The picture reader starts once the player has the program, beside nothing he waits for; the first train's
       pictures come long after. */
    start.onReady = [] { platform::PictureReader::instance().start(); };
    start.begin();
    return QApplication::exec();
}
