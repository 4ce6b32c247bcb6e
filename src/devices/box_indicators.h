/** @file box_indicators.h The signs of the signal boxes that the dispatcher's desk sets: route labels, tablets, permission lamps. */
#pragma once

class TA7;
class TA8;

namespace devices {

/**
 * Creates on signal box 1 the route labels `CisloB1` .. `CisloM7` (hidden),
 * the drop tablets `DestickaA`, `DestickaB` with their handles (raised) and
 * the call-on permission lamps `PNL2`, `PNML2` (dark).
 */
void buildBox1Indicators(TA7 &a7);

/**
 * Creates on signal box 2 the route labels `CisloCH1` .. `CisloCH7`
 * (hidden), the drop tablet `DestickaA` with its handle (raised) and the
 * call-on permission lamp `G7` (dark).
 */
void buildBox2Indicators(TA8 &a8);

} // namespace devices
