# Shared compile settings for every target of the project.
function(tessaril_configure_target target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast)
  if(TESSARIL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 reports -Wrestrict on std::string concatenation inside libstdc++ at -O2 and above
  # (GCC bug 105329), a false positive that would otherwise stop every optimised build.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(TESSARIL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${TESSARIL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${TESSARIL_SANITIZE})
  endif()
  # The fuzzers are guided by the coverage of the code they reach, which lives in the libraries.
  if(TESSARIL_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# A library made of every .cpp below the current source directory.
function(tessaril_add_library target)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A library whose first file has not landed yet still links.
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${target}Empty.cpp "")
    set(sources ${CMAKE_CURRENT_BINARY_DIR}/${target}Empty.cpp)
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/Sources)
  tessaril_configure_target(${target})
  if(TESSARIL_SANITIZE)
    target_link_options(${target} INTERFACE -fsanitize=${TESSARIL_SANITIZE})
  endif()
endfunction()
