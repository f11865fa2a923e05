# Writes sw.js into the page's folder: the worker's template with the build's files and their
# hashes. Run after every link of the page: cmake -DWWW=FOLDER -DTEMPLATE=FILE -DFILES=a;b -P ...
set(entries "")
set(hashes "")
foreach(name IN LISTS FILES)
  file(SHA256 ${WWW}/${name} hash)
  string(APPEND entries "  '${name}': '${hash}',\n")
  string(APPEND hashes "${name}=${hash};")
endforeach()
string(SHA256 buildHash "${hashes}")
string(SUBSTRING ${buildHash} 0 16 BUILD_HASH)
string(REGEX REPLACE ",\n$" "" BUILD_FILES "${entries}")
configure_file(${TEMPLATE} ${WWW}/sw.js @ONLY)
