/** @file form_a5.cpp The station track view A5. */
#include "trackview/form_a5.h"

#include "frame/track_view_panel.h"

TA5::TA5(platform::Platform &platform) : ui::Form(QStringLiteral("A5"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-1, -6, 746, 559));
    frame.D5->setColor(QColor(0, 128, 0));
    buildTrackModel(*this, frame.D5, tracks);
    buildWorkplaceOverlay(*this, frame);
    frame::buildTrackViewPanel(*this);
}
