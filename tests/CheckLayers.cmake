cmake_minimum_required(VERSION 3.25)

# The folders of src and the arrows between them. Each folder may include its
# own headers and those of the folders named after it here, nothing else; a
# folder of src missing from the table fails too, so a new folder comes with
# its place. Lower folders first: storage, platform and pure data and rules,
# then what several screens share, then the screens, then the program.
set(allowed_db "")
set(allowed_platform "")
set(allowed_flightdata platform)
set(allowed_motordata "")
set(allowed_flightmodel motordata)
set(allowed_logbook db)
# What the prediction screens and the command line share: the rocket's and the
# motor's flight inputs from the logbook, fits to recorded flights, the guide.
set(allowed_prediction db flightdata flightmodel logbook motordata platform)
# The settings store keeps what windows remember of themselves.
set(allowed_ui platform)
set(allowed_charts ui flightdata motordata)
set(allowed_checklists db platform ui)
set(allowed_rockets checklists db platform ui)
# Launch logging and the flight log share their rows through logbook/ alone;
# the launch wizard's rocket page is handed in by the program.
set(allowed_launch checklists charts db flightdata logbook platform ui)
set(allowed_motors charts db motordata platform ui)
set(allowed_queries db ui)
# The Defaults screen's MOTORS runs a screen handed in by the program.
set(allowed_reflists platform ui)
set(allowed_flights charts db flightdata logbook platform ui)
set(allowed_app checklists charts db flightdata flightmodel flights launch logbook motordata motors platform prediction
    queries reflists rockets ui)
# main.cpp, at the top of src.
set(allowed_src app platform ui)

# Storage, platform and the pure data and rules hold no widget, and only the
# storage layer talks to SQLite.
set(pure_folders db platform flightdata motordata flightmodel logbook prediction)
set(widget_headers "QtWidgets/|QtCharts/|QWidget|QDialog|QMessageBox|QApplication|QLabel|QLineEdit|QComboBox|QListWidget|QTableWidget|QTabWidget|QToolBar|QMenu|QPushButton|QFileDialog")

set(faults "")
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*)
foreach(folder ${folders})
    if(IS_DIRECTORY ${SOURCE_DIR}/src/${folder} AND NOT DEFINED allowed_${folder})
        list(APPEND faults "src/${folder}: a folder the layering table does not name")
    endif()
endforeach()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
foreach(source ${sources})
    string(FIND ${source} "/" slash)
    if(slash EQUAL -1)
        set(folder src)
    else()
        string(SUBSTRING ${source} 0 ${slash} folder)
    endif()
    if(NOT DEFINED allowed_${folder})
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/src/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" target "${line}")
        if(NOT target STREQUAL folder AND NOT target IN_LIST allowed_${folder})
            list(APPEND faults "src/${source}: ${folder} may not include ${target}/ (${line})")
        endif()
    endforeach()
    if(folder IN_LIST pure_folders)
        file(STRINGS ${SOURCE_DIR}/src/${source} widgets REGEX "#[ \t]*include[ \t]*<(${widget_headers})")
        if(widgets)
            list(APPEND faults "src/${source}: a widget header below the screens (${widgets})")
        endif()
        if(NOT folder STREQUAL "db")
            file(STRINGS ${SOURCE_DIR}/src/${source} sql REGEX "#[ \t]*include[ \t]*<(sqlite3\\.h|QtSql)")
            if(sql)
                list(APPEND faults "src/${source}: SQLite outside the storage layer (${sql})")
            endif()
        endif()
    endif()
endforeach()

if(faults)
    list(JOIN faults "\n" message)
    message(FATAL_ERROR "Includes against the layering:\n${message}")
endif()
message(STATUS "every folder of src includes only the folders below it; no widgets below the screens")
