/** @file stock_vehicles.h The timetable window's own vehicle pictures: a locomotive, a coach and the empty slot. */
#pragma once

#include <QImage>

/** @return the default locomotive of every row's picture a, 179 x 64 pixels. */
QImage stockLocomotive();
/** @return the default passenger coach of every row's pictures b and c, 247 x 64 pixels. */
QImage stockCoach();
