# The locality tables: kept as CSV under data/, turned into C++ row initialisers by data/locality_tables.py,
# which runs on the build machine (also in the Windows cross-build). The library reads no file at run time.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(ORLA_LOCALITY_TABLES pa_municipal pa_school_districts oh_municipal oh_school_districts oh_earned_income_base
    in_county ky_school_districts ky_cities ky_counties)
set(ORLA_LOCALITY_DIR ${CMAKE_BINARY_DIR}/generated/locality)
set(ORLA_LOCALITY_CSV "")
set(ORLA_LOCALITY_INC "")
foreach(t IN LISTS ORLA_LOCALITY_TABLES)
  list(APPEND ORLA_LOCALITY_CSV ${PROJECT_SOURCE_DIR}/data/${t}.csv)
  list(APPEND ORLA_LOCALITY_INC ${ORLA_LOCALITY_DIR}/${t}.inc)
endforeach()
list(APPEND ORLA_LOCALITY_INC ${ORLA_LOCALITY_DIR}/pa_municipal_order.inc ${ORLA_LOCALITY_DIR}/pa_school_districts_order.inc)

add_custom_command(
  OUTPUT ${ORLA_LOCALITY_INC}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/data/locality_tables.py --out ${ORLA_LOCALITY_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/locality_tables.py ${ORLA_LOCALITY_CSV}
  COMMENT "Generating the locality tables from data/*.csv"
  VERBATIM)
target_sources(orla_objects PRIVATE ${ORLA_LOCALITY_INC})
target_include_directories(orla_objects PRIVATE ${CMAKE_BINARY_DIR}/generated)

# Validates every locality CSV without building.
add_custom_target(data-check
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/data/locality_tables.py --check
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  VERBATIM)
