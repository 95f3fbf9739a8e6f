# What every target of the Windows side shares: the program's and the Word
# server's. Included once by whichever CMakeLists.txt is the top level.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

set(TESSARO_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
add_library(tessaro_options INTERFACE)
target_compile_definitions(tessaro_options INTERFACE
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN STRICT_TYPED_ITEMIDS
  _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_options(tessaro_options INTERFACE -Wall -Wextra -Werror=return-type)
# common/ holds what the programs share: the Windows owners and the contracts.
target_include_directories(tessaro_options INTERFACE ${TESSARO_ROOT}/common)
# windres reads the UTF-8 resource script with the right code page.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
