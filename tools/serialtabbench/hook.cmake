# Given as CMAKE_PROJECT_Vandrel_INCLUDE by bench/serialtab_responsiveness.sh:
# defines the benchmark once the rest of the project (vandrelui) is defined,
# unless the project already adds this folder itself.
set(VANDREL_SERIALTABBENCH_DIR ${CMAKE_CURRENT_LIST_DIR})
function(vandrel_add_serialtabbench)
    if(NOT TARGET serialtabbench)
        add_executable(serialtabbench ${VANDREL_SERIALTABBENCH_DIR}/main.cpp)
        target_link_libraries(serialtabbench PRIVATE vandrelui)
        set_target_properties(serialtabbench PROPERTIES
            RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools/serialtabbench)
    endif()
endfunction()
cmake_language(DEFER CALL vandrel_add_serialtabbench)
