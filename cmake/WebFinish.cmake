# Run after the browser build links (cmake -P), in the page's folder DIR:
# names the service worker's cache after this build's files and lists
# them, then writes a .gz and a .br beside each file for hosts that send
# them (tools/serve_web.py does).
file(GLOB files RELATIVE ${DIR} ${DIR}/*)
list(FILTER files EXCLUDE REGEX "\\.(gz|br)$|^service-worker\\.js$")
list(SORT files)
set(hashes "")
set(listed "")
foreach(name IN LISTS files)
  file(SHA256 ${DIR}/${name} hash)
  string(APPEND hashes "${hash} ${name}\n")
  list(APPEND listed "'${name}'")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 build)
list(JOIN listed ", " FILES)
set(BUILD ${build})
configure_file(${SOURCE}/service-worker.js ${DIR}/service-worker.js @ONLY)

file(GLOB old ${DIR}/*.gz ${DIR}/*.br)
if(old)
  file(REMOVE ${old})
endif()
foreach(name IN LISTS files ITEMS service-worker.js)
  execute_process(COMMAND ${GZIP} -9 -n -k -f ${DIR}/${name} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${BROTLI} -q 11 -k -f ${DIR}/${name} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
