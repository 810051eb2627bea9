# The program's version, in one place for every build.
set(QUIVANTO_VERSION 2.5.2)

# The decisions layer: standard C++ only, built for Linux by the top project and for
# Windows by windows/CMakeLists.txt. Paths are relative to the repository root; add new
# decisions files here and both builds pick them up.
set(QUIVANTO_DECISIONS_SOURCES
  src/about/about_box.cpp
  src/about/sys_info.cpp
  src/about/sys_info_tools.cpp
  src/commands/command_messages.cpp
  src/commands/drop_decision.cpp
  src/commands/failure_code.cpp
  src/commands/key_table.cpp
  src/commands/launch_decision.cpp
  src/commands/remove_decision.cpp
  src/core/item_line.cpp
  src/core/list_file.cpp
  src/core/list_window_geometry.cpp
  src/core/message.cpp
  src/core/row_order.cpp
  src/core/text_units.cpp
  src/core/tray_policy.cpp
  src/dialogs/add_item_rules.cpp
  src/dialogs/browse_paths.cpp
  src/dialogs/folder_listing.cpp
  src/dialogs/properties_rules.cpp
)

# What the decisions layer is told at build time: the version and the product's web site.
set(QUIVANTO_HOMEPAGE "https://quivanto.example.org" CACHE STRING
    "The product web site that the About box opens")
function(quivanto_decisions_definitions target)
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
