# cmake -DOUTPUT=file -DINPUTS="a|b|..." -P JoinCatalog.cmake: writes the
# string files one after the other into a language catalog; a later line of
# an id replaces an earlier one when the catalog loads.
string(REPLACE "|" ";" inputs "${INPUTS}")
file(WRITE ${OUTPUT} "")
foreach(input IN LISTS inputs)
  file(READ ${input} text)
  file(APPEND ${OUTPUT} "${text}\n")
endforeach()
