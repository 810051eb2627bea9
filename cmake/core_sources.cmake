# The program's version, in one place for every build.
set(QUIVANTO_VERSION 2.5.2)

# The shared core: decisions and flows, standard C++ only, built for Linux by the top
# project and for Windows by windows/CMakeLists.txt. Paths are relative to the repository
# root; add new core files here and both builds pick them up.
set(QUIVANTO_CORE_SOURCES
  src/about/about_box.cpp
  src/about/form4.cpp
  src/about/sys_info.cpp
  src/about/text_fit.cpp
  src/commands/command_messages.cpp
  src/commands/command_strip.cpp
  src/commands/drop_decision.cpp
  src/commands/failure_code.cpp
  src/commands/key_table.cpp
  src/commands/launch_decision.cpp
  src/commands/list_commands.cpp
  src/commands/remove_decision.cpp
  src/commands/type_to_find.cpp
  src/list_window/form1.cpp
  src/core/item_line.cpp
  src/core/list_file.cpp
  src/core/list_window_geometry.cpp
  src/core/message.cpp
  src/core/row_order.cpp
  src/core/shortcut_keys.cpp
  src/core/text_units.cpp
  src/core/tray_anchor.cpp
  src/core/tray_policy.cpp
  src/dialogs/add_item_rules.cpp
  src/dialogs/browse_paths.cpp
  src/dialogs/folder_listing.cpp
  src/dialogs/form2.cpp
  src/dialogs/form3.cpp
  src/dialogs/properties_rules.cpp
)

# File queries through the standard library: the Linux back end and the fake platform use
# them; the Windows program does not link them (they would bring the C++ locale machinery
# and twice its size).
set(QUIVANTO_STANDARD_FILES_SOURCES src/platform/standard_files.cpp)

# The system information tool's registry look-up: the Windows back end makes it; the Linux
# tests check it on a registry of their own.
set(QUIVANTO_SYS_INFO_REGISTRY_SOURCES src/platform/sys_info_registry.cpp)

# What the core is told at build time: the version and the product's web site.
set(QUIVANTO_HOMEPAGE "https://quivanto.example.org" CACHE STRING
    "The product web site that the About box opens")
function(quivanto_core_definitions target)
  string(REPLACE "." ";" parts "${QUIVANTO_VERSION}")
  list(GET parts 0 major)
  list(GET parts 1 minor)
  list(GET parts 2 patch)
  target_compile_definitions(${target} PRIVATE
    QUIVANTO_VERSION_MAJOR=${major}
    QUIVANTO_VERSION_MINOR=${minor}
    QUIVANTO_VERSION_PATCH=${patch}
    QUIVANTO_HOMEPAGE="${QUIVANTO_HOMEPAGE}")
endfunction()
