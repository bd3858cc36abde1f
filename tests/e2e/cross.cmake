# The cross build's part of the end-to-end tests: the launcher that the
# native wine tests start quillet.exe from (wine_e2e_test.cpp), and a check of
# the version resource under wine.
add_executable(launcher_win launcher_win.cpp)

add_executable(version_resource_test version_resource_win.cpp)
string(REPLACE ";" "\\;" VERSION_TEST_NOTICE "${QUILLET_NOTICE}")
target_compile_definitions(version_resource_test PRIVATE
  "QUILLET_NOTICE=\"${VERSION_TEST_NOTICE}\"")
target_link_libraries(version_resource_test PRIVATE version GTest::gtest)
add_test(NAME version_resource COMMAND version_resource_test $<TARGET_FILE:quillet>)
