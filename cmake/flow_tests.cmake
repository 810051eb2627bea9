# The flow tests, built for Linux by tests/CMakeLists.txt and for Windows by
# tests/windows/CMakeLists.txt. Sources are tests/flow/<name>.cpp.
set(QUIVANTO_FLOW_TESTS
  test_dialog_flows
  test_keyboard_flows
  test_list_command_flows
  test_list_window_flow
  test_strip_and_about_flows
  test_text_encoding
)
