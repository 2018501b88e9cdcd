# Lays out the program folder beside the executable. User files are never overwritten:
# Daten/Kav.KRN (holds the user's own fertilisers and limes), Daten/Daten.KRN and Server.ini are
# copied only when missing. Daten/Standard/Kav.KRN, the pristine reference file, is always current.
foreach(d Daten Daten/Standard Bilder Lexikon/Bilder/Vorschau Lexikon/Bilder/Vollbild Hilfe Sicherungsdateien)
  file(MAKE_DIRECTORY "${DST}/${d}")
endforeach()
foreach(f Kav.KRN Daten.KRN)
  if(NOT EXISTS "${DST}/Daten/${f}")
    file(COPY "${GEN}/${f}" DESTINATION "${DST}/Daten")
    message(STATUS "Neu angelegt: Daten/${f}")
  endif()
endforeach()
file(COPY "${GEN}/Kav.KRN" DESTINATION "${DST}/Daten/Standard")
if(NOT EXISTS "${DST}/Server.ini" AND EXISTS "${SERVER_INI}")
  file(COPY "${SERVER_INI}" DESTINATION "${DST}")
endif()
