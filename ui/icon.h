// The application icon (resources/orvia.png), for windows and the dialogs' icon.
#pragma once

#include <QIcon>

namespace orvia::ui {

QIcon applicationIcon();

}  // namespace orvia::ui
