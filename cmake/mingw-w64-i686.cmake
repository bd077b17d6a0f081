# The 32-bit Windows build: for 32-bit Windows 7 to 10, and Windows 10 on ARM,
# which cannot run x64 programs.
set(VELMORA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
