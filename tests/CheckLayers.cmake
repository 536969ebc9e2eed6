# Fails when a file of the storage or platform layers includes a widget header.
file(GLOB_RECURSE lower_layers ${SOURCE_DIR}/src/db/* ${SOURCE_DIR}/src/platform/* ${SOURCE_DIR}/src/flightdata/*
     ${SOURCE_DIR}/src/flightmodel/* ${SOURCE_DIR}/src/logbook/*)
set(offenders "")
foreach(file ${lower_layers})
    file(STRINGS ${file} includes REGEX "#include <(QtWidgets/|QWidget|QDialog|QMessageBox|QApplication|QLabel|QLineEdit|QComboBox|QListWidget|QTableWidget|QTabWidget|QToolBar|QMenu|QPushButton|QFileDialog)")
    if(includes)
        list(APPEND offenders "${file}: ${includes}")
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "Widget headers below the screens:\n${offenders}")
endif()
message(STATUS "storage and platform layers include no widget header")

# Subsystems depend one way: no screen folder reaches up into the application shell,
# the rocket catalogue and the checklists never depend on launch logging or the
# flight log, and those two meet only in logbook/.
set(upward "")
foreach(folder ui checklists rockets launch motors queries reflists platform db flightdata logbook flights)
    file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*)
    foreach(file ${files})
        file(STRINGS ${file} includes REGEX "#include \"app/")
        if(folder STREQUAL "rockets" OR folder STREQUAL "checklists" OR folder STREQUAL "ui"
           OR folder STREQUAL "platform" OR folder STREQUAL "db" OR folder STREQUAL "flightdata"
           OR folder STREQUAL "logbook")
            file(STRINGS ${file} launch_includes REGEX "#include \"(launch|flights)/")
            list(APPEND includes ${launch_includes})
        endif()
        # Launch logging and the flight log share their rows through logbook/ alone.
        if(folder STREQUAL "launch")
            file(STRINGS ${file} sideways REGEX "#include \"flights/")
            list(APPEND includes ${sideways})
        elseif(folder STREQUAL "flights")
            file(STRINGS ${file} sideways REGEX "#include \"launch/")
            list(APPEND includes ${sideways})
        endif()
        if(includes)
            list(APPEND upward "${file}: ${includes}")
        endif()
    endforeach()
endforeach()
if(upward)
    message(FATAL_ERROR "Includes that run upward between subsystems:\n${upward}")
endif()
message(STATUS "subsystems include one way")
