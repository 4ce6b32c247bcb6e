/** @file picture_report.h The report of stock pictures that the picture store could not load. */
#pragma once

class TA3;

namespace devices {

/**
 * Shows one message box listing the pictures that the store could not
 * load; shows nothing when it loaded them all. The program goes on either
 * way: the store holds a blank of the right size for each missing one.
 */
void reportPictureLoadErrors(const TA3 &store);

} // namespace devices
