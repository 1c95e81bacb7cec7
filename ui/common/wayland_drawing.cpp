#include "wayland_drawing.h"

#include <QByteArray>
#include <QString>
#include <QVersionNumber>
#include <QtGlobal>

namespace vitayear::ui {
namespace {

QtMessageHandler previous = nullptr;

// Qt says it did not load the integration we asked it not to load; that is
// no news to anybody. Every other message goes on as before.
void DropOurOwnChoice(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const bool wayland = context.category && QByteArray(context.category) == "qt.qpa.wayland";
  if (wayland && (text.startsWith(QLatin1String("Failed to load client buffer integration: \"none\"")) ||
                  text.startsWith(QLatin1String("Available client buffer integrations:"))))
    return;
  previous(type, context, text);
}

}  // namespace

void DrawWithoutGlOnWayland() {
  if (qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION")) return;
  // Qt's Wayland client draws its own decorations without a buffer
  // integration only from 6.8 on.
  if (QVersionNumber::fromString(QLatin1String(qVersion())) < QVersionNumber(6, 8)) return;
  qputenv("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "none");
  previous = qInstallMessageHandler(DropOurOwnChoice);
}

}  // namespace vitayear::ui
