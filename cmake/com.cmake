# Building COM in-process servers: widl makes the header and the type library for the target's
# architecture (a type library records its pointer size), windres embeds it as resource 1 TYPELIB,
# and a .def file exports the four server entry points undecorated.

find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(TALVO_WIDL NAMES ${TALVO_TRIPLET}-widl widl REQUIRED)
# The Windows IDL files (oaidl.idl and what it imports) and stdole2.tlb come with Wine's development files.
find_path(TALVO_IDL_INCLUDE_DIR oaidl.idl
  PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(TALVO_STDOLE2_DIR stdole2.tlb
  PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/wine/x86_64-windows /usr/lib/i386-linux-gnu/wine/i386-windows
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TALVO_WIDL_ARCH --win64)
else()
  set(TALVO_WIDL_ARCH --win32)
endif()

# talvo_com_idl(<target> <file.idl> [HEADER_ONLY])
#   Generates <file>.h (included as "<file>.h") and <file>.tlb, and embeds the type library in
#   the target as resource 1 TYPELIB, where LoadTypeLibEx on the module finds it. HEADER_ONLY
#   gives a client (a test program, say) the header alone.
function(talvo_com_idl target idl)
  cmake_parse_arguments(I "HEADER_ONLY" "" "" ${ARGN})
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(source ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_idl)
  set(widl ${TALVO_WIDL} ${TALVO_WIDL_ARCH} -I${TALVO_IDL_INCLUDE_DIR} -L${TALVO_STDOLE2_DIR})
  get_filename_component(source_dir ${source} DIRECTORY)
  # widl refuses help strings on enumeration members: it compiles a copy without them, and the
  # strings are then written into the type library it made.
  set(help ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/enum_help_strings.py)
  add_custom_command(
    OUTPUT ${out}/${name}.h ${out}/${name}.tlb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${help} strip ${source} ${out}/${name}.idl
    COMMAND ${widl} -I${source_dir} -h -H ${out}/${name}.h -o ${out}/${name}.h ${out}/${name}.idl
    COMMAND ${widl} -I${source_dir} -t -o ${out}/${name}.tlb ${out}/${name}.idl
    COMMAND ${help} patch ${source} ${out}/${name}.tlb
    DEPENDS ${source} ${CMAKE_SOURCE_DIR}/tools/enum_help_strings.py
    COMMENT "widl ${name}.idl"
    VERBATIM)
  target_sources(${target} PRIVATE ${out}/${name}.h)
  target_include_directories(${target} PRIVATE ${out})
  if(NOT I_HEADER_ONLY)
    file(WRITE ${out}/${name}_typelib.rc.in "1 TYPELIB \"${out}/${name}.tlb\"\n")
    configure_file(${out}/${name}_typelib.rc.in ${out}/${name}_typelib.rc COPYONLY)
    set_source_files_properties(${out}/${name}_typelib.rc PROPERTIES OBJECT_DEPENDS ${out}/${name}.tlb)
    target_sources(${target} PRIVATE ${out}/${name}_typelib.rc)
  endif()
endfunction()

# talvo_add_com_server(<name> IDL <file.idl> DEF <file.def> DESCRIPTION <text> SOURCES ... [LIBS ...])
#   <name>.dll: an in-process server linked with the shared plumbing (talvo_com), carrying the
#   suite's version resource with the given file description.
function(talvo_add_com_server name)
  cmake_parse_arguments(S "" "IDL;DEF;DESCRIPTION" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${S_SOURCES} ${S_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  talvo_com_idl(${name} ${S_IDL})
  if(NOT S_DESCRIPTION)
    set(S_DESCRIPTION ${name})
  endif()
  talvo_version_resource(${name} DESCRIPTION ${S_DESCRIPTION})
  target_link_libraries(${name} PRIVATE talvo_com ${S_LIBS})
  # The .def file names the stdcall entry points undecorated.
  target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
endfunction()
