# The suite's one version number and the VERSIONINFO resource every shipped binary carries, so that
# an administrator reads the same file and product version on each of them.

set(TALVO_VERSION 1.0.0.0)

# talvo_version_resource(<target> DESCRIPTION <text>)
#   Embeds a VERSIONINFO resource in <target>: file and product version TALVO_VERSION, the given
#   file description and the target's own file name as original and internal name. The file type
#   (DLL or application) follows the target's type.
function(talvo_version_resource target)
  cmake_parse_arguments(V "" "DESCRIPTION" "" ${ARGN})
  if(NOT V_DESCRIPTION)
    message(FATAL_ERROR "talvo_version_resource(${target}): DESCRIPTION is required")
  endif()
  string(REPLACE "." ", " numbers ${TALVO_VERSION})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(filetype VFT_APP)
  else()
    set(filetype VFT_DLL)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  file(GENERATE OUTPUT ${rc} CONTENT "#include <windows.h>

VS_VERSION_INFO VERSIONINFO
FILEVERSION ${numbers}
PRODUCTVERSION ${numbers}
FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
FILEFLAGS 0
FILEOS VOS_NT_WINDOWS32
FILETYPE ${filetype}
FILESUBTYPE VFT2_UNKNOWN
BEGIN
  BLOCK \"StringFileInfo\"
  BEGIN
    BLOCK \"041004E4\"
    BEGIN
      VALUE \"CompanyName\", \"TALVO\\0\"
      VALUE \"FileDescription\", \"${V_DESCRIPTION}\\0\"
      VALUE \"FileVersion\", \"${TALVO_VERSION}\\0\"
      VALUE \"InternalName\", \"$<TARGET_FILE_BASE_NAME:${target}>\\0\"
      VALUE \"OriginalFilename\", \"$<TARGET_FILE_NAME:${target}>\\0\"
      VALUE \"ProductName\", \"TALVO\\0\"
      VALUE \"ProductVersion\", \"${TALVO_VERSION}\\0\"
    END
  END
  BLOCK \"VarFileInfo\"
  BEGIN
    VALUE \"Translation\", 0x0410, 1252
  END
END
")
  target_sources(${target} PRIVATE ${rc})
endfunction()
