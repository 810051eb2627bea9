#pragma once

#include "core/message.h"
#include "platform/platform.h"

#include <string>
#include <string_view>

// What the About box says and does, apart from its widgets.
namespace quivanto {

// The program's version, from the build's one version number.
struct ProgramVersion {
    int major;
    int minor;
    int revision;
};
ProgramVersion programVersion();

// "Version " and the numbers as plain decimals: Version 2.5.2.
std::string versionLabel(const ProgramVersion& version);

std::string aboutCaption();

inline constexpr std::string_view AboutDescription =
    "This application allows you to quickly access your favorite programs, folders, documents "
    "and most other file types with a few clicks from your system tray.";
inline constexpr std::string_view CopyrightLine = "Copyright (C) 2002 Quivanto developers";
inline constexpr std::string_view RightsLine =
    "Free software: you may use, copy, change and share it under the terms of its License.";
inline constexpr std::string_view CopyrightWarning =
    "Warning: this program is protected by copyright law. Every copy of it, whole or in part, "
    "must keep the copyright notice and the License.";

// The product's home page, chosen when the program is built.
std::string_view homePage();
std::string websiteLabel();

inline constexpr std::string_view LicenseFileName = "License.txt";

// License.txt in the application directory; the separator is always added.
std::string licensePath(std::string_view applicationDirectory, char separator);

// Opens License.txt from the application directory when it is there as an ordinary file;
// otherwise asks the user to reinstall, and whatever the answer, does nothing more.
void openLicenseAgreement(Platform& platform);
Message licenseMissingMessage();

// Hands the home page to the desktop; whether that worked is not examined.
void openHomePage(Platform& platform);

} // namespace quivanto
