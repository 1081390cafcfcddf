# Checks a built Kestrune.exe as users receive it:
#   cmake -DEXE=... -DOBJDUMP=... -DSTRIP=... -DFORMAT=pei-x86-64|pei-i386
#         -DVERSION=1.0.0.0 -P check_exe.cmake
# - the architecture is FORMAT;
# - it imports from KERNEL32, ADVAPI32 and msvcrt only (nothing of the compiler's);
# - stripped, it is at most 1 MiB;
# - it holds a version resource (RT_VERSION, id 1) with VERSION and the product
#   strings, and a manifest (RT_MANIFEST, id 1) asking for asInvoker and naming
#   Windows Vista to 11.
set(failures "")
macro(fail message)
  list(APPEND failures "${message}")
endmacro()

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)

if(NOT headers MATCHES "file format ${FORMAT}\n")
  fail("not of format ${FORMAT}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  fail("no import table found")
endif()
foreach(import IN LISTS imports)
  string(TOLOWER "${import}" import)
  if(NOT import MATCHES "^dll name: (kernel32|advapi32|msvcrt)\\.dll$")
    fail("imports a DLL that is not a system one: ${import}")
  endif()
endforeach()

get_filename_component(name ${EXE} NAME)
set(stripped ${CMAKE_CURRENT_BINARY_DIR}/stripped-${name})
execute_process(COMMAND ${STRIP} -o ${stripped} ${EXE} COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${stripped} size)
file(REMOVE ${stripped})
if(size GREATER 1048576)
  fail("${size} bytes stripped, over 1 MiB")
endif()
message(STATUS "${name}: ${size} bytes stripped; imports: ${imports}")

# The resource directory objdump prints: type, then name id 1, in that order.
foreach(type 000010 000018)
  if(NOT headers MATCHES "Entry: ID: 0x${type}, [^\n]*\n[^\n]*Name Table[^\n]*\n[^\n]*Entry: ID: 0x000001,")
    fail("no resource of type 0x${type} with id 1")
  endif()
endforeach()

file(READ ${EXE} bytes HEX)
function(utf16_hex text out)
  string(HEX "${text}" ascii)
  string(REGEX REPLACE "(..)" "\\100" wide "${ascii}")
  set(${out} "${wide}" PARENT_SCOPE)
endfunction()

# VS_FIXEDFILEINFO: signature, structure version, then file and product versions.
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
list(GET parts 3 tweak)
function(dword_hex high low out)
  math(EXPR value "(${high} << 16) | ${low}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" value "${value}")
  string(LENGTH "${value}" length)
  math(EXPR pad "8 - ${length}")
  string(REPEAT "0" ${pad} zeros)
  string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" le "${zeros}${value}")
  string(TOLOWER "${le}" le)
  set(${out} "${le}" PARENT_SCOPE)
endfunction()
dword_hex(${major} ${minor} ms)
dword_hex(${patch} ${tweak} ls)
if(NOT bytes MATCHES "bd04effe00000100${ms}${ls}${ms}${ls}")
  fail("the fixed version info is not ${VERSION} for both file and product")
endif()

foreach(pair "ProductName=Kestrune" "OriginalFilename=Kestrune.exe" "FileVersion=${VERSION}"
             "ProductVersion=${VERSION}" "FileDescription=Kestrune: sets the registry size limit")
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 key)
  list(GET pair 1 value)
  utf16_hex("${key}" key_hex)
  utf16_hex("${value}" value_hex)
  # Key, its terminating NUL, padding to 32 bits, then the value.
  if(NOT bytes MATCHES "${key_hex}0000(0000)?${value_hex}")
    fail("no version string ${key} = ${value}")
  endif()
endforeach()

file(STRINGS ${EXE} manifest REGEX "requestedExecutionLevel|supportedOS")
if(NOT manifest MATCHES "requestedExecutionLevel level=\"asInvoker\"")
  fail("the manifest does not ask for asInvoker")
endif()
foreach(os e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a
           4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78
           8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
  if(NOT manifest MATCHES "supportedOS Id=\"{${os}}\"")
    fail("the manifest does not name supportedOS ${os}")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " failures)
  message(FATAL_ERROR "${EXE}:\n  ${failures}")
endif()
