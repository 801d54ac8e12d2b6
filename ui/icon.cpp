#include "ui/icon.h"

#include <QtGlobal>

static void loadOrviaResources() {
    Q_INIT_RESOURCE(orvia);
}

namespace orvia::ui {

QIcon applicationIcon() {
    static const bool loaded = (loadOrviaResources(), true);
    (void)loaded;
    return QIcon(QStringLiteral(":/orvia/orvia.png"));
}

}  // namespace orvia::ui
