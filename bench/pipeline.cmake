# The pipeline benchmark, included from bench/CMakeLists.txt.
add_executable(zentab_pipeline_bench ${CMAKE_CURRENT_LIST_DIR}/pipeline_bench.cpp)
target_link_libraries(zentab_pipeline_bench PRIVATE zentab_command benchmark::benchmark)
