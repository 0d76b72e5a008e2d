# Windows programs of a cross build run under Wine: tests, test discovery and the sample runs go
# through build-folder/wine-run, which keeps a private Wine prefix in the build folder and needs
# no display.
find_program(KELDAR_WINE_PROGRAM wine)
if(NOT KELDAR_WINE_PROGRAM)
  message(STATUS "Wine not found: the Windows tests cannot run on this machine")
  return()
endif()
set(KELDAR_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                   WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
