# Writes the site folder: the page's files, the module (and the module as a
# script, for a page opened from disk, which may load scripts but fetch
# nothing),
# and the service worker with the list of files to keep for offline use and
# a cache name that changes whenever any of them does.
#
# The module's control table goes into the page too, so that the controls
# and their texts are laid out before the module has arrived.
#
#   cmake -DSITE=dir -DWASM=file -DTABLE=table.json -DTEMPLATE=sw.js.in -DFILES=a;b;...
#         -P make-site.cmake

file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE}/fonts)
set(names "")
set(hashes "")
foreach(f IN LISTS FILES)
    get_filename_component(name ${f} NAME)
    if(name MATCHES "\\.woff2$")
        set(name "fonts/${name}")
    endif()
    configure_file(${f} ${SITE}/${name} COPYONLY)
    list(APPEND names "${name}")
endforeach()

# The style and the scripts go into the page itself: a page that needs no
# further request before it runs shows its first result sooner.
file(READ ${SITE}/index.html html)
string(REGEX MATCHALL "<link rel=\"stylesheet\" href=\"[^\"]+\">|<script src=\"[^\"]+\" defer></script>"
       tags "${html}")
foreach(tag IN LISTS tags)
    string(REGEX REPLACE ".*(href|src)=\"([^\"]+)\".*" "\\2" inline "${tag}")
    file(READ ${SITE}/${inline} text)
    if(inline MATCHES "css$")
        set(by "<style>\n${text}</style>")
    else()
        set(by "<script>\n${text}</script>")
    endif()
    string(REPLACE "${tag}" "${by}" html "${html}")
    file(REMOVE ${SITE}/${inline})
    list(REMOVE_ITEM names ${inline})
endforeach()
# The tab's icon inside the page too: a request less before the first paint.
execute_process(COMMAND base64 -w0 ${SITE}/icon-192.png OUTPUT_VARIABLE icon
                COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "<link rel=\"icon\" href=\"icon-192.png\""
       "<link rel=\"icon\" href=\"data:image/png;base64,${icon}\"" html "${html}")
file(READ ${TABLE} table)
string(REPLACE "</" "<\\/" table "${table}") # no "</script>" inside the script
string(REPLACE "@CONTROL_TABLE@" "${table}" html "${html}")
file(WRITE ${SITE}/index.html "${html}")

configure_file(${WASM} ${SITE}/screencalc.wasm COPYONLY)
list(APPEND names screencalc.wasm)
execute_process(COMMAND base64 -w0 ${WASM} OUTPUT_VARIABLE encoded COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${SITE}/screencalc-module.js
     "// The calculator module, for pages opened from disk.\nself.screencalcModule = \"${encoded}\";\n")
list(APPEND names screencalc-module.js)

set(all "")
foreach(name IN LISTS names)
    file(SHA256 ${SITE}/${name} h)
    string(APPEND all "${name} ${h}\n")
endforeach()
string(SHA256 version "${all}")
string(SUBSTRING ${version} 0 16 CACHE_VERSION)
# The script form of the module is for pages opened from disk only; the
# faces are kept once a page has used them (a phone uses the system's); the
# screenshots are for the install dialog, which is online.
list(FILTER names EXCLUDE REGEX "^(OFL\\.txt|screencalc-module\\.js|fonts/.*|screenshot-.*)$")
list(TRANSFORM names PREPEND "  \"./")
list(TRANSFORM names APPEND "\",")
list(JOIN names "\n" CACHE_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
