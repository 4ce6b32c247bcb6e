/** @file qt_app.h The one QApplication that the widget tests share. */
#pragma once

#include <QApplication>

/**
 * @return the test program's QApplication, created on first use (the
 * tests run on the offscreen platform that CTest sets). Null when another
 * test already made a non-widget application object.
 */
inline QApplication *qtApp()
{
    static QApplication *app = [] {
        if (QCoreApplication::instance())
            return qobject_cast<QApplication *>(QCoreApplication::instance());
        static int argc = 1;
        static char name[] = "kamenna_tests";
        static char *argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return app;
}
