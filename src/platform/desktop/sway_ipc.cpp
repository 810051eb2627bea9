#include "platform/desktop/sway_ipc.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quivanto::desktop {
namespace {

constexpr int RunCommand = 0;
constexpr int GetWorkspaces = 1;
constexpr qsizetype HeaderSize = 14; // "i3-ipc", payload length, type

QByteArray swayMessage(int type, const QByteArray& payload) {
    const auto length = static_cast<std::uint32_t>(payload.size());
    const auto kind = static_cast<std::uint32_t>(type);
    QByteArray message("i3-ipc");
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&kind), sizeof kind);
    message.append(payload);
    return message;
}

// The answer's payload, once all of it has come.
QByteArray readAnswer(int fd) {
    QByteArray answer;
    pollfd readable{fd, POLLIN, 0};
    char buffer[4096];
    while (::poll(&readable, 1, 500) == 1) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        answer.append(buffer, got);
        std::uint32_t length = 0;
        if (answer.size() >= HeaderSize)
            std::memcpy(&length, answer.constData() + 6, sizeof length);
        if (answer.size() >= HeaderSize && answer.size() >= HeaderSize + qsizetype(length))
            return answer.mid(HeaderSize, length);
    }
    return {};
}

} // namespace

QByteArray swaySocket() {
    const char* path = std::getenv("SWAYSOCK");
    return path != nullptr ? QByteArray(path) : QByteArray();
}

QJsonDocument swayRequest(const QByteArray& socket, int type, const QByteArray& payload) {
    sockaddr_un address{};
    if (socket.isEmpty() || static_cast<std::size_t>(socket.size()) >= sizeof address.sun_path)
        return {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socket.constData(), static_cast<std::size_t>(socket.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return {};
    const QByteArray message = swayMessage(type, payload);
    QByteArray answer;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::write(fd, message.constData(), static_cast<std::size_t>(message.size())) ==
            message.size())
        answer = readAnswer(fd);
    ::close(fd);
    return QJsonDocument::fromJson(answer);
}

bool runSwayCommand(const QByteArray& socket, const QByteArray& command) {
    const QJsonArray results = swayRequest(socket, RunCommand, command).array();
    return !results.isEmpty() &&
           results.first().toObject().value(QStringLiteral("success")).toBool();
}

std::optional<QRect> swayWorkArea(const QByteArray& socket) {
    const QJsonArray workspaces = swayRequest(socket, GetWorkspaces, {}).array();
    for (const QJsonValue& workspace : workspaces) {
        if (!workspace.toObject().value(QStringLiteral("focused")).toBool())
            continue;
        const QJsonObject rect = workspace.toObject().value(QStringLiteral("rect")).toObject();
        return QRect(rect.value(QStringLiteral("x")).toInt(),
                     rect.value(QStringLiteral("y")).toInt(),
                     rect.value(QStringLiteral("width")).toInt(),
                     rect.value(QStringLiteral("height")).toInt());
    }
    return std::nullopt;
}

} // namespace quivanto::desktop
