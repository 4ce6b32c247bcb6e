/** @file picture_report.cpp The report of stock pictures that the picture store could not load. */
#include "devices/picture_report.h"

#include "devices/form_a3.h"
#include "platform/platform.h"

namespace devices {

void reportPictureLoadErrors(const TA3 &store)
{
    if (store.loadErrors().isEmpty())
        return;
    store.platform().messages.show(QStringLiteral("Některé obrázky zařízení se nepodařilo načíst:\n") +
                                   store.loadErrors().join('\n'));
}

} // namespace devices
