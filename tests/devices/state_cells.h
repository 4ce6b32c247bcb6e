/** @file state_cells.h Writing the state store's cells in device tests, as the desk, the block or a train would. */
#pragma once

#include "harness/harness.h"

#include <initializer_list>
#include <utility>

namespace state_cells {

/** Writes values of spin edits by name. */
inline void setFields(Harness &h, std::initializer_list<std::pair<const char *, int>> fields)
{
    for (auto [name, value] : fields)
        h.as<ui::SpinEdit>(QLatin1String(name)).setValue(value);
}

/** Writes words of edits by name: aspect words, the crossing's state, track circuits. */
inline void setWords(Harness &h, std::initializer_list<std::pair<const char *, const char *>> words)
{
    for (auto [name, word] : words)
        h.as<ui::Edit>(QLatin1String(name)).setText(QString::fromUtf8(word));
}

} // namespace state_cells
