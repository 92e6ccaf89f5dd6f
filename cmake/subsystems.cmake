# koruvan_subsystem(NAME [LOWER...]) makes the library koruvan_NAME of src/NAME, linked to the subsystems below
# it. Each library sees headers through an include root of its own that holds only its own folder, so an
# include of a subsystem it does not link ("bar/..." from store) fails to compile: the build itself keeps the
# subsystems importing downward.
function(koruvan_subsystem name)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  file(MAKE_DIRECTORY ${root})
  # A copy where the system refuses a link: it still compiles, it only stops following edits.
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC COPY_ON_ERROR)

  set(patterns src/${name}/*.cpp)
  if(WIN32)
    list(APPEND patterns src/${name}/win32/*.cpp)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  if(sources)
    add_library(koruvan_${name} STATIC ${sources})
    set(scope PUBLIC)
    target_compile_options(koruvan_${name} PRIVATE ${KORUVAN_WARNINGS})
  else()
    add_library(koruvan_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(koruvan_${name} ${scope} ${root})
  foreach(lower IN LISTS ARGN)
    target_link_libraries(koruvan_${name} ${scope} koruvan_${lower})
  endforeach()
endfunction()
