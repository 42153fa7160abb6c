# ecuTransfer: reads and writes of the data area through ecusim at 9600 and 19200 baud.
add_executable(ecuTransfer ecutransfer.cpp)
target_link_libraries(ecuTransfer PRIVATE qmxapp)
target_include_directories(ecuTransfer PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(ecuTransfer PRIVATE ECUSIM_PATH="$<TARGET_FILE:ecusim>")
add_dependencies(benchmarks ecuTransfer ecusim)
