# Copies resources/Bilder and resources/Hilfe into the program folder (newer files win).
foreach(sub Bilder Hilfe)
  if(EXISTS "${SRC}/${sub}")
    file(COPY "${SRC}/${sub}/" DESTINATION "${DST}/${sub}")
  endif()
endforeach()
