// What the operator does to a dialog's controls, as the view reports it to the model.
#pragma once

#include <string>

#include "console/dialog_model.h"

namespace orvia::testing {

inline void type(DialogModel& d, int id, const std::string& text) {
    d.viewState(id).text = text;
    d.command(id);
}
inline void step(DialogModel& d, int id, int delta) {
    d.viewState(id).step = delta;
    d.command(id);
}
inline void slide(DialogModel& d, int id, int position) {
    d.viewState(id).position = position;
    d.command(id);
}
inline void click(DialogModel& d, int id, bool checked) {
    d.viewState(id).checked = checked;
    d.command(id);
}
inline void choose(DialogModel& d, int id) {
    d.checkRadio(id);
    d.command(id);
}
inline void select(DialogModel& d, int id, int index) {
    d.viewState(id).selection = index;
    d.command(id);
}

}  // namespace orvia::testing
