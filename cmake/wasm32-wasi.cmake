# Cross build of the libraries and the web module for WebAssembly with
# Debian's clang-14 and wasi-libc (packages wasi-libc, libc++-14-dev-wasm32,
# libc++abi-14-dev-wasm32, libclang-rt-14-dev-wasm32). Only the libraries and
# web/ are built: no tests, tool or benchmarks.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(ZENTAB_WASM ON)

set(ZENTAB_WASM_TARGET wasm32-wasi)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${ZENTAB_WASM_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${ZENTAB_WASM_TARGET})
# Archives hold LTO bitcode, which only LLVM's archiver indexes.
set(CMAKE_AR llvm-ar-14 CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib-14 CACHE FILEPATH "")

# The text layer throws nothing; without unwinding tables the module is smaller.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -mbulk-memory")
set(CMAKE_C_FLAGS_INIT "-mbulk-memory")
# The link leaves out the compile flags: given -O, clang runs a wasm-opt of
# its own without bulk memory, which rejects the module. scripts/build-web.sh
# runs wasm-opt with the right features afterwards.
set(CMAKE_CXX_LINK_EXECUTABLE
    "<CMAKE_CXX_COMPILER> --target=${ZENTAB_WASM_TARGET} <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--strip-all")

set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
