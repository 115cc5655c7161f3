# What the Windows build does differently: the Win32 backend of the platform seam, the
# dependencies that are header-only taken from Debian's headers, the resources of the
# library, a statically linked runtime, and no database import (neither SQLite, libmdb nor
# the servers' client libraries are cross-built).

set(PLATFORM_BACKEND win32)
set(FONT_LIBRARIES "")
set(DATABASE_LIBRARIES "")
set(SYSTEM_LIBRARIES user32 gdi32 comdlg32)
set(TAVIKFW_RESOURCES ${CMAKE_SOURCE_DIR}/src/platform/win32/tavikfw.rc)

# The model access library reads model files only.
set(BRENLO_REPLACED_SOURCES "src/import/(sqlite_schema_reader|access_reader|access_file_check|schema_readers|postgresql_reader|mariadb_reader)\\.cpp$")
set(BRENLO_REPLACEMENT_SOURCES ${CMAKE_SOURCE_DIR}/src/platform/win32/no_database_import.cpp)

# fmt, nlohmann-json and CLI11 from Debian's headers, seen alone: /usr/include as a whole
# would bring the host's C library headers with it.
set(TAVIK_HEADER_ROOT ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${TAVIK_HEADER_ROOT})
foreach(header_folder fmt nlohmann CLI)
  if(NOT EXISTS /usr/include/${header_folder})
    message(FATAL_ERROR "/usr/include/${header_folder} is missing: run scripts/setup.sh")
  endif()
  file(CREATE_LINK /usr/include/${header_folder} ${TAVIK_HEADER_ROOT}/${header_folder} SYMBOLIC)
endforeach()
add_library(tavik_fmt INTERFACE)
target_include_directories(tavik_fmt SYSTEM INTERFACE ${TAVIK_HEADER_ROOT})
target_compile_definitions(tavik_fmt INTERFACE FMT_HEADER_ONLY)
add_library(fmt::fmt ALIAS tavik_fmt)
add_library(tavik_nlohmann_json INTERFACE)
target_include_directories(tavik_nlohmann_json SYSTEM INTERFACE ${TAVIK_HEADER_ROOT})
add_library(nlohmann_json::nlohmann_json ALIAS tavik_nlohmann_json)
add_library(tavik_cli11 INTERFACE)
target_include_directories(tavik_cli11 SYSTEM INTERFACE ${TAVIK_HEADER_ROOT})
add_library(CLI11::CLI11 ALIAS tavik_cli11)

# Windows 7 and up; no min/max macros; the A functions take Windows-1252 text.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)

# The DLLs and programs need nothing beside them but each other: the compiler's runtime,
# its C++ library and its threads are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

# Names as a host expects them: tavikfw.dll and brenlo.dll, without the "lib" prefix.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")
set(CMAKE_STATIC_LIBRARY_PREFIX "")

# GCC 12's optimiser reports overlapping copies inside std::string that cannot happen (GCC
# bug 105329); the check stays on in the other builds.
add_compile_options(-Wno-restrict)
