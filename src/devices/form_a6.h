/** @file form_a6.h The dispatcher's desk A6. */
#pragma once

#include "frame/workplace_frame.h"

/** The dispatcher's desk: telephone, block instruments, levers and keys. */
class TA6 : public ui::Form {
public:
    explicit TA6(platform::Platform &platform);

    WorkplaceFrame frame; ///< The workplace frame; its D5 holds the desk.
    ui::Image *TelLom;    ///< Desk picture that belongs to the Horní Lom names of line A.
    ui::Memo *G1;         ///< Telephone memo.
    ui::ListBox *G2;      ///< The list of messages the player can say.
};
