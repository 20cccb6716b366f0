# Cross-building the Windows programs for 32-bit Windows (x86) with Debian's mingw-w64.
#
# Doubles in SSE2 registers, as on x86-64: the x87 unit's 80-bit intermediates would round
# the engine's sums differently from the 64-bit programs. Every processor 32-bit Windows 8
# and later runs on has SSE2.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ORBELLE_MINGW i686-w64-mingw32)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
