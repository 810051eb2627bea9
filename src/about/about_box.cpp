#include "about/about_box.h"

namespace quivanto {

ProgramVersion programVersion() {
    return {QUIVANTO_VERSION_MAJOR, QUIVANTO_VERSION_MINOR, QUIVANTO_VERSION_PATCH};
}

std::string versionLabel(const ProgramVersion& version) {
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

std::string aboutCaption() {
    return "About " + std::string(ApplicationTitle);
}

std::string_view homePage() {
    return QUIVANTO_HOMEPAGE;
}

std::string websiteLabel() {
    return "Click here to visit the Quivanto web site at " + std::string(homePage()) +
           " for more information.";
}

std::string licensePath(std::string_view applicationDirectory, char separator) {
    std::string path(applicationDirectory);
    path += separator;
    path += LicenseFileName;
    return path;
}

void openLicenseAgreement(Platform& platform) {
    const std::string path = licensePath(platform.applicationDirectory(), platform.pathSeparator());
    if (platform.isOrdinaryFile(path)) {
        platform.openRequest(path);
        return;
    }
    const Message message = licenseMissingMessage();
    platform.messageBox(message.text, message.title, message.style);
}

Message licenseMissingMessage() {
    return {"The License file could not be found. Please reinstall Quivanto.",
            "Quivanto - File could not be found error!", ConfirmationStyle};
}

void openHomePage(Platform& platform) {
    platform.openRequest(std::string(homePage()));
}

} // namespace quivanto
