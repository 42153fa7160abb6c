# ecuTransfer: reads and writes of the data area through ecusim at 9600 and 19200 baud.
add_executable(ecuTransfer ecutransfer.cpp)
target_link_libraries(ecuTransfer PRIVATE qmxapp)
target_include_directories(ecuTransfer PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(ecuTransfer PRIVATE ECUSIM_PATH="$<TARGET_FILE:ecusim>")
add_dependencies(benchmarks ecuTransfer ecusim)

# qmxctlTransfer: whole qmxctl read and write processes against ecusim at 19200 baud.
add_executable(qmxctlTransfer qmxctltransfer.cpp)
target_link_libraries(qmxctlTransfer PRIVATE qmxapp)
target_include_directories(qmxctlTransfer PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(qmxctlTransfer PRIVATE ECUSIM_PATH="$<TARGET_FILE:ecusim>"
                           QMXCTL_PATH="$<TARGET_FILE:qmxctl>"
                           SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
add_dependencies(benchmarks qmxctlTransfer ecusim qmxctl)
