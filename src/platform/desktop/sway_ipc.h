#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QRect>

#include <optional>

// Sway's command socket (named by SWAYSOCK in its session): what sway tells and does for
// a program that runs through XWayland, where the X server knows nothing of the bar.
namespace quivanto::desktop {

// The socket of the sway session the program runs in; empty elsewhere.
QByteArray swaySocket();

// One request of sway's socket protocol and its answer; a null document when sway did not
// answer. Short waits: sway answers at once or not at all.
QJsonDocument swayRequest(const QByteArray& socket, int type, const QByteArray& payload);

// Runs a command; true when sway did it to some window.
bool runSwayCommand(const QByteArray& socket, const QByteArray& command);

// The room the bars leave on the output of the focused workspace, in sway's layout (XWayland's
// screen coordinates).
std::optional<QRect> swayWorkArea(const QByteArray& socket);

} // namespace quivanto::desktop
