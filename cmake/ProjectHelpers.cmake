# Shared helpers for the project's targets.

# One precompiled header (the platform and the standard library), built once by project_pch and
# reused by every library of the project.
function(project_use_pch TARGET)
    target_precompile_headers(${TARGET} REUSE_FROM project_pch)
endfunction()

# project_library(NAME [DEPS libs...] [PATTERNS globs...]): a static library of the calling folder's
# sources that match PATTERNS (by default *.cpp), linking DEPS; an interface library carrying the
# include paths and DEPS when nothing matches.
function(project_library NAME)
    cmake_parse_arguments(PL "" "" "DEPS;PATTERNS" ${ARGN})
    if(NOT PL_PATTERNS)
        set(PL_PATTERNS "*.cpp")
    endif()
    set(srcs)
    foreach(p IN LISTS PL_PATTERNS)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${p})
        list(APPEND srcs ${found})
    endforeach()
    list(REMOVE_DUPLICATES srcs)
    if(srcs)
        add_library(${NAME} STATIC ${srcs})
        target_include_directories(${NAME} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${NAME} PUBLIC ${PL_DEPS})
        project_use_pch(${NAME})
    else()
        add_library(${NAME} INTERFACE)
        target_include_directories(${NAME} INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${NAME} INTERFACE ${PL_DEPS})
    endif()
endfunction()

# project_tests(DIR LIBS...): one test executable per tests/DIR/**/test_*.cpp (folders below DIR
# group a library's areas), run under Wine by CTest.
function(project_tests DIR)
    file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${DIR}/test_*.cpp)
    foreach(t IN LISTS tests)
        get_filename_component(name ${t} NAME_WE)
        set(target ${DIR}_${name})
        add_executable(${target} ${t})
        target_link_libraries(${target} PRIVATE test_support ${ARGN})
        target_precompile_headers(${target} REUSE_FROM test_support)
        add_test(NAME ${DIR}.${name} COMMAND ${target})
        set_tests_properties(${DIR}.${name} PROPERTIES TIMEOUT 300 LABELS ${DIR})
        # Tests that need something shared to themselves say so with a line "// test-needs: X"
        # and run one at a time with every other test that needs X: "desktop" (focus, foreground,
        # the clipboard, real input), "printer" (the prefix's test printer and its port file).
        file(STRINGS ${t} needs REGEX "^// test-needs: [a-z]+")
        set(locks)
        foreach(line IN LISTS needs)
            string(REGEX REPLACE "^// test-needs: ([a-z]+).*" "\\1" resource "${line}")
            list(APPEND locks ${resource})
        endforeach()
        if(locks)
            set_tests_properties(${DIR}.${name} PROPERTIES RESOURCE_LOCK "${locks}")
        endif()
        # Any other test that shows a window takes the foreground from a desktop test, so those
        # run alone.
        if("desktop" IN_LIST locks)
            set_tests_properties(${DIR}.${name} PROPERTIES RUN_SERIAL TRUE)
        endif()
    endforeach()
endfunction()
