# Lays out the program folder beside the executable. User files are never overwritten:
# Daten/Kav.KRN (holds the user's own fertilisers and limes), Daten/Daten.KRN and Server.ini are
# copied only when missing. Daten/Standard/Kav.KRN, the pristine reference file, is always current.
# A kept Daten/Kav.KRN older than the row sources in ROWS gets one line of notice in the build output.
foreach(d Daten Daten/Standard Bilder Lexikon/Bilder/Vorschau Lexikon/Bilder/Vollbild Hilfe Sicherungsdateien)
  file(MAKE_DIRECTORY "${DST}/${d}")
endforeach()
foreach(f Kav.KRN Daten.KRN)
  if(NOT EXISTS "${DST}/Daten/${f}")
    file(COPY "${GEN}/${f}" DESTINATION "${DST}/Daten")
    message(STATUS "Neu angelegt: Daten/${f}")
  elseif(f STREQUAL "Kav.KRN" AND ROWS)
    file(TIMESTAMP "${DST}/Daten/${f}" behalten "%s" UTC)
    file(GLOB_RECURSE quellen "${ROWS}/*")
    foreach(q IN LISTS quellen)
      file(TIMESTAMP "${q}" zeit "%s" UTC)
      if(zeit GREATER behalten)
        message(NOTICE "Hinweis: Daten/Kav.KRN ist älter als data/rows und wird nicht überschrieben "
                       "(eigene Dünger und Kalke). Zum Neuanlegen löschen.")
        break()
      endif()
    endforeach()
  endif()
endforeach()
file(COPY "${GEN}/Kav.KRN" DESTINATION "${DST}/Daten/Standard")
# Server.ini holds the server's passwords: readable and writable by its owner only, also when kept.
if(NOT EXISTS "${DST}/Server.ini" AND EXISTS "${SERVER_INI}")
  file(COPY "${SERVER_INI}" DESTINATION "${DST}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE)
endif()
if(EXISTS "${DST}/Server.ini")
  file(CHMOD "${DST}/Server.ini" PERMISSIONS OWNER_READ OWNER_WRITE)
endif()
