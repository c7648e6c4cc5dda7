# Each library exposes only its own folder as an include path, under the name the code uses
# ("page/Page.h"), and inherits the folders below it from the libraries it links. A folder of
# the build tree holds one link to the library's source folder and nothing else, so an include
# of a folder above (the core including "editor/..." or "tool/...", imaging including
# "page/...") finds no file and fails the build.
function(pm_expose_own_folder target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
