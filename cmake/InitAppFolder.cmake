# Runs "faqkb init" on the application folder when it has no knowledge base yet.
if(EXISTS "${FOLDER}/DB/ZYDBFAQ.dat")
  return()
endif()
set(args init)
if(DEMO)
  list(APPEND args --demo)
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "${FAQKB}" ${args} "${FOLDER}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "faqkb init failed (${rc})")
endif()
