// The resources linked into the program: every picture at the size the windows draw it,
// the icon at each size the system asks for, the version the About box shows, and a
// manifest that the loader accepts and that turns on common controls 6.
#include "about/about_box.h"
#include "resource_ids.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct BitmapCase {
    int id;
    int width;
    int height;
};

const std::vector<BitmapCase> Bitmaps = {
    {IDB_BANNER, 263, 39},       {IDB_BANNER_2X, 526, 78}, {IDB_ADD, 16, 16},
    {IDB_DELETE, 16, 16},        {IDB_PROPERTIES, 16, 16}, {IDB_HELP, 16, 16},
    {IDB_HIDE, 16, 16},          {IDB_ADD_2X, 32, 32},     {IDB_DELETE_2X, 32, 32},
    {IDB_PROPERTIES_2X, 32, 32}, {IDB_HELP_2X, 32, 32},    {IDB_HIDE_2X, 32, 32},
};

HINSTANCE self() {
    return GetModuleHandleA(nullptr);
}

TEST(Resources, EveryBitmapLoadsAtItsSizeAndIsNotBlank) {
    for (const BitmapCase& c : Bitmaps) {
        SCOPED_TRACE(c.id);
        auto* bitmap = static_cast<HBITMAP>(
            LoadImageA(self(), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, c.width);
        EXPECT_EQ(info.bmHeight, c.height);
        EXPECT_EQ(info.bmBitsPixel, 24);
        // A picture that rendered to one flat colour has lost its artwork.
        const auto* bits = static_cast<const unsigned char*>(info.bmBits);
        ASSERT_NE(bits, nullptr);
        bool varies = false;
        for (int row = 0; row < info.bmHeight && !varies; ++row) {
            const unsigned char* line = bits + row * info.bmWidthBytes;
            for (int x = 3; x < info.bmWidth * 3 && !varies; ++x)
                varies = line[x] != line[x % 3];
        }
        EXPECT_TRUE(varies);
        DeleteObject(bitmap);
    }
}

TEST(Resources, IconHasAnImageForEverySizeTheSystemAsksFor) {
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        SCOPED_TRACE(size);
        // LookupIconIdFromDirectoryEx names the image the system would choose for the size:
        // an exact match must exist, not a scaled neighbour.
        HRSRC group = FindResourceA(self(), MAKEINTRESOURCEA(IDI_QUIVANTO), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr);
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self(), group)));
        const int imageId =
            LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(self(), MAKEINTRESOURCEA(imageId), RT_ICON);
        ASSERT_NE(image, nullptr);
        auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(self(), image)));
        HICON icon = CreateIconFromResourceEx(bytes, SizeofResource(self(), image), TRUE,
                                              0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        ICONINFO parts{};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP colour{};
        GetObjectA(parts.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
}

std::string versionString(const std::vector<char>& block, const char* name) {
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return "<missing>";
    return std::string(value, length > 0 ? length - 1 : 0);
}

TEST(Resources, VersionResourceNamesTheProductAndTheBuildsVersion) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const quivanto::ProgramVersion version = quivanto::programVersion();
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), version.major);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), version.minor);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), version.revision);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%04d", version.major, version.minor,
                  version.revision);
    EXPECT_EQ(versionString(block, "FileVersion"), text);
    EXPECT_EQ(versionString(block, "ProductVersion"), text);
    EXPECT_EQ(versionString(block, "ProductName"), "Quivanto");
    EXPECT_EQ(versionString(block, "CompanyName"), "Quivanto");
}

// The loader applied the manifest: comctl32 comes from the side-by-side store's version 6,
// not the system folder's version 5. (Wine reports every process DPI aware, so the other
// half of the manifest shows only on Windows.)
TEST(Resources, ManifestSelectsCommonControlsSix) {
    HMODULE controls = LoadLibraryA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(controls, path, MAX_PATH), 0u);
    std::string lower(path);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("microsoft.windows.common-controls"), std::string::npos) << path;
    EXPECT_NE(lower.find("_6.0."), std::string::npos) << path;
}

} // namespace
