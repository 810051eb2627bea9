# The decisions layer: standard C++ only, built for Linux by the top project and for
# Windows by windows/CMakeLists.txt. Paths are relative to the repository root; add new
# decisions files here and both builds pick them up.
set(QUIVANTO_DECISIONS_SOURCES
  src/core/item_line.cpp
  src/core/list_file.cpp
  src/core/list_window_geometry.cpp
  src/core/message.cpp
  src/core/row_order.cpp
  src/core/text_units.cpp
  src/core/tray_policy.cpp
)
