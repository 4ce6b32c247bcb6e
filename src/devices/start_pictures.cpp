/** @file start_pictures.cpp The start pictures of the desk and the signal boxes. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "devices/start_pictures_tables.h"
#include "ui/controls.h"
#include "ui/sim_error.h"

namespace core {

namespace {

/** @return the image of this full name; throws SimError when there is no such image. */
ui::Image &imageNamed(const App &app, const char *fullName)
{
    auto *img = dynamic_cast<ui::Image *>(app.control(QLatin1String(fullName)));
    if (!img)
        throw ui::SimError(QStringLiteral("Obrázek %1 neexistuje").arg(QLatin1String(fullName)));
    return *img;
}

} // namespace

void copyStartPictures(App &app)
{
    for (const StartPicture &p : StartPictures)
        imageNamed(app, p.target).assignPicture(imageNamed(app, p.source));
}

} // namespace core
