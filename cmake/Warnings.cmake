# SPDX-License-Identifier: GPL-2.0-or-later
# Warning flags shared by every target of the project.
function(brelvo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  # GCC 12's optimiser reports false "maybe uninitialized" on std::optional of Qt types, and
  # at -O3 a false "restrict" overlap inside std::string's own appends.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized -Wno-restrict)
  endif()
  if(BRELVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library made of every source file in the calling folder.
function(brelvo_folder_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
    return()
  endif()
  brelvo_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Link a folder library to the libraries it uses, whether it has sources yet or not.
function(brelvo_link name)
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()

# A Qt face: every *.cpp of the folder except main.cpp becomes library <lib>; main.cpp, when
# present, becomes program <program> linked to it. Strict Qt string defines on Qt targets only.
function(brelvo_qt_folder lib program)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB resources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(sources)
    add_library(${lib} STATIC ${sources} ${headers} ${resources})
    brelvo_warnings(${lib})
    set_target_properties(${lib} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${lib} PUBLIC QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
  else()
    add_library(${lib} INTERFACE)
  endif()
  if(program AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    add_executable(${program} main.cpp)
    brelvo_warnings(${program})
    target_link_libraries(${program} PRIVATE ${lib})
    install(TARGETS ${program} RUNTIME DESTINATION bin)
  endif()
endfunction()
