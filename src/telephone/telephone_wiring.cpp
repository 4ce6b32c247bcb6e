/** @file telephone_wiring.cpp Wiring of the telephone's handlers to the desk A6. */
#include "telephone/telephone_handlers.h"

#include "core/app.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"

namespace telephone {

void wireA6(App &app)
{
    TA6 &a6 = app.A6();
    for (Line line : Lines) {
        ui::Image *key = lineKey(app, line);
        key->assignPicture(*app.A3().TelBilaOff);
        key->onClick = [&app, line] { LineKeyClick(app, line); };
    }
    a6.I4->onClick = [&app] { I4Click(app); };
    a6.I5->onClick = [&app] { I5Click(app); };
    a6.I6->onClick = [&app] { I6Click(app); };
    a6.E1->onClick = [&app] { E1Click(app); };
    a6.E2->onMouseDown = [&app](ui::MouseButton, ui::ShiftState, int, int) { E2MouseDown(app); };
    a6.E2->onMouseUp = [&app](ui::MouseButton, ui::ShiftState, int, int) { E2MouseUp(app); };
    a6.G2->onClick = [&app] { G2Click(app); };
    a6.G4->onChange = [&app] { G4Change(app); };
    a6.G5->onClick = [&app] { G5Click(app); };
    a6.G6->onClick = [&app] { G6Click(app); };
    for (int row = 1; row <= 16; ++row)
        a6.TrainLabels[row - 1]->onClick = [&app, row] { TrainLabelClick(app, row); };
}

} // namespace telephone
