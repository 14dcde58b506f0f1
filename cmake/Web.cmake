# The game for a browser, built by Debian's emscripten:
#   emcmake cmake -S . -B build-web && cmake --build build-web
# gives build-web/web/, a folder any static host serves (with the two
# headers threads need: tools/serve_web.py).
if(CMAKE_BUILD_TYPE STREQUAL "RelWithDebInfo")
  set(CMAKE_BUILD_TYPE MinSizeRel)  # the page is downloaded: small, no debug sections
endif()
set(BRINEFALL_BENCH OFF CACHE BOOL "" FORCE)
set(BRINEFALL_TESTS OFF CACHE BOOL "" FORCE)

# Both threads run in workers over one shared memory.
add_compile_options(-pthread)
add_link_options(-pthread)
# The data tool runs under node; emcmake's emulator asks it for a flag Node 20 no longer has.
find_program(NODE_EXECUTABLE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NODE_EXECUTABLE})
# Linking at -O1 and above runs emscripten's JS optimizer, which needs
# Debian's acorn module.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

set(WEB_DIR ${CMAKE_BINARY_DIR}/web)

function(brinefall_web_page)
  set(page ${CMAKE_SOURCE_DIR}/web)
  # Copied beside the game after each link: a change to one links again.
  set(page_files ${page}/index.html ${page}/module.js ${page}/page.js ${page}/service-worker.js
                 ${page}/manifest.webmanifest ${page}/icon-192.png ${page}/icon-512.png)
  add_executable(brinefall src/game/WebMain.cpp)
  target_link_libraries(brinefall PRIVATE brinefall_game brinefall_web)
  target_compile_definitions(brinefall PRIVATE BRINEFALL_VERSION="${PROJECT_VERSION}")
  set_target_properties(brinefall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_DIR}
                        LINK_DEPENDS "${page}/pre.js;${page}/library.js;${page_files};${CMAKE_BINARY_DIR}/tools/game_data.stamp")
  target_link_options(brinefall PRIVATE
    # The game's main runs in a worker: a line being typed, a pause in a
    # tick and a save's sync block there, never the page.
    -sPROXY_TO_PTHREAD -sPTHREAD_POOL_SIZE=3
    -sINITIAL_MEMORY=64MB  # fixed: a growing memory shared by threads costs every access from script
    -sENVIRONMENT=web,worker
    # The data read-only at /data; the saves in IndexedDB at /saves.
    --preload-file ${CMAKE_BINARY_DIR}/Data@/data -lidbfs.js
    --pre-js ${page}/pre.js --js-library ${page}/library.js)
  # The page itself and xterm.js beside the game.
  set(xterm ${page}/node_modules/@xterm)
  if(NOT EXISTS ${xterm}/xterm/lib/xterm.js)
    message(FATAL_ERROR "xterm.js is missing: run npm ci in web/ first")
  endif()
  # Then the service worker, named after the build, and each file
  # compressed beside itself (cmake/WebFinish.cmake).
  find_program(GZIP_EXECUTABLE gzip REQUIRED)
  find_program(BROTLI_EXECUTABLE brotli REQUIRED)  # Debian's brotli
  add_custom_command(TARGET brinefall POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${page}/index.html ${page}/module.js ${page}/page.js
            ${page}/manifest.webmanifest ${page}/icon-192.png ${page}/icon-512.png ${WEB_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${xterm}/xterm/lib/xterm.js ${xterm}/xterm/css/xterm.css
            ${xterm}/addon-fit/lib/addon-fit.js ${WEB_DIR}
    COMMAND ${CMAKE_COMMAND} -DDIR=${WEB_DIR} -DSOURCE=${page} -DGZIP=${GZIP_EXECUTABLE}
            -DBROTLI=${BROTLI_EXECUTABLE} -P ${CMAKE_SOURCE_DIR}/cmake/WebFinish.cmake
    VERBATIM)
endfunction()
