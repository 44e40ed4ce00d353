# Build helpers shared by every folder.

function(lorvane_setup_toolchain)
  set(warn -Wall -Wextra -Wno-unused-parameter)
  if(WIN32)
    # Link zlib into the executables rather than beside them.
    set(zlib ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
    add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX)
    # The class library's NULL-safe members (GetSafeHwnd, GetSafeHdc...) are called through NULL
    # pointers by design: the optimiser must not conclude from such a call that the pointer is set.
    add_compile_options(${warn} -O2 -g0 -fno-delete-null-pointer-checks)
    # One self-contained executable: no libgcc, libstdc++ or winpthread DLLs.
    add_link_options(-static -static-libgcc -static-libstdc++)
    set(LORVANE_TEST_RUNNER "${CMAKE_BINARY_DIR}/wine-exec" CACHE INTERNAL "")
    configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-exec.in ${CMAKE_BINARY_DIR}/wine-exec
      @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
      WORLD_READ WORLD_EXECUTE)
  elseif(LORVANE_RELEASE)
    # x86-64 host code with the Windows widths, optimised and without
    # sanitizers: the benchmarks only, beside peers built the same way.
    add_compile_options(${warn} -O2 -g0 -fno-delete-null-pointer-checks)
    add_compile_definitions(NDEBUG LORVANE_NATIVE=1)
    set(LORVANE_TEST_RUNNER "" CACHE INTERNAL "")
  elseif(LORVANE_NATIVE OR LORVANE_FUZZ)
    # x86-64 host code with the Windows widths of classlib/Types.h; programs
    # run directly under ASan, UBSan and LeakSanitizer.
    set(san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    if(LORVANE_FUZZ)
      # libFuzzer's hooks in the libraries; the targets add the driver.
      list(APPEND san -fsanitize=fuzzer-no-link)
    endif()
    add_compile_options(${warn} -O1 -g ${san})
    add_compile_definitions(_DEBUG LORVANE_NATIVE=1 LORVANE_UBSAN=1)
    add_link_options(${san})
    set(LORVANE_TEST_RUNNER "" CACHE INTERNAL "")
  else()
    message(FATAL_ERROR "Configure with the mingw toolchain file, -DLORVANE_NATIVE=ON, -DLORVANE_RELEASE=ON or -DLORVANE_FUZZ=ON (see scripts/)")
  endif()
  if(WIN32)
    set(ZLIB_LIBRARY ${zlib} CACHE FILEPATH "" FORCE)
    set(ZLIB_LIBRARY_RELEASE ${zlib} CACHE FILEPATH "" FORCE)
  endif()
  find_package(ZLIB REQUIRED)
endfunction()

function(lorvane_setup_googletest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # gtest's own code is not ours to keep warning-free.
  target_compile_options(gtest PRIVATE -w)
endfunction()

# Sources of a library: every .cpp/.c below its folders; "win" subfolders only
# in the Windows build.
function(lorvane_collect_sources out)
  set(srcs)
  foreach(d ${ARGN})
    file(GLOB_RECURSE s CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/${d}/*.cpp ${CMAKE_SOURCE_DIR}/${d}/*.c)
    list(APPEND srcs ${s})
  endforeach()
  if(NOT WIN32)
    list(FILTER srcs EXCLUDE REGEX "/win/")
  endif()
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# lorvane_add_library(name DIRS dir... [DEPS target...])
function(lorvane_add_library name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS" ${ARGN})
  lorvane_collect_sources(srcs ${A_DIRS})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# lorvane_add_tests(name DIRS dir... LIBS target...): one GoogleTest
# executable for the folders, registered with CTest.
function(lorvane_add_tests name)
  cmake_parse_arguments(A "" "" "DIRS;LIBS" ${ARGN})
  lorvane_collect_sources(srcs ${A_DIRS})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs} ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_LIBS} gtest)
  add_test(NAME ${name} COMMAND ${LORVANE_TEST_RUNNER} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(WIN32)
    # All test programs share one Wine desktop: a window of one process takes
    # the activation, and with it the focus, from another's. Programs with
    # window tests therefore never run at the same time.
    foreach(dir ${A_DIRS})
      if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${dir}/win)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
      endif()
    endforeach()
  endif()
  if(LORVANE_NATIVE)
    # Slow tests are named DISABLED_*: the native build runs them too, as a
    # test of their own so that they run beside the rest.
    add_test(NAME ${name}_slow COMMAND $<TARGET_FILE:${name}>
      --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_*:*/DISABLED_*)
    set_tests_properties(${name}_slow PROPERTIES TIMEOUT 600 COST 1000)
  endif()
endfunction()
